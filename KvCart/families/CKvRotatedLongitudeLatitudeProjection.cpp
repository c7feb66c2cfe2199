#include "KvCart/families/CKvRotatedLongitudeLatitudeProjection.h"

#include "KvCart/families/AzimuthalRecordKeys.h"
#include "KvCart/families/CKvRotatedLongitudeLatitude.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

namespace keys = kvcart::recordkeys;
using Frame = keys::Frame;
using Ids = keys::Ids;

constexpr Frame::ParamKey kKeys[] = {
    {"Longitude of south pole:", Ids::ID_LONGITUDE_OF_SOUTH_POLE, nullptr, Frame::ePlainKey,
     Frame::eAngular},
    {"Latitude of south pole:", Ids::ID_LATITUDE_OF_SOUTH_POLE, nullptr, Frame::ePlainKey,
     Frame::eAngular},
    {"Angle of rotation:", Ids::ID_ANGLE_OF_ROTATION, nullptr, Frame::ePlainKey, Frame::eAngular},
};
const char* const kSection = CKvRotatedLongitudeLatitudeProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvRotatedLongitudeLatitudeProjection::CKvRotatedLongitudeLatitudeProjection()
    : CKvMapProjDataFrame(kKeys, keys::CountOf(kKeys), kSection) {}

CKvRotatedLongitudeLatitudeProjection::CKvRotatedLongitudeLatitudeProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double southPoleLongitude, double southPoleLatitude, double rotationAngle, bool canDelete,
    bool canEdit)
    : CKvRotatedLongitudeLatitudeProjection() {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {southPoleLongitude, southPoleLatitude, rotationAngle};
  SetParameters(values);
}

CKvRotatedLongitudeLatitudeProjection::~CKvRotatedLongitudeLatitudeProjection() = default;

CKvProjection* CKvRotatedLongitudeLatitudeProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvRotatedLongitudeLatitude(this));
}

void CKvRotatedLongitudeLatitudeProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetLongitudeOfSouthPole(GetSouthPoleLongitude());
  parser.SetLatitudeOfSouthPole(GetSouthPoleLatitude());
  parser.SetAngleOfRotation(GetRotationAngle());
}
