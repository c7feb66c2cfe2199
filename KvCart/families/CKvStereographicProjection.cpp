#include "KvCart/families/CKvStereographicProjection.h"

#include "KvCart/families/AzimuthalRecordKeys.h"
#include "KvCart/families/CKvStereographic.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

namespace keys = kvcart::recordkeys;
const char* const kSection = CKvStereographicProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvStereographicProjection::CKvStereographicProjection()
    : CKvMapProjDataFrame(keys::kScaleCentreOrigin, keys::CountOf(keys::kScaleCentreOrigin),
                          kSection) {}

CKvStereographicProjection::CKvStereographicProjection(const std::string& name,
                                                       const std::string& branch,
                                                       const std::string& ellipsoidCode, double k0,
                                                       double centre, double originLatitude,
                                                       double falseEasting, double falseNorthing,
                                                       bool canDelete, bool canEdit)
    : CKvStereographicProjection() {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {k0, centre, originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvStereographicProjection::~CKvStereographicProjection() = default;

CKvProjection* CKvStereographicProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvStereographic(this));
}

void CKvStereographicProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetScaleFactor(GetScale());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
