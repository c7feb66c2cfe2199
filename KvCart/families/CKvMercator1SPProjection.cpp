#include "KvCart/families/CKvMercator1SPProjection.h"

#include "KvCart/families/CKvMercator1SP.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;

const Frame::ParamKey kKeys[] = {
    Frame::kScaleKey,
    Frame::kCentreKey,
    Frame::kFalseEastingKey,
    Frame::kFalseNorthingKey,
};
constexpr int kCount = sizeof(kKeys) / sizeof(kKeys[0]);
const char* const kSection = CKvMercator1SPProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvMercator1SPProjection::CKvMercator1SPProjection()
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {}

CKvMercator1SPProjection::CKvMercator1SPProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode, double k0,
    double centre, double falseEasting, double falseNorthing, bool canDelete, bool canEdit)
    : CKvMapProjDataFrame(kKeys, kCount, kSection) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[kCount] = {k0, centre, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvMercator1SPProjection::~CKvMercator1SPProjection() = default;

CKvProjection* CKvMercator1SPProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvMercator1SP(this));
}

void CKvMercator1SPProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetScaleFactor(GetScale());
}
