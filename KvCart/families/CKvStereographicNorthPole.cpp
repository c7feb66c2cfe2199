#include "KvCart/families/CKvStereographicNorthPole.h"

#include "KvCart/families/CKvStereographicNorthPoleProjection.h"

CKvStereographicNorthPole::CKvStereographicNorthPole(
    const CKvStereographicNorthPoleProjection* record)
    : CKvStereographicPole(*record, 1.0, record->GetParallel1(), record->GetCentre(),
                           record->GetFalseEasting(), record->GetFalseNorthing()) {}

CKvStereographicNorthPole::CKvStereographicNorthPole(const std::string& name, double trueScaleLat,
                                                     double centre, double falseEasting,
                                                     double falseNorthing,
                                                     const CKvEllipsoid& ellipsoid)
    : CKvStereographicPole(name, 1.0, trueScaleLat, centre, falseEasting, falseNorthing,
                           ellipsoid) {}

CKvStereographicNorthPole::~CKvStereographicNorthPole() = default;

CKvProjection* CKvStereographicNorthPole::Clone() const {
  return new CKvStereographicNorthPole(*this);
}

void CKvStereographicNorthPole::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvStereographicNorthPoleProjection>(parser);
}
