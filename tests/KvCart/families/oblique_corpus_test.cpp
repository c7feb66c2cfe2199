// Every EPSG system of the oblique Mercator methods and of Krovak, as its
// ESRI .prj text (tests/data/KvCart/prj, written by projinfo): each parses
// into the kind it means and projects a 5 x 4 grid over its area of use to
// within 1 mm of PROJ reading the same text. The two "Krovak_Modified"
// texts name another method (a correction polynomial on top of Krovak) and
// must not be taken for ours. Prints the share per kind.
#include <gtest/gtest.h>

#include <string>

#include "KvCart/text/CKvPRJParser.h"
#include "PrjCorpus.h"

namespace {

using P = CKvMapProjData;

struct CorpusCase {
  int code;
  P::EProjectionType type;  // eUndefined: not one of our kinds
};

const CorpusCase kCorpus[] = {
    {26931, P::eHotineObliqueMercator},
    {26731, P::eHotineObliqueMercator},
    {3468, P::eHotineObliqueMercator},
    {6394, P::eHotineObliqueMercator},
    {3078, P::eHotineObliqueMercator},
    {3079, P::eHotineObliqueMercator},
    {3591, P::eHotineObliqueMercator},
    {6497, P::eHotineObliqueMercator},
    {6808, P::eHotineObliqueMercator},
    {6809, P::eHotineObliqueMercator},
    {6810, P::eHotineObliqueMercator},
    {6811, P::eHotineObliqueMercator},
    {6840, P::eHotineObliqueMercator},
    {6841, P::eHotineObliqueMercator},
    {6842, P::eHotineObliqueMercator},
    {6843, P::eHotineObliqueMercator},
    {3167, P::eRectifiedSkewOrthomorphic},
    {3168, P::eRectifiedSkewOrthomorphic},
    {3375, P::eRectifiedSkewOrthomorphic},
    {3376, P::eRectifiedSkewOrthomorphic},
    {5247, P::eRectifiedSkewOrthomorphic},
    {29874, P::eRectifiedSkewOrthomorphic},
    {2056, P::eObliqueMercator},
    {2057, P::eObliqueMercator},
    {8065, P::eObliqueMercator},
    {20050, P::eObliqueMercator},
    {21780, P::eObliqueMercator},
    {21781, P::eObliqueMercator},
    {21782, P::eObliqueMercator},
    {23700, P::eObliqueMercator},
    {29702, P::eObliqueMercator},
    {29871, P::eObliqueMercator},
    {29872, P::eObliqueMercator},
    {29873, P::eObliqueMercator},
    {5513, P::eKrovak},
    {5514, P::eKrovak},
    {8352, P::eKrovak},
    {8353, P::eKrovak},
    {2065, P::eKrovak},
    {5221, P::eKrovak},
    {5515, P::eUndefined},
    {5516, P::eUndefined},
};

}  // namespace

TEST(ObliqueCorpus, EveryTextParsesAndProjectsLikeProj) {
  prjcorpus::FamilyShare share;
  for (const CorpusCase& c : kCorpus) {
    const std::string code = "EPSG:" + std::to_string(c.code);
    SCOPED_TRACE(code);
    const std::string wkt = prjcorpus::ReadPrj(code);
    ASSERT_FALSE(wkt.empty());
    CKvPRJParser record(wkt.c_str());
    const bool parsed = record.Parse(false);
    EXPECT_EQ(parsed, c.type != P::eUndefined);
    EXPECT_EQ(record.GetProjectionType(), c.type);
    if (c.type == P::eUndefined) continue;
    const double worst = prjcorpus::WorstDistance(wkt, code);
    EXPECT_GE(worst, 0.0) << "no projection";
    EXPECT_LE(worst, 1e-3);
    share.Add(c.type, worst);
  }
  share.Report();
}
