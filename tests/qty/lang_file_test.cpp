// Language files: reading, and replacing the names of a registry.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <string>

#include "qty/CKVLangFile.h"
#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/CTableLoader.h"
#include "qty/LanguageFiles.h"

namespace {

const std::string kHome = std::string(KORACORE_SOURCE_DIR) + "/tests/data/qty/home/bin/";

std::string WriteTemp(const char* name, const std::string& text) {
  const std::string path = std::string(KORACORE_TEST_WORK_DIR) + "/" + name;
  std::ofstream(path) << text;
  return path;
}

TEST(LangFile, TypeEntries) {
  CKVLangFile file;
  ASSERT_TRUE(file.OpenLangTypeFile((kHome + "qtytype.lan").c_str()));
  EXPECT_EQ(file.LoadTypeString(100000), "Wasserstand");  // text after the quote ignored
  EXPECT_EQ(file.LoadTypeString(100001), "Wassertiefe");  // 0x186a1
  EXPECT_EQ(file.LoadTypeString(100200), "Durchfluss");   // the later entry wins
  EXPECT_EQ(file.LoadTypeString(100300), "");             // after END
  EXPECT_EQ(file.LoadTypeString(42), "");
  EXPECT_TRUE(file.CloseLangTypeFile());
  EXPECT_TRUE(file.CloseLangTypeFile());
}

TEST(LangFile, SmallEntriesAndOctal) {
  CKVLangFile file;
  const std::string path =
      WriteTemp("small.lan", "h1\nh2\n12 \"Water level\"\n0x10 \"X\"\n010 \"eight\"\nEND\n");
  ASSERT_TRUE(file.OpenLangTypeFile(path.c_str()));
  EXPECT_EQ(file.LoadTypeString(12), "Water level");
  EXPECT_EQ(file.LoadTypeString(16), "X");
  EXPECT_EQ(file.LoadTypeString(8), "eight");
}

// An id no int holds is not an entry; read into an int it would wrap round
// to another id (2^32 + 12 to 12) and rename that one.
TEST(LangFile, IdsBeyondIntAreNoEntries) {
  CKVLangFile file;
  const std::string types =
      WriteTemp("wide-ids.lan",
                "h1\nh2\n12 \"Water level\"\n4294967308 \"wrapped\"\n0x10000000c \"hex\"\n"
                "99999999999999999999 \"huge\"\n-2147483648 \"lowest\"\nEND\n");
  ASSERT_TRUE(file.OpenLangTypeFile(types.c_str()));
  EXPECT_EQ(file.LoadTypeString(12), "Water level");
  EXPECT_EQ(file.LoadTypeString(INT_MIN), "lowest");
  const std::string units =
      WriteTemp("wide-unit-ids.lan", "h1\nh2\n1400 \"second\"\n4294968696 \"s\"\n");
  ASSERT_TRUE(file.OpenLangUnitFile(units.c_str()));
  EXPECT_EQ(file.LoadUnitString(1400, 1), "");  // half a pair is no pair
}

TEST(LangFile, UnitPairs) {
  CKVLangFile file;
  ASSERT_TRUE(file.OpenLangUnitFile((kHome + "qtyunit.lan").c_str()));
  EXPECT_EQ(file.LoadUnitString(1000, 1), "Meter");
  EXPECT_EQ(file.LoadUnitString(1000, 2), "m");
  EXPECT_EQ(file.LoadUnitString(1402, 1), "Stunde");
  EXPECT_EQ(file.LoadUnitString(1402, 0), "Std");
  EXPECT_EQ(file.LoadUnitString(1005, 1), "");
  const std::string path = WriteTemp("units.lan", "h1\nh2\n1400 \"meter\"\n1400 \"m\"\n");
  ASSERT_TRUE(file.OpenLangUnitFile(path.c_str()));
  EXPECT_EQ(file.LoadUnitString(1400, 1), "meter");
  EXPECT_EQ(file.LoadUnitString(1400, 2), "m");
  EXPECT_EQ(file.SetUnitMap(), 1);
}

TEST(LangFile, ShortMissingAndOverlongFiles) {
  CKVLangFile file;
  EXPECT_FALSE(file.OpenLangTypeFile((kHome + "no-such.lan").c_str()));
  EXPECT_FALSE(file.OpenLangTypeFile(nullptr));
  EXPECT_FALSE(file.OpenLangTypeFile(WriteTemp("one-line.lan", "only a header\n").c_str()));
  EXPECT_FALSE(file.OpenLangUnitFile(WriteTemp("empty.lan", "").c_str()));
  EXPECT_TRUE(file.OpenLangTypeFile(WriteTemp("header-only.lan", "h1\nh2\n").c_str()));
  // The rest of a line beyond 249 characters is not taken for an entry.
  const std::string longLine = "5 \"" + std::string(300, 'x') + "\"\n";
  const std::string tricky = "7 \"" + std::string(246, 'y') + "9 \"hidden\"\n";
  ASSERT_TRUE(file.OpenLangTypeFile(
      WriteTemp("long.lan", "h1\nh2\n" + longLine + tricky + "6 \"six\"\n").c_str()));
  EXPECT_EQ(file.LoadTypeString(5), std::string(246, 'x'));
  EXPECT_EQ(file.LoadTypeString(7).size(), 246u);
  EXPECT_EQ(file.LoadTypeString(9), "");
  EXPECT_EQ(file.LoadTypeString(6), "six");
}

TEST(LanguageFiles, ReplaceNamesTheFilesGiveAndKeepTheOthers) {
  CKVregistry registry;
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(qty::LoadUnitTable(registry, std::string(KORACORE_SOURCE_DIR) + "/data/QTY.xml"));
  ::testing::internal::GetCapturedStdout();
  qty::ApplyLanguageFiles(registry, kHome);
  EXPECT_EQ(registry.FindItemType(100000)->GetKey(), "Wasserstand");
  EXPECT_EQ(registry.FindItemType(100300)->GetKey(), "Significant Wave Height");
  EXPECT_EQ(registry.FindUnit(1402)->GetKey(), "Stunde");
  EXPECT_EQ(registry.FindUnit(1402)->GetAbbreviation(), "Std");
  EXPECT_EQ(registry.FindUnit(1005)->GetKey(), "foot");
  EXPECT_EQ(registry.FindFilter(1)->GetKey(), "Hydrodynamik");
  EXPECT_EQ(registry.FindFilter(2)->GetKey(), "Waves");
  qty::ApplyLanguageFiles(registry, std::string(KORACORE_TEST_WORK_DIR) + "/nowhere/");
  EXPECT_EQ(registry.FindUnit(1402)->GetKey(), "Stunde");
}

}  // namespace
