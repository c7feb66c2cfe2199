#include "file_kind.h"

#include <sys/stat.h>

#include "command_line.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/xfs/xfs.h"
#include "open_file.h"

namespace kfsdump {

std::string ApiText(unsigned int apiId) {
  std::string text;
  for (int shift = 0; shift < 32; shift += 8) {
    const char c = static_cast<char>((apiId >> shift) & 0xFF);
    text += (c >= 0x20 && c < 0x7f) ? c : '?';
  }
  return text;
}

bool CatalogueParts(const std::string& path, std::string* prefix, std::string* name, int* axes) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const std::string extension = path.substr(dot + 1);
  if (extension.size() != 3 || (extension.compare(0, 2, "ct") && extension.compare(0, 2, "dt")) ||
      extension[2] < '0' || extension[2] > '4') {
    return false;
  }
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  *prefix = path.substr(0, start);
  *name = path.substr(start, dot - start);
  *axes = extension[2] - '0';
  return !name->empty();
}

FileInfo Identify(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) throw tools::Failure("no such file");
  if (S_ISDIR(status.st_mode)) throw tools::Failure("is a folder, not a file");
  FileInfo info;
  info.size = static_cast<long long>(status.st_size);
  std::string prefix, name;
  int axes = 0;
  if (CatalogueParts(path, &prefix, &name, &axes)) {
    info.kind = FileKind::eCatalogue;
    return info;
  }
  kfsHandle file = nullptr;
  const unsigned opened = kfsFileOpenRead(path.c_str(), &file, nullptr, &info.apiId);
  kfsFileClose(&file);
  if (opened == kfsErrNotContainer) {
    throw tools::Failure("not a koracore file (no container, no catalogue name): " +
                         StatusText(opened));
  }
  if (opened != 0)
    throw tools::Failure("offset 0: " + StatusText(opened) + ": the container header");
  if (info.apiId == dfsAPIid(nullptr)) info.kind = FileKind::eDataFile;
  if (info.apiId == xfsAPIid(nullptr)) info.kind = FileKind::eCrossSections;
  return info;
}

}  // namespace kfsdump
