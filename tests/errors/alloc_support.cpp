// The replaceable global allocation functions of this test program.
#include "alloc_support.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

bool g_armed = false;
bool g_refused = false;
long g_left = 0;  // allocations that still succeed while armed

// Xerces is not made to fail: after running out of memory its scanner
// leaks buffers it never frees, which is beyond the libraries under test.
// Everything the libraries allocate around it still fails in turn.
bool FromXerces(void* caller) {
  Dl_info info;
  return dladdr(caller, &info) && info.dli_fname && std::strstr(info.dli_fname, "libxerces-c");
}

void* Allocate(std::size_t size, void* caller) noexcept {
  if (g_armed && !FromXerces(caller)) {
    if (g_left == 0) {
      g_refused = true;
      return nullptr;
    }
    --g_left;
  }
  return std::malloc(size ? size : 1);
}

void* AllocateOrThrow(std::size_t size, void* caller) {
  void* p = Allocate(size, caller);
  if (!p) throw std::bad_alloc();
  return p;
}

}  // namespace

namespace alloctest {

void FailFrom(long n) {
  g_left = n;
  g_refused = false;
  g_armed = true;
}

bool Disarm() {
  g_armed = false;
  return g_refused;
}

}  // namespace alloctest

#define CALLER __builtin_return_address(0)

void* operator new(std::size_t size) { return AllocateOrThrow(size, CALLER); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size, CALLER); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size, CALLER);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size, CALLER);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
