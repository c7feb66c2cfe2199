// Listing the parameters of a parsed text with their labels and units.
#include <gtest/gtest.h>

#include "KvCart/text/CKvPRJParser.h"
#include "WktSamples.h"

using namespace wkt_samples;

TEST(PrjListing, TransverseMercatorInFeetListsRawValuesWithTheirUnits) {
  const std::string text =
      Projected("Transverse_Mercator",
                Param("False_Easting", "1640416.666666667") + "," + Param("False_Northing", "0") +
                    "," + Param("Central_Meridian", "-120.5") + "," +
                    Param("Scale_Factor", "0.9999") + "," + Param("Latitude_Of_Origin", "31"),
                "UNIT[\"Foot_US\",0.3048006096012192]");
  CKvPRJParser p(text.c_str());
  ASSERT_TRUE(p.Parse(false));
  EXPECT_EQ(p.GetProjectionTypeTitle(), "Transverse mercator");
  ASSERT_EQ(p.GetNoOfParameters(), 5);
  struct Expected {
    const char* label;
    double value;
    const char* unit;
    double factor;
  } expected[] = {{"Scale:", 0.9999, "", 1.0},
                  {"Central meridian:", -120.5, "Degree", 0.0174532925199433},
                  {"Latitude origin:", 31.0, "Degree", 0.0174532925199433},
                  {"False easting:", 1640416.666666667, "Foot_US", 0.3048006096012192},
                  {"False northing:", 0.0, "Foot_US", 0.3048006096012192}};
  for (int i = 0; i < 5; ++i) {
    CString label, unit;
    double value = 0, factor = 0;
    ASSERT_TRUE(p.GetParameter(i, label, value, unit, factor));
    EXPECT_EQ(label, expected[i].label);
    EXPECT_EQ(value, expected[i].value) << i;
    EXPECT_EQ(unit, expected[i].unit) << i;
    EXPECT_EQ(factor, expected[i].factor) << i;
  }
  CString label("untouched"), unit;
  double value = 0, factor = 0;
  EXPECT_FALSE(p.GetParameter(5, label, value, unit, factor));
  EXPECT_FALSE(p.GetParameter(-1, label, value, unit, factor));
  EXPECT_EQ(label, "untouched");
}

TEST(PrjListing, KindsWithoutADefinitionRecordListNothing) {
  CKvPRJParser geographical(kGeogcsWgs84.c_str());
  ASSERT_TRUE(geographical.Parse(false));
  EXPECT_EQ(geographical.GetProjectionTypeTitle(), "Geographical");
  EXPECT_EQ(geographical.GetNoOfParameters(), 0);

  for (auto type : {CKvMapProjData::eNonProjected, CKvMapProjData::eUndefined}) {
    CKvPRJParser p;
    p.SetProjectionType(type);
    EXPECT_EQ(p.GetProjectionTypeTitle(), "Non projection");
    EXPECT_EQ(p.GetNoOfParameters(), 0);
    CString label, unit;
    double value = 0, factor = 0;
    EXPECT_FALSE(p.GetParameter(0, label, value, unit, factor));
  }
}
