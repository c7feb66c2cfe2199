#include "calendar.h"

#include <cmath>
#include <cstdio>

namespace kfsdump {

namespace {

constexpr long long kSecondsPerDay = 86400;
// Days from 0001-01-01 to 9999-12-31 and a little: a bound for the offset.
constexpr double kLargestOffset = 3.2e11;

// Days since 1970-01-01 of a civil date (H. Hinnant's days_from_civil).
long long DaysFromCivil(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, long long& y, long long& m, long long& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y = yoe + era * 400 + (m <= 2);
}

bool ReadStart(const std::string& date, const std::string& time, long long& seconds) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char end = 0;
  if (std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &y, &mo, &d, &end) != 3 ||
      std::sscanf(time.c_str(), "%2d:%2d:%2d%c", &h, &mi, &s, &end) != 3) {
    return false;
  }
  if (y < 1 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60 || h < 0 ||
      mi < 0 || s < 0) {
    return false;
  }
  seconds = DaysFromCivil(y, mo, d) * kSecondsPerDay + h * 3600LL + mi * 60LL + s;
  return true;
}

}  // namespace

std::string IsoTime(const std::string& date, const std::string& time, double seconds) {
  long long start = 0;
  if (!std::isfinite(seconds) || std::fabs(seconds) > kLargestOffset ||
      !ReadStart(date, time, start)) {
    return std::string();
  }
  const long long total = start + std::llround(seconds);
  long long days = total / kSecondsPerDay, rest = total % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  long long y = 0, m = 0, d = 0;
  CivilFromDays(days, y, m, d);
  if (y < 1 || y > 9999) return std::string();
  char text[128];  // room for any long long, though the fields are small by now
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld", y, m, d,
                rest / 3600, rest / 60 % 60, rest % 60);
  return text;
}

}  // namespace kfsdump
