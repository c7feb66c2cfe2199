// Number lists, flag strings and single numbers in fixed-width fields; the
// outputs are compared whole because files and listings depend on every
// character.
#include "kfs/util/text_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstring>
#include <string>

namespace {

std::string fmtFloats(std::initializer_list<float> v) {
  char buf[KFS_STRFMT_SIZE(8)];
  return strfmt(buf, v.begin(), static_cast<int>(v.size()));
}

TEST(NumberList, FormatsFloatsWithoutPadding) {
  EXPECT_EQ(fmtFloats({1.5f, 2.0f}), "1.5, 2");
  EXPECT_EQ(fmtFloats({-0.000123456f}), "-0.00012346");
  EXPECT_EQ(fmtFloats({1e20f, 3.25f}), "1e+20, 3.25");
  char buf[4] = "old";
  EXPECT_STREQ(strfmt(buf, nullptr, 0), "");
}

TEST(NumberList, FormatsIntegersAndStaysInsideTheDocumentedSize) {
  const int v[3] = {INT_MIN, 0, INT_MAX};
  char buf[KFS_STRFMT_SIZE(-3) + 1];
  std::memset(buf, '#', sizeof buf);
  strfmt(buf, v, -3);
  EXPECT_STREQ(buf, "-2147483648, 0, 2147483647");
  EXPECT_EQ(buf[sizeof buf - 1], '#');

  // The widest floats fit their share as well.
  const float wide[2] = {-1.17549e-38f, -3.40282e38f};
  char fbuf[KFS_STRFMT_SIZE(2)];
  EXPECT_STREQ(strfmt(fbuf, wide, 2), "-1.1755e-38, -3.4028e+38");
}

TEST(NumberList, ReadsFieldsAndLeavesEmptyOnesAlone) {
  float f[4] = {9, 9, 9, 9};
  EXPECT_EQ(strflt(f, " 1.5, ,-2e1 ,x", 4), 4);
  EXPECT_FLOAT_EQ(f[0], 1.5f);
  EXPECT_FLOAT_EQ(f[1], 9);
  EXPECT_FLOAT_EQ(f[2], -20);
  EXPECT_FLOAT_EQ(f[3], 9);  // not a number: unchanged

  int i[3] = {7, 7, 7};
  EXPECT_EQ(strflt(i, "4,5,6,7,8", -3), 3);  // never more than asked
  EXPECT_EQ(i[0], 4);
  EXPECT_EQ(i[2], 6);
  EXPECT_EQ(strflt(i, "1,2", -3), 2);
  EXPECT_EQ(i[2], 6);
  EXPECT_EQ(strflt(i, "", -3), 0);
  EXPECT_EQ(strflt(i, "99999999999,1.5", -2), 2);  // overflow and fraction rejected
  EXPECT_EQ(i[0], 1);
}

TEST(NumberList, FlagStringsRoundTrip) {
  const int flags[3] = {1, 0, 7};
  char text[4];
  EXPECT_STREQ(strfmb(text, flags, 3), "yny");
  int back[3] = {-1, -1, -1};
  EXPECT_EQ(strbol(back, text, 3), 1);
  EXPECT_EQ(back[0], 1);
  EXPECT_EQ(back[1], 0);
  EXPECT_EQ(back[2], 1);
  int more[5] = {9, 9, 9, 9, 9};
  strbol(more, "yY", 5);  // only "y" counts, nothing past the end is read
  EXPECT_EQ(more[0], 1);
  EXPECT_EQ(more[1], 0);
  EXPECT_EQ(more[4], 0);
}

TEST(NumberField, IntegersAndFixedOrGeneralFloats) {
  char buf[64];
  EXPECT_STREQ(m_stri(buf, 42, 5), "   42");
  EXPECT_STREQ(m_stri(buf, 42, -5), "42   ");
  EXPECT_STREQ(m_stri(buf, -123456, 3), "-123456");

  EXPECT_STREQ(m_strr(buf, 8, 2, 3.14159f), "    3.14");
  EXPECT_STREQ(m_strr(buf, 8, 2, 0.0f), "    0.00");
  // 123456.7 needs 2 + 1 + 5.09 > 7 columns: general form.
  EXPECT_STREQ(m_strr(buf, 7, 2, 123456.7f), "1.2e+05");
  // Negative values need a column more.
  EXPECT_STREQ(m_strr(buf, 5, 2, -99.5f), "-1e+02");
  EXPECT_STREQ(m_strr(buf, 6, 2, -99.5f), "-99.50");
  // Small magnitudes count their leading zeros: 0.001 with 3 decimals
  // needs 3 + 1 + 3 columns.
  EXPECT_STREQ(m_strr(buf, 6, 3, 0.001f), " 0.001");
  EXPECT_STREQ(m_strr(buf, 7, 3, 0.001f), "  0.001");
  EXPECT_STREQ(m_strr(buf, 4, -2, 2.6f), "   3");  // negative decimals as 0

  EXPECT_STREQ(m_strr_e(buf, 12, 3, 1234.5f), "   1.234e+03");
  EXPECT_STREQ(m_strr_e(buf, 1, 0, -5e-7f), "-5e-07");
}

TEST(NumberField, ReadingSetsStatus) {
  int i = 5, status = 99;
  m_vali(" 17 ", &i, &status);
  EXPECT_EQ(i, 17);
  EXPECT_EQ(status, -1);
  m_vali("17x", &i, &status);
  EXPECT_EQ(i, 17);
  EXPECT_EQ(status, 0);
  float f = 1;
  m_valr("  -2.5e-1", &f, &status);
  EXPECT_FLOAT_EQ(f, -0.25f);
  EXPECT_EQ(status, -1);
  m_valr("", &f, &status);
  EXPECT_EQ(status, 0);
  EXPECT_FLOAT_EQ(f, -0.25f);
}

// A host that runs with a decimal comma must still get "." in files.
TEST(NumberField, IgnoresTheProcessLocale) {
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.utf8"))
    GTEST_SKIP() << "no locale with a decimal comma installed";
  char buf[64];
  std::string fixed = m_strr(buf, 6, 2, 1.5f);
  const float v[2] = {1.5f, 0.25f};
  std::string list = strfmt(buf, v, 2);
  float back[2] = {0, 0};
  int n = strflt(back, "2.5,3.75", 2);
  std::string nice = nicefm(buf, 8, 0.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(fixed, "  1.50");
  EXPECT_EQ(list, "1.5, 0.25");
  EXPECT_EQ(n, 2);
  EXPECT_FLOAT_EQ(back[1], 3.75f);
  EXPECT_EQ(nice, "     0.5");
}

}  // namespace
