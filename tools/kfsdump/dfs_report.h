// A data file's header, time axis, items and static items as a report.
#ifndef TOOLS_KFSDUMP_DFS_REPORT_H
#define TOOLS_KFSDUMP_DFS_REPORT_H

#include <string>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"
#include "report.h"

namespace kfsdump {

// Opens the file with the data-file interface and describes all of it but
// the time-step values. Throws tools::Failure when it cannot be read; a file
// whose last time step cannot be read (cut short) is described, and
// *problem says so.
tools::Report DescribeDataFile(const std::string& path, std::string* problem);

// The file's header blocks (file type, titles, delete values, projection,
// encoding, custom blocks).
tools::Report HeaderReport(LPHEAD header);
// One item of the header (number from 1, dynamic, with its statistics) or a
// static item (number of its position among the static items).
tools::Report ItemReport(LPHEAD header, LPITEM item, int number, bool dynamic);

}  // namespace kfsdump

#endif
