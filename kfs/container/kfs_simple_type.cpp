// Names and sizes of the container's simple types.
#include "kfs/container/kfs.h"

namespace {
// Indexed by code + 2.
const char* const kNames[] = {"block",     "terminator", "unknown",   "float",     "double",
                              "byte",      "integer*4",  "unsigned*4", "integer*2", "unsigned*2"};
const unsigned int kSizes[] = {0, 0, 0, 4, 8, 1, 4, 4, 2, 2};
}  // namespace

extern "C" {

KFS_API int kfsSimpValid(kfsSimpleType type) { return type >= kfsTypeBlock && type <= kfsTypeUInt2; }

KFS_API const char* kfsSimpName(kfsSimpleType type) {
  return kfsSimpValid(type) ? kNames[type + 2] : "unknown";
}

KFS_API unsigned int kfsSimpSize(kfsSimpleType type) {
  return kfsSimpValid(type) ? kSizes[type + 2] : 0;
}

}  // extern "C"
