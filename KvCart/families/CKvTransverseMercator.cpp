// Extended transverse Mercator after Poder and Engsager: geodetic latitude
// to Gaussian latitude by a sine series, the spherical transverse Mercator,
// then Krueger's complex series; all series by Clenshaw summation.
#include "KvCart/families/CKvTransverseMercator.h"

#include <cmath>
#include <complex>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/LocalGrid.h"
#include "KvCart/families/CKvTransverseMercatorProjection.h"
#include "KvCart/families/GaussianLatitude.h"
#include "KvCart/families/TransverseMercatorFactors.h"

namespace {

// sum c_j sin(2j zeta) for complex zeta, by the same recurrence.
std::complex<double> ClenshawComplexSin(const double* c, std::complex<double> zeta) {
  std::complex<double> twoCos = 2.0 * std::cos(2.0 * zeta);
  std::complex<double> b1 = 0.0, b2 = 0.0;
  for (int j = 3; j >= 0; --j) {
    std::complex<double> b0 = c[j] + twoCos * b1 - b2;
    b2 = b1;
    b1 = b0;
  }
  return b1 * std::sin(2.0 * zeta);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

CKvTransverseMercator::CKvTransverseMercator(const CKvTransverseMercatorProjection* record)
    : CKvProjectionFrame(*record), m_k0(record->GetScale()) {
  SetOrigin(record->GetCentre(), record->GetOriginLatitude());
  SetFalseOrigin(record->GetFalseEasting(), record->GetFalseNorthing());
  m_local = kvcart::IsLocalGridText(GetName());
  ComputeCoefficients();
}

CKvTransverseMercator::CKvTransverseMercator(const std::string& name, double k0, double centre,
                                             double originLat, double falseEasting,
                                             double falseNorthing, const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid), m_k0(k0) {
  SetOrigin(centre, originLat);
  SetFalseOrigin(falseEasting, falseNorthing);
  m_local = kvcart::IsLocalGridText(GetName());
  ComputeCoefficients();
}

CKvTransverseMercator::~CKvTransverseMercator() = default;

void CKvTransverseMercator::ComputeCoefficients() {
  if (!m_local) m_k0 = MapScale(m_k0);  // the local system converts without one
  double n = m_f / (2.0 - m_f), n2 = n * n, n4 = n2 * n2;
  kvcart::GeodeticToGaussianCoefficients(n, m_geodeticToGauss, 4);  // as published
  kvcart::GaussianToGeodeticCoefficients(n, m_gaussToGeodetic, 4);
  CKvMapProjData::ComputeFourierCoefficients(CKvMapProjData::eTransverseMercator, true, n,
                                             m_sphereToPlane);
  CKvMapProjData::ComputeFourierCoefficients(CKvMapProjData::eTransverseMercator, false, n,
                                             m_planeToSphere);
  for (double& c : m_planeToSphere) c = -c;
  m_qn = m_k0 * m_a * (1.0 + n2 / 4.0 + n4 / 64.0) / (1.0 + n);
  m_originNorthing = m_lat0Deg == 0.0 ? 0.0 : MeridianNorthing(m_lat0);
}

double CKvTransverseMercator::MeridianNorthing(double phi) const {
  double gauss = kvcart::ClenshawSin(m_geodeticToGauss, phi);
  return m_qn * (gauss + ClenshawComplexSin(m_sphereToPlane, gauss).real());
}

void CKvTransverseMercator::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (m_local) {
    *x = lon;
    *y = lat;
    return;
  }
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = kNaN;
    return;
  }
  double gauss = kvcart::ClenshawSin(m_geodeticToGauss, lat * kvcart::kDegToRad);
  double dl = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  double sinN = std::sin(gauss), cosN = std::cos(gauss);
  double sinE = std::sin(dl), cosE = std::cos(dl);
  // Spherical transverse Mercator: complementary latitude and longitude.
  double xi = std::atan2(sinN, cosE * cosN);
  double eta = std::asinh(std::tan(std::atan2(sinE * cosN, std::hypot(sinN, cosN * cosE))));
  std::complex<double> zeta(xi, eta);
  zeta += ClenshawComplexSin(m_sphereToPlane, zeta);
  *x = m_falseEasting + m_qn * zeta.imag();
  *y = m_falseNorthing + m_qn * zeta.real() - m_originNorthing;
}

void CKvTransverseMercator::Proj2Geo(double x, double y, double* lon, double* lat) const {
  if (m_local) {
    *lon = x;
    *lat = y;
    return;
  }
  std::complex<double> zeta((y - m_falseNorthing + m_originNorthing) / m_qn,
                            (x - m_falseEasting) / m_qn);
  zeta += ClenshawComplexSin(m_planeToSphere, zeta);
  double xi = zeta.real(), eta = std::atan(std::sinh(zeta.imag()));
  double sinN = std::sin(xi), cosN = std::cos(xi);
  double sinE = std::sin(eta), cosE = std::cos(eta);
  double dl = std::atan2(sinE, cosE * cosN);
  double gauss = std::atan2(sinN * cosE, std::hypot(sinE, cosE * cosN));
  *lat = kvcart::ClenshawSin(m_gaussToGeodetic, gauss) * kvcart::kRadToDeg;
  *lon = kvcart::NormalizeLongitude(dl * kvcart::kRadToDeg + m_lon0Deg);
}

double CKvTransverseMercator::GetConvergence(double lon, double lat) const {
  if (m_local) return 0.0;
  double dl = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  return kvcart::TransverseMercatorConvergence(lat * kvcart::kDegToRad, dl, m_e, m_sphereToPlane) *
         kvcart::kRadToDeg;
}

double CKvTransverseMercator::GetScaleFactor(double lon, double lat) const {
  if (m_local) return m_k0;
  double dl = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  return m_qn / m_a *
         kvcart::TransverseMercatorScale(lat * kvcart::kDegToRad, dl, m_e, m_sphereToPlane, 1.0);
}

void CKvTransverseMercator::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  if (!m_local) {
    CKvProjectionFrame::GetDefaultArea(x0, y0, x1, y1);
    return;
  }
  *x0 = *y0 = 0.0;
  *x1 = *y1 = 10000.0;
}

CKvProjection* CKvTransverseMercator::Clone() const { return new CKvTransverseMercator(*this); }

void CKvTransverseMercator::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvTransverseMercatorProjection>(parser);
}
