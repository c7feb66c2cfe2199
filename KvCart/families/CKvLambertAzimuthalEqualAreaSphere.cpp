// Lambert azimuthal equal area on the sphere (Snyder 1987, eqs. 24-2..24-4,
// 20-14, 20-15, with rho = 2 R sin(c/2)).
#include "KvCart/families/CKvLambertAzimuthalEqualAreaSphere.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"

CKvLambertAzimuthalEqualAreaSphere::CKvLambertAzimuthalEqualAreaSphere(const Setup& setup)
    : CKvLambertAzimuthalEqualAreaSphere(setup, kvcart::AspectOfLatitude(setup.lat0)) {}

CKvLambertAzimuthalEqualAreaSphere::CKvLambertAzimuthalEqualAreaSphere(
    const Setup& setup, kvcart::EAzimuthalAspect aspect)
    : CKvProjFormula(setup), m_aspect(aspect), m_geometry(m_lat0, aspect) {}

CKvLambertAzimuthalEqualAreaSphere::~CKvLambertAzimuthalEqualAreaSphere() = default;

void CKvLambertAzimuthalEqualAreaSphere::ForwardOnSphere(double phi, double dLambda, double* x,
                                                         double* y) const {
  ForwardOnSphere(std::sin(phi), std::cos(phi), dLambda, x, y);
}

// k' = sqrt(2 / (1 + cos c)) (Snyder 24-3): the plane distance 2 R sin(c/2)
// over sin c. The antipode has no image (it would be the whole rim), and
// next to it the rounding of 1 + cos c decides the direction: within about
// 90 m of it (1 + cos c below 1e-10, where PROJ refuses too) the answer is
// NaN, never a point somewhere on the map.
void CKvLambertAzimuthalEqualAreaSphere::ForwardOnSphere(double sinPhi, double cosPhi,
                                                         double dLambda, double* x,
                                                         double* y) const {
  constexpr double kAntipode = 1e-10;
  double cosC, east, north;
  m_geometry.ForwardSinCos(sinPhi, cosPhi, dLambda, &cosC, &east, &north);
  if (!(1.0 + cosC > kAntipode)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double k = m_a * std::sqrt(2.0 / (1.0 + cosC));
  *x = k * east;
  *y = k * north;
}

// c = 2 asin(h), h = rho / 2R (Snyder 24-16), taken as sin c = 2 h sqrt(1 -
// h^2) and cos c = 1 - 2 h^2; beyond 2R there is no point (NaN).
void CKvLambertAzimuthalEqualAreaSphere::InverseOnSphere(double x, double y, double* phi,
                                                         double* dLambda) const {
  double h = std::hypot(x, y) / (2.0 * m_a);
  if (!(h <= 1.0)) {
    *phi = *dLambda = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double sinC = 2.0 * h * std::sqrt((1.0 - h) * (1.0 + h));
  m_geometry.Inverse(x, y, sinC, 1.0 - 2.0 * h * h, phi, dLambda);
}

void CKvLambertAzimuthalEqualAreaSphere::Geo2Proj(double lon, double lat, double* x,
                                                  double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double dx, dy;
  ForwardOnSphere(lat * kvcart::kDegToRad, LongitudeOffset(lon), &dx, &dy);
  *x = m_falseEasting + dx;
  *y = m_falseNorthing + dy;
}

void CKvLambertAzimuthalEqualAreaSphere::Proj2Geo(double x, double y, double* lon,
                                                  double* lat) const {
  double phi, dLambda;
  InverseOnSphere(x - m_falseEasting, y - m_falseNorthing, &phi, &dLambda);
  *lat = phi * kvcart::kRadToDeg;
  *lon = OutputLongitude(dLambda);
}

void CKvLambertAzimuthalEqualAreaSphere::GetDefaultArea(double* x0, double* y0, double* x1,
                                                        double* y1) const {
  kvcart::AzimuthalDefaultArea(*this, m_aspect, m_setup.lon0, m_setup.lat0, x0, y0, x1, y1);
}
