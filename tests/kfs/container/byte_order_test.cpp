// Files written in the other byte order: every number is converted on
// reading, and an edit keeps the file's order.
#include <gtest/gtest.h>

#include <cstring>

#include "container_support.h"

using kfstest::readBytes;
using kfstest::workPath;

namespace {

// Assembles a container as a big-endian writer would have made it.
class BigEndianFile {
 public:
  BigEndianFile() {
    Bytes("OXA_", 4);                 // the magic is bytes, never reversed ...
    std::swap(bytes_[0], bytes_[3]);  // ... so a big-endian u32 "OXA_" is "_AXO" here
    std::swap(bytes_[1], bytes_[2]);
    U32(0x5F534644);  // "DFS_" read as a big-endian number
    Bytes(" KORA Vale - this file contains binary data, do not edit", 56);
    Bytes("\x1A", 1);
    const uint16_t stamp[6] = {2019, 7, 14, 9, 30, 59};
    for (uint16_t v : stamp) U16(v);
    U32(104);
    U32(205);
    for (uint16_t v : stamp) U16(v);
    U32(104);
    U32(205);
    U32(0);
    U32(0);
  }
  void Record(int type, uint32_t count, const void* data, size_t size) {
    bytes_.push_back(static_cast<unsigned char>(type));
    U32(count);
    const auto* p = static_cast<const unsigned char*>(data);
    for (uint32_t i = 0; i < count; ++i, p += size)
      for (size_t b = size; b-- > 0;) bytes_.push_back(p[b]);
  }
  void BlockStart(uint16_t id) {
    bytes_.push_back(0xFE);
    U16(id);
  }
  void Terminator() { bytes_.push_back(0xFF); }
  const std::vector<unsigned char>& Bytes() const { return bytes_; }

 private:
  void Bytes(const char* text, size_t n) { bytes_.insert(bytes_.end(), text, text + n); }
  void U16(uint16_t v) {
    bytes_.push_back(static_cast<unsigned char>(v >> 8));
    bytes_.push_back(static_cast<unsigned char>(v));
  }
  void U32(uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
      bytes_.push_back(static_cast<unsigned char>(v >> shift));
  }
  std::vector<unsigned char> bytes_;
};

const double kDoubles[3] = {3.141592653589793, -0.0, 1e-310};
const float kFloats[2] = {1.5f, -7e30f};
const int32_t kInt4 = -123456789;
const uint32_t kUInt4 = 0xDEADBEEF;
const int16_t kInt2 = -2;
const uint16_t kUInt2 = 0xABCD;

std::string WriteSample(const std::string& name) {
  BigEndianFile big;
  big.Record(kfsTypeDouble, 3, kDoubles, 8);
  big.BlockStart(0x1234);
  big.Record(kfsTypeFloat, 2, kFloats, 4);
  big.Record(kfsTypeInt4, 1, &kInt4, 4);
  big.Record(kfsTypeUInt4, 1, &kUInt4, 4);
  big.Record(kfsTypeInt2, 1, &kInt2, 2);
  big.Record(kfsTypeUInt2, 1, &kUInt2, 2);
  big.Record(kfsTypeByte, 3, "xyz", 1);
  big.Terminator();
  std::string path = workPath(name);
  kfstest::writeBytes(path, big.Bytes());
  return path;
}

TEST(ContainerByteOrder, ReadsEveryValueConverted) {
  std::string path = WriteSample("big_endian.kfs");
  const auto bytes = readBytes(path);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "_AXO");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  unsigned int fileId = 0;
  ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, dfsAPIid, &fileId), 0u);
  EXPECT_EQ(fileId, DFS_API_ID);
  EXPECT_STREQ(kfsGetFileCreationDate(file), "2019-07-14");
  EXPECT_STREQ(kfsGetFileCreationTime(file), "09:30:59");
  EXPECT_STREQ(kfsGetFileEditDate(file), "2019-07-14");
  EXPECT_STREQ(kfsGetFileEditTime(file), "09:30:59");
  EXPECT_EQ(kfsGetVersionCreate(file), 104u);
  EXPECT_EQ(kfsGetVersionCreateApp(file), 205u);
  EXPECT_EQ(kfsGetVersionEdit(file), 104u);
  EXPECT_EQ(kfsGetVersionEditApp(file), 205u);

  unsigned int count = 0;
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeDouble);
  EXPECT_EQ(count, 3u);
  double d[3];
  ASSERT_EQ(kfsLrecRead(file, kfsTypeDouble, 3, d), 3u);
  EXPECT_EQ(std::memcmp(d, kDoubles, sizeof d), 0);
  EXPECT_EQ(kfsQuery(file, &count), kfsTypeBlock);
  EXPECT_EQ(count, 0x1234u);
  unsigned int records = 0;
  kfsLblock block = nullptr;
  const kfstest::LblockGuard blockGuard(block);
  EXPECT_EQ(kfsLblockRead(file, &records, &block), 0x1234);
  ASSERT_EQ(records, 6u);
  kfsLblock node = block;
  EXPECT_EQ(std::memcmp(node->data, kFloats, sizeof kFloats), 0);
  node = node->next;
  EXPECT_EQ(*static_cast<int32_t*>(node->data), kInt4);
  node = node->next;
  EXPECT_EQ(*static_cast<uint32_t*>(node->data), kUInt4);
  node = node->next;
  EXPECT_EQ(*static_cast<int16_t*>(node->data), kInt2);
  node = node->next;
  EXPECT_EQ(*static_cast<uint16_t*>(node->data), kUInt2);
  node = node->next;
  EXPECT_EQ(std::string(static_cast<char*>(node->data), 3), "xyz");
}

TEST(ContainerByteOrder, EditKeepsTheFilesOrder) {
  std::string path = WriteSample("big_endian_edit.kfs");
  const auto before = readBytes(path);
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  // Another application version: the edit part is rewritten, big-endian.
  ASSERT_EQ(kfsFileOpenEdit(path.c_str(), &file, dfsAPIid, nullptr), 0u);
  ASSERT_EQ(kfsSeek64(file, 0, SEEK_END), 0u);
  const double appended[2] = {6.5, -1e200};
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeDouble, 2, appended), 0u);
  std::vector<int16_t> many(3000, -2);  // longer than the reversal scratch area
  many[2999] = 0x0102;
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeInt2, 3000, many.data()), 0u);
  EXPECT_EQ(many[2999], 0x0102);  // the caller's data is not reversed
  ASSERT_EQ(kfsLblockWrite(0x0A0B, file, nullptr), 0u);
  ASSERT_EQ(kfsFileClose(&file), 0u);

  const auto after = readBytes(path);
  ASSERT_EQ(after.size(), before.size() + 21 + 6005 + 4);
  // Edit part at B+20 = 85: edit stamp, then version 104 and 206, big-endian.
  EXPECT_EQ(after[85 + 12], 0);
  EXPECT_EQ(after[85 + 15], 104);
  EXPECT_EQ(after[85 + 19], 206);
  size_t at = before.size();
  EXPECT_EQ(after[at], 2);
  EXPECT_EQ(after[at + 4], 2);  // count 2, big-endian
  BigEndianFile expect;
  expect.Record(kfsTypeDouble, 2, appended, 8);
  EXPECT_TRUE(std::equal(expect.Bytes().end() - 21, expect.Bytes().end(), after.begin() + at));
  EXPECT_EQ(after[at + 21 + 5 + 2 * 2999], 0x01);
  EXPECT_EQ(after[after.size() - 3], 0x0A);

  ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, kfsInternalAPI, nullptr), 0u);
  EXPECT_EQ(kfsGetVersionEditApp(file), 206u);
  EXPECT_EQ(kfsGetVersionCreateApp(file), 205u);
  EXPECT_EQ(kfsSkip(file), kfsTypeDouble);
  EXPECT_EQ(kfsLblockSkip(file), 0u);
  double back[2];
  ASSERT_EQ(kfsLrecRead(file, kfsTypeDouble, 2, back), 2u);
  EXPECT_EQ(back[1], -1e200);
  std::vector<int16_t> many_back(3000);
  ASSERT_EQ(kfsLrecRead(file, kfsTypeInt2, 3000, many_back.data()), 3000u);
  EXPECT_EQ(many_back, many);
  unsigned int id = 0;
  EXPECT_EQ(kfsQuery(file, &id), kfsTypeBlock);
  EXPECT_EQ(id, 0x0A0Bu);
}

}  // namespace
