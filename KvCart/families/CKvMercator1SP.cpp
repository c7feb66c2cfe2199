#include "KvCart/families/CKvMercator1SP.h"

#include "KvCart/families/CKvMercator1SPProjection.h"

CKvMercator1SP::CKvMercator1SP(const CKvMercator1SPProjection* record) : CKvMercator(*record) {
  Setup(record->GetScale(), record->GetCentre(), record->GetFalseEasting(),
        record->GetFalseNorthing());
}

CKvMercator1SP::CKvMercator1SP(const std::string& name, double k0, double centralMeridian,
                               double falseEasting, double falseNorthing,
                               const CKvEllipsoid& ellipsoid)
    : CKvMercator(name, ellipsoid) {
  Setup(k0, centralMeridian, falseEasting, falseNorthing);
}

CKvMercator1SP::~CKvMercator1SP() = default;

CKvProjection* CKvMercator1SP::Clone() const { return new CKvMercator1SP(*this); }

void CKvMercator1SP::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvMercator1SPProjection>(parser);
}
