/* CKvHotineObliqueMercator: the Hotine oblique Mercator projection of the
 * ellipsoid (EPSG Guidance Note 7-2, methods 9812 and 9815), and the shared
 * mathematics of its two variants CKvObliqueMercator and
 * CKvRectifiedSkewOrthomorphic.
 *
 * The ellipsoid is mapped conformally onto the "aposphere" of constant
 * total curvature, the sphere onto a cylinder touching it along the centre
 * line (the great circle through the centre with the given azimuth), and
 * the skew (u, v) coordinates are rotated by the rectification angle into
 * the grid. This class counts u from the natural origin (where the centre
 * line crosses the aposphere's equator, method 9812 "variant A") and
 * rectifies by the azimuth.
 *
 * Parameters: scale k_c on the centre line, longitude and latitude of the
 * projection centre (degrees), azimuth of the centre line at the centre
 * (degrees east of north; values within 90 degrees of north, 0..90 and
 * 270..360 or -90..90, describe every line), false easting and northing
 * (metres), the ellipsoid. Longitudes are counted from the centre, so the
 * cut where the grid jumps lies opposite the centre; output longitudes are
 * in [-180, 180).
 *
 * Valid range: the hemisphere around the centre line; the two points 90
 * degrees from the line (U = +-1) map to infinity. Latitudes beyond +-90
 * give NaN. Accuracy: the forward formulas are closed; the inverse takes
 * the latitude from the conformal latitude by the sixth-order series in the
 * third flattening, exact in double precision on the earth's ellipsoids
 * (Newton's method on a custom ellipsoid flatter than 1/f = 125).
 * Parameters for which D^2 < 1 use D^2 = 1, as the published method does;
 * a scale of 0 (a definition read without "Scale") gives NaN everywhere.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvHotineObliqueMercator alaska1("Alaska 1", 0.9999, -133.66666666666666, 57,
 *                                    323.13010236111114, 5000000, -5000000, grs80);
 *   double x, y; alaska1.Geo2Proj(-134.0, 57.5, &x, &y); */
#ifndef KVCART_FAMILIES_CKVHOTINEOBLIQUEMERCATOR_H
#define KVCART_FAMILIES_CKVHOTINEOBLIQUEMERCATOR_H

#include <string>

#include "KvCart/families/CKvProjectionFrame.h"
#include "KvCart/families/ConformalLatitude.h"

class CKvHotineObliqueMercatorProjection;
class CKvObliqueMercatorDataFrame;

class KVCART_API CKvHotineObliqueMercator : public CKvProjectionFrame {
 public:
  // From a definition record; its ellipsoid is looked up by code in the
  // process-wide database.
  explicit CKvHotineObliqueMercator(const CKvHotineObliqueMercatorProjection* record);
  // From explicit values, angles in degrees.
  CKvHotineObliqueMercator(const std::string& name, double scale, double centerLongitude,
                           double centerLatitude, double azimuth, double falseEasting,
                           double falseNorthing, const CKvEllipsoid& ellipsoid);
  CKvHotineObliqueMercator(const CKvHotineObliqueMercator&) = default;
  CKvHotineObliqueMercator& operator=(const CKvHotineObliqueMercator&) = default;
  ~CKvHotineObliqueMercator() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  // Longitude of the natural origin in degrees (where the centre line
  // crosses the equator of the aposphere).
  double GetNaturalOriginLongitude() const { return m_lambda0Deg; }

 protected:
  // Where easting and northing count from: the natural origin (variant A)
  // or the projection centre (variant B).
  enum EOrigin { eNaturalOrigin, eCentreOrigin };
  // Everything a variant may choose; angles in degrees.
  struct Definition {
    double scale;
    double centerLongitude;
    double centerLatitude;
    double azimuth;
    double rectificationAngle;  // gamma_c: from the rectified to the skew grid
    double falseEasting;
    double falseNorthing;
    EOrigin origin;
  };
  CKvHotineObliqueMercator(const std::string& name, const Definition& definition,
                           const CKvEllipsoid& ellipsoid);
  // The record's values and ellipsoid, its rectification angle
  // (GetRectificationAngle) and the variant's origin.
  CKvHotineObliqueMercator(const CKvObliqueMercatorDataFrame& record, EOrigin origin);

 private:
  void ComputeConstants(const Definition& definition);

  double m_A = 0.0;          // A = a B k_c sqrt(1 - e^2) / (1 - e^2 sin^2 phi_c)
  double m_B = 0.0;          // exponent of the conformal mapping to the aposphere
  double m_lnH = 0.0;        // ln H, H = F t0^B
  double m_sinGamma0 = 0.0;  // gamma0: azimuth of the centre line at the natural origin
  double m_cosGamma0 = 1.0;
  double m_centreToNatural = 0.0;  // lambda_c - lambda_0 in radians
  double m_lambda0Deg = 0.0;       // lambda_0 in degrees
  double m_uOffset = 0.0;          // u of the origin the grid counts from
  double m_sinGammaC = 0.0;        // gamma_c: rectification angle
  double m_cosGammaC = 1.0;
  kvcart::ConformalToGeodetic m_toGeodetic;
};

#endif
