#include "KvCart/families/CKvLambertAzimuthalEqualAreaProjection.h"

#include "KvCart/families/AzimuthalRecordKeys.h"
#include "KvCart/families/CKvLambertAzimuthalEqualArea.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

namespace keys = kvcart::recordkeys;

constexpr keys::Frame::ParamKey kKeys[] = {keys::kCentre, keys::kOriginLatitude,
                                           keys::kFalseEasting, keys::kFalseNorthing};
const char* const kSection = CKvLambertAzimuthalEqualAreaProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvLambertAzimuthalEqualAreaProjection::CKvLambertAzimuthalEqualAreaProjection()
    : CKvMapProjDataFrame(kKeys, keys::CountOf(kKeys), kSection) {}

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
