// The container's error-callback table and the raising of status codes.
#include <cstdio>
#include <cstdlib>

#include "kfs/container/kfs_internal.h"

namespace {
kfsErrorCallback g_callbacks[KFS_CALLBACK_SLOTS];
}

void kfsAssertFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: assertion failed: %s\n", file, line, condition);
  std::fflush(stderr);
  std::abort();
}

extern "C" {

KFS_API int kfsCallbackSlot(unsigned int code) {
  if (code == kfsErrNullArgument) return 0;
  if (code >= kfsErrMemory && code <= kfsErrUnit) return static_cast<int>(code - kfsErrMemory) + 1;
  return -1;
}

KFS_API kfsErrorCallback* kfsGetCallbacks(void) { return g_callbacks; }

KFS_API void kfsResetCallbacks(void) {
  for (auto& slot : g_callbacks) slot = nullptr;
}

KFS_API unsigned int kfsGetError(kfsHandle file) {
  if (!file) return kfsErrNullArgument;
  unsigned int status = file->status;
  file->status = kfsOK;
  return status;
}

KFS_API unsigned int kfsPeekError(kfsHandle file) {
  return file ? file->status : static_cast<unsigned int>(kfsErrNullArgument);
}

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

}  // namespace kfs
