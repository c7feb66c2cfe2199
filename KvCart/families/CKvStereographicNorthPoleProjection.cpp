#include "KvCart/families/CKvStereographicNorthPoleProjection.h"

#include "KvCart/families/AzimuthalRecordKeys.h"
#include "KvCart/families/CKvStereographicNorthPole.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

namespace keys = kvcart::recordkeys;
const char* const kSection = CKvStereographicNorthPoleProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvStereographicNorthPoleProjection::CKvStereographicNorthPoleProjection()
    : CKvMapProjDataFrame(keys::kParallelCentre, keys::CountOf(keys::kParallelCentre), kSection) {}

CKvStereographicNorthPoleProjection::CKvStereographicNorthPoleProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double parallel1, double centre, double falseEasting, double falseNorthing, bool canDelete,
    bool canEdit)
    : CKvStereographicNorthPoleProjection() {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {parallel1, centre, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvStereographicNorthPoleProjection::~CKvStereographicNorthPoleProjection() = default;

CKvProjection* CKvStereographicNorthPoleProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvStereographicNorthPole(this));
}

void CKvStereographicNorthPoleProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetStandardParallel1(GetParallel1());
}
