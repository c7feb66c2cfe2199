// The numbering of the projection families, the selection masks and the
// degrees-minutes-seconds keyword reader.
#include <gtest/gtest.h>

#include <memory>

#include "KvCart/core/CKvMapProjData.h"
#include "rcf/rcf.h"

TEST(MapProjData, NumberingRoundTripsOverEveryFamily) {
  EXPECT_EQ(CKvMapProjData::GetNoOfProjections(), 20);
  EXPECT_EQ(CKvMapProjData::Enum2ProjectionType(0), CKvMapProjData::eTransverseMercator);
  EXPECT_EQ(CKvMapProjData::ProjectionType2Enum(CKvMapProjData::eEquidistantConic), 18);
  for (int i = 0; i < CKvMapProjData::GetNoOfProjections(); ++i) {
    EXPECT_EQ(CKvMapProjData::ProjectionType2Enum(CKvMapProjData::Enum2ProjectionType(i)), i);
  }
}

TEST(MapProjData, MasksSelectProjectedAndGeographicalFamilies) {
  using P = CKvMapProjData;
  EXPECT_TRUE(P::IsEquivalent(1, P::eTransverseMercator));
  EXPECT_FALSE(P::IsEquivalent(2, P::eTransverseMercator));
  EXPECT_TRUE(P::IsEquivalent(2, P::eGeographical));
  EXPECT_TRUE(P::IsEquivalent(2, P::eRotatedLongitudeLatitude));
  EXPECT_FALSE(P::IsEquivalent(1, P::eGeographical));
  EXPECT_FALSE(P::IsEquivalent(15, P::eNonProjected));
  EXPECT_FALSE(P::IsEquivalent(15, P::eUndefined));
  EXPECT_TRUE(P::IsEquivalent(3, P::ePolarStereographic));
}

TEST(MapProjData, DmsKeywordReadsOneToThreeParameters) {
  const char text[] =
      "[T]\n[S]\nFull = -3, 30, 15.5\nTwo = 12, 7\nOne = 45\nMinutesSigned = 0, -30, 0\n"
      "AsNumbers = 10.9, 2.5, 1\nEndSect\nEndTarget\n";
  std::unique_ptr<void, void (*)(void*)> doc(rcfLoadText(text, sizeof text - 1, "dms"),
                                             [](void* d) { rcfClose(&d); });
  ASSERT_NE(doc, nullptr);
  void* section = rcfSectionByNameNum(rcfTargetByNameNum(doc.get(), "T", 1), "S", 1);
  int d = 9, m = 9;
  double s = 9.0;
  ASSERT_TRUE(CKvMapProjData::rcfGetParamDMS(section, "Full", &d, &m, &s));
  EXPECT_EQ(d, -3);
  EXPECT_EQ(m, 30);
  EXPECT_EQ(s, 15.5);
  ASSERT_TRUE(CKvMapProjData::rcfGetParamDMS(section, "Two", &d, &m, &s));
  EXPECT_EQ(d, 12);
  EXPECT_EQ(m, 7);
  EXPECT_EQ(s, 0.0);
  ASSERT_TRUE(CKvMapProjData::rcfGetParamDMS(section, "One", &d, &m, &s));
  EXPECT_EQ(m, 0);
  ASSERT_TRUE(CKvMapProjData::rcfGetParamDMS(section, "MinutesSigned", &d, &m, &s));
  EXPECT_EQ(m, -30);
  ASSERT_TRUE(CKvMapProjData::rcfGetParamDMS(section, "AsNumbers", &d, &m, &s));
  EXPECT_EQ(d, 10);  // whole degrees and minutes are truncated
  EXPECT_EQ(m, 2);
  EXPECT_EQ(s, 1.0);
  EXPECT_FALSE(CKvMapProjData::rcfGetParamDMS(section, "Missing", &d, &m, &s));
  EXPECT_EQ(d, 0);
  EXPECT_EQ(s, 0.0);
}
