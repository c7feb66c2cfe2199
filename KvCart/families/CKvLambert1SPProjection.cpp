#include "KvCart/families/CKvLambert1SPProjection.h"

#include "KvCart/families/CKvLambert1SP.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;
using Ids = CKvMapProjDataIDs;

const Frame::ParamKey kKeys[] = {
    Frame::kScaleKey,
    {"Central meridian:", Ids::ID_ORIGIN_LONGITUDE, Ids::ID_ORIGIN_LONGITUDE_DMS, Frame::eDmsKey,
     Frame::eAngular},
    Frame::kOriginLatitudeKey,
    Frame::kFalseEastingKey,
    Frame::kFalseNorthingKey,
};
constexpr int kCount = sizeof(kKeys) / sizeof(kKeys[0]);
const char* const kSection = CKvLambert1SPProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvLambert1SPProjection::CKvLambert1SPProjection() : CKvMapProjDataFrame(kKeys, kCount, kSection) {}

CKvLambert1SPProjection::CKvLambert1SPProjection(const std::string& name, const std::string& branch,
                                                 const std::string& ellipsoidCode, double k0,
                                                 double originLongitude, double originLatitude,
                                                 double falseEasting, double falseNorthing,
                                                 bool canDelete, bool canEdit)
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[kCount] = {k0, originLongitude, originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvLambert1SPProjection::~CKvLambert1SPProjection() = default;

CKvProjection* CKvLambert1SPProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvLambert1SP(this));
}

void CKvLambert1SPProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetOriginLongitude());
  parser.SetScaleFactor(GetScale());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
