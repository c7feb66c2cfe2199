// dfs_file_state.h - what the data-file layer keeps per open container
// handle: where in the file it stands, when it last brought the header on
// disk up to date, and the delete values of the header the file was written
// with. The state hangs on the handle (kfs_access.h) and is released with it.
//
// The data-file open functions attach it when they open a handle. A handle
// the container opened on its own reads as a fresh one (position 0, delete
// values 0) until a data-file function first changes its state, which
// attaches it then.
//
// Not installed for hosts.
#ifndef KFS_DFS_DFS_FILE_STATE_H
#define KFS_DFS_DFS_FILE_STATE_H

#include <ctime>

#include "kfs/container/kfs.h"
#include "kfs/container/kfs_access.h"

namespace dfs {

// Sections of a data file, in file order, as the handle's position.
enum Position { eUnpositioned = 0, eInHeader = 1, eInStatic = 2, eInDynamic = 3 };

struct FileState {
  int position = eUnpositioned;
  std::clock_t lastHeaderUpdate = 0;  // processor clock; starts at open
  float deleteFloat = 0.0f;
  double deleteDouble = 0.0;
};

// A new state for a handle the data-file layer opened (position: header).
// False when memory ran out; nothing is attached then.
bool attachState(kfsHandle file);

// The handle's state, attached now if it has none. Null only when memory
// ran out: then 2000 is latched in the handle, so that the call's next
// container operation fails and the caller reports it.
FileState* state(kfsHandle file);

inline const FileState* peekState(kfsHandle file) {
  return static_cast<const FileState*>(kfs::UpperState(file));
}

inline int position(kfsHandle file) {
  const FileState* s = peekState(file);
  return s ? s->position : eUnpositioned;
}

inline void setPosition(kfsHandle file, int position) {
  if (FileState* s = state(file)) s->position = position;
}

inline float deleteFloat(kfsHandle file) {
  const FileState* s = peekState(file);
  return s ? s->deleteFloat : 0.0f;
}

inline double deleteDouble(kfsHandle file) {
  const FileState* s = peekState(file);
  return s ? s->deleteDouble : 0.0;
}

}  // namespace dfs

#endif
