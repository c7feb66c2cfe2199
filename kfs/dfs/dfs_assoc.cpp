// Static items associated with a dynamic item, and the compression switch.
#include <cstdlib>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"

extern "C" {

int dfsSetAssocStatic(LPHEAD header, int n, int staticNumber) try {
  LPITEM item = dfsItemD(header, n);
  if (!item) return header ? kfsErrItemNumber : kfsErrNullArgument;
  if (staticNumber < 1) return DFS_FAIL(header, nullptr, kfsErrItemNumber);
  auto* entry = static_cast<dfsAssocStatic*>(std::calloc(1, sizeof(dfsAssocStatic)));
  if (!entry) return DFS_FAIL(header, nullptr, kfsErrMemory);
  entry->number = staticNumber;
  dfsAssocStatic** tail = &item->assocStatic;
  while (*tail) tail = &(*tail)->next;
  *tail = entry;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetAssocStatic(LPHEAD header, int n, int index, int* staticNumber) try {
  LPITEM item = dfsItemD(header, n);
  if (!item) return header ? kfsErrItemNumber : kfsErrNullArgument;
  if (!staticNumber) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  *staticNumber = 0;
  const dfsAssocStatic* entry = item->assocStatic;
  for (int i = 1; entry && i < index; ++i) entry = entry->next;
  if (entry && index >= 1) *staticNumber = entry->number;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetNoAssocStatic(LPHEAD header, int n) try {
  LPITEM item = dfsItemD(header, n);
  if (!item) return 0;
  int count = 0;
  for (const dfsAssocStatic* e = item->assocStatic; e; e = e->next) ++count;
  return count;
}
KORA_CATCH_ALL(0)

int dfsFreeAssocStatic(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  dfsAssocStatic* entry = item->assocStatic;
  while (entry) {
    dfsAssocStatic* next = entry->next;
    std::free(entry);
    entry = next;
  }
  item->assocStatic = nullptr;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsItemEnableCompression(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  header->compressionEnabled = 1;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsIsItemCompressed(LPITEM item, int* size) try {
  if (size) *size = 0;
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 0;
  const LPHEAD h = item->header;
  if (!h || !h->dfsEncode.xkey || !h->dfsEncode.ykey) return 0;
  if (size) *size = h->dfsEncode.nRecordSize;
  return h->dfsEncode.nRecordSize;
}
KORA_CATCH_ALL(0)

}  // extern "C"
