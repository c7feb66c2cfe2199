// Checks of the next item of a time step, shared by writing and reading.
#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_step.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

// Sequential writing and reading know the layout of these file types only.
bool sequentialFileType(int fileType) {
  return fileType == F_EQTIME_FIXEDSPACE_ALLITEMS || fileType == F_NEQTIME_FIXEDSPACE_ALLITEMS;
}

}  // namespace

namespace dfs {

int prepareItemIO(LPHEAD h, kfsHandle f, StepItem* next, int line) {
  if (!h || !f) return report(h, f, kfsErrNullArgument, __FILE__, line);
  if (!sequentialFileType(h->fileType)) return report(h, f, kfsErrTimeStep, __FILE__, line);
  if (h->itemCounter < 0 || h->itemCounter >= h->nItems || !h->items)
    return report(h, f, kfsErrItemNumber, __FILE__, line);
  // The header counts steps in an int: a file that already holds the most
  // it can count takes no further step, whose count would run over.
  if (stepCountFull(h)) return report(h, f, kfsErrTimeStep, __FILE__, line);
  absItemS* item = &h->items[h->itemCounter];
  int elements = 0, used = 0;
  itemElementCounts(item, &elements, &used);
  if (elements < 1 || isTimeVaryingAxis(item->axisType))
    return report(h, f, kfsErrBlock, __FILE__, line);
  // The simple types 1..7, those dfsSimpSize knows.
  if (item->dataType < 1 || item->dataType > 7) return report(h, f, kfsErrType, __FILE__, line);
  *next = StepItem{item, item->dataType, elements, used};
  return 0;
}

}  // namespace dfs

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
  dfs::StepItem next{};
  if (int s = dfs::prepareItemIO(header, file, &next, line)) return s;
  if (dataType) *dataType = next.type;
  if (count) *count = next.elements;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
