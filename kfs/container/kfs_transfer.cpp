// Byte transfers of the container: the status rules for short reads and
// writes, and byte reversal for files of the other byte order.
#include <algorithm>
#include <cstring>

#include "kfs/container/kfs_internal.h"

namespace kfs {

void ReverseElements(void* buffer, size_t size, size_t count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  switch (size) {
    case 2:
      for (size_t i = 0; i < count; ++i, bytes += 2) std::swap(bytes[0], bytes[1]);
      break;
    case 4:
      for (size_t i = 0; i < count; ++i, bytes += 4) {
        uint32_t v;
        std::memcpy(&v, bytes, 4);
        v = __builtin_bswap32(v);
        std::memcpy(bytes, &v, 4);
      }
      break;
    case 8:
      for (size_t i = 0; i < count; ++i, bytes += 8) {
        uint64_t v;
        std::memcpy(&v, bytes, 8);
        v = __builtin_bswap64(v);
        std::memcpy(bytes, &v, 8);
      }
      break;
    default:  // single bytes are never reversed
      break;
  }
}

bool ReadBytes(kfsFile* file, void* buffer, size_t n, bool atItemStart) {
  file->lastOp = kfsLastRead;
  if (n == 0) return true;
  size_t got = file->storage->Read(buffer, 1, n);
  if (got == n) return true;
  // Nothing at all where an item could begin is the regular end of the
  // data; anything else is a damaged or truncated file.
  if (got == 0 && atItemStart && file->storage->End())
    KFS_RAISE(file, kfsEndOfFile);
  else
    KFS_RAISE(file, kfsErrRead);
  return false;
}

bool WriteBytes(kfsFile* file, const void* buffer, size_t n) {
  file->lastOp = kfsLastWrite;
  if (n == 0) return true;
  if (file->storage->Write(buffer, 1, n) == n) return true;
  KFS_RAISE(file, kfsErrWrite);
  return false;
}

bool ReadElements(kfsFile* file, void* buffer, size_t size, size_t count) {
  if (!ReadBytes(file, buffer, size * count, false)) return false;
  if (file->swap) ReverseElements(buffer, size, count);
  return true;
}

bool TakeFromWindow(kfsFile* file, void* buffer, size_t size, size_t count) {
  size_t available = 0;
  const unsigned char* window = file->storage->Window(&available);
  const size_t n = size * count;
  if (n > available || file->lastOp == kfsLastWrite) return false;
  std::memcpy(buffer, window, n);
  file->storage->Advance(n);
  file->lastOp = kfsLastRead;
  if (file->swap) ReverseElements(buffer, size, count);
  return true;
}

bool WriteElements(kfsFile* file, const void* buffer, size_t size, size_t count) {
  if (!file->swap || size < 2) return WriteBytes(file, buffer, size * count);
  // The caller's data stays as it was: reverse a copy, a scratch area at a time.
  const auto* source = static_cast<const unsigned char*>(buffer);
  const size_t perChunk = kfsScratchSize / size;
  while (count > 0) {
    size_t n = std::min(count, perChunk);
    std::memcpy(file->scratch, source, n * size);
    ReverseElements(file->scratch, size, n);
    if (!WriteBytes(file, file->scratch, n * size)) return false;
    source += n * size;
    count -= n;
  }
  return true;
}

}  // namespace kfs
