// Data-file lifecycle: open, create (disk and memory stream), append, edit
// in place, flush, close and its retry, delete, the section search and the
// encode keys stored as static items.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

using dfstest::ErrorRecorder;
using dfstest::kSecond;

// Time steps of the two-item test header written straight through the
// container, as the time-step writer lays them out (the tests of this
// file need whole steps, not that writer).
void writeRawSteps(LPHEAD h, kfsHandle f, int steps) {
  if (dfs::position(f) < 3) {
    ASSERT_EQ(kfsLblockWrite(50000, f, nullptr), 0u);
    dfs::setPosition(f, 3);
  }
  std::vector<float> values(10, 1.5f);
  for (int s = 0; s < steps; ++s) {
    ASSERT_EQ(kfsLblockWrite(50001, f, nullptr), 0u);
    for (int item = 0; item < h->nItems; ++item)
      ASSERT_EQ(kfsLrecWrite(f, kfsTypeFloat, 10, values.data()), 0u);
    ++h->stepCounter;
    if (h->stepCounter > h->time.nSteps) h->time.nSteps = h->stepCounter;
  }
}

int countTag(const std::string& path, int tag) {
  const std::vector<int> tags = dfstest::blockSequence(path);
  return static_cast<int>(std::count(tags.begin(), tags.end(), tag));
}

long long fileSize(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

class Lifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    dfstest::loadUnits();
    header = dfstest::twoItemHeader();
  }
  void TearDown() override { dfsHeaderDestroy(&header); }

  std::string create(const std::string& name, int steps = 0) {
    const std::string path = dfstest::workPath(name);
    kfsHandle f = nullptr;
    const dfstest::KfsFileGuard fGuard(f);
    EXPECT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
    if (!f) return path;
    writeRawSteps(header, f, steps);
    EXPECT_EQ(dfsFileClose(header, &f), 0);
    EXPECT_EQ(f, nullptr);
    // The raw steps leave the statistics aside.
    dfstest::expectDfsdumpAccepts(path, "--no-statistics");
    return path;
  }

  LPHEAD header = nullptr;
};

TEST_F(Lifecycle, ReadingAMissingOrEmptyPathGives2003) {
  ErrorRecorder errors;
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  EXPECT_EQ(dfsFileRead(dfstest::workPath("no such file.dfs").c_str(), &h, &f), 2003);
  EXPECT_EQ(dfsFileRead("", &h, &f), 2003);
  EXPECT_EQ(dfsFileRead(nullptr, &h, &f), 2003);
  EXPECT_EQ(dfsFileRead(KORACORE_TEST_WORK_DIR, &h, &f), 2003);  // a folder
  EXPECT_EQ(h, nullptr);
  EXPECT_EQ(f, nullptr);
  EXPECT_TRUE(errors.saw(2003));
  EXPECT_EQ(dfsFileCreate("", header, &f), 2002);
}

TEST_F(Lifecycle, AFileOfAnotherInterfaceIsRefused) {
  const std::string path = dfstest::workPath("other.kfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &f, nullptr, 0), 0u);
  kfsFileClose(&f);
  LPHEAD h = nullptr;
  EXPECT_EQ(dfsFileRead(path.c_str(), &h, &f), 2017);
  EXPECT_EQ(f, nullptr);
}

// A handle the container opened on its own has no data-file state until a
// data-file function needs one; it then behaves as a handle of dfsFileCreate,
// and closing it through the container releases that state.
TEST_F(Lifecycle, AContainerHandleGainsDataFileStateWhenFirstUsed) {
  const std::string path = dfstest::workPath("container-opened.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), "raw", &f, dfsAPIid, 0), 0u);
  EXPECT_EQ(dfs::position(f), dfs::eUnpositioned);
  ASSERT_EQ(dfsWriteHeader(header, f), 0);
  const std::vector<float> values(10, 2.5f);
  for (int item = 0; item < header->nItems; ++item)
    ASSERT_EQ(dfsWriteItemTimeStep(header, f, values.data(), 0.0), 0);
  EXPECT_EQ(dfs::position(f), dfs::eInDynamic);
  EXPECT_EQ(kfsFileClose(&f), 0u);

  const std::vector<int> tags = dfstest::blockSequence(path);
  EXPECT_EQ(std::count(tags.begin(), tags.end(), 50000), 1);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  std::vector<float> read(10, 0.0f);
  double time = -1.0;
  EXPECT_EQ(dfsFindTimeStep(h, f, 0), 0);
  EXPECT_EQ(dfsReadItemTimeStep(h, f, &time, read.data()), 0);
  EXPECT_EQ(read, values);
  dfsFileClose(h, &f);
}

TEST_F(Lifecycle, CreatingInAMissingFolderCreatesIt) {
  const std::string path = dfstest::workPath("new/folder/deep/run.dfs");
  std::remove(path.c_str());
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  EXPECT_EQ(h->time.nSteps, 0);
  EXPECT_EQ(dfs::position(f), 1);
  dfsFileClose(h, &f);
}

TEST_F(Lifecycle, LongPathsAreHandledWithoutFixedBuffers) {
  std::string path = dfstest::workPath("");
  for (int i = 0; i < 4; ++i) path += std::string(120, static_cast<char>('a' + i)) + "/";
  ASSERT_EQ(std::system(("mkdir -p '" + path + "'").c_str()), 0);
  path += std::string(200, 'f') + ".dfs";
  ASSERT_GT(path.size(), 600u);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  EXPECT_STREQ(kfsGetFilename(f), path.c_str());
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(dfsFileDelete(path.c_str()), 0);
}

TEST_F(Lifecycle, AppendContinuesTheSeries) {
  const std::string path = create("append.dfs", 10);
  ASSERT_EQ(countTag(path, 50001), 10);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileAppend(path.c_str(), &h, &f), 0);
  EXPECT_EQ(h->stepCounter, 10);
  EXPECT_EQ(h->itemCounter, 0);
  EXPECT_EQ(dfs::position(f), 3);
  writeRawSteps(h, f, 1);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);

  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  EXPECT_EQ(h->time.nSteps, 11);
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(countTag(path, 50001), 11);
  EXPECT_EQ(countTag(path, 50000), 1);
  dfstest::expectDfsdumpAccepts(path, "--no-statistics");
}

// A header can count at most INT_MAX steps: appending to a file that
// already says so must refuse the next step and leave the file as it was,
// rather than let the count run over.
TEST_F(Lifecycle, AppendToAFileCountingTheMostStepsRefusesAnother) {
  const std::string path = create("full-count.dfs", 1);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileEdit(path.c_str(), &h, &f), 0);
  ASSERT_EQ(dfsSetNumberOfTimeSteps(h, std::numeric_limits<int>::max()), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  const long long size = fileSize(path);

  ASSERT_EQ(dfsFileAppend(path.c_str(), &h, &f), 0);
  std::vector<float> values(10, 2.5f);
  ErrorRecorder errors;
  EXPECT_EQ(dfsWriteItemTimeStep(h, f, values.data(), 0.0), kfsErrTimeStep);
  EXPECT_EQ(dfsWriteItemTimeStep(h, f, values.data(), 0.0), kfsErrTimeStep);
  EXPECT_EQ(h->time.nSteps, std::numeric_limits<int>::max());
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(fileSize(path), size);
  EXPECT_EQ(countTag(path, 50001), 1);
}

TEST_F(Lifecycle, EditRewritesInPlaceWithoutChangingTheFileSize) {
  dfsSetGeoInfoUTMProj(header, "UTM-32", 9.0, 0.0, 0.0);
  const std::string path = create("edit.dfs", 3);
  const long long size = fileSize(path);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileEdit(path.c_str(), &h, &f), 0);
  dfsSetFileTitle(h, "Two");                             // shorter: padded
  dfsSetAppTitle(h, "a much longer application title");  // longer: cut
  dfsSetDeleteValFloat(h, -1.0f);
  ASSERT_EQ(dfsUpdateGeoInfoUTMProj(h, "UTM-1", 1.0, 2.0, 3.0), 0);
  ASSERT_EQ(
      dfsUpdateItemInfo(h, dfsItemD(h, 2), dfstest::kAnyItem, "Dep", dfstest::unitId("meter")), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(fileSize(path), size);

  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  EXPECT_STREQ(dfsGetFileTitle(h), "Two      ");
  EXPECT_STREQ(dfsGetAppTitle(h), "a much lo");
  EXPECT_EQ(dfsGetDeleteValFloat(h), -1.0f);
  const char* proj = nullptr;
  double lat = 0;
  dfsGetGeoInfoUTMProj(h, &proj, nullptr, &lat, nullptr);
  EXPECT_STREQ(proj, "UTM-1 ");
  EXPECT_EQ(lat, 2.0);
  EXPECT_STREQ(dfsItemD(h, 2)->name, "Dep  ");
  EXPECT_EQ(h->time.nSteps, 3);
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(countTag(path, 50001), 3);
  dfstest::expectDfsdumpAccepts(path, "--no-statistics");
}

// A projection set longer than the stored one would be cut to an unreadable
// well-known text; the close refuses it, keeps the file open with everything
// else up to date, and closes once the caller has fitted the text.
TEST_F(Lifecycle, CloseRefusesAProjectionLongerThanTheStoredOne) {
  dfsSetGeoInfoUTMProj(header, "PROJCS[\"UTM 32\"]", 9.0, 0.0, 0.0);
  const std::string path = dfstest::workPath("longer_projection.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  writeRawSteps(header, f, 2);
  dfsSetGeoInfoUTMProj(header, "PROJCS[\"WGS 84 / UTM zone 32N\"]", 9.5, 1.0, 0.0);
  EXPECT_EQ(dfsFileClose(header, &f), 2010);
  ASSERT_NE(f, nullptr);

  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle r = nullptr;
  const dfstest::KfsFileGuard rGuard(r);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &r), 0);
  const char* proj = nullptr;
  double lon = 0;
  dfsGetGeoInfoUTMProj(h, &proj, &lon, nullptr, nullptr);
  EXPECT_STREQ(proj, "PROJCS[\"UTM 32\"]");
  EXPECT_EQ(lon, 9.5);
  EXPECT_EQ(h->time.nSteps, 2);
  dfsFileClose(h, &r);
  dfsHeaderDestroy(&h);

  dfsSetGeoInfoUTMProj(header, "PROJCS[\"UTM\"]", 9.5, 1.0, 0.0);
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  EXPECT_EQ(f, nullptr);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &r), 0);
  dfsGetGeoInfoUTMProj(h, &proj, nullptr, nullptr, nullptr);
  EXPECT_STREQ(proj, "PROJCS[\"UTM\"]   ");
  dfsFileClose(h, &r);
  dfsHeaderDestroy(&h);
  dfstest::expectDfsdumpAccepts(path, "--no-statistics");
}

TEST_F(Lifecycle, UpdateIsThrottledUnlessForced) {
  const std::string path = dfstest::workPath("throttle.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  writeRawSteps(header, f, 4);
  kfsFileFlush(f);
  const std::vector<unsigned char> before = dfstest::readBytes(path);
  // Less than a second of processor time since the file was created.
  ASSERT_EQ(dfsUpdateHeader(header, 0, f), 0);
  EXPECT_EQ(dfstest::readBytes(path), before);
  ASSERT_EQ(dfsUpdateHeader(header, 1, f), 0);
  const std::vector<unsigned char> after = dfstest::readBytes(path);
  EXPECT_EQ(after.size(), before.size());
  EXPECT_NE(after, before);
  // The writer goes on where it was.
  writeRawSteps(header, f, 1);
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  EXPECT_EQ(h->time.nSteps, 5);
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(countTag(path, 50001), 5);
}

TEST_F(Lifecycle, FlushBringsTheStepCountToDisk) {
  const std::string path = dfstest::workPath("flush.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  writeRawSteps(header, f, 1);
  ASSERT_EQ(dfsFileFlush(header, f), 0);  // fewer than two steps: forced
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle r = nullptr;
  const dfstest::KfsFileGuard rGuard(r);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &r), 0);
  EXPECT_EQ(h->time.nSteps, 1);
  dfsFileClose(h, &r);
  dfsHeaderDestroy(&h);
  header->time.nSteps = 7;
  ASSERT_EQ(dfsFileFlushTimeStep(header, f), 0);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &r), 0);
  EXPECT_EQ(h->time.nSteps, 7);
  dfsFileClose(h, &r);
  dfsHeaderDestroy(&h);
  header->time.nSteps = 1;
  ASSERT_EQ(dfsFileClose(header, &f), 0);
}

TEST_F(Lifecycle, CloseThatCannotUpdateKeepsTheFileOpenAndCanBeRetried) {
  ErrorRecorder errors;
  const std::string path = dfstest::workPath("retry.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  writeRawSteps(header, f, 2);
  header->statsType = 9;  // the update refuses this header
  EXPECT_EQ(dfsFileClose(header, &f), 2010);
  ASSERT_NE(f, nullptr);
  header->statsType = F_NO_STAT;
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  EXPECT_EQ(f, nullptr);
  EXPECT_EQ(dfsFileClose(header, &f), 0);  // already closed
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  EXPECT_EQ(h->time.nSteps, 2);
  dfsFileClose(h, &f);
}

TEST_F(Lifecycle, FindBlockForStaticDataInAFileWithoutItStopsAtTheFirstStep) {
  const std::string path = create("find.dfs", 2);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  EXPECT_EQ(dfsFindBlock(f, 40000), 0);
  EXPECT_EQ(dfs::position(f), 3);
  unsigned int id = 0;
  EXPECT_EQ(kfsQuery(f, &id), kfsTypeBlock);
  EXPECT_EQ(id, 50001u);
  // Searching for the dynamic data from inside it rewinds first.
  kfsLblockSkip(f);
  EXPECT_EQ(dfsFindBlock(f, 50000), 0);
  EXPECT_EQ(dfs::position(f), 3);
  EXPECT_EQ(kfsQuery(f, &id), kfsTypeBlock);
  EXPECT_EQ(id, 50001u);
  // A tag in the header.
  EXPECT_EQ(dfsFindBlock(f, 40000), 0);
  kfsRewind(f);
  dfs::setPosition(f, 1);
  EXPECT_EQ(dfsFindBlock(f, 30001), 0);
  EXPECT_EQ(dfs::position(f), 1);
  EXPECT_EQ(kfsQuery(f, &id), kfsTypeBlock);
  EXPECT_EQ(id, 30005u);
  dfsFileClose(h, &f);
}

// A create that cannot write removes what it left behind, but only a file it
// made: a device, pipe or link the caller named was there before. The full
// device is reached through a link in the test's own folder, so that a
// create which removed too much removes the link, not the machine's device.
TEST_F(Lifecycle, AFailedCreateOnAFullDeviceRemovesNothingItDidNotMake) {
  const std::string link = dfstest::workPath("full_device.dfs");
  ::unlink(link.c_str());
  ASSERT_EQ(::symlink("/dev/full", link.c_str()), 0);
  LPHEAD header = dfstest::twoItemHeader();
  const dfstest::HeaderGuard headerGuard(header);
  kfsHandle file = nullptr;
  const dfstest::KfsFileGuard fileGuard(file);
  int first = dfsFileCreate(link.c_str(), header, &file);
  std::vector<float> values(10, 1.0f);
  for (int step = 0; step < 200 && first == 0; ++step) {
    for (int item = 0; item < 2 && first == 0; ++item)
      first = dfsWriteItemTimeStep(header, file, values.data(), step);
  }
  if (file != nullptr) {
    const int code = dfsFileClose(header, &file);
    if (first == 0) first = code;
  }
  EXPECT_NE(first, 0) << "nothing written to a full device may pass for a success";
  struct stat linkInfo;
  EXPECT_EQ(::lstat(link.c_str(), &linkInfo), 0) << "a failed create removed what it did not make";
  ::unlink(link.c_str());
}

TEST_F(Lifecycle, DeleteRemovesExistingFilesOnly) {
  ErrorRecorder errors;
  const std::string path = create("delete.dfs");
  EXPECT_EQ(dfsFileDelete(path.c_str()), 0);
  EXPECT_EQ(fileSize(path), -1);
  EXPECT_EQ(dfsFileDelete(path.c_str()), 1000);
  EXPECT_EQ(dfsFileDelete(""), 1000);
  EXPECT_EQ(PathIsDirectory("/"), 0);
  EXPECT_EQ(dfsEnablePlugin(), 0);
  EXPECT_EQ(dfsUnloadPlugin(), 0);
}

// ---- Memory streams ------------------------------------------------------

std::vector<unsigned char> g_drained;
unsigned char g_buffer[64];
int g_drains = 0;
size_t drain(size_t filled) {
  ++g_drains;
  g_drained.insert(g_drained.end(), g_buffer, g_buffer + filled);
  return filled;
}

std::vector<unsigned char> g_source;
size_t g_read = 0;
unsigned char g_inBuffer[50];
size_t refill() {
  const size_t n = std::min(sizeof g_inBuffer, g_source.size() - g_read);
  std::memcpy(g_inBuffer, g_source.data() + g_read, n);
  g_read += n;
  return n;
}

TEST_F(Lifecycle, MemoryStreamsWriteAndReadAndRefuseInPlaceUpdates) {
  ErrorRecorder errors;
  g_drained.clear();
  g_drains = 0;
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsStreamCreate(g_buffer, sizeof g_buffer, drain, header, &f), 0);
  const int drainsBefore = g_drains;
  const std::vector<unsigned char> drainedBefore = g_drained;
  EXPECT_EQ(dfsUpdateHeader(header, 1, f), 2005);
  EXPECT_EQ(dfsUpdateHeader(header, 0, f), 2005);
  EXPECT_EQ(g_drains, drainsBefore);
  EXPECT_EQ(g_drained, drainedBefore);
  writeRawSteps(header, f, 2);
  ASSERT_EQ(dfsFileClose(header, &f), 0);  // no in-place update for streams

  g_source = g_drained;
  g_read = 0;
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsStreamRead(g_inBuffer, sizeof g_inBuffer, refill, &h, &f), 0);
  EXPECT_STREQ(dfsGetFileTitle(h), "Two items");
  EXPECT_EQ(dfsGetNoOfItems(h), 2);
  EXPECT_EQ(dfsUpdateHeader(h, 1, f), 2015);  // read-only
  dfsFileClose(h, &f);
}

// ---- Encode keys ---------------------------------------------------------

TEST(EncodeKeys, AreStoredAsStaticItemsAndStatisticsFollowTheirLength) {
  dfstest::loadUnits();
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT);
  const dfstest::HeaderGuard hGuard(h);
  const int x[4] = {0, 2, 4, 6}, y[4] = {0, 0, 0, 0};
  ASSERT_EQ(dfsSetEncodeKey(h, x, y, nullptr, 4), 0);
  dfsItemEnableCompression(h);
  const std::string path = dfstest::workPath("encoded.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  EXPECT_EQ(dfsItemD(h, 1)->nStats, 36);
  const std::vector<int> tags = dfstest::blockSequence(path);
  EXPECT_EQ(countTag(path, 40000), 1);
  EXPECT_EQ(countTag(path, 40001), 2);  // the absent z key is not written

  LPHEAD r = nullptr;
  const dfstest::HeaderGuard rGuard(r);
  ASSERT_EQ(dfsFileRead(path.c_str(), &r, &f), 0);
  EXPECT_EQ(dfsIsFileCompressed(r), 1);
  EXPECT_EQ(dfsGetEncodeKeySize(r), 4);
  int gx[4] = {}, gy[4] = {-1, -1, -1, -1};
  dfsGetEncodeKey(r, gx, gy, nullptr);
  EXPECT_EQ(gx[3], 6);
  EXPECT_EQ(gy[3], 0);
  EXPECT_EQ(r->dfsEncode.zkey, nullptr);
  EXPECT_EQ(dfsGetUsedItemElements(dfsItemD(r, 1)), 4);
  EXPECT_EQ(dfsItemD(r, 1)->nStats, 36);
  EXPECT_EQ(dfs::position(f), 2);
  dfsFileClose(r, &f);
}

// Shortens the stored key of `name` to three values: its axis size and its
// values record, so that the key itself stays well formed.
void shortenKey(std::vector<unsigned char>& bytes, const std::string& name) {
  const auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
  ASSERT_NE(at, bytes.end()) << name;
  const unsigned char axis[3] = {0xFE, 31052 & 0xff, 31052 >> 8};
  const unsigned char values[3] = {0xFE, 40001 & 0xff, 40001 >> 8};
  auto a = std::search(at, bytes.end(), axis, axis + 3);
  ASSERT_NE(a, bytes.end());
  ASSERT_EQ(a[3], kfsTypeInt4);
  a[3 + 5 + 4] = 3;  // the second integer of (unit, size)
  auto v = std::search(at, bytes.end(), values, values + 3);
  ASSERT_NE(v, bytes.end());
  ASSERT_EQ(v[3], kfsTypeInt4);
  ASSERT_EQ(v[4], 4);
  v[4] = 3;
  bytes.erase(v + 8 + 12, v + 8 + 16);
}

TEST(EncodeKeys, KeysOfDifferentLengthsOrStatisticsOfTheWrongLengthAreRefused) {
  dfstest::loadUnits();
  ErrorRecorder errors;
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT);
  const dfstest::HeaderGuard hGuard(h);
  const int x[4] = {0, 1, 2, 3};
  ASSERT_EQ(dfsSetEncodeKey(h, x, x, nullptr, 4), 0);
  const std::string path = dfstest::workPath("badkeys.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  const std::vector<unsigned char> bytes = dfstest::readBytes(path);

  // A y key of 3 values beside an x key of 4.
  std::vector<unsigned char> copy = bytes;
  shortenKey(copy, "Y-Encoding Key");
  dfstest::writeBytes(path, copy);
  LPHEAD r = nullptr;
  const dfstest::HeaderGuard rGuard(r);
  errors.codes().clear();
  EXPECT_EQ(dfsFileRead(path.c_str(), &r, &f), 2013);
  EXPECT_EQ(r, nullptr);
  EXPECT_EQ(f, nullptr);

  // Both keys of 3 values: well-formed keys, but the statistics of the
  // header were kept for 4 used elements.
  copy = bytes;
  shortenKey(copy, "X-Encoding Key");
  shortenKey(copy, "Y-Encoding Key");
  dfstest::writeBytes(path, copy);
  EXPECT_EQ(dfsFileRead(path.c_str(), &r, &f), 2013);
  EXPECT_EQ(r, nullptr);
  EXPECT_EQ(f, nullptr);

  // The same keys in a file without per-element statistics read well.
  h = dfstest::twoItemHeader(F_NO_STAT);
  ASSERT_EQ(dfsSetEncodeKey(h, x, x, nullptr, 4), 0);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  copy = dfstest::readBytes(path);
  shortenKey(copy, "X-Encoding Key");
  shortenKey(copy, "Y-Encoding Key");
  dfstest::writeBytes(path, copy);
  ASSERT_EQ(dfsFileRead(path.c_str(), &r, &f), 0);
  EXPECT_EQ(dfsGetEncodeKeySize(r), 3);
  dfsFileClose(r, &f);
}

}  // namespace
