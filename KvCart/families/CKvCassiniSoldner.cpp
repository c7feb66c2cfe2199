#include "KvCart/families/CKvCassiniSoldner.h"

#include "KvCart/families/CKvCassiniSoldnerProjection.h"

namespace {

constexpr double kHalfSize = 5.0;

}  // namespace

CKvCassiniSoldner::CKvCassiniSoldner(const CKvCassiniSoldnerProjection* record)
    : CKvFormulaPair(*record) {
  Setup(record->GetCentralMeridian(), record->GetOriginLatitude(), record->GetFalseEasting(),
        record->GetFalseNorthing());
}

CKvCassiniSoldner::CKvCassiniSoldner(const std::string& name, double centralMeridian,
                                     double originLatitude, double falseEasting,
                                     double falseNorthing, const CKvEllipsoid& ellipsoid)
    : CKvFormulaPair(name, ellipsoid) {
  Setup(centralMeridian, originLatitude, falseEasting, falseNorthing);
}

CKvCassiniSoldner::~CKvCassiniSoldner() = default;

void CKvCassiniSoldner::Setup(double centralMeridian, double originLatitude, double falseEasting,
                              double falseNorthing) {
  SetOrigin(centralMeridian, originLatitude);
  SetFalseOrigin(falseEasting, falseNorthing);
  ChooseFormula(kHalfSize);
}

CKvProjection* CKvCassiniSoldner::Clone() const { return new CKvCassiniSoldner(*this); }

void CKvCassiniSoldner::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvCassiniSoldnerProjection>(parser);
}
