#include "KvCart/families/CKvAlbersEqualAreaProjection.h"

#include "KvCart/families/CKvAlbersEqualArea.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;
using Ids = CKvMapProjDataIDs;

const Frame::ParamKey kKeys[] = {
    Frame::kParallel1Key,
    Frame::kParallel2Key,
    {"Central Meridian:", Ids::ID_CENTRAL_MERIDIAN, Ids::ID_CENTRAL_MERIDIAN_DMS, Frame::eDmsKey,
     Frame::eAngular},
    Frame::kOriginLatitudeKey,
    Frame::kFalseEastingKey,
    Frame::kFalseNorthingKey,
};
constexpr int kCount = sizeof(kKeys) / sizeof(kKeys[0]);
const char* const kSection = CKvAlbersEqualAreaProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvAlbersEqualAreaProjection::CKvAlbersEqualAreaProjection()
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {}

CKvAlbersEqualAreaProjection::CKvAlbersEqualAreaProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double parallel1, double parallel2, double centralMeridian, double originLatitude,
    double falseEasting, double falseNorthing, bool canDelete, bool canEdit)
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[kCount] = {parallel1,      parallel2,    centralMeridian,
                                 originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvAlbersEqualAreaProjection::~CKvAlbersEqualAreaProjection() = default;

CKvProjection* CKvAlbersEqualAreaProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvAlbersEqualArea(this));
}

void CKvAlbersEqualAreaProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentralMeridian());
  parser.SetStandardParallel1(GetParallel1());
  parser.SetStandardParallel2(GetParallel2());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
