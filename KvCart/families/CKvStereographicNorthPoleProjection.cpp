#include "KvCart/families/CKvStereographicNorthPoleProjection.h"

#include "KvCart/families/CKvStereographicNorthPole.h"

CKvStereographicNorthPoleProjection::CKvStereographicNorthPoleProjection()
    : CKvStereographicPoleDataFrame(ID_PROJECTION_SECTION) {}

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
