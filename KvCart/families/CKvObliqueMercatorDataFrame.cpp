#include "KvCart/families/CKvObliqueMercatorDataFrame.h"

#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;
using Ids = CKvMapProjDataIDs;

constexpr Frame::ParamKey kScale{"Scale:", Ids::ID_SCALE, Ids::ID_SCALE_REDUCTION,
                                 Frame::eReductionKey, Frame::eNoUnit};
constexpr Frame::ParamKey kCenterLongitude{"Longitude of center:", Ids::ID_CENTER_LONGITUDE,
                                           Ids::ID_CENTER_LONGITUDE_DMS, Frame::eDmsKey,
                                           Frame::eAngular};
constexpr Frame::ParamKey kCenterLatitude{"Latitude of center:", Ids::ID_CENTER_LATITUDE,
                                          Ids::ID_CENTER_LATITUDE_DMS, Frame::eDmsKey,
                                          Frame::eAngular};
constexpr Frame::ParamKey kAzimuth{"Azimuth:", Ids::ID_AZIMUTH, nullptr, Frame::ePlainKey,
                                   Frame::eAngular};
constexpr Frame::ParamKey kRotation{"XY plane rotation:", Ids::ID_XY_PLANE_ROTATION, nullptr,
                                    Frame::ePlainKey, Frame::eAngular};
constexpr Frame::ParamKey kFalseEasting{"False easting:", Ids::ID_FALSE_EASTING,
                                        Ids::ID_FALSE_EASTING_FOOT_US, Frame::eFootKey,
                                        Frame::eLinear};
constexpr Frame::ParamKey kFalseNorthing{"False northing:", Ids::ID_FALSE_NORTHING,
                                         Ids::ID_FALSE_NORTHING_FOOT_US, Frame::eFootKey,
                                         Frame::eLinear};

constexpr Frame::ParamKey kHotineKeys[] = {kScale,   kCenterLongitude, kCenterLatitude,
                                           kAzimuth, kFalseEasting,    kFalseNorthing};
constexpr Frame::ParamKey kSkewKeys[] = {kScale,    kCenterLongitude, kCenterLatitude, kAzimuth,
                                         kRotation, kFalseEasting,    kFalseNorthing};

template <size_t N>
constexpr int CountOf(const Frame::ParamKey (&)[N]) {
  return static_cast<int>(N);
}

}  // namespace

CKvObliqueMercatorDataFrame::CKvObliqueMercatorDataFrame(bool withRotation, const char* section)
    : CKvMapProjDataFrame(withRotation ? kSkewKeys : kHotineKeys,
                          withRotation ? CountOf(kSkewKeys) : CountOf(kHotineKeys), section) {}

void CKvObliqueMercatorDataFrame::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetScaleFactor(GetScale());
  parser.SetAzimuth(GetAzimuth());
  parser.SetLongitudeOfCenter(GetCenterLongitude());
  parser.SetLatitudeOfCenter(GetCenterLatitude());
}
