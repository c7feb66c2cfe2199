// Units as people write them: abbreviations, names and expressions of
// abbreviations, read with the usual precedence and matched against the
// shipped table by value.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/UnitSymbols.h"
#include "qty_support.h"

namespace {

class UnitSymbols : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(qtytest::LoadShippedTable()); }
};

int Symbol(const std::string& text) {
  int unit = -1;
  const int result = qtyGetUnitTagFromSymbol(text.c_str(), &unit);
  EXPECT_EQ(result, unit != 0 ? 1 : 0) << text;
  return unit;
}

TEST_F(UnitSymbols, AbbreviationsAreExactAndCaseSensitive) {
  int unit = -1;
  EXPECT_EQ(qtyGetUnitTagFromAbbreviation("mm", &unit), 1);
  EXPECT_EQ(unit, 1003);
  EXPECT_EQ(qtyGetUnitTagFromAbbreviation("NM", &unit), 1);  // nautical mile, not nanometre
  EXPECT_EQ(unit, 1010);
  EXPECT_EQ(qtyGetUnitTagFromAbbreviation("MM", &unit), 0);
  EXPECT_EQ(unit, 0);
  EXPECT_EQ(qtyGetUnitTagFromAbbreviation("", &unit), 0);
  EXPECT_EQ(qtyGetUnitTagFromAbbreviation(nullptr, nullptr), 0);
  EXPECT_EQ(qtyGetUnitTagFromAbbreviation("\xC2\xB0"
                                          "C",
                                          &unit),
            1);  // "°C"
  EXPECT_EQ(unit, qtytest::kCelsius);
}

TEST_F(UnitSymbols, WholeNamesKeepTheirOffset) {
  EXPECT_EQ(Symbol("m"), qtytest::kMeter);
  EXPECT_EQ(Symbol("  metres "), qtytest::kMeter);
  EXPECT_EQ(Symbol("qtyUfoot"), qtytest::kFoot);
  EXPECT_EQ(Symbol("degC"), qtytest::kCelsius);
  EXPECT_EQ(Symbol("degF"), qtytest::kFahrenheit);
  EXPECT_EQ(Symbol("um"), 1004);
  EXPECT_EQ(Symbol("gal (UK)"), Symbol("gal (UK)"));  // abbreviations with blanks match whole
  // "kt" is the kilotonne's abbreviation and an alias of the knot: the
  // symbol look-up takes the abbreviation, the name look-up the alias.
  EXPECT_EQ(Symbol("kt"), 1309);
  int unit = 0;
  ASSERT_EQ(qtyGetUnitTag("kt", &unit), 1);
  EXPECT_EQ(unit, 1805);
}

TEST_F(UnitSymbols, ExpressionsUseTheUsualPrecedence) {
  EXPECT_EQ(Symbol("m3/s"), 2000);
  EXPECT_EQ(Symbol("m ^ 3 / s"), 2000);
  EXPECT_EQ(Symbol("m*m*m/s"), 2000);
  EXPECT_EQ(Symbol("kg/m3"), 2800);
  EXPECT_EQ(Symbol("kg*m^-3"), 2800);  // a negative power
  EXPECT_EQ(Symbol("kg·m^-3"), 2800);  // the table's own multiplication sign
  EXPECT_EQ(Symbol("m/s/s"), 1900);    // left to right: (m/s)/s
  EXPECT_EQ(Symbol("(m/s)/(s)"), 1900);
  EXPECT_EQ(Symbol("ft3/s"), 2004);
  EXPECT_EQ(Symbol("um/s"), 1818);
  EXPECT_EQ(Symbol("kg/(m·s)"), 3100);  // Pa·s
  EXPECT_EQ(Symbol("W/(m2*K)"), 5200);
  EXPECT_EQ(Symbol("s^-1"), 2200);  // the first of "1/s" and "Hz", in table order
  EXPECT_EQ(Symbol("1000*m"), qtytest::kKilometer);
  EXPECT_EQ(Symbol("m*s/s"), qtytest::kMeter);  // the table's meter, not the base unit
  // (kg/m)^3 would be mass^3/length^3: no such unit.
  std::string expression;
  ASSERT_TRUE(qty::SymbolToExpression(QtyRegistry(), "kg/m^3", &expression));
  EXPECT_EQ(expression, "(qtyUkilogram/(qtyUmeter^3))");
}

TEST_F(UnitSymbols, OffsetsHaveNoMeaningInsideExpressions) {
  EXPECT_EQ(Symbol("degC/m"), 4902);    // the ASCII spelling of the abbreviation "°C/m"
  EXPECT_EQ(Symbol("degC/(m)"), 4900);  // an expression: kelvin per meter, the first of that value
}

TEST_F(UnitSymbols, WhatNamesNoUnitIsRefused) {
  for (const char* text : {"", "   ", "m/", "/m", "(m", "m)", "m^", "m^x", "m^1e+3", "m s", "xyz",
                           "2*3", "m*0", "m^^2", "m//s", "kg/m^3.", "1.e3*m", "()"}) {
    EXPECT_EQ(Symbol(text), 0) << text;
  }
  int unit = -1;
  EXPECT_EQ(qtyGetUnitTagFromSymbol(nullptr, &unit), 0);
  EXPECT_EQ(unit, 0);
  EXPECT_EQ(Symbol(std::string(5000, '(') + "m" + std::string(5000, ')')), 0);
  EXPECT_EQ(Symbol(std::string(40, '(') + "m" + std::string(40, ')')), qtytest::kMeter);
  std::string chain = "m";
  for (int i = 0; i < 200; ++i) chain += "*m/m";
  EXPECT_EQ(Symbol(chain), qtytest::kMeter);
}

TEST_F(UnitSymbols, SymbolsConvertLikeTheirUnits) {
  double value = 0.0;
  ASSERT_EQ(qtyConvertUnit(Symbol("km/h"), Symbol("m/s"), &value, 36.0), 1);
  EXPECT_DOUBLE_EQ(value, 10.0);
  ASSERT_EQ(qtyConvertUnit(Symbol("degF"), Symbol("degC"), &value, 212.0), 1);
  EXPECT_DOUBLE_EQ(value, 100.0);
}

// Every abbreviation of the shipped table names its own unit, so none is
// taken twice and none is read as something else.
TEST_F(UnitSymbols, TheShippedAbbreviationsAreUnique) {
  std::set<std::string> seen;
  for (const CKVunit* unit : QtyRegistry().UnitList()) {
    if (unit->GetId() <= 8) continue;  // the library's base units have none
    const std::string& abbreviation = unit->GetAbbreviation();
    ASSERT_FALSE(abbreviation.empty()) << unit->GetIdent();
    EXPECT_TRUE(seen.insert(abbreviation).second) << abbreviation << " is taken twice";
    EXPECT_EQ(Symbol(abbreviation), unit->GetId()) << abbreviation;
  }
}

}  // namespace
