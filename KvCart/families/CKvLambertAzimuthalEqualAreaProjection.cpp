#include "KvCart/families/CKvLambertAzimuthalEqualAreaProjection.h"

#include <iterator>

#include "KvCart/families/CKvLambertAzimuthalEqualArea.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;

constexpr Frame::ParamKey kKeys[] = {Frame::kCentreKey, Frame::kOriginLatitudeKey,
                                     Frame::kFalseEastingKey, Frame::kFalseNorthingKey};

}  // namespace

CKvLambertAzimuthalEqualAreaProjection::CKvLambertAzimuthalEqualAreaProjection()
    : CKvMapProjDataFrame(kKeys, static_cast<int>(std::size(kKeys)), ID_PROJECTION_SECTION) {}

CKvLambertAzimuthalEqualAreaProjection::CKvLambertAzimuthalEqualAreaProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double centre, double originLatitude, double falseEasting, double falseNorthing, bool canDelete,
    bool canEdit)
    : CKvLambertAzimuthalEqualAreaProjection() {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {centre, originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvLambertAzimuthalEqualAreaProjection::~CKvLambertAzimuthalEqualAreaProjection() = default;

CKvProjection* CKvLambertAzimuthalEqualAreaProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvLambertAzimuthalEqualArea(this));
}

void CKvLambertAzimuthalEqualAreaProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
