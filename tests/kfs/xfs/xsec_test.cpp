// One cross-section in memory: defaults, tables, ordering, and the flat
// interface's refusal of pointers that belong to no cross-section.
#include "kfs/xfs/xsec.h"
#include "kfs/xfs/xfs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "xfs_support.h"

namespace {

// xfsStruc is packed by 2, so most of its fields are unaligned: the
// assertions compare copies (unary +), never references to the fields.

double headD(const xfsStruc* s, int i) {
  double v;
  std::memcpy(
      &v,
      reinterpret_cast<const unsigned char*>(s) + offsetof(xfsStruc, HeadD) + i * sizeof(double),
      sizeof v);
  return v;
}

TEST(XsecCreate, DefaultHeaderTextsAndNoData) {
  xfsStrucP x = xfsXsecCreate("TOPO", "River A", 125.5);
  const xfstest::XsecGuard xGuard(x);
  ASSERT_NE(x, nullptr);
  EXPECT_STREQ(x->TopoId, "TOPO");
  EXPECT_STREQ(x->BranchName, "River A");
  EXPECT_STREQ(x->FreeId, " ");
  EXPECT_EQ(x->chainage, 125.5);
  for (int i = 0; i < XFS_HEADER_WORDS; ++i) EXPECT_EQ(x->HeadU[i], i == 23 ? 2 : 0) << i;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(headD(x, i), 0.0) << i;
  for (int i = 10; i < 15; ++i) EXPECT_EQ(headD(x, i), 1.0) << i;
  EXPECT_EQ(headD(x, 15), 0.001);
  for (int i = 16; i < XFS_HEADER_DOUBLES; ++i) EXPECT_EQ(headD(x, i), 1.0) << i;
  EXPECT_EQ(+x->daDp.NoRaw, 0u);
  EXPECT_EQ(+x->daDp.x, nullptr);
  EXPECT_EQ(+x->daDp.NoCoords, 0u);
  EXPECT_EQ(xfsXsecFree(&x), 0u);
  EXPECT_EQ(x, nullptr);

  xfsStrucP e = xfsXsecCreateEx("T", "B", "", 0);
  const xfstest::XsecGuard eGuard(e);
  ASSERT_NE(e, nullptr);
  EXPECT_STREQ(e->FreeId, " ");
  xfsXsecFree(&e);
  e = xfsXsecCreateEx("T", "B", "id-7", 0);
  EXPECT_STREQ(e->FreeId, "id-7");
  xfsXsecFree(&e);

  EXPECT_EQ(xfsXsecCreate(nullptr, "B", 0), nullptr);
  EXPECT_EQ(xfsXsecCreateEx("T", nullptr, "x", 0), nullptr);
}

TEST(XsecCreate, HeaderLayoutIsPackedByTwo) {
  // The structure is shared with C and Fortran callers byte for byte.
  EXPECT_EQ(offsetof(xfsStruc, TopoId), 8u);
  EXPECT_EQ(offsetof(xfsStruc, HeadU), 32u);
  EXPECT_EQ(offsetof(xfsStruc, HeadD), 82u);
  EXPECT_EQ(offsetof(xfsStruc, daDp), 266u);
}

TEST(XsecTables, SetCountsAllocateZeroedArraysAndFreeThem) {
  xfsStrucP x = xfsXsecCreate("T", "B", 1);
  const xfstest::XsecGuard xGuard(x);
  ASSERT_EQ(xfsXsecSetNoRaw(x, 4), 1);
  ASSERT_EQ(+x->daDp.NoRaw, 4u);
  for (unsigned i = 0; i < 4; ++i) {
    EXPECT_EQ(x->daDp.x[i], 0.0);
    EXPECT_EQ(x->daDp.RawD[i], 0.0);
    EXPECT_EQ(x->daDp.RawU2[i], 0);
  }
  ASSERT_EQ(xfsXsecSetNoSel(x, 2), 1);
  ASSERT_EQ(xfsXsecSetNoPrc(x, 3), 1);
  ASSERT_EQ(xfsXsecSetNoCoords(x, 65535), 1);
  EXPECT_EQ(x->daDp.north[65534], 0.0);
  EXPECT_EQ(x->daDp.Resist[2], 0.0);
  ASSERT_EQ(xfsXsecSetNoRaw(x, 0), 1);
  EXPECT_EQ(+x->daDp.NoRaw, 0u);
  EXPECT_EQ(+x->daDp.x, nullptr);
  EXPECT_EQ(+x->daDp.RawU1, nullptr);
  CKVxSec::FromStruc(x)->AssertValid();

  // A caller that sets a count by hand gets an error, not a broken file.
  ASSERT_EQ(xfsXsecSetNoSel(x, 0), 1);
  x->daDp.NoSel = 5;  // and no array
  kfsHandle f = nullptr;
  const xfstest::KfsFileGuard fGuard(f);
  std::string path = std::string(KORACORE_TEST_WORK_DIR) + "/inconsistent.xns";
  ASSERT_EQ(xfsFileOpenCreate(path.c_str(), &f), 0u);
  EXPECT_EQ(xfsXsecWrite(x, f), 2010u);
  // A count raised beyond the arrays it was given would write whatever
  // memory follows them into the file.
  ASSERT_EQ(xfsXsecSetNoSel(x, 2), 1);
  x->daDp.NoSel = 3;
  EXPECT_EQ(xfsXsecWrite(x, f), 2010u);
  // A lowered count writes that many elements of the arrays.
  x->daDp.NoSel = 1;
  x->daDp.SelLevel[0] = 4.5;
  EXPECT_EQ(xfsXsecWrite(x, f), 0u);
  xfsFileClose(&f);
  xfsTable table = nullptr;
  const xfstest::XsecTableGuard tableGuard(table);
  ASSERT_EQ(xfsXsecTableLoad(path.c_str(), &table, 0), 0u);
  xfsStrucP back = xfsXsecFind(table, "", "", nullptr, 0);
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(+back->daDp.NoSel, 1u);
  EXPECT_EQ(back->daDp.SelLevel[0], 4.5);
  EXPECT_EQ(xfsXsecNext(table, back), nullptr);  // the refused writes left nothing
  xfsXsecTableFree(&table);
  x->daDp.NoSel = 2;
}

TEST(XsecOrder, CaseBlindNamesThenChainage) {
  CKVxSec a("Topo", "RIVER", nullptr, 200), b("topo", "river", nullptr, 100);
  EXPECT_TRUE(a.Relation(b, 1));
  EXPECT_TRUE(b.Relation(a, -1));
  EXPECT_FALSE(a.Relation(b, 0));
  CKVxSec c("TOPO", "River", "other", 200);
  EXPECT_TRUE(a.Relation(c, 0));  // the free id does not identify
  CKVxSec d("Topo", "RIVES", nullptr, 0);
  EXPECT_TRUE(d.Relation(a, 1));  // names before chainage
  CKVxSec e("Topn", "ZZZ", nullptr, 1e9);
  EXPECT_TRUE(e.Relation(a, -1));
  CKVxSec nan1("T", "B", nullptr, std::numeric_limits<double>::quiet_NaN());
  CKVxSec big("T", "B", nullptr, 1e300);
  EXPECT_TRUE(nan1.Relation(big, 1));  // NaN sorts last, consistently
  EXPECT_TRUE(nan1.Relation(nan1, 0));
}

TEST(XsecFlat, PointersWithoutOwnerGiveErrorsNotCrashes) {
  xfsStruc loose;
  std::memset(&loose, 0, sizeof loose);
  xfsStrucP p = &loose;
  EXPECT_EQ(xfsXsecFree(&p), 1000u);
  EXPECT_EQ(p, &loose);
  EXPECT_EQ(xfsXsecSetNoRaw(&loose, 3), 0);
  EXPECT_EQ(xfsXsecSetNoSel(nullptr, 3), 0);
  EXPECT_EQ(xfsXsecWrite(&loose, nullptr), 1000u);
  loose.Owner = &loose;  // an owner that is no cross-section
  EXPECT_EQ(xfsXsecSetNoPrc(&loose, 3), 0);
  EXPECT_EQ(xfsXsecFree(nullptr), 1000u);

  // A copy of a live structure is not the structure.
  xfsStrucP real = xfsXsecCreate("T", "B", 0);
  const xfstest::XsecGuard realGuard(real);
  xfsStruc copy;
  std::memcpy(&copy, real, sizeof copy);
  EXPECT_EQ(xfsXsecSetNoCoords(&copy, 2), 0);
  EXPECT_EQ(+real->daDp.NoCoords, 0u);
  xfsXsecFree(&real);
  EXPECT_EQ(xfsXsecSetNoCoords(&copy, 2), 0);  // its owner is gone

  xfsTable none = nullptr;
  const xfstest::XsecTableGuard noneGuard(none);
  EXPECT_EQ(xfsXsecTableFree(&none), 1000u);
  EXPECT_EQ(xfsXsecTableFree(nullptr), 1000u);
  EXPECT_EQ(xfsXsecFind(nullptr, "", "", nullptr, 0), nullptr);
  EXPECT_EQ(xfsXsecFindNext(nullptr, nullptr), nullptr);
  EXPECT_EQ(xfsXsecNext(nullptr, nullptr), nullptr);
  xfsTable bogus = reinterpret_cast<xfsTable>(&loose);
  const xfstest::XsecTableGuard bogusGuard(bogus);
  EXPECT_EQ(xfsXsecPrev(bogus, nullptr), nullptr);
  EXPECT_EQ(xfsXsecTableFree(&bogus), 1000u);
  EXPECT_EQ(xfsXsecTableLoad("x", nullptr, 0), 1000u);
}

}  // namespace
