// Writing time steps: one item after another, each converted into the item
// unit and collapsed to the stored elements on a copy, so that the caller's
// array never changes.
#include <algorithm>
#include <cstring>
#include <vector>

#include "base/kora_boundary.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_blockio.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_step.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/dfs/dfs_trace.h"

namespace {

// The values of one item step as they go to the file.
class StoredValues {
 public:
  int prepare(LPHEAD h, kfsHandle f, const absItemS* item, const void* data, int elements,
              int used) {
    values_ = data;
    const size_t size = dfsSimpSize(item->dataType);
    if (dfs::convertsData(item)) {
      const auto* bytes = static_cast<const unsigned char*>(data);
      converted_.assign(bytes, bytes + size * static_cast<size_t>(elements));
      if (!dfs::convertData(item, dfs::Direction::ToStored, converted_.data(), elements,
                            h->deleteFloat, h->deleteDouble))
        return DFS_FAIL(h, f, kfsErrUnit);
      values_ = converted_.data();
    }
    if (used < elements) {
      std::vector<long long> indices;
      if (!dfs::storedIndices(h, item, used, &indices)) return DFS_FAIL(h, f, kfsErrBlock);
      collapsed_.resize(size * static_cast<size_t>(used));
      dfs::collapseValues(item->dataType, values_, indices, collapsed_.data());
      values_ = collapsed_.data();
    }
    return 0;
  }
  const void* values() const { return values_; }

 private:
  std::vector<unsigned char> converted_;
  std::vector<unsigned char> collapsed_;
  const void* values_ = nullptr;
};

// Opens the dynamic section for writing. A new file gets its marker. An
// edit handle still at the end of the header has the file's sections behind
// it: its steps are rewritten where they are, from the first; only a file
// without any gets the section at its end.
int startDynamic(LPHEAD h, kfsHandle f) {
  if (dfs::position(f) >= dfs::eInDynamic) return 0;
  if (!dfs::atEndOfFile(f)) {
    const int s = dfsFindBlock(f, DFS_TAG_DYNAMIC);
    if (s > 1) return DFS_FAIL(h, f, s);
    h->stepCounter = 0;
    h->itemCounter = 0;
    if (dfs::position(f) == dfs::eInDynamic) return 0;
    dfs::clearEndOfFile(f);
  }
  dfs::OutBlock marker;
  if (int s = marker.write(f, DFS_TAG_DYNAMIC, __FILE__, __LINE__)) return s;
  dfs::setPosition(f, dfs::eInDynamic);
  return 0;
}

// The tag of a new step. A non-equidistant axis starts at its first step
// and spans to the latest time written.
int beginStepWrite(LPHEAD h, kfsHandle f, double time) {
  dfsTimeAxis& t = h->time;
  // The end time stays: a new file has none yet, and a first step rewritten
  // in place (edit) keeps the end its later steps give.
  if (h->stepCounter == 0 && dfs::nonEquidistantAxis(t.type)) t.start = time;
  if (!dfs::equidistantTimeFile(h->fileType)) {
    t.endTime = t.endTime == DFS_DELETE_DOUBLE ? time : std::max(t.endTime, time);
    if (dfs::nonEquidistantAxis(t.type)) t.span = t.endTime - t.start;
  }
  if (int s = dfs::writeStepTag(h, f, time)) return s;
  h->currentTime = time;
  return 0;
}

int writeItemStep(LPHEAD h, kfsHandle f, const void* data, double time) {
  // The argument checks of dfsCheckHeaderFile and dfsCheckVector, made here.
  if (!h || !f) return DFS_FAIL(h, f, kfsErrNullArgument);
  if (!data) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  dfs::clearEndOfFile(f);
  dfs::StepItem next{};
  if (int s = dfs::prepareItemIO(h, f, &next, __LINE__)) return s;
  if (kfs::IsReadOnly(f)) return DFS_FAIL(h, f, kfsErrReadOnly);
  absItemS* item = next.item;
  const int type = next.type, used = next.used;
  const bool statistics = dfs::keepsStatistics(type);
  if (statistics)
    if (int s = dfs::checkStatistics(h, item)) return s;
  StoredValues stored;
  if (int s = stored.prepare(h, f, item, data, next.elements, used)) return s;

  if (int s = startDynamic(h, f)) return s;
  if (h->itemCounter == 0)
    if (int s = beginStepWrite(h, f, time)) return s;
  // A record that fits the container's buffer is built there at once.
  const auto count = static_cast<unsigned int>(used);
  if (!kfs::WriteRecordInBuffer(f, type, count, stored.values()))
    if (int s = dfsCheckWriteLR(f, type, count, stored.values(), __FILE__, __LINE__)) return s;
  if (statistics) dfs::addStatistics(h, item, stored.values(), used);
  dfs::advanceItem(h, true);
  return 0;
}

}  // namespace

extern "C" {

int dfsWriteItemTimeStep(LPHEAD header, kfsHandle file, const void* data, double time) try {
  if (dfsDebugIsOn()) DebugEnter("dfsWriteItemTimeStep");
  const int s = writeItemStep(header, file, data, time);
  if (dfsDebugIsOn()) DebugExit("[%d]", s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsWriteStartBlockDynamic(LPHEAD header, kfsHandle file) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (kfs::IsReadOnly(file)) return DFS_FAIL(header, file, kfsErrReadOnly);
  if (int s = startDynamic(header, file)) return s;
  if (header->stepCounter > header->time.nSteps) header->time.nSteps = header->stepCounter;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
