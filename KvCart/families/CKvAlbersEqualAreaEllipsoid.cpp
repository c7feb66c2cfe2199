// Albers equal-area conic on the ellipsoid (EPSG Guidance Note 7-2, method 9822).
#include "KvCart/families/CKvAlbersEqualAreaEllipsoid.h"

#include <algorithm>
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

CKvAlbersEqualAreaEllipsoid::CKvAlbersEqualAreaEllipsoid(const Setup& setup)
    : CKvProjFormula(setup) {
  double m1 = kvcart::ParallelRadius(m_phi1, m_e2), m2 = kvcart::ParallelRadius(m_phi2, m_e2);
  double q1 = kvcart::AuthalicQ(m_phi1, m_e), q2 = kvcart::AuthalicQ(m_phi2, m_e);
  m_n = std::fabs(m_phi1 - m_phi2) < kEqualParallels ? std::sin(m_phi1)
                                                     : (m1 * m1 - m2 * m2) / (q2 - q1);
  m_C = m1 * m1 + m_n * q1;
  m_rho0 = Radius(m_lat0);
  m_qPole = kvcart::AuthalicQ(kvcart::kPi / 2.0, m_e);
  CKvMapProjData::ComputeFourierCoefficients(CKvMapProjData::eAlbersEqualArea, false, m_e2,
                                             m_authalic);
}

CKvAlbersEqualAreaEllipsoid::~CKvAlbersEqualAreaEllipsoid() = default;

double CKvAlbersEqualAreaEllipsoid::Radius(double phi) const {
  return m_a * std::sqrt(m_C - m_n * kvcart::AuthalicQ(phi, m_e)) / m_n;
}

void CKvAlbersEqualAreaEllipsoid::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double theta = m_n * LongitudeOffset(lon);
  kvcart::ConicToGrid(Radius(lat * kvcart::kDegToRad), theta, m_rho0, m_falseEasting,
                      m_falseNorthing, x, y);
}

// The authalic latitude beta' = asin(q' / q_pole) (rounding may carry the
// quotient a little past 1 next to the poles); its series gives the
// latitude to 1.5e-8 degrees, a Newton step on q to rounding.
void CKvAlbersEqualAreaEllipsoid::Proj2Geo(double x, double y, double* lon, double* lat) const {
  kvcart::ConicPolar p = kvcart::GridToConic(x, y, m_rho0, m_n, m_falseEasting, m_falseNorthing);
  double rn = p.rho * m_n / m_a;
  double q = (m_C - rn * rn) / m_n;
  double beta = std::asin(std::clamp(q / m_qPole, -1.0, 1.0));
  double start = beta + kvcart::SineSeries(m_authalic, 3, beta);
  *lat = kvcart::LatitudeOfAuthalicQ(q, m_e, start) * kvcart::kRadToDeg;
  *lon = OutputLongitude(p.theta / m_n);
}
