// The data-file reader: header, static items, every time step, statistics,
// find and skip; the same bytes read over a memory stream and from a disk
// file, since the two storages position differently.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/memory_feed.h"
#include "fuzz/scratch_file.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_stats.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "qty/qty.h"

// Item units are resolved against the unit table, as in every host.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!qtySetupLoad(KORACORE_SOURCE_DIR "/data/QTY.xml")) std::abort();
  return 0;
}

namespace {

constexpr int kMaxStatics = 1000;
constexpr int kMaxReads = 20000;

void ReadStatics(kfsHandle file, size_t inputSize) {
  std::vector<unsigned char> values;
  for (int i = 0; i < kMaxStatics; ++i) {
    int status = 0;
    LPITEM item = dfsStaticRead(file, &status);
    if (!item) return;
    if (korafuzz::SizeForValues(values, dfsGetItemElements(item), inputSize)) {
      dfsStaticGetData(item, values.data());
    }
    dfsStaticDestroy(&item);
  }
}

void QueryItems(LPHEAD header) {
  int items = dfsGetNoOfItems(header);
  for (int n = 1; n <= items && n <= 64; ++n) {
    LPITEM item = dfsItemD(header, n);
    int type = 0;
    const char* name = nullptr;
    const char* unitText = nullptr;
    int dataType = 0;
    dfsGetItemInfo_(item, &type, &name, &unitText, &dataType);
    double minimum, maximum, mean, deviation, autocorrelation;
    int nValues, nMissing, nPairs;
    dfsGetItemStats(header, n, 0, &minimum, &maximum, &mean, &deviation, &autocorrelation, &nValues,
                    &nMissing, &nPairs);
  }
}

// Reads every item of every step; the item's values are skipped (null data)
// when its element count is out of proportion to the input.
void ReadSteps(LPHEAD header, kfsHandle file, size_t inputSize) {
  int items = dfsGetNoOfItems(header);
  if (items <= 0 || dfsFindBlockDynamic(header, file) != 0) return;
  std::vector<unsigned char> values;
  for (int read = 0; read < kMaxReads; ++read) {
    LPITEM item = dfsItemD(header, read % items + 1);
    bool sized = item && korafuzz::SizeForValues(values, dfsGetItemElements(item), inputSize);
    double time = 0;
    if (dfsReadItemTimeStep(header, file, &time, sized ? values.data() : nullptr) != 0) break;
  }
}

void FindAndSkip(LPHEAD header, kfsHandle file) {
  int steps = 0;
  double factor = 0;
  int equidistant = 0;
  dfsGetTimeAxisInfo(header, &steps, &factor, &equidistant);
  if (dfsFindTimeStep(header, file, 0) == 0) dfsSkipTimeStep(header, file);
  if (steps > 1) dfsFindItemDynamic(header, file, steps - 1, 1);
  if (dfsFindBlockStatic(header, file) == 0) dfsStaticSkip(file);
}

void ReadWhole(LPHEAD header, kfsHandle file, size_t inputSize, bool canSeek) {
  QueryItems(header);
  ReadStatics(file, inputSize);
  ReadSteps(header, file, inputSize);
  if (canSeek) FindAndSkip(header, file);
}

void ReadFromStream(const uint8_t* data, size_t size) {
  korafuzz::MemoryFeed::Start(data, size);
  LPHEAD header = nullptr;
  kfsHandle file = nullptr;
  if (dfsStreamRead(korafuzz::MemoryFeed::Buffer(), korafuzz::MemoryFeed::kCapacity,
                    korafuzz::MemoryFeed::Refill, &header, &file) == 0) {
    ReadWhole(header, file, size, false);
  }
  if (file) dfsFileClose(header, &file);
  if (header) dfsHeaderDestroy(&header);
}

void ReadFromFile(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::ScratchPath("dfs", ".dfs");
  if (!fuzz::WriteInput(path, data, size)) return;
  LPHEAD header = nullptr;
  kfsHandle file = nullptr;
  if (dfsFileRead(path.c_str(), &header, &file) == 0) ReadWhole(header, file, size, true);
  if (file) dfsFileClose(header, &file);
  if (header) dfsHeaderDestroy(&header);
  unlink(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadFromStream(data, size);
  ReadFromFile(data, size);
  return 0;
}
