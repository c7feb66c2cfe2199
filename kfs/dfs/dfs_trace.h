/* dfs_trace.h - the two trace switches of the data-file interface: one for
 * the data-file functions (dfs*), one for the file I/O wrappers (F*). Both
 * start off. The trace itself and its line limit are the container's
 * (kfs/container/call_trace.h); when it meets the limit, or is reset, both
 * switches read as off until they are switched on again.
 *
 * Callable from C. */
#ifndef KFS_DFS_DFS_TRACE_H
#define KFS_DFS_DFS_TRACE_H

#include "kfs/kfs_api.h"

KFS_EXTERN_C_BEGIN

/* The wrapper-layer switch: stores flag != 0 and returns it. */
KFS_API int DebugFileIO(int flag);
KFS_API int DebugFileIOIsOn(void);
/* The data-file layer switch; returns the new state. */
KFS_API int dfsDebugOn(int flag);
KFS_API int dfsDebugIsOn(void);

KFS_EXTERN_C_END

#endif
