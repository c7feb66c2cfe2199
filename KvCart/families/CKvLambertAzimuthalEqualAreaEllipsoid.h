/* CKvLambertAzimuthalEqualAreaEllipsoid: the Lambert azimuthal equal-area
 * projection of the ellipsoid (EPSG Guidance Note 7-2, method 9820, with
 * the polar aspects of Snyder, "Map Projections - A Working Manual", 1987,
 * eqs. 24-13 to 24-18): the latitude goes to the authalic sphere of radius
 * R_q = a sqrt(q_P / 2) (beta = asin(q / q_P)), which is projected as
 * CKvLambertAzimuthalEqualAreaSphere does; the oblique aspect then
 * stretches eastings by D and shrinks northings by 1/D so that the scale is
 * true in every direction at the origin (D = 1 for the polar aspects).
 *
 * The formula object of CKvLambertAzimuthalEqualArea on an ellipsoid
 * (inverse flattening not 0). The authalic latitude is formed from
 * q_P - q written without cancellation, so points near the poles keep full
 * precision; the inverse takes the latitude from beta by the third-order
 * series in e^2 of the method, which alone is 1.4e-8 degrees (1.5 mm) off
 * on the earth's ellipsoids, and then one Newton step on q (Snyder 3-16):
 * the round trip returns the input to 1e-13 degrees.
 *
 * Parameters (CKvProjFormula::Setup): semi-major axis (metres), inverse
 * flattening (> 1) and eccentricity, central meridian and latitude of origin
 * (degrees), false easting and northing (metres).
 *
 * Valid range: the whole earth but the antipode of the origin and about
 * 90 m around it (NaN, as PROJ refuses them).
 * Longitudes any; outputs normalised into [-180, 180).
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvProjFormula::Setup setup;  // GRS 1980, 10, 52, 4321000, 3210000
 *   CKvLambertAzimuthalEqualAreaEllipsoid laea(setup);
 *   double x, y; laea.Geo2Proj(12.0, 50.0, &x, &y); */
#ifndef KVCART_FAMILIES_CKVLAMBERTAZIMUTHALEQUALAREAELLIPSOID_H
#define KVCART_FAMILIES_CKVLAMBERTAZIMUTHALEQUALAREAELLIPSOID_H

#include "KvCart/families/CKvLambertAzimuthalEqualAreaSphere.h"
#include "KvCart/families/CKvProjFormula.h"

class KVCART_API CKvLambertAzimuthalEqualAreaEllipsoid : public CKvProjFormula {
 public:
  explicit CKvLambertAzimuthalEqualAreaEllipsoid(const Setup& setup);
  CKvLambertAzimuthalEqualAreaEllipsoid(const CKvLambertAzimuthalEqualAreaEllipsoid&) = default;
  CKvLambertAzimuthalEqualAreaEllipsoid& operator=(const CKvLambertAzimuthalEqualAreaEllipsoid&) =
      default;
  ~CKvLambertAzimuthalEqualAreaEllipsoid() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // Oblique: +-3 degrees around the origin; polar: the pole +-200 km.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;

  // The authalic latitude beta of a geodetic latitude (radians).
  double AuthalicLatitude(double phi) const;
  // Its sine and cosine, without the angle.
  void AuthalicSinCos(double phi, double* sinBeta, double* cosBeta) const;
  kvcart::EAzimuthalAspect GetAspect() const { return m_authalic.GetAspect(); }

 private:
  static CKvLambertAzimuthalEqualAreaSphere AuthalicSphere(const Setup& setup);

  double m_qP;
  double m_D = 1.0;
  double m_series[4] = {};  // authalic to geodetic latitude (three used)
  CKvLambertAzimuthalEqualAreaSphere m_authalic;
};

#endif
