// CKfsFile: a container's bytes in a disk file, through one C-library stream
// and a buffer of the class's own.
//
// A reader of many small records asks for a byte, then four, then the data,
// for every record; even the unlocked stream functions cost far more per
// call than copying those few bytes out of a buffer. The stream belongs to
// its handle alone and handles are not shared between threads, so nothing
// here locks.
#include "kfs/container/kfs_storage.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

CKfsFile::~CKfsFile() { Close(); }

bool CKfsFile::Open(const char* path, const char* mode) {
  if (m_stream || !path || !mode) return false;
  m_stream = std::fopen(path, mode);
  if (!m_stream) return false;
  // Our buffer does the stream's work; a second one would only copy twice.
  std::setvbuf(m_stream, nullptr, _IONBF, 0);
  m_writable = std::strpbrk(mode, "wa+") != nullptr;
  m_streamWriting = false;
  m_knownSize = -1;
  m_position = std::strchr(mode, 'a') ? -1 : 0;  // appending starts at the end
  m_begin = m_end = m_pending = 0;
  m_fillSize = kBufferSize;
  return true;
}

bool CKfsFile::Close() {
  if (!m_stream) return true;
  bool drained = Drain();
  int rc = std::fclose(m_stream);
  m_stream = nullptr;
  m_position = -1;
  m_begin = m_end = 0;
  return drained && rc == 0;
}

bool CKfsFile::Drain() {
  if (m_pending == 0) return true;
  size_t n = m_pending;
  m_pending = 0;
  return fwrite_unlocked(m_buffer, 1, n, m_stream) == n;
}

bool CKfsFile::DropReadAhead() {
  auto unread = static_cast<off_t>(m_end - m_begin);
  m_begin = m_end = 0;
  return unread == 0 || fseeko(m_stream, -unread, SEEK_CUR) == 0;
}

bool CKfsFile::Fill() {
  m_begin = 0;
  m_end = fread_unlocked(m_buffer, 1, m_fillSize, m_stream);
  m_fillSize = kBufferSize;
  return m_end > 0;
}

bool CKfsFile::Turn(bool toWrite) {
  if (!(toWrite ? DropReadAhead() : Drain())) return false;
  if (m_streamWriting == toWrite) return true;
  m_streamWriting = toWrite;
  return fseeko(m_stream, 0, SEEK_CUR) == 0;
}

size_t CKfsFile::ReadBytes(unsigned char* dest, size_t n) {
  size_t done = 0;
  while (done < n) {
    size_t available = m_end - m_begin;
    if (available == 0) {
      if (n - done >= kBufferSize) {
        // Large records come one after another: read ahead only a little
        // for the next header, or most of the next record's data would be
        // copied twice.
        m_fillSize = kHeaderFill;
        return done + fread_unlocked(dest + done, 1, n - done, m_stream);
      }
      if (!Fill()) break;
      continue;
    }
    size_t take = std::min(n - done, available);
    std::memcpy(dest + done, m_buffer + m_begin, take);
    m_begin += take;
    done += take;
  }
  return done;
}

size_t CKfsFile::Read(void* buffer, size_t size, size_t count) {
  if (!m_stream || size == 0 || count == 0) return 0;
  const size_t n = size * count;
  auto* dest = static_cast<unsigned char*>(buffer);
  size_t done = 0;
  if (n <= m_end - m_begin) {
    std::memcpy(dest, m_buffer + m_begin, n);
    m_begin += n;
    done = n;
  } else if (Turn(false)) {
    done = ReadBytes(dest, n);
  } else {
    m_position = -1;
    return 0;
  }
  if (m_position >= 0) m_position += static_cast<int64_t>(done);
  return done / size;
}

size_t CKfsFile::WriteBytes(const unsigned char* source, size_t n) {
  if (m_pending + n <= kBufferSize) {
    std::memcpy(m_buffer + m_pending, source, n);
    m_pending += n;
    return n;
  }
  if (!Drain()) return 0;
  if (n >= kBufferSize) return fwrite_unlocked(source, 1, n, m_stream);
  std::memcpy(m_buffer, source, n);
  m_pending = n;
  return n;
}

size_t CKfsFile::Write(const void* buffer, size_t size, size_t count) {
  if (!m_stream || size == 0 || count == 0) return 0;
  const size_t n = size * count;
  size_t done = 0;
  if (m_pending > 0 || Turn(true)) done = WriteBytes(static_cast<const unsigned char*>(buffer), n);
  // A write cut short leaves the file in a state that only the system knows.
  if (m_position >= 0) m_position = done == n ? m_position + static_cast<int64_t>(n) : -1;
  return done / size;
}

bool CKfsFile::Seek(int64_t offset, int whence) {
  if (!m_stream) return false;
  const size_t unread = m_end - m_begin;
  if (whence == SEEK_CUR && offset >= 0 && unread > 0 && static_cast<uint64_t>(offset) <= unread) {
    // A short skip forward stays inside the read-ahead.
    m_begin += static_cast<size_t>(offset);
    clearerr_unlocked(m_stream);
    if (m_position >= 0) m_position += offset;
    return true;
  }
  // The stream stands behind the read-ahead and before the pending writes.
  int64_t streamOffset = whence == SEEK_CUR ? offset - static_cast<int64_t>(unread) : offset;
  m_begin = m_end = 0;
  if (!Drain() || fseeko(m_stream, static_cast<off_t>(streamOffset), whence) != 0) {
    m_position = -1;
    return false;
  }
  if (whence == SEEK_SET)
    m_position = offset;
  else if (whence == SEEK_CUR && m_position >= 0)
    m_position += offset;
  else
    m_position = -1;
  return true;
}

bool CKfsFile::Flush() { return m_stream && Drain() && std::fflush(m_stream) == 0; }

int64_t CKfsFile::Tell() {
  if (!m_stream) return -1;
  if (m_position < 0) {
    if (!Drain()) return -1;
    int64_t at = static_cast<int64_t>(ftello(m_stream));
    if (at < 0) return -1;
    m_position = at - static_cast<int64_t>(m_end - m_begin);
  }
  return m_position;
}

bool CKfsFile::End() { return !m_stream || (m_begin == m_end && std::feof(m_stream) != 0); }

int64_t CKfsFile::Remaining(uint64_t wanted) {
  if (!m_stream) return 0;
  int64_t position = Tell();
  if (position < 0) return -1;
  if (m_knownSize >= position && static_cast<uint64_t>(m_knownSize - position) >= wanted)
    return m_knownSize - position;
  // Asking the system costs a call, so only when the size seen last is not
  // enough; our own buffered writes must reach the file first.
  if (m_writable) Drain();
  struct stat info;
  if (fstat(fileno(m_stream), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  m_knownSize = static_cast<int64_t>(info.st_size);
  return m_knownSize > position ? m_knownSize - position : 0;
}
