// The file I/O wrappers of the data-file interface: open with the data-file
// identifier, trace, and report failures through the wrapper table.
#include "kfs/dfs/dfs_file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include "base/kora_boundary.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_trace.h"

namespace {

const char kSource[] = "FileIO.cpp";

#define F_REPORT(file, code) FErrorHandler(nullptr, (file), nullptr, (code), kSource, __LINE__)

// Common tail of the open wrappers: the handle becomes a data file standing
// in its header.
kfsHandle Opened(unsigned int status, kfsHandle file, unsigned int* statusOut, int line) {
  if (status == kfsOK && !dfs::attachState(file)) {
    kfsFileClose(&file);
    status = kfsErrMemory;
  }
  if (statusOut) *statusOut = status;
  if (status != kfsOK) {
    FErrorHandler(nullptr, nullptr, nullptr, status, kSource, line);
    file = nullptr;
  }
  if (DebugFileIOIsOn()) DebugExit("%p [%u]", static_cast<void*>(file), status);
  return file;
}

// The answer of an open whose body threw: only memory can have run out.
kfsHandle Escaped(unsigned int* statusOut, int line) {
  if (statusOut) *statusOut = kfsErrMemory;
  FErrorHandler(nullptr, nullptr, nullptr, kfsErrMemory, kSource, line);
  return nullptr;
}

}  // namespace

extern "C" {

KFS_API kfsHandle FOpenFileRead(const char* path, unsigned int* status) try {
  if (DebugFileIOIsOn()) DebugEnter("FOpenFileRead <%s>", path ? path : "");
  kfsHandle file = nullptr;
  unsigned int rc = kfsFileOpenRead(path, &file, dfsAPIid, nullptr);
  return Opened(rc, file, status, __LINE__);
}
KORA_CATCH_ALL(Escaped(status, __LINE__))

KFS_API kfsHandle FOpenStreamRead(void* buffer, size_t capacity, kfsStreamRefill refill,
                                  unsigned int* status) try {
  if (DebugFileIOIsOn()) DebugEnter("FOpenStreamRead %p %zu", buffer, capacity);
  kfsHandle file = nullptr;
  unsigned int rc = kfsStreamOpenRead(buffer, capacity, refill, &file, dfsAPIid, nullptr);
  return Opened(rc, file, status, __LINE__);
}
KORA_CATCH_ALL(Escaped(status, __LINE__))

KFS_API kfsHandle FOpenFileCreate(const char* path, int update) try {
  return dfs::openFileCreate(path, update, nullptr);
}
KORA_CATCH_ALL(Escaped(nullptr, __LINE__))

KFS_API kfsHandle FOpenStreamCreate(void* buffer, size_t capacity, kfsStreamDrain drain,
                                    int flag) try {
  (void)flag;
  return dfs::openStreamCreate(buffer, capacity, drain, nullptr);
}
KORA_CATCH_ALL(Escaped(nullptr, __LINE__))

KFS_API kfsHandle FOpenFileEdit(const char* path, unsigned int* status) try {
  if (DebugFileIOIsOn()) DebugEnter("FOpenFileEdit <%s>", path ? path : "");
  kfsHandle file = nullptr;
  unsigned int rc = kfsFileOpenEdit(path, &file, dfsAPIid, nullptr);
  return Opened(rc, file, status, __LINE__);
}
KORA_CATCH_ALL(Escaped(status, __LINE__))

KFS_API unsigned int FCloseFile(kfsHandle* file) try {
  bool trace = DebugFileIOIsOn();
  if (trace) {
    const char* name = file && *file ? kfsGetFilename(*file) : nullptr;
    DebugEnter("FCloseFile Fp->filname=<%s>", name ? name : "");
  }
  unsigned int status = kfsFileClose(file);
  if (status != kfsOK) F_REPORT(nullptr, status);
  if (trace) DebugExit("[%u]", status);
  return status;
}
KORA_CATCH_ALL(F_REPORT(nullptr, kfsErrMemory))

KFS_API int FQueryLogicalBlock(kfsHandle file) try {
  if (DebugFileIOIsOn()) DebugEnter("FQueryLogicalBlock %p", static_cast<void*>(file));
  unsigned int id = 0;
  int block = kfsQuery(file, &id) == kfsTypeBlock ? static_cast<int>(id) : 0;
  if (DebugFileIOIsOn()) DebugExit("%d", block);
  return block;
}
KORA_CATCH_ALL(0)

KFS_API kfsLblock FReadLogicalBlock(kfsHandle file) try {
  if (DebugFileIOIsOn()) DebugEnter("FReadLogicalBlock %p", static_cast<void*>(file));
  kfsLblock block = nullptr;
  unsigned int records = 0;
  kfsLblockRead(file, &records, &block);
  unsigned int status = file ? kfsPeekError(file) : static_cast<unsigned int>(kfsErrNullArgument);
  if (status > kfsEndOfFile) F_REPORT(file, status);
  if (DebugFileIOIsOn()) DebugExit("%p %u [%u]", static_cast<void*>(block), records, status);
  return block;
}
KORA_CATCH_ALL((F_REPORT(file, kfsErrMemory), nullptr))

KFS_API unsigned int FSkipLogicalBlock(kfsHandle file) try {
  if (DebugFileIOIsOn()) DebugEnter("FSkipLogicalBlock %p", static_cast<void*>(file));
  unsigned int status = kfsLblockSkip(file);
  if (status > kfsEndOfFile) F_REPORT(file, status);
  if (DebugFileIOIsOn()) DebugExit("[%u]", status);
  return status;
}
KORA_CATCH_ALL(F_REPORT(file, kfsErrMemory))

KFS_API kfsLblock FCreateLogicalBlock(kfsSimpleType type, unsigned int count,
                                      const void* data) try {
  if (DebugFileIOIsOn()) DebugEnter("FCreateLogicalBlock %d %u", type, count);
  kfsLblock block = kfsLblockAdd(type, count, data, 1, nullptr);
  if (!block) F_REPORT(nullptr, kfsErrBlock);
  if (DebugFileIOIsOn()) DebugExit("%p", static_cast<void*>(block));
  return block;
}
KORA_CATCH_ALL((F_REPORT(nullptr, kfsErrMemory), nullptr))

KFS_API unsigned int FAppendToLogicalBlock(kfsSimpleType type, unsigned int count, const void* data,
                                           kfsLblock block) try {
  if (DebugFileIOIsOn()) DebugEnter("FAppendToLogicalBlock %d %u", type, count);
  unsigned int status = kfsLblockAdd(type, count, data, 1, block) ? static_cast<unsigned int>(kfsOK)
                                                                  : F_REPORT(nullptr, kfsErrBlock);
  if (DebugFileIOIsOn()) DebugExit("[%u]", status);
  return status;
}
KORA_CATCH_ALL(F_REPORT(nullptr, kfsErrMemory))

KFS_API unsigned int FFreeLogicalBlock(kfsLblock* block) try {
  if (DebugFileIOIsOn())
    DebugEnter("FFreeLogicalBlock %p", static_cast<void*>(block ? *block : nullptr));
  kfsLblockFree(block);
  if (DebugFileIOIsOn()) DebugExit("[%d]", kfsOK);
  return kfsOK;
}
KORA_CATCH_ALL(F_REPORT(nullptr, kfsErrMemory))

}  // extern "C"

namespace dfs {

kfsHandle openFileCreate(const char* path, int update, unsigned int* status) {
  if (DebugFileIOIsOn()) DebugEnter("FOpenFileCreate <%s> %d", path ? path : "", update);
  kfsHandle file = nullptr;
  unsigned int rc = kfsFileOpenCreate(path, "FOpenFileCreate", &file, dfsAPIid, update);
  file = Opened(rc, file, status, __LINE__);
  // The container made the file, but the handle could not take the data-file
  // state and was closed again: a failed create leaves no file behind.
  if (rc == kfsOK && !file) removeFailedCreate(path);
  return file;
}

void removeFailedCreate(const char* path) {
  struct stat info;
  if (::lstat(path, &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path);
}

kfsHandle openStreamCreate(void* buffer, size_t capacity, kfsStreamDrain drain,
                           unsigned int* status) {
  if (DebugFileIOIsOn()) DebugEnter("FOpenStreamCreate %p %zu", buffer, capacity);
  kfsHandle file = nullptr;
  unsigned int rc =
      kfsStreamOpenCreate(buffer, capacity, drain, "FOpenStreamCreate", &file, dfsAPIid);
  return Opened(rc, file, status, __LINE__);
}

}  // namespace dfs
