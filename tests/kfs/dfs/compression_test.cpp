// Compression by encode keys: whole grids collapsed to the key positions on
// write and expanded with delete values on read, arrays that already hold
// the stored values, keys that point outside a grid, and static items of an
// application next to the keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_stats.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

using dfstest::ErrorRecorder;

// Five wet cells of a 4 x 3 grid: (0,0) (1,0) (3,1) (2,2) (0,2). A 2-D grid
// has no z key.
const int kX[5] = {0, 1, 3, 2, 0};
const int kY[5] = {0, 0, 1, 2, 2};
const int kCells[5] = {0, 1, 7, 10, 8};

std::vector<float> grid(int step) {
  std::vector<float> v(12);
  for (int i = 0; i < 12; ++i) v[static_cast<size_t>(i)] = step * 100.f + static_cast<float>(i);
  return v;
}

class Compression : public ::testing::Test {
 protected:
  void SetUp() override {
    dfstest::loadUnits();
    header = dfstest::gridHeader(2, 4, 3, F_REG_STAT);
    ASSERT_EQ(dfsSetItemInfo(header, dfsItemD(header, 2), dfstest::kAnyItem, "Flags",
                             dfstest::unitId("meter"), kfsTypeInt4),
              0);
    ASSERT_EQ(dfsSetItemAxisEqD2(dfsItemD(header, 2), 1000, 4, 3, 0.f, 0.f, 1.f, 1.f), 0);
    ASSERT_EQ(dfsSetEncodeKey(header, kX, kY, nullptr, 5), 0);
  }
  void TearDown() override { dfsHeaderDestroy(&header); }

  // Two steps of both items; an application static item (an integer EqD1
  // item, shaped like a key) before them.
  std::string write(const std::string& name) {
    const std::string path = dfstest::workPath(name);
    kfsHandle f = nullptr;
    const dfstest::KfsFileGuard fGuard(f);
    EXPECT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
    LPITEM it = nullptr;
    const dfstest::StaticGuard itGuard(it);
    dfsStaticCreate(&it);
    const int meter = dfstest::unitId("meter");
    EXPECT_EQ(dfsSetItemInfo(header, it, dfstest::kAnyItem, "Cell codes", meter, kfsTypeInt4), 0);
    EXPECT_EQ(dfsSetItemAxisEqD1(it, meter, 5, 0.f, 1.f), 0);
    const int codes[5] = {11, 12, 13, 14, 15};
    EXPECT_EQ(dfsStaticWrite(it, f, codes), 0);
    dfsStaticDestroy(&it);
    std::vector<int> flags(12);
    for (int s = 0; s < 2; ++s) {
      for (int i = 0; i < 12; ++i) flags[static_cast<size_t>(i)] = s * 1000 + i;
      EXPECT_EQ(dfsWriteItemTimeStep(header, f, grid(s).data(), 0.0), 0);
      EXPECT_EQ(dfsWriteItemTimeStep(header, f, flags.data(), 0.0), 0);
    }
    EXPECT_EQ(dfsFileClose(header, &f), 0);
    dfstest::expectDfsdumpAccepts(path);
    return path;
  }

  LPHEAD header = nullptr;
};

TEST_F(Compression, WholeGridsReadBackWithDeleteValuesOutsideTheKeys) {
  const std::string path = write("compressed.dfs");
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  EXPECT_EQ(dfsGetEncodeKeySize(h), 5);
  EXPECT_EQ(h->dfsEncode.zkey, nullptr);
  EXPECT_EQ(dfsGetItemElements(dfsItemD(h, 1)), 12);
  EXPECT_EQ(dfsGetUsedItemElements(dfsItemD(h, 1)), 5);
  ASSERT_EQ(dfsFindTimeStep(h, f, 1), 0);
  std::vector<float> levels(12, 7.f);
  std::vector<int> flags(12, 7);
  ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, levels.data()), 0);
  ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, flags.data()), 0);
  std::vector<float> expected(12, dfsGetDeleteValFloat(h));
  std::vector<int> expectedFlags(12, dfsGetDeleteValInt(h));
  for (int cell : kCells) {
    expected[static_cast<size_t>(cell)] = grid(1)[static_cast<size_t>(cell)];
    expectedFlags[static_cast<size_t>(cell)] = 1000 + cell;
  }
  EXPECT_EQ(levels, expected);
  EXPECT_EQ(flags, expectedFlags);
  // Statistics are of the stored values only.
  int n = 0;
  double hi = 0;
  ASSERT_EQ(dfsGetItemStats(h, 1, 2, nullptr, &hi, nullptr, nullptr, nullptr, &n, nullptr, nullptr),
            0);
  EXPECT_EQ(hi, 107.0);
  EXPECT_EQ(n, 2);
  ErrorRecorder errors;
  EXPECT_EQ(dfsGetItemStats(h, 1, 5, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr),
            2008);
  dfsFileClose(h, &f);
}

// The keys present are the keys: an application's first static item is its
// own, even when it is an integer item on an EqD1 axis.
TEST_F(Compression, AnApplicationStaticItemIsNeverTakenForAKey) {
  const std::string path = write("compressed_static.dfs");
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  std::vector<int> x(5), y(5);
  ASSERT_EQ(dfsGetEncodeKey(h, x.data(), y.data(), nullptr), 0);
  EXPECT_EQ(x, std::vector<int>(kX, kX + 5));
  EXPECT_EQ(y, std::vector<int>(kY, kY + 5));
  int status = -1;
  LPITEM it = dfsStaticRead(f, &status);
  const dfstest::StaticGuard itGuard(it);
  ASSERT_NE(it, nullptr);
  EXPECT_STREQ(it->name, "Cell codes");
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsFindTimeStep(h, f, 1), 0);
  ASSERT_EQ(dfsFindBlockStatic(h, f), 0);
  it = dfsStaticRead(f, &status);
  ASSERT_NE(it, nullptr);
  EXPECT_STREQ(it->name, "Cell codes");
  std::vector<int> codes(5);
  ASSERT_EQ(dfsStaticGetData(it, codes.data()), 0);
  EXPECT_EQ(codes[4], 15);
  dfsStaticDestroy(&it);
  EXPECT_EQ(dfsStaticRead(f, &status), nullptr);
  EXPECT_EQ(status, 0);
  ASSERT_EQ(dfsFindItemStatic(h, f, 1), 0);
  it = dfsStaticRead(f, &status);
  ASSERT_NE(it, nullptr);
  EXPECT_STREQ(it->name, "Cell codes");
  dfsStaticDestroy(&it);
  EXPECT_EQ(dfsFindItemStatic(h, f, 2), DFS_ITEM_OUTSIDE);
  dfsFileClose(h, &f);
}

// A memory stream of the whole file, handed out in small buffers.
std::vector<unsigned char> g_stream;
size_t g_streamRead = 0;
unsigned char g_streamBuffer[40];
size_t refillStream() {
  const size_t n = std::min(sizeof g_streamBuffer, g_stream.size() - g_streamRead);
  std::memcpy(g_streamBuffer, g_stream.data() + g_streamRead, n);
  g_streamRead += n;
  return n;
}

// Whether the static item behind the keys is one cannot be told before it
// is read, and a memory stream cannot move back before it again: it is
// passed whole, and the stream reads on behind it.
TEST_F(Compression, AMemoryStreamReadsOnBehindTheKeys) {
  g_stream = dfstest::readBytes(write("compressed_stream.dfs"));
  g_streamRead = 0;
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsStreamRead(g_streamBuffer, sizeof g_streamBuffer, refillStream, &h, &f), 0);
  EXPECT_EQ(kfsPeekError(f), 0u);
  EXPECT_EQ(dfsGetEncodeKeySize(h), 5);
  int status = -1;
  EXPECT_EQ(dfsStaticRead(f, &status), nullptr);
  EXPECT_EQ(status, 0);
  std::vector<float> levels(12);
  std::vector<int> flags(12);
  for (int s = 0; s < 2; ++s) {
    ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, levels.data()), 0);
    ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, flags.data()), 0);
    EXPECT_EQ(levels[7], grid(s)[7]);
    EXPECT_EQ(flags[10], s * 1000 + 10);
  }
  dfsFileClose(h, &f);
}

TEST_F(Compression, WithCompressionEnabledTheArraysHoldTheStoredValues) {
  ASSERT_EQ(dfsItemEnableCompression(header), 0);
  const std::string path = dfstest::workPath("compressed_enabled.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  const float stored[5] = {1.f, 2.f, 3.f, 4.f, 5.f};
  const int flags[5] = {6, 7, 8, 9, 10};
  ASSERT_EQ(dfsWriteItemTimeStep(header, f, stored, 0.0), 0);
  ASSERT_EQ(dfsWriteItemTimeStep(header, f, flags, 0.0), 0);
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  dfstest::expectDfsdumpAccepts(path);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  ASSERT_EQ(dfsItemEnableCompression(h), 0);
  std::vector<float> back(6, -1.f);
  ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, back.data()), 0);
  EXPECT_EQ(back, (std::vector<float>{1.f, 2.f, 3.f, 4.f, 5.f, -1.f}));
  dfsFileClose(h, &f);
}

TEST_F(Compression, KeysOutsideTheGridAreRefusedOnWriteAndRead) {
  const std::string path = write("compressed_keys.dfs");
  ErrorRecorder errors;
  // A key beyond the grid of the item: nothing is written.
  const int badX[5] = {0, 1, 4, 2, 0};
  ASSERT_EQ(dfsSetEncodeKey(header, badX, kY, nullptr, 5), 0);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(dfstest::workPath("compressed_keys2.dfs").c_str(), header, &f), 0);
  const long long where = kfsTell64(f);
  EXPECT_EQ(dfsWriteItemTimeStep(header, f, grid(0).data(), 0.0), 2010);
  EXPECT_EQ(kfsTell64(f), where);
  ASSERT_EQ(dfsFileClose(header, &f), 0);

  // Keys of a file read back that do not fit its grid never place a value
  // outside the caller's array.
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  h->dfsEncode.ykey[3] = 3;  // row 3 of a 3-row grid
  std::vector<float> v(13, 5.f);
  EXPECT_EQ(dfsReadItemTimeStep(h, f, nullptr, v.data()), 2010);
  EXPECT_EQ(v, std::vector<float>(13, 5.f));
  h->dfsEncode.ykey[3] = -1;
  EXPECT_EQ(dfsReadItemTimeStep(h, f, nullptr, v.data()), 2010);
  EXPECT_EQ(h->itemCounter, 0);
  h->dfsEncode.ykey[3] = 2;  // the file itself is sound
  ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, v.data()), 0);
  EXPECT_EQ(v[10], 10.f);
  dfsFileClose(h, &f);
}

}  // namespace
