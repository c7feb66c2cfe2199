/* Data files on disk and in memory streams: the header on disk, opening,
 * creating, flushing, closing and deleting, and the section search.
 *
 * A data file is a container file with the API identifier "DFS_" whose body
 * starts with the header blocks, followed by the static data (block 40000)
 * and the dynamic data (block 50000). The handle's position state says
 * where sequential access is: 1 header, 2 static, 3 dynamic.
 *
 * Every function returns a status (0 success, codes of kfs/container/kfs.h)
 * and reports failures through the wrapper error table (dfs_file_io.h) with the
 * source file and line. Open functions never hand out a file without a
 * header: on failure *header and *file are null and nothing stays open.
 *
 * Usage:
 *   LPHEAD h; kfsHandle f;
 *   if (dfsFileRead("run.dfs", &h, &f) == 0) {
 *     ...
 *     dfsFileClose(h, &f);
 *     dfsHeaderDestroy(&h);
 *   }
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_FILE_H
#define KFS_DFS_DFS_FILE_H

#include <stddef.h>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"

KFS_EXTERN_C_BEGIN

/* Header tags. */
enum dfsTag {
  DFS_TAG_FILE_INFO = 10000,
  DFS_TAG_TIME_AXIS = 20000,
  DFS_TAG_ITEMS = 30000,
  DFS_TAG_STATIC = 40000,
  DFS_TAG_STATIC_DATA = 40001,
  DFS_TAG_DYNAMIC = 50000,
  DFS_TAG_TIME_STEP = 50001,
  DFS_TAG_CUSTOM = 60000
};

/* Writes the header blocks; first checks that the header can be written at
 * all (2010: geographic information or time axis or axis type without a
 * stored form; 2020: a unit not valid for its item type), so that a failed
 * write leaves nothing behind. Copies the float and double delete values
 * into the handle. */
KFS_API int dfsWriteHeader(LPHEAD header, kfsHandle file);
/* Reads the header blocks up to the static (40000) or dynamic (50000) data,
 * which is left unread. Null with *status on failure. */
KFS_API LPHEAD dfsReadHeader(kfsHandle file, int* status);
/* Rewrites the header blocks of an open, writable disk file in place from
 * the in-memory header (numbers of time steps, statistics, titles, ...).
 * Unless forced, does nothing while less than a second of processor time
 * has passed since the last update. 2015 for a read-only handle, 2005 for a
 * memory stream (left untouched). Texts keep their stored length; a
 * projection text longer than the stored one is not written (it would be
 * cut to unreadable well-known text): the rest is updated and 2010 returned. */
KFS_API int dfsUpdateHeader(LPHEAD header, int force, kfsHandle file);
/* The same for the time-axis block only. */
KFS_API int dfsUpdateHeaderTime(LPHEAD header, int force, kfsHandle file);
/* Encode keys stored as the first static items: read into the header or
 * stepped over. */
KFS_API int dfsReadEncodeKeys(LPHEAD header, kfsHandle file);
KFS_API int dfsSkipEncodeKeys(LPHEAD header, kfsHandle file);

/* Opening. 2003 for an empty or missing path. */
KFS_API int dfsFileRead(const char* path, LPHEAD* header, kfsHandle* file);
/* The same over a memory stream. A stream cannot go back: in an encoded file
 * with fewer than three keys, the static item behind the keys has been read
 * to tell that it is none, and is passed over. */
KFS_API int dfsStreamRead(void* buffer, size_t capacity, kfsStreamRefill refill, LPHEAD* header,
                          kfsHandle* file);
KFS_API int dfsFileEdit(const char* path, LPHEAD* header, kfsHandle* file);
/* Opens for edit at the end of the file so that written time steps continue
 * the series (2006 when the end cannot be reached). */
KFS_API int dfsFileAppend(const char* path, LPHEAD* header, kfsHandle* file);

/* Creating: makes the folder, writes the header (and the encode keys as
 * static items). 2002 for an empty path, 2003 when the file cannot be
 * created. The header stays the caller's. */
KFS_API int dfsFileCreate(const char* path, LPHEAD header, kfsHandle* file);
KFS_API int dfsFileCreateEx(const char* path, LPHEAD header, kfsHandle* file, int update);
KFS_API int dfsStreamCreate(void* buffer, size_t capacity, kfsStreamDrain drain, LPHEAD header,
                            kfsHandle* file);

/* Brings the header on disk up to date: forced while fewer than two steps
 * are written and the writer is at a step boundary, else at most once a
 * second. */
KFS_API int dfsFileFlush(LPHEAD header, kfsHandle file);
KFS_API int dfsFileFlushTimeStep(LPHEAD header, kfsHandle file);
/* Closes the file. A writable disk file gets its header brought up to date
 * first; when that fails the code is returned and the file stays open, so the
 * caller can fix the cause and close again (or close with FCloseFile). A
 * file closed before its dynamic data began gets the empty dynamic section,
 * so that it reads back with no time steps. *file is null after success. */
KFS_API int dfsFileClose(LPHEAD header, kfsHandle* file);
/* Removes a file: 1000 for an empty or missing path. */
KFS_API int dfsFileDelete(const char* path);

/* Section search: moves to just behind the block with the tag, passing the
 * section markers 40000 and 50000 (and rewinding when the wanted section
 * lies behind). Stops early when a later section begins. Returns the
 * handle's status. */
KFS_API int dfsFindBlock(kfsHandle file, int tag);

/* Accepted and ignored: no reader plug-ins exist on this platform. */
KFS_API int dfsEnablePlugin(void);
KFS_API int dfsUnloadPlugin(void);
/* 0: paths are never taken for folders here. */
KFS_API int PathIsDirectory(const char* path);

KFS_EXTERN_C_END

#endif
