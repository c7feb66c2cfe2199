// kfs_access.h - what the layers above the container (data files, cross
// sections, older formats) may know of a handle, and of the call trace,
// beyond the flat interface of kfs.h. They include this header, never kfs_handle.h: the handle's layout
// stays the container's to change.
//
// The accessors are inline because the data-file layer calls them on every
// record it reads or writes; each compiles to a single load or store.
//
// Not installed for hosts.
#ifndef KFS_CONTAINER_KFS_ACCESS_H
#define KFS_CONTAINER_KFS_ACCESS_H

#include <cstddef>

#include "kfs/container/kfs.h"
#include "kfs/container/kfs_handle.h"

namespace kfs {

// REQUIRES for every accessor: file is an open handle (not null).

// Whether the handle was opened for reading only.
inline bool IsReadOnly(const kfsFile* file) { return file->readOnly != 0; }

// The path the handle was opened with; null for a memory stream.
inline const char* DiskPath(const kfsFile* file) { return file->filname; }

// Drops a pending forward move (from kfsPseudoSeek) before the caller
// repositions the handle by other means.
inline void DropPendingMove(kfsFile* file) { file->pseudoSeek = 0; }

// The state the layer above attached to the handle; null until it does.
inline void* UpperState(const kfsFile* file) { return file->upperState; }

// Attaches the state of the layer above. The handle owns it from now on and
// passes it to release when it is closed. REQUIRES: no state is attached yet.
inline void AttachUpperState(kfsFile* file, void* state, void (*release)(void*)) {
  file->upperState = state;
  file->releaseUpperState = release;
}

// Latches code in the handle's status (unless an error is latched already)
// and reports it through the container's callback table, as the container's
// own failures are; line is the caller's source line. Returns the status.
unsigned int Raise(kfsFile* file, unsigned int code, int line);

// Element size of the record types 1..7, as kfsSimpSize gives it; 0 for
// any other code. Inline: the item-by-item reader asks for every record.
inline size_t RecordElementSize(kfsSimpleType type) {
  static constexpr unsigned char kSizes[8] = {0, 4, 8, 1, 4, 4, 2, 2};
  return type >= 1 && type <= 7 ? kSizes[type] : 0;
}

// Record transfers for a caller that knows the record it expects next, as
// the data-file layer does item by item. Each moves the record straight
// between the caller and the storage's own buffer and returns true; or it
// returns false having changed nothing, when that cannot be done at once (a
// latched status, headers read ahead and not yet consumed, a pending move,
// the buffer too short, or a record other than the one expected). The
// caller then takes the general route (kfsQuery, kfsLrecRead, kfsLrecWrite),
// which reports the exact cause. Bytes and positions are those of the
// general route.
bool ReadExpectedRecord(kfsFile* file, kfsSimpleType type, unsigned int count, void* data);
bool WriteRecordInBuffer(kfsFile* file, kfsSimpleType type, unsigned int count, const void* data);

// Whether the path still names the file the handle has open (the same
// device and inode); false for a memory stream, a path that names nothing or
// anything else, and when the system cannot tell. A name removed or taken
// over by another file between two steps must not send a later update by
// name into a file the handle never opened.
bool PathNamesOpenFile(const kfsFile* file, const char* path);

// Whether two handles have the same file on disk open.
bool SameOpenFile(const kfsFile* a, const kfsFile* b);

// The first reserved number of the container header (written 0), which a
// layer above may use to mark a file while it rewrites it in place.
inline uint32_t ReservedWord(const kfsFile* file) { return file->reservedWord; }

// Writes the reserved number into a disk file opened for edit and makes it
// reach the file before anything written later; the position is kept. False
// (with the code latched when a transfer failed) when it cannot.
bool WriteReservedWord(kfsFile* file, uint32_t value);

// The call trace's runs, for the trace switches of the layers above. A run
// ends when the trace meets its line limit or is reset; a switch belongs to
// the run it was turned on in and reads as off once that run ended.
unsigned int TraceRun();
// Starts a new run when the last one ended at the line limit; called by a
// switch being turned on.
void ResumeTrace();

}  // namespace kfs

#endif
