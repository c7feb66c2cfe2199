#include "KvCart/families/CKvLambert1SP.h"

#include <cmath>

#include "KvCart/families/CKvLambert1SPProjection.h"
#include "KvCart/families/LatitudeFunctions.h"

CKvLambert1SP::CKvLambert1SP(const CKvLambert1SPProjection* record)
    : CKvLambertConformalConic(*record) {
  Setup(record->GetScale(), record->GetOriginLongitude(), record->GetOriginLatitude(),
        record->GetFalseEasting(), record->GetFalseNorthing());
}

CKvLambert1SP::CKvLambert1SP(const std::string& name, double k0, double centralMeridian,
                             double originLatitude, double falseEasting, double falseNorthing,
                             const CKvEllipsoid& ellipsoid)
    : CKvLambertConformalConic(name, ellipsoid) {
  Setup(k0, centralMeridian, originLatitude, falseEasting, falseNorthing);
}

CKvLambert1SP::~CKvLambert1SP() = default;

// EPSG 9801: the cone touches the latitude of origin.
void CKvLambert1SP::Setup(double k0, double centralMeridian, double originLatitude,
                          double falseEasting, double falseNorthing) {
  SetOrigin(centralMeridian, originLatitude);
  SetFalseOrigin(falseEasting, falseNorthing);
  double n = std::sin(m_lat0);
  double F =
      kvcart::ParallelRadius(m_lat0, m_e2) / (n * std::pow(kvcart::ConformalT(m_lat0, m_e), n));
  SetCone(n, F, k0);
}

CKvProjection* CKvLambert1SP::Clone() const { return new CKvLambert1SP(*this); }

void CKvLambert1SP::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvLambert1SPProjection>(parser);
}
