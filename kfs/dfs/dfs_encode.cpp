// Encode keys: the grid position of every value a compressed file stores.
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"

namespace {

int* copyKey(const int* key, int n) {
  if (!key || n < 1) return nullptr;
  return static_cast<int*>(dfs::copyBytes(key, static_cast<size_t>(n) * sizeof(int)));
}

}  // namespace

extern "C" {

int dfsSetEncodeKey(LPHEAD header, const int* xkey, const int* ykey, const int* zkey, int n) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  // No stored value at all would leave every item of the file empty, and
  // keys without any key array would place every stored value nowhere.
  if (n < 1 || (!xkey && !ykey && !zkey)) return DFS_FAIL(header, nullptr, kfsErrBlock);
  int* x = copyKey(xkey, n);
  int* y = copyKey(ykey, n);
  int* z = copyKey(zkey, n);
  if ((xkey && n > 0 && !x) || (ykey && n > 0 && !y) || (zkey && n > 0 && !z)) {
    std::free(x);
    std::free(y);
    std::free(z);
    return DFS_FAIL(header, nullptr, kfsErrMemory);
  }
  std::free(header->dfsEncode.xkey);
  std::free(header->dfsEncode.ykey);
  std::free(header->dfsEncode.zkey);
  header->dfsEncode.xkey = x;
  header->dfsEncode.ykey = y;
  header->dfsEncode.zkey = z;
  header->dfsEncode.nRecordSize = n;
  header->encoded = 1;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetEncodeKey(LPHEAD header, int* xkey, int* ykey, int* zkey) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  const int n = header->dfsEncode.nRecordSize;
  if (n < 1) return 0;
  const size_t bytes = static_cast<size_t>(n) * sizeof(int);
  if (xkey && header->dfsEncode.xkey) std::memcpy(xkey, header->dfsEncode.xkey, bytes);
  if (ykey && header->dfsEncode.ykey) std::memcpy(ykey, header->dfsEncode.ykey, bytes);
  if (zkey && header->dfsEncode.zkey) std::memcpy(zkey, header->dfsEncode.zkey, bytes);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsIsFileCompressed(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->encoded;
}
KORA_CATCH_ALL(0)

int dfsGetEncodeKeySize(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->dfsEncode.nRecordSize;
}
KORA_CATCH_ALL(0)

}  // extern "C"
