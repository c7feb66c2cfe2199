#include "KvCart/families/CKvPolarStereographicProjection.h"

#include "KvCart/families/CKvPolarStereographic.h"

CKvPolarStereographicProjection::CKvPolarStereographicProjection()
    : CKvStereographicDataFrame(ID_PROJECTION_SECTION) {}

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
