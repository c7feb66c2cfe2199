// Transverse Mercator by Krueger's n-series (EPSG Guidance Note 7-2, method
// 9807; Karney, "Transverse Mercator with an accuracy of a few nanometers",
// J. Geodesy 85 (2011), eqs. 7-11 and 15-16 for the atan2 forms).
#include "KvCart/families/CKvTransverseMercatorJHS.h"

#include <cmath>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/LocalGrid.h"
#include "KvCart/families/CKvTransverseMercatorProjection.h"
#include "KvCart/families/GaussianLatitude.h"
#include "KvCart/families/TransverseMercatorFactors.h"

namespace {

// Multiple angles of the Krueger series: sin(2j xi) cosh(2j eta) and
// cos(2j xi) sinh(2j eta) for j = 1..4, built from the double angle by the
// doubling and addition recurrences, with no further trigonometric calls.
struct MultipleAngles {
  double sinCosh[4];
  double cosSinh[4];
};

MultipleAngles ComputeMultiples(double s2, double c2, double sh2, double ch2) {
  double s4 = 2.0 * s2 * c2, c4 = c2 * c2 - s2 * s2;
  double sh4 = 2.0 * sh2 * ch2, ch4 = ch2 * ch2 + sh2 * sh2;
  double s6 = s4 * c2 + c4 * s2, c6 = c4 * c2 - s4 * s2;
  double sh6 = sh4 * ch2 + ch4 * sh2, ch6 = ch4 * ch2 + sh4 * sh2;
  double s8 = 2.0 * s4 * c4, c8 = c4 * c4 - s4 * s4;
  double sh8 = 2.0 * sh4 * ch4, ch8 = ch4 * ch4 + sh4 * sh4;
  return {{s2 * ch2, s4 * ch4, s6 * ch6, s8 * ch8}, {c2 * sh2, c4 * sh4, c6 * sh6, c8 * sh8}};
}

// (xi, eta) += sign * sum c_j (sin 2j xi cosh 2j eta, cos 2j xi sinh 2j eta),
// given the double angles of the point.
void ApplySeries(const double* c, double sign, double s2, double c2, double sh2, double ch2,
                 double& xi, double& eta) {
  MultipleAngles m = ComputeMultiples(s2, c2, sh2, ch2);
  double dXi = 0.0, dEta = 0.0;
  for (int j = 3; j >= 0; --j) {  // smallest terms first
    dXi += c[j] * m.sinCosh[j];
    dEta += c[j] * m.cosSinh[j];
  }
  xi += sign * dXi;
  eta += sign * dEta;
}

// The same from (xi, eta) alone: one sincos and one exp.
void ApplySeries(const double* c, double sign, double& xi, double& eta) {
  double ex = std::exp(2.0 * eta), inv = 1.0 / ex;
  ApplySeries(c, sign, std::sin(2.0 * xi), std::cos(2.0 * xi), 0.5 * (ex - inv), 0.5 * (ex + inv),
              xi, eta);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

CKvTransverseMercatorJHS::CKvTransverseMercatorJHS(const CKvTransverseMercatorProjection* record)
    : CKvProjectionFrame(*record), m_k0(record->GetScale()) {
  SetOrigin(record->GetCentre(), record->GetOriginLatitude());
  SetFalseOrigin(record->GetFalseEasting(), record->GetFalseNorthing());
  m_local = kvcart::IsLocalGridText(GetName());
  ComputeCoefficients();
}

CKvTransverseMercatorJHS::CKvTransverseMercatorJHS(const std::string& name, double k0,
                                                   double centre, double originLat,
                                                   double falseEasting, double falseNorthing,
                                                   const CKvEllipsoid& ellipsoid,
                                                   bool southOrientated)
    : CKvProjectionFrame(name, ellipsoid), m_k0(k0), m_axisSign(southOrientated ? -1.0 : 1.0) {
  SetOrigin(centre, originLat);
  SetFalseOrigin(falseEasting, falseNorthing);
  m_local = kvcart::IsLocalGridText(GetName());
  ComputeCoefficients();
}

CKvTransverseMercatorJHS::~CKvTransverseMercatorJHS() = default;

void CKvTransverseMercatorJHS::ComputeCoefficients() {
  if (!m_local) m_k0 = MapScale(m_k0);  // the local system converts without one
  m_n = m_f / (2.0 - m_f);
  double n2 = m_n * m_n;
  m_A1 = m_a * (1.0 + n2 / 4.0 + n2 * n2 / 64.0) / (1.0 + m_n);
  CKvMapProjData::ComputeFourierCoefficients(CKvMapProjData::eTransverseMercator, true, m_n,
                                             m_alpha);
  CKvMapProjData::ComputeFourierCoefficients(CKvMapProjData::eTransverseMercator, false, m_n,
                                             m_beta);
  kvcart::GaussianToGeodeticCoefficients(m_n, m_gaussToGeodetic);
  kvcart::GeodeticToGaussianCoefficients(m_n, m_geodeticToGauss);  // before M0
  const double halfPi = kvcart::kPi / 2.0;
  if (m_lat0 == 0.0) {
    m_M0 = 0.0;
  } else if (kvcart::IsRelEqual(m_lat0, halfPi)) {
    m_M0 = m_A1 * halfPi;  // the series is exact at the pole: xi = pi/2
  } else if (kvcart::IsRelEqual(m_lat0, -halfPi)) {
    m_M0 = -m_A1 * halfPi;
  } else {
    m_M0 = m_A1 * ConformalXi(m_lat0);
  }
}

// xi of a point on the central meridian: its conformal latitude (by the
// same series as Geo2Proj, so that the origin maps exactly to the false
// origin) carried through the forward series.
double CKvTransverseMercatorJHS::ConformalXi(double phi) const {
  double xi = kvcart::ClenshawSin(m_geodeticToGauss, phi), eta = 0.0;
  ApplySeries(m_alpha, 1.0, xi, eta);
  return xi;
}

void CKvTransverseMercatorJHS::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (m_local) {
    *x = lon;
    *y = lat;
    return;
  }
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = kNaN;
    return;
  }
  double phi = lat * kvcart::kDegToRad;
  double dLambda = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  // Conformal latitude by its series in n (the double angle of phi needs no
  // trigonometric call beyond sin and cos of phi).
  double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
  double chi = kvcart::ClenshawSin(m_geodeticToGauss, phi, 2.0 * sinPhi * cosPhi,
                                   cosPhi * cosPhi - sinPhi * sinPhi);
  double sinChi = std::sin(chi), cosChi = std::cos(chi);
  double sinL = std::sin(dLambda), cosL = std::cos(dLambda);
  // The spherical transverse Mercator of the conformal sphere (Karney 2011,
  // eq. 10); atan2 carries points more than a quarter turn from the central
  // meridian to the far side.
  double along = cosChi * cosL, r = std::hypot(sinChi, along);
  double sinhEta = cosChi * sinL / r, coshEta = std::sqrt(1.0 + sinhEta * sinhEta);
  double sinXi = sinChi / r, cosXi = along / r;
  double xi = std::atan2(sinChi, along), eta = std::asinh(sinhEta);
  ApplySeries(m_alpha, 1.0, 2.0 * sinXi * cosXi, cosXi * cosXi - sinXi * sinXi,
              2.0 * sinhEta * coshEta, 1.0 + 2.0 * sinhEta * sinhEta, xi, eta);
  *x = m_falseEasting + m_axisSign * m_k0 * m_A1 * eta;
  *y = m_falseNorthing + m_axisSign * m_k0 * (m_A1 * xi - m_M0);
}

void CKvTransverseMercatorJHS::Proj2Geo(double x, double y, double* lon, double* lat) const {
  if (m_local) {
    *lon = x;
    *lat = y;
    return;
  }
  double scale = m_k0 * m_A1;
  double xi = (m_axisSign * (y - m_falseNorthing) + m_k0 * m_M0) / scale;
  double eta = m_axisSign * (x - m_falseEasting) / scale;
  ApplySeries(m_beta, -1.0, xi, eta);
  double sinXi = std::sin(xi), cosXi = std::cos(xi);
  double ex = std::exp(eta), sinhEta = 0.5 * (ex - 1.0 / ex), coshEta = 0.5 * (ex + 1.0 / ex);
  // Conformal latitude and longitude on the sphere (Karney 2011, eqs. 15-16):
  // sin chi = sin xi / cosh eta, cos chi = hypot(sinh eta, cos xi) / cosh eta.
  // The geodetic latitude follows from the conformal one by its series in n
  // rather than the fixed-point iteration on the isometric latitude: no
  // repeated transcendental calls per point, and to sixth order the series
  // is exact in double precision.
  double h = std::hypot(sinhEta, cosXi);
  double sinChi = sinXi / coshEta, cosChi = h / coshEta;
  double chi = std::atan2(sinXi, h);
  double dLambda = std::atan2(sinhEta, cosXi);
  *lat = kvcart::ClenshawSin(m_gaussToGeodetic, chi, 2.0 * sinChi * cosChi,
                             cosChi * cosChi - sinChi * sinChi) *
         kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(dLambda * kvcart::kRadToDeg + m_lon0Deg);
}

double CKvTransverseMercatorJHS::GetConvergence(double lon, double lat) const {
  if (m_local) return 0.0;
  double dl = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  return kvcart::TransverseMercatorConvergence(lat * kvcart::kDegToRad, dl, m_e, m_alpha) *
         kvcart::kRadToDeg;
}

double CKvTransverseMercatorJHS::GetScaleFactor(double lon, double lat) const {
  if (m_local) return m_k0;
  double dl = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  return m_k0 *
         kvcart::TransverseMercatorScale(lat * kvcart::kDegToRad, dl, m_e, m_alpha, m_A1 / m_a);
}

void CKvTransverseMercatorJHS::GetDefaultArea(double* x0, double* y0, double* x1,
                                              double* y1) const {
  if (!m_local) {
    CKvProjectionFrame::GetDefaultArea(x0, y0, x1, y1);
    return;
  }
  *x0 = *y0 = 0.0;
  *x1 = *y1 = 10000.0;
}

CKvProjection* CKvTransverseMercatorJHS::Clone() const {
  return new CKvTransverseMercatorJHS(*this);
}

void CKvTransverseMercatorJHS::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvTransverseMercatorProjection>(parser);
}
