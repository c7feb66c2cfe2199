// Ends a function-try-block around the body of a function with C linkage:
//
//   unsigned int kfsFileFlush(kfsHandle file) try {
//     ...
//   } KORA_CATCH_ALL(::kfs::Escaped(file, __LINE__))
//
// No exception may leave such a function: a C or Fortran caller cannot
// catch it, and a C++ caller does not expect one from a status interface.
// Whatever the body throws - std::bad_alloc above all, from the standard
// containers and strings some functions use - ends here, and the function
// returns the failure its header documents instead (the out-of-memory
// status, null, 0, an empty text). The handler lives in the unwind tables:
// the normal path costs nothing. Internal to the koracore libraries.
#ifndef KORACORE_BASE_KORA_BOUNDARY_H
#define KORACORE_BASE_KORA_BOUNDARY_H

#define KORA_CATCH_ALL(failure) \
  catch (...) {                 \
    return failure;             \
  }

#endif
