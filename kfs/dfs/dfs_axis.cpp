// The spatial-axis table: sizes, element counts, dimensions, geometry types,
// and which file types take which axes.
#include "kfs/dfs/dfs_axis.h"

#include <climits>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"

namespace dfs {

bool isKnownAxis(int type) { return type >= F_EQ_AXIS_D0 && type <= F_CURVE_LINEAR_AXIS_D3; }

int axisSizeCount(int type) {
  switch (type) {
    case F_EQ_AXIS_D1:
    case F_NEQ_AXIS_D1:
    case F_TV_AXIS_D1: return 1;
    case F_EQ_AXIS_D2:
    case F_NEQ_AXIS_D2:
    case F_TV_AXIS_D2:
    case F_CURVE_LINEAR_AXIS_D2: return 2;
    case F_EQ_AXIS_D3:
    case F_NEQ_AXIS_D3:
    case F_TV_AXIS_D3:
    case F_CURVE_LINEAR_AXIS_D3: return 3;
    case F_EQ_AXIS_D4: return 4;
    default: return 0;
  }
}

bool isEquidistantAxis(int type) {
  return type == F_EQ_AXIS_D1 || type == F_EQ_AXIS_D2 || type == F_EQ_AXIS_D3 ||
         type == F_EQ_AXIS_D4;
}

bool isTimeVaryingAxis(int type) {
  return type == F_TV_AXIS_D1 || type == F_TV_AXIS_D2 || type == F_TV_AXIS_D3;
}

int axisArrayCount(int type) {
  switch (type) {
    case F_NEQ_AXIS_D2:
    case F_CURVE_LINEAR_AXIS_D2: return 2;
    case F_NEQ_AXIS_D3:
    case F_CURVE_LINEAR_AXIS_D3: return 3;
    default: return 0;
  }
}

long long axisArrayLength(int type, const int sizes[4], int i) {
  if (type == F_NEQ_AXIS_D2 || type == F_NEQ_AXIS_D3) return static_cast<long long>(sizes[i]) + 1;
  long long corners = 1;
  for (int k = 0; k < axisSizeCount(type); ++k) corners *= static_cast<long long>(sizes[k]) + 1;
  return corners;
}

bool axisAllowedForFileType(int axisType, int fileType) {
  const bool fixedSpace = fileType == F_EQTIME_FIXEDSPACE_ALLITEMS ||
                          fileType == F_NEQTIME_FIXEDSPACE_ALLITEMS ||
                          fileType == F_NEQTIME_FIXEDSPACE_VARITEMS;
  const bool varyingSpace =
      fileType == F_EQTIME_TVARSPACE_ALLITEMS || fileType == F_NEQTIME_TVARSPACE_VARITEMS;
  if (!isKnownAxis(axisType)) return false;
  return isTimeVaryingAxis(axisType) ? varyingSpace : fixedSpace;
}

long long axisElements(const absItemS* item) {
  if (item->axisType == F_UNDEFINED_SAXIS) return 0;
  if (!isKnownAxis(item->axisType)) return -1;
  long long n = 1;
  for (int i = 0; i < axisSizeCount(item->axisType); ++i) n *= item->axisSize[i];
  return n;
}

Conversion axisConversion(const absItemS* item) {
  return Conversion{item->axisConvMode, item->axisConvUnit,
                    dfsGetItemGeometryType(const_cast<absItemS*>(item)), item->axisUnit};
}

void convertAxisValues(absItemS* item, Direction d) {
  if (item->axisConvMode == 0) return;
  const Conversion c = axisConversion(item);
  const float del = item->header ? item->header->deleteFloat : DFS_DELETE_FLOAT;
  const double delD = item->header ? item->header->deleteDouble : DFS_DELETE_DOUBLE;
  const int n = axisSizeCount(item->axisType);
  if (isEquidistantAxis(item->axisType)) {
    convertArray(c, d, item->axisOrigin, n, del);
    convertArray(c, d, item->axisStep, n, del);
  }
  if (item->axisPoints) convertArray(c, d, item->axisPoints, 3 * item->axisSize[0], del);
  for (int i = 0; i < axisArrayCount(item->axisType); ++i) {
    if (!item->axisCoords[i]) continue;
    const long long len = axisArrayLength(item->axisType, item->axisSize, i);
    convertArray(c, d, item->axisCoords[i], static_cast<int>(len), delD);
  }
}

}  // namespace dfs

namespace {

int clampCount(long long n) { return n < 0 ? 0 : (n > INT_MAX ? INT_MAX : static_cast<int>(n)); }

// The encode-key length limits dynamic items of encoded files.
int limitByKeys(LPITEM item, int elements, bool needsCompressionEnabled) {
  const LPHEAD h = item->header;
  if (item->isStatic || !h || !h->encoded) return elements;
  if (needsCompressionEnabled && !h->compressionEnabled) return elements;
  const int keys = h->dfsEncode.nRecordSize;
  return keys < elements ? keys : elements;
}

}  // namespace

namespace dfs {

void itemElementCountsOfAxis(const absItemS* item, int* elements, int* used) {
  auto* writable = const_cast<absItemS*>(item);
  const int all = clampCount(axisElements(item));
  *elements = limitByKeys(writable, all, true);
  *used = limitByKeys(writable, all, false);
}

}  // namespace dfs

extern "C" {

int dfsGetItemAxisType(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 0;
  return item->axisType;
}
KORA_CATCH_ALL(0)

int dfsGetItemDim(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), -1;
  if (item->axisType == F_EQ_AXIS_D0) return 0;
  const int n = dfs::axisSizeCount(item->axisType);
  return n == 0 ? -1 : n;
}
KORA_CATCH_ALL(-1)

int dfsGetItemGeometryType(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 999;
  switch (dfsGetItemDim(item)) {
    case 0: return 100185;
    case 1: return 100186;
    case 2: return 100187;
    case 3:
    case 4: return 100188;
    default: return 999;
  }
}
KORA_CATCH_ALL(999)

int dfsGetItemGeometryUnit(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 0;
  return item->axisType == F_UNDEFINED_SAXIS ? 0 : item->axisUnit;
}
KORA_CATCH_ALL(0)

int dfsGetAxisElements(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 0;
  return clampCount(dfs::axisElements(item));
}
KORA_CATCH_ALL(0)

int dfsGetItemElements(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 0;
  return limitByKeys(item, dfsGetAxisElements(item), true);
}
KORA_CATCH_ALL(0)

int dfsGetUsedItemElements(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 0;
  return limitByKeys(item, dfsGetAxisElements(item), false);
}
KORA_CATCH_ALL(0)

long long dfsGetItemBytes(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 0;
  return static_cast<long long>(dfsGetItemElements(item)) * dfsSimpSize(item->dataType);
}
KORA_CATCH_ALL(0LL)

long long dfsGetUsedItemBytes(LPITEM item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument), 0;
  return static_cast<long long>(dfsGetUsedItemElements(item)) * dfsSimpSize(item->dataType);
}
KORA_CATCH_ALL(0LL)

int dfsGetItemXYZSize(LPITEM item, int* size) try {
  if (!item || !size) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  if (item->axisType == F_EQ_AXIS_D0) {
    *size = 1;
    return 0;
  }
  const int n = dfs::axisSizeCount(item->axisType);
  if (n == 0) return DFS_FAIL(item->header, nullptr, kfsErrBlock);
  long long product = 1;
  for (int i = 0; i < n && i < 3; ++i) product *= item->axisSize[i];
  *size = clampCount(product);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemXYSize(LPITEM item, int* size) try {
  if (!item || !size) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  const int t = item->axisType;
  if (t == F_EQ_AXIS_D0 || t == F_EQ_AXIS_D1) {
    *size = 1;
    return 0;
  }
  if (t >= F_EQ_AXIS_D2 && t <= F_CURVE_LINEAR_AXIS_D3) {
    *size = clampCount(static_cast<long long>(item->axisSize[0]) * item->axisSize[1]);
    return 0;
  }
  return DFS_FAIL(item->header, nullptr, kfsErrBlock);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemXSize(LPITEM item, int* size) try {
  if (!item || !size) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  *size = item->axisType == F_EQ_AXIS_D0 ? 1 : item->axisSize[0];
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

}  // extern "C"
