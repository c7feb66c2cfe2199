#include "KvCart/families/CKvObliqueMercatorDataFrame.h"

#include "KvCart/families/ObliqueRecordKeys.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;
using namespace kvcart::obliquekeys;

constexpr Frame::ParamKey kHotineKeys[] = {Frame::kScaleKey,        kCenterLongitude,
                                           kCenterLatitude,         kAzimuth,
                                           Frame::kFalseEastingKey, Frame::kFalseNorthingKey};
constexpr Frame::ParamKey kSkewKeys[] = {
    Frame::kScaleKey, kCenterLongitude,        kCenterLatitude,         kAzimuth,
    kRotation,        Frame::kFalseEastingKey, Frame::kFalseNorthingKey};

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
