#include "KvCart/families/CKvObliqueMercator.h"

#include <cmath>

#include "KvCart/families/CKvObliqueMercatorProjection.h"

CKvObliqueMercator::CKvObliqueMercator(const CKvObliqueMercatorProjection* record)
    : CKvHotineObliqueMercator(*record, eCentreOrigin) {}

CKvObliqueMercator::CKvObliqueMercator(const std::string& name, double scale,
                                       double centerLongitude, double centerLatitude,
                                       double azimuth, double falseEasting, double falseNorthing,
                                       const CKvEllipsoid& ellipsoid, double rectificationAngle)
    : CKvHotineObliqueMercator(
          name,
          Definition{scale, centerLongitude, centerLatitude, azimuth,
                     std::isnan(rectificationAngle) ? azimuth : rectificationAngle, falseEasting,
                     falseNorthing, eCentreOrigin},
          ellipsoid) {}

CKvObliqueMercator::~CKvObliqueMercator() = default;

CKvProjection* CKvObliqueMercator::Clone() const { return new CKvObliqueMercator(*this); }

void CKvObliqueMercator::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvObliqueMercatorProjection>(parser);
}
