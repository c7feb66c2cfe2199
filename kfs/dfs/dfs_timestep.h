/* Time-step data: the dynamic section of a data file.
 *
 * Behind the header and the static items a data file holds, for every time
 * step, one value array per item in item order:
 *
 *   50000                 empty block: the dynamic data begins (once)
 *   50001                 time-step tag: empty for the equidistant file types
 *                         1 and 2; one double, the step's time in the axis
 *                         unit, for the non-equidistant types 4, 8 and 16
 *   per item              [varying-space types 2, 16: float x 3n coordinates]
 *                         one record of the item's simple type and count
 *
 * Access is sequential: the header keeps the step counter (whole steps
 * passed), the item counter (next item of the step, 0 at a step boundary)
 * and the time of the current step; the file handle keeps the section.
 * Writing and reading take the file types 1 and 4 (2018 otherwise).
 *
 * Data values cross this interface in the unit the item's data conversion
 * mode names (dfsSetItemUnitConversion; float and double items only):
 *   0  as stored, in the item unit;
 *   1  the user unit of the item type;
 *   2  the conversion unit given with the mode;
 *   3  the first unit of the item type's unit sequence.
 * Elements equal to the header's delete value stay as they are. The caller's
 * array is never changed by a write.
 *
 * Compressed files (encode keys, dfsSetEncodeKey) store only the values at
 * the key positions. The caller's arrays hold dfsGetItemElements values: the
 * whole grid, which is collapsed on write and expanded on read (elements
 * not stored read as the delete value of the item's type), unless
 * dfsItemEnableCompression was called, in which case they hold the stored
 * values themselves.
 *
 * Every function returns a status: 0, or a code of kfs/container/kfs.h
 * reported through the wrapper error table with the source position.
 *
 * Usage (writing 48 steps of two items):
 *   for (int step = 0; step < 48; ++step) {
 *     dfsWriteItemTimeStep(h, f, level, step * 3600.0);
 *     dfsWriteItemTimeStep(h, f, speed, step * 3600.0);
 *   }
 *   dfsFileClose(h, &f);
 * and reading step 10 of item 2:
 *   double time;
 *   if (dfsFindItemDynamic(h, f, 10, 2) == 0) dfsReadItemTimeStep(h, f, &time, speed);
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_TIMESTEP_H
#define KFS_DFS_DFS_TIMESTEP_H

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"

KFS_EXTERN_C_BEGIN

/* Positioning results, returned without a report. */
#define DFS_STEP_OUTSIDE 1001 /* time step outside the file */
#define DFS_ITEM_OUTSIDE 1002 /* item (or static item) outside the file */

/* Writes the next item of the current step (the item counter + 1). The
 * first item of a step writes the step's tag; the first step of a
 * non-equidistant axis sets the axis start to its time. An edit handle
 * (dfsFileEdit) rewrites the steps in place: from where dfsFindTimeStep or
 * dfsFindItemDynamic put it, else from the first step. Updates the item's
 * statistics and, past the last item, the number of steps. 2015 on a
 * read-only handle; 2018, 2007, 2010 from dfsPrepareIO; 2010 when an encode
 * key points outside the item's grid. */
KFS_API int dfsWriteItemTimeStep(LPHEAD header, kfsHandle file, const void* data, double time);
/* Reads the next item of the current step into data (dfsGetItemElements
 * values of the item's type), or skips it when data is null. *time (may be
 * null) receives the step's time: the step number for equidistant files;
 * for the others the time in the tag, relative to the axis start while the
 * modify-times parameter is set. A record of another type gives 2009, of
 * another count 2013; a missing tag 2010; a file that ends early 2001. */
KFS_API int dfsReadItemTimeStep(LPHEAD header, kfsHandle file, double* time, void* data);

/* Skip the next item, or the rest of the current step (the whole step at a
 * step boundary), without reading the values. */
KFS_API int dfsSkipItem(LPHEAD header, kfsHandle file);
KFS_API int dfsSkipTimeStep(LPHEAD header, kfsHandle file);

/* Positions at the start of time step `step` (0-based; the number of steps
 * is the end of the data). DFS_STEP_OUTSIDE outside 0..steps. Far moves
 * measure one step and take one relative seek. */
KFS_API int dfsFindTimeStep(LPHEAD header, kfsHandle file, int step);
/* Positions before item `item` (1-based) of step `step`. DFS_STEP_OUTSIDE
 * outside 0..steps-1, DFS_ITEM_OUTSIDE outside 1..items. */
KFS_API int dfsFindItemDynamic(LPHEAD header, kfsHandle file, int step, int item);
/* Positions at the start of the dynamic data (rewinding when already
 * behind it) and resets the step and item counters. 2001 when the file has
 * no dynamic section. */
KFS_API int dfsFindBlockDynamic(LPHEAD header, kfsHandle file);
/* Writes block 50000 unless the dynamic data has begun, and raises the
 * header's number of steps to the step counter. */
KFS_API int dfsWriteStartBlockDynamic(LPHEAD header, kfsHandle file);

/* The time-step tag alone. Reading stores the time as dfsReadItemTimeStep
 * gives it in *time and in the header's current time; the counters do not
 * move. `line` is reported with a failure. */
KFS_API int dfsReadTimestepTag(LPHEAD header, kfsHandle file, double* time, int line);
KFS_API int dfsWriteTimestepTag(LPHEAD header, kfsHandle file, double time);

/* Rounds the values of item n (a float or double item; others are left
 * alone) to `digits` significant digits in place: 123456 becomes 123000 and
 * 0.0012345 becomes 0.00123 with 3 digits. Delete values, zeros and
 * non-finite values stay. 2010 for digits below 1. */
KFS_API int dfsTruncateItemTimeStep(LPHEAD header, int n, int digits, void* data);

/* Checks of the next item. Used element count (the values stored per step). */
KFS_API int dfsGetNoUsedItemElements(LPHEAD header, kfsHandle file, int* count, int line);
/* Whether the next item can be written or read (file type 1 or 4, else 2018;
 * an item left in the step, else 2007; elements and no time-varying axis,
 * else 2010), with its simple type and the length of the caller's array
 * (dfsGetItemElements). Out pointers may be null. */
KFS_API int dfsPrepareIO(LPHEAD header, kfsHandle file, int* dataType, int* count, int line);

/* Single-point series as doubles, for files whose items hold one value per
 * step (2010 for any item with another count). Rows of `out`, one per step:
 * the time in seconds from the axis start, then the value of each listed
 * item (item numbers 1..N, in list order; all items when the list is empty
 * or null). Float delete values become the double delete value, items of
 * types other than float and double read as the double delete value. The
 * caller's array holds steps x (1 + listed) doubles. */
KFS_API int dfsReadDfs0DataDouble(LPHEAD header, kfsHandle file, double* out);
KFS_API int dfsReadDfs0ItemsDouble(LPHEAD header, kfsHandle file, double* out, const int* items,
                                   int nItems);
/* Writes `steps` rows of the same shape (time in seconds, one value per
 * item) as time steps. Float items get the value as float (the float delete
 * value for the double delete value), double items the value itself, items
 * of other types 0. */
KFS_API int dfsWriteDfs0DataDouble(LPHEAD header, kfsHandle file, const double* data, int steps);

/* Free-item and time-varying-axis access is not supported: these leave the
 * file and every argument unchanged and return 2018 (reported). */
KFS_API int dfsQueryFreeItemTimeStep(LPHEAD header, kfsHandle file, int* item, double* time);
KFS_API int dfsReadFreeItemTimeStep(LPHEAD header, kfsHandle file, int* item, double* time,
                                    void* data);
KFS_API int dfsWriteFreeItemTimeStep(LPHEAD header, kfsHandle file, int item, double time,
                                     const void* data);
KFS_API int dfsReadItemTvarTimeStep(LPHEAD header, kfsHandle file, double* time, void* data,
                                    float* coords, int* count);
KFS_API int dfsWriteItemTvarTimeStep(LPHEAD header, kfsHandle file, const void* data,
                                     const float* coords, int count, double time);
KFS_API int dfsQueryFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int* item, int* count,
                                         double* time);
KFS_API int dfsReadFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int* item, double* time,
                                        void* data, float* coords, int* count);
KFS_API int dfsWriteFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int item, double time,
                                         const void* data, const float* coords, int count);

KFS_EXTERN_C_END

#endif
