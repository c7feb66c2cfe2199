/* Parameter rows that the oblique Mercator records and the Krovak record
 * share (see CKvMapProjDataFrame::ParamKey): the projection centre, the
 * azimuth and the XY-plane rotation. Constant data, initialised at compile
 * time. */
#ifndef KVCART_FAMILIES_OBLIQUERECORDKEYS_H
#define KVCART_FAMILIES_OBLIQUERECORDKEYS_H

#include "KvCart/families/CKvMapProjDataFrame.h"

namespace kvcart {
namespace obliquekeys {

using Frame = CKvMapProjDataFrame;
using Ids = CKvMapProjDataIDs;

// "Longitude of center:" ("Center_Longitude", or "Center_Longitude_dms").
inline constexpr Frame::ParamKey kCenterLongitude = {
    "Longitude of center:", Ids::ID_CENTER_LONGITUDE, Ids::ID_CENTER_LONGITUDE_DMS, Frame::eDmsKey,
    Frame::eAngular};
// "Latitude of center:" ("Center_Latitude", or "Center_Latitude_dms").
inline constexpr Frame::ParamKey kCenterLatitude = {"Latitude of center:", Ids::ID_CENTER_LATITUDE,
                                                    Ids::ID_CENTER_LATITUDE_DMS, Frame::eDmsKey,
                                                    Frame::eAngular};
// "Azimuth:" and "XY plane rotation:": decimal degrees only.
inline constexpr Frame::ParamKey kAzimuth = {"Azimuth:", Ids::ID_AZIMUTH, nullptr, Frame::ePlainKey,
                                             Frame::eAngular};
inline constexpr Frame::ParamKey kRotation = {"XY plane rotation:", Ids::ID_XY_PLANE_ROTATION,
                                              nullptr, Frame::ePlainKey, Frame::eAngular};

}  // namespace obliquekeys
}  // namespace kvcart

#endif
