// Positioning at static items. The encode keys of a compressed file are
// static items too, but they belong to the header: counting starts behind
// the keys actually present, recognised by their names, so an application's
// first static item is never taken for a key.
#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_step.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

// Whether a static item follows; the start of the static section is passed.
bool staticItemNext(kfsHandle file) {
  if (dfs::position(file) == dfs::eInDynamic) return false;
  unsigned int id = 0;
  if (kfsQuery(file, &id) != kfsTypeBlock) return false;
  if (id == DFS_TAG_STATIC && dfs::position(file) == dfs::eInHeader) {
    if (kfsLblockSkip(file) != 0) return false;
    dfs::setPosition(file, dfs::eInStatic);
    if (kfsQuery(file, &id) != kfsTypeBlock) return false;
  }
  return id == 30005 || id == 30002;
}

}  // namespace

extern "C" {

int dfsFindBlockStatic(LPHEAD header, kfsHandle file) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  dfs::clearEndOfFile(file);
  if (dfs::position(file) != dfs::eInHeader) {
    const int s = dfsFindBlock(file, DFS_TAG_STATIC);
    // A file without static data ends the search in the dynamic section, or
    // at its end.
    if (s > 1) return DFS_FAIL(header, file, s);
    dfs::clearEndOfFile(file);
  }
  header->stepCounter = 0;
  header->itemCounter = 0;
  return header->encoded ? dfsSkipEncodeKeys(header, file) : 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsFindItemStatic(LPHEAD header, kfsHandle file, int n) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (n < 1) return DFS_ITEM_OUTSIDE;
  if (int s = dfsFindBlockStatic(header, file)) return s;
  for (int i = 1; i < n; ++i)
    if (int s = dfsStaticSkip(file)) return s;
  return staticItemNext(file) ? 0 : DFS_ITEM_OUTSIDE;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
