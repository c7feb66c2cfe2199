/* The scanning steps that every element reader of the well-known-text record
 * shares (internal to the text folder).
 *
 * Elements are not parsed into a tree: a reader finds the first occurrence of
 * its keyword and reads the tokens that follow it. Names are delimited by
 * brackets and double quotes, values by a closing bracket or a comma. Every
 * step moves forward through the text, so reading a record costs a fixed
 * number of passes over it, whatever its length.
 */
#ifndef KVCART_TEXT_WKTSCAN_H
#define KVCART_TEXT_WKTSCAN_H

#include "base/CString.h"

namespace kvcart::wkt {

// Delimiters of a name token and of a value token.
constexpr char kNameDelimiters[] = "[]\"";
constexpr char kValueDelimiters[] = "],";

// Lower-cases ASCII letters only: keywords and parameter names are ASCII,
// and the process locale must not change how they compare.
CString AsciiLower(const CString& text);

// Reads the name that follows the keyword found at `at`: the keyword token,
// then the name token. `pos` ends one past the delimiter that closed the name
// (-1 at the end of the text). A name written as "" is the empty name rather
// than whatever text follows it. Returns false when there is no keyword.
bool ReadNameAt(const CString& text, int at, CString& name, int& pos);

// The next value token from `pos` (see kValueDelimiters), converted in the
// "C" locale; -1e-35 when there is none or it is not a finite number.
double ReadValue(const CString& text, int& pos);

// GetParam on a text that is already lower-cased: the value after the
// quoted, lower-cased parameter name; `found` tells whether the name occurs.
double FindParamLowered(const CString& loweredText, const CString& name, bool& found);

}  // namespace kvcart::wkt

#endif
