// Which file on disk a handle has open, told by device and inode: a name
// can be removed or given to another file while the handle stays open.
#include <sys/stat.h>

#include "kfs/container/kfs_access.h"
#include "kfs/container/kfs_handle.h"
#include "kfs/container/kfs_storage.h"

namespace {

bool openFileInfo(const kfsFile* file, struct stat* info) {
  if (!file || !file->filname) return false;
  const auto* disk = dynamic_cast<const CKfsFile*>(file->storage);
  const int descriptor = disk ? disk->Descriptor() : -1;
  return descriptor >= 0 && ::fstat(descriptor, info) == 0;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

namespace kfs {

bool PathNamesOpenFile(const kfsFile* file, const char* path) {
  struct stat open, named;
  return path && openFileInfo(file, &open) && ::stat(path, &named) == 0 && sameFile(open, named);
}

bool SameOpenFile(const kfsFile* a, const kfsFile* b) {
  struct stat first, second;
  return openFileInfo(a, &first) && openFileInfo(b, &second) && sameFile(first, second);
}

}  // namespace kfs
