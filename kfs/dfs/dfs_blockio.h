// Building and taking apart the logical blocks of the header. Not part of
// the library's API.
#ifndef KFS_DFS_DFS_BLOCKIO_H
#define KFS_DFS_DFS_BLOCKIO_H

#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_types.h"

namespace dfs {

// A block to write whose records refer to the caller's buffers, which must
// outlive it.
class OutBlock {
 public:
  OutBlock() = default;
  OutBlock(const OutBlock&) = delete;
  OutBlock& operator=(const OutBlock&) = delete;
  ~OutBlock();
  void add(int type, unsigned int count, const void* data);
  void addText(const char* text);  // bytes with the terminating zero
  int write(kfsHandle file, unsigned int tag, const char* source, int line);

 private:
  kfsLblock first_ = nullptr;
  bool failed_ = false;
};

// The records of a block read from a file, taken one after another with
// their type and count checked; the first failure sticks.
class InBlock {
 public:
  explicit InBlock(kfsLblock block) : first_(block), node_(block) {}
  InBlock(const InBlock&) = delete;
  InBlock& operator=(const InBlock&) = delete;
  ~InBlock();
  // The next record's data; count 0 takes any count (>= 1), stored in *got.
  const void* next(int type, unsigned int count, unsigned int* got = nullptr);
  // The next record as an owned, zero-terminated text (free with free()).
  char* nextText();
  // The next record's node, or null at the end of the block.
  kfsLblock peekNode() const { return node_; }
  // The next record's data taken over (free with free()); any type 1..7.
  void* takeAny(int* type, unsigned int* count);
  bool atEnd() const { return node_ == nullptr; }
  int status() const { return status_; }
  void fail(int code) {
    if (status_ == 0) status_ = code;
  }

 private:
  kfsLblock first_;
  kfsLblock node_;
  int status_ = 0;
};

// Reads the next logical block; 2001 when none follows (end of file or a
// record), the read's own status otherwise.
int readBlock(kfsHandle file, kfsLblock* block, int* tag);
// The id of the next block, -1 when no block starts there.
int nextBlockTag(kfsHandle file);
// Skips the next block: 2001 when the file ends first, else the container's
// code.
int skipBlock(kfsHandle file);
// Steps over the marker 40000 into the static section when the file is still
// at the end of the header and the section begins there.
int enterStatic(kfsHandle file);

// Item blocks: item (30005/30002), value type (30006) and axis. Validating
// checks the unit against the item type (2020) before anything is written.
int checkItemWritable(const absItemS* item, bool validateUnit);
int writeItemBlocks(kfsHandle file, const absItemS* item);
// Reads the item blocks starting with the item block of `tag` into an
// initialised item.
int readItemBlocks(kfsHandle file, int tag, absItemS* item);
// Whether two items take the same bytes on disk (item blocks and values), so
// that one can be written over the other in place.
bool sameStoredForm(const absItemS* a, const absItemS* b);

// Axis tags.
int axisTag(int axisType);  // 0 when the axis has no stored form
bool axisTagKnown(int tag);

}  // namespace dfs

#endif
