// Writing and reading back records and blocks, look-ahead, skipping and
// positioning over a disk file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "container_support.h"
#include "kfs/container/kfs_handle.h"

using kfstest::CallbackRecorder;
using kfstest::workPath;

namespace {

class ContainerReadWrite : public ::testing::Test {
 protected:
  // A file of: float[2], block 7 {int4[3], byte[5]}, double[3], empty
  // block 9, uint2[1], all seven types in block 11.
  void SetUp() override {
    path_ = workPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                     ".kfs");
    kfsHandle file = nullptr;
    const kfstest::KfsFileGuard fileGuard(file);
    ASSERT_EQ(kfsFileOpenCreate(path_.c_str(), "test", &file, kfsInternalAPI, 0), 0u);
    const float floats[2] = {1.25f, -3.5f};
    ASSERT_EQ(kfsLrecWrite(file, kfsTypeFloat, 2, floats), 0u);
    const int32_t ints[3] = {-1, 0, 2147483647};
    kfsLblock block = kfsLblockAdd(kfsTypeInt4, 3, ints, 1, nullptr);
    const kfstest::LblockGuard blockGuard(block);
    kfsLblockAdd(kfsTypeByte, 5, "hello", 1, block);
    ASSERT_EQ(kfsLblockWrite(7, file, block), 0u);
    kfsLblockFree(&block);
    ASSERT_EQ(kfsLrecWrite(file, kfsTypeDouble, 3, doubles_), 0u);
    ASSERT_EQ(kfsLblockWrite(9, file, nullptr), 0u);
    const uint16_t u2 = 65535;
    ASSERT_EQ(kfsLrecWrite(file, kfsTypeUInt2, 1, &u2), 0u);
    const uint32_t u4 = 4000000000u;
    const int16_t i2 = -32768;
    const unsigned char b = 200;
    block = kfsLblockAdd(kfsTypeFloat, 1, floats, 0, nullptr);
    kfsLblockAdd(kfsTypeDouble, 1, doubles_, 0, block);
    kfsLblockAdd(kfsTypeByte, 1, &b, 0, block);
    kfsLblockAdd(kfsTypeInt4, 1, ints, 0, block);
    kfsLblockAdd(kfsTypeUInt4, 1, &u4, 0, block);
    kfsLblockAdd(kfsTypeInt2, 1, &i2, 0, block);
    kfsLblockAdd(kfsTypeUInt2, 1, &u2, 0, block);
    ASSERT_EQ(kfsLblockWrite(11, file, block), 0u);
    kfsLblockFree(&block);
    ASSERT_EQ(kfsFileClose(&file), 0u);
  }

  kfsHandle OpenRead() {
    kfsHandle file = nullptr;
    EXPECT_EQ(kfsFileOpenRead(path_.c_str(), &file, kfsInternalAPI, nullptr), 0u);
    return file;
  }

  std::string path_;
  const double doubles_[3] = {0.1, -1e-300, 6.02214076e23};
};

TEST_F(ContainerReadWrite, ReadsBackEveryItem) {
  kfsHandle file = OpenRead();
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_NE(file, nullptr);
  unsigned int count = 0;
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeFloat);
  EXPECT_EQ(count, 2u);
  float floats[4] = {};
  EXPECT_EQ(kfsLrecRead(file, kfsTypeFloat, 4, floats), 2u);
  EXPECT_EQ(floats[0], 1.25f);
  EXPECT_EQ(floats[1], -3.5f);
  EXPECT_EQ(floats[2], 0.0f);

  unsigned int records = 0;
  kfsLblock block = nullptr;
  const kfstest::LblockGuard blockGuard(block);
  EXPECT_EQ(kfsLblockRead(file, &records, &block), 7);
  ASSERT_EQ(records, 2u);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->type, kfsTypeInt4);
  EXPECT_EQ(block->count, 3u);
  EXPECT_TRUE(block->MustFree);
  EXPECT_EQ(static_cast<int32_t*>(block->data)[2], 2147483647);
  ASSERT_NE(block->next, nullptr);
  EXPECT_EQ(std::string(static_cast<char*>(block->next->data), 5), "hello");
  EXPECT_EQ(block->next->next, nullptr);
  kfsLblockFree(&block);

  kfsSimpleType type = 0;
  void* data = kfsLrecReadAlloc(file, &type, &count);
  const kfstest::LrecGuard dataGuard(data);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(type, kfsTypeDouble);
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(std::memcmp(data, doubles_, sizeof doubles_), 0);
  kfsLrecFree(&data);
  EXPECT_EQ(data, nullptr);

  EXPECT_EQ(kfsLblockRead(file, &records, &block), 9);
  EXPECT_EQ(records, 0u);
  EXPECT_EQ(block, nullptr);

  uint16_t u2 = 0;
  EXPECT_EQ(kfsLrecRead(file, kfsTypeUInt2, 1, &u2), 1u);
  EXPECT_EQ(u2, 65535);

  EXPECT_EQ(kfsLblockRead(file, &records, &block), 11);
  EXPECT_EQ(records, 7u);
  int type_code = 1;
  for (kfsLblock node = block; node; node = node->next) EXPECT_EQ(node->type, type_code++);
  EXPECT_EQ(*static_cast<uint32_t*>(block->next->next->next->next->data), 4000000000u);
  kfsLblockFree(&block);

  EXPECT_EQ(kfsQuery(file, &count), kfsTypeUnknown);
  EXPECT_EQ(kfsPeekError(file), 1u);  // end of file, silently
  EXPECT_EQ(kfsLrecRead(file, kfsTypeFloat, 4, floats), 0u);
  EXPECT_EQ(kfsFileClose(&file), 0u);
}

TEST_F(ContainerReadWrite, QueryLooksAheadWithoutConsuming) {
  CallbackRecorder recorder;
  kfsHandle file = OpenRead();
  const kfstest::KfsFileGuard fileGuard(file);
  const long long start = kfsTell64(file);
  EXPECT_EQ(start, kfsGetAppBase(file));
  unsigned int count = 0;
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeFloat);
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeFloat);
  EXPECT_EQ(count, 2u);
  // The position of the queried item, not of its data.
  EXPECT_EQ(kfsTell64(file), start);

  double wrong[2] = {7, 7};
  EXPECT_EQ(kfsLrecRead(file, kfsTypeDouble, 2, wrong), 0u);
  EXPECT_EQ(kfsPeekError(file), 2009u);
  EXPECT_EQ(wrong[0], 7);
  EXPECT_EQ(wrong[1], 7);
  ASSERT_EQ(recorder.Calls().size(), 1u);
  EXPECT_EQ(recorder.Calls()[0].code, 2009u);
  EXPECT_EQ(recorder.Calls()[0].source, "kfs");
  EXPECT_GT(recorder.Calls()[0].line, 0);

  // Latched: nothing happens until the error is taken.
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeUnknown);
  EXPECT_EQ(kfsGetError(file), 2009u);
  EXPECT_EQ(kfsGetError(file), 0u);
  EXPECT_EQ(kfsTell64(file), start);
  float floats[2];
  EXPECT_EQ(kfsLrecRead(file, kfsTypeFloat, 2, floats), 2u);
  EXPECT_EQ(kfsTell64(file), start + 13);

  // A block start: its id is the count; the position stays at the marker.
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeBlock);
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(kfsTell64(file), start + 13);
}

TEST_F(ContainerReadWrite, RefusedReadsLeaveTheItem) {
  CallbackRecorder recorder;
  kfsHandle file = OpenRead();
  const kfstest::KfsFileGuard fileGuard(file);
  float one[1] = {9};
  EXPECT_EQ(kfsLrecRead(file, kfsTypeFloat, 1, one), 0u);
  EXPECT_EQ(kfsGetError(file), 2013u);
  EXPECT_EQ(one[0], 9);
  float two[2];
  EXPECT_EQ(kfsLrecRead(file, kfsTypeFloat, 2, two), 2u);
  // Block start where a record is expected.
  EXPECT_EQ(kfsLrecRead(file, kfsTypeInt4, 3, two), 0u);
  EXPECT_EQ(kfsGetError(file), 2019u);
  kfsSimpleType type = 5;
  EXPECT_EQ(kfsLrecReadAlloc(file, &type, nullptr), nullptr);
  EXPECT_EQ(type, kfsTypeUnknown);
  EXPECT_EQ(kfsPeekError(file), 0u);
  EXPECT_EQ(kfsLblockRead(file, nullptr, nullptr), -1);  // null block pointer: 1000
  unsigned int records = 0;
  kfsLblock block = nullptr;
  const kfstest::LblockGuard blockGuard(block);
  EXPECT_EQ(kfsLblockRead(file, &records, &block), 7);
  kfsLblockFree(&block);
  // A record where a block is expected.
  EXPECT_EQ(kfsLblockRead(file, &records, &block), -1);
  EXPECT_EQ(kfsGetError(file), 2019u);
  EXPECT_EQ(kfsLblockSkip(file), 2016u);
  EXPECT_EQ(kfsGetError(file), 2016u);
  EXPECT_EQ(kfsQuery(file, nullptr), kfsTypeDouble);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2013, 2019, 1000, 2019, 2016}));
}

TEST_F(ContainerReadWrite, SkipsItemsAndBlocks) {
  kfsHandle file = OpenRead();
  const kfstest::KfsFileGuard fileGuard(file);
  EXPECT_EQ(kfsSkip(file), kfsTypeFloat);
  EXPECT_EQ(kfsSkip(file), kfsTypeBlock);  // only the marker
  EXPECT_EQ(kfsSkip(file), kfsTypeInt4);
  EXPECT_EQ(kfsSkip(file), kfsTypeByte);
  EXPECT_EQ(kfsSkip(file), kfsTypeTerminator);
  unsigned int count = 0;
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeDouble);
  EXPECT_EQ(kfsSkip(file), kfsTypeDouble);  // after a query: the header is not skipped twice
  EXPECT_EQ(kfsLblockSkip(file), 0u);
  uint16_t u2 = 0;
  EXPECT_EQ(kfsLrecRead(file, kfsTypeUInt2, 1, &u2), 1u);
  EXPECT_EQ(kfsLblockSkip(file), 0u);
  EXPECT_EQ(kfsSkip(file), kfsTypeUnknown);
  EXPECT_EQ(kfsPeekError(file), 1u);
  // Rewind clears the end of file.
  EXPECT_EQ(kfsRewind(file), 0u);
  EXPECT_EQ(kfsPeekError(file), 0u);
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeFloat);
}

TEST_F(ContainerReadWrite, PseudoSeekStepsOverComputedLengths) {
  kfsHandle file = OpenRead();
  const kfstest::KfsFileGuard fileGuard(file);
  const long long a = kfsGetAppBase(file);
  // float[2] is 13 bytes; block 7 is 3 + 17 + 10 + 1.
  EXPECT_EQ(kfsPseudoSeek(file, 13), 0u);
  EXPECT_EQ(kfsPseudoSeek(file, 31), 0u);
  EXPECT_EQ(kfsTell64(file), a + 44);
  unsigned int count = 0;
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeDouble);
  // A query, then a pseudo-seek over the queried record: one move does both.
  EXPECT_EQ(kfsPseudoSeek(file, 29), 0u);
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeBlock);
  EXPECT_EQ(count, 9u);
  EXPECT_EQ(kfsTell64(file), a + 73);
  // Seek relative to where the caller is, not where the look-ahead read to.
  EXPECT_EQ(kfsSeek64(file, -29, SEEK_CUR), 0u);
  EXPECT_EQ(kfsTell64(file), a + 44);
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeDouble);
  EXPECT_EQ(kfsSeek64(file, 0, SEEK_END), 0u);
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeUnknown);
  EXPECT_EQ(kfsPeekError(file), 1u);
  EXPECT_EQ(kfsSeek64(file, a + 13, SEEK_SET), 0u);
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeBlock);
}

TEST_F(ContainerReadWrite, LongPseudoSeekAndSkipUseSeeks) {
  std::string path = workPath("long_records.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 0), 0u);
  std::vector<double> big(2000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<double>(i);
  for (int i = 0; i < 3; ++i) {
    big[0] = i;
    ASSERT_EQ(kfsLrecWrite(file, kfsTypeDouble, 2000, big.data()), 0u);
  }
  kfsFileClose(&file);
  ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr), 0u);
  EXPECT_EQ(kfsSkip(file), kfsTypeDouble);
  EXPECT_EQ(kfsPseudoSeek(file, 5 + 16000), 0u);
  std::vector<double> back(2000);
  EXPECT_EQ(kfsLrecRead(file, kfsTypeDouble, 2000, back.data()), 2000u);
  EXPECT_EQ(back[0], 2);
  EXPECT_EQ(back[1999], 1999);
}

TEST_F(ContainerReadWrite, UpdateModeAlternatesReadsAndWrites) {
  std::string path = workPath("update.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 1), 0u);
  const int32_t first[2] = {1, 2};
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeInt4, 2, first), 0u);
  ASSERT_EQ(kfsRewind(file), 0u);
  int32_t back[2] = {};
  ASSERT_EQ(kfsLrecRead(file, kfsTypeInt4, 2, back), 2u);
  EXPECT_EQ(back[1], 2);
  // Directly after a read: the container separates them with a seek.
  const int32_t second[1] = {3};
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeInt4, 1, second), 0u);
  // Overwrite the first record after querying it.
  ASSERT_EQ(kfsRewind(file), 0u);
  ASSERT_EQ(kfsQuery(file, nullptr), kfsTypeInt4);
  const int32_t replaced[2] = {10, 20};
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeInt4, 2, replaced), 0u);
  ASSERT_EQ(kfsLrecRead(file, kfsTypeInt4, 2, back), 1u);
  EXPECT_EQ(back[0], 3);
  ASSERT_EQ(kfsRewind(file), 0u);
  ASSERT_EQ(kfsLrecRead(file, kfsTypeInt4, 2, back), 2u);
  EXPECT_EQ(back[0], 10);
  EXPECT_EQ(back[1], 20);
  EXPECT_EQ(kfsFileClose(&file), 0u);
}

TEST_F(ContainerReadWrite, InMemoryBlocks) {
  CallbackRecorder recorder;
  const double values[2] = {1, 2};
  kfsLblock block = kfsLblockAdd(kfsTypeDouble, 2, values, 1, nullptr);
  const kfstest::LblockGuard blockGuard(block);
  ASSERT_NE(block, nullptr);
  EXPECT_NE(block->data, values);
  kfsLblock bad = kfsLblockAdd(9, 2, values, 1, block);
  ASSERT_NE(bad, nullptr);
  EXPECT_EQ(bad->data, nullptr);
  kfsLblock empty = kfsLblockAdd(kfsTypeFloat, 0, values, 1, block);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2009, 2009}));
  kfsLblock zeros = kfsLblockAdd(kfsTypeInt2, 3, nullptr, 1, block);
  EXPECT_EQ(static_cast<int16_t*>(zeros->data)[2], 0);
  EXPECT_EQ(block->next->next->next, zeros);

  // Taken-over data belongs to the caller.
  void* taken = kfsLblockTakeOver(block);
  const kfstest::LrecGuard takenGuard(taken);
  EXPECT_FALSE(block->MustFree);
  EXPECT_EQ(static_cast<double*>(taken)[1], 2);

  // Nodes without data are written as nothing.
  std::string path = workPath("memory_block.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 0), 0u);
  ASSERT_EQ(kfsLblockWrite(3, file, block), 0u);
  kfsFileClose(&file);
  EXPECT_EQ(kfstest::readBytes(path).size(), 113u + 3 + 21 + 11 + 1);
}

TEST(ContainerLblockDeath, TakeOverOfANonOwningNodeIsAProgrammingError) {
  const float f = 1;
  kfsLblock block = kfsLblockAdd(kfsTypeFloat, 1, &f, 0, nullptr);
  const kfstest::LblockGuard blockGuard(block);
  EXPECT_DEATH(kfsLblockTakeOver(block), "lBlock && lBlock->MustFree");
  EXPECT_DEATH(kfsLblockTakeOver(nullptr), "lBlock && lBlock->MustFree");
}

}  // namespace
