// Calendar times of a data file's time axis as ISO 8601 texts.
//
// Computed with 64-bit day counts in the proleptic Gregorian calendar, so
// that any start date and any offset a damaged header may hold gives a text
// or an honest refusal, never an overflow.
#ifndef TOOLS_KFSDUMP_CALENDAR_H
#define TOOLS_KFSDUMP_CALENDAR_H

#include <string>

namespace kfsdump {

// "yyyy-mm-ddThh:mm:ss" of the start ("yyyy-mm-dd", "hh:mm:ss") plus
// `seconds` (rounded to the nearest second); empty when the start is not
// such a date and time, or the result lies outside the years 1 to 9999.
std::string IsoTime(const std::string& date, const std::string& time, double seconds);

}  // namespace kfsdump

#endif
