// The definitions database as a host sees it: set-up from directories,
// enumeration order, and custom definitions that survive the process.
// Steps that need a database of their own run in a child process: this
// test program started again on one disabled test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FacadeTestSupport.h"
#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/facade/CKvMapProjection.h"

namespace {

constexpr char kStandardEnv[] = "KVCART_TEST_STANDARD_DIR";
constexpr char kCustomEnv[] = "KVCART_TEST_CUSTOM_DIR";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Runs one disabled test of this program in a new process with the two
// directories; true when it passed.
bool RunStep(const std::string& step, const std::string& standardDir,
             const std::string& customDir) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string command = std::string(kStandardEnv) + "='" + standardDir + "' " + kCustomEnv +
                              "='" + customDir + "' '" + self +
                              "' --gtest_also_run_disabled_tests --gtest_filter='" + step +
                              "' > '" + customDir + step + ".log' 2>&1";
  return std::system(command.c_str()) == 0;
}

std::string MakeDir(const std::string& name) {
  const std::string dir = std::string(KORACORE_TEST_WORK_DIR) + "/" + name + "/";
  std::filesystem::create_directories(dir);
  return dir;
}

std::vector<std::string> Names() {
  std::vector<std::string> names;
  const CKvMapProjectionList& list = CKvCartSetup::Instance().GetMapProjectionList();
  for (auto it = list.GetIteratorBegin(); it != list.GetIteratorEnd(); ++it) {
    names.push_back((*it)->GetName());
  }
  return names;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

// --- Child steps (run only through RunStep) -----------------------------------

TEST(DISABLED_DatabaseStep, EmptyDirectories) {
  ASSERT_EQ(CARTSETUPLINUX(Env(kStandardEnv).c_str(), Env(kCustomEnv).c_str()), 0);
  const std::vector<std::string> names = Names();
  ASSERT_EQ(names.size(), 62u);
  EXPECT_EQ(names.front(), "LONG/LAT");
  for (int zone = 1; zone <= 60; ++zone) EXPECT_EQ(names[zone], "UTM-" + std::to_string(zone));
  EXPECT_EQ(names.back(), "NON-UTM");
  EXPECT_EQ(CKvCartSetup::Instance().GetEllipsoidList().GetEllipsoid("WE"), nullptr);
}

TEST(DISABLED_DatabaseStep, AddCustom) {
  ASSERT_EQ(CARTSETUPLINUX(Env(kStandardEnv).c_str(), Env(kCustomEnv).c_str()), 0);
  const double params[5] = {0.9999, 12.5, 1.0, 200000.0, -100.0};
  CKvMapProjection::AddMapProjection(CKvMapProjData::CreateProjection(
      CKvMapProjData::eTransverseMercator, "My grid", "Mine", "ZZ", params));
  CKvMapProjection::AddEllipsoid(new CKvEllipsoid("My sphere", "ZZ", 6400000.0, 0.0));
  // Still usable in this process: the new grid on the new ellipsoid.
  CKvMapProjection grid("My grid");
  ASSERT_NE(grid.GetProjection(), nullptr);
}

TEST(DISABLED_DatabaseStep, FindCustom) {
  ASSERT_EQ(CARTSETUPLINUX(Env(kStandardEnv).c_str(), Env(kCustomEnv).c_str()), 0);
  const CKvEllipsoid* sphere = CKvMapProjection::EllipsoidFromID("ZZ");
  ASSERT_NE(sphere, nullptr);
  EXPECT_EQ(*sphere, CKvEllipsoid("My sphere", "ZZ", 6400000.0, 0.0));
  const CKvMapProjData* grid =
      CKvCartSetup::Instance().GetMapProjectionList().GetMapProjection("My grid");
  ASSERT_NE(grid, nullptr);
  EXPECT_TRUE(grid->CanEdit());
  std::string label;
  double value = 0.0;
  CKvMapProjData::EParamType type;
  ASSERT_TRUE(grid->GetParameter(1, label, value, type));
  EXPECT_EQ(value, 12.5);
  EXPECT_EQ(Names().back(), "NON-UTM");  // custom entries come before the local grid
  // Nothing changed in this process: the files stay as they are.
}

TEST(DISABLED_DatabaseStep, ShippedFolder) {
  ASSERT_EQ(CARTSETUPLINUX("", Env(kCustomEnv).c_str()), 0);
  EXPECT_NE(CKvMapProjection::EllipsoidFromID("WE"), nullptr);
  EXPECT_NE(
      CKvCartSetup::Instance().GetMapProjectionList().GetMapProjection("NAD83 / Alabama East"),
      nullptr);
}

TEST(DISABLED_DatabaseStep, NoShippedFolder) {
  ASSERT_EQ(CARTSETUPLINUX("", Env(kCustomEnv).c_str()), 0);
  EXPECT_EQ(Names().size(), 62u);
}

// --- Tests -----------------------------------------------------------------------

// An empty standard folder is the shipped one, wherever the data search
// finds it, never the current folder; when it is missing, the places looked
// are named.
TEST(DefinitionsDatabase, EmptyStandardFolderIsTheShippedOne) {
  const std::string custom = MakeDir("shipped");
  ASSERT_EQ(setenv("KORACORE_DATA", kvtest::DataDir().c_str(), 1), 0);
  const bool found = RunStep("DISABLED_DatabaseStep.ShippedFolder", "", custom);
  // No data where KORACORE_DATA points; the step runs in a folder whose
  // decoy ellipsoid file must not be read instead.
  const std::string empty = MakeDir("no-data"), cwd = MakeDir("no-data/cwd");
  setenv("KORACORE_DATA", empty.c_str(), 1);
  std::ofstream(cwd + "ellipsoid.rcf") << "not a parameter file\n";
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(cwd);
  const bool missing = RunStep("DISABLED_DatabaseStep.NoShippedFolder", "", custom);
  std::filesystem::current_path(here);
  unsetenv("KORACORE_DATA");
  EXPECT_TRUE(found) << ReadFile(custom + "DISABLED_DatabaseStep.ShippedFolder.log");
  const std::string log = ReadFile(custom + "DISABLED_DatabaseStep.NoShippedFolder.log");
  EXPECT_TRUE(missing) << log;
  EXPECT_NE(log.find("The projection definitions were not found; looked for:\n" + empty +
                     "ellipsoid.rcf (KORACORE_DATA)\n"),
            std::string::npos)
      << log;
}

// A custom file the user broke by hand is not read, and then it must not
// be replaced either: writing back only what this process added would
// silently lose every definition the user had in it.
TEST(DefinitionsDatabase, UnreadableCustomFilesAreNotOverwritten) {
  const std::string custom = MakeDir("broken");
  const std::string broken = "[MAP_PROJECTION_DEFINITIONS]\n   [TRANSVERSE_MERCATOR\n";
  std::ofstream(custom + "custom_projection.rcf") << broken;
  std::ofstream(custom + "custom_ellipsoid.rcf") << broken;
  EXPECT_TRUE(RunStep("DISABLED_DatabaseStep.AddCustom", kvtest::DataDir(), custom))
      << ReadFile(custom + "DISABLED_DatabaseStep.AddCustom.log");
  EXPECT_EQ(ReadFile(custom + "custom_projection.rcf"), broken);
  EXPECT_EQ(ReadFile(custom + "custom_ellipsoid.rcf"), broken);
}

TEST(DefinitionsDatabase, EmptyDirectoriesGiveTheSixtyTwoGeneratedEntries) {
  const std::string empty = MakeDir("empty");
  EXPECT_TRUE(RunStep("DISABLED_DatabaseStep.EmptyDirectories", empty, empty))
      << ReadFile(empty + "DISABLED_DatabaseStep.EmptyDirectories.log");
}

TEST(DefinitionsDatabase, CustomDefinitionsAreWrittenAtExitAndReadByTheNextProcess) {
  const std::string custom = MakeDir("custom");
  ASSERT_TRUE(RunStep("DISABLED_DatabaseStep.AddCustom", kvtest::DataDir(), custom))
      << ReadFile(custom + "DISABLED_DatabaseStep.AddCustom.log");
  ASSERT_TRUE(std::filesystem::exists(custom + "custom_projection.rcf"));
  ASSERT_TRUE(std::filesystem::exists(custom + "custom_ellipsoid.rcf"));
  const auto written = std::filesystem::last_write_time(custom + "custom_projection.rcf");
  // Only the user's definitions go to the custom file, none of the shipped ones.
  const std::string text = ReadFile(custom + "custom_projection.rcf");
  EXPECT_NE(text.find("My grid"), std::string::npos);
  EXPECT_EQ(text.find("UTM-32"), std::string::npos);
  EXPECT_TRUE(RunStep("DISABLED_DatabaseStep.FindCustom", kvtest::DataDir(), custom))
      << ReadFile(custom + "DISABLED_DatabaseStep.FindCustom.log");
  EXPECT_EQ(std::filesystem::last_write_time(custom + "custom_projection.rcf"), written);
}

TEST(DefinitionsDatabase, ShippedDataHoldsWgs84AndTheGeneratedEntries) {
  kvtest::EnsureDatabase();
  const CKvEllipsoid* wgs84 = CKvMapProjection::EllipsoidFromID("WE");
  ASSERT_NE(wgs84, nullptr);
  EXPECT_EQ(wgs84->GetMajor(), 6378137.0);
  EXPECT_EQ(CKvMapProjection::Ellipsoid("UTM-32"), wgs84);
  EXPECT_EQ(CKvMapProjection::Ellipsoid("NON-UTM"), nullptr);
  EXPECT_EQ(CKvMapProjection::EllipsoidFromID(""), nullptr);
  const std::vector<std::string> names = Names();
  ASSERT_GE(names.size(), 62u);
  EXPECT_EQ(names[0], "LONG/LAT");
  EXPECT_EQ(names[32], "UTM-32");
  EXPECT_EQ(names.back(), "NON-UTM");
}

TEST(DefinitionsDatabase, LookUpByNameFindsTheDefinitionOfItsWellKnownText) {
  kvtest::EnsureDatabase();
  const CKvMapProjection utm("UTM-32");
  const CKvMapProjectionList& list = CKvCartSetup::Instance().GetMapProjectionList();
  const CKvMapProjData* byName = list.GetMapProjection("UTM-32");
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(list.GetMapProjection(utm.GetProjectionString()), byName);
  EXPECT_EQ(list.GetMapProjection("utm-32"), nullptr);  // case-sensitive
  EXPECT_EQ(list.GetMapProjection(" NON-UTM "), list.GetMapProjection("NON-UTM"));
}

TEST(DefinitionsDatabase, EnumerationsListEveryEntryOnce) {
  kvtest::EnsureDatabase();
  long count = -1;
  const std::string words = CKvMapProjection::EnumMapProjections(12, &count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(words, "LONG/LAT;NON-UTM;");
  const std::string projected = CKvMapProjection::EnumMapProjections(1, &count);
  EXPECT_GE(count, 60);
  EXPECT_EQ(projected.find("NON-UTM"), std::string::npos);
  EXPECT_EQ(projected.rfind("PROJCS[\"UTM-1\"", 0), 0u);
  long ellipsoids = 0;
  CKvMapProjection::EnumEllipsoids(0, &ellipsoids);
  long standard = 0;
  const std::string names = CKvMapProjection::EnumEllipsoids(1, &standard);
  EXPECT_EQ(standard, ellipsoids);  // no custom ellipsoids in this process
  EXPECT_NE(names.find("WGS 84;"), std::string::npos);
}

TEST(DefinitionsDatabase, ReadingAFileSkipsUnknownSectionsAndMarksCustomRecords) {
  const std::string path = MakeDir("read") + "map.rcf";
  std::ofstream(path) << "[MAP_PROJECTION_DEFINITION]\n"
                         "   [NO_SUCH_PROJECTION]\n      Projection_Name = 'Ghost'\n   EndSect\n"
                         "   [UTM_PROJECTION]\n      Projection_Name = 'Grid'\n"
                         "      Ellipsoid = 'WE'\n      Scale_Reduction = 2500.0\n"
                         "      Centre_dms = -3, 30, 0\n      Feast_ft_us = 1000000.0\n"
                         "   EndSect\n"
                         "EndTarget\n";
  CKvMapProjectionList standard, custom;
  EXPECT_EQ(standard.ReadMapProjections(path, false), 0);
  EXPECT_EQ(custom.ReadMapProjections(path, true), 0);
  ASSERT_EQ(standard.GetCount(), 1u);
  const CKvMapProjData* grid = *standard.GetIteratorBegin();
  EXPECT_EQ(grid->GetName(), "Grid");
  EXPECT_FALSE(grid->CanEdit());
  EXPECT_FALSE(grid->CanDelete());
  EXPECT_TRUE((*custom.GetIteratorBegin())->CanEdit());
  std::string label;
  double value = 0.0;
  CKvMapProjData::EParamType type;
  grid->GetParameter(0, label, value, type);
  EXPECT_DOUBLE_EQ(value, 0.9996);
  grid->GetParameter(1, label, value, type);
  EXPECT_EQ(value, -3.5);
  grid->GetParameter(3, label, value, type);
  EXPECT_DOUBLE_EQ(value, 304800.60960121924);

  // Only the custom record goes back to a file, in the plain keywords.
  const std::string written = MakeDir("write") + "custom_projection.rcf";
  EXPECT_EQ(standard.WriteCustomMapProjections(written), 0);
  EXPECT_EQ(ReadFile(written).find("Grid"), std::string::npos);
  EXPECT_EQ(custom.WriteCustomMapProjections(written), 0);
  const std::string text = ReadFile(written);
  EXPECT_NE(text.find("Scale = 0.9996"), std::string::npos) << text;
  EXPECT_EQ(text.find("Scale_Reduction"), std::string::npos);

  // A missing or broken file adds nothing and reports the parameter-file status.
  EXPECT_NE(standard.ReadMapProjections(path + ".missing", false), 0);
  const std::string broken = MakeDir("broken") + "map.rcf";
  std::ofstream(broken) << "[MAP_PROJECTION_DEFINITION]\n   [UTM_PROJECTION]\n";
  EXPECT_NE(standard.ReadMapProjections(broken, false), 0);
  EXPECT_EQ(standard.GetCount(), 1u);
}
