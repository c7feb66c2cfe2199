// Data files of the catalogue family: writing, reading, positioning,
// statistics, byte order and the table of open files.
#include "kfs/legacy/tx_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "catalogue_support.h"

namespace {

using cattest::Cat;
using cattest::kDir;
using cattest::readBytes;

// One spatial axis of 3 sets, 2 items, one leading record.
Cat grid(const std::string& name) {
  Cat c(newcat(1));
  std::strcpy(c->prefix, kDir.c_str());
  std::strcpy(c->name, name.c_str());
  std::strcpy(c->title, "grid");
  c->nItems = 2;
  c->deleteValue = -99;
  c->startDate = 0;
  c->leadingRecords = 1;
  c->time = {2, 0, 1, 0, "hour"};
  c->axis[0] = {2, 0, 10, 0, "m"};
  return c;
}

// Step s, item i: the values 100 s + 10 i + k.
std::vector<float> recordOf(int step, int item) {
  std::vector<float> v(3);
  for (int k = 0; k < 3; ++k) v[k] = static_cast<float>(100 * step + 10 * item + k);
  return v;
}

void writeSteps(catRecord* c, int steps) {
  for (int s = 1; s <= steps; ++s)
    for (int i = 1; i <= 2; ++i) ASSERT_EQ(TXwr(c, recordOf(s, i).data()), static_cast<float>(i));
}

TEST(TxFile, WriteThenReadRecordsStepsAndPositions) {
  Cat c = grid("rw");
  EXPECT_EQ(TXrecordLength(c.get()), 3);
  ASSERT_EQ(TXopw(c.get()), 0.0f);
  EXPECT_EQ(TXmode(c.get()), 1);
  writeSteps(c.get(), 3);
  ASSERT_EQ(TXclw(c.get()), 0.0f);
  EXPECT_EQ(c->slot, -1);
  EXPECT_EQ(TXmode(c.get()), -1);
  // A leading record of zeros, then 6 records of 3 floats.
  EXPECT_EQ(readBytes(kDir + "rw.dt1").size(), 7u * 12u);

  ASSERT_EQ(TXopr(c.get()), 0.0f);
  EXPECT_EQ(TXmode(c.get()), 0);
  std::vector<float> v(6);
  EXPECT_EQ(TXre(c.get(), v.data()), 1.0f);
  EXPECT_EQ(v[0], 110);
  EXPECT_EQ(TXre(c.get(), v.data()), 2.0f);
  EXPECT_EQ(v[2], 122);
  EXPECT_EQ(TXseek(c.get(), 3, 2), 5.0f);
  EXPECT_EQ(TXre(c.get(), v.data()), 2.0f);
  EXPECT_EQ(v[1], 321);
  EXPECT_EQ(TXre(c.get(), v.data()), -1.0f);  // past the last record
  EXPECT_EQ(TXrew(c.get()), 0.0f);
  EXPECT_EQ(TXsp(c.get(), 1), 1.0f);
  // TXrea starts at the next step boundary and reads every item.
  EXPECT_EQ(TXrea(c.get(), v.data()), 2.0f);
  EXPECT_EQ(v[0], 210);
  EXPECT_EQ(v[5], 222);
  EXPECT_EQ(TXsp(c.get(), -99), 0.0f);
  EXPECT_EQ(TXwr(c.get(), v.data()), -1.0f);  // read-only
  EXPECT_EQ(TXseek(c.get(), 1, 3), -1.0f);    // no third item
  EXPECT_EQ(TXseek(c.get(), 0, 1), -1.0f);
  EXPECT_EQ(TXclose(c.get()), 0.0f);
  EXPECT_EQ(TXclose(c.get()), -1.0f);
  EXPECT_EQ(TXre(c.get(), v.data()), -1.0f);
}

TEST(TxFile, StatisticsLeaveDeleteValuesOut) {
  Cat c = grid("stat");
  ASSERT_EQ(TXopw(c.get()), 0.0f);
  const float a[3] = {1, -99, 3}, b[3] = {-99, -99, -99}, a2[3] = {5, 7, -99};
  TXwr(c.get(), a);
  TXwr(c.get(), b);
  TXwr(c.get(), a2);
  // Running statistics are current after every record.
  EXPECT_EQ(c->item[0].minimum, 1);
  EXPECT_EQ(c->item[0].maximum, 7);
  EXPECT_EQ(c->item[0].mean, 4);
  EXPECT_FLOAT_EQ(c->item[0].stdev, std::sqrt(5.0f));
  EXPECT_EQ(c->item[0].missing, 2);
  EXPECT_EQ(c->item[1].missing, 3);
  EXPECT_EQ(c->item[1].mean, -99);  // no value: shown as the delete value
  // make_stat from the file gives the same.
  catItem running = c->item[0];
  ASSERT_EQ(make_stat(c.get()), 0.0f);
  EXPECT_EQ(c->item[0].mean, running.mean);
  EXPECT_EQ(c->item[0].stdev, running.stdev);

  // TXcw stores them in the catalogue.
  ASSERT_EQ(TXcw(c.get()), 0.0f);
  ASSERT_EQ(TXclr(c.get()), 0.0f);
  Cat back(newcat(1));
  ASSERT_EQ(CATrea(kDir.c_str(), "stat", back.get()), 0.0f);
  EXPECT_EQ(back->item[0].missing, 2);
  EXPECT_FLOAT_EQ(back->item[0].stdev, std::sqrt(5.0f));
}

// A NaN marks a missing value as the delete value does (and is the delete
// value of some data sets): it is counted, never averaged.
TEST(TxFile, StatisticsCountNaNAsMissing) {
  Cat c = grid("nanstat");
  for (float deleteValue : {-99.0f, std::nanf("")}) {
    c->deleteValue = deleteValue;
    ASSERT_EQ(update_stat(c.get(), 0, nullptr), 0.0f);
    const float a[3] = {1, std::nanf(""), 3};
    ASSERT_EQ(update_stat(c.get(), 1, a), 0.0f);
    EXPECT_EQ(c->item[0].missing, 1);
    EXPECT_EQ(c->item[0].mean, 2);
    EXPECT_EQ(c->item[0].minimum, 1);
    EXPECT_EQ(c->item[0].maximum, 3);
    EXPECT_EQ(c->item[0].stdev, 1);
  }
}

TEST(TxFile, UpdateRewritesARecordAndRecomputes) {
  Cat c = grid("upd");
  ASSERT_EQ(TXopw(c.get()), 0.0f);
  writeSteps(c.get(), 2);
  ASSERT_EQ(TXclw(c.get()), 0.0f);
  EXPECT_EQ(c->item[0].maximum, 212);

  ASSERT_EQ(TXopu(c.get()), 0.0f);
  EXPECT_EQ(TXmode(c.get()), 2);
  std::vector<float> v(3);
  ASSERT_EQ(TXseek(c.get(), 2, 1), 2.0f);
  ASSERT_EQ(TXre(c.get(), v.data()), 1.0f);
  v[0] = 1000;
  ASSERT_EQ(TXseek(c.get(), 2, 1), 2.0f);
  ASSERT_EQ(TXwr(c.get(), v.data()), 1.0f);
  ASSERT_EQ(TXre(c.get(), v.data()), 2.0f);  // reads and writes alternate
  EXPECT_EQ(v[0], 220);
  ASSERT_EQ(TXclu(c.get()), 0.0f);
  EXPECT_EQ(c->item[0].maximum, 1000);
  EXPECT_EQ(c->item[0].minimum, 110);
}

TEST(TxFile, SwappedDataSetWritesReversedValues) {
  Cat c = grid("swap");
  c->swapped = 1;
  c->leadingRecords = 0;
  ASSERT_EQ(TXopw(c.get()), 0.0f);
  std::vector<float> v = recordOf(1, 1);
  ASSERT_EQ(TXwr(c.get(), v.data()), 1.0f);
  EXPECT_EQ(v[0], 110);  // the caller's buffer is not reversed
  ASSERT_EQ(TXclr(c.get()), 0.0f);
  std::vector<unsigned char> bytes = readBytes(kDir + "swap.dt1");
  ASSERT_EQ(bytes.size(), 12u);
  const unsigned char big110[4] = {0x42, 0xdc, 0x00, 0x00};  // 110.0f, big-endian
  EXPECT_EQ(std::memcmp(bytes.data(), big110, 4), 0);
  ASSERT_EQ(TXopr(c.get()), 0.0f);
  std::vector<float> back(3);
  ASSERT_EQ(TXre(c.get(), back.data()), 1.0f);
  EXPECT_EQ(back, v);
  TXclr(c.get());

  // A record longer than the pieces it is reversed in.
  c->axis[0].nSets1 = 2499;
  ASSERT_EQ(TXopw(c.get()), 0.0f);
  std::vector<float> wide(2500);
  for (std::size_t k = 0; k < wide.size(); ++k) wide[k] = static_cast<float>(k) + 0.5f;
  ASSERT_EQ(TXwr(c.get(), wide.data()), 1.0f);
  ASSERT_EQ(TXclr(c.get()), 0.0f);
  bytes = readBytes(kDir + "swap.dt1");
  ASSERT_EQ(bytes.size(), 10000u);
  const unsigned char big2499[4] = {0x45, 0x1c, 0x38, 0x00};  // 2499.5f, big-endian
  EXPECT_EQ(std::memcmp(bytes.data() + 4 * 2499, big2499, 4), 0);
  ASSERT_EQ(TXopr(c.get()), 0.0f);
  std::vector<float> wideBack(2500);
  ASSERT_EQ(TXre(c.get(), wideBack.data()), 1.0f);
  EXPECT_EQ(wideBack, wide);
  TXclr(c.get());
}

TEST(TxFile, BigEndianFixtureReadsThroughTheCatalogue) {
  const std::string dir = std::string(KORACORE_SOURCE_DIR) + "/tests/data/kfs/legacy/";
  Cat c(newcat(0));
  ASSERT_EQ(CATrea(dir.c_str(), "bigend", c.get()), 0.0f);
  ASSERT_EQ(TXopr(c.get()), 0.0f);
  float step[2];
  ASSERT_EQ(TXrea(c.get(), step), 1.0f);
  EXPECT_EQ(step[0], 1.0f);
  EXPECT_EQ(step[1], 10.0f);
  ASSERT_EQ(TXrea(c.get(), step), 2.0f);
  EXPECT_EQ(step[1], c->deleteValue);
  ASSERT_EQ(make_stat(c.get()), 0.0f);
  EXPECT_EQ(c->item[1].mean, 20.0f);
  EXPECT_EQ(c->item[1].missing, 1.0f);
  EXPECT_FLOAT_EQ(c->item[0].stdev, std::sqrt(2.0f / 3.0f));
  TXclr(c.get());
}

TEST(TxFile, UnusableLayoutsAndMissingFiles) {
  Cat c = grid("layout");
  std::remove((kDir + "layout.dt1").c_str());
  c->axis[0].nSets1 = 3e9f;  // more values than any record may hold
  EXPECT_EQ(TXopw(c.get()), -2.0f);
  EXPECT_EQ(TXrecordLength(c.get()), -2);
  c->axis[0].nSets1 = 2.5f;
  EXPECT_EQ(TXopw(c.get()), -2.0f);
  c->axis[0].nSets1 = 2;
  c->nItems = 0;
  EXPECT_EQ(TXopw(c.get()), -2.0f);
  c->nItems = 2;
  EXPECT_EQ(TXopr(c.get()), -1.0f);  // nothing written yet
  EXPECT_EQ(TXopr(nullptr), -1.0f);
  EXPECT_EQ(TXmode(nullptr), -1);

  // A catalogue may claim huge records; a short file is not read into
  // a buffer of that size.
  ASSERT_EQ(TXopw(c.get()), 0.0f);
  ASSERT_EQ(TXclr(c.get()), 0.0f);
  c->axis[0].nSets1 = 200000000;
  EXPECT_EQ(make_stat(c.get()), 0.0f);
  EXPECT_EQ(c->item[0].missing, 0);
}

// Records of 200 million values (800 MB) and 17 items: the last step an
// int can name lies beyond any file offset, and asking for it changes
// nothing.
TEST(TxFile, PositionsBeyondAnyFileOffsetAreRefused) {
  Cat c = grid("far");
  c->nItems = 17;
  c->leadingRecords = 0;
  c->axis[0].nSets1 = 200000000;
  ASSERT_EQ(TXopw(c.get()), 0.0f);
  EXPECT_EQ(TXseek(c.get(), 2, 1), 17.0f);
  EXPECT_EQ(TXseek(c.get(), 2147483647, 17), -1.0f);
  EXPECT_EQ(TXsp(c.get(), 0), 17.0f);
  float last = 0.0f;
  for (int i = 0; i < 8 && last >= 0.0f; ++i) last = TXsp(c.get(), 2147483647);
  EXPECT_EQ(last, -1.0f);
  EXPECT_GT(TXsp(c.get(), 0), 0.0f);
  EXPECT_EQ(TXrew(c.get()), 0.0f);
  EXPECT_EQ(TXsp(c.get(), -2147483647 - 1), 0.0f);  // not before record 0
  ASSERT_EQ(TXclr(c.get()), 0.0f);
  std::remove((kDir + "far.dt1").c_str());
}

TEST(TxFile, TheTableHas256Slots) {
  std::vector<Cat> open;
  Cat first = grid("slots");
  ASSERT_EQ(TXopw(first.get()), 0.0f);
  ASSERT_EQ(TXclr(first.get()), 0.0f);
  for (int i = 0; i < TX_MAX_SLOTS; ++i) {
    open.push_back(grid("slots"));
    ASSERT_EQ(TXopr(open.back().get()), 0.0f) << i;
  }
  Cat extra = grid("slots");
  EXPECT_EQ(TXopr(extra.get()), -1.0f);
  EXPECT_EQ(TXopr(open.front().get()), -1.0f);  // already open
  ASSERT_EQ(TXclr(open.front().get()), 0.0f);
  EXPECT_EQ(TXopr(extra.get()), 0.0f);
  // frecat closes what is still open.
}

}  // namespace
