// Series of single values moved item by item: the records of a long series
// cross the container's buffer many times, the bytes are those of the
// layout, the values come back exactly, whatever the caller did with the
// handle in between; a record other than the one expected is named, a file
// of the other byte order reads the same values, and positioning before an
// item moves over exactly the records in front of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

constexpr int kSteps = 6000;
// Items of a gauge file: floats and a double, one value each.
const int kTypes[3] = {kfsTypeFloat, kfsTypeDouble, kfsTypeFloat};

double valueAt(int step, int item) { return step * 0.001 + item * 1000.0 + 0.1; }

LPHEAD gaugeHeader() {
  LPHEAD h = nullptr;
  EXPECT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Gauges", "tests", 1, 3, F_NO_STAT, &h),
            0);
  EXPECT_EQ(dfsSetEqCalendarAxis(h, "2024-03-01", "00:00:00", dfstest::kSecond, 0, 0.0, 60.0), 0);
  for (int n = 1; n <= 3; ++n)
    EXPECT_EQ(dfsSetItemInfo(h, dfsItemD(h, n), dfstest::kAnyItem, "Gauge",
                             dfstest::unitId("meter"), kTypes[n - 1]),
              0);
  return h;
}

void appendValue(std::vector<unsigned char>* bytes, int type, int step, int item) {
  const double d = valueAt(step, item);
  const float v = static_cast<float>(d);
  const auto* p = reinterpret_cast<const unsigned char*>(
      type == kfsTypeFloat ? static_cast<const void*>(&v) : static_cast<const void*>(&d));
  bytes->insert(bytes->end(), p, p + (type == kfsTypeFloat ? 4 : 8));
}

// The steps as the layout has them: an empty tag block, then per item a
// record of one value.
std::vector<unsigned char> expectedSteps() {
  std::vector<unsigned char> bytes;
  for (int s = 0; s < kSteps; ++s) {
    bytes.insert(bytes.end(), {0xFE, 0x51, 0xC3, 0xFF});
    for (int n = 0; n < 3; ++n) {
      bytes.insert(bytes.end(), {static_cast<unsigned char>(kTypes[n]), 1, 0, 0, 0});
      appendValue(&bytes, kTypes[n], s, n);
    }
  }
  return bytes;
}

std::string writeGauges(const std::string& name) {
  LPHEAD h = gaugeHeader();
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = dfstest::workPath(name);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  EXPECT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  for (int s = 0; s < kSteps; ++s)
    for (int n = 0; n < 3; ++n) {
      const double d = valueAt(s, n);
      const float v = static_cast<float>(d);
      const void* value = kTypes[n] == kfsTypeFloat ? static_cast<const void*>(&v) : &d;
      EXPECT_EQ(dfsWriteItemTimeStep(h, f, value, 0.0), 0);
    }
  EXPECT_EQ(dfsFileClose(h, &f), 0);
  return path;
}

// Reads every item of every step; `meddle` is called before each read with
// the handle, the step and the item. Returns the first failure (0: none) and
// the step and item it came at.
template <typename Meddle>
int readGauges(const std::string& path, Meddle meddle, int* failedStep = nullptr) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  EXPECT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  if (!f) return -1;
  for (int s = 0; s < kSteps; ++s)
    for (int n = 0; n < 3; ++n) {
      meddle(f, s, n);
      double time = -1.0;
      double d = 0.0;
      float v = 0.0f;
      void* value = kTypes[n] == kfsTypeFloat ? static_cast<void*>(&v) : &d;
      if (int status = dfsReadItemTimeStep(h, f, &time, value)) {
        if (failedStep) *failedStep = s * 3 + n;
        return status;
      }
      const double expected = valueAt(s, n);
      if (kTypes[n] == kfsTypeFloat)
        EXPECT_EQ(v, static_cast<float>(expected)) << "step " << s << " item " << n;
      else
        EXPECT_EQ(d, expected) << "step " << s << " item " << n;
      EXPECT_EQ(time, s);
    }
  return 0;
}

void noMeddling(kfsHandle, int, int) {}

// Where the steps begin in a file of the layout above.
size_t stepsOffset(const std::vector<unsigned char>& file, size_t stepBytes) {
  return file.size() >= stepBytes ? file.size() - stepBytes : 0;
}

class ItemByItem : public ::testing::Test {
 protected:
  void SetUp() override { dfstest::loadUnits(); }
};

TEST_F(ItemByItem, ALongSeriesKeepsTheLayoutsBytesAndItsValues) {
  const std::string path = writeGauges("gauges.dfs");
  dfstest::expectDfsdumpAccepts(path);
  const std::vector<unsigned char> file = dfstest::readBytes(path);
  const std::vector<unsigned char> steps = expectedSteps();
  ASSERT_GT(steps.size(), size_t(3) << 16);  // crosses the container's buffer
  const size_t at = stepsOffset(file, steps.size());
  EXPECT_TRUE(std::equal(steps.begin(), steps.end(), file.begin() + static_cast<long>(at)));
  EXPECT_EQ(readGauges(path, noMeddling), 0);
}

// A caller may look at the next record itself with the container's query
// between the items it reads.
TEST_F(ItemByItem, ACallerLookingAheadOnItsOwnReadsTheRightValues) {
  const std::string path = writeGauges("gauges_peeked.dfs");
  EXPECT_EQ(readGauges(path,
                       [](kfsHandle f, int s, int n) {
                         if (s == 0 || (s + n) % 7 != 0) return;
                         unsigned int count = 0;
                         // The first item of a step stands behind the step's tag.
                         EXPECT_EQ(kfsQuery(f, &count), n == 0 ? kfsTypeBlock : kTypes[n]);
                         EXPECT_EQ(count, n == 0 ? 50001u : 1u);
                       }),
            0);
}

// The record of item 2 in step 3001 says two values, or integers: the read
// of exactly that item fails with the cause, after every value before it
// came back right.
TEST_F(ItemByItem, ARecordOtherThanTheOneExpectedIsNamed) {
  const std::string path = writeGauges("gauges_damaged.dfs");
  const std::vector<unsigned char> file = dfstest::readBytes(path);
  const size_t stepBytes = 4 + 9 + 13 + 9;
  const size_t record = stepsOffset(file, kSteps * stepBytes) + 3001 * stepBytes + 4 + 9;
  ASSERT_EQ(file[record], kfsTypeDouble);
  struct Damage {
    size_t offset;
    unsigned char byte;
    int status;
  };
  for (const Damage& damage :
       {Damage{record + 1, 2, kfsErrCount},
        Damage{record, static_cast<unsigned char>(kfsTypeInt4), kfsErrType}}) {
    std::vector<unsigned char> bad = file;
    bad[damage.offset] = damage.byte;
    const std::string badPath = dfstest::workPath("gauges_bad.dfs");
    dfstest::writeBytes(badPath, bad);
    int failedAt = -1;
    EXPECT_EQ(readGauges(badPath, noMeddling, &failedAt), damage.status);
    EXPECT_EQ(failedAt, 3001 * 3 + 1);
  }
}

void reverse(std::vector<unsigned char>* b, size_t at, size_t n) {
  std::reverse(b->begin() + static_cast<long>(at), b->begin() + static_cast<long>(at + n));
}

// The same file as a writer of the other byte order makes it: the numbers
// of the container header, then every block id, record count and value.
std::vector<unsigned char> otherByteOrder(std::vector<unsigned char> b) {
  static const size_t kSizes[8] = {0, 4, 8, 1, 4, 4, 2, 2};
  reverse(&b, 0, 4);
  reverse(&b, 4, 4);
  size_t p = 8;
  while (b[p] != 0x1A) ++p;
  ++p;
  const size_t fields[] = {2, 2, 2, 2, 2, 2, 4, 4, 2, 2, 2, 2, 2, 2, 4, 4, 4, 4};
  for (size_t n : fields) reverse(&b, p, n), p += n;
  while (p < b.size()) {
    const unsigned char code = b[p];
    if (code == 0xFE) {
      reverse(&b, p + 1, 2);
      p += 3;
    } else if (code == 0xFF) {
      p += 1;
    } else {
      unsigned int count = 0;
      std::memcpy(&count, &b[p + 1], 4);
      reverse(&b, p + 1, 4);
      p += 5;
      for (unsigned int i = 0; i < count; ++i, p += kSizes[code]) reverse(&b, p, kSizes[code]);
    }
  }
  return b;
}

TEST_F(ItemByItem, AFileOfTheOtherByteOrderReadsTheSameValues) {
  const std::string path = writeGauges("gauges_native.dfs");
  const std::string swapped = dfstest::workPath("gauges_swapped.dfs");
  dfstest::writeBytes(swapped, otherByteOrder(dfstest::readBytes(path)));
  EXPECT_EQ(readGauges(swapped, noMeddling), 0);
}

}  // namespace

namespace {

// Positioning before an item adds up the records of the float and double
// items in front of it; a step skipped from its middle ends at the next tag.
TEST_F(ItemByItem, FindingAnItemMovesOverItsNeighboursExactly) {
  const std::string path = writeGauges("gauges_find.dfs");
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  for (int s : {0, 1, 2, 9, 777, 778, 4000, kSteps - 1})
    for (int n = 3; n >= 1; --n) {
      ASSERT_EQ(dfsFindItemDynamic(h, f, s, n), 0) << s << " " << n;
      double d = 0.0;
      float v = 0.0f;
      void* value = kTypes[n - 1] == kfsTypeFloat ? static_cast<void*>(&v) : &d;
      ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, value), 0);
      const double expected = valueAt(s, n - 1);
      if (kTypes[n - 1] == kfsTypeFloat)
        EXPECT_EQ(v, static_cast<float>(expected)) << "step " << s << " item " << n;
      else
        EXPECT_EQ(d, expected) << "step " << s << " item " << n;
    }
  // Item 2 of step 12 read, the rest of the step skipped: step 13 follows.
  ASSERT_EQ(dfsFindItemDynamic(h, f, 12, 2), 0);
  double d = 0.0;
  ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, &d), 0);
  ASSERT_EQ(dfsSkipTimeStep(h, f), 0);
  float v = 0.0f;
  double time = 0.0;
  ASSERT_EQ(dfsReadItemTimeStep(h, f, &time, &v), 0);
  EXPECT_EQ(time, 13.0);
  EXPECT_EQ(v, static_cast<float>(valueAt(13, 0)));
}

}  // namespace
