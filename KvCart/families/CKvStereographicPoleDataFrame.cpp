#include "KvCart/families/CKvStereographicPoleDataFrame.h"

#include <iterator>

#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;

constexpr Frame::ParamKey kKeys[] = {Frame::kParallel1Key, Frame::kCentreKey,
                                     Frame::kFalseEastingKey, Frame::kFalseNorthingKey};

}  // namespace

CKvStereographicPoleDataFrame::CKvStereographicPoleDataFrame(const char* section)
    : CKvMapProjDataFrame(kKeys, static_cast<int>(std::size(kKeys)), section) {}

void CKvStereographicPoleDataFrame::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetStandardParallel1(GetParallel1());
}
