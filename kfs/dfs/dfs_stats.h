/* Running statistics of the dynamic items.
 *
 * While time steps are written every item keeps its maximum, minimum and
 * number of missing values (statistics type 1 and up); types 2 and 3 also
 * keep nine accumulators per stored element:
 *   0 maximum, 1 minimum, 2 sum, 3 sum of squares, 4 sum of products with
 *   the element's previous value, 5 previous value (the double delete value
 *   after a missing one), 6 number of values, 7 number of pairs of
 *   consecutive values, 8 number of missing values.
 * A value is missing when it equals the header's delete value of the item's
 * type. The statistics travel with the header and are rewritten in place by
 * every header update (dfsFileFlush, dfsFileClose). Items of the 16-bit types
 * have no delete value and keep no statistics.
 *
 * Usage:
 *   double mean, sd;
 *   int n;
 *   dfsGetItemStats(h, 1, cell, NULL, NULL, &mean, &sd, NULL, &n, NULL, NULL);
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_STATS_H
#define KFS_DFS_DFS_STATS_H

#include "kfs/dfs/dfs_types.h"

KFS_EXTERN_C_BEGIN

/* Adds one time step of item n: its stored values (dfsGetUsedItemElements of
 * them, after unit conversion and compression). 2010 for the 16-bit types
 * and statistics types outside 1..3, 2008 when the accumulators do not fit
 * the item, 2007 for an item number out of range. */
KFS_API int dfsCalcStatistics(LPHEAD header, int n, const void* values);

/* Item-wide minimum, maximum (converted by the item's data conversion mode;
 * the double delete value while nothing was added) and number of missing
 * values. Out pointers may be null. */
KFS_API int dfsGetItemStatsGlobal(LPITEM item, double* minimum, double* maximum, int* missing);

/* Statistics of one stored element (0-based) of item n: minimum, maximum,
 * mean and standard deviation in the unit of the data conversion mode,
 * lag-one autocorrelation, numbers of values, missing values and pairs.
 * Values that cannot be derived (no values, one value, no pairs) are the
 * double delete value. Out pointers may be null. 1000 for statistics type
 * 1, 2010 for a type outside 1..3, 2007 for the item number, 2008 for an
 * element outside the stored ones. */
KFS_API int dfsGetItemStats(LPHEAD header, int n, int element, double* minimum, double* maximum,
                            double* mean, double* deviation, double* autocorrelation, int* nValues,
                            int* nMissing, int* nPairs);

KFS_EXTERN_C_END

#endif
