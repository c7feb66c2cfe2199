// Numbers as parameter-file text, independent of the process locale.
//
// Integers are 32-bit; numbers are doubles written in the shortest form that
// reads back to the same bits, always with a '.' or an exponent so that they
// read back as numbers and not as integers ("41.0", "1e+21", "-0.0", "inf",
// "nan").
#ifndef KORACORE_RCF_NUMBERTEXT_H
#define KORACORE_RCF_NUMBERTEXT_H

#include <string>
#include <string_view>

namespace rcf {

enum class NumberKind { Invalid, Integer, Number, OutOfRange };

struct ParsedNumber {
  NumberKind kind = NumberKind::Invalid;
  int integer = 0;
  double number = 0.0;
};

// Accepts [+-]digits (an integer when it fits in 32 bits, else a number),
// decimal numbers with optional exponent ("1.", ".5", "2.5e-3") and
// [+-]inf, infinity or nan in any case. Anything else is Invalid; a finite
// number beyond the range of double is OutOfRange.
ParsedNumber ParseNumber(std::string_view token);

std::string FormatNumber(double value);
std::string FormatInteger(int value);

}  // namespace rcf

#endif
