// Cross-section files on disk: writing and loading, searching a table, the
// layouts of older versions, and damaged files.
#include "kfs/xfs/xfs.h"
#include "kfs/xfs/xsec_list.h"
#include "kfs/xfs/xsec_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "xfs_support.h"

namespace {

// xfsStruc is packed by 2, so most of its fields are unaligned: the
// assertions compare copies (unary +), never references to the fields.

using xfstest::FileBytes;

const std::string kDir = std::string(KORACORE_TEST_WORK_DIR) + "/";

std::string testPath(const char* suffix = ".xns") {
  return kDir + ::testing::UnitTest::GetInstance()->current_test_info()->name() + suffix;
}

double headD(const xfsStruc* s, int i) {
  double v;
  std::memcpy(
      &v,
      reinterpret_cast<const unsigned char*>(s) + offsetof(xfsStruc, HeadD) + i * sizeof(double),
      sizeof v);
  return v;
}

std::vector<xfsStrucP> walk(xfsTable table) {
  std::vector<xfsStrucP> all;
  xfsSearchRef ref = nullptr;
  for (xfsStrucP x = xfsXsecFind(table, "", "", &ref, 0); x; x = xfsXsecFindNext(table, ref))
    all.push_back(x);
  return all;
}

// Writes the given cross-sections (each freed afterwards) to path.
void writeFile(const std::string& path, std::vector<xfsStrucP> sections) {
  const xfstest::XsecListGuard sectionsGuard(sections);
  kfsHandle f = nullptr;
  const xfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(xfsFileOpenCreate(path.c_str(), &f), 0u);
  for (xfsStrucP& x : sections) {
    ASSERT_EQ(xfsXsecWrite(x, f), 0u);
    xfsXsecFree(&x);
  }
  ASSERT_EQ(xfsFileClose(&f), 0u);
}

xfsStrucP withData(const char* topo, const char* branch, double chainage) {
  xfsStrucP x = xfsXsecCreateEx(topo, branch, "fid", chainage);
  xfsXsecSetNoRaw(x, 3);
  xfsXsecSetNoSel(x, 2);
  xfsXsecSetNoPrc(x, 4);
  xfsXsecSetNoCoords(x, 1);
  for (int i = 0; i < 3; ++i) {
    x->daDp.x[i] = chainage + i;
    x->daDp.z[i] = -i;
    x->daDp.RelRes[i] = 1;
    x->daDp.RawD[i] = 0.25 * i;
    x->daDp.RawU1[i] = static_cast<unsigned short>(i + 1);
    x->daDp.RawU2[i] = 65535;
  }
  x->daDp.SelLevel[1] = 7.5;
  x->daDp.Resist[3] = 31;
  x->daDp.north[0] = 6.1e6;
  x->HeadU[0] = 9;
  x->HeadD[22] = -4;
  return x;
}

TEST(XfsFile, OneSectionWithoutDataLoadsWithAllCountsZero) {
  writeFile(testPath(), {xfsXsecCreate("T", "B", 10)});
  xfsTable table = nullptr;
  const xfstest::XsecTableGuard tableGuard(table);
  ASSERT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, 0), 0u);
  EXPECT_EQ(xfsXsecTableVersion(), 106);
  std::vector<xfsStrucP> all = walk(table);
  ASSERT_EQ(all.size(), 1u);
  const xfsDataPart& d = all[0]->daDp;
  EXPECT_EQ(d.NoRaw + d.NoSel + d.NoPrc + d.NoCoords, 0u);
  EXPECT_EQ(+d.x, nullptr);
  EXPECT_EQ(headD(all[0], 15), 0.001);
  EXPECT_EQ(xfsXsecFree(&all[0]), 1000u);  // the table owns it
  EXPECT_EQ(xfsXsecTableFree(&table), 0u);
  EXPECT_EQ(table, nullptr);
}

TEST(XfsFile, DataTablesRoundTripAndTheTableIsSorted) {
  writeFile(testPath(), {withData("T2", "b", 5), withData("t1", "B", 300), withData("T1", "b", 100),
                         xfsXsecCreate("T1", "a", 900)});
  xfsTable table = nullptr;
  const xfstest::XsecTableGuard tableGuard(table);
  ASSERT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, 0), 0u);
  std::vector<xfsStrucP> all = walk(table);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_STREQ(all[0]->BranchName, "a");
  EXPECT_EQ(all[1]->chainage, 100);  // "T1"/"b" and "t1"/"B" are one branch
  EXPECT_EQ(all[2]->chainage, 300);
  EXPECT_STREQ(all[3]->TopoId, "T2");

  const xfsStruc* x = all[2];
  EXPECT_STREQ(x->FreeId, "fid");
  ASSERT_EQ(+x->daDp.NoRaw, 3u);
  EXPECT_EQ(x->daDp.x[2], 302);
  EXPECT_EQ(x->daDp.z[1], -1);
  EXPECT_EQ(x->daDp.RawD[2], 0.5);
  EXPECT_EQ(x->daDp.RawU1[2], 3);
  EXPECT_EQ(x->daDp.RawU2[0], 65535);
  ASSERT_EQ(+x->daDp.NoSel, 2u);
  EXPECT_EQ(x->daDp.SelLevel[1], 7.5);
  ASSERT_EQ(+x->daDp.NoPrc, 4u);
  EXPECT_EQ(x->daDp.Resist[3], 31);
  ASSERT_EQ(+x->daDp.NoCoords, 1u);
  EXPECT_EQ(x->daDp.north[0], 6.1e6);
  EXPECT_EQ(x->HeadU[0], 9);
  EXPECT_EQ(headD(x, 22), -4);

  // Neighbours and exact finds.
  EXPECT_EQ(xfsXsecNext(table, all[1]), all[2]);
  EXPECT_EQ(xfsXsecPrev(table, all[1]), all[0]);
  EXPECT_EQ(xfsXsecPrev(table, all[0]), nullptr);
  EXPECT_EQ(xfsXsecNext(table, all[3]), nullptr);
  xfsSearchRef ref = nullptr;
  EXPECT_EQ(xfsXsecFind(table, "t1", "B", &ref, 300), all[2]);
  EXPECT_EQ(xfsXsecFindNext(table, ref), all[3]);
  EXPECT_EQ(xfsXsecFindNext(table, ref), nullptr);
  xfsSearchRef again = ref;
  EXPECT_EQ(xfsXsecFind(table, "T1", "b", &again, 200), nullptr);
  EXPECT_EQ(again, ref);  // the reference is reused
  EXPECT_EQ(xfsXsecFindNext(table, ref), nullptr);
  EXPECT_EQ(xfsXsecFind(table, "T1", "b", nullptr, 100), all[1]);

  // The identification is the caller's to change; the table keeps its
  // order and still knows where the changed cross-section stands.
  all[1]->chainage = 1e9;
  EXPECT_EQ(xfsXsecNext(table, all[1]), all[2]);
  EXPECT_EQ(xfsXsecPrev(table, all[1]), all[0]);
  all[1]->chainage = 100;

  // A cross-section of another table is not a neighbour here.
  xfsStrucP loose = xfsXsecCreate("T1", "b", 100);
  const xfstest::XsecGuard looseGuard(loose);
  EXPECT_EQ(xfsXsecNext(table, loose), nullptr);
  xfsXsecFree(&loose);

  ASSERT_EQ(xfsXsecTableFree(&table), 0u);
  EXPECT_EQ(xfsXsecFindNext(table, ref), nullptr);
}

TEST(XfsFile, HeadersOnlyLoadSkipsTheTables) {
  writeFile(testPath(), {withData("T", "B", 1), withData("T", "B", 2)});
  xfsTable table = nullptr;
  const xfstest::XsecTableGuard tableGuard(table);
  ASSERT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, XFS_LOAD_HEADERS_ONLY), 0u);
  std::vector<xfsStrucP> all = walk(table);
  ASSERT_EQ(all.size(), 2u);
  for (xfsStrucP x : all) {
    EXPECT_EQ(x->daDp.NoRaw + x->daDp.NoSel + x->daDp.NoPrc + x->daDp.NoCoords, 0u);
    EXPECT_EQ(x->HeadU[0], 9);
    EXPECT_STREQ(x->FreeId, "fid");
  }
}

// An empty text would be a record of count 0, which the container never
// writes: the block would lose a record and shift the rest.
TEST(XfsFile, EmptyTextsReadBackEmptyWithoutShiftingTheBlock) {
  xfsStrucP x = xfsXsecCreateEx("", "", "free", 42);
  ASSERT_NE(x, nullptr);
  writeFile(testPath(), {x});
  xfsTable table = nullptr;
  const xfstest::XsecTableGuard tableGuard(table);
  ASSERT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, 0), 0u);
  std::vector<xfsStrucP> all = walk(table);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_STREQ(all[0]->TopoId, "");
  EXPECT_STREQ(all[0]->BranchName, "");
  EXPECT_STREQ(all[0]->FreeId, "free");
  EXPECT_EQ(all[0]->chainage, 42);
  EXPECT_EQ(xfsXsecFind(table, "", "", nullptr, 42), all[0]);
}

TEST(XfsFile, OlderVersionsKeepDefaultsBeyondTheirHeaderPrefix) {
  struct Case {
    unsigned int version;
    bool freeId;
    std::size_t words, doubles;
  };
  const Case cases[] = {{102, true, 21, 10}, {102, false, 21, 9}, {103, true, 23, 10},
                        {104, true, 24, 15}, {101, true, 20, 10}, {100, false, 16, 9}};
  const std::string fid = "F";
  for (const Case& c : cases) {
    FileBytes file(c.version);
    file.section("T", 5, "B", c.freeId ? &fid : nullptr, c.words, c.doubles);
    file.save(testPath());
    xfsTable table = nullptr;
    const xfstest::XsecTableGuard tableGuard(table);
    ASSERT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, 0), 0u) << c.version;
    EXPECT_EQ(xfsXsecTableVersion(), static_cast<int>(c.version));
    xfsStrucP x = xfsXsecFind(table, "", "", nullptr, 0);
    ASSERT_NE(x, nullptr);
    EXPECT_STREQ(x->FreeId, c.freeId ? "F" : " ");
    for (std::size_t i = 0; i < XFS_HEADER_WORDS; ++i)
      EXPECT_EQ(x->HeadU[i], i < c.words ? 100 + i : (i == 23 ? 2 : 0))
          << c.version << " word " << i;
    for (std::size_t i = 0; i < XFS_HEADER_DOUBLES; ++i) {
      double fallback = i < 10 ? 0.0 : (i == 15 ? 0.001 : 1.0);
      EXPECT_EQ(headD(x, static_cast<int>(i)), i < c.doubles ? 0.5 + i : fallback)
          << c.version << " double " << i;
    }
  }
}

TEST(XfsFile, ThreeRecordRawBlockGetsZeroedExtraArrays) {
  FileBytes file(104);
  const std::string fid = "F";
  file.section("T", 5, "B", &fid, 24, 15);
  file.block(259).doubles({1, 2}).doubles({3, 4}).doubles({5, 6}).end();
  file.save(testPath());
  xfsTable table = nullptr;
  const xfstest::XsecTableGuard tableGuard(table);
  ASSERT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, 0), 0u);
  xfsStrucP x = xfsXsecFind(table, "T", "B", nullptr, 5);
  ASSERT_NE(x, nullptr);
  ASSERT_EQ(+x->daDp.NoRaw, 2u);
  EXPECT_EQ(x->daDp.RelRes[1], 6);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(x->daDp.RawD[i], 0);
    EXPECT_EQ(x->daDp.RawU1[i], 0);
    EXPECT_EQ(x->daDp.RawU2[i], 0);
  }
}

TEST(XfsFile, BigEndianFileReadsTheSameNumbers) {
  FileBytes file(106, true);
  const std::string fid = "F";
  file.section("T", 1234.5, "B", &fid, 25, 23);
  file.block(260).doubles({-1.25, 8}).end();
  file.save(testPath());
  xfsTable table = nullptr;
  const xfstest::XsecTableGuard tableGuard(table);
  ASSERT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, 0), 0u);
  xfsStrucP x = xfsXsecFind(table, "T", "B", nullptr, 1234.5);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->HeadU[24], 124);
  EXPECT_EQ(headD(x, 22), 22.5);
  ASSERT_EQ(+x->daDp.NoSel, 2u);
  EXPECT_EQ(x->daDp.SelLevel[0], -1.25);
}

TEST(XfsFile, BlocksOfTheWrongShapeEndTheLoadWith2010) {
  const std::string fid = "F";
  auto loadOf = [&](FileBytes& file) {
    file.save(testPath());
    xfsTable table = nullptr;
    const xfstest::XsecTableGuard tableGuard(table);
    unsigned int status = xfsXsecTableLoad(testPath().c_str(), &table, 0);
    EXPECT_EQ(table == nullptr, status != 0);
    xfsXsecTableFree(&table);
    return status;
  };
  {
    FileBytes f(106);  // raw records with unequal counts
    f.section("T", 1, "B", &fid, 25, 23)
        .block(259)
        .doubles({1, 2})
        .doubles({1})
        .doubles({1, 2})
        .end();
    EXPECT_EQ(loadOf(f), 2010u);
  }
  {
    FileBytes f(106);  // a processed block of 5 records
    f.section("T", 1, "B", &fid, 25, 23).block(261);
    for (int i = 0; i < 5; ++i) f.doubles({1});
    f.end();
    EXPECT_EQ(loadOf(f), 2010u);
  }
  {
    FileBytes f(106);  // coordinates stored as 16-bit values
    f.section("T", 1, "B", &fid, 25, 23).block(262).words({1}).words({1}).words({1}).end();
    EXPECT_EQ(loadOf(f), 2010u);
  }
  {
    FileBytes f(106);  // a header shorter than version 106 needs
    f.section("T", 1, "B", &fid, 25, 22);
    EXPECT_EQ(loadOf(f), 2010u);
  }
  {
    FileBytes f(106);  // a header without identification
    f.block(258).words(std::vector<std::uint16_t>(25)).doubles(std::vector<double>(23)).end();
    EXPECT_EQ(loadOf(f), 2010u);
  }
  {
    FileBytes f(106);  // identification of two records
    f.block(257).text("T").doubles({1}).end();
    f.block(258).words(std::vector<std::uint16_t>(25)).doubles(std::vector<double>(23)).end();
    EXPECT_EQ(loadOf(f), 2010u);
  }
  {
    FileBytes f(106);  // chainage of two values
    f.block(257).text("T").doubles({1, 2}).text("B").end();
    f.block(258).words(std::vector<std::uint16_t>(25)).doubles(std::vector<double>(23)).end();
    EXPECT_EQ(loadOf(f), 2010u);
  }
  {
    FileBytes f(106);  // data before any cross-section
    f.block(260).doubles({1}).end();
    EXPECT_EQ(loadOf(f), 2010u);
  }
  {
    FileBytes f(106);  // unknown blocks and stray records are passed over
    f.block(300).doubles({1}).end().text("stray");
    f.section("T", 1, "B", &fid, 25, 23);
    EXPECT_EQ(loadOf(f), 0u);
  }
}

// A byte that begins no item cannot be passed over: what follows it is not
// known to be a cross-section, so the load must not report a whole table.
TEST(XfsFile, BytesThatBeginNoItemAreDamage) {
  const std::string fid = "F";
  for (unsigned char bad : {0x00, 0x08, 0x80, 0xFD, 0xFF}) {
    SCOPED_TRACE(static_cast<int>(bad));
    FileBytes f(106);
    f.section("T", 1, "B", &fid, 25, 23).stray(bad).section("U", 2, "B", &fid, 25, 23);
    f.save(testPath());
    xfsTable table = nullptr;
    EXPECT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, 0), 2019u);
    EXPECT_EQ(table, nullptr);
    CKVxTab index;
    EXPECT_EQ(index.Load(testPath().c_str()), 2019u);
    EXPECT_TRUE(index.IsEmpty());
  }
}

TEST(XfsFile, TruncationAtEveryByteNeverCrashes) {
  writeFile(testPath(".full"), {withData("T", "B", 1), withData("U", "B", 2)});
  std::vector<unsigned char> full = xfstest::readBytes(testPath(".full"));
  ASSERT_GT(full.size(), 300u);
  std::size_t loadedWhole = 0;
  {
    std::FILE* f = std::fopen(testPath().c_str(), "wb");
    std::fwrite(full.data(), 1, full.size(), f);
    std::fclose(f);
  }
  // Cut from the end, one byte at a time.
  for (std::size_t cut = full.size() - 1; cut != static_cast<std::size_t>(-1); --cut) {
    ASSERT_EQ(::truncate(testPath().c_str(), static_cast<off_t>(cut)), 0);
    xfsTable table = nullptr;
    const xfstest::XsecTableGuard tableGuard(table);
    unsigned int status = xfsXsecTableLoad(testPath().c_str(), &table, 0);
    if (status == 0) {
      // Only a cut between complete blocks loads; what loads is intact.
      for (xfsStrucP x : walk(table)) {
        if (x->daDp.NoRaw) {
          EXPECT_EQ(x->daDp.x[2], x->chainage + 2);
        }
        ++loadedWhole;
      }
      xfsXsecTableFree(&table);
    } else {
      EXPECT_EQ(table, nullptr);
    }
  }
  EXPECT_GT(loadedWhole, 0u);
}

TEST(XfsFile, OtherContainersAndMissingFiles) {
  xfsTable table = nullptr;
  EXPECT_EQ(xfsXsecTableLoad((kDir + "no-such-file.xns").c_str(), &table, 0), 2003u);
  kfsHandle other = nullptr;
  const xfstest::KfsFileGuard otherGuard(other);
  ASSERT_EQ(kfsFileOpenCreate(testPath().c_str(), nullptr, &other, nullptr, 0), 0u);
  kfsFileClose(&other);
  EXPECT_EQ(xfsXsecTableLoad(testPath().c_str(), &table, 0), 2017u);
  EXPECT_EQ(table, nullptr);
}

TEST(XfsIndex, ChainagesPerBranchWithFilePositions) {
  writeFile(testPath(),
            {xfsXsecCreate("T", "B", 30), xfsXsecCreate("T", "B", 10), xfsXsecCreate("t", "b", 20),
             xfsXsecCreate("T", "C", 10), xfsXsecCreate("A", "Z", 99)});
  CKVxTab index;
  ASSERT_EQ(index.Load(testPath().c_str()), 0u);
  const CKVchainageArr* b = index.Chainages("T", "B");
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(b->Count(), 3);
  EXPECT_EQ(b->Chainage(0), 10);
  EXPECT_EQ(b->Chainage(2), 30);
  EXPECT_GT(b->Position(1), b->Position(0));  // 20 was written after 10
  long long at10 = index.xfsXsecFind("T", 10, "B");
  long long at30 = index.xfsXsecFind("t", 30, "b");
  EXPECT_GT(at10, at30);  // 30 was written first
  EXPECT_EQ(index.xfsXsecFind("T", 11, "B"), -1);
  EXPECT_EQ(index.xfsXsecFind("X", 10, "B"), -1);
  EXPECT_EQ(index.xfsXsecFind("", 0, ""), index.xfsXsecFind("A", 99, "Z"));

  // The positions are those of the identification blocks.
  kfsHandle f = nullptr;
  const xfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(xfsFileOpenRead(testPath().c_str(), &f), 0u);
  ASSERT_EQ(kfsSeek64(f, at10, 0), 0u);
  unsigned int id = 0;
  EXPECT_EQ(kfsQuery(f, &id), kfsTypeBlock);
  EXPECT_EQ(id, 257u);
  xfsFileClose(&f);

  EXPECT_NE(index.Load((kDir + "none.xns").c_str()), 0u);
  EXPECT_TRUE(index.IsEmpty());
}

TEST(XfsIndex, ChainageArrayKeepsInsertionOrderOfEquals) {
  CKVchainageArr arr;
  arr.Insert(5, 1);
  arr.Insert(1, 2);
  arr.Insert(5, 3);
  arr.Insert(3, 4);
  arr.Insert(5, 5);
  ASSERT_EQ(arr.Count(), 5);
  const double chain[] = {1, 3, 5, 5, 5};
  const long long pos[] = {2, 4, 1, 3, 5};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(arr.Chainage(i), chain[i]);
    EXPECT_EQ(arr.Position(i), pos[i]);
  }
  EXPECT_EQ(arr.Find(5), 2);
  EXPECT_EQ(arr.Find(4), -1);
}

}  // namespace
