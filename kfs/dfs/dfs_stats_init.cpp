// Initial state of the running statistics of a dynamic item. The writer
// adds every time step to them; the header carries them to disk.
#include <cstdlib>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"

namespace {

// Accumulators kept per used element (maximum, minimum, sums, previous
// value, counts).
constexpr int kStatsPerElement = 9;

}  // namespace

extern "C" {

int InitItemStats(LPITEM item, int line) try {
  if (!item || !item->header)
    return dfs::report(nullptr, nullptr, kfsErrNullArgument, __FILE__, line);
  const LPHEAD h = item->header;
  std::free(item->stats);
  item->stats = nullptr;
  item->nStats = 0;
  item->itemMax = h->deleteDouble;
  item->itemMin = h->deleteDouble;
  item->itemMissing = 0.0;
  if (h->statsType == F_NO_STAT) return 0;
  if (h->statsType != F_REG_STAT && h->statsType != F_LARGE_STAT)
    return dfs::report(h, nullptr, kfsErrBlock, __FILE__, line);
  const long long used = dfsGetUsedItemElements(item);
  if (used < 1) return 0;
  const long long n = used * kStatsPerElement;
  if (n > 0x7fffffff) return dfs::report(h, nullptr, kfsErrMemory, __FILE__, line);
  item->stats = static_cast<double*>(std::calloc(static_cast<size_t>(n), sizeof(double)));
  if (!item->stats) return dfs::report(h, nullptr, kfsErrMemory, __FILE__, line);
  item->nStats = static_cast<int>(n);
  for (long long e = 0; e < used; ++e) {
    double* s = item->stats + e * kStatsPerElement;
    s[0] = s[1] = s[5] = h->deleteDouble;
  }
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

}  // extern "C"
