/* The reserved projection words, and the test that a projection string names
 * the local model grid.
 *
 * A projection string is well-known text, the name of a definition in the
 * database, or one of two reserved words: "NON-UTM", a local Cartesian system
 * that is not georeferenced (coordinates pass through every conversion
 * unchanged), and "LONG/LAT", geographical longitude/latitude. Hosts write
 * these words by hand into set-up files, so blanks around them are ignored.
 *
 * These are pure functions of their text: no database, no locale, safe from
 * any thread. The facade's string tests and the well-known-text short name
 * both rest on them, which is why they live below either.
 *
 * Usage:
 *   kvcart::IsLocalGridText("  NON-UTM ");   // true
 *   kvcart::IsLocalGridText("UTM-32");       // false
 */
#ifndef KVCART_CORE_LOCALGRID_H
#define KVCART_CORE_LOCALGRID_H

#include <string>

namespace kvcart {

// The local model grid: not georeferenced, converted by no projection.
constexpr const char kLocalGridName[] = "NON-UTM";
// Geographical longitude/latitude.
constexpr const char kLongLatName[] = "LONG/LAT";

// The characters trimmed from both ends of a projection string.
constexpr const char kProjectionBlanks[] = " \t\r\n\f\v";

// The text without blanks at either end; a null text gives "".
inline std::string TrimProjectionText(const char* text) {
  if (text == nullptr) return std::string();
  const std::string s(text);
  const std::string::size_type first = s.find_first_not_of(kProjectionBlanks);
  if (first == std::string::npos) return std::string();
  const std::string::size_type last = s.find_last_not_of(kProjectionBlanks);
  return s.substr(first, last - first + 1);
}

// True when the text, trimmed, is exactly "NON-UTM" (case-sensitive).
inline bool IsLocalGridText(const char* text) { return TrimProjectionText(text) == kLocalGridName; }

// True when the text, trimmed, is exactly "LONG/LAT" (case-sensitive).
inline bool IsLongLatText(const char* text) { return TrimProjectionText(text) == kLongLatName; }

}  // namespace kvcart

#endif
