// The call trace: indented entry, exit and message lines on standard output,
// with a stack of traced function names.
#include "kfs/container/call_trace.h"

#include "kfs/container/kfs_access.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxNames = 100;
constexpr int kNameBufferSize = 5008;
const char kUnknownName[] = "???";

struct TraceState {
  int indent = 0;
  int lines = 0;
  bool exhausted = false;  // the line limit was met; silent until switched on again
  char names[kNameBufferSize] = {};
  int nameEnd[kMaxNames] = {};  // offset behind each kept name's terminating zero
  int depth = 0;                // names kept
  int lost = 0;                 // names pushed beyond the limits, not kept
};

TraceState g_trace;
// Counts the runs of the trace that ended (line limit met, or reset); the
// switches of the layers above hold the run they were switched on in.
unsigned int g_endedRuns = 0;

// Counts a line about to be printed. A long-running model with the trace on
// would fill any disk, so the trace stops itself after the limit - but only
// itself: ending the process here would leave the host's files corrupt.
bool TakeLine() {
  if (g_trace.exhausted) return false;
  if (g_trace.lines >= DEBUG_TRACE_MAX_LINES) {
    std::fputs("Maximum number of lines exceeded. Bye bye\n", stdout);
    std::fflush(stdout);
    g_trace.exhausted = true;
    ++g_endedRuns;
    return false;
  }
  ++g_trace.lines;
  return true;
}

// Starts a line: indentation, marker and the name with its blank. False
// when the line is not to be printed.
bool BeginLine(const char* marker, const char* name) {
  if (!TakeLine()) return false;
  printnblank(g_trace.indent);
  std::fputs(marker, stdout);
  if (name) {
    std::fputs(name, stdout);
    std::fputc(' ', stdout);
  }
  return true;
}

void PrintLine(const char* marker, const char* name, const char* format, va_list args) {
  if (!BeginLine(marker, name)) return;
  if (format) std::vfprintf(stdout, format, args);
  std::fputc('\n', stdout);
}

void PrintText(const char* marker, const char* name, const char* text) {
  if (!BeginLine(marker, name)) return;
  if (text) std::fputs(text, stdout);
  std::fputc('\n', stdout);
}

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void Unindent() {
  g_trace.indent -= 2;
  if (g_trace.indent < 0) g_trace.indent = 0;
}

}  // namespace

extern "C" {

KFS_API void printnblank(int n) {
  for (int i = 0; i < n; ++i) std::fputc(' ', stdout);
}

KFS_API int PutFunctionName(const char* text) {
  if (!text) text = "";
  size_t length = 0;
  while (IsNameCharacter(text[length])) ++length;
  int start = g_trace.depth > 0 ? g_trace.nameEnd[g_trace.depth - 1] : 0;
  if (g_trace.lost > 0 || g_trace.depth >= kMaxNames ||
      static_cast<size_t>(start) + length + 1 > static_cast<size_t>(kNameBufferSize)) {
    ++g_trace.lost;
  } else {
    std::memcpy(g_trace.names + start, text, length);
    g_trace.names[start + length] = '\0';
    g_trace.nameEnd[g_trace.depth++] = start + static_cast<int>(length) + 1;
  }
  return g_trace.depth + g_trace.lost;
}

KFS_API const char* GetFunctionName(void) {
  if (g_trace.lost > 0) {
    --g_trace.lost;
    return kUnknownName;
  }
  if (g_trace.depth == 0) return kUnknownName;
  --g_trace.depth;
  return g_trace.names + (g_trace.depth > 0 ? g_trace.nameEnd[g_trace.depth - 1] : 0);
}

KFS_API void DebugEnter(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PrintLine("->{", nullptr, format, args);
  va_end(args);
  PutFunctionName(format);
  g_trace.indent += 2;
}

KFS_API void DebugExit(const char* format, ...) {
  Unindent();
  const char* name = GetFunctionName();
  va_list args;
  va_start(args, format);
  PrintLine("<-}", name, format, args);
  va_end(args);
}

KFS_API void DebugPrint(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PrintLine("", nullptr, format, args);
  va_end(args);
}

KFS_API void DebugEnterExit(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PrintLine("-><-", nullptr, format, args);
  va_end(args);
}

KFS_API void DebugEnterStr(const char* text) {
  PrintText("->{", nullptr, text);
  PutFunctionName(text);
  g_trace.indent += 2;
}

KFS_API void DebugExitStr(const char* text) {
  Unindent();
  PrintText("<-}", GetFunctionName(), text);
}

KFS_API void DebugPrintStr(const char* text) { PrintText("", nullptr, text); }

KFS_API void DebugEnterExitStr(const char* text) { PrintText("-><-", nullptr, text); }

KFS_API void DebugTraceReset(void) {
  g_trace = TraceState();
  ++g_endedRuns;
}

}  // extern "C"

namespace kfs {

unsigned int TraceRun() { return g_endedRuns; }

// Switching on a trace that stopped itself starts a new one: a new line
// count, and no indentation or names left by the calls that were open at
// the limit, whose exits were never traced.
void ResumeTrace() {
  if (g_trace.exhausted) g_trace = TraceState();
}

}  // namespace kfs
