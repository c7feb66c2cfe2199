#include "KvCart/facade/CKvProjTranslator.h"

#include <cmath>
#include <cstddef>
#include <fstream>
#include <stdexcept>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/families/CKvKrovak.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCart/text/WktNumber.h"

namespace {

using Type = CKvMapProjData::EProjectionType;

// A signed permutation of two coordinates: out[i] = sign[i] * in[from[i]].
// It says how a pair of axes relates to PROJ's native east/north pair, in
// PROJ's own "+axis" letters (e, w, n, s).
struct AxisOrder {
  int from[2] = {0, 1};
  double sign[2] = {1.0, 1.0};

  static bool FromLetters(const std::string& letters, AxisOrder& order) {
    for (int i = 0; i < 2; ++i) {
      const char c = i < static_cast<int>(letters.size()) ? letters[i] : '?';
      if (c != 'e' && c != 'w' && c != 'n' && c != 's') return false;
      order.from[i] = c == 'e' || c == 'w' ? 0 : 1;
      order.sign[i] = c == 'e' || c == 'n' ? 1.0 : -1.0;
    }
    return order.from[0] != order.from[1];
  }
  // This order followed by `outer`.
  AxisOrder Then(const AxisOrder& outer) const {
    AxisOrder c;
    for (int i = 0; i < 2; ++i) {
      c.from[i] = from[outer.from[i]];
      c.sign[i] = outer.sign[i] * sign[outer.from[i]];
    }
    return c;
  }
  AxisOrder Inverse() const {
    AxisOrder inv;
    for (int i = 0; i < 2; ++i) {
      inv.from[from[i]] = i;
      inv.sign[from[i]] = sign[i];
    }
    return inv;
  }
  std::string Letters() const {
    std::string letters;
    for (int i = 0; i < 2; ++i)
      letters += from[i] == 0 ? (sign[i] > 0 ? 'e' : 'w') : (sign[i] > 0 ? 'n' : 's');
    return letters;
  }
};

// How the facade turns the projection's east/north into the text's axes
// (CKvProjectionInfo::InvConvert: swap for a north/south first axis, then
// the signs of the two directions).
AxisOrder FacadeAxes(const CKvProjectionInfo& info) {
  AxisOrder order;
  const bool swap = info.GetAxis(0).GetType() == CKvProjectionInfo::CAxis::eNorth ||
                    info.GetAxis(0).GetType() == CKvProjectionInfo::CAxis::eSouth;
  order.from[0] = swap ? 1 : 0;
  order.from[1] = swap ? 0 : 1;
  order.sign[0] = info.GetAxis(0).GetFactor() < 0 ? -1.0 : 1.0;
  order.sign[1] = info.GetAxis(1).GetFactor() < 0 ? -1.0 : 1.0;
  return order;
}

// How the projection class orients its output against PROJ's projection of
// the same kind: a south-orientated transverse Mercator gives westing and
// southing; a Krovak follows its scales and rotation (false for an
// orientation that is no axis permutation).
bool ClassAxes(const CKvPRJParser& record, AxisOrder& order) {
  order = AxisOrder();
  if (record.GetProjectionType() == CKvMapProjData::eTransverseMercator) {
    if (record.IsSouthOrientated()) AxisOrder::FromLetters("ws", order);
    return true;
  }
  if (record.GetProjectionType() != CKvMapProjData::eKrovak) return true;
  if (CKvKrovak::IsOrientedByAxes(record)) return true;
  return AxisOrder::FromLetters(CKvKrovak::ProjAxisOf(record), order);
}

// Collects "+key=value " terms in the units PROJ expects: angles in degrees
// (the text's angular unit converted), lengths in metres (the text's linear
// unit converted). A term whose value the text does not give is left out:
// PROJ would take -1e-35 for a real value.
class TermWriter {
 public:
  TermWriter(const CKvPRJParser& record, const AxisOrder& classAxes, const AxisOrder& facadeAxes)
      : m_classAxes(classAxes), m_axes(classAxes.Then(facadeAxes)) {
    CString name;
    double angular = CKvPRJParser::kUnset;
    record.GetAngularUnit(name, angular);
    m_degreesPerUnit = kvcart::DegreesPerUnit(angular);
    record.GetProjUnit(name, m_metresPerUnit);
    record.GetPrimeMeridian(name, m_primeMeridian);
    if (!CKvPRJParser::IsSet(m_primeMeridian)) m_primeMeridian = 0.0;
  }

  void Text(const std::string& term) { m_out.append(term).append(" "); }
  void Number(const char* key, double value) { Text(key + kvcart::FormatWktNumber(value)); }
  // "+proj=<name>", then "+axis" when the coordinates are not east/north.
  void Projection(const char* term) {
    Text(term);
    if (m_axes.Letters() != "en") Text("+axis=" + m_axes.Letters() + "u");
  }
  void Angle(const char* key, double value) {
    if (CKvPRJParser::IsSet(value)) Number(key, value * m_degreesPerUnit);
  }
  // Longitudes count from the prime meridian, which goes into +pm.
  void Longitude(const char* key, double value) { Angle(key, value); }
  void Plain(const char* key, double value) {
    if (CKvPRJParser::IsSet(value)) Number(key, value);
  }
  // PROJ adds x_0 and y_0 before it turns the axes, the projection class
  // after: its false origin goes back through the class's orientation
  // (a westing FE - E is -(E + x_0) with x_0 = -FE).
  void FalseOrigin(double falseEasting, double falseNorthing) {
    const double source[2] = {falseEasting, falseNorthing};
    const AxisOrder back = m_classAxes.Inverse();
    const char* keys[2] = {"+x_0=", "+y_0="};
    for (int i = 0; i < 2; ++i) {
      const double value = source[back.from[i]];
      if (CKvPRJParser::IsSet(value)) Number(keys[i], back.sign[i] * value * m_metresPerUnit);
    }
  }

  double DegreesPerUnit() const { return m_degreesPerUnit; }
  double PrimeMeridian() const { return m_primeMeridian; }
  double MetresPerUnit() const { return m_metresPerUnit; }
  const std::string& Result() const { return m_out; }

 private:
  AxisOrder m_classAxes;
  AxisOrder m_axes;
  std::string m_out;
  double m_degreesPerUnit = 0.0;
  double m_metresPerUnit = CKvPRJParser::kUnset;
  double m_primeMeridian = 0.0;
};

void FalseOrigin(TermWriter& out, const CKvPRJParser& r) {
  out.FalseOrigin(r.GetFalseEasting(), r.GetFalseNorthing());
}

void TransverseMercator(TermWriter& out, const CKvPRJParser& r) {
  out.Projection("+proj=tmerc");
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

// A two-parallel Lambert text may carry a scale on the radii (Michigan's
// ellipsoid scaling), which the Lambert class applies: +k says the same.
void TwoParallels(TermWriter& out, const CKvPRJParser& r, const char* proj) {
  out.Projection(proj);
  out.Angle("+lat_1=", r.GetStandardParallel1());
  out.Angle("+lat_2=", r.GetStandardParallel2());
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  if (r.GetProjectionType() == CKvMapProjData::eLambert2SP) out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

void LambertOneParallel(TermWriter& out, const CKvPRJParser& r) {
  out.Projection("+proj=lcc");
  out.Angle("+lat_1=", r.GetLatitudeOfOrigin());
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

// The stereographic class projects through the conformal sphere in the
// oblique aspect (EPSG's double stereographic, PROJ's sterea) whatever the
// text calls it: PROJ's stere is another projection there, metres apart.
// At the poles both are the polar stereographic, which is PROJ's stere.
void Stereographic(TermWriter& out, const CKvPRJParser& r) {
  const double origin = std::fabs(r.GetLatitudeOfOrigin() * out.DegreesPerUnit());
  const bool polar = std::fabs(origin - 90.0) <= 1e-12 * 90.0;
  out.Projection(polar ? "+proj=stere" : "+proj=sterea");
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

void OriginOnly(TermWriter& out, const CKvPRJParser& r, const char* proj) {
  out.Projection(proj);
  out.Angle("+lat_0=", r.GetLatitudeOfOrigin());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  FalseOrigin(out, r);
}

// PROJ's omerc takes the centre's longitude as +lonc (+lon_0 is ignored).
// Without +no_uoff it counts coordinates from the centre (variant B, our
// oblique Mercator); with it from the natural origin (variant A, Hotine and
// rectified skew orthomorphic). +gamma is the rectification angle: the
// XY-plane rotation where the text gives one, else the azimuth.
void ObliqueMercator(TermWriter& out, const CKvPRJParser& r, Type type) {
  out.Projection("+proj=omerc");
  if (type != CKvMapProjData::eObliqueMercator) out.Text("+no_uoff");
  out.Angle("+lat_0=", r.GetLatitudeOfCenter());
  out.Longitude("+lonc=", r.GetLongitudeOfCenter());
  out.Angle("+alpha=", r.GetAzimuth());
  const double rotation = r.GetXYPlaneRotation();
  out.Angle("+gamma=", CKvPRJParser::IsSet(rotation) ? rotation : r.GetAzimuth());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

void Mercator(TermWriter& out, const CKvPRJParser& r) {
  out.Projection("+proj=merc");
  out.Angle("+lat_ts=", r.GetStandardParallel1());
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

void PolarStereographic(TermWriter& out, const CKvPRJParser& r, double pole, double trueScale) {
  out.Projection("+proj=stere");
  out.Number("+lat_0=", pole);
  out.Angle("+lat_ts=", trueScale);
  out.Longitude("+lon_0=", r.GetCentralMeridian());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
}

// PROJ's krovak fixes the pseudo standard parallel at 78.5 degrees (in
// degrees whatever the text's angular unit); the orientation of the scales
// and rotation is in the axis order (ClassAxes).
bool Krovak(TermWriter& out, const CKvPRJParser& r) {
  const double parallel = r.GetPseudoParallel() * out.DegreesPerUnit();
  if (std::fabs(parallel - 78.5) > 1e-12 * 78.5) return false;
  out.Projection("+proj=krovak");
  out.Angle("+lat_0=", r.GetLatitudeOfCenter());
  out.Longitude("+lon_0=", r.GetLongitudeOfCenter());
  out.Angle("+alpha=", r.GetAzimuth());
  out.Plain("+k=", r.GetScaleFactor());
  FalseOrigin(out, r);
  return true;
}

// The rotated pole as PROJ's general oblique transformation of longitude
// and latitude; the values are taken as written (degrees), as the
// projection class takes them.
void RotatedPole(TermWriter& out, const CKvPRJParser& r) {
  out.Text("+proj=ob_tran");
  out.Text("+o_proj=longlat");
  out.Plain("+o_lat_p=", 0.0 - r.GetLatitudeOfSouthPole());  // 0, never -0
  out.Plain("+o_lon_p=", 0.0 - r.GetAngleOfRotation());
  out.Plain("+lon_0=", r.GetLongitudeOfSouthPole());
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
    case CKvMapProjData::eRotatedLongitudeLatitude: RotatedPole(out, r); return true;
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
    default: return false;  // non-projected, undefined
  }
}

bool IsAngular(Type type) {
  return type == CKvMapProjData::eGeographical || type == CKvMapProjData::eRotatedLongitudeLatitude;
}

// Angular coordinates carry no linear unit; the rotated pole's class takes
// no prime meridian.
void AppendPrimeMeridianAndUnits(TermWriter& out, const CKvPRJParser& r) {
  const Type type = r.GetProjectionType();
  if (out.PrimeMeridian() != 0.0 && type != CKvMapProjData::eRotatedLongitudeLatitude) {
    out.Number("+pm=", out.PrimeMeridian());
  }
  const double metres = out.MetresPerUnit();
  if (IsAngular(type) || !CKvPRJParser::IsSet(metres)) return;
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

  AxisOrder classAxes;
  if (!ClassAxes(record, classAxes)) return std::string();
  const AxisOrder facadeAxes =
      IsAngular(record.GetProjectionType()) ? AxisOrder() : FacadeAxes(facade.GetProjectionInfo());
  TermWriter out(record, classAxes, facadeAxes);
  if (!AppendProjectionTerms(out, record)) return std::string();
  out.Number("+a=", ellipsoid.GetMajor());
  out.Number("+b=", ellipsoid.GetMinor());
  if (!AppendDatumShift(out, record, datumShift, count)) return std::string();
  AppendPrimeMeridianAndUnits(out, record);
  return out.Result() + "+no_defs  no_defs <>";
}

// The longest first line a .prj file may have.
constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

// The first line of a file, or "" when the file cannot be read or the line
// runs past kMaxLineBytes: a path to something that is no .prj file (a
// device, a huge binary file) must not make the reader take all memory.
std::string FirstLine(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  // The stream's own reads: a read error (a directory, say) ends the line
  // instead of throwing out of the buffer underneath.
  char c = '\0';
  while (in.get(c) && c != '\n') {
    if (line.size() == kMaxLineBytes) return std::string();
    line.push_back(c);
  }
  return line;
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
  return Convert2Proj4(FirstLine(path), datumShift, count);
}
