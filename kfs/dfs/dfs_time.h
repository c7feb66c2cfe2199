/* The time axis of a data file.
 *
 * Relative axes count time in a unit (an item-unit key of the units library;
 * 1400 is the second) from a start time; calendar axes start at a date and a
 * time of day plus an offset in the unit. Equidistant axes have a step,
 * non-equidistant ones a span that the writer extends. Equidistant axes
 * belong to the file types 1 and 2, non-equidistant ones to 4, 8 and 16.
 *
 * Every function returns a status (0 success) unless a value is named; a
 * null header gives 1000. Texts handed out stay owned by the header.
 *
 * Usage:
 *   dfsSetEqCalendarAxis(h, "2004-01-01", "00:00:00", 1400, 0, 0.0, 3600.0);
 *   const char *date, *time; double offset, step; int n;
 *   dfsGetEqCalendarAxis(h, &date, &time, NULL, NULL, &offset, &step, &n, NULL);
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_TIME_H
#define KFS_DFS_DFS_TIME_H

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"

KFS_EXTERN_C_BEGIN

KFS_API int dfsGetTimeAxisType(LPHEAD header); /* 0 when null */

/* Setters: 1000 when the axis does not match the equidistance of the file
 * type, 2010 for an undefined or unknown file type; 1000 for a step <= 0;
 * 2011 and 2012 for date and time texts of the wrong shape. */
KFS_API int dfsSetEqTimeAxis(LPHEAD header, int unit, int startIndex, double start, double step);
KFS_API int dfsSetNeqTimeAxis(LPHEAD header, int unit, int startIndex);
KFS_API int dfsSetEqCalendarAxis(LPHEAD header, const char* date, const char* time, int unit,
                                 int startIndex, double startOffset, double step);
KFS_API int dfsSetNeqCalendarAxis(LPHEAD header, const char* date, const char* time, int unit,
                                  int startIndex);
/* Stored for axis types 1 to 4, ignored otherwise. */
KFS_API int dfsSetNumberOfTimeSteps(LPHEAD header, int n);
/* Type 1: start time; 2: start time and span; 3: start offset; 4: start
 * offset and span. */
KFS_API int dfsSetTimeStartEnd(LPHEAD header, double start, double span);

/* Getters: out pointers may be null; 1000 for another axis type. The unit
 * text is the registry's name of the unit, else the name an older file
 * stored (then *unit is the key the registry knows for it), else "". */
KFS_API int dfsGetEqTimeAxis(LPHEAD header, int* unit, const char** unitText, double* start,
                             double* step, int* nSteps, int* startIndex);
KFS_API int dfsGetNeqTimeAxis(LPHEAD header, int* unit, const char** unitText, double* start,
                              double* span, int* nSteps, int* startIndex);
/* With the modify-times parameter set (default) a non-zero start offset is
 * folded into the date and time handed out, and the offset given as 0. */
KFS_API int dfsGetEqCalendarAxis(LPHEAD header, const char** date, const char** time, int* unit,
                                 const char** unitText, double* startOffset, double* step,
                                 int* nSteps, int* startIndex);
KFS_API int dfsGetNeqCalendarAxis(LPHEAD header, const char** date, const char** time, int* unit,
                                  const char** unitText, double* startOffset, double* span,
                                  int* nSteps, int* startIndex);

/* Shape checks only: "yyyy-mm-dd" (0 or 2011) and "hh:mm:ss" (0 or 2012). */
KFS_API int dfsVerifyDateFormat(const char* date);
KFS_API int dfsVerifyTimeFormat(const char* time);

/* Number of steps, seconds per axis unit (times the step for equidistant
 * axes) and the equidistance flag; 0, or -1 for a null header or an
 * undefined axis (with 0, 1.0, 0). */
KFS_API int dfsGetTimeAxisInfo(LPHEAD header, int* nSteps, double* factor, int* equidistant);

/* Total span of the axis in its unit: steps x step for equidistant axes, the
 * stored span (last time minus start) for the others; -1e-255 when
 * unknown. */
KFS_API int _dfsGetTimeAxisSpan(LPHEAD header, kfsHandle file, double* span);

KFS_EXTERN_C_END

#endif
