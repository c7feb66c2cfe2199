// The item record: defaults, ownership, and the item information calls.
#include "kfs/dfs/dfs_item.h"

#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_units.h"

namespace dfs {

void freeAxisArrays(absItemS* item) {
  std::free(item->axisPoints);
  std::free(item->axisPointsOut);
  item->axisPoints = nullptr;
  item->axisPointsOut = nullptr;
  for (int i = 0; i < 3; ++i) {
    std::free(item->axisCoords[i]);
    std::free(item->axisCoordsOut[i]);
    item->axisCoords[i] = nullptr;
    item->axisCoordsOut[i] = nullptr;
  }
}

void initItem(absItemS* item, DfsHeader* header, int isStatic) {
  std::memset(item, 0, sizeof *item);
  item->name = copyText("");
  item->header = header;
  item->isStatic = isStatic;
  item->refX = item->refY = item->refZ = DFS_DELETE_FLOAT;
  item->orientAlpha = item->orientPhi = item->orientTheta = DFS_DELETE_FLOAT;
  item->itemMax = item->itemMin = DFS_DELETE_DOUBLE;
}

void clearItem(absItemS* item) {
  std::free(item->name);
  std::free(item->unitText);
  freeAxisArrays(item);
  std::free(item->stats);
  std::free(item->staticData);
  dfsFreeAssocStatic(item);
  item->name = nullptr;
  item->unitText = nullptr;
  item->stats = nullptr;
  item->nStats = 0;
  item->staticData = nullptr;
  item->nStaticData = 0;
}

}  // namespace dfs

namespace {

// Defines the item anew but keeps what ties it to its place.
int resetItem(LPHEAD header, LPITEM item, int itemType, const char* name, int dataType) {
  char* copy = dfs::copyText(name);
  if (!copy) return DFS_FAIL(header, nullptr, kfsErrMemory);
  const int isStatic = item->isStatic;
  dfs::clearItem(item);
  dfs::initItem(item, header, isStatic);
  std::free(item->name);
  item->name = copy;
  item->itemType = itemType;
  item->dataType = dataType;
  item->axisType = F_EQ_AXIS_D0;
  return 0;
}

float convertedFloat(const absItemS* item, dfs::Direction d, float value) {
  // Unset reference coordinates keep their marker.
  if (item->axisConvMode == 0 || value == DFS_DELETE_FLOAT) return value;
  double v = value;
  dfs::convertValue(dfs::axisConversion(item), d, &v);
  return static_cast<float>(v);
}

}  // namespace

extern "C" {

LPITEM dfsItemD(LPHEAD header, int n) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), nullptr;
  if (n < 1 || n > header->nItems || !header->items)
    return DFS_FAIL(header, nullptr, kfsErrItemNumber), nullptr;
  return &header->items[n - 1];
}
KORA_CATCH_ALL((DFS_FAIL(header, nullptr, kfsErrMemory), nullptr))

LPITEM dfsItemS(LPITEM item) try { return item; }
KORA_CATCH_ALL(nullptr)

int dfsGetNoOfItems(LPHEAD header) try {
  if (!header) return DFS_FAIL(header, nullptr, kfsErrNullArgument), 0;
  return header->nItems;
}
KORA_CATCH_ALL(0)

int dfsSetItemInfo(LPHEAD header, LPITEM item, int itemType, const char* name, int unit,
                   int dataType) try {
  if (!header || !item) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (!dfs::unitValidForItemType(itemType, unit)) return DFS_FAIL(header, nullptr, kfsErrUnit);
  const int status = resetItem(header, item, itemType, name, dataType);
  if (status != 0) return status;
  item->unitKey = unit;
  return item->isStatic ? 0 : InitItemStats(item, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSetItemInfo_(LPHEAD header, LPITEM item, int itemType, const char* name,
                    const char* unitText, int dataType) try {
  if (!header || !item) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  char* unitCopy = dfs::copyText(unitText);
  if (!unitCopy) return DFS_FAIL(header, nullptr, kfsErrMemory);
  const int status = resetItem(header, item, itemType, name, dataType);
  if (status != 0) {
    std::free(unitCopy);
    return status;
  }
  item->unitText = unitCopy;
  item->unitKey = 0;
  return item->isStatic ? 0 : InitItemStats(item, __LINE__);
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsUpdateItemInfo(LPHEAD header, LPITEM item, int itemType, const char* name, int unit) try {
  if (!header || !item) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (!dfs::unitValidForItemType(itemType, unit)) return DFS_FAIL(header, nullptr, kfsErrUnit);
  if (item->name) {
    // Same length as stored, so the item block on disk keeps its size.
    const char* text = name ? name : "";
    const size_t stored = std::strlen(item->name);
    const size_t given = std::strlen(text);
    const size_t n = given < stored ? given : stored;
    std::memcpy(item->name, text, n);
    std::memset(item->name + n, ' ', stored - n);
  }
  item->itemType = itemType;
  item->unitKey = unit;
  std::free(item->unitText);
  item->unitText = nullptr;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetItemInfo(LPITEM item, int* itemType, const char** itemTypeName, const char** name,
                   int* unit, const char** unitName, int* dataType) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  if (itemType) *itemType = item->itemType;
  if (itemTypeName) *itemTypeName = dfs::itemTypeName(item->itemType);
  if (name) *name = item->name ? item->name : "";
  const char* registered = dfs::unitName(item->unitKey);
  int key = item->unitKey;
  const char* text = registered;
  if (registered[0] == '\0' && item->unitText) {
    text = item->unitText;
    key = dfs::unitKeyOf(item->unitText);
  }
  if (unit) *unit = key;
  if (unitName) *unitName = text;
  if (dataType) *dataType = item->dataType;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemInfo_(LPITEM item, int* itemType, const char** name, const char** unitText,
                    int* dataType) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  if (itemType) *itemType = item->itemType;
  if (name) *name = item->name ? item->name : "";
  if (unitText) *unitText = item->unitText ? item->unitText : "";
  if (dataType) *dataType = item->dataType;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemValueType(LPITEM item, int valueType) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  item->valueType = valueType;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemValueType(LPITEM item, int* valueType) try {
  if (!item || !valueType) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  *valueType = item->valueType;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemUnitConversion(LPITEM item, int mode, int unit) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  item->dataConvMode = mode;
  item->dataConvUnit = unit;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemUnitConversion(LPITEM item, int* mode, int* unit) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  if (mode) *mode = item->dataConvMode;
  if (unit) *unit = item->dataConvUnit;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisUnitConversion(LPITEM item, int mode, int unit) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  item->axisConvMode = mode;
  item->axisConvUnit = unit;
  // Copies handed out earlier were made for the previous mode.
  std::free(item->axisPointsOut);
  item->axisPointsOut = nullptr;
  for (double*& copy : item->axisCoordsOut) {
    std::free(copy);
    copy = nullptr;
  }
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisUnitConversion(LPITEM item, int* mode, int* unit) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  if (mode) *mode = item->axisConvMode;
  if (unit) *unit = item->axisConvUnit;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemRefCoords(LPITEM item, float x, float y, float z) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  item->refX = convertedFloat(item, dfs::Direction::ToStored, x);
  item->refY = convertedFloat(item, dfs::Direction::ToStored, y);
  item->refZ = convertedFloat(item, dfs::Direction::ToStored, z);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemRefCoords(LPITEM item, float* x, float* y, float* z) try {
  if (!item) {
    if (x) *x = DFS_DELETE_FLOAT;
    if (y) *y = DFS_DELETE_FLOAT;
    if (z) *z = DFS_DELETE_FLOAT;
    return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  }
  if (x) *x = convertedFloat(item, dfs::Direction::ToCaller, item->refX);
  if (y) *y = convertedFloat(item, dfs::Direction::ToCaller, item->refY);
  if (z) *z = convertedFloat(item, dfs::Direction::ToCaller, item->refZ);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsSetItemAxisOrientation(LPITEM item, float alpha, float phi, float theta) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  item->orientAlpha = alpha;
  item->orientPhi = phi;
  item->orientTheta = theta;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemAxisOrientation(LPITEM item, float* alpha, float* phi, float* theta) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  if (alpha) *alpha = item->orientAlpha;
  if (phi) *phi = item->orientPhi;
  if (theta) *theta = item->orientTheta;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

}  // extern "C"
