// Loading unit tables into private registries: the row rules, reloading,
// failures and the numeric locale.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/CTableLoader.h"

namespace {

std::string Fixture(const char* name) {
  return std::string(KORACORE_SOURCE_DIR) + "/tests/data/qty/" + name;
}

class TableLoader : public ::testing::Test {
 protected:
  bool Load(const std::string& path) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const bool ok = qty::LoadUnitTable(registry, path);
    out = ::testing::internal::GetCapturedStdout();
    err = ::testing::internal::GetCapturedStderr();
    return ok;
  }

  CKVregistry registry;
  std::string out;
  std::string err;
};

TEST_F(TableLoader, BaseUnitsLeadTheListInIdOrder) {
  ASSERT_TRUE(Load(Fixture("small.xml")));
  const char* names[] = {
      "NonDimensional",    "Length",           "Mass", "Time", "Temperature", "ElectricCurrent",
      "AmountOfSubstance", "LuminousIntensity"};
  for (int i = 0; i < 8; ++i) {
    const CKVunit* unit = registry.UnitList()[static_cast<size_t>(i)];
    EXPECT_EQ(unit->GetId(), i + 1);
    EXPECT_EQ(unit->GetIdent(), names[i]);
    EXPECT_EQ(unit->GetKey(), names[i]);
    EXPECT_EQ(unit->GetAbbreviation(), names[i]);
    EXPECT_EQ(unit->GetFactor(), 1.0);
    EXPECT_EQ(unit->GetDim().GetDimType(), i);
  }
  EXPECT_EQ(registry.UnitList()[8]->GetIdent(), "qtyUmeter");
}

TEST_F(TableLoader, UnitRowsBecomeUnits) {
  ASSERT_TRUE(Load(Fixture("small.xml")));
  const CKVunit* km = registry.FindUnit("qtyUkilometer");
  ASSERT_TRUE(km);
  EXPECT_EQ(km->GetId(), 1001);
  EXPECT_EQ(km->GetKey(), "kilometer");
  EXPECT_EQ(km->GetAbbreviation(), "km");
  EXPECT_EQ(km->GetExpression(), "Length*1000");
  EXPECT_EQ(km->GetFactor(), 1000.0);
  EXPECT_EQ(km->GetOffset(), 0.0);
  const CKVunit* celsius = registry.FindUnit(1501);
  ASSERT_TRUE(celsius);
  EXPECT_EQ(celsius->GetFactor(), 1.0);
  EXPECT_EQ(celsius->GetOffset(), 273.15);
  EXPECT_TRUE(registry.FindUnit(1000)->IsAlias("metre"));
  EXPECT_EQ(registry.FindUnit("qtyUnoId")->GetId(), 0);  // a row without id
  EXPECT_EQ(registry.FindUnit("qtyUnumber"), nullptr);   // a number is no unit
  EXPECT_EQ(registry.FindUnit("qtyUkilometerAgain"), nullptr);
  EXPECT_EQ(registry.FindUnit(1001)->GetKey(), "kilometer");
  EXPECT_EQ(registry.FindUnit("ignored"), nullptr);  // a group other than the three
}

TEST_F(TableLoader, BadExpressionsAreReportedAndSkipped) {
  ASSERT_TRUE(Load(Fixture("small.xml")));
  // A factor of 0 would break every conversion into the unit.
  EXPECT_EQ(registry.FindUnit("qtyUnothing"), nullptr);
  EXPECT_EQ(registry.FindUnit("qtyUbroken"), nullptr);
  EXPECT_NE(
      out.find("Error reading unit\nqtyUnothing\nUnsuccessful parsing of the expression\nLength*0"),
      std::string::npos)
      << out;
  EXPECT_NE(out.find("Error reading unit\nqtyUbroken\nUnsuccessful parsing of the expression\n"
                     "Length*unknownUnit"),
            std::string::npos);
  EXPECT_EQ(err, "");
}

TEST_F(TableLoader, ItemRows) {
  ASSERT_TRUE(Load(Fixture("small.xml")));
  const CKVitemType* level = registry.FindItemType(100000);
  ASSERT_TRUE(level);
  EXPECT_EQ(level->GetIdent(), "qtyIWaterLevel");
  EXPECT_EQ(level->GetKey(), "Water Level");
  EXPECT_EQ(level->GetDecimals(), 3);
  EXPECT_EQ(level->GetDefaultValue(), 1.5);
  // The default unit first and once; the other dimension and the unknown
  // ident are passed over.
  ASSERT_EQ(level->GetUnitList().size(), 2u);
  EXPECT_EQ(level->GetUnit(1)->GetIdent(), "qtyUmeter");
  EXPECT_EQ(level->GetUnit(2)->GetIdent(), "qtyUkilometer");
  EXPECT_EQ(level->GetItemUserUnit(), 1001);

  const CKVitemType* temperature = registry.FindItemType("qtyITemperature");
  ASSERT_TRUE(temperature);
  EXPECT_EQ(temperature->GetDecimals(), -1);
  EXPECT_EQ(temperature->GetDefaultValue(), 0.0);
  EXPECT_EQ(temperature->GetUnitList().size(), 2u);
  EXPECT_EQ(temperature->GetItemUserUnit(), 1501);

  EXPECT_EQ(registry.FindItemType("qtyIOrphan"), nullptr);
  EXPECT_EQ(registry.FindItemType("qtyINoDefault"), nullptr);
  EXPECT_EQ(registry.FindItemType("qtyIZero"), nullptr);
  EXPECT_TRUE(registry.FindItemType(999));
}

TEST_F(TableLoader, FilterRows) {
  ASSERT_TRUE(Load(Fixture("small.xml")));
  const CKVfilter* hex = registry.FindFilter(16);
  ASSERT_TRUE(hex);
  EXPECT_EQ(hex->GetIdent(), "qtyFHex");
  EXPECT_EQ(registry.FindItemType(100000)->GetFilter(), 0x11);
  EXPECT_EQ(registry.FindItemType(100001)->GetFilter(), 0x1);
  EXPECT_EQ(registry.FindItemType(999)->GetFilter(), 0);
}

TEST_F(TableLoader, LoadingAgainAddsWhatIsNewAndRefreshesNames) {
  ASSERT_TRUE(Load(Fixture("small.xml")));
  const size_t units = registry.UnitList().size();
  const size_t items = registry.ItemTypeList().size();
  ASSERT_TRUE(Load(Fixture("small.xml")));
  EXPECT_EQ(registry.UnitList().size(), units);
  EXPECT_EQ(registry.UnitMap().size(), units);
  EXPECT_EQ(registry.ItemTypeList().size(), items);
  EXPECT_EQ(registry.FindItemType(100000)->GetUnitList().size(), 2u);

  ASSERT_TRUE(Load(Fixture("small-renamed.xml")));
  EXPECT_EQ(registry.UnitList().size(), units + 1);  // the mile
  const CKVunit* meter = registry.FindUnit(1000);
  EXPECT_EQ(meter->GetKey(), "Meter");
  EXPECT_EQ(meter->GetAbbreviation(), "M");
  EXPECT_TRUE(meter->IsAlias("metre"));
  EXPECT_EQ(registry.FindUnit(1999), nullptr);  // its ident belongs to 1001
  EXPECT_EQ(registry.FindUnit(1001)->GetKey(), "kilometer");
  const CKVitemType* level = registry.FindItemType(100000);
  EXPECT_EQ(level->GetKey(), "Level of water");
  EXPECT_EQ(level->GetDecimals(), 3);  // the row has none: kept
  EXPECT_EQ(level->GetUnitList().size(), 3u);
  EXPECT_EQ(registry.FindFilter(16)->GetKey(), "Sixteen");
  EXPECT_EQ(registry.FilterList().size(), 2u);
}

TEST_F(TableLoader, MissingOrBrokenFilesLeaveTheRegistryUnchanged) {
  EXPECT_FALSE(Load(Fixture("no-such-table.xml")));
  EXPECT_EQ(err, "Document '" + Fixture("no-such-table.xml") + "' not parsed successfully. \n");
  EXPECT_FALSE(Load(Fixture("not-well-formed.xml")));
  EXPECT_FALSE(Load(Fixture("entity-expansion.xml")));
  EXPECT_TRUE(registry.UnitList().empty());
  EXPECT_EQ(out, "");
}

TEST_F(TableLoader, ATableWithoutUnitsAddsNoBaseUnits) {
  ASSERT_TRUE(Load(Fixture("no-groups.xml")));
  EXPECT_TRUE(registry.UnitList().empty());
  EXPECT_TRUE(registry.ItemTypeList().empty());
}

// Restores the process locale after a test that changes it.
class NumericLocale {
 public:
  NumericLocale() : m_saved(std::setlocale(LC_NUMERIC, nullptr)) {}
  ~NumericLocale() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }
  bool Set(const char* name) { return std::setlocale(LC_NUMERIC, name) != nullptr; }

 private:
  std::string m_saved;
};

TEST_F(TableLoader, ReadsNumbersAndRestoresTheLocaleUnderADecimalComma) {
  NumericLocale locale;
  if (!locale.Set("de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  const std::string german = std::setlocale(LC_NUMERIC, nullptr);
  ASSERT_TRUE(Load(Fixture("small.xml")));
  EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), german);
  EXPECT_EQ(registry.FindUnit(1501)->GetOffset(), 273.15);
  EXPECT_EQ(registry.FindItemType(100000)->GetDefaultValue(), 1.5);
  EXPECT_EQ(registry.FindUnit(1502)->GetOffset(), 459.67 * 5 / 9);
  EXPECT_FALSE(Load(Fixture("no-such-table.xml")));
  EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), german);
}

}  // namespace
