// Facts of the spatial-axis table and the conversion of axis values; shared
// by the axis setters and getters, the header reader and writer. Not part of
// the library's API.
#ifndef KFS_DFS_DFS_AXIS_H
#define KFS_DFS_DFS_AXIS_H

#include "kfs/dfs/dfs_types.h"
#include "kfs/dfs/dfs_units.h"

namespace dfs {

bool isKnownAxis(int type);
// Number of sizes the axis has (0 for EqD0 and unknown types).
int axisSizeCount(int type);
bool isEquidistantAxis(int type);
bool isTimeVaryingAxis(int type);
// Number of coordinate arrays of a non-equidistant or curvilinear axis.
int axisArrayCount(int type);
// Length of coordinate array i: size+1 (non-equidistant), or the number of
// grid corners (curvilinear).
long long axisArrayLength(int type, const int sizes[4], int i);
// Fixed-space file types take all but the time-varying axes, varying-space
// file types only those.
bool axisAllowedForFileType(int axisType, int fileType);

// The elements of a dynamic item's step (as dfsGetItemElements) and those
// stored of them (as dfsGetUsedItemElements), found together. Inline for a
// single value without compression keys (a gauge of a time series, read and
// written one by one), which is told at once.
void itemElementCountsOfAxis(const absItemS* item, int* elements, int* used);
inline void itemElementCounts(const absItemS* item, int* elements, int* used) {
  const DfsHeader* owner = item->header;
  if (item->axisType == F_EQ_AXIS_D0 && (item->isStatic || !owner || !owner->encoded)) {
    *elements = *used = 1;
    return;
  }
  itemElementCountsOfAxis(item, elements, used);
}

// Converts the item's origin, step and coordinate values in place.
void convertAxisValues(absItemS* item, Direction d);
Conversion axisConversion(const absItemS* item);

}  // namespace dfs

#endif
