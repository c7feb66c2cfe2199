#include "base/kora_version.h"

namespace {

#define KORA_VERSION_TEXT(n) #n
#define KORA_VERSION_DIGITS(major, minor, patch) \
  KORA_VERSION_TEXT(major) "." KORA_VERSION_TEXT(minor) "." KORA_VERSION_TEXT(patch)

constexpr bool SameText(const char* a, const char* b) {
  return *a == *b && (*a == '\0' || SameText(a + 1, b + 1));
}

// The build takes the release from the text; the numbers must say the same.
static_assert(SameText(KORACORE_VERSION_STRING,
                       KORA_VERSION_DIGITS(KORACORE_VERSION_MAJOR, KORACORE_VERSION_MINOR,
                                           KORACORE_VERSION_PATCH)),
              "KORACORE_VERSION_STRING does not match the version numbers");

}  // namespace

extern "C" const char* koraVersion(int* major, int* minor, int* patch) {
  if (major) *major = KORACORE_VERSION_MAJOR;
  if (minor) *minor = KORACORE_VERSION_MINOR;
  if (patch) *patch = KORACORE_VERSION_PATCH;
  return KORACORE_VERSION_STRING;
}
