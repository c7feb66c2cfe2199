/* CKvTransverseMercatorJHS: the transverse Mercator projection of the
 * ellipsoid by Krueger's series in the third flattening n, to fourth order
 * (EPSG Guidance Note 7-2, method 9807, "JHS" formulas). Every transverse
 * Mercator definition (the UTM zones, national grids) and every transverse
 * Mercator well-known text creates this class.
 *
 * Parameters: scale k0 on the central meridian, central meridian and
 * latitude of origin (degrees), false easting and northing (metres), the
 * ellipsoid. The name "NON-UTM" makes the object the local pass-through
 * system: coordinates pass unchanged in both directions.
 *
 * Valid range: latitudes -90..90; longitudes any (reduced to within 180
 * degrees of the central meridian; output longitudes in [-180, 180)).
 * Accuracy: on WGS 84 the series agrees with the exact transverse Mercator
 * to better than 0.1 mm within 6 degrees of the central meridian, and
 * inverse(forward(p)) returns p to 1e-9 degrees there. The conformal
 * latitude is taken in both directions from its series in n to sixth
 * order, which is exact in double precision. Latitudes beyond +-90, and
 * every point of a projection with a scale k0 of 0 (but the local system),
 * give NaN.
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvTransverseMercatorJHS utm32("UTM-32", 0.9996, 9, 0, 500000, 0, wgs84);
 *   double x, y; utm32.Geo2Proj(9.0, 0.0, &x, &y);  // (500000, 0) */
#ifndef KVCART_FAMILIES_CKVTRANSVERSEMERCATORJHS_H
#define KVCART_FAMILIES_CKVTRANSVERSEMERCATORJHS_H

#include <string>

#include "KvCart/families/GaussianLatitude.h"

#include "KvCart/families/CKvProjectionFrame.h"

class CKvTransverseMercatorProjection;

class KVCART_API CKvTransverseMercatorJHS : public CKvProjectionFrame {
 public:
  // From a definition record; its ellipsoid is looked up by code in the
  // process-wide database (a missing one leaves the object without
  // ellipsoid: see CKvProjectionFrame::Usable).
  explicit CKvTransverseMercatorJHS(const CKvTransverseMercatorProjection* record);
  // From explicit values, angles in degrees. southOrientated: the axes
  // point west and south (EPSG method 9808: westing = FE - E, southing =
  // FN - N, with E and N the easting and northing before the false origin).
  CKvTransverseMercatorJHS(const std::string& name, double k0, double centre, double originLat,
                           double falseEasting, double falseNorthing, const CKvEllipsoid& ellipsoid,
                           bool southOrientated = false);
  CKvTransverseMercatorJHS(const CKvTransverseMercatorJHS&) = default;
  CKvTransverseMercatorJHS& operator=(const CKvTransverseMercatorJHS&) = default;
  ~CKvTransverseMercatorJHS() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // Grid convergence in degrees, exact for the mapping (see
  // TransverseMercatorFactors.h); 0 for the local system.
  double GetConvergence(double lon, double lat) const override;
  // +-3 degrees around the origin; (0, 0)-(10000, 10000) for the local system.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;
  bool IsLocal() const override { return m_local; }
  CKvProjection* Clone() const override;
  void TransferParameters(CKvPRJParser& parser) const override;

  // Point scale factor at the point, exact for the series of the mapping
  // (within 1e-10 of PROJ's numeric factors inside 6 degrees of the central
  // meridian); k0 for the local system.
  double GetScaleFactor(double lon, double lat) const;

 private:
  void ComputeCoefficients();
  double ConformalXi(double phi) const;

  double m_k0 = 0.0;
  double m_n = 0.0;   // third flattening f / (2 - f)
  double m_A1 = 0.0;  // rectifying radius
  double m_alpha[4] = {};
  double m_beta[4] = {};
  double m_geodeticToGauss[kvcart::kGaussTerms] = {};  // geodetic -> conformal latitude
  double m_gaussToGeodetic[kvcart::kGaussTerms] = {};  // conformal -> geodetic latitude
  double m_M0 = 0.0;        // scaled meridian distance of the origin latitude
  double m_axisSign = 1.0;  // -1 for the south-orientated form
  bool m_local = false;
};

#endif
