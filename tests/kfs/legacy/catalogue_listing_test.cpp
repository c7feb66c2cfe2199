// cat_tell: the whole listing, character for character.
#include "kfs/legacy/catalogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "catalogue_support.h"

namespace {

using cattest::Cat;

std::string listing(const catRecord* cat) {
  char* text = nullptr;
  std::size_t size = 0;
  FILE* mem = open_memstream(&text, &size);
  EXPECT_EQ(cat_tell(mem, cat), 0.0f);
  std::fclose(mem);
  std::string out(text, size);
  std::free(text);
  return out;
}

TEST(CatalogueListing, TimeSeriesWithStartDateListsTheStandardDeviation) {
  Cat c(newcat(0));
  std::strcpy(c->prefix, "/data/run/");
  std::strcpy(c->name, "gauge12");
  std::strcpy(c->title, "Water level at gauge 12");
  c->deleteValue = -1e-35f;
  c->startDate = 37986;  // 2004-02-29
  c->nItems = 2;
  c->time = {23, 0, 3600, 21600, "sec"};
  c->item[0] = {0.5f, 2.25f, 1.125f, 0.5f, 0, "Water level"};
  c->item[1] = {-12.5f, 340, 101.25f, 88.25f, 3, "Discharge"};
  const std::string expected =
      "-------------------------- Data File Summary ---------------------------\n"
      "\n"
      " File Description:\n"
      "  Family : /data/run/\n"
      "  Name   : gauge12\n"
      "  Delete : -1e-35    \n"
      "\n"
      "  Title  : Water level at gauge 12\n"
      "\n"
      "  Axes   Sets   Start   Interval     Unit     Phys. start\n"
      "  time      242004/02/29 06:00:00         3600         sec       21600\n"
      "\n"
      "  Description             Minimum   Maximum     Mean    St. dev Missing\n"
      "  Water level                 0.5      2.25     1.125       0.5       0 \n"
      "  Discharge                 -12.5       340    101.25     88.25       3 \n"
      "------------------------------------------------------------------------\n";
  EXPECT_EQ(listing(c.get()), expected);
}

TEST(CatalogueListing, SpatialAxesWithRelativeTimeLeaveOutTheStandardDeviation) {
  Cat c(newcat(2));
  std::strcpy(c->prefix, "");
  std::strcpy(c->name, "grid");
  std::strcpy(c->title, "Depths");
  c->deleteValue = 1e35f;
  c->startDate = 0;
  c->nItems = 1;
  c->time = {9, 0.5f, 0.25f, 0, "hour"};
  c->axis[0] = {99, 0, 25, 1000.5f, "m"};
  c->axis[1] = {49, 1, 12.5f, -3e6f, "meter"};
  c->item[0] = {0, 123456789.0f, 0.0001234f, 7, 12, "Depth below surface"};
  const std::string expected =
      "-------------------------- Data File Summary ---------------------------\n"
      "\n"
      " File Description:\n"
      "  Family : \n"
      "  Name   : grid\n"
      "  Delete : 1e+35     \n"
      "\n"
      "  Title  : Depths\n"
      "\n"
      "  Axes   Sets   Start   Interval     Unit     Phys. start\n"
      "  time      10  0.5         0.25        hour           0\n"
      "    1      100    0           25           m      1000.5\n"
      "    2       50    1         12.5       meter    -3000000\n"
      "\n"
      "  Description             Minimum   Maximum     Mean  Missing\n"
      "  Depth below surface           0 1.234e+08 0.0001234      12\n"
      "------------------------------------------------------------------------\n";
  EXPECT_EQ(listing(c.get()), expected);
}

TEST(CatalogueListing, RefusesNullArguments) {
  Cat c(newcat(0));
  EXPECT_EQ(cat_tell(nullptr, c.get()), -1.0f);
  EXPECT_EQ(cat_tell(stdout, nullptr), -1.0f);
}

}  // namespace
