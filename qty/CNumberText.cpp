#include "qty/CNumberText.h"

#include <locale.h>
#include <stdlib.h>

namespace qty {

namespace {

locale_t CLocale() {
  // Made once and kept: freeing it at exit would race other static
  // destructors that still parse.
  static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0));
  return c;
}

}  // namespace

double StrtodC(const char* text, char** end) { return strtod_l(text, end, CLocale()); }

}  // namespace qty
