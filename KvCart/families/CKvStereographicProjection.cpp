#include "KvCart/families/CKvStereographicProjection.h"

#include "KvCart/families/CKvStereographic.h"

CKvStereographicProjection::CKvStereographicProjection()
    : CKvStereographicDataFrame(ID_PROJECTION_SECTION) {}

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
