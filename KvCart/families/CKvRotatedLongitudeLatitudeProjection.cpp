#include "KvCart/families/CKvRotatedLongitudeLatitudeProjection.h"

#include <iterator>

#include "KvCart/families/CKvRotatedLongitudeLatitude.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;

constexpr Frame::ParamKey kKeys[] = {
    {"Longitude of south pole:", Frame::ID_LONGITUDE_OF_SOUTH_POLE, nullptr, Frame::ePlainKey,
     Frame::eAngular},
    {"Latitude of south pole:", Frame::ID_LATITUDE_OF_SOUTH_POLE, nullptr, Frame::ePlainKey,
     Frame::eAngular},
    {"Angle of rotation:", Frame::ID_ANGLE_OF_ROTATION, nullptr, Frame::ePlainKey, Frame::eAngular},
};

}  // namespace

CKvRotatedLongitudeLatitudeProjection::CKvRotatedLongitudeLatitudeProjection()
    : CKvMapProjDataFrame(kKeys, static_cast<int>(std::size(kKeys)), ID_PROJECTION_SECTION) {}

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
