// Krovak oblique conformal conic (EPSG Guidance Note 7-2, method 9819) and
// the X/Y scale and plane-rotation step of the ESRI Krovak definition. The
// powers of tangents of the guidance note are written as exponentials of
// isometric latitudes: tan(pi/4 + phi/2) = exp(asinh(tan phi)), which stays
// finite and exact near the poles.
#include "KvCart/families/CKvKrovak.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/CKvKrovakProjection.h"
#include "KvCart/families/ConformalLatitude.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ClampUnit(double x) { return std::max(-1.0, std::min(1.0, x)); }

// ln tan(pi/4 + x/2) of a spherical latitude x.
double SphericalIsometric(double x) { return std::asinh(std::tan(x)); }

// The latitude whose ln tan(pi/4 + x/2) is psi (the Gudermannian).
double FromIsometric(double psi) { return std::atan(std::sinh(psi)); }

}  // namespace

CKvKrovak::CKvKrovak(const CKvKrovakProjection* record) : CKvProjectionFrame(*record) {
  SetOrigin(record->GetCenterLongitude(), record->GetCenterLatitude());
  SetFalseOrigin(record->GetFalseEasting(), record->GetFalseNorthing());
  ComputeConstants(record->GetScaleAtPseudoParallel(), record->GetPseudoParallel(),
                   record->GetCenterLatitude(), record->GetAzimuth());
  SetOrientation(record->GetXYPlaneRotation(), record->GetXScale(), record->GetYScale());
}

CKvKrovak::CKvKrovak(const std::string& name, double scaleAtPseudoParallel, double pseudoParallel,
                     double centerLongitude, double centerLatitude, double azimuth,
                     double xyPlaneRotation, double xScale, double yScale, double falseEasting,
                     double falseNorthing, const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid) {
  SetOrigin(centerLongitude, centerLatitude);
  SetFalseOrigin(falseEasting, falseNorthing);
  ComputeConstants(scaleAtPseudoParallel, pseudoParallel, centerLatitude, azimuth);
  SetOrientation(xyPlaneRotation, xScale, yScale);
}

CKvKrovak::~CKvKrovak() = default;

void CKvKrovak::ComputeConstants(double k, double pseudoParallel, double centerLatitude,
                                 double azimuth) {
  const double phiC = centerLatitude * kvcart::kDegToRad;
  const double phiP = pseudoParallel * kvcart::kDegToRad;
  const double alpha = azimuth * kvcart::kDegToRad;
  const double sinPhiC = std::sin(phiC);
  const double A = m_a * std::sqrt(1.0 - m_e2) / (1.0 - m_e2 * sinPhiC * sinPhiC);
  m_B = std::sqrt(1.0 + m_e2 * std::pow(std::cos(phiC), 4) / (1.0 - m_e2));
  const double gamma0 = std::asin(ClampUnit(sinPhiC / m_B));
  // t0 = tan(pi/4 + gamma0/2) ((1 + e sin phiC) / (1 - e sin phiC))^(eB/2) / tan^B(pi/4 + phiC/2)
  m_lnT0 = SphericalIsometric(gamma0) + m_e * m_B * std::atanh(m_e * sinPhiC) -
           m_B * SphericalIsometric(phiC);
  m_sinAlpha = std::sin(alpha);
  m_cosAlpha = std::cos(alpha);
  m_n = std::sin(phiP);
  m_r0 = MapScale(k) * A / std::tan(phiP);
  m_isoPseudo = SphericalIsometric(phiP);
  m_toGeodetic = kvcart::ConformalToGeodetic(m_e, m_e2 / (1.0 + std::sqrt(1.0 - m_e2)));
}

void CKvKrovak::SetOrientation(double xyPlaneRotation, double xScale, double yScale) {
  const double omega = xyPlaneRotation * kvcart::kDegToRad;
  m_cosOmega = std::cos(omega);
  m_sinOmega = std::sin(omega);
  // A scale of 0 (a definition read without "X_Scale" or "Y_Scale") would
  // fold the grid onto one line: no map, NaN.
  m_xScale = MapScale(xScale);
  m_yScale = MapScale(yScale);
}

void CKvKrovak::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = kNaN;
    return;
  }
  const double phi = lat * kvcart::kDegToRad;
  // U: latitude on the Gaussian sphere; V: longitude there, counted westward.
  const double U = FromIsometric(m_lnT0 + m_B * kvcart::IsometricLatitude(phi, m_e));
  const double V = -m_B * kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  const double sinU = std::sin(U), cosU = std::cos(U), cosV = std::cos(V);
  // T, D: latitude and longitude on the sphere turned to the cone axis.
  const double T = std::asin(ClampUnit(m_cosAlpha * sinU + m_sinAlpha * cosU * cosV));
  const double D = std::atan2(cosU * std::sin(V), m_cosAlpha * cosU * cosV - m_sinAlpha * sinU);
  const double theta = m_n * D;
  const double r = m_r0 * std::exp(m_n * (m_isoPseudo - SphericalIsometric(T)));
  const double p = m_xScale * r * std::cos(theta);  // southing X, scaled
  const double q = m_yScale * r * std::sin(theta);  // westing Y, scaled
  *x = m_falseEasting + p * m_cosOmega - q * m_sinOmega;
  *y = m_falseNorthing + q * m_cosOmega + p * m_sinOmega;
}

void CKvKrovak::Proj2Geo(double x, double y, double* lon, double* lat) const {
  const double de = x - m_falseEasting, dn = y - m_falseNorthing;
  const double X = (de * m_cosOmega + dn * m_sinOmega) / m_xScale;
  const double Y = (dn * m_cosOmega - de * m_sinOmega) / m_yScale;
  const double r = std::hypot(X, Y);
  const double D = std::atan2(Y, X) / m_n;
  const double T = FromIsometric(std::log(m_r0 / r) / m_n + m_isoPseudo);
  const double sinT = std::sin(T), cosT = std::cos(T), cosD = std::cos(D);
  const double U = std::asin(ClampUnit(m_cosAlpha * sinT - m_sinAlpha * cosT * cosD));
  const double V = std::atan2(cosT * std::sin(D), m_cosAlpha * cosT * cosD + m_sinAlpha * sinT);
  // The guidance note's fixed-point iteration on the latitude solves
  // (ln tan(pi/4 + U/2) - ln t0) / B = psi(phi); the conformal latitude of
  // that isometric latitude has tan(chi) = sinh(psi), and the series in the
  // third flattening gives phi from it to rounding without iterating.
  const double psi = (SphericalIsometric(U) - m_lnT0) / m_B;
  const double phi = m_toGeodetic.LatitudeOfTau(std::sinh(psi));
  *lat = phi * kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(m_lon0Deg - V / m_B * kvcart::kRadToDeg);
}

void CKvKrovak::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  constexpr double kHalfSize = 500000.0;
  double x, y;
  Geo2Proj(m_lon0Deg, m_lat0Deg, &x, &y);
  *x0 = x - kHalfSize;
  *y0 = y - kHalfSize;
  *x1 = x + kHalfSize;
  *y1 = y + kHalfSize;
}

CKvProjection* CKvKrovak::Clone() const { return new CKvKrovak(*this); }

void CKvKrovak::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvKrovakProjection>(parser);
}

// --- well-known text -----------------------------------------------------------

namespace {

// The PROJ axis letter of a direction word of an AXIS element, or 0.
char AxisLetter(const CString& direction) {
  std::string word = direction.GetString();
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (word == "EAST") return 'e';
  if (word == "WEST") return 'w';
  if (word == "NORTH") return 'n';
  if (word == "SOUTH") return 's';
  return 0;
}

// +1 or -1 for a value that is one of them (relative test), else 0.
int UnitSign(double value) {
  if (kvcart::IsRelEqual(value, 1.0)) return 1;
  if (kvcart::IsRelEqual(value, -1.0)) return -1;
  return 0;
}

// Quarter turns 0..3 of a rotation in degrees, or -1 for any other angle.
int QuarterTurns(double degrees) {
  const double turns = degrees / 90.0;
  const double whole = std::round(turns);
  if (!(std::fabs(turns - whole) <= kvcart::kRelTolerance * std::max(1.0, std::fabs(whole)))) {
    return -1;
  }
  return static_cast<int>(std::fmod(std::fmod(whole, 4.0) + 4.0, 4.0));
}

}  // namespace

bool CKvKrovak::IsOrientedByAxes(const CKvPRJParser& record) {
  const CString& text = record.GetSourceText();
  return !CKvPRJParser::IsSet(CKvPRJParser::GetParam(text, "X_Scale", CKvPRJParser::kUnset)) &&
         !CKvPRJParser::IsSet(CKvPRJParser::GetParam(text, "Y_Scale", CKvPRJParser::kUnset)) &&
         text.Find("AXIS[") >= 0;
}

// PROJ's krovak gives e = -Y and n = -X. With the orientation step,
// E = sx X cos w - sy Y sin w = -sx n cos w + sy e sin w and
// N = sy Y cos w + sx X sin w = -sy e cos w - sx n sin w.
std::string CKvKrovak::ProjAxisOf(const CKvPRJParser& record) {
  if (IsOrientedByAxes(record)) {
    CString name, first, second;
    record.GetAxisInfo(CKvPRJParser::eFirstAxis, name, first);
    record.GetAxisInfo(CKvPRJParser::eSecondAxis, name, second);
    const char a = AxisLetter(first), b = AxisLetter(second);
    if (a == 0 || b == 0) return "";
    return std::string{a, b, 'u'};
  }
  const int sx = UnitSign(record.GetXScale()), sy = UnitSign(record.GetYScale());
  CString unit;
  double radiansPerUnit = CKvPRJParser::kUnset;
  record.GetAngularUnit(unit, radiansPerUnit);
  const double degreesPerUnit =
      CKvPRJParser::IsSet(radiansPerUnit) ? radiansPerUnit * kvcart::kRadToDeg : 1.0;
  const int quarter = QuarterTurns(record.GetXYPlaneRotation() * degreesPerUnit);
  if (sx == 0 || sy == 0 || quarter < 0) return "";
  static constexpr int kCos[4] = {1, 0, -1, 0};
  static constexpr int kSin[4] = {0, 1, 0, -1};
  const int c = kCos[quarter], s = kSin[quarter];
  // Each grid axis is +-e or +-n.
  const char first = c == 0 ? (sy * s > 0 ? 'e' : 'w') : (-sx * c > 0 ? 'n' : 's');
  const char second = c == 0 ? (-sx * s > 0 ? 'n' : 's') : (-sy * c > 0 ? 'e' : 'w');
  return std::string{first, second, 'u'};
}
