#include "KvCart/families/CKvObliqueMercatorProjection.h"

#include "KvCart/families/CKvObliqueMercator.h"

CKvObliqueMercatorProjection::CKvObliqueMercatorProjection()
    : CKvObliqueMercatorDataFrame(false, ID_PROJECTION_SECTION) {}

CKvObliqueMercatorProjection::CKvObliqueMercatorProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double scale, double centerLongitude, double centerLatitude, double azimuth,
    double falseEasting, double falseNorthing, bool canDelete, bool canEdit)
    : CKvObliqueMercatorDataFrame(false, ID_PROJECTION_SECTION) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {scale,   centerLongitude, centerLatitude,
                           azimuth, falseEasting,    falseNorthing};
  SetParameters(values);
}

CKvObliqueMercatorProjection::~CKvObliqueMercatorProjection() = default;

CKvProjection* CKvObliqueMercatorProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvObliqueMercator(this));
}
