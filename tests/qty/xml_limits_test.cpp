// How deep a unit table may nest its elements. The parser keeps per-level
// state and, with namespaces on, looks through every open level for each
// element it meets: a hostile file of a few megabytes nested a million deep
// took the loader more than half a gigabyte and minutes. The table needs
// four levels; a document deeper than the limit is refused like one that is
// not well-formed.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "qty/CKVregistry.h"
#include "qty/CTableLoader.h"
#include "qty/XmlDom.h"

namespace {

const std::string kDir = std::string(KORACORE_TEST_WORK_DIR) + "/";

// A unit table whose Units group sits `depth` elements deep (the group
// itself counted), one unit in it.
std::string NestedTable(const std::string& name, int depth) {
  std::string text = "<?xml version=\"1.0\"?>";
  for (int i = 1; i < depth; ++i) text += "<a>";
  text +=
      "<Group Name=\"Units\"><Rows><R Ident=\"qtyUfurlong\" KvId=\"1090\" Desc=\"furlong\" "
      "Abbr=\"fur\" Expr=\"Length*201.168\"/></Rows></Group>";
  for (int i = 1; i < depth; ++i) text += "</a>";
  const std::string path = kDir + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

bool Loads(const std::string& path) {
  CKVregistry registry;
  qty::AddBaseUnits(registry);
  return qty::LoadUnitTable(registry, path) && registry.FindUnit(1090) != nullptr;
}

TEST(XmlLimits, ATableNestedToTheLimitLoadsAndOneLevelMoreIsRefused) {
  // The rows sit two levels below the group.
  const int deepestGroup = MSXML2::kMaxElementDepth - 2;
  EXPECT_TRUE(Loads(NestedTable("at-limit.xml", deepestGroup)));
  EXPECT_FALSE(Loads(NestedTable("over-limit.xml", deepestGroup + 1)));
}

TEST(XmlLimits, AHostileNestingIsRefusedWithoutBuildingIt) {
  EXPECT_FALSE(Loads(NestedTable("hostile.xml", 200000)));
  // The loader is usable afterwards.
  EXPECT_TRUE(Loads(NestedTable("after.xml", 3)));
}

}  // namespace
