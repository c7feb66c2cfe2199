#include "KvCart/families/CKvLambert2SP.h"

#include <algorithm>
#include <cmath>

#include "KvCart/families/CKvLambert2SPProjection.h"
#include "KvCart/families/LatitudeFunctions.h"

namespace {

// Parallels closer than this are one tangent parallel: the quotient of
// logarithms would be 0/0.
constexpr double kEqualParallels = 1e-10;
constexpr double kHalfSize = 3.0;

}  // namespace

CKvLambert2SP::CKvLambert2SP(const CKvLambert2SPProjection* record)
    : CKvLambertConformalConic(*record) {
  SetOrigin(record->GetOriginLongitude(), record->GetOriginLatitude());
  SetFalseOrigin(record->GetFalseEasting(), record->GetFalseNorthing());
  Setup(record->GetParallel1(), record->GetParallel2(), 1.0);
}

CKvLambert2SP::CKvLambert2SP(const std::string& name, double parallel1, double parallel2,
                             double originLongitude, double originLatitude, double falseEasting,
                             double falseNorthing, const CKvEllipsoid& ellipsoid, double k0)
    : CKvLambertConformalConic(name, ellipsoid) {
  SetOrigin(originLongitude, originLatitude);
  SetFalseOrigin(falseEasting, falseNorthing);
  Setup(parallel1, parallel2, k0);
}

CKvLambert2SP::~CKvLambert2SP() = default;

// EPSG 9802 (with 1051's scaling factor as k0).
void CKvLambert2SP::Setup(double parallel1, double parallel2, double k0) {
  m_meanParallel = (parallel1 + parallel2) / 2.0;
  double phi1 = parallel1 * kvcart::kDegToRad, phi2 = parallel2 * kvcart::kDegToRad;
  double m1 = kvcart::ParallelRadius(phi1, m_e2), m2 = kvcart::ParallelRadius(phi2, m_e2);
  double t1 = kvcart::ConformalT(phi1, m_e), t2 = kvcart::ConformalT(phi2, m_e);
  double n = std::fabs(phi1 - phi2) < kEqualParallels
                 ? std::sin(phi1)
                 : (std::log(m1) - std::log(m2)) / (std::log(t1) - std::log(t2));
  SetCone(n, m1 / (n * std::pow(t1, n)), k0);
}

void CKvLambert2SP::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  if (!kvcart::IsRelEqual(std::fabs(m_lat0Deg), 90.0)) {
    CKvLambertConformalConic::GetDefaultArea(x0, y0, x1, y1);
    return;
  }
  Geo2Proj(m_lon0Deg - kHalfSize, std::max(m_meanParallel - kHalfSize, -90.0), x0, y0);
  Geo2Proj(m_lon0Deg + kHalfSize, std::min(m_meanParallel + kHalfSize, 90.0), x1, y1);
}

CKvProjection* CKvLambert2SP::Clone() const { return new CKvLambert2SP(*this); }

void CKvLambert2SP::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvLambert2SPProjection>(parser);
}
