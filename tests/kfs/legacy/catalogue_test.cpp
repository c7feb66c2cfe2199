// Catalogue files: round trips in both byte orders, ctxswap, and damaged or
// foreign files that must be refused without touching the caller's record.
#include "kfs/legacy/catalogue.h"

#include <gtest/gtest.h>
#include <unistd.h>

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
using cattest::writeBytes;

std::uint32_t wordAt(const std::vector<unsigned char>& b, std::size_t at) {
  std::uint32_t w;
  std::memcpy(&w, b.data() + at, 4);
  return w;
}

// A data set with one spatial axis and two items, every field set.
Cat sample() {
  Cat c(newcat(1));
  std::strcpy(c->title, "Flood run 7");
  c->nItems = 2;
  c->deleteValue = -1e-35f;
  c->startDate = 37986;
  c->leadingRecords = 0;
  c->time = {23, 0, 3600, 21600, "sec"};
  c->axis[0] = {99, 1, 25, 1000.5f, "m"};
  c->item[0] = {0.5f, 2.25f, 1.125f, 0.5f, 0, "Water level"};
  c->item[1] = {-12.5f, 340, 101.3f, 88.25f, 3, "Discharge"};
  return c;
}

void expectSameDataSet(const catRecord& a, const catRecord& b) {
  EXPECT_STREQ(a.title, b.title);
  EXPECT_EQ(a.nAxes, b.nAxes);
  EXPECT_EQ(a.nItems, b.nItems);
  EXPECT_EQ(a.deleteValue, b.deleteValue);
  EXPECT_EQ(a.startDate, b.startDate);
  EXPECT_EQ(a.leadingRecords, b.leadingRecords);
  const catAxis* axesA[] = {&a.time, &a.axis[0], &a.axis[3]};
  const catAxis* axesB[] = {&b.time, &b.axis[0], &b.axis[3]};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(axesA[k]->nSets1, axesB[k]->nSets1);
    EXPECT_EQ(axesA[k]->start, axesB[k]->start);
    EXPECT_EQ(axesA[k]->interval, axesB[k]->interval);
    EXPECT_EQ(axesA[k]->physStart, axesB[k]->physStart);
    EXPECT_STREQ(axesA[k]->unit, axesB[k]->unit);
  }
  for (int i = 0; i < CAT_MAX_ITEMS; ++i) {
    EXPECT_EQ(a.item[i].minimum, b.item[i].minimum) << i;
    EXPECT_EQ(a.item[i].maximum, b.item[i].maximum) << i;
    EXPECT_EQ(a.item[i].mean, b.item[i].mean) << i;
    EXPECT_EQ(a.item[i].stdev, b.item[i].stdev) << i;
    EXPECT_EQ(a.item[i].missing, b.item[i].missing) << i;
    EXPECT_STREQ(a.item[i].description, b.item[i].description) << i;
  }
}

class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    name_ = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    writeBytes(kDir + name_ + ".dt1", {});  // CATrea wants the data file
  }
  std::string path(const char* ext) const { return kDir + name_ + "." + ext; }
  std::string name_;
};

TEST(CatalogueRecord, NewRecordIsUnsetAndNamesAreJoined) {
  Cat c(newcat(2));
  EXPECT_EQ(c->nAxes, 2);
  EXPECT_EQ(c->nItems, CAT_UNSET);
  EXPECT_EQ(c->axis[3].interval, CAT_UNSET);
  EXPECT_EQ(c->item[16].stdev, CAT_UNSET);
  EXPECT_STREQ(c->title, "");
  EXPECT_EQ(c->slot, -1);
  EXPECT_EQ(c->swapped, 0);
  Cat wide(newcat(5));
  EXPECT_EQ(wide->nAxes, CAT_UNSET);

  char name[64];
  EXPECT_STREQ(OXAntr("dir/", "run", "dt2", name), "dir/run.dt2");
  EXPECT_STREQ(OXAntr(nullptr, "run", "", name), "run");
  EXPECT_STREQ(OXAntr("", "run", nullptr, name), "run");

  std::uint32_t words[2] = {0x01020304u, 600u};
  decswp(words, 2);
  EXPECT_EQ(words[0], 0x04030201u);
  EXPECT_EQ(words[1], 0x58020000u);
}

TEST_F(Catalogue, FramedRecordsInNativeOrder) {
  Cat c = sample();
  ASSERT_EQ(CATwri(kDir.c_str(), name_.c_str(), c.get()), 0.0f);
  std::vector<unsigned char> bytes = readBytes(path("ct1"));
  ASSERT_EQ(bytes.size(), 1052u);
  EXPECT_EQ(wordAt(bytes, 0), 600u);
  EXPECT_EQ(wordAt(bytes, 604), 600u);
  EXPECT_EQ(wordAt(bytes, 608), 436u);
  EXPECT_EQ(wordAt(bytes, 1048), 436u);
  // Texts are blank-padded fixed fields: the title first.
  EXPECT_EQ(std::string(bytes.begin() + 612, bytes.begin() + 612 + 12), "Flood run 7 ");
  EXPECT_STREQ(c->prefix, kDir.c_str());
  EXPECT_STREQ(c->name, name_.c_str());

  Cat back(newcat(1));
  ASSERT_EQ(CATrea(kDir.c_str(), name_.c_str(), back.get()), 0.0f);
  expectSameDataSet(*c, *back);
  EXPECT_EQ(back->swapped, 0);
  EXPECT_STREQ(back->name, name_.c_str());
}

TEST_F(Catalogue, SwappedCatalogueReadsBackWithTheSameValues) {
  Cat c = sample();
  ASSERT_EQ(CATwri(kDir.c_str(), name_.c_str(), c.get()), 0.0f);
  std::vector<unsigned char> native = readBytes(path("ct1"));
  ASSERT_EQ(ctxswap(kDir.c_str(), name_.c_str(), 1), 0.0f);
  std::vector<unsigned char> swapped = readBytes(path("ct1"));
  ASSERT_EQ(swapped.size(), native.size());
  EXPECT_EQ(wordAt(swapped, 0), 0x58020000u);
  EXPECT_EQ(wordAt(swapped, 1048), 0xb4010000u);
  EXPECT_TRUE(std::equal(native.begin() + 612, native.begin() + 1048, swapped.begin() + 612));

  Cat back(newcat(1));
  ASSERT_EQ(CATrea(kDir.c_str(), name_.c_str(), back.get()), 0.0f);
  EXPECT_EQ(back->swapped, 1);
  expectSameDataSet(*c, *back);

  // Written again, it keeps the order it was read in.
  ASSERT_EQ(CATwri(nullptr, nullptr, back.get()), 0.0f);
  EXPECT_EQ(readBytes(path("ct1")), swapped);
  // And turning it over twice gives the original bytes.
  ASSERT_EQ(ctxswap(kDir.c_str(), name_.c_str(), 1), 0.0f);
  EXPECT_EQ(readBytes(path("ct1")), native);
}

TEST_F(Catalogue, UnsetFieldsSurviveTheRoundTrip) {
  Cat c(newcat(1));
  c->nItems = 18;  // more than a catalogue has room for
  ASSERT_EQ(CATwri(kDir.c_str(), name_.c_str(), c.get()), -2.0f);
  c->nItems = CAT_UNSET;
  ASSERT_EQ(CATwri(kDir.c_str(), name_.c_str(), c.get()), 0.0f);
  Cat back(newcat(1));
  ASSERT_EQ(CATrea(kDir.c_str(), name_.c_str(), back.get()), 0.0f);
  expectSameDataSet(*c, *back);
}

TEST_F(Catalogue, DamagedFilesAreRefusedAndLeaveTheRecordAlone) {
  Cat c = sample();
  ASSERT_EQ(CATwri(kDir.c_str(), name_.c_str(), c.get()), 0.0f);
  const std::vector<unsigned char> good = readBytes(path("ct1"));
  Cat target(newcat(1));
  std::strcpy(target->title, "untouched");

  auto readAs = [&](const std::vector<unsigned char>& bytes) {
    writeBytes(path("ct1"), bytes);
    return CATrea(kDir.c_str(), name_.c_str(), target.get());
  };
  writeBytes(path("ct1"), good);
  for (std::size_t cut = good.size() - 1; cut != static_cast<std::size_t>(-1); --cut) {
    ASSERT_EQ(::truncate(path("ct1").c_str(), static_cast<off_t>(cut)), 0);
    ASSERT_EQ(CATrea(kDir.c_str(), name_.c_str(), target.get()), -2.0f) << cut;
    ASSERT_STREQ(target->title, "untouched");
  }
  std::vector<unsigned char> bad = good;
  bad[0] = 0x57;  // neither 600 nor its reversal
  EXPECT_EQ(readAs(bad), -2.0f);
  bad = good;
  bad[1048] = 0;  // trailing length word of the text record
  EXPECT_EQ(readAs(bad), -2.0f);
  bad = good;
  std::int32_t items = 99;
  std::memcpy(bad.data() + 4 + 4, &items, 4);
  EXPECT_EQ(readAs(bad), -2.0f);
  bad = good;
  std::int32_t axes = 3;
  std::memcpy(bad.data() + 4, &axes, 4);
  EXPECT_EQ(readAs(bad), -2.0f);
  EXPECT_STREQ(target->title, "untouched");

  // Extra bytes behind the two records are not the catalogue's business.
  bad = good;
  bad.push_back(7);
  EXPECT_EQ(readAs(bad), 0.0f);
}

TEST_F(Catalogue, MissingFilesAndForeignFiles) {
  Cat c = sample();
  EXPECT_EQ(CATrea(kDir.c_str(), "no-such-set", c.get()), -1.0f);
  std::remove(path("dt1").c_str());
  ASSERT_EQ(CATwri(kDir.c_str(), name_.c_str(), c.get()), 0.0f);
  EXPECT_EQ(CATrea(kDir.c_str(), name_.c_str(), c.get()), -1.0f);  // data file missing
  EXPECT_EQ(CATrea(kDir.c_str(), name_.c_str(), nullptr), -1.0f);

  EXPECT_EQ(ctxswap(kDir.c_str(), "no-such-set", 1), -1.0f);
  EXPECT_EQ(ctxswap(kDir.c_str(), name_.c_str(), 9), -1.0f);
  std::vector<unsigned char> foreign(2000, 0x41);
  writeBytes(path("ct1"), foreign);
  EXPECT_EQ(ctxswap(kDir.c_str(), name_.c_str(), 1), -2.0f);
  EXPECT_EQ(readBytes(path("ct1")), foreign);  // nothing written
  writeBytes(path("ct1"), {0x58, 0x02, 0, 0});
  EXPECT_EQ(ctxswap(kDir.c_str(), name_.c_str(), 1), -2.0f);
}

// Committed files written by a big-endian machine, and broken ones.
TEST(CatalogueFixtures, BigEndianAndBrokenFiles) {
  const std::string dir = std::string(KORACORE_SOURCE_DIR) + "/tests/data/kfs/legacy/";
  Cat c(newcat(0));
  ASSERT_EQ(CATrea(dir.c_str(), "bigend", c.get()), 0.0f);
  EXPECT_EQ(c->swapped, 1);
  EXPECT_STREQ(c->title, "Gauge 12, big-endian");
  EXPECT_EQ(c->nItems, 2);
  EXPECT_EQ(c->time.nSets1, 2);
  EXPECT_STREQ(c->time.unit, "hour");
  EXPECT_STREQ(c->item[1].description, "Discharge");
  EXPECT_EQ(c->item[1].missing, 1);
  Cat other(newcat(0));
  EXPECT_EQ(CATrea(dir.c_str(), "neither", other.get()), -2.0f);
  EXPECT_EQ(CATrea(dir.c_str(), "truncated", other.get()), -2.0f);
}

}  // namespace
