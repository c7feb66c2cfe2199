// Files written by the library are pinned byte for byte: the container with
// small and large records (to disk and to a memory stream), data files with
// statistics types 1, 2 and 3, with unit conversion, compression, a double
// series and an append. Reworking the reader or writer for speed must not
// move a single byte, so every file is compared with the SHA-256 of the
// bytes the library wrote before that work. Only the creation and edit
// stamps of the container header (local time) are masked.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_timestep.h"
#include "sha256_support.h"

namespace {

using koracoretest::sha256Hex;

// The stamps lie behind the first 0x1A after the API identifier: creation
// at B..B+11, last edit at B+20..B+31.
std::vector<unsigned char> withoutStamps(std::vector<unsigned char> bytes) {
  size_t mark = 8;
  while (mark < bytes.size() && bytes[mark] != 0x1A) ++mark;
  const size_t base = mark + 1;
  for (size_t at : {base, base + 20})
    for (size_t i = at; i < at + 12 && i < bytes.size(); ++i) bytes[i] = 0;
  return bytes;
}

// The independent reader also accepts every data file, statistics included.
std::string digestOf(const std::string& path) {
  if (path.size() > 4 && path.compare(path.size() - 4, 4, ".dfs") == 0)
    dfstest::expectDfsdumpAccepts(path);
  const std::vector<unsigned char> bytes = dfstest::readBytes(path);
  EXPECT_FALSE(bytes.empty()) << path;
  return sha256Hex(withoutStamps(bytes));
}

// ---- container -------------------------------------------------------------

std::vector<unsigned char>& drained() {
  static std::vector<unsigned char> bytes;
  return bytes;
}

// Records of every type from one element up to well past the sizes where a
// writer might change strategy (joined headers, scratch areas, buffers), and
// blocks of small and large records.
void writeContainerBody(kfsHandle f) {
  unsigned char small[24];
  for (int r = 0; r < 300; ++r) {
    const int type = 1 + r % 7;
    const unsigned int count = 1 + static_cast<unsigned int>(r % 3);
    for (int i = 0; i < 24; ++i) small[i] = static_cast<unsigned char>(r * 7 + i * 13);
    ASSERT_EQ(kfsLrecWrite(f, type, count, small), 0u);
    if (r % 50 == 49) {
      kfsLblock block = kfsLblockAdd(kfsTypeInt2, 2, small, 1, nullptr);
      kfsLblockAdd(kfsTypeDouble, 1, small + 8, 1, block);
      ASSERT_EQ(kfsLblockWrite(static_cast<unsigned int>(r), f, block), 0u);
      kfsLblockFree(&block);
    }
  }
  ASSERT_EQ(kfsLblockWrite(7, f, nullptr), 0u);
  std::vector<float> floats(20000);
  for (size_t i = 0; i < floats.size(); ++i) floats[i] = std::sin(static_cast<float>(i)) * 1e3f;
  for (unsigned int count : {16u, 17u, 1023u, 1024u, 1025u, 20000u})
    ASSERT_EQ(kfsLrecWrite(f, kfsTypeFloat, count, floats.data()), 0u);
  std::vector<double> doubles(7000);
  for (size_t i = 0; i < doubles.size(); ++i) doubles[i] = std::cos(static_cast<double>(i)) / 3.0;
  ASSERT_EQ(kfsLrecWrite(f, kfsTypeDouble, 7000, doubles.data()), 0u);
  std::vector<int> ints(5000);
  for (size_t i = 0; i < ints.size(); ++i) ints[i] = static_cast<int>(i * 2654435761u);
  ASSERT_EQ(kfsLrecWrite(f, kfsTypeInt4, 5000, ints.data()), 0u);
  ASSERT_EQ(kfsLrecWrite(f, kfsTypeByte, 9000, ints.data()), 0u);
  ASSERT_EQ(kfsLrecWrite(f, kfsTypeUInt2, 3000, ints.data()), 0u);
  kfsLblock block = kfsLblockAdd(kfsTypeDouble, 7000, doubles.data(), 0, nullptr);
  kfsLblockAdd(kfsTypeFloat, 1, floats.data() + 3, 1, block);
  ASSERT_EQ(kfsLblockWrite(40000, f, block), 0u);
  kfsLblockFree(&block);
  for (int r = 0; r < 1000; ++r) ASSERT_EQ(kfsLrecWrite(f, kfsTypeFloat, 1, &floats[r]), 0u);
}

unsigned char gStreamBuffer[1000];

size_t collect(size_t filled) {
  drained().insert(drained().end(), gStreamBuffer, gStreamBuffer + filled);
  return filled;
}

TEST(ByteIdentity, ContainerToDiskAndToAStream) {
  EXPECT_EQ(sha256Hex({'a', 'b', 'c'}),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const std::string path = dfstest::workPath("identity_container.kfs");
  kfsHandle f = nullptr;
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), "Identity", &f, nullptr, 0), 0u);
  writeContainerBody(f);
  ASSERT_EQ(kfsFileClose(&f), 0u);
  EXPECT_EQ(digestOf(path), "7809cc6fa094ba3efb47cfde74a5aa68d068edd99999ecbd2f97a010894bc9a1");

  drained().clear();
  ASSERT_EQ(
      kfsStreamOpenCreate(gStreamBuffer, sizeof gStreamBuffer, collect, "Identity", &f, nullptr),
      0u);
  writeContainerBody(f);
  ASSERT_EQ(kfsFileClose(&f), 0u);
  EXPECT_EQ(withoutStamps(drained()), withoutStamps(dfstest::readBytes(path)));
}

// ---- data files ------------------------------------------------------------

// A value of a cell in a step, with missing cells, a negative zero and, once,
// a value that is not a number, so that every branch of the statistics is
// taken.
double cellValue(int step, int cell) {
  if ((cell + step) % 7 == 3) return -1.0;  // marks a missing value
  if (cell == 5 && step == 2) return std::numeric_limits<double>::quiet_NaN();
  if (cell == 6) return -0.0;
  return std::sin(0.37 * cell + 0.11 * step) * (10.0 + cell) + step * 0.5;
}

template <typename T>
std::vector<T> stepValues(int step, int cells, T missing) {
  std::vector<T> v(static_cast<size_t>(cells));
  for (int c = 0; c < cells; ++c) {
    const double x = cellValue(step, c);
    v[static_cast<size_t>(c)] = x == -1.0 ? missing : static_cast<T>(x);
  }
  return v;
}

template <typename T>
std::vector<T> stepCounts(int step, int cells, T missing) {
  std::vector<T> v(static_cast<size_t>(cells));
  for (int c = 0; c < cells; ++c)
    v[static_cast<size_t>(c)] = (c + step) % 5 == 1 ? missing : static_cast<T>(c * 3 + step);
  return v;
}

constexpr int kCells = 12 * 9;

// Five items of the five types that keep statistics, on 12 x 9 grids; the
// first converts from centimetre on writing.
LPHEAD mixedHeader(int statsType, int fileType) {
  LPHEAD h = dfstest::gridHeader(5, 12, 9, statsType, fileType);
  const int meter = dfstest::unitId("meter");
  const int types[5] = {kfsTypeFloat, kfsTypeDouble, kfsTypeInt4, kfsTypeByte, kfsTypeUInt4};
  for (int n = 2; n <= 5; ++n) {
    EXPECT_EQ(dfsSetItemInfo(h, dfsItemD(h, n), dfstest::kAnyItem, "Mixed", meter, types[n - 1]),
              0);
    EXPECT_EQ(dfsSetItemAxisEqD2(dfsItemD(h, n), meter, 12, 9, 0.f, 0.f, 1.f, 1.f), 0);
  }
  EXPECT_EQ(dfsSetItemUnitConversion(dfsItemD(h, 1), 2, dfstest::unitId("centimeter")), 0);
  return h;
}

void writeMixedSteps(LPHEAD h, kfsHandle f, int first, int steps) {
  for (int s = first; s < first + steps; ++s) {
    const double time = 30.0 * s + 0.25 * s * s;
    ASSERT_EQ(dfsWriteItemTimeStep(h, f, stepValues<float>(s, kCells, h->deleteFloat).data(), time),
              0);
    ASSERT_EQ(
        dfsWriteItemTimeStep(h, f, stepValues<double>(s, kCells, h->deleteDouble).data(), time), 0);
    ASSERT_EQ(dfsWriteItemTimeStep(h, f, stepCounts<int>(s, kCells, h->deleteInt).data(), time), 0);
    ASSERT_EQ(dfsWriteItemTimeStep(h, f, stepCounts<unsigned char>(s, kCells, h->deleteByte).data(),
                                   time),
              0);
    ASSERT_EQ(dfsWriteItemTimeStep(
                  h, f, stepCounts<unsigned int>(s, kCells, h->deleteUnsigned).data(), time),
              0);
  }
}

std::string writeMixed(const std::string& name, int statsType, int fileType) {
  const std::string path = dfstest::workPath(name);
  LPHEAD h = mixedHeader(statsType, fileType);
  kfsHandle f = nullptr;
  EXPECT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  writeMixedSteps(h, f, 0, 12);
  EXPECT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  return path;
}

class ByteIdentityFiles : public ::testing::Test {
 protected:
  void SetUp() override { dfstest::loadUnits(); }
};

TEST_F(ByteIdentityFiles, StatisticsTypesOneTwoAndThree) {
  EXPECT_EQ(digestOf(writeMixed("identity_stats1.dfs", F_NO_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS)),
            "4d1ed26c5da97bfd334127ee0edeaabf9070e5325c9aa3d7f1e1ba68548cce3d");
  EXPECT_EQ(digestOf(writeMixed("identity_stats2.dfs", F_REG_STAT, F_EQTIME_FIXEDSPACE_ALLITEMS)),
            "1e644a6b40f57cc94ff68f94abe1ac3caa37c1ea4c704aa78f89c48449dfc976");
  EXPECT_EQ(
      digestOf(writeMixed("identity_stats3.dfs", F_LARGE_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS)),
      "ac4e736e2bf90f1d12ca075250a02f09129ef6e248485a4f4116190882eec472");
}

// Accumulators read back from the file go on from where they stood.
TEST_F(ByteIdentityFiles, AppendedSteps) {
  const std::string path =
      writeMixed("identity_append.dfs", F_REG_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  ASSERT_EQ(dfsFileAppend(path.c_str(), &h, &f), 0);
  ASSERT_EQ(dfsSetItemUnitConversion(dfsItemD(h, 1), 2, dfstest::unitId("centimeter")), 0);
  writeMixedSteps(h, f, 12, 5);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(digestOf(path), "68d2a096b910f31829c0a835d421d773fa3ab09d43644bd529e216634fea4dc3");
}

TEST_F(ByteIdentityFiles, Compressed) {
  LPHEAD h = dfstest::gridHeader(2, 4, 3, F_REG_STAT);
  ASSERT_EQ(dfsSetItemInfo(h, dfsItemD(h, 2), dfstest::kAnyItem, "Flags", dfstest::unitId("meter"),
                           kfsTypeInt4),
            0);
  ASSERT_EQ(dfsSetItemAxisEqD2(dfsItemD(h, 2), 1000, 4, 3, 0.f, 0.f, 1.f, 1.f), 0);
  const int x[5] = {0, 1, 3, 2, 0}, y[5] = {0, 0, 1, 2, 2};
  ASSERT_EQ(dfsSetEncodeKey(h, x, y, nullptr, 5), 0);
  const std::string path = dfstest::workPath("identity_compressed.dfs");
  kfsHandle f = nullptr;
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  for (int s = 0; s < 9; ++s) {
    ASSERT_EQ(dfsWriteItemTimeStep(h, f, stepValues<float>(s, 12, h->deleteFloat).data(), 0.0), 0);
    ASSERT_EQ(dfsWriteItemTimeStep(h, f, stepCounts<int>(s, 12, h->deleteInt).data(), 0.0), 0);
  }
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(digestOf(path), "f3420b91ad08e8d0cfefbdc60d8f66b835e1e23f79529234d3b5ea862d50fb6c");
}

// Rows of doubles through the series writer: two float and two double
// single-point items with missing values, over a calendar axis in hours.
TEST_F(ByteIdentityFiles, DoubleSeries) {
  LPHEAD h = nullptr;
  ASSERT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Gauges", "tests", 1, 4, F_REG_STAT, &h),
            0);
  ASSERT_EQ(dfsSetEqCalendarAxis(h, "2024-03-01", "00:00:00", dfstest::unitId("hour"), 0, 0.0, 0.5),
            0);
  const int meter = dfstest::unitId("meter");
  const int types[4] = {kfsTypeFloat, kfsTypeDouble, kfsTypeFloat, kfsTypeDouble};
  for (int n = 1; n <= 4; ++n)
    ASSERT_EQ(dfsSetItemInfo(h, dfsItemD(h, n), dfstest::kAnyItem, "Gauge", meter, types[n - 1]),
              0);
  const int steps = 200;
  std::vector<double> rows;
  for (int s = 0; s < steps; ++s) {
    rows.push_back(1800.0 * s);
    for (int n = 0; n < 4; ++n) {
      const double x = cellValue(s, n * 3);
      rows.push_back(x == -1.0 ? h->deleteDouble : x / 3.0);
    }
  }
  const std::string path = dfstest::workPath("identity_series.dfs");
  kfsHandle f = nullptr;
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  ASSERT_EQ(dfsWriteDfs0DataDouble(h, f, rows.data(), steps), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(digestOf(path), "91421f35952ed3fe14e9d77011d617473e0a7690e6a8b47ba219272246d5db96");
}

}  // namespace
