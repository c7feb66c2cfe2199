// CKfsFile: a container's bytes in a disk file, through one C-library stream.
#include <sys/stat.h>

#include <cstring>

#include "kfs/container/CKfsStorage.h"

CKfsFile::~CKfsFile() { Close(); }

bool CKfsFile::Open(const char* path, const char* mode) {
  if (m_stream || !path || !mode) return false;
  m_stream = std::fopen(path, mode);
  m_writable = std::strpbrk(mode, "wa+") != nullptr;
  m_knownSize = -1;
  return m_stream != nullptr;
}

bool CKfsFile::Close() {
  if (!m_stream) return true;
  int rc = std::fclose(m_stream);
  m_stream = nullptr;
  return rc == 0;
}

size_t CKfsFile::Read(void* buffer, size_t size, size_t count) {
  return m_stream ? std::fread(buffer, size, count, m_stream) : 0;
}

size_t CKfsFile::Write(const void* buffer, size_t size, size_t count) {
  return m_stream ? std::fwrite(buffer, size, count, m_stream) : 0;
}

bool CKfsFile::Seek(int64_t offset, int whence) {
  return m_stream && fseeko(m_stream, static_cast<off_t>(offset), whence) == 0;
}

bool CKfsFile::Flush() { return m_stream && std::fflush(m_stream) == 0; }

int64_t CKfsFile::Tell() { return m_stream ? static_cast<int64_t>(ftello(m_stream)) : -1; }

bool CKfsFile::End() { return !m_stream || std::feof(m_stream) != 0; }

int64_t CKfsFile::Remaining() {
  if (!m_stream) return 0;
  int64_t position = Tell();
  if (position < 0) return -1;
  // The size is cached: asking the system for every record would cost a call
  // per record. A file we write to grows, so a stale size is only trusted
  // when it already says enough is there.
  if (m_knownSize < 0 || m_knownSize < position || m_writable) {
    if (m_writable) std::fflush(m_stream);
    struct stat info;
    if (fstat(fileno(m_stream), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    m_knownSize = static_cast<int64_t>(info.st_size);
  }
  return m_knownSize > position ? m_knownSize - position : 0;
}
