// CKvMapProjection: the static tests on projection strings.
#include <cctype>
#include <cmath>
#include <string>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvDatumShift.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/core/LocalGrid.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/families/GeneratedDefinitions.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

using EType = CKvMapProjData::EProjectionType;

std::string Trim(const char* text) { return kvcart::TrimProjectionText(text); }

// The kind of the string a facade built from the text stores.
EType StoredType(const char* text, bool sortParallels, CKvPRJParser* parsed = nullptr) {
  const CKvMapProjection facade(text);
  CKvPRJParser parser(facade.GetProjectionString());
  parser.Parse(sortParallels);
  if (parsed != nullptr) *parsed = parser;
  return parser.GetProjectionType();
}

bool ParsesAsDefinition(const std::string& text) { return CKvPRJParser(text.c_str()).Parse(false); }

bool Same(double p, double q) { return kvcart::IsRelEqual(p, q); }

double ValueOr(double value, double unset) { return CKvPRJParser::IsSet(value) ? value : unset; }

double RadiansPerUnit(const CKvPRJParser& record) {
  CString name;
  double factor = 1.0;
  record.GetAngularUnit(name, factor);
  return factor;
}

bool SameIgnoringCase(const CString& a, const CString& b) {
  const int n = a.GetLength();
  if (n != b.GetLength()) return false;
  for (int i = 0; i < n; ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool SameParameters(const CKvPRJParser& a, const CKvPRJParser& b) {
  for (int i = 0; i < a.GetNoOfParameters(); ++i) {
    CString labelA, unitA, labelB, unitB;
    double valueA = 0.0, factorA = 1.0, valueB = 0.0, factorB = 1.0;
    if (!a.GetParameter(i, labelA, valueA, unitA, factorA)) return false;
    if (!b.GetParameter(i, labelB, valueB, unitB, factorB)) return false;
    if (labelA != labelB) return false;
    const bool sameUnit = unitA == unitB;
    if (!Same(sameUnit ? valueA : valueA * factorA, sameUnit ? valueB : valueB * factorB)) {
      return false;
    }
  }
  return true;
}

// What the projection classes take from a text beyond the listed parameters
// of its kind: the south orientation of a transverse Mercator, the scale on
// the radii of a two-parallel Lambert (1 when the text has none) and the
// grid angle of an oblique Mercator from the centre.
bool SameOwnValues(const CKvPRJParser& a, const CKvPRJParser& b) {
  if (a.IsSouthOrientated() != b.IsSouthOrientated()) return false;
  switch (a.GetProjectionType()) {
    case CKvMapProjData::eLambert2SP:
      return Same(ValueOr(a.GetScaleFactor(), 1.0), ValueOr(b.GetScaleFactor(), 1.0));
    case CKvMapProjData::eObliqueMercator:
      return Same(a.GetXYPlaneRotation() * RadiansPerUnit(a),
                  b.GetXYPlaneRotation() * RadiansPerUnit(b));
    default: return true;
  }
}

bool SameEllipsoid(const CKvMapProjection& a, const CKvMapProjection& b) {
  CKvEllipsoid ea, eb;
  const bool hasA = a.GetProjection() != nullptr && a.GetProjection()->GetAnonymousEllipsoid(ea);
  const bool hasB = b.GetProjection() != nullptr && b.GetProjection()->GetAnonymousEllipsoid(eb);
  return hasA == hasB && (!hasA || ea.IsEquivalent(eb));
}

bool SameAxes(const CKvPRJParser& a, const CKvPRJParser& b) {
  for (auto axis : {CKvPRJParser::eFirstAxis, CKvPRJParser::eSecondAxis}) {
    CString nameA, directionA, nameB, directionB;
    a.GetAxisInfo(axis, nameA, directionA);
    b.GetAxisInfo(axis, nameB, directionB);
    if (!SameIgnoringCase(directionA, directionB)) return false;
  }
  return true;
}

}  // namespace

bool CKvMapProjection::IsType(int mask, const char* text) {
  const std::string trimmed = Trim(text);
  if ((mask & eLocalWord) != 0 && trimmed == kvcart::kLocalGridName) return true;
  if ((mask & eLongLatWord) != 0 && trimmed == kvcart::kLongLatName) return true;
  if ((mask & (eProjectedTypes | eGeographicalTypes)) == 0) return false;
  return CKvMapProjData::IsEquivalent(mask, StoredType(trimmed.c_str(), false));
}

bool CKvMapProjection::IsLocal(const char* text) { return kvcart::IsLocalGridText(text); }

bool CKvMapProjection::IsLongLat(const char* text) { return kvcart::IsLongLatText(text); }

bool CKvMapProjection::IsGeoreferenced(const char* text) { return !IsLocal(text) && IsValid(text); }

bool CKvMapProjection::IsGeographical(const char* text) {
  if (IsLongLat(text)) return true;
  const EType type = StoredType(Trim(text).c_str(), false);
  return type == CKvMapProjData::eGeographical || type == CKvMapProjData::eRotatedLongitudeLatitude;
}

bool CKvMapProjection::IsProjectionOfType(const char* text, CKvMapProjData::EProjectionType type) {
  CKvPRJParser parser(text);
  parser.Parse(false);
  return parser.GetProjectionType() == type;
}

bool CKvMapProjection::IsValid(const char* text) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return false;
  if (ParsesAsDefinition(trimmed)) return true;
  if (trimmed == "UTM") return false;
  if (CKvPRJParser::IsPRJ(CString(trimmed.c_str()))) return false;  // broken well-known text
  if (trimmed == kvcart::kLocalGridName || trimmed == kvcart::kLongLatName) return true;
  return _Exists(trimmed.c_str(), eProjectedTypes | eGeographicalTypes | eLongLatWord | eLocalWord);
}

bool CKvMapProjection::HasDatum(const char* text) {
  const std::string trimmed = Trim(text);
  if (ParsesAsDefinition(trimmed)) return true;
  if (trimmed == "UTM" || trimmed == kvcart::kLocalGridName || trimmed == kvcart::kLongLatName) {
    return false;
  }
  return _Exists(trimmed.c_str(), eProjectedTypes | eGeographicalTypes);
}

bool CKvMapProjection::_Exists(const char* name, int mask) {
  const std::string key = name != nullptr ? name : "";
  if (CKvCartSetup::Instance().GetMapProjectionList().GetMapProjection(key) == nullptr) {
    return false;
  }
  return IsType(mask, key.c_str());
}

bool CKvMapProjection::AreIdentical(const char* text1, const char* text2) {
  if (!IsValid(text1) || !IsValid(text2)) return false;
  const CKvMapProjection a(text1), b(text2);
  CKvPRJParser pa(a.GetProjectionString()), pb(b.GetProjectionString());
  const bool parsedA = pa.Parse(true);
  const bool parsedB = pb.Parse(true);
  // "NON-UTM" and "LONG/LAT" are no well-known text: without a record to
  // compare, only the same word is the same system.
  if (!parsedA || !parsedB) return parsedA == parsedB && Trim(text1) == Trim(text2);
  if (pa.GetProjectionType() != pb.GetProjectionType()) return false;
  if (!SameParameters(pa, pb) || !SameOwnValues(pa, pb)) return false;
  CString nameA, nameB;
  double meridianA = 0.0, meridianB = 0.0;
  pa.GetPrimeMeridian(nameA, meridianA);
  pb.GetPrimeMeridian(nameB, meridianB);
  if (!Same(meridianA, meridianB)) return false;
  if (!SameEllipsoid(a, b)) return false;
  if (pa.GetDatumShift() != pb.GetDatumShift()) return false;
  return SameAxes(pa, pb);
}

int CKvMapProjection::GetCoordSysType(const char* text) {
  return CKvMapProjection(text).GetCoordSysType();
}

const char* CKvMapProjection::ShortName(const char* text) {
  // Each thread keeps its own result, valid until its next call.
  thread_local std::string result;
  result = CKvPRJParser::ShortName(CString(text)).GetString();
  return result.c_str();
}

const char* CKvMapProjection::LongitudeToUTMZone(double lon) {
  const int zone = kvcart::UtmZoneOfLongitude(lon);
  thread_local std::string result;
  result = zone > 0 ? kvcart::UtmZoneName(zone) : std::string();
  return result.c_str();
}

const char* CKvMapProjection::IDtoProjectionString(EMapProjectionString id) {
  switch (id) {
    case eLocalGrid: return kvcart::kLocalGridName;
    case eLongLat: return kvcart::kLongLatName;
    case eGoogleMapsMercator:
      return "PROJCS[\"Google Maps - Mercator\",GEOGCS[\"GCS_Google_Maps\","
             "DATUM[\"D_Google_Maps\",SPHEROID[\"Google Maps (Sphere)\",6378137,0]],"
             "PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.0174532925199433]],"
             "PROJECTION[\"Mercator\"],PARAMETER[\"False_Easting\",0],"
             "PARAMETER[\"False_Northing\",0],PARAMETER[\"Central_Meridian\",0],"
             "PARAMETER[\"Standard_Parallel_1\",0],UNIT[\"Meter\",1]]";
    case eWgs84Geographical:
      return "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137,"
             "298.257223563]],PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.017453292519943295]]";
  }
  return "";
}
