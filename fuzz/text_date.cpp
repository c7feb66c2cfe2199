// The date and text parsers of the utilities: dates, lists of numbers and
// single number fields, as read from the text files of modelling programs.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "kfs/util/date.h"
#include "kfs/util/text_util.h"

namespace {

// A date that was parsed prints as a text that parses to the same date.
void DatesRoundTrip(const char* text) {
  date4 parsed;
  if (dates_4(&parsed, text)) {
    char printed[DATE_TEXT_SIZE];
    date4_s(printed, parsed);
    date4 again;
    if (!dates_4(&again, printed) || dat4cmp(parsed, again) != 0) __builtin_trap();
  }
  date6 parsed6;
  if (dates_6(&parsed6, text)) {
    char printed[DATE_TEXT_SIZE];
    date6_s(printed, parsed6);
  }
}

void Numbers(const char* text) {
  float floats[8] = {};
  strflt(floats, text, 8);
  int ints[8] = {};
  strflt(ints, text, -8);
  int flags[8];
  strbol(flags, text, 8);
  int value = 0, status = 0;
  m_vali(text, &value, &status);
  float real = 0;
  m_valr(text, &real, &status);
}

void Edits(const std::string& text) {
  std::vector<char> out(text.size() + 1);
  rem_spc(out.data(), text.c_str());
  strwash(out.data(), text.c_str(), " ,;");
  std::vector<char> copy(text.c_str(), text.c_str() + std::strlen(text.c_str()) + 1);
  strip(copy.data());
  fst_nspc(text.c_str());
  lst_nspc(text.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // These take C texts: an embedded zero ends the text as it would for a caller.
  const std::string text(reinterpret_cast<const char*>(data), size);
  DatesRoundTrip(text.c_str());
  Numbers(text.c_str());
  Edits(text);
  return 0;
}
