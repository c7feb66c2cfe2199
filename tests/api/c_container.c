/* Compiled as C: the container's public headers must be plain C. */
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_trace.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/util/path_util.h"
#include "kfs/container/kfs.h"

/* Touches one declaration of each header so that a header that parses but
 * declares nothing usable from C still fails to build. */
int c_container_api_check(void) {
  kfsLblock block = 0;
  unsigned int version = 0;
  int sum = kfsSimpValid(kfsTypeDouble) + (int)kfsSimpSize(kfsTypeFloat);
  sum += (int)(dfsAPIid(&version) == DFS_API_ID);
  sum += DebugFileIOIsOn();
  sum += KvShortCut_IsShortcut("x");
  kfsLblockFree(&block);
  return sum;
}
