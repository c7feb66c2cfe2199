// Equidistant conic on the sphere (Snyder 16-1 to 16-10).
#include "KvCart/families/CKvEquidistantConicSphere.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/ConicGeometry.h"

namespace {

// Parallels closer than this are one tangent parallel.
constexpr double kEqualParallels = 1e-10;

}  // namespace

CKvEquidistantConicSphere::CKvEquidistantConicSphere(const Setup& setup) : CKvProjFormula(setup) {
  m_n = std::fabs(m_phi1 - m_phi2) < kEqualParallels
            ? std::sin(m_phi1)
            : (std::cos(m_phi1) - std::cos(m_phi2)) / (m_phi2 - m_phi1);
  m_G = std::cos(m_phi1) / m_n + m_phi1;
  m_rho0 = m_a * (m_G - m_lat0);
}

CKvEquidistantConicSphere::~CKvEquidistantConicSphere() = default;

void CKvEquidistantConicSphere::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double rho = m_a * (m_G - lat * kvcart::kDegToRad);
  kvcart::ConicToGrid(rho, m_n * LongitudeOffset(lon), m_rho0, m_falseEasting, m_falseNorthing, x,
                      y);
}

void CKvEquidistantConicSphere::Proj2Geo(double x, double y, double* lon, double* lat) const {
  kvcart::ConicPolar p = kvcart::GridToConic(x, y, m_rho0, m_n, m_falseEasting, m_falseNorthing);
  *lat = (m_G - p.rho / m_a) * kvcart::kRadToDeg;
  *lon = OutputLongitude(p.theta / m_n);
}
