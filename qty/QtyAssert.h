// The units library's own assertion, for invariants of its classes (a unit
// with exactly one dimension and a non-zero factor, the reference counts of
// the XML layer).
//
// Unlike assert() it stays in release builds: a broken invariant would turn
// into wrong conversions, silently. Input never reaches one - a unit table,
// an expression or an argument that would break an invariant is refused
// before - so a failure is a fault of the library. The message names the
// condition and goes through the diagnostics sink (base/kora_diagnostics.h)
// before the process aborts. Internal to libqty.
#ifndef QTY_QTYASSERT_H
#define QTY_QTYASSERT_H

#define QTY_ASSERT(condition)                                              \
  do {                                                                     \
    if (!(condition)) ::qty::AssertFailed(#condition, __FILE__, __LINE__); \
  } while (0)

namespace qty {

[[noreturn]] void AssertFailed(const char* condition, const char* file, int line);

}  // namespace qty

#endif
