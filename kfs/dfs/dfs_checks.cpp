// Argument and I/O checks: one place that turns a failed check or a failed
// container operation into a reported code with the caller's position.
#include "kfs/dfs/dfs_checks.h"

#include <cassert>
#include <cstdlib>

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
  return fail(nullptr, file, status == 1 ? 2001 : static_cast<int>(status), source, line);
}

}  // namespace

extern "C" {

int dfsCheckHeader(LPHEAD header, const char* source, int line) {
  return header ? 0 : fail(header, nullptr, 1000, source, line);
}

int dfsCheckFile(kfsHandle file, const char* source, int line) {
  return file ? 0 : fail(nullptr, file, 1000, source, line);
}

int dfsCheckItem(LPITEM item, const char* source, int line) {
  return item ? 0 : fail(nullptr, nullptr, 1000, source, line);
}

int dfsCheckVector(const void* vector, const char* source, int line) {
  return vector ? 0 : fail(nullptr, nullptr, 1000, source, line);
}

int dfsCheckCustomBlock(const dfsCustomBlock* block, const char* source, int line) {
  return block ? 0 : fail(nullptr, nullptr, 1000, source, line);
}

int dfsCheckHeaderFile(LPHEAD header, kfsHandle file, const char* source, int line) {
  return (header && file) ? 0 : fail(header, file, 1000, source, line);
}

int dfsCheckVectorFile(const void* vector, kfsHandle file, const char* source, int line) {
  return (vector && file) ? 0 : fail(nullptr, file, 1000, source, line);
}

int dfsCheckHeaderItemNo(LPHEAD header, int n, const char* source, int line) {
  if (!header) return fail(header, nullptr, 1000, source, line);
  if (n < 1 || n > header->nItems) return fail(header, nullptr, 2007, source, line);
  return 0;
}

int dfsCheckHeaderFileItemNo(LPHEAD header, kfsHandle file, int n, const char* source, int line) {
  if (!file) return fail(header, file, 1000, source, line);
  return dfsCheckHeaderItemNo(header, n, source, line);
}

int dfsCheckTypeSize(kfsLblock node, int type, unsigned int count, const char* source, int line) {
  if (!node) return fail(nullptr, nullptr, 2001, source, line);
  if (node->type != type || !node->data) return fail(nullptr, nullptr, 2009, source, line);
  if (count != 0 && node->count != count) return fail(nullptr, nullptr, 2013, source, line);
  return 0;
}

int dfsCheckReadTypeSize(kfsHandle file, int type, unsigned int count, kfsLblock* block,
                         const char* source, int line) {
  assert(file && "Fp");
  if (!block) return fail(nullptr, file, 1000, source, line);
  *block = nullptr;
  unsigned int records = 0;
  if (kfsLblockRead(file, &records, block) < 0 || kfsPeekError(file) != 0) {
    kfsLblockFree(block);
    return fail(nullptr, file, 2001, source, line);
  }
  const int status = dfsCheckTypeSize(*block, type, count, source, line);
  if (status != 0) kfsLblockFree(block);
  return status;
}

int dfsCheckWriteLB(kfsHandle file, unsigned int id, kfsLblock block, const char* source,
                    int line) {
  assert(file && "Fp");
  kfsLblockWrite(id, file, block);
  return reportStatus(file, source, line);
}

int dfsCheckReadLB(kfsHandle file, kfsLblock* block, int* id, const char* source, int line) {
  assert(file && "Fp");
  if (!block) return fail(nullptr, file, 1000, source, line);
  unsigned int records = 0;
  const int tag = kfsLblockRead(file, &records, block);
  if (id) *id = tag;
  if (tag < 0 || kfsPeekError(file) != 0) {
    kfsLblockFree(block);
    const int status = reportStatus(file, source, line);
    return status ? status : fail(nullptr, file, 2001, source, line);
  }
  return 0;
}

int dfsCheckWriteLR(kfsHandle file, int type, unsigned int count, const void* data,
                    const char* source, int line) {
  assert(file && "Fp");
  const unsigned int status = kfsLrecWrite(file, type, count, data);
  if (status != 0 && kfsPeekError(file) == 0) return fail(nullptr, file, static_cast<int>(status), source, line);
  return reportStatus(file, source, line);
}

int dfsCheckReadLR(kfsHandle file, int type, unsigned int count, void* data, const char* source,
                   int line) {
  assert(file && "Fp");
  const unsigned int got = kfsLrecRead(file, type, count, data);
  if (int status = reportStatus(file, source, line)) return status;
  if (got != count) return fail(nullptr, file, 2013, source, line);
  return 0;
}

int dfsCheckSkipLR(kfsHandle file, const char* source, int line) {
  assert(file && "Fp");
  const kfsSimpleType next = kfsQuery(file, nullptr);
  if (next < 1) {
    const int status = reportStatus(file, source, line);
    return status ? status : fail(nullptr, file, 2019, source, line);
  }
  kfsSkip(file);
  return reportStatus(file, source, line);
}

int dfsCheckPseudoSkipLR(int type, unsigned int count, kfsHandle file, const char* source,
                         int line) {
  assert(file && "Fp");
  kfsPseudoSeek(file, 5 + static_cast<long long>(count) * kfsSimpSize(type));
  return reportStatus(file, source, line);
}

int dfsCheckPseudoSkipTimeStepTag(kfsHandle file, int equidistant, const char* source, int line) {
  assert(file && "Fp");
  kfsPseudoSeek(file, equidistant ? 4 : 17);
  return reportStatus(file, source, line);
}

int dfsCheckMallocZ(void** pointer, size_t size, const char* source, int line) {
  if (!pointer) return fail(nullptr, nullptr, 1000, source, line);
  *pointer = std::calloc(1, size ? size : 1);
  return *pointer ? 0 : fail(nullptr, nullptr, 2000, source, line);
}

}  // extern "C"
