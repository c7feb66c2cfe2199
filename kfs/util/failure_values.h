// What the functions of libkfs with C linkage hand back when their body
// failed in a way their arguments could not have caused (memory ran out):
// the documented "nothing" of each kind of result. Used in the handlers of
// KORA_CATCH_ALL (base/kora_boundary.h). Internal to libkfs.
#ifndef KFS_UTIL_FAILURE_VALUES_H
#define KFS_UTIL_FAILURE_VALUES_H

#include <cstddef>

namespace kfs::util {

// The empty text in the caller's buffer (when there is one); returns it.
inline char* Emptied(char* text) {
  if (text) text[0] = '\0';
  return text;
}

// A field that could not be read: status 0, value untouched.
inline void NoNumber(int* status) {
  if (status) *status = 0;
}

// A number that cannot be shown in its field: width asterisks.
inline char* Unshowable(char* dst, int width) {
  if (!dst) return dst;
  int i = 0;
  for (; i < width; ++i) dst[i] = '*';
  dst[i] = '\0';
  return dst;
}

// No object, and the code in *status (when status is not null).
inline std::nullptr_t FailedWith(int* status, int code) {
  if (status) *status = code;
  return nullptr;
}

}  // namespace kfs::util

#endif
