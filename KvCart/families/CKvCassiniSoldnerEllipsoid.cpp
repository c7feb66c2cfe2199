// Cassini-Soldner on the ellipsoid (EPSG Guidance Note 7-2, method 9806).
#include "KvCart/families/CKvCassiniSoldnerEllipsoid.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/families/ConformalLatitude.h"
#include "KvCart/families/LatitudeFunctions.h"

CKvCassiniSoldnerEllipsoid::CKvCassiniSoldnerEllipsoid(const Setup& setup) : CKvProjFormula(setup) {
  using Data = CKvMapProjData;
  Data::ComputeFourierCoefficients(Data::eCassiniSoldner, true, m_e2, m_arc);
  Data::ComputeFourierCoefficients(Data::eCassiniSoldner, false, m_e2, m_footpoint);
  m_M0 = m_a * kvcart::MeridianArc(m_lat0, m_arc);
}

CKvCassiniSoldnerEllipsoid::~CKvCassiniSoldnerEllipsoid() = default;

void CKvCassiniSoldnerEllipsoid::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double phi = lat * kvcart::kDegToRad;
  double sinPhi = std::sin(phi), cosPhi = std::cos(phi), tanPhi = sinPhi / cosPhi;
  double A = LongitudeOffset(lon) * cosPhi, A2 = A * A;
  double T = tanPhi * tanPhi;
  double K = m_e2 * cosPhi * cosPhi / (1.0 - m_e2);
  double nu = m_a / std::sqrt(1.0 - m_e2 * sinPhi * sinPhi);
  double M = m_a * kvcart::MeridianArc(phi, m_arc);
  *x = m_falseEasting + nu * A * (1.0 - T * A2 / 6.0 - (8.0 - T + 8.0 * K) * T * A2 * A2 / 120.0);
  *y = m_falseNorthing + M - m_M0 + nu * tanPhi * A2 * (0.5 + (5.0 - T + 6.0 * K) * A2 / 24.0);
}

void CKvCassiniSoldnerEllipsoid::Proj2Geo(double x, double y, double* lon, double* lat) const {
  double mu = (m_M0 + (y - m_falseNorthing)) / (m_a * m_arc[0]);
  double phi1 = mu + kvcart::SineSeries(m_footpoint, 4, mu);
  double sinPhi = std::sin(phi1), cosPhi = std::cos(phi1), tanPhi = sinPhi / cosPhi;
  double T = tanPhi * tanPhi;
  double w = 1.0 - m_e2 * sinPhi * sinPhi;
  double nu = m_a / std::sqrt(w);
  double rho = m_a * (1.0 - m_e2) / (w * std::sqrt(w));
  double D = (x - m_falseEasting) / nu, D2 = D * D;
  double phi = phi1 - (nu * tanPhi / rho) * D2 * (0.5 - (1.0 + 3.0 * T) * D2 / 24.0);
  double dLambda = D * (1.0 - T * D2 / 3.0 + (1.0 + 3.0 * T) * T * D2 * D2 / 15.0) / cosPhi;
  *lat = phi * kvcart::kRadToDeg;
  *lon = OutputLongitude(dLambda);
}
