#include "KvCart/families/CKvTransverseMercatorProjection.h"

#include "KvCart/families/CKvTransverseMercatorJHS.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;

const Frame::ParamKey kKeys[] = {
    Frame::kScaleKey,        Frame::kCentreKey,        Frame::kOriginLatitudeKey,
    Frame::kFalseEastingKey, Frame::kFalseNorthingKey,
};
constexpr int kCount = sizeof(kKeys) / sizeof(kKeys[0]);
const char* const kSection = CKvTransverseMercatorProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvTransverseMercatorProjection::CKvTransverseMercatorProjection()
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {}

CKvTransverseMercatorProjection::CKvTransverseMercatorProjection(const std::string& name)
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {
  Init(name, "", "", false, false);
}

CKvTransverseMercatorProjection::CKvTransverseMercatorProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode, double k0,
    double centre, double originLatitude, double falseEasting, double falseNorthing, bool canDelete,
    bool canEdit)
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[kCount] = {k0, centre, originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvTransverseMercatorProjection::~CKvTransverseMercatorProjection() = default;

CKvProjection* CKvTransverseMercatorProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvTransverseMercatorJHS(this));
}

void CKvTransverseMercatorProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
  parser.SetScaleFactor(GetScale());
}
