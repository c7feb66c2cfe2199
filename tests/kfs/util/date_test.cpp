// Date library: day numbers against an independent calendar computation,
// normalisation, adding seconds, parsing and printing.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "kfs/util/date.h"

namespace {

// Days since 1970-01-01 (proleptic Gregorian), after H. Hinnant's
// "days_from_civil"; an algorithm unrelated to the one under test.
long daysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

constexpr long kDay1970 = 25509;  // day number of 1970-01-01

float dayNumber(int y, int m, int d) {
  float n = 0;
  j_day(&y, &m, &d, &n);
  return n;
}

date6 d6(int y, int mo, int d, int h, int mi, int s) { return date6{y, mo, d, h, mi, s}; }

void expectDate6(const date6& got, int y, int mo, int d, int h, int mi, int s) {
  EXPECT_EQ(got.year, y);
  EXPECT_EQ(got.month, mo);
  EXPECT_EQ(got.day, d);
  EXPECT_EQ(got.hour, h);
  EXPECT_EQ(got.minute, mi);
  EXPECT_EQ(got.second, s);
}

TEST(DayNumber, KnownDays) {
  EXPECT_EQ(dayNumber(1900, 2, 28), 0.0f);
  EXPECT_EQ(dayNumber(1900, 3, 1), 1.0f);
  EXPECT_EQ(dayNumber(1900, 1, 1), -58.0f);
  EXPECT_EQ(dayNumber(2000, 1, 1), 36466.0f);
  EXPECT_EQ(dayNumber(1970, 1, 1), 25509.0f);
  EXPECT_EQ(dayNumber(2004, 2, 29), 37986.0f);
}

TEST(DayNumber, ExactInversesAndAgreeWithIndependentCalendar1800To2100) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  long expected = daysFromCivil(1800, 1, 1) + kDay1970;
  int checked = 0;
  for (int y = 1800; y <= 2100; ++y) {
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    for (int m = 1; m <= 12; ++m) {
      const int last = kDays[m - 1] + (m == 2 && leap ? 1 : 0);
      for (int d = 1; d <= last; ++d, ++expected, ++checked) {
        ASSERT_EQ(expected, daysFromCivil(y, m, d) + kDay1970);
        const float n = dayNumber(y, m, d);
        ASSERT_EQ(static_cast<long>(n), expected) << y << "-" << m << "-" << d;
        int yy = 0, mm = 0, dd = 0;
        j_date(&n, &yy, &mm, &dd);
        ASSERT_EQ(yy, y);
        ASSERT_EQ(mm, m);
        ASSERT_EQ(dd, d);
      }
    }
  }
  EXPECT_EQ(checked, 109938);  // days from 1800-01-01 to 2100-12-31
}

TEST(Normalise, Date4CarriesAndBorrows) {
  date4 n = date4_4(date4{100, 23, 59, 61});
  EXPECT_EQ(n.day, 101);
  EXPECT_EQ(n.hour, 0);
  EXPECT_EQ(n.minute, 0);
  EXPECT_EQ(n.second, 1);

  n = date4_4(date4{100, 0, 0, -1});
  EXPECT_EQ(n.day, 99);
  EXPECT_EQ(n.hour, 23);
  EXPECT_EQ(n.minute, 59);
  EXPECT_EQ(n.second, 59);

  n = date4_4(date4{0, -25, 0, 0});
  EXPECT_EQ(n.day, -2);
  EXPECT_EQ(n.hour, 23);
}

TEST(Normalise, Date6DerivesTheCalendarDateAgainOnlyWhenTheDayChanges) {
  date6 out;
  expectDate6(*date6_6(&out, d6(1999, 12, 31, 23, 59, 60)), 2000, 1, 1, 0, 0, 0);
  expectDate6(*date6_6(&out, d6(2000, 3, 1, 0, 0, -1)), 2000, 2, 29, 23, 59, 59);
  // No day change: the calendar fields stay as given.
  expectDate6(*date6_6(&out, d6(2001, 2, 30, 1, 2, 3)), 2001, 2, 30, 1, 2, 3);

  const date4 four = date6_4(d6(2000, 1, 1, 25, 0, 0));
  EXPECT_EQ(four.day, 36467);
  EXPECT_EQ(four.hour, 1);
  expectDate6(*date4_6(&out, date4{36466, 48, 0, 5}), 2000, 1, 3, 0, 0, 5);
}

TEST(AddSeconds, CrossesDaysYearsAndDropsFractions) {
  date6 out;
  expectDate6(*date6_AddSeconds(&out, d6(2000, 1, 1, 0, 0, 0), -1.0), 1999, 12, 31, 23, 59, 59);
  expectDate6(*date6_AddSeconds(&out, d6(2004, 1, 1, 0, 0, 0), 5400.0), 2004, 1, 1, 1, 30, 0);
  expectDate6(*date6_AddSeconds(&out, d6(2004, 2, 28, 12, 0, 0), 86400.0), 2004, 2, 29, 12, 0, 0);
  expectDate6(*date6_AddSeconds(&out, d6(2004, 1, 1, 0, 0, 0), 1.9), 2004, 1, 1, 0, 0, 1);
  expectDate6(*date6_AddSeconds(&out, d6(2004, 1, 1, 0, 0, 0), -86400.0 * 365), 2003, 1, 1, 0, 0,
              0);
  // Unnormalised input is normalised first.
  expectDate6(*date6_AddSeconds(&out, d6(2004, 1, 1, 0, 0, 3600), 0.0), 2004, 1, 1, 1, 0, 0);
  // Absurd offsets keep the normalised input instead of overflowing.
  expectDate6(*date6_AddSeconds(&out, d6(2004, 1, 1, 0, 0, 0), 1e300), 2004, 1, 1, 0, 0, 0);
}

TEST(Seconds, RoundTripAndCompare) {
  const date4 d{36466, 12, 30, 15};
  const double s = date4_sec(d);
  EXPECT_DOUBLE_EQ(s, 36466.0 * 86400 + 12 * 3600 + 30 * 60 + 15);
  const date4 back = j_sec(s);
  EXPECT_EQ(back.day, d.day);
  EXPECT_EQ(back.hour, d.hour);
  EXPECT_EQ(back.minute, d.minute);
  EXPECT_EQ(back.second, d.second);
  const date4 before = j_sec(-1.0);
  EXPECT_EQ(before.day, -1);
  EXPECT_EQ(before.second, 59);

  EXPECT_EQ(date4_toff(d), 12 * 3600 + 30 * 60 + 15);
  EXPECT_EQ(dat4cmp(date4{1, 0, 0, 0}, date4{0, 23, 59, 59}), 1);
  EXPECT_EQ(dat4cmp(date4{0, 0, 0, 0}, date4{1, 0, 0, 0}), -86400);
}

TEST(Seconds, DateupdCarriesFloatFields) {
  float day = 10, hour = 23, minute = 75;
  dateupd(&day, &hour, &minute);
  EXPECT_FLOAT_EQ(day, 11);
  EXPECT_FLOAT_EQ(hour, 0);
  EXPECT_FLOAT_EQ(minute, 15);
  day = 10, hour = 0, minute = -30;
  dateupd(&day, &hour, &minute);
  EXPECT_FLOAT_EQ(day, 9);
  EXPECT_FLOAT_EQ(hour, 23);
  EXPECT_FLOAT_EQ(minute, 30);
}

TEST(Parse, Dates6FieldsAndCalendarChecks) {
  date6 d{};
  EXPECT_EQ(dates_6(&d, "2000/02/30"), 0);
  ASSERT_EQ(dates_6(&d, "2000/02/29 13:45"), 1);
  expectDate6(d, 2000, 2, 29, 13, 45, 0);
  EXPECT_EQ(dates_6(&d, "1900/02/29"), 0);  // century, not a leap year
  EXPECT_EQ(dates_6(&d, "1799/12/31"), 0);
  EXPECT_EQ(dates_6(&d, "2101/01/01"), 0);
  EXPECT_EQ(dates_6(&d, "2001/04/31"), 0);
  EXPECT_EQ(dates_6(&d, "2001/13/01"), 0);
  EXPECT_EQ(dates_6(&d, "2001/01/01 24:00:00"), 0);
  EXPECT_EQ(dates_6(&d, "2001/01/01 23:60:00"), 0);
  EXPECT_EQ(dates_6(&d, "2001/01/01 23:59:60"), 0);
  EXPECT_EQ(dates_6(&d, "2001/01"), 0);
  EXPECT_EQ(dates_6(&d, ""), 0);
  EXPECT_EQ(dates_6(&d, nullptr), 0);
  EXPECT_EQ(dates_6(&d, "2001/01/99999999999999999999"), 0);
  ASSERT_EQ(dates_6(&d, "1800 1 1 0 0 0"), 1);  // blanks alone separate too
  expectDate6(d, 1800, 1, 1, 0, 0, 0);
  // dates_6 does not take "-" as a separator.
  EXPECT_EQ(dates_6(&d, "2000-01-01 12:00:00"), 0);
  // A failed parse leaves the output alone.
  EXPECT_EQ(d.year, 1800);
}

TEST(Parse, Dates4TakesDashesOnlyBesideATime) {
  date4 d{};
  ASSERT_EQ(dates_4(&d, "2000-01-01 12:30:15"), 1);
  EXPECT_EQ(d.day, 36466);
  EXPECT_EQ(d.hour, 12);
  EXPECT_EQ(d.minute, 30);
  EXPECT_EQ(d.second, 15);
  EXPECT_EQ(dates_4(&d, "2000-01-01"), 0);
  ASSERT_EQ(dates_4(&d, "2004;02;29 00:00"), 1);
  EXPECT_EQ(d.day, 37986);
}

TEST(Print, FixedWidthFieldsAndNormalisation) {
  char text[DATE_TEXT_SIZE];
  EXPECT_STREQ(date6_s(text, d6(2004, 1, 1, 1, 30, 0)), "2004/01/01 01:30:00");
  EXPECT_STREQ(date6_s(text, d6(2004, 1, 1, 0, 0, -1)), "2003/12/31 23:59:59");
  EXPECT_STREQ(date4_s(text, date4{36466, 0, 0, 5}), "2000/01/01 00:00:05");
  EXPECT_STREQ(date6_s(text, d6(999, 1, 1, 0, 0, 0)), "0999/01/01 00:00:00");
  date6 far{2000000000, 12, 31, 2000000000, 2000000000, 2000000000};
  date6_s(text, far);  // must stay inside the buffer
  EXPECT_LT(std::strlen(text), sizeof text);
}

TEST(Print, DateNowHasTheCtimeShapeWithoutTheTime) {
  char text[DATE_TEXT_SIZE];
  ASSERT_EQ(date_now(text), 1);
  ASSERT_EQ(std::strlen(text), 15u) << text;  // "Www Mmm dd yyyy"
  EXPECT_EQ(text[3], ' ');
  EXPECT_EQ(text[7], ' ');
  EXPECT_EQ(text[10], ' ');
}

}  // namespace
