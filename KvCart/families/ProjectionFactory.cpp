// The factories that name every family: definition records by type (the
// database's defaults and user definitions), records from a section of a
// definition file, and projection objects from a parsed well-known text.
// A family that is not built into the library has no row here and gives
// null everywhere.
#include <memory>
#include <string>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/families/CKvAlbersEqualArea.h"
#include "KvCart/families/CKvAlbersEqualAreaProjection.h"
#include "KvCart/families/CKvCassiniSoldner.h"
#include "KvCart/families/CKvCassiniSoldnerProjection.h"
#include "KvCart/families/CKvEquidistantConic.h"
#include "KvCart/families/CKvEquidistantConicProjection.h"
#include "KvCart/families/CKvGeographical.h"
#include "KvCart/families/CKvGeographicalProjection.h"
#include "KvCart/families/CKvHotineObliqueMercator.h"
#include "KvCart/families/CKvHotineObliqueMercatorProjection.h"
#include "KvCart/families/CKvKrovak.h"
#include "KvCart/families/CKvKrovakProjection.h"
#include "KvCart/families/CKvLambert1SP.h"
#include "KvCart/families/CKvLambert1SPProjection.h"
#include "KvCart/families/CKvLambert2SP.h"
#include "KvCart/families/CKvLambert2SPProjection.h"
#include "KvCart/families/CKvLambertAzimuthalEqualArea.h"
#include "KvCart/families/CKvLambertAzimuthalEqualAreaProjection.h"
#include "KvCart/families/CKvMercator1SP.h"
#include "KvCart/families/CKvMercator1SPProjection.h"
#include "KvCart/families/CKvMercator2SP.h"
#include "KvCart/families/CKvMercator2SPProjection.h"
#include "KvCart/families/CKvNewZealandMapGrid.h"
#include "KvCart/families/CKvNewZealandMapGridProjection.h"
#include "KvCart/families/CKvObliqueMercator.h"
#include "KvCart/families/CKvObliqueMercatorProjection.h"
#include "KvCart/families/CKvPolarStereographic.h"
#include "KvCart/families/CKvPolarStereographicProjection.h"
#include "KvCart/families/CKvRectifiedSkewOrthomorphic.h"
#include "KvCart/families/CKvRectifiedSkewOrthomorphicProjection.h"
#include "KvCart/families/CKvRotatedLongitudeLatitude.h"
#include "KvCart/families/CKvRotatedLongitudeLatitudeProjection.h"
#include "KvCart/families/CKvStereographic.h"
#include "KvCart/families/CKvStereographicNorthPole.h"
#include "KvCart/families/CKvStereographicNorthPoleProjection.h"
#include "KvCart/families/CKvStereographicProjection.h"
#include "KvCart/families/CKvStereographicSouthPole.h"
#include "KvCart/families/CKvStereographicSouthPoleProjection.h"
#include "KvCart/families/CKvTransverseMercatorJHS.h"
#include "KvCart/families/CKvTransverseMercatorProjection.h"
#include "KvCart/families/WebMercator.h"
#include "KvCart/text/CKvPRJParser.h"
#include "rcf/rcf.h"

namespace {

// The values of a parsed well-known-text record in the units of the
// projection classes: degrees (longitudes counted from Greenwich) and metres.
class WktValues {
 public:
  explicit WktValues(const CKvPRJParser& parser) : m_parser(parser) {
    CString name;
    double factor = 0.0;
    parser.GetAngularUnit(name, factor);
    m_degreesPerUnit = factor * 57.29577951308232;
    parser.GetProjUnit(name, factor);
    m_metresPerUnit = factor;
    parser.GetPrimeMeridian(name, m_primeMeridian);
    if (!CKvPRJParser::IsSet(m_primeMeridian)) m_primeMeridian = 0.0;
    double a = 0.0, invF = 0.0;
    parser.GetEllipsoid(name, a, invF);
    m_ellipsoid = CKvEllipsoid(name.GetString(), "", a, invF);
  }
  std::string Name() const { return m_parser.GetProjCSname().GetString(); }
  const CKvEllipsoid& Ellipsoid() const { return m_ellipsoid; }
  const CKvPRJParser& Record() const { return m_parser; }
  // Latitudes, azimuths, parallels and rotations.
  double Angle(double value) const { return value * m_degreesPerUnit; }
  // The longitude of the projection (central meridian, longitude of centre).
  double Longitude(double value) const { return value * m_degreesPerUnit + m_primeMeridian; }
  double Length(double value) const { return value * m_metresPerUnit; }
  double PrimeMeridian() const { return m_primeMeridian; }

 private:
  const CKvPRJParser& m_parser;
  double m_degreesPerUnit = 0.0;
  double m_metresPerUnit = 0.0;
  double m_primeMeridian = 0.0;
  CKvEllipsoid m_ellipsoid;
};

CKvProjection* TransverseMercatorFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(new CKvTransverseMercatorJHS(
      v.Name(), p.GetScaleFactor(), v.Longitude(p.GetCentralMeridian()),
      v.Angle(p.GetLatitudeOfOrigin()), v.Length(p.GetFalseEasting()),
      v.Length(p.GetFalseNorthing()), v.Ellipsoid(), p.IsSouthOrientated()));
}

// The oblique Mercator family. A natural-origin text whose grid angle
// differs from its azimuth was read as rectified skew orthomorphic; a
// centre-origin text keeps its centre and rectifies by its own angle.
CKvProjection* HotineFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(new CKvHotineObliqueMercator(
      v.Name(), p.GetScaleFactor(), v.Longitude(p.GetLongitudeOfCenter()),
      v.Angle(p.GetLatitudeOfCenter()), v.Angle(p.GetAzimuth()), v.Length(p.GetFalseEasting()),
      v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

CKvProjection* ObliqueMercatorFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  const double gridAngle = CKvPRJParser::IsSet(p.GetXYPlaneRotation())
                               ? v.Angle(p.GetXYPlaneRotation())
                               : CKvObliqueMercator::kAzimuthAsAngle;
  return CKvProjectionFrame::Usable(new CKvObliqueMercator(
      v.Name(), p.GetScaleFactor(), v.Longitude(p.GetLongitudeOfCenter()),
      v.Angle(p.GetLatitudeOfCenter()), v.Angle(p.GetAzimuth()), v.Length(p.GetFalseEasting()),
      v.Length(p.GetFalseNorthing()), v.Ellipsoid(), gridAngle));
}

CKvProjection* RectifiedSkewFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(new CKvRectifiedSkewOrthomorphic(
      v.Name(), p.GetScaleFactor(), v.Longitude(p.GetLongitudeOfCenter()),
      v.Angle(p.GetLatitudeOfCenter()), v.Angle(p.GetAzimuth()), v.Angle(p.GetXYPlaneRotation()),
      v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

// The orientation step as the record holds it; for a GDAL-style text (AXIS
// elements, no X/Y scales) the reader stores the easting/northing
// orientation there and the text's axes do the rest.
CKvProjection* KrovakFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(new CKvKrovak(
      v.Name(), p.GetScaleFactor(), v.Angle(p.GetPseudoParallel()),
      v.Longitude(p.GetLongitudeOfCenter()), v.Angle(p.GetLatitudeOfCenter()),
      v.Angle(p.GetAzimuth()), v.Angle(p.GetXYPlaneRotation()), p.GetXScale(), p.GetYScale(),
      v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

CKvProjection* GeographicalFromWkt(const WktValues& v) {
  return new CKvGeographical(v.Name(), v.PrimeMeridian(), v.Ellipsoid());
}

// The scale factor of a two-parallel Lambert text other than 1 multiplies
// every radius (the Michigan zones' ellipsoid scaling factor); unset means 1.
CKvProjection* Lambert2SPFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  double k0 = CKvPRJParser::IsSet(p.GetScaleFactor()) ? p.GetScaleFactor() : 1.0;
  return CKvProjectionFrame::Usable(new CKvLambert2SP(
      v.Name(), v.Angle(p.GetStandardParallel1()), v.Angle(p.GetStandardParallel2()),
      v.Longitude(p.GetCentralMeridian()), v.Angle(p.GetLatitudeOfOrigin()),
      v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid(), k0));
}

CKvProjection* Lambert1SPFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(
      new CKvLambert1SP(v.Name(), p.GetScaleFactor(), v.Longitude(p.GetCentralMeridian()),
                        v.Angle(p.GetLatitudeOfOrigin()), v.Length(p.GetFalseEasting()),
                        v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

// The web maps' Mercator (ESRI's auxiliary sphere, GDAL's Pseudo-Mercator)
// is the spherical Mercator on the sphere of radius a; other auxiliary
// spheres are not what this family computes. False when there is no
// projection to build.
bool MercatorEllipsoid(const WktValues& v, CKvEllipsoid* ellipsoid) {
  *ellipsoid = v.Ellipsoid();
  double radius = 0.0;
  switch (kvcart::WebMercatorOf(v.Record(), &radius)) {
    case kvcart::eNotWebMercator: return true;
    case kvcart::eWebMercator: ellipsoid->SetParams(radius, 0.0); return true;
    case kvcart::eOtherAuxiliarySphere: return false;
  }
  return false;
}

CKvProjection* Mercator2SPFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  CKvEllipsoid ellipsoid;
  if (!MercatorEllipsoid(v, &ellipsoid)) return nullptr;
  return CKvProjectionFrame::Usable(new CKvMercator2SP(
      v.Name(), v.Angle(p.GetStandardParallel1()), v.Longitude(p.GetCentralMeridian()),
      v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), ellipsoid));
}

CKvProjection* Mercator1SPFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  CKvEllipsoid ellipsoid;
  if (!MercatorEllipsoid(v, &ellipsoid)) return nullptr;
  return CKvProjectionFrame::Usable(
      new CKvMercator1SP(v.Name(), p.GetScaleFactor(), v.Longitude(p.GetCentralMeridian()),
                         v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), ellipsoid));
}

// Albers and the equidistant conic take the same six values.
template <class Conic>
CKvProjection* ConicFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(
      new Conic(v.Name(), v.Angle(p.GetStandardParallel1()), v.Angle(p.GetStandardParallel2()),
                v.Longitude(p.GetCentralMeridian()), v.Angle(p.GetLatitudeOfOrigin()),
                v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

CKvProjection* CassiniSoldnerFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(new CKvCassiniSoldner(
      v.Name(), v.Longitude(p.GetCentralMeridian()), v.Angle(p.GetLatitudeOfOrigin()),
      v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

// The azimuthal families.
CKvProjection* StereographicFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(
      new CKvStereographic(v.Name(), p.GetScaleFactor(), v.Longitude(p.GetCentralMeridian()),
                           v.Angle(p.GetLatitudeOfOrigin()), v.Length(p.GetFalseEasting()),
                           v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

// A polar stereographic text may leave the scale out (the latitude of true
// scale form does not use it): scale 1 then.
CKvProjection* PolarStereographicFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  double k0 = CKvPRJParser::IsSet(p.GetScaleFactor()) ? p.GetScaleFactor() : 1.0;
  return CKvProjectionFrame::Usable(new CKvPolarStereographic(
      v.Name(), k0, v.Longitude(p.GetCentralMeridian()), v.Angle(p.GetLatitudeOfOrigin()),
      v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

// The north and south pole kinds take the same four values.
template <class Pole>
CKvProjection* StereographicPoleFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(
      new Pole(v.Name(), v.Angle(p.GetStandardParallel1()), v.Longitude(p.GetCentralMeridian()),
               v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

CKvProjection* LambertAzimuthalFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(new CKvLambertAzimuthalEqualArea(
      v.Name(), v.Longitude(p.GetCentralMeridian()), v.Angle(p.GetLatitudeOfOrigin()),
      v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

CKvProjection* NewZealandMapGridFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(new CKvNewZealandMapGrid(
      v.Name(), v.Longitude(p.GetCentralMeridian()), v.Angle(p.GetLatitudeOfOrigin()),
      v.Length(p.GetFalseEasting()), v.Length(p.GetFalseNorthing()), v.Ellipsoid()));
}

// The rotated pole is taken as written: its angles are degrees by definition.
CKvProjection* RotatedFromWkt(const WktValues& v) {
  const CKvPRJParser& p = v.Record();
  return CKvProjectionFrame::Usable(new CKvRotatedLongitudeLatitude(
      v.Name(), p.GetLongitudeOfSouthPole(), p.GetLatitudeOfSouthPole(), p.GetAngleOfRotation(),
      v.Ellipsoid()));
}

template <class Record>
CKvMapProjDataFrame* NewRecord() {
  return new Record();
}

// One row per family, indexed by type - 1.
struct Family {
  CKvMapProjDataFrame* (*newRecord)();  // default-constructed, editable
  const char* defaultName;
  const char* defaultCode;
  double defaults[CKvMapProjDataFrame::kMaxParameters];
  CKvProjection* (*fromWkt)(const WktValues&);
};

const Family kFamilies[20] = {
    {NewRecord<CKvTransverseMercatorProjection>,
     "Default Transverse Mercator",
     "WE",
     {0.9996, 0, 0, 500000, 0},
     TransverseMercatorFromWkt},
    {NewRecord<CKvLambert2SPProjection>,
     "Default Lambert 2SP",
     "WE",
     {5, 10, 0, 0, 500000, 0},
     Lambert2SPFromWkt},
    // A cone needs a latitude of origin off the equator (n = sin phi0).
    {NewRecord<CKvLambert1SPProjection>,
     "Default Lambert 1SP",
     "WE",
     {0.9996, 0, 45, 500000, 0},
     Lambert1SPFromWkt},
    {NewRecord<CKvStereographicProjection>,
     "Default Stereographic",
     "WE",
     {1, 0, 0, 500000, 0},
     StereographicFromWkt},
    {NewRecord<CKvNewZealandMapGridProjection>,
     "Default New Zealang Map Grid",
     "IN",
     {173, -41, 2510000, 6023150},
     NewZealandMapGridFromWkt},
    {NewRecord<CKvHotineObliqueMercatorProjection>,
     "Default Hotine Oblique Mercator",
     "RF",
     {0.9996, 0, 0, 0, 500000, 0},
     HotineFromWkt},
    {NewRecord<CKvObliqueMercatorProjection>,
     "Default Oblique Mercator",
     "BR",
     {0.9996, 0, 0, 0, 500000, 0},
     ObliqueMercatorFromWkt},
    {NewRecord<CKvRectifiedSkewOrthomorphicProjection>,
     "Default Rectified Skew Orthomorphic",
     "EB",
     {0.9996, 0, 0, 0, 0, 500000, 0},
     RectifiedSkewFromWkt},
    {NewRecord<CKvRotatedLongitudeLatitudeProjection>,
     "Default Rotated Longitude/Latitude",
     "XY",
     {0, 0, 0},
     RotatedFromWkt},
    {NewRecord<CKvMercator2SPProjection>,
     "Default Mercator 2SP",
     "WE",
     {0, 0, 0, 0},
     Mercator2SPFromWkt},
    // Scale 1: a scale of 0 would send every point to the false origin.
    {NewRecord<CKvMercator1SPProjection>,
     "Default Mercator 1SP",
     "WE",
     {1, 0, 0, 0},
     Mercator1SPFromWkt},
    {NewRecord<CKvStereographicNorthPoleProjection>,
     "Default Stereographic North Pole",
     "WE",
     {60, 0, 0, 0},
     StereographicPoleFromWkt<CKvStereographicNorthPole>},
    {NewRecord<CKvStereographicSouthPoleProjection>,
     "Default Stereographic South Pole",
     "WE",
     {-60, 0, 0, 0},
     StereographicPoleFromWkt<CKvStereographicSouthPole>},
    {NewRecord<CKvGeographicalProjection>, "Default Geographical", "WE", {0}, GeographicalFromWkt},
    // A pseudo standard parallel of 0 has no cone (n = 0): 78.5 as S-JTSK.
    {NewRecord<CKvKrovakProjection>,
     "Default Krovak Oblique Conformal Conic",
     "BR",
     {0.9999, 78.5, 0, 0, 0, 0, 1, 1, 500000, 0},
     KrovakFromWkt},
    {NewRecord<CKvAlbersEqualAreaProjection>,
     "Default Albers Equal Area",
     "WE",
     {5, 10, 0, 0, 500000, 0},
     ConicFromWkt<CKvAlbersEqualArea>},
    {NewRecord<CKvLambertAzimuthalEqualAreaProjection>,
     "Default Lambert Azimuthal Equal Area",
     "WE",
     {0, 0, 500000, 0},
     LambertAzimuthalFromWkt},
    {NewRecord<CKvCassiniSoldnerProjection>,
     "Default Cassini-Soldner",
     "WE",
     {0, 0, 0, 0},
     CassiniSoldnerFromWkt},
    {NewRecord<CKvEquidistantConicProjection>,
     "Default Equidistant Conic",
     "WE",
     {5, 10, 0, 0, 0, 0},
     ConicFromWkt<CKvEquidistantConic>},
    {NewRecord<CKvPolarStereographicProjection>,
     "Default Polar Stereographic",
     "WE",
     {1, 0, 0, 500000, 0},
     PolarStereographicFromWkt},
};

const Family* FamilyOf(int type) {
  if (type < 1 || type > 20) return nullptr;
  return &kFamilies[type - 1];
}

CKvMapProjDataFrame* NewRecordOf(int type) {
  const Family* family = FamilyOf(type);
  return family && family->newRecord ? family->newRecord() : nullptr;
}

}  // namespace

CKvMapProjData* CKvMapProjData::CreateDefaultParameterProjection(EProjectionType type) {
  std::unique_ptr<CKvMapProjDataFrame> record(NewRecordOf(type));
  if (!record) return nullptr;
  const Family* family = FamilyOf(type);
  record->SetName(family->defaultName);
  record->SetEllipsoidID(family->defaultCode);
  record->SetParameters(family->defaults);
  record->SetFlags(false, false);
  return record.release();
}

CKvMapProjData* CKvMapProjData::CreateProjection(EProjectionType type, const std::string& name,
                                                 const std::string& branch,
                                                 const std::string& ellipsoidCode,
                                                 const double* params) {
  std::unique_ptr<CKvMapProjDataFrame> record(NewRecordOf(type));
  if (!record) return nullptr;
  record->SetName(name);
  record->SetBranchName(branch);
  record->SetEllipsoidID(ellipsoidCode);
  if (params) record->SetParameters(params);
  return record.release();
}

// A default-constructed record reads the section, so a parameter the section
// lacks is 0 and a missing ellipsoid code stays missing (never WGS 84 by
// accident).
CKvMapProjData* CKvMapProjData::CreateFromSection(void* section, bool custom) {
  if (!section) return nullptr;
  const std::string sectionName = rcfGetName(section);
  for (int type = 1; type <= GetNoOfProjections(); ++type) {
    std::unique_ptr<CKvMapProjDataFrame> record(NewRecordOf(type));
    if (!record || !record->IsSectionID(sectionName)) continue;
    record->ReadFromHandle(section, custom);
    return record.release();
  }
  return nullptr;
}

CKvProjection* CKvPRJParser::CreateMapProjection() const {
  CKvMapProjData::EProjectionType type = GetProjectionType();
  if (type == CKvMapProjData::eNonProjected) type = CKvMapProjData::eTransverseMercator;
  const Family* family = FamilyOf(type);
  if (!family || !family->fromWkt) return nullptr;
  return family->fromWkt(WktValues(*this));
}
