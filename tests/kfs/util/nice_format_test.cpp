// nicefm: a table of values, widths and the exact field expected.
#include "kfs/util/text_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

struct Case {
  int width;
  double value;
  const char* expected;
};

std::string nice(int width, double value) {
  char buf[64];
  std::memset(buf, '#', sizeof buf);
  nicefm(buf, width, value);
  // Exactly width characters and the terminator, nothing behind it.
  EXPECT_EQ(std::strlen(buf), static_cast<std::size_t>(width < 0 ? 0 : width));
  EXPECT_EQ(buf[(width < 0 ? 0 : width) + 1], '#');
  return buf;
}

TEST(Nicefm, TableOfFields) {
  const Case cases[] = {
      {8, 0.5, "     0.5"},
      {8, 123456789.0, "1.23e+08"},
      {8, 0.0, "       0"},
      {8, -0.0, "       0"},
      {8, 1.0, "       1"},
      {8, 100.0, "     100"},  // zeros before the point stay
      {8, 3.14159265, "  3.1416"},
      {8, -2.5, "    -2.5"},
      {8, 9999998.0, " 9999998"},
      {8, -9999998.0, "-9999998"},  // fills the width, nothing trimmed
      {8, 9999999.0, "   1e+07"},   // at the upper limit: exponent
      {8, 0.05, "    0.05"},
      {8, 0.0123456, " 0.01235"},   // 4 significant decimals below 0.1
      {8, 0.0001, "   1e-04"},      // at the lower limit: exponent
      {8, 0.00012345, "0.000123"},  // cut, not rounded
      {8, -1.5e-20, "-1.5e-20"},
      {8, 1.99999e8, "   2e+08"},  // printf rounds the mantissa first
      {8, 1.2e100, "1.2e+100"},
      {6, 0.5, "   0.5"},
      {6, 12345.0, " 12345"},
      {5, 0.01, "1e-02"},
      {5, 0.011, "0.011"},
      {5, 1234.0, " 1234"},
      {5, 12345.0, "1e+04"},
      {5, -12345.0, "*****"},  // no mantissa digit fits
      {4, 999.0, " 999"},
      {4, 1234.0, "1234"},
      {4, 12345.0, "****"},  // integer digits do not fit
      {4, 0.00001, "   0"},
      {10, 2.0 / 3.0, "    0.6667"},
      {1, 7.0, "7"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nice(c.width, c.value), c.expected) << "width " << c.width << " value " << c.value;
  }
}

TEST(Nicefm, NarrowFieldsAndSpecialValues) {
  // width 6: upper limit 99999, so 123456 goes to the exponent form, and
  // only "1." of the mantissa fits beside "e+05".
  EXPECT_EQ(nice(6, 123456.0), " 1e+05");
  // Narrow fields cut the fraction away rather than round it.
  EXPECT_EQ(nice(3, -0.5), " -0");
  EXPECT_EQ(nice(6, std::numeric_limits<double>::quiet_NaN()), "   nan");
  EXPECT_EQ(nice(6, -std::numeric_limits<double>::infinity()), "  -inf");
  EXPECT_EQ(nice(2, std::numeric_limits<double>::infinity()), "**");
  EXPECT_EQ(nice(0, 1.0), "");
  EXPECT_EQ(nice(-3, 1.0), "");
}

}  // namespace
