// The wrapper layer's error-callback table, through which the data-file
// interface reports with its header, file, source file and line.
#include "kfs/dfs/dfs_file_io.h"

namespace {
FErrorCallback g_wrapperCallbacks[KFS_CALLBACK_SLOTS];
}

extern "C" {

KFS_API unsigned int dfsAPIid(unsigned int* appVersion) {
  if (appVersion) *appVersion = DFS_APP_VERSION;
  return DFS_API_ID;
}

KFS_API unsigned int FErrorHandler(void* header, kfsHandle file, void* extra, unsigned int code,
                                   const char* source, int line) {
  int slot = kfsCallbackSlot(code);
  if (slot >= 0 && g_wrapperCallbacks[slot])
    g_wrapperCallbacks[slot](header, file, extra, code, source, line);
  return code;
}

KFS_API FErrorCallback* FGetCallbacks(void) { return g_wrapperCallbacks; }

KFS_API void FResetCallbacks(void) {
  for (auto& slot : g_wrapperCallbacks) slot = nullptr;
}

KFS_API void dfsAddErrorHandler(unsigned int code, FErrorCallback fn) {
  // Every code the library raises can have a handler, 2020 (unit not valid
  // for the item type) included.
  int slot = kfsCallbackSlot(code);
  if (slot >= 0) g_wrapperCallbacks[slot] = fn;
}

KFS_API void dfsAddCommonErrorHandler(void) { FResetCallbacks(); }

KFS_API void dfsInitSystem(void) { FResetCallbacks(); }

}  // extern "C"
