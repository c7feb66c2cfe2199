// Spatial-axis setters. All thirteen follow one pattern: check the item,
// check the axis against the file type (dynamic items only), check sizes and
// steps, then store the axis with its values converted into the axis unit.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_units.h"

namespace {

// What one setter call asks for; arrays are the caller's.
struct AxisRequest {
  int type = 0;
  int unit = 0;
  int sizes[4] = {0, 0, 0, 0};
  float origin[4] = {0, 0, 0, 0};
  float step[4] = {0, 0, 0, 0};
  const float* points = nullptr;
  const double* coords[3] = {nullptr, nullptr, nullptr};
};

bool sizesValid(const AxisRequest& r) {
  const int n = dfs::axisSizeCount(r.type);
  long long product = 1;
  for (int i = 0; i < n; ++i) {
    if (r.sizes[i] < 1) return false;
    product *= r.sizes[i];
    if (product > INT_MAX) return false;
  }
  return true;
}

bool valuesValid(const AxisRequest& r) {
  if (dfs::isEquidistantAxis(r.type)) {
    for (int i = 0; i < dfs::axisSizeCount(r.type); ++i)
      if (!(r.step[i] > 0.0f)) return false;
  }
  if (r.type == F_NEQ_AXIS_D1 && !r.points) return false;
  for (int i = 0; i < dfs::axisArrayCount(r.type); ++i)
    if (!r.coords[i]) return false;
  return true;
}

// Copies the request's arrays into new owned buffers; false when memory runs
// out (nothing is kept then).
bool copyArrays(const AxisRequest& r, float** points, double* coords[3]) {
  *points = nullptr;
  coords[0] = coords[1] = coords[2] = nullptr;
  if (r.type == F_NEQ_AXIS_D1) {
    *points = static_cast<float*>(
        dfs::copyBytes(r.points, static_cast<size_t>(3) * r.sizes[0] * sizeof(float)));
    if (!*points) return false;
  }
  for (int i = 0; i < dfs::axisArrayCount(r.type); ++i) {
    const long long n = dfs::axisArrayLength(r.type, r.sizes, i);
    coords[i] =
        static_cast<double*>(dfs::copyBytes(r.coords[i], static_cast<size_t>(n) * sizeof(double)));
    if (!coords[i]) {
      std::free(*points);
      for (int j = 0; j < i; ++j) std::free(coords[j]);
      return false;
    }
  }
  return true;
}

int setAxis(LPITEM item, const AxisRequest& r) {
  if (!item || (!item->isStatic && !item->header))
    return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  LPHEAD header = item->header;
  if (!item->isStatic && !dfs::axisAllowedForFileType(r.type, header->fileType))
    return DFS_FAIL(header, nullptr, kfsErrBlock);
  if (!sizesValid(r) || !valuesValid(r)) return DFS_FAIL(header, nullptr, kfsErrNullArgument);

  float* points = nullptr;
  double* coords[3];
  if (!copyArrays(r, &points, coords)) return DFS_FAIL(header, nullptr, kfsErrMemory);

  const long long before = dfs::axisElements(item);
  dfs::freeAxisArrays(item);
  item->axisType = r.type;
  item->axisUnit = r.unit;
  std::memcpy(item->axisSize, r.sizes, sizeof r.sizes);
  std::memcpy(item->axisOrigin, r.origin, sizeof r.origin);
  std::memcpy(item->axisStep, r.step, sizeof r.step);
  item->axisPoints = points;
  for (int i = 0; i < 3; ++i) item->axisCoords[i] = coords[i];
  dfs::convertAxisValues(item, dfs::Direction::ToStored);

  if (!item->isStatic && dfs::axisElements(item) != before) return InitItemStats(item, __LINE__);
  return 0;
}

}  // namespace

extern "C" {

int dfsSetItemAxisEqD0(LPITEM item, int unit) try {
  AxisRequest r;
  r.type = F_EQ_AXIS_D0;
  r.unit = unit;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisEqD1(LPITEM item, int unit, int size, float x0, float dx) try {
  AxisRequest r;
  r.type = F_EQ_AXIS_D1;
  r.unit = unit;
  r.sizes[0] = size;
  r.origin[0] = x0;
  r.step[0] = dx;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisNeqD1(LPITEM item, int unit, int size, const float* coords) try {
  AxisRequest r;
  r.type = F_NEQ_AXIS_D1;
  r.unit = unit;
  r.sizes[0] = size;
  r.points = coords;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisTvarD1(LPITEM item, int unit, int size) try {
  AxisRequest r;
  r.type = F_TV_AXIS_D1;
  r.unit = unit;
  r.sizes[0] = size;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisEqD2(LPITEM item, int unit, int xsize, int ysize, float x0, float y0, float dx,
                       float dy) try {
  AxisRequest r;
  r.type = F_EQ_AXIS_D2;
  r.unit = unit;
  r.sizes[0] = xsize;
  r.sizes[1] = ysize;
  r.origin[0] = x0;
  r.origin[1] = y0;
  r.step[0] = dx;
  r.step[1] = dy;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisNeqD2(LPITEM item, int unit, int xsize, int ysize, const double* x,
                        const double* y) try {
  AxisRequest r;
  r.type = F_NEQ_AXIS_D2;
  r.unit = unit;
  r.sizes[0] = xsize;
  r.sizes[1] = ysize;
  r.coords[0] = x;
  r.coords[1] = y;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisCurveLinearD2(LPITEM item, int unit, int xsize, int ysize, const double* x,
                                const double* y) try {
  AxisRequest r;
  r.type = F_CURVE_LINEAR_AXIS_D2;
  r.unit = unit;
  r.sizes[0] = xsize;
  r.sizes[1] = ysize;
  r.coords[0] = x;
  r.coords[1] = y;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisTvarD2(LPITEM item, int unit, int xsize, int ysize) try {
  AxisRequest r;
  r.type = F_TV_AXIS_D2;
  r.unit = unit;
  r.sizes[0] = xsize;
  r.sizes[1] = ysize;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisEqD3(LPITEM item, int unit, int xsize, int ysize, int zsize, float x0, float y0,
                       float z0, float dx, float dy, float dz) try {
  AxisRequest r;
  r.type = F_EQ_AXIS_D3;
  r.unit = unit;
  r.sizes[0] = xsize;
  r.sizes[1] = ysize;
  r.sizes[2] = zsize;
  r.origin[0] = x0;
  r.origin[1] = y0;
  r.origin[2] = z0;
  r.step[0] = dx;
  r.step[1] = dy;
  r.step[2] = dz;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisNeqD3(LPITEM item, int unit, int xsize, int ysize, int zsize, const double* x,
                        const double* y, const double* z) try {
  AxisRequest r;
  r.type = F_NEQ_AXIS_D3;
  r.unit = unit;
  r.sizes[0] = xsize;
  r.sizes[1] = ysize;
  r.sizes[2] = zsize;
  r.coords[0] = x;
  r.coords[1] = y;
  r.coords[2] = z;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisCurveLinearD3(LPITEM item, int unit, int xsize, int ysize, int zsize,
                                const double* x, const double* y, const double* z) try {
  AxisRequest r;
  r.type = F_CURVE_LINEAR_AXIS_D3;
  r.unit = unit;
  r.sizes[0] = xsize;
  r.sizes[1] = ysize;
  r.sizes[2] = zsize;
  r.coords[0] = x;
  r.coords[1] = y;
  r.coords[2] = z;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisTvarD3(LPITEM item, int unit, int xsize, int ysize, int zsize) try {
  AxisRequest r;
  r.type = F_TV_AXIS_D3;
  r.unit = unit;
  r.sizes[0] = xsize;
  r.sizes[1] = ysize;
  r.sizes[2] = zsize;
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisEqD4(LPITEM item, int unit, int xsize, int ysize, int zsize, int tsize, float x0,
                       float y0, float z0, float t0, float dx, float dy, float dz, float dt) try {
  AxisRequest r;
  r.type = F_EQ_AXIS_D4;
  r.unit = unit;
  const int sizes[4] = {xsize, ysize, zsize, tsize};
  const float origin[4] = {x0, y0, z0, t0};
  const float step[4] = {dx, dy, dz, dt};
  std::memcpy(r.sizes, sizes, sizeof sizes);
  std::memcpy(r.origin, origin, sizeof origin);
  std::memcpy(r.step, step, sizeof step);
  return setAxis(item, r);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

}  // extern "C"
