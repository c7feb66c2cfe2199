/* Static items: data written once per file (bathymetries, grid definitions,
 * the encode keys of a compressed file), between the header and the time
 * steps.
 *
 *   40000                 empty block: the static data begins (once)
 *   per static item       the item blocks of a header item (30005 or 30002,
 *                         30006, the axis block), then 40001 with one record
 *                         of the item's simple type and axis element count
 *
 * A static item is a free-standing item record (static flag set): define it
 * with dfsSetItemInfo and an axis setter like a dynamic item (any axis but
 * the time-varying ones can be written). Static items are written after the
 * header and before the first time step; reading returns them in order.
 * An encoded file keeps its encode keys as its first static items; readers
 * of this interface never see them as application items.
 *
 * Every function returns a status (0 success, codes of kfs/container/kfs.h,
 * reported through the wrapper error table) unless a value is named.
 *
 * Usage (writing a bathymetry before the first step):
 *   LPITEM bathy = NULL;
 *   dfsStaticCreate(&bathy);
 *   dfsSetItemInfo(h, bathy, 100002, "Bathymetry", 1000, 1);
 *   dfsSetItemAxisEqD2(bathy, 1000, 200, 150, 0.f, 0.f, 50.f, 50.f);
 *   dfsStaticWrite(bathy, f, depths);
 *   dfsStaticDestroy(&bathy);
 * and reading it back:
 *   int status;
 *   LPITEM it = dfsStaticRead(f, &status);   // null at the end: status 0
 *   dfsStaticGetData(it, depths);
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_STATIC_H
#define KFS_DFS_DFS_STATIC_H

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"

KFS_EXTERN_C_BEGIN

/* A new static item (reference coordinates and orientation -1e-35); 2000
 * when memory runs out. */
KFS_API int dfsStaticCreate(LPITEM* item);
/* Frees the item and its values; nulls *item (also when null). */
KFS_API int dfsStaticDestroy(LPITEM* item);
/* Gives an item without a header this one (for delete values in unit
 * conversions); an item that has a header keeps it. */
KFS_API int dfsStaticSetHeader(LPHEAD header, LPITEM item);

/* Writes the item and its values (axis elements of the item's type,
 * converted into the item unit by its data conversion mode on a copy).
 * Checked before anything is written: null data, an unset, time-varying or
 * unstorable axis 2010; dynamic data already begun 1000 (also behind an edit
 * handle at the end of the header, which otherwise writes over the file's
 * first static item); a read-only handle 2015. */
KFS_API int dfsStaticWrite(LPITEM item, kfsHandle file, const void* data);
/* The next static item with its values, or null: at the end of the static
 * data with *status 0, on failure with the code (a values block missing
 * 2019, values of another type 2009 or count 2013). Free with
 * dfsStaticDestroy. */
KFS_API LPITEM dfsStaticRead(kfsHandle file, int* status);
/* Copies the item's values into buffer and converts them by the item's data
 * conversion mode. 2010 for a null buffer or an item without values. */
KFS_API int dfsStaticGetData(LPITEM item, void* buffer);
/* Steps over the next static item without keeping it; DFS_ITEM_OUTSIDE
 * (1002, not reported) when none is left. */
KFS_API int dfsStaticSkip(kfsHandle file);

/* Positions at the first application static item (behind the encode keys),
 * and resets the time-step counters. */
KFS_API int dfsFindBlockStatic(LPHEAD header, kfsHandle file);
/* Positions before static item n (1-based, encode keys not counted); 1002
 * (not reported) when the file has fewer. */
KFS_API int dfsFindItemStatic(LPHEAD header, kfsHandle file, int n);

KFS_EXTERN_C_END

#endif
