// dtx entry points: data-file headers written to and read from the older
// catalogue family.
#include "kfs/legacy/dtx_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "catalogue_support.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/legacy/tx_file.h"

namespace {

const std::string kDir = std::string(KORACORE_TEST_WORK_DIR) + "/";

struct HeaderDeleter {
  void operator()(DfsHeader* h) const {
    LPHEAD p = h;
    dfsHeaderDestroy(&p);
  }
};
using Header = std::unique_ptr<DfsHeader, HeaderDeleter>;

// Two float items on a 3-point line, hourly steps in seconds.
Header lineHeader(int axisOnSecond = 1) {
  LPHEAD h = nullptr;
  EXPECT_EQ(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Levels along the weir", "app", 1, 2,
                            F_NO_STAT, &h),
            0);
  EXPECT_EQ(dfsSetEqTimeAxis(h, 1400, 0, 0, 3600), 0);
  const char* names[] = {"Water level", "Velocity"};
  for (int n = 1; n <= 2; ++n) {
    LPITEM item = dfsItemD(h, n);
    EXPECT_EQ(dfsSetItemInfo_(h, item, 999, names[n - 1], "m", 1), 0);
    EXPECT_EQ(dfsSetItemAxisEqD1(item, 0, 3, 100,
                                 n == 2 ? 25.0f * static_cast<float>(axisOnSecond) : 25.0f),
              0);
  }
  dfsSetDeleteValFloat(h, -99);
  return Header(h);
}

TEST(Dtx, HeaderWrittenAndReadBackThroughTheCatalogue) {
  Header h = lineHeader();
  catRecord* f = nullptr;
  const cattest::CatalogueGuard fGuard(f);
  ASSERT_EQ(dtxWriteHeader((kDir + "weir").c_str(), h.get(), &f), 0);
  EXPECT_EQ(dtxIoMode(f), 1);
  for (int step = 0; step < 2; ++step)
    for (int item = 1; item <= 2; ++item) {
      float v[3] = {static_cast<float>(step), static_cast<float>(item), -99};
      ASSERT_EQ(dtxWriteItem(h.get(), f, v), 0);
    }
  ASSERT_EQ(dtxFileClose(h.get(), &f), 0);
  EXPECT_EQ(f, nullptr);

  LPHEAD r = nullptr;
  ASSERT_EQ(dtxReadHeader((kDir + "weir.ct1").c_str(), &r, &f), 0);
  Header read(r);
  EXPECT_STREQ(dfsGetFileTitle(r), "Levels along the weir");
  EXPECT_EQ(dfsGetDeleteValFloat(r), -99);
  ASSERT_EQ(dfsGetNoOfItems(r), 2);
  int unit = 0, steps = 0, first = 0;
  double start = 0, step = 0;
  ASSERT_EQ(dfsGetEqTimeAxis(r, &unit, nullptr, &start, &step, &steps, &first), 0);
  EXPECT_EQ(unit, 1400);
  EXPECT_EQ(step, 3600);
  EXPECT_EQ(steps, 2);  // counted from the data written
  const char* name = nullptr;
  int type = 0, dataType = 0;
  ASSERT_EQ(dfsGetItemInfo_(dfsItemD(r, 2), &type, &name, nullptr, &dataType), 0);
  EXPECT_STREQ(name, "Velocity");
  EXPECT_EQ(type, 999);
  EXPECT_EQ(dataType, 1);
  int size = 0;
  float x0 = 0, dx = 0;
  ASSERT_EQ(dfsGetItemAxisEqD1(dfsItemD(r, 1), nullptr, nullptr, &size, &x0, &dx), 0);
  EXPECT_EQ(size, 3);
  EXPECT_EQ(x0, 100);
  EXPECT_EQ(dx, 25);

  int count = 0;
  EXPECT_EQ(dtxGetNoUsedItemElements(r, f, &count, __LINE__), 0);
  EXPECT_EQ(count, 3);
  float v[3];
  double time = -1;
  ASSERT_EQ(dtxReadItem(r, f, &time, v), 0);
  EXPECT_EQ(time, 0);
  ASSERT_EQ(dtxSkipTimestep(r, f), 0);  // the rest of step 0
  ASSERT_EQ(dtxReadItem(r, f, &time, v), 0);
  EXPECT_EQ(time, 3600);
  EXPECT_EQ(v[0], 1);
  EXPECT_EQ(v[1], 1);
  ASSERT_EQ(dtxFindItemDynamic(r, f, 0, 2), 0);
  ASSERT_EQ(dtxReadItem(r, f, &time, v), 0);
  EXPECT_EQ(v[1], 2);
  EXPECT_EQ(dtxFindItemDynamic(r, f, 2, 1), 1001);
  EXPECT_EQ(dtxFindItemDynamic(r, f, 0, 3), 1002);
  ASSERT_EQ(dtxFindItemDynamic(r, f, 1, 2), 0);
  ASSERT_EQ(dtxReadItem(r, f, &time, nullptr), 0);  // skipped
  EXPECT_EQ(dtxReadItem(r, f, &time, v), 2001);     // no more data
  ASSERT_EQ(dtxFileClose(r, &f), 0);
  read.release();
  EXPECT_EQ(dtxFreeHeader(&r), 0);
  EXPECT_EQ(r, nullptr);
}

TEST(Dtx, CalendarAxisKeepsStartDateAndTimeOfDay) {
  Header h = lineHeader();
  LPHEAD raw = h.get();
  ASSERT_EQ(dfsSetEqCalendarAxis(raw, "2004-02-29", "06:30:15", 1400, 0, 0, 60), 0);
  catRecord* f = nullptr;
  const cattest::CatalogueGuard fGuard(f);
  ASSERT_EQ(dtxWriteHeader((kDir + "calendar.dt1").c_str(), raw, &f), 0);
  EXPECT_EQ(f->startDate, 37986);
  EXPECT_EQ(f->time.physStart, 6 * 3600 + 30 * 60 + 15);
  EXPECT_EQ(dtxFileFlush(raw, f), 0);
  ASSERT_EQ(dtxFileClose(raw, &f), 0);

  LPHEAD r = nullptr;
  ASSERT_EQ(dtxReadHeader((kDir + "calendar.ct1").c_str(), &r, &f), 0);
  Header read(r);
  const char *date = nullptr, *time = nullptr;
  double step = 0;
  ASSERT_EQ(
      dfsGetEqCalendarAxis(r, &date, &time, nullptr, nullptr, nullptr, &step, nullptr, nullptr), 0);
  EXPECT_STREQ(date, "2004-02-29");
  EXPECT_STREQ(time, "06:30:15");
  EXPECT_EQ(step, 60);
  dtxFileClose(r, &f);
}

TEST(Dtx, CatalogueInHoursReadsInSeconds) {
  const std::string fixture =
      std::string(KORACORE_SOURCE_DIR) + "/tests/data/kfs/legacy/bigend.ct0";
  LPHEAD r = nullptr;
  catRecord* f = nullptr;
  const cattest::CatalogueGuard fGuard(f);
  ASSERT_EQ(dtxReadHeader(fixture.c_str(), &r, &f), 0);
  Header read(r);
  EXPECT_EQ(dfsGetItemAxisType(dfsItemD(r, 1)), F_EQ_AXIS_D0);
  double step = 0;
  int steps = 0;
  ASSERT_EQ(dfsGetEqTimeAxis(r, nullptr, nullptr, nullptr, &step, &steps, nullptr), 0);
  EXPECT_EQ(step, 3600);
  EXPECT_EQ(steps, 3);
  float v = 0;
  double time = 0;
  ASSERT_EQ(dtxFindItemDynamic(r, f, 2, 2), 0);
  ASSERT_EQ(dtxReadItem(r, f, &time, &v), 0);
  EXPECT_EQ(time, 7200);
  EXPECT_EQ(v, 30);
  EXPECT_EQ(dtxIoMode(f), 0);
  dtxFileClose(r, &f);
}

// A catalogue whose start date is the largest 32-bit count: no calendar
// date, and no day number an int holds once read as a float.
TEST(Dtx, AStartDateBeyondAnyDayIsRefused) {
  catRecord* cat = newcat(0);
  const cattest::CatalogueGuard catGuard(cat);
  std::strcpy(cat->title, "far future");
  cat->nItems = 1;
  cat->deleteValue = -99;
  cat->startDate = 36466;
  cat->leadingRecords = 0;
  cat->time = {0, 0, 1, 0, "sec"};
  ASSERT_EQ(CATwri(kDir.c_str(), "future", cat), 0.0f);
  cattest::releaseCatalogue(&cat);
  FILE* data = std::fopen((kDir + "future.dt0").c_str(), "wb");
  ASSERT_NE(data, nullptr);
  std::fclose(data);
  FILE* catalogue = std::fopen((kDir + "future.ct0").c_str(), "rb+");
  ASSERT_NE(catalogue, nullptr);
  const std::int32_t largest = INT32_MAX;
  ASSERT_EQ(std::fseek(catalogue, 4 + 3 * 4, SEEK_SET), 0);  // the start-date word
  ASSERT_EQ(std::fwrite(&largest, 4, 1, catalogue), 1u);
  std::fclose(catalogue);

  LPHEAD r = nullptr;
  catRecord* f = nullptr;
  const cattest::CatalogueGuard fGuard(f);
  EXPECT_EQ(dtxReadHeader((kDir + "future.ct0").c_str(), &r, &f), 2010);
  EXPECT_EQ(r, nullptr);
  EXPECT_EQ(f, nullptr);
}

// A series of 17 items and a million steps holds more records than a float
// counts exactly: the step of the last item of step 999999 (record
// 16999999) and the skip to the next step must still be exact.
TEST(Dtx, PositionsInLongSeriesAreExact) {
  catRecord* cat = newcat(0);
  const cattest::CatalogueGuard catGuard(cat);
  std::strcpy(cat->prefix, kDir.c_str());
  std::strcpy(cat->name, "longseries");
  cat->nItems = 17;
  cat->deleteValue = -99;
  cat->leadingRecords = 0;
  cat->time = {0, 0, 1, 0, "sec"};
  ASSERT_EQ(TXopw(cat), 0.0f);
  Header h = lineHeader();
  ASSERT_EQ(TXseek(cat, 1000000, 17), 16999999.0f);
  double time = 0;
  ASSERT_EQ(dtxReadItem(h.get(), cat, &time, nullptr), 0);  // skips the item
  EXPECT_EQ(time, 999999.0);
  ASSERT_EQ(TXseek(cat, 1000000, 17), 16999999.0f);
  ASSERT_EQ(dtxSkipTimestep(h.get(), cat), 0);
  EXPECT_EQ(TXsp(cat, 0), 17000000.0f);
  EXPECT_EQ(TXclr(cat), 0.0f);
  cattest::releaseCatalogue(&cat);
  std::remove((kDir + "longseries.dt0").c_str());
}

// Skipping to a step whose records lie beyond any file offset fails; it is
// not reported as done.
TEST(Dtx, SkippingBeyondAnyFileOffsetFails) {
  catRecord* cat = newcat(1);
  const cattest::CatalogueGuard catGuard(cat);
  std::strcpy(cat->prefix, kDir.c_str());
  std::strcpy(cat->name, "farskip");
  cat->nItems = 17;
  cat->deleteValue = -99;
  cat->leadingRecords = 0;
  cat->axis[0].nSets1 = 200000000;  // records of 800000004 bytes
  ASSERT_EQ(TXopw(cat), 0.0f);
  const std::int64_t lastRecord = INT64_MAX / 800000004;
  const int step = static_cast<int>(lastRecord / 17 + 1);  // its first record still has an offset
  ASSERT_GE(TXseek(cat, step, 1), 0.0f);
  Header h = lineHeader();
  EXPECT_EQ(dtxSkipTimestep(h.get(), cat), 2001);
  EXPECT_EQ(TXclr(cat), 0.0f);
  cattest::releaseCatalogue(&cat);
  std::remove((kDir + "farskip.dt1").c_str());
}

TEST(Dtx, HeadersTheFamilyCannotHoldAreRefused) {
  catRecord* f = nullptr;
  const cattest::CatalogueGuard fGuard(f);
  Header mixed = lineHeader(2);  // the items' axes differ
  EXPECT_EQ(dtxWriteHeader((kDir + "mixed").c_str(), mixed.get(), &f), 2010);
  EXPECT_EQ(f, nullptr);
  Header wrongN = lineHeader();
  EXPECT_EQ(dtxWriteHeader((kDir + "wrong.ct2").c_str(), wrongN.get(), &f), 2010);
  Header doubles = lineHeader();
  dfsSetItemInfo_(doubles.get(), dfsItemD(doubles.get(), 1), 999, "d", "m", 2);
  dfsSetItemAxisEqD1(dfsItemD(doubles.get(), 1), 0, 3, 100, 25);
  EXPECT_EQ(dtxWriteHeader((kDir + "doubles").c_str(), doubles.get(), &f), 2010);
  Header minutes = lineHeader();
  dfsSetEqTimeAxis(minutes.get(), 1401, 0, 0, 1);
  EXPECT_EQ(dtxWriteHeader((kDir + "minutes").c_str(), minutes.get(), &f), 2010);

  LPHEAD r = nullptr;
  EXPECT_EQ(dtxReadHeader((kDir + "no-such.ct0").c_str(), &r, &f), 2003);
  EXPECT_EQ(dtxReadHeader((kDir + "no-extension").c_str(), &r, &f), 2003);
  const std::string broken =
      std::string(KORACORE_SOURCE_DIR) + "/tests/data/kfs/legacy/neither.ct0";
  EXPECT_EQ(dtxReadHeader(broken.c_str(), &r, &f), 2014);
  EXPECT_EQ(r, nullptr);
  EXPECT_EQ(f, nullptr);
}

TEST(Dtx, NothingRecognisedNoStaticItemsNoBlocks) {
  EXPECT_EQ(dtxIsDtxFile("run.dt0"), 0);
  EXPECT_EQ(dtxIsDtxFile(nullptr), 0);
  catRecord* cat = newcat(0);
  const cattest::CatalogueGuard catGuard(cat);
  int status = -1;
  EXPECT_EQ(dtxStaticRead(cat, &status), nullptr);
  EXPECT_EQ(status, 0);
  absItemS item = {};
  EXPECT_EQ(dtxStaticWrite(&item, cat, nullptr), 2018);
  EXPECT_EQ(dtxFindBlock(cat, 40000), 2001);
  EXPECT_EQ(dtxIoMode(cat), -1);
  EXPECT_EQ(dtxReadItem(nullptr, cat, nullptr, nullptr), 1000);
  cattest::releaseCatalogue(&cat);
}

}  // namespace
