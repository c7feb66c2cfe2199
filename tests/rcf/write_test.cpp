// Building documents, writing them, and reading them back unchanged.
#include "rcf_support.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstring>
#include <random>

using rcftest::Bits;
using rcftest::Describe;
using rcftest::Doc;
using rcftest::Fixture;
using rcftest::LoadText;
using rcftest::ReadBytes;
using rcftest::WorkFile;
using rcftest::WriteBytes;

namespace {

void* WriteAndReload(void* doc, const std::string& name) {
  const std::string path = WorkFile(name);
  EXPECT_EQ(rcfWrite(doc, path.c_str()), 0) << rcfGetErrorDetailGlb();
  void* back = rcfLoadFile(path.c_str(), 1);
  EXPECT_NE(back, nullptr) << rcfGetErrorDetailGlb() << "\n" << ReadBytes(path);
  return back;
}

TEST(RcfWrite, EllipsoidWriterProducesTheDocumentedText) {
  Doc doc(rcfCreate());
  ASSERT_TRUE(doc);
  ASSERT_NE(rcfAddTarget(doc.get(), "ELLIPSOID_DEFINITION"), nullptr);
  ASSERT_NE(rcfAddSection(doc.get(), "REF_ELLIPSOID"), nullptr);
  rcfPutParam(doc.get(), "Ellipsoid_Name", CString("My 'own' ellipsoid"));
  rcfPutParam(doc.get(), "ID_Code", "MY");
  rcfPutParam(doc.get(), "Semi_Major_Axis", 6378137.0);
  rcfPutParam(doc.get(), "Inverse_Flatness", 298.257223563);
  EXPECT_EQ(rcfEndSection(doc.get()), 0);
  void* data = rcfPutParam(doc.get(), "Data", 100000);
  EXPECT_EQ(rcfAppendParam(data, 1001), 0);
  EXPECT_EQ(rcfAppendParam(data, 0.1), 0);
  EXPECT_EQ(rcfAppendParam(data, "a, b"), 0);

  EXPECT_STREQ(rcfWriteText(doc.get()).GetString(),
               "[ELLIPSOID_DEFINITION]\n"
               "   [REF_ELLIPSOID]\n"
               "      Ellipsoid_Name = \"My 'own' ellipsoid\"\n"
               "      ID_Code = 'MY'\n"
               "      Semi_Major_Axis = 6378137.0\n"
               "      Inverse_Flatness = 298.257223563\n"
               "   EndSect  // REF_ELLIPSOID\n"
               "   Data = 100000, 1001, 0.1, 'a, b'\n"
               "EndTarget  // ELLIPSOID_DEFINITION\n");

  const std::string path = WorkFile("custom_ellipsoid.rcf");
  ASSERT_EQ(rcfWrite(doc.get(), path.c_str()), 0);
  EXPECT_EQ(rcfPeekErrorGlb(), 0);
  Doc back(rcfLoadFile(path.c_str(), 1));
  ASSERT_TRUE(back);
  EXPECT_EQ(Describe(back.get()), Describe(doc.get()));
}

TEST(RcfWrite, BuildingOrderAndErrors) {
  Doc doc(rcfCreate());
  EXPECT_EQ(rcfPutParam(doc.get(), "K", 1), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_NO_TARGET);
  EXPECT_EQ(rcfAddSection(doc.get(), "S"), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_NO_TARGET);
  EXPECT_EQ(rcfEndSection(doc.get()), RCF_ERR_NO_SECTION);
  EXPECT_EQ(rcfWrite(doc.get(), WorkFile("nothing.rcf").c_str()), RCF_ERR_EMPTY);
  EXPECT_NE(access(WorkFile("nothing.rcf").c_str(), F_OK), 0);

  void* t = rcfAddTarget(doc.get(), "T");
  rcfPutParam(doc.get(), "InTarget", 1);
  void* s1 = rcfAddSection(doc.get(), "S");
  rcfPutParam(doc.get(), "InS1", 1);
  void* s2 = rcfAddSection(doc.get(), "S");  // ends s1: sections do not nest
  rcfPutParam(doc.get(), "InS2", 1);
  EXPECT_EQ(rcfEndSection(doc.get()), 0);
  rcfPutParam(doc.get(), "InTargetAgain", 1);
  EXPECT_EQ(rcfGetNoKeywords(t), 2);
  EXPECT_NE(rcfKeywordByNameNum(s1, "InS1", 1), nullptr);
  EXPECT_NE(rcfKeywordByNameNum(s2, "InS2", 1), nullptr);
  EXPECT_EQ(rcfGetNoInstances(s2), 2);
  void* empty = rcfAddKeyword(doc.get(), "NoParams");
  EXPECT_EQ(rcfGetNoParams(empty), 0);

  EXPECT_EQ(rcfPutParam(doc.get(), "bad name", 1), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_BAD_NAME);
  EXPECT_EQ(rcfAddTarget(doc.get(), ""), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_BAD_NAME);
  EXPECT_EQ(rcfAddSection(doc.get(), nullptr), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_ARGUMENT);
  EXPECT_EQ(rcfPutParam(doc.get(), "K", "two\nlines"), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_UNWRITABLE_TEXT);
  CString withNul;
  withNul.SetString("a\0b", 3);
  EXPECT_EQ(rcfPutParam(doc.get(), "K", withNul), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_UNWRITABLE_TEXT);
  EXPECT_EQ(rcfPutParam(doc.get(), "K", static_cast<const char*>(nullptr)), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_ARGUMENT);
  EXPECT_EQ(rcfAppendParam(empty, "tab\tis fine"), 0);
  EXPECT_EQ(rcfAppendParam(empty, "\r"), RCF_ERR_UNWRITABLE_TEXT);
  EXPECT_EQ(rcfAppendParam(t, 1), RCF_ERR_ARGUMENT);
  EXPECT_EQ(rcfGetNoKeywords(t), 3);  // refused keywords were not added

  EXPECT_EQ(rcfAddTarget(t, "X"), nullptr);  // a target is no document
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_ARGUMENT);
  EXPECT_EQ(rcfWrite(t, WorkFile("x.rcf").c_str()), RCF_ERR_ARGUMENT);
  EXPECT_EQ(rcfWrite(doc.get(), ""), RCF_ERR_ARGUMENT);
  EXPECT_TRUE(rcfWriteText(nullptr).IsEmpty());

  Doc back(WriteAndReload(doc.get(), "building.rcf"));
  EXPECT_EQ(Describe(back.get()), Describe(doc.get()));
}

// Callers keep their key texts as std::string or CString; both go in directly.
TEST(RcfWrite, NamesAndTextsOfEveryStringType) {
  const std::string target = "MAP_PROJECTION_DEFINITION";
  const std::string section = "UTM_PROJECTION";
  const CString key("Projection_Name");
  const std::string path = WorkFile("string_types.rcf");
  Doc doc(rcfCreate());
  rcfAddTarget(doc.get(), target);
  rcfAddSection(doc.get(), section);
  rcfPutParam(doc.get(), key, std::string("UTM 32, \"north\""));
  rcfAppendParam(rcfAddKeyword(doc.get(), std::string("Branch_Name")), std::string("ED50"));
  rcfEndSection(doc.get());
  ASSERT_EQ(rcfWrite(doc.get(), path), 0);

  Doc back(rcfLoadFile(path, 1));
  ASSERT_TRUE(back);
  void* s =
      rcfSectionByNameNum(rcfTargetByNameNum(back.get(), target, 1), CString("UTM_PROJECTION"), 1);
  std::string name, branch;
  EXPECT_TRUE(rcfGetParam(s, key, &name, 1, 1));
  EXPECT_TRUE(rcfGetParam(s, std::string("Branch_Name"), &branch));
  EXPECT_EQ(name, "UTM 32, \"north\"");
  EXPECT_EQ(branch, "ED50");
  EXPECT_EQ(rcfKeywordByNameNum(s, static_cast<const char*>(nullptr), 1), nullptr);
}

TEST(RcfWrite, RoundTripKeepsEverything) {
  Doc doc(rcfCreate());
  const char* texts[] = {"",           " lead and trail ", "comma, inside",    "it's",
                         "say \"hi\"", "'\"'\"",           "// not a comment", "C:\\path\\",
                         "[T]",        "EndSect",          "tab\there",        "\xc3\xa9t\xc3\xa9"};
  const double numbers[] = {0.0,
                            -0.0,
                            0.1,
                            1.0 / 3.0,
                            41.0,
                            -1e-300,
                            4.9406564584124654e-324,
                            2.2250738585072014e-308,
                            1.7976931348623157e308,
                            1e21,
                            123456789012345678.0,
                            HUGE_VAL,
                            -HUGE_VAL};
  const int ints[] = {0, 1, -1, INT_MAX, INT_MIN, 41};
  for (int copy = 0; copy < 2; ++copy) {
    rcfAddTarget(doc.get(), "KINDS");
    void* top = rcfAddKeyword(doc.get(), "Mixed");
    for (const char* t : texts) rcfAppendParam(top, t);
    for (double d : numbers) rcfAppendParam(top, d);
    for (int i : ints) rcfAppendParam(top, i);
    for (int s = 0; s < 3; ++s) {
      rcfAddSection(doc.get(), s == 1 ? "OTHER" : "SAME");
      for (const char* t : texts) rcfPutParam(doc.get(), "Text", t);
      for (double d : numbers) rcfPutParam(doc.get(), "Number", d);
      for (int i : ints) rcfPutParam(doc.get(), "Int", i);
      rcfEndSection(doc.get());
    }
  }
  rcfAddTarget(doc.get(), "EMPTY");
  rcfAddTarget(doc.get(), "ONLY_SECTIONS");
  rcfAddSection(doc.get(), "E");

  Doc back(WriteAndReload(doc.get(), "kinds.rcf"));
  ASSERT_TRUE(back);
  const std::string expected = Describe(doc.get());
  EXPECT_EQ(Describe(back.get()), expected);
  // The text written from the reloaded document is the same again.
  EXPECT_STREQ(rcfWriteText(back.get()).GetString(), ReadBytes(WorkFile("kinds.rcf")).c_str());
  EXPECT_EQ(rcfGetNoInstances(rcfTargetByNameNum(back.get(), "KINDS", 2)), 2);
  EXPECT_EQ(rcfGetNoInstances(rcfSectionByNameNum(rcfTargetByNum(back.get(), 1), "SAME", 2)), 2);
}

TEST(RcfWrite, EveryDoubleReadsBackBitIdentical) {
  std::mt19937_64 random(42);
  Doc doc(rcfCreate());
  rcfAddTarget(doc.get(), "BITS");
  std::vector<double> values;
  while (values.size() < 20000) {
    const unsigned long long u = random();
    double v;
    std::memcpy(&v, &u, sizeof v);
    if (std::isnan(v)) continue;  // NaN reads back as NaN, not as the same bits
    values.push_back(v);
  }
  void* k = rcfAddKeyword(doc.get(), "V");
  for (size_t i = 0; i < values.size(); ++i) {
    if (i % 1000 == 0) k = rcfAddKeyword(doc.get(), "V");  // keeps the lines moderate
    rcfAppendParam(k, values[i]);
  }
  Doc back(WriteAndReload(doc.get(), "bits.rcf"));
  ASSERT_TRUE(back);
  void* target = rcfTargetByNum(back.get(), 1);
  size_t n = 0;
  for (int kw = 2; kw <= rcfGetNoKeywords(target); ++kw) {
    void* key = rcfKeywordByNum(target, kw);
    for (int p = 1; p <= rcfGetNoParams(key); ++p, ++n) {
      ASSERT_LT(n, values.size());
      ASSERT_EQ(rcfGetParamType(rcfParamByNum(key, p)), RCF_PARAM_NUMBER);
      ASSERT_EQ(Bits(rcfGetDouble(rcfParamByNum(key, p))), Bits(values[n])) << n;
    }
  }
  EXPECT_EQ(n, values.size());
}

// Sets a locale with a decimal comma for the length of a test.
class DecimalCommaLocale {
 public:
  DecimalCommaLocale() {
    const char* old = std::setlocale(LC_ALL, nullptr);
    saved_ = old ? old : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
      if (std::setlocale(LC_ALL, name)) {
        active_ = true;
        break;
      }
    }
  }
  ~DecimalCommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
  bool active() const { return active_; }

 private:
  std::string saved_;
  bool active_ = false;
};

TEST(RcfWrite, NumbersIgnoreTheProcessLocale) {
  DecimalCommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 2.5);
  ASSERT_STREQ(probe, "2,5");  // the locale really uses a decimal comma

  Doc doc(rcfCreate());
  rcfAddTarget(doc.get(), "T");
  rcfPutParam(doc.get(), "Pi", 3.141592653589793);
  rcfPutParam(doc.get(), "Big", 1.5e300);
  const CString text = rcfWriteText(doc.get());
  EXPECT_NE(std::strstr(text.GetString(), "Pi = 3.141592653589793\n"), nullptr) << text.GetString();
  EXPECT_NE(std::strstr(text.GetString(), "Big = 1.5e+300\n"), nullptr) << text.GetString();

  Doc back(LoadText("[T]\n  Pi = 3.141592653589793, 2.5e-3\nEndTarget\n"));
  ASSERT_TRUE(back) << rcfGetErrorDetailGlb();
  void* pi = rcfKeywordByNameNum(rcfTargetByNum(back.get(), 1), "Pi", 1);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(pi, 1)), 3.141592653589793);
  EXPECT_EQ(rcfGetDouble(rcfParamByNum(pi, 2)), 2.5e-3);
}

TEST(RcfWrite, LoadedFilesWriteBackUnchanged) {
  for (const char* name : {"ellipsoid.rcf", "projections_crlf.rcf", "user_units.rcf"}) {
    Doc doc(rcfLoadFile(Fixture(name).c_str(), 1));
    ASSERT_TRUE(doc) << name << ": " << rcfGetErrorDetailGlb();
    Doc back(WriteAndReload(doc.get(), std::string("copy_") + name));
    ASSERT_TRUE(back);
    EXPECT_EQ(Describe(back.get()), Describe(doc.get())) << name;
    // Numbers are written as they were read, so hand formatting survives.
    CString axis;
    rcfGetParam(rcfSectionByNum(rcfTargetByNum(back.get(), 1), 1), "Semi_Major_Axis", &axis);
    if (std::string(name) == "ellipsoid.rcf") {
      EXPECT_STREQ(axis.GetString(), "6378137.0");
    }
  }
}

TEST(RcfWrite, LongKeywordsStayWithinTheLineLimit) {
  // Read from a line without blanks, written back in the same compact form.
  std::string values;
  for (int i = 0; i < RCF_MAX_LINE_LENGTH / 2 - 10; ++i) values += i ? ",1" : "1";
  Doc doc(LoadText("[T]\nK=" + values + "\nEndTarget\n"));
  ASSERT_TRUE(doc) << rcfGetErrorDetailGlb();
  Doc back(WriteAndReload(doc.get(), "long.rcf"));
  ASSERT_TRUE(back);
  EXPECT_EQ(Describe(back.get()), Describe(doc.get()));

  // Built beyond any line: refused as a whole, and nothing is written.
  Doc built(rcfCreate());
  rcfAddTarget(built.get(), "T");
  rcfPutParam(built.get(), "K", std::string(RCF_MAX_LINE_LENGTH, 'x').c_str());
  const std::string path = WorkFile("too_long.rcf");
  EXPECT_EQ(rcfWrite(built.get(), path.c_str()), RCF_ERR_LINE_TOO_LONG);
  EXPECT_NE(std::string(rcfGetErrorDetailGlb()).find("'K'"), std::string::npos)
      << rcfGetErrorDetailGlb();
  EXPECT_NE(access(path.c_str(), F_OK), 0);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d))
      if (std::strcmp(e->d_name, ".") && std::strcmp(e->d_name, ".."))
        names.emplace_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(RcfWrite, FailedWritesLeaveTheOldFile) {
  const std::string folder = WorkFile("atomic");
  mkdir(folder.c_str(), 0755);
  const std::string path = folder + "/custom.rcf";
  WriteBytes(path, "[OLD]\nEndTarget\n");
  chmod(path.c_str(), 0640);

  Doc empty(rcfCreate());
  EXPECT_EQ(rcfWrite(empty.get(), path.c_str()), RCF_ERR_EMPTY);
  EXPECT_EQ(ReadBytes(path), "[OLD]\nEndTarget\n");

  // A folder in place of the file: the rename fails, the temporary is removed.
  Doc doc(rcfCreate());
  rcfAddTarget(doc.get(), "NEW");
  const std::string blocker = folder + "/blocker.rcf";
  mkdir(blocker.c_str(), 0755);
  EXPECT_EQ(rcfWrite(doc.get(), blocker.c_str()), RCF_ERR_WRITE);
  EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"blocker.rcf", "custom.rcf"}));
  rmdir(blocker.c_str());

  EXPECT_EQ(rcfWrite(doc.get(), (folder + "/no/such/folder/x.rcf").c_str()), RCF_ERR_WRITE);
  EXPECT_NE(std::string(rcfGetErrorDetailGlb()).find("no/such/folder"), std::string::npos);

  // A new file gets the permissions fopen would give it.
  const mode_t oldMask = umask(027);
  const std::string fresh = folder + "/fresh.rcf";
  EXPECT_EQ(rcfWrite(doc.get(), fresh.c_str()), 0);
  umask(oldMask);
  struct stat st;
  ASSERT_EQ(stat(fresh.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  unlink(fresh.c_str());

  // A good write replaces the file and keeps its permissions.
  EXPECT_EQ(rcfWrite(doc.get(), path.c_str()), 0);
  EXPECT_EQ(ReadBytes(path), "[NEW]\nEndTarget  // NEW\n");
  chmod(path.c_str(), 0604);
  EXPECT_EQ(rcfWrite(doc.get(), path.c_str()), 0);
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0604u);
  EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"custom.rcf"}));

  // Through a symbolic link, the linked file is replaced and the link stays.
  const std::string link = folder + "/link.rcf";
  ASSERT_EQ(symlink("custom.rcf", link.c_str()), 0);
  Doc other(rcfCreate());
  rcfAddTarget(other.get(), "VIA_LINK");
  EXPECT_EQ(rcfWrite(other.get(), link.c_str()), 0);
  struct stat lst;
  ASSERT_EQ(lstat(link.c_str(), &lst), 0);
  EXPECT_TRUE(S_ISLNK(lst.st_mode));
  EXPECT_EQ(ReadBytes(path), "[VIA_LINK]\nEndTarget  // VIA_LINK\n");
  unlink(link.c_str());
  unlink(path.c_str());
  rmdir(folder.c_str());
}

}  // namespace
