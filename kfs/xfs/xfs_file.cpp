// Cross-section files as containers: the identification "XFS_" with
// version 106, and the version of the file read last.
#include "kfs/xfs/xfs.h"

#include "base/kora_boundary.h"

namespace {

// Version of the file opened last for reading. Process-wide as the flat
// interface defines it; tables keep their own copy for loading.
int g_xfsFileVersion = 0;

}  // namespace

extern "C" {

unsigned int xfsAPIid(unsigned int* version) try {
  if (version != nullptr) *version = XFS_VERSION_CURRENT;
  // The bytes "XFS_" as a little-endian word: the same number on every
  // machine, so that the container's byte-order handling applies to it.
  return 'X' | ('F' << 8) | ('S' << 16) | (static_cast<unsigned int>('_') << 24);
}
KORA_CATCH_ALL(0u)

unsigned int xfsFileOpenCreate(const char* path, kfsHandle* handle) try {
  if (handle == nullptr) return kfsErrNullArgument;
  *handle = nullptr;
  if (path == nullptr) return kfsErrNullArgument;
  return kfsFileOpenCreate(path, nullptr, handle, xfsAPIid, 0);
}
KORA_CATCH_ALL(kfsErrMemory)

unsigned int xfsFileOpenRead(const char* path, kfsHandle* handle) try {
  if (handle == nullptr) return kfsErrNullArgument;
  *handle = nullptr;
  if (path == nullptr) return kfsErrNullArgument;
  unsigned int fileId = 0;
  unsigned int status = kfsFileOpenRead(path, handle, xfsAPIid, &fileId);
  if (status == kfsOK) g_xfsFileVersion = static_cast<int>(kfsGetVersionCreateApp(*handle));
  return status;
}
KORA_CATCH_ALL(kfsErrMemory)

unsigned int xfsFileClose(kfsHandle* handle) try {
  if (handle == nullptr) return kfsErrNullArgument;
  return kfsFileClose(handle);
}
KORA_CATCH_ALL(kfsErrMemory)

unsigned int xfsPeekError(kfsHandle handle) try { return kfsPeekError(handle); }
KORA_CATCH_ALL(kfsErrMemory)
unsigned int xfsGetError(kfsHandle handle) try { return kfsGetError(handle); }
KORA_CATCH_ALL(kfsErrMemory)

int xfsXsecTableVersion(void) try { return g_xfsFileVersion; }
KORA_CATCH_ALL(0)

}  // extern "C"
