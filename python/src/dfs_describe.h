// What a data-file header says, as plain Python dicts: the file facts, the
// time axis and each item with its names from the units registry. The
// Python module koracore.dfs turns them into its classes.
#ifndef KORACORE_PYTHON_DFS_DESCRIBE_H
#define KORACORE_PYTHON_DFS_DESCRIBE_H

#include <pybind11/pybind11.h>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"

namespace koracore_py {

pybind11::dict DescribeHeader(LPHEAD header, kfsHandle file);
pybind11::dict DescribeTimeAxis(LPHEAD header);
// number: 1-based for dynamic items, 0 for static ones.
pybind11::dict DescribeItem(LPITEM item, int number);

}  // namespace koracore_py

#endif
