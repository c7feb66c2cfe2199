// Damaged data files: cut at every byte, or with a record count or tag
// changed in the dynamic data. Every read that meets the damage must give
// an error code, and nothing may land outside the caller's arrays.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

constexpr int kSteps = 3;
constexpr int kElements = 10;
constexpr float kGuard = 12345.f;

// A small file of every section: a compressed-free non-equidistant file with
// a static item and three steps of two items.
std::string sampleFile() {
  dfstest::loadUnits();
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = dfstest::workPath("damage_source.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  EXPECT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  LPITEM it = nullptr;
  const dfstest::StaticGuard itGuard(it);
  dfsStaticCreate(&it);
  dfsSetItemInfo(h, it, dfstest::kAnyItem, "Depth", 1000, kfsTypeFloat);
  dfsSetItemAxisEqD1(it, 1000, 4, 0.f, 1.f);
  const float depth[4] = {1, 2, 3, 4};
  EXPECT_EQ(dfsStaticWrite(it, f, depth), 0);
  dfsStaticDestroy(&it);
  std::vector<float> v(kElements);
  for (int s = 0; s < kSteps * 2; ++s) {
    for (int e = 0; e < kElements; ++e) v[static_cast<size_t>(e)] = static_cast<float>(s * 10 + e);
    EXPECT_EQ(dfsWriteItemTimeStep(h, f, v.data(), 60.0 * s), 0);
  }
  EXPECT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  return path;
}

// Reads everything the file announces into guarded arrays; the number of
// calls that failed (0 when the file read back whole).
int readEverything(const std::string& path) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  if (dfsFileRead(path.c_str(), &h, &f) != 0) return 1;
  int failures = 0;
  int status = 0;
  LPITEM it = dfsStaticRead(f, &status);
  const dfstest::StaticGuard itGuard(it);
  if (status != 0 || !it) ++failures;
  if (it) {
    std::vector<float> depth(4 + 4, kGuard);
    if (dfsStaticGetData(it, depth.data()) != 0) ++failures;
    for (size_t i = 4; i < depth.size(); ++i) EXPECT_EQ(depth[i], kGuard) << path;
    dfsStaticDestroy(&it);
  }
  std::vector<float> v(kElements + 8, kGuard);
  for (int s = 0; s < h->time.nSteps * h->nItems; ++s) {
    double time = 0;
    if (dfsReadItemTimeStep(h, f, &time, v.data()) != 0) {
      ++failures;
      break;
    }
  }
  for (size_t i = kElements; i < v.size(); ++i) EXPECT_EQ(v[i], kGuard) << path;
  if (h->time.nSteps < kSteps) ++failures;  // a step went missing with the header's say
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);
  return failures;
}

TEST(DamagedFiles, TheSampleReadsBackWhole) {
  const std::string path = sampleFile();
  dfstest::expectDfsdumpAccepts(path);
  EXPECT_EQ(readEverything(path), 0);
}

TEST(DamagedFiles, ACutAtAnyByteIsAnErrorOfTheReadThatMeetsIt) {
  const std::vector<unsigned char> bytes = dfstest::readBytes(sampleFile());
  const std::string cut = dfstest::workPath("damage_cut.dfs");
  for (size_t n = 0; n < bytes.size(); ++n) {
    dfstest::writeBytes(cut, std::vector<unsigned char>(bytes.begin(), bytes.begin() + n));
    EXPECT_GT(readEverything(cut), 0) << "cut at " << n << " of " << bytes.size();
  }
}

// Offsets of the data records of the dynamic section: type byte 1 followed
// by the count 10, behind the block 50000.
std::vector<size_t> dataRecords(const std::vector<unsigned char>& bytes) {
  const unsigned char dynamic[3] = {0xFE, 0x50, 0xC3};  // block 50000
  size_t start = 0;
  for (size_t i = 0; i + 3 <= bytes.size(); ++i)
    if (std::memcmp(&bytes[i], dynamic, 3) == 0) start = i;
  const unsigned char record[5] = {1, kElements, 0, 0, 0};
  std::vector<size_t> found;
  for (size_t i = start; i + 5 <= bytes.size(); ++i)
    if (std::memcmp(&bytes[i], record, 5) == 0) found.push_back(i);
  return found;
}

TEST(DamagedFiles, ACorruptedRecordCountOrTagIsAnError) {
  const std::vector<unsigned char> bytes = dfstest::readBytes(sampleFile());
  const std::vector<size_t> records = dataRecords(bytes);
  ASSERT_EQ(records.size(), static_cast<size_t>(kSteps * 2));
  const std::string broken = dfstest::workPath("damage_count.dfs");
  const unsigned int counts[] = {0, 1, 9, 11, 1000, 0x7FFFFFFF, 0xFFFFFFFF};
  for (size_t at : records) {
    for (unsigned int count : counts) {
      std::vector<unsigned char> b = bytes;
      std::memcpy(&b[at + 1], &count, 4);
      dfstest::writeBytes(broken, b);
      EXPECT_GT(readEverything(broken), 0) << "record at " << at << " count " << count;
    }
    for (unsigned char type : {0, 2, 3, 8, 0xFE, 0xFF}) {
      std::vector<unsigned char> b = bytes;
      b[at] = type;
      dfstest::writeBytes(broken, b);
      EXPECT_GT(readEverything(broken), 0) << "record at " << at << " type " << int(type);
    }
  }
  // A step tag of another id.
  std::vector<unsigned char> b = bytes;
  const unsigned char tag[3] = {0xFE, 0x51, 0xC3};  // block 50001
  size_t last = 0;
  for (size_t i = 0; i + 3 <= b.size(); ++i)
    if (std::memcmp(&b[i], tag, 3) == 0) last = i;
  ASSERT_GT(last, 0u);
  b[last + 1] = 0x52;
  dfstest::writeBytes(broken, b);
  EXPECT_GT(readEverything(broken), 0);
}

}  // namespace
