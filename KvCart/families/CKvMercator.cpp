// Mercator (EPSG Guidance Note 7-2, methods 9804/9805).
#include "KvCart/families/CKvMercator.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/ConformalLatitude.h"

namespace {

// The world box of a Mercator on the Greenwich meridian.
constexpr double kWorldSouth = -60.0;
constexpr double kWorldNorth = 81.0;

}  // namespace

void CKvMercator::Setup(double k0, double centralMeridian, double falseEasting,
                        double falseNorthing) {
  SetOrigin(centralMeridian, 0.0);
  SetFalseOrigin(falseEasting, falseNorthing);
  m_k0 = MapScale(k0);
  m_ak0 = m_a * m_k0;
  m_toGeodetic = kvcart::ConformalToGeodetic(m_e, m_e2 / (1.0 + std::sqrt(1.0 - m_e2)));
}

void CKvMercator::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double dLambda = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  *x = m_falseEasting + m_ak0 * dLambda;
  *y = m_falseNorthing + m_ak0 * kvcart::IsometricLatitude(lat * kvcart::kDegToRad, m_e);
}

void CKvMercator::Proj2Geo(double x, double y, double* lon, double* lat) const {
  // tan(chi) = sinh(psi) of the isometric latitude psi = (N - FN) / (a k0).
  *lat = m_toGeodetic.LatitudeOfTau(std::sinh((y - m_falseNorthing) / m_ak0)) * kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(m_lon0Deg + (x - m_falseEasting) / m_ak0 * kvcart::kRadToDeg);
}

// The eastern edge of the world box is 180 degrees from the central meridian,
// which the longitude reduction would carry to -180: its easting is taken
// from the edge's distance instead.
void CKvMercator::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  if (m_lon0Deg != 0.0) {
    CKvProjectionFrame::GetDefaultArea(x0, y0, x1, y1);
    return;
  }
  double ignored;
  Geo2Proj(-180.0, kWorldSouth, x0, y0);
  Geo2Proj(0.0, kWorldNorth, &ignored, y1);
  *x1 = m_falseEasting + m_ak0 * kvcart::kPi;
}
