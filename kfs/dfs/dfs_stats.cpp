// Running statistics of dynamic items: accumulated while steps are written,
// derived on request.
#include "kfs/dfs/dfs_stats.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_step.h"

namespace {

constexpr int kPerElement = 9;
enum { kMax, kMin, kSum, kSumSquares, kSumProducts, kPrevious, kValues, kPairs, kMissing };

bool perElement(int statsType) { return statsType == F_REG_STAT || statsType == F_LARGE_STAT; }

// The range of the values that are not missing, and how many are.
template <typename T>
struct Range {
  T hi = std::numeric_limits<T>::lowest();
  T lo = std::numeric_limits<T>::max();
  int missing = 0;
};

template <typename T>
void scanEach(const T* v, int n, T del, Range<T>* r) {
  for (int i = 0; i < n; ++i) {
    const T x = v[i];
    const bool gone = x == del;
    r->missing += gone;
    r->hi = (!gone && x > r->hi) ? x : r->hi;
    r->lo = (!gone && x < r->lo) ? x : r->lo;
  }
}

template <typename T>
void scanRange(const T* v, int n, T del, Range<T>* r) {
  scanEach(v, n, del, r);
}

#if defined(__GNUC__)
// Float grids are what models write most: sixteen values at a time in two
// independent vectors, so that no comparison waits for the one before, in
// AVX2 where the processor has it. A missing value enters as the lowest
// (highest) float and never wins; a NaN never wins either, as in the scalar
// loop.
typedef float Floats8 __attribute__((vector_size(32)));
typedef int Ints8 __attribute__((vector_size(32)));

#if defined(__x86_64__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void scanFloats(const float* v, int n, float del, Range<float>* r) {
  const Floats8 d = del + Floats8{};
  const Floats8 lowest = std::numeric_limits<float>::lowest() + Floats8{};
  const Floats8 highest = std::numeric_limits<float>::max() + Floats8{};
  Floats8 hi0 = lowest, hi1 = lowest, lo0 = highest, lo1 = highest;
  Ints8 missing0 = {}, missing1 = {};
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    Floats8 x0, x1;
    std::memcpy(&x0, v + i, sizeof x0);
    std::memcpy(&x1, v + i + 8, sizeof x1);
    const Ints8 gone0 = x0 == d, gone1 = x1 == d;  // true is -1
    missing0 -= gone0;
    missing1 -= gone1;
    const Floats8 up0 = gone0 ? lowest : x0, up1 = gone1 ? lowest : x1;
    const Floats8 down0 = gone0 ? highest : x0, down1 = gone1 ? highest : x1;
    hi0 = up0 > hi0 ? up0 : hi0;
    hi1 = up1 > hi1 ? up1 : hi1;
    lo0 = down0 < lo0 ? down0 : lo0;
    lo1 = down1 < lo1 ? down1 : lo1;
  }
  for (int k = 0; k < 8; ++k) {
    r->hi = std::max({r->hi, hi0[k], hi1[k]});
    r->lo = std::min({r->lo, lo0[k], lo1[k]});
    r->missing += missing0[k] + missing1[k];
  }
  scanEach(v + i, n - i, del, r);
}

template <>
void scanRange<float>(const float* v, int n, float del, Range<float>* r) {
  // Below one round of the vectors (a gauge's single value) setting them up
  // and folding them would cost many times the values themselves.
  if (n < 16)
    scanEach(v, n, del, r);
  else
    scanFloats(v, n, del, r);
}
#endif

// One element's accumulators advanced by a value that is present. Selects
// rather than branches: the compiler turns them into blends, and the loop
// over a grid then runs at the pace of the memory holding the accumulators.
// The arithmetic is that of the files written so far, operation for
// operation, so the statistics keep their last bit.
inline void addPresent(double* s, double x, double undefined) {
  const double previous = s[kPrevious];
  const bool paired = previous != undefined;
  s[kMax] = s[kMax] == undefined ? x : std::max(s[kMax], x);
  s[kMin] = s[kMin] == undefined ? x : std::min(s[kMin], x);
  s[kSum] += x;
  s[kSumSquares] += x * x;
  s[kSumProducts] = paired ? s[kSumProducts] + previous * x : s[kSumProducts];
  s[kPrevious] = x;
  s[kValues] += 1.0;
  s[kPairs] = paired ? s[kPairs] + 1.0 : s[kPairs];
}

template <typename T>
void addElements(double* stats, const T* v, int n, T del, double undefined, bool anyMissing) {
  if (!anyMissing) {
    // The common case: every value present, no test per element.
    for (int i = 0; i < n; ++i, stats += kPerElement)
      addPresent(stats, static_cast<double>(v[i]), undefined);
    return;
  }
  for (int i = 0; i < n; ++i, stats += kPerElement) {
    if (v[i] == del) {
      stats[kMissing] += 1.0;
      stats[kPrevious] = undefined;
    } else {
      addPresent(stats, static_cast<double>(v[i]), undefined);
    }
  }
}

// The item-wide range of one step, and whether any value was missing.
template <typename T>
bool addItemRange(absItemS* item, const T* v, int n, T del, double undefined) {
  Range<T> r;
  scanRange(v, n, del, &r);
  item->itemMissing += r.missing;
  if (r.hi < r.lo) return r.missing > 0;  // nothing to compare: all missing (or not a number)
  const double h = static_cast<double>(r.hi), l = static_cast<double>(r.lo);
  item->itemMax = item->itemMax == undefined ? h : std::max(item->itemMax, h);
  item->itemMin = item->itemMin == undefined ? l : std::min(item->itemMin, l);
  return r.missing > 0;
}

template <typename T>
void addTyped(LPHEAD h, absItemS* item, const void* values, int n, T del) {
  const T* v = static_cast<const T*>(values);
  const bool anyMissing = addItemRange(item, v, n, del, h->deleteDouble);
  if (perElement(h->statsType)) addElements(item->stats, v, n, del, h->deleteDouble, anyMissing);
}

// A single value handed out in the caller's unit; the delete value stays.
double toCaller(const absItemS* item, double value, double undefined) {
  if (value == undefined || !dfs::convertsData(item)) return value;
  dfs::convertValue(dfs::dataConversion(item), dfs::Direction::ToCaller, &value);
  return value;
}

// A spread is a difference of values: only the factor of a conversion
// applies to it, not the offset (a deviation of 2 degree Celsius is 3.6
// degree Fahrenheit, not 35.6).
double spreadToCaller(const absItemS* item, double spread, double undefined) {
  if (spread == undefined || !dfs::convertsData(item)) return spread;
  double zero = 0.0;
  double value = spread;
  const dfs::Conversion c = dfs::dataConversion(item);
  if (!dfs::convertValue(c, dfs::Direction::ToCaller, &value) ||
      !dfs::convertValue(c, dfs::Direction::ToCaller, &zero))
    return spread;
  return std::fabs(value - zero);
}

struct Derived {
  double mean, variance, covariance, deviation, autocorrelation;
};

Derived derive(const double* s, double D) {
  Derived d{D, D, D, D, D};
  const double n = s[kValues];
  if (n != 0.0) d.mean = s[kSum] / n;
  if (d.mean == D) return d;
  if (n > 1.0) d.variance = std::max(0.0, (s[kSumSquares] - d.mean * d.mean * n) / (n - 1.0));
  if (s[kPairs] != 0.0) d.covariance = s[kSumProducts] / s[kPairs] - d.mean * d.mean;
  if (d.variance != D) d.deviation = std::sqrt(d.variance);
  if (d.variance != D && d.variance != 0.0 && d.covariance != D)
    d.autocorrelation = d.covariance / d.variance;
  return d;
}

// Counts kept as doubles, possibly read from a damaged file.
int countOf(double value) {
  if (!(value >= 0.0)) return 0;
  if (value >= 2147483647.0) return 2147483647;
  return static_cast<int>(value);
}

template <typename T>
void put(T* out, T value) {
  if (out) *out = value;
}

}  // namespace

namespace dfs {

bool keepsStatistics(int dataType) {
  // The simple types 1..5, those with a delete value.
  return dataType >= kfsTypeFloat && dataType <= kfsTypeUInt4;
}

int checkStatistics(LPHEAD h, const absItemS* item) {
  if (h->statsType < F_NO_STAT || h->statsType > F_LARGE_STAT)
    return DFS_FAIL(h, nullptr, kfsErrBlock);
  if (!perElement(h->statsType)) return 0;
  const long long wanted = 9LL * dfsGetUsedItemElements(const_cast<absItemS*>(item));
  if (!item->stats || item->nStats != wanted) return DFS_FAIL(h, nullptr, kfsErrStatistics);
  return 0;
}

void addStatistics(LPHEAD h, absItemS* item, const void* values, int n) {
  switch (item->dataType) {
    case kfsTypeFloat: addTyped(h, item, values, n, h->deleteFloat); break;
    case kfsTypeDouble: addTyped(h, item, values, n, h->deleteDouble); break;
    case kfsTypeByte: addTyped(h, item, values, n, h->deleteByte); break;
    case kfsTypeInt4: addTyped(h, item, values, n, h->deleteInt); break;
    case kfsTypeUInt4: addTyped(h, item, values, n, h->deleteUnsigned); break;
    default: break;
  }
}

}  // namespace dfs

extern "C" {

int dfsCalcStatistics(LPHEAD header, int n, const void* values) try {
  if (int s = dfsCheckHeaderItemNo(header, n, __FILE__, __LINE__)) return s;
  if (int s = dfsCheckVector(values, __FILE__, __LINE__)) return s;
  absItemS* item = &header->items[n - 1];
  if (!dfs::keepsStatistics(item->dataType)) return DFS_FAIL(header, nullptr, kfsErrBlock);
  if (int s = dfs::checkStatistics(header, item)) return s;
  const int used = dfsGetUsedItemElements(item);
  if (used > 0) dfs::addStatistics(header, item, values, used);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsGetItemStatsGlobal(LPITEM item, double* minimum, double* maximum, int* missing) try {
  if (int s = dfsCheckItem(item, __FILE__, __LINE__)) return s;
  const double D = item->header ? item->header->deleteDouble : DFS_DELETE_DOUBLE;
  put(minimum, toCaller(item, item->itemMin, D));
  put(maximum, toCaller(item, item->itemMax, D));
  put(missing, countOf(item->itemMissing + 0.1));
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsGetItemStats(LPHEAD header, int n, int element, double* minimum, double* maximum,
                    double* mean, double* deviation, double* autocorrelation, int* nValues,
                    int* nMissing, int* nPairs) try {
  if (int s = dfsCheckHeaderItemNo(header, n, __FILE__, __LINE__)) return s;
  if (header->statsType == F_NO_STAT) return DFS_FAIL(header, nullptr, kfsErrNullArgument);
  if (!perElement(header->statsType)) return DFS_FAIL(header, nullptr, kfsErrBlock);
  const absItemS* item = &header->items[n - 1];
  const int used = dfsGetUsedItemElements(const_cast<absItemS*>(item));
  if (element < 0 || element >= used || !item->stats || 9LL * element + 9 > item->nStats)
    return DFS_FAIL(header, nullptr, kfsErrStatistics);
  const double D = header->deleteDouble;
  const double* s = item->stats + static_cast<long long>(kPerElement) * element;
  const Derived d = derive(s, D);
  put(minimum, toCaller(item, s[kMin], D));
  put(maximum, toCaller(item, s[kMax], D));
  put(mean, toCaller(item, d.mean, D));
  put(deviation, spreadToCaller(item, d.deviation, D));
  put(autocorrelation, d.autocorrelation);
  put(nValues, countOf(s[kValues]));
  put(nMissing, countOf(s[kMissing]));
  put(nPairs, countOf(s[kPairs]));
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

}  // extern "C"
