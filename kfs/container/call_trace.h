/* call_trace.h - a process-wide, switchable trace of nested calls, indented
 * by nesting depth, each line handed to the diagnostics sink
 * (base/kora_diagnostics.h: standard output unless the host installed
 * another):
 *
 *   ->{dfsFileRead <a.dfs>          DebugEnter("dfsFileRead <%s>", path)
 *     FOpenFileRead <a.dfs>         DebugPrint(...)
 *   <-}dfsFileRead [0]              DebugExit("[%d]", status)
 *
 * Traced code checks its switch before calling; the switches belong to the
 * layers that trace (kfs/dfs/dfs_trace.h). After 5001 lines the trace prints "Maximum number of lines
 * exceeded. Bye bye" once and switches itself off; the host carries on.
 * Switching a flag on again starts a new trace: a new count, at the
 * outermost level with an empty name stack.
 *
 * Unguarded process-wide state: for single-threaded diagnosis. Callable from C. */
#ifndef KFS_CONTAINER_CALL_TRACE_H
#define KFS_CONTAINER_CALL_TRACE_H

#include "kfs/kfs_api.h"

KFS_EXTERN_C_BEGIN

#if defined(__GNUC__) || defined(__clang__)
#define KFS_PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))
#else
#define KFS_PRINTF_LIKE(f, a)
#endif

/* Lines past this count end the trace. */
#define DEBUG_TRACE_MAX_LINES 5001

/* indentation "->{" text; pushes the function name (the text up to its
 * first character that is not a letter, digit or '_'); indents by 2. */
KFS_API void DebugEnter(const char* format, ...) KFS_PRINTF_LIKE(1, 2);
/* unindents by 2 (not below 0); indentation "<-}" popped-name " " text;
 * "???" for the name when nothing was pushed. */
KFS_API void DebugExit(const char* format, ...) KFS_PRINTF_LIKE(1, 2);
/* indentation text */
KFS_API void DebugPrint(const char* format, ...) KFS_PRINTF_LIKE(1, 2);
/* indentation "-><-" text */
KFS_API void DebugEnterExit(const char* format, ...) KFS_PRINTF_LIKE(1, 2);
KFS_API void DebugEnterStr(const char* text);
KFS_API void DebugExitStr(const char* text);
KFS_API void DebugPrintStr(const char* text);
KFS_API void DebugEnterExitStr(const char* text);

/* Pushes the name of text as DebugEnter does, prints nothing; returns the
 * new depth. Names beyond 100 levels or 5008 bytes are not kept: their pops
 * give "???". */
KFS_API int PutFunctionName(const char* text);
/* Pops the top name; "???" when the stack is empty. Valid until the next push. */
KFS_API const char* GetFunctionName(void);
/* n blanks; nothing for n <= 0. */
KFS_API void printnblank(int n);

/* Back to the start state: no indentation, empty stack, no lines counted,
 * every switch off. */
KFS_API void DebugTraceReset(void);

KFS_EXTERN_C_END

#endif
