#include "KvCart/families/CKvStereographicSouthPoleProjection.h"

#include "KvCart/families/AzimuthalRecordKeys.h"
#include "KvCart/families/CKvStereographicSouthPole.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

namespace keys = kvcart::recordkeys;
const char* const kSection = CKvStereographicSouthPoleProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvStereographicSouthPoleProjection::CKvStereographicSouthPoleProjection()
    : CKvMapProjDataFrame(keys::kParallelCentre, keys::CountOf(keys::kParallelCentre), kSection) {}

CKvStereographicSouthPoleProjection::CKvStereographicSouthPoleProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double parallel1, double centre, double falseEasting, double falseNorthing, bool canDelete,
    bool canEdit)
    : CKvStereographicSouthPoleProjection() {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {parallel1, centre, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvStereographicSouthPoleProjection::~CKvStereographicSouthPoleProjection() = default;

CKvProjection* CKvStereographicSouthPoleProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvStereographicSouthPole(this));
}

void CKvStereographicSouthPoleProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetStandardParallel1(GetParallel1());
}
