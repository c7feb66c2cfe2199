/* Compiled as C: the container's public headers must be plain C. */
#include "kfs/container/call_trace.h"
#include "kfs/container/kfs.h"

/* Touches one declaration of each header so that a header that parses but
 * declares nothing usable from C still fails to build. */
int c_container_api_check(void) {
  kfsLblock block = 0;
  int sum = kfsSimpValid(kfsTypeDouble) + (int)kfsSimpSize(kfsTypeFloat);
  sum += PutFunctionName("c_container_api_check");
  (void)GetFunctionName();
  kfsLblockFree(&block);
  return sum;
}
