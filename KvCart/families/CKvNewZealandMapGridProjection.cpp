#include "KvCart/families/CKvNewZealandMapGridProjection.h"

#include "KvCart/families/AzimuthalRecordKeys.h"
#include "KvCart/families/CKvNewZealandMapGrid.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

namespace keys = kvcart::recordkeys;

constexpr keys::Frame::ParamKey kKeys[] = {
    {"Longitude origin:", keys::Ids::ID_ORIGIN_LONGITUDE, keys::Ids::ID_ORIGIN_LONGITUDE_DMS,
     keys::Frame::eDmsKey, keys::Frame::eAngular},
    keys::kOriginLatitude,
    keys::kFalseEasting,
    keys::kFalseNorthing,
};
const char* const kSection = CKvNewZealandMapGridProjectionIDs::ID_PROJECTION_SECTION;

}  // namespace

CKvNewZealandMapGridProjection::CKvNewZealandMapGridProjection()
    : CKvMapProjDataFrame(kKeys, keys::CountOf(kKeys), kSection) {}

CKvNewZealandMapGridProjection::CKvNewZealandMapGridProjection(
    const std::string& name, const std::string& branch, const std::string& ellipsoidCode,
    double originLongitude, double originLatitude, double falseEasting, double falseNorthing,
    bool canDelete, bool canEdit)
    : CKvNewZealandMapGridProjection() {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[] = {originLongitude, originLatitude, falseEasting, falseNorthing};
  SetParameters(values);
}

CKvNewZealandMapGridProjection::~CKvNewZealandMapGridProjection() = default;

CKvProjection* CKvNewZealandMapGridProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvNewZealandMapGrid(this));
}

// The text names the meridian "Longitude_Of_Origin"; the record's central
// meridian field carries it.
void CKvNewZealandMapGridProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetCentralMeridian(GetOriginLongitude());
  parser.SetLatitudeOfOrigin(GetOriginLatitude());
}
