// Helpers shared by the data-file sources; not part of the library's API.
#ifndef KFS_DFS_DFS_INTERNAL_H
#define KFS_DFS_DFS_INTERNAL_H

#include <cstddef>
#include <cstdint>

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"

namespace dfs {

// Reports a code through the wrapper error table with the source position
// and returns it, so that `return DFS_FAIL(h, f, 2010);` reads naturally.
int report(const void* header, kfsHandle file, int code, const char* source, int line);

// Owned copy of a text (null gives an empty text); null when memory runs out.
char* copyText(const char* text);
// Owned copy of n bytes, or null when n is 0 or memory runs out.
void* copyBytes(const void* data, std::size_t n);

// Items: defaults, and freeing of everything an item owns.
void initItem(absItemS* item, DfsHeader* header, int isStatic);
void clearItem(absItemS* item);
void freeAxisArrays(absItemS* item);
void freeTimeAxis(dfsTimeAxis* axis);

// Element count of the axis (0 when unset, -1 for an unknown type), in 64
// bits: sizes come from files and their product can exceed any int.
long long axisElements(const absItemS* item);

// Whether a writable handle stands at the end of its file (a memory stream
// always does): where it does not, the file's sections lie behind it and are
// rewritten in place, never begun anew.
bool atEndOfFile(kfsHandle file);

// What the container header's reserved number holds while a header is
// rewritten in place ("UPD_" on disk in the writer's byte order). A write
// that fails half-way leaves it there, and every open refuses the file with
// 2019: a header of blocks half old and half new must not pass for a file.
constexpr uint32_t kHeaderUpdateMark = 0x5F445055u;

// The error a writable handle holds latched (0 when none): once a write
// failed every later one is refused, so what the writer sent since the last
// flush may be missing from the file.
int lostWrites(kfsHandle file);

// FOpenFileCreate and FOpenStreamCreate, with the status of a failed open
// also in *status (the public wrappers give it only to their error table),
// so that a create answers what went wrong: 2000 when memory ran out, 2003
// when the file could not be made.
kfsHandle openFileCreate(const char* path, int update, unsigned int* status);
// Removes what a failed create left at path, when that is a regular file: a
// device, a pipe or a link the caller named was there before the create and
// is not ours to remove.
void removeFailedCreate(const char* path);
kfsHandle openStreamCreate(void* buffer, std::size_t capacity, kfsStreamDrain drain,
                           unsigned int* status);

// Whether the header can be written at all (2010, 2020), checked before a
// file is created for it.
int checkHeaderWritable(DfsHeader* header);
// Writes the present encode keys as the first static items.
int writeEncodeKeys(DfsHeader* header, kfsHandle file);

// The code to report for a container status after a transfer that did not
// deliver: no status, or only the end of the file, is a failed read.
inline int readFailure(unsigned int status) {
  return (status == kfsOK || status == kfsEndOfFile) ? static_cast<int>(kfsErrRead)
                                                     : static_cast<int>(status);
}
// The error latched in the container, or `fallback` when none is (no status
// or only the end of the file).
inline int latchedOr(unsigned int status, int fallback) {
  return status > kfsEndOfFile ? static_cast<int>(status) : fallback;
}
// The status of a failed open, or kfsErrOpen when the open gave none.
inline int openFailure(unsigned int status) {
  return status ? static_cast<int>(status) : static_cast<int>(kfsErrOpen);
}

}  // namespace dfs

#define DFS_FAIL(header, file, code) ::dfs::report((header), (file), (code), __FILE__, __LINE__)

#endif
