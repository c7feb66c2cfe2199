#include "open_file.h"

#include <sys/stat.h>

#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"

namespace kfsdump {

std::string StatusText(unsigned int status) {
  return std::string(kfsErrorText(status)) + " (" + std::to_string(status) + ")";
}

tools::Failure FileFailure(const std::string& what, unsigned int status) {
  return tools::Failure("cannot read " + what + ": " + StatusText(status));
}

OpenDataFile::OpenDataFile(const std::string& path) {
  const int status = dfsFileRead(path.c_str(), &h, &f);
  if (status != 0) throw FileFailure("it as a data file", static_cast<unsigned>(status));
}

OpenDataFile::~OpenDataFile() {
  if (f) dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
}

long long FileSize(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 ? static_cast<long long>(status.st_size) : 0;
}

tools::Report ContainerReport(kfsHandle file) {
  return tools::Report::Object()
      .Set("created",
           std::string(kfsGetFileCreationDate(file)) + " " + kfsGetFileCreationTime(file))
      .Set("edited", std::string(kfsGetFileEditDate(file)) + " " + kfsGetFileEditTime(file))
      .Set("container version", kfsGetVersionCreate(file))
      .Set("application version", kfsGetVersionCreateApp(file));
}

}  // namespace kfsdump
