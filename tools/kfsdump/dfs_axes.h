// The spatial axis of an item, as the data-file interface reads it.
#ifndef TOOLS_KFSDUMP_DFS_AXES_H
#define TOOLS_KFSDUMP_DFS_AXES_H

#include "kfs/dfs/dfs_types.h"
#include "report.h"

namespace kfsdump {

// {type, name, unit, sizes, origin, step ...}: what the axis type has.
tools::Report AxisReport(LPITEM item);

}  // namespace kfsdump

#endif
