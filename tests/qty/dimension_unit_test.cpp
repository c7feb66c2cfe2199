// Dimensions, units, unit arithmetic and the conversion formulas.
#include <gtest/gtest.h>

#include <cmath>

#include "qty/CKVdimension.h"
#include "qty/CKVunit.h"

namespace {

const CKVdimension kLength = CKVdimension::GetLength();

TEST(Dimension, TypeClassifiesSingleAndCompositeDimensions) {
  EXPECT_EQ(CKVdimension::GetNonDim().GetDimType(), 0);
  EXPECT_EQ(CKVdimension::GetLength().GetDimType(), 1);
  EXPECT_EQ(CKVdimension::GetLumi().GetDimType(), 7);
  EXPECT_EQ((kLength * kLength).GetDimType(), 1);  // length squared is still type 1
  EXPECT_EQ((kLength * CKVdimension::GetTime()).GetDimType(), 8);
  EXPECT_EQ((kLength / kLength).GetDimType(), 0);
}

TEST(Dimension, EqualityIsExactAndOperatorsWorkPerPosition) {
  const CKVdimension half(0.5, 0, 0, 0, 0, 0, 0);
  const CKVdimension almostHalf(0.5000001, 0, 0, 0, 0, 0, 0);
  EXPECT_FALSE(half.IsEqv(almostHalf));
  EXPECT_TRUE((half ^ 2.0).IsEqv(kLength));
  const CKVdimension velocity = kLength / CKVdimension::GetTime();
  double l, m, t, th, i, n, j;
  velocity.GetPowers(l, m, t, th, i, n, j);
  EXPECT_EQ(l, 1.0);
  EXPECT_EQ(t, -1.0);
  EXPECT_EQ(m + th + i + n + j, 0.0);
  EXPECT_TRUE((velocity * CKVdimension::GetTime()).IsEqv(kLength));
}

TEST(Dimension, SharedInstancesAreStable) {
  EXPECT_EQ(&CKVdimension::GetMass(), &CKVdimension::GetMass());
  EXPECT_EQ(CKVdimension::GetCurr().Power(4), 1.0);
  EXPECT_EQ(CKVdimension::GetSubs().Power(5), 1.0);
}

TEST(Unit, ConvertsToAndFromBase) {
  const CKVunit km("kilometer", "km", 1001, 1000.0, CKVdimension::GetLength());
  EXPECT_EQ(km.ToBase(2.5), 2500.0);
  const CKVunit celsius("degree Celsius", "C", 1501, 1.0, 273.15, CKVdimension::GetTemp());
  EXPECT_EQ(celsius.ToBase(0.0), 273.15);
  EXPECT_NEAR(celsius.FromBase(300.0), 26.85, 1e-12);
}

TEST(Unit, FahrenheitToCelsiusFollowsTheFormulaOrder) {
  const double fa = 5.0 / 9.0;
  const double oa = 255.3722222;
  const CKVunit f("F", "F", 1, fa, oa, CKVdimension::GetTemp());
  const CKVunit c("C", "C", 2, 1.0, 273.15, CKVdimension::GetTemp());
  const double w = (32.0 * f.GetFactor() + f.GetOffset() - c.GetOffset()) / c.GetFactor();
  EXPECT_NEAR(w, 0.0, 1e-6);
}

TEST(Unit, ConstructorsKeepOrDropNamesAsDocumented) {
  CKVunit km("kilometer", "km", 1001, 1000.0, CKVdimension::GetLength());
  km.SetIdent("qtyUkilometer");
  km.SetExpression("Length*1000");
  km.SetAlias("kilometre");
  const CKVunit copy(km);
  EXPECT_EQ(copy.GetKey(), "kilometer");
  EXPECT_EQ(copy.GetAbbreviation(), "km");
  EXPECT_TRUE(copy.IsAlias("kilometre"));
  EXPECT_EQ(copy.GetIdent(), "");
  EXPECT_EQ(copy.GetExpression(), "");
  EXPECT_EQ(copy.GetId(), -1);
  EXPECT_EQ(copy.GetFactor(), 1000.0);
  EXPECT_TRUE(copy.IsEqv(km));

  const CKVunit celsius("C", "C", 1501, 1.0, 273.15, CKVdimension::GetTemp());
  const CKVunit fromSrc("x", "y", 7, celsius);
  EXPECT_EQ(fromSrc.GetOffset(), 0.0);
  EXPECT_EQ(fromSrc.GetId(), 7);
  EXPECT_TRUE(fromSrc.IsEqv(CKVdimension::GetTemp()));

  const CKVunit sq(4.0, kLength * kLength);
  EXPECT_EQ(sq.GetBaseFactor(0), 4.0);  // power of one base dimension
  const CKVunit composite(4.0, kLength * CKVdimension::GetTime());
  EXPECT_EQ(composite.GetBaseFactor(0), 1.0);
  EXPECT_EQ(composite.GetBaseFactor(2), 1.0);
}

TEST(Unit, AliasesSplitAtSemicolonsWithoutEmptyParts) {
  CKVunit unit(1.0, kLength);
  unit.SetAlias("a;;b");
  unit.SetAlias(";c;");
  ASSERT_EQ(unit.GetAliases().size(), 3u);
  EXPECT_TRUE(unit.IsAlias("a"));
  EXPECT_TRUE(unit.IsAlias("b"));
  EXPECT_TRUE(unit.IsAlias("c"));
  EXPECT_FALSE(unit.IsAlias("A"));  // case matters
  EXPECT_FALSE(unit.IsAlias(""));
  unit.RemoveDesc();
  EXPECT_TRUE(unit.GetAliases().empty());
}

TEST(UnitArithmetic, ProductsDropOffsetsAndMultiplyBaseFactors) {
  const CKVunit celsius("C", "C", 1501, 1.0, 273.15, CKVdimension::GetTemp());
  const CKVunit km("km", "km", 1001, 1000.0, CKVdimension::GetLength());
  const CKVunit product = celsius * km;
  EXPECT_EQ(product.GetOffset(), 0.0);
  EXPECT_EQ(product.GetFactor(), 1000.0);
  EXPECT_EQ(product.GetId(), -1);
  EXPECT_EQ(product.GetKey(), "");
  EXPECT_TRUE(product.IsEqv(CKVdimension::GetTemp() * kLength));

  const CKVunit scaledKm(1000.0, kLength);  // base-dimension factor 1000
  const CKVunit hour(3600.0, CKVdimension::GetTime());
  const CKVunit kmh = scaledKm / hour;
  EXPECT_DOUBLE_EQ(kmh.GetFactor(), 1000.0 / 3600.0);
  EXPECT_EQ(kmh.GetBaseFactor(0), 1000.0);
  EXPECT_EQ(kmh.GetBaseFactor(2), 1.0 / 3600.0);
}

TEST(UnitArithmetic, ScalarOperatorsScaleTheSingleBaseFactor) {
  const CKVunit m("m", "m", 1000, 1.0, CKVdimension::GetLength());
  const CKVunit km = m * 1000.0;
  EXPECT_EQ(km.GetFactor(), 1000.0);
  EXPECT_EQ(km.GetBaseFactor(0), 1000.0);
  const CKVunit mm = m / 1000.0;
  EXPECT_EQ(mm.GetBaseFactor(0), 1.0 / 1000.0);
  const CKVunit perKm = 2.0 / km;
  EXPECT_EQ(perKm.GetFactor(), 2.0 * (1.0 / 1000.0));
  EXPECT_TRUE(perKm.IsEqv(kLength ^ -1.0));
  const CKVunit km2 = km ^ 2.0;
  EXPECT_EQ(km2.GetFactor(), 1e6);
  EXPECT_TRUE(km2.IsEqv(kLength * kLength));
  EXPECT_EQ(km2.GetBaseFactor(0), 1e6);
}

TEST(Unit, MoveKeepsEverything) {
  CKVunit unit("k", "a", 12, 2.0, 3.0, CKVdimension::GetMass());
  unit.SetIdent("ident");
  const CKVunit moved(std::move(unit));
  EXPECT_EQ(moved.GetIdent(), "ident");
  EXPECT_EQ(moved.GetOffset(), 3.0);
  EXPECT_EQ(moved.GetId(), 12);
}

}  // namespace
