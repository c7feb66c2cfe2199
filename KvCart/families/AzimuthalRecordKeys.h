/* Parameter tables of the azimuthal definition records, for the families
 * whose records share one layout (see CKvMapProjDataFrame::ParamKey).
 * Constant data, initialised at compile time. */
#ifndef KVCART_FAMILIES_AZIMUTHALRECORDKEYS_H
#define KVCART_FAMILIES_AZIMUTHALRECORDKEYS_H

#include <cstddef>

#include "KvCart/families/CKvMapProjDataFrame.h"

namespace kvcart {
namespace recordkeys {

using Frame = CKvMapProjDataFrame;
using Ids = CKvMapProjDataIDs;

// "False easting:" ("Feast", or "Feast_ft_us"); "False northing:" likewise.
inline constexpr Frame::ParamKey kFalseEasting = {"False easting:", Ids::ID_FALSE_EASTING,
                                                  Ids::ID_FALSE_EASTING_FOOT_US, Frame::eFootKey,
                                                  Frame::eLinear};
inline constexpr Frame::ParamKey kFalseNorthing = {"False northing:", Ids::ID_FALSE_NORTHING,
                                                   Ids::ID_FALSE_NORTHING_FOOT_US, Frame::eFootKey,
                                                   Frame::eLinear};
// "Central meridian:" ("Centre", or "Centre_dms").
inline constexpr Frame::ParamKey kCentre = {"Central meridian:", Ids::ID_CENTRE, Ids::ID_CENTRE_DMS,
                                            Frame::eDmsKey, Frame::eAngular};
// "Latitude origin:" ("Origin_Latitude", or "Origin_Latitude_dms").
inline constexpr Frame::ParamKey kOriginLatitude = {"Latitude origin:", Ids::ID_ORIGIN_LATITUDE,
                                                    Ids::ID_ORIGIN_LATITUDE_DMS, Frame::eDmsKey,
                                                    Frame::eAngular};

// Stereographic and polar stereographic: "Scale:" ("Scale", or
// "Scale_Reduction"), central meridian, latitude of origin, FE, FN.
inline constexpr Frame::ParamKey kScaleCentreOrigin[] = {
    {"Scale:", Ids::ID_SCALE, Ids::ID_SCALE_REDUCTION, Frame::eReductionKey, Frame::eNoUnit},
    kCentre,
    kOriginLatitude,
    kFalseEasting,
    kFalseNorthing,
};

// Stereographic north and south pole: "First parallel:" ("Parallel_1", or
// "Parallel_1_dms"), central meridian, FE, FN.
inline constexpr Frame::ParamKey kParallelCentre[] = {
    {"First parallel:", Ids::ID_PARALLEL_1, Ids::ID_PARALLEL_1_DMS, Frame::eDmsKey,
     Frame::eAngular},
    kCentre,
    kFalseEasting,
    kFalseNorthing,
};

template <std::size_t N>
constexpr int CountOf(const Frame::ParamKey (&)[N]) {
  return static_cast<int>(N);
}

}  // namespace recordkeys
}  // namespace kvcart

#endif
