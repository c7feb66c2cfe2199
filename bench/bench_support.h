// What the file benchmarks share: where their files go and the unit tags
// their items carry.
#pragma once

#include <cstdlib>
#include <string>

#include "qty/qty.h"

// A scratch file of the benchmarks: under $KORACORE_BENCH_DIR when it is
// set, else under /tmp.
inline std::string BenchPath(const std::string& name) {
  const char* dir = std::getenv("KORACORE_BENCH_DIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/koracore_bench_" + name;
}

// The tag of a unit of the default table, loaded on first use; 0 when the
// table or the unit is missing.
inline int Unit(const char* name) {
  static const bool loaded = qtySetupLoad(nullptr) == 1;
  (void)loaded;
  int unit = 0;
  qtyGetUnitTag(name, &unit);
  return unit;
}
