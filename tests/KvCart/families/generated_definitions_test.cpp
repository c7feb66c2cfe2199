// The generated definitions of the database (UTM zones, "NON-UTM",
// "LONG/LAT") and the UTM zone of a longitude.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "KvCart/core/CKvProjection.h"
#include "KvCart/families/CKvTransverseMercatorProjection.h"
#include "KvCart/families/GeneratedDefinitions.h"
#include "KvCartDatabase.h"

TEST(GeneratedDefinitions, UtmZoneEdges) {
  using kvcart::UtmZoneOfLongitude;
  EXPECT_EQ(UtmZoneOfLongitude(9.0), 32);
  EXPECT_EQ(UtmZoneOfLongitude(6.0), 32);  // a zone's western meridian is its own
  EXPECT_EQ(UtmZoneOfLongitude(5.999999), 31);
  EXPECT_EQ(UtmZoneOfLongitude(0.0), 31);
  EXPECT_EQ(UtmZoneOfLongitude(-0.0), 31);
  EXPECT_EQ(UtmZoneOfLongitude(-180.0), 1);
  EXPECT_EQ(UtmZoneOfLongitude(180.0), 60);  // never "UTM-61"
  EXPECT_EQ(UtmZoneOfLongitude(179.9999), 60);
  EXPECT_EQ(UtmZoneOfLongitude(-180.0001), 60);
  EXPECT_EQ(UtmZoneOfLongitude(190.0), 2);
  EXPECT_EQ(UtmZoneOfLongitude(369.0), 32);
  EXPECT_EQ(UtmZoneOfLongitude(-1e9), UtmZoneOfLongitude(std::remainder(-1e9, 360.0)));
  EXPECT_EQ(UtmZoneOfLongitude(NAN), 0);
  EXPECT_EQ(UtmZoneOfLongitude(INFINITY), 0);
  EXPECT_EQ(kvcart::UtmZoneName(7), "UTM-7");
}

TEST(GeneratedDefinitions, UtmZonesAreFixedTransverseMercators) {
  DatabaseWithEllipsoids();
  EXPECT_EQ(std::unique_ptr<CKvMapProjData>(kvcart::CreateUtmDefinition(0)), nullptr);
  EXPECT_EQ(std::unique_ptr<CKvMapProjData>(kvcart::CreateUtmDefinition(61)), nullptr);
  for (int zone = 1; zone <= 60; ++zone) {
    std::unique_ptr<CKvMapProjData> r(kvcart::CreateUtmDefinition(zone));
    auto& tm = dynamic_cast<CKvTransverseMercatorProjection&>(*r);
    EXPECT_EQ(tm.GetName(), "UTM-" + std::to_string(zone));
    EXPECT_EQ(tm.GetBranchName(), "UTM Projections");
    EXPECT_EQ(tm.GetEllipsoidID(), "WE");
    EXPECT_EQ(tm.GetCentre(), 6.0 * zone - 183.0);
    EXPECT_EQ(tm.GetScale(), 0.9996);
    EXPECT_EQ(tm.GetFalseEasting(), 500000.0);
    EXPECT_FALSE(tm.CanEdit());
    EXPECT_FALSE(tm.CanDelete());
    std::unique_ptr<CKvProjection> p(tm.CreateProjection());
    ASSERT_NE(p, nullptr);
    double x, y;
    p->Geo2Proj(6.0 * zone - 183.0, 0.0, &x, &y);
    EXPECT_NEAR(x, 500000.0, 1e-9);
  }
}

TEST(GeneratedDefinitions, LocalGridAndLongLat) {
  std::unique_ptr<CKvMapProjData> local(kvcart::CreateLocalGridDefinition());
  EXPECT_EQ(local->GetName(), "NON-UTM");
  EXPECT_EQ(local->GetBranchName(), "Non UTM Projections");
  EXPECT_EQ(local->GetEllipsoidID(), "");
  std::unique_ptr<CKvProjection> lp(local->CreateProjection());
  ASSERT_NE(lp, nullptr);
  EXPECT_TRUE(lp->IsLocal());

  std::unique_ptr<CKvMapProjData> longLat(kvcart::CreateLongLatDefinition());
  EXPECT_EQ(longLat->GetName(), "LONG/LAT");
  EXPECT_EQ(longLat->GetProjectionType(), CKvMapProjData::eGeographical);
  EXPECT_FALSE(longLat->CanEdit());
  std::unique_ptr<CKvProjection> gp(longLat->CreateProjection());
  ASSERT_NE(gp, nullptr);  // no ellipsoid needed
  EXPECT_TRUE(gp->IsGeographical());
}
