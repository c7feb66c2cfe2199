// The time-step tag (block 50001) and the running position of sequential
// time-step access.
#include <limits>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_blockio.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_step.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

// The container's latched code when it has one, else `code`: a file that
// ends or breaks inside an item says so rather than "wrong tag".
int containerOr(LPHEAD h, kfsHandle f, int code, const char* source, int line) {
  const unsigned int status = kfsPeekError(f);
  if (status > 1) return dfs::report(h, f, static_cast<int>(status), source, line);
  return dfs::report(h, f, code, source, line);
}

int readTaggedTime(LPHEAD h, kfsHandle f, double* raw, const char* source, int line) {
  kfsSkip(f);  // the block start, already looked at
  if (int s = dfsCheckReadLR(f, kfsTypeDouble, 1, raw, source, line)) return s;
  if (kfsQuery(f, nullptr) != kfsTypeTerminator)
    return containerOr(h, f, kfsErrStructure, source, line);
  kfsSkip(f);
  return 0;
}

}  // namespace

namespace dfs {

bool equidistantTimeFile(int fileType) {
  return fileType == F_EQTIME_FIXEDSPACE_ALLITEMS || fileType == F_EQTIME_TVARSPACE_ALLITEMS;
}

bool varyingSpaceFile(int fileType) {
  return fileType == F_EQTIME_TVARSPACE_ALLITEMS || fileType == F_NEQTIME_TVARSPACE_VARITEMS;
}

bool nonEquidistantAxis(int timeAxisType) {
  return timeAxisType == F_TM_NEQ_AXIS || timeAxisType == F_CAL_NEQ_AXIS;
}

int readStepTag(LPHEAD h, kfsHandle f, double* raw, const char* source, int line) {
  *raw = 0.0;
  unsigned int id = 0;
  if (kfsQuery(f, &id) != kfsTypeBlock || id != kTagStep)
    return containerOr(h, f, kfsErrBlock, source, line);
  if (!equidistantTimeFile(h->fileType)) return readTaggedTime(h, f, raw, source, line);
  kfsLblockSkip(f);
  return kfsPeekError(f) == 0 ? 0 : containerOr(h, f, kfsErrStructure, source, line);
}

int writeStepTag(LPHEAD h, kfsHandle f, double time) {
  OutBlock tag;
  if (!equidistantTimeFile(h->fileType)) tag.add(kfsTypeDouble, 1, &time);
  return tag.write(f, kTagStep, __FILE__, __LINE__);
}

double callerTime(LPHEAD h, double raw) {
  if (equidistantTimeFile(h->fileType)) return h->stepCounter;
  if (h->modifyTimes && nonEquidistantAxis(h->time.type)) return raw - h->time.start;
  return raw;
}

int beginStepRead(LPHEAD h, kfsHandle f) {
  double raw = 0.0;
  if (int s = readStepTag(h, f, &raw, __FILE__, __LINE__)) return s;
  h->currentTime = callerTime(h, raw);
  return 0;
}

int enterDynamic(LPHEAD h, kfsHandle f) {
  if (dfs::position(f) >= dfs::eInDynamic) return 0;
  return dfsFindBlockDynamic(h, f);
}

void advanceItem(LPHEAD h, bool writing) {
  if (++h->itemCounter < h->nItems) return;
  h->itemCounter = 0;
  ++h->stepCounter;
  if (writing && h->stepCounter > h->time.nSteps) h->time.nSteps = h->stepCounter;
}

bool stepCountFull(LPHEAD h) {
  return h->itemCounter == 0 && h->stepCounter == std::numeric_limits<int>::max();
}

void clearEndOfFile(kfsHandle f) {
  if (kfsPeekError(f) == 1) kfsGetError(f);
}

}  // namespace dfs

extern "C" {

int dfsReadTimestepTag(LPHEAD header, kfsHandle file, double* time, int line) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, line)) return s;
  double raw = 0.0;
  if (int s = dfs::readStepTag(header, file, &raw, __FILE__, line)) return s;
  header->currentTime = dfs::callerTime(header, raw);
  if (time) *time = header->currentTime;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsWriteTimestepTag(LPHEAD header, kfsHandle file, double time) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (kfs::IsReadOnly(file)) return DFS_FAIL(header, file, kfsErrReadOnly);
  return dfs::writeStepTag(header, file, time);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
