// Spatial axes of data-file items as Python sees them: a dict with the axis
// type (1..13, the library's numbering), its unit id, the element counts
// along x, y, z (and t), the origin and step of equidistant axes and the
// coordinate arrays of the others. The numpy shape of one time step is the
// counts in reverse order, x varying fastest as the values are stored.
#ifndef KORACORE_PYTHON_DFS_AXIS_H
#define KORACORE_PYTHON_DFS_AXIS_H

#include <pybind11/pybind11.h>

#include <vector>

#include "kfs/dfs/dfs_types.h"

namespace koracore_py {

pybind11::dict DescribeAxis(LPITEM item);
// The shape of one step's values; empty for a single value.
std::vector<pybind11::ssize_t> StepShape(LPITEM item);
// Sets the item's axis from a dict of the form DescribeAxis gives; the kfs
// status of the setter (0 on success).
int ApplyAxis(LPITEM item, const pybind11::dict& axis);

}  // namespace koracore_py

#endif
