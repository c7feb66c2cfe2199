#include "KvCart/families/CKvHotineObliqueMercatorProjection.h"

#include "KvCart/families/CKvHotineObliqueMercator.h"

CKvHotineObliqueMercatorProjection::CKvHotineObliqueMercatorProjection()
    : CKvObliqueMercatorDataFrame(false, ID_PROJECTION_SECTION) {}

CKvHotineObliqueMercatorProjection::CKvHotineObliqueMercatorProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double scale, double centerLongitude, double centerLatitude, double azimuth,
    double falseEasting, double falseNorthing, bool canDelete, bool canEdit)
    : CKvObliqueMercatorDataFrame(false, ID_PROJECTION_SECTION) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {scale,   centerLongitude, centerLatitude,
                           azimuth, falseEasting,    falseNorthing};
  SetParameters(values);
}

CKvHotineObliqueMercatorProjection::~CKvHotineObliqueMercatorProjection() = default;

CKvProjection* CKvHotineObliqueMercatorProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvHotineObliqueMercator(this));
}
