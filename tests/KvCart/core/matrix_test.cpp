// The small matrix class and its array: rotations, shapes that do not fit,
// bounds, and borrowed storage.
#include <gtest/gtest.h>

#include <cmath>

#include "KvCart/core/CMatrix.h"

TEST(Matrix, RotationsTurnCounterClockwiseAboutTheirAxis) {
  const CMatrix ex(1.0, 0.0, 0.0);
  const CMatrix ey(0.0, 1.0, 0.0);
  const CMatrix ez(0.0, 0.0, 1.0);
  const CMatrix z90 = CMatrix(90.0, CMatrix::eAboutZ) * ex;
  EXPECT_NEAR(z90(0, 0), 0.0, 1e-15);
  EXPECT_NEAR(z90(0, 1), 1.0, 1e-15);
  const CMatrix x90 = CMatrix(90.0, CMatrix::eAboutX) * ey;
  EXPECT_NEAR(x90(0, 2), 1.0, 1e-15);
  const CMatrix y90 = CMatrix(90.0, CMatrix::eAboutY) * ez;
  EXPECT_NEAR(y90(0, 0), 1.0, 1e-15);
  EXPECT_EQ(z90.GetSizeJ(), 1);
  EXPECT_EQ(z90.GetSizeK(), 3);
}

TEST(Matrix, RotationTimesItsReverseIsTheIdentity) {
  for (int type = 1; type <= 3; ++type) {
    const auto t = static_cast<CMatrix::ERotationType>(type);
    const CMatrix product = CMatrix(33.3, t) * CMatrix(-33.3, t);
    for (int k = 0; k < 3; ++k) {
      for (int j = 0; j < 3; ++j) EXPECT_NEAR(product(j, k), j == k ? 1.0 : 0.0, 1e-15);
    }
  }
}

TEST(Matrix, ArithmeticAndShapesThatDoNotFit) {
  const CMatrix a(1.0, 2.0, 3.0);
  const CMatrix b(10.0, 20.0, 30.0);
  const CMatrix sum = a + b;
  const CMatrix diff = b - a;
  const CMatrix scaled = a * 2.0;
  EXPECT_EQ(sum(0, 2), 33.0);
  EXPECT_EQ(diff(0, 1), 18.0);
  EXPECT_EQ(scaled(0, 0), 2.0);
  // 3x1 times 3x1: the left has one column, the right three rows.
  const CMatrix bad = a * b;
  EXPECT_EQ(bad.GetSizeJ(), 0);
  EXPECT_EQ(bad.GetSizeK(), 0);
  EXPECT_EQ((a + CMatrix(45.0, CMatrix::eAboutX)).GetSizeJ(), 0);
  EXPECT_TRUE(std::isnan(a(1, 0)));
  EXPECT_TRUE(std::isnan(a(0, 3)));
  EXPECT_TRUE(std::isnan(a(-1, 0)));
}

TEST(Matrix, CopiesAnArrayWithItsLowerBounds) {
  CKvArray2D<double> array;
  ASSERT_TRUE(array.Allocate(2, 2, 1, -1));
  array.Set(1, -1, 1.0);
  array.Set(2, -1, 2.0);
  array.Set(1, 0, 3.0);
  array.Set(2, 0, 4.0);
  const CMatrix m(&array);
  EXPECT_EQ(m(2, -1), 2.0);
  EXPECT_EQ(m(1, 0), 3.0);
  EXPECT_TRUE(std::isnan(m(0, 0)));
  EXPECT_EQ(CMatrix(nullptr).GetSizeJ(), 0);
  // Element (j, k) sits at (k - kLow) * nj + (j - jLow).
  EXPECT_EQ(array.GetData()[2], 3.0);
}

TEST(Array2D, ReusesOwnedStorageAndNeverResizesBorrowedStorage) {
  CKvArray2D<double> array;
  ASSERT_TRUE(array.Allocate(3, 2, 0, 0));
  const double* first = array.GetData();
  ASSERT_TRUE(array.Allocate(2, 3, 0, 0));
  EXPECT_EQ(array.GetData(), first);  // same count: same buffer
  EXPECT_FALSE(array.Allocate(-1, 2, 0, 0));
  EXPECT_EQ(array.GetCount(), 0u);
  EXPECT_FALSE(array.Allocate(1 << 30, 1 << 30, 0, 0));

  double outside[4] = {1, 2, 3, 4};
  array.Borrow(outside, 4);
  ASSERT_TRUE(array.Allocate(2, 2, 0, 0));
  EXPECT_EQ(array.Get(1, 1, 0.0), 4.0);
  EXPECT_FALSE(array.Allocate(3, 3, 0, 0));  // released, not reallocated
  EXPECT_EQ(array.GetData(), nullptr);
  EXPECT_EQ(outside[3], 4.0);
}
