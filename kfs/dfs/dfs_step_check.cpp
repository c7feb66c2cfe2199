// Checks of the next item of a time step, shared by writing and reading.
#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

// Sequential writing and reading know the layout of these file types only.
bool sequentialFileType(int fileType) {
  return fileType == F_EQTIME_FIXEDSPACE_ALLITEMS || fileType == F_NEQTIME_FIXEDSPACE_ALLITEMS;
}

}  // namespace

extern "C" {

int dfsGetNoUsedItemElements(LPHEAD header, kfsHandle file, int* count, int line) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, line)) return s;
  if (header->itemCounter < 0 || header->itemCounter >= header->nItems)
    return dfs::report(header, file, kfsErrItemNumber, __FILE__, line);
  if (count) *count = dfsGetUsedItemElements(&header->items[header->itemCounter]);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsPrepareIO(LPHEAD header, kfsHandle file, int* dataType, int* count, int line) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, line)) return s;
  if (!sequentialFileType(header->fileType))
    return dfs::report(header, file, kfsErrTimeStep, __FILE__, line);
  if (header->itemCounter < 0 || header->itemCounter >= header->nItems || !header->items)
    return dfs::report(header, file, kfsErrItemNumber, __FILE__, line);
  absItemS* item = &header->items[header->itemCounter];
  const int elements = dfsGetItemElements(item);
  if (elements < 1 || dfs::isTimeVaryingAxis(item->axisType))
    return dfs::report(header, file, kfsErrBlock, __FILE__, line);
  if (dfsSimpSize(item->dataType) == 0)
    return dfs::report(header, file, kfsErrType, __FILE__, line);
  if (dataType) *dataType = item->dataType;
  if (count) *count = elements;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
