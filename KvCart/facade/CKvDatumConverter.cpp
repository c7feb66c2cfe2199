#include "KvCart/facade/CKvDatumConverter.h"

#include <memory>
#include <utility>

#include "KvCart/core/CKvDatumShift.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvMapProjection.h"

namespace {

constexpr double kArcSecondToRadian = 4.84813681109536e-6;
constexpr double kPpmToFraction = 1e-6;

bool AnonymousEllipsoid(const CKvMapProjection& facade, CKvEllipsoid& ellipsoid) {
  const CKvProjection* projection = facade.GetProjection();
  return projection != nullptr && projection->GetAnonymousEllipsoid(ellipsoid);
}

}  // namespace

CKvDatumConverter::CKvDatumConverter(const char* source, const char* target) {
  // The first facade must not leak when the second throws ("UTM").
  std::unique_ptr<CKvMapProjection> sourceFacade(new CKvMapProjection(source));
  std::unique_ptr<CKvMapProjection> targetFacade(new CKvMapProjection(target));
  m_source = sourceFacade.release();
  m_target = targetFacade.release();
  m_ownsFacades = true;
  Init();
}

CKvDatumConverter::CKvDatumConverter(CKvMapProjection* source, CKvMapProjection* target)
    : m_source(source), m_target(target) {
  Init();
}

CKvDatumConverter::CKvDatumConverter(const CKvDatumConverter& other) : CKvCartDef(other) {
  CopyFrom(other);
}

CKvDatumConverter& CKvDatumConverter::operator=(const CKvDatumConverter& other) {
  if (this != &other) {
    ReleaseFacades();
    CopyFrom(other);
  }
  return *this;
}

CKvDatumConverter::~CKvDatumConverter() { ReleaseFacades(); }

void CKvDatumConverter::ReleaseFacades() {
  if (m_ownsFacades) {
    delete m_source;
    delete m_target;
  }
  m_source = m_target = nullptr;
  m_ownsFacades = false;
}

void CKvDatumConverter::CopyFrom(const CKvDatumConverter& other) {
  if (other.m_ownsFacades) {
    std::unique_ptr<CKvMapProjection> source(new CKvMapProjection(*other.m_source));
    std::unique_ptr<CKvMapProjection> target(new CKvMapProjection(*other.m_target));
    m_source = source.release();
    m_target = target.release();
  } else {
    m_source = other.m_source;
    m_target = other.m_target;
  }
  m_ownsFacades = other.m_ownsFacades;
  m_conversionType = other.m_conversionType;
  m_sameEllipsoid = other.m_sameEllipsoid;
  m_bypass = other.m_bypass;
  m_bypassDefault = other.m_bypassDefault;
  m_local = other.m_local;
  m_sourceShift = other.m_sourceShift;
  m_targetShift = other.m_targetShift;
}

void CKvDatumConverter::Init() {
  m_local =
      (m_source != nullptr && m_source->IsLocal()) || (m_target != nullptr && m_target->IsLocal());
  m_conversionType = eProjToProj;
  if (m_source == nullptr || m_target == nullptr) return;
  CKvEllipsoid sourceEllipsoid, targetEllipsoid;
  CKvDatumShift sourceShift, targetShift;
  m_source->GetDatumShift(sourceShift);
  m_target->GetDatumShift(targetShift);
  if (!AnonymousEllipsoid(*m_source, sourceEllipsoid) ||
      !AnonymousEllipsoid(*m_target, targetEllipsoid)) {
    m_sameEllipsoid = m_bypass = m_bypassDefault = true;
  } else {
    m_sameEllipsoid = sourceEllipsoid.IsEquivalent(targetEllipsoid);
    m_bypass = m_bypassDefault = m_sameEllipsoid && sourceShift == targetShift;
  }
  m_sourceShift = InWorkingUnits(sourceShift);
  m_targetShift = InWorkingUnits(targetShift);
}

// Rotations come in arc-seconds and the scale in parts per million; the
// formulas want radians and a fraction. Values the type does not use are 0.
CKvDatumConverter::Side CKvDatumConverter::InWorkingUnits(const CKvDatumShift& shift) {
  const double toWorking[7] = {
      1, 1, 1, kArcSecondToRadian, kArcSecondToRadian, kArcSecondToRadian, kPpmToFraction};
  Side side;
  side.type = shift.GetType();
  const int used = UsedValues(side.type);
  for (int i = 0; i < used; ++i) side.params[i] = shift[i] * toWorking[i];
  return side;
}

int CKvDatumConverter::UsedValues(ETypeOfDatumShift type) {
  return type == eSevenParameter ? 7 : type == eThreeParameter ? 3 : 0;
}

// Compared as the records compare: the type, then the values it uses.
bool CKvDatumConverter::SameShift(const Side& a, const Side& b) {
  const double* p = a.params;
  const double* q = b.params;
  return CKvDatumShift(a.type, p[0], p[1], p[2], p[3], p[4], p[5], p[6]) ==
         CKvDatumShift(b.type, q[0], q[1], q[2], q[3], q[4], q[5], q[6]);
}

void CKvDatumConverter::SetDatumShift(ETypeOfDatumShift type, const double* params, bool source) {
  Side& side = source ? m_sourceShift : m_targetShift;
  side.type = type;
  const int count = params != nullptr ? UsedValues(type) : 0;
  for (int i = 0; i < count; ++i) side.params[i] = params[i];
  m_bypass = m_sameEllipsoid && SameShift(m_sourceShift, m_targetShift);
}

void CKvDatumConverter::InvertOrder() {
  std::swap(m_source, m_target);
  std::swap(m_sourceShift, m_targetShift);
  if (m_conversionType == eProjToGeo) {
    m_conversionType = eGeoToProj;
  } else if (m_conversionType == eGeoToProj) {
    m_conversionType = eProjToGeo;
  }
}

bool CKvDatumConverter::CanConvert() const {
  return !m_local && m_source != nullptr && m_target != nullptr &&
         m_source->GetProjection() != nullptr && m_target->GetProjection() != nullptr;
}

CKvCartDef::ETypeOfDatumShift CKvDatumConverter::GetDatumShiftType(bool source) const {
  return source ? m_sourceShift.type : m_targetShift.type;
}

const double* CKvDatumConverter::GetDatumShiftParameters(bool source) const {
  return source ? m_sourceShift.params : m_targetShift.params;
}

// Position vector, small-angle rotation (EPSG 9606 / 1033).
void CKvDatumConverter::ToWgs84(const Side& side, double& x, double& y, double& z) {
  const double* p = side.params;
  if (side.type == eSevenParameter) {
    const double m = 1.0 + p[6];
    const double x1 = (x - p[5] * y + p[4] * z) * m + p[0];
    const double y1 = (p[5] * x + y - p[3] * z) * m + p[1];
    const double z1 = (-p[4] * x + p[3] * y + z) * m + p[2];
    x = x1;
    y = y1;
    z = z1;
  } else if (side.type == eThreeParameter) {
    x += p[0];
    y += p[1];
    z += p[2];
  }
}

// The way back: translation removed, transposed rotation, scale divided out.
void CKvDatumConverter::FromWgs84(const Side& side, double& x, double& y, double& z) {
  const double* p = side.params;
  if (side.type == eSevenParameter) {
    const double m = 1.0 + p[6];
    const double u = x - p[0], v = y - p[1], w = z - p[2];
    x = (u + p[5] * v - p[4] * w) / m;
    y = (-p[5] * u + v + p[3] * w) / m;
    z = (p[4] * u - p[3] * v + w) / m;
  } else if (side.type == eThreeParameter) {
    x -= p[0];
    y -= p[1];
    z -= p[2];
  }
}

void CKvDatumConverter::DatumShift(double& x, double& y, double& z) const {
  ToWgs84(m_sourceShift, x, y, z);
  FromWgs84(m_targetShift, x, y, z);
}

void CKvDatumConverter::InvDatumShift(double& x, double& y, double& z) const {
  ToWgs84(m_targetShift, x, y, z);
  FromWgs84(m_sourceShift, x, y, z);
}

void CKvDatumConverter::DatumStep(const CKvMapProjection& from, const CKvMapProjection& to,
                                  const Side& first, const Side& second, double& lon, double& lat,
                                  double& h) const {
  if (m_bypass) return;
  double x = 0.0, y = 0.0, z = 0.0;
  from.Geo2XYZ(lon, lat, h, &x, &y, &z);
  ToWgs84(first, x, y, z);
  FromWgs84(second, x, y, z);
  to.XYZ2Geo(x, y, z, &lon, &lat, &h);
}

void CKvDatumConverter::Convert(double& x, double& y) const {
  double h = 0.0;
  Convert(x, y, h);
}

void CKvDatumConverter::InvConvert(double& x, double& y) const {
  double h = 0.0;
  InvConvert(x, y, h);
}

void CKvDatumConverter::Convert(double& x, double& y, double& h) const {
  if (!CanConvert() || m_conversionType < eProjToProj || m_conversionType > eGeoToGeo) return;
  const bool projectedIn = m_conversionType == eProjToProj || m_conversionType == eProjToGeo;
  const bool projectedOut = m_conversionType == eProjToProj || m_conversionType == eGeoToProj;
  double lon = x, lat = y;
  if (projectedIn) m_source->Proj2Geo(x, y, &lon, &lat);
  DatumStep(*m_source, *m_target, m_sourceShift, m_targetShift, lon, lat, h);
  x = lon;
  y = lat;
  if (projectedOut) m_target->Geo2Proj(lon, lat, &x, &y);
}

void CKvDatumConverter::InvConvert(double& x, double& y, double& h) const {
  if (!CanConvert() || m_conversionType < eProjToProj || m_conversionType > eGeoToGeo) return;
  // Type 1 takes target longitude/latitude to source projected, type 2
  // target projected to source longitude/latitude.
  const bool projectedIn = m_conversionType == eProjToProj || m_conversionType == eGeoToProj;
  const bool projectedOut = m_conversionType == eProjToProj || m_conversionType == eProjToGeo;
  double lon = x, lat = y;
  if (projectedIn) m_target->Proj2Geo(x, y, &lon, &lat);
  DatumStep(*m_target, *m_source, m_targetShift, m_sourceShift, lon, lat, h);
  x = lon;
  y = lat;
  if (projectedOut) m_source->Geo2Proj(lon, lat, &x, &y);
}
