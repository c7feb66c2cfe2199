#include "KvCart/families/CKvMercator2SP.h"

#include <cmath>

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/CKvMercator2SPProjection.h"
#include "KvCart/families/LatitudeFunctions.h"

CKvMercator2SP::CKvMercator2SP(const CKvMercator2SPProjection* record) : CKvMercator(*record) {
  SetupFromParallel(record->GetParallel1(), record->GetCentre(), record->GetFalseEasting(),
                    record->GetFalseNorthing());
}

CKvMercator2SP::CKvMercator2SP(const std::string& name, double parallel1, double centralMeridian,
                               double falseEasting, double falseNorthing,
                               const CKvEllipsoid& ellipsoid)
    : CKvMercator(name, ellipsoid) {
  SetupFromParallel(parallel1, centralMeridian, falseEasting, falseNorthing);
}

CKvMercator2SP::~CKvMercator2SP() = default;

// EPSG 9805: the scale on the equator that makes the parallel true to scale.
void CKvMercator2SP::SetupFromParallel(double parallel1, double centralMeridian,
                                       double falseEasting, double falseNorthing) {
  // A parallel of true scale at a pole leaves no map (k0 = cos 90 degrees).
  double k0 = kvcart::IsRelEqual(std::fabs(parallel1), 90.0)
                  ? 0.0
                  : kvcart::ParallelRadius(parallel1 * kvcart::kDegToRad, m_e2);
  Setup(k0, centralMeridian, falseEasting, falseNorthing);
}

CKvProjection* CKvMercator2SP::Clone() const { return new CKvMercator2SP(*this); }

void CKvMercator2SP::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvMercator2SPProjection>(parser);
}
