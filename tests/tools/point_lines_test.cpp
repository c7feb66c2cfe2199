// The point lines kvcart reads from standard input and writes back.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "command_line.h"
#include "point_lines.h"

namespace {

using kvcart::ParsePointLine;
using kvcart::Point;

TEST(PointLines, SeparatorsHeightsAndLinesWithoutPoints) {
  Point p;
  ASSERT_TRUE(ParsePointLine("  9.5\t55,-12.25 \r", 1, p));
  EXPECT_EQ(p.x, 9.5);
  EXPECT_EQ(p.y, 55.0);
  EXPECT_TRUE(p.hasZ);
  EXPECT_EQ(p.z, -12.25);
  ASSERT_TRUE(ParsePointLine("500000 6100000", 2, p));
  EXPECT_FALSE(p.hasZ);
  for (const char* empty : {"", "   ", "\r", "# x y", "  #comment 1 2", ", ,"}) {
    EXPECT_FALSE(ParsePointLine(empty, 3, p)) << empty;
  }
}

TEST(PointLines, WhatIsNoPointNamesItsLine) {
  Point p;
  for (const char* bad :
       {"1", "1 2 3 4", "1,5 2,5 3,5 4,5", "x 2", "1 2 nan", "1 inf", "1e999 0", "1 2 3#"}) {
    try {
      ParsePointLine(bad, 17, p);
      ADD_FAILURE() << "accepted: " << bad;
    } catch (const tools::Failure& e) {
      EXPECT_EQ(std::string(e.what()).rfind("line 17: ", 0), 0u) << e.what();
    }
  }
}

TEST(PointLines, WrittenToReadBackExactlyOrAsAStar) {
  Point p;
  p.x = 0.1;
  p.y = -1234567.123456789;
  EXPECT_EQ(kvcart::PointText(p), "0.1 -1234567.123456789");
  p.hasZ = true;
  p.z = 1e-20;
  EXPECT_EQ(kvcart::PointText(p), "0.1 -1234567.123456789 0.00000000000000000001");
  p.x = 500000.0;
  p.y = -0.0;
  p.z = 1e22;
  EXPECT_EQ(kvcart::PointText(p), "500000 -0 10000000000000000000000");
  p.x = p.y = p.z = NAN;
  EXPECT_EQ(kvcart::PointText(p), "* * *");
}

}  // namespace
