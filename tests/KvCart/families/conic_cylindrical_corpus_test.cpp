// The conic, Mercator and Cassini-Soldner systems of the ESRI .prj corpus:
// every EPSG system of Albers, Mercator (both variants and the web
// Mercator) and Cassini-Soldner, every 30th Lambert two-parallel and every
// 10th one-parallel system by code (with Lambert-93 and the Paris-grad
// Lambert zone II), and the ESRI equidistant conics. Each
// parses into its kind (ESRI writes Mercator variant A as "Mercator" with a
// standard parallel, and a one-parallel Lambert as "Lambert_Conformal_Conic"
// without a second parallel) and projects 20 points over its area of use
// within 1 mm of PROJ reading the same text. Prints the share per family.
#include <gtest/gtest.h>

#include <string>

#include "PrjCorpus.h"

namespace {

using P = CKvMapProjData;

struct CorpusCase {
  const char* code;
  P::EProjectionType type;
  double tolerance = 1e-3;  // metres
};

const CorpusCase kCorpus[] = {
    {"EPSG:2154", P::eLambert2SP},
    {"EPSG:2138", P::eLambert2SP},
    {"EPSG:2269", P::eLambert2SP},
    {"EPSG:2771", P::eLambert2SP},
    {"EPSG:2836", P::eLambert2SP},
    {"EPSG:2875", P::eLambert2SP},
    {"EPSG:2923", P::eLambert2SP},
    {"EPSG:3165", P::eLambert2SP},
    {"EPSG:3232", P::eLambert2SP},
    {"EPSG:3262", P::eLambert2SP},
    {"EPSG:3418", P::eLambert2SP},
    {"EPSG:3494", P::eLambert2SP},
    {"EPSG:3549", P::eLambert2SP},
    {"EPSG:3606", P::eLambert2SP},
    {"EPSG:3660", P::eLambert2SP},
    {"EPSG:3692", P::eLambert2SP},
    {"EPSG:3947", P::eLambert2SP},
    {"EPSG:5643", P::eLambert2SP},
    {"EPSG:6064", P::eLambert2SP},
    {"EPSG:6094", P::eLambert2SP},
    {"EPSG:6124", P::eLambert2SP},
    {"EPSG:6430", P::eLambert2SP},
    {"EPSG:6492", P::eLambert2SP},
    {"EPSG:6554", P::eLambert2SP},
    {"EPSG:6587", P::eLambert2SP},
    {"EPSG:6880", P::eLambert2SP},
    {"EPSG:7775", P::eLambert2SP},
    {"EPSG:26740", P::eLambert2SP},
    {"EPSG:26850", P::eLambert2SP},
    {"EPSG:26960", P::eLambert2SP},
    {"EPSG:32025", P::eLambert2SP},
    {"EPSG:32119", P::eLambert2SP},
    {"EPSG:32153", P::eLambert2SP},
    {"EPSG:6201", P::eLambert2SP},
    {"EPSG:6202", P::eLambert2SP},
    {"EPSG:6966", P::eLambert2SP},
    // Angles in grads from the Paris meridian.
    {"EPSG:27572", P::eLambert1SP},
    {"EPSG:2062", P::eLambert1SP},
    {"EPSG:5456", P::eLambert1SP},
    {"EPSG:6794", P::eLambert1SP},
    {"EPSG:6852", P::eLambert1SP},
    {"EPSG:7111", P::eLambert1SP},
    {"EPSG:7126", P::eLambert1SP},
    {"EPSG:7550", P::eLambert1SP},
    {"EPSG:7578", P::eLambert1SP},
    {"EPSG:7598", P::eLambert1SP},
    {"EPSG:7626", P::eLambert1SP},
    {"EPSG:8068", P::eLambert1SP},
    {"EPSG:8108", P::eLambert1SP},
    {"EPSG:8130", P::eLambert1SP},
    {"EPSG:8150", P::eLambert1SP},
    {"EPSG:8197", P::eLambert1SP},
    {"EPSG:8316", P::eLambert1SP},
    {"EPSG:8330", P::eLambert1SP},
    {"EPSG:8346", P::eLambert1SP},
    {"EPSG:24100", P::eLambert1SP},
    {"EPSG:24378", P::eLambert1SP},
    {"EPSG:26195", P::eLambert1SP},
    {"EPSG:30491", P::eLambert1SP},
    {"EPSG:2964", P::eAlbersEqualArea},
    {"EPSG:3005", P::eAlbersEqualArea},
    {"EPSG:3083", P::eAlbersEqualArea},
    {"EPSG:3085", P::eAlbersEqualArea},
    {"EPSG:3086", P::eAlbersEqualArea},
    {"EPSG:3087", P::eAlbersEqualArea},
    {"EPSG:3153", P::eAlbersEqualArea},
    {"EPSG:3174", P::eAlbersEqualArea},
    {"EPSG:3175", P::eAlbersEqualArea},
    {"EPSG:3309", P::eAlbersEqualArea},
    {"EPSG:3310", P::eAlbersEqualArea},
    {"EPSG:3311", P::eAlbersEqualArea},
    {"EPSG:3338", P::eAlbersEqualArea},
    {"EPSG:3467", P::eAlbersEqualArea},
    {"EPSG:3488", P::eAlbersEqualArea},
    {"EPSG:3513", P::eAlbersEqualArea},
    {"EPSG:3577", P::eAlbersEqualArea},
    {"EPSG:3578", P::eAlbersEqualArea},
    {"EPSG:3579", P::eAlbersEqualArea},
    {"EPSG:3665", P::eAlbersEqualArea},
    {"EPSG:5069", P::eAlbersEqualArea},
    {"EPSG:5070", P::eAlbersEqualArea},
    {"EPSG:5071", P::eAlbersEqualArea},
    {"EPSG:5072", P::eAlbersEqualArea},
    {"EPSG:6350", P::eAlbersEqualArea},
    {"EPSG:6393", P::eAlbersEqualArea},
    {"EPSG:6414", P::eAlbersEqualArea},
    {"EPSG:6439", P::eAlbersEqualArea},
    {"EPSG:6579", P::eAlbersEqualArea},
    {"EPSG:6623", P::eAlbersEqualArea},
    {"EPSG:6624", P::eAlbersEqualArea},
    {"EPSG:9191", P::eAlbersEqualArea},
    {"EPSG:9221", P::eAlbersEqualArea},
    {"EPSG:9222", P::eAlbersEqualArea},
    {"EPSG:9473", P::eAlbersEqualArea},
    {"EPSG:9674", P::eAlbersEqualArea},
    {"EPSG:3000", P::eMercator2SP},
    {"EPSG:3001", P::eMercator2SP},
    {"EPSG:3002", P::eMercator2SP},
    {"EPSG:3395", P::eMercator2SP},
    {"EPSG:3832", P::eMercator2SP},
    {"EPSG:5329", P::eMercator2SP},
    {"EPSG:5330", P::eMercator2SP},
    {"EPSG:5331", P::eMercator2SP},
    {"EPSG:3388", P::eMercator2SP},
    {"EPSG:3994", P::eMercator2SP},
    {"EPSG:5641", P::eMercator2SP},
    {"EPSG:3857", P::eMercator2SP},
    {"EPSG:2066", P::eCassiniSoldner},
    {"EPSG:2099", P::eCassiniSoldner},
    {"EPSG:2314", P::eCassiniSoldner},
    {"EPSG:3068", P::eCassiniSoldner},
    {"EPSG:3140", P::eCassiniSoldner},
    {"EPSG:3377", P::eCassiniSoldner},
    {"EPSG:3378", P::eCassiniSoldner},
    {"EPSG:3379", P::eCassiniSoldner},
    {"EPSG:3380", P::eCassiniSoldner},
    {"EPSG:3381", P::eCassiniSoldner},
    {"EPSG:3382", P::eCassiniSoldner},
    {"EPSG:3383", P::eCassiniSoldner},
    {"EPSG:3384", P::eCassiniSoldner},
    {"EPSG:3385", P::eCassiniSoldner},
    {"EPSG:3407", P::eCassiniSoldner},
    {"EPSG:4390", P::eCassiniSoldner},
    {"EPSG:4391", P::eCassiniSoldner},
    {"EPSG:4392", P::eCassiniSoldner},
    {"EPSG:4393", P::eCassiniSoldner},
    {"EPSG:4394", P::eCassiniSoldner},
    {"EPSG:4395", P::eCassiniSoldner},
    {"EPSG:4396", P::eCassiniSoldner},
    {"EPSG:4397", P::eCassiniSoldner},
    {"EPSG:4398", P::eCassiniSoldner},
    {"EPSG:8044", P::eCassiniSoldner},
    {"EPSG:8045", P::eCassiniSoldner},
    {"EPSG:24500", P::eCassiniSoldner},
    {"EPSG:28191", P::eCassiniSoldner},
    {"EPSG:28193", P::eCassiniSoldner},
    {"EPSG:30200", P::eCassiniSoldner},
    {"ESRI:53027", P::eEquidistantConic},
    // The whole world: the meridian arc's series (to e^6) is up to 0.96 mm
    // off the exact arc, with opposite signs north and south, so radii that
    // span both hemispheres differ from PROJ's by up to 2.2 mm.
    {"ESRI:54027", P::eEquidistantConic, 3e-3},
    {"ESRI:102005", P::eEquidistantConic},
    {"ESRI:102010", P::eEquidistantConic},
    {"ESRI:102023", P::eEquidistantConic},
    {"ESRI:102026", P::eEquidistantConic},
    {"ESRI:102029", P::eEquidistantConic},
    {"ESRI:102031", P::eEquidistantConic},
    {"ESRI:102032", P::eEquidistantConic},
};

}  // namespace

TEST(ConicCylindricalCorpus, EveryTextParsesAndProjectsLikeProj) {
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
    EXPECT_LE(worst, c.tolerance);
    share.Add(c.type, worst);
  }
  share.Report();
}
