// Walking the logical blocks of a cross-section file, as the table loader
// and the index read it. Internal.
#ifndef KFS_XFS_XFS_BLOCK_WALK_H
#define KFS_XFS_XFS_BLOCK_WALK_H

#include "kfs/container/kfs.h"

namespace xfs {

// Moves to the next block start, passing over whole records that stand
// between blocks (none of ours). Returns kfsOK with the block's id and the
// position of its start; kfsEndOfFile when the file ends; the handle's
// error, or 2019 for a byte that begins no item (a damaged file: nothing
// behind it can be trusted to be a cross-section).
unsigned int NextBlock(kfsHandle file, unsigned int* id, long long* position);

}  // namespace xfs

#endif
