// The cartography: a projection plus a rotated local grid.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "FacadeTestSupport.h"
#include "KvCart/facade/CKvBufferList.h"
#include "KvCart/facade/CKvCartography.h"
#include "KvCart/facade/CKvMapProjection.h"

namespace {

class Cartography : public testing::Test {
 protected:
  void SetUp() override { kvtest::EnsureDatabase(); }
};

}  // namespace

TEST_F(Cartography, OriginAndNorthAngles) {
  const double lon0 = 11.0, lat0 = 56.0;
  const CKvCartography north("UTM-32", lon0, lat0, 0.0);
  const double gamma0 = north.GetProjection()->GetConvergence(lon0, lat0);
  ASSERT_GT(std::fabs(gamma0), 1.0);  // two degrees east of the central meridian
  EXPECT_DOUBLE_EQ(north.GetProjectionNorth(), -gamma0);
  EXPECT_NEAR(north.GetTrueNorth(0.0, 0.0), 0.0, 1e-12);
  double x, y;
  north.Geo2Xy(lon0, lat0, &x, &y);
  EXPECT_NEAR(x, 0.0, 1e-9);
  EXPECT_NEAR(y, 0.0, 1e-9);

  const CKvCartography turned("UTM-32", lon0, lat0, 30.0);
  EXPECT_NEAR(turned.GetTrueNorth(0.0, 0.0), 30.0, 1e-12);
  // Elsewhere true north follows the convergence of the projection.
  double lon, lat;
  turned.Xy2Geo(50000.0, -20000.0, &lon, &lat);
  EXPECT_NEAR(turned.GetTrueNorth(50000.0, -20000.0),
              30.0 - gamma0 + turned.GetProjection()->GetConvergence(lon, lat), 1e-12);
}

TEST_F(Cartography, GridAxesFollowTheProjectionNorthAngle) {
  // A grid whose projection-north angle is 0 is the projected system shifted
  // to the origin; at 90 degrees its x axis is the projection's -Y axis.
  const double lon0 = 9.0, lat0 = 50.0;  // on the central meridian: no convergence
  const CKvCartography shifted("UTM-32", lon0, lat0, 0.0);
  const CKvCartography quarter("UTM-32", lon0, lat0, 90.0);
  double x0, y0, px, py, x, y;
  shifted.Geo2Proj(lon0, lat0, &x0, &y0);
  shifted.Xy2Proj(100.0, 200.0, &px, &py);
  EXPECT_NEAR(px, x0 + 100.0, 1e-9);
  EXPECT_NEAR(py, y0 + 200.0, 1e-9);
  quarter.Proj2Xy(x0, y0 - 100.0, &x, &y);
  EXPECT_NEAR(x, 100.0, 1e-9);
  EXPECT_NEAR(y, 0.0, 1e-9);
}

TEST_F(Cartography, ConversionsAreInverses) {
  const CKvCartography grid("UTM-32", 10.3, 55.7, 37.5);
  for (double x : {-1e5, 0.0, 12345.678}) {
    for (double y : {-5e4, 0.0, 98765.4}) {
      double px, py, bx, by, lon, lat;
      grid.Xy2Proj(x, y, &px, &py);
      grid.Proj2Xy(px, py, &bx, &by);
      EXPECT_NEAR(bx, x, 1e-9);
      EXPECT_NEAR(by, y, 1e-9);
      // Through the projection and back: as good as its inverse, 0.1 mm.
      grid.Xy2Geo(x, y, &lon, &lat);
      grid.Geo2Xy(lon, lat, &bx, &by);
      EXPECT_NEAR(bx, x, 1e-4);
      EXPECT_NEAR(by, y, 1e-4);
    }
  }
  double ox, oy;
  CKvCartography::_csysrot(1.0, 0.0, 90.0, &ox, &oy);
  EXPECT_NEAR(ox, 0.0, 1e-15);
  EXPECT_NEAR(oy, -1.0, 1e-15);
}

TEST_F(Cartography, GenericUtmTakesTheZoneOfTheOrigin) {
  EXPECT_STREQ(CKvCartography("UTM", 9.0, 50.0, 0.0).GetProjectionName(), "UTM-32");
  EXPECT_STREQ(CKvCartography("UTM", -3.0, 50.0, 0.0).GetProjectionName(), "UTM-30");
  EXPECT_STREQ(CKvCartography("UTM", 180.0, 50.0, 0.0).GetProjectionName(), "UTM-60");
  EXPECT_THROW(CKvCartography(" UTM", 9.0, 50.0, 0.0), std::out_of_range);
}

TEST_F(Cartography, NullProjectionKeepsTheOrientationAndCopiesStayNull) {
  const CKvMapProjection none;
  const CKvCartography grid(none, 9.0, 50.0, 25.0);
  EXPECT_EQ(grid.GetProjection()->GetProjection(), nullptr);
  EXPECT_EQ(grid.GetProjectionNorth(), 25.0);
  EXPECT_EQ(grid.GetTrueNorth(10.0, 10.0), 25.0);
  const CKvCartography copy(grid);
  EXPECT_EQ(copy.GetProjection()->GetProjection(), nullptr);
  EXPECT_EQ(copy.GetProjectionNorth(), 25.0);

  CKvCartography assigned("UTM-32", 9.0, 50.0, 0.0);
  assigned = grid;
  EXPECT_EQ(assigned.GetProjection()->GetProjection(), nullptr);
  CKvCartography utm("UTM-32", 11.0, 55.0, 10.0);
  assigned = utm;
  double x1, y1, x2, y2;
  utm.Geo2Xy(11.5, 55.5, &x1, &y1);
  assigned.Geo2Xy(11.5, 55.5, &x2, &y2);
  EXPECT_NEAR(x1, x2, 1e-9);
  EXPECT_NEAR(y1, y2, 1e-9);
}

TEST_F(Cartography, ConvertFromAnotherProjection) {
  const CKvCartography utm32("UTM-32", 12.0, 55.0, 0.0);
  const CKvCartography utm33("UTM-33", 12.0, 55.0, 45.0);
  double x32, y32, x33, y33, direct33x, direct33y;
  utm32.Geo2Proj(12.0, 55.0, &x32, &y32);
  utm33.ConvertFrom(utm32, x32, y32, &x33, &y33);
  utm33.Geo2Proj(12.0, 55.0, &direct33x, &direct33y);
  EXPECT_NEAR(x33, direct33x, 1e-4);  // one projection inverse on the way
  EXPECT_NEAR(y33, direct33y, 1e-4);
}

TEST(BufferList, FindsByDisplayNameAndTruncatesByType) {
  kvtest::EnsureDatabase();
  CKvBufferList recent;
  const std::string utm32 = CKvMapProjection("UTM-32").GetProjectionString();
  recent.push_back("LONG/LAT");
  recent.push_back(utm32.c_str());
  recent.push_back("NON-UTM");
  recent.push_back("UTM-33");
  recent.push_back("UTM-34");
  EXPECT_EQ(recent.FindMapProjection("UTM-32"), std::next(recent.begin()));
  EXPECT_EQ(recent.FindMapProjection("UTM-35"), recent.end());
  EXPECT_EQ(recent.FindMapProjection(" NON-UTM"), std::next(recent.begin(), 2));
  recent.TruncateToSize(1, 2);  // keeps the first two projected systems
  ASSERT_EQ(recent.size(), 4u);
  EXPECT_EQ(recent.back(), "UTM-33");
  recent.TruncateToSize(1, 0);
  ASSERT_EQ(recent.size(), 1u);
  EXPECT_EQ(recent.front(), "LONG/LAT");
}
