// The process's diagnostics sink. This is the one place of the libraries
// that writes to a standard stream: everything else hands its text here.
#include "base/kora_diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

void DefaultSink(int kind, const char* text, void* /*user*/) {
  const bool toError = kind == koraDiagError || kind == koraDiagAssertion;
  std::FILE* stream = toError ? stderr : stdout;
  std::fputs(text, stream);
  // Trace lines share the host's buffered standard output and keep its
  // order; a message is flushed so that it is seen even if the host dies.
  if (kind != koraDiagTrace) std::fflush(stream);
}

struct Sink {
  koraDiagnosticSink function = nullptr;
  void* user = nullptr;
};

Sink g_sink;

void Deliver(int kind, const char* text) {
  if (g_sink.function) {
    g_sink.function(kind, text, g_sink.user);
  } else {
    DefaultSink(kind, text, nullptr);
  }
}

}  // namespace

extern "C" {

RCF_API koraDiagnosticSink koraSetDiagnosticSink(koraDiagnosticSink sink, void* user,
                                                 void** previousUser) {
  const Sink previous = g_sink;
  g_sink.function = sink;
  g_sink.user = sink ? user : nullptr;
  if (previousUser) *previousUser = previous.user;
  return previous.function;
}

// Formats on the stack; a longer text gets a buffer of its exact size, and
// when even that cannot be had the text goes out cut at the stack buffer.
// Nothing here can throw: the callers are functions with C linkage.
RCF_API void koraDiagnostic(int kind, const char* format, ...) {
  if (!format) return;
  char local[1024];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(local, sizeof local, format, args);
  va_end(args);
  char* text = local;
  if (needed < 0) {
    local[0] = '\0';
  } else if (static_cast<size_t>(needed) >= sizeof local) {
    char* big = static_cast<char*>(std::malloc(static_cast<size_t>(needed) + 1));
    if (big) {
      std::vsnprintf(big, static_cast<size_t>(needed) + 1, format, again);
      text = big;
    }
  }
  va_end(again);
  Deliver(kind, text);
  if (text != local) std::free(text);
}

}  // extern "C"
