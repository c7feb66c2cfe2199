// Cassini-Soldner on the sphere (Snyder 13-1 to 13-7).
#include "KvCart/families/CKvCassiniSoldnerSphere.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"

CKvCassiniSoldnerSphere::CKvCassiniSoldnerSphere(const Setup& setup) : CKvProjFormula(setup) {}

CKvCassiniSoldnerSphere::~CKvCassiniSoldnerSphere() = default;

// atan2(sin phi, cos phi cos dlambda) is atan2(tan phi, cos dlambda) without
// the infinite tangent at the poles.
void CKvCassiniSoldnerSphere::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double phi = lat * kvcart::kDegToRad, dLambda = LongitudeOffset(lon);
  double cosPhi = std::cos(phi);
  *x = m_falseEasting + m_a * std::asin(std::clamp(cosPhi * std::sin(dLambda), -1.0, 1.0));
  *y = m_falseNorthing + m_a * (std::atan2(std::sin(phi), cosPhi * std::cos(dLambda)) - m_lat0);
}

void CKvCassiniSoldnerSphere::Proj2Geo(double x, double y, double* lon, double* lat) const {
  double D = (y - m_falseNorthing) / m_a + m_lat0;
  double xa = (x - m_falseEasting) / m_a;
  *lat = std::asin(std::clamp(std::sin(D) * std::cos(xa), -1.0, 1.0)) * kvcart::kRadToDeg;
  *lon = OutputLongitude(std::atan2(std::tan(xa), std::cos(D)));
}
