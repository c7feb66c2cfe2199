// CKfsFile: a container's bytes in a disk file, through one C-library stream.
//
// The stream belongs to its handle alone and handles are not shared between
// threads, so transfers skip the stream lock: a reader of many small records
// would otherwise pay for it three times per record.
#include <sys/stat.h>

#include <cstring>

#include "kfs/container/kfs_storage.h"

CKfsFile::~CKfsFile() { Close(); }

bool CKfsFile::Open(const char* path, const char* mode) {
  if (m_stream || !path || !mode) return false;
  m_stream = std::fopen(path, mode);
  m_writable = std::strpbrk(mode, "wa+") != nullptr;
  m_knownSize = -1;
  m_position = std::strchr(mode, 'a') ? -1 : 0;  // appending starts at the end
  return m_stream != nullptr;
}

bool CKfsFile::Close() {
  if (!m_stream) return true;
  int rc = std::fclose(m_stream);
  m_stream = nullptr;
  m_position = -1;
  return rc == 0;
}

size_t CKfsFile::Read(void* buffer, size_t size, size_t count) {
  if (!m_stream) return 0;
  size_t done = fread_unlocked(buffer, size, count, m_stream);
  // A partial element moves the stream too: the position is then unknown.
  if (m_position >= 0) m_position = done == count ? m_position + int64_t(done * size) : -1;
  return done;
}

size_t CKfsFile::Write(const void* buffer, size_t size, size_t count) {
  if (!m_stream) return 0;
  size_t done = fwrite_unlocked(buffer, size, count, m_stream);
  if (m_position >= 0) m_position = done == count ? m_position + int64_t(done * size) : -1;
  return done;
}

bool CKfsFile::Seek(int64_t offset, int whence) {
  if (!m_stream) return false;
  if (fseeko(m_stream, static_cast<off_t>(offset), whence) != 0) {
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

bool CKfsFile::Flush() { return m_stream && std::fflush(m_stream) == 0; }

int64_t CKfsFile::Tell() {
  if (!m_stream) return -1;
  if (m_position < 0) m_position = static_cast<int64_t>(ftello(m_stream));
  return m_position;
}

bool CKfsFile::End() { return !m_stream || std::feof(m_stream) != 0; }

int64_t CKfsFile::Remaining(uint64_t wanted) {
  if (!m_stream) return 0;
  int64_t position = Tell();
  if (position < 0) return -1;
  if (m_knownSize >= position && static_cast<uint64_t>(m_knownSize - position) >= wanted)
    return m_knownSize - position;
  // Asking the system costs a call, so only when the size seen last is not
  // enough; our own buffered writes must reach the file first.
  if (m_writable) std::fflush(m_stream);
  struct stat info;
  if (fstat(fileno(m_stream), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  m_knownSize = static_cast<int64_t>(info.st_size);
  return m_knownSize > position ? m_knownSize - position : 0;
}
