// EPSG and ESRI systems of the azimuthal families as their ESRI .prj texts
// (tests/data/KvCart/prj, written by projinfo): each parses into the kind it
// means and projects a 5 x 4 grid over its area of use to within 1 mm of
// PROJ reading the same text, and back to within 1e-8 degrees. One text is
// known to differ: ESRI's oblique "Stereographic" on an ellipsoid, which
// this library reads as the double stereographic and PROJ as its "stere"
// (ordinary conformal latitude): metres apart away from the origin. Prints
// the share per kind.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "KvCart/core/AngleMath.h"
#include "KvCart/text/CKvPRJParser.h"
#include "PrjCorpus.h"

namespace {

using P = CKvMapProjData;

struct CorpusCase {
  const char* code;
  P::EProjectionType type;
  bool withinMillimetre;  // of PROJ reading the same text
};

const CorpusCase kCorpus[] = {
    {"EPSG:2172", P::eStereographic, true},
    {"EPSG:2173", P::eStereographic, true},
    {"EPSG:2174", P::eStereographic, true},
    {"EPSG:2200", P::eStereographic, true},
    {"EPSG:2290", P::eStereographic, true},
    {"EPSG:2953", P::eStereographic, true},
    {"EPSG:2954", P::eStereographic, true},
    {"EPSG:3120", P::eStereographic, true},
    {"EPSG:3328", P::eStereographic, true},
    {"EPSG:3844", P::eStereographic, true},
    {"EPSG:5588", P::eStereographic, true},
    {"EPSG:22780", P::eStereographic, true},
    {"EPSG:28991", P::eStereographic, true},
    {"EPSG:31600", P::eStereographic, true},
    {"EPSG:5041", P::ePolarStereographic, true},
    {"EPSG:5042", P::ePolarStereographic, true},
    {"EPSG:5482", P::ePolarStereographic, true},
    {"EPSG:5936", P::ePolarStereographic, true},
    {"EPSG:5940", P::ePolarStereographic, true},
    {"EPSG:32761", P::ePolarStereographic, true},
    {"EPSG:3032", P::eStereographicSouthPole, true},
    {"EPSG:3976", P::eStereographicSouthPole, true},
    {"EPSG:9354", P::eStereographicSouthPole, true},
    {"EPSG:3995", P::eStereographicNorthPole, true},
    {"EPSG:3996", P::eStereographicNorthPole, true},
    {"EPSG:3571", P::eLambertAzimuthalEqualArea, true},
    {"EPSG:3575", P::eLambertAzimuthalEqualArea, true},
    {"EPSG:6931", P::eLambertAzimuthalEqualArea, true},
    {"EPSG:6932", P::eLambertAzimuthalEqualArea, true},
    {"EPSG:9947", P::eLambertAzimuthalEqualArea, true},
    {"EPSG:9311", P::eLambertAzimuthalEqualArea, true},
    {"ESRI:102017", P::eLambertAzimuthalEqualArea, true},
    {"ESRI:102020", P::eLambertAzimuthalEqualArea, true},
    {"ESRI:102018", P::eStereographic, true},
    {"ESRI:102021", P::eStereographic, true},
    {"ESRI:53026", P::eStereographic, true},
    {"ESRI:54026", P::eStereographic, false},
    {"EPSG:28992", P::eStereographic, true},
    {"EPSG:32661", P::ePolarStereographic, true},
    {"EPSG:3031", P::eStereographicSouthPole, true},
    {"EPSG:3413", P::eStereographicNorthPole, true},
    {"EPSG:3035", P::eLambertAzimuthalEqualArea, true},
    {"EPSG:27200", P::eNewZealandMapGrid, true},
};

// Largest difference in degrees between points of the area of use and our
// inverse of our forward; NaN anywhere counts as infinitely far.
double WorstRoundTrip(const std::string& wkt, const std::string& code) {
  CKvPRJParser record(wkt.c_str());
  record.Parse(false);
  std::unique_ptr<CKvProjection> ours(record.CreateMapProjection());
  if (!ours) return INFINITY;
  const prjcorpus::Area a = prjcorpus::AreaOfUse(code);
  double worst = 0.0;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 4; ++j) {
      const double lon = a.west + (a.east - a.west) * (i + 0.5) / 5.0;
      const double lat = a.south + (a.north - a.south) * (j + 0.5) / 4.0;
      double x, y, lon2, lat2;
      ours->Geo2Proj(lon, lat, &x, &y);
      ours->Proj2Geo(x, y, &lon2, &lat2);
      double d = std::max(
          std::fabs(kvcart::NormalizeLongitude(lon2 - lon)) * std::cos(lat * kvcart::kDegToRad),
          std::fabs(lat2 - lat));
      worst = std::isnan(d) ? INFINITY : std::max(worst, d);
    }
  }
  return worst;
}

}  // namespace

TEST(AzimuthalCorpus, EveryTextParsesAndProjectsLikeProj) {
  prjcorpus::FamilyShare share;
  for (const CorpusCase& c : kCorpus) {
    SCOPED_TRACE(c.code);
    const std::string wkt = prjcorpus::ReadPrj(c.code);
    ASSERT_FALSE(wkt.empty());
    CKvPRJParser record(wkt.c_str());
    EXPECT_TRUE(record.Parse(false));
    EXPECT_EQ(record.GetProjectionType(), c.type);
    const double worst = prjcorpus::WorstDistance(wkt, c.code);
    EXPECT_GE(worst, 0.0) << "no projection";
    if (c.withinMillimetre) {
      EXPECT_LE(worst, 1e-3);
    } else {
      EXPECT_GT(worst, 1.0);
    }
    EXPECT_LE(WorstRoundTrip(wkt, c.code), 1e-8);
    share.Add(c.type, worst);
  }
  share.Report();
}
