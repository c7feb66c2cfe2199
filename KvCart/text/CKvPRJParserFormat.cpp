// Format and FormatAsReadableWKT: the record written as well-known text.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "KvCart/core/AngleMath.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCart/text/ProjectionNameTable.h"
#include "KvCart/text/WktNumber.h"

namespace {

using P = CKvPRJParser;
using Type = CKvMapProjData::EProjectionType;

struct WrittenParam {
  const char* name;
  double (P::*get)() const;
};

constexpr WrittenParam kFE{"False_Easting", &P::GetFalseEasting};
constexpr WrittenParam kFN{"False_Northing", &P::GetFalseNorthing};
constexpr WrittenParam kCM{"Central_Meridian", &P::GetCentralMeridian};
constexpr WrittenParam kSP1{"Standard_Parallel_1", &P::GetStandardParallel1};
constexpr WrittenParam kSP2{"Standard_Parallel_2", &P::GetStandardParallel2};
constexpr WrittenParam kSF{"Scale_Factor", &P::GetScaleFactor};
constexpr WrittenParam kLO{"Latitude_Of_Origin", &P::GetLatitudeOfOrigin};
constexpr WrittenParam kLonO{"Longitude_Of_Origin", &P::GetCentralMeridian};
constexpr WrittenParam kLonC{"Longitude_Of_Center", &P::GetLongitudeOfCenter};
constexpr WrittenParam kLatC{"Latitude_Of_Center", &P::GetLatitudeOfCenter};
constexpr WrittenParam kAz{"Azimuth", &P::GetAzimuth};
constexpr WrittenParam kXYRotation{"XY_Plane_Rotation", &P::GetXYPlaneRotation};
constexpr WrittenParam kLonSP{"Longitude_Of_South_Pole", &P::GetLongitudeOfSouthPole};
constexpr WrittenParam kLatSP{"Latitude_Of_South_Pole", &P::GetLatitudeOfSouthPole};
constexpr WrittenParam kRotation{"Angle_Of_Rotation", &P::GetAngleOfRotation};
constexpr WrittenParam kPseudoParallel{"Pseudo_Standard_Parallel_1", &P::GetPseudoParallel};
constexpr WrittenParam kXScale{"X_Scale", &P::GetXScale};
constexpr WrittenParam kYScale{"Y_Scale", &P::GetYScale};

constexpr WrittenParam kScaledOriginParams[] = {kFE, kFN, kCM, kSF, kLO};
constexpr WrittenParam kConicParams[] = {kFE, kFN, kCM, kSP1, kSP2, kLO};
constexpr WrittenParam kNewZealandParams[] = {kFE, kFN, kLonO, kLO};
constexpr WrittenParam kHotineParams[] = {kFE, kFN, kSF, kAz, kLonC, kLatC};
constexpr WrittenParam kSkewParams[] = {kFE, kFN, kSF, kAz, kLonC, kLatC, kXYRotation};
constexpr WrittenParam kRotatedParams[] = {kLonSP, kLatSP, kRotation};
constexpr WrittenParam kParallelParams[] = {kFE, kFN, kCM, kSP1};
constexpr WrittenParam kMercator1SPParams[] = {kFE, kFN, kCM, kSF};
constexpr WrittenParam kKrovakParams[] = {kFE,   kFN,   kPseudoParallel, kSF,     kAz,
                                          kLonC, kLatC, kXScale,         kYScale, kXYRotation};
constexpr WrittenParam kOriginParams[] = {kFE, kFN, kCM, kLO};

struct ParamList {
  const WrittenParam* begin = nullptr;
  const WrittenParam* end = nullptr;
};

template <size_t N>
ParamList List(const WrittenParam (&params)[N]) {
  return {params, params + N};
}

ParamList WrittenParamsOf(Type type) {
  switch (type) {
    case CKvMapProjData::eTransverseMercator:
    case CKvMapProjData::eLambert1SP:
    case CKvMapProjData::eStereographic:
    case CKvMapProjData::ePolarStereographic:
    case CKvMapProjData::eNonProjected: return List(kScaledOriginParams);
    case CKvMapProjData::eLambert2SP:
    case CKvMapProjData::eAlbersEqualArea:
    case CKvMapProjData::eEquidistantConic: return List(kConicParams);
    case CKvMapProjData::eNewZealandMapGrid: return List(kNewZealandParams);
    case CKvMapProjData::eHotineObliqueMercator:
    case CKvMapProjData::eObliqueMercator: return List(kHotineParams);
    case CKvMapProjData::eRectifiedSkewOrthomorphic: return List(kSkewParams);
    case CKvMapProjData::eRotatedLongitudeLatitude: return List(kRotatedParams);
    case CKvMapProjData::eMercator2SP:
    case CKvMapProjData::eStereographicNorthPole:
    case CKvMapProjData::eStereographicSouthPole: return List(kParallelParams);
    case CKvMapProjData::eMercator1SP: return List(kMercator1SPParams);
    case CKvMapProjData::eKrovak: return List(kKrovakParams);
    case CKvMapProjData::eLambertAzimuthalEqualArea:
    case CKvMapProjData::eCassiniSoldner: return List(kOriginParams);
    default: return {};
  }
}

// The PROJECTION name our own writers use for each kind.
const char* CanonicalName(Type type) {
  static constexpr const char* kNames[] = {"Transverse_Mercator",
                                           "Lambert_Conformal_Conic_2SP",
                                           "Lambert_Conformal_Conic_1SP",
                                           "Stereographic",
                                           "New_Zealand_Map_Grid",
                                           "Hotine_Oblique_Mercator_Azimuth_Natural_Origin",
                                           "Hotine_Oblique_Mercator_Azimuth_Center",
                                           "Rectified_Skew_Orthomorphic_Natural_Origin",
                                           "Rotated_Longitude_Latitude",
                                           "Mercator_2SP",
                                           "Mercator_1SP",
                                           "Stereographic_North_Pole",
                                           "Stereographic_South_Pole",
                                           "Geographical",
                                           "Krovak",
                                           "Albers_Conic_Equal_Area",
                                           "Lambert_Azimuthal_Equal_Area",
                                           "Cassini_Soldner",
                                           "Equidistant_Conic",
                                           "Polar_Stereographic",
                                           "Non_Projected"};
  return type >= 1 && type <= 21 ? kNames[type - 1] : "";
}

bool IsWritableType(Type type) { return type >= 1 && type <= 21; }

// The stored PROJECTION name, unless it would read back as another kind: a
// Hotine text whose grid angle made it a rectified skew orthomorphic, or a
// record filled without a name, gets the kind's own name instead. ("Lambert_
// Conformal_Conic" with a scale and no parallels reads back as one parallel,
// so it keeps its name.)
CString WrittenTypeName(const P& record) {
  const Type type = record.GetProjectionType();
  const CString stored = record.GetProjectionTypeName();
  const Type named = kvcart::ProjectionTypeOfName(stored);
  const bool lambertOneParallel =
      type == CKvMapProjData::eLambert1SP && named == CKvMapProjData::eLambert2SP;
  if (!IsWritableType(type) || named == type || lambertOneParallel) return stored;
  return CanonicalName(type);
}

void AppendElement(std::string& out, const char* keyword, const CString& name) {
  out.append(keyword).append("[\"").append(name.GetString()).append("\",");
}

void AppendNumber(std::string& out, double value) { out.append(kvcart::FormatWktNumber(value)); }

void AppendNamedValue(std::string& out, const char* keyword, const CString& name, double value,
                      const char* closing) {
  AppendElement(out, keyword, name);
  AppendNumber(out, value);
  out.append(closing);
}

void AppendGeographicPart(std::string& out, const P& record) {
  AppendElement(out, "PROJCS", record.GetProjCSname());
  AppendElement(out, "GEOGCS", record.GetGeoCSname());
  AppendElement(out, "DATUM", record.GetDatum());
  CString name;
  double a = 0.0, inverseFlattening = 0.0, value = 0.0;
  record.GetEllipsoid(name, a, inverseFlattening);
  AppendElement(out, "SPHEROID", name);
  AppendNumber(out, a);
  out.append(",");
  AppendNumber(out, inverseFlattening);
  out.append("]],");
  record.GetPrimeMeridian(name, value);
  AppendNamedValue(out, "PRIMEM", name, value, "],");
  record.GetAngularUnit(name, value);
  AppendNamedValue(out, "UNIT", name, value, "]],");
}

}  // namespace

namespace {

// An oblique Mercator from the centre whose grid angle is not its azimuth
// writes the angle too, or it would read back without it.
bool HasOwnGridAngle(const P& record) {
  const double angle = record.GetXYPlaneRotation();
  return record.GetProjectionType() == CKvMapProjData::eObliqueMercator && P::IsSet(angle) &&
         !kvcart::IsRelEqual(record.GetAzimuth(), angle);
}

// A two-parallel Lambert read with a scale on its radii (the Michigan
// zones) writes the scale too: the Lambert class applies it. Records of the
// definitions leave it unset and keep the kind's six parameters.
bool HasScaledRadii(const P& record) {
  return record.GetProjectionType() == CKvMapProjData::eLambert2SP &&
         P::IsSet(record.GetScaleFactor());
}

// Values beyond the kind's own list that the projection class uses.
void AppendOwnValues(std::string& out, const P& record) {
  if (HasOwnGridAngle(record)) {
    AppendNamedValue(out, "PARAMETER", kXYRotation.name, record.GetXYPlaneRotation(), "],");
  }
  if (HasScaledRadii(record)) {
    AppendNamedValue(out, "PARAMETER", kSF.name, record.GetScaleFactor(), "],");
  }
}

}  // namespace

bool CKvPRJParser::Format(CString& text) const {
  std::string out;
  AppendGeographicPart(out, *this);
  out.append("PROJECTION[\"").append(WrittenTypeName(*this).GetString()).append("\"],");
  const bool writable = IsWritableType(m_projectionType);
  if (writable) {
    const ParamList params = WrittenParamsOf(m_projectionType);
    for (const WrittenParam* p = params.begin; p != params.end; ++p) {
      AppendNamedValue(out, "PARAMETER", p->name, (this->*p->get)(), "],");
    }
    AppendOwnValues(out, *this);
    AppendNamedValue(out, "UNIT", m_projUnitName, m_projUnit, "]]");
  }
  text.SetString(out.data(), static_cast<int>(out.size()));
  return writable;
}

// A record that cannot be written reports false here as well, rather than
// handing the caller a text that stops after PROJECTION.
bool CKvPRJParser::Format(char* buffer, int size) const {
  CString text;
  if (buffer == nullptr || !Format(text) || text.GetLength() >= size) return false;
  std::memcpy(buffer, text.GetString(), static_cast<size_t>(text.GetLength()) + 1);
  return true;
}

namespace {

// Beyond this depth the readable form stops indenting further: a text that
// nests thousands of brackets deep would otherwise grow quadratically.
constexpr int kMaxIndentLevel = 16;

// Tracks the brackets open in the readable text as it grows, the way
// _GetBracketLevel counts them, without rescanning it for every line.
struct BracketLevel {
  int open = 0;
  bool broken = false;  // a "]" without an open bracket was seen

  void Add(const char* bytes, size_t count) {
    for (size_t i = 0; i < count && !broken; ++i) {
      if (bytes[i] == '[') ++open;
      if (bytes[i] == ']') broken = open-- == 0;
    }
  }
  int Indent() const { return broken ? 0 : std::min(open, kMaxIndentLevel) * 4; }
};

}  // namespace

void CKvPRJParser::FormatAsReadableWKT(const CString& text, CString& readable) {
  const std::string in(text.GetString(), static_cast<size_t>(text.GetLength()));
  std::string out;
  BracketLevel level;
  size_t start = 0;
  // Each piece between two brackets ends with the keyword of the next
  // element; the line breaks after the piece's last comma, before that
  // keyword. The text before the first bracket and the tail stay as they are.
  for (size_t bracket = in.find('['); bracket != std::string::npos; bracket = in.find('[', start)) {
    const std::string piece = in.substr(start, bracket - start);
    size_t head = piece.size();
    if (start != 0 && !piece.empty()) {
      const size_t comma = piece.rfind(',');
      head = comma == std::string::npos ? 0 : comma + 1;
    }
    out.append(piece, 0, head);
    level.Add(piece.data(), head);
    if (head < piece.size()) {
      out.append("\r\n").append(static_cast<size_t>(level.Indent()), ' ');
      out.append(piece, head, std::string::npos);
      level.Add(piece.data() + head, piece.size() - head);
    }
    out.append("[");
    level.Add("[", 1);
    start = bracket + 1;
  }
  out.append(in, start, std::string::npos);
  readable.SetString(out.data(), static_cast<int>(out.size()));
}
