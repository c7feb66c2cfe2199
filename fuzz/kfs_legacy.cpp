// The older catalogue and data files: a catalogue and its data file written
// from one input, read through the catalogue calls (read, listing, byte
// order turned over and read again), the data-file calls (records, steps,
// seeks, skips, statistics, update) and the data-file header made from them.
//
// Input: byte 0 gives the number of spatial axes (mod 5), bytes 1-2 the
// length of the catalogue (little-endian), then the catalogue, then the data
// file (the rest).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/scratch_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/legacy/catalogue.h"
#include "kfs/legacy/dtx_file.h"
#include "kfs/legacy/tx_file.h"

namespace {

const std::string& ScratchPrefix() {
  static const std::string prefix = fuzz::ScratchPath("legacy", "-");
  return prefix;
}

const char kName[] = "set";

std::string FileName(const char* kind, int axes) {
  return ScratchPrefix() + kName + "." + kind + std::to_string(axes);
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* out = fopen(path.c_str(), "wb");
  if (!out) return false;
  bool written = size == 0 || fwrite(data, 1, size, out) == size;
  return fclose(out) == 0 && written;
}

// Room for `records` records of the catalogue's length, or false when that
// is beyond what the data file holds: such reads fail in the library, and
// the harness must not make the allocation the library avoids.
bool SizeFor(std::vector<float>& values, const catRecord* cat, int records, size_t dataSize) {
  long long length = TXrecordLength(cat);
  if (length <= 0 || records <= 0) return false;
  long long bytes = length * 4LL * records;
  if (bytes > static_cast<long long>(dataSize) + 4096) return false;
  values.assign(static_cast<size_t>(length) * static_cast<size_t>(records), 0.0f);
  return true;
}

void ReadRecords(catRecord* cat, size_t dataSize) {
  if (TXopr(cat) != 0.0f) return;
  std::vector<float> values;
  if (SizeFor(values, cat, 1, dataSize)) {
    for (int n = 0; n < 4096 && TXre(cat, values.data()) >= 0.0f; ++n) {}
    TXrew(cat);
    TXseek(cat, 2, 1);
    TXre(cat, values.data());
    TXsp(cat, -3);
    TXsp(cat, 5);
    TXre(cat, values.data());
  }
  int items = static_cast<int>(cat->nItems);
  if (SizeFor(values, cat, items, dataSize)) {
    TXrew(cat);
    TXrea(cat, values.data());
    TXrea(cat, values.data());
  }
  TXmode(cat);
  TXclr(cat);
}

// Update mode recomputes the statistics from the records and writes the
// catalogue back: the scratch files change, which the reads after it see.
void Update(catRecord* cat, size_t dataSize) {
  if (TXopu(cat) != 0.0f) return;
  std::vector<float> values;
  if (SizeFor(values, cat, 1, dataSize) && TXre(cat, values.data()) >= 0.0f) {
    TXseek(cat, 1, 1);
    TXwr(cat, values.data());
  }
  TXcw(cat);
  TXclu(cat);
}

void ThroughCatalogue(int axes, size_t dataSize) {
  catRecord* cat = newcat(axes);
  if (!cat) return;
  if (CATrea(ScratchPrefix().c_str(), kName, cat) == 0.0f) {
    static FILE* sink = fopen("/dev/null", "w");
    if (sink) cat_tell(sink, cat);
    ReadRecords(cat, dataSize);
    Update(cat, dataSize);
    make_stat(cat);
  }
  frecat(cat);
  if (ctxswap(ScratchPrefix().c_str(), kName, axes) == 0.0f) {
    cat = newcat(axes);
    if (cat && CATrea(ScratchPrefix().c_str(), kName, cat) == 0.0f) ReadRecords(cat, dataSize);
    frecat(cat);
  }
}

void ThroughHeader(int axes, size_t dataSize) {
  LPHEAD header = nullptr;
  catRecord* file = nullptr;
  if (dtxReadHeader(FileName("ct", axes).c_str(), &header, &file) == 0 && header && file) {
    int count = 0;
    dtxGetNoUsedItemElements(header, file, &count, 0);
    std::vector<float> values;
    bool room = SizeFor(values, file, 1, dataSize);
    double time = 0;
    for (int n = 0; n < 4096; ++n) {
      if (dtxReadItem(header, file, &time, room ? values.data() : nullptr) != 0) break;
    }
    dtxFindItemDynamic(header, file, 1, 1);
    dtxSkipTimestep(header, file);
    dtxReadItem(header, file, &time, nullptr);
    dtxFindItemDynamic(header, file, 0, 2);
    dtxFindBlock(file, 1);
    int status = 0;
    dtxStaticRead(file, &status);
    dtxIoMode(file);
  }
  if (file) dtxFileClose(header, &file);
  if (header) dtxFreeHeader(&header);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int axes = data[0] % (CAT_MAX_AXES + 1);
  size_t catalogueSize = data[1] | (static_cast<size_t>(data[2]) << 8);
  data += 3;
  size -= 3;
  if (catalogueSize > size) catalogueSize = size;
  const std::string catalogue = FileName("ct", axes), records = FileName("dt", axes);
  const size_t dataSize = size - catalogueSize;
  if (WriteFile(catalogue, data, catalogueSize) &&
      WriteFile(records, data + catalogueSize, dataSize)) {
    ThroughHeader(axes, dataSize);
    ThroughCatalogue(axes, dataSize);
  }
  unlink(catalogue.c_str());
  unlink(records.c_str());
  return 0;
}
