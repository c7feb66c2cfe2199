// Owned copies, error reporting and the end-of-file test shared by the
// data-file sources.
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "kfs/container/kfs_access.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_internal.h"

namespace dfs {

char* copyText(const char* text) {
  if (!text) text = "";
  const size_t n = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(n));
  if (copy) std::memcpy(copy, text, n);
  return copy;
}

void* copyBytes(const void* data, std::size_t n) {
  if (n == 0 || !data) return nullptr;
  void* copy = std::malloc(n);
  if (copy) std::memcpy(copy, data, n);
  return copy;
}

int report(const void* header, kfsHandle file, int code, const char* source, int line) {
  if (code == 0) return 0;
  return static_cast<int>(FErrorHandler(const_cast<void*>(header), file, nullptr,
                                        static_cast<unsigned int>(code), source, line));
}

bool atEndOfFile(kfsHandle f) {
  if (!kfs::DiskPath(f)) return true;  // a writer stream only ever appends
  struct stat st;
  if (kfsFileFlush(f) != 0 || ::stat(kfs::DiskPath(f), &st) != 0) return false;
  return kfsTell64(f) == static_cast<long long>(st.st_size);
}

int lostWrites(kfsHandle f) {
  const unsigned int status = kfsPeekError(f);
  return kfs::IsReadOnly(f) || status <= kfsEndOfFile ? 0 : static_cast<int>(status);
}

}  // namespace dfs
