#include "KvCart/families/CKvProjectionFrame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/LocalGrid.h"

namespace {

// Half the step of the numeric convergence: one arc-minute.
constexpr double kConvergenceStep = 1.0 / 60.0;

const CKvEllipsoid* EllipsoidOfCode(const std::string& code) {
  if (code.empty()) return nullptr;
  return CKvCartSetup::Instance().GetEllipsoidList().GetEllipsoid(code);
}

}  // namespace

CKvProjectionFrame::CKvProjectionFrame(const std::string& name, const CKvEllipsoid& ellipsoid) {
  SetName(name);
  SetEllipsoid(ellipsoid);
}

CKvProjectionFrame::CKvProjectionFrame(const CKvMapProjData& record) {
  SetName(record.GetName());
  const CKvEllipsoid* ellipsoid = EllipsoidOfCode(record.GetEllipsoidID());
  if (ellipsoid) SetEllipsoid(*ellipsoid);
}

// Names longer than the buffer are cut, never written past its end.
void CKvProjectionFrame::SetName(const std::string& name) {
  const std::string& shown = name.empty() ? std::string(kvcart::kLocalGridName) : name;
  std::size_t length = std::min(shown.size(), static_cast<std::size_t>(kNameSize - 1));
  std::memcpy(m_name, shown.data(), length);
  m_name[length] = '\0';
}

void CKvProjectionFrame::SetEllipsoid(const CKvEllipsoid& ellipsoid) {
  m_a = ellipsoid.GetMajor();
  m_b = ellipsoid.GetMinor();
  m_f = ellipsoid.GetFlatness();
  m_invFlattening = ellipsoid.GetInvFlatness();
  m_e = ellipsoid.GetEccentricity();
  m_e2 = m_f * (2.0 - m_f);
}

bool CKvProjectionFrame::HasEllipsoid() const {
  return std::isfinite(m_a) && m_a > 0.0 && std::isfinite(m_f) && m_f >= 0.0 && m_f < 1.0;
}

CKvProjection* CKvProjectionFrame::Usable(CKvProjectionFrame* projection) {
  if (projection->HasEllipsoid() || projection->IsLocal()) return projection;
  delete projection;
  return nullptr;
}

double CKvProjectionFrame::MapScale(double k0) {
  return k0 != 0.0 && std::isfinite(k0) ? k0 : std::numeric_limits<double>::quiet_NaN();
}

void CKvProjectionFrame::SetOrigin(double lonDegrees, double latDegrees) {
  m_lon0Deg = lonDegrees;
  m_lat0Deg = latDegrees;
  m_lon0 = lonDegrees * kvcart::kDegToRad;
  m_lat0 = latDegrees * kvcart::kDegToRad;
}

void CKvProjectionFrame::SetFalseOrigin(double falseEasting, double falseNorthing) {
  m_falseEasting = falseEasting;
  m_falseNorthing = falseNorthing;
}

void CKvProjectionFrame::GetOrigin(double* lon, double* lat) const {
  *lon = m_lon0Deg;
  *lat = m_lat0Deg;
}

// A centred difference is exact to second order in the step; a one-sided
// step north would also leave the earth at latitudes above 89.98.
double CKvProjectionFrame::GetConvergence(double lon, double lat) const {
  double south = std::max(lat - kConvergenceStep, -90.0);
  double north = std::min(lat + kConvergenceStep, 90.0);
  double x1, y1, x2, y2;
  Geo2Proj(lon, south, &x1, &y1);
  Geo2Proj(lon, north, &x2, &y2);
  return std::atan2(x1 - x2, y2 - y1) * kvcart::kRadToDeg;
}

void CKvProjectionFrame::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  Geo2Proj(m_lon0Deg - m_halfSize, std::max(m_lat0Deg - m_halfSize, -90.0), x0, y0);
  Geo2Proj(m_lon0Deg + m_halfSize, std::min(m_lat0Deg + m_halfSize, 90.0), x1, y1);
}

bool CKvProjectionFrame::GetAnonymousEllipsoid(CKvEllipsoid& ellipsoid) const {
  if (!(m_a > 0.0)) return false;
  ellipsoid.SetParams(m_a, m_f > 0.0 ? m_invFlattening : 0.0);
  return true;
}

bool CKvProjectionFrame::GetMapProjection(CKvMapProjData& record) const {
  const CKvMapProjData* found =
      CKvCartSetup::Instance().GetMapProjectionList().GetMapProjection(m_name);
  if (!found || found->GetProjectionType() != record.GetProjectionType()) return false;
  double values[16] = {};
  int count = std::min(found->GetNoOfParameters(), 16);
  for (int i = 0; i < count; ++i) {
    std::string label;
    CKvMapProjData::EParamType type;
    found->GetParameter(i, label, values[i], type);
  }
  record.SetName(found->GetName());
  record.SetBranchName(found->GetBranchName());
  record.SetEllipsoidID(found->GetEllipsoidID());
  record.SetParameters(values);
  return true;
}

bool CKvProjectionFrame::GetEllipsoid(CKvEllipsoid& ellipsoid) const {
  const CKvEllipsoid* found = CKvCartSetup::Instance().EllipsoidOfProjection(m_name);
  if (!found) return false;
  ellipsoid = *found;
  return true;
}
