// The stored form of an item: item block (30005 with a unit key, 30002 with
// a unit name), value type (30006) and spatial-axis block (31051..31062;
// 31001..31010 in older files, without the axis unit).
#include <climits>
#include <cstdlib>
#include <cstring>

#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_blockio.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_units.h"

namespace {

constexpr int kTagItemKey = 30005;
constexpr int kTagItemText = 30002;
constexpr int kTagValueType = 30006;
constexpr int kTagAxisOldBase = 31000;
constexpr int kTagAxisBase = 31050;

bool writesUnitText(const absItemS* item) { return item->unitText && item->unitKey <= 0; }

int axisTypeOfTag(int tag, bool* hasUnit) {
  *hasUnit = true;
  if (tag >= kTagAxisBase + 1 && tag <= kTagAxisBase + 10) return tag - kTagAxisBase;
  if (tag == 31061) return F_CURVE_LINEAR_AXIS_D2;
  if (tag == 31062) return F_CURVE_LINEAR_AXIS_D3;
  *hasUnit = false;
  if (tag >= kTagAxisOldBase + 1 && tag <= kTagAxisOldBase + 10) return tag - kTagAxisOldBase;
  return 0;
}

int writeAxis(kfsHandle file, const absItemS* item) {
  const int type = item->axisType;
  const int n = dfs::axisSizeCount(type);
  int ints[5] = {item->axisUnit, 0, 0, 0, 0};
  std::memcpy(ints + 1, item->axisSize, sizeof(int) * static_cast<size_t>(n));
  float eq[8];
  dfs::OutBlock b;
  b.add(kfsTypeInt4, static_cast<unsigned int>(1 + n), ints);
  if (dfs::isEquidistantAxis(type)) {
    std::memcpy(eq, item->axisOrigin, sizeof(float) * static_cast<size_t>(n));
    std::memcpy(eq + n, item->axisStep, sizeof(float) * static_cast<size_t>(n));
    b.add(kfsTypeFloat, static_cast<unsigned int>(2 * n), eq);
  }
  if (type == F_NEQ_AXIS_D1)
    b.add(kfsTypeFloat, static_cast<unsigned int>(3 * item->axisSize[0]), item->axisPoints);
  for (int i = 0; i < dfs::axisArrayCount(type); ++i) {
    const long long len = dfs::axisArrayLength(type, item->axisSize, i);
    b.add(kfsTypeDouble, static_cast<unsigned int>(len), item->axisCoords[i]);
  }
  return b.write(file, static_cast<unsigned int>(dfs::axisTag(type)), __FILE__, __LINE__);
}

// Sizes from a file: each at least 1 and all elements countable in an int.
bool sizesSane(const int* sizes, int n) {
  long long product = 1;
  for (int i = 0; i < n; ++i) {
    if (sizes[i] < 1) return false;
    product *= sizes[i];
    if (product > INT_MAX) return false;
  }
  return true;
}

template <typename T>
T* copyOf(const void* data, long long n) {
  return static_cast<T*>(dfs::copyBytes(data, static_cast<size_t>(n) * sizeof(T)));
}

int readAxis(kfsHandle file, absItemS* item) {
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  bool hasUnit = true;
  const int type = axisTypeOfTag(tag, &hasUnit);
  if (type == 0) return DFS_FAIL(nullptr, file, kfsErrTimeStep);
  const int n = dfs::axisSizeCount(type);
  const int nInts = n + (hasUnit ? 1 : 0);
  int ints[5] = {0, 0, 0, 0, 0};
  if (nInts > 0) {
    const void* data = in.next(kfsTypeInt4, static_cast<unsigned int>(nInts));
    if (!data) return in.status();
    std::memcpy(ints, data, sizeof(int) * static_cast<size_t>(nInts));
  }
  const int* sizes = ints + (hasUnit ? 1 : 0);
  if (!sizesSane(sizes, n)) return DFS_FAIL(nullptr, file, kfsErrBlock);
  dfs::freeAxisArrays(item);
  item->axisType = type;
  item->axisUnit = hasUnit ? ints[0] : 0;
  std::memset(item->axisSize, 0, sizeof item->axisSize);
  std::memcpy(item->axisSize, sizes, sizeof(int) * static_cast<size_t>(n));
  if (dfs::isEquidistantAxis(type)) {
    const float* eq =
        static_cast<const float*>(in.next(kfsTypeFloat, static_cast<unsigned int>(2 * n)));
    if (!eq) return in.status();
    std::memcpy(item->axisOrigin, eq, sizeof(float) * static_cast<size_t>(n));
    std::memcpy(item->axisStep, eq + n, sizeof(float) * static_cast<size_t>(n));
  }
  if (type == F_NEQ_AXIS_D1) {
    const long long len = 3LL * sizes[0];
    if (len > UINT_MAX) return DFS_FAIL(nullptr, file, kfsErrCount);
    const void* data = in.next(kfsTypeFloat, static_cast<unsigned int>(len));
    if (!data) return in.status();
    item->axisPoints = copyOf<float>(data, len);
    if (!item->axisPoints) return DFS_FAIL(nullptr, file, kfsErrMemory);
  }
  for (int i = 0; i < dfs::axisArrayCount(type); ++i) {
    const long long len = dfs::axisArrayLength(type, item->axisSize, i);
    if (len > UINT_MAX) return DFS_FAIL(nullptr, file, kfsErrCount);
    const void* data = in.next(kfsTypeDouble, static_cast<unsigned int>(len));
    if (!data) return in.status();
    item->axisCoords[i] = copyOf<double>(data, len);
    if (!item->axisCoords[i]) return DFS_FAIL(nullptr, file, kfsErrMemory);
  }
  return 0;
}

int readItemBlock(kfsHandle file, absItemS* item) {
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  const int* type = static_cast<const int*>(in.next(kfsTypeInt4, 1));
  char* name = in.nextText();
  if (name) {
    std::free(item->name);
    item->name = name;
  }
  if (tag == kTagItemKey) {
    const int* unit = static_cast<const int*>(in.next(kfsTypeInt4, 1));
    if (unit) item->unitKey = *unit;
  } else {
    char* text = in.nextText();
    std::free(item->unitText);
    item->unitText = text;
    item->unitKey = -1;
  }
  const int* dataType = static_cast<const int*>(in.next(kfsTypeInt4, 1));
  const double* stats = static_cast<const double*>(in.next(kfsTypeDouble, 3));
  const float* ref = static_cast<const float*>(in.next(kfsTypeFloat, 3));
  const float* orient = static_cast<const float*>(in.next(kfsTypeFloat, 3));
  if (in.status() != 0) return in.status();
  item->itemType = *type;
  item->dataType = *dataType;
  item->itemMax = stats[0];
  item->itemMin = stats[1];
  item->itemMissing = stats[2];
  item->refX = ref[0];
  item->refY = ref[1];
  item->refZ = ref[2];
  item->orientAlpha = orient[0];
  item->orientPhi = orient[1];
  item->orientTheta = orient[2];
  return 0;
}

}  // namespace

namespace dfs {

int axisTag(int axisType) {
  if (axisType >= F_EQ_AXIS_D0 && axisType <= F_TV_AXIS_D3) return kTagAxisBase + axisType;
  if (axisType == F_CURVE_LINEAR_AXIS_D2) return 31061;
  if (axisType == F_CURVE_LINEAR_AXIS_D3) return 31062;
  return 0;  // EqD4 and unknown types have no stored form
}

bool axisTagKnown(int tag) {
  bool hasUnit = false;
  return axisTypeOfTag(tag, &hasUnit) != 0;
}

int checkItemWritable(const absItemS* item, bool validateUnit) {
  if (axisTag(item->axisType) == 0) return DFS_FAIL(item->header, nullptr, kfsErrBlock);
  if (validateUnit && !writesUnitText(item) && !unitValidForItemType(item->itemType, item->unitKey))
    return DFS_FAIL(item->header, nullptr, kfsErrUnit);
  return 0;
}

int writeItemBlocks(kfsHandle file, const absItemS* item) {
  const double stats[3] = {item->itemMax, item->itemMin, item->itemMissing};
  const float ref[3] = {item->refX, item->refY, item->refZ};
  const float orient[3] = {item->orientAlpha, item->orientPhi, item->orientTheta};
  const bool text = writesUnitText(item);
  {
    OutBlock b;
    b.add(kfsTypeInt4, 1, &item->itemType);
    b.addText(item->name);
    if (text)
      b.addText(item->unitText);
    else
      b.add(kfsTypeInt4, 1, &item->unitKey);
    b.add(kfsTypeInt4, 1, &item->dataType);
    b.add(kfsTypeDouble, 3, stats);
    b.add(kfsTypeFloat, 3, ref);
    b.add(kfsTypeFloat, 3, orient);
    if (int s = b.write(file, text ? kTagItemText : kTagItemKey, __FILE__, __LINE__)) return s;
  }
  {
    OutBlock b;
    b.add(kfsTypeInt4, 1, &item->valueType);
    if (int s = b.write(file, kTagValueType, __FILE__, __LINE__)) return s;
  }
  return writeAxis(file, item);
}

bool sameStoredForm(const absItemS* a, const absItemS* b) {
  auto length = [](const char* text) { return text ? std::strlen(text) : 0; };
  const bool text = writesUnitText(a);
  if (text != writesUnitText(b) || length(a->name) != length(b->name)) return false;
  if (text && length(a->unitText) != length(b->unitText)) return false;
  if (a->axisType != b->axisType || dfsSimpSize(a->dataType) != dfsSimpSize(b->dataType))
    return false;
  for (int i = 0; i < axisSizeCount(a->axisType); ++i)
    if (a->axisSize[i] != b->axisSize[i]) return false;
  return true;
}

int readItemBlocks(kfsHandle file, int tag, absItemS* item) {
  (void)tag;
  if (int s = readItemBlock(file, item)) return s;
  if (dfs::nextBlockTag(file) == kTagValueType) {
    kfsLblock raw = nullptr;
    int t = 0;
    if (int s = readBlock(file, &raw, &t)) return s;
    InBlock in(raw);
    const int* value = static_cast<const int*>(in.next(kfsTypeInt4, 1));
    if (!value) return in.status();
    item->valueType = *value;
  }
  const int next = dfs::nextBlockTag(file);
  if (!axisTagKnown(next)) {
    if (next < 0) return DFS_FAIL(nullptr, file, kfsErrRead);
    return DFS_FAIL(nullptr, file, kfsErrTimeStep);
  }
  return readAxis(file, item);
}

}  // namespace dfs
