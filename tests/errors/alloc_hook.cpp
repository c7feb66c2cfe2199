// The replaceable global allocation functions of this test program.
#include "alloc_hook.h"

#include <cstdlib>
#include <new>

namespace {

bool g_armed = false;
bool g_refused = false;
long g_left = 0;  // allocations that still succeed while armed

void* Allocate(std::size_t size) noexcept {
  if (g_armed) {
    if (g_left == 0) {
      g_refused = true;
      return nullptr;
    }
    --g_left;
  }
  return std::malloc(size ? size : 1);
}

void* AllocateOrThrow(std::size_t size) {
  void* p = Allocate(size);
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

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
