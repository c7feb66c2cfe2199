#include "KvCart/facade/CKvCartography.h"

#include <cmath>
#include <memory>
#include <string>

#include "KvCart/core/AngleMath.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/families/GeneratedDefinitions.h"

namespace {

// "UTM" alone names no zone; a grid takes the zone of its origin.
std::string ResolveGenericUtm(const char* projection, double lon0) {
  const std::string text = projection != nullptr ? projection : "";
  if (text != "UTM") return text;
  const int zone = kvcart::UtmZoneOfLongitude(lon0);
  return zone > 0 ? kvcart::UtmZoneName(zone) : text;
}

}  // namespace

CKvCartography::CKvCartography(const char* projection, double lon0, double lat0, double orientation)
    : m_projection(new CKvMapProjection(ResolveGenericUtm(projection, lon0))) {
  _init(lon0, lat0, orientation);
}

CKvCartography::CKvCartography(const CKvMapProjection& projection, double lon0, double lat0,
                               double orientation)
    : m_projection(new CKvMapProjection(projection)) {
  _init(lon0, lat0, orientation);
}

// A copy resolves the other's projection string again. A facade without
// projection has the empty string, which would resolve to the local grid:
// it is copied as it is, so the copy converts as the original does.
CKvMapProjection* CKvCartography::CopyFacade(const CKvMapProjection& facade) {
  if (facade.GetProjection() == nullptr) return new CKvMapProjection(facade);
  return new CKvMapProjection(std::string(facade.GetProjectionString()));
}

CKvCartography::CKvCartography(const CKvCartography& other)
    : m_projection(CopyFacade(*other.m_projection)) {
  CopyNumbers(other);
}

CKvCartography& CKvCartography::operator=(const CKvCartography& other) {
  if (this == &other) return *this;
  // Build the new facade before the old one goes, so a throw leaves this intact.
  std::unique_ptr<CKvMapProjection> fresh(CopyFacade(*other.m_projection));
  delete m_projection;
  m_projection = fresh.release();
  CopyNumbers(other);
  return *this;
}

CKvCartography::~CKvCartography() { delete m_projection; }

void CKvCartography::CopyNumbers(const CKvCartography& other) {
  m_x0 = other.m_x0;
  m_y0 = other.m_y0;
  m_theta = other.m_theta;
  m_cos = other.m_cos;
  m_sin = other.m_sin;
  m_lon0 = other.m_lon0;
  m_lat0 = other.m_lat0;
  m_orientation = other.m_orientation;
}

void CKvCartography::_init(double lon0, double lat0, double orientation) {
  m_lon0 = lon0;
  m_lat0 = lat0;
  m_orientation = orientation;
  m_projection->Geo2Proj(lon0, lat0, &m_x0, &m_y0);
  m_theta = orientation - m_projection->GetConvergence(lon0, lat0);
  m_cos = std::cos(m_theta * kvcart::kDegToRad);
  m_sin = std::sin(m_theta * kvcart::kDegToRad);
}

void CKvCartography::Geo2Proj(double lon, double lat, double* x, double* y) const {
  m_projection->Geo2Proj(lon, lat, x, y);
}

void CKvCartography::Proj2Geo(double x, double y, double* lon, double* lat) const {
  m_projection->Proj2Geo(x, y, lon, lat);
}

void CKvCartography::Proj2Xy(double projX, double projY, double* x, double* y) const {
  const double dx = projX - m_x0;
  const double dy = projY - m_y0;
  *x = m_cos * dx - m_sin * dy;
  *y = m_cos * dy + m_sin * dx;
}

void CKvCartography::Geo2Xy(double lon, double lat, double* x, double* y) const {
  double projX, projY;
  m_projection->Geo2Proj(lon, lat, &projX, &projY);
  Proj2Xy(projX, projY, x, y);
}

void CKvCartography::Xy2Proj(double x, double y, double* projX, double* projY) const {
  *projX = m_cos * x + m_sin * y + m_x0;
  *projY = m_cos * y - m_sin * x + m_y0;
}

void CKvCartography::Xy2Geo(double x, double y, double* lon, double* lat) const {
  double projX, projY;
  Xy2Proj(x, y, &projX, &projY);
  m_projection->Proj2Geo(projX, projY, lon, lat);
}

double CKvCartography::GetTrueNorth(double x, double y) const {
  double projX, projY;
  Xy2Proj(x, y, &projX, &projY);
  // A null projection writes nothing: the origin stands in, convergence 0.
  double lon = m_lon0, lat = m_lat0;
  m_projection->Proj2Geo(projX, projY, &lon, &lat);
  return m_theta + m_projection->GetConvergence(lon, lat);
}

void CKvCartography::ConvertFrom(const CKvCartography& other, double projX, double projY,
                                 double* outX, double* outY) const {
  double lon = 0.0, lat = 0.0;
  other.m_projection->Proj2Geo(projX, projY, &lon, &lat);
  m_projection->Geo2Proj(lon, lat, outX, outY);
}

const char* CKvCartography::GetProjectionName() const { return m_projection->GetName(); }

const char* CKvCartography::GetProjectionString() const {
  return m_projection->GetProjectionString();
}

void CKvCartography::_csysrot(double x, double y, double angle, double* ox, double* oy) {
  const double c = std::cos(angle * kvcart::kDegToRad);
  const double s = std::sin(angle * kvcart::kDegToRad);
  *ox = x * c + y * s;
  *oy = y * c - x * s;
}
