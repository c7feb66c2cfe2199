#include "KvCart/text/WktNumber.h"

#include <locale.h>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "KvCart/text/CKvPRJParser.h"

namespace kvcart {

namespace {

// Made once and never changed, so every thread may use it; it lives until
// the process ends.
locale_t CLocale() {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return cLocale;
}

}  // namespace

double ParseWktNumber(const char* text) {
  if (text == nullptr) return CKvPRJParser::kUnset;
  char* end = nullptr;
  const locale_t c = CLocale();
  const double value = c != nullptr ? strtod_l(text, &end, c) : std::strtod(text, &end);
  if (end == text || !std::isfinite(value)) return CKvPRJParser::kUnset;
  return value;
}

double DegreesPerUnit(double radiansPerUnit) {
  const double factor = radiansPerUnit * 57.29577951308232;
  if (!std::isfinite(factor) || factor == 0.0) return factor;
  const double scale = std::pow(10.0, 11 - std::floor(std::log10(std::fabs(factor))));
  const double rounded = std::round(factor * scale) / scale;
  return std::fabs(rounded - factor) <= 1e-12 * std::fabs(factor) ? rounded : factor;
}

std::string FormatWktNumber(double value) {
  char buffer[64];
  const std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 16);
  return std::string(buffer, r.ptr);
}

}  // namespace kvcart
