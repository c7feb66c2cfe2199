#include "base/CString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> AllTokens(const CString& s, const char* delims,
                                   std::vector<int>* starts = nullptr) {
  std::vector<std::string> out;
  int pos = 0;
  for (;;) {
    CString tok = s.Tokenize(delims, pos);
    if (starts) starts->push_back(pos);
    if (pos == -1) {
      EXPECT_TRUE(tok.IsEmpty());
      return out;
    }
    out.emplace_back(tok.GetString());
  }
}

TEST(CStringConstruction, TextsCountsAndNulls) {
  EXPECT_STREQ(CString().GetString(), "");
  EXPECT_EQ(CString().GetLength(), 0);
  EXPECT_STREQ(CString('x', 3).GetString(), "xxx");
  EXPECT_STREQ(CString("abcdef", 3).GetString(), "abc");
  EXPECT_STREQ(CString("ab", 10).GetString(), "ab");
  EXPECT_STREQ(CString(static_cast<const char*>(nullptr)).GetString(), "");
  EXPECT_EQ(CString('x', -2).GetLength(), 0);

  CString s;
  s = 'q';
  EXPECT_STREQ(s.GetString(), "q");
  s = static_cast<wchar_t>(0x1241);  // only the low byte survives
  EXPECT_EQ(s.GetLength(), 1);
  EXPECT_EQ(s[0], 'A');
  const unsigned char bytes[] = {'h', 'i', 0};
  s = bytes;
  EXPECT_STREQ(s.GetString(), "hi");
}

TEST(CStringConstruction, SetStringKeepsEmbeddedNuls) {
  CString s;
  s.SetString("a\0b", 3);
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_EQ(s[1], '\0');
  EXPECT_EQ(s[2], 'b');
  s.SetString("plain");
  EXPECT_EQ(s.GetLength(), 5);
}

TEST(CStringConstruction, CopiesAreIndependent) {
  CString source("original");
  CString copy(source);
  copy.SetAt(0, 'O');
  copy += "!";
  EXPECT_STREQ(source.GetString(), "original");

  CString assigned;
  assigned = source;
  assigned.MakeUpper();
  EXPECT_STREQ(source.GetString(), "original");
  EXPECT_STREQ(assigned.GetString(), "ORIGINAL");

  CString longSource(std::string(100, 'z').c_str());  // heap storage, not inline
  CString longCopy = longSource;
  longCopy.SetAt(50, 'a');
  EXPECT_EQ(longSource[50], 'z');
}

TEST(CStringAccess, GetAtChecksTheIndex) {
  CString s("abc");
  EXPECT_EQ(s.GetAt(2), 'c');
  EXPECT_THROW(s.GetAt(3), std::out_of_range);
  EXPECT_THROW(s.GetAt(-1), std::out_of_range);
  EXPECT_THROW(CString().GetAt(0), std::out_of_range);
}

TEST(CStringBuffers, InlineCapacityAndGrowth) {
  CString s("short");
  EXPECT_EQ(s.GetAllocLength(), 15);
  s.Preallocate(100);
  EXPECT_GE(s.GetAllocLength(), 100);
  s.GetBuffer(10);  // never shrinks
  EXPECT_GE(s.GetAllocLength(), 100);
  EXPECT_STREQ(s.GetString(), "short");
  s.FreeExtra();
  EXPECT_EQ(s.GetAllocLength(), 15);
}

TEST(CStringBuffers, WritingThroughGetBufferThenRelease) {
  CString s;
  char* p = s.GetBuffer(64);
  std::snprintf(p, 64, "%s-%d", "written", 42);
  EXPECT_EQ(s.GetLength(), 0);  // not measured until released
  s.ReleaseBuffer();
  EXPECT_STREQ(s.GetString(), "written-42");
  EXPECT_EQ(s.GetLength(), 10);

  p = s.GetBuffer();
  p[3] = '\0';
  s.ReleaseBuffer();
  EXPECT_STREQ(s.GetString(), "wri");
  EXPECT_EQ(s.GetLength(), 3);

  s.ReleaseBuffer(50);  // only ensures capacity
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_GE(s.GetAllocLength(), 50);
}

TEST(CStringBuffers, SetLengthAndTruncate) {
  CString s("abc");
  char* p = s.GetBufferSetLength(5);
  EXPECT_EQ(s.GetLength(), 5);
  EXPECT_EQ(p[3], '\0');
  EXPECT_EQ(p[4], '\0');
  s.Truncate(2);
  EXPECT_STREQ(s.GetString(), "ab");
  s.Truncate(4);
  EXPECT_EQ(s.GetLength(), 4);
  EXPECT_EQ(s[3], '\0');
}

TEST(CStringFormat, ShortAndLongResults) {
  CString s("old text");
  s.Format("%s=%d", "n", 12);
  EXPECT_STREQ(s.GetString(), "n=12");

  // Far beyond any fixed buffer: the whole result arrives.
  const std::string big(10000, 'x');
  s.Format("[%s]%d", big.c_str(), 7);
  EXPECT_EQ(s.GetLength(), 10003);
  EXPECT_EQ(s[0], '[');
  EXPECT_EQ(s[10001], ']');
  EXPECT_EQ(s[10002], '7');

  // Exactly at the boundary of the first attempt.
  s.Format("%s", std::string(4095, 'y').c_str());
  EXPECT_EQ(s.GetLength(), 4095);
  s.Format("%s", std::string(4096, 'y').c_str());
  EXPECT_EQ(s.GetLength(), 4096);
}

void AppendF(CString& s, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  s.AppendFormatV(fmt, args);
  va_end(args);
}

void MessageF(CString& s, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  s.FormatMessageV(fmt, args);
  va_end(args);
}

TEST(CStringFormat, AppendAndMessageVariants) {
  CString s("head:");
  AppendF(s, "%05.1f", 3.14159);
  EXPECT_STREQ(s.GetString(), "head:003.1");
  AppendF(s, "%s", std::string(5000, 'a').c_str());
  EXPECT_EQ(s.GetLength(), 5010);
  MessageF(s, "%c%c", 'o', 'k');
  EXPECT_STREQ(s.GetString(), "ok");
}

TEST(CStringAppend, AllForms) {
  CString s("a");
  s.Append(CString("b"));
  s.Append("c");
  s.Append("dxyz", 1);
  s.AppendChar('e');
  s += CString("f");
  s += "g";
  s += 'h';
  s += static_cast<unsigned char>('i');
  s += static_cast<wchar_t>(0x316A);  // low byte 'j'
  EXPECT_STREQ(s.GetString(), "abcdefghij");
  s.Append("\0\0", 2);
  EXPECT_EQ(s.GetLength(), 12);

  CString t = CString("x") + CString("y") + 'z' + "!";
  EXPECT_STREQ(t.GetString(), "xyz!");
  EXPECT_STREQ(("<" + t).GetString(), "<xyz!");
}

TEST(CStringSearch, FindVariants) {
  CString s("abcabc");
  EXPECT_EQ(s.Find("bc"), 1);
  EXPECT_EQ(s.Find("bc", 2), 4);
  EXPECT_EQ(s.Find("zz"), -1);
  EXPECT_EQ(s.Find("a", 99), -1);
  EXPECT_EQ(s.Find('c'), 2);
  EXPECT_EQ(s.Find('c', 3), 5);
  EXPECT_EQ(s.Find('q'), -1);
  EXPECT_EQ(s.Find('a', 99), -1);
  EXPECT_EQ(s.ReverseFind('a'), 3);
  EXPECT_EQ(s.ReverseFind('z'), -1);
  EXPECT_EQ(s.FindOneOf("xyc"), 2);
  EXPECT_EQ(s.FindOneOf("xyz"), -1);
}

TEST(CStringCompare, ByteAndCaseComparisons) {
  EXPECT_GT(CString("abcd").Compare("abc"), 0);
  EXPECT_LT(CString("abc").Compare("abcd"), 0);
  EXPECT_EQ(CString("abc").Compare("abc"), 0);
  EXPECT_GT(CString("\xe9").Compare("z"), 0);  // bytes compare unsigned
  EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
  EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
  EXPECT_EQ(CString("abc").Collate("abc"), 0);
  EXPECT_EQ(CString("aBc").CollateNoCase("AbC"), 0);
}

TEST(CStringCompare, OrderedMapKeys) {
  std::map<CString, int> m;
  m["b"] = 2;
  m["ab"] = 1;
  m["a"] = 0;
  m["\xff"] = 3;
  std::vector<std::string> order;
  for (const auto& kv : m) order.emplace_back(kv.first.GetString());
  EXPECT_EQ(order, (std::vector<std::string>{"a", "ab", "b", "\xff"}));
  EXPECT_TRUE(CString("x") == "x");
  EXPECT_TRUE("x" != CString("y"));
}

TEST(CStringExtract, LeftMidRightBounds) {
  CString s("hello");
  EXPECT_STREQ(s.Left(2).GetString(), "he");
  EXPECT_STREQ(s.Left(-1).GetString(), "hello");
  EXPECT_STREQ(s.Left(99).GetString(), "hello");
  EXPECT_STREQ(s.Mid(10).GetString(), "");
  EXPECT_STREQ(s.Mid(1).GetString(), "ello");
  EXPECT_STREQ(s.Mid(1, 2).GetString(), "el");
  EXPECT_STREQ(s.Mid(3, 99).GetString(), "lo");
  EXPECT_STREQ(s.Mid(2, -1).GetString(), "llo");
  EXPECT_STREQ(s.Mid(9, 2).GetString(), "");
  EXPECT_STREQ(s.Right(2).GetString(), "lo");
  EXPECT_STREQ(s.Right(99).GetString(), "hello");
  EXPECT_STREQ(s.Right(0).GetString(), "");
}

TEST(CStringExtract, Spans) {
  CString s("123abc");
  EXPECT_STREQ(s.SpanIncluding("0123456789").GetString(), "123");
  EXPECT_STREQ(s.SpanIncluding("x").GetString(), "");
  EXPECT_STREQ(s.SpanIncluding("123abc").GetString(), "123abc");
  EXPECT_STREQ(s.SpanExcluding("abc").GetString(), "123");
  EXPECT_STREQ(s.SpanExcluding("xyz").GetString(), "123abc");
}

TEST(CStringTokenize, SkipsRunsOfDelimiters) {
  std::vector<int> starts;
  EXPECT_EQ(AllTokens("a,,b", ",", &starts), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(starts, (std::vector<int>{2, 5, -1}));

  EXPECT_EQ(AllTokens(";;m;;km;", ";"), (std::vector<std::string>{"m", "km"}));
  EXPECT_EQ(AllTokens("one two\tthree", " \t"), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_TRUE(AllTokens("", ",").empty());
  EXPECT_TRUE(AllTokens(",,,", ",").empty());
  EXPECT_EQ(AllTokens("whole", ""), (std::vector<std::string>{"whole"}));

  int pos = 99;
  EXPECT_TRUE(CString("abc").Tokenize(",", pos).IsEmpty());
  EXPECT_EQ(pos, -1);
  pos = -1;
  EXPECT_TRUE(CString("abc").Tokenize(",", pos).IsEmpty());
  EXPECT_EQ(pos, -1);
}

TEST(CStringModify, CaseAndReverse) {
  CString s("MiXeD 1");
  EXPECT_STREQ(s.MakeLower().GetString(), "mixed 1");
  EXPECT_STREQ(s.MakeUpper().GetString(), "MIXED 1");
  EXPECT_STREQ(CString("abc").MakeReverse().GetString(), "cba");
  CString withNul;
  withNul.SetString("ab\0cd", 5);
  withNul.MakeReverse();  // only up to the first NUL
  EXPECT_EQ(withNul[0], 'b');
  EXPECT_EQ(withNul[1], 'a');
  EXPECT_EQ(withNul[4], 'd');
}

TEST(CStringModify, InsertAndDelete) {
  CString s("ace");
  EXPECT_EQ(s.Insert(1, 'b'), 4);
  EXPECT_EQ(s.Insert(3, "d"), 5);
  EXPECT_EQ(s.Insert(99, "f"), 6);
  EXPECT_STREQ(s.GetString(), "abcdef");

  EXPECT_EQ(s.Delete(2, 0), 6);
  EXPECT_EQ(s.Delete(1), 5);
  EXPECT_STREQ(s.GetString(), "acdef");
  EXPECT_EQ(s.Delete(3, 99), 3);
  EXPECT_STREQ(s.GetString(), "acd");
  EXPECT_EQ(s.Delete(3, 1), 3);  // at the end: nothing to delete, no error
  EXPECT_THROW(s.Delete(4, 1), std::out_of_range);
  EXPECT_THROW(s.Delete(-1, 1), std::out_of_range);

  CString t("abcdef");
  EXPECT_EQ(t.Delete(2, -1), 2);
  EXPECT_STREQ(t.GetString(), "ab");
}

TEST(CStringModify, RemoveAndReplace) {
  CString s("a-b-c");
  EXPECT_EQ(s.Remove('-'), 2);
  EXPECT_STREQ(s.GetString(), "abc");
  EXPECT_EQ(s.Replace('b', 'B'), 1);
  EXPECT_STREQ(s.GetString(), "aBc");

  CString t("aaa");
  EXPECT_EQ(t.Replace("a", "aa"), 3);  // inserted text is not searched again
  EXPECT_STREQ(t.GetString(), "aaaaaa");
  CString u("x--y--z");
  EXPECT_EQ(u.Replace("--", ""), 2);
  EXPECT_STREQ(u.GetString(), "xyz");
  EXPECT_EQ(u.Replace("", "q"), 0);
  EXPECT_EQ(u.Replace("nope", "q"), 0);
  EXPECT_STREQ(u.GetString(), "xyz");
  CString path("C:\\a\\b");
  EXPECT_EQ(path.Replace("\\", "/"), 2);
  EXPECT_STREQ(path.GetString(), "C:/a/b");
}

TEST(CStringTrim, BlanksOnlySpaceAndTab) {
  EXPECT_STREQ(CString(" \t x y \t ").Trim().GetString(), "x y");
  EXPECT_STREQ(CString("  x  ").TrimLeft().GetString(), "x  ");
  EXPECT_STREQ(CString("  x  ").TrimRight().GetString(), "  x");
  EXPECT_STREQ(CString("x \r\n").TrimRight().GetString(), "x \r\n");
  EXPECT_STREQ(CString("x\r\n").Trim().GetString(), "x\r\n");
  for (const char* blank : {"", " ", " \t  "}) {
    EXPECT_STREQ(CString(blank).Trim().GetString(), "");
    EXPECT_STREQ(CString(blank).TrimLeft().GetString(), "");
    EXPECT_STREQ(CString(blank).TrimRight().GetString(), "");
  }
}

TEST(CStringTrim, ByteAndSetVariants) {
  EXPECT_STREQ(CString("xxaxx").Trim('x').GetString(), "a");
  EXPECT_STREQ(CString("xxaxx").TrimLeft('x').GetString(), "axx");
  EXPECT_STREQ(CString("xxaxx").TrimRight('x').GetString(), "xxa");
  EXPECT_STREQ(CString("xxx").Trim('x').GetString(), "");
  EXPECT_STREQ(CString("").TrimLeft('x').GetString(), "");
  EXPECT_STREQ(CString("\"'q'\"").Trim("'\"").GetString(), "q");
  EXPECT_STREQ(CString("12a21").TrimLeft("12").GetString(), "a21");
  EXPECT_STREQ(CString("12a21").TrimRight("12").GetString(), "12a");
  EXPECT_STREQ(CString("1221").Trim("12").GetString(), "");
  EXPECT_STREQ(CString("").TrimRight("12").GetString(), "");
}

TEST(CStringOther, EnvironmentVariable) {
  CString s("keep");
  ::unsetenv("KORACORE_CSTRING_TEST_UNSET");
  EXPECT_FALSE(s.GetEnvironmentVariable("KORACORE_CSTRING_TEST_UNSET"));
  EXPECT_STREQ(s.GetString(), "keep");
  ::setenv("KORACORE_CSTRING_TEST_SET", "/opt/kora", 1);
  EXPECT_TRUE(s.GetEnvironmentVariable("KORACORE_CSTRING_TEST_SET"));
  EXPECT_STREQ(s.GetString(), "/opt/kora");
  ::unsetenv("KORACORE_CSTRING_TEST_SET");
}

TEST(CStringOther, StaticCopies) {
  EXPECT_EQ(CString::StringLength("four"), 4);
  char buf[8] = "xxxxxxx";
  CString::CopyChars(buf, "ab", 4);  // strncpy pads with NULs
  EXPECT_STREQ(buf, "ab");
  EXPECT_EQ(buf[4], 'x');

  char overlap[] = "abcdef";
  CString::CopyCharsOverlapped(overlap + 1, overlap, 4);
  EXPECT_STREQ(overlap, "aabcdf");
}

}  // namespace
