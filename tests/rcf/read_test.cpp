// Reading parameter files the way the unit loader and the projection
// database do, and the conversions between parameter kinds.
#include "rcf_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using rcftest::Doc;
using rcftest::Fixture;
using rcftest::LoadText;

namespace {

TEST(RcfRead, EllipsoidFileAsTheEllipsoidListReadsIt) {
  Doc doc(rcfLoadFile(Fixture("ellipsoid.rcf").c_str(), 1));
  ASSERT_TRUE(doc) << rcfGetErrorDetailGlb();
  EXPECT_EQ(rcfPeekErrorGlb(), 0);

  void* target = rcfTargetByNameNum(doc.get(), "ELLIPSOID_DEFINITION", 1);
  ASSERT_NE(target, nullptr);
  void* first = rcfSectionByNameNum(target, "REF_ELLIPSOID", 1);
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(rcfGetNoInstances(first), 3);

  const char* names[] = {"WGS 1984", "International 1924", "Clarke '1880' (RGS)"};
  const char* codes[] = {"WE", "IN", "CD"};
  const double axes[] = {6378137.0, 6378388.0, 6378249.145};
  const double flattenings[] = {298.257223563, 297.0, 293.465};
  for (int i = 1; i <= 3; ++i) {
    void* section = rcfSectionByNameNum(target, "REF_ELLIPSOID", i);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(rcfGetNoInstances(section), 3);
    CString name, code;
    double a = 0, f = 0;
    EXPECT_TRUE(rcfGetParam(section, "Ellipsoid_Name", &name, 1, 1));
    EXPECT_TRUE(rcfGetParam(section, "ID_Code", &code, 1, 1));
    EXPECT_TRUE(rcfGetParam(section, "Semi_Major_Axis", &a, 1, 1));
    EXPECT_TRUE(rcfGetParam(section, "Inverse_Flatness", &f, 1, 1));
    EXPECT_STREQ(name.GetString(), names[i - 1]);
    EXPECT_STREQ(code.GetString(), codes[i - 1]);
    EXPECT_EQ(a, axes[i - 1]);
    EXPECT_EQ(f, flattenings[i - 1]);
  }
  EXPECT_EQ(rcfSectionByNameNum(target, "REF_ELLIPSOID", 4), nullptr);
  EXPECT_EQ(rcfSectionByNameNum(target, "REF_ELLIPSOID", 0), nullptr);
  EXPECT_EQ(rcfTargetByNameNum(doc.get(), "ELLIPSOID_DEFINITION", 2), nullptr);
  EXPECT_EQ(rcfTargetByNameNum(doc.get(), "ellipsoid_definition", 1), nullptr);  // case counts
}

TEST(RcfRead, ProjectionSectionsByNumberWithCrLfLineEnds) {
  Doc doc(rcfLoadFile(Fixture("projections_crlf.rcf").c_str(), 1));
  ASSERT_TRUE(doc) << rcfGetErrorDetailGlb();
  void* target = rcfTargetByNameNum(doc.get(), "MAP_PROJECTION_DEFINITION", 1);
  ASSERT_EQ(rcfGetNoSections(target), 2);
  EXPECT_STREQ(rcfGetName(rcfSectionByNum(target, 1)), "LAMBERT_CONIC_1SP_PROJECTION");
  EXPECT_STREQ(rcfGetName(rcfSectionByNum(target, 2)), "UTM_PROJECTION");
  EXPECT_EQ(rcfSectionByNum(target, 3), nullptr);
  EXPECT_EQ(rcfGetNoInstances(rcfSectionByNum(target, 2)), 1);

  void* lambert = rcfSectionByNum(target, 1);
  CString name;
  ASSERT_TRUE(rcfGetParam(lambert, "Projection_Name", &name, 1, 1));
  EXPECT_STREQ(name.GetString(), "Lambert, \"Paris\"");

  // The degrees-minutes-seconds reading of the projection records.
  void* dms = rcfKeywordByNameNum(lambert, "Origin_Longitude_dms", 1);
  ASSERT_EQ(rcfGetNoParams(dms), 3);
  EXPECT_EQ(rcfGetInt(rcfParamByNum(dms, 1)), -3);
  EXPECT_EQ(rcfGetInt(rcfParamByNum(dms, 2)), 30);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(dms, 3)), 0.0);
  EXPECT_EQ(rcfParamByNum(dms, 4), nullptr);

  double reduction = 0, fnorth = 1;
  EXPECT_TRUE(rcfGetParam(lambert, "Scale_Reduction", &reduction, 1, 1));
  EXPECT_EQ(reduction, 2500.0);
  EXPECT_TRUE(rcfGetParam(lambert, "Fnorth", &fnorth, 1, 1));
  EXPECT_TRUE(std::signbit(fnorth));  // -0.0 keeps its sign
  double untouched = 7;
  EXPECT_FALSE(rcfGetParam(lambert, "Scale", &untouched, 1, 1));
  EXPECT_EQ(untouched, 7);

  void* centre = rcfKeywordByNameNum(rcfSectionByNum(target, 2), "Centre_dms", 1);
  EXPECT_EQ(rcfGetInt(rcfParamByNum(centre, 2)), -30);
}

TEST(RcfRead, UnitFileKeywordsDirectlyInTheTarget) {
  Doc doc(rcfLoadFile(Fixture("user_units.rcf").c_str(), 1));
  ASSERT_TRUE(doc) << rcfGetErrorDetailGlb();
  void* section = rcfTargetByNameNum(doc.get(), "Item_Unit", 1);
  std::vector<std::pair<int, int>> pairs;
  for (int n = 1;; ++n) {
    void* data = rcfKeywordByNameNum(section, "Data", n);
    if (!data) break;
    pairs.emplace_back(rcfGetInt(rcfParamByNum(data, 1)), rcfGetInt(rcfParamByNum(data, 2)));
  }
  EXPECT_EQ(pairs,
            (std::vector<std::pair<int, int>>{{100000, 1000}, {100001, 2000}, {100002, 1002}}));
  EXPECT_EQ(rcfGetNoInstances(rcfKeywordByNameNum(section, "Data", 2)), 3);
  EXPECT_EQ(rcfGetNoSections(section), 0);
  EXPECT_EQ(rcfGetErrorGlb(), 0);
}

TEST(RcfRead, TargetsSectionsAndKeywordsInterleaved) {
  Doc doc(
      LoadText("[A]\n"
               "  Top = 1\n"
               "  [S]\n    K = 'x'\n  EndSect\n"
               "  Top = 2\n"
               "  [T]\n  EndSect\n"
               "  [S]\n    K = 'y'\n    K = 'z'\n  EndSect\n"
               "EndTarget\n"
               "[B]\nEndTarget\n"
               "[A]\n  Other = 3\nEndTarget\n"));
  ASSERT_TRUE(doc) << rcfGetErrorDetailGlb();
  EXPECT_EQ(rcfGetNoTargets(doc.get()), 3);
  void* a1 = rcfTargetByNameNum(doc.get(), "A", 1);
  void* a2 = rcfTargetByNameNum(doc.get(), "A", 2);
  EXPECT_EQ(rcfTargetByNum(doc.get(), 3), a2);
  EXPECT_EQ(rcfGetNoInstances(a1), 2);
  EXPECT_EQ(rcfGetNoInstances(rcfTargetByNameNum(doc.get(), "B", 1)), 1);
  EXPECT_EQ(rcfGetNoSections(a1), 3);
  EXPECT_EQ(rcfGetNoKeywords(a1), 2);
  EXPECT_EQ(rcfGetInt(rcfParamByNum(rcfKeywordByNameNum(a1, "Top", 2), 1)), 2);
  void* s2 = rcfSectionByNameNum(a1, "S", 2);
  EXPECT_EQ(rcfSectionByNum(a1, 3), s2);
  EXPECT_EQ(rcfGetNoInstances(s2), 2);
  EXPECT_EQ(rcfGetNoInstances(rcfKeywordByNameNum(s2, "K", 1)), 2);
  CString k;
  EXPECT_TRUE(rcfGetParam(s2, "K", &k, 2, 1));
  EXPECT_STREQ(k.GetString(), "z");
  EXPECT_EQ(rcfKeywordByNameNum(a2, "Top", 1), nullptr);
}

TEST(RcfRead, QuotingCommentsAndBlanks) {
  Doc doc(
      LoadText("\xEF\xBB\xBF// a byte-order mark from a Windows editor is skipped\n"
               "[  T  ]   // blanks inside the brackets are trimmed\n"
               "\tPath = 'C:\\models\\run 1\\', \"it's\", 'say \"hi\"', 'don''t', \"x\"\"y\"\n"
               "\tUrl = 'http://host/a//b'   // the comment starts after the quote\n"
               "\tEmpty = '', \"\"\n"
               "\tNone =\n"
               "\tNoneWithComment =   // nothing\n"
               "\tTight=1,2.5,'t'\n"
               "EndTarget   // T\n"));
  ASSERT_TRUE(doc) << rcfGetErrorDetailGlb();
  void* t = rcfTargetByNameNum(doc.get(), "T", 1);
  ASSERT_NE(t, nullptr);
  void* path = rcfKeywordByNameNum(t, "Path", 1);
  ASSERT_EQ(rcfGetNoParams(path), 5);
  EXPECT_STREQ(rcfGetText(rcfParamByNum(path, 1)), "C:\\models\\run 1\\");
  EXPECT_STREQ(rcfGetText(rcfParamByNum(path, 2)), "it's");
  EXPECT_STREQ(rcfGetText(rcfParamByNum(path, 3)), "say \"hi\"");
  EXPECT_STREQ(rcfGetText(rcfParamByNum(path, 4)), "don't");
  EXPECT_STREQ(rcfGetText(rcfParamByNum(path, 5)), "x\"y");
  EXPECT_STREQ(rcfGetText(rcfParamByNum(rcfKeywordByNameNum(t, "Url", 1), 1)), "http://host/a//b");
  void* empty = rcfKeywordByNameNum(t, "Empty", 1);
  ASSERT_EQ(rcfGetNoParams(empty), 2);
  EXPECT_EQ(rcfGetParamType(rcfParamByNum(empty, 2)), RCF_PARAM_TEXT);
  EXPECT_EQ(rcfGetNoParams(rcfKeywordByNameNum(t, "None", 1)), 0);
  EXPECT_EQ(rcfGetNoParams(rcfKeywordByNameNum(t, "NoneWithComment", 1)), 0);
  void* tight = rcfKeywordByNameNum(t, "Tight", 1);
  EXPECT_EQ(rcfGetParamType(rcfParamByNum(tight, 1)), RCF_PARAM_INT);
  EXPECT_EQ(rcfGetParamType(rcfParamByNum(tight, 2)), RCF_PARAM_NUMBER);
  EXPECT_EQ(rcfGetParamType(rcfParamByNum(tight, 3)), RCF_PARAM_TEXT);
}

TEST(RcfRead, NumberForms) {
  Doc doc(
      LoadText("[N]\n"
               "  I = 41, -7, +3, 007, 2147483647, -2147483648\n"
               "  Big = 2147483648, 99999999999999999999\n"
               "  D = 1., .5, -2.5e-3, 1E10, 4.9406564584124654e-324, inf, -Infinity, NaN\n"
               "EndTarget\n"));
  ASSERT_TRUE(doc) << rcfGetErrorDetailGlb();
  void* t = rcfTargetByNum(doc.get(), 1);
  void* i = rcfKeywordByNameNum(t, "I", 1);
  const int ints[] = {41, -7, 3, 7, INT_MAX, INT_MIN};
  for (int n = 1; n <= 6; ++n) {
    EXPECT_EQ(rcfGetParamType(rcfParamByNum(i, n)), RCF_PARAM_INT) << n;
    EXPECT_EQ(rcfGetInt(rcfParamByNum(i, n)), ints[n - 1]) << n;
  }
  // Integers beyond 32 bits are numbers, kept as written.
  void* big = rcfKeywordByNameNum(t, "Big", 1);
  EXPECT_EQ(rcfGetParamType(rcfParamByNum(big, 1)), RCF_PARAM_NUMBER);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(big, 1)), 2147483648.0);
  EXPECT_STREQ(rcfGetText(rcfParamByNum(big, 2)), "99999999999999999999");
  void* d = rcfKeywordByNameNum(t, "D", 1);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(d, 1)), 1.0);
  EXPECT_EQ(rcfGetParamType(rcfParamByNum(d, 1)), RCF_PARAM_NUMBER);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(d, 2)), 0.5);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(d, 3)), -2.5e-3);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(d, 4)), 1e10);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(d, 5)), 4.9406564584124654e-324);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(d, 6)), HUGE_VAL);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(d, 7)), -HUGE_VAL);
  EXPECT_TRUE(std::isnan(rcfGetDouble(rcfParamByNum(d, 8))));
}

TEST(RcfRead, ConversionsBetweenKinds) {
  Doc doc(LoadText("[C]\n  V = 41, -3.7, 3.7, 1e300, -1e300, nan, 'text', '12'\nEndTarget\n"));
  ASSERT_TRUE(doc) << rcfGetErrorDetailGlb();
  void* t = rcfTargetByNum(doc.get(), 1);
  void* v = rcfKeywordByNameNum(t, "V", 1);
  auto p = [&](int n) { return rcfParamByNum(v, n); };
  EXPECT_EQ(rcfGetDouble(p(1)), 41.0);
  EXPECT_EQ(rcfGetInt(p(2)), -3);  // truncated toward zero
  EXPECT_EQ(rcfGetInt(p(3)), 3);
  EXPECT_EQ(rcfGetInt(p(4)), INT_MAX);
  EXPECT_EQ(rcfGetInt(p(5)), INT_MIN);
  EXPECT_EQ(rcfGetInt(p(6)), 0);
  EXPECT_EQ(rcfGetInt(p(7)), 0);
  EXPECT_EQ(rcfGetDouble(p(8)), 0.0);  // a quoted text is never a number

  CString s;
  EXPECT_TRUE(rcfGetParam(t, "V", &s, 1, 2));
  EXPECT_STREQ(s.GetString(), "-3.7");  // a number as text: as written
  double d = 5;
  int i = 5;
  EXPECT_FALSE(rcfGetParam(t, "V", &d, 1, 7));
  EXPECT_FALSE(rcfGetParam(t, "V", &i, 1, 8));
  EXPECT_EQ(d, 5);
  EXPECT_EQ(i, 5);
  EXPECT_TRUE(rcfGetParam(t, "V", &i, 1, 3));
  EXPECT_EQ(i, 3);
  EXPECT_FALSE(rcfGetParam(t, "V", &i, 2, 1));
  EXPECT_FALSE(rcfGetParam(t, "V", &i, 1, 9));
  EXPECT_FALSE(rcfGetParam(t, "Missing", &s, 1, 1));
}

TEST(RcfRead, WrongOrNullHandlesGiveNothing) {
  Doc doc(LoadText("[T]\n  K = 1\n  [S]\n    K = 2\n  EndSect\nEndTarget\n"));
  ASSERT_TRUE(doc);
  void* t = rcfTargetByNum(doc.get(), 1);
  void* s = rcfSectionByNum(t, 1);
  void* k = rcfKeywordByNum(t, 1);
  void* p = rcfParamByNum(k, 1);

  EXPECT_EQ(rcfTargetByNameNum(t, "T", 1), nullptr);   // a target is no document
  EXPECT_EQ(rcfSectionByNameNum(s, "S", 1), nullptr);  // sections do not nest
  EXPECT_EQ(rcfSectionByNameNum(doc.get(), "S", 1), nullptr);
  EXPECT_EQ(rcfKeywordByNameNum(k, "K", 1), nullptr);
  EXPECT_EQ(rcfGetNoParams(s), 0);
  EXPECT_EQ(rcfGetNoSections(s), 0);
  EXPECT_EQ(rcfGetNoInstances(p), 0);
  EXPECT_EQ(rcfGetNoInstances(doc.get()), 0);
  EXPECT_STREQ(rcfGetName(p), "");
  EXPECT_STREQ(rcfGetName(k), "K");
  EXPECT_EQ(rcfGetInt(k), 0);
  EXPECT_STREQ(rcfGetText(s), "");

  EXPECT_EQ(rcfTargetByNameNum(nullptr, "T", 1), nullptr);
  EXPECT_EQ(rcfTargetByNameNum(doc.get(), nullptr, 1), nullptr);
  EXPECT_EQ(rcfGetNoTargets(nullptr), 0);
  EXPECT_EQ(rcfKeywordByNameNum(nullptr, "K", 1), nullptr);
  EXPECT_EQ(rcfParamByNum(nullptr, 1), nullptr);
  EXPECT_EQ(rcfGetDouble(nullptr), 0.0);
  EXPECT_EQ(rcfGetParamType(nullptr), RCF_PARAM_NONE);
  EXPECT_STREQ(rcfGetName(nullptr), "");
  double d = 1;
  EXPECT_FALSE(rcfGetParam(nullptr, "K", &d, 1, 1));
  EXPECT_FALSE(rcfGetParam(t, "K", static_cast<double*>(nullptr), 1, 1));

  void* none = nullptr;
  rcfClose(&none);  // closing nothing is fine
  rcfClose(nullptr);
}

}  // namespace

namespace {

// The example in the developer documentation is a real, loadable file.
TEST(RcfRead, DocumentedExampleLoads) {
  const std::string doc =
      rcftest::ReadBytes(std::string(KORACORE_SOURCE_DIR) + "/docs/parameter-files.md");
  const size_t begin = doc.find("```\n");
  ASSERT_NE(begin, std::string::npos);
  const size_t end = doc.find("```\n", begin + 4);
  ASSERT_NE(end, std::string::npos);
  Doc example(LoadText(doc.substr(begin + 4, end - begin - 4)));
  ASSERT_TRUE(example) << rcfGetErrorDetailGlb();
  void* target = rcfTargetByNameNum(example.get(), "ELLIPSOID_DEFINITION", 1);
  EXPECT_EQ(rcfGetNoSections(target), 3);
  CString name;
  EXPECT_TRUE(
      rcfGetParam(rcfSectionByNameNum(target, "REF_ELLIPSOID", 2), "Ellipsoid_Name", &name));
  EXPECT_STREQ(name.GetString(), "Clarke '1880' (RGS), modified");
  void* data2 = rcfKeywordByNameNum(rcfTargetByNameNum(example.get(), "Item_Unit", 1), "Data", 2);
  EXPECT_EQ(rcfGetInt(rcfParamByNum(data2, 2)), 2000);
}

}  // namespace
