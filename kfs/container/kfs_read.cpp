// Reading body items: query, records into the caller's buffer or a new one,
// whole logical blocks, and skipping.
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/container/kfs_internal.h"

namespace {

using kfs::Peek;
using kfs::Unpeek;

// Reads beyond this size grow their buffer as the data actually arrives when
// the storage cannot say in advance how much it holds (a stream): a hostile
// count then costs at most what was delivered, not what the count claims.
constexpr size_t kGrowChunk = size_t(1) << 20;

size_t DataBytes(const kfsPeekEntry& entry) {
  return static_cast<size_t>(entry.count) * kfsSimpSize(entry.type);
}

// A record entry whose type and count the container can read; anything else
// is reported (2009) and latched as a structure error, since nothing behind
// it can be trusted.
bool AcceptRecordEntry(kfsFile* file, const kfsPeekEntry& entry) {
  if (kfs::IsRecordType(entry.type) && entry.count > 0) return true;
  Unpeek(file);
  KFS_REPORT(kfsErrType);
  KFS_RAISE(file, kfsErrStructure);
  return false;
}

// True when the storage says it cannot deliver the record's data (latched as
// a read error, nothing allocated or read). Called right behind the record's
// header, where the storage stands after the look-ahead.
bool BeyondStorage(kfsFile* file, size_t bytes, bool* sizeKnown) {
  int64_t remaining = file->storage->Remaining(bytes);
  *sizeKnown = remaining >= 0;
  if (remaining < 0 || static_cast<uint64_t>(remaining) >= bytes) return false;
  KFS_RAISE(file, kfsErrRead);
  return true;
}

// Reads the data of the record whose header was just consumed into a new
// buffer; null with the status set on failure.
void* ReadRecordData(kfsFile* file, const kfsPeekEntry& entry) {
  const size_t size = kfsSimpSize(entry.type);
  const size_t bytes = DataBytes(entry);
  if (!kfs::PrepareRead(file)) return nullptr;
  bool sizeKnown = false;
  if (BeyondStorage(file, bytes, &sizeKnown)) return nullptr;
  size_t allocated = sizeKnown || bytes <= kGrowChunk ? bytes : kGrowChunk;
  auto* data = static_cast<unsigned char*>(std::malloc(allocated));
  if (!data) {
    KFS_RAISE(file, kfsErrMemory);
    return nullptr;
  }
  size_t done = 0;
  while (true) {
    if (!kfs::ReadBytes(file, data + done, allocated - done, false)) break;
    done = allocated;
    if (done == bytes) {
      if (file->swap) kfs::ReverseElements(data, size, entry.count);
      return data;
    }
    size_t grown = bytes - done > done ? 2 * done : bytes;
    auto* larger = static_cast<unsigned char*>(std::realloc(data, grown));
    if (!larger) {
      KFS_RAISE(file, kfsErrMemory);
      break;
    }
    data = larger;
    allocated = grown;
  }
  std::free(data);
  return nullptr;
}

}  // namespace

extern "C" {

KFS_API kfsSimpleType kfsQuery(kfsHandle file, unsigned int* count) try {
  if (count) *count = 0;
  if (!file) {
    KFS_REPORT(kfsErrNullArgument);
    return kfsTypeUnknown;
  }
  if (file->status != kfsOK) return kfsTypeUnknown;
  const kfsPeekEntry& entry = Peek(file);
  if (entry.headerLength == 0) return kfsTypeUnknown;
  Unpeek(file);
  if (count) *count = entry.count;
  return entry.type;
}
KORA_CATCH_ALL((::kfs::Escaped(file, __LINE__), kfsTypeUnknown))

KFS_API unsigned int kfsLrecRead(kfsHandle file, kfsSimpleType type, unsigned int capacity,
                                 void* buffer) try {
  if (!file || !buffer) {
    KFS_REPORT(kfsErrNullArgument);
    return 0;
  }
  if (file->status != kfsOK) return 0;
  const kfsPeekEntry entry = Peek(file);
  if (entry.headerLength == 0) return 0;
  if (entry.type == kfsTypeBlock || entry.type == kfsTypeTerminator) {
    Unpeek(file);
    KFS_RAISE(file, kfsErrStructure);
    return 0;
  }
  if (!AcceptRecordEntry(file, entry)) return 0;
  if (entry.type != type) {
    Unpeek(file);
    KFS_RAISE(file, kfsErrType);
    return 0;
  }
  if (entry.count > capacity) {
    Unpeek(file);
    KFS_RAISE(file, kfsErrCount);
    return 0;
  }
  if (!kfs::PrepareRead(file)) return 0;
  const size_t size = kfsSimpSize(type);
  // Data already read ahead is there: no need to ask the storage's size.
  if (kfs::TakeFromWindow(file, buffer, size, entry.count)) return entry.count;
  bool sizeKnown = false;
  if (BeyondStorage(file, DataBytes(entry), &sizeKnown)) return 0;
  if (!kfs::ReadElements(file, buffer, size, entry.count)) return 0;
  return entry.count;
}
KORA_CATCH_ALL((::kfs::Escaped(file, __LINE__), 0u))

KFS_API void* kfsLrecReadAlloc(kfsHandle file, kfsSimpleType* type, unsigned int* count) try {
  if (type) *type = kfsTypeUnknown;
  if (count) *count = 0;
  if (!file) {
    KFS_REPORT(kfsErrNullArgument);
    return nullptr;
  }
  if (file->status != kfsOK) return nullptr;
  const kfsPeekEntry entry = Peek(file);
  if (entry.headerLength == 0) return nullptr;
  if (entry.type == kfsTypeTerminator && file->inBlock) {
    file->inBlock = 0;
    kfs::DropConsumed(file);
    return nullptr;
  }
  if (entry.type == kfsTypeBlock || entry.type == kfsTypeTerminator) {
    Unpeek(file);
    return nullptr;
  }
  if (!AcceptRecordEntry(file, entry)) return nullptr;
  void* data = ReadRecordData(file, entry);
  if (data) {
    if (type) *type = entry.type;
    if (count) *count = entry.count;
  }
  return data;
}
KORA_CATCH_ALL((::kfs::Escaped(file, __LINE__), nullptr))

KFS_API void kfsLrecFree(void** buffer) try {
  if (!buffer) return;
  std::free(*buffer);
  *buffer = nullptr;
}
KORA_CATCH_ALL(void())

KFS_API int kfsLblockRead(kfsHandle file, unsigned int* nRecords, kfsLblock* block) try {
  if (nRecords) *nRecords = 0;
  if (block) *block = nullptr;
  if (!file || !block) {
    KFS_REPORT(kfsErrNullArgument);
    return -1;
  }
  if (file->status != kfsOK) return -1;
  const kfsPeekEntry start = Peek(file);
  if (start.headerLength == 0) return -1;
  if (start.type != kfsTypeBlock) {
    Unpeek(file);
    KFS_RAISE(file, kfsErrStructure);
    return -1;
  }
  kfs::DropConsumed(file);
  file->inBlock = 1;
  kfsLblockNode* last = nullptr;
  unsigned int records = 0;
  while (file->inBlock) {
    const kfsPeekEntry entry = Peek(file);
    if (entry.type == kfsTypeTerminator) {
      kfs::DropConsumed(file);
      file->inBlock = 0;
      break;
    }
    if (entry.headerLength == 0 || entry.type == kfsTypeBlock) {
      // An end of file or a nested block: the block was never closed. A
      // read error already latched stays the reported cause.
      if (entry.type == kfsTypeBlock) Unpeek(file);
      if (file->status == kfsEndOfFile) file->status = kfsOK;
      KFS_RAISE(file, kfsErrStructure);
      break;
    }
    if (!AcceptRecordEntry(file, entry)) break;
    void* data = ReadRecordData(file, entry);
    if (!data) break;
    auto* node = static_cast<kfsLblockNode*>(std::calloc(1, sizeof(kfsLblockNode)));
    if (!node) {
      std::free(data);
      KFS_RAISE(file, kfsErrMemory);
      break;
    }
    *node = kfsLblockNode{entry.type, entry.count, 1, data, nullptr};
    (last ? last->next : *block) = node;
    last = node;
    ++records;
  }
  file->inBlock = 0;
  if (nRecords) *nRecords = records;
  return static_cast<int>(start.count);
}
KORA_CATCH_ALL((::kfs::Escaped(file, __LINE__), -1))

KFS_API kfsSimpleType kfsSkip(kfsHandle file) try {
  if (!file) {
    KFS_REPORT(kfsErrNullArgument);
    return kfsTypeUnknown;
  }
  if (file->status != kfsOK) return kfsTypeUnknown;
  const kfsPeekEntry entry = Peek(file);
  if (entry.headerLength == 0) return kfsTypeUnknown;
  // The header is read already: what is left of the item is its data.
  int64_t rest = entry.headerLength == 5 ? static_cast<int64_t>(DataBytes(entry)) : 0;
  kfs::DropConsumed(file);
  if (rest > 0) {
    file->pseudoSeek += rest;
    if (!kfs::PrepareRead(file)) return kfsTypeUnknown;
  }
  return entry.type;
}
KORA_CATCH_ALL((::kfs::Escaped(file, __LINE__), kfsTypeUnknown))

KFS_API unsigned int kfsLblockSkip(kfsHandle file) try {
  if (!file) {
    KFS_REPORT(kfsErrNullArgument);
    return kfsErrNullArgument;
  }
  if (file->status != kfsOK) return file->status;
  const kfsPeekEntry start = Peek(file);
  if (start.headerLength == 0) return file->status;
  if (start.type != kfsTypeBlock) {
    Unpeek(file);
    return KFS_RAISE(file, kfsErrSkipBlock);
  }
  kfs::DropConsumed(file);
  while (true) {
    kfsSimpleType skipped = kfsSkip(file);
    if (skipped == kfsTypeTerminator) return kfsOK;
    if (skipped == kfsTypeUnknown && file->status != kfsOK) {
      if (file->status == kfsEndOfFile) {
        file->status = kfsOK;
        return KFS_RAISE(file, kfsErrStructure);
      }
      return file->status;
    }
  }
}
KORA_CATCH_ALL(::kfs::Escaped(file, __LINE__))

}  // extern "C"
