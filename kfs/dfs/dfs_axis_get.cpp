// Spatial-axis getters. Equidistant values are converted on the way out;
// coordinate arrays are handed out either as stored (mode 0) or as converted
// copies the item keeps, so that reading never changes what is written back.
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"

namespace {

// Checks the axis type and fills the unit outputs.
int begin(LPITEM item, int type, int* unit, const char** unitName) {
  if (!item || item->axisType != type)
    return DFS_FAIL(item ? item->header : nullptr, nullptr, kfsErrNullArgument);
  if (unit) *unit = item->axisUnit;
  if (unitName) *unitName = dfs::unitName(item->axisUnit);
  return 0;
}

void sizes(LPITEM item, int* x, int* y, int* z, int* t) {
  if (x) *x = item->axisSize[0];
  if (y) *y = item->axisSize[1];
  if (z) *z = item->axisSize[2];
  if (t) *t = item->axisSize[3];
}

// An origin or step of an equidistant axis in the caller's unit.
float toCaller(LPITEM item, float stored) {
  if (item->axisConvMode != 0)
    dfs::convertArray(dfs::axisConversion(item), dfs::Direction::ToCaller, &stored, 1,
                      item->header ? item->header->deleteFloat : DFS_DELETE_FLOAT);
  return stored;
}

float origin(LPITEM item, int i) { return toCaller(item, item->axisOrigin[i]); }
float step(LPITEM item, int i) { return toCaller(item, item->axisStep[i]); }

// Coordinate array i in the caller's unit; null when memory runs out.
double* coordsOut(LPITEM item, int i) {
  if (item->axisConvMode == 0) return item->axisCoords[i];
  if (!item->axisCoordsOut[i]) {
    const long long n = dfs::axisArrayLength(item->axisType, item->axisSize, i);
    double* copy = static_cast<double*>(
        dfs::copyBytes(item->axisCoords[i], static_cast<size_t>(n) * sizeof(double)));
    if (!copy) return nullptr;
    dfs::convertArray(dfs::axisConversion(item), dfs::Direction::ToCaller, copy,
                      static_cast<int>(n),
                      item->header ? item->header->deleteDouble : DFS_DELETE_DOUBLE);
    item->axisCoordsOut[i] = copy;
  }
  return item->axisCoordsOut[i];
}

float* pointsOut(LPITEM item) {
  if (item->axisConvMode == 0) return item->axisPoints;
  if (!item->axisPointsOut) {
    const int n = 3 * item->axisSize[0];
    float* copy = static_cast<float*>(
        dfs::copyBytes(item->axisPoints, static_cast<size_t>(n) * sizeof(float)));
    if (!copy) return nullptr;
    dfs::convertArray(dfs::axisConversion(item), dfs::Direction::ToCaller, copy, n,
                      item->header ? item->header->deleteFloat : DFS_DELETE_FLOAT);
    item->axisPointsOut = copy;
  }
  return item->axisPointsOut;
}

int handOutCoords(LPITEM item, double** x, double** y, double** z) {
  double** out[3] = {x, y, z};
  for (int i = 0; i < dfs::axisArrayCount(item->axisType); ++i) {
    if (!out[i]) continue;
    *out[i] = coordsOut(item, i);
    if (!*out[i]) return DFS_FAIL(item->header, nullptr, kfsErrMemory);
  }
  return 0;
}

}  // namespace

extern "C" {

int dfsGetItemAxisEqD0(LPITEM item, int* unit, const char** unitName) try {
  return begin(item, F_EQ_AXIS_D0, unit, unitName);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisEqD1(LPITEM item, int* unit, const char** unitName, int* size, float* x0,
                       float* dx) try {
  if (int s = begin(item, F_EQ_AXIS_D1, unit, unitName)) return s;
  sizes(item, size, nullptr, nullptr, nullptr);
  if (x0) *x0 = origin(item, 0);
  if (dx) *dx = step(item, 0);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisNeqD1(LPITEM item, int* unit, const char** unitName, int* size,
                        float** coords) try {
  if (int s = begin(item, F_NEQ_AXIS_D1, unit, unitName)) return s;
  sizes(item, size, nullptr, nullptr, nullptr);
  if (coords) {
    *coords = pointsOut(item);
    if (!*coords) return DFS_FAIL(item->header, nullptr, kfsErrMemory);
  }
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisTvarD1(LPITEM item, int* unit, const char** unitName, int* size) try {
  if (int s = begin(item, F_TV_AXIS_D1, unit, unitName)) return s;
  sizes(item, size, nullptr, nullptr, nullptr);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisEqD2(LPITEM item, int* unit, const char** unitName, int* xsize, int* ysize,
                       float* x0, float* y0, float* dx, float* dy) try {
  if (int s = begin(item, F_EQ_AXIS_D2, unit, unitName)) return s;
  sizes(item, xsize, ysize, nullptr, nullptr);
  if (x0) *x0 = origin(item, 0);
  if (y0) *y0 = origin(item, 1);
  if (dx) *dx = step(item, 0);
  if (dy) *dy = step(item, 1);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisNeqD2(LPITEM item, int* unit, const char** unitName, int* xsize, int* ysize,
                        double** x, double** y) try {
  if (int s = begin(item, F_NEQ_AXIS_D2, unit, unitName)) return s;
  sizes(item, xsize, ysize, nullptr, nullptr);
  return handOutCoords(item, x, y, nullptr);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisCurveLinearD2(LPITEM item, int* unit, const char** unitName, int* xsize,
                                int* ysize, double** x, double** y) try {
  if (int s = begin(item, F_CURVE_LINEAR_AXIS_D2, unit, unitName)) return s;
  sizes(item, xsize, ysize, nullptr, nullptr);
  return handOutCoords(item, x, y, nullptr);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisTvarD2(LPITEM item, int* unit, const char** unitName, int* xsize,
                         int* ysize) try {
  if (int s = begin(item, F_TV_AXIS_D2, unit, unitName)) return s;
  sizes(item, xsize, ysize, nullptr, nullptr);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisEqD3(LPITEM item, int* unit, const char** unitName, int* xsize, int* ysize,
                       int* zsize, float* x0, float* y0, float* z0, float* dx, float* dy,
                       float* dz) try {
  if (int s = begin(item, F_EQ_AXIS_D3, unit, unitName)) return s;
  sizes(item, xsize, ysize, zsize, nullptr);
  float* origins[3] = {x0, y0, z0};
  float* steps[3] = {dx, dy, dz};
  for (int i = 0; i < 3; ++i) {
    if (origins[i]) *origins[i] = origin(item, i);
    if (steps[i]) *steps[i] = step(item, i);
  }
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisNeqD3(LPITEM item, int* unit, const char** unitName, int* xsize, int* ysize,
                        int* zsize, double** x, double** y, double** z) try {
  if (int s = begin(item, F_NEQ_AXIS_D3, unit, unitName)) return s;
  sizes(item, xsize, ysize, zsize, nullptr);
  return handOutCoords(item, x, y, z);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisCurveLinearD3(LPITEM item, int* unit, const char** unitName, int* xsize,
                                int* ysize, int* zsize, double** x, double** y, double** z) try {
  if (int s = begin(item, F_CURVE_LINEAR_AXIS_D3, unit, unitName)) return s;
  sizes(item, xsize, ysize, zsize, nullptr);
  return handOutCoords(item, x, y, z);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisTvarD3(LPITEM item, int* unit, const char** unitName, int* xsize, int* ysize,
                         int* zsize) try {
  if (int s = begin(item, F_TV_AXIS_D3, unit, unitName)) return s;
  sizes(item, xsize, ysize, zsize, nullptr);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisEqD4(LPITEM item, int* unit, const char** unitName, int* xsize, int* ysize,
                       int* zsize, int* tsize, float* x0, float* y0, float* z0, float* t0,
                       float* dx, float* dy, float* dz, float* dt) try {
  if (int s = begin(item, F_EQ_AXIS_D4, unit, unitName)) return s;
  sizes(item, xsize, ysize, zsize, tsize);
  float* origins[4] = {x0, y0, z0, t0};
  float* steps[4] = {dx, dy, dz, dt};
  for (int i = 0; i < 4; ++i) {
    if (origins[i]) *origins[i] = origin(item, i);
    if (steps[i]) *steps[i] = step(item, i);
  }
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

}  // extern "C"
