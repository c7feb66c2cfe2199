// Running out of memory inside the data-file library: every allocation of a
// writer and of a reader is made to fail in turn. The call that meets the
// failure answers 2000 (reported through the wrapper table), nothing leaks
// (the sanitizer build checks), a file whose creation failed is not left on
// disk, and the library works normally once memory is back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "alloc_support.h"
#include "files_support.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/xfs/xfs.h"
#include "qty/qty.h"
#include "scope_support.h"

namespace {

// Scope guards (see scope_support.h) for what a failed assertion would
// otherwise leave behind.
using FileGuard = koracoretest::ReleaseGuard<kfsHandle, &kfsFileClose>;
using HeaderGuard = koracoretest::ReleaseGuard<LPHEAD, &dfsHeaderDestroy>;
using StaticGuard = koracoretest::ReleaseGuard<LPITEM, &dfsStaticDestroy>;
using XsecGuard = koracoretest::ReleaseGuard<xfsStrucP, &xfsXsecFree>;
using TableGuard = koracoretest::ReleaseGuard<xfsTable, &xfsXsecTableFree>;

constexpr int kAnyItem = 999;
constexpr int kSteps = 2;
constexpr int kElements = 6;

int UnitId(const char* key) {
  int id = 0;
  qtyGetUnitTag(key, &id);
  return id;
}

// Two float items on 1-D axes; the first is handed in centimetres and
// stored in metres, so that writing and reading convert on a copy.
LPHEAD NewHeader() {
  LPHEAD h = nullptr;
  if (dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "alloc", "alloc", 1, 2, F_REG_STAT, &h)) {
    return nullptr;
  }
  const int meter = UnitId("meter");
  dfsSetEqTimeAxis(h, 1400, 0, 0.0, 60.0);
  for (int n = 1; n <= 2; ++n) {
    dfsSetItemInfo(h, dfsItemD(h, n), kAnyItem, n == 1 ? "Level" : "Depth", meter, kfsTypeFloat);
    dfsSetItemAxisEqD1(dfsItemD(h, n), meter, kElements, 0.0f, 1.0f);
  }
  dfsSetItemUnitConversion(dfsItemD(h, 1), 2, UnitId("centimeter"));
  return h;
}

bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// The last code the wrapper table received (0: none). A callback must not
// allocate here: it runs while allocations fail.
unsigned int g_reported = 0;
void Record(void*, kfsHandle, void*, unsigned int code, const char*, int) { g_reported = code; }

class KfsOutOfMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(qtySetupLoad(nullptr), 1);
    for (int s = 0; s < KFS_CALLBACK_SLOTS; ++s) FGetCallbacks()[s] = &Record;
  }
  void TearDown() override { FResetCallbacks(); }

  // The statuses of the calls of one run, kept without allocating: the
  // run itself must meet only the library's allocations.
  struct Statuses {
    int codes[16] = {};
    int count = 0;
    void Clear() { count = 0; }
    int Add(int status) { return codes[count++] = status; }
    // The first that is not 0; 0 when all succeeded.
    int FirstFailure() const {
      for (int i = 0; i < count; ++i)
        if (codes[i] != 0) return codes[i];
      return 0;
    }
  };

  std::vector<float> values_ = std::vector<float>(kElements, 150.0f);
};

TEST_F(KfsOutOfMemory, AWriterAnswers2000AndLeavesNoHalfCreatedFile) {
  const std::string path = koracoretest::workPath("out_of_memory/writer.dfs");
  LPHEAD h = NewHeader();
  kfsHandle f = nullptr;
  Statuses statuses;
  int create = 0;
  const long runs = alloctest::Sweep(
      [&] {
        statuses.Clear();
        create = statuses.Add(dfsFileCreate(path.c_str(), h, &f));
        for (int i = 0; i < 2 * kSteps && statuses.FirstFailure() == 0; ++i)
          statuses.Add(dfsWriteItemTimeStep(h, f, values_.data(), 0.0));
        if (statuses.FirstFailure() == 0) statuses.Add(dfsFileClose(h, &f));
      },
      [&](long n, bool failed) {
        const int first = statuses.FirstFailure();
        if (failed) {
          EXPECT_EQ(first, kfsErrMemory) << "allocation " << n;
          EXPECT_EQ(g_reported, 2000u) << "allocation " << n;
        } else {
          EXPECT_EQ(first, 0);
        }
        if (create != 0) {
          EXPECT_EQ(f, nullptr);
          EXPECT_FALSE(Exists(path)) << "a failed create left the file, allocation " << n;
        }
        if (f) FCloseFile(&f);
        dfsHeaderDestroy(&h);
        h = NewHeader();
        g_reported = 0;
        std::remove(path.c_str());
      });
  EXPECT_GT(runs, 0) << "the writer allocates nothing: the test tests nothing";
  dfsHeaderDestroy(&h);
}

TEST_F(KfsOutOfMemory, AReaderAnswers2000AndReadsOnceMemoryIsBack) {
  const std::string path = koracoretest::workPath("out_of_memory/reader.dfs");
  {
    LPHEAD w = NewHeader();
    const HeaderGuard wGuard(w);
    kfsHandle f = nullptr;
    const FileGuard fGuard(f);
    ASSERT_EQ(dfsFileCreate(path.c_str(), w, &f), 0);
    for (int i = 0; i < 2 * kSteps; ++i)
      ASSERT_EQ(dfsWriteItemTimeStep(w, f, values_.data(), 0.0), 0);
    ASSERT_EQ(dfsFileClose(w, &f), 0);
  }
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  Statuses statuses;
  std::vector<float> got(kElements);
  const int centimeter = UnitId("centimeter");
  const long runs = alloctest::Sweep(
      [&] {
        statuses.Clear();
        if (statuses.Add(dfsFileRead(path.c_str(), &h, &f)) == 0)
          statuses.Add(dfsSetItemUnitConversion(dfsItemD(h, 1), 2, centimeter));
        for (int i = 0; i < 2 * kSteps && statuses.FirstFailure() == 0; ++i)
          statuses.Add(dfsReadItemTimeStep(h, f, nullptr, got.data()));
        if (statuses.FirstFailure() == 0) statuses.Add(dfsFileClose(h, &f));
      },
      [&](long n, bool failed) {
        const int first = statuses.FirstFailure();
        EXPECT_EQ(first, failed ? kfsErrMemory : 0) << "allocation " << n;
        if (!failed) {
          EXPECT_FLOAT_EQ(got[0], 150.0f);
        }
        if (f) FCloseFile(&f);
        dfsHeaderDestroy(&h);
        g_reported = 0;
      });
  EXPECT_GT(runs, 0) << "the reader allocates nothing: the test tests nothing";
}

// A single-point file with a static item converted on the way: the static
// write and read and the series reader each meet every failure in turn.
TEST_F(KfsOutOfMemory, StaticItemsAndSeriesAnswer2000) {
  const std::string path = koracoretest::workPath("out_of_memory_series.dfs");
  const int meter = UnitId("meter");
  const int centimeter = UnitId("centimeter");
  LPHEAD h = nullptr;
  const HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "s", "s", 1, 1, F_NO_STAT, &h), 0);
  dfsSetEqTimeAxis(h, 1400, 0, 0.0, 60.0);
  dfsSetItemInfo(h, dfsItemD(h, 1), kAnyItem, "Gauge", meter, kfsTypeFloat);
  LPITEM bed = nullptr;
  const StaticGuard bedGuard(bed);
  ASSERT_EQ(dfsStaticCreate(&bed), 0);
  dfsSetItemInfo(h, bed, kAnyItem, "Bed", meter, kfsTypeFloat);
  dfsSetItemAxisEqD1(bed, meter, kElements, 0.0f, 1.0f);
  dfsSetItemUnitConversion(bed, 2, centimeter);
  kfsHandle f = nullptr;
  Statuses statuses;
  const long written = alloctest::Sweep(
      [&] {
        statuses.Clear();
        if (statuses.Add(dfsFileCreate(path.c_str(), h, &f)) == 0)
          statuses.Add(dfsStaticWrite(bed, f, values_.data()));
        for (int i = 0; i < kSteps && statuses.FirstFailure() == 0; ++i)
          statuses.Add(dfsWriteItemTimeStep(h, f, values_.data(), 0.0));
        if (statuses.FirstFailure() == 0) statuses.Add(dfsFileClose(h, &f));
      },
      [&](long n, bool failed) {
        EXPECT_EQ(statuses.FirstFailure(), failed ? kfsErrMemory : 0) << "allocation " << n;
        if (f) FCloseFile(&f);
        if (failed) h->stepCounter = h->itemCounter = 0;  // the next run writes anew
      });
  EXPECT_GT(written, 0);
  dfsStaticDestroy(&bed);
  dfsHeaderDestroy(&h);

  LPITEM read = nullptr;
  double rows[2 * kSteps] = {};
  const long runs = alloctest::Sweep(
      [&] {
        statuses.Clear();
        int status = 0;
        if (statuses.Add(dfsFileRead(path.c_str(), &h, &f)) == 0) {
          read = dfsStaticRead(f, &status);
          statuses.Add(status);
        }
        if (statuses.FirstFailure() == 0) statuses.Add(dfsReadDfs0DataDouble(h, f, rows));
      },
      [&](long n, bool failed) {
        EXPECT_EQ(statuses.FirstFailure(), failed ? kfsErrMemory : 0) << "allocation " << n;
        if (!failed) {
          EXPECT_EQ(rows[1], 150.0);
        }
        dfsStaticDestroy(&read);
        if (f) FCloseFile(&f);
        dfsHeaderDestroy(&h);
      });
  EXPECT_GT(runs, 0);
}

}  // namespace

namespace {

// The cross-section interface builds tables of objects: loading one that
// runs out of memory part way answers 2000 with no table, and the objects
// made so far go with it.
TEST(XfsOutOfMemory, ATableLoadAnswers2000AndHandsOutNoTable) {
  const std::string path = koracoretest::workPath("out_of_memory_sections.xns");
  {
    kfsHandle f = nullptr;
    const FileGuard fGuard(f);
    ASSERT_EQ(xfsFileOpenCreate(path.c_str(), &f), 0u);
    for (int i = 0; i < 3; ++i) {
      xfsStrucP x = xfsXsecCreateEx("TOPOGRAPHY-2024", "A RIVER BRANCH", "free id", 100.0 * i);
      const XsecGuard xGuard(x);
      ASSERT_NE(x, nullptr);
      ASSERT_EQ(xfsXsecSetNoRaw(x, 5), 1);
      ASSERT_EQ(xfsXsecWrite(x, f), 0u);
    }
    ASSERT_EQ(xfsFileClose(&f), 0u);
  }
  xfsTable table = nullptr;
  const TableGuard tableGuard(table);
  unsigned int status = 0;
  const long runs =
      alloctest::Sweep([&] { status = xfsXsecTableLoad(path.c_str(), &table, 0); },
                       [&](long n, bool failed) {
                         if (failed) {
                           EXPECT_EQ(status, 2000u) << "allocation " << n;
                           EXPECT_EQ(table, nullptr) << "allocation " << n;
                         } else {
                           ASSERT_EQ(status, 0u);
                           EXPECT_NE(xfsXsecFind(table, "", "", nullptr, 0.0), nullptr);
                         }
                         xfsXsecTableFree(&table);
                       });
  EXPECT_GT(runs, 0);
}

}  // namespace
