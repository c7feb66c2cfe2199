#include "kfs/xfs/xfs_block_walk.h"

namespace xfs {

namespace {

bool IsRecordType(kfsSimpleType type) { return type >= kfsTypeFloat && type <= kfsTypeUInt2; }

}  // namespace

unsigned int NextBlock(kfsHandle file, unsigned int* id, long long* position) {
  for (;;) {
    *position = kfsTell64(file);
    kfsSimpleType next = kfsQuery(file, id);
    if (next == kfsTypeBlock) return kfsOK;
    if (next == kfsTypeUnknown && kfsPeekError(file) != kfsOK) return kfsPeekError(file);
    // The container reads a zero type code, a stray terminator or a code
    // beyond the simple types as an item of its own; here it is damage.
    if (!IsRecordType(next) || *id == 0) return kfsErrStructure;
    if (kfsSkip(file) == kfsTypeUnknown) return kfsPeekError(file);
  }
}

}  // namespace xfs
