// Rounding the values of an item time step to a number of significant
// digits, so that results compress well and carry no false precision.
#include <cmath>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

constexpr int kMostDigits = 17;

// Exact powers of ten up to 1e22; beyond, pow's result (no digit count that
// large is meaningful for a double anyway).
double powerOfTen(int k) {
  double p = 1.0;
  if (k > 22) return std::pow(10.0, k);
  for (int i = 0; i < k; ++i) p *= 10.0;
  return p;
}

// m / 10^k. The smallest doubles take up to 340 steps of ten to reach the
// digits, and 10^k beyond 10^308 is no double: such a division is made in
// two parts.
double scaleDown(double m, int k) {
  constexpr int kLargest = 300;
  if (k <= kLargest) return m / powerOfTen(k);
  return m / powerOfTen(k - kLargest) / powerOfTen(kLargest);
}

// The magnitude is brought into [10^(digits-1), 10^digits] by steps of ten,
// rounded to an integer there, and scaled back by the exact power of ten.
double roundSignificant(double value, double lower, double upper) {
  double m = std::fabs(value);
  int k = 0;
  if (m < lower) {
    while (m < lower) {
      m *= 10.0;
      ++k;
    }
    m = scaleDown(std::floor(m + 0.5), k);
  } else if (m > upper) {
    while (m > upper) {
      m *= 0.1;
      ++k;
    }
    m = std::floor(m + 0.5) * powerOfTen(k);
  } else {
    m = std::floor(m + 0.5);
  }
  return value < 0 ? -m : m;
}

template <typename T>
void roundAll(T* v, int n, T del, int digits) {
  const double lower = powerOfTen(digits - 1);
  const double upper = powerOfTen(digits);
  for (int i = 0; i < n; ++i) {
    // Zeros and non-finite values have no digits to round (and would never
    // reach the range).
    if (v[i] == del || v[i] == 0 || !std::isfinite(v[i])) continue;
    v[i] = static_cast<T>(roundSignificant(static_cast<double>(v[i]), lower, upper));
  }
}

}  // namespace

extern "C" {

int dfsTruncateItemTimeStep(LPHEAD header, int n, int digits, void* data) try {
  if (int s = dfsCheckHeaderItemNo(header, n, __FILE__, __LINE__)) return s;
  if (int s = dfsCheckVector(data, __FILE__, __LINE__)) return s;
  if (digits < 1) return DFS_FAIL(header, nullptr, kfsErrBlock);
  // A double holds at most 17 significant digits: more leave every value.
  if (digits > kMostDigits) return 0;
  absItemS* item = &header->items[n - 1];
  const int count = dfsGetItemElements(item);
  if (item->dataType == kfsTypeFloat)
    roundAll(static_cast<float*>(data), count, header->deleteFloat, digits);
  else if (item->dataType == kfsTypeDouble)
    roundAll(static_cast<double*>(data), count, header->deleteDouble, digits);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

}  // extern "C"
