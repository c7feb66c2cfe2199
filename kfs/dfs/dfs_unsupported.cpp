// Free-item and time-varying-axis access: entry points that exist for hosts
// linking against the whole interface, but that no file type written here
// supports. They touch neither the file nor the caller's arguments.
#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

int notSupported(LPHEAD header, kfsHandle file, int line) {
  return dfs::report(header, file, kfsErrTimeStep, __FILE__, line);
}

}  // namespace

extern "C" {

int dfsQueryFreeItemTimeStep(LPHEAD header, kfsHandle file, int*, double*) try {
  return notSupported(header, file, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsReadFreeItemTimeStep(LPHEAD header, kfsHandle file, int*, double*, void*) try {
  return notSupported(header, file, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsWriteFreeItemTimeStep(LPHEAD header, kfsHandle file, int, double, const void*) try {
  return notSupported(header, file, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsReadItemTvarTimeStep(LPHEAD header, kfsHandle file, double*, void*, float*, int*) try {
  return notSupported(header, file, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsWriteItemTvarTimeStep(LPHEAD header, kfsHandle file, const void*, const float*, int,
                             double) try {
  return notSupported(header, file, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsQueryFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int*, int*, double*) try {
  return notSupported(header, file, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsReadFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int*, double*, void*, float*,
                                int*) try {
  return notSupported(header, file, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsWriteFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int, double, const void*,
                                 const float*, int) try {
  return notSupported(header, file, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
