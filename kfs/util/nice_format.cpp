// nicefm: the compact fixed-width number of listings (text_util.h).
//
// The value is shown in fixed notation while its magnitude lies between two
// limits that depend only on the width, otherwise as mantissa and exponent;
// either way the text is cut (not rounded again) to the width, trailing
// zeros are dropped, and the result is right-aligned in exactly `width`
// characters.
#include "base/kora_boundary.h"
#include "kfs/util/failure_values.h"
#include "kfs/util/number_locale.h"
#include "kfs/util/text_util.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Limits {
  double upper;  // from here on the integer digits no longer fit
  double lower;  // up to here too few significant digits would show
};

Limits limitsFor(int width) {
  Limits l;
  l.upper = std::pow(10.0, width - 1) - 1.0;
  l.lower = std::pow(10.0, -(width - 3));
  if (l.lower < 9.9e-5) l.lower = 1e-4;
  return l;
}

// Drops trailing zeros and then a trailing point of a number that has one.
void trimFraction(std::string& text) {
  if (text.find('.') == std::string::npos) return;
  std::size_t end = text.find_last_not_of('0');
  text.erase(end + 1);
  if (!text.empty() && text.back() == '.') text.pop_back();
}

// Fixed notation cut to the width; empty when the integer digits alone do
// not fit, because cutting them would show a wrong magnitude.
std::string fixedText(double value, int width) {
  double mag = std::fabs(value);
  std::string text;
  if (mag < 0.1) {
    int decimals = 4 - static_cast<int>(std::trunc(std::log10(mag)));
    text = kfs::util::formatC("%20.*f", decimals, value);
  } else {
    text = kfs::util::formatC("%20.4f", value);
  }
  text.erase(0, text.find_first_not_of(' '));
  std::size_t point = text.find('.');
  std::size_t integerDigits = point == std::string::npos ? text.size() : point;
  if (integerDigits > static_cast<std::size_t>(width)) return std::string();
  if (text.size() > static_cast<std::size_t>(width)) text.erase(static_cast<std::size_t>(width));
  bool fillsWithoutPoint =
      text.size() == static_cast<std::size_t>(width) && text.find('.') == std::string::npos;
  if (!fillsWithoutPoint) trimFraction(text);
  return text;
}

// Mantissa and "e%+03d" exponent; empty when not one digit of the mantissa
// fits beside the exponent.
std::string exponentText(double value, int width) {
  std::string text = kfs::util::formatC("%20.4e", value);
  text.erase(0, text.find_first_not_of(' '));
  std::size_t e = text.find('e');
  if (e == std::string::npos) return std::string();
  std::string exponent = kfs::util::formatC("e%+03d", std::atoi(text.c_str() + e + 1));
  std::string mantissa = text.substr(0, e);
  long room = static_cast<long>(width) - static_cast<long>(exponent.size());
  if (room <= 0) return std::string();
  if (mantissa.size() > static_cast<std::size_t>(room))
    mantissa.erase(static_cast<std::size_t>(room));
  trimFraction(mantissa);
  if (mantissa.empty() || mantissa == "-") return std::string();
  return mantissa + exponent;
}

std::string rightAligned(const std::string& text, int width) {
  std::size_t w = static_cast<std::size_t>(width);
  if (text.empty() || text.size() > w) return std::string(w, '*');
  return std::string(w - text.size(), ' ') + text;
}

std::string compactNumber(double value, int width) {
  if (value == 0.0) return "0";
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  Limits l = limitsFor(width);
  double mag = std::fabs(value);
  bool fixed = (mag < l.upper && (mag > l.lower || width < 5)) || (mag >= l.upper && width < 5);
  return fixed ? fixedText(value, width) : exponentText(value, width);
}

}  // namespace

extern "C" char* nicefm(char* dst, int width, double value) try {
  if (width <= 0) {
    dst[0] = '\0';
    return dst;
  }
  std::string field = rightAligned(compactNumber(value, width), width);
  std::memcpy(dst, field.c_str(), field.size() + 1);
  return dst;
}
KORA_CATCH_ALL(::kfs::util::Unshowable(dst, width))
