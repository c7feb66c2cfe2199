// A disk file read and written through the storage's own buffer: records
// that straddle its boundaries, positions kept through read-ahead and
// pending writes, and the turns between reading and writing of an update.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "container_support.h"

using kfstest::workPath;

namespace {

// Records of 1 to 40 int4 values, the k-th holding k, k+1, ...: their sizes
// never line up with a buffer, so records cross every boundary of it.
constexpr int kRecords = 9000;

unsigned int CountOf(int k) { return 1u + static_cast<unsigned int>(k) % 40u; }

std::vector<int32_t> ValuesOf(int k) {
  std::vector<int32_t> values(CountOf(k));
  for (size_t i = 0; i < values.size(); ++i) values[i] = k + static_cast<int32_t>(i);
  return values;
}

class BufferedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = workPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                     ".kfs");
    kfsHandle file = nullptr;
    const kfstest::KfsFileGuard guard(file);
    ASSERT_EQ(kfsFileOpenCreate(path_.c_str(), nullptr, &file, nullptr, 0), 0u);
    for (int k = 0; k < kRecords; ++k) {
      offsets_.push_back(kfsTell64(file));
      const std::vector<int32_t> values = ValuesOf(k);
      ASSERT_EQ(kfsLrecWrite(file, kfsTypeInt4, CountOf(k), values.data()), 0u);
    }
    offsets_.push_back(kfsTell64(file));
    ASSERT_EQ(kfsFileClose(&file), 0u);
  }

  // Reads record k where the handle stands and checks it.
  static void ExpectRecord(kfsHandle file, int k) {
    std::vector<int32_t> back(40);
    ASSERT_EQ(kfsLrecRead(file, kfsTypeInt4, 40, back.data()), CountOf(k)) << "record " << k;
    back.resize(CountOf(k));
    EXPECT_EQ(back, ValuesOf(k)) << "record " << k;
  }

  std::string path_;
  std::vector<long long> offsets_;  // where each record starts, and the end
};

TEST_F(BufferedFile, RecordsAcrossBufferBoundariesReadBackWithTheirPositions) {
  ASSERT_EQ(offsets_.back() - offsets_.front(), 9000LL * 5 + 4LL * (225 * 820));
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard guard(file);
  ASSERT_EQ(kfsFileOpenRead(path_.c_str(), &file, nullptr, nullptr), 0u);
  for (int k = 0; k < kRecords; ++k) {
    ASSERT_EQ(kfsTell64(file), offsets_[k]);
    ExpectRecord(file, k);
  }
  EXPECT_EQ(kfsTell64(file), offsets_.back());
  EXPECT_EQ(kfsQuery(file, nullptr), kfsTypeUnknown);
  EXPECT_EQ(kfsPeekError(file), static_cast<unsigned int>(kfsEndOfFile));
}

TEST_F(BufferedFile, SeeksForwardBackwardAndAbsolute) {
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard guard(file);
  ASSERT_EQ(kfsFileOpenRead(path_.c_str(), &file, nullptr, nullptr), 0u);
  ExpectRecord(file, 0);
  // A short skip stays inside what was read ahead, a long one leaves it.
  ASSERT_EQ(kfsSeek64(file, offsets_[3] - offsets_[1], SEEK_CUR), 0u);
  ExpectRecord(file, 3);
  ASSERT_EQ(kfsSeek64(file, offsets_[7000] - offsets_[4], SEEK_CUR), 0u);
  ExpectRecord(file, 7000);
  ASSERT_EQ(kfsSeek64(file, offsets_[10] - offsets_[7001], SEEK_CUR), 0u);
  EXPECT_EQ(kfsTell64(file), offsets_[10]);
  ExpectRecord(file, 10);
  ASSERT_EQ(kfsSeek64(file, offsets_[5000], SEEK_SET), 0u);
  ExpectRecord(file, 5000);
  // A query reads ahead; the position stays before the queried record.
  ASSERT_EQ(kfsQuery(file, nullptr), kfsTypeInt4);
  EXPECT_EQ(kfsTell64(file), offsets_[5001]);
  ExpectRecord(file, 5001);
}

TEST_F(BufferedFile, EditOverwritesWhereTheReaderStands) {
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard guard(file);
  ASSERT_EQ(kfsFileOpenEdit(path_.c_str(), &file, nullptr, nullptr), 0u);
  // The read-ahead holds the records behind 100: the write goes where the
  // caller is, not where the buffer was filled to.
  for (int k = 0; k < 100; ++k) ExpectRecord(file, k);
  const std::vector<int32_t> replaced(CountOf(100), -7);
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeInt4, CountOf(100), replaced.data()), 0u);
  EXPECT_EQ(kfsTell64(file), offsets_[101]);
  ExpectRecord(file, 101);
  // Writes still waiting in the buffer are seen by a read after a seek.
  ASSERT_EQ(kfsSeek64(file, offsets_[200], SEEK_SET), 0u);
  for (int k = 200; k < 300; ++k) {
    const std::vector<int32_t> values(CountOf(k), k * 2);
    ASSERT_EQ(kfsLrecWrite(file, kfsTypeInt4, CountOf(k), values.data()), 0u);
  }
  ASSERT_EQ(kfsSeek64(file, offsets_[299], SEEK_SET), 0u);
  std::vector<int32_t> back(40);
  ASSERT_EQ(kfsLrecRead(file, kfsTypeInt4, 40, back.data()), CountOf(299));
  EXPECT_EQ(back[0], 598);
  ExpectRecord(file, 300);
  ASSERT_EQ(kfsFileClose(&file), 0u);

  ASSERT_EQ(kfsFileOpenRead(path_.c_str(), &file, nullptr, nullptr), 0u);
  for (int k = 0; k < kRecords; ++k) {
    if (k == 100 || (k >= 200 && k < 300)) {
      ASSERT_EQ(kfsLrecRead(file, kfsTypeInt4, 40, back.data()), CountOf(k));
      EXPECT_EQ(back[0], k == 100 ? -7 : k * 2);
    } else {
      ExpectRecord(file, k);
    }
  }
}

TEST(BufferedFileUpdate, AReadAllocSeesTheWritesStillInTheBuffer) {
  // The size check of an allocating read asks the system for the file's
  // size, which must include what the buffer still holds.
  const std::string path = workPath("buffered_update.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard guard(file);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 1), 0u);
  const std::vector<double> values(300, 2.5);
  for (int k = 0; k < 10; ++k) ASSERT_EQ(kfsLrecWrite(file, kfsTypeDouble, 300, values.data()), 0u);
  ASSERT_EQ(kfsRewind(file), 0u);
  for (int k = 0; k < 10; ++k) {
    kfsSimpleType type = kfsTypeUnknown;
    unsigned int count = 0;
    void* data = kfsLrecReadAlloc(file, &type, &count);
    ASSERT_NE(data, nullptr) << "record " << k;
    EXPECT_EQ(count, 300u);
    EXPECT_EQ(static_cast<double*>(data)[299], 2.5);
    kfsLrecFree(&data);
  }
  EXPECT_EQ(kfsFileClose(&file), 0u);
}

}  // namespace
