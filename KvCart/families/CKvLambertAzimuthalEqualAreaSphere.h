/* CKvLambertAzimuthalEqualAreaSphere: the Lambert azimuthal equal-area
 * projection of a sphere of radius R (Snyder, "Map Projections - A Working
 * Manual", 1987, eqs. 24-2 to 24-4, 20-14, 20-15), all aspects in one
 * form: rho = 2 R sin(c/2) at angular distance c from the origin.
 *
 * The formula object of CKvLambertAzimuthalEqualArea on a sphere (inverse
 * flattening 0), and the authalic sphere of its ellipsoid object, which
 * uses the radian forms without false origin (OnSphere).
 *
 * Parameters (CKvProjFormula::Setup): R (metres), central meridian and
 * latitude of origin (degrees), false easting and northing (metres). Aspect
 * by the latitude of origin: 1 oblique, 2 north polar, 3 south polar (+-90
 * with a relative tolerance).
 *
 * Valid range: the whole sphere but the antipode of the origin and about
 * 90 m around it (NaN); plane points farther than 2R from the origin give
 * NaN. Accuracy: exact to rounding (atan2 forms; the origin itself inverts
 * to the origin), but for points within some 10 km of the antipode, whose
 * direction on the rim rests on the rounding of 1 + cos c (a millimetre
 * at 10 km, 6 cm at 1 km).
 *
 * Immutable after construction; conversions may run from several threads.
 *
 * Usage:
 *   CKvProjFormula::Setup setup;  // a = 6371000, lon0 = 10, lat0 = 52
 *   CKvLambertAzimuthalEqualAreaSphere s(setup);
 *   double x, y; s.Geo2Proj(12.0, 50.0, &x, &y); */
#ifndef KVCART_FAMILIES_CKVLAMBERTAZIMUTHALEQUALAREASPHERE_H
#define KVCART_FAMILIES_CKVLAMBERTAZIMUTHALEQUALAREASPHERE_H

#include "KvCart/families/AzimuthalGeometry.h"
#include "KvCart/families/CKvProjFormula.h"

class KVCART_API CKvLambertAzimuthalEqualAreaSphere : public CKvProjFormula {
 public:
  explicit CKvLambertAzimuthalEqualAreaSphere(const Setup& setup);
  // The same with the aspect given (the authalic sphere of an ellipsoid takes
  // the aspect of the geodetic latitude of origin).
  CKvLambertAzimuthalEqualAreaSphere(const Setup& setup, kvcart::EAzimuthalAspect aspect);
  CKvLambertAzimuthalEqualAreaSphere(const CKvLambertAzimuthalEqualAreaSphere&) = default;
  CKvLambertAzimuthalEqualAreaSphere& operator=(const CKvLambertAzimuthalEqualAreaSphere&) =
      default;
  ~CKvLambertAzimuthalEqualAreaSphere() override;

  void Geo2Proj(double lon, double lat, double* x, double* y) const override;
  void Proj2Geo(double x, double y, double* lon, double* lat) const override;
  // Oblique: +-3 degrees around the origin; polar: the pole +-200 km.
  void GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const override;

  // Radians in and out, plane offsets from the origin (no false origin);
  // the forward also from the sine and cosine of the latitude.
  void ForwardOnSphere(double phi, double dLambda, double* x, double* y) const;
  void ForwardOnSphere(double sinPhi, double cosPhi, double dLambda, double* x, double* y) const;
  void InverseOnSphere(double x, double y, double* phi, double* dLambda) const;

  kvcart::EAzimuthalAspect GetAspect() const { return m_aspect; }

 private:
  kvcart::EAzimuthalAspect m_aspect;
  kvcart::AzimuthalGeometry m_geometry;
};

#endif
