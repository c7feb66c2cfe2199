#include "KvCart/families/CKvPolarStereographic.h"

#include "KvCart/core/AngleMath.h"
#include "KvCart/families/CKvPolarStereographicProjection.h"
#include "KvCart/families/CKvStereographic.h"
#include "KvCart/families/CKvStereographicNorthPole.h"
#include "KvCart/families/CKvStereographicSouthPole.h"

CKvPolarStereographic::CKvPolarStereographic(const CKvPolarStereographicProjection* record)
    : CKvProjectionFrame(*record) {
  Initialise(record->GetScale(), record->GetCentre(), record->GetOriginLatitude(),
             record->GetFalseEasting(), record->GetFalseNorthing());
}

CKvPolarStereographic::CKvPolarStereographic(const std::string& name, double k0, double centre,
                                             double originLat, double falseEasting,
                                             double falseNorthing, const CKvEllipsoid& ellipsoid)
    : CKvProjectionFrame(name, ellipsoid) {
  Initialise(k0, centre, originLat, falseEasting, falseNorthing);
}

CKvPolarStereographic::CKvPolarStereographic(const CKvPolarStereographic& other)
    : CKvProjectionFrame(other), m_inner(other.m_inner->Clone()) {}

CKvPolarStereographic& CKvPolarStereographic::operator=(const CKvPolarStereographic& other) {
  if (this != &other) {
    CKvProjectionFrame::operator=(other);
    m_inner.reset(other.m_inner->Clone());
  }
  return *this;
}

CKvPolarStereographic::~CKvPolarStereographic() = default;

// The inner object gets this object's name and ellipsoid values (the
// ellipsoid found in the database when built from a record).
void CKvPolarStereographic::Initialise(double k0, double centre, double originLat,
                                       double falseEasting, double falseNorthing) {
  SetOrigin(centre, originLat);
  SetFalseOrigin(falseEasting, falseNorthing);
  CKvEllipsoid ellipsoid("", "", m_a, m_f > 0.0 ? m_invFlattening : 0.0);
  const std::string name = GetName();
  if (kvcart::IsRelEqual(originLat, 90.0) || kvcart::IsRelEqual(originLat, -90.0)) {
    m_inner.reset(
        new CKvStereographic(name, k0, centre, originLat, falseEasting, falseNorthing, ellipsoid));
  } else if (originLat >= 0.0) {
    m_inner.reset(new CKvStereographicNorthPole(name, originLat, centre, falseEasting,
                                                falseNorthing, ellipsoid));
  } else {
    m_inner.reset(new CKvStereographicSouthPole(name, originLat, centre, falseEasting,
                                                falseNorthing, ellipsoid));
  }
}

void CKvPolarStereographic::Geo2Proj(double lon, double lat, double* x, double* y) const {
  m_inner->Geo2Proj(lon, lat, x, y);
}

void CKvPolarStereographic::Proj2Geo(double x, double y, double* lon, double* lat) const {
  m_inner->Proj2Geo(x, y, lon, lat);
}

void CKvPolarStereographic::GetOrigin(double* lon, double* lat) const {
  m_inner->GetOrigin(lon, lat);
}

double CKvPolarStereographic::GetConvergence(double lon, double lat) const {
  return m_inner->GetConvergence(lon, lat);
}

void CKvPolarStereographic::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  m_inner->GetDefaultArea(x0, y0, x1, y1);
}

bool CKvPolarStereographic::IsLocal() const { return m_inner->IsLocal(); }

bool CKvPolarStereographic::IsGeographical() const { return m_inner->IsGeographical(); }

void CKvPolarStereographic::GetDerivedParameters(double* values) const {
  m_inner->GetDerivedParameters(values);
}

bool CKvPolarStereographic::GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const {
  return m_inner->GetAnonymousEllipsoid(ellipsoid);
}

CKvProjection* CKvPolarStereographic::Clone() const { return new CKvPolarStereographic(*this); }

// Not forwarded: the text describes the polar stereographic definition of
// this object's name, which the inner object would not find.
void CKvPolarStereographic::TransferParameters(CKvPRJParser& parser) const {
  TransferThroughDefinition<CKvPolarStereographicProjection>(parser);
}
