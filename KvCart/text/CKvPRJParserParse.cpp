// Parse: well-known text into the record.
#include <utility>

#include "KvCart/core/AngleMath.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCart/text/ProjectionNameTable.h"
#include "KvCart/text/WktNumber.h"
#include "KvCart/text/WktScan.h"

using namespace kvcart::wkt;

namespace {

using P = CKvPRJParser;
using Type = CKvMapProjData::EProjectionType;
constexpr double kUnset = CKvPRJParser::kUnset;

// How one PARAMETER is read: its name (and an alternative tried second),
// the record field it goes to, the value when the text does not have it,
// and whether the kind is invalid without it.
struct ParamRule {
  const char* name;
  const char* altName;
  double (P::*get)() const;
  void (P::*set)(double);
  double defaultValue;
  bool required;
  bool defaultsToAzimuth = false;
};

constexpr ParamRule kFE{"False_Easting",     nullptr, &P::GetFalseEasting,
                        &P::SetFalseEasting, kUnset,  true};
constexpr ParamRule kFN{"False_Northing",     nullptr, &P::GetFalseNorthing,
                        &P::SetFalseNorthing, kUnset,  true};
constexpr ParamRule kCM{"Central_Meridian",     nullptr, &P::GetCentralMeridian,
                        &P::SetCentralMeridian, kUnset,  true};
constexpr ParamRule kSP1{"Standard_Parallel_1",    nullptr, &P::GetStandardParallel1,
                         &P::SetStandardParallel1, kUnset,  true};
constexpr ParamRule kSP2{"Standard_Parallel_2",    nullptr, &P::GetStandardParallel2,
                         &P::SetStandardParallel2, kUnset,  true};
constexpr ParamRule kSF{"Scale_Factor",     nullptr, &P::GetScaleFactor,
                        &P::SetScaleFactor, kUnset,  true};
constexpr ParamRule kLO{"Latitude_Of_Origin",    nullptr, &P::GetLatitudeOfOrigin,
                        &P::SetLatitudeOfOrigin, kUnset,  true};
constexpr ParamRule kLonC{"Longitude_Of_Center",    nullptr, &P::GetLongitudeOfCenter,
                          &P::SetLongitudeOfCenter, kUnset,  true};
constexpr ParamRule kLatC{"Latitude_Of_Center",    nullptr, &P::GetLatitudeOfCenter,
                          &P::SetLatitudeOfCenter, kUnset,  true};
constexpr ParamRule kAz{"Azimuth", nullptr, &P::GetAzimuth, &P::SetAzimuth, kUnset, true};
constexpr ParamRule kXYRotation{"XY_Plane_Rotation",    nullptr, &P::GetXYPlaneRotation,
                                &P::SetXYPlaneRotation, kUnset,  true};

// Two-parallel Lambert may lack the scale (it then needs its parallels).
constexpr ParamRule kOptionalSF{"Scale_Factor",     nullptr, &P::GetScaleFactor,
                                &P::SetScaleFactor, kUnset,  false};
// The stereographic and NZMG texts name their meridian either way.
constexpr ParamRule kCMOrLonO{"Central_Meridian",
                              "Longitude_Of_Origin",
                              &P::GetCentralMeridian,
                              &P::SetCentralMeridian,
                              kUnset,
                              true};
constexpr ParamRule kLonOOrCM{"Longitude_Of_Origin",
                              "Central_Meridian",
                              &P::GetCentralMeridian,
                              &P::SetCentralMeridian,
                              kUnset,
                              true};
// The equal-area and equidistant kinds come with either naming of the centre.
constexpr ParamRule kCMOrLonC{"Central_Meridian",
                              "Longitude_Of_Center",
                              &P::GetCentralMeridian,
                              &P::SetCentralMeridian,
                              kUnset,
                              true};
constexpr ParamRule kLOOrLatC{"Latitude_Of_Origin",
                              "Latitude_Of_Center",
                              &P::GetLatitudeOfOrigin,
                              &P::SetLatitudeOfOrigin,
                              kUnset,
                              true};
// Hotine and oblique Mercator: the grid angle defaults to the azimuth (see
// ReadParameters); ESRI writes it as the XY-plane rotation.
constexpr ParamRule kGridAngle{"Rectified_Grid_Angle",
                               "XY_Plane_Rotation",
                               &P::GetXYPlaneRotation,
                               &P::SetXYPlaneRotation,
                               kUnset,
                               true,
                               true};
// Krovak: the rotation and both scales have neutral defaults.
constexpr ParamRule kKrovakRotation{"XY_Plane_Rotation",    nullptr, &P::GetXYPlaneRotation,
                                    &P::SetXYPlaneRotation, 0.0,     true};
constexpr ParamRule kPseudoParallel{"Pseudo_Standard_Parallel_1", nullptr, &P::GetPseudoParallel,
                                    &P::SetPseudoParallel,        kUnset,  true};
constexpr ParamRule kXScale{"X_Scale", nullptr, &P::GetXScale, &P::SetXScale, 1.0, true};
constexpr ParamRule kYScale{"Y_Scale", nullptr, &P::GetYScale, &P::SetYScale, 1.0, true};
// Rotated longitude/latitude.
constexpr ParamRule kLonSP{"Longitude_Of_South_Pole",   nullptr, &P::GetLongitudeOfSouthPole,
                           &P::SetLongitudeOfSouthPole, kUnset,  true};
constexpr ParamRule kLatSP{"Latitude_Of_South_Pole",   nullptr, &P::GetLatitudeOfSouthPole,
                           &P::SetLatitudeOfSouthPole, kUnset,  true};
constexpr ParamRule kRotation{"Angle_Of_Rotation",    nullptr, &P::GetAngleOfRotation,
                              &P::SetAngleOfRotation, kUnset,  true};

constexpr ParamRule kTransverseMercatorRules[] = {kFE, kFN, kCM, kSF, kLO};
// A polar stereographic text of variant B gives its latitude of true scale
// as latitude of origin and no scale; the class takes 1 then.
constexpr ParamRule kPolarStereographicRules[] = {kFE, kFN, kCM, kOptionalSF, kLO};
constexpr ParamRule kLambert2SPRules[] = {kFE, kFN, kCM, kSP1, kSP2, kOptionalSF, kLO};
constexpr ParamRule kStereographicRules[] = {kFE, kFN, kCMOrLonO, kSF, kLO};
constexpr ParamRule kNewZealandRules[] = {kFE, kFN, kLonOOrCM, kLO};
constexpr ParamRule kHotineRules[] = {kFE, kFN, kLonC, kLatC, kAz, kGridAngle, kSF};
constexpr ParamRule kSkewRules[] = {kFE, kFN, kLonC, kLatC, kAz, kXYRotation, kSF};
constexpr ParamRule kRotatedRules[] = {kLonSP, kLatSP, kRotation};
constexpr ParamRule kParallelRules[] = {kFE, kFN, kCM, kSP1};
constexpr ParamRule kMercator1SPRules[] = {kFE, kFN, kCM, kSF};
constexpr ParamRule kKrovakRules[] = {
    kFE, kFN, kLonC, kLatC, kAz, kKrovakRotation, kSF, kPseudoParallel, kXScale, kYScale};
constexpr ParamRule kConicRules[] = {kFE, kFN, kCMOrLonC, kSP1, kSP2, kLOOrLatC};
constexpr ParamRule kAzimuthalRules[] = {kFE, kFN, kCMOrLonC, kLOOrLatC};
constexpr ParamRule kCassiniRules[] = {kFE, kFN, kCM, kLO};

struct RuleSet {
  const ParamRule* begin = nullptr;
  const ParamRule* end = nullptr;
};

template <size_t N>
RuleSet Rules(const ParamRule (&rules)[N]) {
  return {rules, rules + N};
}

RuleSet RulesOf(Type type) {
  switch (type) {
    case CKvMapProjData::eTransverseMercator:
    case CKvMapProjData::eLambert1SP:
    case CKvMapProjData::eNonProjected: return Rules(kTransverseMercatorRules);
    case CKvMapProjData::ePolarStereographic: return Rules(kPolarStereographicRules);
    case CKvMapProjData::eLambert2SP: return Rules(kLambert2SPRules);
    case CKvMapProjData::eStereographic: return Rules(kStereographicRules);
    case CKvMapProjData::eNewZealandMapGrid: return Rules(kNewZealandRules);
    case CKvMapProjData::eHotineObliqueMercator:
    case CKvMapProjData::eObliqueMercator: return Rules(kHotineRules);
    case CKvMapProjData::eRectifiedSkewOrthomorphic: return Rules(kSkewRules);
    case CKvMapProjData::eRotatedLongitudeLatitude: return Rules(kRotatedRules);
    case CKvMapProjData::eMercator2SP:
    case CKvMapProjData::eStereographicNorthPole:
    case CKvMapProjData::eStereographicSouthPole: return Rules(kParallelRules);
    case CKvMapProjData::eMercator1SP: return Rules(kMercator1SPRules);
    case CKvMapProjData::eKrovak: return Rules(kKrovakRules);
    case CKvMapProjData::eAlbersEqualArea:
    case CKvMapProjData::eEquidistantConic: return Rules(kConicRules);
    case CKvMapProjData::eLambertAzimuthalEqualArea: return Rules(kAzimuthalRules);
    case CKvMapProjData::eCassiniSoldner: return Rules(kCassiniRules);
    default: return {};
  }
}

void ReadParameters(P& record, RuleSet rules, const CString& loweredSection) {
  for (const ParamRule* rule = rules.begin; rule != rules.end; ++rule) {
    bool found = false;
    double value = FindParamLowered(loweredSection, rule->name, found);
    if (!found && rule->altName != nullptr) {
      value = FindParamLowered(loweredSection, rule->altName, found);
    }
    if (!found) value = rule->defaultsToAzimuth ? record.GetAzimuth() : rule->defaultValue;
    (record.*rule->set)(value);
  }
}

bool AllRequiredSet(const P& record, RuleSet rules) {
  for (const ParamRule* rule = rules.begin; rule != rules.end; ++rule) {
    if (rule->required && !P::IsSet((record.*rule->get)())) return false;
  }
  return true;
}

// The kind after the validity rule of `type` (eUndefined when it fails).
Type ValidatedType(const P& record, Type type) {
  const RuleSet rules = RulesOf(type);
  if (AllRequiredSet(record, rules)) {
    // A Hotine grid with a grid angle other than the azimuth is a rectified
    // skew orthomorphic. The oblique Mercator counted from the centre keeps
    // its kind and takes the angle as its rectification: turning it into
    // the natural-origin kind would move every coordinate.
    if (type == CKvMapProjData::eHotineObliqueMercator &&
        !kvcart::IsRelEqual(record.GetAzimuth(), record.GetXYPlaneRotation())) {
      return CKvMapProjData::eRectifiedSkewOrthomorphic;
    }
    return type;
  }
  // A Lambert text with a scale and no parallels is the one-parallel form.
  if (type == CKvMapProjData::eLambert2SP &&
      AllRequiredSet(record, Rules(kTransverseMercatorRules))) {
    return CKvMapProjData::eLambert1SP;
  }
  return CKvMapProjData::eUndefined;
}

// A GDAL Krovak text orients its grid by AXIS elements instead of ESRI's
// scales and rotation (it has an AXIS element and neither X_Scale nor
// Y_Scale). The projection class then gives easting and northing, which in
// ESRI's terms are the scales -1 and 1 and a quarter turn; the record holds
// those, so that the text written from it describes the grid converted with.
void OrientKrovakByAxes(P& record, const CString& text) {
  if (P::IsSet(P::GetParam(text, "X_Scale", kUnset)) ||
      P::IsSet(P::GetParam(text, "Y_Scale", kUnset)) || text.Find("AXIS[") < 0) {
    return;
  }
  CString unit;
  double radiansPerUnit = kUnset;
  record.GetAngularUnit(unit, radiansPerUnit);
  record.SetXScale(-1.0);
  record.SetYScale(1.0);
  record.SetXYPlaneRotation(90.0 / kvcart::DegreesPerUnit(radiansPerUnit));
}

bool HasSortableParallels(Type type) {
  return type == CKvMapProjData::eLambert2SP || type == CKvMapProjData::eAlbersEqualArea ||
         type == CKvMapProjData::eEquidistantConic;
}

void ReadSpheroid(P& record, const CString& text) {
  CString name;
  int pos = 0;
  if (!ReadNameAt(text, text.Find("SPHEROID"), name, pos)) return;
  const double semiMajorAxis = kvcart::ParseWktNumber(text.Tokenize(",", pos).GetString());
  const double inverseFlattening = kvcart::ParseWktNumber(text.Tokenize(",]", pos).GetString());
  record.SetEllipsoid(name, semiMajorAxis, inverseFlattening);
}

// TOWGS84 takes the numbers up to its closing bracket: three translations
// alone are common, so missing values are 0 rather than read from whatever
// element follows. An element with a value that is no number is ignored.
void ReadDatumShift(P& record, const CString& text) {
  int pos = text.Find("TOWGS84");
  if (pos < 0) return;
  text.Tokenize(kNameDelimiters, pos);
  if (pos < 0 || pos > text.GetLength()) return;
  const int close = text.Find(']', pos);
  const CString content = text.Mid(pos, close < 0 ? -1 : close - pos);
  double values[7] = {0, 0, 0, 0, 0, 0, 0};
  int at = 0;
  for (double& value : values) {
    const CString token = content.Tokenize(",", at);
    if (at < 0) break;
    value = kvcart::ParseWktNumber(token.GetString());
    if (!P::IsSet(value)) return;
  }
  record.SetDatumShift(CKvDatumShift(values));
}

void ReadPrimeMeridian(P& record, const CString& text) {
  CString name;
  double value = 0.0;
  record.GetPrimeMeridian(name, value);
  P::GetNameParam(text, "PRIMEM", name, value);
  record.SetPrimeMeridian(name, value);
}

void ReadAxes(P& record, const CString& section) {
  CString name, direction;
  record.GetAxisInfo(P::eFirstAxis, name, direction);
  const CString rest = P::GetNameParam(section, "AXIS", name, direction);
  record.SetAxisInfo(P::eFirstAxis, name, direction);
  record.GetAxisInfo(P::eSecondAxis, name, direction);
  P::GetNameParam(rest, "AXIS", name, direction);
  record.SetAxisInfo(P::eSecondAxis, name, direction);
}

void SetGeographical(P& record) {
  record.SetProjectionType(CKvMapProjData::eGeographical);
  record.SetProjectionTypeName("Geographical");
  CString name, direction;
  record.GetAxisInfo(P::eFirstAxis, name, direction);
  record.SetAxisInfo(P::eFirstAxis, "Longitude", direction);
  record.GetAxisInfo(P::eSecondAxis, name, direction);
  record.SetAxisInfo(P::eSecondAxis, "Latitude", direction);
}

}  // namespace

bool CKvPRJParser::Parse(bool sortParallels) {
  const CString& text = m_sourceText;
  if (!IsPRJ(text)) return false;

  m_geoCSname = GetName(text, "GEOGCS");
  m_datum = GetName(text, "DATUM");
  // The display name: a compound system's name wins, and a text that names
  // no system at all is named by itself. Never empty: the projection classes
  // take an empty name for the local grid and would pass every coordinate
  // through unprojected.
  m_projCSname = ShortName(text);
  ReadSpheroid(*this, text);
  ReadDatumShift(*this, text);
  ReadPrimeMeridian(*this, text);

  const CString afterAngularUnit = GetNameParam(text, "UNIT", m_angularUnitName, m_angularUnit);
  if (!IsSet(m_angularUnit)) {
    m_projectionType = CKvMapProjData::eUndefined;
    return false;
  }

  const int projectionAt = text.Find("PROJECTION");
  if (projectionAt < 0) {
    SetGeographical(*this);
  } else {
    const CString section = text.Mid(projectionAt);
    int pos = 0;
    ReadNameAt(section, 0, m_projectionTypeName, pos);
    m_projectionType = kvcart::ProjectionTypeOfName(m_projectionTypeName);
    if (m_projectionType == CKvMapProjData::eUndefined) return false;

    ReadParameters(*this, RulesOf(m_projectionType), AsciiLower(section));
    if (m_projectionType == CKvMapProjData::eKrovak) OrientKrovakByAxes(*this, text);
    m_projectionType = ValidatedType(*this, m_projectionType);
    if (sortParallels && HasSortableParallels(m_projectionType) &&
        m_standardParallel1 > m_standardParallel2) {
      std::swap(m_standardParallel1, m_standardParallel2);
    }

    GetNameParam(afterAngularUnit, "UNIT", m_projUnitName, m_projUnit);
    if (!IsSet(m_projUnit)) {
      m_projectionType = CKvMapProjData::eUndefined;
      return false;
    }
    ReadAxes(*this, section);
  }

  return m_projectionType != CKvMapProjData::eUndefined;
}
