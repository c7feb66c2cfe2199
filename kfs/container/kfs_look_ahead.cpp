// The look-ahead buffer: item headers read ahead of their data, so that a
// query followed by the matching read reads the header once, and the
// positioning that gives back what was read ahead.
#include <cstring>

#include "kfs/container/kfs_internal.h"

#include "base/kora_boundary.h"

namespace kfs {

namespace {

const kfsPeekEntry kNothing = {kfsTypeUnknown, 0, 0};

void EmptyPeekBuffer(kfsFile* file) {
  file->peekFilled = 0;
  file->peekiCurrent = -1;
}

// The header of the next item taken from what the storage has read ahead;
// kNothing when that holds less than the longest header.
kfsPeekEntry HeaderFromWindow(kfsFile* file) {
  size_t available = 0;
  const unsigned char* window = file->storage->Window(&available);
  if (available < 5) return kNothing;
  kfsPeekEntry entry{static_cast<signed char>(window[0]), 0, 1};
  if (entry.type >= 1) {
    uint32_t count;
    std::memcpy(&count, window + 1, 4);
    entry.count = file->swap ? __builtin_bswap32(count) : count;
    entry.headerLength = 5;
  } else if (window[0] == 0xFE) {
    uint16_t id;
    std::memcpy(&id, window + 1, 2);
    entry.type = kfsTypeBlock;
    entry.count = file->swap ? __builtin_bswap16(id) : id;
    entry.headerLength = 3;
  }
  file->storage->Advance(entry.headerLength);
  file->lastOp = kfsLastRead;
  return entry;
}

// Reads the header of the next item from the storage.
kfsPeekEntry ReadItemHeader(kfsFile* file) {
  kfsPeekEntry entry = HeaderFromWindow(file);
  if (entry.headerLength != 0) return entry;
  unsigned char code;
  if (!ReadBytes(file, &code, 1, true)) return kNothing;
  entry = kfsPeekEntry{static_cast<signed char>(code), 0, 1};
  if (entry.type >= 1) {
    uint32_t count;
    if (!ReadElements(file, &count, 4, 1)) return kNothing;
    entry.count = count;
    entry.headerLength = 5;
  } else if (code == 0xFE) {
    uint16_t id;
    if (!ReadElements(file, &id, 2, 1)) return kNothing;
    entry.type = kfsTypeBlock;
    entry.count = id;
    entry.headerLength = 3;
  }
  return entry;
}

}  // namespace

int64_t UnconsumedHeaderBytes(const kfsFile* file) {
  int64_t bytes = 0;
  for (int i = file->peekiCurrent + 1; i < file->peekFilled; ++i)
    bytes += file->peek[i].headerLength;
  return bytes;
}

const kfsPeekEntry& Peek(kfsFile* file) {
  // A pending move makes whatever was read ahead stale.
  if (file->pseudoSeek != 0 && !PrepareRead(file)) return kNothing;
  if (file->peekiCurrent + 1 < file->peekFilled) return file->peek[++file->peekiCurrent];
  if (file->lastOp == kfsLastWrite && !PrepareRead(file)) return kNothing;
  KFS_ASSERT(file->peekiCurrent + 1 != kfsPeekBufferSize);
  kfsPeekEntry entry = ReadItemHeader(file);
  if (entry.headerLength == 0) {
    // Nothing to hand back later: an end or a failure is not kept as an item.
    EmptyPeekBuffer(file);
    return kNothing;
  }
  file->peek[file->peekFilled++] = entry;
  return file->peek[++file->peekiCurrent];
}

void Unpeek(kfsFile* file) {
  if (file->peekiCurrent >= 0) --file->peekiCurrent;
}

void DropConsumed(kfsFile* file) {
  if (file->peekiCurrent + 1 >= file->peekFilled) EmptyPeekBuffer(file);
}

namespace {

bool SeekRelative(kfsFile* file, int64_t move) {
  file->lastOp = kfsLastNone;
  if (file->storage->Seek(move, SEEK_CUR)) return true;
  KFS_RAISE(file, kfsErrSeek);
  return false;
}

}  // namespace

int64_t TakePendingMove(kfsFile* file) {
  int64_t move = file->pseudoSeek - UnconsumedHeaderBytes(file);
  file->pseudoSeek = 0;
  EmptyPeekBuffer(file);
  return move;
}

bool SkipForward(kfsFile* file, int64_t n) {
  if (n >= 1 && n < kfsScratchSize && file->lastOp != kfsLastWrite) {
    size_t got = file->storage->Read(file->scratch, 1, static_cast<size_t>(n));
    file->lastOp = kfsLastRead;
    if (got == static_cast<size_t>(n)) return true;
    KFS_RAISE(file, got == 0 && file->storage->End() ? kfsEndOfFile : kfsErrRead);
    return false;
  }
  if (n == 0 && file->lastOp != kfsLastWrite) return true;
  return SeekRelative(file, n);
}

bool PrepareRead(kfsFile* file) {
  int64_t move = TakePendingMove(file);
  if (move == 0 && file->lastOp != kfsLastWrite) return true;
  if (move > 0) return SkipForward(file, move);
  return SeekRelative(file, move);
}

bool PrepareWrite(kfsFile* file) {
  int64_t move = TakePendingMove(file);
  // The C library requires a positioning call between a read and a write.
  if (move == 0 && file->lastOp != kfsLastRead) return true;
  return SeekRelative(file, move);
}

}  // namespace kfs

extern "C" {

KFS_API long long kfsTell64(kfsHandle file) try {
  if (!file) return -1;
  int64_t position = file->storage->Tell();
  if (position < 0) return -1;
  if (file->pseudoSeek != 0 && file->status <= kfsEndOfFile) {
    file->status = kfsOK;
    kfs::PrepareRead(file);  // a failure is latched; the storage tells where it stopped
    return file->storage->Tell();
  }
  return position - kfs::UnconsumedHeaderBytes(file) + file->pseudoSeek;
}
KORA_CATCH_ALL((::kfs::Escaped(file, __LINE__), -1LL))

KFS_API unsigned int kfsSeek64(kfsHandle file, long long offset, int whence) try {
  if (!file) return kfsErrNullArgument;
  if (file->status == kfsEndOfFile) file->status = kfsOK;
  if (file->status != kfsOK) return file->status;
  file->inBlock = 0;
  if (whence == SEEK_CUR) {
    // Relative to where the caller is, not to where the look-ahead has read.
    // Staying put keeps the look-ahead, and a forward move is a skip, which
    // a stream can also do by reading: a stream cannot go back.
    file->pseudoSeek += offset;
    if (file->pseudoSeek == 0) return kfsOK;
    int64_t move = kfs::TakePendingMove(file);
    if (move >= 0 && file->lastOp != kfsLastWrite) {
      kfs::SkipForward(file, move);
      return file->status;
    }
    offset = move;
  }
  file->pseudoSeek = 0;
  file->peekFilled = 0;
  file->peekiCurrent = -1;
  file->lastOp = kfsLastNone;
  if (!file->storage->Seek(offset, whence)) return KFS_RAISE(file, kfsErrSeek);
  return kfsOK;
}
KORA_CATCH_ALL(::kfs::Escaped(file, __LINE__))

KFS_API unsigned int kfsRewind(kfsHandle file) try {
  if (!file) return kfsErrNullArgument;
  return kfsSeek64(file, file->appBase, SEEK_SET);
}
KORA_CATCH_ALL(::kfs::Escaped(file, __LINE__))

KFS_API unsigned int kfsPseudoSeek(kfsHandle file, long long n) try {
  if (!file) return kfsErrNullArgument;
  if (file->status == kfsEndOfFile) file->status = kfsOK;
  if (file->status != kfsOK) return file->status;
  file->pseudoSeek += n;
  return kfsOK;
}
KORA_CATCH_ALL(::kfs::Escaped(file, __LINE__))

}  // extern "C"
