// Opening existing files: identification of the caller, the edit-stamp
// refresh, and the failures of the open functions.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "container_support.h"

using kfstest::CallbackRecorder;
using kfstest::readBytes;
using kfstest::workPath;

namespace {

unsigned int OtherApp(unsigned int* appVersion) {
  *appVersion = 7;
  return 0x12345678;
}

unsigned int NewerDfs(unsigned int* appVersion) {
  *appVersion = 207;
  return DFS_API_ID;
}

std::string CreateDfsFile(const std::string& name) {
  std::string path = workPath(name);
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  EXPECT_EQ(kfsFileOpenCreate(path.c_str(), "app", &file, dfsAPIid, 0), 0u);
  const int32_t v = 5;
  kfsLrecWrite(file, kfsTypeInt4, 1, &v);
  EXPECT_EQ(kfsFileClose(&file), 0u);
  return path;
}

// Sets the creation stamp (at B = 4+4+56+2+3+1 = 70) to a day long past.
void BackdateCreation(const std::string& path) {
  auto bytes = readBytes(path);
  const uint16_t past[6] = {2001, 2, 3, 4, 5, 6};
  std::memcpy(bytes.data() + 70, past, sizeof past);
  std::memcpy(bytes.data() + 90, past, sizeof past);
  kfstest::writeBytes(path, bytes);
}

TEST(ContainerOpen, IdentifierMustMatchUnlessInternal) {
  std::string path = CreateDfsFile("ident.kfs");
  CallbackRecorder recorder;
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  unsigned int fileId = 0;
  EXPECT_EQ(kfsFileOpenRead(path.c_str(), &file, OtherApp, &fileId), 2017u);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(fileId, DFS_API_ID);
  EXPECT_EQ(kfsFileOpenEdit(path.c_str(), &file, OtherApp, nullptr), 2017u);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2017, 2017}));
  EXPECT_EQ(recorder.Calls()[0].source, "kfs");

  ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, kfsInternalAPI, &fileId), 0u);
  EXPECT_EQ(fileId, DFS_API_ID);
  EXPECT_STREQ(kfsGetFilename(file), path.c_str());
  EXPECT_EQ(kfsGetVersionCurrent(), 104u);
  kfsFileClose(&file);
  ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, dfsAPIid, nullptr), 0u);
}

TEST(ContainerOpen, EditBySameApplicationVersionLeavesTheStamp) {
  std::string path = CreateDfsFile("edit_same.kfs");
  BackdateCreation(path);
  const auto before = readBytes(path);
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenEdit(path.c_str(), &file, dfsAPIid, nullptr), 0u);
  EXPECT_STREQ(kfsGetFileEditDate(file), "2001-02-03");
  EXPECT_STREQ(kfsGetFileEditTime(file), "04:05:06");
  EXPECT_EQ(kfsTell64(file), kfsGetAppBase(file));
  ASSERT_EQ(kfsFileClose(&file), 0u);
  EXPECT_EQ(readBytes(path), before);
}

TEST(ContainerOpen, EditByAnotherApplicationVersionRefreshesTheStamp) {
  std::string path = CreateDfsFile("edit_other.kfs");
  BackdateCreation(path);
  const auto before = readBytes(path);
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenEdit(path.c_str(), &file, NewerDfs, nullptr), 0u);
  EXPECT_STRNE(kfsGetFileEditDate(file), "2001-02-03");
  EXPECT_STREQ(kfsGetFileCreationDate(file), "2001-02-03");
  // The handle keeps the versions it read; the file gets the new ones.
  EXPECT_EQ(kfsGetVersionEditApp(file), 206u);
  // Positioned at the first item, ready to read or overwrite.
  int32_t v = 0;
  EXPECT_EQ(kfsLrecRead(file, kfsTypeInt4, 1, &v), 1u);
  EXPECT_EQ(v, 5);
  ASSERT_EQ(kfsFileClose(&file), 0u);
  const auto after = readBytes(path);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_TRUE(
      std::equal(before.begin(), before.begin() + 90, after.begin()));  // creation part kept
  uint16_t year;
  std::memcpy(&year, after.data() + 90, 2);
  EXPECT_GT(year, 2001);
  uint32_t versions[2];
  std::memcpy(versions, after.data() + 102, 8);
  EXPECT_EQ(versions[0], 104u);
  EXPECT_EQ(versions[1], 207u);
  EXPECT_TRUE(std::equal(before.begin() + 110, before.end(), after.begin() + 110));
}

TEST(ContainerOpen, EditOfAnOlderContainerVersionRefreshes) {
  std::string path = CreateDfsFile("edit_older.kfs");
  auto bytes = readBytes(path);
  const uint32_t older = 103;
  std::memcpy(bytes.data() + 70 + 12, &older, 4);
  kfstest::writeBytes(path, bytes);
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenEdit(path.c_str(), &file, dfsAPIid, nullptr), 0u);
  EXPECT_EQ(kfsGetVersionCreate(file), 103u);
  kfsFileClose(&file);
  bytes = readBytes(path);
  uint32_t editVersion;
  std::memcpy(&editVersion, bytes.data() + 70 + 32, 4);
  EXPECT_EQ(editVersion, 104u);
}

TEST(ContainerOpen, FailuresLeaveNoHandle) {
  CallbackRecorder recorder;
  kfsHandle file = nullptr;
  EXPECT_EQ(kfsFileOpenRead(workPath("missing/nothing.kfs").c_str(), &file, nullptr, nullptr),
            2003u);
  EXPECT_EQ(kfsFileOpenCreate(workPath("missing/nothing.kfs").c_str(), nullptr, &file, nullptr, 0),
            2003u);
  EXPECT_EQ(kfsFileOpenEdit(workPath("missing/nothing.kfs").c_str(), &file, nullptr, nullptr),
            2003u);
  EXPECT_EQ(kfsFileOpenRead(nullptr, &file, nullptr, nullptr), 1000u);
  EXPECT_EQ(file, nullptr);

  std::string path = workPath("not_a_container.kfs");
  kfstest::writeBytes(path, {'O', 'X', 'A', '-', 0, 0, 0, 0});
  EXPECT_EQ(kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr), 2014u);
  kfstest::writeBytes(path, {'O', 'X'});
  EXPECT_EQ(kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr), 2001u);
  kfstest::writeBytes(path, {});
  EXPECT_EQ(kfsFileOpenRead(path.c_str(), &file, nullptr, nullptr), 2001u);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2003, 2003, 2003, 1000, 2014, 2001, 2001}));
}

TEST(ContainerOpen, WritesToAReadOnlyHandleFail) {
  std::string path = CreateDfsFile("read_only.kfs");
  CallbackRecorder recorder;
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenRead(path.c_str(), &file, dfsAPIid, nullptr), 0u);
  const float f = 1;
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeFloat, 1, &f), 2015u);
  EXPECT_EQ(kfsLblockWrite(1, file, nullptr), 2015u);  // latched; reported once
  EXPECT_EQ(kfsGetError(file), 2015u);
  EXPECT_EQ(kfsLblockWrite(1, file, nullptr), 2015u);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2015, 2015}));
  kfsFileClose(&file);
  EXPECT_EQ(readBytes(path).size(), 130u - 15 + 3 + 9);
}

TEST(ContainerOpen, InvalidWritesAreReportedButNotLatched) {
  CallbackRecorder recorder;
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  std::string path = workPath("invalid_writes.kfs");
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &file, nullptr, 0), 0u);
  const double d = 1;
  EXPECT_EQ(kfsLrecWrite(file, 8, 1, &d), 2009u);
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeDouble, 0, &d), 2009u);
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeBlock, 1, &d), 2009u);
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeDouble, 1, nullptr), 1000u);
  EXPECT_EQ(kfsLblockWrite(70000, file, nullptr), 2010u);
  EXPECT_EQ(kfsPeekError(file), 0u);
  EXPECT_EQ(kfsLrecWrite(nullptr, kfsTypeDouble, 1, &d), 1000u);
  EXPECT_EQ(recorder.Codes(), (std::vector<unsigned>{2009, 2009, 2009, 1000, 2010, 1000}));
  // A node that refers to no buffer would drop its record from the block
  // and shift every record behind it: the block is refused whole.
  kfsLblock block = kfsLblockAdd(kfsTypeDouble, 1, &d, 0, nullptr);
  const kfstest::LblockGuard blockGuard(block);
  kfsLblockAdd(kfsTypeDouble, 2, nullptr, 0, block);
  EXPECT_EQ(kfsLblockWrite(5, file, block), 1000u);
  EXPECT_EQ(kfsPeekError(file), 0u);
  EXPECT_EQ(recorder.Codes().back(), 1000u);
  kfsLblockFree(&block);
  kfsFileClose(&file);
  EXPECT_EQ(readBytes(path).size(), 113u);
}

TEST(ContainerOpen, NullHandlesAreHarmless) {
  kfsHandle file = nullptr;
  const kfstest::KfsFileGuard fileGuard(file);
  EXPECT_EQ(kfsFileClose(&file), 0u);
  EXPECT_EQ(kfsFileClose(nullptr), 0u);
  EXPECT_EQ(kfsFileFlush(nullptr), 0u);
  EXPECT_STREQ(kfsGetFileCreationDate(nullptr), "");
  EXPECT_EQ(kfsGetFilename(nullptr), nullptr);
  EXPECT_EQ(kfsTell64(nullptr), -1);
  EXPECT_EQ(kfsQuery(nullptr, nullptr), 0);
  EXPECT_EQ(kfsGetError(nullptr), 1000u);
}

TEST(ContainerOpen, CallbackSlots) {
  EXPECT_EQ(kfsCallbackSlot(1000), 0);
  EXPECT_EQ(kfsCallbackSlot(2000), 1);
  EXPECT_EQ(kfsCallbackSlot(2020), 21);
  EXPECT_EQ(kfsCallbackSlot(1), -1);
  EXPECT_EQ(kfsCallbackSlot(2021), -1);
  EXPECT_EQ(kfsCallbackSlot(1999), -1);
}

}  // namespace
