/* kfs.h - the block-file container: a typed, self-describing binary file of
 * records (arrays of one simple type) and numbered logical blocks.
 *
 * File layout (all numbers in the writer's byte order, little-endian on
 * x86-64; a reader of the other order converts on the fly):
 *
 *   "OXA_"  u32 API identifier  56-byte fixed text  ["  " app text]  0x1A
 *   B:      creation stamp (6 x u16: y m d h mi s), u32 container version,
 *           u32 application version, edit stamp, u32, u32, u32 0, u32 0
 *   A=B+48: body items until end of file:
 *           record      u8 type 1..7, u32 count >= 1, count x size bytes
 *           block start u8 0xFE, u16 block id
 *           terminator  u8 0xFF
 *
 * Every function that can fail records its code in the handle's latched
 * status and calls the error callback installed for the code (see
 * kfsGetCallbacks). While the status is not 0 - end of file included - reads
 * and writes do nothing; seek, rewind and pseudo-seek clear an end of file,
 * and kfsGetError clears an error.
 *
 * No exception leaves a function of this library: running out of memory is
 * status 2000 (kfsErrMemory) like any other failure, or the "nothing" a
 * function documents (null, 0). Callbacks a host installs (error, identifier,
 * refill and drain callbacks) must not throw either; kfsErrorText names every
 * code.
 *
 * Callable from C, C++, Fortran (bind(C)) and Python (ctypes). */
#ifndef KFS_CONTAINER_KFS_H
#define KFS_CONTAINER_KFS_H

#include <stddef.h>

#include "kfs/kfs_api.h"

KFS_EXTERN_C_BEGIN

/* ---- Simple types ------------------------------------------------------ */

/* A signed type code; the data-file layer uses the same codes for item data. */
typedef int kfsSimpleType;

enum kfsSimpleTypeCode {
  kfsTypeBlock = -2,      /* "block": start of a logical block (marker) */
  kfsTypeTerminator = -1, /* "terminator": end of a logical block (marker) */
  kfsTypeUnknown = 0,     /* "unknown": nothing (end of file or error) */
  kfsTypeFloat = 1,       /* "float", 4 bytes */
  kfsTypeDouble = 2,      /* "double", 8 bytes */
  kfsTypeByte = 3,        /* "byte", 1 byte; also text without terminating zero */
  kfsTypeInt4 = 4,        /* "integer*4" */
  kfsTypeUInt4 = 5,       /* "unsigned*4" */
  kfsTypeInt2 = 6,        /* "integer*2" */
  kfsTypeUInt2 = 7        /* "unsigned*2" */
};

/* "unknown" for codes outside -2..7. Never null. */
KFS_API const char* kfsSimpName(kfsSimpleType type);
/* Element size in bytes; 0 for codes outside 1..7. */
KFS_API unsigned int kfsSimpSize(kfsSimpleType type);
/* Non-zero exactly for -2 <= type <= 7. */
KFS_API int kfsSimpValid(kfsSimpleType type);

/* ---- Status and error codes ------------------------------------------- */

enum kfsErrors {
  kfsOK = 0,
  kfsEndOfFile = 1,          /* end of file met while reading; never reported */
  kfsErrNullArgument = 1000, /* a required argument is null */
  kfsErrMemory = 2000,       /* memory allocation failed */
  kfsErrRead = 2001,         /* read failed (also: a truncated item) */
  kfsErrWrite = 2002,        /* write failed */
  kfsErrOpen = 2003,         /* file or stream could not be opened */
  kfsErrClose = 2004,        /* close failed */
  kfsErrFlush = 2005,        /* flush failed */
  kfsErrSeek = 2006,         /* seek failed */
  kfsErrItemNumber = 2007,   /* item number out of range (data-file layer) */
  kfsErrStatistics = 2008,   /* statistics requested but not kept (data-file layer) */
  kfsErrType = 2009,         /* wrong or invalid simple type, or zero count */
  kfsErrBlock = 2010,        /* logical block could not be made / header invalid */
  kfsErrDate = 2011,         /* date text not year-month-day */
  kfsErrTime = 2012,         /* time text not hour:minute:second */
  kfsErrCount = 2013,        /* record longer than the caller's buffer, count not as expected */
  kfsErrNotContainer = 2014, /* magic "OXA_" not found in either byte order */
  kfsErrReadOnly = 2015,     /* write attempted on a read-only handle */
  kfsErrSkipBlock = 2016,    /* block skip requested where no block starts */
  kfsErrApiId = 2017,        /* the file's API identifier is not the caller's */
  kfsErrTimeStep = 2018,     /* time-step operation not supported (data-file layer) */
  kfsErrStructure =
      2019,         /* block start/terminator where a record was expected, unterminated block */
  kfsErrUnit = 2020 /* unit not valid for the item type (data-file layer) */
};

/* One line of English saying what a status code means ("seek failed" for
 * 2006), for messages of hosts and error callbacks. Every code above has its
 * own text; any other gives "unknown kfs status code". Never null; the text
 * is static. */
KFS_API const char* kfsErrorText(unsigned int code);

/* ---- Handles ------------------------------------------------------------ */

/* An open container file or memory stream. Opaque to C callers; the layout
 * is the container's own (kfs/container/kfs_handle.h), and the layers of
 * libkfs above it use the accessors of kfs/container/kfs_access.h. */
typedef struct kfsFile kfsFile;
typedef kfsFile* kfsHandle;

/* Identifies the calling interface: stores the caller's application version
 * through its argument and returns the caller's 32-bit API identifier. */
typedef unsigned int (*kfsIdentifierCallback)(unsigned int* appVersion);

/* Memory-stream reader: called when the buffer has been consumed; refills the
 * buffer given at open and returns the number of bytes now in it. Returning
 * less than the capacity marks the last buffer. */
typedef size_t (*kfsStreamRefill)(void);

/* Memory-stream writer: called with the number of bytes filled in the buffer
 * given at open; stores them and returns how many it took. Anything but the
 * full count is a write failure (2002). */
typedef size_t (*kfsStreamDrain)(size_t filled);

/* The identifier that reads any container: 0x1A9B8C1A, application version 0. */
#define KFS_INTERNAL_API_ID 0x1A9B8C1AU
/* Written when a file is created without an identifier callback. */
#define KFS_DEFAULT_API_ID 0x03030303U
/* The container version written by this library. */
#define KFS_VERSION_CURRENT 104U

KFS_API unsigned int kfsInternalAPI(unsigned int* appVersion);

/* All open functions return a status (0 success) and set *handle to the new
 * handle, or to null on failure: a failed open never leaves a handle behind.
 *
 * kfsFileOpenCreate: mode "wb+" when update is non-zero, else "wb"; writes
 * the header stamped with the local time. applicationText may be null or
 * empty. identifier may be null (API identifier 0x03030303, version 0).
 * Returns 0, 2003 (cannot open), 2002 (header not written), 2000. */
KFS_API unsigned int kfsFileOpenCreate(const char* path, const char* applicationText,
                                       kfsHandle* handle, kfsIdentifierCallback identifier,
                                       int update);
/* The same over the caller's memory buffer, drained through `drain`. */
KFS_API unsigned int kfsStreamOpenCreate(void* buffer, size_t capacity, kfsStreamDrain drain,
                                         const char* applicationText, kfsHandle* handle,
                                         kfsIdentifierCallback identifier);
/* Opens read-only ("rb") and reads the header; *fileIdentifier (may be null)
 * receives the API identifier stored in the file. The open fails with 2017
 * when that differs from the caller's, unless the caller is kfsInternalAPI
 * or gives no identifier callback.
 * Returns 0, 2003, 2001 (truncated header), 2014, 2017, 2000. */
KFS_API unsigned int kfsFileOpenRead(const char* path, kfsHandle* handle,
                                     kfsIdentifierCallback identifier,
                                     unsigned int* fileIdentifier);
/* The same over the caller's memory buffer, refilled through `refill`. */
KFS_API unsigned int kfsStreamOpenRead(void* buffer, size_t capacity, kfsStreamRefill refill,
                                       kfsHandle* handle, kfsIdentifierCallback identifier,
                                       unsigned int* fileIdentifier);
/* Opens for update ("rb+"), reads the header and, unless the file was made by
 * container version 104 with the caller's application version, rewrites the
 * edit stamp and versions in place. Leaves the position at the application
 * base. Files of the other byte order stay in that order. */
KFS_API unsigned int kfsFileOpenEdit(const char* path, kfsHandle* handle,
                                     kfsIdentifierCallback identifier,
                                     unsigned int* fileIdentifier);
/* Closes and frees the handle, nulls *handle. 0 for a null handle, 2004
 * when the storage close fails (the handle is freed all the same). */
KFS_API unsigned int kfsFileClose(kfsHandle* handle);
/* 0, or 2005 when the storage cannot be flushed; 0 for a null handle. */
KFS_API unsigned int kfsFileFlush(kfsHandle file);

/* ---- Header queries ----------------------------------------------------- */

/* The name given at open; null for memory streams. */
KFS_API const char* kfsGetFilename(kfsHandle file);
/* "yyyy-mm-dd" and "hh:mm:ss", cached in the handle (valid while it is
 * open); an empty text for a null handle. */
KFS_API const char* kfsGetFileCreationDate(kfsHandle file);
KFS_API const char* kfsGetFileCreationTime(kfsHandle file);
KFS_API const char* kfsGetFileEditDate(kfsHandle file);
KFS_API const char* kfsGetFileEditTime(kfsHandle file);
KFS_API unsigned int kfsGetVersionCreate(kfsHandle file);
KFS_API unsigned int kfsGetVersionEdit(kfsHandle file);
KFS_API unsigned int kfsGetVersionCreateApp(kfsHandle file);
KFS_API unsigned int kfsGetVersionEditApp(kfsHandle file);
KFS_API unsigned int kfsGetVersionCurrent(void);
/* Container base B (just behind the 0x1A mark) and application base A. */
KFS_API unsigned int kfsGetKFSbase(kfsHandle file);
KFS_API unsigned int kfsGetAppBase(kfsHandle file);

/* The status, cleared to 0 / left unchanged. 1000 for a null handle. */
KFS_API unsigned int kfsGetError(kfsHandle file);
KFS_API unsigned int kfsPeekError(kfsHandle file);

/* ---- Error callbacks ----------------------------------------------------- */

/* Called with (code, "kfs", source line) whenever the container raises code. */
typedef void (*kfsErrorCallback)(unsigned int code, const char* source, int line);

/* Slots of the callback tables: code 1000 uses slot 0, 2000..2020 slots 1..21. */
#define KFS_CALLBACK_SLOTS 22
/* The slot of a code, or -1 for a code that has none. */
KFS_API int kfsCallbackSlot(unsigned int code);
/* The process-wide table of KFS_CALLBACK_SLOTS entries; install a callback
 * with kfsGetCallbacks()[kfsCallbackSlot(code)] = fn. */
KFS_API kfsErrorCallback* kfsGetCallbacks(void);
KFS_API void kfsResetCallbacks(void);

/* ---- Records and logical blocks in memory -------------------------------- */

/* One record of a logical block; a block is a pointer to its first node and
 * an empty block is null. Only nodes with MustFree set own (and free) data. */
typedef struct kfsLblockNode {
  kfsSimpleType type;
  unsigned int count;
  int MustFree;
  void* data;
  struct kfsLblockNode* next;
} kfsLblockNode;
typedef kfsLblockNode* kfsLblock;
typedef kfsLblock kfsBlock;
/* A record in memory: count x kfsSimpSize(type) bytes. */
typedef void* kfsLrec;

/* Appends a node to the list starting at `block` (null: starts a new list)
 * and returns the node. With copy set the node owns a copy of data (zero
 * bytes when data is null); without, it refers to the caller's buffer, which
 * must outlive the node. A type outside 1..7 or a zero count reports 2009
 * and appends a node without data, written as nothing. Null only when memory
 * runs out (2000 reported). */
KFS_API kfsLblock kfsLblockAdd(kfsSimpleType type, unsigned int count, const void* data, int copy,
                               kfsLblock block);
/* Frees every node and owned data; sets *block to null. */
KFS_API void kfsLblockFree(kfsLblock* block);
/* Detaches the owned data from a node (MustFree must be set: calling it on
 * any other node is a programming error and stops the process). The caller
 * frees the returned buffer with free() or kfsLrecFree. */
KFS_API void* kfsLblockTakeOver(kfsLblock lBlock);

/* ---- Writing ------------------------------------------------------------- */

/* Writes one record. Returns the status: 0, 2002, 2015 (read-only), or the
 * latched status. A type outside 1..7 or a zero count reports 2009 and
 * returns 2009 without writing and without changing the status; null data
 * with a non-zero count likewise reports and returns 1000. The caller's
 * buffer is never modified, also for files of the other byte order. */
KFS_API unsigned int kfsLrecWrite(kfsHandle file, kfsSimpleType type, unsigned int count,
                                  const void* data);
/* Writes block start with id (0..65535), every node as a record, terminator.
 * A null block writes an empty block. An id above 65535 reports 2010; a node
 * of a valid type and count whose data pointer is null reports 1000. Both
 * write nothing and leave the status as it was. Nodes made without data
 * (invalid type or count, see kfsLblockAdd) are written as nothing. */
KFS_API unsigned int kfsLblockWrite(unsigned int id, kfsHandle file, kfsLblock block);

/* ---- Reading ------------------------------------------------------------- */

/* Type code of the next item without consuming it; *count (may be null)
 * receives the record's element count or the block id. 0 at end of file or
 * while the status is not 0. */
KFS_API kfsSimpleType kfsQuery(kfsHandle file, unsigned int* count);
/* Reads the next record into buffer; returns its element count (0 when
 * nothing was read). Another type than `type`: 2009; more elements than
 * capacity: 2013; a block start or terminator: 2019 - in all three cases the
 * item stays unread and nothing is stored in buffer. */
KFS_API unsigned int kfsLrecRead(kfsHandle file, kfsSimpleType type, unsigned int capacity,
                                 void* buffer);
/* Reads the next record into a new buffer (free with kfsLrecFree), storing
 * its type and count (both may be null). Null when nothing was read; a block
 * start or terminator is left unread (inside kfsLblockRead a terminator ends
 * the block). The allocation never exceeds what the storage can deliver. */
KFS_API void* kfsLrecReadAlloc(kfsHandle file, kfsSimpleType* type, unsigned int* count);
/* Frees a buffer of kfsLrecReadAlloc or kfsLblockTakeOver; nulls *buffer. */
KFS_API void kfsLrecFree(void** buffer);
/* Reads a whole logical block into a new list of owning nodes (*block, free
 * with kfsLblockFree) and its record count (*nRecords); returns the block id,
 * or -1 when the next item is not a block start (2019, left unread). A
 * nested block start, an invalid record or the end of the file before the
 * terminator gives 2019; the records read so far are still returned. */
KFS_API int kfsLblockRead(kfsHandle file, unsigned int* nRecords, kfsLblock* block);
/* Skips a whole block up to and including the first terminator; 2016 (item
 * left unread) when the next item is not a block start. Returns the status. */
KFS_API unsigned int kfsLblockSkip(kfsHandle file);
/* Skips exactly one item (a record with its data, a block start marker
 * alone, or a terminator); returns its type code, 0 when nothing was skipped. */
KFS_API kfsSimpleType kfsSkip(kfsHandle file);

/* ---- Positioning ---------------------------------------------------------- */

/* Byte offset where the next unread item begins; -1 when the storage cannot
 * tell (memory writer). */
KFS_API long long kfsTell64(kfsHandle file);
/* whence 0 (start), 1 (current logical position), 2 (end). Returns the
 * status: 0, or 2006 when the storage refuses. */
KFS_API unsigned int kfsSeek64(kfsHandle file, long long offset, int whence);
/* Seeks to the application base: the first item of the body. */
KFS_API unsigned int kfsRewind(kfsHandle file);
/* Adds n bytes to a pending forward move, applied by the next read, write or
 * tell; lets a caller step over records whose length it can compute without
 * a seek per record. Returns the status. */
KFS_API unsigned int kfsPseudoSeek(kfsHandle file, long long n);

KFS_EXTERN_C_END

#endif
