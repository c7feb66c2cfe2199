#include "dfs_axis.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "kfs/dfs/dfs_item.h"

namespace py = pybind11;

namespace koracore_py {

namespace {

struct AxisFacts {
  int type = 0;
  int unit = 0;
  std::string unitName;
  std::vector<int> sizes;  // x, y, z, t as far as the axis has them
  std::vector<float> origin, step;
  std::vector<py::array> coords;
};

template <typename T>
py::array CopyOut(const T* data, std::vector<py::ssize_t> shape) {
  py::array_t<T> out(shape);
  if (out.size() > 0 && data) std::copy(data, data + out.size(), out.mutable_data());
  return std::move(out);
}

// Corner or edge counts: one more than the cells in every direction.
std::vector<py::ssize_t> CornerShape(const std::vector<int>& sizes) {
  std::vector<py::ssize_t> shape;
  for (auto it = sizes.rbegin(); it != sizes.rend(); ++it) shape.push_back(*it + 1);
  return shape;
}

void ReadEquidistant(LPITEM item, AxisFacts* a) {
  const char* name = nullptr;
  int n[4] = {};
  float o[4] = {}, d[4] = {};
  switch (a->type) {
    case F_EQ_AXIS_D0: dfsGetItemAxisEqD0(item, &a->unit, &name); break;
    case F_EQ_AXIS_D1: dfsGetItemAxisEqD1(item, &a->unit, &name, n, o, d); break;
    case F_EQ_AXIS_D2:
      dfsGetItemAxisEqD2(item, &a->unit, &name, n, n + 1, o, o + 1, d, d + 1);
      break;
    case F_EQ_AXIS_D3:
      dfsGetItemAxisEqD3(item, &a->unit, &name, n, n + 1, n + 2, o, o + 1, o + 2, d, d + 1, d + 2);
      break;
    case F_EQ_AXIS_D4:
      dfsGetItemAxisEqD4(item, &a->unit, &name, n, n + 1, n + 2, n + 3, o, o + 1, o + 2, o + 3, d,
                         d + 1, d + 2, d + 3);
      break;
  }
  const int dims = a->type == F_EQ_AXIS_D0   ? 0
                   : a->type == F_EQ_AXIS_D1 ? 1
                   : a->type == F_EQ_AXIS_D2 ? 2
                   : a->type == F_EQ_AXIS_D3 ? 3
                                             : 4;
  a->sizes.assign(n, n + dims);
  a->origin.assign(o, o + dims);
  a->step.assign(d, d + dims);
  a->unitName = name ? name : "";
}

void ReadTimeVarying(LPITEM item, AxisFacts* a) {
  const char* name = nullptr;
  int n[3] = {};
  int dims = 1;
  if (a->type == F_TV_AXIS_D1) dfsGetItemAxisTvarD1(item, &a->unit, &name, n);
  if (a->type == F_TV_AXIS_D2) dims = 2, dfsGetItemAxisTvarD2(item, &a->unit, &name, n, n + 1);
  if (a->type == F_TV_AXIS_D3)
    dims = 3, dfsGetItemAxisTvarD3(item, &a->unit, &name, n, n + 1, n + 2);
  a->sizes.assign(n, n + dims);
  a->unitName = name ? name : "";
}

void ReadCoordinates(LPITEM item, AxisFacts* a) {
  const char* name = nullptr;
  int n[3] = {};
  double* c[3] = {};
  if (a->type == F_NEQ_AXIS_D1) {
    float* points = nullptr;
    dfsGetItemAxisNeqD1(item, &a->unit, &name, n, &points);
    a->sizes.assign(n, n + 1);
    a->coords.push_back(CopyOut(points, {n[0], 3}));
  } else if (a->type == F_NEQ_AXIS_D2 || a->type == F_NEQ_AXIS_D3) {
    if (a->type == F_NEQ_AXIS_D2)
      dfsGetItemAxisNeqD2(item, &a->unit, &name, n, n + 1, c, c + 1);
    else
      dfsGetItemAxisNeqD3(item, &a->unit, &name, n, n + 1, n + 2, c, c + 1, c + 2);
    a->sizes.assign(n, n + (a->type == F_NEQ_AXIS_D2 ? 2 : 3));
    for (size_t k = 0; k < a->sizes.size(); ++k) a->coords.push_back(CopyOut(c[k], {n[k] + 1}));
  } else {
    if (a->type == F_CURVE_LINEAR_AXIS_D2)
      dfsGetItemAxisCurveLinearD2(item, &a->unit, &name, n, n + 1, c, c + 1);
    else
      dfsGetItemAxisCurveLinearD3(item, &a->unit, &name, n, n + 1, n + 2, c, c + 1, c + 2);
    a->sizes.assign(n, n + (a->type == F_CURVE_LINEAR_AXIS_D2 ? 2 : 3));
    for (size_t k = 0; k < a->sizes.size(); ++k)
      a->coords.push_back(CopyOut(c[k], CornerShape(a->sizes)));
  }
  a->unitName = name ? name : "";
}

AxisFacts ReadAxis(LPITEM item) {
  AxisFacts a;
  a.type = dfsGetItemAxisType(item);
  switch (a.type) {
    case F_EQ_AXIS_D0:
    case F_EQ_AXIS_D1:
    case F_EQ_AXIS_D2:
    case F_EQ_AXIS_D3:
    case F_EQ_AXIS_D4: ReadEquidistant(item, &a); break;
    case F_TV_AXIS_D1:
    case F_TV_AXIS_D2:
    case F_TV_AXIS_D3: ReadTimeVarying(item, &a); break;
    case F_NEQ_AXIS_D1:
    case F_NEQ_AXIS_D2:
    case F_NEQ_AXIS_D3:
    case F_CURVE_LINEAR_AXIS_D2:
    case F_CURVE_LINEAR_AXIS_D3: ReadCoordinates(item, &a); break;
  }
  return a;
}

// ---- Setting an axis ------------------------------------------------------

template <typename T>
std::vector<T> Numbers(const py::dict& axis, const char* key, size_t count) {
  std::vector<T> values = axis.contains(key) ? axis[key].cast<std::vector<T>>() : std::vector<T>{};
  if (values.size() != count)
    throw py::value_error(std::string("axis ") + key + " needs " + std::to_string(count) +
                          " values");
  return values;
}

// Element counts along each direction: at least 1, and few enough that the
// elements (and the corners of a curved grid) can be counted in an int.
std::vector<int> Sizes(const py::dict& axis, size_t count) {
  const auto sizes = Numbers<int>(axis, "size", count);
  long long corners = 1;
  for (int n : sizes) {
    if (n < 1) throw py::value_error("axis sizes must be at least 1");
    corners *= static_cast<long long>(n) + 1;
    if (corners > INT_MAX) throw py::value_error("axis too large: more than 2^31 elements");
  }
  return sizes;
}

// The coordinate arrays as contiguous copies, each of the length the setter
// reads from it.
template <typename T>
using Contiguous = py::array_t<T, py::array::c_style | py::array::forcecast>;

template <typename T>
std::vector<Contiguous<T>> Coordinates(const py::dict& axis,
                                       const std::vector<py::ssize_t>& lengths) {
  const py::list given = axis.contains("coords") ? py::list(axis["coords"]) : py::list();
  if (given.size() != lengths.size())
    throw py::value_error("axis coords needs " + std::to_string(lengths.size()) + " arrays");
  std::vector<Contiguous<T>> out;
  for (size_t k = 0; k < lengths.size(); ++k) {
    out.emplace_back(py::reinterpret_borrow<py::object>(given[k]));
    if (out.back().size() != lengths[k])
      throw py::value_error("axis coordinate array " + std::to_string(k) + " needs " +
                            std::to_string(lengths[k]) + " values");
  }
  return out;
}

int ApplyEquidistant(LPITEM item, int type, int unit, const py::dict& axis) {
  const size_t dims = type == F_EQ_AXIS_D1   ? 1
                      : type == F_EQ_AXIS_D2 ? 2
                      : type == F_EQ_AXIS_D3 ? 3
                                             : 4;
  const auto n = Sizes(axis, dims);
  const auto o = Numbers<float>(axis, "origin", dims);
  const auto d = Numbers<float>(axis, "step", dims);
  switch (type) {
    case F_EQ_AXIS_D1: return dfsSetItemAxisEqD1(item, unit, n[0], o[0], d[0]);
    case F_EQ_AXIS_D2: return dfsSetItemAxisEqD2(item, unit, n[0], n[1], o[0], o[1], d[0], d[1]);
    case F_EQ_AXIS_D3:
      return dfsSetItemAxisEqD3(item, unit, n[0], n[1], n[2], o[0], o[1], o[2], d[0], d[1], d[2]);
    default:
      return dfsSetItemAxisEqD4(item, unit, n[0], n[1], n[2], n[3], o[0], o[1], o[2], o[3], d[0],
                                d[1], d[2], d[3]);
  }
}

int ApplyCoordinates(LPITEM item, int type, int unit, const py::dict& axis) {
  if (type == F_NEQ_AXIS_D1) {
    const auto n = Sizes(axis, 1);
    const auto points = Coordinates<float>(axis, {3 * static_cast<py::ssize_t>(n[0])});
    return dfsSetItemAxisNeqD1(item, unit, n[0], points[0].data());
  }
  const bool curved = type == F_CURVE_LINEAR_AXIS_D2 || type == F_CURVE_LINEAR_AXIS_D3;
  const size_t dims = type == F_NEQ_AXIS_D2 || type == F_CURVE_LINEAR_AXIS_D2 ? 2 : 3;
  const auto n = Sizes(axis, dims);
  // Edges of every direction, or corners of the whole grid per direction.
  py::ssize_t corners = 1;
  for (int size : n) corners *= static_cast<py::ssize_t>(size) + 1;
  std::vector<py::ssize_t> lengths;
  for (int size : n) lengths.push_back(curved ? corners : static_cast<py::ssize_t>(size) + 1);
  const auto c = Coordinates<double>(axis, lengths);
  switch (type) {
    case F_NEQ_AXIS_D2:
      return dfsSetItemAxisNeqD2(item, unit, n[0], n[1], c[0].data(), c[1].data());
    case F_NEQ_AXIS_D3:
      return dfsSetItemAxisNeqD3(item, unit, n[0], n[1], n[2], c[0].data(), c[1].data(),
                                 c[2].data());
    case F_CURVE_LINEAR_AXIS_D2:
      return dfsSetItemAxisCurveLinearD2(item, unit, n[0], n[1], c[0].data(), c[1].data());
    default:
      return dfsSetItemAxisCurveLinearD3(item, unit, n[0], n[1], n[2], c[0].data(), c[1].data(),
                                         c[2].data());
  }
}

int ApplyTimeVarying(LPITEM item, int type, int unit, const py::dict& axis) {
  const size_t dims = type == F_TV_AXIS_D1 ? 1 : type == F_TV_AXIS_D2 ? 2 : 3;
  const auto n = Sizes(axis, dims);
  if (dims == 1) return dfsSetItemAxisTvarD1(item, unit, n[0]);
  if (dims == 2) return dfsSetItemAxisTvarD2(item, unit, n[0], n[1]);
  return dfsSetItemAxisTvarD3(item, unit, n[0], n[1], n[2]);
}

}  // namespace

py::dict DescribeAxis(LPITEM item) {
  AxisFacts a = ReadAxis(item);
  py::dict axis;
  axis["type"] = a.type;
  axis["unit"] = a.unit;
  axis["unit_name"] = a.unitName;
  axis["size"] = py::tuple(py::cast(a.sizes));
  axis["origin"] = py::tuple(py::cast(a.origin));
  axis["step"] = py::tuple(py::cast(a.step));
  axis["coords"] = py::tuple(py::cast(a.coords));
  return axis;
}

std::vector<py::ssize_t> StepShape(LPITEM item) {
  int n[4] = {};
  const int type = dfsGetItemAxisType(item);
  int dims = 0;
  switch (type) {
    case F_EQ_AXIS_D0: break;
    case F_EQ_AXIS_D1:
    case F_NEQ_AXIS_D1:
    case F_TV_AXIS_D1: dims = 1; break;
    case F_EQ_AXIS_D4: dims = 4; break;
    default: dims = dfsGetItemDim(item);
  }
  for (int k = 0; k < dims && k < 4; ++k) n[k] = item->axisSize[k];
  std::vector<py::ssize_t> shape;
  for (int k = dims - 1; k >= 0; --k) shape.push_back(n[k]);
  return shape;
}

int ApplyAxis(LPITEM item, const py::dict& axis) {
  const int type = axis["type"].cast<int>();
  const int unit = axis.contains("unit") ? axis["unit"].cast<int>() : 0;
  switch (type) {
    case F_EQ_AXIS_D0: return dfsSetItemAxisEqD0(item, unit);
    case F_EQ_AXIS_D1:
    case F_EQ_AXIS_D2:
    case F_EQ_AXIS_D3:
    case F_EQ_AXIS_D4: return ApplyEquidistant(item, type, unit, axis);
    case F_NEQ_AXIS_D1:
    case F_NEQ_AXIS_D2:
    case F_NEQ_AXIS_D3:
    case F_CURVE_LINEAR_AXIS_D2:
    case F_CURVE_LINEAR_AXIS_D3: return ApplyCoordinates(item, type, unit, axis);
    case F_TV_AXIS_D1:
    case F_TV_AXIS_D2:
    case F_TV_AXIS_D3: return ApplyTimeVarying(item, type, unit, axis);
  }
  throw py::value_error("unknown axis type " + std::to_string(type));
}

}  // namespace koracore_py
