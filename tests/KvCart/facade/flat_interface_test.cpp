// The flat interface as a C caller uses it: handles, status values, the
// text-buffer convention, and no exception ever leaving a function.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "FacadeTestSupport.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/FlatSupport.h"
#include "KvCart/facade/KvCartFlat.h"

namespace {

class FlatInterface : public testing::Test {
 protected:
  void SetUp() override { kvtest::EnsureDatabase(); }
};

}  // namespace

TEST_F(FlatInterface, TextBufferConvention) {
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  int needed = -7;
  EXPECT_EQ(S_LONGITUDETOUTMZONE(9.0, buffer, 6, &needed), 0);
  EXPECT_EQ(needed, 0);
  EXPECT_STREQ(buffer, "UTM-32");
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(S_LONGITUDETOUTMZONE(9.0, buffer, 5, &needed), 6);
  EXPECT_EQ(needed, 6);
  EXPECT_EQ(buffer[0], '#');  // untouched
  EXPECT_EQ(S_LONGITUDETOUTMZONE(9.0, nullptr, 100, &needed), 6);
  EXPECT_EQ(S_LONGITUDETOUTMZONE(NAN, buffer, 15, &needed), -1);

  const std::string google =
      CKvMapProjection::IDtoProjectionString(CKvMapProjection::eGoogleMapsMercator);
  const int length = S_GETGOOGLEMAPPROJECTIONSTRING(nullptr, 0, &needed);
  ASSERT_EQ(length, static_cast<int>(google.size()));
  std::string out(length + 1, '\0');
  EXPECT_EQ(S_GETGOOGLEMAPPROJECTIONSTRING(&out[0], length, &needed), 0);
  EXPECT_STREQ(out.c_str(), google.c_str());
  EXPECT_EQ(S_PROJECTIONSHORTNAME("UTM-32", buffer, 15, nullptr), 0);
  EXPECT_STREQ(buffer, "UTM-32");
}

TEST_F(FlatInterface, CreateFailuresLeaveTheHandleAlone) {
  void* handle = reinterpret_cast<void*>(0x1);  // must stay as it is
  int status = 0;
  EXPECT_EQ(C_KVMP_CREATE("UTM", &handle, &status), -1);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(C_KVMP_CREATE("No such grid", &handle, &status), -1);
  EXPECT_EQ(C_KVC_CREATE(" UTM", 9.0, 50.0, 0.0, &handle, &status), -1);
  EXPECT_EQ(C_KVDC_CREATE("UTM-32", "UTM", &handle, &status), -1);
  EXPECT_EQ(C_KVDC_CREATE("UTM-32", "No such grid", &handle, &status), -1);
  EXPECT_EQ(handle, reinterpret_cast<void*>(0x1));
  EXPECT_EQ(C_KVMP_CREATE("UTM-32", nullptr, &status), -1);

  void* none = nullptr;
  EXPECT_EQ(C_KVC_DESTROY(&none, &status), -1);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(C_KVMP_DESTROY(nullptr, &status), -1);
}

TEST_F(FlatInterface, CartographyThroughHandles) {
  kvtest::Cartography carto;
  int status = -1;
  ASSERT_EQ(C_KVC_CREATE("UTM", 9.0, 55.0, 20.0, carto.Out(), &status), 0);
  EXPECT_EQ(status, 0);
  char name[32];
  int needed = 0;
  EXPECT_EQ(C_KVC_GETPROJECTIONNAME(carto.Get(), name, 31, &needed), 0);
  EXPECT_STREQ(name, "UTM-32");
  EXPECT_GT(C_KVC_GETPROJECTIONSTRING(carto.Get(), name, 31, &needed), 31);
  EXPECT_NEAR(C_KVC_GETTRUENORTH(carto.Get(), 0.0, 0.0), 20.0, 1e-12);
  EXPECT_EQ(C_KVC_GETPROJNORTH(carto.Get()), 20.0);  // on the central meridian
  double x, y, lon, lat, px, py;
  EXPECT_EQ(C_KVC_GEO2XY(carto.Get(), 9.01, 55.01, &x, &y), 0);
  EXPECT_EQ(C_KVC_XY2GEO(carto.Get(), x, y, &lon, &lat), 0);
  EXPECT_NEAR(lon, 9.01, 1e-9);
  EXPECT_NEAR(lat, 55.01, 1e-9);
  EXPECT_EQ(C_KVC_XY2PROJ(carto.Get(), x, y, &px, &py), 0);
  EXPECT_EQ(C_KVC_PROJ2GEO(carto.Get(), px, py, &lon, &lat), 0);
  EXPECT_NEAR(lat, 55.01, 1e-9);
  EXPECT_EQ(C_KVC_GEO2XY(carto.Get(), 9.0, 55.0, nullptr, &y), -1);
  EXPECT_EQ(C_KVC_GEO2PROJ(nullptr, 9.0, 55.0, &x, &y), -1);
  EXPECT_TRUE(std::isnan(C_KVC_GETPROJNORTH(nullptr)));

  // The cartography's map projection is a C_KVMP handle it keeps owning.
  void* facade = C_KVC_GETPROJECTION(carto.Get());
  ASSERT_NE(facade, nullptr);
  EXPECT_EQ(C_KVMP_GETNAME(facade, name, 31, &needed), 0);
  EXPECT_STREQ(name, "UTM-32");
}

TEST_F(FlatInterface, MapProjectionThroughHandles) {
  kvtest::MapProjection utm;
  int status = -1;
  ASSERT_EQ(C_KVMP_CREATE("UTM-32", utm.Out(), &status), 0);
  double x, y, lon, lat, X, Y, Z, h;
  EXPECT_EQ(C_KVMP_GEO2PROJ(utm.Get(), 9.0, 0.0, &x, &y), 0);
  EXPECT_NEAR(x, 500000.0, 1e-9);
  EXPECT_NEAR(y, 0.0, 1e-9);
  EXPECT_EQ(C_KVMP_PROJ2GEO(utm.Get(), x, y, &lon, &lat), 0);
  EXPECT_EQ(C_KVMP_GETORIGIN(utm.Get(), &lon, &lat), 0);
  EXPECT_EQ(lon, 9.0);
  EXPECT_EQ(C_KVMP_GETCONVERGENCE(utm.Get(), 9.0, 45.0), 0.0);
  double area[4];
  EXPECT_EQ(C_KVMP_GETDEFAULTAREA(utm.Get(), &area[0], &area[1], &area[2], &area[3]), 0);
  EXPECT_LT(area[0], area[2]);
  EXPECT_EQ(C_KVMP_GEO2XYZ(utm.Get(), 0.0, 90.0, 0.0, &X, &Y, &Z), 0);
  EXPECT_EQ(C_KVMP_XYZ2GEO(utm.Get(), X, Y, Z, &lon, &lat, &h), 0);
  EXPECT_EQ(lat, 90.0);
  EXPECT_NEAR(h, 0.0, 1e-9);
  double origin[2];
  EXPECT_EQ(S_PROJECTIONORIGIN("UTM-33", &origin[0], &origin[1], &status), 0);
  EXPECT_EQ(origin[0], 15.0);
  EXPECT_EQ(S_PROJECTIONORIGIN("UTM", &origin[0], &origin[1], &status), -1);
  EXPECT_EQ(status, -1);

  CKvProjection* raw = NewKvProjection("UTM-32");
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(DeleteKvProjection(&raw), 0);
  EXPECT_EQ(raw, nullptr);
  EXPECT_EQ(NewKvProjection("UTM"), nullptr);
  EXPECT_EQ(DeleteKvProjection(&raw), -1);
}

TEST_F(FlatInterface, DatumConverterThroughHandles) {
  kvtest::DatumConverter one, two;
  int status = -1;
  ASSERT_EQ(C_KVDC_CREATE("UTM-32", "UTM-33", one.Out(), &status), 0);
  ASSERT_EQ(C_KVDC_CREATE("UTM-32", "UTM-33", two.Out(), &status), 0);
  EXPECT_EQ(C_KVDC_GETBYPASSXYZ(one.Get()), 1);
  // Any non-zero source means the source side.
  const double shift[7] = {10, 20, 30, 0, 0, 0, 0};
  EXPECT_EQ(C_KVDC_SETDATUMSHIFT(one.Get(), 1, shift, 1), 0);
  EXPECT_EQ(C_KVDC_SETDATUMSHIFT(two.Get(), 1, shift, 2), 0);
  EXPECT_EQ(C_KVDC_GETBYPASSXYZ(one.Get()), 0);
  double x1 = 1e6, y1 = 2e6, z1 = 3e6, x2 = x1, y2 = y1, z2 = z1;
  EXPECT_EQ(C_KVDC_DATUMSHIFT(one.Get(), &x1, &y1, &z1), 0);
  EXPECT_EQ(C_KVDC_DATUMSHIFT(two.Get(), &x2, &y2, &z2), 0);
  EXPECT_EQ(x1, 1e6 + 10);
  EXPECT_EQ(x2, x1);
  EXPECT_EQ(C_KVDC_INVDATUMSHIFT(one.Get(), &x1, &y1, &z1), 0);
  EXPECT_EQ(x1, 1e6);
  EXPECT_EQ(C_KVDC_SETDATUMSHIFT(one.Get(), 3, shift, 1), -1);
  EXPECT_EQ(C_KVDC_SETDATUMSHIFT(one.Get(), 2, nullptr, 1), -1);

  EXPECT_EQ(C_KVDC_RESETBYPASSXYZ(two.Get()), 1);
  EXPECT_EQ(C_KVDC_SETCONVERSIONTYPE(two.Get(), 3), 0);
  double lon = 9.0, lat = 50.0, h = 0.0;
  EXPECT_EQ(C_KVDC_CONVERTXYH(two.Get(), &lon, &lat, &h), 0);
  EXPECT_EQ(lon, 9.0);  // bypassed: same datum
  EXPECT_EQ(C_KVDC_INVERTORDER(two.Get()), 0);
  EXPECT_EQ(C_KVDC_BYPASSXYZ(two.Get()), 0);
  EXPECT_EQ(C_KVDC_CONVERTXY(two.Get(), &lon, &lat), 0);
  EXPECT_EQ(C_KVDC_INVCONVERTXY(two.Get(), &lon, &lat), 0);
  EXPECT_EQ(C_KVDC_INVCONVERTXYH(two.Get(), &lon, &lat, &h), 0);
  EXPECT_EQ(C_KVDC_CONVERTXY(two.Get(), nullptr, &lat), -1);
  EXPECT_EQ(C_KVDC_GETBYPASSXYZ(nullptr), -1);
}

// Regression: exceptions of the class operations (the bare "UTM" given to a
// test that builds a facade, an exhausted heap) unwound into the C caller.
TEST_F(FlatInterface, ExceptionsBecomeMinusOne) {
  EXPECT_EQ(S_ISVALID("UTM"), 0);
  EXPECT_EQ(S_ISGEOGRAPHICAL("UTM"), -1);
  EXPECT_EQ(S_ISTYPE("UTM", 1), -1);
  EXPECT_EQ(S_GETCOORDSYSTYPE("UTM"), -1);
  EXPECT_EQ(kvcart::flat::Guard(-1, []() -> int { throw std::bad_alloc(); }), -1);
  void* handle = nullptr;
  int status = 0;
  EXPECT_EQ(kvcart::flat::Create(&handle, &status, []() -> void* { throw std::bad_alloc(); }), -1);
  EXPECT_EQ(handle, nullptr);
}

TEST_F(FlatInterface, StringTests) {
  EXPECT_EQ(S_ISLOCAL(" NON-UTM "), 1);
  EXPECT_EQ(S_ISLONGLAT("LONG/LAT"), 1);
  EXPECT_EQ(S_ISVALID("UTM-32"), 1);
  EXPECT_EQ(S_ISGEOREFERENCED("NON-UTM"), 0);
  EXPECT_EQ(S_HASDATUM("UTM-32"), 1);
  EXPECT_EQ(S_ISTYPE("LONG/LAT", 4), 1);
  EXPECT_EQ(S_AREIDENTICAL("UTM-32", "UTM-32"), 1);
  EXPECT_EQ(S_AREIDENTICAL("UTM-32", "UTM-31"), 0);
  EXPECT_EQ(S_GETCOORDSYSTYPE("UTM-32"), 1);  // east, north
  EXPECT_EQ(S_ISLOCAL(nullptr), 0);
}

TEST_F(FlatInterface, Proj4StringsUnderTheBufferConvention) {
  char text[512];
  int needed = -1;
  ASSERT_EQ(C_KVC_CONVERT2PROJ4("UTM-32", nullptr, 0, text, 511, &needed), 0);
  EXPECT_EQ(std::string(text).rfind("+proj=tmerc", 0), 0u);
  const int length = static_cast<int>(std::strlen(text));
  EXPECT_EQ(C_KVC_CONVERT2PROJ4("UTM-32", nullptr, 0, text, length - 1, &needed), length);
  const double shift[3] = {-87, -98, -121};
  ASSERT_EQ(C_KVC_CONVERT2PROJ4("UTM-32", shift, 3, text, 511, &needed), 0);
  EXPECT_NE(std::string(text).find("+towgs84=-87,-98,-121"), std::string::npos) << text;
  // No PROJ.4 form: the local grid, the generic "UTM".
  EXPECT_EQ(C_KVC_CONVERT2PROJ4("NON-UTM", nullptr, 0, text, 511, &needed), -1);
  EXPECT_EQ(C_KVC_CONVERT2PROJ4("UTM", nullptr, 0, text, 511, &needed), -1);
}
