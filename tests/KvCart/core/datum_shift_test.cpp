// The datum-shift record: the type it derives from its values, its text,
// and equality over the parameters its type uses.
#include <gtest/gtest.h>

#include "KvCart/core/CKvDatumShift.h"

TEST(DatumShift, TypeFollowsTheNonZeroValues) {
  const double none[7] = {0, 0, 0, 0, 0, 0, 0};
  const double three[7] = {1, 2, 3, 0, 0, 0, 0};
  const double scaleOnly[7] = {0, 0, 0, 0, 0, 0, 1.5};
  EXPECT_EQ(CKvDatumShift(none).GetType(), CKvCartDef::eNoShift);
  EXPECT_EQ(CKvDatumShift(CKvCartDef::eSevenParameter, 0, 0, 0, 0, 0, 0, 0).GetType(),
            CKvCartDef::eSevenParameter);
  CKvDatumShift shift;
  shift.SetParameters(three);
  EXPECT_EQ(shift.GetType(), CKvCartDef::eThreeParameter);
  EXPECT_STREQ(shift.GetTypeAsText(), "3 parameter");
  shift.SetParameters(scaleOnly);
  EXPECT_EQ(shift.GetType(), CKvCartDef::eSevenParameter);
  EXPECT_STREQ(shift.GetTypeAsText(), "7 parameter");
  EXPECT_EQ(shift[6], 1.5);
  shift.Reset();
  EXPECT_STREQ(shift.GetTypeAsText(), "None");
  EXPECT_EQ(shift.GetParameters()[6], 0.0);
  CKvDatumShift odd(static_cast<CKvCartDef::ETypeOfDatumShift>(5), 0, 0, 0, 0, 0, 0, 0);
  EXPECT_STREQ(odd.GetTypeAsText(), "");
}

TEST(DatumShift, EqualityComparesTheUsedParametersWithinTolerance) {
  CKvDatumShift a(CKvCartDef::eThreeParameter, -87, -98, -121, 1, 2, 3, 4);
  CKvDatumShift b(CKvCartDef::eThreeParameter, -87, -98, -121 * (1 + 1e-13), 9, 9, 9, 9);
  CKvDatumShift c(CKvCartDef::eThreeParameter, -87, -98, -121 * (1 + 1e-11), 1, 2, 3, 4);
  CKvDatumShift d(CKvCartDef::eSevenParameter, -87, -98, -121, 1, 2, 3, 4);
  EXPECT_TRUE(a == a);
  EXPECT_TRUE(a == b);  // rotations unused by a three-parameter shift
  EXPECT_TRUE(a != c);
  EXPECT_TRUE(a != d);  // types differ
  CKvDatumShift e(CKvCartDef::eSevenParameter, -87, -98, -121, 1, 2, 3, 4.000001);
  EXPECT_TRUE(d != e);
  EXPECT_TRUE(CKvDatumShift() == CKvDatumShift(CKvCartDef::eNoShift, 1, 1, 1, 1, 1, 1, 1));
}
