// Reading and skipping time steps. Every record is checked against the
// header before a byte reaches the caller's array: its type, its count, and
// under compression the keys that place its values.
#include <vector>

#include "base/kora_boundary.h"
#include "kfs/container/call_trace.h"
#include "kfs/container/kfs_access.h"
#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_step.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/dfs/dfs_trace.h"

namespace {

// What stands where the item's record should: 2019 for a block start or
// terminator, 2001 for the end of the file, the container's own code.
int notARecord(LPHEAD h, kfsHandle f) {
  const unsigned int status = kfsPeekError(f);
  if (status > 1) return DFS_FAIL(h, f, static_cast<int>(status));
  return DFS_FAIL(h, f, status == kfsEndOfFile ? kfsErrRead : kfsErrStructure);
}

int checkRecord(LPHEAD h, kfsHandle f, int type, int used) {
  unsigned int count = 0;
  const kfsSimpleType next = kfsQuery(f, &count);
  if (next < 1) return notARecord(h, f);
  if (next != type) return DFS_FAIL(h, f, kfsErrType);
  if (count != static_cast<unsigned int>(used)) return DFS_FAIL(h, f, kfsErrCount);
  return 0;
}

// Under compression `indices` places the stored values in the grid. A
// record that is the one expected and lies in the container's buffer is
// taken from there at once; anything else goes the way that names what is
// wrong with it.
int readRecord(LPHEAD h, kfsHandle f, const dfs::StepItem& next, void* data,
               const std::vector<long long>& indices) {
  const int type = next.type, used = next.used;
  if (used == next.elements &&
      kfs::ReadExpectedRecord(f, type, static_cast<unsigned int>(used), data))
    return 0;
  if (int s = checkRecord(h, f, type, used)) return s;
  if (used == next.elements)
    return dfsCheckReadLR(f, type, static_cast<unsigned int>(used), data, __FILE__, __LINE__);
  std::vector<unsigned char> stored(static_cast<size_t>(dfsSimpSize(type)) * used);
  if (int s = dfsCheckReadLR(f, type, static_cast<unsigned int>(used), stored.data(), __FILE__,
                             __LINE__))
    return s;
  dfs::expandValues(h, type, stored.data(), indices, next.elements, data);
  return 0;
}

// A conversion that cannot be made is refused before anything is read.
bool conversionPossible(const absItemS* item) {
  if (!dfs::convertsData(item)) return true;
  double probe = 1.0;
  return dfs::convertValue(dfs::dataConversion(item), dfs::Direction::ToCaller, &probe);
}

int readItemStep(LPHEAD h, kfsHandle f, double* time, void* data) {
  dfs::StepItem next{};
  if (int s = dfs::prepareItemIO(h, f, &next, __LINE__)) return s;
  absItemS* item = next.item;
  const bool converts = data && dfs::convertsData(item);
  // What could refuse the values is settled before the file moves.
  if (converts && !conversionPossible(item)) return DFS_FAIL(h, f, kfsErrUnit);
  std::vector<long long> indices;
  if (data && next.used < next.elements && !dfs::storedIndices(h, item, next.used, &indices))
    return DFS_FAIL(h, f, kfsErrBlock);
  if (int s = dfs::enterDynamic(h, f)) return s;
  if (h->itemCounter == 0)
    if (int s = dfs::beginStepRead(h, f)) return s;
  const int s = data ? readRecord(h, f, next, data, indices)
                     : dfsCheckPseudoSkipLR(next.type, static_cast<unsigned int>(next.used), f,
                                            __FILE__, __LINE__);
  if (s) return s;
  if (converts)
    dfs::convertData(item, dfs::Direction::ToCaller, data, next.elements, h->deleteFloat,
                     h->deleteDouble);
  if (time) *time = h->currentTime;
  dfs::advanceItem(h, false);
  return 0;
}

bool skippableFileType(int fileType) {
  return fileType == F_EQTIME_FIXEDSPACE_ALLITEMS || fileType == F_EQTIME_TVARSPACE_ALLITEMS ||
         fileType == F_NEQTIME_FIXEDSPACE_ALLITEMS || fileType == F_NEQTIME_FIXEDSPACE_VARITEMS ||
         fileType == F_NEQTIME_TVARSPACE_VARITEMS;
}

// Files whose steps hold every item in order (the "all items" types).
bool allItemsFileType(int fileType) {
  return fileType == F_EQTIME_FIXEDSPACE_ALLITEMS || fileType == F_EQTIME_TVARSPACE_ALLITEMS ||
         fileType == F_NEQTIME_FIXEDSPACE_ALLITEMS;
}

// The bytes the record of the item at the item counter takes in the step
// (with the coordinates before it in a varying-space file), as dfsSkipItem
// moves over them.
long long itemRecordBytes(LPHEAD h, bool varyingSpace) {
  const absItemS* item = &h->items[h->itemCounter];
  int elements = 0, used = 0;
  dfs::itemElementCounts(item, &elements, &used);
  long long bytes = 5 + static_cast<long long>(used) * kfs::RecordElementSize(item->dataType);
  if (varyingSpace) bytes += 5 + 3LL * used * kfs::RecordElementSize(kfsTypeFloat);
  return bytes;
}

}  // namespace

namespace dfs {

int skipItems(LPHEAD h, kfsHandle f, int count) {
  while (count > 0) {
    // The first skip of a run checks the handle and reads the step's tag.
    if (int s = dfsSkipItem(h, f)) return s;
    --count;
    // Skipping moves over records without reading them, so the moves of the
    // step's further items add up to one.
    long long bytes = 0;
    const bool varyingSpace = varyingSpaceFile(h->fileType);
    for (; count > 0 && h->itemCounter != 0; --count) {
      bytes += itemRecordBytes(h, varyingSpace);
      advanceItem(h, false);
    }
    if (bytes == 0) continue;
    kfsPseudoSeek(f, bytes);
    if (const unsigned int status = kfsPeekError(f))
      return DFS_FAIL(nullptr, f, readFailure(status));
  }
  return 0;
}

}  // namespace dfs

extern "C" {

int dfsReadItemTimeStep(LPHEAD header, kfsHandle file, double* time, void* data) try {
  if (dfsDebugIsOn()) DebugEnter("dfsReadItemTimeStep");
  const int s = readItemStep(header, file, time, data);
  if (dfsDebugIsOn()) DebugExit("[%d]", s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsSkipItem(LPHEAD header, kfsHandle file) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (!skippableFileType(header->fileType)) return DFS_FAIL(header, file, kfsErrTimeStep);
  if (header->itemCounter < 0 || header->itemCounter >= header->nItems)
    return DFS_FAIL(header, file, kfsErrItemNumber);
  if (dfs::stepCountFull(header)) return DFS_FAIL(header, file, kfsErrTimeStep);
  if (int s = dfs::enterDynamic(header, file)) return s;
  if (header->itemCounter == 0)
    if (int s = dfs::beginStepRead(header, file)) return s;
  const absItemS* item = &header->items[header->itemCounter];
  const unsigned int used =
      static_cast<unsigned int>(dfsGetUsedItemElements(const_cast<LPITEM>(item)));
  if (dfs::varyingSpaceFile(header->fileType))
    if (int s = dfsCheckPseudoSkipLR(kfsTypeFloat, 3 * used, file, __FILE__, __LINE__)) return s;
  if (int s = dfsCheckPseudoSkipLR(item->dataType, used, file, __FILE__, __LINE__)) return s;
  if (allItemsFileType(header->fileType)) dfs::advanceItem(header, false);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsSkipTimeStep(LPHEAD header, kfsHandle file) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (!allItemsFileType(header->fileType)) return DFS_FAIL(header, file, kfsErrTimeStep);
  // To the end of the step: the rest of its items, or all of them.
  const int rest = header->nItems - header->itemCounter;
  return dfs::skipItems(header, file, rest > 0 ? rest : 1);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
