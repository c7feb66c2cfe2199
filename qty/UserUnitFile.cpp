// The user-unit parameter file: the unit a user prefers for each item type.
//
//   [Item_Unit]
//      Data = 100000, 1005     // item type id, unit id
//      Data = 100200, 2004
//   EndTarget
//
// Pairs that cannot be applied (unknown ids, a unit of another dimension)
// are passed over; the file itself is only read.
#include <string>

#include "qty/QtyStatus.h"
#include "qty/qty.h"
#include "rcf/rcf.h"

namespace {

// Nothing in the library sets a default user-unit file; an empty name loads
// nothing.
const std::string& DefaultUserUnitFile() {
  static const std::string* const name = new std::string();
  return *name;
}

void ApplyUserUnits(void* file) {
  void* target = rcfTargetByNameNum(file, "Item_Unit", 1);
  if (!target) return;
  for (int n = 1;; ++n) {
    void* keyword = rcfKeywordByNameNum(target, "Data", n);
    if (!keyword) break;
    const int item = rcfGetInt(rcfParamByNum(keyword, 1));
    const int unit = rcfGetInt(rcfParamByNum(keyword, 2));
    qtySetItemUserUnit(item, unit);
  }
}

}  // namespace

extern "C" void LoadUnitBaseGroupFile(const char* path) {
  qty::Guarded([&] {
    const std::string name = (path && *path) ? std::string(path) : DefaultUserUnitFile();
    if (name.empty()) return;
    void* file = rcfLoadFile(name.c_str(), RCF_LOAD_DEFAULT);
    if (file) {
      ApplyUserUnits(file);
      rcfClose(&file);
    }
  });
  // The service's error state is left clean for the host's next call.
  rcfGetErrorGlb();
}
