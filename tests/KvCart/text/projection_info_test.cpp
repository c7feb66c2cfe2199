// The information record: axis directions to signs and order, units, and
// names that do not fit their arrays.
#include <gtest/gtest.h>

#include <string>

#include "KvCart/text/CKvPRJParser.h"
#include "KvCart/text/CKvProjectionInfo.h"
#include "WktSamples.h"

namespace {

using Axis = CKvProjectionInfo::CAxis;

CKvProjectionInfo InfoWithAxes(const char* first, const char* second) {
  CKvPRJParser record;
  record.SetAxisInfo(CKvPRJParser::eFirstAxis, "A", first);
  record.SetAxisInfo(CKvPRJParser::eSecondAxis, "B", second);
  CKvProjectionInfo info;
  info.SetProjectionInfo(record);
  return info;
}

}  // namespace

TEST(ProjectionInfo, AxesSwapAndNegateBothWays) {
  struct Case {
    const char* first;
    const char* second;
    Axis::EType t1, t2;
    double x, y;
    int result;
  } cases[] = {
      {"NORTH", "EAST", Axis::eNorth, Axis::eEast, 7, 5, 1},
      {"WEST", "SOUTH", Axis::eWest, Axis::eSouth, -5, -7, 0},
      {"south", "west", Axis::eSouth, Axis::eWest, -7, -5, 1},  // any case; both rules
      {"East", "North", Axis::eEast, Axis::eNorth, 5, 7, 0},
      {"UP", "", Axis::eEast, Axis::eEast, 5, 7, 0},  // unknown directions count as east
  };
  for (const Case& c : cases) {
    const CKvProjectionInfo info = InfoWithAxes(c.first, c.second);
    Axis::EType t1, t2;
    info.GetAxisTypes(&t1, &t2);
    EXPECT_EQ(t1, c.t1) << c.first;
    EXPECT_EQ(t2, c.t2) << c.second;
    double x = 5, y = 7;
    EXPECT_EQ(info.Convert(x, y), c.result);
    EXPECT_EQ(x, c.x) << c.first;
    EXPECT_EQ(y, c.y) << c.first;
    EXPECT_EQ(info.InvConvert(x, y), c.result);
    EXPECT_EQ(x, 5.0);
    EXPECT_EQ(y, 7.0);
  }
}

TEST(ProjectionInfo, UnitsAndShiftComeFromTheRecord) {
  CKvProjectionInfo empty;
  double factor = 0;
  char name[CKvProjectionInfo::kUnitNameSize] = "x";
  EXPECT_FALSE(empty.GetProjUnit(&factor, name));
  EXPECT_EQ(factor, CKvPRJParser::kUnset);
  EXPECT_STREQ(name, "");

  std::string text = wkt_samples::kUtm32;
  text.insert(text.find("]],PRIMEM") + 1, ",TOWGS84[1,2,3]");
  CKvPRJParser record(text.c_str());
  ASSERT_TRUE(record.Parse(false));
  CKvProjectionInfo info;
  info.SetProjectionInfo(record);
  EXPECT_TRUE(info.GetProjUnit(&factor, name));
  EXPECT_EQ(factor, 1.0);
  EXPECT_STREQ(name, "Meter");
  EXPECT_TRUE(info.GetAngularUnit(&factor, nullptr));
  EXPECT_EQ(factor, 0.0174532925199433);
  CKvDatumShift shift;
  info.GetDatumShift(shift);
  EXPECT_EQ(shift.GetType(), CKvCartDef::eThreeParameter);

  const CKvProjectionInfo copy(info);
  EXPECT_STREQ(copy.GetAxis(0).GetName(), "Easting");
  EXPECT_TRUE(copy.GetProjUnit(&factor, name));
  EXPECT_STREQ(name, "Meter");
}

TEST(ProjectionInfo, LongNamesAreCutToTheirArrays) {
  const std::string longName(300, 'u');
  CKvPRJParser record;
  record.SetProjUnit(longName.c_str(), 0.3048);
  record.SetAxisInfo(CKvPRJParser::eFirstAxis, longName.c_str(), "WEST");
  CKvProjectionInfo info;
  info.SetProjectionInfo(record);
  char name[CKvProjectionInfo::kUnitNameSize + 8];
  std::fill(name, name + sizeof name, 'z');
  double factor = 0;
  EXPECT_TRUE(info.GetProjUnit(&factor, name));
  EXPECT_EQ(std::string(name), std::string(CKvProjectionInfo::kUnitNameSize - 1, 'u'));
  EXPECT_EQ(name[CKvProjectionInfo::kUnitNameSize], 'z');  // nothing written past the array
  EXPECT_EQ(std::string(info.GetAxis(0).GetName()),
            std::string(CKvProjectionInfo::kAxisNameSize - 1, 'u'));
  EXPECT_EQ(info.GetAxis(0).GetFactor(), -1.0);
}

TEST(ProjectionInfo, AxisOutsideTheTableKeepsAUnitFactor) {
  const Axis odd(static_cast<Axis::EType>(7), "odd");
  EXPECT_EQ(odd.GetFactor(), 1.0);
  Axis west(Axis::eWest, "W");
  west.SetProperties(static_cast<Axis::EType>(9), "W");
  EXPECT_EQ(west.GetFactor(), -1.0);  // an unknown type leaves the factor
  EXPECT_EQ(Axis::StringToType(nullptr), Axis::eEast);
}
