/* Items and their spatial axes.
 *
 * An item is one stored quantity: item type and unit (keys of the units
 * library), name, simple data type and a spatial axis that says how many
 * values one time step holds and where they lie. Dynamic items are numbered
 * from 1 in the header (dfsItemD); static items stand alone (dfs_static).
 *
 * Axis coordinates cross this interface in the unit the item's axis
 * conversion mode names (dfsSetItemAxisUnitConversion):
 *   0  as stored, in the axis unit;
 *   1  the user unit of the axis' geometry item type (qty);
 *   2  the conversion unit given with the mode;
 *   3  the first unit of the geometry item type.
 * Converted arrays keep elements equal to the header's delete value.
 *
 * Every function returns a status (0 success) unless a value is named; null
 * items and headers give 1000.
 *
 * Usage:
 *   LPITEM it = dfsItemD(header, 1);
 *   dfsSetItemInfo(header, it, 100000, "Water level", 1000, 1);  // float
 *   dfsSetItemAxisEqD2(it, 1000, 3, 4, 0.f, 0.f, 10.f, 10.f);      // 12 values
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_ITEM_H
#define KFS_DFS_DFS_ITEM_H

#include "kfs/dfs/dfs_types.h"

KFS_EXTERN_C_BEGIN

/* Item n (1-based) of the header; null with 2007 outside 1..number of items. */
KFS_API LPITEM dfsItemD(LPHEAD header, int n);
/* The static item itself (null when null). */
KFS_API LPITEM dfsItemS(LPITEM item);
KFS_API int dfsGetNoOfItems(LPHEAD header); /* 0 on error */

/* Defines an item anew (its axis becomes EqD0 in unit 0): 2020 when the unit
 * is not valid for the item type. */
KFS_API int dfsSetItemInfo(LPHEAD header, LPITEM item, int itemType, const char* name, int unit,
                           int dataType);
/* The same with the unit known only by name (not validated; key 0). Such an
 * item is stored with its unit name (block 30002) and reads back with key
 * -1 and the name. */
KFS_API int dfsSetItemInfo_(LPHEAD header, LPITEM item, int itemType, const char* name,
                            const char* unitText, int dataType);
/* For edits in place: the new name is written over the stored one and padded
 * with blanks to its length (a longer name is cut); 2020 for an invalid
 * unit. */
KFS_API int dfsUpdateItemInfo(LPHEAD header, LPITEM item, int itemType, const char* name, int unit);
/* Out pointers may be null. Names come from the units library; an item
 * stored with a unit name gives that name and the key the library knows for
 * it. */
KFS_API int dfsGetItemInfo(LPITEM item, int* itemType, const char** itemTypeName, const char** name,
                           int* unit, const char** unitName, int* dataType);
KFS_API int dfsGetItemInfo_(LPITEM item, int* itemType, const char** name, const char** unitText,
                            int* dataType);

KFS_API int dfsSetItemValueType(LPITEM item, int valueType);
KFS_API int dfsGetItemValueType(LPITEM item, int* valueType);
/* Unit conversion of data values (modes as for axes, for the item type). */
KFS_API int dfsSetItemUnitConversion(LPITEM item, int mode, int unit);
KFS_API int dfsGetItemUnitConversion(LPITEM item, int* mode, int* unit);
/* Unit conversion of axis coordinates and reference coordinates. */
KFS_API int dfsSetItemAxisUnitConversion(LPITEM item, int mode, int unit);
KFS_API int dfsGetItemAxisUnitConversion(LPITEM item, int* mode, int* unit);

/* Reference coordinates, converted by the axis mode; a null item gives
 * -1e-35 three times. */
KFS_API int dfsSetItemRefCoords(LPITEM item, float x, float y, float z);
KFS_API int dfsGetItemRefCoords(LPITEM item, float* x, float* y, float* z);
/* Orientation angles, stored as given. */
KFS_API int dfsSetItemAxisOrientation(LPITEM item, float alpha, float phi, float theta);
KFS_API int dfsGetItemAxisOrientation(LPITEM item, float* alpha, float* phi, float* theta);

/* Axis setters. For a dynamic item the file type must allow the axis
 * (fixed-space types 1, 4, 8 take the equidistant, non-equidistant and
 * curvilinear axes; varying-space types 2, 16 the time-varying ones),
 * else 2010; sizes must be >= 1, steps > 0 and arrays non-null, else 1000.
 * Static items take any axis. Arrays are copied: NeqD1 holds x, y, z of each
 * point (3 x size floats); NeqD2/NeqD3 size+1 coordinates per direction;
 * CurveLinear (xsize+1)(ysize+1)[(zsize+1)] corner coordinates per
 * direction. */
KFS_API int dfsSetItemAxisEqD0(LPITEM item, int unit);
KFS_API int dfsSetItemAxisEqD1(LPITEM item, int unit, int size, float x0, float dx);
KFS_API int dfsSetItemAxisNeqD1(LPITEM item, int unit, int size, const float* coords);
KFS_API int dfsSetItemAxisTvarD1(LPITEM item, int unit, int size);
KFS_API int dfsSetItemAxisEqD2(LPITEM item, int unit, int xsize, int ysize, float x0, float y0,
                               float dx, float dy);
KFS_API int dfsSetItemAxisNeqD2(LPITEM item, int unit, int xsize, int ysize, const double* x,
                                const double* y);
KFS_API int dfsSetItemAxisCurveLinearD2(LPITEM item, int unit, int xsize, int ysize,
                                        const double* x, const double* y);
KFS_API int dfsSetItemAxisTvarD2(LPITEM item, int unit, int xsize, int ysize);
KFS_API int dfsSetItemAxisEqD3(LPITEM item, int unit, int xsize, int ysize, int zsize, float x0,
                               float y0, float z0, float dx, float dy, float dz);
KFS_API int dfsSetItemAxisNeqD3(LPITEM item, int unit, int xsize, int ysize, int zsize,
                                const double* x, const double* y, const double* z);
KFS_API int dfsSetItemAxisCurveLinearD3(LPITEM item, int unit, int xsize, int ysize, int zsize,
                                        const double* x, const double* y, const double* z);
KFS_API int dfsSetItemAxisTvarD3(LPITEM item, int unit, int xsize, int ysize, int zsize);
KFS_API int dfsSetItemAxisEqD4(LPITEM item, int unit, int xsize, int ysize, int zsize, int tsize,
                               float x0, float y0, float z0, float t0, float dx, float dy, float dz,
                               float dt);

/* Axis getters: unit key and name, then the stored values (converted by the
 * axis mode); all out pointers may be null. 1000 for another axis type.
 * Arrays handed out stay owned by the item and are valid until its axis
 * changes. */
KFS_API int dfsGetItemAxisEqD0(LPITEM item, int* unit, const char** unitName);
KFS_API int dfsGetItemAxisEqD1(LPITEM item, int* unit, const char** unitName, int* size, float* x0,
                               float* dx);
KFS_API int dfsGetItemAxisNeqD1(LPITEM item, int* unit, const char** unitName, int* size,
                                float** coords);
KFS_API int dfsGetItemAxisTvarD1(LPITEM item, int* unit, const char** unitName, int* size);
KFS_API int dfsGetItemAxisEqD2(LPITEM item, int* unit, const char** unitName, int* xsize,
                               int* ysize, float* x0, float* y0, float* dx, float* dy);
KFS_API int dfsGetItemAxisNeqD2(LPITEM item, int* unit, const char** unitName, int* xsize,
                                int* ysize, double** x, double** y);
KFS_API int dfsGetItemAxisCurveLinearD2(LPITEM item, int* unit, const char** unitName, int* xsize,
                                        int* ysize, double** x, double** y);
KFS_API int dfsGetItemAxisTvarD2(LPITEM item, int* unit, const char** unitName, int* xsize,
                                 int* ysize);
KFS_API int dfsGetItemAxisEqD3(LPITEM item, int* unit, const char** unitName, int* xsize,
                               int* ysize, int* zsize, float* x0, float* y0, float* z0, float* dx,
                               float* dy, float* dz);
KFS_API int dfsGetItemAxisNeqD3(LPITEM item, int* unit, const char** unitName, int* xsize,
                                int* ysize, int* zsize, double** x, double** y, double** z);
KFS_API int dfsGetItemAxisCurveLinearD3(LPITEM item, int* unit, const char** unitName, int* xsize,
                                        int* ysize, int* zsize, double** x, double** y, double** z);
KFS_API int dfsGetItemAxisTvarD3(LPITEM item, int* unit, const char** unitName, int* xsize,
                                 int* ysize, int* zsize);
KFS_API int dfsGetItemAxisEqD4(LPITEM item, int* unit, const char** unitName, int* xsize,
                               int* ysize, int* zsize, int* tsize, float* x0, float* y0, float* z0,
                               float* t0, float* dx, float* dy, float* dz, float* dt);

/* Axis facts. Type 0 when unset; dimension -1 and geometry type 999 for an
 * unset or unknown axis; geometry unit 0 for an unset axis. */
KFS_API int dfsGetItemAxisType(LPITEM item);
KFS_API int dfsGetItemDim(LPITEM item);
KFS_API int dfsGetItemGeometryType(LPITEM item);
KFS_API int dfsGetItemGeometryUnit(LPITEM item);

/* Element counts: of the axis; limited by the encode-key length for dynamic
 * items of a compressed file (dfsGetItemElements when compression is also
 * enabled, dfsGetUsedItemElements whenever the file is encoded). Bytes are
 * elements x element size of the data type. 0 on error. */
KFS_API int dfsGetAxisElements(LPITEM item);
KFS_API int dfsGetItemElements(LPITEM item);
KFS_API int dfsGetUsedItemElements(LPITEM item);
KFS_API long long dfsGetItemBytes(LPITEM item);
KFS_API long long dfsGetUsedItemBytes(LPITEM item);
/* Sizes: all three axis directions, the horizontal layer (1 for EqD0 and
 * EqD1; 2010 for NeqD1, TvarD1), and the x direction (1 for EqD0). */
KFS_API int dfsGetItemXYZSize(LPITEM item, int* size);
KFS_API int dfsGetItemXYSize(LPITEM item, int* size);
KFS_API int dfsGetItemXSize(LPITEM item, int* size);

/* Static item numbers (>= 1, else 2007) associated with dynamic item n. */
KFS_API int dfsSetAssocStatic(LPHEAD header, int n, int staticNumber);
/* The index-th (1-based) number; 0 past the end. */
KFS_API int dfsGetAssocStatic(LPHEAD header, int n, int index, int* staticNumber);
KFS_API int dfsGetNoAssocStatic(LPHEAD header, int n); /* 0 on error */
KFS_API int dfsFreeAssocStatic(LPITEM item);

/* Compression by encode keys. */
KFS_API int dfsItemEnableCompression(LPHEAD header);
/* The encode-key length when the header has x and y keys, else 0; also
 * stored in *size (which may be null). */
KFS_API int dfsIsItemCompressed(LPITEM item, int* size);

/* (Re)initialises the statistics of a dynamic item: 9 accumulators per used
 * element for statistics types 2 and 3; 2010 for another type. */
KFS_API int InitItemStats(LPITEM item, int line);

KFS_EXTERN_C_END

#endif
