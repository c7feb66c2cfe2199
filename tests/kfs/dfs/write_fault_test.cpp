// Writes that fail part-way: a memory stream whose drain refuses one call,
// for every call a whole file makes, a disk file on a device that is full,
// and a disk file that cannot grow past a size. Every fault must come back
// as a code from some call (never a success throughout), every call after
// it fails too, nothing may leak (the sanitizer build checks), and what
// reached the file before the fault is the start of the good file.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "fault_support.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

// The container header: its text, versions and the creation and edit times.
constexpr size_t kStampedBytes = 128;

std::vector<unsigned char> g_drained;
unsigned char g_buffer[48];
int g_drainCalls = 0;
int g_failingCall = 0;  // 0: every drain succeeds

size_t FailingDrain(size_t filled) {
  if (++g_drainCalls == g_failingCall) return 0;
  g_drained.insert(g_drained.end(), g_buffer, g_buffer + filled);
  return filled;
}

// Header, three steps of both items, close. The first code other than 0.
int WriteSmallFile(kfsHandle* file, LPHEAD header) {
  int first = dfsStreamCreate(g_buffer, sizeof g_buffer, FailingDrain, header, file);
  if (first != 0) {
    EXPECT_EQ(*file, nullptr) << "a failed create leaves no handle";
    return first;
  }
  float values[10];
  for (int i = 0; i < 10; ++i) values[i] = 0.5f * static_cast<float>(i);
  for (int step = 0; step < 3; ++step) {
    for (int item = 0; item < 2; ++item) {
      const int code = dfsWriteItemTimeStep(header, *file, values, step);
      if (first == 0) first = code;
    }
  }
  const int code = dfsFileClose(header, file);
  return first != 0 ? first : code;
}

std::vector<unsigned char> WriteWithFailingDrain(int failingCall, int* code) {
  g_drained.clear();
  g_drainCalls = 0;
  g_failingCall = failingCall;
  LPHEAD header = dfstest::twoItemHeader();
  const dfstest::HeaderGuard headerGuard(header);
  kfsHandle file = nullptr;
  // A file whose close failed is still released by the container.
  const dfstest::KfsFileGuard fileGuard(file);
  *code = WriteSmallFile(&file, header);
  return g_drained;
}

}  // namespace

TEST(WriteFaults, EveryFailingDrainIsReportedAndLeavesAPrefixOfTheGoodFile) {
  dfstest::loadUnits();
  dfstest::ErrorRecorder errors;
  int code = -1;
  const std::vector<unsigned char> good = WriteWithFailingDrain(0, &code);
  ASSERT_EQ(code, 0);
  const int calls = g_drainCalls;
  ASSERT_GT(calls, 3) << "the buffer is small so that the file takes many drains";

  for (int failing = 1; failing <= calls; ++failing) {
    const std::vector<unsigned char> partial = WriteWithFailingDrain(failing, &code);
    EXPECT_NE(code, 0) << "drain " << failing << " of " << calls << " failed unseen";
    ASSERT_LE(partial.size(), good.size()) << failing;
    // The container header carries the time of writing, which may differ.
    if (partial.size() > kStampedBytes) {
      EXPECT_TRUE(
          std::equal(partial.begin() + kStampedBytes, partial.end(), good.begin() + kStampedBytes))
          << failing;
    }
  }
}

// The full device is reached through a link in the test's own folder, so
// that a create which removed what it could not write removes the link, not
// the device of the machine.
TEST(WriteFaults, AFullDeviceIsReportedAndWhatThePathNamesIsNotRemoved) {
  dfstest::loadUnits();
  dfstest::ErrorRecorder errors;
  const std::string link = dfstest::workPath("full_device.dfs");
  ::unlink(link.c_str());
  ASSERT_EQ(::symlink("/dev/full", link.c_str()), 0);
  LPHEAD header = dfstest::twoItemHeader();
  const dfstest::HeaderGuard headerGuard(header);
  kfsHandle file = nullptr;
  const dfstest::KfsFileGuard fileGuard(file);
  int first = dfsFileCreate(link.c_str(), header, &file);
  if (first == 0) {
    std::vector<float> values(10, 1.0f);
    for (int step = 0; step < 200 && first == 0; ++step) {
      for (int item = 0; item < 2 && first == 0; ++item)
        first = dfsWriteItemTimeStep(header, file, values.data(), step);
    }
    const int code = dfsFileClose(header, &file);
    if (first == 0) first = code;
  }
  EXPECT_NE(first, 0) << "nothing written to a full device may pass for a success";
  struct stat linkInfo;
  EXPECT_EQ(::lstat(link.c_str(), &linkInfo), 0) << "a failed create removed what it did not make";
  ::unlink(link.c_str());
}

// After a write failed, whatever the caller does with the handle reports a
// code: more steps, a flush, the close. The close lets the handle go all the
// same (the sanitizer build checks that nothing leaks).
namespace {

void expectEveryLaterCallFails(LPHEAD header, kfsHandle* file, const std::string& where) {
  std::vector<float> values(static_cast<size_t>(dfsGetItemElements(dfsItemD(header, 1))), 2.0f);
  for (int more = 0; more < 3; ++more)
    EXPECT_NE(dfsWriteItemTimeStep(header, *file, values.data(), 9.0), 0) << where;
  EXPECT_NE(dfsFileFlush(header, *file), 0) << where << ": a flush after lost data succeeded";
  EXPECT_NE(dfsFileClose(header, file), 0) << where << ": a close after lost data succeeded";
  EXPECT_EQ(*file, nullptr) << where << ": the close kept a handle nothing can repair";
}

}  // namespace

TEST(WriteFaults, AfterAFailingDrainEveryCallOnTheHandleFailsAndTheCloseReleasesIt) {
  dfstest::loadUnits();
  dfstest::ErrorRecorder errors;
  int code = -1;
  WriteWithFailingDrain(0, &code);
  const int calls = g_drainCalls;
  for (int failing = 1; failing <= calls; ++failing) {
    g_drained.clear();
    g_drainCalls = 0;
    g_failingCall = failing;
    LPHEAD header = dfstest::twoItemHeader();
    const dfstest::HeaderGuard headerGuard(header);
    kfsHandle file = nullptr;
    const dfstest::KfsFileGuard fileGuard(file);
    if (dfsStreamCreate(g_buffer, sizeof g_buffer, FailingDrain, header, &file) != 0) {
      EXPECT_EQ(file, nullptr);
      continue;
    }
    int s = 0;
    for (int step = 0; step < 3 && s == 0; ++step) s = faulttest::writeSteps(header, file, step, 1);
    if (s == 0) continue;  // the failing drain comes with the close, checked above
    expectEveryLaterCallFails(header, &file, "drain " + std::to_string(failing));
  }
}

// A disk that fills up under a running writer: the process's file size
// limit stops the file at chosen sizes. Records larger than the write
// buffer go straight to the file, so the failing write is a step's. The
// file keeps what the last flush announced, and a reader gets either those
// steps exactly or a code.
TEST(WriteFaults, AFileThatCannotGrowFailsEveryLaterCallAndKeepsWhatWasFlushed) {
  dfstest::loadUnits();
  const std::string path = dfstest::workPath("size_limit.dfs");
  for (const long long extra : {1LL, 5LL, 17LL, 4000LL, 80005LL, 100000LL, 240000LL}) {
    const std::string where = "limit +" + std::to_string(extra);
    LPHEAD header = dfstest::gridHeader(2, 200, 100);
    const dfstest::HeaderGuard headerGuard(header);
    kfsHandle file = nullptr;
    const dfstest::KfsFileGuard fileGuard(file);
    ASSERT_EQ(dfsFileCreate(path.c_str(), header, &file), 0);
    ASSERT_EQ(faulttest::writeSteps(header, file, 0, 2), 0);
    ASSERT_EQ(dfsUpdateHeader(header, 1, file), 0);  // a flush that is never put off
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    {
      dfstest::ErrorRecorder errors;
      const faulttest::FileSizeLimit limit(static_cast<long long>(info.st_size) + extra);
      int s = 0;
      for (int step = 2; step < 8 && s == 0; ++step)
        s = faulttest::writeSteps(header, file, step, 1);
      EXPECT_NE(s, 0) << where << ": six steps of 160 KB fit below the limit";
      expectEveryLaterCallFails(header, &file, where);
    }
    faulttest::expectFileHolds(path, 2);
    ::unlink(path.c_str());
  }
}
