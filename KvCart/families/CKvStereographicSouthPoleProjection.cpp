#include "KvCart/families/CKvStereographicSouthPoleProjection.h"

#include "KvCart/families/CKvStereographicSouthPole.h"

CKvStereographicSouthPoleProjection::CKvStereographicSouthPoleProjection()
    : CKvStereographicPoleDataFrame(ID_PROJECTION_SECTION) {}

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
