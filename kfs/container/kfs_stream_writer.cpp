// CKfsStreamBufferWriter: a container written into the caller's memory
// buffer, drained through a callback whenever it is full.
#include <cstring>
#include <new>

#include "kfs/container/kfs_storage.h"

bool CKfsStreamBufferWriter::Open(void* buffer, size_t capacity, kfsStreamDrain drain) {
  if (!buffer || capacity == 0 || !drain) return false;
  m_buffer = static_cast<unsigned char*>(buffer);
  m_capacity = capacity;
  m_drain = drain;
  m_fill = 0;
  return true;
}

size_t CKfsStreamBufferWriter::Write(const void* buffer, size_t size, size_t count) {
  if (size == 0 || count == 0) return 0;
  const auto* source = static_cast<const unsigned char*>(buffer);
  size_t total = size * count;
  size_t done = 0;
  // Whatever fits strictly below the capacity waits in the buffer; a full
  // buffer is drained at once, and a drain that takes less than all of it
  // ends the write with the elements that had got through before.
  while (total - done >= m_capacity - m_fill) {
    size_t take = m_capacity - m_fill;
    std::memcpy(m_buffer + m_fill, source + done, take);
    m_fill = m_capacity;
    if (m_drain(m_fill) != m_fill) {
      m_fill = 0;  // not offered again at close: the stream is broken
      return done / size;
    }
    m_fill = 0;
    done += take;
  }
  std::memcpy(m_buffer + m_fill, source + done, total - done);
  m_fill += total - done;
  return count;
}

bool CKfsStreamBufferWriter::Flush() {
  if (m_fill == 0) return true;
  size_t taken = m_drain(m_fill);
  bool ok = taken == m_fill;
  m_fill = 0;
  return ok;
}

CKfsStorage* CKfsStorage::CreateStreamBufferWriter(void* buffer, size_t capacity,
                                                   kfsStreamDrain drain) {
  auto* writer = new (std::nothrow) CKfsStreamBufferWriter;
  if (writer && !writer->Open(buffer, capacity, drain)) {
    delete writer;
    return nullptr;
  }
  return writer;
}
