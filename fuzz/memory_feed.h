// The memory streams of the container pull their bytes through a callback
// without a context argument, so the input a harness is replaying is kept in
// one place of the process (harnesses run one input at a time).
#ifndef KORACORE_FUZZ_MEMORY_FEED_H
#define KORACORE_FUZZ_MEMORY_FEED_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace korafuzz {

class MemoryFeed {
 public:
  // A small buffer, so that items straddle refills as they do in real use.
  static constexpr size_t kCapacity = 257;

  static void Start(const uint8_t* data, size_t size) {
    Instance().m_data = data;
    Instance().m_size = size;
    Instance().m_position = 0;
  }
  static void* Buffer() { return Instance().m_buffer; }
  static size_t Refill() { return Instance().Next(); }

 private:
  static MemoryFeed& Instance() {
    static MemoryFeed feed;
    return feed;
  }
  size_t Next() {
    size_t left = m_size - m_position;
    size_t take = left < kCapacity ? left : kCapacity;
    if (take > 0) std::memcpy(m_buffer, m_data + m_position, take);
    m_position += take;
    return take;
  }

  const uint8_t* m_data = nullptr;
  size_t m_size = 0;
  size_t m_position = 0;
  unsigned char m_buffer[kCapacity] = {};
};

// A buffer for values whose count comes from the input: null (the caller
// skips the values) when the count is absurd for an input of this size, so
// that the harness never makes a huge allocation the library did not.
inline bool SizeForValues(std::vector<unsigned char>& buffer, long long count, size_t inputSize) {
  const long long kMaxBytes = 16LL * static_cast<long long>(inputSize) + 4096;
  if (count <= 0 || count * 8 > kMaxBytes) return false;
  buffer.assign(static_cast<size_t>(count) * 8, 0);
  return true;
}

}  // namespace korafuzz

#endif
