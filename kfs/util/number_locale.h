// Number <-> text conversions that ignore the process locale.
//
// The text formats of this library (listings, lists of numbers, fixed-width
// fields) always use "." as the decimal point. A host may have switched
// LC_NUMERIC to a locale with a decimal comma, so every printf-style or
// strtod-style conversion here runs under a private "C" locale object.
// Internal to libkfs; not exported.
#ifndef KFS_UTIL_NUMBER_LOCALE_H
#define KFS_UTIL_NUMBER_LOCALE_H

#include <cstdarg>
#include <string>

namespace kfs::util {

// printf into a std::string of exactly the needed length, "C" locale.
std::string formatC(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string formatCv(const char* fmt, va_list args);

// strtod in the "C" locale. Returns the number of characters consumed
// (0 when text does not start with a number; leading white space counts).
std::size_t parseDoubleC(const char* text, double* value);

// Parses a whole field: optional blanks, one number, optional blanks, end.
// False (value untouched) for anything else, also for an integer that does
// not fit an int.
bool parseFieldDouble(const char* begin, const char* end, double* value);
bool parseFieldInt(const char* begin, const char* end, int* value);

}  // namespace kfs::util

#endif
