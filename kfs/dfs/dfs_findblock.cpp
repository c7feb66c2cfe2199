// The section search: moves through a data file block by block, noting
// where the static (40000) and dynamic (50000) sections begin.
#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"

namespace {

int sectionLevel(int tag) {
  if (tag == DFS_TAG_DYNAMIC) return 3;
  if (tag == DFS_TAG_STATIC) return 2;
  return 1;
}

}  // namespace

extern "C" {

int dfsFindBlock(kfsHandle file, int tag) try {
  if (int s = dfsCheckFile(file, __FILE__, __LINE__)) return s;
  const int target = sectionLevel(tag);
  // The wanted section lies behind: start again from the first header block.
  if ((tag == DFS_TAG_DYNAMIC && dfs::position(file) == dfs::eInDynamic) ||
      (tag == DFS_TAG_STATIC && dfs::position(file) > dfs::eInHeader)) {
    kfs::DropPendingMove(file);
    kfsRewind(file);
    dfs::setPosition(file, dfs::eInHeader);
  }
  for (;;) {
    unsigned int id = 0;
    const kfsSimpleType next = kfsQuery(file, &id);
    if (next == kfsTypeBlock) {
      if (id == DFS_TAG_STATIC) dfs::setPosition(file, dfs::eInStatic);
      if (id == DFS_TAG_DYNAMIC) dfs::setPosition(file, dfs::eInDynamic);
      kfsLblockSkip(file);
      if (dfs::position(file) > target || static_cast<int>(id) == tag) break;
    } else if (next >= 1 || next == kfsTypeTerminator) {
      kfsSkip(file);
    } else {
      break;
    }
  }
  return static_cast<int>(kfsPeekError(file));
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

}  // extern "C"
