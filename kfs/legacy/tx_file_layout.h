// Shape of the data file of a catalogue record and the process-wide table
// of open data files. Internal to libkfs.
#ifndef KFS_LEGACY_TX_FILE_LAYOUT_H
#define KFS_LEGACY_TX_FILE_LAYOUT_H

#include <cstdint>
#include <cstdio>
#include <string>

#include "kfs/legacy/catalogue.h"

namespace kfs::tx {

// Values per record are capped so that a record (and every allocation made
// for one) stays below 1 GiB whatever a catalogue claims.
constexpr std::int64_t kMaxRecordValues = std::int64_t(1) << 28;

struct Layout {
  int nAxes = 0;
  std::int64_t values = 1;  // floats per record
  std::int64_t items = 0;
  std::int64_t leading = 0;  // records before step 1

  std::int64_t recordBytes() const { return values * 4; }
  // Byte offset of data record r (0 = first record of step 1); -1 when r
  // is negative or its offset lies beyond what a file offset can hold (a
  // step number from the caller can ask for such a record).
  std::int64_t offsetOf(std::int64_t record) const {
    std::int64_t index = 0, bytes = 0;
    if (record < 0 || __builtin_add_overflow(leading, record, &index) ||
        __builtin_mul_overflow(index, recordBytes(), &bytes))
      return -1;
    return bytes;
  }
};

// False when the record states no usable layout.
bool layoutOf(const catRecord& cat, Layout* out);

std::string dataFileName(const catRecord& cat, int nAxes);

struct Slot {
  int unit = -1;  // -1: free
  FILE* stream = nullptr;
  int mode = 0;             // 0 read, 1 write, 2 update
  std::int64_t record = 0;  // next data record
};

// The slot cat has open, or null.
Slot* openSlot(const catRecord& cat);

// Whole data records in the data file on disk (cat's open file flushed
// first); -1 when the layout is unusable or the file cannot be examined.
std::int64_t recordsOnDisk(const catRecord& cat);

}  // namespace kfs::tx

#endif
