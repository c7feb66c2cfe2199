#include "KvCart/families/CKvAlbersEqualArea.h"

#include "KvCart/families/CKvAlbersEqualAreaProjection.h"

namespace {

constexpr double kHalfSize = 5.0;

}  // namespace

CKvAlbersEqualArea::CKvAlbersEqualArea(const CKvAlbersEqualAreaProjection* record)
    : CKvFormulaPair(*record) {
  Setup(record->GetParallel1(), record->GetParallel2(), record->GetCentralMeridian(),
        record->GetOriginLatitude(), record->GetFalseEasting(), record->GetFalseNorthing());
}

CKvAlbersEqualArea::CKvAlbersEqualArea(const std::string& name, double parallel1, double parallel2,
                                       double centralMeridian, double originLatitude,
                                       double falseEasting, double falseNorthing,
                                       const CKvEllipsoid& ellipsoid)
    : CKvFormulaPair(name, ellipsoid) {
  Setup(parallel1, parallel2, centralMeridian, originLatitude, falseEasting, falseNorthing);
}

CKvAlbersEqualArea::~CKvAlbersEqualArea() = default;

void CKvAlbersEqualArea::Setup(double parallel1, double parallel2, double centralMeridian,
                               double originLatitude, double falseEasting, double falseNorthing) {
  SetOrigin(centralMeridian, originLatitude);
  SetFalseOrigin(falseEasting, falseNorthing);
  ChooseFormula(kHalfSize, parallel1, parallel2);
}

CKvProjection* CKvAlbersEqualArea::Clone() const { return new CKvAlbersEqualArea(*this); }

void CKvAlbersEqualArea::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvAlbersEqualAreaProjection>(parser);
}
