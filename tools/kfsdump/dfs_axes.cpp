#include "dfs_axes.h"

#include "kfs/dfs/dfs_item.h"
#include "unit_labels.h"

namespace kfsdump {

namespace {

const char* AxisName(int type) {
  static const char* const kNames[] = {
      "undefined", "EqD0", "EqD1",  "NeqD1",  "TvarD1", "EqD2",          "NeqD2",
      "TvarD2",    "EqD3", "NeqD3", "TvarD3", "EqD4",   "CurveLinearD2", "CurveLinearD3"};
  return type >= 0 && type <= 13 ? kNames[type] : "unknown";
}

tools::Report Numbers(std::initializer_list<float> values) {
  tools::Report list = tools::Report::List();
  for (float value : values) list.Add(value);
  return list;
}

tools::Report Sizes(std::initializer_list<int> values) {
  tools::Report list = tools::Report::List();
  for (int value : values) list.Add(static_cast<double>(value));
  return list;
}

// Sizes, origins and steps of the equidistant axes (1 to 4 directions).
void Equidistant(tools::Report& axis, LPITEM item, int type) {
  int nx = 0, ny = 0, nz = 0, nt = 0;
  float x0 = 0, y0 = 0, z0 = 0, t0 = 0, dx = 0, dy = 0, dz = 0, dt = 0;
  if (type == F_EQ_AXIS_D1) {
    dfsGetItemAxisEqD1(item, nullptr, nullptr, &nx, &x0, &dx);
    axis.Set("size", Sizes({nx})).Set("origin", Numbers({x0})).Set("step", Numbers({dx}));
  } else if (type == F_EQ_AXIS_D2) {
    dfsGetItemAxisEqD2(item, nullptr, nullptr, &nx, &ny, &x0, &y0, &dx, &dy);
    axis.Set("size", Sizes({nx, ny}))
        .Set("origin", Numbers({x0, y0}))
        .Set("step", Numbers({dx, dy}));
  } else if (type == F_EQ_AXIS_D3) {
    dfsGetItemAxisEqD3(item, nullptr, nullptr, &nx, &ny, &nz, &x0, &y0, &z0, &dx, &dy, &dz);
    axis.Set("size", Sizes({nx, ny, nz}))
        .Set("origin", Numbers({x0, y0, z0}))
        .Set("step", Numbers({dx, dy, dz}));
  } else {
    dfsGetItemAxisEqD4(item, nullptr, nullptr, &nx, &ny, &nz, &nt, &x0, &y0, &z0, &t0, &dx, &dy,
                       &dz, &dt);
    axis.Set("size", Sizes({nx, ny, nz, nt}))
        .Set("origin", Numbers({x0, y0, z0, t0}))
        .Set("step", Numbers({dx, dy, dz, dt}));
  }
}

// The sizes of the axes given by coordinates or without any.
void Sized(tools::Report& axis, LPITEM item, int type) {
  int nx = 0, ny = 0, nz = 0;
  switch (type) {
    case F_NEQ_AXIS_D1: dfsGetItemAxisNeqD1(item, nullptr, nullptr, &nx, nullptr); break;
    case F_TV_AXIS_D1: dfsGetItemAxisTvarD1(item, nullptr, nullptr, &nx); break;
    case F_NEQ_AXIS_D2:
      dfsGetItemAxisNeqD2(item, nullptr, nullptr, &nx, &ny, nullptr, nullptr);
      break;
    case F_TV_AXIS_D2: dfsGetItemAxisTvarD2(item, nullptr, nullptr, &nx, &ny); break;
    case F_CURVE_LINEAR_AXIS_D2:
      dfsGetItemAxisCurveLinearD2(item, nullptr, nullptr, &nx, &ny, nullptr, nullptr);
      break;
    case F_NEQ_AXIS_D3:
      dfsGetItemAxisNeqD3(item, nullptr, nullptr, &nx, &ny, &nz, nullptr, nullptr, nullptr);
      break;
    case F_TV_AXIS_D3: dfsGetItemAxisTvarD3(item, nullptr, nullptr, &nx, &ny, &nz); break;
    default:
      dfsGetItemAxisCurveLinearD3(item, nullptr, nullptr, &nx, &ny, &nz, nullptr, nullptr, nullptr);
  }
  const int dimensions = dfsGetItemDim(item);
  tools::Report sizes = tools::Report::List();
  const int all[3] = {nx, ny, nz};
  for (int i = 0; i < dimensions && i < 3; ++i) sizes.Add(double(all[i]));
  axis.Set("size", std::move(sizes));
}

}  // namespace

tools::Report AxisReport(LPITEM item) {
  const int type = dfsGetItemAxisType(item);
  tools::Report axis = tools::Report::Object();
  axis.Set("type", type).Set("name", AxisName(type));
  if (type < F_EQ_AXIS_D0 || type > F_CURVE_LINEAR_AXIS_D3) return axis;
  axis.Set("unit", UnitReport(dfsGetItemGeometryUnit(item), nullptr))
      .Set("dimensions", dfsGetItemDim(item));
  const bool equidistant =
      type == F_EQ_AXIS_D1 || type == F_EQ_AXIS_D2 || type == F_EQ_AXIS_D3 || type == F_EQ_AXIS_D4;
  if (equidistant) {
    Equidistant(axis, item, type);
  } else if (type != F_EQ_AXIS_D0) {
    Sized(axis, item, type);
  }
  return axis;
}

}  // namespace kfsdump
