// Single numbers in fixed-width fields (text_util.h): the printf formats are
// built from the field width and decimals, as Fortran-style column layouts
// need them.
#include "base/kora_boundary.h"
#include "kfs/util/failure_values.h"
#include "kfs/util/number_locale.h"
#include "kfs/util/text_util.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Every caller's buffer holds at least `room` bytes by the header's
// contract; the texts built here never exceed it, the bound only guards the
// contract against a printf surprise.
char* copyOut(char* dst, const std::string& text, std::size_t room) {
  std::size_t n = text.size() < room ? text.size() : room - 1;
  std::memcpy(dst, text.data(), n);
  dst[n] = '\0';
  return dst;
}

std::size_t fieldRoom(int width, std::size_t atLeast) {
  std::size_t w = static_cast<std::size_t>(std::abs(static_cast<long long>(width)));
  return (w > atLeast ? w : atLeast) + 1;
}

int clampDecimals(int decimals) { return decimals < 0 ? 0 : decimals; }

// The rule of thumb for choosing the fixed form: width must hold the
// decimals, the point (and sign), and about log10 digits; small magnitudes
// count their leading zeros the same way, so they switch to %g early
// instead of showing few significant digits.
bool fixedFormFits(int width, int decimals, float value) {
  if (value == 0.0f) return true;
  double magnitude = std::fabs(std::log10(std::fabs(static_cast<double>(value))));
  double sign = value < 0 ? 2.0 : 1.0;
  return !(width < decimals + sign + magnitude);
}

}  // namespace

extern "C" {

char* m_stri(char* dst, int value, int width) try {
  return copyOut(dst, kfs::util::formatC("%*d", width, value), fieldRoom(width, 11));
}
KORA_CATCH_ALL(::kfs::util::Emptied(dst))

char* m_strr(char* dst, int width, int decimals, float value) try {
  decimals = clampDecimals(decimals);
  std::size_t room = fieldRoom(width, static_cast<std::size_t>(decimals) + 8);
  double v = static_cast<double>(value);
  if (fixedFormFits(width, decimals, value))
    return copyOut(dst, kfs::util::formatC("%*.*f", width, decimals, v), room);
  return copyOut(dst, kfs::util::formatC("%*.*g", width, decimals, v), room);
}
KORA_CATCH_ALL(::kfs::util::Emptied(dst))

char* m_strr_e(char* dst, int width, int decimals, float value) try {
  decimals = clampDecimals(decimals);
  std::size_t room = fieldRoom(width, static_cast<std::size_t>(decimals) + 8);
  return copyOut(dst, kfs::util::formatC("%*.*e", width, decimals, static_cast<double>(value)),
                 room);
}
KORA_CATCH_ALL(::kfs::util::Emptied(dst))

void m_vali(const char* text, int* value, int* status) try {
  int v = 0;
  bool ok = text != nullptr && kfs::util::parseFieldInt(text, text + std::strlen(text), &v);
  if (ok) *value = v;
  *status = ok ? -1 : 0;
}
KORA_CATCH_ALL(::kfs::util::NoNumber(status))

void m_valr(const char* text, float* value, int* status) try {
  double v = 0;
  bool ok = text != nullptr && kfs::util::parseFieldDouble(text, text + std::strlen(text), &v);
  if (ok) *value = static_cast<float>(v);
  *status = ok ? -1 : 0;
}
KORA_CATCH_ALL(::kfs::util::NoNumber(status))

}  // extern "C"
