#include "rcf/NumberText.h"

#include <charconv>
#include <system_error>

namespace rcf {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != b[i]) return false;
  return true;
}

size_t SkipDigits(std::string_view s, size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

// Checks the decimal grammar by hand so that from_chars (which also takes
// hexadecimal and other forms in some modes) sees only what we accept.
// Sets isInteger when there is neither a point nor an exponent.
bool IsDecimal(std::string_view body, bool& isInteger) {
  size_t i = SkipDigits(body, 0);
  size_t digits = i;
  isInteger = true;
  if (i < body.size() && body[i] == '.') {
    isInteger = false;
    const size_t after = SkipDigits(body, i + 1);
    digits += after - i - 1;
    i = after;
  }
  if (digits == 0) return false;
  if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
    isInteger = false;
    ++i;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
    const size_t after = SkipDigits(body, i);
    if (after == i) return false;
    i = after;
  }
  return i == body.size();
}

bool IsSpecial(std::string_view body) {
  return EqualsNoCase(body, "inf") || EqualsNoCase(body, "infinity") || EqualsNoCase(body, "nan");
}

}  // namespace

ParsedNumber ParseNumber(std::string_view token) {
  ParsedNumber out;
  const bool negative = !token.empty() && token[0] == '-';
  const std::string_view body =
      (!token.empty() && (token[0] == '+' || token[0] == '-')) ? token.substr(1) : token;
  bool isInteger = false;
  if (!IsDecimal(body, isInteger) && !IsSpecial(body)) return out;

  // from_chars takes a leading '-' but not '+'.
  const std::string_view digits = negative ? token : body;
  const char* first = digits.data();
  const char* last = digits.data() + digits.size();
  if (isInteger) {
    int value = 0;
    const auto r = std::from_chars(first, last, value);
    if (r.ec == std::errc() && r.ptr == last) {
      out.kind = NumberKind::Integer;
      out.integer = value;
      out.number = value;
      return out;
    }
    // Too large for 32 bits: it is still a good number.
  }
  double value = 0.0;
  const auto r = std::from_chars(first, last, value);
  if (r.ec == std::errc::result_out_of_range) {
    out.kind = NumberKind::OutOfRange;
    return out;
  }
  if (r.ec != std::errc() || r.ptr != last) return out;
  out.kind = NumberKind::Number;
  out.number = value;
  return out;
}

std::string FormatNumber(double value) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, r.ptr);
  if (text.find_first_of(".eEn") == std::string::npos) text += ".0";
  return text;
}

std::string FormatInteger(int value) {
  char buffer[16];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

}  // namespace rcf
