// The trace switches of the data-file interface.
#include "kfs/dfs/dfs_trace.h"

#include "base/kora_boundary.h"
#include "kfs/container/kfs_access.h"

namespace {

struct TraceSwitch {
  bool on = false;
  unsigned int run = 0;  // the trace run it was switched on in
};

TraceSwitch g_fileIO;
TraceSwitch g_dataFile;

int Set(TraceSwitch& s, int flag) {
  s.on = flag != 0;
  if (s.on) {
    kfs::ResumeTrace();
    s.run = kfs::TraceRun();
  }
  return s.on;
}

bool IsOn(const TraceSwitch& s) { return s.on && s.run == kfs::TraceRun(); }

}  // namespace

extern "C" {

KFS_API int DebugFileIO(int flag) try { return Set(g_fileIO, flag); }
KORA_CATCH_ALL(0)

KFS_API int DebugFileIOIsOn(void) try { return IsOn(g_fileIO); }
KORA_CATCH_ALL(0)

KFS_API int dfsDebugOn(int flag) try { return Set(g_dataFile, flag); }
KORA_CATCH_ALL(0)

KFS_API int dfsDebugIsOn(void) try { return IsOn(g_dataFile); }
KORA_CATCH_ALL(0)

}  // extern "C"
