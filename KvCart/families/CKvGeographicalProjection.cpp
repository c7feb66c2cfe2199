#include "KvCart/families/CKvGeographicalProjection.h"

#include "KvCart/families/CKvGeographical.h"

namespace {
const char* const kSection = CKvGeographicalProjectionIDs::ID_PROJECTION_SECTION;
}

CKvGeographicalProjection::CKvGeographicalProjection()
    : CKvMapProjDataFrame(nullptr, 0, kSection) {}

CKvGeographicalProjection::CKvGeographicalProjection(const std::string& name,
                                                     const std::string& branch,
                                                     const std::string& ellipsoidCode,
                                                     double primeMeridian, bool canDelete,
                                                     bool canEdit)
    : CKvMapProjDataFrame(nullptr, 0, kSection), m_primeMeridian(primeMeridian) {
  Init(name, branch, ellipsoidCode, canDelete, canEdit);
}

CKvGeographicalProjection::~CKvGeographicalProjection() = default;

// Longitude and latitude need no ellipsoid, so a record without one (as
// "LONG/LAT") still gives a projection.
CKvProjection* CKvGeographicalProjection::CreateProjection() const {
  return new CKvGeographical(this);
}
