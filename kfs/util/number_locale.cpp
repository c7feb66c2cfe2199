#include "kfs/util/number_locale.h"

#include <locale.h>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace kfs::util {
namespace {

// One "C" locale object for the life of the process; newlocale never
// changes the global locale, so hosts and other threads are unaffected.
locale_t cLocale() {
  static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

// Switches the calling thread to the "C" locale for one conversion.
class ThreadCLocale {
 public:
  ThreadCLocale() : previous_(uselocale(cLocale())) {}
  ~ThreadCLocale() { uselocale(previous_); }
  ThreadCLocale(const ThreadCLocale&) = delete;
  ThreadCLocale& operator=(const ThreadCLocale&) = delete;

 private:
  locale_t previous_;
};

bool isBlankOrSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Narrows [begin, end) to its non-blank core and copies it, so the number
// parsers see a terminated text that ends exactly where the field does.
std::string fieldCore(const char* begin, const char* end) {
  while (begin < end && isBlankOrSpace(*begin)) ++begin;
  while (end > begin && isBlankOrSpace(end[-1])) --end;
  return std::string(begin, end);
}

}  // namespace

std::string formatCv(const char* fmt, va_list args) {
  ThreadCLocale scope;
  va_list again;
  va_copy(again, args);
  char small[128];
  int n = std::vsnprintf(small, sizeof small, fmt, args);
  std::string out;
  if (n < 0) {
    va_end(again);
    return out;
  }
  if (static_cast<std::size_t>(n) < sizeof small) {
    out.assign(small, static_cast<std::size_t>(n));
  } else {
    out.resize(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(&out[0], out.size(), fmt, again);
    out.resize(static_cast<std::size_t>(n));
  }
  va_end(again);
  return out;
}

std::string formatC(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string out = formatCv(fmt, args);
  va_end(args);
  return out;
}

std::size_t parseDoubleC(const char* text, double* value) {
  char* end = nullptr;
  double v = strtod_l(text, &end, cLocale());
  if (end == text) return 0;
  *value = v;
  return static_cast<std::size_t>(end - text);
}

bool parseFieldDouble(const char* begin, const char* end, double* value) {
  std::string core = fieldCore(begin, end);
  if (core.empty()) return false;
  double v = 0;
  if (parseDoubleC(core.c_str(), &v) != core.size()) return false;
  *value = v;
  return true;
}

bool parseFieldInt(const char* begin, const char* end, int* value) {
  std::string core = fieldCore(begin, end);
  if (core.empty()) return false;
  char* stop = nullptr;
  errno = 0;
  long v = std::strtol(core.c_str(), &stop, 10);
  if (stop != core.c_str() + core.size() || errno == ERANGE || v < INT_MIN || v > INT_MAX)
    return false;
  *value = static_cast<int>(v);
  return true;
}

}  // namespace kfs::util
