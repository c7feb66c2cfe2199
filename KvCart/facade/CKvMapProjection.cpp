// CKvMapProjection: construction from a projection string, conversions and
// properties. The static string tests, the registry and the geodesy live in
// CKvMapProjectionStrings.cpp, CKvMapProjectionRegistry.cpp and
// CKvMapProjectionGeodesy.cpp.
#include "KvCart/facade/CKvMapProjection.h"

#include <algorithm>
#include <stdexcept>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvDatumShift.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/core/LocalGrid.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

void FreeProjection(CKvProjection* projection) {
  if (projection != nullptr) projection->free();
}

// The projection of a database definition of that name, or null.
CKvProjection* FromDatabase(const std::string& name) {
  const CKvMapProjData* record =
      CKvCartSetup::Instance().GetMapProjectionList().GetMapProjection(name);
  return record != nullptr ? record->CreateProjection() : nullptr;
}

}  // namespace

CKvMapProjection::CKvMapProjection() = default;

CKvMapProjection::CKvMapProjection(const char* text) { Build(kvcart::TrimProjectionText(text)); }

CKvMapProjection::CKvMapProjection(const std::string& text) {
  Build(kvcart::TrimProjectionText(text.c_str()));
}

CKvMapProjection::CKvMapProjection(const CKvMapProjection& other)
    : m_projection(other.m_projection != nullptr ? other.m_projection->Clone() : nullptr),
      m_info(other.m_info),
      m_projectionString(other.m_projectionString) {}

CKvMapProjection& CKvMapProjection::operator=(const CKvMapProjection& other) {
  if (this == &other) return *this;
  // Clone first: if that throws, this object is left as it was.
  CKvProjection* copy = other.m_projection != nullptr ? other.m_projection->Clone() : nullptr;
  FreeProjection(m_projection);
  m_projection = copy;
  m_info = other.m_info;
  m_projectionString = other.m_projectionString;
  return *this;
}

CKvMapProjection::~CKvMapProjection() { FreeProjection(m_projection); }

CKvProjection* CKvMapProjection::GetProjection(const char* text, CKvProjectionInfo* info) {
  const std::string trimmed = kvcart::TrimProjectionText(text);
  CKvPRJParser parser(trimmed.c_str());
  if (parser.Parse(false)) {
    CKvProjection* projection = parser.CreateMapProjection();
    if (projection != nullptr) {
      if (info != nullptr) info->SetProjectionInfo(parser);
      return projection;
    }
  }
  if (trimmed == "UTM") throw std::out_of_range("Can't use generic UTM");
  return FromDatabase(trimmed.empty() ? std::string(kvcart::kLocalGridName) : trimmed);
}

// The text is trimmed. The empty text is the local grid, and is stored as
// its name so that every test on the stored string recognises it.
void CKvMapProjection::Build(const std::string& trimmed) {
  std::string text = trimmed.empty() ? std::string(kvcart::kLocalGridName) : trimmed;
  m_projection = GetProjection(text.c_str(), &m_info);
  if (m_projection == nullptr) return;
  const int reservedWords = eLongLatWord | eLocalWord;
  if (!CKvPRJParser::IsPRJ(CString(text.c_str())) && !IsType(reservedWords, text.c_str())) {
    // A database name is stored as the full definition, so the string
    // describes the coordinate system without the database.
    CKvPRJParser writer(m_projection);
    CString wkt;
    if (writer.Format(wkt)) {
      text = wkt.GetString();
      m_info.SetProjectionInfo(writer);
    }
  }
  m_projectionString = text;
}

void CKvMapProjection::Geo2Proj(double lon, double lat, double* x, double* y) const {
  if (m_projection != nullptr) {
    m_projection->Geo2Proj(lon, lat, x, y);
  } else {
    // Nothing to project: the input passes through the axis conversion.
    *x = lon;
    *y = lat;
  }
  m_info.InvConvert(*x, *y);
}

void CKvMapProjection::Proj2Geo(double x, double y, double* lon, double* lat) const {
  m_info.Convert(x, y);
  if (m_projection != nullptr) m_projection->Proj2Geo(x, y, lon, lat);
}

void CKvMapProjection::GetOrigin(double* lon, double* lat) const {
  if (m_projection != nullptr) {
    m_projection->GetOrigin(lon, lat);
  } else {
    *lon = 0.0;
    *lat = 0.0;
  }
}

double CKvMapProjection::GetConvergence(double lon, double lat) const {
  return m_projection != nullptr ? m_projection->GetConvergence(lon, lat) : 0.0;
}

// The projection's area in the axes of the text, like every projected
// coordinate of the facade: both corners through the axis conversion, then
// ordered again, since a west or south axis turns the box over.
void CKvMapProjection::GetDefaultArea(double* x0, double* y0, double* x1, double* y1) const {
  if (m_projection == nullptr) return;
  double ax0 = 0.0, ay0 = 0.0, ax1 = 0.0, ay1 = 0.0;
  m_projection->GetDefaultArea(&ax0, &ay0, &ax1, &ay1);
  m_info.InvConvert(ax0, ay0);
  m_info.InvConvert(ax1, ay1);
  *x0 = std::min(ax0, ax1);
  *y0 = std::min(ay0, ay1);
  *x1 = std::max(ax0, ax1);
  *y1 = std::max(ay0, ay1);
}

void CKvMapProjection::GetDefaultArea(int nx, int ny, ESizeParam which, double size, double* x0,
                                      double* y0, double* x1, double* y1) const {
  if (m_projection == nullptr) return;
  if (nx < 1 || ny < 1) {
    GetDefaultArea(x0, y0, x1, y1);
    return;
  }
  if (which != eSizeIsWidth && which != eSizeIsHeight) return;
  double lon = 0.0, lat = 0.0, xc = 0.0, yc = 0.0;
  m_projection->GetOrigin(&lon, &lat);
  Geo2Proj(lon, lat, &xc, &yc);
  const double halfWidth = which == eSizeIsWidth ? size * 0.5 : nx * size * 0.5 / ny;
  const double halfHeight = which == eSizeIsHeight ? size * 0.5 : ny * size * 0.5 / nx;
  *x0 = xc - halfWidth;
  *x1 = xc + halfWidth;
  *y0 = yc - halfHeight;
  *y1 = yc + halfHeight;
}

bool CKvMapProjection::IsLocal() const {
  return m_projection != nullptr && m_projection->IsLocal();
}

bool CKvMapProjection::IsGeographical() const {
  return m_projection != nullptr && m_projection->IsGeographical();
}

bool CKvMapProjection::GetUnit(EMapProjectionInfo which, double* factor, char* name) const {
  if (which == eProjectionUnit) return m_info.GetProjUnit(factor, name);
  if (which == eAngularUnit) return m_info.GetAngularUnit(factor, name);
  return false;
}

void CKvMapProjection::GetDatumShift(CKvDatumShift& shift) const { m_info.GetDatumShift(shift); }

int CKvMapProjection::GetCoordSysType() const {
  CKvProjectionInfo::CAxis::EType first, second;
  m_info.GetAxisTypes(&first, &second);
  return first * 4 + second;
}

const char* CKvMapProjection::GetName() const {
  return m_projection != nullptr ? m_projection->GetName() : "";
}
