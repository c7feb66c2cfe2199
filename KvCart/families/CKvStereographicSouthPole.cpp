#include "KvCart/families/CKvStereographicSouthPole.h"

#include "KvCart/families/CKvStereographicSouthPoleProjection.h"

CKvStereographicSouthPole::CKvStereographicSouthPole(
    const CKvStereographicSouthPoleProjection* record)
    : CKvStereographicPole(*record, -1.0, record->GetParallel1(), record->GetCentre(),
                           record->GetFalseEasting(), record->GetFalseNorthing()) {}

CKvStereographicSouthPole::CKvStereographicSouthPole(const std::string& name, double trueScaleLat,
                                                     double centre, double falseEasting,
                                                     double falseNorthing,
                                                     const CKvEllipsoid& ellipsoid)
    : CKvStereographicPole(name, -1.0, trueScaleLat, centre, falseEasting, falseNorthing,
                           ellipsoid) {}

CKvStereographicSouthPole::~CKvStereographicSouthPole() = default;

CKvProjection* CKvStereographicSouthPole::Clone() const {
  return new CKvStereographicSouthPole(*this);
}

void CKvStereographicSouthPole::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvStereographicSouthPoleProjection>(parser);
}
