// Memory-stream storages: a container written into a drained buffer and read
// from a refilled one, without a file on disk.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "container_support.h"
#include "kfs/container/kfs_storage.h"

using kfstest::CallbackRecorder;

namespace {

// The callbacks take no context, so the test streams live in globals.
std::vector<unsigned char> g_sink;
unsigned char g_writeBuffer[64];
size_t g_drainShortBy = 0;
int g_drainCalls = 0;

size_t Drain(size_t filled) {
  ++g_drainCalls;
  size_t take = filled > g_drainShortBy ? filled - g_drainShortBy : 0;
  g_sink.insert(g_sink.end(), g_writeBuffer, g_writeBuffer + take);
  return take;
}

std::vector<unsigned char> g_source;
size_t g_sourcePos = 0;
unsigned char g_readBuffer[32];
std::vector<size_t> g_refills;

size_t Refill() {
  size_t n = std::min(sizeof g_readBuffer, g_source.size() - g_sourcePos);
  if (n) std::memcpy(g_readBuffer, g_source.data() + g_sourcePos, n);
  g_sourcePos += n;
  g_refills.push_back(n);
  return n;
}

void ResetStreams() {
  g_sink.clear();
  g_drainShortBy = 0;
  g_drainCalls = 0;
  g_sourcePos = 0;
  g_refills.clear();
}

// Writes a small container through the writer stream into g_sink.
void WriteSample() {
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(
      kfsStreamOpenCreate(g_writeBuffer, sizeof g_writeBuffer, Drain, "stream", &file, dfsAPIid),
      0u);
  EXPECT_EQ(kfsGetFilename(file), nullptr);
  EXPECT_EQ(kfsTell64(file), -1);  // a writer stream cannot tell
  std::vector<int32_t> ints(100);
  for (size_t i = 0; i < ints.size(); ++i) ints[i] = static_cast<int32_t>(i * i);
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeInt4, 100, ints.data()), 0u);
  ASSERT_EQ(kfsLblockWrite(5, file, nullptr), 0u);
  const double d = 2.5;
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeDouble, 1, &d), 0u);
  ASSERT_EQ(kfsFileClose(&file), 0u);
}

TEST(ContainerStreams, WriterDrainsFullBuffersAndTheRestAtClose) {
  ResetStreams();
  WriteSample();
  // Header 4+4+56+2+6+1+48 = 121, int4[100] 405, empty block 4, double 13.
  EXPECT_EQ(g_sink.size(), 121u + 405 + 4 + 13);
  EXPECT_EQ(std::string(g_sink.begin(), g_sink.begin() + 8), "OXA_DFS_");
  EXPECT_EQ(g_drainCalls, static_cast<int>((g_sink.size() + 63) / 64));
}

TEST(ContainerStreams, ReaderKeepsRefillingUntilAShortRefill) {
  ResetStreams();
  WriteSample();
  g_source = g_sink;
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  unsigned int fileId = 0;
  ASSERT_EQ(kfsStreamOpenRead(g_readBuffer, sizeof g_readBuffer, Refill, &file, dfsAPIid, &fileId),
            0u);
  EXPECT_EQ(fileId, DFS_API_ID);
  EXPECT_EQ(kfsGetAppBase(file), 121u);
  EXPECT_EQ(kfsTell64(file), 121);
  EXPECT_EQ(kfsGetVersionCreateApp(file), 206u);
  unsigned int count = 0;
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeInt4);
  EXPECT_EQ(kfsTell64(file), 121);
  // A query then a skip: streams only move forward, and need not move back.
  EXPECT_EQ(kfsSkip(file), kfsTypeInt4);
  EXPECT_EQ(kfsLblockSkip(file), 0u);
  double d = 0;
  EXPECT_EQ(kfsLrecRead(file, kfsTypeDouble, 1, &d), 1u);
  EXPECT_EQ(d, 2.5);
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeUnknown);
  EXPECT_EQ(kfsPeekError(file), 1u);
  // Every refill but the last returned the whole capacity.
  ASSERT_GE(g_refills.size(), 2u);
  for (size_t i = 0; i + 1 < g_refills.size(); ++i) EXPECT_EQ(g_refills[i], sizeof g_readBuffer);
  EXPECT_LT(g_refills.back(), sizeof g_readBuffer);
  // A read-only handle, and a stream that cannot go back or flush.
  CallbackRecorder recorder;
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeDouble, 1, &d), 1u);  // end of file latched: nothing done
  EXPECT_EQ(kfsGetError(file), 1u);
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeDouble, 1, &d), 2015u);
  EXPECT_EQ(kfsGetError(file), 2015u);
  EXPECT_EQ(kfsRewind(file), 2006u);
  EXPECT_EQ(kfsGetError(file), 2006u);
  EXPECT_EQ(kfsFileFlush(file), 2005u);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2015, 2006, 2005}));
  EXPECT_EQ(kfsFileClose(&file), 0u);
}

TEST(ContainerStreams, ReaderWithReadsAcrossBufferBoundaries) {
  ResetStreams();
  WriteSample();
  g_source = g_sink;
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsStreamOpenRead(g_readBuffer, sizeof g_readBuffer, Refill, &file, nullptr, nullptr),
            0u);
  std::vector<int32_t> ints(100);
  // Relative seeks after a look-ahead move from the caller's position, and
  // forward, which a stream can do.
  EXPECT_EQ(kfsQuery(file, nullptr), kfsTypeInt4);
  EXPECT_EQ(kfsSeek64(file, 0, SEEK_CUR), 0u);
  EXPECT_EQ(kfsLrecRead(file, kfsTypeInt4, 100, ints.data()), 100u);
  EXPECT_EQ(ints[99], 99 * 99);
  EXPECT_EQ(kfsQuery(file, nullptr), kfsTypeBlock);
  EXPECT_EQ(kfsSeek64(file, 4, SEEK_CUR), 0u);
  EXPECT_EQ(kfsQuery(file, nullptr), kfsTypeDouble);
  EXPECT_EQ(kfsTell64(file), 121 + 405 + 4);
  kfsFileClose(&file);

  g_sourcePos = 0;
  ASSERT_EQ(kfsStreamOpenRead(g_readBuffer, sizeof g_readBuffer, Refill, &file, nullptr, nullptr),
            0u);
  EXPECT_EQ(kfsLrecRead(file, kfsTypeInt4, 100, ints.data()), 100u);
  kfsLblock block = nullptr;
  unsigned int records = 9;
  EXPECT_EQ(kfsLblockRead(file, &records, &block), 5);
  EXPECT_EQ(records, 0u);
  kfsSimpleType type;
  unsigned int count;
  void* data = kfsLrecReadAlloc(file, &type, &count);
  const kfstest::LrecGuard dataGuard(data);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(*static_cast<double*>(data), 2.5);
}

TEST(ContainerStreams, ShortDrainIsAWriteError) {
  ResetStreams();
  CallbackRecorder recorder;
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(
      kfsStreamOpenCreate(g_writeBuffer, sizeof g_writeBuffer, Drain, nullptr, &file, nullptr), 0u);
  g_drainShortBy = 1;
  std::vector<float> floats(40);
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeFloat, 40, floats.data()), 2002u);
  EXPECT_EQ(kfsPeekError(file), 2002u);
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeFloat, 1, floats.data()), 2002u);  // latched
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2002}));
  EXPECT_EQ(recorder.Calls()[0].source, "kfs");
  EXPECT_EQ(kfsFileClose(&file), 0u);  // nothing left to drain
}

TEST(ContainerStreams, FailedDrainAtCloseIsACloseError) {
  ResetStreams();
  CallbackRecorder recorder;
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(
      kfsStreamOpenCreate(g_writeBuffer, sizeof g_writeBuffer, Drain, nullptr, &file, nullptr), 0u);
  g_drainShortBy = 1000;
  EXPECT_EQ(kfsFileClose(&file), 2004u);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2004}));
}

TEST(ContainerStreams, UnusableStreamArgumentsFailTheOpen) {
  CallbackRecorder recorder;
  kfsHandle file = reinterpret_cast<kfsHandle>(&recorder);
  EXPECT_EQ(kfsStreamOpenCreate(nullptr, 10, Drain, nullptr, &file, nullptr), 2003u);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(kfsStreamOpenCreate(g_writeBuffer, 0, Drain, nullptr, &file, nullptr), 2003u);
  EXPECT_EQ(kfsStreamOpenRead(g_readBuffer, sizeof g_readBuffer, nullptr, &file, nullptr, nullptr),
            2003u);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2003, 2003, 2003}));
}

// The storage classes on their own: the reader's forward-only seek and end.
TEST(ContainerStreams, ReaderStorageSeeksForwardOnly) {
  ResetStreams();
  g_source.assign(70, 0);
  for (size_t i = 0; i < g_source.size(); ++i) g_source[i] = static_cast<unsigned char>(i);
  CKfsStorage* reader = CKfsStorage::CreateStreamBuffer(g_readBuffer, sizeof g_readBuffer, Refill);
  ASSERT_NE(reader, nullptr);
  unsigned char byte = 0;
  EXPECT_TRUE(reader->Seek(40, SEEK_CUR));
  EXPECT_EQ(reader->Read(&byte, 1, 1), 1u);
  EXPECT_EQ(byte, 40);
  EXPECT_FALSE(reader->Seek(-1, SEEK_CUR));
  EXPECT_FALSE(reader->Seek(0, SEEK_SET));
  EXPECT_EQ(reader->Tell(), 41);
  EXPECT_FALSE(reader->End());
  unsigned char rest[64];
  EXPECT_EQ(reader->Read(rest, 1, sizeof rest), 29u);
  EXPECT_TRUE(reader->End());
  EXPECT_EQ(reader->Write(rest, 1, 1), 0u);
  EXPECT_FALSE(reader->Flush());
  EXPECT_TRUE(reader->Close());
  delete reader;
}

}  // namespace

namespace {

// A record larger than the reader's growth step arrives whole.
TEST(ContainerStreams, LargeRecordThroughAStream) {
  ResetStreams();
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(
      kfsStreamOpenCreate(g_writeBuffer, sizeof g_writeBuffer, Drain, nullptr, &file, nullptr), 0u);
  std::vector<double> values(300000);
  for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<double>(i) * 0.25;
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeDouble, 300000, values.data()), 0u);
  ASSERT_EQ(kfsFileClose(&file), 0u);
  g_source = g_sink;
  ASSERT_EQ(kfsStreamOpenRead(g_readBuffer, sizeof g_readBuffer, Refill, &file, nullptr, nullptr),
            0u);
  kfsSimpleType type = 0;
  unsigned int count = 0;
  void* data = kfsLrecReadAlloc(file, &type, &count);
  const kfstest::LrecGuard dataGuard(data);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(count, 300000u);
  EXPECT_EQ(std::memcmp(data, values.data(), values.size() * sizeof(double)), 0);
}

}  // namespace
