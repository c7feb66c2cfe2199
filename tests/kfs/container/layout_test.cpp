// The byte layout of container files, checked against the bytes on disk.
#include <gtest/gtest.h>

#include <cstring>

#include "container_support.h"

using kfstest::readBytes;
using kfstest::workPath;

namespace {

template <typename T>
T At(const std::vector<unsigned char>& bytes, size_t offset) {
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

const char kFixedText[] = " KORA Vale - this file contains binary data, do not edit";

TEST(ContainerLayout, HeaderWithoutApplicationText) {
  std::string path = workPath("layout_plain.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 0), 0u);
  EXPECT_EQ(kfsGetKFSbase(file), 65u);
  EXPECT_EQ(kfsGetAppBase(file), 113u);
  ASSERT_EQ(kfsFileClose(&file), 0u);
  EXPECT_EQ(file, nullptr);

  auto bytes = readBytes(path);
  ASSERT_EQ(bytes.size(), 113u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OXA_");
  EXPECT_EQ(At<uint32_t>(bytes, 4), KFS_DEFAULT_API_ID);
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 64), kFixedText);
  EXPECT_EQ(bytes[64], 0x1A);
  // Creation and edit parts are equal in a new file; reserved words are 0.
  EXPECT_GE(At<uint16_t>(bytes, 65), 2000);
  EXPECT_EQ(At<uint32_t>(bytes, 65 + 12), 104u);
  EXPECT_EQ(At<uint32_t>(bytes, 65 + 16), 0u);
  EXPECT_EQ(std::memcmp(bytes.data() + 65, bytes.data() + 85, 20), 0);
  EXPECT_EQ(At<uint32_t>(bytes, 105), 0u);
  EXPECT_EQ(At<uint32_t>(bytes, 109), 0u);
}

TEST(ContainerLayout, HeaderWithApplicationTextAndIdentifier) {
  std::string path = workPath("layout_text.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), "FOpenFileCreate", &file, dfsAPIid, 0), 0u);
  EXPECT_EQ(kfsGetAppBase(file), 130u);
  EXPECT_EQ(kfsGetVersionCreateApp(file), 206u);
  ASSERT_EQ(kfsFileClose(&file), 0u);

  auto bytes = readBytes(path);
  ASSERT_EQ(bytes.size(), 130u);
  EXPECT_EQ(std::string(bytes.begin() + 4, bytes.begin() + 8), "DFS_");
  EXPECT_EQ(std::string(bytes.begin() + 64, bytes.begin() + 81), "  FOpenFileCreate");
  EXPECT_EQ(bytes[81], 0x1A);
  EXPECT_EQ(At<uint32_t>(bytes, 82 + 16), 206u);
  EXPECT_EQ(At<uint32_t>(bytes, 82 + 36), 206u);
}

TEST(ContainerLayout, RecordsAndBlocks) {
  std::string path = workPath("layout_items.kfs");
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 0), 0u);
  const double values[3] = {1.5, -2.25, 1e300};
  ASSERT_EQ(kfsLrecWrite(file, kfsTypeDouble, 3, values), 0u);
  ASSERT_EQ(kfsLblockWrite(0xBEEF, file, nullptr), 0u);
  kfsLblock block = kfsLblockAdd(kfsTypeInt2, 2, nullptr, 1, nullptr);
  const kfstest::LblockGuard blockGuard(block);
  const char text[] = "abc";
  kfsLblockAdd(kfsTypeByte, 3, text, 0, block);
  ASSERT_EQ(kfsLblockWrite(40000, file, block), 0u);
  kfsLblockFree(&block);
  EXPECT_EQ(block, nullptr);
  ASSERT_EQ(kfsFileClose(&file), 0u);

  auto bytes = readBytes(path);
  const size_t a = 113;
  // 3 doubles: 29 bytes. Empty block: 4 bytes. Block of 2 records: 3 + 9 + 8 + 1.
  ASSERT_EQ(bytes.size(), a + 29 + 4 + 21);
  EXPECT_EQ(bytes[a], 2);
  EXPECT_EQ(At<uint32_t>(bytes, a + 1), 3u);
  EXPECT_EQ(At<double>(bytes, a + 5), 1.5);
  EXPECT_EQ(At<double>(bytes, a + 21), 1e300);
  const size_t b = a + 29;
  EXPECT_EQ(bytes[b], 0xFE);
  EXPECT_EQ(At<uint16_t>(bytes, b + 1), 0xBEEF);
  EXPECT_EQ(bytes[b + 3], 0xFF);
  const size_t c = b + 4;
  EXPECT_EQ(bytes[c], 0xFE);
  EXPECT_EQ(At<uint16_t>(bytes, c + 1), 40000);
  EXPECT_EQ(bytes[c + 3], 6);
  EXPECT_EQ(At<uint32_t>(bytes, c + 4), 2u);
  EXPECT_EQ(At<uint32_t>(bytes, c + 8), 0u);
  EXPECT_EQ(bytes[c + 12], 3);
  EXPECT_EQ(std::string(bytes.begin() + c + 17, bytes.begin() + c + 20), "abc");
  EXPECT_EQ(bytes[c + 20], 0xFF);
}

TEST(ContainerLayout, SimpleTypeNamesAndSizes) {
  const char* names[] = {"block", "terminator", "unknown",    "float",     "double",
                         "byte",  "integer*4",  "unsigned*4", "integer*2", "unsigned*2"};
  const unsigned sizes[] = {0, 0, 0, 4, 8, 1, 4, 4, 2, 2};
  for (int code = -2; code <= 7; ++code) {
    EXPECT_STREQ(kfsSimpName(code), names[code + 2]);
    EXPECT_EQ(kfsSimpSize(code), sizes[code + 2]);
    EXPECT_TRUE(kfsSimpValid(code));
  }
  for (int code : {-3, 8, 254, -1000}) {
    EXPECT_STREQ(kfsSimpName(code), "unknown");
    EXPECT_EQ(kfsSimpSize(code), 0u);
    EXPECT_FALSE(kfsSimpValid(code));
  }
}

}  // namespace
