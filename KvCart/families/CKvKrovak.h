/* CKvKrovak: the Krovak oblique conformal conic projection (EPSG Guidance
 * Note 7-2, method 9819), followed by the orientation step of the ESRI
 * Krovak definition.
 *
 * The ellipsoid is mapped conformally onto a Gaussian sphere, the sphere is
 * turned so that the cone axis (at co-latitude "azimuth" from the pole, on
 * the meridian of the origin) becomes its pole, and a Lambert conic with
 * the pseudo standard parallel as its standard parallel gives the southing
 * X and westing Y of the method. The orientation step then makes the grid:
 *   E = FE + sx X cos w - sy Y sin w,   N = FN + sy Y cos w + sx X sin w
 * with the X scale sx, Y scale sy and XY-plane rotation w. (sx, sy, w) =
 * (1, 1, 0) gives (X, Y), the classical positive southing/westing pair
 * (EPSG:5513); (-1, 1, 90) gives easting/northing (EPSG:5514); (-1, -1, 0)
 * gives (-X, -Y).
 *
 * Parameters: scale on the pseudo standard parallel, pseudo standard
 * parallel, longitude of origin and latitude of the projection centre,
 * co-latitude of the cone axis (all degrees), sx, sy, w (degrees), false
 * easting and northing (metres), the ellipsoid.
 *
 * Valid range: the conic's hemisphere around the centre; longitudes are
 * counted from the origin and reduced into [-180, 180). Accuracy: forward
 * closed form; the inverse takes the latitude from its conformal latitude by
 * the sixth-order series in the third flattening (exact in double precision
 * on the earth's ellipsoids; Newton's method on a custom ellipsoid flatter
 * than 1/f = 125), so inverse(forward(p)) returns p to 1e-9 degrees. A scale of 0 (on the
 * pseudo parallel, X or Y; a definition read without the keyword) makes no
 * map: every conversion gives NaN.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvKrovak sjtsk("S-JTSK", 0.9999, 78.5, 24.833333333333332, 49.5, 30.28813975277778,
 *                   0, 1, 1, 0, 0, bessel);
 *   double x, y; sjtsk.Geo2Proj(16.84977194444, 50.20901166666, &x, &y);
 *   // (1050538.63, 568991.00): southing, westing */
#ifndef KVCART_FAMILIES_CKVKROVAK_H
#define KVCART_FAMILIES_CKVKROVAK_H

#include <string>

#include "KvCart/families/CKvProjectionFrame.h"
#include "KvCart/families/ConformalLatitude.h"

class CKvKrovakProjection;

class KVCART_API CKvKrovak : public CKvProjectionFrame {
 public:
  explicit CKvKrovak(const CKvKrovakProjection* record);
  CKvKrovak(const std::string& name, double scaleAtPseudoParallel, double pseudoParallel,
            double centerLongitude, double centerLatitude, double azimuth, double xyPlaneRotation,
            double xScale, double yScale, double falseEasting, double falseNorthing,
            const CKvEllipsoid& ellipsoid);
  CKvKrovak(const CKvKrovak&) = default;
  CKvKrovak& operator=(const CKvKrovak&) = default;
  ~CKvKrovak() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // The projected origin +-500 km in both directions.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  // --- well-known text ------------------------------------------------------
  // True for a parsed Krovak text that gives neither X_Scale nor Y_Scale but
  // has AXIS elements (the GDAL form): its axes say how the grid is
  // oriented, so the reader stores the easting/northing orientation
  // (-1, 1, 90) and the axis conversion of the text does the rest. Without
  // AXIS and scales the ESRI meaning holds: scales 1, 1 and rotation 0.
  static bool IsOrientedByAxes(const CKvPRJParser& record);
  // The PROJ "+axis" value (three letters, "swu" for southing/westing) of a
  // parsed Krovak text relative to PROJ's krovak, which gives
  // easting/northing; "" when the orientation is no permutation of the axes
  // (scales other than +-1, rotations other than quarter turns).
  static std::string ProjAxisOf(const CKvPRJParser& record);

 private:
  void ComputeConstants(double k, double pseudoParallel, double centerLatitude, double azimuth);
  void SetOrientation(double xyPlaneRotation, double xScale, double yScale);

  double m_B = 0.0;     // exponent of the conformal mapping to the Gaussian sphere
  double m_lnT0 = 0.0;  // ln t0
  kvcart::ConformalToGeodetic m_toGeodetic;
  double m_sinAlpha = 0.0;  // co-latitude of the cone axis
  double m_cosAlpha = 1.0;
  double m_n = 0.0;          // sin of the pseudo standard parallel
  double m_r0 = 0.0;         // k_p A / tan(phi_p)
  double m_isoPseudo = 0.0;  // ln tan(pi/4 + phi_p/2)
  double m_xScale = 1.0;
  double m_yScale = 1.0;
  double m_cosOmega = 1.0;
  double m_sinOmega = 0.0;
};

#endif
