// Item types, filters and the numbering rules of the registry, on private
// registries.
#include <gtest/gtest.h>

#include <memory>

#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"

namespace {

CKVunit* NewUnit(long id, const char* ident, double factor, const CKVdimension& dim) {
  CKVunit* unit = new CKVunit(ident, ident, id, factor, dim);
  unit->SetIdent(ident);
  return unit;
}

TEST(Registry, RefusesTakenIdsAndIdents) {
  CKVregistry registry;
  ASSERT_TRUE(registry.AddUnit(NewUnit(1000, "m", 1.0, CKVdimension::GetLength()), false));
  std::unique_ptr<CKVunit> sameIdent(NewUnit(1001, "m", 1.0, CKVdimension::GetLength()));
  EXPECT_FALSE(registry.AddUnit(sameIdent.get(), false));
  std::unique_ptr<CKVunit> sameId(NewUnit(1000, "km", 1000.0, CKVdimension::GetLength()));
  EXPECT_FALSE(registry.AddUnit(sameId.get(), false));
  ASSERT_TRUE(registry.AddUnit(NewUnit(5, "first", 1.0, CKVdimension::GetTemp()), true));
  EXPECT_EQ(registry.UnitList().front()->GetIdent(), "first");
  EXPECT_EQ(registry.FindUnit(1000)->GetIdent(), "m");
  EXPECT_EQ(registry.FindUnit("first")->GetId(), 5);
  EXPECT_EQ(registry.FindUnit(4711), nullptr);
  EXPECT_EQ(registry.FindUnit("nothing"), nullptr);
  EXPECT_EQ(registry.UnitList().size(), 2u);
}

TEST(Registry, RuntimeIdsStartAtTheirFloors) {
  CKVregistry registry;
  EXPECT_EQ(registry.NextUnitId(), 100000);
  EXPECT_EQ(registry.NextItemTypeId(), 110000);
  registry.AddUnit(NewUnit(123456, "u", 1.0, CKVdimension::GetLength()), false);
  EXPECT_EQ(registry.NextUnitId(), 123457);
  auto* itemType = new CKVitemType("k", 120000, "i", new CKVdimension(CKVdimension::GetLength()));
  ASSERT_TRUE(registry.AddItemType(120000, itemType));
  EXPECT_EQ(registry.NextItemTypeId(), 120001);
  std::unique_ptr<CKVitemType> dup(
      new CKVitemType("k", 120001, "i", new CKVdimension(CKVdimension::GetLength())));
  EXPECT_FALSE(registry.AddItemType(120001, dup.get()));
}

TEST(Registry, NextFilterBitSkipsTheReservedBit) {
  CKVregistry registry;
  EXPECT_EQ(registry.NextFilterId(), 1);
  for (long id : {1L, 2L, 0x40000000L}) {
    auto* filter = new CKVfilter("f", id);
    filter->SetIdent("f" + std::to_string(id));
    ASSERT_TRUE(registry.AddFilter(filter));
  }
  EXPECT_EQ(registry.NextFilterId(), 4);
  auto* high = new CKVfilter("h", 0x20000000L);
  high->SetIdent("high");
  ASSERT_TRUE(registry.AddFilter(high));
  EXPECT_EQ(registry.NextFilterId(), 0);  // no bit below the reserved one is left
  std::unique_ptr<CKVfilter> again(new CKVfilter("again", 2));
  again->SetIdent("other");
  EXPECT_FALSE(registry.AddFilter(again.get()));
}

TEST(ItemType, AllowUnitKeepsOneDimensionAndNoDuplicates) {
  CKVregistry registry;
  CKVunit* m = NewUnit(1000, "m", 1.0, CKVdimension::GetLength());
  CKVunit* km = NewUnit(1001, "km", 1000.0, CKVdimension::GetLength());
  CKVunit* s = NewUnit(1400, "s", 1.0, CKVdimension::GetTime());
  for (CKVunit* unit : {m, km, s}) registry.AddUnit(unit, false);
  CKVitemType level("Water Level", 100000, "qtyIWaterLevel",
                    new CKVdimension(CKVdimension::GetLength()));
  EXPECT_EQ(level.GetItemUserUnit(), -1);
  EXPECT_TRUE(level.AllowUnit(*km, false));
  EXPECT_TRUE(level.AllowUnit(*m, true));
  EXPECT_FALSE(level.AllowUnit(*m, false));
  EXPECT_FALSE(level.AllowUnit(*s, false));  // another dimension
  CKVunit sameIdent("x", "x", 77, 2.0, CKVdimension::GetLength());
  sameIdent.SetIdent("km");
  EXPECT_FALSE(level.AllowUnit(sameIdent, false));
  ASSERT_EQ(level.GetUnitList().size(), 2u);
  EXPECT_EQ(level.GetUnit(1), m);
  EXPECT_EQ(level.GetUnit(2), km);
  EXPECT_EQ(level.GetUnit(0), nullptr);
  EXPECT_EQ(level.GetUnit(3), nullptr);
  EXPECT_EQ(level.GetItemUserUnit(), 1000);
  level.SetItemUserUnit(1001);
  EXPECT_EQ(level.GetItemUserUnit(), 1001);
}

TEST(ItemType, FilterMembershipIsACommonBit) {
  CKVitemType itemType("k", 1, "i", new CKVdimension(CKVdimension::GetNonDim()));
  EXPECT_EQ(itemType.GetFilter(), 0);
  EXPECT_EQ(itemType.IsFileItem(), 1);
  EXPECT_EQ(itemType.GetDecimals(), -1);
  itemType.SetFilter(5);
  EXPECT_TRUE(itemType.IsMemberOf(CKVfilter("one", 1)));
  EXPECT_TRUE(itemType.IsMemberOf(CKVfilter("four", 4)));
  EXPECT_FALSE(itemType.IsMemberOf(CKVfilter("two", 2)));
  EXPECT_TRUE(itemType.IsMemberOf(6L));
}

TEST(Registry, ItemType999AllowsEveryUnit) {
  CKVregistry registry;
  registry.AddUnit(NewUnit(1, "NonDimensional", 1.0, CKVdimension::GetNonDim()), false);
  registry.AddUnit(NewUnit(1000, "m", 1.0, CKVdimension::GetLength()), false);
  registry.AddUnit(NewUnit(1400, "s", 1.0, CKVdimension::GetTime()), false);
  auto* undefined = new CKVitemType("Undefined", 999, "qtyIUndefined",
                                    new CKVdimension(CKVdimension::GetNonDim()));
  registry.AddItemType(999, undefined);
  undefined->AllowUnit(*registry.FindUnit(1), true);
  EXPECT_EQ(registry.AllowedUnits(*undefined).size(), 3u);
  auto* other =
      new CKVitemType("Other", 1000, "qtyIOther", new CKVdimension(CKVdimension::GetLength()));
  registry.AddItemType(1000, other);
  EXPECT_EQ(registry.AllowedUnits(*other).size(), 0u);
}

}  // namespace
