#include "KvCart/families/CKvIsoMetric.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"

namespace {

// The unit vector from (x0, y0) to (x, y) and the distance; a zero distance
// leaves a zero vector (no direction).
double UnitVector(double x0, double y0, double x, double y, double u[2]) {
  double length = std::hypot(x - x0, y - y0);
  if (length > 0.0) {
    u[0] = (x - x0) / length;
    u[1] = (y - y0) / length;
  }
  return length;
}

}  // namespace

CKvIsoMetric::CKvIsoMetric(double x0, double y0, double x1, double y1, double x2, double y2,
                           double lon0, double lat0, double lon1, double lat2)
    : m_x0(x0), m_y0(y0), m_lon0(lon0), m_lat0(lat0) {
  m_s1 = (lon1 - lon0) / UnitVector(x0, y0, x1, y1, m_u1);
  m_s2 = (lat2 - lat0) / UnitVector(x0, y0, x2, y2, m_u2);
}

CKvIsoMetric::~CKvIsoMetric() = default;

void CKvIsoMetric::Proj2Geo(double x, double y, double* lon, double* lat) const {
  double dx = x - m_x0, dy = y - m_y0;
  *lon = kvcart::NormalizeLongitude((m_u1[0] * dx + m_u1[1] * dy) * m_s1 + m_lon0);
  *lat = (m_u2[0] * dx + m_u2[1] * dy) * m_s2 + m_lat0;
}

// u1 . d = (lon - lon0) / s1 and u2 . d = (lat - lat0) / s2, solved for d by
// Cramer's rule; the longitude difference is taken the short way round.
void CKvIsoMetric::Geo2Proj(double lon, double lat, double* x, double* y) const {
  double p = kvcart::NormalizeLongitude(lon - m_lon0) / m_s1;
  double q = (lat - m_lat0) / m_s2;
  double det = m_u1[0] * m_u2[1] - m_u1[1] * m_u2[0];
  if (!(std::isfinite(p) && std::isfinite(q)) || det == 0.0) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  *x = m_x0 + (p * m_u2[1] - q * m_u1[1]) / det;
  *y = m_y0 + (q * m_u1[0] - p * m_u2[0]) / det;
}

void CKvIsoMetric::GetOrigin(double* lon, double* lat) const {
  *lon = m_lon0;
  *lat = m_lat0;
}

CKvProjection* CKvIsoMetric::Clone() const { return new CKvIsoMetric(*this); }

void CKvIsoMetric::TransferParameters(CKvPRJParser&) const {}
