// The transverse Mercator systems of the ESRI .prj corpus (UTM north and
// south, national grids, Gauss-Krueger, a US-foot state plane, the
// south-orientated form, a grid counted from Lisbon) over their whole area
// of use: each parses into the transverse Mercator kind and projects a
// 5 x 4 grid over the area within 1 mm of PROJ reading the same text.
// Prints the share.
#include <gtest/gtest.h>

#include <string>

#include "PrjCorpus.h"

namespace {

const char* const kCodes[] = {"EPSG:32632", "EPSG:32733", "EPSG:25832", "EPSG:26910",
                              "EPSG:27700", "EPSG:31467", "EPSG:2046",  "EPSG:2193",
                              "EPSG:2236",  "EPSG:20791", "EPSG:3067",  "EPSG:2100"};

}  // namespace

TEST(TransverseMercatorCorpus, EveryTextProjectsLikeProjOverItsArea) {
  prjcorpus::FamilyShare share;
  for (const char* code : kCodes) {
    SCOPED_TRACE(code);
    const std::string wkt = prjcorpus::ReadPrj(code);
    ASSERT_FALSE(wkt.empty());
    CKvPRJParser record(wkt.c_str());
    EXPECT_TRUE(record.Parse(false));
    EXPECT_EQ(record.GetProjectionType(), CKvMapProjData::eTransverseMercator);
    const double worst = prjcorpus::WorstDistance(wkt, code);
    EXPECT_GE(worst, 0.0) << "no projection";
    EXPECT_LE(worst, 1e-3);
    share.Add(CKvMapProjData::eTransverseMercator, worst);
  }
  share.Report();
}
