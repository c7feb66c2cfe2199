// Albers equal-area conic on the sphere (Snyder 14-1 to 14-11).
#include "KvCart/families/CKvAlbersEqualAreaSphere.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/ConicGeometry.h"

CKvAlbersEqualAreaSphere::CKvAlbersEqualAreaSphere(const Setup& setup) : CKvProjFormula(setup) {
  double s1 = std::sin(m_phi1);
  m_n = (s1 + std::sin(m_phi2)) / 2.0;
  double c1 = std::cos(m_phi1);
  m_C = c1 * c1 + 2.0 * m_n * s1;
  m_rho0 = Radius(m_lat0);
}

CKvAlbersEqualAreaSphere::~CKvAlbersEqualAreaSphere() = default;

double CKvAlbersEqualAreaSphere::Radius(double phi) const {
  return m_a * std::sqrt(m_C - 2.0 * m_n * std::sin(phi)) / m_n;
}

void CKvAlbersEqualAreaSphere::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double theta = m_n * LongitudeOffset(lon);
  kvcart::ConicToGrid(Radius(lat * kvcart::kDegToRad), theta, m_rho0, m_falseEasting,
                      m_falseNorthing, x, y);
}

void CKvAlbersEqualAreaSphere::Proj2Geo(double x, double y, double* lon, double* lat) const {
  kvcart::ConicPolar p = kvcart::GridToConic(x, y, m_rho0, m_n, m_falseEasting, m_falseNorthing);
  double rn = p.rho * m_n / m_a;
  double sinPhi = std::clamp((m_C - rn * rn) / (2.0 * m_n), -1.0, 1.0);
  *lat = std::asin(sinPhi) * kvcart::kRadToDeg;
  *lon = OutputLongitude(p.theta / m_n);
}
