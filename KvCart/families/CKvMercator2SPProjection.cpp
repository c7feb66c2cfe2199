#include "KvCart/families/CKvMercator2SPProjection.h"

#include "KvCart/families/CKvMercator2SP.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;

const Frame::ParamKey kKeys[] = {
    Frame::kParallel1Key,
    Frame::kCentreKey,
    Frame::kFalseEastingKey,
    Frame::kFalseNorthingKey,
};
constexpr int kCount = sizeof(kKeys) / sizeof(kKeys[0]);
const char* const kSection = CKvMercator2SPProjectionIDs::ID_PROJECTION_SECTION;
const char* const kOldSection = CKvMercator2SPProjectionIDs::ID_PROJECTION_SECTION_OLD;

}  // namespace

CKvMercator2SPProjection::CKvMercator2SPProjection()
    : CKvMapProjDataFrame(kKeys, kCount, kSection, kOldSection) {}

CKvMercator2SPProjection::CKvMercator2SPProjection(const std::string& name,
                                                   const std::string& branch,
                                                   const std::string& ellipsoidCode,
                                                   double parallel1, double centre,
                                                   double falseEasting, double falseNorthing,
                                                   bool canDelete, bool canEdit)
    : CKvMapProjDataFrame(kKeys, kCount, kSection, kOldSection) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[kCount] = {parallel1, centre, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvMercator2SPProjection::~CKvMercator2SPProjection() = default;

CKvProjection* CKvMercator2SPProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvMercator2SP(this));
}

void CKvMercator2SPProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetStandardParallel1(GetParallel1());
}
