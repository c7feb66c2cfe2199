/* path_util.h - small path and folder helpers.
 * Callable from C. */
#ifndef KFS_UTIL_PATH_UTIL_H
#define KFS_UTIL_PATH_UTIL_H

#include <sys/types.h>

#include "kfs/kfs_api.h"

KFS_EXTERN_C_BEGIN

/* A newly allocated copy of path (free with free()); no expansion is done on
 * this platform. Null for a null path or when memory runs out. */
KFS_API char* kvExpandedFileName(const char* path);
/* Creates every missing directory along path, then path itself, with mode
 * (less the process umask). 0 when path exists as a directory at the end,
 * else -1 with errno set. */
KFS_API int mkpath(const char* path, mode_t mode);
/* Creates the folder of a file path (its dirname), or the whole path when it
 * ends with '/', with mode 0770 and the process file-creation mask cleared.
 * 1 on success or when it exists; else prints
 * "Error no: %d - unable to mkdir; %s\n" on standard output, through the
 * diagnostics sink (base/kora_diagnostics.h), and returns 0. */
KFS_API int KvCreateFolder(const char* path);
/* No project bookkeeping on this platform: -1. */
KFS_API int KvProject_AddFile(const char* name);
/* No shortcuts on this platform: 0. */
KFS_API int KvShortCut_IsShortcut(const char* path);
/* Does nothing on this platform. */
KFS_API void KvShortCut_ResolveShortcut(const char* shortcut, char* target, int size);

KFS_EXTERN_C_END

#endif
