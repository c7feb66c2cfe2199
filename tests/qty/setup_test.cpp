// The loading entry points: the default location, KORA_HOME, language
// files, the user-unit file, the locale and the Windows-style path helpers.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <filesystem>
#include <string>

#include "qty_support.h"

namespace {

const std::string kHome = std::string(KORACORE_SOURCE_DIR) + "/tests/data/qty/home";

TEST(Setup, KoraHomeNamesTheDefaultTable) {
  qtytest::ScopedEnv home("KORA_HOME", "/opt/x");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(qtySetupLoad(nullptr), 0);
  // The documented place is the one named; the paths tried say why it failed.
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Document '/opt/x/bin/QTY.xml' not parsed successfully. \n"
            "The unit table QTY.xml was not found; looked for:\n"
            "/opt/x/bin/QTY.xml (KORA_HOME)\n"
            "/opt/x/share/koracore/QTY.xml (KORA_HOME)\n");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(qtySetupLoadLinux(""), 0);
  ::testing::internal::GetCapturedStderr();
  char folder[QTY_MAX_PATH];
  EXPECT_EQ(_fullpath(folder, "ignored", QTY_MAX_PATH), 0);
  EXPECT_STREQ(folder, "/opt/x/bin/");
  char dir[QTY_MAX_PATH] = "";
  EXPECT_EQ(_splitpath(nullptr, nullptr, dir, nullptr, nullptr), 0);
  EXPECT_STREQ(dir, "/opt/x/bin/");
  char path[QTY_MAX_PATH];
  EXPECT_EQ(_makepath(path, nullptr, dir, const_cast<char*>("QTY"), const_cast<char*>(".xml")), 0);
  EXPECT_STREQ(path, "/opt/x/bin/QTY.xml");
}

TEST(Setup, ALongKoraHomeIsNoHazard) {
  const std::string longHome = "/" + std::string(5000, 'k');
  qtytest::ScopedEnv home("KORA_HOME", longHome.c_str());
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(qtySetupLoad(nullptr), 0);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find(longHome + "/bin/QTY.xml"),
            std::string::npos);
  char small[16];
  EXPECT_EQ(_fullpath(small, nullptr, sizeof small), -1);  // cut, never overrun
  EXPECT_EQ(std::strlen(small), 15u);
  char folder[QTY_MAX_PATH];
  EXPECT_EQ(_fullpath(folder, nullptr, 0), -1);
  EXPECT_EQ(std::strlen(folder), QTY_MAX_PATH - 1u);
  EXPECT_EQ(_splitpath(nullptr, nullptr, folder, nullptr, nullptr), -1);
  EXPECT_EQ(_makepath(nullptr, nullptr, folder, nullptr, nullptr), -1);
}

std::string TableFolderNow() {
  char folder[QTY_MAX_PATH] = "";
  _fullpath(folder, nullptr, QTY_MAX_PATH);
  return folder;
}

// A set variable decides, file or not: KORACORE_DATA over KORA_HOME, and
// KORA_HOME's bin/ (the table's documented home) before the data folder of
// an installation under it; unset or empty variables leave the decision to
// the installation the library was loaded from.
TEST(Setup, TheTableFolderRule) {
  const std::string work = KORACORE_TEST_WORK_DIR;
  const std::string installed = work + "/prefix/share/koracore/";
  std::filesystem::create_directories(installed);
  std::fclose(std::fopen((installed + "QTY.xml").c_str(), "w"));
  {
    qtytest::ScopedEnv data("KORACORE_DATA", "/opt/d");
    qtytest::ScopedEnv home("KORA_HOME", "/opt/x");
    EXPECT_EQ(TableFolderNow(), "/opt/d/");
  }
  qtytest::ScopedEnv noData("KORACORE_DATA", "");
  {
    qtytest::ScopedEnv home("KORA_HOME", "/opt/x");
    EXPECT_EQ(TableFolderNow(), "/opt/x/bin/");
  }
  {
    qtytest::ScopedEnv home("KORA_HOME", (work + "/prefix").c_str());
    EXPECT_EQ(TableFolderNow(), installed);
  }
  qtytest::ScopedEnv home("KORA_HOME", "");
  const std::string folder = TableFolderNow();
  EXPECT_NE(folder, installed);
  EXPECT_EQ(folder.rfind(KORACORE_SOURCE_DIR "/data", 0), std::string::npos) << folder;
}

TEST(Setup, WithoutKoraHomeTheShippedTableIsFound) {
  qtytest::ScopedEnv home("KORA_HOME", nullptr);
  char folder[QTY_MAX_PATH];
  ASSERT_EQ(_fullpath(folder, nullptr, QTY_MAX_PATH), 0);
  EXPECT_EQ(qtySetupLoad(nullptr), 1);
  const char* path = nullptr;
  qtySetupGetPath(&path);
  EXPECT_EQ(std::string(path), std::string(folder) + "QTY.xml");
  EXPECT_EQ(qtySetupWrite(), 1);
  qtySetupUnload();
  qtyUnloadItemTypeTables();
  EXPECT_GT(qtyGetItemTypeCount(), 150);  // unloading removes nothing
}

TEST(Setup, LanguageFilesComeFromTheTableFolder) {
  {
    qtytest::ScopedEnv home("KORA_HOME", kHome.c_str());
    qtyLoadItemTypeTables(nullptr);
    const char* key = nullptr;
    ASSERT_EQ(qtyGetItemTypeKey(100000, &key), 1);
    EXPECT_STREQ(key, "Wasserstand");
    ASSERT_EQ(qtyGetUnitAbbreviation(1402, &key), 1);
    EXPECT_STREQ(key, "Std");
    ASSERT_EQ(qtyGetFilterKey(4, &key), 1);
    EXPECT_STREQ(key, "Meteorologie");
    int unit = 0;
    ASSERT_EQ(qtyGetItemUnitTag(100000, "Meter", &unit), 1);
    EXPECT_EQ(unit, 1000);
  }
  // Loading the table again brings its own names back.
  ASSERT_TRUE(qtytest::LoadShippedTable());
  const char* key = nullptr;
  ASSERT_EQ(qtyGetItemTypeKey(100000, &key), 1);
  EXPECT_STREQ(key, "Water Level");
  ASSERT_EQ(qtyGetUnitAbbreviation(1402, &key), 1);
  EXPECT_STREQ(key, "h");
}

TEST(Setup, AFailedLoadAppliesNoLanguageFiles) {
  ASSERT_TRUE(qtytest::LoadShippedTable());
  qtytest::ScopedEnv home("KORA_HOME", kHome.c_str());
  ::testing::internal::CaptureStderr();
  qtyLoadItemTypeTables("/no/such/table.xml");
  ::testing::internal::GetCapturedStderr();
  const char* key = nullptr;
  ASSERT_EQ(qtyGetItemTypeKey(100000, &key), 1);
  EXPECT_STREQ(key, "Water Level");
}

TEST(Setup, TheLocaleIsRestoredAfterSuccessAndFailure) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  const std::string german = std::setlocale(LC_NUMERIC, nullptr);
  EXPECT_EQ(qtySetupLoad(qtytest::ShippedTable().c_str()), 1);
  EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), german);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(qtySetupLoad("/no/such/table.xml"), 0);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), german);
  // Expressions handed in at run time read their numbers the same way.
  EXPECT_EQ(qtyUnitNew("qtyUtestGermanLocale", "x", "x", "Length*1.5"), 1);
  double factor = 0.0;
  int unit = 0;
  ASSERT_EQ(qtyGetUnitTagFromIdent("qtyUtestGermanLocale", &unit), 1);
  ASSERT_EQ(qtyUnitGetParameters(unit, &factor, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(factor, 1.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Setup, UserUnitFile) {
  ASSERT_TRUE(qtytest::LoadShippedTable());
  LoadUnitBaseGroupFile(
      (std::string(KORACORE_SOURCE_DIR) + "/tests/data/qty/user-units.rcf").c_str());
  int unit = 0;
  ASSERT_EQ(qtyGetItemUserUnit(100000, &unit), 1);
  EXPECT_EQ(unit, 1005);
  ASSERT_EQ(qtyGetItemUserUnit(100200, &unit), 1);
  EXPECT_EQ(unit, 2004);
  ASSERT_EQ(qtyGetItemUserUnit(100001, &unit), 1);
  EXPECT_EQ(unit, 1000);  // the pair of another dimension was passed over
  LoadUnitBaseGroupFile("");
  LoadUnitBaseGroupFile(nullptr);
  LoadUnitBaseGroupFile("/no/such/file.rcf");
  ASSERT_EQ(qtyGetItemUserUnit(100000, &unit), 1);
  EXPECT_EQ(unit, 1005);
  qtySetItemUserUnit(100000, 1000);
  qtySetItemUserUnit(100200, 2000);
}

}  // namespace
