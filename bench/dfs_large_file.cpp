// Peak resident memory of a large data file written and read step by step.
//
// One float item on a 1000 x 1000 grid (4 MB a step), statistics type 1,
// as many steps as make KORACORE_BENCH_LARGE_MB megabytes of values
// (default 2048): written through dfsWriteItemTimeStep, then read back
// through dfsReadItemTimeStep. Each phase runs in a child process of its own
// so that its peak resident set (from wait4) is its alone; the program
// prints both next to the size of one step's data. The file goes to
// KORACORE_BENCH_DIR (default /tmp) and is removed at the end.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "qty/qty.h"

namespace {

constexpr int kSide = 1000, kCells = kSide * kSide;
constexpr long kStepBytes = long(kCells) * 4;

std::string FilePath() {
  const char* dir = std::getenv("KORACORE_BENCH_DIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/koracore_bench_large.dfs";
}

int Steps() {
  const char* mb = std::getenv("KORACORE_BENCH_LARGE_MB");
  const long megabytes = mb && *mb ? std::atol(mb) : 2048;
  return static_cast<int>(megabytes * (1L << 20) / kStepBytes);
}

int Unit(const char* name) {
  int unit = 0;
  qtyGetUnitTag(name, &unit);
  return unit;
}

int Write(int steps) {
  LPHEAD h = nullptr;
  if (dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "large", "bench", 1, 1, F_NO_STAT, &h) != 0)
    return 1;
  dfsSetEqCalendarAxis(h, "2024-01-01", "00:00:00", Unit("second"), 0, 0.0, 3600.0);
  dfsSetItemInfo(h, dfsItemD(h, 1), 999, "Water level", Unit("meter"), kfsTypeFloat);
  dfsSetItemAxisEqD2(dfsItemD(h, 1), Unit("meter"), kSide, kSide, 0.f, 0.f, 10.f, 10.f);
  kfsHandle f = nullptr;
  if (dfsFileCreate(FilePath().c_str(), h, &f) != 0) return 1;
  std::vector<float> grid(kCells);
  for (int s = 0; s < steps; ++s) {
    for (int i = 0; i < kCells; ++i) grid[static_cast<size_t>(i)] = (i % 977) * 0.25f + s;
    if (dfsWriteItemTimeStep(h, f, grid.data(), 0.0) != 0) return 1;
  }
  const int closed = dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  return closed != 0;
}

int Read(int steps) {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  if (dfsFileRead(FilePath().c_str(), &h, &f) != 0) return 1;
  std::vector<float> grid(kCells);
  double sum = 0.0;
  for (int s = 0; s < steps; ++s) {
    if (dfsReadItemTimeStep(h, f, nullptr, grid.data()) != 0) return 1;
    sum += grid[12345];
  }
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  return sum > 0.0 ? 0 : 1;
}

// Runs one phase in a child; its peak resident set in kB, -1 on failure.
long InChild(int (*phase)(int), int steps, double* seconds) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) _exit(phase(steps));
  int status = 0;
  struct rusage usage {};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    return -1;
  *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return usage.ru_maxrss;
}

}  // namespace

int main() {
  if (qtySetupLoad(nullptr) != 1) std::fprintf(stderr, "units not loaded\n");
  const int steps = Steps();
  double writeSeconds = 0, readSeconds = 0;
  const long writeRss = InChild(Write, steps, &writeSeconds);
  const long readRss = InChild(Read, steps, &readSeconds);
  std::remove(FilePath().c_str());
  const double gib = double(steps) * kStepBytes / double(1L << 30);
  std::printf("%d steps of %.1f MB, %.2f GiB of values\n", steps, kStepBytes / 1048576.0, gib);
  std::printf("  write step by step: peak RSS %ld MB (%.1f steps of data), %.1f s\n",
              writeRss >> 10, double(writeRss) * 1024 / kStepBytes, writeSeconds);
  std::printf("  read step by step:  peak RSS %ld MB (%.1f steps of data), %.1f s\n", readRss >> 10,
              double(readRss) * 1024 / kStepBytes, readSeconds);
  return writeRss < 0 || readRss < 0;
}
