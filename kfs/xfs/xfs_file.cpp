// Cross-section files as containers: the identification "XFS_" with
// version 106, and the version of the file read last.
#include "kfs/xfs/xfs.h"

namespace {

// Version of the file opened last for reading. Process-wide as the flat
// interface defines it; tables keep their own copy for loading.
int g_xfsFileVersion = 0;

}  // namespace

extern "C" {

unsigned int xfsAPIid(unsigned int* version) {
  if (version != nullptr) *version = XFS_VERSION_CURRENT;
  // The bytes "XFS_" as a little-endian word: the same number on every
  // machine, so that the container's byte-order handling applies to it.
  return 'X' | ('F' << 8) | ('S' << 16) | (static_cast<unsigned int>('_') << 24);
}

unsigned int xfsFileOpenCreate(const char* path, kfsHandle* handle) {
  if (handle == nullptr) return kfsErrNullArgument;
  *handle = nullptr;
  if (path == nullptr) return kfsErrNullArgument;
  return kfsFileOpenCreate(path, nullptr, handle, xfsAPIid, 0);
}

unsigned int xfsFileOpenRead(const char* path, kfsHandle* handle) {
  if (handle == nullptr) return kfsErrNullArgument;
  *handle = nullptr;
  if (path == nullptr) return kfsErrNullArgument;
  unsigned int fileId = 0;
  unsigned int status = kfsFileOpenRead(path, handle, xfsAPIid, &fileId);
  if (status == kfsOK) g_xfsFileVersion = static_cast<int>(kfsGetVersionCreateApp(*handle));
  return status;
}

unsigned int xfsFileClose(kfsHandle* handle) {
  if (handle == nullptr) return kfsErrNullArgument;
  return kfsFileClose(handle);
}

unsigned int xfsPeekError(kfsHandle handle) { return kfsPeekError(handle); }
unsigned int xfsGetError(kfsHandle handle) { return kfsGetError(handle); }

int xfsXsecTableVersion(void) { return g_xfsFileVersion; }

}  // extern "C"
