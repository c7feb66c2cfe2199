/* dtx*: a data-file header (kfs/dfs) over the older catalogue family.
 *
 * The data-file interface would hand a path to these functions when
 * dtxIsDtxFile recognised it; on this platform it never does, so they are
 * reached only when a program calls them itself. A "dtx file" is a data set
 * of the catalogue family (catalogue.h, tx_file.h) opened as a catRecord:
 *
 *   data-file header                 catalogue
 *   file title                       title (56 characters)
 *   float delete value               delete value
 *   file type 1, equidistant axis    (the only layout the family has)
 *   relative axis, unit second       time: start, interval in "sec"
 *   calendar axis, unit second       start date (day number) and start time
 *                                    of day; start offset and interval
 *   number of time steps             time: number of sets - 1
 *   item n: name, float values       item n: description (20 characters)
 *   item axis EqD0..EqD4, the same   N = 0..4 spatial axes: size, origin
 *   for every item                   (physical start) and step (interval)
 *
 * Read from a catalogue, items get item type 999, an empty unit text and
 * axis unit 0; time units "sec", "min", "hour", "day" (and their usual
 * spellings) become seconds. Written from a header, every item must hold
 * floats on one common equidistant axis, at most 17 items, and the time
 * axis must be equidistant in seconds (unit 1400); anything else is 2010.
 * The family has no static items and no tagged blocks. The layout is
 * documented in docs/older-formats.md.
 *
 * Status results are those of the data-file interface: 0, 1000 (null
 * argument or nothing open), 2001 (read failed or no more data), 2002
 * (write failed), 2003 (cannot open), 2010 (header and family do not
 * match), 2014 (catalogue not in the expected form), 2018 (not supported).
 *
 * Usable from C. */
#ifndef KFS_LEGACY_DTX_FILE_H
#define KFS_LEGACY_DTX_FILE_H

#include "kfs/dfs/dfs_types.h"
#include "kfs/kfs_api.h"
#include "kfs/legacy/catalogue.h"

KFS_EXTERN_C_BEGIN

/* Always 0: no path is taken for this family on this platform. */
KFS_API int dtxIsDtxFile(const char* path);

/* Opens "<prefix><name>.ctN" or ".dtN" (the digit gives N) for reading and
 * makes its header. *header and *file are null on failure. */
KFS_API int dtxReadHeader(const char* path, LPHEAD* header, catRecord** file);
/* Creates the catalogue and data file of a header at path (an extension
 * .ctN/.dtN, when given, must name the header's number of axes) and opens
 * the data file for writing. */
KFS_API int dtxWriteHeader(const char* path, LPHEAD header, catRecord** file);

/* The family holds no static items: no item, status 0 / 2018. */
KFS_API LPITEM dtxStaticRead(catRecord* file, int* status);
KFS_API int dtxStaticWrite(LPITEM item, catRecord* file, const void* data);

/* Reads the next item of the current step (floats; a null data skips it)
 * and gives the time of its step in seconds from the start (relative axes:
 * from time 0). */
KFS_API int dtxReadItem(LPHEAD header, catRecord* file, double* time, void* data);
/* Writes the next item (floats). */
KFS_API int dtxWriteItem(LPHEAD header, catRecord* file, const void* data);
/* Skips the rest of the current step (a whole step at a step boundary);
 * 2001 when the next step lies beyond any file offset. */
KFS_API int dtxSkipTimestep(LPHEAD header, catRecord* file);
/* No tagged blocks: always 2001. */
KFS_API int dtxFindBlock(catRecord* file, int tag);
/* Positions before item (1-based) of step (0-based): 1001 for a step
 * outside the steps of a file being read (below 0 for one being written),
 * 1002 for an item outside 1..number of items. */
KFS_API int dtxFindItemDynamic(LPHEAD header, catRecord* file, int step, int item);
/* Written data: statistics and catalogue brought up to date, data flushed. */
KFS_API int dtxFileFlush(LPHEAD header, catRecord* file);
/* Brings statistics, number of steps and catalogue up to date for a file
 * written or updated, closes it, releases the record and nulls *file. */
KFS_API int dtxFileClose(LPHEAD header, catRecord** file);
/* dfsHeaderDestroy. */
KFS_API int dtxFreeHeader(LPHEAD* header);
/* Values of the next item in *count (all items have the record length). */
KFS_API int dtxGetNoUsedItemElements(LPHEAD header, catRecord* file, int* count, int line);
/* 0 read, 1 write, 2 update; -1 when not open. */
KFS_API int dtxIoMode(catRecord* file);

KFS_EXTERN_C_END

#endif
