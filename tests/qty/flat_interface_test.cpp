// The flat interface over the shipped table: look-ups by id, ident and key,
// item-type units and user units, enumeration, filters and new entries.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "qty_support.h"

namespace {

using namespace qtytest;  // the table ids

class Flat : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(qtytest::LoadShippedTable()); }
};

TEST_F(Flat, UnitNamesByIdAndIdent) {
  const char* text = nullptr;
  ASSERT_EQ(qtyGetUnitKey(kMeter, &text), 1);
  EXPECT_STREQ(text, "meter");
  ASSERT_EQ(qtyGetUnitIdent(kMeter, &text), 1);
  EXPECT_STREQ(text, "qtyUmeter");
  ASSERT_EQ(qtyGetUnitAbbreviation(kCelsius, &text), 1);
  EXPECT_STREQ(text,
               "\xC2\xB0"
               "C");
  int unit = 0;
  ASSERT_EQ(qtyGetUnitTagFromIdent("qtyUkilometer", &unit), 1);
  EXPECT_EQ(unit, kKilometer);
  text = "untouched";
  EXPECT_EQ(qtyGetUnitKey(424242, &text), 0);
  EXPECT_STREQ(text, "untouched");
  EXPECT_EQ(qtyGetUnitTagFromIdent("qtyUnothing", &unit), 0);
  EXPECT_EQ(qtyGetUnitTagFromIdent(nullptr, &unit), 0);
  EXPECT_EQ(qtyGetUnitKey(kMeter, nullptr), 1);  // out pointers may be null
}

TEST_F(Flat, UnitTagMatchesKeysSingularAndPluralAndAliases) {
  int unit = -1;
  ASSERT_EQ(qtyGetUnitTag("meter", &unit), 1);
  EXPECT_EQ(unit, kMeter);
  ASSERT_EQ(qtyGetUnitTag("meters", &unit), 1);
  EXPECT_EQ(unit, kMeter);
  ASSERT_EQ(qtyGetUnitTag("metre", &unit), 1);  // alias
  EXPECT_EQ(unit, kMeter);
  ASSERT_EQ(qtyGetUnitTag("cfs", &unit), 1);
  EXPECT_EQ(unit, 2004);
  EXPECT_EQ(qtyGetUnitTag("Meter", &unit), 0);
  EXPECT_EQ(unit, 0);
  EXPECT_EQ(qtyGetUnitTag("", &unit), 0);

  ASSERT_EQ(qtyGetItemUnitTag(kWaterLevel, "feet", &unit), 0);  // "feet" is an alias only
  ASSERT_EQ(qtyGetItemUnitTag(kWaterLevel, "foots", &unit), 1);
  EXPECT_EQ(unit, kFoot);
  ASSERT_EQ(qtyGetItemUnitTag(kWaterLevel, "centimeters", &unit), 1);
  EXPECT_EQ(unit, 1002);
  EXPECT_EQ(qtyGetItemUnitTag(kWaterLevel, "second", &unit), 0);
  EXPECT_EQ(unit, 0);
  ASSERT_EQ(qtyGetItemUnitTag(999, "seconds", &unit), 1);  // any unit for 999
  EXPECT_EQ(unit, kSecond);
}

TEST_F(Flat, ItemTypesAndTheirUnits) {
  const int count = qtyGetItemTypeCount();
  ASSERT_GE(count, 150);
  int id = 0;
  const char* key = nullptr;
  ASSERT_EQ(qtyGetItemTypeSeq(1, &id, &key), 1);
  EXPECT_EQ(id, 999);
  EXPECT_EQ(qtyGetItemTypeSeq(0, &id, &key), 0);
  EXPECT_EQ(qtyGetItemTypeSeq(count + 1, &id, &key), 0);
  ASSERT_EQ(qtyGetItemTypeKeyFromIdent("qtyIWaterLevel", &id), 1);
  EXPECT_EQ(id, kWaterLevel);
  const char* ident = nullptr;
  ASSERT_EQ(qtyGetItemTypeIdent(kDischarge, &ident), 1);
  EXPECT_STREQ(ident, "qtyIDischarge");
  int decimals = 0;
  double defaultValue = -1.0;
  ASSERT_EQ(qtyGetItemTypeParams(kWaterLevel, &decimals, &defaultValue), 1);
  EXPECT_EQ(decimals, 3);
  EXPECT_EQ(defaultValue, 0.0);
  EXPECT_EQ(qtyGetItemTypeParams(4711, &decimals, &defaultValue), 0);

  ASSERT_GE(qtyGetItemUnitCount(kWaterLevel), 5);
  EXPECT_EQ(qtyGetItemUnitCount(4711), 0);
  int unit = 0;
  ASSERT_EQ(qtyGetItemUnitSeq(kWaterLevel, 1, &unit, &key), 1);
  EXPECT_EQ(unit, kMeter);
  EXPECT_EQ(qtyGetItemUnitSeq(kWaterLevel, 0, &unit, &key), 0);
  ASSERT_EQ(qtyGetItemUnitSeq(999, 1, &unit, &key), 1);
  EXPECT_EQ(unit, 1);  // the first registered unit
  ASSERT_EQ(qtyGetItemFirstEqvUnit(kWaterLevel, &unit, &key), 1);
  EXPECT_EQ(unit, 2);  // the base unit Length leads the list

  EXPECT_EQ(qtyItemUnitEqv(kWaterLevel, kFoot), 1);
  EXPECT_EQ(qtyItemUnitEqv(kWaterLevel, kSecond), 0);
  EXPECT_EQ(qtyItemUnitEqv(999, kSecond), 1);
  EXPECT_EQ(qtyItemUnitEqv(kWaterLevel, 4711), 0);
  EXPECT_EQ(qtyItemUnitEqv(4711, kMeter), 0);
}

TEST_F(Flat, UserUnits) {
  int unit = 0;
  ASSERT_EQ(qtyGetItemUserUnit(kDischarge, &unit), 1);
  EXPECT_EQ(unit, 2000);  // the first allowed unit until one is chosen
  EXPECT_EQ(qtySetItemUserUnit(kDischarge, kSecond), 0);  // another dimension
  ASSERT_EQ(qtySetItemUserUnit(kDischarge, 2004), 1);
  ASSERT_EQ(qtyGetItemUserUnit(kDischarge, &unit), 1);
  EXPECT_EQ(unit, 2004);
  double value = 0.0;
  ASSERT_EQ(qtyConvertToUserUnit(kDischarge, 2000, &value, 1.0), 1);  // m^3/s to cfs
  EXPECT_NEAR(value, 35.314666721488585, 1e-12);
  ASSERT_EQ(qtyConvertFromUserUnit(kDischarge, 2000, &value, 35.314666721488585), 1);
  EXPECT_NEAR(value, 1.0, 1e-14);
  EXPECT_EQ(qtyConvertToUserUnit(4711, 2000, &value, 3.0), 0);
  EXPECT_EQ(value, 3.0);
  ASSERT_EQ(qtySetItemUserUnit(kDischarge, 2000), 1);
  EXPECT_EQ(qtySetItemUserUnit(999, kSecond), 1);  // anything for 999
  EXPECT_EQ(qtySetItemUserUnit(kDischarge, 4711), 0);
  EXPECT_EQ(qtyGetItemUserUnit(4711, &unit), 0);
}

TEST_F(Flat, EquivalenceAndBaseUnits) {
  EXPECT_EQ(qtyUnitsEqv(kMeter, kFoot), 1);
  EXPECT_EQ(qtyUnitsEqv(kMeter, kSecond), 0);
  EXPECT_EQ(qtyUnitsEqv(kMeter, 4711), 0);
  int base = 0;
  const char* key = nullptr;
  ASSERT_EQ(qtyGetBaseUnit(kFoot, &base, &key), 1);
  EXPECT_EQ(base, 2);
  EXPECT_STREQ(key, "Length");
  ASSERT_EQ(qtyGetBaseUnit(kKilometerPerHour, &base, &key), 1);
  EXPECT_EQ(base, kMeterPerSecond);
  double factor = 0.0;
  double offset = 0.0;
  double powers[7];
  double factors[7];
  ASSERT_EQ(qtyUnitGetParameters(kKilometerPerHour, &factor, &offset, powers, factors), 1);
  EXPECT_DOUBLE_EQ(factor, 1000.0 / 3600.0);
  EXPECT_EQ(powers[0], 1.0);
  EXPECT_EQ(powers[2], -1.0);
  EXPECT_EQ(factors[0], 1000.0);
  EXPECT_EQ(factors[2], 1.0 / 3600.0);
  ASSERT_EQ(qtyUnitGetParameters(kCelsius, &factor, &offset, nullptr, nullptr), 1);
  EXPECT_EQ(offset, 273.15);
}

TEST_F(Flat, EnumerationWalksTheListInOrder) {
  int unit = 0;
  const char* key = nullptr;
  ASSERT_EQ(qtyGetNextUnit(0, &unit, &key), 1);
  EXPECT_EQ(unit, 1);
  EXPECT_STREQ(key, "NonDimensional");
  int count = 1;
  int previous = unit;
  while (qtyGetNextUnit(previous, &unit, &key)) {
    ++count;
    previous = unit;
  }
  EXPECT_EQ(count, static_cast<int>(std::string::size_type(qtyGetItemUnitCount(999))));
  EXPECT_EQ(qtyGetNextUnit(4711, &unit, &key), 0);
  // Asking again after the same unit gives the same answer.
  ASSERT_EQ(qtyGetNextUnit(kMeter, &unit, &key), 1);
  const int afterMeter = unit;
  ASSERT_EQ(qtyGetNextUnit(kSecond, &unit, &key), 1);
  ASSERT_EQ(qtyGetNextUnit(kMeter, &unit, &key), 1);
  EXPECT_EQ(unit, afterMeter);

  int lengths = 0;
  previous = 0;
  while (qtyGetNextEqvUnit(kFoot, previous, &unit, &key)) {
    EXPECT_EQ(qtyUnitsEqv(unit, kMeter), 1);
    ++lengths;
    previous = unit;
  }
  EXPECT_GE(lengths, 15);
  EXPECT_EQ(qtyGetNextEqvUnit(4711, 0, &unit, &key), 0);
}

TEST_F(Flat, IdentListsAreNewlyAllocated) {
  qtytest::IdentList units;
  ASSERT_EQ(qtyUnitGetAll(units.Out()), 1);
  ASSERT_TRUE(units.Get());
  EXPECT_EQ(std::strncmp(units.Get(), "NonDimensional;Length;", 22), 0);
  EXPECT_NE(std::strstr(units.Get(), ";qtyUmeter;"), nullptr);
  qtytest::IdentList itemTypes;
  ASSERT_EQ(qtyItemTypeGetAll(itemTypes.Out()), 1);
  EXPECT_EQ(std::strncmp(itemTypes.Get(), "qtyIUndefined;", 14), 0);
  qtytest::IdentList filters;
  ASSERT_EQ(qtyFilterGetAll(filters.Out()), 1);
  EXPECT_EQ(filters.Get()[std::strlen(filters.Get()) - 1], ';');
  EXPECT_EQ(qtyUnitGetAll(nullptr), 0);
}

TEST_F(Flat, Filters) {
  const int count = qtyGetFilterCount();
  ASSERT_GE(count, 10);
  int id = 0;
  const char* key = nullptr;
  ASSERT_EQ(qtyGetFilterSeq(1, &id, &key), 1);
  EXPECT_EQ(id, 1);
  EXPECT_STREQ(key, "Hydrodynamics");
  const char* ident = nullptr;
  ASSERT_EQ(qtyGetFilterIdent(2, &ident), 1);
  EXPECT_STREQ(ident, "qtyFWaves");
  ASSERT_EQ(qtyGetFilterKeyFromIdent("qtyFWaterQuality", &id), 1);
  EXPECT_EQ(id, 8);
  ASSERT_EQ(qtyGetFilterKey(8, &key), 1);
  EXPECT_STREQ(key, "Water Quality");
  EXPECT_EQ(qtyItemFilterEqv(kWaterLevel, 1), 1);
  EXPECT_EQ(qtyItemFilterEqv(kWaterLevel, 2), 0);
  EXPECT_EQ(qtyItemFilterEqv(4711, -1), 0);

  const int waves = qtyGetFilteredItemTypeCount(2);
  ASSERT_GT(waves, 10);
  for (int seq = 1; seq <= waves; ++seq) {
    ASSERT_EQ(qtyGetFilteredItemTypeSeq(2, seq, &id, &key), 1);
    EXPECT_EQ(qtyItemFilterEqv(id, 2), 1);
  }
  EXPECT_EQ(qtyGetFilteredItemTypeSeq(2, waves + 1, &id, &key), 0);
  EXPECT_EQ(qtyGetFilteredItemTypeSeq(2, 0, &id, &key), 0);
  // A negative filter (the flyby bit) counts every item type with that bit.
  EXPECT_EQ(qtyGetFilteredItemTypeCount(-1), qtyGetItemTypeCount());

  EXPECT_EQ(qtyGetFlybyFilter(), static_cast<int>(0x80000000u));
  EXPECT_EQ(qtyGetProductFilter(), 0x7fffffff);
  EXPECT_EQ(qtySetProductFilter(0x5), 0x5);
  EXPECT_EQ(qtyGetProductFilter(), 0x5);
  qtySetProductFilter(0x7fffffff);
}

TEST_F(Flat, NewEntriesGetRuntimeIds) {
  ASSERT_EQ(qtyUnitNew("qtyUtestFurlong", "furlong", "fur", "qtyUyard*220"), 1);
  int unit = 0;
  ASSERT_EQ(qtyGetUnitTagFromIdent("qtyUtestFurlong", &unit), 1);
  EXPECT_GE(unit, 100000);
  double meters = 0.0;
  ASSERT_EQ(qtyConvertUnit(unit, kMeter, &meters, 1.0), 1);
  EXPECT_NEAR(meters, 201.168, 1e-12);
  EXPECT_EQ(qtyUnitNew("qtyUtestFurlong", "again", "x", "Length"), 0);  // ident taken
  EXPECT_EQ(qtyUnitNew("qtyUtestNumber", "n", "n", "2*3"), 0);          // not a unit
  EXPECT_EQ(qtyUnitNew("qtyUtestZero", "z", "z", "Length*0"), 0);
  EXPECT_EQ(qtyUnitNew("", "z", "z", "Length"), 0);

  ASSERT_EQ(qtyItemTypeNew("qtyITestRaceLength", "Race length", 0, "qtyUtestFurlong"), 1);
  int item = 0;
  ASSERT_EQ(qtyGetItemTypeKeyFromIdent("qtyITestRaceLength", &item), 1);
  EXPECT_GE(item, 110000);
  EXPECT_EQ(qtyGetItemUnitCount(item), 1);
  EXPECT_EQ(qtyAddItemUnit(item, kMeter), 1);
  EXPECT_EQ(qtyAddItemUnit(item, kMeter), 0);   // already allowed
  EXPECT_EQ(qtyAddItemUnit(item, kSecond), 0);  // another dimension
  EXPECT_EQ(qtyGetItemUnitCount(item), 2);
  EXPECT_EQ(qtyItemTypeNew("qtyITestRaceLength", "again", 0, "qtyUmeter"), 0);
  EXPECT_EQ(qtyItemTypeNew("qtyITestOther", "x", 0, "qtyUnothing"), 0);

  const int filters = qtyGetFilterCount();
  ASSERT_EQ(qtyFilterNew("qtyFTestRacing", "Racing"), 1);
  int filter = 0;
  ASSERT_EQ(qtyGetFilterKeyFromIdent("qtyFTestRacing", &filter), 1);
  EXPECT_EQ(filter, 0x2000);  // above the highest bit of the table
  EXPECT_EQ(qtyGetFilterCount(), filters + 1);
  EXPECT_EQ(qtyFilterNew("qtyFTestRacing", "again"), 0);
  ASSERT_EQ(qtyAddItemFilter(item, filter), 1);
  EXPECT_EQ(qtyGetFilteredItemTypeCount(filter), 1);
  EXPECT_EQ(qtyAddItemFilter(4711, filter), 0);
}

TEST_F(Flat, UnitArithmeticFindsTableUnits) {
  int result = 0;
  int base = 0;
  double factor = 0.0;
  ASSERT_EQ(qtyUnitMultiply(kMeter, kMeter, &result, &base, &factor), 1);
  EXPECT_EQ(result, kSquareMeter);
  EXPECT_EQ(base, kSquareMeter);
  EXPECT_EQ(factor, 1.0);
  ASSERT_EQ(qtyUnitDivide(kKilometer, kHour, &result, &base, &factor), 1);
  EXPECT_EQ(result, kKilometerPerHour);
  EXPECT_EQ(base, kMeterPerSecond);
  EXPECT_DOUBLE_EQ(factor, 1000.0 / 3600.0);
  ASSERT_EQ(qtyUnitPower(kKilometer, &result, &base, &factor, 2.0), 1);
  EXPECT_EQ(result, 1101);  // square kilometer
  EXPECT_EQ(factor, 1e6);
  // A dimension the table does not know.
  EXPECT_EQ(qtyUnitMultiply(kKilometerPerHour, 1200, &result, &base, &factor), 0);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(base, 0);
  EXPECT_EQ(qtyUnitMultiply(4711, kMeter, &result, &base, &factor), 0);
  EXPECT_EQ(factor, 1.0);
}

TEST_F(Flat, IntegrationAndDerivationFactors) {
  int product = 0;
  int inverse = 0;
  double factor = 0.0;
  // Kilometers per hour over hours give kilometers.
  ASSERT_EQ(qtyUnitGetIntegrationFactor(kKilometerPerHour, kHour, &product, &inverse, &factor), 1);
  EXPECT_DOUBLE_EQ(factor, 1.0);
  EXPECT_EQ(product, kKilometer);
  EXPECT_EQ(inverse, 2202);  // per hour
  // Cubic meters per second over hours: 3600 cubic meters per unit.
  ASSERT_EQ(qtyUnitGetIntegrationFactor(2000, kHour, &product, &inverse, &factor), 1);
  EXPECT_DOUBLE_EQ(factor, 3600.0);
  // Cubic meters differentiated by meters give square meters.
  int quotient = 0;
  int same = 0;
  ASSERT_EQ(qtyUnitGetDerivationFactor(1200, kMeter, &quotient, &same, &factor), 1);
  EXPECT_EQ(factor, 1.0);
  EXPECT_EQ(quotient, kSquareMeter);
  EXPECT_EQ(same, 2);  // the base unit Length comes first in the list
  // Meters contain no time: no derivative by seconds.
  EXPECT_EQ(qtyUnitGetDerivationFactor(kMeter, kSecond, &quotient, &same, &factor), 0);
  // The unit to integrate over must be of one base dimension, and the
  // integrand must contain it.
  EXPECT_EQ(qtyUnitGetIntegrationFactor(kMeter, kMeterPerSecond, &product, &inverse, &factor), 0);
  EXPECT_EQ(product, kMeter);
  EXPECT_EQ(qtyUnitGetIntegrationFactor(kMeter, kSecond, &product, &inverse, &factor), 0);
  EXPECT_EQ(qtyUnitGetDerivationFactor(4711, kSecond, &quotient, &same, &factor), 0);
}

}  // namespace
