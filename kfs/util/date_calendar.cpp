// Day numbers and date-time arithmetic.
//
// The day-number formulas count months from March so that the leap day is the
// last day of the counting year; 693960 moves day 0 to 1900-02-28. Integer
// arithmetic (truncating division, as the formulas ask) keeps them exact; the
// 64-bit intermediates keep absurd inputs from overflowing.
#include "kfs/util/date.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "base/kora_boundary.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t dayNumberOf(int64_t year, int64_t month, int64_t day) {
  int64_t y = year;
  int64_t m = month;
  if (m < 3) {
    y -= 1;
    m += 9;
  } else {
    m -= 3;
  }
  const int64_t c = y / 100;
  const int64_t a = y - 100 * c;
  // (306 m + 4) / 10 is trunc(30.6 m + 0.4) without the rounding of 30.6.
  return day + (306 * m + 4) / 10 + a / 4 + 365 * a + 36524 * c - 693960 + c / 4;
}

void calendarOf(int64_t n, int* year, int* month, int* day) {
  const int64_t t = 4 * n + 2775839;
  const int64_t c = t / 146097;
  const int64_t b = 4 * ((t - 146097 * c) / 4) + 3;
  const int64_t a = b / 1461;
  const int64_t e = 5 * ((b - 1461 * a) / 4 + 1) - 3;
  const int64_t mm = e / 153;
  int64_t y = 100 * c + a;
  int64_t m;
  if (mm < 10) {
    m = mm + 3;
  } else {
    m = mm - 9;
    y += 1;
  }
  *year = static_cast<int>(y);
  *month = static_cast<int>(m);
  *day = static_cast<int>((e - 153 * mm) / 5 + 1);
}

int64_t floorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

int clampToInt(int64_t v) {
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// Seconds of a date4 without normalising first; 64 bits hold any int fields.
int64_t totalSeconds(const date4& d) {
  return static_cast<int64_t>(d.day) * kSecondsPerDay + static_cast<int64_t>(d.hour) * 3600 +
         static_cast<int64_t>(d.minute) * 60 + d.second;
}

date4 fromTotalSeconds(int64_t total) {
  const int64_t day = floorDiv(total, kSecondsPerDay);
  const int64_t rest = total - day * kSecondsPerDay;
  date4 out;
  out.day = clampToInt(day);
  out.hour = static_cast<int>(rest / 3600);
  out.minute = static_cast<int>((rest % 3600) / 60);
  out.second = static_cast<int>(rest % 60);
  return out;
}

date4 fromDate6(const date6& d) {
  date4 out;
  out.day = clampToInt(dayNumberOf(d.year, d.month, d.day));
  out.hour = d.hour;
  out.minute = d.minute;
  out.second = d.second;
  return out;
}

}  // namespace

extern "C" {

void j_day(const int* year, const int* month, const int* day, float* dayNumber) try {
  if (!year || !month || !day || !dayNumber) return;
  *dayNumber = static_cast<float>(dayNumberOf(*year, *month, *day));
}
KORA_CATCH_ALL(void())

void j_date(const float* dayNumber, int* year, int* month, int* day) try {
  if (!dayNumber || !year || !month || !day) return;
  const double n = std::trunc(static_cast<double>(*dayNumber));
  // Far outside any calendar the formulas would overflow; clamp.
  const double limited = std::fmax(std::fmin(n, 1e15), -1e15);
  calendarOf(static_cast<int64_t>(limited), year, month, day);
}
KORA_CATCH_ALL(void())

date4 date4_4(date4 d) try { return fromTotalSeconds(totalSeconds(d)); }
KORA_CATCH_ALL(date4())

date6* date4_6(date6* out, date4 d) try {
  if (!out) return out;
  const date4 n = date4_4(d);
  calendarOf(n.day, &out->year, &out->month, &out->day);
  out->hour = n.hour;
  out->minute = n.minute;
  out->second = n.second;
  return out;
}
KORA_CATCH_ALL(out)

date4 date6_4(date6 d) try { return date4_4(fromDate6(d)); }
KORA_CATCH_ALL(date4())

date6* date6_6(date6* out, date6 d) try {
  if (!out) return out;
  date4 time = {0, d.hour, d.minute, d.second};
  time = date4_4(time);
  *out = d;
  out->hour = time.hour;
  out->minute = time.minute;
  out->second = time.second;
  if (time.day != 0) {
    const int64_t n = dayNumberOf(d.year, d.month, d.day) + time.day;
    calendarOf(n, &out->year, &out->month, &out->day);
  }
  return out;
}
KORA_CATCH_ALL(out)

date6* date6_AddSeconds(date6* out, date6 d, double seconds) try {
  if (!out) return out;
  date6 n;
  date6_6(&n, d);
  const double day = static_cast<double>(dayNumberOf(n.year, n.month, n.day));
  const double t = day * 86400.0 + n.hour * 3600.0 + n.minute * 60.0 + n.second + seconds;
  if (!std::isfinite(t) || std::fabs(t) > 1e15) {
    *out = n;  // no calendar holds such a date; keep the normalised input
    return out;
  }
  const double whole = std::trunc(t / 86400.0);
  const int64_t rest = static_cast<int64_t>(std::trunc(t - whole * 86400.0));
  const date4 sum = fromTotalSeconds(static_cast<int64_t>(whole) * kSecondsPerDay + rest);
  return date4_6(out, sum);
}
KORA_CATCH_ALL(out)

double date4_sec(date4 d) try {
  return static_cast<double>(d.day) * 86400.0 + d.hour * 3600.0 + d.minute * 60.0 + d.second;
}
KORA_CATCH_ALL(0.0)

date4 j_sec(double seconds) try {
  if (!std::isfinite(seconds)) seconds = 0.0;
  const double limited = std::fmax(std::fmin(seconds, 1e15), -1e15);
  return fromTotalSeconds(static_cast<int64_t>(std::floor(limited)));
}
KORA_CATCH_ALL(date4())

int date4_toff(date4 d) try {
  return clampToInt(static_cast<int64_t>(d.hour) * 3600 + static_cast<int64_t>(d.minute) * 60 +
                    d.second);
}
KORA_CATCH_ALL(0)

int dat4cmp(date4 a, date4 b) try { return clampToInt(totalSeconds(a) - totalSeconds(b)); }
KORA_CATCH_ALL(0)

void dateupd(float* day, float* hour, float* minute) try {
  if (!day || !hour || !minute) return;
  if (*minute < 0.0f || *minute >= 60.0f) {
    const float carry = std::floor(*minute / 60.0f);
    *minute -= carry * 60.0f;
    *hour += carry;
  }
  if (*hour < 0.0f || *hour >= 24.0f) {
    const float carry = std::floor(*hour / 24.0f);
    *hour -= carry * 24.0f;
    *day += carry;
  }
}
KORA_CATCH_ALL(void())

}  // extern "C"
