#include "KvCart/families/CKvEquidistantConic.h"

#include "KvCart/families/CKvEquidistantConicProjection.h"

namespace {

constexpr double kHalfSize = 5.0;

}  // namespace

CKvEquidistantConic::CKvEquidistantConic(const CKvEquidistantConicProjection* record)
    : CKvFormulaPair(*record) {
  Setup(record->GetParallel1(), record->GetParallel2(), record->GetCentralMeridian(),
        record->GetOriginLatitude(), record->GetFalseEasting(), record->GetFalseNorthing());
}

CKvEquidistantConic::CKvEquidistantConic(const std::string& name, double parallel1,
                                         double parallel2, double centralMeridian,
                                         double originLatitude, double falseEasting,
                                         double falseNorthing, const CKvEllipsoid& ellipsoid)
    : CKvFormulaPair(name, ellipsoid) {
  Setup(parallel1, parallel2, centralMeridian, originLatitude, falseEasting, falseNorthing);
}

CKvEquidistantConic::~CKvEquidistantConic() = default;

void CKvEquidistantConic::Setup(double parallel1, double parallel2, double centralMeridian,
                                double originLatitude, double falseEasting, double falseNorthing) {
  SetOrigin(centralMeridian, originLatitude);
  SetFalseOrigin(falseEasting, falseNorthing);
  ChooseFormula(kHalfSize, parallel1, parallel2);
}

CKvProjection* CKvEquidistantConic::Clone() const { return new CKvEquidistantConic(*this); }

void CKvEquidistantConic::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvEquidistantConicProjection>(parser);
}
