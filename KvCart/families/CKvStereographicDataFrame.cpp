#include "KvCart/families/CKvStereographicDataFrame.h"

#include <iterator>

#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;

constexpr Frame::ParamKey kKeys[] = {Frame::kScaleKey, Frame::kCentreKey, Frame::kOriginLatitudeKey,
                                     Frame::kFalseEastingKey, Frame::kFalseNorthingKey};

}  // namespace

CKvStereographicDataFrame::CKvStereographicDataFrame(const char* section)
    : CKvMapProjDataFrame(kKeys, static_cast<int>(std::size(kKeys)), section) {}

void CKvStereographicDataFrame::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetScaleFactor(GetScale());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
