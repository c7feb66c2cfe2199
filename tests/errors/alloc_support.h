// Allocation failure on demand, for the tests of this program only.
//
// The program replaces the global operator new (all its forms): once armed,
// the n-th allocation from then on and every later one throws
// std::bad_alloc (the nothrow forms return null), in this program and in
// the koracore libraries it links - but not in Xerces, which leaks after
// its own out-of-memory. Sweeping n from 0 upwards until an operation no
// longer meets a failure drives it through every allocation it makes.
#ifndef KORACORE_TESTS_ERRORS_ALLOC_SUPPORT_H
#define KORACORE_TESTS_ERRORS_ALLOC_SUPPORT_H

namespace alloctest {

// From now on, allocation number `n` (counted from 0) and all later ones fail.
void FailFrom(long n);
// Allocations succeed again. Returns whether one was refused while armed.
bool Disarm();

// Runs `operation` with allocation n failing, for n = 0, 1, 2, ... until it
// runs through without meeting a failure (or `limit` runs), and calls
// `check(n, failed)` after each run with the hook disarmed. Returns the
// number of runs that met a failure.
template <class Operation, class Check>
long Sweep(Operation operation, Check check, long limit = 100000) {
  long n = 0;
  for (; n < limit; ++n) {
    FailFrom(n);
    operation();
    const bool failed = Disarm();
    check(n, failed);
    if (!failed) break;
  }
  return n;
}

}  // namespace alloctest

#endif
