// Item statistics: the accumulators of every simple type, what is derived
// from them, their units, and their way to disk with the header.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_stats.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

using dfstest::ErrorRecorder;

// One item per simple type that keeps statistics, each of two elements on an
// EqD1 axis: element 0 gets 1, 2, missing, 4; element 1 is always missing.
class Statistics : public ::testing::Test {
 protected:
  void SetUp() override {
    dfstest::loadUnits();
    ASSERT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "stats", "tests", 1, 5, F_REG_STAT, &h),
              0);
    ASSERT_EQ(dfsSetEqTimeAxis(h, dfstest::kSecond, 0, 0.0, 1.0), 0);
    const int meter = dfstest::unitId("meter");
    for (int n = 1; n <= 5; ++n) {
      ASSERT_EQ(dfsSetItemInfo(h, dfsItemD(h, n), dfstest::kAnyItem, "x", meter, kTypes[n - 1]), 0);
      ASSERT_EQ(dfsSetItemAxisEqD1(dfsItemD(h, n), meter, 2, 0.f, 1.f), 0);
    }
  }
  void TearDown() override { dfsHeaderDestroy(&h); }

  template <typename T>
  void add(int n, T del) {
    const T steps[4][2] = {{1, del}, {2, del}, {del, del}, {4, del}};
    for (const auto& s : steps) ASSERT_EQ(dfsCalcStatistics(h, n, s), 0);
  }
  void addAll() {
    add<float>(1, h->deleteFloat);
    add<double>(2, h->deleteDouble);
    add<uint8_t>(3, h->deleteByte);
    add<int32_t>(4, h->deleteInt);
    add<uint32_t>(5, h->deleteUnsigned);
  }

  static constexpr int kTypes[5] = {kfsTypeFloat, kfsTypeDouble, kfsTypeByte, kfsTypeInt4,
                                    kfsTypeUInt4};
  LPHEAD h = nullptr;
};

TEST_F(Statistics, OneTwoMissingFourOfEveryType) {
  addAll();
  const double D = h->deleteDouble;
  for (int n = 1; n <= 5; ++n) {
    SCOPED_TRACE(n);
    double lo, hi, mean, sd, ac;
    int values, missing, pairs;
    ASSERT_EQ(dfsGetItemStats(h, n, 0, &lo, &hi, &mean, &sd, &ac, &values, &missing, &pairs), 0);
    EXPECT_EQ(values, 3);
    EXPECT_DOUBLE_EQ(mean, 7.0 / 3.0);
    EXPECT_EQ(pairs, 1);  // 1 x 2 only: the missing value breaks the pairs
    EXPECT_EQ(missing, 1);
    EXPECT_EQ(hi, 4.0);
    EXPECT_EQ(lo, 1.0);
    EXPECT_DOUBLE_EQ(sd, std::sqrt(7.0 / 3.0));
    EXPECT_NEAR(ac, -31.0 / 21.0, 1e-12);
    ASSERT_EQ(dfsGetItemStats(h, n, 1, &lo, &hi, &mean, &sd, &ac, &values, &missing, &pairs), 0);
    EXPECT_EQ(values, 0);
    EXPECT_EQ(missing, 4);
    EXPECT_EQ(mean, D);
    EXPECT_EQ(sd, D);
    EXPECT_EQ(ac, D);
    EXPECT_EQ(hi, D);
    int wide = 0;
    ASSERT_EQ(dfsGetItemStatsGlobal(dfsItemD(h, n), &lo, &hi, &wide), 0);
    EXPECT_EQ(lo, 1.0);
    EXPECT_EQ(hi, 4.0);
    EXPECT_EQ(wide, 5);
  }
}

TEST_F(Statistics, OneValueHasNoSpreadAndAConstantNoCorrelation) {
  const float one[2] = {3.f, 3.f};
  ASSERT_EQ(dfsCalcStatistics(h, 1, one), 0);
  double sd = 0, ac = 0, mean = 0;
  ASSERT_EQ(dfsGetItemStats(h, 1, 0, nullptr, nullptr, &mean, &sd, &ac, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(mean, 3.0);
  EXPECT_EQ(sd, h->deleteDouble);
  ASSERT_EQ(dfsCalcStatistics(h, 1, one), 0);
  ASSERT_EQ(dfsGetItemStats(h, 1, 0, nullptr, nullptr, &mean, &sd, &ac, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(sd, 0.0);
  EXPECT_EQ(ac, h->deleteDouble);  // no variance to divide by
}

TEST_F(Statistics, AreHandedOutInTheUnitOfTheConversion) {
  const int celsius = dfstest::unitId("degree Celsius");
  const int fahrenheit = dfstest::unitId("degree Fahrenheit");
  LPITEM it = dfsItemD(h, 1);
  ASSERT_EQ(dfsSetItemInfo(h, it, dfstest::kAnyItem, "Water temperature", celsius, kfsTypeFloat),
            0);
  ASSERT_EQ(dfsSetItemAxisEqD1(it, 1000, 2, 0.f, 1.f), 0);
  for (float t : {10.f, 14.f}) {
    const float v[2] = {t, h->deleteFloat};
    ASSERT_EQ(dfsCalcStatistics(h, 1, v), 0);
  }
  ASSERT_EQ(dfsSetItemUnitConversion(it, 2, fahrenheit), 0);
  double lo, hi, mean, sd;
  ASSERT_EQ(dfsGetItemStats(h, 1, 0, &lo, &hi, &mean, &sd, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_NEAR(lo, 50.0, 1e-9);
  EXPECT_NEAR(hi, 57.2, 1e-9);
  EXPECT_NEAR(mean, 53.6, 1e-9);
  // A spread converts by the factor only: sqrt(8) degree Celsius.
  EXPECT_NEAR(sd, std::sqrt(8.0) * 1.8, 1e-9);
  ASSERT_EQ(dfsGetItemStats(h, 1, 1, &lo, nullptr, &mean, &sd, nullptr, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(lo, h->deleteDouble);  // the delete value is not converted
  EXPECT_EQ(mean, h->deleteDouble);
  EXPECT_EQ(sd, h->deleteDouble);
  int missing = 0;
  ASSERT_EQ(dfsGetItemStatsGlobal(it, &lo, &hi, &missing), 0);
  EXPECT_NEAR(hi, 57.2, 1e-9);
  EXPECT_EQ(missing, 2);
}

TEST_F(Statistics, RefusalsNameTheirCause) {
  ErrorRecorder errors;
  double mean = 0;
  EXPECT_EQ(dfsGetItemStats(h, 6, 0, nullptr, nullptr, &mean, nullptr, nullptr, nullptr, nullptr,
                            nullptr),
            2007);
  EXPECT_EQ(dfsGetItemStats(h, 1, 2, nullptr, nullptr, &mean, nullptr, nullptr, nullptr, nullptr,
                            nullptr),
            2008);
  EXPECT_EQ(dfsGetItemStats(h, 1, -1, nullptr, nullptr, &mean, nullptr, nullptr, nullptr, nullptr,
                            nullptr),
            2008);
  const short s[2] = {1, 2};
  ASSERT_EQ(dfsSetItemInfo(h, dfsItemD(h, 1), dfstest::kAnyItem, "x", 1000, kfsTypeInt2), 0);
  EXPECT_EQ(dfsCalcStatistics(h, 1, s), 2010);
  EXPECT_EQ(dfsCalcStatistics(h, 2, nullptr), 1000);
  h->statsType = 7;
  EXPECT_EQ(dfsCalcStatistics(h, 2, s), 2010);
  EXPECT_EQ(dfsGetItemStats(h, 2, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr),
            2010);
  h->statsType = F_NO_STAT;
  EXPECT_EQ(dfsGetItemStats(h, 2, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr),
            1000);
  EXPECT_EQ(dfsGetItemStatsGlobal(nullptr, nullptr, nullptr, nullptr), 1000);
}

TEST(StatisticsOnDisk, TravelWithTheHeaderAndAreRefreshedInPlace) {
  dfstest::loadUnits();
  for (int statsType : {F_NO_STAT, F_REG_STAT, F_LARGE_STAT}) {
    SCOPED_TRACE(statsType);
    LPHEAD h = dfstest::gridHeader(2, 3, 2, statsType);
    const dfstest::HeaderGuard hGuard(h);
    const std::string path = dfstest::workPath("stats_" + std::to_string(statsType) + ".dfs");
    kfsHandle f = nullptr;
    const dfstest::KfsFileGuard fGuard(f);
    ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
    const long long size = static_cast<long long>(dfstest::readBytes(path).size());
    std::vector<float> v(6);
    for (int s = 0; s < 3; ++s) {
      for (int e = 0; e < 6; ++e)
        v[static_cast<size_t>(e)] = e == 4 ? h->deleteFloat : s * 1.5f - e;
      ASSERT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 0.0), 0);
      ASSERT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 0.0), 0);
    }
    ASSERT_EQ(dfsFileClose(h, &f), 0);
    const std::vector<int> tags = dfstest::blockSequence(path);
    EXPECT_EQ(std::count(tags.begin(), tags.end(), 30003), statsType == F_NO_STAT ? 0 : 2);
    dfstest::expectDfsdumpAccepts(path);

    LPHEAD r = nullptr;
    const dfstest::HeaderGuard rGuard(r);
    ASSERT_EQ(dfsFileRead(path.c_str(), &r, &f), 0);
    for (int n = 0; n < 2; ++n) {
      EXPECT_EQ(r->items[n].itemMax, h->items[n].itemMax);
      EXPECT_EQ(r->items[n].itemMin, h->items[n].itemMin);
      EXPECT_EQ(r->items[n].itemMissing, 3.0);
      ASSERT_EQ(r->items[n].nStats, h->items[n].nStats);
      for (int i = 0; i < h->items[n].nStats; ++i)
        EXPECT_EQ(r->items[n].stats[i], h->items[n].stats[i]);
    }
    EXPECT_EQ(r->items[0].itemMax, 3.0);
    EXPECT_EQ(r->items[0].itemMin, -5.0);
    // The header on disk did not grow: the statistics were written in place.
    EXPECT_EQ(static_cast<long long>(dfstest::readBytes(path).size()) - size,
              4 + 3 * (4 + 2 * (5 + 6 * 4)));
    dfsFileClose(r, &f);
  }
}

// Steps without a missing value take a shorter way through the
// accumulators than steps with one. Item 1 sees element 0 the same as item 2
// does, but item 2's element 1 is missing in every other step: the
// accumulators of element 0 must agree to the last bit, also right after a
// missing value of element 0 itself breaks the pairs.
template <typename T>
void ExpectFullAndGappedStepsAlike(int type, T (*del)(LPHEAD)) {
  LPHEAD h = nullptr;
  ASSERT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "stats", "tests", 1, 2, F_REG_STAT, &h),
            0);
  const dfstest::HeaderGuard guard(h);
  ASSERT_EQ(dfsSetEqTimeAxis(h, dfstest::kSecond, 0, 0.0, 1.0), 0);
  const int meter = dfstest::unitId("meter");
  for (int n = 1; n <= 2; ++n) {
    ASSERT_EQ(dfsSetItemInfo(h, dfsItemD(h, n), dfstest::kAnyItem, "x", meter, type), 0);
    ASSERT_EQ(dfsSetItemAxisEqD1(dfsItemD(h, n), meter, 2, 0.f, 1.f), 0);
  }
  const T missing = del(h);
  for (int s = 0; s < 40; ++s) {
    const T x = s % 13 == 6 ? missing : static_cast<T>(std::sin(0.7 * s) * 100.0 + s / 3.0);
    const T y = static_cast<T>(s * 0.1);
    const T full[2] = {x, y};
    const T gapped[2] = {x, s % 2 ? missing : y};
    ASSERT_EQ(dfsCalcStatistics(h, 1, full), 0);
    ASSERT_EQ(dfsCalcStatistics(h, 2, gapped), 0);
  }
  const double* a = h->items[0].stats;
  const double* b = h->items[1].stats;
  for (int k = 0; k < 9; ++k) EXPECT_EQ(std::memcmp(a + k, b + k, sizeof(double)), 0) << k;
  int pairs = 0;
  ASSERT_EQ(dfsGetItemStats(h, 1, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            &pairs),
            0);
  EXPECT_EQ(pairs, 39 - 2 * 3);  // steps 6, 19 and 32 are missing and break two pairs each
}

TEST(StatisticsPaths, FullAndGappedStepsAccumulateAlike) {
  dfstest::loadUnits();
  ExpectFullAndGappedStepsAlike<float>(kfsTypeFloat, [](LPHEAD h) { return h->deleteFloat; });
  ExpectFullAndGappedStepsAlike<double>(kfsTypeDouble, [](LPHEAD h) { return h->deleteDouble; });
  ExpectFullAndGappedStepsAlike<int32_t>(kfsTypeInt4, [](LPHEAD h) { return h->deleteInt; });
}

}  // namespace
