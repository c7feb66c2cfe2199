// kfs_handle.h - the layout of a container handle, for the container's own
// sources only. Hosts see kfsHandle as opaque; the layers above the container
// (data files, cross sections) reach a handle through kfs_access.h.
#ifndef KFS_CONTAINER_KFS_HANDLE_H
#define KFS_CONTAINER_KFS_HANDLE_H

#include <cstdint>

#include "kfs/container/kfs.h"

class CKfsStorage;

enum { kfsPeekBufferSize = 4, kfsScratchSize = 4096 };

// The header of one body item as the look-ahead read it.
struct kfsPeekEntry {
  kfsSimpleType type;  // record type, -2 block start, -1 terminator, other codes as read
  unsigned int count;  // element count, or block id
  int headerLength;    // bytes read: 5 record, 3 block start, 1 marker, 0 nothing
};

// Last storage operation, for the seek that must separate reads from writes.
enum { kfsLastWrite = -1, kfsLastNone = 0, kfsLastRead = 1 };

struct kfsFile {
  CKfsStorage* storage;
  int swap;                    // file is in the other byte order
  char* filname;               // null for memory streams
  unsigned short creation[6];  // year month day hour minute second
  char* creationDate;
  char* creationTime;
  unsigned short edit[6];
  char* editDate;
  char* editTime;
  int readOnly;
  unsigned int status;  // 0 ok, 1 end of file, else latched error code
  int64_t kfsBase;      // B: behind the 0x1A mark
  int64_t appBase;      // A = B + 48
  unsigned int versionCreate;
  unsigned int versionEdit;
  unsigned int versionCreateApp;
  unsigned int versionEditApp;
  uint32_t reservedWord;  // the first reserved number behind the edit part
  int inBlock;            // inside kfsLblockRead
  int lastOp;             // kfsLastWrite, kfsLastNone, kfsLastRead
  int64_t pseudoSeek;     // pending forward move
  kfsPeekEntry peek[kfsPeekBufferSize];
  short peekFilled;
  short peekiCurrent;  // -1 when nothing is consumed
  unsigned char scratch[kfsScratchSize];
  // The state a layer above keeps per handle (the data-file layer's
  // position and delete values). The container never looks inside; it only
  // releases the state with the handle.
  void* upperState;
  void (*releaseUpperState)(void* state);
};

#endif
