#include "KvCart/families/CKvPolarStereographicProjection.h"

#include "KvCart/families/AzimuthalRecordKeys.h"
#include "KvCart/families/CKvPolarStereographic.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

namespace keys = kvcart::recordkeys;
const char* const kSection = CKvPolarStereographicProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvPolarStereographicProjection::CKvPolarStereographicProjection()
    : CKvMapProjDataFrame(keys::kScaleCentreOrigin, keys::CountOf(keys::kScaleCentreOrigin),
                          kSection) {}

CKvPolarStereographicProjection::CKvPolarStereographicProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode, double k0,
    double centre, double originLatitude, double falseEasting, double falseNorthing, bool canDelete,
    bool canEdit)
    : CKvPolarStereographicProjection() {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {k0, centre, originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvPolarStereographicProjection::~CKvPolarStereographicProjection() = default;

CKvProjection* CKvPolarStereographicProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvPolarStereographic(this));
}

void CKvPolarStereographicProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetCentre());
  parser.SetScaleFactor(GetScale());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
