// The in-memory header: creation rules, defaults, titles, delete values,
// geographic information, encode keys and custom blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dfs_support.h"

namespace {

using dfstest::ErrorRecorder;

TEST(HeaderModel, CreateRefusesBadItemCountsAndStatisticsTypes) {
  ErrorRecorder errors;
  LPHEAD h = reinterpret_cast<LPHEAD>(0x1);
  EXPECT_EQ(dfsHeaderCreate(1, "t", "a", 1, 0, F_NO_STAT, &h), 2010);
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(dfsHeaderCreate(1, "t", "a", 1, 1, 0, &h), 2010);
  EXPECT_EQ(dfsHeaderCreate(1, "t", "a", 1, 1, 4, &h), 2010);
  EXPECT_EQ(h, nullptr);
  EXPECT_TRUE(errors.saw(2010));
}

TEST(HeaderModel, NewHeaderHasTheDefaults) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(F_NEQTIME_FIXEDSPACE_ALLITEMS, "File", "App", 7, 3, F_REG_STAT, &h), 0);
  EXPECT_EQ(dfsGetFileType(h), F_NEQTIME_FIXEDSPACE_ALLITEMS);
  EXPECT_STREQ(dfsGetFileTitle(h), "File");
  EXPECT_STREQ(dfsGetAppTitle(h), "App");
  EXPECT_EQ(dfsGetAppVersionNo(h), 7);
  EXPECT_EQ(dfsGetItemStatsType(h), F_REG_STAT);
  EXPECT_EQ(dfsGetNoOfItems(h), 3);
  EXPECT_EQ(dfsGetDeleteValFloat(h), -1e-35f);
  EXPECT_EQ(dfsGetDeleteValDouble(h), -1e-255);
  EXPECT_EQ(dfsGetDeleteValByte(h), 0);
  EXPECT_EQ(dfsGetDeleteValInt(h), 2147483647);
  EXPECT_EQ(dfsGetDeleteValUnsignedInt(h), 2147483647u);
  EXPECT_EQ(dfsGetGeoInfoType(h), F_UNDEFINED_GEOINFO);
  EXPECT_EQ(dfsGetTimeAxisType(h), F_UNDEFINED_TAXIS);
  EXPECT_EQ(dfsIsFileCompressed(h), 0);
  EXPECT_EQ(dfsGetEncodeKeySize(h), 0);
  EXPECT_EQ(h->modifyTimes, 1);
  for (int n = 1; n <= 3; ++n) {
    LPITEM item = dfsItemD(h, n);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->header, h);
    EXPECT_STREQ(item->name, "");
    EXPECT_EQ(item->refX, -1e-35f);
  }
  dfsHeaderDestroy(&h);
  EXPECT_EQ(h, nullptr);
  dfsHeaderDestroy(&h);  // a null header is fine
}

TEST(HeaderModel, NullHeaderReports1000AndGettersGiveNeutralValues) {
  ErrorRecorder errors;
  EXPECT_EQ(dfsGetAppVersionNo(nullptr), -1);
  EXPECT_EQ(dfsGetFileType(nullptr), 0);
  EXPECT_STREQ(dfsGetFileTitle(nullptr), "");
  EXPECT_STREQ(dfsGetAppTitle(nullptr), "");
  EXPECT_EQ(dfsGetDeleteValFloat(nullptr), 0.0f);
  EXPECT_EQ(dfsSetFileTitle(nullptr, "x"), 1000);
  EXPECT_EQ(dfsSetDeleteValInt(nullptr, 1), 1000);
  EXPECT_EQ(dfsItemD(nullptr, 1), nullptr);
  EXPECT_TRUE(errors.saw(1000));
  // The source position of the failing call reaches the callback.
  ASSERT_FALSE(ErrorRecorder::sources().empty());
  EXPECT_NE(ErrorRecorder::sources().front().find("dfs"), std::string::npos);
}

TEST(HeaderModel, SettersCopyAndReplace) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(1, "a", "b", 1, 1, F_NO_STAT, &h), 0);
  char title[] = "changing title";
  dfsSetFileTitle(h, title);
  title[0] = 'X';
  EXPECT_STREQ(dfsGetFileTitle(h), "changing title");
  dfsSetAppTitle(h, nullptr);
  EXPECT_STREQ(dfsGetAppTitle(h), "");
  dfsSetAppVersionNo(h, 42);
  dfsSetDataType(h, 5);
  dfsSetDeleteValFloat(h, -9999.0f);
  dfsSetDeleteValDouble(h, -1e30);
  dfsSetDeleteValByte(h, 255);
  dfsSetDeleteValInt(h, -1);
  dfsSetDeleteValUnsignedInt(h, 7u);
  EXPECT_EQ(dfsGetAppVersionNo(h), 42);
  EXPECT_EQ(dfsGetDataType(h), 5);
  EXPECT_EQ(dfsGetDeleteValFloat(h), -9999.0f);
  EXPECT_EQ(dfsGetDeleteValDouble(h), -1e30);
  EXPECT_EQ(dfsGetDeleteValByte(h), 255);
  EXPECT_EQ(dfsGetDeleteValInt(h), -1);
  EXPECT_EQ(dfsGetDeleteValUnsignedInt(h), 7u);
  EXPECT_EQ(dfsItemD(h, 0), nullptr);
  EXPECT_EQ(dfsItemD(h, 2), nullptr);
}

TEST(HeaderModel, GeographicInformationAndItsInPlaceUpdate) {
  ErrorRecorder errors;
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(1, "a", "b", 1, 1, F_NO_STAT, &h), 0);
  const char* text = nullptr;
  EXPECT_EQ(dfsGetGeoInfoUTMProj(h, &text, nullptr, nullptr, nullptr), 1000);
  ASSERT_EQ(dfsSetGeoInfoUTMProj(h, "UTM-32", 9.0, 55.5, 12.5), 0);
  double lon = 0, lat = 0, orient = 0;
  ASSERT_EQ(dfsGetGeoInfoUTMProj(h, &text, &lon, &lat, &orient), 0);
  EXPECT_STREQ(text, "UTM-32");
  EXPECT_EQ(lon, 9.0);
  EXPECT_EQ(lat, 55.5);
  EXPECT_EQ(orient, 12.5);

  // One character shorter: the stored length is kept with a blank.
  ASSERT_EQ(dfsUpdateGeoInfoUTMProj(h, "UTM-3", 1.0, 2.0, 3.0), 0);
  dfsGetGeoInfoUTMProj(h, &text, &lon, nullptr, nullptr);
  EXPECT_STREQ(text, "UTM-3 ");
  EXPECT_EQ(lon, 1.0);
  // Longer: refused, nothing changes.
  EXPECT_EQ(dfsUpdateGeoInfoUTMProj(h, "UTM-32N", 5.0, 5.0, 5.0), 2010);
  dfsGetGeoInfoUTMProj(h, &text, &lon, nullptr, nullptr);
  EXPECT_STREQ(text, "UTM-3 ");
  EXPECT_EQ(lon, 1.0);

  h->geoInfoType = 2;  // a type without a stored form
  EXPECT_EQ(dfsGetGeoInfoUTMProj(h, &text, nullptr, nullptr, nullptr), 2010);
  EXPECT_EQ(dfsSetGeoInfoUndefined(h), 0);
  EXPECT_EQ(dfsGetGeoInfoType(h), 0);
  EXPECT_EQ(dfsUpdateGeoInfoUTMProj(h, "x", 0, 0, 0), 2010);
}

TEST(HeaderModel, EncodeKeysAreCopiedAndPartialKeysStayAbsent) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(1, "a", "b", 1, 1, F_NO_STAT, &h), 0);
  int x[3] = {0, 1, 2}, y[3] = {5, 6, 7};
  ASSERT_EQ(dfsSetEncodeKey(h, x, y, nullptr, 3), 0);
  x[0] = 99;
  EXPECT_EQ(dfsIsFileCompressed(h), 1);
  EXPECT_EQ(dfsGetEncodeKeySize(h), 3);
  EXPECT_EQ(h->dfsEncode.zkey, nullptr);
  int gx[3] = {}, gy[3] = {}, gz[3] = {-1, -1, -1};
  ASSERT_EQ(dfsGetEncodeKey(h, gx, gy, gz), 0);
  EXPECT_EQ(gx[0], 0);
  EXPECT_EQ(gy[2], 7);
  EXPECT_EQ(gz[0], -1);  // absent key: the caller's array is left alone
  EXPECT_EQ(dfsSetEncodeKey(h, x, y, nullptr, 0), 2010);
  EXPECT_EQ(dfsGetEncodeKeySize(h), 3);
  // Keys without any key array place no value: every item would store its
  // first element n times, and no reader could place them again.
  EXPECT_EQ(dfsSetEncodeKey(h, nullptr, nullptr, nullptr, 3), 2010);
  EXPECT_NE(h->dfsEncode.xkey, nullptr);
  dfsHeaderDestroy(&h);
  ASSERT_EQ(dfsHeaderCreate(1, "a", "b", 1, 1, F_NO_STAT, &h), 0);
  EXPECT_EQ(dfsSetEncodeKey(h, nullptr, nullptr, nullptr, 3), 2010);
  EXPECT_EQ(dfsIsFileCompressed(h), 0);
  EXPECT_EQ(dfsGetEncodeKeySize(h), 0);
}

TEST(HeaderModel, CustomBlocksKeepOrderAndOwnTheirData) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(1, "a", "b", 1, 1, F_NO_STAT, &h), 0);
  float values[3] = {1.5f, 2.5f, 3.5f};
  const int ints[2] = {7, 8};
  ASSERT_EQ(dfsAddCustomBlock(h, kfsTypeFloat, "First", 3, values), 0);
  ASSERT_EQ(dfsAddCustomBlock(h, kfsTypeInt4, "Second", 2, ints), 0);
  EXPECT_EQ(dfsAddCustomBlock(h, 9, "Bad", 1, ints), 2009);
  EXPECT_EQ(dfsAddCustomBlock(h, kfsTypeInt4, "Bad", 0, ints), 2009);
  values[0] = 0.0f;
  dfsCustomBlock* entry = nullptr;
  ASSERT_EQ(dfsGetCustomBlockRef(h, &entry), 0);
  int type = 0, count = 0;
  const char* name = nullptr;
  void* data = nullptr;
  ASSERT_EQ(dfsGetCustomBlock(entry, &type, &name, &count, &data, &entry), 0);
  EXPECT_STREQ(name, "First");
  EXPECT_EQ(type, kfsTypeFloat);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(static_cast<float*>(data)[0], 1.5f);
  ASSERT_EQ(dfsGetCustomBlock(entry, &type, &name, &count, &data, &entry), 0);
  EXPECT_STREQ(name, "Second");
  EXPECT_EQ(static_cast<int*>(data)[1], 8);
  EXPECT_EQ(entry, nullptr);
}

TEST(HeaderModel, NamesOfTypes) {
  EXPECT_STREQ(dfsFileTypeStr(1), "F_EQTIME_FIXEDSPACE_ALLITEMS");
  EXPECT_STREQ(dfsFileTypeStr(16), "F_NEQTIME_TVARSPACE_VARITEMS");
  EXPECT_STREQ(dfsFileTypeStr(3), "*** FileType error ***");
  EXPECT_STREQ(dfsTimeAxisTypeStr(4), "F_CAL_NEQ_AXIS");
  EXPECT_STREQ(dfsTimeAxisTypeStr(5), "*** TimeAxis error ***");
  EXPECT_STREQ(dfsSimpleTypeStr(4), "integer*4");
  EXPECT_STREQ(dfsSimpleTypeStr(-2), "block");
  EXPECT_STREQ(dfsSimpleTypeStr(8), "unknown");
  EXPECT_EQ(dfsSimpSize(2), 8);
  EXPECT_EQ(dfsSimpSize(7), 2);
  EXPECT_EQ(dfsSimpSize(0), 0);
  EXPECT_EQ(dfsGetVersionCurrent(), 206);
}

}  // namespace
