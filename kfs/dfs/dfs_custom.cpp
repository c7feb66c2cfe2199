// Custom blocks: named arrays an application keeps in the header.
#include <cstdlib>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"

extern "C" {

int dfsAddCustomBlock(LPHEAD header, int type, const char* name, int count, const void* data) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (dfsSimpSize(type) == 0 || count < 1) return DFS_FAIL(header, nullptr, kfsErrType);
  if (!data) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  auto* block = static_cast<dfsCustomBlock*>(std::calloc(1, sizeof(dfsCustomBlock)));
  if (!block) return DFS_FAIL(header, nullptr, kfsErrMemory);
  block->name = dfs::copyText(name);
  block->data = dfs::copyBytes(data, static_cast<size_t>(count) * dfsSimpSize(type));
  if (!block->name || !block->data) {
    std::free(block->name);
    std::free(block->data);
    std::free(block);
    return DFS_FAIL(header, nullptr, kfsErrMemory);
  }
  block->type = type;
  block->count = count;
  dfsCustomBlock** tail = &header->customBlocks;
  while (*tail) tail = &(*tail)->next;
  *tail = block;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetCustomBlockRef(LPHEAD header, dfsCustomBlock** first) try {
  if (!header || !first) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  *first = header->customBlocks;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetCustomBlock(dfsCustomBlock* entry, int* type, const char** name, int* count, void** data,
                      dfsCustomBlock** next) try {
  if (!entry) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  if (type) *type = entry->type;
  if (name) *name = entry->name;
  if (count) *count = entry->count;
  if (data) *data = entry->data;
  if (next) *next = entry->next;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

}  // extern "C"
