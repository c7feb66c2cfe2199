// Single-point time series moved as rows of doubles: time in seconds, then
// one value per item. For files whose items hold one value per step (gauges,
// boundary series), where a host wants the whole series in one call.
#include <cstring>
#include <vector>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

// One value per item and step, else the rows would not hold the items.
int checkSinglePoint(LPHEAD h, kfsHandle f) {
  for (int i = 0; i < h->nItems; ++i)
    if (dfsGetItemElements(&h->items[i]) != 1) return DFS_FAIL(h, f, kfsErrBlock);
  return 0;
}

double asDouble(LPHEAD h, int type, const unsigned char* raw) {
  if (type == kfsTypeFloat) {
    float v;
    std::memcpy(&v, raw, sizeof v);
    return v == h->deleteFloat ? h->deleteDouble : static_cast<double>(v);
  }
  if (type == kfsTypeDouble) {
    double v;
    std::memcpy(&v, raw, sizeof v);
    return v;
  }
  return h->deleteDouble;
}

// The value of one item as it is written; *raw holds up to 8 bytes.
void fromDouble(LPHEAD h, int type, double value, unsigned char* raw) {
  std::memset(raw, 0, 8);
  if (type == kfsTypeFloat) {
    const float v = value == h->deleteDouble ? h->deleteFloat : static_cast<float>(value);
    std::memcpy(raw, &v, sizeof v);
  } else if (type == kfsTypeDouble) {
    std::memcpy(raw, &value, sizeof value);
  }
}

int checkList(LPHEAD h, kfsHandle f, const int* items, int nItems) {
  for (int k = 0; k < nItems; ++k)
    if (items[k] < 1 || items[k] > h->nItems) return DFS_FAIL(h, f, kfsErrBlock);
  return 0;
}

int readRow(LPHEAD h, kfsHandle f, std::vector<double>& values, double* time) {
  unsigned char raw[8];
  for (int i = 0; i < h->nItems; ++i) {
    if (int s = dfsReadItemTimeStep(h, f, time, raw)) return s;
    values[static_cast<size_t>(i)] = asDouble(h, h->items[i].dataType, raw);
  }
  return 0;
}

int readSeries(LPHEAD h, kfsHandle f, double* out, const int* items, int nItems) {
  if (int s = dfsCheckHeaderFile(h, f, __FILE__, __LINE__)) return s;
  if (int s = dfsCheckVector(out, __FILE__, __LINE__)) return s;
  if (!items || nItems < 0) nItems = 0;
  if (int s = checkList(h, f, items, nItems)) return s;
  if (int s = checkSinglePoint(h, f)) return s;
  int steps = 0, equidistant = 0;
  double factor = 1.0;
  if (dfsGetTimeAxisInfo(h, &steps, &factor, &equidistant) != 0) return DFS_FAIL(h, f, kfsErrBlock);
  if (int s = dfsFindBlockDynamic(h, f)) return s;
  const int columns = nItems > 0 ? nItems : h->nItems;
  std::vector<double> values(static_cast<size_t>(h->nItems));
  for (int step = 0; step < steps; ++step) {
    double time = 0.0;
    if (int s = readRow(h, f, values, &time)) return s;
    double* row = out + static_cast<long long>(step) * (1 + columns);
    row[0] = (equidistant ? step : time) * factor;
    for (int k = 0; k < columns; ++k)
      row[1 + k] = values[static_cast<size_t>(nItems > 0 ? items[k] - 1 : k)];
  }
  return 0;
}

int writeSeries(LPHEAD h, kfsHandle f, const double* data, int steps) {
  if (int s = dfsCheckHeaderFile(h, f, __FILE__, __LINE__)) return s;
  if (int s = dfsCheckVector(data, __FILE__, __LINE__)) return s;
  if (steps < 0) return DFS_FAIL(h, f, kfsErrBlock);
  if (int s = checkSinglePoint(h, f)) return s;
  int equidistant = 0, ignored = 0;
  double factor = 1.0;
  dfsGetTimeAxisInfo(h, &ignored, &factor, &equidistant);
  if (factor == 0.0) factor = 1.0;
  unsigned char raw[8];
  for (int step = 0; step < steps; ++step) {
    const double* row = data + static_cast<long long>(step) * (1 + h->nItems);
    const double time = row[0] / factor;
    for (int i = 0; i < h->nItems; ++i) {
      fromDouble(h, h->items[i].dataType, row[1 + i], raw);
      if (int s = dfsWriteItemTimeStep(h, f, raw, time)) return s;
    }
  }
  return 0;
}

}  // namespace

extern "C" {

int dfsReadDfs0DataDouble(LPHEAD header, kfsHandle file, double* out) try {
  return readSeries(header, file, out, nullptr, 0);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsReadDfs0ItemsDouble(LPHEAD header, kfsHandle file, double* out, const int* items,
                           int nItems) try {
  return readSeries(header, file, out, items, nItems);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsWriteDfs0DataDouble(LPHEAD header, kfsHandle file, const double* data, int steps) try {
  return writeSeries(header, file, data, steps);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
