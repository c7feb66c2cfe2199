// Files opened by kfsdump, closed however the dump ends, and failures named
// with the library's error text.
#ifndef TOOLS_KFSDUMP_OPEN_FILE_H
#define TOOLS_KFSDUMP_OPEN_FILE_H

#include <string>

#include "command_line.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"
#include "report.h"

namespace kfsdump {

// "<text of the code> (<code>)" for a status of the kfs library.
std::string StatusText(unsigned int status);

// A failure to read `what` of the file: "cannot read <what>: <status text>".
tools::Failure FileFailure(const std::string& what, unsigned int status);

// A data file opened for reading with its header.
struct OpenDataFile {
  explicit OpenDataFile(const std::string& path);  // throws tools::Failure
  ~OpenDataFile();
  OpenDataFile(const OpenDataFile&) = delete;
  OpenDataFile& operator=(const OpenDataFile&) = delete;
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
};

// The size of a file in bytes; 0 when it cannot be told.
long long FileSize(const std::string& path);

// Stamps and versions of the container a file is kept in.
tools::Report ContainerReport(kfsHandle file);

}  // namespace kfsdump

#endif
