// kfs_storage.h - where a container handle's bytes go: a disk file through
// the C library's buffered streams, or the caller's memory buffer that is
// refilled or drained through a callback (a file made or consumed without a
// file on disk).
//
// Read and Write take (buffer, element size, element count) and return the
// number of whole elements moved, as fread/fwrite do. Seek takes a 64-bit
// offset and a whence of the C library. Close, Seek, Flush and End return
// true for success. The slot order of the virtual functions is part of the
// class's contract; a derived class adds its Open behind them.
#ifndef KFS_CONTAINER_KFS_STORAGE_H
#define KFS_CONTAINER_KFS_STORAGE_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "kfs/container/kfs.h"

class CKfsStorage {
 public:
  virtual ~CKfsStorage() = default;
  virtual bool Close() = 0;
  virtual size_t Read(void* buffer, size_t size, size_t count) = 0;
  virtual size_t Write(const void* buffer, size_t size, size_t count) = 0;
  virtual bool Seek(int64_t offset, int whence) = 0;
  virtual bool Flush() = 0;
  virtual int64_t Tell() = 0;
  virtual bool End() = 0;

  // Bytes that a read can still deliver from the current position, or -1
  // when the storage cannot know in advance (a stream). Lets a reader refuse
  // a record count taken from a hostile file before allocating for it. The
  // answer may come from a size seen earlier when that already shows
  // `wanted` bytes: a file only grows under its own handle.
  virtual int64_t Remaining(uint64_t wanted) {
    (void)wanted;
    return -1;
  }

  // The bytes already read ahead from the current position, *available of
  // them (none when the storage keeps no buffer), and the move past n <=
  // *available of them. Lets the reader take item headers and small records
  // in place instead of asking for them a few bytes at a time.
  virtual const unsigned char* Window(size_t* available) {
    *available = 0;
    return nullptr;
  }
  virtual void Advance(size_t n) { (void)n; }

  // Room for n bytes at the current position in the storage's own buffer of
  // pending writes, counted as written; null (nothing changed) when the
  // buffer is not collecting writes or has not that much room left. Lets the
  // writer of a small record build it in place.
  virtual unsigned char* Reserve(size_t n) {
    (void)n;
    return nullptr;
  }

  // New opened memory-stream storages; null when the arguments are unusable
  // (null buffer or callback, zero capacity) or memory runs out.
  static CKfsStorage* CreateStreamBuffer(void* buffer, size_t capacity, kfsStreamRefill refill);
  static CKfsStorage* CreateStreamBufferWriter(void* buffer, size_t capacity, kfsStreamDrain drain);
};

// A disk file through one C-library stream. The stream itself is unbuffered:
// the class keeps one buffer of its own, read ahead while reading and
// collecting small writes while writing, so that a record of a few bytes
// costs a copy rather than a library call. Transfers at least a buffer long
// go straight between the caller and the file. The destructor closes a
// stream still open.
class CKfsFile : public CKfsStorage {
 public:
  CKfsFile() = default;
  CKfsFile(const CKfsFile&) = delete;
  CKfsFile& operator=(const CKfsFile&) = delete;
  ~CKfsFile() override;

  bool Close() override;
  size_t Read(void* buffer, size_t size, size_t count) override;
  size_t Write(const void* buffer, size_t size, size_t count) override;
  bool Seek(int64_t offset, int whence) override;
  bool Flush() override;
  int64_t Tell() override;  // -1 when not open
  bool End() override;
  int64_t Remaining(uint64_t wanted) override;
  const unsigned char* Window(size_t* available) override {
    *available = m_end - m_begin;
    return m_buffer + m_begin;
  }
  void Advance(size_t n) override {
    m_begin += n;
    if (m_position >= 0) m_position += static_cast<int64_t>(n);
  }
  unsigned char* Reserve(size_t n) override {
    // Writes are collected once the stream has turned to writing and the
    // read-ahead is gone; anything else takes Write, which turns it.
    const bool collecting = m_pending > 0 || (m_stream && m_streamWriting && m_begin == m_end);
    if (!collecting || n > kBufferSize - m_pending) return nullptr;
    m_begin = m_end = 0;
    unsigned char* room = m_buffer + m_pending;
    m_pending += n;
    if (m_position >= 0) m_position += static_cast<int64_t>(n);
    return room;
  }

  // mode as for fopen; false when the file cannot be opened.
  bool Open(const char* path, const char* mode);

  // The open file's descriptor, -1 when closed: tells which file on disk
  // the handle writes, whatever its name names by now.
  int Descriptor() const { return m_stream ? fileno(m_stream) : -1; }

  static constexpr size_t kBufferSize = size_t(64) << 10;
  static constexpr size_t kHeaderFill = size_t(4) << 10;

 private:
  // Writes out what waits in the buffer; false when the file refuses it.
  bool Drain();
  // Gives the read-ahead back to the file, so that the stream stands where
  // the caller does; false when the stream cannot move back.
  bool DropReadAhead();
  // Refills the read-ahead; false when the file has nothing more.
  bool Fill();
  // Makes the stream ready for a transfer in the other direction: the C
  // library requires a positioning call between a read and a write.
  bool Turn(bool toWrite);
  size_t ReadBytes(unsigned char* dest, size_t n);
  size_t WriteBytes(const unsigned char* source, size_t n);

  FILE* m_stream = nullptr;
  bool m_writable = false;
  bool m_streamWriting = false;  // the stream's last transfer was a write
  int64_t m_knownSize = -1;      // file size last seen; refreshed when it looks too small
  // The caller's position, kept here because asking the C library costs a
  // system call and the reader asks for every record; -1 when not known.
  int64_t m_position = -1;
  // Read-ahead: bytes [m_begin, m_end) of the buffer are still to be read.
  // Pending writes: the first m_pending bytes. Never both at once.
  size_t m_begin = 0;
  size_t m_end = 0;
  size_t m_pending = 0;
  size_t m_fillSize = kBufferSize;  // what the next refill asks for
  unsigned char m_buffer[kBufferSize];
};

// Reads the caller's buffer; the refill callback delivers the next buffer
// full and a refill of less than the capacity is the last. Moves only
// forward: Seek accepts whence 1 with offset >= 0 and nothing else.
class CKfsStreamBufferReader : public CKfsStorage {
 public:
  bool Close() override { return true; }
  size_t Read(void* buffer, size_t size, size_t count) override;
  size_t Write(const void*, size_t, size_t) override { return 0; }
  bool Seek(int64_t offset, int whence) override;
  bool Flush() override { return false; }
  int64_t Tell() override { return m_delivered; }  // bytes consumed so far
  bool End() override;

  bool Open(void* buffer, size_t capacity, kfsStreamRefill refill);

 private:
  // Consumes up to n bytes, copying them to dest unless it is null.
  size_t Consume(unsigned char* dest, size_t n);

  unsigned char* m_buffer = nullptr;
  size_t m_capacity = 0;
  kfsStreamRefill m_refill = nullptr;
  size_t m_position = 0;
  size_t m_filled = 0;
  int64_t m_delivered = 0;
};

// Fills the caller's buffer and hands each full buffer to the drain
// callback. Strictly sequential: cannot seek, cannot tell.
class CKfsStreamBufferWriter : public CKfsStorage {
 public:
  bool Close() override { return Flush(); }
  size_t Read(void*, size_t, size_t) override { return 0; }
  size_t Write(const void* buffer, size_t size, size_t count) override;
  bool Seek(int64_t, int) override { return false; }
  bool Flush() override;
  int64_t Tell() override { return -1; }
  bool End() override { return true; }

  bool Open(void* buffer, size_t capacity, kfsStreamDrain drain);

 private:
  unsigned char* m_buffer = nullptr;
  size_t m_capacity = 0;
  kfsStreamDrain m_drain = nullptr;
  size_t m_fill = 0;
};

#endif
