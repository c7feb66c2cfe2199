// Time axes: the file-type rules, date and time shape checks, the getters
// with the start-offset rule, and the axis information.
#include <gtest/gtest.h>

#include "dfs_support.h"

namespace {

using dfstest::ErrorRecorder;
using dfstest::kSecond;

LPHEAD headerOf(int fileType) {
  LPHEAD h = nullptr;
  EXPECT_EQ(dfsHeaderCreate(fileType, "t", "a", 1, 1, F_NO_STAT, &h), 0);
  return h;
}

TEST(TimeAxis, SettersFollowTheEquidistanceOfTheFileType) {
  dfstest::loadUnits();
  ErrorRecorder errors;
  LPHEAD eq = headerOf(F_EQTIME_FIXEDSPACE_ALLITEMS);
  LPHEAD neq = headerOf(F_NEQTIME_FIXEDSPACE_ALLITEMS);
  LPHEAD none = headerOf(F_UNDEFINED_FILE_TYPE);
  LPHEAD odd = headerOf(3);

  EXPECT_EQ(dfsSetEqCalendarAxis(neq, "2004-01-01", "00:00:00", kSecond, 0, 0, 1), 1000);
  EXPECT_EQ(dfsSetEqTimeAxis(neq, kSecond, 0, 0, 1), 1000);
  EXPECT_EQ(dfsSetNeqTimeAxis(eq, kSecond, 0), 1000);
  EXPECT_EQ(dfsSetNeqCalendarAxis(eq, "2004-01-01", "00:00:00", kSecond, 0), 1000);
  for (LPHEAD h : {none, odd}) {
    EXPECT_EQ(dfsSetEqTimeAxis(h, kSecond, 0, 0, 1), 2010);
    EXPECT_EQ(dfsSetNeqTimeAxis(h, kSecond, 0), 2010);
  }
  EXPECT_EQ(dfsSetEqTimeAxis(eq, kSecond, 0, 0, 0), 1000);
  EXPECT_EQ(dfsSetEqTimeAxis(eq, kSecond, 0, 0, -1), 1000);
  EXPECT_EQ(dfsGetTimeAxisType(eq), F_UNDEFINED_TAXIS);

  ASSERT_EQ(dfsSetEqTimeAxis(eq, kSecond, 2, 10.0, 30.0), 0);
  int unit = 0, n = -1, start = 0;
  double t0 = 0, dt = 0;
  const char* unitText = nullptr;
  ASSERT_EQ(dfsGetEqTimeAxis(eq, &unit, &unitText, &t0, &dt, &n, &start), 0);
  EXPECT_EQ(unit, kSecond);
  EXPECT_STREQ(unitText, "second");
  EXPECT_EQ(t0, 10.0);
  EXPECT_EQ(dt, 30.0);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(start, 2);
  EXPECT_EQ(dfsGetNeqTimeAxis(eq, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 1000);
  dfsSetNumberOfTimeSteps(eq, 12);
  double span = 0;
  _dfsGetTimeAxisSpan(eq, nullptr, &span);
  EXPECT_EQ(span, 360.0);

  ASSERT_EQ(dfsSetNeqTimeAxis(neq, kSecond, 0), 0);
  dfsSetTimeStartEnd(neq, 100.0, 50.0);
  ASSERT_EQ(dfsGetNeqTimeAxis(neq, nullptr, nullptr, &t0, &span, nullptr, nullptr), 0);
  EXPECT_EQ(t0, 100.0);
  EXPECT_EQ(span, 50.0);

  for (LPHEAD* h : {&eq, &neq, &none, &odd}) dfsHeaderDestroy(h);
}

TEST(TimeAxis, DateAndTimeShapesOnly) {
  EXPECT_EQ(dfsVerifyDateFormat("2004-13-45"), 0);  // ranges are not checked
  EXPECT_EQ(dfsVerifyDateFormat("2004-1-1"), 2011);
  EXPECT_EQ(dfsVerifyDateFormat("2004/01/01"), 2011);
  EXPECT_EQ(dfsVerifyDateFormat("2004-01-011"), 2011);
  EXPECT_EQ(dfsVerifyDateFormat(nullptr), 2011);
  EXPECT_EQ(dfsVerifyTimeFormat("23:59:59"), 0);
  EXPECT_EQ(dfsVerifyTimeFormat("3:59:59"), 2012);
  EXPECT_EQ(dfsVerifyTimeFormat("23-59-59"), 2012);

  LPHEAD h = headerOf(F_EQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  EXPECT_EQ(dfsSetEqCalendarAxis(h, "2004-1-1", "00:00:00", kSecond, 0, 0, 1), 2011);
  EXPECT_EQ(dfsSetEqCalendarAxis(h, "2004-01-01", "0:00:00", kSecond, 0, 0, 1), 2012);
  EXPECT_EQ(dfsGetTimeAxisType(h), F_UNDEFINED_TAXIS);  // a refused axis is not half set
}

TEST(TimeAxis, StartOffsetIsFoldedIntoTheCalendarStart) {
  dfstest::loadUnits();
  const int hour = dfstest::unitId("hour");
  LPHEAD h = headerOf(F_EQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsSetEqCalendarAxis(h, "2004-01-01", "00:00:00", hour, 0, 1.5, 2.0), 0);
  const char *date = nullptr, *time = nullptr;
  double offset = -1, step = 0;
  ASSERT_EQ(
      dfsGetEqCalendarAxis(h, &date, &time, nullptr, nullptr, &offset, &step, nullptr, nullptr), 0);
  EXPECT_STREQ(date, "2004-01-01");
  EXPECT_STREQ(time, "01:30:00");
  EXPECT_EQ(offset, 0.0);
  EXPECT_EQ(step, 2.0);
  // The stored start is unchanged: the texts handed out are copies.
  EXPECT_STREQ(h->time.startTime, "00:00:00");
  EXPECT_EQ(h->time.start, 1.5);

  dfsParamModifyTimes(h, 0);
  dfsGetEqCalendarAxis(h, &date, &time, nullptr, nullptr, &offset, nullptr, nullptr, nullptr);
  EXPECT_STREQ(time, "00:00:00");
  EXPECT_EQ(offset, 1.5);

  // An offset across midnight and the year.
  dfsParamModifyTimes(h, 1);
  ASSERT_EQ(dfsSetEqCalendarAxis(h, "1999-12-31", "23:00:00", hour, 0, 2.0, 1.0), 0);
  dfsGetEqCalendarAxis(h, &date, &time, nullptr, nullptr, &offset, nullptr, nullptr, nullptr);
  EXPECT_STREQ(date, "2000-01-01");
  EXPECT_STREQ(time, "01:00:00");

  int n = 0, eq = 0;
  double factor = 0;
  ASSERT_EQ(dfsGetTimeAxisInfo(h, &n, &factor, &eq), 0);
  EXPECT_EQ(factor, 3600.0);  // step 1 hour
  EXPECT_EQ(eq, 1);
}

TEST(TimeAxis, NonEquidistantCalendarAndAxisInfo) {
  dfstest::loadUnits();
  const int hour = dfstest::unitId("hour");
  LPHEAD h = headerOf(F_NEQTIME_FIXEDSPACE_VARITEMS);
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsSetNeqCalendarAxis(h, "2010-06-30", "12:00:00", hour, 3), 0);
  dfsSetTimeStartEnd(h, 0.0, 5.0);
  dfsSetNumberOfTimeSteps(h, 4);
  const char *date = nullptr, *time = nullptr;
  double offset = -1, span = 0;
  int n = 0, start = 0;
  ASSERT_EQ(dfsGetNeqCalendarAxis(h, &date, &time, nullptr, nullptr, &offset, &span, &n, &start),
            0);
  EXPECT_STREQ(date, "2010-06-30");
  EXPECT_EQ(offset, 0.0);
  EXPECT_EQ(span, 5.0);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(start, 3);
  EXPECT_EQ(
      dfsGetEqCalendarAxis(h, &date, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
      1000);
  int eq = 1;
  double factor = 0;
  ASSERT_EQ(dfsGetTimeAxisInfo(h, &n, &factor, &eq), 0);
  EXPECT_EQ(factor, 3600.0);  // no step: the unit alone
  EXPECT_EQ(eq, 0);
  dfsHeaderDestroy(&h);

  // Undefined axis and null header.
  h = headerOf(1);
  EXPECT_EQ(dfsGetTimeAxisInfo(h, &n, &factor, &eq), -1);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(factor, 1.0);
  EXPECT_EQ(dfsGetTimeAxisInfo(nullptr, &n, &factor, &eq), -1);
}

TEST(TimeAxis, AxisInfoFallsBackToOneForUnitsThatAreNoTime) {
  dfstest::loadUnits();
  LPHEAD h = headerOf(1);
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsSetEqTimeAxis(h, dfstest::unitId("meter"), 0, 0.0, 2.0), 0);
  double factor = 0;
  dfsGetTimeAxisInfo(h, nullptr, &factor, nullptr);
  EXPECT_EQ(factor, 2.0);
}

}  // namespace
