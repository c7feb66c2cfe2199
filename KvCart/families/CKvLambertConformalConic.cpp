// Lambert conformal conic (EPSG Guidance Note 7-2, methods 9801/9802).
#include "KvCart/families/CKvLambertConformalConic.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/ConformalLatitude.h"
#include "KvCart/families/ConicGeometry.h"
#include "KvCart/families/LatitudeFunctions.h"

void CKvLambertConformalConic::SetCone(double n, double F, double k0) {
  m_n = n;
  m_aFk = m_a * F * MapScale(k0);
  m_r0 = m_aFk * std::pow(kvcart::ConformalT(m_lat0, m_e), n);
  m_toGeodetic = kvcart::ConformalToGeodetic(m_e, m_f);
}

void CKvLambertConformalConic::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double r = m_aFk * std::pow(kvcart::ConformalT(lat * kvcart::kDegToRad, m_e), m_n);
  double theta = m_n * kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  kvcart::ConicToGrid(r, theta, m_r0, m_falseEasting, m_falseNorthing, x, y);
}

// t' = (r' / (a F k0))^(1/n): F and r' carry the sign of n, so the base is
// positive for either cone. t' gives the conformal latitude in closed form;
// its sixth-order series in the third flattening gives the geodetic latitude
// to rounding -- the same latitude as the fixed point on t, at a fraction of
// its cost (one sine and cosine instead of a power and a sine per step);
// a custom ellipsoid too flat for the series iterates instead.
void CKvLambertConformalConic::Proj2Geo(double x, double y, double* lon, double* lat) const {
  kvcart::ConicPolar p = kvcart::GridToConic(x, y, m_r0, m_n, m_falseEasting, m_falseNorthing);
  double t = std::pow(p.rho / m_aFk, 1.0 / m_n);
  double chi = kvcart::kPi / 2.0 - 2.0 * std::atan(t);
  *lat = m_toGeodetic.LatitudeOfChi(chi) * kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(m_lon0Deg + p.theta / m_n * kvcart::kRadToDeg);
}

double CKvLambertConformalConic::GetConvergence(double lon, double /*lat*/) const {
  return m_n * kvcart::NormalizeLongitude(lon - m_lon0Deg);
}
