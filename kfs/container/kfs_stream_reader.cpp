// CKfsStreamBufferReader: a container read from the caller's memory buffer,
// refilled through a callback.
#include <cstring>
#include <new>

#include "kfs/container/kfs_storage.h"

bool CKfsStreamBufferReader::Open(void* buffer, size_t capacity, kfsStreamRefill refill) {
  if (!buffer || capacity == 0 || !refill) return false;
  m_buffer = static_cast<unsigned char*>(buffer);
  m_capacity = capacity;
  m_refill = refill;
  // Position and fill both at the capacity: the first read refills.
  m_position = capacity;
  m_filled = capacity;
  m_delivered = 0;
  return true;
}

size_t CKfsStreamBufferReader::Consume(unsigned char* dest, size_t n) {
  size_t done = 0;
  while (done < n) {
    if (m_position == m_filled) {
      if (m_filled < m_capacity) break;  // the last buffer has been used up
      size_t refilled = m_refill();
      // A callback claiming more than the buffer holds would have us read
      // past its end.
      m_filled = refilled < m_capacity ? refilled : m_capacity;
      m_position = 0;
      continue;
    }
    size_t available = m_filled - m_position;
    size_t take = n - done < available ? n - done : available;
    if (dest) std::memcpy(dest + done, m_buffer + m_position, take);
    m_position += take;
    done += take;
  }
  m_delivered += static_cast<int64_t>(done);
  return done;
}

size_t CKfsStreamBufferReader::Read(void* buffer, size_t size, size_t count) {
  if (size == 0 || count == 0) return 0;
  return Consume(static_cast<unsigned char*>(buffer), size * count) / size;
}

bool CKfsStreamBufferReader::Seek(int64_t offset, int whence) {
  if (whence != SEEK_CUR || offset < 0) return false;
  return Consume(nullptr, static_cast<size_t>(offset)) == static_cast<size_t>(offset);
}

bool CKfsStreamBufferReader::End() { return m_filled < m_capacity && m_position == m_filled; }

CKfsStorage* CKfsStorage::CreateStreamBuffer(void* buffer, size_t capacity,
                                             kfsStreamRefill refill) {
  auto* reader = new (std::nothrow) CKfsStreamBufferReader;
  if (reader && !reader->Open(buffer, capacity, refill)) {
    delete reader;
    return nullptr;
  }
  return reader;
}
