#include "KvCart/facade/CKvProjTranslator.h"

#include <cmath>
#include <fstream>
#include <stdexcept>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCart/text/WktNumber.h"

namespace {

using Type = CKvMapProjData::EProjectionType;
constexpr double kDegreesPerRadian = 57.29577951308232;

// Texts give the angular unit in radians with 15 digits (0.0174532925199433
// for the degree), so the degrees per unit come out a few ulps off 1 (or 0.9
// for the grad) and a central meridian of 9 would be written as
// 9.000000000000002. A factor that close to a number of 12 digits is taken
// as that number.
double WholeUnitFactor(double factor) {
  if (!std::isfinite(factor) || factor == 0.0) return factor;
  const double scale = std::pow(10.0, 11 - std::floor(std::log10(std::fabs(factor))));
  const double rounded = std::round(factor * scale) / scale;
  return std::fabs(rounded - factor) <= 1e-12 * std::fabs(factor) ? rounded : factor;
}

// Collects "+key=value " terms in the units PROJ expects: angles in degrees
// (the text's angular unit converted), lengths in metres (the text's linear
// unit converted). A term whose value the text does not give is left out:
// PROJ would take -1e-35 for a real value.
class TermWriter {
 public:
  explicit TermWriter(const CKvPRJParser& record) {
    CString name;
    double angular = CKvPRJParser::kUnset;
    record.GetAngularUnit(name, angular);
    m_degreesPerUnit = WholeUnitFactor(angular * kDegreesPerRadian);
    record.GetProjUnit(name, m_metresPerUnit);
    record.GetPrimeMeridian(name, m_primeMeridian);
    if (!CKvPRJParser::IsSet(m_primeMeridian)) m_primeMeridian = 0.0;
  }

  void Text(const std::string& term) { m_out.append(term).append(" "); }
  void Number(const char* key, double value) { Text(key + kvcart::FormatWktNumber(value)); }
  void Angle(const char* key, double value) {
    if (CKvPRJParser::IsSet(value)) Number(key, value * m_degreesPerUnit);
  }
  // Longitudes count from the prime meridian, which goes into +pm.
  void Longitude(const char* key, double value) { Angle(key, value); }
  void Length(const char* key, double value) {
    if (CKvPRJParser::IsSet(value)) Number(key, value * m_metresPerUnit);
  }
  void Plain(const char* key, double value) {
    if (CKvPRJParser::IsSet(value)) Number(key, value);
  }

  double PrimeMeridian() const { return m_primeMeridian; }
  double MetresPerUnit() const { return m_metresPerUnit; }
  const std::string& Result() const { return m_out; }

 private:
  std::string m_out;
  double m_degreesPerUnit = 0.0;
  double m_metresPerUnit = CKvPRJParser::kUnset;
  double m_primeMeridian = 0.0;
};

void FalseOrigin(TermWriter& out, const CKvPRJParser& r) {
  out.Length("+x_0=", r.GetFalseEasting());
  out.Length("+y_0=", r.GetFalseNorthing());
}

// PROJ turns the axes after adding x_0 and y_0, so a westing FE - E comes
// out of +axis=wsu with x_0 = -FE (and y_0 = -FN for the southing).
void TransverseMercator(TermWriter& out, const CKvPRJParser& r) {
  out.Text("+proj=tmerc");
  const bool south = r.IsSouthOrientated();
  if (south) out.Text("+axis=wsu");
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  const double sign = south ? -1.0 : 1.0;
  out.Length("+x_0=", sign * r.GetFalseEasting());
  out.Length("+y_0=", sign * r.GetFalseNorthing());
}

// A two-parallel Lambert text may carry a scale on the radii (Michigan's
// ellipsoid scaling), which the Lambert class applies: +k says the same.
void TwoParallels(TermWriter& out, const CKvPRJParser& r, const char* proj) {
  out.Text(proj);
  out.Angle("+lat_1=", r.GetStandardParallel1());
  out.Angle("+lat_2=", r.GetStandardParallel2());
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  if (r.GetProjectionType() == CKvMapProjData::eLambert2SP) out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

void LambertOneParallel(TermWriter& out, const CKvPRJParser& r) {
  out.Text("+proj=lcc");
  out.Angle("+lat_1=", r.GetLatitudeOfOrigin());
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

// The double (oblique) stereographic of EPSG is PROJ's sterea.
void Stereographic(TermWriter& out, const CKvPRJParser& r) {
  const CString name = r.GetProjectionTypeName();
  const bool viaConformalSphere = name.CompareNoCase("Double_Stereographic") == 0 ||
                                  name.CompareNoCase("Oblique_Stereographic") == 0;
  out.Text(viaConformalSphere ? "+proj=sterea" : "+proj=stere");
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

void OriginOnly(TermWriter& out, const CKvPRJParser& r, const char* proj) {
  out.Text(proj);
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  FalseOrigin(out, r);
}

// PROJ's omerc takes the centre's longitude as +lonc (+lon_0 is ignored).
// Without +no_uoff it counts coordinates from the centre (variant B, our
// oblique Mercator); with it from the natural origin (variant A, Hotine and
// rectified skew orthomorphic). +gamma is the rectification angle.
void ObliqueMercator(TermWriter& out, const CKvPRJParser& r, Type type) {
  out.Text("+proj=omerc");
  if (type != CKvMapProjData::eObliqueMercator) out.Text("+no_uoff");
  out.Angle("+lat_0=", r.GetLatitudeOfCenter());
  out.Longitude("+lonc=", r.GetLongitudeOfCenter());
  out.Angle("+alpha=", r.GetAzimuth());
  const bool rectified = type == CKvMapProjData::eRectifiedSkewOrthomorphic;
  out.Angle("+gamma=", rectified ? r.GetXYPlaneRotation() : r.GetAzimuth());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

void Mercator(TermWriter& out, const CKvPRJParser& r) {
  out.Text("+proj=merc");
  out.Angle("+lat_ts=", r.GetStandardParallel1());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

void PolarStereographic(TermWriter& out, const CKvPRJParser& r, double pole, double trueScale) {
  out.Text("+proj=stere");
  out.Number("+lat_0=", pole);
  out.Angle("+lat_ts=", trueScale);
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

bool IsOne(double value, double expected) {
  return std::fabs(value - expected) <= 1e-12 * std::fabs(expected);
}

// PROJ's krovak fixes the pseudo standard parallel at 78.5 degrees and
// writes (-westing, -southing); +axis turns that into the two other
// orientations the ESRI scales and rotation give. Each orientation moves
// the false origin with it. Other combinations have no PROJ form.
bool Krovak(TermWriter& out, const CKvPRJParser& r) {
  const double sx = r.GetXScale(), sy = r.GetYScale(), rotation = r.GetXYPlaneRotation();
  const double fe = r.GetFalseEasting(), fn = r.GetFalseNorthing();
  const char* axis = nullptr;
  double x0 = fe, y0 = fn;
  if (IsOne(sx, -1.0) && IsOne(sy, 1.0) && IsOne(rotation, 90.0)) {
    axis = "";  // easting, northing: PROJ's own output
  } else if (IsOne(sx, 1.0) && IsOne(sy, 1.0) && rotation == 0.0) {
    axis = "+axis=swu";  // southing, westing
    x0 = -fn;
    y0 = -fe;
  } else if (IsOne(sx, -1.0) && IsOne(sy, -1.0) && rotation == 0.0) {
    axis = "+axis=neu";
    x0 = fn;
    y0 = fe;
  }
  if (axis == nullptr || !IsOne(r.GetPseudoParallel(), 78.5)) return false;
  out.Text("+proj=krovak");
  if (*axis != '\0') out.Text(axis);
  out.Angle("+lat_0=", r.GetLatitudeOfCenter());
  out.Longitude("+lon_0=", r.GetLongitudeOfCenter());
  out.Angle("+alpha=", r.GetAzimuth());
  out.Plain("+k=", r.GetScaleFactor());
  out.Length("+x_0=", x0);
  out.Length("+y_0=", y0);
  return true;
}

// The projection terms of the record's kind; false for a kind that has no
// PROJ form.
bool AppendProjectionTerms(TermWriter& out, const CKvPRJParser& r) {
  const Type type = r.GetProjectionType();
  switch (type) {
    case CKvMapProjData::eTransverseMercator: TransverseMercator(out, r); return true;
    case CKvMapProjData::eLambert2SP: TwoParallels(out, r, "+proj=lcc"); return true;
    case CKvMapProjData::eLambert1SP: LambertOneParallel(out, r); return true;
    case CKvMapProjData::eStereographic: Stereographic(out, r); return true;
    case CKvMapProjData::eNewZealandMapGrid: OriginOnly(out, r, "+proj=nzmg"); return true;
    case CKvMapProjData::eHotineObliqueMercator:
    case CKvMapProjData::eObliqueMercator:
    case CKvMapProjData::eRectifiedSkewOrthomorphic: ObliqueMercator(out, r, type); return true;
    case CKvMapProjData::eMercator2SP:
    case CKvMapProjData::eMercator1SP: Mercator(out, r); return true;
    case CKvMapProjData::eStereographicNorthPole:
      PolarStereographic(out, r, 90.0, r.GetStandardParallel1());
      return true;
    case CKvMapProjData::eStereographicSouthPole:
      PolarStereographic(out, r, -90.0, r.GetStandardParallel1());
      return true;
    case CKvMapProjData::ePolarStereographic:
      PolarStereographic(out, r, r.GetLatitudeOfOrigin() < 0 ? -90.0 : 90.0,
                         r.GetLatitudeOfOrigin());
      return true;
    case CKvMapProjData::eGeographical: out.Text("+proj=longlat"); return true;
    case CKvMapProjData::eKrovak: return Krovak(out, r);
    case CKvMapProjData::eAlbersEqualArea: TwoParallels(out, r, "+proj=aea"); return true;
    case CKvMapProjData::eLambertAzimuthalEqualArea: OriginOnly(out, r, "+proj=laea"); return true;
    case CKvMapProjData::eCassiniSoldner: OriginOnly(out, r, "+proj=cass"); return true;
    case CKvMapProjData::eEquidistantConic: TwoParallels(out, r, "+proj=eqdc"); return true;
    default: return false;  // rotated pole, non-projected, undefined
  }
}

// Geographical coordinates carry no linear unit.
void AppendPrimeMeridianAndUnits(TermWriter& out, const CKvPRJParser& r) {
  if (out.PrimeMeridian() != 0.0) out.Number("+pm=", out.PrimeMeridian());
  const double metres = out.MetresPerUnit();
  if (r.GetProjectionType() == CKvMapProjData::eGeographical || !CKvPRJParser::IsSet(metres)) {
    return;
  }
  if (metres != 1.0) {
    out.Number("+to_meter=", metres);
  } else {
    out.Text("+units=m");
  }
}

bool AllFinite(const double* values, int count) {
  for (int i = 0; i < count; ++i) {
    if (!std::isfinite(values[i])) return false;
  }
  return true;
}

// The seven TOWGS84 values of the caller (count >= 1), or of the text.
bool AppendDatumShift(TermWriter& out, const CKvPRJParser& record, const double* values,
                      int count) {
  double shift[7] = {0, 0, 0, 0, 0, 0, 0};
  if (values != nullptr && count >= 1) {
    const int used = count < 7 ? count : 7;
    if (!AllFinite(values, used)) return false;
    for (int i = 0; i < used; ++i) shift[i] = values[i];
  } else {
    const CKvDatumShift& own = record.GetDatumShift();
    if (own.GetType() == CKvCartDef::eNoShift) return true;
    for (int i = 0; i < 7; ++i) shift[i] = own[i];
  }
  std::string list = kvcart::FormatWktNumber(shift[0]);
  for (int i = 1; i < 7; ++i) list += "," + kvcart::FormatWktNumber(shift[i]);
  out.Text("+towgs84=" + list);
  return true;
}

std::string Translate(const CKvMapProjection& facade, const double* datumShift, int count) {
  const CKvProjection* projection = facade.GetProjection();
  if (projection == nullptr) return std::string();
  CKvPRJParser record(facade.GetProjectionString());
  // "LONG/LAT" is stored as the word, not as text: it is geographical WGS 84.
  if (!record.Parse(false) && projection->IsGeographical()) {
    record.SetProjectionType(CKvMapProjData::eGeographical);
  }
  CKvEllipsoid ellipsoid;
  if (!projection->GetAnonymousEllipsoid(ellipsoid)) {
    // Geographical coordinates without an ellipsoid ("LONG/LAT") are taken
    // on WGS 84, as the facade's geodesics take them.
    if (!projection->IsGeographical()) return std::string();
    ellipsoid.SetParams(6378137.0, 298.257223563);
  }

  TermWriter out(record);
  if (!AppendProjectionTerms(out, record)) return std::string();
  out.Number("+a=", ellipsoid.GetMajor());
  out.Number("+b=", ellipsoid.GetMinor());
  if (!AppendDatumShift(out, record, datumShift, count)) return std::string();
  AppendPrimeMeridianAndUnits(out, record);
  return out.Result() + "+no_defs  no_defs <>";
}

}  // namespace

CKvProjTranslator::CKvProjTranslator() = default;

CKvProjTranslator::~CKvProjTranslator() = default;

std::string CKvProjTranslator::Convert2Proj4(const std::string& projection,
                                             const double* datumShift, int count) const {
  try {
    const CKvMapProjection facade(projection);
    return Translate(facade, datumShift, count);
  } catch (const std::out_of_range&) {
    return std::string();  // "UTM" without a zone names no coordinate system
  }
}

std::string CKvProjTranslator::ConvertPRJFile2Proj4(const std::string& path,
                                                    const double* datumShift, int count) const {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (in) std::getline(in, line);
  return Convert2Proj4(line, datumShift, count);
}
