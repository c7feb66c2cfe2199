/* The in-memory header of a data file: creation, defaults, titles, delete
 * values, geographic information, encode keys and custom blocks.
 *
 * Every function returns a status (0 success; codes of kfs/container) unless
 * a value is named. A null header is reported as 1000 through the wrapper
 * error table and the getter returns the neutral value documented beside it.
 * Texts handed in are copied; texts handed out stay owned by the header and
 * are valid until it changes them or is destroyed.
 *
 * Usage:
 *   LPHEAD h = NULL;
 *   if (dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "run 12", "model", 1,
 *                       2, F_NO_STAT, &h) == 0) {
 *     dfsSetDeleteValFloat(h, -9999.0f);
 *     ...
 *     dfsHeaderDestroy(&h);
 *   }
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_HEADER_H
#define KFS_DFS_DFS_HEADER_H

#include "kfs/dfs/dfs_types.h"

KFS_EXTERN_C_BEGIN

/* Names of file types ("*** FileType error ***" for other values) and time
 * axes ("*** TimeAxis error ***" above 4). */
KFS_API const char* dfsFileTypeStr(int fileType);
KFS_API const char* dfsTimeAxisTypeStr(int timeAxisType);

/* A new header with nItems initialised items. 2010 when nItems < 1 or
 * statsType is outside 1..3, 2000 when memory runs out; *header is then
 * null. */
KFS_API int dfsHeaderCreate(int fileType, const char* fileTitle, const char* appTitle,
                            int appVersion, int nItems, int statsType, LPHEAD* header);
/* Sets the defaults: empty titles, default delete values, undefined
 * geographic information and time axis, modify-times 1. Does not free what
 * the header held: use on a zeroed header. */
KFS_API int dfsInitHeader(LPHEAD header);
/* Frees the header and everything it owns; nulls *header (also when null). */
KFS_API int dfsHeaderDestroy(LPHEAD* header);

KFS_API int dfsGetFileType(LPHEAD header);          /* 0 on error */
KFS_API int dfsGetItemStatsType(LPHEAD header);     /* 0 on error */
KFS_API const char* dfsGetFileTitle(LPHEAD header); /* "" on error */
KFS_API int dfsSetFileTitle(LPHEAD header, const char* title);
KFS_API const char* dfsGetAppTitle(LPHEAD header); /* "" on error */
KFS_API int dfsSetAppTitle(LPHEAD header, const char* title);
KFS_API int dfsGetAppVersionNo(LPHEAD header); /* -1 on error */
KFS_API int dfsSetAppVersionNo(LPHEAD header, int version);
KFS_API int dfsGetDataType(LPHEAD header); /* 0 on error */
KFS_API int dfsSetDataType(LPHEAD header, int dataType);

/* Delete values; getters give 0 on error. */
KFS_API float dfsGetDeleteValFloat(LPHEAD header);
KFS_API int dfsSetDeleteValFloat(LPHEAD header, float value);
KFS_API double dfsGetDeleteValDouble(LPHEAD header);
KFS_API int dfsSetDeleteValDouble(LPHEAD header, double value);
KFS_API unsigned char dfsGetDeleteValByte(LPHEAD header);
KFS_API int dfsSetDeleteValByte(LPHEAD header, unsigned char value);
KFS_API int dfsGetDeleteValInt(LPHEAD header);
KFS_API int dfsSetDeleteValInt(LPHEAD header, int value);
KFS_API unsigned int dfsGetDeleteValUnsignedInt(LPHEAD header);
KFS_API int dfsSetDeleteValUnsignedInt(LPHEAD header, unsigned int value);

/* Geographic information: a projection text (stored unread) with the origin
 * longitude, latitude and the orientation of the model grid. */
KFS_API int dfsGetGeoInfoType(LPHEAD header); /* 0 on error */
KFS_API int dfsSetGeoInfoUTMProj(LPHEAD header, const char* projection, double longitude,
                                 double latitude, double orientation);
/* Out pointers may be null. 1000 when undefined, 2010 for another type. */
KFS_API int dfsGetGeoInfoUTMProj(LPHEAD header, const char** projection, double* longitude,
                                 double* latitude, double* orientation);
/* For edits in place: the new text must not be longer than the stored one;
 * it is padded with blanks to the stored length so the header keeps its size
 * on disk. 2010 when the type is not 1 or the text is longer. */
KFS_API int dfsUpdateGeoInfoUTMProj(LPHEAD header, const char* projection, double longitude,
                                    double latitude, double orientation);
KFS_API int dfsSetGeoInfoUndefined(LPHEAD header);

/* Encode keys of a compressed file: copies of the given arrays (a null array
 * stays absent), each of n values; sets the encoding flag. 2010 for n < 1
 * or when all three arrays are null. */
KFS_API int dfsSetEncodeKey(LPHEAD header, const int* xkey, const int* ykey, const int* zkey,
                            int n);
/* Copies the stored keys into the given arrays (each may be null). */
KFS_API int dfsGetEncodeKey(LPHEAD header, int* xkey, int* ykey, int* zkey);
KFS_API int dfsIsFileCompressed(LPHEAD header); /* the encoding flag */
KFS_API int dfsGetEncodeKeySize(LPHEAD header); /* nRecordSize */

KFS_API int dfsGetVersionCurrent(void); /* 206 */
/* 1 (default): calendar getters fold the start offset into the start date and
 * time, and readers give times relative to the axis start. */
KFS_API int dfsParamModifyTimes(LPHEAD header, int value);

/* Element size of a simple type 1..7, else 0; and its name. */
KFS_API int dfsSimpSize(int type);
KFS_API const char* dfsSimpleTypeStr(int type);

/* Custom blocks: named arrays of one simple type kept with the header. The
 * data is copied. 2009 for a type outside 1..7 or a count below 1. */
KFS_API int dfsAddCustomBlock(LPHEAD header, int type, const char* name, int count,
                              const void* data);
KFS_API int dfsGetCustomBlockRef(LPHEAD header, dfsCustomBlock** first);
/* Contents of an entry and the next one (null after the last); out pointers
 * may be null. */
KFS_API int dfsGetCustomBlock(dfsCustomBlock* entry, int* type, const char** name, int* count,
                              void** data, dfsCustomBlock** next);

KFS_EXTERN_C_END

#endif
