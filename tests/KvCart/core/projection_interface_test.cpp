// What the projection interface answers for a family that overrides only
// the conversions.
#include <gtest/gtest.h>

#include <memory>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvProjection.h"

namespace {

class Minimal : public CKvProjection {
 public:
  char* GetName() override { return m_name; }
  void Geo2Proj(double lon, double lat, double* x, double* y) const override {
    *x = lon;
    *y = lat;
  }
  void Proj2Geo(double x, double y, double* lon, double* lat) const override {
    *lon = x;
    *lat = y;
  }
  CKvProjection* Clone() const override { return new Minimal(*this); }
  void TransferParameters(CKvPRJParser&) const override {}

 private:
  char m_name[8] = "minimal";
};

}  // namespace

TEST(ProjectionInterface, DefaultsAnswerZerosAndFalse) {
  Minimal p;
  double lon = 7, lat = 7;
  p.GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 0.0);
  EXPECT_EQ(lat, 0.0);
  EXPECT_EQ(p.GetConvergence(10.0, 50.0), 0.0);
  double a = 1, b = 2, c = 3, d = 4;
  p.GetDefaultArea(&a, &b, &c, &d);
  EXPECT_EQ(a, 0.0);
  EXPECT_EQ(b, 0.0);
  EXPECT_EQ(c, 0.0);
  EXPECT_EQ(d, 0.0);
  EXPECT_FALSE(p.IsLocal());
  EXPECT_FALSE(p.IsGeographical());
  CKvEllipsoid e("keep", "K", 2.0, 3.0);
  EXPECT_FALSE(p.GetAnonymousEllipsoid(e));
  EXPECT_EQ(e.GetMajor(), 2.0);
  double derived[2] = {5, 5};
  p.GetDerivedParameters(derived);
  EXPECT_EQ(derived[0], 5.0);
  // free() destroys through the virtual destructor (LeakSanitizer checks).
  CKvProjection* copy = p.Clone();
  EXPECT_STREQ(copy->GetName(), "minimal");
  copy->free();
}
