// Reports of the files that are not data files: cross-section files, other
// containers and the older catalogues.
#ifndef TOOLS_KFSDUMP_OTHER_REPORTS_H
#define TOOLS_KFSDUMP_OTHER_REPORTS_H

#include <string>

#include "file_kind.h"
#include "report.h"

namespace kfsdump {

// Every cross-section with its identification and the counts of its tables.
tools::Report DescribeCrossSections(const std::string& path);
// The blocks and records of a container of another kind.
tools::Report DescribeContainer(const std::string& path, const FileInfo& info);
// An older catalogue: title, axes, items and their statistics.
tools::Report DescribeCatalogue(const std::string& path);

}  // namespace kfsdump

#endif
