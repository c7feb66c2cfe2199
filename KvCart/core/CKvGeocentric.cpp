#include "KvCart/core/CKvGeocentric.h"

#include <cmath>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvEllipsoid.h"

namespace {

double SquaredEccentricity(double inverseFlattening) {
  if (inverseFlattening <= 0.0) return 0.0;  // a sphere
  const double f = 1.0 / inverseFlattening;
  return f * (2.0 - f);
}

}  // namespace

CKvGeocentric::CKvGeocentric(double semiMajorAxis, double inverseFlattening)
    : m_a(semiMajorAxis), m_e2(SquaredEccentricity(inverseFlattening)) {}

CKvGeocentric::CKvGeocentric(const CKvEllipsoid& ellipsoid)
    : CKvGeocentric(ellipsoid.GetMajor(), ellipsoid.GetInvFlatness()) {}

CKvGeocentric::~CKvGeocentric() = default;

void CKvGeocentric::Geo2XYZ(double lon, double lat, double height, double* x, double* y,
                            double* z) const {
  const double phi = lat * kvcart::kDegToRad;
  const double lambda = kvcart::NormalizeLongitude(lon) * kvcart::kDegToRad;
  const double sinPhi = std::sin(phi);
  const double cosPhi = std::cos(phi);
  // Prime vertical radius of curvature.
  const double n = m_a / std::sqrt(1.0 - m_e2 * sinPhi * sinPhi);
  *x = (n + height) * cosPhi * std::cos(lambda);
  *y = (n + height) * cosPhi * std::sin(lambda);
  *z = ((1.0 - m_e2) * n + height) * sinPhi;
}

void CKvGeocentric::XYZ2Geo(double x, double y, double z, double* lon, double* lat,
                            double* height) const {
  const double r = std::hypot(x, y);
  // atan2 of (0, 0) is 0: a point on the polar axis gets longitude 0.
  *lon = kvcart::NormalizeLongitude(std::atan2(y, x) * kvcart::kRadToDeg);
  double phi = 0.0;
  Meridian(r, z, &phi, height);
  *lat = phi * kvcart::kRadToDeg;
}

// Vermeille's closed form in the meridian plane. With p, q the squared
// distances from the axis and the equator scaled by a^2 (q also by 1 - e^2),
// k solves the quartic of the foot point; d is the foot point's distance
// from the axis measured on the line through the point and the centre of
// curvature. Near the centre (inside the evolute, within e^2 a of it) the
// cubic has three real roots and the trigonometric form replaces the cube
// root; exactly on the equatorial plane there the foot point is found
// directly.
void CKvGeocentric::Meridian(double r, double z, double* lat, double* height) const {
  const double e4 = m_e2 * m_e2;
  const double p = (r / m_a) * (r / m_a);
  const double q = (1.0 - m_e2) * (z / m_a) * (z / m_a);
  const double s = (p + q - e4) / 6.0;
  if (e4 * q == 0.0 && s <= 0.0) {
    if (m_e2 == 0.0) {  // the centre of a sphere
      *lat = kvcart::kPi / 2.0;
      *height = -m_a;
      return;
    }
    // On the equatorial plane inside the evolute: two foot points above and
    // below; take the northern one (the southern for z < 0).
    const double zz = std::sqrt((e4 - p) / (1.0 - m_e2));
    const double xx = std::sqrt(p);
    const double h = std::hypot(zz, xx);
    *lat = std::atan2(std::signbit(z) ? -zz : zz, xx);
    *height = -m_a * (1.0 - m_e2) * h / m_e2;
    return;
  }
  const double t = e4 * p * q / 4.0;
  const double s2 = s * s;
  const double s3 = s * s2;
  const double disc = t * (2.0 * s3 + t);
  double u = s;
  if (disc >= 0.0) {
    double c3 = t + s3;
    c3 += c3 < 0.0 ? -std::sqrt(disc) : std::sqrt(disc);  // avoid cancellation
    const double c = std::cbrt(c3);
    u += c + (c != 0.0 ? s2 / c : 0.0);
  } else {
    const double angle = std::atan2(std::sqrt(-disc), -(t + s3));
    u += 2.0 * s * std::cos(angle / 3.0);
  }
  const double v = std::sqrt(u * u + e4 * q);
  const double uv = u < 0.0 ? e4 * q / (v - u) : u + v;  // u + v without cancellation
  const double w = std::fmax(0.0, m_e2 * (uv - q) / (2.0 * v));
  const double k = uv / (std::sqrt(uv + w * w) + w);
  const double d = k * r / (k + m_e2);
  *lat = std::atan2(z * (k + m_e2) / k, r);  // = atan2(z, d) scaled
  *height = (1.0 - (1.0 - m_e2) / k) * std::hypot(d, z);
}
