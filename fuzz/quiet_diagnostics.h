// Readers report every row or section they pass over; a harness meets
// thousands of those a second, and writing them out would slow it down and
// bury libFuzzer's own report. Only broken invariants are still written:
// the library aborts right after, and the text says why.
#ifndef KORACORE_FUZZ_QUIET_DIAGNOSTICS_H
#define KORACORE_FUZZ_QUIET_DIAGNOSTICS_H

#include <cstdio>

#include "base/kora_diagnostics.h"

namespace korafuzz {

inline void QuietSink(int kind, const char* text, void*) {
  if (kind == koraDiagAssertion) std::fputs(text, stderr);
}

inline void QuietDiagnostics() { koraSetDiagnosticSink(&QuietSink, nullptr, nullptr); }

}  // namespace korafuzz

#endif
