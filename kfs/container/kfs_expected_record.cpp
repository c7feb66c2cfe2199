// Records moved in place between the caller and the storage's buffer, for a
// caller that knows which record comes next. A series of one value per item
// is a record of a few bytes per call: parsing its header and copying its
// value straight from (or into) the buffer costs a few compares, where the
// general route asks the look-ahead, then the storage, for each part.
#include <cstring>

#include "kfs/container/kfs_access.h"
#include "kfs/container/kfs_internal.h"

namespace kfs {

namespace {

// The values of a record of one or two elements are copied as one word:
// a call of the library's copy would cost more than the record.
inline void CopyValues(void* to, const void* from, size_t bytes) {
  if (bytes == 4)
    std::memcpy(to, from, 4);
  else if (bytes == 8)
    std::memcpy(to, from, 8);
  else
    std::memcpy(to, from, bytes);
}

// Nothing read ahead waits to be consumed and no move is pending: the
// storage stands where the caller does.
inline bool StandsAtCaller(const kfsFile* file) {
  return file->status == kfsOK && file->pseudoSeek == 0 &&
         file->peekiCurrent + 1 >= file->peekFilled;
}

// As PrepareRead and PrepareWrite leave it once nothing is pending.
inline void ForgetLookAhead(kfsFile* file) {
  file->peekFilled = 0;
  file->peekiCurrent = -1;
}

}  // namespace

bool ReadExpectedRecord(kfsFile* file, kfsSimpleType type, unsigned int count, void* data) {
  const size_t size = RecordElementSize(type);
  if (size == 0 || count == 0 || !data) return false;
  if (!StandsAtCaller(file) || file->lastOp == kfsLastWrite) return false;
  size_t available = 0;
  const unsigned char* window = file->storage->Window(&available);
  const size_t bytes = size * count;
  if (available < 5 || available - 5 < bytes) return false;
  uint32_t stored;
  std::memcpy(&stored, window + 1, 4);
  if (file->swap) stored = __builtin_bswap32(stored);
  if (window[0] != static_cast<unsigned char>(type) || stored != count) return false;
  CopyValues(data, window + 5, bytes);
  if (file->swap) ReverseElements(data, size, count);
  file->storage->Advance(5 + bytes);
  file->lastOp = kfsLastRead;
  ForgetLookAhead(file);
  return true;
}

bool WriteRecordInBuffer(kfsFile* file, kfsSimpleType type, unsigned int count, const void* data) {
  const size_t size = RecordElementSize(type);
  if (size == 0 || count == 0 || !data) return false;
  // After a write the stream needs no positioning call before the next.
  if (!StandsAtCaller(file) || file->readOnly || file->lastOp != kfsLastWrite) return false;
  const size_t bytes = size * count;
  unsigned char* room = file->storage->Reserve(5 + bytes);
  if (!room) return false;
  uint32_t stored = file->swap ? __builtin_bswap32(count) : count;
  room[0] = static_cast<unsigned char>(type);
  std::memcpy(room + 1, &stored, 4);
  CopyValues(room + 5, data, bytes);
  if (file->swap) ReverseElements(room + 5, size, count);
  ForgetLookAhead(file);
  return true;
}

}  // namespace kfs
