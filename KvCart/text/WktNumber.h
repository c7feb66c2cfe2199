/* Numbers in well-known text and PROJ.4 strings, independent of the process
 * locale.
 *
 * A host that runs under a locale with a decimal comma (de_DE, fr_FR, ...)
 * must still read "0.9996" as 0.9996 and write 0.9996 with a point, or the
 * .prj files it writes would not read back anywhere. Reading goes through
 * strtod_l with a "C" locale object made once per process; writing through
 * std::to_chars, which never looks at the locale.
 *
 * Example:
 *   double k = kvcart::ParseWktNumber("0.9996]");   // 0.9996
 *   std::string s = kvcart::FormatWktNumber(k);      // "0.9996"
 */
#ifndef KVCART_TEXT_WKTNUMBER_H
#define KVCART_TEXT_WKTNUMBER_H

#include <string>

namespace kvcart {

// The number at the start of the text (leading blanks skipped, anything
// after the number ignored, as strtod does). Text that holds no number, a
// null text and values that are not finite give -1e-35, the unset value of
// the well-known-text record, so that a missing or absurd value is never
// taken for a real one.
double ParseWktNumber(const char* text);

// Degrees per angular unit from the unit's factor in radians. Texts give
// the factor with 15 digits (0.0174532925199433 for the degree), so the
// product comes out a few ulps off 1 (or 0.9 for the grad), and a central
// meridian of 9 would become 9.000000000000002; a result that close to a
// number of 12 significant digits is taken as that number.
double DegreesPerUnit(double radiansPerUnit);

// The value with 16 significant digits in the shortest of fixed and
// exponent notation, exactly as printf("%.16g") in the "C" locale:
// 6378137, 0.0174532925199433, -1e-35.
std::string FormatWktNumber(double value);

}  // namespace kvcart

#endif
