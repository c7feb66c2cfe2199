// The unit-expression evaluator against a private registry holding the base
// units and a few table units.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty/CTableLoader.h"
#include "qty/UnitExpression.h"

namespace {

class Expression : public ::testing::Test {
 protected:
  Expression() { qty::AddBaseUnits(registry); }

  // The unit an expression gives, or null when it fails or gives a number.
  std::unique_ptr<CKVunit> Unit(const std::string& text) {
    CKVunit* unit = nullptr;
    double* number = nullptr;
    const bool ok = bEvaluateExpression(registry, text.c_str(), &unit, &number);
    delete number;
    EXPECT_TRUE(!ok || unit || number);
    return std::unique_ptr<CKVunit>(unit);
  }
  // The number an expression gives; NaN when it fails or gives a unit.
  double Number(const std::string& text) {
    CKVunit* unit = nullptr;
    double* number = nullptr;
    const bool ok = bEvaluateExpression(registry, text.c_str(), &unit, &number);
    delete unit;
    const double value = (ok && number) ? *number : NAN;
    delete number;
    return value;
  }
  bool Fails(const std::string& text) {
    CKVunit* unit = reinterpret_cast<CKVunit*>(1);
    double* number = reinterpret_cast<double*>(1);
    const bool ok = bEvaluateExpression(registry, text.c_str(), &unit, &number);
    const bool cleared = unit == nullptr && number == nullptr;
    delete unit;
    delete number;
    return !ok && cleared;
  }
  void Register(const std::string& ident, const std::string& expression) {
    std::unique_ptr<CKVunit> unit = Unit(expression);
    ASSERT_TRUE(unit) << expression;
    unit->SetIdent(ident);
    unit->SetId(static_cast<long>(1000 + registry.UnitList().size()));
    ASSERT_TRUE(registry.AddUnit(unit.get(), false));
    unit.release();
  }

  CKVregistry registry;
};

TEST_F(Expression, ScalesAndOffsets) {
  auto km = Unit("Length*1000");
  ASSERT_TRUE(km);
  EXPECT_EQ(km->GetFactor(), 1000.0);
  EXPECT_EQ(km->GetOffset(), 0.0);
  EXPECT_TRUE(km->IsEqv(CKVdimension::GetLength()));
  EXPECT_EQ(km->GetKey(), "");

  for (const char* text : {"Temperature+273.15", "273.15+Temperature"}) {
    auto celsius = Unit(text);
    ASSERT_TRUE(celsius) << text;
    EXPECT_EQ(celsius->GetFactor(), 1.0);
    EXPECT_EQ(celsius->GetOffset(), 273.15) << text;
  }
  auto fahrenheit = Unit("Temperature*5/9+459.67*5/9");
  ASSERT_TRUE(fahrenheit);
  EXPECT_EQ(fahrenheit->GetFactor(), 5.0 / 9.0);
  EXPECT_EQ(fahrenheit->GetOffset(), 459.67 * 5 / 9);
}

TEST_F(Expression, OperatorsApplyLeftToRightAndParenthesesGroup) {
  auto a = Unit("Length/Time^2");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->GetDim().Power(0), 2.0);  // (Length/Time)^2
  EXPECT_EQ(a->GetDim().Power(2), -2.0);
  auto b = Unit("Length/(Time^2)");
  ASSERT_TRUE(b);
  EXPECT_EQ(b->GetDim().Power(0), 1.0);
  EXPECT_EQ(b->GetDim().Power(2), -2.0);
  auto manning = Unit("Length^(1/3)/Time");
  ASSERT_TRUE(manning);
  EXPECT_EQ(manning->GetDim().Power(0), 1.0 / 3.0);
}

TEST_F(Expression, SignsSplitTheText) {
  EXPECT_EQ(Number("2*3"), 6.0);
  EXPECT_EQ(Number("-5"), -5.0);
  EXPECT_EQ(Number("10-1-2"), 11.0);  // 10 - (1 - 2)
  auto unit = Unit("Length-1-2");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetOffset(), 1.0);  // Length - (1 - 2)
  EXPECT_TRUE(Fails("Length-Time"));
  EXPECT_EQ(Number("5-"), 5.0);  // a sign whose rest fails is passed over
}

TEST_F(Expression, Numbers) {
  EXPECT_EQ(Number("1.5e3"), 1500.0);
  EXPECT_EQ(Number("2E-4"), 0.0002);
  EXPECT_EQ(Number("3d2"), 300.0);  // Fortran exponent letter
  EXPECT_EQ(Number("1.25D-1"), 0.125);
  EXPECT_TRUE(Fails("1e+3"));
  EXPECT_TRUE(Fails("1e"));
  EXPECT_TRUE(Fails("1e-"));
  EXPECT_TRUE(Fails(".5"));
  EXPECT_TRUE(Fails("1,5"));
  EXPECT_EQ(Number("12345678901234567890123"), 12345678901234567890123.0);  // 23 characters
  EXPECT_TRUE(Fails("123456789012345678901234"));                           // 24 characters
}

TEST_F(Expression, NamesAndPi) {
  auto unit = Unit("pi*Length");
  ASSERT_TRUE(unit);
  EXPECT_EQ(unit->GetFactor(), 3.141592653589793);
  EXPECT_TRUE(Fails("Lengthh"));
  EXPECT_TRUE(Fails("Length Time"));
  EXPECT_TRUE(Fails("Length_x"));
  auto trailing = Unit("Length*");
  ASSERT_TRUE(trailing);  // a pending operator without operand is ignored
  EXPECT_EQ(trailing->GetFactor(), 1.0);
  Register("pi", "Length*2");  // a unit called pi takes precedence
  auto shadowed = Unit("pi");
  ASSERT_TRUE(shadowed);
  EXPECT_EQ(shadowed->GetFactor(), 2.0);

  const std::string name127 = "L" + std::string(126, 'x');
  Register(name127, "Length*3");
  auto longest = Unit(name127 + "*2");
  ASSERT_TRUE(longest);
  EXPECT_EQ(longest->GetFactor(), 6.0);
  EXPECT_TRUE(Fails(name127 + "x"));  // 128 characters
}

TEST_F(Expression, RegisteredUnitsLoseTheirOffsetWhenUsed) {
  Register("degC", "Temperature+273.15");
  auto copy = Unit("degC");
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->GetOffset(), 0.0);
  auto perMeter = Unit("degC/Length");
  ASSERT_TRUE(perMeter);
  EXPECT_EQ(perMeter->GetFactor(), 1.0);
}

TEST_F(Expression, MalformedTextFails) {
  for (const char* text : {"", "(", "(Length", "()", "Length)", "Length Length", "2 3", "Length#",
                           "Length(2)", "*", "2^Length", "Length^Length", "+Length"}) {
    EXPECT_TRUE(Fails(text)) << text;
  }
}

TEST_F(Expression, UnitsWithAZeroOrInfiniteFactorAreRefused) {
  EXPECT_TRUE(Fails("Length*0"));
  EXPECT_TRUE(Fails("0*Length"));
  EXPECT_TRUE(Fails("Length/(1/0)"));
  EXPECT_TRUE(Fails("Length*1e300*1e300"));
  EXPECT_TRUE(Fails("(Length*10)^1000"));
  EXPECT_TRUE(Fails("(Length/10)^1000"));
  EXPECT_TRUE(Fails("Length/1e-300/1e-300"));
  EXPECT_EQ(Number("2*0"), 0.0);  // a plain number may be 0
}

TEST_F(Expression, HostileNestingAndSignChainsEndQuickly) {
  EXPECT_TRUE(Fails(std::string(100000, '(') + "Length" + std::string(100000, ')')));
  EXPECT_TRUE(Fails(std::string(2000, '-') + "Length"));
  EXPECT_TRUE(Fails(std::string(300, '-') + "x"));
  std::string chain = "1";
  for (int i = 0; i < 150; ++i) chain += "-1";
  EXPECT_EQ(Number(chain), 1.0);  // 1 - (1 - (1 - ...)) with 151 ones
}

}  // namespace
