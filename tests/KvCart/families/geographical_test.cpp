// Geographical coordinates with a prime meridian, and their record.
#include <gtest/gtest.h>

#include <memory>

#include "KvCart/families/CKvGeographical.h"
#include "KvCart/families/CKvGeographicalProjection.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCartDatabase.h"

TEST(Geographical, PrimeMeridianShiftsLongitudes) {
  CKvGeographical g("Shifted", 10.0, CKvEllipsoid("WGS 84", "WE", 6378137.0, 298.257223563));
  double x, y, lon, lat;
  g.Geo2Proj(15.0, 40.0, &x, &y);
  EXPECT_EQ(x, 5.0);
  EXPECT_EQ(y, 40.0);
  g.Geo2Proj(-175.0, 0.0, &x, &y);
  EXPECT_EQ(x, -185.0);  // projected x is not wrapped: grids stay continuous
  g.Proj2Geo(175.0, -20.0, &lon, &lat);
  EXPECT_EQ(lon, -175.0);  // output longitudes are normalised
  EXPECT_EQ(lat, -20.0);
  EXPECT_TRUE(g.IsGeographical());
  EXPECT_FALSE(g.IsLocal());
  g.GetOrigin(&lon, &lat);
  EXPECT_EQ(lon, 0.0);
  EXPECT_EQ(lat, 0.0);
  EXPECT_EQ(g.GetConvergence(50.0, 50.0), 0.0);
  double x0, y0, x1, y1;
  g.GetDefaultArea(&x0, &y0, &x1, &y1);
  EXPECT_EQ(x0, -190.0);
  EXPECT_EQ(y0, -60.0);
  EXPECT_EQ(x1, 170.0);
  EXPECT_EQ(y1, 81.0);
  CKvEllipsoid e;
  EXPECT_TRUE(g.GetAnonymousEllipsoid(e));
  EXPECT_EQ(e.GetMajor(), 6378137.0);
  std::unique_ptr<CKvProjection> clone(g.Clone());
  clone->Geo2Proj(15.0, 40.0, &x, &y);
  EXPECT_EQ(x, 5.0);
}

TEST(Geographical, RecordWithoutEllipsoidStillConverts) {
  DatabaseWithEllipsoids();
  CKvGeographicalProjection r("Plain", "Branch", "", 0.0);
  EXPECT_EQ(r.GetNoOfParameters(), 0);
  std::string label;
  double value = 3;
  CKvMapProjData::EParamType type;
  EXPECT_FALSE(r.GetParameter(0, label, value, type));
  EXPECT_TRUE(r.IsSectionID("GEOGRAPHICAL_PROJECTION"));
  EXPECT_EQ(r.GetProjectionTypeTitle(), "Geographical");
  std::unique_ptr<CKvProjection> p(r.CreateProjection());
  ASSERT_NE(p, nullptr);
  CKvEllipsoid e("keep", "K", 2.0, 0.0);
  EXPECT_FALSE(p->GetAnonymousEllipsoid(e));
  EXPECT_EQ(e.GetMajor(), 2.0);

  CKvGeographicalProjection withPm("Paris", "NTF", "WE", 2.33722917);
  std::unique_ptr<CKvProjection> paris(withPm.CreateProjection());
  double x, y;
  paris->Geo2Proj(2.33722917, 48.0, &x, &y);
  EXPECT_EQ(x, 0.0);

  CKvPRJParser prj(&withPm);
  EXPECT_EQ(prj.GetProjectionType(), CKvMapProjData::eGeographical);
  CString unit;
  double factor;
  prj.GetProjUnit(unit, factor);
  EXPECT_STREQ(unit.GetString(), "Degree");
  EXPECT_EQ(factor, 1.0);
}
