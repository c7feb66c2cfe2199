// The container's error-callback table and the raising of status codes.
#include <cstdlib>

#include "base/kora_boundary.h"
#include "base/kora_diagnostics.h"
#include "kfs/container/kfs_internal.h"

namespace {
kfsErrorCallback g_callbacks[KFS_CALLBACK_SLOTS];
}

void kfsAssertFailed(const char* condition, const char* file, int line) {
  koraDiagnostic(koraDiagAssertion, "%s:%d: assertion failed: %s\n", file, line, condition);
  std::abort();
}

extern "C" {

KFS_API int kfsCallbackSlot(unsigned int code) try {
  if (code == kfsErrNullArgument) return 0;
  if (code >= kfsErrMemory && code <= kfsErrUnit) return static_cast<int>(code - kfsErrMemory) + 1;
  return -1;
}
KORA_CATCH_ALL(-1)

KFS_API const char* kfsErrorText(unsigned int code) try {
  switch (code) {
    case kfsOK: return "no error";
    case kfsEndOfFile: return "end of file";
    case kfsErrNullArgument: return "a required argument is null";
    case kfsErrMemory: return "memory allocation failed";
    case kfsErrRead: return "read failed, or an expected block is missing";
    case kfsErrWrite: return "write failed";
    case kfsErrOpen: return "file or stream could not be opened";
    case kfsErrClose: return "close failed";
    case kfsErrFlush: return "flush failed";
    case kfsErrSeek: return "seek failed";
    case kfsErrItemNumber: return "item number out of range";
    case kfsErrStatistics: return "item statistics requested but not kept";
    case kfsErrType: return "wrong or invalid simple type";
    case kfsErrBlock: return "logical block could not be made, or header invalid for the operation";
    case kfsErrDate: return "date text not in the form yyyy-mm-dd";
    case kfsErrTime: return "time text not in the form hh:mm:ss";
    case kfsErrCount: return "record longer than the buffer, or element count not as expected";
    case kfsErrNotContainer: return "not a container file";
    case kfsErrReadOnly: return "write attempted on a read-only file";
    case kfsErrSkipBlock: return "block skip requested where no block starts";
    case kfsErrApiId: return "the file was written by another interface";
    case kfsErrTimeStep: return "time-step operation not supported, or unknown axis or step tag";
    case kfsErrStructure: return "record or block structure not as expected";
    case kfsErrUnit: return "unit not valid for the item type";
  }
  return "unknown kfs status code";
}
KORA_CATCH_ALL("unknown kfs status code")

KFS_API kfsErrorCallback* kfsGetCallbacks(void) try { return g_callbacks; }
KORA_CATCH_ALL(g_callbacks)

KFS_API void kfsResetCallbacks(void) try {
  for (auto& slot : g_callbacks) slot = nullptr;
}
KORA_CATCH_ALL(void())

KFS_API unsigned int kfsGetError(kfsHandle file) try {
  if (!file) return kfsErrNullArgument;
  unsigned int status = file->status;
  file->status = kfsOK;
  return status;
}
KORA_CATCH_ALL(kfsErrMemory)

KFS_API unsigned int kfsPeekError(kfsHandle file) try {
  return file ? file->status : static_cast<unsigned int>(kfsErrNullArgument);
}
KORA_CATCH_ALL(kfsErrMemory)

}  // extern "C"

namespace kfs {

void Report(unsigned int code, int line) {
  int slot = kfsCallbackSlot(code);
  if (slot >= 0 && g_callbacks[slot]) g_callbacks[slot](code, "kfs", line);
}

unsigned int Raise(kfsFile* file, unsigned int code, int line) {
  if (code == kfsEndOfFile) {
    if (file->status == kfsOK) file->status = kfsEndOfFile;
    return file->status;
  }
  // The first error stays: later ones are consequences of it.
  if (file->status == kfsOK || file->status == kfsEndOfFile) file->status = code;
  Report(code, line);
  return file->status;
}

unsigned int Escaped(kfsFile* file, int line) {
  if (file) return Raise(file, kfsErrMemory, line);
  Report(kfsErrMemory, line);
  return kfsErrMemory;
}

}  // namespace kfs
