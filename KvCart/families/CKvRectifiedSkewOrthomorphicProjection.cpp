#include "KvCart/families/CKvRectifiedSkewOrthomorphicProjection.h"

#include "KvCart/families/CKvRectifiedSkewOrthomorphic.h"
#include "KvCart/text/CKvPRJParser.h"

CKvRectifiedSkewOrthomorphicProjection::CKvRectifiedSkewOrthomorphicProjection()
    : CKvObliqueMercatorDataFrame(true, ID_PROJECTION_SECTION) {}

CKvRectifiedSkewOrthomorphicProjection::CKvRectifiedSkewOrthomorphicProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double scale, double centerLongitude, double centerLatitude, double azimuth,
    double xyPlaneRotation, double falseEasting, double falseNorthing, bool canDelete, bool canEdit)
    : CKvObliqueMercatorDataFrame(true, ID_PROJECTION_SECTION) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {scale,           centerLongitude, centerLatitude, azimuth,
                           xyPlaneRotation, falseEasting,    falseNorthing};
  SetParameters(values);
}

CKvRectifiedSkewOrthomorphicProjection::~CKvRectifiedSkewOrthomorphicProjection() = default;

CKvProjection* CKvRectifiedSkewOrthomorphicProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvRectifiedSkewOrthomorphic(this));
}

void CKvRectifiedSkewOrthomorphicProjection::TransferValues(CKvPRJParser& parser) const {
  CKvObliqueMercatorDataFrame::TransferValues(parser);
  parser.SetXYPlaneRotation(GetXYPlaneRotation());
}
