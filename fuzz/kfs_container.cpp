// The container reader over a memory stream: every kind of read, skip and
// look-ahead, chosen by the position of the item so that each path meets
// every kind of item.
#include <cstddef>
#include <cstdint>

#include "fuzz/memory_feed.h"
#include "kfs/container/kfs.h"

namespace {

// Bounds the walk for inputs that make no progress (a reader bug would show
// as the harness timing out instead of looping forever).
constexpr int kMaxItems = 20000;

bool ReadRecord(kfsHandle file, kfsSimpleType type, int step) {
  if (step % 3 == 0) {
    kfsSimpleType readType;
    unsigned int readCount = 0;
    void* values = kfsLrecReadAlloc(file, &readType, &readCount);
    kfsLrecFree(&values);
    return readCount > 0;
  }
  if (step % 3 == 1) {
    double values[16];
    return kfsLrecRead(file, type, 16, values) > 0;
  }
  kfsTell64(file);
  return kfsSkip(file) != 0;
}

bool ReadBlock(kfsHandle file, int step) {
  if (step % 3 == 0) {
    unsigned int nRecords = 0;
    kfsLblock block = nullptr;
    int id = kfsLblockRead(file, &nRecords, &block);
    kfsLblockFree(&block);
    return id >= 0;
  }
  if (step % 3 == 1) return kfsLblockSkip(file) == 0;
  return kfsSkip(file) != 0;
}

bool ReadOneItem(kfsHandle file, int step) {
  unsigned int count = 0;
  kfsSimpleType type = kfsQuery(file, &count);
  if (type == 0) return false;
  bool done = type == kfsTypeBlock ? ReadBlock(file, step) : ReadRecord(file, type, step / 3);
  if (done) return true;
  // A refused item (too many values for the buffer, a block cut short) is
  // stepped over, as a caller that does not want it would; the status is
  // cleared first, since a set status stops every read.
  kfsGetError(file);
  return kfsSkip(file) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korafuzz::MemoryFeed::Start(data, size);
  kfsHandle file = nullptr;
  unsigned int identifier = 0;
  if (kfsStreamOpenRead(korafuzz::MemoryFeed::Buffer(), korafuzz::MemoryFeed::kCapacity,
                        korafuzz::MemoryFeed::Refill, &file, kfsInternalAPI, &identifier) != 0) {
    return 0;
  }
  kfsGetFileCreationDate(file);
  kfsGetVersionCreate(file);
  for (int step = 0; step < kMaxItems && ReadOneItem(file, step); ++step) {}
  kfsFileClose(&file);
  return 0;
}
