// Logical blocks of the header as the dfs code writes and reads them.
#include "kfs/dfs/dfs_blockio.h"

#include <cstdlib>
#include <cstring>

#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"

namespace dfs {

OutBlock::~OutBlock() { kfsLblockFree(&first_); }

void OutBlock::add(int type, unsigned int count, const void* data) {
  const kfsLblock node = kfsLblockAdd(type, count, data, 0, first_);
  if (!node) {
    failed_ = true;
    return;
  }
  if (!first_) first_ = node;
}

void OutBlock::addText(const char* text) {
  if (!text) text = "";
  add(kfsTypeByte, static_cast<unsigned int>(std::strlen(text) + 1), text);
}

int OutBlock::write(kfsHandle file, unsigned int tag, const char* source, int line) {
  if (failed_) return report(nullptr, file, kfsErrMemory, source, line);
  return dfsCheckWriteLB(file, tag, first_, source, line);
}

InBlock::~InBlock() { kfsLblockFree(&first_); }

const void* InBlock::next(int type, unsigned int count, unsigned int* got) {
  if (status_ != 0) return nullptr;
  const kfsLblock node = node_;
  const int s = dfsCheckTypeSize(node, type, count, __FILE__, __LINE__);
  if (s != 0) {
    fail(s);
    return nullptr;
  }
  node_ = node->next;
  if (got) *got = node->count;
  return node->data;
}

char* InBlock::nextText() {
  unsigned int n = 0;
  const char* data = static_cast<const char*>(next(kfsTypeByte, 0, &n));
  if (!data) return nullptr;
  // Texts from a file need not end in a zero byte: copy them with one.
  char* text = static_cast<char*>(std::malloc(static_cast<size_t>(n) + 1));
  if (!text) {
    fail(report(nullptr, nullptr, kfsErrMemory, __FILE__, __LINE__));
    return nullptr;
  }
  std::memcpy(text, data, n);
  text[n] = '\0';
  return text;
}

void* InBlock::takeAny(int* type, unsigned int* count) {
  if (status_ != 0) return nullptr;
  const kfsLblock node = node_;
  if (!node || !node->data || kfsSimpSize(node->type) == 0 || !node->MustFree) {
    fail(report(nullptr, nullptr, node ? kfsErrType : kfsErrRead, __FILE__, __LINE__));
    return nullptr;
  }
  node_ = node->next;
  *type = node->type;
  *count = node->count;
  return kfsLblockTakeOver(node);
}

int readBlock(kfsHandle file, kfsLblock* block, int* tag) {
  *block = nullptr;
  if (kfsQuery(file, nullptr) != kfsTypeBlock) {
    const unsigned int status = kfsPeekError(file);
    const int code = readFailure(status);
    return report(nullptr, file, code, __FILE__, __LINE__);
  }
  return dfsCheckReadLB(file, block, tag, __FILE__, __LINE__);
}

int nextBlockTag(kfsHandle file) {
  unsigned int id = 0;
  return kfsQuery(file, &id) == kfsTypeBlock ? static_cast<int>(id) : -1;
}

int skipBlock(kfsHandle file) {
  kfsLblockSkip(file);
  const unsigned int status = kfsPeekError(file);
  if (status == 0) return 0;
  return report(nullptr, file, readFailure(status), __FILE__, __LINE__);
}

int enterStatic(kfsHandle file) {
  if (dfs::position(file) != dfs::eInHeader || nextBlockTag(file) != DFS_TAG_STATIC) return 0;
  if (int s = skipBlock(file)) return s;
  dfs::setPosition(file, dfs::eInStatic);
  return 0;
}

}  // namespace dfs
