// Blank handling, justification and editing of fixed-width texts.
#include "kfs/util/text_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "scope_support.h"

namespace {

std::string remSpc(const char* src) {
  char buf[64];
  return rem_spc(buf, src);
}

TEST(TextBlanks, FindAndTestBlanks) {
  EXPECT_EQ(allspace(""), 1);
  EXPECT_EQ(allspace("   "), 1);
  EXPECT_EQ(allspace(" \t "), 0);  // tabs are not blanks
  EXPECT_EQ(fst_nspc("  ab "), 2);
  EXPECT_EQ(lst_nspc("  ab "), 3);
  EXPECT_EQ(fst_nspc("   "), -1);
  EXPECT_EQ(lst_nspc(""), -1);
}

TEST(TextBlanks, RemoveAndStripKeepInnerBlanksAndTabs) {
  EXPECT_EQ(remSpc("  a b  "), "a b");
  EXPECT_EQ(remSpc("    "), "");
  EXPECT_EQ(remSpc("\tx\t "), "\tx\t");
  char s[] = "  in place  ";
  EXPECT_STREQ(strip(s), "in place");
  char blank[] = "   ";
  EXPECT_STREQ(strip(blank), "");
}

TEST(TextJustify, LeftAndRightKeepTheLength) {
  char out[16];
  EXPECT_STREQ(l_just(out, "  ab "), "ab   ");
  EXPECT_STREQ(r_just(out, "  ab "), "   ab");
  EXPECT_STREQ(l_just(out, "   "), "   ");
  EXPECT_STREQ(r_just(out, ""), "");
  char same[] = " xy  ";
  EXPECT_STREQ(r_just(same, same), "   xy");
  EXPECT_STREQ(l_just(same, same), "xy   ");
}

TEST(TextEdit, DeleteAndInsertCharacters) {
  char s[] = "abcdef";
  EXPECT_EQ(chrdel(s, 1, 2), 4);
  EXPECT_STREQ(s, "adef");
  EXPECT_EQ(chrdel(s, 2, 99), 2);  // stops at the end
  EXPECT_STREQ(s, "ad");
  EXPECT_EQ(chrdel(s, 5, 1), 2);  // outside: unchanged
  EXPECT_EQ(chrdel(s, -1, 1), 2);

  char four[] = "abcd";
  EXPECT_EQ(chrins('x', four, 1), 4);
  EXPECT_STREQ(four, "axbc");
  EXPECT_EQ(chrins('y', four, 4), 4);  // at the end: nothing
  EXPECT_STREQ(four, "axbc");
  EXPECT_EQ(chrins('z', four, 3), 4);
  EXPECT_STREQ(four, "axbz");
}

TEST(TextEdit, WashCopyCaseAndReverse) {
  char out[32];
  EXPECT_STREQ(strwash(out, "a-b_c-d", "-_"), "abcd");
  EXPECT_STREQ(vlccpy(out, "name$comment"), "name");
  EXPECT_STREQ(vlccpy(out, "no dollar"), "no dollar");
  char s[] = "MiXeD 1";
  EXPECT_STREQ(_strlwr(s), "mixed 1");
  EXPECT_STREQ(_strupr(s), "MIXED 1");
  EXPECT_STREQ(_strrev(s), "1 DEXIM");
  char one[] = "a";
  EXPECT_STREQ(_strrev(one), "a");
  const koracoretest::MallocPtr<char> copy(strdup_NOT_USED("copy"));
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy.get(), "copy");
  EXPECT_EQ(strdup_NOT_USED(nullptr), nullptr);
}

TEST(TextEdit, CharacterClasses) {
  for (char c : std::string("+-0123456789 \t")) EXPECT_TRUE(isint(c)) << c;
  EXPECT_FALSE(isint('e'));
  EXPECT_FALSE(isint('.'));
  for (char c : std::string("eE.")) EXPECT_TRUE(isfloat(c)) << c;
  EXPECT_FALSE(isfloat('x'));
  EXPECT_TRUE(issign('-'));
  EXPECT_FALSE(issign('1'));
  EXPECT_FALSE(isint(-1));  // EOF-like values are safe
}

TEST(TextEdit, CompressLinesMovesTextUp) {
  char lines[4][KFS_TEXT_LINE_SIZE];
  std::memset(lines, 'x', sizeof lines);  // garbage behind the terminators
  std::strcpy(lines[0], "A");
  lines[1][0] = '\0';
  std::strcpy(lines[2], "B");
  lines[3][0] = '\0';
  array_cmprss(lines, 4);
  EXPECT_STREQ(lines[0], "A");
  EXPECT_STREQ(lines[1], "B");
  EXPECT_STREQ(lines[2], "");
  EXPECT_STREQ(lines[3], "");
  array_cmprss(lines, 0);
}

}  // namespace
