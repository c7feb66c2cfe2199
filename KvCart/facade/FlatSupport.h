/* What every function of the flat interface shares: no exception leaves a
 * C entry point, the text-buffer convention, and the status out-argument.
 * Internal to the facade layer. */
#ifndef KVCART_FACADE_FLATSUPPORT_H
#define KVCART_FACADE_FLATSUPPORT_H

#include <cstring>
#include <limits>
#include <string>

namespace kvcart {
namespace flat {

constexpr int kOk = 0;
constexpr int kFailed = -1;
constexpr double kNoNumber = std::numeric_limits<double>::quiet_NaN();

// Runs the body and gives its result, or `failure` when it throws anything
// (bad_alloc, "Can't use generic UTM", ...): an exception must not unwind
// into a C or Fortran caller.
template <typename Result, typename Body>
Result Guard(Result failure, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// The buffer convention: a text of length len fits when len <= size (the
// buffer holds size + 1 bytes); then it is copied with its zero and 0 is
// stored and returned. Otherwise nothing is copied and len is stored and
// returned. A null buffer is never written.
inline int CopyText(const char* text, char* buffer, int size, int* needed) {
  const std::size_t length = text != nullptr ? std::strlen(text) : 0;
  const int len = length > static_cast<std::size_t>(std::numeric_limits<int>::max())
                      ? std::numeric_limits<int>::max()
                      : static_cast<int>(length);
  const bool fits = buffer != nullptr && len <= size;
  if (fits) {
    if (len > 0) std::memcpy(buffer, text, length);
    buffer[len] = '\0';
  }
  const int result = fits ? 0 : len;
  if (needed != nullptr) *needed = result;
  return result;
}

inline int Report(int* status, int value) {
  if (status != nullptr) *status = value;
  return value;
}

// Creates an object of the flat interface: the handle is written only on
// success, and a failure of any kind (exception, no projection) is -1.
template <typename Make>
int Create(void** handle, int* status, Make make) noexcept {
  if (handle == nullptr) return Report(status, kFailed);
  void* made = Guard<void*>(nullptr, make);
  if (made == nullptr) return Report(status, kFailed);
  *handle = made;
  return Report(status, kOk);
}

// Destroys the object of *handle and nulls it; -1 for a null handle.
template <typename Object>
int Destroy(void** handle, int* status) noexcept {
  if (handle == nullptr || *handle == nullptr) return Report(status, kFailed);
  delete static_cast<Object*>(*handle);
  *handle = nullptr;
  return Report(status, kOk);
}

inline int YesNo(bool value) { return value ? 1 : 0; }

// True when no pointer is null: outputs of the flat functions are checked
// before anything is computed.
template <typename... Pointers>
bool AllSet(const Pointers*... pointers) {
  return ((pointers != nullptr) && ...);
}

}  // namespace flat
}  // namespace kvcart

#endif
