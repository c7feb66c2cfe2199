/* Compiled as C: the container's public headers must be plain C. */
#include "kfs/container/DebugTrace.h"
#include "kfs/container/FileIO.h"
#include "kfs/container/KvFileUtil.h"
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
