// Opening, creating, flushing, closing and deleting data files.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "base/kora_boundary.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_blockio.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_trace.h"
#include "kfs/util/path_util.h"

namespace {

// A file to open or delete: folders do not count.
bool pathExists(const char* path) {
  struct stat st;
  return path && path[0] != '\0' && ::stat(path, &st) == 0 && !S_ISDIR(st.st_mode);
}

// Statistics read with the header of a compressed file could not be checked
// against the used element count before the encode keys were known.
int checkStatisticsCounts(LPHEAD h, kfsHandle file) {
  if (h->statsType != F_REG_STAT && h->statsType != F_LARGE_STAT) return 0;
  for (int i = 0; i < h->nItems; ++i) {
    const absItemS& item = h->items[i];
    if (item.nStats != 9LL * dfsGetUsedItemElements(const_cast<absItemS*>(&item)))
      return DFS_FAIL(h, file, kfsErrCount);
  }
  return 0;
}

// Reads header and encode keys of an opened file; closes the file when no
// header results.
int takeHeader(kfsHandle* file, LPHEAD* header) {
  if (kfs::ReservedWord(*file) == dfs::kHeaderUpdateMark) {
    FCloseFile(file);
    return DFS_FAIL(nullptr, nullptr, kfsErrStructure);
  }
  int s = 0;
  LPHEAD h = dfsReadHeader(*file, &s);
  if (h && h->encoded) s = dfsReadEncodeKeys(h, *file);
  if (h && !s) s = checkStatisticsCounts(h, *file);
  if (s) {
    dfsHeaderDestroy(&h);
    FCloseFile(file);
    DFS_FAIL(nullptr, nullptr, kfsErrOpen);
    return s;
  }
  *header = h;
  return 0;
}

int openOutputs(LPHEAD* header, kfsHandle* file) {
  if (!header || !file) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  *header = nullptr;
  *file = nullptr;
  return 0;
}

int openExisting(const char* path, LPHEAD* header, kfsHandle* file, bool edit) {
  if (int s = openOutputs(header, file)) return s;
  if (!pathExists(path)) return DFS_FAIL(nullptr, nullptr, kfsErrOpen);
  unsigned int status = 0;
  kfsHandle f = edit ? FOpenFileEdit(path, &status) : FOpenFileRead(path, &status);
  if (!f) return dfs::openFailure(status);
  if (int s = takeHeader(&f, header)) return s;
  *file = f;
  return 0;
}

// Writes header and encode keys into a newly opened file and makes them
// reach the storage.
int writeNewFile(LPHEAD header, kfsHandle file) {
  // A new file holds no steps yet, whatever file the header described
  // before: its number of steps and times start afresh.
  header->stepCounter = 0;
  header->itemCounter = 0;
  header->time.nSteps = 0;
  header->time.endTime = DFS_DELETE_DOUBLE;
  int s = dfsWriteHeader(header, file);
  if (!s && header->encoded) s = dfs::writeEncodeKeys(header, file);
  if (!s && kfsFileFlush(file) != 0) s = DFS_FAIL(header, file, kfsErrFlush);
  if (dfs::FileState* state = dfs::state(file)) state->lastHeaderUpdate = std::clock();
  return s;
}

int createChecks(LPHEAD header, kfsHandle* file) {
  if (!file || !header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  *file = nullptr;
  return dfs::checkHeaderWritable(header);
}

// The folder of a path exists already: nothing to create (and no limit on
// the path's length from the folder maker).
bool folderExists(const char* path) {
  const std::string text(path);
  const size_t slash = text.find_last_of('/');
  if (slash == std::string::npos) return true;
  struct stat st;
  const std::string folder = slash == 0 ? "/" : text.substr(0, slash);
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A file closed before its dynamic data began gets the empty dynamic
// section, so that a reader finds where its header ends.
int closeSections(kfsHandle f) {
  if (kfs::IsReadOnly(f) || dfs::position(f) >= dfs::eInDynamic || !dfs::atEndOfFile(f)) return 0;
  dfs::OutBlock marker;
  if (int s = marker.write(f, DFS_TAG_DYNAMIC, __FILE__, __LINE__)) return s;
  dfs::setPosition(f, dfs::eInDynamic);
  return 0;
}

}  // namespace

extern "C" {

int dfsFileRead(const char* path, LPHEAD* header, kfsHandle* file) try {
  if (dfsDebugIsOn()) DebugEnter("dfsFileRead <%s>", path ? path : "");
  const int s = openExisting(path, header, file, false);
  if (dfsDebugIsOn()) DebugExit("[%d]", s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsStreamRead(void* buffer, size_t capacity, kfsStreamRefill refill, LPHEAD* header,
                  kfsHandle* file) try {
  if (int s = openOutputs(header, file)) return s;
  unsigned int status = 0;
  kfsHandle f = FOpenStreamRead(buffer, capacity, refill, &status);
  if (!f) return dfs::openFailure(status);
  if (int s = takeHeader(&f, header)) return s;
  *file = f;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsFileEdit(const char* path, LPHEAD* header, kfsHandle* file) try {
  return openExisting(path, header, file, true);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsFileAppend(const char* path, LPHEAD* header, kfsHandle* file) try {
  if (int s = openExisting(path, header, file, true)) return s;
  kfsHandle f = *file;
  LPHEAD h = *header;
  // A file whose dynamic section never began gets it before the first step.
  int s = dfsFindBlock(f, DFS_TAG_DYNAMIC);
  if (dfs::position(f) < dfs::eInDynamic) {
    s = kfsSeek64(f, 0, 2) != 0 ? DFS_FAIL(h, f, kfsErrSeek) : 0;
    dfs::OutBlock marker;
    if (!s) s = marker.write(f, DFS_TAG_DYNAMIC, __FILE__, __LINE__);
  } else {
    s = kfsSeek64(f, 0, 2) != 0 ? DFS_FAIL(h, f, kfsErrSeek) : 0;
  }
  if (s) {
    dfsHeaderDestroy(header);
    FCloseFile(file);
    return s;
  }
  dfs::setPosition(f, dfs::eInDynamic);
  h->stepCounter = h->time.nSteps;
  h->itemCounter = 0;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsFileCreate(const char* path, LPHEAD header, kfsHandle* file) try {
  return dfsFileCreateEx(path, header, file, 0);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsFileCreateEx(const char* path, LPHEAD header, kfsHandle* file, int update) try {
  if (dfsDebugIsOn()) DebugEnter("dfsFileCreateEx <%s> %d", path ? path : "", update);
  int s = createChecks(header, file);
  if (!s && (!path || path[0] == '\0')) s = DFS_FAIL(header, nullptr, kfsErrWrite);
  if (!s && !folderExists(path) && !KvCreateFolder(path)) s = DFS_FAIL(header, nullptr, kfsErrOpen);
  kfsHandle f = nullptr;
  if (!s) {
    unsigned int status = 0;
    f = dfs::openFileCreate(path, update, &status);  // a failure is reported there
    if (!f) s = dfs::openFailure(status);
  }
  if (!s) s = writeNewFile(header, f);
  if (s && f) {
    // Nothing half-written stays behind.
    FCloseFile(&f);
    dfs::removeFailedCreate(path);
  }
  if (!s) *file = f;
  if (dfsDebugIsOn()) DebugExit("%p [%d]", static_cast<void*>(f), s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsStreamCreate(void* buffer, size_t capacity, kfsStreamDrain drain, LPHEAD header,
                    kfsHandle* file) try {
  int s = createChecks(header, file);
  kfsHandle f = nullptr;
  if (!s) {
    unsigned int status = 0;
    f = dfs::openStreamCreate(buffer, capacity, drain, &status);
    if (!f) s = dfs::openFailure(status);
  }
  if (!s) s = writeNewFile(header, f);
  if (s && f) FCloseFile(&f);
  if (!s) *file = f;
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsFileFlush(LPHEAD header, kfsHandle file) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  const int force = header->stepCounter < 2 && header->itemCounter == 0;
  const int s = dfsUpdateHeader(header, force, file);
  if (kfs::DiskPath(file)) KvProject_AddFile(kfs::DiskPath(file));
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsFileFlushTimeStep(LPHEAD header, kfsHandle file) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  const int force = header->stepCounter < 2 && header->itemCounter == 0;
  const int s = dfsUpdateHeaderTime(header, force, file);
  if (kfs::DiskPath(file)) KvProject_AddFile(kfs::DiskPath(file));
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsFileClose(LPHEAD header, kfsHandle* file) try {
  if (!file) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  kfsHandle f = *file;
  if (!f) return 0;
  if (dfsDebugIsOn()) DebugEnter("dfsFileClose");
  int s = dfs::lostWrites(f);
  if (s) {
    // What the writer sent after the last flush may be missing: the header
    // on disk keeps announcing what that flush saw, and no later update can
    // bring the file back, so the handle is let go with the code.
    FCloseFile(file);
    if (dfsDebugIsOn()) DebugExit("[%d]", s);
    return s;
  }
  if (!kfs::IsReadOnly(f) && header) s = closeSections(f);
  if (!s && !kfs::IsReadOnly(f) && kfs::DiskPath(f)) {
    // The header must be right on disk before the file may be let go.
    s = header ? dfsUpdateHeader(header, 1, f) : DFS_FAIL(header, f, kfsErrNullArgument);
    if (!s) KvProject_AddFile(kfs::DiskPath(f));
  }
  if (!s) s = static_cast<int>(FCloseFile(file));
  if (dfsDebugIsOn()) DebugExit("[%d]", s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsFileDelete(const char* path) try {
  if (!pathExists(path)) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  if (::unlink(path) != 0) return DFS_FAIL(nullptr, nullptr, kfsErrOpen);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsEnablePlugin(void) try { return 0; }
KORA_CATCH_ALL(0)

int dfsUnloadPlugin(void) try { return 0; }
KORA_CATCH_ALL(0)

int PathIsDirectory(const char* path) try {
  (void)path;
  return 0;
}
KORA_CATCH_ALL(0)

}  // extern "C"
