// Hotine oblique Mercator (EPSG Guidance Note 7-2, methods 9812 "variant A"
// and 9815 "variant B"), with H = F t0^B, u and lambda from atan2 (so the
// far side of the centre line keeps its sign), and the arcsines of the
// constants written as atan2 (exact for the azimuth 90 of the Swiss grids).
#include "KvCart/families/CKvHotineObliqueMercator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/CKvHotineObliqueMercatorProjection.h"
#include "KvCart/families/ConformalLatitude.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ClampUnit(double x) { return std::max(-1.0, std::min(1.0, x)); }

}  // namespace

CKvHotineObliqueMercator::CKvHotineObliqueMercator(const CKvHotineObliqueMercatorProjection* record)
    : CKvHotineObliqueMercator(*record, eNaturalOrigin) {}

CKvHotineObliqueMercator::CKvHotineObliqueMercator(const std::string& name, double scale,
                                                   double centerLongitude, double centerLatitude,
                                                   double azimuth, double falseEasting,
                                                   double falseNorthing,
                                                   const CKvEllipsoid& ellipsoid)
    : CKvHotineObliqueMercator(name,
                               Definition{scale, centerLongitude, centerLatitude, azimuth, azimuth,
                                          falseEasting, falseNorthing, eNaturalOrigin},
                               ellipsoid) {}

CKvHotineObliqueMercator::CKvHotineObliqueMercator(const std::string& name,
                                                   const Definition& definition,
                                                   const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid) {
  ComputeConstants(definition);
}

CKvHotineObliqueMercator::CKvHotineObliqueMercator(const CKvObliqueMercatorDataFrame& record,
                                                   EOrigin origin)
    : CKvProjectionFrame(record) {
  ComputeConstants(Definition{record.GetScale(), record.GetCenterLongitude(),
                              record.GetCenterLatitude(), record.GetAzimuth(),
                              record.GetRectificationAngle(), record.GetFalseEasting(),
                              record.GetFalseNorthing(), origin});
}

CKvHotineObliqueMercator::~CKvHotineObliqueMercator() = default;

// The constants of the guidance note, in its order.
void CKvHotineObliqueMercator::ComputeConstants(const Definition& d) {
  SetOrigin(d.centerLongitude, d.centerLatitude);
  SetFalseOrigin(d.falseEasting, d.falseNorthing);
  const double phiC = m_lat0, alphaC = d.azimuth * kvcart::kDegToRad;
  const double sinPhiC = std::sin(phiC), cosPhiC = std::cos(phiC);
  const double w2 = 1.0 - m_e2 * sinPhiC * sinPhiC;
  const double sign = phiC < 0.0 ? -1.0 : 1.0;
  m_B = std::sqrt(1.0 + m_e2 * std::pow(cosPhiC, 4) / (1.0 - m_e2));
  m_A = m_a * m_B * MapScale(d.scale) * std::sqrt(1.0 - m_e2) / w2;
  // D >= 1 in exact arithmetic (D = 1 on the equator); rounding may go below.
  const double D = std::max(1.0, m_B * std::sqrt(1.0 - m_e2) / (cosPhiC * std::sqrt(w2)));
  const double rootD = std::sqrt(D * D - 1.0);
  const double F = D + rootD * sign;
  m_lnH = std::log(F) - m_B * kvcart::IsometricLatitude(phiC, m_e);  // t0 = exp(-psi0)
  // gamma0 = asin(sin(alphaC) / D) and lambda_c - lambda_0 = asin(G tan(gamma0)) / B,
  // with G = sign sqrt(D^2 - 1), as atan2 of the same sine and cosine: near
  // the azimuth 90 (the Swiss grids) both arcsine arguments approach 1, where
  // a rounding of the argument by 1e-16 moves the natural origin by
  // centimetres (or past 1, to NaN).
  const double sinAlpha = std::sin(alphaC), cosAlpha = std::cos(alphaC);
  const double gamma0 = std::atan2(sinAlpha, std::hypot(rootD, cosAlpha));
  m_sinGamma0 = std::sin(gamma0);
  m_cosGamma0 = std::cos(gamma0);
  m_centreToNatural = std::atan2(sign * sinAlpha * rootD, std::fabs(cosAlpha) * D) / m_B;
  m_lambda0Deg = d.centerLongitude - m_centreToNatural * kvcart::kRadToDeg;
  if (d.origin == eCentreOrigin) {
    // u of the centre. For the azimuth 90 the guidance note takes
    // A (lambda_c - lambda_0), which the general form equals there.
    const double uC = kvcart::IsRelEqual(d.azimuth, 90.0)
                          ? m_A * m_centreToNatural
                          : m_A / m_B * std::atan2(rootD, cosAlpha) * sign;
    m_uOffset = std::fabs(uC) * sign;
  }
  const double gammaC = d.rectificationAngle * kvcart::kDegToRad;
  m_sinGammaC = std::sin(gammaC);
  m_cosGammaC = std::cos(gammaC);
  m_toGeodetic = kvcart::ConformalToGeodetic(m_e, m_e2 / (1.0 + std::sqrt(1.0 - m_e2)));
}

void CKvHotineObliqueMercator::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = kNaN;
    return;
  }
  const double dLambda = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  const double bl = m_B * (dLambda + m_centreToNatural);
  // Q = H / t^B with ln(1/t) the isometric latitude.
  const double Q = std::exp(m_lnH + m_B * kvcart::IsometricLatitude(lat * kvcart::kDegToRad, m_e));
  const double S = (Q - 1.0 / Q) / 2.0, T = (Q + 1.0 / Q) / 2.0;
  const double V = std::sin(bl);
  const double U = (-V * m_cosGamma0 + S * m_sinGamma0) / T;
  const double v = -m_A / m_B * std::atanh(U);  // A ln((1 - U) / (1 + U)) / 2B
  const double u =
      m_A / m_B * std::atan2(S * m_cosGamma0 + V * m_sinGamma0, std::cos(bl)) - m_uOffset;
  *x = v * m_cosGammaC + u * m_sinGammaC + m_falseEasting;
  *y = u * m_cosGammaC - v * m_sinGammaC + m_falseNorthing;
}

void CKvHotineObliqueMercator::Proj2Geo(double x, double y, double* lon, double* lat) const {
  const double dx = x - m_falseEasting, dy = y - m_falseNorthing;
  const double v = dx * m_cosGammaC - dy * m_sinGammaC;
  const double u = dy * m_cosGammaC + dx * m_sinGammaC + m_uOffset;
  const double Q = std::exp(-m_B * v / m_A);
  const double S = (Q - 1.0 / Q) / 2.0, T = (Q + 1.0 / Q) / 2.0;
  const double bu = m_B * u / m_A;
  const double V = std::sin(bu);
  const double U = ClampUnit((V * m_cosGamma0 + S * m_sinGamma0) / T);
  // chi = pi/2 - 2 atan t', t' = (H / sqrt((1 + U) / (1 - U)))^(1/B), that
  // is tan(chi) = sinh((atanh(U) - ln H) / B).
  const double phi = m_toGeodetic.LatitudeOfTau(std::sinh((std::atanh(U) - m_lnH) / m_B));
  const double lambda = -std::atan2(S * m_cosGamma0 - V * m_sinGamma0, std::cos(bu)) / m_B;
  *lat = phi * kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(m_lambda0Deg + lambda * kvcart::kRadToDeg);
}

CKvProjection* CKvHotineObliqueMercator::Clone() const {
  return new CKvHotineObliqueMercator(*this);
}

void CKvHotineObliqueMercator::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvHotineObliqueMercatorProjection>(parser);
}
