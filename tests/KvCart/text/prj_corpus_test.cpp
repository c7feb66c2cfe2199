// Real ESRI .prj texts (written by PROJ's projinfo, see
// tests/data/KvCart/prj/make_prj_corpus.py): each parses into the right kind
// and values, and the projection built from it puts a point where PROJ,
// reading the same text, puts it.
#include <gtest/gtest.h>
#include <proj.h>

#include <fstream>
#include <memory>
#include <string>

#include "KvCart/core/CKvProjection.h"
#include "KvCart/text/CKvPRJParser.h"

namespace {

struct CorpusCase {
  int code;
  CKvMapProjData::EProjectionType type;
  const char* name;
  double centralMeridian;
  double falseEasting;
  double unitFactor;  // metres (or radians) per unit of the text
  double lon, lat;    // a point inside the system, Greenwich longitude
};

std::string ReadPrj(int code) {
  const std::string path =
      KORACORE_SOURCE_DIR "/tests/data/KvCart/prj/epsg_" + std::to_string(code) + ".prj";
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

struct PjDeleter {
  void operator()(PJ* pj) const { proj_destroy(pj); }
};
using PjPtr = std::unique_ptr<PJ, PjDeleter>;

// PROJ's own reading of the text: longitude/latitude of its geographic
// system (counted from its prime meridian) to the projected coordinates.
PjPtr ProjConversion(const std::string& wkt) {
  PjPtr crs(proj_create(PJ_DEFAULT_CTX, wkt.c_str()));
  if (!crs) return nullptr;
  PjPtr geographic(proj_crs_get_geodetic_crs(PJ_DEFAULT_CTX, crs.get()));
  PjPtr op(proj_create_crs_to_crs_from_pj(PJ_DEFAULT_CTX, geographic.get(), crs.get(), nullptr,
                                          nullptr));
  if (!op) return nullptr;
  return PjPtr(proj_normalize_for_visualization(PJ_DEFAULT_CTX, op.get()));
}

class PrjCorpus : public ::testing::TestWithParam<CorpusCase> {};

}  // namespace

TEST_P(PrjCorpus, ParsesAndProjectsLikeProj) {
  const CorpusCase& c = GetParam();
  const std::string wkt = ReadPrj(c.code);
  ASSERT_FALSE(wkt.empty()) << c.code;
  CKvPRJParser record(wkt.c_str());
  ASSERT_TRUE(record.Parse(false)) << wkt;
  EXPECT_EQ(record.GetProjectionType(), c.type);
  EXPECT_EQ(std::string(record.GetProjCSname().GetString()), c.name);
  CString unit;
  double factor = 0.0, primeMeridian = 0.0;
  if (c.type == CKvMapProjData::eGeographical) {
    record.GetAngularUnit(unit, factor);
    EXPECT_EQ(factor, c.unitFactor);
    return;
  }
  record.GetProjUnit(unit, factor);
  EXPECT_EQ(factor, c.unitFactor);
  EXPECT_EQ(record.GetCentralMeridian(), c.centralMeridian);
  EXPECT_EQ(record.GetFalseEasting(), c.falseEasting);

  const std::unique_ptr<CKvProjection> projection(record.CreateMapProjection());
  ASSERT_TRUE(projection) << c.code;
  double x = 0.0, y = 0.0;
  projection->Geo2Proj(c.lon, c.lat, &x, &y);

  const PjPtr proj = ProjConversion(wkt);
  ASSERT_TRUE(proj) << c.code;
  record.GetPrimeMeridian(unit, primeMeridian);
  const PJ_COORD out =
      proj_trans(proj.get(), PJ_FWD, proj_coord(c.lon - primeMeridian, c.lat, 0, 0));
  // Our projection works in metres; PROJ in the unit of the text.
  EXPECT_NEAR(x, out.xy.x * c.unitFactor, 1e-3) << c.code;
  EXPECT_NEAR(y, out.xy.y * c.unitFactor, 1e-3) << c.code;
}

constexpr double kDegree = 0.0174532925199433;
constexpr CKvMapProjData::EProjectionType kTM = CKvMapProjData::eTransverseMercator;

INSTANTIATE_TEST_SUITE_P(
    Esri, PrjCorpus,
    ::testing::Values(
        CorpusCase{32632, kTM, "WGS_1984_UTM_Zone_32N", 9, 500000, 1, 10.5, 52},
        CorpusCase{32733, kTM, "WGS_1984_UTM_Zone_33S", 15, 500000, 1, 16, -30},
        CorpusCase{25832, kTM, "ETRS_1989_UTM_Zone_32N", 9, 500000, 1, 6.2, 48},
        CorpusCase{26910, kTM, "NAD_1983_UTM_Zone_10N", -123, 500000, 1, -122.3, 47.6},
        CorpusCase{27700, kTM, "British_National_Grid", -2, 400000, 1, -1.5, 52.5},
        CorpusCase{31467, kTM, "DHDN_3_Degree_Gauss_Zone_3", 9, 3500000, 1, 9.5, 50},
        CorpusCase{2046, kTM, "Hartebeesthoek94_Lo15", 15, 0, 1, 16, -28},
        CorpusCase{2193, kTM, "NZGD_2000_New_Zealand_Transverse_Mercator", 173, 1600000, 1, 174.7,
                   -41.3},
        CorpusCase{2236, kTM, "NAD_1983_StatePlane_Florida_East_FIPS_0901_Feet", -81, 656166.667,
                   0.304800609601219, -80.2, 26.1},
        CorpusCase{20791, kTM, "Lisbon_Lisbon_Portuguese_Grid", 1, 0, 1, -8.5, 40},
        CorpusCase{3067, kTM, "EUREF_FIN_TM35FIN", 27, 500000, 1, 25, 61},
        CorpusCase{2100, kTM, "Greek_Grid", 24, 500000, 1, 23.7, 38},
        CorpusCase{4326, CKvMapProjData::eGeographical, "GCS_WGS_1984", 0, 0, kDegree, 0, 0},
        CorpusCase{4277, CKvMapProjData::eGeographical, "GCS_OSGB_1936", 0, 0, kDegree, 0, 0},
        CorpusCase{4807, CKvMapProjData::eGeographical, "GCS_NTF_Paris", 0, 0, 0.0157079632679489,
                   0, 0}),
    [](const ::testing::TestParamInfo<CorpusCase>& info) {
      return "EPSG_" + std::to_string(info.param.code);
    });
