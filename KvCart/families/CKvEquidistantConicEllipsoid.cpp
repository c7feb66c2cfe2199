// Equidistant conic on the ellipsoid (Snyder 16-11 to 16-20).
#include "KvCart/families/CKvEquidistantConicEllipsoid.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/families/ConformalLatitude.h"
#include "KvCart/families/ConicGeometry.h"
#include "KvCart/families/LatitudeFunctions.h"

namespace {

// Parallels closer than this are one tangent parallel.
constexpr double kEqualParallels = 1e-10;

}  // namespace

CKvEquidistantConicEllipsoid::CKvEquidistantConicEllipsoid(const Setup& setup)
    : CKvProjFormula(setup) {
  using Data = CKvMapProjData;
  Data::ComputeFourierCoefficients(Data::eEquidistantConic, true, m_e2, m_arc);
  Data::ComputeFourierCoefficients(Data::eEquidistantConic, false, m_e2, m_footpoint);
  double m1 = kvcart::ParallelRadius(m_phi1, m_e2), m2 = kvcart::ParallelRadius(m_phi2, m_e2);
  double M1 = kvcart::MeridianArc(m_phi1, m_arc), M2 = kvcart::MeridianArc(m_phi2, m_arc);
  m_n = std::fabs(m_phi1 - m_phi2) < kEqualParallels ? std::sin(m_phi1) : (m1 - m2) / (M2 - M1);
  m_G = m1 / m_n + M1;
  m_rho0 = m_a * (m_G - kvcart::MeridianArc(m_lat0, m_arc));
}

CKvEquidistantConicEllipsoid::~CKvEquidistantConicEllipsoid() = default;

void CKvEquidistantConicEllipsoid::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double rho = m_a * (m_G - kvcart::MeridianArc(lat * kvcart::kDegToRad, m_arc));
  kvcart::ConicToGrid(rho, m_n * LongitudeOffset(lon), m_rho0, m_falseEasting, m_falseNorthing, x,
                      y);
}

void CKvEquidistantConicEllipsoid::Proj2Geo(double x, double y, double* lon, double* lat) const {
  kvcart::ConicPolar p = kvcart::GridToConic(x, y, m_rho0, m_n, m_falseEasting, m_falseNorthing);
  double mu = (m_G - p.rho / m_a) / m_arc[0];
  *lat = (mu + kvcart::SineSeries(m_footpoint, 4, mu)) * kvcart::kRadToDeg;
  *lon = OutputLongitude(p.theta / m_n);
}
