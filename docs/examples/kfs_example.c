/* kfs from C: a data file with one item, three hourly steps, written and
 * read back. The unit table is found by the library itself.
 *
 *   kfs_example [FILE]       (default: example.dfs in the current folder) */
#include <stdio.h>

#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "qty/qty.h"

enum { kSteps = 3, kCells = 4, kWaterLevel = 100000, kMeter = 1000, kSecond = 1400 };

static int write_file(const char* path) {
  LPHEAD h = NULL;
  kfsHandle f = NULL;
  float level[kCells];
  int step, cell, status;

  status =
      dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Example", "kfs_example", 1, 1, F_NO_STAT, &h);
  if (status == 0)
    status = dfsSetEqCalendarAxis(h, "2024-11-01", "00:00:00", kSecond, 0, 0.0, 3600.0);
  if (status == 0)
    status = dfsSetItemInfo(h, dfsItemD(h, 1), kWaterLevel, "Water level", kMeter, kfsTypeFloat);
  if (status == 0) status = dfsSetItemAxisEqD1(dfsItemD(h, 1), kMeter, kCells, 0.0f, 100.0f);
  if (status == 0) status = dfsFileCreate(path, h, &f);
  for (step = 0; status == 0 && step < kSteps; ++step) {
    for (cell = 0; cell < kCells; ++cell) level[cell] = 0.5f * (float)step + 0.1f * (float)cell;
    status = dfsWriteItemTimeStep(h, f, level, step * 3600.0);
  }
  if (status == 0) status = dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  return status;
}

static int read_file(const char* path) {
  LPHEAD h = NULL;
  kfsHandle f = NULL;
  float level[kCells];
  double time = 0.0;
  const char* unit = NULL;
  int step, status = dfsFileRead(path, &h, &f);

  if (status != 0) return status;
  dfsGetItemInfo(dfsItemD(h, 1), NULL, NULL, NULL, NULL, &unit, NULL);
  for (step = 0; status == 0 && step < kSteps; ++step) {
    status = dfsReadItemTimeStep(h, f, &time, level);
    if (status == 0)
      printf("step %d: water level %.2f %.2f %.2f %.2f %s\n", step, level[0], level[1], level[2],
             level[3], unit);
  }
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  return status;
}

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "example.dfs";
  int status;

  if (qtySetupLoad(NULL) != 1) {
    fprintf(stderr, "kfs_example: the unit table could not be loaded\n");
    return 1;
  }
  status = write_file(path);
  if (status == 0) status = read_file(path);
  if (status != 0) {
    fprintf(stderr, "kfs_example: %s: %s (%d)\n", path, kfsErrorText((unsigned)status), status);
    return 1;
  }
  return 0;
}
