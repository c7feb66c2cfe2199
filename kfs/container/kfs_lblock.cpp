// Logical blocks in memory: singly linked lists of record nodes.
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/container/kfs_internal.h"

extern "C" {

KFS_API kfsLblock kfsLblockAdd(kfsSimpleType type, unsigned int count, const void* data, int copy,
                               kfsLblock block) try {
  auto* node = static_cast<kfsLblockNode*>(std::calloc(1, sizeof(kfsLblockNode)));
  if (!node) {
    KFS_REPORT(kfsErrMemory);
    return nullptr;
  }
  node->type = type;
  node->count = count;
  if (!kfs::IsRecordType(type) || count == 0) {
    // Kept in the list so that the caller's record numbering stays intact;
    // it has no data and is written as nothing.
    KFS_REPORT(kfsErrType);
  } else if (copy) {
    size_t bytes = static_cast<size_t>(count) * kfsSimpSize(type);
    node->data = data ? std::malloc(bytes) : std::calloc(1, bytes);
    if (!node->data) {
      std::free(node);
      KFS_REPORT(kfsErrMemory);
      return nullptr;
    }
    if (data) std::memcpy(node->data, data, bytes);
    node->MustFree = 1;
  } else {
    node->data = const_cast<void*>(data);
  }
  if (block) {
    kfsLblockNode* last = block;
    while (last->next) last = last->next;
    last->next = node;
  }
  return node;
}
KORA_CATCH_ALL((::kfs::Escaped(nullptr, __LINE__), nullptr))

KFS_API void kfsLblockFree(kfsLblock* block) try {
  if (!block) return;
  kfsLblockNode* node = *block;
  while (node) {
    kfsLblockNode* next = node->next;
    if (node->MustFree) std::free(node->data);
    std::free(node);
    node = next;
  }
  *block = nullptr;
}
KORA_CATCH_ALL(void())

KFS_API void* kfsLblockTakeOver(kfsLblock lBlock) try {
  KFS_ASSERT(lBlock && lBlock->MustFree);
  lBlock->MustFree = 0;
  return lBlock->data;
}
KORA_CATCH_ALL(nullptr)

}  // extern "C"
