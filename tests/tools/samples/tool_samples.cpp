// Files and numbers for the tests of the command-line tools, made through
// the libraries:
//
//   tool_samples files DIR             DIR/sections.xfs (two cross-sections),
//                                      DIR/relative.dfs (a relative,
//                                      non-equidistant axis; an item whose
//                                      unit is known by text only; an integer
//                                      item), DIR/other.kfs (a container of
//                                      another kind)
//   tool_samples convert V FROM TO     the library's conversion of V between
//                                      two unit ids, to the last bit ("%a")
#include <cstdio>
#include <cstdlib>
#include <string>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/xfs/xfs.h"
#include "qty/qty.h"

namespace {

bool g_failed = false;

void Check(long long status, const char* what) {
  if (status == 0) return;
  std::fprintf(stderr, "tool_samples: %s failed with %lld\n", what, status);
  g_failed = true;
}

void WriteSections(const std::string& path) {
  kfsHandle file = nullptr;
  Check(xfsFileOpenCreate(path.c_str(), &file), "xfsFileOpenCreate");
  const char* const branches[] = {"Main", "Side arm"};
  for (int n = 0; n < 2 && file; ++n) {
    xfsStrucP section = xfsXsecCreate("River 2024", branches[n], 100.0 * (n + 1));
    if (!section || !xfsXsecSetNoRaw(section, static_cast<unsigned short>(3 + n))) g_failed = true;
    if (section) Check(xfsXsecWrite(section, file), "xfsXsecWrite");
    xfsXsecFree(&section);
  }
  Check(xfsFileClose(&file), "xfsFileClose");
}

// Levels at 0, 10 and 25 seconds after an axis start of 5 s; the level's
// unit is "furlong", a name no unit table knows; the count is an integer.
void WriteRelative(const std::string& path) {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  Check(dfsHeaderCreate(F_NEQTIME_FIXEDSPACE_ALLITEMS, "relative", "tool_samples", 1, 2, F_NO_STAT,
                        &h),
        "dfsHeaderCreate");
  Check(dfsSetNeqTimeAxis(h, 1400, 0), "dfsSetNeqTimeAxis");
  Check(dfsSetItemInfo_(h, dfsItemD(h, 1), 999, "Level", "furlong", kfsTypeFloat),
        "dfsSetItemInfo_");
  Check(dfsSetItemAxisEqD0(dfsItemD(h, 1), 1000), "dfsSetItemAxisEqD0");
  Check(dfsSetItemInfo(h, dfsItemD(h, 2), 999, "Count", 1, kfsTypeInt4), "dfsSetItemInfo");
  Check(dfsSetItemAxisEqD1(dfsItemD(h, 2), 1000, 2, 0.f, 1.f), "dfsSetItemAxisEqD1");
  Check(dfsFileCreate(path.c_str(), h, &f), "dfsFileCreate");
  const double times[] = {5.0, 15.0, 30.0};
  for (int step = 0; step < 3 && f; ++step) {
    const float level = 0.25f * static_cast<float>(step);
    const int counts[2] = {step, step == 1 ? dfsGetDeleteValInt(h) : -step};
    Check(dfsWriteItemTimeStep(h, f, &level, times[step]), "dfsWriteItemTimeStep");
    Check(dfsWriteItemTimeStep(h, f, counts, times[step]), "dfsWriteItemTimeStep");
  }
  if (f) Check(dfsFileClose(h, &f), "dfsFileClose");
  dfsHeaderDestroy(&h);
}

void WriteOther(const std::string& path) {
  kfsHandle file = nullptr;
  Check(kfsFileOpenCreate(path.c_str(), "tool_samples", &file, nullptr, 0), "kfsFileOpenCreate");
  const double values[2] = {1.5, 2.5};
  kfsLblock block = kfsLblockAdd(kfsTypeDouble, 2, values, 1, nullptr);
  Check(kfsLblockWrite(7, file, block), "kfsLblockWrite");
  kfsLblockFree(&block);
  const int single = 42;
  Check(kfsLrecWrite(file, kfsTypeInt4, 1, &single), "kfsLrecWrite");
  Check(kfsFileClose(&file), "kfsFileClose");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "files" && argc == 3) {
    if (qtySetupLoad(nullptr) != 1) return 1;
    const std::string dir = std::string(argv[2]) + "/";
    WriteSections(dir + "sections.xfs");
    WriteRelative(dir + "relative.dfs");
    WriteOther(dir + "other.kfs");
    return g_failed ? 1 : 0;
  }
  if (command == "convert" && argc == 5) {
    if (qtySetupLoad(nullptr) != 1) return 1;
    double result = 0.0;
    if (!qtyConvertUnit(std::atoi(argv[3]), std::atoi(argv[4]), &result,
                        std::strtod(argv[2], nullptr))) {
      return 1;
    }
    std::printf("%a\n", result);
    return 0;
  }
  std::fprintf(stderr, "usage: tool_samples files DIR | convert VALUE FROM TO\n");
  return 2;
}
