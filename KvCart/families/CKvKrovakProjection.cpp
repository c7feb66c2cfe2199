#include "KvCart/families/CKvKrovakProjection.h"

#include "KvCart/families/CKvKrovak.h"
#include "KvCart/families/ObliqueRecordKeys.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using Frame = CKvMapProjDataFrame;
using Ids = CKvMapProjDataIDs;

const Frame::ParamKey kKeys[] = {
    {"Scale at pseudo parallel:", Ids::ID_SCALE_AT_PSEUDO_PARALLEL, nullptr, Frame::ePlainKey,
     Frame::eNoUnit},
    {"Pseudo parallel:", Ids::ID_PSEUDO_PARALLEL, Ids::ID_PSEUDO_PARALLEL_DMS, Frame::eDmsKey,
     Frame::eAngular},
    kvcart::obliquekeys::kCenterLongitude,
    kvcart::obliquekeys::kCenterLatitude,
    kvcart::obliquekeys::kAzimuth,
    kvcart::obliquekeys::kRotation,
    {"X scale:", Ids::ID_X_SCALE, nullptr, Frame::ePlainKey, Frame::eNoUnit},
    {"Y scale:", Ids::ID_Y_SCALE, nullptr, Frame::ePlainKey, Frame::eNoUnit},
    Frame::kFalseEastingKey,
    Frame::kFalseNorthingKey,
};
constexpr int kCount = sizeof(kKeys) / sizeof(kKeys[0]);

}  // namespace

CKvKrovakProjection::CKvKrovakProjection()
    : CKvMapProjDataFrame(kKeys, kCount, ID_PROJECTION_SECTION) {}

CKvKrovakProjection::CKvKrovakProjection(const std::string& name, const std::string& branch,
                                         const std::string& ellipsoidCode,
                                         double scaleAtPseudoParallel, double pseudoParallel,
                                         double centerLongitude, double centerLatitude,
                                         double azimuth, double xyPlaneRotation, double xScale,
                                         double yScale, double falseEasting, double falseNorthing,
                                         bool canDelete, bool canEdit)
    : CKvMapProjDataFrame(kKeys, kCount, ID_PROJECTION_SECTION) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
  const double values[kCount] = {
      scaleAtPseudoParallel, pseudoParallel, centerLongitude, centerLatitude, azimuth,
      xyPlaneRotation,       xScale,         yScale,          falseEasting,   falseNorthing};
  SetParameters(values);
}

CKvKrovakProjection::~CKvKrovakProjection() = default;

CKvProjection* CKvKrovakProjection::CreateProjection() const {
  return CKvProjectionFrame::Usable(new CKvKrovak(this));
}

void CKvKrovakProjection::TransferValues(CKvPRJParser& parser) const {
  parser.SetFalseEasting(GetFalseEasting());
  parser.SetFalseNorthing(GetFalseNorthing());
  parser.SetPseudoParallel(GetPseudoParallel());
  parser.SetScaleFactor(GetScaleAtPseudoParallel());
  parser.SetAzimuth(GetAzimuth());
  parser.SetLongitudeOfCenter(GetCenterLongitude());
  parser.SetLatitudeOfCenter(GetCenterLatitude());
  parser.SetXScale(GetXScale());
  parser.SetYScale(GetYScale());
  parser.SetXYPlaneRotation(GetXYPlaneRotation());
}
