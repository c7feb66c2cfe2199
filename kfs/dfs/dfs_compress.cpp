// Compression by encode keys: value i of a stored step lies at grid index
// x[i] + y[i] * xsize + z[i] * xsize * ysize of the item's grid. Keys come
// from files, so every one is checked against the grid before a value moves.
#include <cstring>

#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_step.h"

namespace {

// Extent of the grid along direction d (1 where the axis has none).
long long extent(const absItemS* item, int d) {
  return d < dfs::axisSizeCount(item->axisType) ? item->axisSize[d] : 1;
}

// Key value i of direction d: absent keys are 0 (a 2-D grid has no z key).
bool keyAt(const int* key, int i, long long size, long long* out) {
  *out = key ? key[i] : 0;
  return *out >= 0 && *out < size;
}

template <typename T>
void collapse(const T* grid, const std::vector<long long>& indices, T* out) {
  const size_t n = indices.size();
  for (size_t i = 0; i < n; ++i) out[i] = grid[indices[i]];
}

template <typename T>
void expand(const T* stored, const std::vector<long long>& indices, long long elements, T fill,
            T* grid) {
  for (long long e = 0; e < elements; ++e) grid[e] = fill;
  const size_t n = indices.size();
  for (size_t i = 0; i < n; ++i) grid[indices[i]] = stored[i];
}

}  // namespace

namespace dfs {

bool storedIndices(LPHEAD h, const absItemS* item, int used, std::vector<long long>* indices) {
  const long long nx = extent(item, 0), ny = extent(item, 1), nz = extent(item, 2);
  const dfsEncodeKeys& keys = h->dfsEncode;
  if (used > keys.nRecordSize) return false;
  indices->resize(static_cast<size_t>(used));
  for (int i = 0; i < used; ++i) {
    long long x, y, z;
    if (!keyAt(keys.xkey, i, nx, &x) || !keyAt(keys.ykey, i, ny, &y) ||
        !keyAt(keys.zkey, i, nz, &z))
      return false;
    (*indices)[static_cast<size_t>(i)] = x + y * nx + z * nx * ny;
  }
  return true;
}

void collapseValues(int type, const void* grid, const std::vector<long long>& indices, void* out) {
  switch (type) {
    case kfsTypeDouble:
      collapse(static_cast<const double*>(grid), indices, static_cast<double*>(out));
      break;
    case kfsTypeFloat:
      collapse(static_cast<const float*>(grid), indices, static_cast<float*>(out));
      break;
    case kfsTypeInt4:
    case kfsTypeUInt4:  // same size and representation: signed access is allowed
      collapse(static_cast<const int*>(grid), indices, static_cast<int*>(out));
      break;
    case kfsTypeInt2:
    case kfsTypeUInt2:
      collapse(static_cast<const short*>(grid), indices, static_cast<short*>(out));
      break;
    default:
      collapse(static_cast<const unsigned char*>(grid), indices, static_cast<unsigned char*>(out));
      break;
  }
}

// Elements a compressed file does not store read as the delete value of
// the item's own type (there is none for the 16-bit types: 0).
void expandValues(LPHEAD h, int type, const void* stored, const std::vector<long long>& indices,
                  long long elements, void* grid) {
  switch (type) {
    case kfsTypeFloat:
      expand(static_cast<const float*>(stored), indices, elements, h->deleteFloat,
             static_cast<float*>(grid));
      break;
    case kfsTypeDouble:
      expand(static_cast<const double*>(stored), indices, elements, h->deleteDouble,
             static_cast<double*>(grid));
      break;
    case kfsTypeInt4:
      expand(static_cast<const int*>(stored), indices, elements, h->deleteInt,
             static_cast<int*>(grid));
      break;
    case kfsTypeUInt4:
      expand(static_cast<const unsigned int*>(stored), indices, elements, h->deleteUnsigned,
             static_cast<unsigned int*>(grid));
      break;
    case kfsTypeByte:
      expand(static_cast<const unsigned char*>(stored), indices, elements, h->deleteByte,
             static_cast<unsigned char*>(grid));
      break;
    default:
      expand(static_cast<const short*>(stored), indices, elements, short(0),
             static_cast<short*>(grid));
      break;
  }
}

}  // namespace dfs
