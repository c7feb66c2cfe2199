#include "qty/QtyAssert.h"

#include <cstdlib>

#include "base/kora_diagnostics.h"

namespace qty {

void AssertFailed(const char* condition, const char* file, int line) {
  koraDiagnostic(koraDiagAssertion, "%s:%d: assertion failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace qty
