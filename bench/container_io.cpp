// Container I/O against plain stdio on the same bytes.
//
// Large records: 256 MiB as float records of 100000 elements, written and
// read back through kfsLrecWrite/kfsLrecRead, and the same bytes with
// fwrite/fread. Small records: one million one-element float records (9
// bytes each on disk), against one fwrite/fread of 9 bytes per record.
// Files go to KORACORE_BENCH_DIR (default /tmp) and live in the page cache;
// after the runs the program prints the container/raw throughput ratios,
// computed from CPU time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "best_time_reporter.h"
#include "kfs/container/kfs.h"

namespace {

constexpr unsigned int kLargeCount = 100000;
constexpr size_t kLargeRecords = (256u << 20) / (kLargeCount * sizeof(float));
constexpr unsigned int kSmallRecords = 1000000;

std::vector<float>& LargeData() {
  static std::vector<float> data = [] {
    std::vector<float> v(kLargeCount);
    for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<float>(i) * 0.5f;
    return v;
  }();
  return data;
}

// The bytes of one record header, as the raw writer reproduces them.
void RecordHeader(unsigned char header[5], unsigned int count) {
  header[0] = kfsTypeFloat;
  std::memcpy(header + 1, &count, 4);
}

void KfsWriteLarge(benchmark::State& state) {
  const std::string path = BenchPath("large.kfs");
  for (auto _ : state) {
    kfsHandle file = nullptr;
    if (kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 0) != 0)
      state.SkipWithError("open");
    for (size_t r = 0; r < kLargeRecords; ++r)
      kfsLrecWrite(file, kfsTypeFloat, kLargeCount, LargeData().data());
    if (kfsPeekError(file) != 0 || kfsFileClose(&file) != 0) state.SkipWithError("write");
  }
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * kLargeRecords * kLargeCount * 4));
}

void RawWriteLarge(benchmark::State& state) {
  const std::string path = BenchPath("large.raw");
  unsigned char header[5];
  RecordHeader(header, kLargeCount);
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) state.SkipWithError("open");
    std::fwrite("OXA_", 1, 4, f);  // a header of the container's size
    std::vector<unsigned char> pad(109, 0);
    std::fwrite(pad.data(), 1, pad.size(), f);
    for (size_t r = 0; r < kLargeRecords; ++r) {
      std::fwrite(header, 1, 5, f);
      std::fwrite(LargeData().data(), sizeof(float), kLargeCount, f);
    }
    if (std::fclose(f) != 0) state.SkipWithError("write");
  }
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * kLargeRecords * kLargeCount * 4));
}

void KfsReadLarge(benchmark::State& state) {
  const std::string path = BenchPath("large.kfs");
  std::vector<float> buffer(kLargeCount);
  for (auto _ : state) {
    kfsHandle file = nullptr;
    if (kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr) != 0) state.SkipWithError("open");
    size_t records = 0;
    while (kfsLrecRead(file, kfsTypeFloat, kLargeCount, buffer.data()) == kLargeCount) ++records;
    if (records != kLargeRecords) state.SkipWithError("short");
    benchmark::DoNotOptimize(buffer.data());
    kfsFileClose(&file);
  }
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * kLargeRecords * kLargeCount * 4));
}

void RawReadLarge(benchmark::State& state) {
  const std::string path = BenchPath("large.raw");
  std::vector<float> buffer(kLargeCount);
  unsigned char header[113];
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) state.SkipWithError("open");
    size_t records = 0;
    if (std::fread(header, 1, 113, f) == 113) {
      while (std::fread(header, 1, 5, f) == 5 &&
             std::fread(buffer.data(), sizeof(float), kLargeCount, f) == kLargeCount)
        ++records;
    }
    if (records != kLargeRecords) state.SkipWithError("short");
    benchmark::DoNotOptimize(buffer.data());
    std::fclose(f);
  }
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * kLargeRecords * kLargeCount * 4));
}

void KfsWriteSmall(benchmark::State& state) {
  const std::string path = BenchPath("small.kfs");
  for (auto _ : state) {
    kfsHandle file = nullptr;
    if (kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 0) != 0)
      state.SkipWithError("open");
    for (unsigned int r = 0; r < kSmallRecords; ++r) {
      float value = static_cast<float>(r);
      kfsLrecWrite(file, kfsTypeFloat, 1, &value);
    }
    if (kfsPeekError(file) != 0 || kfsFileClose(&file) != 0) state.SkipWithError("write");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSmallRecords));
}

void RawWriteSmall(benchmark::State& state) {
  const std::string path = BenchPath("small.raw");
  unsigned char record[9];
  RecordHeader(record, 1);
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) state.SkipWithError("open");
    for (unsigned int r = 0; r < kSmallRecords; ++r) {
      float value = static_cast<float>(r);
      std::memcpy(record + 5, &value, 4);
      std::fwrite(record, 1, 9, f);
    }
    if (std::fclose(f) != 0) state.SkipWithError("write");
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSmallRecords));
}

void KfsReadSmall(benchmark::State& state) {
  const std::string path = BenchPath("small.kfs");
  for (auto _ : state) {
    kfsHandle file = nullptr;
    if (kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr) != 0) state.SkipWithError("open");
    float value = 0;
    unsigned int records = 0;
    while (kfsLrecRead(file, kfsTypeFloat, 1, &value) == 1) ++records;
    if (records != kSmallRecords) state.SkipWithError("short");
    kfsFileClose(&file);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSmallRecords));
}

void RawReadSmall(benchmark::State& state) {
  const std::string path = BenchPath("small.raw");
  unsigned char record[9];
  for (auto _ : state) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) state.SkipWithError("open");
    unsigned int records = 0;
    float sum = 0;
    while (std::fread(record, 1, 9, f) == 9) {
      float value;
      std::memcpy(&value, record + 5, 4);
      sum += value;
      ++records;
    }
    benchmark::DoNotOptimize(sum);
    if (records != kSmallRecords) state.SkipWithError("short");
    std::fclose(f);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSmallRecords));
}

// Keeps each benchmark's real time per iteration for the ratios.
class RatioReporter : public BestTimeReporter {
 public:
  void PrintRatios() const {
    std::printf("\ncontainer / raw throughput (1.0 = as fast as plain stdio):\n");
    Ratio("large-record write", "KfsWriteLarge", "RawWriteLarge", 0.95);
    Ratio("large-record read", "KfsReadLarge", "RawReadLarge", 0.95);
    Ratio("1M small records write", "KfsWriteSmall", "RawWriteSmall", 0.9);
    Ratio("1M small records read", "KfsReadSmall", "RawReadSmall", 0.8);
    if (Seconds("KfsWriteSmall") > 0)
      std::printf("small records written per second: %.3g\n",
                  kSmallRecords / Seconds("KfsWriteSmall"));
    if (Seconds("KfsReadSmall") > 0)
      std::printf("small records read per second:    %.3g\n",
                  kSmallRecords / Seconds("KfsReadSmall"));
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Container and raw runs alternate, round after round, so that both meet
  // the same state of the machine; writers run before the readers that read
  // what they wrote.
  const std::pair<const char*, void (*)(benchmark::State&)> order[] = {
      {"KfsWriteLarge", KfsWriteLarge}, {"RawWriteLarge", RawWriteLarge},
      {"KfsReadLarge", KfsReadLarge},   {"RawReadLarge", RawReadLarge},
      {"KfsWriteSmall", KfsWriteSmall}, {"RawWriteSmall", RawWriteSmall},
      {"KfsReadSmall", KfsReadSmall},   {"RawReadSmall", RawReadSmall}};
  for (int round = 0; round < 3; ++round)
    for (const auto& [name, function] : order)
      benchmark::RegisterBenchmark(name, function)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime()
          ->Iterations(3);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  for (const char* name : {"large.kfs", "large.raw", "small.kfs", "small.raw"})
    std::remove(BenchPath(name).c_str());
  benchmark::Shutdown();
  return 0;
}
