// The call trace: indented entry, exit and message lines, handed line by
// line to the process's diagnostics sink (standard output unless the host
// installed another), with a stack of traced function names.
#include "kfs/container/call_trace.h"

#include "kfs/container/kfs_access.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "base/kora_diagnostics.h"

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
    koraDiagnostic(koraDiagTrace, "Maximum number of lines exceeded. Bye bye\n");
    g_trace.exhausted = true;
    ++g_endedRuns;
    return false;
  }
  ++g_trace.lines;
  return true;
}

// The caller's text of a trace line, formatted on the stack or, when longer,
// in a buffer of its own. Cannot throw: the trace functions have C linkage.
class CTraceText {
 public:
  CTraceText(const char* format, va_list args) {
    va_list again;
    va_copy(again, args);
    const int needed = std::vsnprintf(m_local, sizeof m_local, format, args);
    if (needed < 0) m_local[0] = '\0';
    if (needed >= static_cast<int>(sizeof m_local)) {
      m_heap = static_cast<char*>(std::malloc(static_cast<size_t>(needed) + 1));
      if (m_heap) std::vsnprintf(m_heap, static_cast<size_t>(needed) + 1, format, again);
    }
    va_end(again);
  }
  ~CTraceText() { std::free(m_heap); }
  CTraceText(const CTraceText&) = delete;
  CTraceText& operator=(const CTraceText&) = delete;

  const char* Get() const { return m_heap ? m_heap : m_local; }

 private:
  char m_local[512];
  char* m_heap = nullptr;
};

// One whole line to the sink: indentation, marker, the name with its blank
// when there is one, the text and the line end.
void PrintText(const char* marker, const char* name, const char* text) {
  if (!TakeLine()) return;
  koraDiagnostic(koraDiagTrace, "%*s%s%s%s%s\n", g_trace.indent, "", marker, name ? name : "",
                 name ? " " : "", text ? text : "");
}

void PrintLine(const char* marker, const char* name, const char* format, va_list args) {
  if (!format) {
    PrintText(marker, name, nullptr);
    return;
  }
  const CTraceText text(format, args);
  PrintText(marker, name, text.Get());
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

KFS_API void printnblank(int n) try {
  if (n > 0) koraDiagnostic(koraDiagTrace, "%*s", n, "");
}
KORA_CATCH_ALL(void())

KFS_API int PutFunctionName(const char* text) try {
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
KORA_CATCH_ALL(0)

KFS_API const char* GetFunctionName(void) try {
  if (g_trace.lost > 0) {
    --g_trace.lost;
    return kUnknownName;
  }
  if (g_trace.depth == 0) return kUnknownName;
  --g_trace.depth;
  return g_trace.names + (g_trace.depth > 0 ? g_trace.nameEnd[g_trace.depth - 1] : 0);
}
KORA_CATCH_ALL(kUnknownName)

KFS_API void DebugEnter(const char* format, ...) try {
  va_list args;
  va_start(args, format);
  PrintLine("->{", nullptr, format, args);
  va_end(args);
  PutFunctionName(format);
  g_trace.indent += 2;
}
KORA_CATCH_ALL(void())

KFS_API void DebugExit(const char* format, ...) try {
  Unindent();
  const char* name = GetFunctionName();
  va_list args;
  va_start(args, format);
  PrintLine("<-}", name, format, args);
  va_end(args);
}
KORA_CATCH_ALL(void())

KFS_API void DebugPrint(const char* format, ...) try {
  va_list args;
  va_start(args, format);
  PrintLine("", nullptr, format, args);
  va_end(args);
}
KORA_CATCH_ALL(void())

KFS_API void DebugEnterExit(const char* format, ...) try {
  va_list args;
  va_start(args, format);
  PrintLine("-><-", nullptr, format, args);
  va_end(args);
}
KORA_CATCH_ALL(void())

KFS_API void DebugEnterStr(const char* text) try {
  PrintText("->{", nullptr, text);
  PutFunctionName(text);
  g_trace.indent += 2;
}
KORA_CATCH_ALL(void())

KFS_API void DebugExitStr(const char* text) try {
  Unindent();
  PrintText("<-}", GetFunctionName(), text);
}
KORA_CATCH_ALL(void())

KFS_API void DebugPrintStr(const char* text) try { PrintText("", nullptr, text); }
KORA_CATCH_ALL(void())

KFS_API void DebugEnterExitStr(const char* text) try { PrintText("-><-", nullptr, text); }
KORA_CATCH_ALL(void())

KFS_API void DebugTraceReset(void) try {
  g_trace = TraceState();
  ++g_endedRuns;
}
KORA_CATCH_ALL(void())

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
