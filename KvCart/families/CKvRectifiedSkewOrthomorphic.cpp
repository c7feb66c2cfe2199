#include "KvCart/families/CKvRectifiedSkewOrthomorphic.h"

#include "KvCart/families/CKvRectifiedSkewOrthomorphicProjection.h"

CKvRectifiedSkewOrthomorphic::CKvRectifiedSkewOrthomorphic(
    const CKvRectifiedSkewOrthomorphicProjection* record)
    : CKvHotineObliqueMercator(*record, eNaturalOrigin) {}

CKvRectifiedSkewOrthomorphic::CKvRectifiedSkewOrthomorphic(
    const std::string& name, double scale, double centerLongitude, double centerLatitude,
    double azimuth, double xyPlaneRotation, double falseEasting, double falseNorthing,
    const CKvEllipsoid& ellipsoid)
    : CKvHotineObliqueMercator(
          name,
          Definition{scale, centerLongitude, centerLatitude, azimuth, xyPlaneRotation, falseEasting,
                     falseNorthing, eNaturalOrigin},
          ellipsoid) {}

CKvRectifiedSkewOrthomorphic::~CKvRectifiedSkewOrthomorphic() = default;

CKvProjection* CKvRectifiedSkewOrthomorphic::Clone() const {
  return new CKvRectifiedSkewOrthomorphic(*this);
}

void CKvRectifiedSkewOrthomorphic::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvRectifiedSkewOrthomorphicProjection>(parser);
}
