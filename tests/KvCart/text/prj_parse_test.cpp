// Reading well-known text into the record: names, ellipsoid, units, datum
// shift, axes, the projection kinds and their validity rules.
#include <gtest/gtest.h>

#include "KvCart/text/CKvPRJParser.h"
#include "WktSamples.h"

using namespace wkt_samples;
using Type = CKvMapProjData::EProjectionType;

namespace {

CKvPRJParser Parsed(const std::string& text, bool sortParallels = false) {
  CKvPRJParser parser(text.c_str());
  parser.Parse(sortParallels);
  return parser;
}

}  // namespace

TEST(PrjParse, TransverseMercatorFillsTheWholeRecord) {
  CKvPRJParser p(kUtm32.c_str());
  ASSERT_TRUE(p.Parse(false));
  EXPECT_EQ(p.GetProjectionType(), CKvMapProjData::eTransverseMercator);
  EXPECT_EQ(p.GetProjCSname(), "Test");
  EXPECT_EQ(p.GetGeoCSname(), "GCS_WGS_1984");
  EXPECT_EQ(p.GetDatum(), "D_WGS_1984");
  CString name;
  double a = 0, invF = 0, value = 0;
  p.GetEllipsoid(name, a, invF);
  EXPECT_EQ(name, "WGS_1984");
  EXPECT_EQ(a, 6378137.0);
  EXPECT_EQ(invF, 298.257223563);
  p.GetPrimeMeridian(name, value);
  EXPECT_EQ(name, "Greenwich");
  EXPECT_EQ(value, 0.0);
  p.GetAngularUnit(name, value);
  EXPECT_EQ(name, "Degree");
  EXPECT_EQ(value, 0.0174532925199433);
  p.GetProjUnit(name, value);
  EXPECT_EQ(name, "Meter");
  EXPECT_EQ(value, 1.0);
  EXPECT_EQ(p.GetFalseEasting(), 500000.0);
  EXPECT_EQ(p.GetCentralMeridian(), 9.0);
  EXPECT_EQ(p.GetScaleFactor(), 0.9996);
  EXPECT_EQ(p.GetLatitudeOfOrigin(), 0.0);
  EXPECT_FALSE(CKvPRJParser::IsSet(p.GetStandardParallel1()));
  EXPECT_EQ(p.GetDatumShift().GetType(), CKvCartDef::eNoShift);
  CString direction;
  p.GetAxisInfo(CKvPRJParser::eFirstAxis, name, direction);
  EXPECT_EQ(name, "Easting");
  EXPECT_EQ(direction, "EAST");
}

TEST(PrjParse, GeographicalTextIsNamedAfterItsGeogcs) {
  CKvPRJParser p(kGeogcsWgs84.c_str());
  ASSERT_TRUE(p.Parse(false));
  EXPECT_EQ(p.GetProjectionType(), CKvMapProjData::eGeographical);
  EXPECT_EQ(p.GetProjectionTypeName(), "Geographical");
  EXPECT_EQ(p.GetProjCSname(), "GCS_WGS_1984");
  CString name, direction;
  p.GetAxisInfo(CKvPRJParser::eFirstAxis, name, direction);
  EXPECT_EQ(name, "Longitude");
  EXPECT_EQ(direction, "EAST");
  p.GetAxisInfo(CKvPRJParser::eSecondAxis, name, direction);
  EXPECT_EQ(name, "Latitude");
  EXPECT_EQ(direction, "NORTH");
}

TEST(PrjParse, NamesOfProjectionsAndParametersIgnoreCase) {
  const std::string text =
      Projected("tRANSVERSE_mercator",
                Param("FALSE_EASTING", "1") + "," + Param("false_northing", "2") + "," +
                    Param("Central_meridian", "3") + "," + Param("scale_FACTOR", "1") + "," +
                    Param("latitude_of_origin", "4"));
  const CKvPRJParser p = Parsed(text);
  EXPECT_EQ(p.GetProjectionType(), CKvMapProjData::eTransverseMercator);
  EXPECT_EQ(p.GetProjectionTypeName(), "tRANSVERSE_mercator");
  EXPECT_EQ(p.GetFalseNorthing(), 2.0);
  EXPECT_EQ(p.GetLatitudeOfOrigin(), 4.0);
}

TEST(PrjParse, UnquotedParameterNamesAreNotFound) {
  const std::string text = Projected(
      "Transverse_Mercator", "PARAMETER[False_Easting,1]," + Param("False_Northing", "2") + "," +
                                 Param("Central_Meridian", "3") + "," + Param("Scale_Factor", "1") +
                                 "," + Param("Latitude_Of_Origin", "4"));
  const CKvPRJParser p = Parsed(text);
  EXPECT_EQ(p.GetProjectionType(), CKvMapProjData::eUndefined);
  EXPECT_EQ(p.GetFalseNorthing(), 2.0);  // what was read stays
}

struct KindCase {
  const char* projection;
  std::string parameters;
  Type expected;
};

// Named, so that GoogleTest does not print the case as raw bytes, padding
// included.
void PrintTo(const KindCase& c, std::ostream* os) { *os << c.projection << " " << c.parameters; }

class PrjParseKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(PrjParseKinds, ValidityRulesDecideTheKind) {
  const KindCase& c = GetParam();
  EXPECT_EQ(Parsed(Projected(c.projection, c.parameters)).GetProjectionType(), c.expected)
      << c.projection << " " << c.parameters;
}

const std::string kFalseOrigin = Param("False_Easting", "0") + "," + Param("False_Northing", "0");
const std::string kLambertBase =
    kFalseOrigin + "," + Param("Central_Meridian", "10") + "," + Param("Latitude_Of_Origin", "50");
const std::string kHotineBase = kFalseOrigin + "," + Param("Longitude_Of_Center", "10") + "," +
                                Param("Latitude_Of_Center", "50") + "," + Param("Azimuth", "30") +
                                "," + Param("Scale_Factor", "1");

INSTANTIATE_TEST_SUITE_P(
    Kinds, PrjParseKinds,
    ::testing::Values(
        KindCase{"Lambert_Conformal_Conic",
                 kLambertBase + "," + Param("Standard_Parallel_1", "40") + "," +
                     Param("Standard_Parallel_2", "60"),
                 CKvMapProjData::eLambert2SP},
        KindCase{"Lambert_Conformal_Conic", kLambertBase + "," + Param("Scale_Factor", "0.99"),
                 CKvMapProjData::eLambert1SP},
        KindCase{"Lambert_Conformal_Conic", kLambertBase, CKvMapProjData::eUndefined},
        KindCase{"Hotine_Oblique_Mercator", kHotineBase, CKvMapProjData::eHotineObliqueMercator},
        KindCase{"Hotine_Oblique_Mercator", kHotineBase + "," + Param("Rectified_Grid_Angle", "30"),
                 CKvMapProjData::eHotineObliqueMercator},
        // From the centre, a grid angle of its own keeps the kind.
        KindCase{"Hotine_Oblique_Mercator_Azimuth_Center",
                 kHotineBase + "," + Param("Rectified_Grid_Angle", "31"),
                 CKvMapProjData::eObliqueMercator},
        KindCase{"Rectified_Skew_Orthomorphic_Center",
                 kHotineBase + "," + Param("XY_Plane_Rotation", "31"),
                 CKvMapProjData::eObliqueMercator},
        KindCase{"Hotine_Oblique_Mercator", kHotineBase + "," + Param("XY_Plane_Rotation", "31"),
                 CKvMapProjData::eRectifiedSkewOrthomorphic},
        KindCase{"Mercator_Auxiliary_Sphere",
                 kFalseOrigin + "," + Param("Central_Meridian", "0") + "," +
                     Param("Standard_Parallel_1", "0"),
                 CKvMapProjData::eMercator2SP},
        // Variant B texts give no scale.
        KindCase{"Polar_Stereographic",
                 kFalseOrigin + "," + Param("Central_Meridian", "0") + "," +
                     Param("Latitude_Of_Origin", "-71"),
                 CKvMapProjData::ePolarStereographic},
        KindCase{"Stereographic",
                 kFalseOrigin + "," + Param("Longitude_Of_Origin", "5") + "," +
                     Param("Scale_Factor", "1") + "," + Param("Latitude_Of_Origin", "52"),
                 CKvMapProjData::eStereographic},
        KindCase{"Albers",
                 kFalseOrigin + "," + Param("Longitude_Of_Center", "5") + "," +
                     Param("Latitude_Of_Center", "52") + "," + Param("Standard_Parallel_1", "1") +
                     "," + Param("Standard_Parallel_2", "2"),
                 CKvMapProjData::eAlbersEqualArea},
        KindCase{"Rotated_Longitude_Latitude",
                 Param("Longitude_Of_South_Pole", "10") + "," +
                     Param("Latitude_Of_South_Pole", "-40") + "," + Param("Angle_Of_Rotation", "0"),
                 CKvMapProjData::eRotatedLongitudeLatitude},
        KindCase{"Mercator", kFalseOrigin + "," + Param("Central_Meridian", "0"),
                 CKvMapProjData::eUndefined},
        KindCase{"Unknown_Projection", kLambertBase, CKvMapProjData::eUndefined},
        KindCase{"Transverse_Mercator_South_Orientated",
                 kFalseOrigin + "," + Param("Central_Meridian", "15") + "," +
                     Param("Scale_Factor", "1") + "," + Param("Latitude_Of_Origin", "0"),
                 CKvMapProjData::eTransverseMercator}));

TEST(PrjParse, HotineGridAngleBecomesThePlaneRotation) {
  const CKvPRJParser p = Parsed(Projected("Hotine_Oblique_Mercator",
                                          kHotineBase + "," + Param("Rectified_Grid_Angle", "31")));
  EXPECT_EQ(p.GetProjectionType(), CKvMapProjData::eRectifiedSkewOrthomorphic);
  EXPECT_EQ(p.GetXYPlaneRotation(), 31.0);
  const CKvPRJParser same = Parsed(Projected("Hotine_Oblique_Mercator", kHotineBase));
  EXPECT_EQ(same.GetXYPlaneRotation(), 30.0);  // the azimuth
}

TEST(PrjParse, KrovakWithoutScalesAndRotationTakesNeutralValues) {
  const CKvPRJParser p =
      Parsed(Projected("Krovak", kHotineBase + "," + Param("Pseudo_Standard_Parallel_1", "78.5")));
  EXPECT_EQ(p.GetProjectionType(), CKvMapProjData::eKrovak);
  EXPECT_EQ(p.GetXScale(), 1.0);
  EXPECT_EQ(p.GetYScale(), 1.0);
  EXPECT_EQ(p.GetXYPlaneRotation(), 0.0);
  EXPECT_EQ(p.GetPseudoParallel(), 78.5);
}

// Regression: a GDAL Krovak text, oriented by its AXIS elements, kept the
// neutral 1, 1, 0, so the text written from the record described a grid
// turned against the one converted with. It holds ESRI's -1, 1 and a
// quarter turn (in the text's angular unit) instead.
TEST(PrjParse, KrovakOrientedByItsAxesHoldsTheOrientationItUses) {
  const std::string axes = ",AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]";
  const std::string krovak =
      Projected("Krovak", kHotineBase + "," + Param("Pseudo_Standard_Parallel_1", "78.5"));
  const CKvPRJParser byAxes = Parsed(krovak.substr(0, krovak.size() - 1) + axes + "]");
  EXPECT_EQ(byAxes.GetProjectionType(), CKvMapProjData::eKrovak);
  EXPECT_EQ(byAxes.GetXScale(), -1.0);
  EXPECT_EQ(byAxes.GetYScale(), 1.0);
  EXPECT_EQ(byAxes.GetXYPlaneRotation(), 90.0);

  std::string grads = krovak.substr(0, krovak.size() - 1) + axes + "]";
  const std::string degree = "UNIT[\"Degree\",0.0174532925199433]";
  grads.replace(grads.find(degree), degree.size(), "UNIT[\"Grad\",0.01570796326794897]");
  EXPECT_EQ(Parsed(grads).GetXYPlaneRotation(), 100.0);

  // ESRI's own scales win over axes.
  const std::string esri =
      Projected("Krovak", kHotineBase + "," + Param("Pseudo_Standard_Parallel_1", "78.5") + "," +
                              Param("X_Scale", "1") + "," + Param("Y_Scale", "-1"));
  const CKvPRJParser scaled = Parsed(esri.substr(0, esri.size() - 1) + axes + "]");
  EXPECT_EQ(scaled.GetXScale(), 1.0);
  EXPECT_EQ(scaled.GetYScale(), -1.0);
  EXPECT_EQ(scaled.GetXYPlaneRotation(), 0.0);
}

TEST(PrjParse, SortingPutsTheSmallerParallelFirstForConicsOnly) {
  const std::string albers =
      Projected("Albers", kLambertBase + "," + Param("Standard_Parallel_1", "60") + "," +
                              Param("Standard_Parallel_2", "20"));
  const CKvPRJParser sorted = Parsed(albers, true);
  EXPECT_EQ(sorted.GetStandardParallel1(), 20.0);
  EXPECT_EQ(sorted.GetStandardParallel2(), 60.0);
  const CKvPRJParser unsorted = Parsed(albers, false);
  EXPECT_EQ(unsorted.GetStandardParallel1(), 60.0);
}

TEST(PrjParse, CompoundNameWinsAndDatumShiftIsRead) {
  const std::string text = "COMPD_CS[\"Compound\"," + kUtm32 +
                           ",VERT_CS[\"h\",VERT_DATUM[\"v\",2005],UNIT[\"Meter\",1.0]]]";
  EXPECT_EQ(Parsed(text).GetProjCSname(), "Compound");

  std::string seven = kUtm32;
  seven.insert(seven.find("]],PRIMEM") + 1, ",TOWGS84[1,2,3,0.5,-0.5,1.5,4.25]");
  const CKvPRJParser p = Parsed(seven);
  EXPECT_EQ(p.GetDatumShift().GetType(), CKvCartDef::eSevenParameter);
  EXPECT_EQ(p.GetDatumShift()[3], 0.5);  // arc-seconds, as written
  EXPECT_EQ(p.GetDatumShift()[6], 4.25);
}

TEST(PrjParse, DatumShiftWithThreeValuesIsATranslation) {
  std::string text = kUtm32;
  text.insert(text.find("]],PRIMEM") + 1, ",TOWGS84[-87,-98,-121]");
  const CKvPRJParser p = Parsed(text);
  EXPECT_EQ(p.GetProjectionType(), CKvMapProjData::eTransverseMercator);
  EXPECT_EQ(p.GetDatumShift().GetType(), CKvCartDef::eThreeParameter);
  EXPECT_EQ(p.GetDatumShift()[2], -121.0);
  EXPECT_EQ(p.GetDatumShift()[3], 0.0);
}

TEST(PrjParse, AxesAreReadInOrder) {
  const std::string text =
      Projected("Transverse_Mercator",
                kFalseOrigin + "," + Param("Central_Meridian", "15") + "," +
                    Param("Scale_Factor", "1") + "," + Param("Latitude_Of_Origin", "0"),
                "UNIT[\"Meter\",1.0],AXIS[\"X\", north ],AXIS[\"Y\",EAST]");
  const CKvPRJParser p = Parsed(text);
  CString name, direction;
  p.GetAxisInfo(CKvPRJParser::eFirstAxis, name, direction);
  EXPECT_EQ(name, "X");
  EXPECT_EQ(direction, "north");
  p.GetAxisInfo(CKvPRJParser::eSecondAxis, name, direction);
  EXPECT_EQ(name, "Y");
  EXPECT_EQ(direction, "EAST");
  p.GetAxisInfo(static_cast<CKvPRJParser::EAxisType>(3), name, direction);  // ignored
  EXPECT_EQ(name, "Y");
}

TEST(PrjParse, TextsThatAreNotWktLeaveTheRecordAlone) {
  for (const char* text : {"", "UTM-32", "PROJCS[\"a\",GEOGCS[\"b\"]", "PROJCS[\"a\"]]",
                           "GEOGCS[\"a\"]", "LOCAL_CS[\"a\",UNIT[\"m\",1]]"}) {
    CKvPRJParser p(text);
    EXPECT_FALSE(p.Parse(false)) << text;
    EXPECT_EQ(p.GetProjCSname(), "") << text;
    EXPECT_EQ(p.GetProjectionType(), CKvMapProjData::eUndefined) << text;
  }
}

TEST(PrjParse, MissingUnitsFailButKeepWhatWasRead) {
  std::string noAngularUnit = kUtm32;
  noAngularUnit.replace(noAngularUnit.find("0.0174532925199433"), 18, "");
  CKvPRJParser p(noAngularUnit.c_str());
  EXPECT_FALSE(p.Parse(false));
  EXPECT_EQ(p.GetDatum(), "D_WGS_1984");

  const std::string noLinearUnit = Projected(
      "Transverse_Mercator", kLambertBase + "," + Param("Scale_Factor", "1"), "UNIT[\"Meter\"]");
  CKvPRJParser q(noLinearUnit.c_str());
  EXPECT_FALSE(q.Parse(false));
  EXPECT_EQ(q.GetProjectionType(), CKvMapProjData::eUndefined);
  EXPECT_EQ(q.GetCentralMeridian(), 10.0);
}

TEST(PrjParse, ShortNameAndDatumName) {
  EXPECT_EQ(CKvPRJParser::ShortName(kUtm32.c_str()), "Test");
  EXPECT_EQ(CKvPRJParser::ShortName(kGeogcsWgs84.c_str()), "GCS_WGS_1984");
  EXPECT_EQ(CKvPRJParser::ShortName(" NON-UTM "), "Local Coordinates");
  EXPECT_EQ(CKvPRJParser::ShortName("UTM-32"), "UTM-32");
  EXPECT_EQ(CKvPRJParser::DatumName(kUtm32.c_str()), "D_WGS_1984");
  EXPECT_EQ(CKvPRJParser::DatumName("UTM-32"), "");
}

TEST(PrjParse, ElementReadersReturnTheRestOfTheText) {
  CString name("untouched");
  double value = 7.0;
  EXPECT_EQ(CKvPRJParser::GetNameParam("X[\"a\",1]", "PRIMEM", name, value), "");
  EXPECT_EQ(name, "untouched");
  EXPECT_EQ(value, 7.0);
  const CString rest =
      CKvPRJParser::GetNameParam("UNIT[\"m\",2.5],UNIT[\"f\",3]", "UNIT", name, value);
  EXPECT_EQ(name, "m");
  EXPECT_EQ(value, 2.5);
  EXPECT_EQ(rest, ",UNIT[\"f\",3]");
  EXPECT_EQ(CKvPRJParser::GetParam("PARAMETER[\"A\",1],PARAMETER[\"b\",2]",
                                   std::vector<CString>{"c", "B", "a"}, -3.0),
            2.0);
  EXPECT_EQ(CKvPRJParser::GetParam("PARAMETER[\"A\",1]", "z", -3.0), -3.0);
}

TEST(PrjParse, BracketUtilities) {
  EXPECT_EQ(CKvPRJParser::_MatchBrackets(""), -1);
  EXPECT_EQ(CKvPRJParser::_MatchBrackets("a[b[c]]"), -1);
  EXPECT_EQ(CKvPRJParser::_MatchBrackets("a]b[c]"), 1);
  EXPECT_EQ(CKvPRJParser::_MatchBrackets("a[b[c]"), 6);
  EXPECT_EQ(CKvPRJParser::_GetBracketLevel("a[b[c]"), 1);
  EXPECT_EQ(CKvPRJParser::_GetBracketLevel("a[b]]c["), -1);
  EXPECT_TRUE(CKvPRJParser::_MatchCommas("a[1,2,3]"));
  EXPECT_FALSE(CKvPRJParser::_MatchCommas("a[1],b[2]"));
}
