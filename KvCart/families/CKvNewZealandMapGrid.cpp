// New Zealand Map Grid by the published algorithm (complex power series).
#include "KvCart/families/CKvNewZealandMapGrid.h"

#include <cmath>
#include <complex>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/CKvNewZealandMapGridProjection.h"

namespace {

using Complex = std::complex<double>;
using Constants = CKvNewZealandMapGridConstants;

// sum_{i=1..n} c[i-1] x^i by Horner's rule.
double RealSeries(const double* c, int n, double x) {
  double sum = 0.0;
  for (int i = n - 1; i >= 0; --i) sum = (sum + c[i]) * x;
  return sum;
}

// sum_{i=1..n} c[i-1] z^i for complex coefficients {re, im}.
Complex ComplexSeries(const double (*c)[2], int n, Complex z) {
  Complex sum = 0.0;
  for (int i = n - 1; i >= 0; --i) sum = (sum + Complex(c[i][0], c[i][1])) * z;
  return sum;
}

// One Newton step of z = sum B_n zeta^n for zeta:
// zeta <- (z + sum (n - 1) B_n zeta^n) / (sum n B_n zeta^(n-1)).
Complex NewtonStep(Complex z, Complex zeta) {
  Complex numerator = z, denominator = 0.0, power = 1.0;  // power = zeta^(n-1)
  for (int n = 1; n <= Constants::kNoB; ++n) {
    Complex b(Constants::kB[n - 1][0], Constants::kB[n - 1][1]);
    denominator += static_cast<double>(n) * b * power;
    power *= zeta;
    numerator += static_cast<double>(n - 1) * b * power;
  }
  return numerator / denominator;
}

}  // namespace

CKvNewZealandMapGrid::CKvNewZealandMapGrid(const CKvNewZealandMapGridProjection* record)
    : CKvProjectionFrame(*record) {
  SetOrigin(record->GetOriginLongitude(), record->GetOriginLatitude());
  SetFalseOrigin(record->GetFalseEasting(), record->GetFalseNorthing());
}

CKvNewZealandMapGrid::CKvNewZealandMapGrid(const std::string& name, double originLon,
                                           double originLat, double falseEasting,
                                           double falseNorthing, const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid) {
  SetOrigin(originLon, originLat);
  SetFalseOrigin(falseEasting, falseNorthing);
}

CKvNewZealandMapGrid::~CKvNewZealandMapGrid() = default;

void CKvNewZealandMapGrid::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (!(std::fabs(lat) <= 90.0)) {
    *x = *y = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  double dPsi = RealSeries(kA, kNoA, (lat - m_lat0Deg) * kDegreesToSeriesUnits);
  double dLambda = kvcart::NormalizeLongitude(lon - m_lon0Deg) * kvcart::kDegToRad;
  Complex z = ComplexSeries(kB, kNoB, Complex(dPsi, dLambda));
  *y = m_falseNorthing + m_a * z.real();
  *x = m_falseEasting + m_a * z.imag();
}

void CKvNewZealandMapGrid::Proj2Geo(double x, double y, double* lon, double* lat) const {
  Complex z = Complex(y - m_falseNorthing, x - m_falseEasting) / m_a;
  Complex zeta = ComplexSeries(kC, kNoC, z);
  for (int i = 0; i < kvcart::kMaxIterations; ++i) {
    Complex next = NewtonStep(z, zeta);
    double change = std::abs(next - zeta);
    zeta = next;
    if (!(change >= kvcart::kRelTolerance)) break;  // NaN ends too
  }
  *lat = m_lat0Deg + RealSeries(kD, kNoD, zeta.real()) / kDegreesToSeriesUnits;
  *lon = kvcart::NormalizeLongitude(m_lon0Deg + zeta.imag() * kvcart::kRadToDeg);
}

void CKvNewZealandMapGrid::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  *x0 = 2000000.0;
  *y0 = 5300000.0;
  *x1 = 3000000.0;
  *y1 = 6800000.0;
}

CKvProjection* CKvNewZealandMapGrid::Clone() const { return new CKvNewZealandMapGrid(*this); }

void CKvNewZealandMapGrid::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvNewZealandMapGridProjection>(parser);
}
