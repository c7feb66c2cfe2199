#include "KvCart/families/CKvLambert2SPProjection.h"

#include "KvCart/families/CKvLambert2SP.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;
using Ids = CKvMapProjDataIDs;

const Frame::ParamKey kKeys[] = {
    Frame::kParallel1Key,
    Frame::kParallel2Key,
    {"Longitude origin:", Ids::ID_ORIGIN_LONGITUDE, Ids::ID_ORIGIN_LONGITUDE_DMS, Frame::eDmsKey,
     Frame::eAngular},
    Frame::kOriginLatitudeKey,
    Frame::kFalseEastingKey,
    Frame::kFalseNorthingKey,
};
constexpr int kCount = sizeof(kKeys) / sizeof(kKeys[0]);
const char* const kSection = CKvLambert2SPProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvLambert2SPProjection::CKvLambert2SPProjection() : CKvMapProjDataFrame(kKeys, kCount, kSection) {}

CKvLambert2SPProjection::CKvLambert2SPProjection(const std::string& name, const std::string& branch,
                                                 const std::string& ellipsoidCode, double parallel1,
                                                 double parallel2, double originLongitude,
                                                 double originLatitude, double falseEasting,
                                                 double falseNorthing, bool canDelete, bool canEdit)
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[kCount] = {parallel1,      parallel2,    originLongitude,
                                 originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvLambert2SPProjection::~CKvLambert2SPProjection() = default;

CKvProjection* CKvLambert2SPProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvLambert2SP(this));
}

void CKvLambert2SPProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetOriginLongitude());
  parser.SetStandardParallel1(GetParallel1());
  parser.SetStandardParallel2(GetParallel2());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
