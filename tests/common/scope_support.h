// Scope guards of the tests: each releases one object of a C interface when
// the test leaves the scope, also when a failed ASSERT_* returns early.
//
// A guard watches the test's own variable instead of owning a copy, so the
// test keeps passing &handle to the calls that create, reopen and close it
// and can still check what an explicit close returns. At the end the guard
// releases whatever the variable then holds; every release function of the
// libraries clears the variable, so a handle the test already closed is not
// released twice.
#ifndef KORACORE_TESTS_COMMON_SCOPE_SUPPORT_H
#define KORACORE_TESTS_COMMON_SCOPE_SUPPORT_H

#include <cstdlib>
#include <memory>

namespace koracoretest {

template <typename Handle, auto Release>
class ReleaseGuard {
 public:
  explicit ReleaseGuard(Handle& handle) : m_handle(handle) {}
  ~ReleaseGuard() {
    if (m_handle) Release(&m_handle);
  }
  ReleaseGuard(const ReleaseGuard&) = delete;
  ReleaseGuard& operator=(const ReleaseGuard&) = delete;

 private:
  Handle& m_handle;
};

// Text or arrays the libraries hand over with malloc for the caller to free.
struct FreeDeleter {
  void operator()(void* memory) const { std::free(memory); }
};
template <typename T>
using MallocPtr = std::unique_ptr<T, FreeDeleter>;

}  // namespace koracoretest

#endif
