/* dfs_file_io.h - the file I/O wrapper layer through which the data-file
 * interface (dfs*) uses the container: opens with the data-file identifier,
 * traces itself when DebugFileIO is on, and reports failures through a
 * second callback table whose functions also receive the header and file.
 *
 * Callable from C. */
#ifndef KFS_DFS_DFS_FILE_IO_H
#define KFS_DFS_DFS_FILE_IO_H

#include "kfs/container/kfs.h"

KFS_EXTERN_C_BEGIN

/* The data-file interface's identity: returns 0x5F534644 ("DFS_" on disk)
 * and stores application version 206. */
#define DFS_API_ID 0x5F534644U
#define DFS_APP_VERSION 206U
KFS_API unsigned int dfsAPIid(unsigned int* appVersion);

/* Wrapper-table callback: (header or null, file or null, extra or null,
 * code, source file name, line). `header` is the data-file header (LPHEAD). */
typedef void (*FErrorCallback)(void* header, kfsHandle file, void* extra, unsigned int code,
                               const char* source, int line);

/* Calls the wrapper-table slot of code (if any) and returns code. */
KFS_API unsigned int FErrorHandler(void* header, kfsHandle file, void* extra, unsigned int code,
                                   const char* source, int line);
/* The process-wide wrapper table, KFS_CALLBACK_SLOTS entries, slots as
 * kfsCallbackSlot gives them. */
KFS_API FErrorCallback* FGetCallbacks(void);
KFS_API void FResetCallbacks(void);
/* Installs fn for 1000 or 2000..2020; other codes are ignored. */
KFS_API void dfsAddErrorHandler(unsigned int code, FErrorCallback fn);
/* Clears every slot of the wrapper table. */
KFS_API void dfsAddCommonErrorHandler(void);
/* Resets the wrapper table. */
KFS_API void dfsInitSystem(void);

/* Opens. On success the data-file position state of the handle is 1. The
 * status of a failed open goes to *status (may be null) and to the wrapper
 * table; the create functions report only through the table. */
KFS_API kfsHandle FOpenFileRead(const char* path, unsigned int* status);
KFS_API kfsHandle FOpenStreamRead(void* buffer, size_t capacity, kfsStreamRefill refill,
                                  unsigned int* status);
/* Application text "FOpenFileCreate"; mode "wb+" when update is non-zero. */
KFS_API kfsHandle FOpenFileCreate(const char* path, int update);
/* Application text "FOpenStreamCreate"; flag is accepted and ignored. */
KFS_API kfsHandle FOpenStreamCreate(void* buffer, size_t capacity, kfsStreamDrain drain, int flag);
KFS_API kfsHandle FOpenFileEdit(const char* path, unsigned int* status);
/* kfsFileClose; nulls *file. */
KFS_API unsigned int FCloseFile(kfsHandle* file);

/* The block id when the next item is a block start, else 0. */
KFS_API int FQueryLogicalBlock(kfsHandle file);
/* kfsLblockRead; a failure (status other than 0 and end of file) is reported
 * through the wrapper table. Returns the block (may be partial, or null). */
KFS_API kfsLblock FReadLogicalBlock(kfsHandle file);
KFS_API unsigned int FSkipLogicalBlock(kfsHandle file);
/* A new one-node block owning a copy of data; null (2010 reported) on failure. */
KFS_API kfsLblock FCreateLogicalBlock(kfsSimpleType type, unsigned int count, const void* data);
/* Appends a node owning a copy of data; 0, or 2010. */
KFS_API unsigned int FAppendToLogicalBlock(kfsSimpleType type, unsigned int count, const void* data,
                                           kfsLblock block);
/* kfsLblockFree; nulls *block; returns 0. */
KFS_API unsigned int FFreeLogicalBlock(kfsLblock* block);

KFS_EXTERN_C_END

#endif
