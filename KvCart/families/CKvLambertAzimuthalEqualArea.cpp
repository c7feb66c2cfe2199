#include "KvCart/families/CKvLambertAzimuthalEqualArea.h"

#include "KvCart/families/CKvLambertAzimuthalEqualAreaProjection.h"

CKvLambertAzimuthalEqualArea::CKvLambertAzimuthalEqualArea(
    const CKvLambertAzimuthalEqualAreaProjection* record)
    : CKvFormulaPair(*record) {
  Initialise(record->GetCentre(), record->GetOriginLatitude(), record->GetFalseEasting(),
             record->GetFalseNorthing());
}

CKvLambertAzimuthalEqualArea::CKvLambertAzimuthalEqualArea(const std::string& name, double centre,
                                                           double originLat, double falseEasting,
                                                           double falseNorthing,
                                                           const CKvEllipsoid& ellipsoid)
    : CKvFormulaPair(name, ellipsoid) {
  Initialise(centre, originLat, falseEasting, falseNorthing);
}

CKvLambertAzimuthalEqualArea::~CKvLambertAzimuthalEqualArea() = default;

void CKvLambertAzimuthalEqualArea::Initialise(double centre, double originLat, double falseEasting,
                                              double falseNorthing) {
  SetOrigin(centre, originLat);
  SetFalseOrigin(falseEasting, falseNorthing);
  ChooseFormula(3.0);
}

CKvProjection* CKvLambertAzimuthalEqualArea::Clone() const {
  return new CKvLambertAzimuthalEqualArea(*this);
}

void CKvLambertAzimuthalEqualArea::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvLambertAzimuthalEqualAreaProjection>(parser);
}
