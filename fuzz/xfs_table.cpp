// The cross-section loader and its search: a whole file loaded into a table,
// then walked by search, by neighbours and by identification.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/scratch_file.h"
#include "kfs/xfs/xfs.h"

namespace {

// Search references live as long as the library: one is kept and reused.
xfsSearchRef g_ref = nullptr;

void Walk(xfsTable table) {
  int seen = 0;
  for (xfsStrucP xsec = xfsXsecFind(table, "", "", &g_ref, 0); xsec && seen < 10000;
       xsec = xfsXsecFindNext(table, g_ref), ++seen) {
    xfsXsecPrev(table, xsec);
    xfsXsecNext(table, xsec);
  }
  xfsXsecFind(table, "TOPO", "BRANCH", &g_ref, 100.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::ScratchPath("xfs", ".xns");
  if (!fuzz::WriteInput(path, data, size)) return 0;
  for (int flags = 0; flags <= 1; ++flags) {
    xfsTable table = nullptr;
    if (xfsXsecTableLoad(path.c_str(), &table, flags) == 0 && table) Walk(table);
    if (table) xfsXsecTableFree(&table);
  }
  unlink(path.c_str());
  return 0;
}
