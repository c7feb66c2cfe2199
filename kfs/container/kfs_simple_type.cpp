// Names and sizes of the container's simple types.
#include "kfs/container/kfs.h"

#include "base/kora_boundary.h"

namespace {
// Indexed by code + 2.
const char* const kNames[] = {"block", "terminator", "unknown",    "float",     "double",
                              "byte",  "integer*4",  "unsigned*4", "integer*2", "unsigned*2"};
const unsigned int kSizes[] = {0, 0, 0, 4, 8, 1, 4, 4, 2, 2};
}  // namespace

extern "C" {

KFS_API int kfsSimpValid(kfsSimpleType type) try {
  return type >= kfsTypeBlock && type <= kfsTypeUInt2;
}
KORA_CATCH_ALL(0)

KFS_API const char* kfsSimpName(kfsSimpleType type) try {
  return kfsSimpValid(type) ? kNames[type + 2] : "unknown";
}
KORA_CATCH_ALL("unknown")

KFS_API unsigned int kfsSimpSize(kfsSimpleType type) try {
  return kfsSimpValid(type) ? kSizes[type + 2] : 0;
}
KORA_CATCH_ALL(0u)

}  // extern "C"
