#include "KvCart/families/CKvCassiniSoldnerProjection.h"

#include "KvCart/families/CKvCassiniSoldner.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;
using Ids = CKvMapProjDataIDs;

const Frame::ParamKey kKeys[] = {
    {"Central Meridian:", Ids::ID_CENTRAL_MERIDIAN, Ids::ID_CENTRAL_MERIDIAN_DMS, Frame::eDmsKey,
     Frame::eAngular},
    Frame::kOriginLatitudeKey,
    Frame::kFalseEastingKey,
    Frame::kFalseNorthingKey,
};
constexpr int kCount = sizeof(kKeys) / sizeof(kKeys[0]);
const char* const kSection = CKvCassiniSoldnerProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvCassiniSoldnerProjection::CKvCassiniSoldnerProjection()
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {}

CKvCassiniSoldnerProjection::CKvCassiniSoldnerProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double centralMeridian, double originLatitude, double falseEasting, double falseNorthing,
    bool canDelete, bool canEdit)
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[kCount] = {centralMeridian, originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvCassiniSoldnerProjection::~CKvCassiniSoldnerProjection() = default;

CKvProjection* CKvCassiniSoldnerProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvCassiniSoldner(this));
}

void CKvCassiniSoldnerProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentralMeridian());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
