// Stereographic: oblique through the Gauss conformal sphere (EPSG Guidance
// Note 7-2, method 9809) and polar with a scale at the pole (method 9810).
#include "KvCart/families/CKvStereographic.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/CKvStereographicProjection.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// 1 + cos c below which a point counts as the antipode of the origin (about
// 90 m from it, 1e12 m out on the plane, where PROJ refuses too): rounding
// decides its direction and distance there.
constexpr double kAntipode = 1e-10;

}  // namespace

CKvStereographic::CKvStereographic(const CKvStereographicProjection* record)
    : CKvProjectionFrame(*record) {
  Initialise(record->GetScale(), record->GetCentre(), record->GetOriginLatitude(),
             record->GetFalseEasting(), record->GetFalseNorthing());
}

CKvStereographic::CKvStereographic(const std::string& name, double k0, double centre,
                                   double originLat, double falseEasting, double falseNorthing,
                                   const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid) {
  Initialise(k0, centre, originLat, falseEasting, falseNorthing);
}

CKvStereographic::~CKvStereographic() = default;

void CKvStereographic::Initialise(double k0, double centre, double originLat, double falseEasting,
                                  double falseNorthing) {
  // A scale that is not positive defines no projection (a definition
  // section without "Scale" reads 0): NaN for every point rather than every
  // point on the false origin.
  m_k0 = k0 > 0.0 && std::isfinite(k0) ? k0 : kNaN;
  SetOrigin(centre, originLat);
  SetFalseOrigin(falseEasting, falseNorthing);
  m_aspect = kvcart::AspectOfLatitude(originLat);
  if (m_aspect == kvcart::eObliqueAspect) {
    InitialiseGaussSphere();
    return;
  }
  double sign = m_aspect == kvcart::eNorthPolarAspect ? 1.0 : -1.0;
  m_polar = kvcart::PolarStereographicKernel(
      sign, m_e, m_e2, kvcart::PolarStereographicKernel::ScaleAtPoleRadius(m_a, m_e, m_k0));
}

// The constants of method 9809 in their logarithmic form: w1 = exp(2 n psi0),
// sin(chi0') = tanh(n psi0), c from chi0', and chi0 the Gauss latitude of
// the origin.
void CKvStereographic::InitialiseGaussSphere() {
  double sinLat0 = std::sin(m_lat0), cosLat0 = std::cos(m_lat0);
  double w = 1.0 - m_e2 * sinLat0 * sinLat0;
  m_R = m_a * std::sqrt(1.0 - m_e2) / w;  // sqrt(rho0 nu0)
  m_n = std::sqrt(1.0 + m_e2 * std::pow(cosLat0, 4) / (1.0 - m_e2));
  double npsi0 = m_n * kvcart::IsometricLatitude(m_lat0, m_e);
  double sinChi = std::tanh(npsi0);
  double c = (m_n + sinLat0) * (1.0 - sinChi) / ((m_n - sinLat0) * (1.0 + sinChi));
  m_halfLogC = 0.5 * std::log(c);
  double sinChi0, cosChi0;
  GaussSinCos(m_lat0, &sinChi0, &cosChi0);
  m_chi0 = std::atan2(sinChi0, cosChi0);
  m_sphere = kvcart::AzimuthalGeometry(m_chi0, kvcart::eObliqueAspect);
  m_toGeodetic = kvcart::ConformalToGeodetic(m_e, m_f);
}

// sin(chi) = (w - 1)/(w + 1) with w = c ((1 + sin phi)/(1 - sin phi)
// ((1 - e sin phi)/(1 + e sin phi))^e)^n = exp(2 v), v = n psi + ln(c)/2, psi
// the isometric latitude: sin(chi) = tanh(v), cos(chi) = 1/cosh(v), from one
// exponential (this is the forward's hot path). psi is taken in its tangent
// form: atanh(sin phi) would lose the point's distance from a pole in
// 1 - sin(phi) (13 cm on RD New 11 cm from the south pole).
void CKvStereographic::GaussSinCos(double phi, double* sinChi, double* cosChi) const {
  double v = m_n * kvcart::IsometricLatitude(phi, m_e) + m_halfLogC;
  double ev = std::exp(v);
  if (!(ev > 0.0 && ev < std::numeric_limits<double>::infinity())) {  // a pole
    *sinChi = v > 0.0 ? 1.0 : -1.0;
    *cosChi = 0.0;
    return;
  }
  double inv = 1.0 / ev;
  *sinChi = (ev - inv) / (ev + inv);
  *cosChi = 2.0 / (ev + inv);
}

void CKvStereographic::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = kNaN;
    return;
  }
  double phi = lat * kvcart::kDegToRad;
  double dLambda = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  double dx, dy;
  if (m_aspect == kvcart::eObliqueAspect) {
    double sinChi, cosChi, cosC, east, north;
    GaussSinCos(phi, &sinChi, &cosChi);
    m_sphere.ForwardSinCos(sinChi, cosChi, m_n * dLambda, &cosC, &east, &north);
    if (!(1.0 + cosC > kAntipode)) {
      *x = *y = kNaN;
      return;
    }
    double k = 2.0 * m_R * m_k0 / (1.0 + cosC);
    dx = k * east;
    dy = k * north;
  } else {
    m_polar.Forward(phi, dLambda, &dx, &dy);
  }
  *x = m_falseEasting + dx;
  *y = m_falseNorthing + dy;
}

void CKvStereographic::Proj2Geo(double x, double y, double* lon, double* lat) const {
  double dx = x - m_falseEasting, dy = y - m_falseNorthing;
  double phi, dLambda;
  if (m_aspect == kvcart::eObliqueAspect) {
    double diameter = 2.0 * m_R * m_k0;
    double tanChi, bigLambda;
    m_sphere.InverseStereographic(dx / diameter, dy / diameter, &tanChi, &bigLambda);
    dLambda = bigLambda / m_n;
    double psi = (std::asinh(tanChi) - m_halfLogC) / m_n;
    phi = m_toGeodetic.LatitudeOfTau(std::sinh(psi));
  } else {
    m_polar.Inverse(dx, dy, &phi, &dLambda);
  }
  *lat = phi * kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(m_lon0Deg + dLambda * kvcart::kRadToDeg);
}

void CKvStereographic::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  kvcart::AzimuthalDefaultArea(*this, m_aspect, m_lon0Deg, m_lat0Deg, x0, y0, x1, y1);
}

CKvProjection* CKvStereographic::Clone() const { return new CKvStereographic(*this); }

void CKvStereographic::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvStereographicProjection>(parser);
}
