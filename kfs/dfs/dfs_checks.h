/* Argument and I/O checks of the data-file interface. Each reports a failure
 * through the wrapper error table (dfs_file_io.h) with the caller's source file
 * and line, and returns the code (0 when the check passes).
 *
 * Usable from C. */
#ifndef KFS_DFS_DFS_CHECKS_H
#define KFS_DFS_DFS_CHECKS_H

#include <stddef.h>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"

KFS_EXTERN_C_BEGIN

/* 1000 when the pointer is null. */
KFS_API int dfsCheckHeader(LPHEAD header, const char* source, int line);
KFS_API int dfsCheckFile(kfsHandle file, const char* source, int line);
KFS_API int dfsCheckItem(LPITEM item, const char* source, int line);
KFS_API int dfsCheckVector(const void* vector, const char* source, int line);
KFS_API int dfsCheckCustomBlock(const dfsCustomBlock* block, const char* source, int line);
/* 1000 when either pointer is null. */
KFS_API int dfsCheckHeaderFile(LPHEAD header, kfsHandle file, const char* source, int line);
KFS_API int dfsCheckVectorFile(const void* vector, kfsHandle file, const char* source, int line);
/* 1000 for a null header (or file), 2007 when n is outside 1..items. */
KFS_API int dfsCheckHeaderItemNo(LPHEAD header, int n, const char* source, int line);
KFS_API int dfsCheckHeaderFileItemNo(LPHEAD header, kfsHandle file, int n, const char* source,
                                     int line);

/* Reads the next logical block into *block (free with kfsLblockFree): 2001
 * when there is none, 2009 when its first record has another type, 2013
 * when its count differs from a non-zero expected count. */
KFS_API int dfsCheckReadTypeSize(kfsHandle file, int type, unsigned int count, kfsLblock* block,
                                 const char* source, int line);
/* The same check on a node of a block already read (2001 for a null node). */
KFS_API int dfsCheckTypeSize(kfsLblock node, int type, unsigned int count, const char* source,
                             int line);

/* Container operations with their status reported. */
KFS_API int dfsCheckWriteLB(kfsHandle file, unsigned int id, kfsLblock block, const char* source,
                            int line);
/* Reads a block into *block and its id into *id (may be null). */
KFS_API int dfsCheckReadLB(kfsHandle file, kfsLblock* block, int* id, const char* source, int line);
KFS_API int dfsCheckWriteLR(kfsHandle file, int type, unsigned int count, const void* data,
                            const char* source, int line);
KFS_API int dfsCheckReadLR(kfsHandle file, int type, unsigned int count, void* data,
                           const char* source, int line);
/* Skips one record: 2019 when the next item is not a record. */
KFS_API int dfsCheckSkipLR(kfsHandle file, const char* source, int line);
/* Pseudo-seeks over a record of that type and count (5 + count x size). */
KFS_API int dfsCheckPseudoSkipLR(int type, unsigned int count, kfsHandle file, const char* source,
                                 int line);
/* Pseudo-seeks over a time-step tag: 4 bytes when equidistant, else 17. */
KFS_API int dfsCheckPseudoSkipTimeStepTag(kfsHandle file, int equidistant, const char* source,
                                          int line);
/* Zero-filled allocation into *pointer (free with free()); 2000 on failure. */
KFS_API int dfsCheckMallocZ(void** pointer, size_t size, const char* source, int line);

KFS_EXTERN_C_END

#endif
