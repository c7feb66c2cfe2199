// Printing and parsing of date-times.
//
// Integers are parsed by hand: the result must not depend on the process
// locale, and sscanf's "%d" has undefined behaviour on overflow.
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "base/kora_boundary.h"
#include "kfs/util/date.h"
#include "kfs/util/failure_values.h"

namespace {

// Reads one optionally signed decimal integer after blanks; values beyond the
// int range saturate (they fail every range check anyway).
bool readInt(const char*& p, int* value) {
  while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
  const char* q = p;
  bool negative = false;
  if (*q == '+' || *q == '-') {
    negative = (*q == '-');
    ++q;
  }
  if (!std::isdigit(static_cast<unsigned char>(*q))) return false;
  long long v = 0;
  while (std::isdigit(static_cast<unsigned char>(*q))) {
    if (v < 10000000000LL) v = v * 10 + (*q - '0');
    ++q;
  }
  if (negative) v = -v;
  *value = v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
  p = q;
  return true;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && isLeapYear(year)) return 29;
  return kDays[month - 1];
}

// Year, month, day and time of day read from a text, separators turned into
// blanks first when the text holds "/" or ":" at all.
bool parseFields(const char* text, const char* separators, date6* out) {
  if (!text) return false;
  std::string copy(text);
  if (copy.find_first_of("/:") != std::string::npos) {
    for (char& ch : copy) {
      if (std::strchr(separators, ch) && ch != '\0') ch = ' ';
    }
  }
  int fields[6] = {0, 0, 0, 0, 0, 0};
  int found = 0;
  const char* p = copy.c_str();
  while (found < 6 && readInt(p, &fields[found])) ++found;
  if (found < 3) return false;

  const date6 d = {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
  if (d.year < 1800 || d.year > 2100) return false;
  if (d.month < 1 || d.month > 12) return false;
  if (d.day < 1 || d.day > daysInMonth(d.year, d.month)) return false;
  if (d.hour < 0 || d.hour > 23 || d.minute < 0 || d.minute > 59) return false;
  if (d.second < 0 || d.second > 59) return false;
  *out = d;
  return true;
}

}  // namespace

extern "C" {

char* date4_s(char* text, date4 d) try {
  if (!text) return text;
  date6 c;
  date4_6(&c, d);
  std::snprintf(text, DATE_TEXT_SIZE, "%4d/%02d/%02d %02d:%02d:%02d", c.year, c.month, c.day,
                c.hour, c.minute, c.second);
  return text;
}
KORA_CATCH_ALL(::kfs::util::Emptied(text))

char* date6_s(char* text, date6 d) try {
  if (!text) return text;
  date6 c;
  date6_6(&c, d);
  std::snprintf(text, DATE_TEXT_SIZE, "%04d/%02d/%02d %02d:%02d:%02d", c.year, c.month, c.day,
                c.hour, c.minute, c.second);
  return text;
}
KORA_CATCH_ALL(::kfs::util::Emptied(text))

int dates_4(date4* out, const char* text) try {
  date6 d;
  if (!out || !parseFields(text, "/:-;", &d)) return 0;
  *out = date6_4(d);
  return 1;
}
KORA_CATCH_ALL(0)

int dates_6(date6* out, const char* text) try {
  date6 d;
  if (!out || !parseFields(text, "/:", &d)) return 0;
  *out = d;
  return 1;
}
KORA_CATCH_ALL(0)

int date_now(char* text) try {
  if (!text) return -1;
  text[0] = '\0';
  const std::time_t now = std::time(nullptr);
  std::tm local;
  if (now == static_cast<std::time_t>(-1) || !localtime_r(&now, &local)) return -1;
  // The C library's ctime text with the time of day cut out; the names are
  // the C locale's whatever the process locale is.
  static const char* const kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (local.tm_wday < 0 || local.tm_wday > 6 || local.tm_mon < 0 || local.tm_mon > 11) return -1;
  std::snprintf(text, DATE_TEXT_SIZE, "%.3s %.3s%3d %d", kWeekdays[local.tm_wday],
                kMonths[local.tm_mon], local.tm_mday, local.tm_year + 1900);
  return 1;
}
KORA_CATCH_ALL((::kfs::util::Emptied(text), -1))

}  // extern "C"
