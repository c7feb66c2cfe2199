/* The data-file and date headers must compile as C, and their records must
 * be usable from C. */
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_trace.h"
#include "kfs/dfs/dfs_types.h"
#include "kfs/util/date.h"

int c_dfs_header_compiles(void) {
  date6 d = {2000, 1, 1, 0, 0, 0};
  date6 out;
  char text[DATE_TEXT_SIZE];
  date6_AddSeconds(&out, d, 1.0);
  date6_s(text, out);
  return text[0] == '2';
}

int c_dfs_records_are_usable(void) {
  LPHEAD header = NULL;
  LPITEM item;
  absItemS copy;
  int status = dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "c", "c", 1, 1, F_NO_STAT, &header);
  if (status != 0) return status;
  item = dfsItemD(header, 1);
  copy = *item;
  status = copy.isStatic + header->nItems + (int)sizeof(DfsHeader) * 0;
  dfsHeaderDestroy(&header);
  return status;
}

int c_dfs_wrappers_compile(void) {
  unsigned int version = 0;
  return (int)(dfsAPIid(&version) == DFS_API_ID) + DebugFileIOIsOn() + dfsDebugIsOn();
}
