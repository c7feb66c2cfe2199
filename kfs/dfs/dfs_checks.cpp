// Argument and I/O checks: one place that turns a failed check or a failed
// container operation into a reported code with the caller's position.
#include "kfs/dfs/dfs_checks.h"

#include <cstdlib>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_internal.h"

namespace {

int fail(const void* header, kfsHandle file, int code, const char* source, int line) {
  return dfs::report(header, file, code, source, line);
}

// The handle's status as the result of an operation; end of file is not an
// error of the operation and is reported as a failed read where a whole
// item was required.
int reportStatus(kfsHandle file, const char* source, int line) {
  const unsigned int status = kfsPeekError(file);
  if (status == 0) return 0;
  return fail(nullptr, file, dfs::readFailure(status), source, line);
}

}  // namespace

extern "C" {

int dfsCheckHeader(LPHEAD header, const char* source, int line) try {
  return header ? 0 : fail(header, nullptr, kfsErrNullArgument, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsCheckFile(kfsHandle file, const char* source, int line) try {
  return file ? 0 : fail(nullptr, file, kfsErrNullArgument, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckItem(LPITEM item, const char* source, int line) try {
  return item ? 0 : fail(nullptr, nullptr, kfsErrNullArgument, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsCheckVector(const void* vector, const char* source, int line) try {
  return vector ? 0 : fail(nullptr, nullptr, kfsErrNullArgument, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsCheckCustomBlock(const dfsCustomBlock* block, const char* source, int line) try {
  return block ? 0 : fail(nullptr, nullptr, kfsErrNullArgument, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsCheckHeaderFile(LPHEAD header, kfsHandle file, const char* source, int line) try {
  return (header && file) ? 0 : fail(header, file, kfsErrNullArgument, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsCheckVectorFile(const void* vector, kfsHandle file, const char* source, int line) try {
  return (vector && file) ? 0 : fail(nullptr, file, kfsErrNullArgument, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckHeaderItemNo(LPHEAD header, int n, const char* source, int line) try {
  if (!header) return fail(header, nullptr, kfsErrNullArgument, source, line);
  if (n < 1 || n > header->nItems) return fail(header, nullptr, kfsErrItemNumber, source, line);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsCheckHeaderFileItemNo(LPHEAD header, kfsHandle file, int n, const char* source,
                             int line) try {
  if (!file) return fail(header, file, kfsErrNullArgument, source, line);
  return dfsCheckHeaderItemNo(header, n, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsCheckTypeSize(kfsLblock node, int type, unsigned int count, const char* source,
                     int line) try {
  if (!node) return fail(nullptr, nullptr, kfsErrRead, source, line);
  if (node->type != type || !node->data) return fail(nullptr, nullptr, kfsErrType, source, line);
  if (count != 0 && node->count != count) return fail(nullptr, nullptr, kfsErrCount, source, line);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsCheckReadTypeSize(kfsHandle file, int type, unsigned int count, kfsLblock* block,
                         const char* source, int line) try {
  if (!block) return fail(nullptr, file, kfsErrNullArgument, source, line);
  *block = nullptr;
  if (!file) return fail(nullptr, file, kfsErrNullArgument, source, line);
  unsigned int records = 0;
  if (kfsLblockRead(file, &records, block) < 0 || kfsPeekError(file) != 0) {
    kfsLblockFree(block);
    return fail(nullptr, file, kfsErrRead, source, line);
  }
  const int status = dfsCheckTypeSize(*block, type, count, source, line);
  if (status != 0) kfsLblockFree(block);
  return status;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckWriteLB(kfsHandle file, unsigned int id, kfsLblock block, const char* source,
                    int line) try {
  if (!file) return fail(nullptr, file, kfsErrNullArgument, source, line);
  kfsLblockWrite(id, file, block);
  return reportStatus(file, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckReadLB(kfsHandle file, kfsLblock* block, int* id, const char* source, int line) try {
  if (!block) return fail(nullptr, file, kfsErrNullArgument, source, line);
  if (!file) {
    *block = nullptr;
    return fail(nullptr, file, kfsErrNullArgument, source, line);
  }
  unsigned int records = 0;
  const int tag = kfsLblockRead(file, &records, block);
  if (id) *id = tag;
  if (tag < 0 || kfsPeekError(file) != 0) {
    kfsLblockFree(block);
    const int status = reportStatus(file, source, line);
    return status ? status : fail(nullptr, file, kfsErrRead, source, line);
  }
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckWriteLR(kfsHandle file, int type, unsigned int count, const void* data,
                    const char* source, int line) try {
  if (!file) return fail(nullptr, file, kfsErrNullArgument, source, line);
  const unsigned int status = kfsLrecWrite(file, type, count, data);
  if (status != 0 && kfsPeekError(file) == 0)
    return fail(nullptr, file, static_cast<int>(status), source, line);
  return reportStatus(file, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckReadLR(kfsHandle file, int type, unsigned int count, void* data, const char* source,
                   int line) try {
  if (!file) return fail(nullptr, file, kfsErrNullArgument, source, line);
  const unsigned int got = kfsLrecRead(file, type, count, data);
  if (int status = reportStatus(file, source, line)) return status;
  if (got != count) return fail(nullptr, file, kfsErrCount, source, line);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckSkipLR(kfsHandle file, const char* source, int line) try {
  if (!file) return fail(nullptr, file, kfsErrNullArgument, source, line);
  const kfsSimpleType next = kfsQuery(file, nullptr);
  if (next < 1) {
    const int status = reportStatus(file, source, line);
    return status ? status : fail(nullptr, file, kfsErrStructure, source, line);
  }
  kfsSkip(file);
  return reportStatus(file, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckPseudoSkipLR(int type, unsigned int count, kfsHandle file, const char* source,
                         int line) try {
  if (!file) return fail(nullptr, file, kfsErrNullArgument, source, line);
  kfsPseudoSeek(file, 5 + static_cast<long long>(count) * kfsSimpSize(type));
  return reportStatus(file, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckPseudoSkipTimeStepTag(kfsHandle file, int equidistant, const char* source,
                                  int line) try {
  if (!file) return fail(nullptr, file, kfsErrNullArgument, source, line);
  kfsPseudoSeek(file, equidistant ? 4 : 17);
  return reportStatus(file, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

int dfsCheckMallocZ(void** pointer, size_t size, const char* source, int line) try {
  if (!pointer) return fail(nullptr, nullptr, kfsErrNullArgument, source, line);
  *pointer = std::calloc(1, size ? size : 1);
  return *pointer ? 0 : fail(nullptr, nullptr, kfsErrMemory, source, line);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

}  // extern "C"
