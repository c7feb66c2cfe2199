#include "KvCart/families/CKvNewZealandMapGridProjection.h"

#include <iterator>

#include "KvCart/families/CKvNewZealandMapGrid.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;

constexpr Frame::ParamKey kKeys[] = {
    {"Longitude origin:", Frame::ID_ORIGIN_LONGITUDE, Frame::ID_ORIGIN_LONGITUDE_DMS,
     Frame::eDmsKey, Frame::eAngular},
    Frame::kOriginLatitudeKey,
    Frame::kFalseEastingKey,
    Frame::kFalseNorthingKey,
};

}  // namespace

CKvNewZealandMapGridProjection::CKvNewZealandMapGridProjection()
    : CKvMapProjDataFrame(kKeys, static_cast<int>(std::size(kKeys)), ID_PROJECTION_SECTION) {}

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
