/* The koracore release: compile-time macros and the run-time call.
 *
 * The macros describe the headers a program was compiled with, koraVersion
 * the libraries it runs with. A program that depends on a feature of a given
 * release checks the macros at compile time; one that must not run on older
 * libraries than it was built for compares both at start-up:
 *
 *   int major = 0, minor = 0;
 *   koraVersion(&major, &minor, NULL);
 *   if (major != KORACORE_VERSION_MAJOR || minor < KORACORE_VERSION_MINOR)
 *     fprintf(stderr, "built for koracore %s, running with %s\n",
 *             KORACORE_VERSION_STRING, koraVersion(NULL, NULL, NULL));
 *
 * Releases with the same major number keep the binary interface; the minor
 * number grows with additions, the patch number with fixes. The build reads
 * the release from this header, so the shared objects' versions, the CMake
 * package and the pkg-config files all say the same.
 *
 * Usable from C and C++. */
#ifndef KORACORE_BASE_KORA_VERSION_H
#define KORACORE_BASE_KORA_VERSION_H

#include "rcf/rcf_api.h"

#define KORACORE_VERSION_MAJOR 1
#define KORACORE_VERSION_MINOR 1
#define KORACORE_VERSION_PATCH 0
#define KORACORE_VERSION_STRING "1.1.0"
/* One number that orders releases: 10000 x major + 100 x minor + patch. */
#define KORACORE_VERSION_NUMBER \
  (KORACORE_VERSION_MAJOR * 10000 + KORACORE_VERSION_MINOR * 100 + KORACORE_VERSION_PATCH)

RCF_EXTERN_C_BEGIN

/* The release of the libraries in the process: stores its three numbers
 * (each pointer may be null) and returns it as text ("1.1.0"). Never null;
 * the text is static. */
RCF_API const char* koraVersion(int* major, int* minor, int* patch);

RCF_EXTERN_C_END

#endif
