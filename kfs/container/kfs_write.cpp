// Writing body items: records and logical blocks.
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/container/kfs_internal.h"

namespace {

// Headers of small records go out with their data in one storage call: a
// writer of many one-element records then costs one call per record.
constexpr size_t kJoinedRecordLimit = 64;

// A node that carries a record but refers to no buffer. Written as nothing
// it would shift every record behind it, so its block is refused whole.
bool HasMissingData(const kfsLblockNode* block) {
  for (const kfsLblockNode* node = block; node; node = node->next)
    if (kfs::IsRecordType(node->type) && node->count != 0 && !node->data) return true;
  return false;
}

// Common entry checks of the write functions; 0 when writing may go on.
unsigned int CheckWritable(kfsFile* file) {
  if (file->status != kfsOK) return file->status;
  if (file->readOnly) return KFS_RAISE(file, kfsErrReadOnly);
  return kfsOK;
}

}  // namespace

extern "C" {

KFS_API unsigned int kfsLrecWrite(kfsHandle file, kfsSimpleType type, unsigned int count,
                                  const void* data) try {
  if (!file) {
    KFS_REPORT(kfsErrNullArgument);
    return kfsErrNullArgument;
  }
  if (!kfs::IsRecordType(type) || count == 0) {
    KFS_REPORT(kfsErrType);
    return kfsErrType;
  }
  if (!data) {
    KFS_REPORT(kfsErrNullArgument);
    return kfsErrNullArgument;
  }
  if (unsigned int status = CheckWritable(file)) return status;
  if (!kfs::PrepareWrite(file)) return file->status;

  const size_t size = kfsSimpSize(type);
  const size_t bytes = size * count;
  unsigned char header[5 + kJoinedRecordLimit];
  header[0] = static_cast<unsigned char>(type);
  uint32_t fileCount = count;
  if (file->swap) fileCount = __builtin_bswap32(fileCount);
  std::memcpy(header + 1, &fileCount, 4);
  if (bytes <= kJoinedRecordLimit) {
    std::memcpy(header + 5, data, bytes);
    if (file->swap) kfs::ReverseElements(header + 5, size, count);
    kfs::WriteBytes(file, header, 5 + bytes);
  } else if (kfs::WriteBytes(file, header, 5)) {
    kfs::WriteElements(file, data, size, count);
  }
  return file->status;
}
KORA_CATCH_ALL(::kfs::Escaped(file, __LINE__))

KFS_API unsigned int kfsLblockWrite(unsigned int id, kfsHandle file, kfsLblock block) try {
  if (!file) {
    KFS_REPORT(kfsErrNullArgument);
    return kfsErrNullArgument;
  }
  if (id > 0xFFFF) {
    KFS_REPORT(kfsErrBlock);
    return kfsErrBlock;
  }
  if (HasMissingData(block)) {
    KFS_REPORT(kfsErrNullArgument);
    return kfsErrNullArgument;
  }
  if (unsigned int status = CheckWritable(file)) return status;
  if (!kfs::PrepareWrite(file)) return file->status;

  unsigned char start[3] = {0xFE, 0, 0};
  uint16_t fileId = static_cast<uint16_t>(id);
  if (file->swap) fileId = __builtin_bswap16(fileId);
  std::memcpy(start + 1, &fileId, 2);
  if (!kfs::WriteBytes(file, start, 3)) return file->status;
  for (kfsLblockNode* node = block; node; node = node->next) {
    // Nodes that were made without data (invalid type or count) are
    // written as nothing; they were reported when they were made.
    if (!kfs::IsRecordType(node->type) || node->count == 0) continue;
    if (kfsLrecWrite(file, node->type, node->count, node->data) != kfsOK) return file->status;
  }
  const unsigned char terminator = 0xFF;
  kfs::WriteBytes(file, &terminator, 1);
  return file->status;
}
KORA_CATCH_ALL(::kfs::Escaped(file, __LINE__))

}  // extern "C"
