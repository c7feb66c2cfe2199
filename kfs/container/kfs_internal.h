// kfs_internal.h - helpers shared by the container's source files: error
// raising, the look-ahead buffer, positioning and byte reversal.
#ifndef KFS_CONTAINER_KFS_INTERNAL_H
#define KFS_CONTAINER_KFS_INTERNAL_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "kfs/container/kfs.h"
#include "kfs/container/kfs_assert.h"
#include "kfs/container/kfs_handle.h"
#include "kfs/container/kfs_storage.h"

namespace kfs {

// Calls the callback installed for code with ("kfs", line); no status change.
void Report(unsigned int code, int line);
// Latches code in the handle's status (unless an error is latched already)
// and reports it. End of file (1) is latched silently. Returns the status.
unsigned int Raise(kfsFile* file, unsigned int code, int line);
// The answer of a function whose body threw (KORA_CATCH_ALL): only memory
// can run out inside the container, so kfsErrMemory is latched in the
// handle when there is one, and reported. Returns the status.
unsigned int Escaped(kfsFile* file, int line);

// The look-ahead buffer.
const kfsPeekEntry& Peek(kfsFile* file);
void Unpeek(kfsFile* file);
// Marks every peeked entry as used up: the item behind the last consumed
// header has been fully transferred.
void DropConsumed(kfsFile* file);
// Header bytes peeked but not consumed, to be given back.
int64_t UnconsumedHeaderBytes(const kfsFile* file);

// The relative move from where the look-ahead left the storage to the
// logical position plus the pending pseudo-seek; empties the look-ahead.
int64_t TakePendingMove(kfsFile* file);

// Brings the storage to the logical position before a transfer: gives back
// unconsumed look-ahead, applies the pending pseudo-seek and separates a
// read from a write by a seek. False when it failed (status set).
bool PrepareRead(kfsFile* file);
bool PrepareWrite(kfsFile* file);
// Moves forward by n bytes from the current storage position, by reading
// for short moves (streams can only move forward by reading).
bool SkipForward(kfsFile* file, int64_t n);

// Transfers with the status rules of the container: a short read of nothing
// at end of storage is end of file only where an item may end (atItemStart),
// else a read error; a short write is a write error.
bool ReadBytes(kfsFile* file, void* buffer, size_t n, bool atItemStart);
bool WriteBytes(kfsFile* file, const void* buffer, size_t n);
// Reads count elements of size bytes, byte-reversed when the file needs it.
bool ReadElements(kfsFile* file, void* buffer, size_t size, size_t count);
// Writes count elements, byte-reversed in a copy when the file needs it.
bool WriteElements(kfsFile* file, const void* buffer, size_t size, size_t count);

// Takes count elements from what the storage has read ahead, when it holds
// them all; false (nothing taken) otherwise, and the caller reads them.
bool TakeFromWindow(kfsFile* file, void* buffer, size_t size, size_t count);

void ReverseElements(void* buffer, size_t size, size_t count);

inline bool IsRecordType(kfsSimpleType type) { return type >= 1 && type <= 7; }

}  // namespace kfs

#define KFS_RAISE(file, code) ::kfs::Raise((file), (code), __LINE__)
#define KFS_REPORT(code) ::kfs::Report((code), __LINE__)

#endif
