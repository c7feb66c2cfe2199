// Time-step data: the layout of a step, times of non-equidistant axes,
// bit-exact round trips of every simple type, unit conversion on the way,
// skipping and direct positioning, rounding, appending, reading a file while
// it is written, and the entry points that are not supported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_stats.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

using dfstest::ErrorRecorder;
using dfstest::kSecond;

// The value of element e of item n in step s: every value of a file differs.
float valueAt(int step, int item, int e) { return step * 100.0f + item * 10.0f + e * 0.5f; }

std::vector<float> stepValues(int step, int item, int n) {
  std::vector<float> v(static_cast<size_t>(n));
  for (int e = 0; e < n; ++e) v[static_cast<size_t>(e)] = valueAt(step, item, e);
  return v;
}

// Writes `steps` steps of every item (10 floats each) at times 3600 x (s+1).
void writeSteps(LPHEAD h, kfsHandle f, int first, int steps) {
  for (int s = first; s < first + steps; ++s)
    for (int n = 1; n <= h->nItems; ++n) {
      const std::vector<float> v = stepValues(s, n, 10);
      ASSERT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 3600.0 * (s + 1)), 0);
    }
}

// A closed file of `steps` steps, which the independent reader accepts.
std::string writeFile(const std::string& name, LPHEAD h, int steps) {
  const std::string path = dfstest::workPath(name);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  EXPECT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  if (!f) return path;
  writeSteps(h, f, 0, steps);
  EXPECT_EQ(dfsFileClose(h, &f), 0);
  dfstest::expectDfsdumpAccepts(path);
  return path;
}

struct Opened {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  explicit Opened(const std::string& path) { EXPECT_EQ(dfsFileRead(path.c_str(), &h, &f), 0); }
  ~Opened() {
    dfsFileClose(h, &f);
    dfsHeaderDestroy(&h);
  }
};

// The non-equidistant time axis of a header: start, span and steps.
void expectNeqAxis(LPHEAD h, double start, double span, int steps) {
  double gotStart = 0, gotSpan = 0;
  int gotSteps = 0;
  ASSERT_EQ(dfsGetNeqTimeAxis(h, nullptr, nullptr, &gotStart, &gotSpan, &gotSteps, nullptr), 0);
  EXPECT_EQ(gotStart, start);
  EXPECT_EQ(gotSpan, span);
  EXPECT_EQ(gotSteps, steps);
}

class TimeSteps : public ::testing::Test {
 protected:
  void SetUp() override { dfstest::loadUnits(); }
};

TEST_F(TimeSteps, AStepOfTwoTenFloatItemsHolds94BytesOr107WithItsTime) {
  for (int fileType : {F_EQTIME_FIXEDSPACE_ALLITEMS, F_NEQTIME_FIXEDSPACE_ALLITEMS}) {
    LPHEAD h = dfstest::twoItemHeader(F_NO_STAT, fileType);
    const dfstest::HeaderGuard hGuard(h);
    const std::string stem = "layout" + std::to_string(fileType);
    const long long empty =
        static_cast<long long>(dfstest::readBytes(writeFile(stem + "_0.dfs", h, 0)).size());
    const std::string path = writeFile(stem + "_3.dfs", h, 3);
    const long long full = static_cast<long long>(dfstest::readBytes(path).size());
    EXPECT_EQ(full - empty, 3 * (fileType == F_EQTIME_FIXEDSPACE_ALLITEMS ? 94 : 107));
  }
}

TEST_F(TimeSteps, TheFirstStepOfANonEquidistantAxisSetsItsStart) {
  LPHEAD h = dfstest::twoItemHeader(F_NO_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = writeFile("neq_start.dfs", h, 3);
  EXPECT_EQ(h->time.start, 3600.0);
  EXPECT_EQ(h->time.span, 7200.0);
  dfsHeaderDestroy(&h);

  Opened r(path);
  expectNeqAxis(r.h, 3600.0, 7200.0, 3);
  double time = -1;
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, &time, nullptr), 0);
  EXPECT_EQ(time, 0.0);  // relative to the start while modify-times is set
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, &time, nullptr), 0);
  EXPECT_EQ(time, 0.0);  // the second item of the same step
  dfsParamModifyTimes(r.h, 0);
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, &time, nullptr), 0);
  EXPECT_EQ(time, 7200.0);
  // The span a reader asks for comes from the file's last step.
  double span = 0;
  ASSERT_EQ(_dfsGetTimeAxisSpan(r.h, r.f, &span), 0);
  EXPECT_EQ(span, 7200.0);
}

// Correcting the values of the first step in place must not shrink the axis
// to that step: the later steps are still there.
TEST_F(TimeSteps, RewritingTheFirstStepInPlaceKeepsTheSpan) {
  LPHEAD h = dfstest::twoItemHeader(F_NO_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = writeFile("neq_edit.dfs", h, 3);
  dfsHeaderDestroy(&h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileEdit(path.c_str(), &h, &f), 0);
  ASSERT_EQ(dfsFindItemDynamic(h, f, 0, 1), 0);
  const std::vector<float> corrected(10, 42.0f);
  ASSERT_EQ(dfsWriteItemTimeStep(h, f, corrected.data(), 3600.0), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);

  Opened r(path);
  expectNeqAxis(r.h, 3600.0, 7200.0, 3);
  std::vector<float> v(10);
  double time = -1;
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, &time, v.data()), 0);
  EXPECT_EQ(v, corrected);
  ASSERT_EQ(dfsFindItemDynamic(r.h, r.f, 2, 1), 0);
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, &time, v.data()), 0);
  EXPECT_EQ(time, 7200.0);
}

// An edit handle stands at the end of the header: a step written without
// positioning first is the first step, rewritten where it is, whatever lies
// between the header and the steps.
TEST_F(TimeSteps, AnEditHandleWritesTheFirstStepWhereItIs) {
  LPHEAD h = dfstest::twoItemHeader();
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = dfstest::workPath("edit_first_step.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  LPITEM bed = nullptr;
  const dfstest::StaticGuard bedGuard(bed);
  ASSERT_EQ(dfsStaticCreate(&bed), 0);
  ASSERT_EQ(
      dfsSetItemInfo(h, bed, dfstest::kAnyItem, "Bed", dfstest::unitId("meter"), kfsTypeFloat), 0);
  ASSERT_EQ(dfsSetItemAxisEqD1(bed, dfstest::unitId("meter"), 10, 0.f, 5.f), 0);
  const std::vector<float> depths(10, -3.f);
  ASSERT_EQ(dfsStaticWrite(bed, f, depths.data()), 0);
  dfsStaticDestroy(&bed);
  writeSteps(h, f, 0, 2);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  const size_t size = dfstest::readBytes(path).size();

  ASSERT_EQ(dfsFileEdit(path.c_str(), &h, &f), 0);
  const std::vector<float> corrected(10, 42.f);
  ASSERT_EQ(dfsWriteItemTimeStep(h, f, corrected.data(), 0.0), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(dfstest::readBytes(path).size(), size);
  dfstest::expectDfsdumpAccepts(path, "--no-statistics");

  Opened r(path);
  int status = -1;
  LPITEM it = dfsStaticRead(r.f, &status);
  const dfstest::StaticGuard itGuard(it);
  ASSERT_NE(it, nullptr);
  std::vector<float> v(10);
  ASSERT_EQ(dfsStaticGetData(it, v.data()), 0);
  EXPECT_EQ(v, depths);
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, v.data()), 0);
  EXPECT_EQ(v, corrected);
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, v.data()), 0);
  EXPECT_EQ(v, stepValues(0, 2, 10));
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, v.data()), 0);
  EXPECT_EQ(v, stepValues(1, 1, 10));
}

// A header that wrote one file starts the next with no steps and no times:
// the second file's axis is its own.
TEST_F(TimeSteps, AHeaderUsedForASecondFileDescribesThatFile) {
  LPHEAD h = dfstest::twoItemHeader(F_NO_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  writeFile("neq_first.dfs", h, 3);
  const std::string path = dfstest::workPath("neq_second.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  for (double time : {10.0, 20.0})
    for (int n = 1; n <= 2; ++n)
      ASSERT_EQ(dfsWriteItemTimeStep(h, f, stepValues(0, n, 10).data(), time), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(path);
  Opened r(path);
  expectNeqAxis(r.h, 10.0, 10.0, 2);
}

TEST_F(TimeSteps, CalendarStepsStartAtTheirOffsetAndEquidistantTimesCountSteps) {
  LPHEAD h = dfstest::twoItemHeader(F_NO_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsSetNeqCalendarAxis(h, "2024-01-01", "00:00:00", kSecond, 0), 0);
  const std::string path = writeFile("neq_calendar.dfs", h, 2);
  EXPECT_EQ(h->time.start, 3600.0);
  dfsHeaderDestroy(&h);
  {
    Opened r(path);
    const char *date = nullptr, *time = nullptr;
    double offset = -1;
    ASSERT_EQ(dfsGetNeqCalendarAxis(r.h, &date, &time, nullptr, nullptr, &offset, nullptr, nullptr,
                                    nullptr),
              0);
    EXPECT_STREQ(time, "01:00:00");
    double t = -1;
    ASSERT_EQ(dfsFindTimeStep(r.h, r.f, 1), 0);
    ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, &t, nullptr), 0);
    EXPECT_EQ(t, 3600.0);
  }
  h = dfstest::twoItemHeader();
  const std::string eq = writeFile("eq_times.dfs", h, 3);
  dfsHeaderDestroy(&h);
  Opened r(eq);
  double t = -1;
  ASSERT_EQ(dfsFindTimeStep(r.h, r.f, 2), 0);
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, &t, nullptr), 0);
  EXPECT_EQ(t, 2.0);
}

// Values of every simple type whose bits must survive: signed zeros,
// infinities, subnormals, NaN payloads, extreme integers.
template <typename T>
std::vector<T> extremes(int step) {
  std::vector<T> v = {std::numeric_limits<T>::lowest(), std::numeric_limits<T>::max(),
                      std::numeric_limits<T>::min(), T(0), T(step + 1)};
  if (std::numeric_limits<T>::has_infinity) {
    v.push_back(std::numeric_limits<T>::infinity());
    v.push_back(std::numeric_limits<T>::denorm_min());
    v.push_back(-T(0));
    v.push_back(std::numeric_limits<T>::quiet_NaN());
  }
  v.resize(9, T(7));
  return v;
}

TEST_F(TimeSteps, EverySimpleTypeRoundTripsBitExactly) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "types", "tests", 1, 7, F_REG_STAT, &h),
            0);
  ASSERT_EQ(dfsSetEqTimeAxis(h, kSecond, 0, 0.0, 1.0), 0);
  const int meter = dfstest::unitId("meter");
  for (int type = 1; type <= 7; ++type) {
    ASSERT_EQ(dfsSetItemInfo(h, dfsItemD(h, type), dfstest::kAnyItem, dfsSimpleTypeStr(type), meter,
                             type),
              0);
    ASSERT_EQ(dfsSetItemAxisEqD1(dfsItemD(h, type), meter, 9, 0.f, 1.f), 0);
  }
  std::vector<std::vector<unsigned char>> written;
  auto add = [&](auto values) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(values.data());
    written.emplace_back(bytes, bytes + values.size() * sizeof(values[0]));
  };
  for (int step = 0; step < 2; ++step) {
    add(extremes<float>(step));
    add(extremes<double>(step));
    add(extremes<uint8_t>(step));
    add(extremes<int32_t>(step));
    add(extremes<uint32_t>(step));
    add(extremes<int16_t>(step));
    add(extremes<uint16_t>(step));
  }
  const std::string path = dfstest::workPath("types.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  for (const auto& values : written) ASSERT_EQ(dfsWriteItemTimeStep(h, f, values.data(), 0.0), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  // A NaN value stays out of every range, and makes the sums of its element
  // NaN: the independent reader must agree on both.
  dfstest::expectDfsdumpAccepts(path);

  Opened r(path);
  for (const auto& values : written) {
    std::vector<unsigned char> got(values.size() + 16, 0xAB);
    ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, got.data()), 0);
    EXPECT_EQ(0, std::memcmp(got.data(), values.data(), values.size()));
    EXPECT_EQ(got[values.size()], 0xAB);  // nothing past the item
  }
}

TEST_F(TimeSteps, ConversionWorksOnACopyAndBackOnRead) {
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT);
  const dfstest::HeaderGuard hGuard(h);
  const int cm = dfstest::unitId("centimeter");
  LPITEM item = dfsItemD(h, 1);
  ASSERT_EQ(dfsSetItemUnitConversion(item, 2, cm), 0);
  const float del = dfsGetDeleteValFloat(h);
  std::vector<float> level = {150.f, -20.f, del, 0.f, 1.f, 2.f, 3.f, 4.f, 5.f, 6.f};
  const std::vector<float> original = level;
  const std::string path = dfstest::workPath("converted.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  for (int i = 0; i < 4; ++i) {  // two steps of both items
    ASSERT_EQ(dfsWriteItemTimeStep(h, f, level.data(), 0.0), 0);
    EXPECT_EQ(level, original);  // the caller's array is never changed
  }
  double lo = 0, hi = 0;
  int missing = 0;
  ASSERT_EQ(dfsGetItemStatsGlobal(item, &lo, &hi, &missing), 0);
  EXPECT_NEAR(hi, 150.0, 1e-4);  // handed out in centimetres again
  EXPECT_NEAR(lo, -20.0, 1e-4);
  EXPECT_EQ(missing, 2);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(path);

  Opened r(path);
  std::vector<float> stored(10), back(10);
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, stored.data()), 0);
  EXPECT_FLOAT_EQ(stored[0], 1.5f);  // metres on disk
  EXPECT_EQ(stored[2], del);
  ASSERT_EQ(dfsSkipItem(r.h, r.f), 0);
  ASSERT_EQ(dfsSetItemUnitConversion(dfsItemD(r.h, 1), 2, cm), 0);
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, back.data()), 0);
  for (size_t e = 0; e < back.size(); ++e) EXPECT_FLOAT_EQ(back[e], original[e]) << e;
}

TEST_F(TimeSteps, AConversionBetweenUnrelatedUnitsIsRefusedBeforeAnythingMoves) {
  LPHEAD h = dfstest::twoItemHeader();
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsSetItemUnitConversion(dfsItemD(h, 1), 2, kSecond), 0);
  const std::string path = dfstest::workPath("unrelated.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  const std::vector<float> v(10, 1.f);
  ErrorRecorder errors;
  EXPECT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 0.0), 2020);
  EXPECT_EQ(h->itemCounter, 0);
  EXPECT_EQ(dfs::position(f), 1);  // not even the dynamic section began
  ASSERT_EQ(dfsFileClose(h, &f), 0);
}

class WrittenFile : public TimeSteps {
 protected:
  static constexpr int kSteps = 20;
  void SetUp() override {
    TimeSteps::SetUp();
    LPHEAD h = dfstest::twoItemHeader();
    const dfstest::HeaderGuard hGuard(h);
    path = writeFile("twenty.dfs", h, kSteps);
  }
  // Reads item `item` at the current position and checks it is of `step`.
  static void expectItem(LPHEAD h, kfsHandle f, int step, int item) {
    std::vector<float> v(10);
    ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, v.data()), 0);
    EXPECT_EQ(v, stepValues(step, item, 10)) << "step " << step << " item " << item;
  }
  std::string path;
};

TEST_F(WrittenFile, ReadsBackInOrderAndEndsWithAnError) {
  Opened r(path);
  for (int s = 0; s < kSteps; ++s)
    for (int n = 1; n <= 2; ++n) expectItem(r.h, r.f, s, n);
  std::vector<float> v(10);
  ErrorRecorder errors;
  EXPECT_NE(dfsReadItemTimeStep(r.h, r.f, nullptr, v.data()), 0);  // no step 20
}

TEST_F(WrittenFile, FindsStepsNearFarAheadAndBehind) {
  Opened r(path);
  for (int step : {0, 3, 4, 17, 2, 19, 19, 9, 14, 0}) {
    ASSERT_EQ(dfsFindTimeStep(r.h, r.f, step), 0) << step;
    EXPECT_EQ(r.h->stepCounter, step);
    expectItem(r.h, r.f, step, 1);
  }
  // From inside a step, forward and back.
  ASSERT_EQ(dfsFindTimeStep(r.h, r.f, 12), 0);
  expectItem(r.h, r.f, 12, 1);
  ASSERT_EQ(dfsFindTimeStep(r.h, r.f, 11), 0);
  expectItem(r.h, r.f, 11, 1);
  ASSERT_EQ(dfsFindTimeStep(r.h, r.f, kSteps), 0);  // the end of the data
  EXPECT_EQ(dfsFindTimeStep(r.h, r.f, kSteps + 1), DFS_STEP_OUTSIDE);
  EXPECT_EQ(dfsFindTimeStep(r.h, r.f, -1), DFS_STEP_OUTSIDE);
}

TEST_F(WrittenFile, FindsItemsAndSkipsOverThem) {
  Opened r(path);
  ASSERT_EQ(dfsFindItemDynamic(r.h, r.f, 7, 2), 0);
  expectItem(r.h, r.f, 7, 2);
  ASSERT_EQ(dfsFindItemDynamic(r.h, r.f, 15, 1), 0);
  ASSERT_EQ(dfsFindItemDynamic(r.h, r.f, 15, 2), 0);  // inside the step: forward only
  expectItem(r.h, r.f, 15, 2);
  ASSERT_EQ(dfsFindItemDynamic(r.h, r.f, 15, 1), 0);  // behind: from the start
  expectItem(r.h, r.f, 15, 1);
  EXPECT_EQ(dfsFindItemDynamic(r.h, r.f, kSteps, 1), DFS_STEP_OUTSIDE);
  EXPECT_EQ(dfsFindItemDynamic(r.h, r.f, 3, 3), DFS_ITEM_OUTSIDE);
  EXPECT_EQ(dfsFindItemDynamic(r.h, r.f, 3, 0), DFS_ITEM_OUTSIDE);

  ASSERT_EQ(dfsFindBlockDynamic(r.h, r.f), 0);
  ASSERT_EQ(dfsSkipItem(r.h, r.f), 0);
  expectItem(r.h, r.f, 0, 2);
  ASSERT_EQ(dfsSkipTimeStep(r.h, r.f), 0);  // a whole step at a boundary
  ASSERT_EQ(dfsSkipItem(r.h, r.f), 0);
  ASSERT_EQ(dfsSkipTimeStep(r.h, r.f), 0);  // the rest of step 2
  expectItem(r.h, r.f, 3, 1);
  EXPECT_EQ(r.h->stepCounter, 3);
}

TEST_F(WrittenFile, AStreamReaderFindsForwardWithoutGoingBack) {
  static std::vector<unsigned char> bytes;
  static size_t delivered;
  bytes = dfstest::readBytes(path);
  delivered = 0;
  static unsigned char buffer[512];
  auto refill = []() -> size_t {
    const size_t n = std::min(sizeof buffer, bytes.size() - delivered);
    std::memcpy(buffer, bytes.data() + delivered, n);
    delivered += n;
    return n;
  };
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsStreamRead(buffer, sizeof buffer, refill, &h, &f), 0);
  expectItem(h, f, 0, 1);
  ASSERT_EQ(dfsFindTimeStep(h, f, 2), 0);
  expectItem(h, f, 2, 1);
  ASSERT_EQ(dfsFindItemDynamic(h, f, 16, 2), 0);  // far: one measured move
  expectItem(h, f, 16, 2);
  dfsFileClose(h, &f);
}

TEST_F(TimeSteps, TheWriterRefusesWhatItCannotStore) {
  ErrorRecorder errors;
  LPHEAD h = dfstest::twoItemHeader();
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = writeFile("refusals.dfs", h, 1);
  const std::vector<float> v(10, 1.f);
  {
    Opened r(path);  // read-only
    EXPECT_EQ(dfsWriteItemTimeStep(r.h, r.f, v.data(), 0.0), 2015);
    EXPECT_EQ(dfsWriteTimestepTag(r.h, r.f, 0.0), 2015);
  }
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(dfstest::workPath("refusals2.dfs").c_str(), h, &f), 0);
  EXPECT_EQ(dfsWriteItemTimeStep(h, f, nullptr, 0.0), 1000);
  EXPECT_EQ(dfsWriteItemTimeStep(nullptr, f, v.data(), 0.0), 1000);
  h->fileType = F_NEQTIME_FIXEDSPACE_VARITEMS;
  EXPECT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 0.0), 2018);
  EXPECT_EQ(dfsReadItemTimeStep(h, f, nullptr, nullptr), 2018);
  EXPECT_EQ(dfsSkipTimeStep(h, f), 2018);
  EXPECT_EQ(dfsFindTimeStep(h, f, 0), 2018);
  h->fileType = F_EQTIME_FIXEDSPACE_ALLITEMS;
  h->itemCounter = 2;
  EXPECT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 0.0), 2007);
  h->itemCounter = 0;
  h->items[1].dataType = 9;
  EXPECT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 0.0), 0);  // item 1 is fine
  EXPECT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 0.0), 2009);
  h->items[1].dataType = kfsTypeFloat;
  ASSERT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 0.0), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(dfstest::workPath("refusals2.dfs"));
}

TEST_F(TimeSteps, RoundingKeepsSignificantDigitsAndDeleteValues) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "t", "t", 1, 3, F_NO_STAT, &h), 0);
  const int meter = dfstest::unitId("meter");
  const int types[3] = {kfsTypeFloat, kfsTypeDouble, kfsTypeInt4};
  for (int n = 1; n <= 3; ++n) {
    ASSERT_EQ(dfsSetItemInfo(h, dfsItemD(h, n), dfstest::kAnyItem, "x", meter, types[n - 1]), 0);
    ASSERT_EQ(dfsSetItemAxisEqD1(dfsItemD(h, n), meter, 7, 0.f, 1.f), 0);
  }
  const float delF = dfsGetDeleteValFloat(h);
  float f[7] = {
      123456.0f, 0.0012345f, delF, 0.0f, -98765.0f, 456.5f, std::numeric_limits<float>::infinity()};
  ASSERT_EQ(dfsTruncateItemTimeStep(h, 1, 3, f), 0);
  EXPECT_EQ(f[0], 123000.0f);
  EXPECT_EQ(f[1], 0.00123f);
  EXPECT_EQ(f[2], delF);
  EXPECT_EQ(f[3], 0.0f);
  EXPECT_EQ(f[4], -98800.0f);
  EXPECT_EQ(f[5], 457.0f);
  EXPECT_TRUE(std::isinf(f[6]));
  double d[7] = {123456.0, 0.0012345, -1e-255, 1e-300, 2.0 / 3.0, 1e300, -0.5};
  ASSERT_EQ(dfsTruncateItemTimeStep(h, 2, 3, d), 0);
  EXPECT_EQ(d[0], 123000.0);
  EXPECT_EQ(d[1], 0.00123);
  EXPECT_EQ(d[2], -1e-255);
  EXPECT_DOUBLE_EQ(d[3], 1e-300);
  EXPECT_EQ(d[4], 0.667);
  EXPECT_DOUBLE_EQ(d[5], 1e300);
  EXPECT_EQ(d[6], -0.5);
  // The smallest doubles need more than 308 steps of ten to reach the digits:
  // the power of ten that scales them back must not overflow to zero them.
  double tiny[7] = {1.23456e-310, -4.9e-324, 1e-295, 0, 0, 0, 0};
  ASSERT_EQ(dfsTruncateItemTimeStep(h, 2, 3, tiny), 0);
  EXPECT_NEAR(tiny[0] / 1.23e-310, 1.0, 1e-3);
  EXPECT_EQ(tiny[1], -4.9e-324);
  EXPECT_DOUBLE_EQ(tiny[2], 1e-295);
  ASSERT_EQ(dfsTruncateItemTimeStep(h, 2, 17, tiny), 0);
  EXPECT_NEAR(tiny[0] / 1.23e-310, 1.0, 1e-3);
  EXPECT_DOUBLE_EQ(tiny[2], 1e-295);
  int i[7] = {123456, 1, 2, 3, 4, 5, 6};
  ASSERT_EQ(dfsTruncateItemTimeStep(h, 3, 3, i), 0);
  EXPECT_EQ(i[0], 123456);  // integers are left alone
  ErrorRecorder errors;
  EXPECT_EQ(dfsTruncateItemTimeStep(h, 1, 0, f), 2010);
  EXPECT_EQ(dfsTruncateItemTimeStep(h, 4, 3, f), 2007);
}

TEST_F(TimeSteps, AppendingContinuesAtTheNextStep) {
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT);
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = writeFile("append_steps.dfs", h, 10);
  dfsHeaderDestroy(&h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileAppend(path.c_str(), &h, &f), 0);
  EXPECT_EQ(h->stepCounter, 10);
  writeSteps(h, f, 10, 1);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(path);

  Opened r(path);
  EXPECT_EQ(r.h->time.nSteps, 11);
  ASSERT_EQ(dfsFindTimeStep(r.h, r.f, 10), 0);
  std::vector<float> v(10);
  ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, v.data()), 0);
  EXPECT_EQ(v, stepValues(10, 1, 10));
  double lo = 0, hi = 0;
  int n = 0;
  ASSERT_EQ(dfsGetItemStats(r.h, 1, 0, &lo, &hi, nullptr, nullptr, nullptr, &n, nullptr, nullptr),
            0);
  EXPECT_EQ(n, 11);  // the statistics went on where they were
  EXPECT_EQ(hi, valueAt(10, 1, 0));
  EXPECT_EQ(lo, valueAt(0, 1, 0));
}

TEST_F(TimeSteps, AReaderOfAFileBeingWrittenSeesAConsistentHeader) {
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = dfstest::workPath("live.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  writeSteps(h, f, 0, 1);
  ASSERT_EQ(dfsFileFlush(h, f), 0);
  {
    Opened r(path);
    ASSERT_NE(r.h, nullptr);
    EXPECT_EQ(r.h->time.nSteps, 1);
    EXPECT_EQ(r.h->time.start, 3600.0);
    std::vector<float> v(10);
    ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, v.data()), 0);
    EXPECT_EQ(v, stepValues(0, 1, 10));
    EXPECT_EQ(r.h->items[0].itemMax, h->items[0].itemMax);
  }
  writeSteps(h, f, 1, 4);
  ASSERT_EQ(dfsFileFlush(h, f), 0);  // may wait for its second: any count up to 5 is right
  {
    Opened r(path);
    ASSERT_NE(r.h, nullptr);
    ASSERT_GE(r.h->time.nSteps, 1);
    ASSERT_LE(r.h->time.nSteps, 5);
    std::vector<float> v(10);
    for (int s = 0; s < r.h->time.nSteps * 2; ++s)
      ASSERT_EQ(dfsReadItemTimeStep(r.h, r.f, nullptr, v.data()), 0);
  }
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(path);
  Opened r(path);
  EXPECT_EQ(r.h->time.nSteps, 5);
}

TEST_F(TimeSteps, StartingTheDynamicDataAndTagsByHand) {
  LPHEAD h = dfstest::twoItemHeader(F_NO_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = dfstest::workPath("tags.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  ASSERT_EQ(dfsWriteStartBlockDynamic(h, f), 0);
  ASSERT_EQ(dfsWriteStartBlockDynamic(h, f), 0);  // once only
  EXPECT_EQ(dfs::position(f), 3);
  ASSERT_EQ(dfsWriteTimestepTag(h, f, 42.5), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  const std::vector<int> tags = dfstest::blockSequence(path);
  ASSERT_GE(tags.size(), 2u);
  EXPECT_EQ(tags[tags.size() - 2], 50000);
  EXPECT_EQ(tags.back(), 50001);

  Opened r(path);
  ASSERT_EQ(dfsFindBlockDynamic(r.h, r.f), 0);
  dfsParamModifyTimes(r.h, 0);
  double t = 0;
  ASSERT_EQ(dfsReadTimestepTag(r.h, r.f, &t, __LINE__), 0);
  EXPECT_EQ(t, 42.5);
  EXPECT_EQ(r.h->currentTime, 42.5);
  ErrorRecorder errors;
  EXPECT_NE(dfsReadTimestepTag(r.h, r.f, &t, __LINE__), 0);  // nothing behind it
}

TEST_F(TimeSteps, UnsupportedEntryPointsChangeNothing) {
  LPHEAD h = dfstest::twoItemHeader();
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = writeFile("unsupported.dfs", h, 2);
  dfsHeaderDestroy(&h);
  const std::vector<unsigned char> before = dfstest::readBytes(path);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileEdit(path.c_str(), &h, &f), 0);
  const long long where = kfsTell64(f);
  ErrorRecorder errors;
  int item = 7, count = 8;
  double time = 9.0;
  float data[4] = {1, 2, 3, 4}, coords[4] = {5, 6, 7, 8};
  EXPECT_EQ(dfsQueryFreeItemTimeStep(h, f, &item, &time), 2018);
  EXPECT_EQ(dfsReadFreeItemTimeStep(h, f, &item, &time, data), 2018);
  EXPECT_EQ(dfsWriteFreeItemTimeStep(h, f, 1, 0.0, data), 2018);
  EXPECT_EQ(dfsReadItemTvarTimeStep(h, f, &time, data, coords, &count), 2018);
  EXPECT_EQ(dfsWriteItemTvarTimeStep(h, f, data, coords, 1, 0.0), 2018);
  EXPECT_EQ(dfsQueryFreeItemTvarTimeStep(h, f, &item, &count, &time), 2018);
  EXPECT_EQ(dfsReadFreeItemTvarTimeStep(h, f, &item, &time, data, coords, &count), 2018);
  EXPECT_EQ(dfsWriteFreeItemTvarTimeStep(h, f, 1, 0.0, data, coords, 1), 2018);
  EXPECT_EQ(errors.codes().size(), 8u);
  EXPECT_EQ(item, 7);
  EXPECT_EQ(count, 8);
  EXPECT_EQ(time, 9.0);
  EXPECT_EQ(data[3], 4.0f);
  EXPECT_EQ(coords[0], 5.0f);
  EXPECT_EQ(kfsTell64(f), where);
  EXPECT_EQ(h->itemCounter, 0);
  FCloseFile(&f);  // no header update: the bytes must be the writer's
  dfsHeaderDestroy(&h);
  EXPECT_EQ(dfstest::readBytes(path), before);
}

}  // namespace
