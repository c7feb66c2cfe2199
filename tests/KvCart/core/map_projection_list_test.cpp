// The projection list and the database object in core: ownership, name
// keys, the local-grid words, and the rule that a database never filled
// writes no file at exit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvMapProjectionList.h"
#include "KvCart/core/LocalGrid.h"

namespace {

CKvMapProjData* Record(const char* name) {
  const double params[5] = {0.9996, 9.0, 0.0, 500000.0, 0.0};
  return CKvMapProjData::CreateProjection(CKvMapProjData::eTransverseMercator, name, "", "WE",
                                          params);
}

std::string Lower(const std::string& name) {
  std::string key;
  for (char c : name) key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return key;
}

}  // namespace

TEST(MapProjectionList, OwnsItsRecordsAndDeletesOnlyThose) {
  CKvMapProjectionList list;
  CKvMapProjData* first = Record("Grid A");
  CKvMapProjData* second = Record("Grid B");
  list.AddMapProjection(first);
  list.AddMapProjection(second);
  list.AddMapProjection(nullptr);
  EXPECT_EQ(list.GetCount(), 2u);
  EXPECT_EQ(list.GetMapProjection("Grid B"), second);
  EXPECT_EQ(list.GetMapProjection("grid b"), nullptr);

  // A record the list does not hold stays the caller's: not destroyed twice.
  CKvMapProjData* stranger = Record("Grid C");
  list.DeleteMapProjection(stranger);
  list.DeleteMapProjection(nullptr);
  EXPECT_EQ(list.GetCount(), 2u);
  delete stranger;

  list.DeleteMapProjection(first);
  EXPECT_EQ(list.GetCount(), 1u);
  EXPECT_EQ(list.GetMapProjection("Grid A"), nullptr);
  EXPECT_EQ(*list.GetIteratorBegin(), second);
}

TEST(MapProjectionList, NamesCompareThroughTheInstalledKey) {
  CKvMapProjectionList list;
  list.AddMapProjection(Record("Grid A"));
  list.AddMapProjection(Record("grid a"));
  EXPECT_EQ(list.GetMapProjection("grid a")->GetName(), "grid a");
  list.SetNameKey(&Lower);  // now both names have one key: the first wins
  EXPECT_EQ(list.GetMapProjection("GRID A")->GetName(), "Grid A");
  list.SetNameKey(nullptr);
  EXPECT_EQ(list.GetMapProjection("GRID A"), nullptr);
}

TEST(LocalGrid, ReservedWordsIgnoreSurroundingBlanksOnly) {
  EXPECT_TRUE(kvcart::IsLocalGridText("NON-UTM"));
  EXPECT_TRUE(kvcart::IsLocalGridText(" \tNON-UTM\r\n"));
  EXPECT_FALSE(kvcart::IsLocalGridText("non-utm"));
  EXPECT_FALSE(kvcart::IsLocalGridText("NON-UTM-1"));
  EXPECT_FALSE(kvcart::IsLocalGridText(""));
  EXPECT_FALSE(kvcart::IsLocalGridText(nullptr));
  EXPECT_TRUE(kvcart::IsLongLatText("  LONG/LAT"));
  EXPECT_EQ(kvcart::TrimProjectionText("   "), "");
  EXPECT_EQ(kvcart::TrimProjectionText(" a b "), "a b");
}

// Regression: a database that was never set up wrote an empty custom file
// into the working directory at exit as soon as anything marked it changed.
TEST(CartSetup, NeverFilledDatabaseWritesNothing) {
  CKvCartSetup& db = CKvCartSetup::Instance();
  if (db.IsFilled()) GTEST_SKIP() << "another test of this process set the database up";
  const std::filesystem::path cwd = std::filesystem::current_path();
  db.SetMapProjectionListModified();
  db.SetEllipsoidListModified();
  EXPECT_EQ(db.WriteModifiedFiles(), 0);
  EXPECT_FALSE(std::filesystem::exists(cwd / CKvCartSetup::kCustomProjectionFile));
  EXPECT_FALSE(std::filesystem::exists(cwd / CKvCartSetup::kCustomEllipsoidFile));
  EXPECT_FALSE(db.IsMapProjectionListModified());
  EXPECT_EQ(db.EllipsoidOfProjection("UTM-32"), nullptr);
}
