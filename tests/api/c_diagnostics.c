/* The diagnostics sink is installed from C: this file is compiled as C and
 * links the shared library that holds the sink. */
#include <string.h>

#include "base/kora_diagnostics.h"
#include "kfs/container/kfs.h"
#include "qty/qty.h"

static char g_last[256];
static int g_kind;

static void c_sink(int kind, const char* text, void* user) {
  (void)user;
  g_kind = kind;
  strncpy(g_last, text, sizeof g_last - 1);
}

/* Routes one line through a C sink, puts the previous sink back and returns
 * whether the sink saw the line as it was formatted. */
int koracore_c_diagnostics_roundtrip(void) {
  void* previousUser = NULL;
  koraDiagnosticSink previous = koraSetDiagnosticSink(c_sink, NULL, &previousUser);
  koraDiagnostic(koraDiagMessage, "%s %d\n", "line", 7);
  koraSetDiagnosticSink(previous, previousUser, NULL);
  return g_kind == koraDiagMessage && strcmp(g_last, "line 7\n") == 0;
}

/* The error texts are plain C functions of the two libraries' headers. */
int koracore_c_error_texts(void) {
  return kfsErrorText(kfsErrSeek)[0] != '\0' && qtyErrorText(0)[0] != '\0';
}
