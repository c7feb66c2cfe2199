// Items and spatial axes in memory: item information and unit validity, the
// axis rules per file type, element counts, unit conversion modes,
// associated static items and the encode-key element limit.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dfs_support.h"

namespace {

using dfstest::ErrorRecorder;
using dfstest::kAnyItem;
using dfstest::kGeometry1D;
using dfstest::unitId;

class ItemAxis : public ::testing::Test {
 protected:
  void SetUp() override {
    dfstest::loadUnits();
    meter = unitId("meter");
    ASSERT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "t", "a", 1, 2, F_NO_STAT, &h), 0);
    item = dfsItemD(h, 1);
    ASSERT_EQ(dfsSetItemInfo(h, item, kAnyItem, "Level", meter, kfsTypeFloat), 0);
  }
  void TearDown() override { dfsHeaderDestroy(&h); }

  LPHEAD h = nullptr;
  LPITEM item = nullptr;
  int meter = 0;
};

TEST_F(ItemAxis, ItemInfoChecksTheUnitAndNamesComeFromTheUnitTable) {
  ErrorRecorder errors;
  const int second = dfstest::kSecond;
  EXPECT_EQ(dfsSetItemInfo(h, item, kGeometry1D, "Length", second, kfsTypeFloat), 2020);
  EXPECT_TRUE(errors.saw(2020));
  ASSERT_EQ(dfsSetItemInfo(h, item, kGeometry1D, "Length", meter, kfsTypeDouble), 0);
  int type = 0, unit = 0, dataType = 0;
  const char *typeName = nullptr, *name = nullptr, *unitName = nullptr;
  ASSERT_EQ(dfsGetItemInfo(item, &type, &typeName, &name, &unit, &unitName, &dataType), 0);
  EXPECT_EQ(type, kGeometry1D);
  EXPECT_STRNE(typeName, "");
  EXPECT_STREQ(name, "Length");
  EXPECT_EQ(unit, meter);
  EXPECT_STREQ(unitName, "meter");
  EXPECT_EQ(dataType, kfsTypeDouble);
  EXPECT_EQ(dfsGetItemAxisType(item), F_EQ_AXIS_D0);
  EXPECT_EQ(dfsGetAxisElements(item), 1);

  // A unit known only by name keeps the name and finds its key on request.
  ASSERT_EQ(dfsSetItemInfo_(h, item, kAnyItem, "Named", "meter", kfsTypeFloat), 0);
  ASSERT_EQ(dfsGetItemInfo(item, nullptr, nullptr, nullptr, &unit, &unitName, nullptr), 0);
  EXPECT_STREQ(unitName, "meter");
  EXPECT_EQ(unit, meter);
  const char* raw = nullptr;
  dfsGetItemInfo_(item, nullptr, nullptr, &raw, nullptr);
  EXPECT_STREQ(raw, "meter");
}

TEST_F(ItemAxis, UpdateItemInfoKeepsTheNameLength) {
  ASSERT_EQ(dfsUpdateItemInfo(h, item, kAnyItem, "Lev", meter), 0);
  EXPECT_STREQ(item->name, "Lev  ");
  ASSERT_EQ(dfsUpdateItemInfo(h, item, kAnyItem, "Much longer name", meter), 0);
  EXPECT_STREQ(item->name, "Much ");
  EXPECT_EQ(dfsUpdateItemInfo(h, item, kGeometry1D, "x", dfstest::kSecond), 2020);
}

TEST_F(ItemAxis, AxisRulesFollowTheFileType) {
  ErrorRecorder errors;
  // Fixed space: equidistant and non-equidistant axes, not time-varying ones.
  EXPECT_EQ(dfsSetItemAxisEqD2(item, meter, 3, 4, 0, 0, 1, 1), 0);
  EXPECT_EQ(dfsGetAxisElements(item), 12);
  EXPECT_EQ(dfsGetItemBytes(item), 48);
  EXPECT_EQ(dfsSetItemAxisTvarD2(item, meter, 3, 4), 2010);
  EXPECT_EQ(dfsSetItemAxisEqD1(item, meter, 5, 0.0f, 0.0f), 1000);  // dx 0
  EXPECT_EQ(dfsSetItemAxisEqD1(item, meter, 0, 0.0f, 1.0f), 1000);  // size 0
  EXPECT_EQ(dfsSetItemAxisNeqD2(item, meter, 2, 2, nullptr, nullptr), 1000);
  EXPECT_EQ(dfsGetAxisElements(item), 12);  // failed setters change nothing

  LPHEAD tvar = nullptr;
  const dfstest::HeaderGuard tvarGuard(tvar);
  ASSERT_EQ(dfsHeaderCreate(F_EQTIME_TVARSPACE_ALLITEMS, "t", "a", 1, 1, F_NO_STAT, &tvar), 0);
  LPITEM it = dfsItemD(tvar, 1);
  ASSERT_EQ(dfsSetItemInfo(tvar, it, kAnyItem, "x", meter, kfsTypeFloat), 0);
  EXPECT_EQ(dfsSetItemAxisEqD2(it, meter, 3, 4, 0, 0, 1, 1), 2010);
  EXPECT_EQ(dfsSetItemAxisTvarD2(it, meter, 3, 4), 0);
  EXPECT_EQ(dfsSetItemAxisTvarD3(it, meter, 3, 4, 2), 0);
  EXPECT_EQ(dfsGetAxisElements(it), 24);
  dfsHeaderDestroy(&tvar);

  LPHEAD undefined = nullptr;
  const dfstest::HeaderGuard undefinedGuard(undefined);
  ASSERT_EQ(dfsHeaderCreate(F_UNDEFINED_FILE_TYPE, "t", "a", 1, 1, F_NO_STAT, &undefined), 0);
  it = dfsItemD(undefined, 1);
  EXPECT_EQ(dfsSetItemAxisEqD1(it, meter, 3, 0, 1), 2010);
  EXPECT_EQ(dfsSetItemAxisTvarD1(it, meter, 3), 2010);
}

TEST_F(ItemAxis, StaticItemsTakeAnyAxis) {
  absItemS staticItem{};
  staticItem.isStatic = 1;
  EXPECT_EQ(dfsSetItemAxisTvarD1(&staticItem, meter, 4), 0);
  EXPECT_EQ(dfsSetItemAxisEqD3(&staticItem, meter, 2, 3, 4, 0, 0, 0, 1, 1, 1), 0);
  EXPECT_EQ(dfsGetAxisElements(&staticItem), 24);
}

TEST_F(ItemAxis, DimensionsGeometryTypesAndSizes) {
  struct Case {
    int dim, geometry;
  };
  const double x[3] = {0, 1, 2}, y[4] = {0, 1, 2, 3};
  std::vector<double> corners(3 * 4, 1.0);
  ASSERT_EQ(dfsSetItemAxisCurveLinearD2(item, meter, 2, 3, corners.data(), corners.data()), 0);
  EXPECT_EQ(dfsGetItemDim(item), 2);
  EXPECT_EQ(dfsGetItemGeometryType(item), 100187);
  EXPECT_EQ(dfsGetAxisElements(item), 6);
  int size = 0;
  EXPECT_EQ(dfsGetItemXYSize(item, &size), 0);
  EXPECT_EQ(size, 6);

  ASSERT_EQ(dfsSetItemAxisNeqD2(item, meter, 2, 3, x, y), 0);
  EXPECT_EQ(dfsGetItemDim(item), 2);
  ASSERT_EQ(dfsSetItemAxisEqD0(item, meter), 0);
  EXPECT_EQ(dfsGetItemDim(item), 0);
  EXPECT_EQ(dfsGetItemGeometryType(item), 100185);
  EXPECT_EQ(dfsGetItemXSize(item, &size), 0);
  EXPECT_EQ(size, 1);
  ASSERT_EQ(dfsSetItemAxisEqD3(item, meter, 2, 3, 4, 0, 0, 0, 1, 1, 1), 0);
  EXPECT_EQ(dfsGetItemDim(item), 3);
  EXPECT_EQ(dfsGetItemGeometryType(item), 100188);
  EXPECT_EQ(dfsGetItemXYZSize(item, &size), 0);
  EXPECT_EQ(size, 24);
  EXPECT_EQ(dfsGetItemGeometryUnit(item), meter);
  ASSERT_EQ(dfsSetItemAxisEqD4(item, meter, 2, 3, 4, 5, 0, 0, 0, 0, 1, 1, 1, 1), 0);
  EXPECT_EQ(dfsGetItemDim(item), 4);
  EXPECT_EQ(dfsGetAxisElements(item), 120);
  const float points[6] = {0, 0, 0, 1, 1, 1};
  ASSERT_EQ(dfsSetItemAxisNeqD1(item, meter, 2, points), 0);
  EXPECT_EQ(dfsGetItemXYSize(item, &size), 2010);

  // An item whose axis was never set.
  LPITEM unset = dfsItemD(h, 2);
  EXPECT_EQ(dfsGetItemDim(unset), -1);
  EXPECT_EQ(dfsGetItemGeometryType(unset), 999);
  EXPECT_EQ(dfsGetItemGeometryUnit(unset), 0);
}

TEST_F(ItemAxis, GettersOfAnotherAxisTypeFail) {
  ErrorRecorder errors;
  ASSERT_EQ(dfsSetItemAxisEqD1(item, meter, 4, 1.0f, 2.0f), 0);
  int size = 0;
  float x0 = 0, dx = 0;
  EXPECT_EQ(dfsGetItemAxisEqD2(item, nullptr, nullptr, &size, &size, &x0, &x0, &dx, &dx), 1000);
  int unit = 0;
  const char* unitName = nullptr;
  ASSERT_EQ(dfsGetItemAxisEqD1(item, &unit, &unitName, &size, &x0, &dx), 0);
  EXPECT_EQ(unit, meter);
  EXPECT_STREQ(unitName, "meter");
  EXPECT_EQ(size, 4);
  EXPECT_EQ(x0, 1.0f);
  EXPECT_EQ(dx, 2.0f);
}

TEST_F(ItemAxis, AxisUnitConversionModes) {
  const int km = unitId("kilometer");
  const int ft = unitId("foot");
  // Mode 2: the caller works in kilometres, the axis is stored in metres.
  ASSERT_EQ(dfsSetItemAxisUnitConversion(item, 2, km), 0);
  ASSERT_EQ(dfsSetItemAxisEqD1(item, meter, 3, 1.5f, 0.25f), 0);
  EXPECT_FLOAT_EQ(item->axisOrigin[0], 1500.0f);
  EXPECT_FLOAT_EQ(item->axisStep[0], 250.0f);
  float x0 = 0, dx = 0;
  dfsGetItemAxisEqD1(item, nullptr, nullptr, nullptr, &x0, &dx);
  EXPECT_FLOAT_EQ(x0, 1.5f);
  EXPECT_FLOAT_EQ(dx, 0.25f);

  // Coordinate arrays: the getter hands out converted copies, the stored
  // coordinates stay in the axis unit however often they are read.
  const double xs[3] = {1.0, 2.0, 3.0}, ys[2] = {0.5, 1.0};
  ASSERT_EQ(dfsSetItemAxisNeqD2(item, meter, 2, 1, xs, ys), 0);
  EXPECT_DOUBLE_EQ(item->axisCoords[0][2], 3000.0);
  double *gx = nullptr, *gy = nullptr;
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(dfsGetItemAxisNeqD2(item, nullptr, nullptr, nullptr, nullptr, &gx, &gy), 0);
    EXPECT_DOUBLE_EQ(gx[2], 3.0);
    EXPECT_DOUBLE_EQ(gy[0], 0.5);
  }
  EXPECT_DOUBLE_EQ(item->axisCoords[0][2], 3000.0);

  // Reference coordinates follow the same mode; unset ones keep the marker.
  float rx = 0, ry = 0, rz = 0;
  dfsGetItemRefCoords(item, &rx, &ry, &rz);
  EXPECT_EQ(rx, -1e-35f);
  ASSERT_EQ(dfsSetItemRefCoords(item, 1.0f, 2.0f, 3.0f), 0);
  EXPECT_FLOAT_EQ(item->refX, 1000.0f);
  dfsGetItemRefCoords(item, &rx, &ry, &rz);
  EXPECT_FLOAT_EQ(rz, 3.0f);

  // Mode 0: as given. Orientation is never converted.
  ASSERT_EQ(dfsSetItemAxisUnitConversion(item, 0, 0), 0);
  ASSERT_EQ(dfsSetItemAxisEqD1(item, ft, 3, 1.5f, 0.25f), 0);
  EXPECT_EQ(item->axisOrigin[0], 1.5f);
  dfsSetItemAxisOrientation(item, 10.0f, 20.0f, 30.0f);
  float a = 0, b = 0, c = 0;
  dfsGetItemAxisOrientation(item, &a, &b, &c);
  EXPECT_EQ(b, 20.0f);
  float nx = 0;
  EXPECT_EQ(dfsGetItemRefCoords(nullptr, &nx, nullptr, nullptr), 1000);
  EXPECT_EQ(nx, -1e-35f);
}

TEST_F(ItemAxis, AxisUnitConversionByUserAndFirstUnit) {
  // Mode 1 converts from the geometry type's user unit, mode 3 from its
  // first unit; both round-trip through the getters.
  for (int mode : {1, 3}) {
    ASSERT_EQ(dfsSetItemAxisUnitConversion(item, mode, 0), 0);
    ASSERT_EQ(dfsSetItemAxisEqD1(item, meter, 3, 2.0f, 4.0f), 0);
    float x0 = 0, dx = 0;
    dfsGetItemAxisEqD1(item, nullptr, nullptr, nullptr, &x0, &dx);
    EXPECT_FLOAT_EQ(x0, 2.0f) << mode;
    EXPECT_FLOAT_EQ(dx, 4.0f) << mode;
  }
}

TEST_F(ItemAxis, EncodeKeysLimitTheElementsOfDynamicItems) {
  ASSERT_EQ(dfsSetItemAxisEqD2(item, meter, 10, 10, 0, 0, 1, 1), 0);
  const int x[4] = {0, 1, 2, 3}, y[4] = {0, 0, 0, 0};
  ASSERT_EQ(dfsSetEncodeKey(h, x, y, nullptr, 4), 0);
  EXPECT_EQ(dfsGetUsedItemElements(item), 4);
  EXPECT_EQ(dfsGetUsedItemBytes(item), 16);
  EXPECT_EQ(dfsGetItemElements(item), 100);  // compression not enabled yet
  ASSERT_EQ(dfsItemEnableCompression(h), 0);
  EXPECT_EQ(dfsGetItemElements(item), 4);
  EXPECT_EQ(dfsGetAxisElements(item), 100);
  int size = 0;
  EXPECT_EQ(dfsIsItemCompressed(item, &size), 4);
  EXPECT_EQ(size, 4);
}

TEST_F(ItemAxis, StatisticsFollowTheElementCount) {
  LPHEAD s = nullptr;
  const dfstest::HeaderGuard sGuard(s);
  ASSERT_EQ(dfsHeaderCreate(1, "t", "a", 1, 1, F_REG_STAT, &s), 0);
  LPITEM it = dfsItemD(s, 1);
  ASSERT_EQ(dfsSetItemInfo(s, it, kAnyItem, "x", meter, kfsTypeFloat), 0);
  EXPECT_EQ(it->nStats, 9);
  ASSERT_EQ(dfsSetItemAxisEqD1(it, meter, 5, 0, 1), 0);
  ASSERT_EQ(it->nStats, 45);
  EXPECT_EQ(it->stats[0], -1e-255);
  EXPECT_EQ(it->stats[2], 0.0);
  EXPECT_EQ(it->stats[9 + 5], -1e-255);
}

TEST_F(ItemAxis, AssociatedStaticItems) {
  ErrorRecorder errors;
  EXPECT_EQ(dfsSetAssocStatic(h, 1, 0), 2007);
  EXPECT_EQ(dfsSetAssocStatic(h, 3, 1), 2007);
  ASSERT_EQ(dfsSetAssocStatic(h, 1, 4), 0);
  ASSERT_EQ(dfsSetAssocStatic(h, 1, 2), 0);
  EXPECT_EQ(dfsGetNoAssocStatic(h, 1), 2);
  int number = -1;
  dfsGetAssocStatic(h, 1, 1, &number);
  EXPECT_EQ(number, 4);
  dfsGetAssocStatic(h, 1, 2, &number);
  EXPECT_EQ(number, 2);
  dfsGetAssocStatic(h, 1, 3, &number);
  EXPECT_EQ(number, 0);
  dfsFreeAssocStatic(item);
  EXPECT_EQ(dfsGetNoAssocStatic(h, 1), 0);
}

TEST_F(ItemAxis, ValueTypeAndDataConversionAreStored) {
  dfsSetItemValueType(item, 3);
  int v = 0;
  dfsGetItemValueType(item, &v);
  EXPECT_EQ(v, 3);
  dfsSetItemUnitConversion(item, 2, unitId("foot"));
  int mode = 0, unit = 0;
  dfsGetItemUnitConversion(item, &mode, &unit);
  EXPECT_EQ(mode, 2);
  EXPECT_EQ(unit, unitId("foot"));
}

}  // namespace
