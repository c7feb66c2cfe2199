// The wrapper layer's error-callback table, through which the data-file
// interface reports with its header, file, source file and line.
#include "kfs/dfs/dfs_file_io.h"

#include "base/kora_boundary.h"

namespace {
FErrorCallback g_wrapperCallbacks[KFS_CALLBACK_SLOTS];
}

extern "C" {

KFS_API unsigned int dfsAPIid(unsigned int* appVersion) try {
  if (appVersion) *appVersion = DFS_APP_VERSION;
  return DFS_API_ID;
}
KORA_CATCH_ALL(DFS_API_ID)

KFS_API unsigned int FErrorHandler(void* header, kfsHandle file, void* extra, unsigned int code,
                                   const char* source, int line) try {
  int slot = kfsCallbackSlot(code);
  if (slot >= 0 && g_wrapperCallbacks[slot])
    g_wrapperCallbacks[slot](header, file, extra, code, source, line);
  return code;
}
KORA_CATCH_ALL(code)

KFS_API FErrorCallback* FGetCallbacks(void) try { return g_wrapperCallbacks; }
KORA_CATCH_ALL(g_wrapperCallbacks)

KFS_API void FResetCallbacks(void) try {
  for (auto& slot : g_wrapperCallbacks) slot = nullptr;
}
KORA_CATCH_ALL(void())

KFS_API void dfsAddErrorHandler(unsigned int code, FErrorCallback fn) try {
  // Every code the library raises can have a handler, 2020 (unit not valid
  // for the item type) included.
  int slot = kfsCallbackSlot(code);
  if (slot >= 0) g_wrapperCallbacks[slot] = fn;
}
KORA_CATCH_ALL(void())

KFS_API void dfsAddCommonErrorHandler(void) try { FResetCallbacks(); }
KORA_CATCH_ALL(void())

KFS_API void dfsInitSystem(void) try { FResetCallbacks(); }
KORA_CATCH_ALL(void())

}  // extern "C"
