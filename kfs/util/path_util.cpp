// Path and folder helpers.
#include "kfs/util/path_util.h"

#include <libgen.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "base/kora_diagnostics.h"

namespace {

constexpr size_t kPathBufferSize = 260;

bool IsDirectory(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

int MakeOne(const char* path, mode_t mode) {
  if (mkdir(path, mode) == 0 || errno == EEXIST) return 0;
  return -1;
}

}  // namespace

extern "C" {

KFS_API char* kvExpandedFileName(const char* path) try {
  if (!path) return nullptr;
  size_t n = std::strlen(path) + 1;
  char* copy = static_cast<char*>(std::malloc(n));
  if (copy) std::memcpy(copy, path, n);
  return copy;
}
KORA_CATCH_ALL(nullptr)

KFS_API int mkpath(const char* path, mode_t mode) try {
  if (!path || !*path) {
    errno = ENOENT;
    return -1;
  }
  char* work = kvExpandedFileName(path);
  if (!work) {
    errno = ENOMEM;
    return -1;
  }
  int rc = 0;
  // Each component in turn, skipping the root and doubled slashes.
  for (char* slash = std::strchr(work + 1, '/'); slash && rc == 0;
       slash = std::strchr(slash + 1, '/')) {
    if (slash[-1] == '/') continue;
    *slash = '\0';
    rc = MakeOne(work, mode);
    *slash = '/';
  }
  if (rc == 0) rc = MakeOne(work, mode);
  bool exists = IsDirectory(work);
  std::free(work);
  if (exists) return 0;
  if (errno == 0 || errno == EEXIST) errno = ENOTDIR;
  return -1;
}
KORA_CATCH_ALL(-1)

KFS_API int KvCreateFolder(const char* path) try {
  if (!path || !*path) return 0;
  char folder[kPathBufferSize];
  size_t length = std::strlen(path);
  if (length + 2 > sizeof folder) {
    koraDiagnostic(koraDiagMessage, "Error no: %d - unable to mkdir; %s\n", ENAMETOOLONG,
                   std::strerror(ENAMETOOLONG));
    return 0;
  }
  std::memcpy(folder, path, length + 1);
  if (folder[length - 1] != '/') {
    char* directory = dirname(folder);  // may point into folder or to a static "."
    std::memmove(folder, directory, std::strlen(directory) + 1);
    length = std::strlen(folder);
    folder[length++] = '/';
    folder[length] = '\0';
  }
  // Folders are made group-writable for model teams sharing result trees;
  // the mask is cleared only for this call, not for the rest of the host.
  mode_t previous = umask(0);
  int rc = mkpath(folder, 0770);
  int error = errno;
  umask(previous);
  if (rc == 0) return 1;
  koraDiagnostic(koraDiagMessage, "Error no: %d - unable to mkdir; %s\n", error,
                 std::strerror(error));
  return 0;
}
KORA_CATCH_ALL(0)

KFS_API int KvProject_AddFile(const char* name) try {
  (void)name;
  return -1;
}
KORA_CATCH_ALL(-1)

KFS_API int KvShortCut_IsShortcut(const char* path) try {
  (void)path;
  return 0;
}
KORA_CATCH_ALL(0)

KFS_API void KvShortCut_ResolveShortcut(const char* shortcut, char* target, int size) try {
  (void)shortcut;
  (void)target;
  (void)size;
}
KORA_CATCH_ALL(void())

}  // extern "C"
