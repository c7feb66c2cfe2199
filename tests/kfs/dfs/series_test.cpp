// Single-point series moved as rows of doubles: time in seconds and one
// value per item, written and read in one call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

using dfstest::ErrorRecorder;

class Series : public ::testing::Test {
 protected:
  // A gauge with a float level, a double discharge and an integer flag.
  LPHEAD gauge(int fileType) {
    dfstest::loadUnits();
    LPHEAD h = nullptr;
    EXPECT_EQ(dfsHeaderCreate(fileType, "Gauge 12", "tests", 1, 3, F_REG_STAT, &h), 0);
    const int hour = dfstest::unitId("hour");
    if (fileType == F_EQTIME_FIXEDSPACE_ALLITEMS)
      EXPECT_EQ(dfsSetEqCalendarAxis(h, "2024-03-01", "00:00:00", hour, 0, 0.0, 0.5), 0);
    else
      EXPECT_EQ(dfsSetNeqTimeAxis(h, hour, 0), 0);
    const int meter = dfstest::unitId("meter");
    const int types[3] = {kfsTypeFloat, kfsTypeDouble, kfsTypeInt4};
    const char* names[3] = {"Level", "Discharge", "Flag"};
    for (int n = 1; n <= 3; ++n)
      EXPECT_EQ(
          dfsSetItemInfo(h, dfsItemD(h, n), dfstest::kAnyItem, names[n - 1], meter, types[n - 1]),
          0);
    return h;
  }
};

TEST_F(Series, RowsRoundTripWithDeleteValuesAndSeconds) {
  LPHEAD h = gauge(F_EQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  const double D = dfsGetDeleteValDouble(h);
  // time (ignored by an equidistant axis), level, discharge, flag
  const std::vector<double> rows = {0,    1.25, 0.1,       3,  //
                                    1800, D,    D,         4,  //
                                    3600, 1.5,  1.0 / 3.0, 5};
  const std::string path = dfstest::workPath("gauge.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  ASSERT_EQ(dfsWriteDfs0DataDouble(h, f, rows.data(), 3), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(path);

  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  std::vector<double> all(3 * 4, -1.0);
  ASSERT_EQ(dfsReadDfs0DataDouble(h, f, all.data()), 0);
  const std::vector<double> expected = {0,    1.25, 0.1,       D,  //
                                        1800, D,    D,         D,  //
                                        3600, 1.5,  1.0 / 3.0, D};
  EXPECT_EQ(all, expected);  // the flag has no double form: delete values
  std::vector<double> listed(3 * 3, -1.0);
  const int items[2] = {2, 1};
  ASSERT_EQ(dfsReadDfs0ItemsDouble(h, f, listed.data(), items, 2), 0);
  EXPECT_EQ(listed, (std::vector<double>{0, 0.1, 1.25, 1800, D, D, 3600, 1.0 / 3.0, 1.5}));
  ErrorRecorder errors;
  const int bad[2] = {1, 4};
  std::vector<double> untouched(9, -1.0);
  EXPECT_EQ(dfsReadDfs0ItemsDouble(h, f, untouched.data(), bad, 2), 2010);
  EXPECT_EQ(untouched, std::vector<double>(9, -1.0));
  dfsFileClose(h, &f);
}

TEST_F(Series, NonEquidistantTimesTravelInSecondsAndComeBackFromTheStart) {
  LPHEAD h = gauge(F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  const std::vector<double> rows = {7200,  1, 2, 0,  //
                                    9000,  3, 4, 0,  //
                                    36000, 5, 6, 0};
  const std::string path = dfstest::workPath("gauge_neq.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  ASSERT_EQ(dfsWriteDfs0DataDouble(h, f, rows.data(), 3), 0);
  EXPECT_EQ(h->time.start, 2.0);  // hours
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(path);

  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  std::vector<double> out(12);
  const int level = 1;
  ASSERT_EQ(dfsReadDfs0ItemsDouble(h, f, out.data(), &level, 1), 0);
  EXPECT_EQ(out[0], 0.0);
  EXPECT_DOUBLE_EQ(out[2], 1800.0);
  EXPECT_DOUBLE_EQ(out[4], 28800.0);
  EXPECT_EQ(out[5], 5.0);
  dfsFileClose(h, &f);
}

TEST_F(Series, ItemsOfMoreThanOneValueAreNoSeries) {
  LPHEAD h = gauge(F_EQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsSetItemAxisEqD1(dfsItemD(h, 2), 1000, 4, 0.f, 1.f), 0);
  const std::string path = dfstest::workPath("gauge_wide.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  const std::vector<double> rows(4, 0.0);
  ErrorRecorder errors;
  EXPECT_EQ(dfsWriteDfs0DataDouble(h, f, rows.data(), 1), 2010);
  EXPECT_EQ(h->itemCounter, 0);
  std::vector<double> out(4);
  EXPECT_EQ(dfsReadDfs0DataDouble(h, f, out.data()), 2010);
  EXPECT_EQ(dfsWriteDfs0DataDouble(h, f, nullptr, 1), 1000);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(path);  // refused rows left nothing behind
}

}  // namespace
