// Free-item and time-varying-axis access: entry points that exist for hosts
// linking against the whole interface, but that no file type written here
// supports. They touch neither the file nor the caller's arguments.
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

int notSupported(LPHEAD header, kfsHandle file, int line) {
  return dfs::report(header, file, kfsErrTimeStep, __FILE__, line);
}

}  // namespace

extern "C" {

int dfsQueryFreeItemTimeStep(LPHEAD header, kfsHandle file, int*, double*) {
  return notSupported(header, file, __LINE__);
}

int dfsReadFreeItemTimeStep(LPHEAD header, kfsHandle file, int*, double*, void*) {
  return notSupported(header, file, __LINE__);
}

int dfsWriteFreeItemTimeStep(LPHEAD header, kfsHandle file, int, double, const void*) {
  return notSupported(header, file, __LINE__);
}

int dfsReadItemTvarTimeStep(LPHEAD header, kfsHandle file, double*, void*, float*, int*) {
  return notSupported(header, file, __LINE__);
}

int dfsWriteItemTvarTimeStep(LPHEAD header, kfsHandle file, const void*, const float*, int,
                             double) {
  return notSupported(header, file, __LINE__);
}

int dfsQueryFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int*, int*, double*) {
  return notSupported(header, file, __LINE__);
}

int dfsReadFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int*, double*, void*, float*,
                                int*) {
  return notSupported(header, file, __LINE__);
}

int dfsWriteFreeItemTvarTimeStep(LPHEAD header, kfsHandle file, int, double, const void*,
                                 const float*, int) {
  return notSupported(header, file, __LINE__);
}

}  // extern "C"
