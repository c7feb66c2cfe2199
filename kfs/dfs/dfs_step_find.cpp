// Direct positioning in the dynamic data. Every step of the file types that
// are written sequentially has the same length, so a far move measures one
// step and takes one relative seek, whatever the distance.
#include <cstdio>

#include "base/kora_boundary.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_step.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/dfs/dfs_trace.h"

namespace {

// Steps nearer than this are skipped one by one (a tag read each); farther
// ones are reached by the measured seek.
constexpr int kNearSteps = 5;

// Steps of the "all items" file types hold every item in order; the others
// have no fixed step to count or measure.
bool findableFileType(int fileType) {
  return fileType == F_EQTIME_FIXEDSPACE_ALLITEMS || fileType == F_EQTIME_TVARSPACE_ALLITEMS ||
         fileType == F_NEQTIME_FIXEDSPACE_ALLITEMS;
}

int skipSteps(LPHEAD h, kfsHandle f, int n) {
  for (int i = 0; i < n; ++i)
    if (int s = dfsSkipTimeStep(h, f)) return s;
  return 0;
}

// From a step boundary at step c to step `step` >= c.
int moveForward(LPHEAD h, kfsHandle f, int step) {
  const int ahead = step - h->stepCounter;
  if (ahead < kNearSteps) return skipSteps(h, f, ahead);
  const long long first = kfsTell64(f);
  if (int s = dfsSkipTimeStep(h, f)) return s;
  const long long second = kfsTell64(f);
  if (first < 0 || second <= first) return DFS_FAIL(h, f, kfsErrSeek);
  const long long length = second - first;
  if (kfsSeek64(f, static_cast<long long>(step - h->stepCounter) * length, SEEK_CUR) != 0)
    return DFS_FAIL(h, f, kfsErrSeek);
  h->stepCounter = step;
  h->itemCounter = 0;
  return 0;
}

int findTimeStep(LPHEAD h, kfsHandle f, int step) {
  if (int s = dfsCheckHeaderFile(h, f, __FILE__, __LINE__)) return s;
  if (!findableFileType(h->fileType)) return DFS_FAIL(h, f, kfsErrTimeStep);
  if (step < 0 || step > h->time.nSteps) return DFS_STEP_OUTSIDE;
  dfs::clearEndOfFile(f);
  const bool dynamic = dfs::position(f) == dfs::eInDynamic;
  if (dynamic && h->stepCounter == step && h->itemCounter == 0) return 0;
  if (dynamic && step > h->stepCounter) {
    // Ahead of us: no need to go back to the start of the data.
    if (h->itemCounter != 0)
      if (int s = dfsSkipTimeStep(h, f)) return s;
  } else if (int s = dfsFindBlockDynamic(h, f)) {
    return s;
  }
  return moveForward(h, f, step);
}

}  // namespace

extern "C" {

int dfsFindBlockDynamic(LPHEAD header, kfsHandle file) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  dfs::clearEndOfFile(file);
  if (int s = dfsFindBlock(file, DFS_TAG_DYNAMIC))
    return DFS_FAIL(header, file, dfs::readFailure(s));
  if (dfs::position(file) != dfs::eInDynamic) return DFS_FAIL(header, file, kfsErrRead);
  header->stepCounter = 0;
  header->itemCounter = 0;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsFindTimeStep(LPHEAD header, kfsHandle file, int step) try {
  if (dfsDebugIsOn()) DebugEnter("dfsFindTimeStep %d", step);
  const int s = findTimeStep(header, file, step);
  if (dfsDebugIsOn()) DebugExit("[%d]", s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsFindItemDynamic(LPHEAD header, kfsHandle file, int step, int item) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (!findableFileType(header->fileType)) return DFS_FAIL(header, file, kfsErrTimeStep);
  if (step < 0 || step >= header->time.nSteps) return DFS_STEP_OUTSIDE;
  if (item < 1 || item > header->nItems) return DFS_ITEM_OUTSIDE;
  const bool insideBefore = dfs::position(file) == dfs::eInDynamic && header->stepCounter == step &&
                            header->itemCounter > 0 && header->itemCounter < item;
  if (!insideBefore)
    if (int s = findTimeStep(header, file, step)) return s;
  return dfs::skipItems(header, file, item - 1 - header->itemCounter);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
