// The unit table we ship: it loads silently, is big enough for water and
// environment models, keeps its fixed ids and is internally consistent.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "base/CString.h"
#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/XmlDom.h"
#include "qty_support.h"

namespace {

class ShippedTable : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The default location, as a host without any set-up finds it.
    qtytest::ScopedEnv noHome("KORA_HOME", nullptr);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    loaded = qtySetupLoad(nullptr);
    printed = ::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr();
  }
  static int loaded;
  static std::string printed;
};
int ShippedTable::loaded = 0;
std::string ShippedTable::printed;

bool IsCIdentifier(const std::string& text) {
  if (text.empty() || !(std::isalpha(static_cast<unsigned char>(text[0])) || text[0] == '_'))
    return false;
  for (char c : text) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  }
  return true;
}

TEST_F(ShippedTable, LoadsFromTheDefaultLocationWithoutAWord) {
  EXPECT_EQ(loaded, 1);
  EXPECT_EQ(printed, "");
  const char* path = nullptr;
  EXPECT_EQ(qtySetupGetPath(&path), path);
  EXPECT_NE(std::string(path).find("QTY.xml"), std::string::npos);
}

TEST_F(ShippedTable, IsLargeEnoughForWaterAndEnvironmentModels) {
  const CKVregistry& registry = QtyRegistry();
  EXPECT_GE(registry.UnitList().size(), 250u);
  EXPECT_GE(registry.ItemTypeList().size(), 150u);
  EXPECT_GE(registry.FilterList().size(), 10u);
  std::vector<const CKVdimension*> dimensions;
  for (const CKVunit* unit : registry.UnitList()) {
    bool known = false;
    for (const CKVdimension* d : dimensions) known = known || d->IsEqv(unit->GetDim());
    if (!known) dimensions.push_back(&unit->GetDim());
  }
  EXPECT_GE(dimensions.size(), 30u);
}

TEST_F(ShippedTable, KeepsItsFixedIds) {
  int unit = 0;
  ASSERT_EQ(qtyGetUnitTagFromIdent("qtyUsecond", &unit), 1);
  EXPECT_EQ(unit, 1400);
  const CKVunit* second = QtyRegistry().FindUnit(1400);
  EXPECT_TRUE(second->IsEqv(CKVdimension::GetTime()));
  EXPECT_EQ(second->GetFactor(), 1.0);

  const char* key = nullptr;
  ASSERT_EQ(qtyGetItemTypeKey(999, &key), 1);
  EXPECT_STREQ(key, "Undefined");
  EXPECT_EQ(qtyGetItemUnitCount(999), static_cast<int>(QtyRegistry().UnitList().size()));

  for (int id = 100185; id <= 100188; ++id) {
    const CKVitemType* geometry = QtyRegistry().FindItemType(id);
    ASSERT_TRUE(geometry) << id;
    EXPECT_TRUE(geometry->GetDim().IsEqv(CKVdimension::GetLength()));
    EXPECT_EQ(geometry->GetUnit(1)->GetIdent(), "qtyUmeter");
    EXPECT_GE(geometry->GetUnitList().size(), 10u);
    EXPECT_EQ(qtyItemUnitEqv(id, 1005), 1);  // foot
    EXPECT_EQ(qtyItemUnitEqv(id, 1400), 0);  // second
  }
}

TEST_F(ShippedTable, NamesAreUsableEverywhere) {
  const CKVregistry& registry = QtyRegistry();
  std::set<std::string> seen;
  for (const CKVunit* unit : registry.UnitList()) {
    EXPECT_TRUE(IsCIdentifier(unit->GetIdent())) << unit->GetIdent();
    EXPECT_FALSE(unit->GetKey().empty()) << unit->GetIdent();
    EXPECT_FALSE(unit->GetAbbreviation().empty()) << unit->GetIdent();
    EXPECT_NE(unit->GetId(), 0) << unit->GetIdent();
    EXPECT_TRUE(seen.insert(unit->GetIdent()).second);
  }
  for (const CKVitemType* itemType : registry.ItemTypeList()) {
    EXPECT_TRUE(IsCIdentifier(itemType->GetIdent())) << itemType->GetIdent();
    EXPECT_FALSE(itemType->GetKey().empty());
    EXPECT_FALSE(itemType->GetUnitList().empty()) << itemType->GetIdent();
    // Entries that other tests create at run time belong to no filter.
    if (itemType->GetId() < CKVregistry::kFirstRuntimeItemTypeId) {
      EXPECT_NE(itemType->GetFilter(), 0) << itemType->GetIdent();
    }
    EXPECT_TRUE(seen.insert(itemType->GetIdent()).second);
  }
  for (const CKVfilter* filter : registry.FilterList()) {
    EXPECT_TRUE(IsCIdentifier(filter->GetIdent()));
    const long bit = filter->GetId();
    EXPECT_TRUE(bit > 0 && (bit & (bit - 1)) == 0 && bit < CKVregistry::kReservedFilterBit);
    EXPECT_TRUE(seen.insert(filter->GetIdent()).second);
  }
}

// Every unit an item row lists must really be allowed: a misspelt ident or
// a unit of the wrong dimension would otherwise be dropped without a word.
TEST_F(ShippedTable, EveryListedAllowedUnitIsAllowed) {
  MSXML2::CXercesSession session;
  MSXML2::CSmartPtr<MSXML2::IXMLDOMDocument> document(new MSXML2::IXMLDOMDocument());
  ASSERT_TRUE(document->load(qtytest::ShippedTable().c_str()));
  const auto items = document->selectSingleNode("//Group[@Name=\"Items\"]");
  ASSERT_TRUE(items);
  const auto rows = items->selectNodes("Rows/R");
  ASSERT_GE(rows->getlength(), 150);
  for (long i = 0; i < rows->getlength(); ++i) {
    const auto attributes = rows->Getitem(i)->getattributes();
    const CString ident = attributes->getNamedItem("Ident")->gettext();
    int listed = 1;
    if (const auto allowed = attributes->getNamedItem("AllowedUnits")) {
      const CString text = allowed->gettext();
      int start = 0;
      while (!text.Tokenize(";", start).IsEmpty()) ++listed;
    }
    const long id =
        std::strtol(attributes->getNamedItem("KvId")->gettext().GetString(), nullptr, 10);
    EXPECT_LT(id, CKVregistry::kFirstRuntimeItemTypeId);
    const CKVitemType* itemType = QtyRegistry().FindItemType(ident.GetString());
    ASSERT_TRUE(itemType) << ident.GetString();
    EXPECT_EQ(static_cast<int>(itemType->GetUnitList().size()), listed) << ident.GetString();
  }
}

TEST_F(ShippedTable, EveryUnitConvertsToItsBaseAndBack) {
  const double values[] = {-1e6, -12345.678, -459.67, -1.0,   -1e-3,      0.0,
                           1e-3, 0.5,        1.0,     273.15, 98765.4321, 1e6};
  for (const CKVunit* unit : QtyRegistry().UnitList()) {
    const int id = static_cast<int>(unit->GetId());
    // Relative to the size of the numbers the formula handles: near a large
    // offset only the offset's last digits are left.
    const double offsetScale = std::fabs(unit->GetOffset() / unit->GetFactor());
    for (double v : values) {
      double base = 0.0;
      double back = 0.0;
      ASSERT_EQ(qtyConvertUnitToBase(id, &base, v), 1);
      ASSERT_EQ(qtyConvertUnitFromBase(id, &back, base), 1);
      EXPECT_LE(std::fabs(back - v), 1e-12 * (std::fabs(v) + offsetScale))
          << unit->GetIdent() << " " << v;
    }
  }
}

TEST_F(ShippedTable, LoadingTwiceKeepsOneEntryPerId) {
  const CKVregistry& registry = QtyRegistry();
  const size_t units = registry.UnitList().size();
  const size_t items = registry.ItemTypeList().size();
  const size_t filters = registry.FilterList().size();
  ::testing::internal::CaptureStdout();
  ASSERT_TRUE(qtytest::LoadShippedTable());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(registry.UnitList().size(), units);
  EXPECT_EQ(registry.UnitMap().size(), units);
  EXPECT_EQ(registry.UnitStringMap().size(), units);
  EXPECT_EQ(registry.ItemTypeList().size(), items);
  EXPECT_EQ(registry.ItemTypeMap().size(), items);
  EXPECT_EQ(registry.FilterList().size(), filters);
  for (const CKVitemType* itemType : registry.ItemTypeList()) {
    std::set<long> ids;
    for (const CKVunit* unit : itemType->GetUnitList())
      EXPECT_TRUE(ids.insert(unit->GetId()).second);
  }
}

TEST_F(ShippedTable, ExactDefiningFactors) {
  struct Case {
    const char* ident;
    double factor;
  };
  const Case cases[] = {{"qtyUfoot", 0.3048},
                        {"qtyUusSurveyFoot", 1200.0 / 3937.0},
                        {"qtyUinch", 0.0254},
                        {"qtyUmile", 1609.344},
                        {"qtyUnauticalMile", 1852.0},
                        {"qtyUpound", 0.45359237},
                        {"qtyUusGallon", 3.785411784e-3},
                        {"qtyUacre", 4046.8564224},
                        {"qtyUcubicFootPerSecond", 0.028316846592},
                        {"qtyUknot", 1852.0 / 3600.0},
                        {"qtyUstandardAtmosphere", 101325.0},
                        {"qtyUmeterOfWater", 9806.65},
                        {"qtyUpoundForcePerSquareInch", 6894.757293168361},
                        {"qtyUmillimeterPerDay", 1e-3 / 86400.0},
                        {"qtyUinchPerHour", 0.0254 / 3600.0},
                        {"qtyUmicrogramPerLiter", 1e-6},
                        {"qtyUpartsPerMillion", 1e-6},
                        {"qtyUdegree", 3.141592653589793 / 180.0},
                        {"qtyUhorsepower", 745.69987158227022}};
  for (const Case& c : cases) {
    const CKVunit* unit = QtyRegistry().FindUnit(std::string(c.ident));
    ASSERT_TRUE(unit) << c.ident;
    EXPECT_NEAR(unit->GetFactor(), c.factor, 1e-14 * c.factor) << c.ident;
  }
  const CKVunit* fahrenheit = QtyRegistry().FindUnit(std::string("qtyUdegreeFahrenheit"));
  double celsius = 0.0;
  ASSERT_EQ(qtyConvertUnit(static_cast<int>(fahrenheit->GetId()), 1501, &celsius, 212.0), 1);
  EXPECT_NEAR(celsius, 100.0, 1e-12);
  ASSERT_EQ(qtyConvertUnit(static_cast<int>(fahrenheit->GetId()), 1501, &celsius, -40.0), 1);
  EXPECT_NEAR(celsius, -40.0, 1e-12);
}

}  // namespace
