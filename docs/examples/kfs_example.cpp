// kfs from C++: the same data file as kfs_example.c, with the header and
// the file closed by destructors however the program leaves the block.
//
//   kfs_example_cpp [FILE]     (default: example_cpp.dfs in the current folder)
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "qty/qty.h"

namespace {

constexpr int kSteps = 3, kCells = 4, kWaterLevel = 100000, kMeter = 1000, kSecond = 1400;

void Check(int status, const char* call) {
  if (status != 0) {
    throw std::runtime_error(std::string(call) + ": " +
                             kfsErrorText(static_cast<unsigned>(status)) + " (" +
                             std::to_string(status) + ")");
  }
}

// A header and the file it belongs to.
struct DataFile {
  LPHEAD header = nullptr;
  kfsHandle file = nullptr;
  DataFile() = default;
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;
  ~DataFile() {
    if (file) dfsFileClose(header, &file);
    dfsHeaderDestroy(&header);
  }
};

void Write(const std::string& path) {
  DataFile out;
  Check(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Example", "kfs_example_cpp", 1, 1, F_NO_STAT,
                        &out.header),
        "dfsHeaderCreate");
  Check(dfsSetEqCalendarAxis(out.header, "2024-11-01", "00:00:00", kSecond, 0, 0.0, 3600.0),
        "dfsSetEqCalendarAxis");
  LPITEM item = dfsItemD(out.header, 1);
  Check(dfsSetItemInfo(out.header, item, kWaterLevel, "Water level", kMeter, kfsTypeFloat),
        "dfsSetItemInfo");
  Check(dfsSetItemAxisEqD1(item, kMeter, kCells, 0.0f, 100.0f), "dfsSetItemAxisEqD1");
  Check(dfsFileCreate(path.c_str(), out.header, &out.file), "dfsFileCreate");
  std::vector<float> level(kCells);
  for (int step = 0; step < kSteps; ++step) {
    for (int cell = 0; cell < kCells; ++cell) level[cell] = 0.5f * step + 0.1f * cell;
    Check(dfsWriteItemTimeStep(out.header, out.file, level.data(), step * 3600.0),
          "dfsWriteItemTimeStep");
  }
  Check(dfsFileClose(out.header, &out.file), "dfsFileClose");
}

void Read(const std::string& path) {
  DataFile in;
  Check(dfsFileRead(path.c_str(), &in.header, &in.file), "dfsFileRead");
  const char* unit = nullptr;
  dfsGetItemInfo(dfsItemD(in.header, 1), nullptr, nullptr, nullptr, nullptr, &unit, nullptr);
  std::vector<float> level(kCells);
  for (int step = 0; step < kSteps; ++step) {
    Check(dfsReadItemTimeStep(in.header, in.file, nullptr, level.data()), "dfsReadItemTimeStep");
    std::printf("step %d: water level %.2f %.2f %.2f %.2f %s\n", step, level[0], level[1], level[2],
                level[3], unit);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "example_cpp.dfs";
  try {
    if (qtySetupLoad(nullptr) != 1) throw std::runtime_error("the unit table could not be loaded");
    Write(path);
    Read(path);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kfs_example_cpp: %s: %s\n", path.c_str(), e.what());
    return 1;
  }
  return 0;
}
