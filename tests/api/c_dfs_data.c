/* The time-step, static-item and statistics headers must compile as C. */
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_stats.h"
#include "kfs/dfs/dfs_timestep.h"

int c_dfs_data_compiles(void) {
  LPITEM item = NULL;
  double minimum = 0.0;
  int status = dfsStaticCreate(&item);
  if (status != 0) return status;
  status = dfsGetItemStatsGlobal(item, &minimum, NULL, NULL);
  dfsStaticDestroy(&item);
  return status + (DFS_STEP_OUTSIDE - 1001) + (DFS_ITEM_OUTSIDE - 1002);
}
