/* One diagnostics sink per process, shared by every koracore library.
 *
 * The libraries print very little: the unit-table loader's messages about
 * rows it passes over and tables it cannot parse, the include writer's
 * message about a file it cannot create, the message of a folder that cannot
 * be made, the call trace of the data-file interface when a host switches it
 * on, and the message of a broken internal invariant just before the process
 * stops. All of it goes through the sink declared here, which a host may
 * replace - to send it to a log, to a window, or nowhere.
 *
 * The default sink writes each text unchanged to the stream it has always
 * gone to: standard output for trace lines and messages (kinds 1 and 2),
 * standard error for error messages and assertions (kinds 3 and 4). The
 * command-line tools install a sink that writes everything to standard
 * error, so that their own output stays clean.
 *
 * The sink lives in librcf-koracore, the library every other one links, so a
 * process has exactly one whichever libraries it uses. Like the other
 * process-wide state of the libraries it is unguarded: install the sink
 * before the libraries are used, from one thread.
 *
 * Usable from C and C++. */
#ifndef KORACORE_BASE_KORA_DIAGNOSTICS_H
#define KORACORE_BASE_KORA_DIAGNOSTICS_H

#include "rcf/rcf_api.h"

#if defined(__GNUC__) || defined(__clang__)
#define KORA_DIAGNOSTIC_PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))
#else
#define KORA_DIAGNOSTIC_PRINTF_LIKE(f, a)
#endif

RCF_EXTERN_C_BEGIN

/* What a text is; the default sink picks its stream by the kind. */
enum koraDiagnosticKind {
  koraDiagTrace = 1,    /* a line of the call trace (standard output) */
  koraDiagMessage = 2,  /* a message the libraries print on standard output: a unit-table
                            row passed over, the XML parser not starting, a folder not made */
  koraDiagError = 3,    /* a message for standard error: a unit table not parsed, an
                            include file not written */
  koraDiagAssertion = 4 /* a broken internal invariant (standard error); the process is
                            aborted as soon as the sink returns */
};

/* Receives one text: kind as above, the text exactly as the default sink
 * would write it (line ends included; never null), and the user pointer given
 * at installation. A sink must not call back into the koracore libraries and
 * must not throw. */
typedef void (*koraDiagnosticSink)(int kind, const char* text, void* user);

/* Installs sink, called with user for every text from now on; a null sink
 * restores the default. Returns the sink installed before (null when it was
 * the default) and stores its user pointer in *previousUser (may be null),
 * so that a host can put the previous one back. */
RCF_API koraDiagnosticSink koraSetDiagnosticSink(koraDiagnosticSink sink, void* user,
                                                 void** previousUser);

/* Formats a text (printf rules, "C" numbers are the caller's business) and
 * hands it to the sink. Used by the libraries; a host may also use it to put
 * its own lines into the same stream. Never fails: a text that cannot be
 * formatted in full is handed on cut short. */
RCF_API void koraDiagnostic(int kind, const char* format, ...) KORA_DIAGNOSTIC_PRINTF_LIKE(2, 3);

RCF_EXTERN_C_END

#endif
