// Damaged and hostile files: truncation at every byte, absurd counts,
// invalid codes. They must end in an error status, never in a crash, a
// hang or an allocation the file cannot back.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstring>
#include <fstream>
#include <random>

#include "container_support.h"

using kfstest::CallbackRecorder;
using kfstest::workPath;

namespace {

std::vector<unsigned char> SampleFile() {
  std::string path = workPath("hostile_sample.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  EXPECT_EQ(kfsFileOpenCreate(path.c_str(), "hostile", &file, nullptr, 0), 0u);
  const double d[3] = {1, 2, 3};
  const int16_t s[2] = {-1, 1};
  kfsLrecWrite(file, kfsTypeDouble, 3, d);
  kfsLblock block = kfsLblockAdd(kfsTypeInt2, 2, s, 0, nullptr);
  const kfstest::LblockGuard blockGuard(block);
  kfsLblockAdd(kfsTypeByte, 4, "text", 0, block);
  kfsLblockWrite(40000, file, block);
  kfsLblockWrite(2, file, nullptr);
  kfsLblockFree(&block);
  kfsLrecWrite(file, kfsTypeUInt4, 1, "abcd");
  EXPECT_EQ(kfsFileClose(&file), 0u);
  return kfstest::readBytes(path);
}

// Reads every item the way a data-file reader would; returns the final status.
unsigned int ReadEverything(kfsHandle file, int* items) {
  *items = 0;
  for (int guard = 0; guard < 1000; ++guard) {
    unsigned int count = 0;
    kfsSimpleType type = kfsQuery(file, &count);
    if (type == kfsTypeBlock) {
      kfsLblock block = nullptr;
      const kfstest::LblockGuard blockGuard(block);
      unsigned int records = 0;
      kfsLblockRead(file, &records, &block);
    } else if (type >= 1) {
      kfsSimpleType got;
      void* data = kfsLrecReadAlloc(file, &got, &count);
      const kfstest::LrecGuard dataGuard(data);
    } else if (kfsSkip(file) == 0 && kfsPeekError(file) != 0) {
      break;
    }
    if (kfsPeekError(file) != 0) break;
    ++*items;
  }
  return kfsPeekError(file);
}

// The same with skips only, and with reads into a fixed buffer.
unsigned int SkipEverything(kfsHandle file) {
  for (int guard = 0; guard < 1000 && kfsPeekError(file) == 0; ++guard) {
    if (kfsQuery(file, nullptr) == kfsTypeBlock)
      kfsLblockSkip(file);
    else
      kfsSkip(file);
  }
  return kfsPeekError(file);
}

unsigned int ReadIntoBuffer(kfsHandle file) {
  unsigned char buffer[64];
  for (int guard = 0; guard < 1000 && kfsPeekError(file) == 0; ++guard) {
    unsigned int count = 0;
    kfsSimpleType type = kfsQuery(file, &count);
    if (type >= 1 && type <= 7)
      kfsLrecRead(file, type, sizeof buffer / kfsSimpSize(type), buffer);
    else
      kfsSkip(file);
  }
  return kfsPeekError(file);
}

bool IsEndOrDamage(unsigned int status) {
  // 2019: the cut fell between whole items inside a block, which is then
  // unterminated.
  return status == kfsEndOfFile || status == kfsErrRead || status == kfsErrStructure;
}

TEST(ContainerHostile, TruncationAtEveryByteOfAFile) {
  const auto sample = SampleFile();
  const std::string path = workPath("truncated.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenRead(workPath("hostile_sample.kfs").c_str(), &file, nullptr, nullptr), 0u);
  const size_t appBase = kfsGetAppBase(file);
  int allItems = 0;
  EXPECT_EQ(ReadEverything(file, &allItems), kfsEndOfFile);
  EXPECT_EQ(allItems, 4);
  kfsFileClose(&file);

  for (size_t cut = 0; cut < sample.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    kfstest::writeBytes(path, std::vector<unsigned char>(sample.begin(), sample.begin() + cut));
    unsigned int status = kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr);
    if (cut < appBase) {
      EXPECT_EQ(status, kfsErrRead);
      EXPECT_EQ(file, nullptr);
      continue;
    }
    ASSERT_EQ(status, 0u);
    int items = 0;
    EXPECT_TRUE(IsEndOrDamage(ReadEverything(file, &items)));
    EXPECT_LT(items, allItems);
    kfsRewind(file);
    kfsGetError(file);
    EXPECT_TRUE(IsEndOrDamage(SkipEverything(file)));
    kfsRewind(file);
    kfsGetError(file);
    EXPECT_TRUE(IsEndOrDamage(ReadIntoBuffer(file)));
    EXPECT_EQ(kfsFileClose(&file), 0u);
  }
}

std::vector<unsigned char> g_stream;
size_t g_streamPos = 0;
unsigned char g_streamBuffer[16];

size_t RefillFromVector() {
  size_t n = std::min(sizeof g_streamBuffer, g_stream.size() - g_streamPos);
  if (n) std::memcpy(g_streamBuffer, g_stream.data() + g_streamPos, n);
  g_streamPos += n;
  return n;
}

TEST(ContainerHostile, TruncationAtEveryByteOfAStream) {
  const auto sample = SampleFile();
  for (size_t cut = 0; cut < sample.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    g_stream.assign(sample.begin(), sample.begin() + cut);
    g_streamPos = 0;
    kfsHandle file = nullptr;
    const kfstest::KfsFileGuard fileGuard(file);
    unsigned int status = kfsStreamOpenRead(g_streamBuffer, sizeof g_streamBuffer, RefillFromVector,
                                            &file, nullptr, nullptr);
    if (status != 0) {
      EXPECT_EQ(status, kfsErrRead);
      continue;
    }
    int items = 0;
    EXPECT_TRUE(IsEndOrDamage(ReadEverything(file, &items)));
  }
}

// A body of one record header claiming `count` elements of `type`, followed
// by `dataBytes` bytes.
std::string HostileRecordFile(const std::string& name, int type, uint32_t count, size_t dataBytes) {
  std::string path = workPath(name);
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  EXPECT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 0), 0u);
  kfsFileClose(&file);
  auto bytes = kfstest::readBytes(path);
  bytes.push_back(static_cast<unsigned char>(type));
  const unsigned char* c = reinterpret_cast<const unsigned char*>(&count);
  bytes.insert(bytes.end(), c, c + 4);
  bytes.insert(bytes.end(), dataBytes, 0x55);
  kfstest::writeBytes(path, bytes);
  return path;
}

// Runs f in a child whose address space leaves no room for what a hostile
// count claims: an allocation of gigabytes would fail there, and f must not
// need one. Sanitizer builds reserve huge shadow areas and cannot run under
// such a limit; there the reads still run, just without the limit.
template <typename F>
[[noreturn]] void RunLimited(F f) {
  std::ifstream statm("/proc/self/statm");
  unsigned long pages = 0;
  statm >> pages;
  rlim_t limit = pages * 4096ul + (256ul << 20);
  struct rlimit r = {limit, limit};
  setrlimit(RLIMIT_AS, &r);
  std::exit(f() ? 0 : 1);
}

template <typename F>
void WithoutHugeAllocations(F f) {
#if defined(__SANITIZE_ADDRESS__)
  EXPECT_TRUE(f());
#else
  EXPECT_EXIT(RunLimited(f), ::testing::ExitedWithCode(0), "");
#endif
}

TEST(ContainerHostile, AbsurdCountsFailWithoutAllocating) {
  CallbackRecorder recorder;
  for (uint32_t count : {0xFFFFFFFFu, 0x10000000u, 100u}) {
    SCOPED_TRACE(count);
    std::string path = HostileRecordFile("absurd.kfs", kfsTypeDouble, count, 16);
    WithoutHugeAllocations([&] {
      kfsHandle file = nullptr;
      const kfstest::KfsFileGuard fileGuard(file);
      if (kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr) != 0) return false;
      kfsSimpleType type;
      unsigned int n;
      void* data = kfsLrecReadAlloc(file, &type, &n);
      bool ok = data == nullptr && kfsPeekError(file) == kfsErrRead;
      kfsFileClose(&file);
      return ok;
    });
    // Into a caller's buffer: refused before anything is stored.
    kfsHandle file = nullptr;
    const kfstest::KfsFileGuard fileGuard(file);
    ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr), 0u);
    std::vector<double> buffer(128, 7.0);
    EXPECT_EQ(kfsLrecRead(file, kfsTypeDouble, 128, buffer.data()), 0u);
    EXPECT_TRUE(kfsPeekError(file) == kfsErrCount || kfsPeekError(file) == kfsErrRead);
    EXPECT_EQ(buffer[0], 7.0);
  }
}

TEST(ContainerHostile, AbsurdCountsInAStreamGrowOnlyWithTheData) {
  std::string path = HostileRecordFile("absurd_stream.kfs", kfsTypeDouble, 0xFFFFFFFFu, 3000000);
  g_stream = kfstest::readBytes(path);
  WithoutHugeAllocations([&] {
    g_streamPos = 0;
    kfsHandle file = nullptr;
    const kfstest::KfsFileGuard fileGuard(file);
    if (kfsStreamOpenRead(g_streamBuffer, sizeof g_streamBuffer, RefillFromVector, &file, nullptr,
                          nullptr) != 0)
      return false;
    void* data = kfsLrecReadAlloc(file, nullptr, nullptr);
    bool ok = data == nullptr && kfsPeekError(file) == kfsErrRead;
    kfsFileClose(&file);
    return ok;
  });
}

TEST(ContainerHostile, InvalidCodesAndStructures) {
  CallbackRecorder recorder;
  std::string path = HostileRecordFile("bad_type.kfs", 9, 2, 0);
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr), 0u);
  EXPECT_EQ(kfsLrecReadAlloc(file, nullptr, nullptr), nullptr);
  EXPECT_EQ(kfsPeekError(file), kfsErrStructure);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2009, 2019}));
  kfsFileClose(&file);

  // A zero count, never written by the container.
  path = HostileRecordFile("zero_count.kfs", kfsTypeFloat, 0, 0);
  ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr), 0u);
  float f;
  EXPECT_EQ(kfsLrecRead(file, kfsTypeFloat, 1, &f), 0u);
  EXPECT_EQ(kfsGetError(file), kfsErrStructure);
  EXPECT_EQ(kfsSkip(file), kfsTypeFloat);  // skipping it is fine: 5 bytes
  EXPECT_EQ(kfsSkip(file), kfsTypeUnknown);
  EXPECT_EQ(kfsPeekError(file), kfsEndOfFile);
  kfsFileClose(&file);

  // Nested and unterminated blocks: the records before are still handed out.
  std::string nested = workPath("nested.kfs");
  ASSERT_EQ(kfsFileOpenCreate(nested.c_str(), nullptr, &file, nullptr, 0), 0u);
  kfsFileClose(&file);
  auto bytes = kfstest::readBytes(nested);
  const unsigned char body[] = {0xFE, 1, 0,    1, 1, 0, 0, 0, 0, 0, 0x80, 0x3F, 0xFE,
                                2,    0, 0xFF, 1, 1, 0, 0, 0, 0, 0, 0,    0x40, 0xFF};
  bytes.insert(bytes.end(), body, body + sizeof body);
  kfstest::writeBytes(nested, bytes);
  ASSERT_EQ(kfsFileOpenRead(nested.c_str(), &file, nullptr, nullptr), 0u);
  unsigned int records = 0;
  kfsLblock block = nullptr;
  const kfstest::LblockGuard blockGuard(block);
  EXPECT_EQ(kfsLblockRead(file, &records, &block), 1);
  EXPECT_EQ(records, 1u);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(*static_cast<float*>(block->data), 1.0f);
  kfsLblockFree(&block);
  EXPECT_EQ(kfsGetError(file), kfsErrStructure);
  // The nested block start was left unread; skipping the outer block from
  // the start stops at the first terminator, the inner one.
  EXPECT_EQ(kfsRewind(file), 0u);
  EXPECT_EQ(kfsLblockSkip(file), 0u);
  float two = 0;
  EXPECT_EQ(kfsLrecRead(file, kfsTypeFloat, 1, &two), 1u);
  EXPECT_EQ(two, 2.0f);
  EXPECT_EQ(kfsSkip(file), kfsTypeTerminator);
  EXPECT_EQ(kfsLblockSkip(file), 1u);  // at end of file: nothing to skip
  EXPECT_EQ(kfsPeekError(file), kfsEndOfFile);
}

TEST(ContainerHostile, RandomBodiesNeverCrash) {
  std::mt19937 random(20240611);
  const auto sample = SampleFile();
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenRead(workPath("hostile_sample.kfs").c_str(), &file, nullptr, nullptr), 0u);
  const size_t appBase = kfsGetAppBase(file);
  kfsFileClose(&file);
  const std::string path = workPath("random.kfs");
  for (int round = 0; round < 300; ++round) {
    auto bytes = sample;
    // Flip a few bytes of the body, favouring the codes the reader acts on.
    const unsigned char interesting[] = {0x00, 0x01, 0x02, 0x07, 0x08, 0x7F, 0x80, 0xFE, 0xFF};
    for (int flips = 1 + round % 6; flips > 0; --flips) {
      size_t at = appBase + random() % (bytes.size() - appBase);
      bytes[at] = random() % 2 ? interesting[random() % sizeof interesting]
                               : static_cast<unsigned char>(random());
    }
    kfstest::writeBytes(path, bytes);
    ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr), 0u);
    int items = 0;
    unsigned int status = ReadEverything(file, &items);
    EXPECT_NE(status, 0u);
    kfsRewind(file);
    kfsGetError(file);
    SkipEverything(file);
    kfsFileClose(&file);
  }
}

}  // namespace
