// Transverse Mercator and UTM against PROJ's exact transverse Mercator
// (etmerc, Poder/Engsager to high order): forward to 0.1 mm, inverse round
// trips, convergence and scale, and the edges of the domain.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <thread>
#include <vector>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/families/CKvTransverseMercator.h"
#include "KvCart/families/CKvTransverseMercatorJHS.h"
#include "ProjOracle.h"

namespace {

const CKvEllipsoid kWgs84("WGS 84", "WE", 6378137.0, 298.257223563);

CKvTransverseMercatorJHS Utm(int zone) {
  return CKvTransverseMercatorJHS("UTM-" + std::to_string(zone), 0.9996, 6.0 * zone - 183.0, 0.0,
                                  500000.0, 0.0, kWgs84);
}

ProjOracle UtmOracle(int zone) {
  return ProjOracle("+proj=utm +zone=" + std::to_string(zone) + " +ellps=WGS84");
}

// Points within 6 degrees of the central meridian, latitudes -84..84.
template <class Fn>
void ForZonePoints(double lon0, Fn fn) {
  for (double lat = -84.0; lat <= 84.0; lat += 3.5) {
    for (double dl = -6.0; dl <= 6.0; dl += 0.75) fn(lon0 + dl, lat);
  }
}

}  // namespace

TEST(TransverseMercator, UtmForwardMatchesProjToTenthMillimetre) {
  for (int zone : {1, 32, 60}) {
    CKvTransverseMercatorJHS tm = Utm(zone);
    ProjOracle proj = UtmOracle(zone);
    ForZonePoints(6.0 * zone - 183.0, [&](double lon, double lat) {
      double x, y, px, py;
      tm.Geo2Proj(lon, lat, &x, &y);
      proj.Forward(lon, lat, &px, &py);
      EXPECT_NEAR(x, px, 1e-4) << "zone " << zone << " at " << lon << ", " << lat;
      EXPECT_NEAR(y, py, 1e-4) << "zone " << zone << " at " << lon << ", " << lat;
    });
  }
}

TEST(TransverseMercator, InverseOfForwardReturnsTheInput) {
  for (int zone : {1, 32}) {
    CKvTransverseMercatorJHS jhs = Utm(zone);
    CKvTransverseMercator alt("alt", 0.9996, 6.0 * zone - 183.0, 0.0, 500000.0, 0.0, kWgs84);
    ProjOracle proj = UtmOracle(zone);
    ForZonePoints(6.0 * zone - 183.0, [&](double lon, double lat) {
      for (const CKvProjection* p :
           {static_cast<const CKvProjection*>(&jhs), static_cast<const CKvProjection*>(&alt)}) {
        double x, y, lon2, lat2;
        p->Geo2Proj(lon, lat, &x, &y);
        p->Proj2Geo(x, y, &lon2, &lat2);
        EXPECT_NEAR(std::remainder(lon2 - lon, 360.0), 0.0, 1e-9) << lon << ", " << lat;
        EXPECT_NEAR(lat2, lat, 1e-9) << lon << ", " << lat;
        // And back to the grid: the fourth-order forward and inverse Krueger
        // series are inverses of each other to a few micrometres at 6 degrees.
        double x2, y2;
        p->Geo2Proj(lon2, lat2, &x2, &y2);
        EXPECT_NEAR(x2, x, 5e-6);
        EXPECT_NEAR(y2, y, 5e-6);
        double plon, plat;
        proj.Inverse(x, y, &plon, &plat);
        EXPECT_NEAR(std::remainder(lon2 - plon, 360.0), 0.0, 1e-9);
      }
    });
  }
}

TEST(TransverseMercator, ScaleAndConvergenceMatchProjFactors) {
  CKvTransverseMercatorJHS jhs = Utm(32);
  CKvTransverseMercator alt("alt", 0.9996, 9.0, 0.0, 500000.0, 0.0, kWgs84);
  ProjOracle proj = UtmOracle(32);
  ForZonePoints(9.0, [&](double lon, double lat) {
    PJ_FACTORS f = proj.Factors(lon, lat);
    EXPECT_NEAR(jhs.GetScaleFactor(lon, lat), f.meridional_scale, 1e-9) << lon << ", " << lat;
    EXPECT_NEAR(alt.GetScaleFactor(lon, lat), f.meridional_scale, 1e-9) << lon << ", " << lat;
    double gamma = f.meridian_convergence * 180.0 / M_PI;
    EXPECT_NEAR(jhs.GetConvergence(lon, lat), gamma, 1e-9) << lon << ", " << lat;
    EXPECT_NEAR(alt.GetConvergence(lon, lat), gamma, 1e-9) << lon << ", " << lat;
  });
  EXPECT_NEAR(jhs.GetScaleFactor(9.0, 0.0), 0.9996, 1e-15);
  EXPECT_EQ(jhs.GetConvergence(9.0, 45.0), 0.0);
}

// The convergence follows the mapping itself, so it holds far from the
// central meridian too: the closed series in the longitude difference is
// 3 arc-seconds off at 20 degrees and gave 397 degrees at 170 degrees, on
// the far side of the earth, where the mapping itself is still exact.
TEST(TransverseMercator, ConvergenceHoldsFarFromTheCentralMeridian) {
  CKvTransverseMercatorJHS jhs = Utm(32);
  CKvTransverseMercator alt("alt", 0.9996, 9.0, 0.0, 500000.0, 0.0, kWgs84);
  ProjOracle proj = UtmOracle(32);
  for (const CKvProjection* p :
       {static_cast<const CKvProjection*>(&jhs), static_cast<const CKvProjection*>(&alt)}) {
    for (double dl : {-40.0, -20.0, 30.0}) {
      for (double lat : {-70.0, -15.0, 5.0, 50.0}) {
        double gamma = proj.Factors(9.0 + dl, lat).meridian_convergence * kvcart::kRadToDeg;
        EXPECT_NEAR(p->GetConvergence(9.0 + dl, lat), gamma, 1e-8) << dl << ", " << lat;
      }
    }
    // Beyond a quarter turn, against the direction of the projected meridian.
    for (double dl : {120.0, 170.0, -150.0}) {
      for (double lat : {-40.0, 10.0, 60.0}) {
        double x1, y1, x2, y2;
        p->Geo2Proj(9.0 + dl, lat - 1e-4, &x1, &y1);
        p->Geo2Proj(9.0 + dl, lat + 1e-4, &x2, &y2);
        double numeric = std::atan2(x1 - x2, y2 - y1) * kvcart::kRadToDeg;
        double gamma = p->GetConvergence(9.0 + dl, lat);
        EXPECT_NEAR(std::remainder(gamma - numeric, 360.0), 0.0, 1e-6) << dl << ", " << lat;
        EXPECT_LE(std::fabs(gamma), 180.0);
      }
    }
  }
}

// A national grid with an origin off the equator (British National Grid on
// Airy 1830), through both classes.
TEST(TransverseMercator, OriginLatitudeAndFalseOrigin) {
  CKvEllipsoid airy("Airy 1830", "AA", 6377563.396, 299.3249646);
  CKvTransverseMercatorJHS jhs("OSGB", 0.9996012717, -2.0, 49.0, 400000.0, -100000.0, airy);
  CKvTransverseMercator alt("OSGB", 0.9996012717, -2.0, 49.0, 400000.0, -100000.0, airy);
  ProjOracle proj(
      "+proj=etmerc +lat_0=49 +lon_0=-2 +k=0.9996012717 +x_0=400000 +y_0=-100000 "
      "+a=6377563.396 +rf=299.3249646");
  for (double lat = 49.0; lat <= 61.0; lat += 2.0) {
    for (double lon = -8.0; lon <= 2.0; lon += 2.5) {
      double x, y, ax, ay, px, py;
      jhs.Geo2Proj(lon, lat, &x, &y);
      alt.Geo2Proj(lon, lat, &ax, &ay);
      proj.Forward(lon, lat, &px, &py);
      EXPECT_NEAR(x, px, 1e-4);
      EXPECT_NEAR(y, py, 1e-4);
      EXPECT_NEAR(ax, px, 1e-4);
      EXPECT_NEAR(ay, py, 1e-4);
    }
  }
  double x, y;
  jhs.Geo2Proj(-2.0, 49.0, &x, &y);
  EXPECT_NEAR(x, 400000.0, 1e-8);
  EXPECT_NEAR(y, -100000.0, 1e-8);
  double lon0, lat0;
  jhs.GetOrigin(&lon0, &lat0);
  EXPECT_EQ(lon0, -2.0);
  EXPECT_EQ(lat0, 49.0);
}

// An origin at the pole uses the closed meridian distance; within a
// relative 1e-12 of it as well.
TEST(TransverseMercator, OriginAtThePole) {
  ProjOracle proj("+proj=etmerc +lat_0=90 +lon_0=0 +k=1 +x_0=0 +y_0=0 +ellps=WGS84");
  for (double lat0 : {90.0, 90.0 * (1.0 - 1e-13), -90.0}) {
    CKvTransverseMercatorJHS tm("polar", 1.0, 0.0, lat0, 0.0, 0.0, kWgs84);
    double x, y;
    tm.Geo2Proj(0.0, lat0 > 0 ? 90.0 : -90.0, &x, &y);
    EXPECT_NEAR(x, 0.0, 1e-9);
    EXPECT_NEAR(y, 0.0, 1e-6);
  }
  CKvTransverseMercatorJHS tm("polar", 1.0, 0.0, 90.0, 0.0, 0.0, kWgs84);
  double x, y, px, py;
  tm.Geo2Proj(3.0, 60.0, &x, &y);
  proj.Forward(3.0, 60.0, &px, &py);
  EXPECT_NEAR(x, px, 1e-4);
  EXPECT_NEAR(y, py, 1e-4);
}

// The literal formulas put a point near the antimeridian thousands of km
// off and gave a convergence of -609 degrees at 179E in UTM-1.
TEST(TransverseMercator, AntimeridianLongitudesAreReduced) {
  CKvTransverseMercatorJHS utm1 = Utm(1);
  CKvTransverseMercatorJHS utm60 = Utm(60);
  ProjOracle proj1 = UtmOracle(1);
  double x, y, px, py;
  utm1.Geo2Proj(179.0, 10.0, &x, &y);
  proj1.Forward(179.0, 10.0, &px, &py);
  EXPECT_NEAR(x, px, 1e-4);
  EXPECT_NEAR(y, py, 1e-4);
  EXPECT_NEAR(utm1.GetConvergence(179.0, 10.0), -4.0 * std::sin(10.0 * M_PI / 180), 0.01);
  // 4 degrees west of the central meridian, as 4 degrees east.
  EXPECT_NEAR(utm1.GetScaleFactor(179.0, 10.0), utm1.GetScaleFactor(-173.0, 10.0), 1e-15);
  // The same point given as -181 or 539 degrees maps to the same place.
  double x2, y2;
  utm1.Geo2Proj(-181.0, 10.0, &x2, &y2);
  EXPECT_DOUBLE_EQ(x2, x);
  utm1.Geo2Proj(539.0, 10.0, &x2, &y2);
  EXPECT_DOUBLE_EQ(x2, x);
  // Output longitudes are normalised: east of 180 comes back negative.
  double lon, lat;
  utm60.Geo2Proj(-178.5, 20.0, &x, &y);
  utm60.Proj2Geo(x, y, &lon, &lat);
  EXPECT_NEAR(lon, -178.5, 1e-9);
  utm60.Proj2Geo(500000.0, 0.0, &lon, &lat);
  EXPECT_EQ(lon, 177.0);
}

TEST(TransverseMercator, LocalSystemPassesCoordinatesThrough) {
  for (const char* name : {"NON-UTM", ""}) {
    CKvTransverseMercatorJHS tm(name, 0.0, 0.0, 0.0, 0.0, 0.0, CKvEllipsoid("", "", 0.0, 0.0));
    EXPECT_TRUE(tm.IsLocal());
    EXPECT_STREQ(tm.GetName(), "NON-UTM");
    double x, y;
    tm.Geo2Proj(123.4, 56.7, &x, &y);
    EXPECT_EQ(x, 123.4);
    EXPECT_EQ(y, 56.7);
    tm.Proj2Geo(-5.5, 1e7, &x, &y);
    EXPECT_EQ(x, -5.5);
    EXPECT_EQ(y, 1e7);
    EXPECT_EQ(tm.GetConvergence(10.0, 10.0), 0.0);
    double x0, y0, x1, y1;
    tm.GetDefaultArea(&x0, &y0, &x1, &y1);
    EXPECT_EQ(x0, 0.0);
    EXPECT_EQ(y0, 0.0);
    EXPECT_EQ(x1, 10000.0);
    EXPECT_EQ(y1, 10000.0);
    CKvEllipsoid untouched("keep", "K", 5.0, 5.0);
    EXPECT_FALSE(tm.GetAnonymousEllipsoid(untouched));
    EXPECT_EQ(untouched.GetMajor(), 5.0);
  }
}

TEST(TransverseMercator, DefaultAreaEllipsoidCloneAndName) {
  CKvTransverseMercatorJHS utm32 = Utm(32);
  double x0, y0, x1, y1, ex0, ey0, ex1, ey1;
  utm32.GetDefaultArea(&x0, &y0, &x1, &y1);
  utm32.Geo2Proj(6.0, -3.0, &ex0, &ey0);
  utm32.Geo2Proj(12.0, 3.0, &ex1, &ey1);
  EXPECT_EQ(x0, ex0);
  EXPECT_EQ(y0, ey0);
  EXPECT_EQ(x1, ex1);
  EXPECT_EQ(y1, ey1);

  CKvEllipsoid anonymous;
  ASSERT_TRUE(utm32.GetAnonymousEllipsoid(anonymous));
  EXPECT_TRUE(anonymous.IsEquivalent(kWgs84));
  CKvTransverseMercatorJHS sphere("s", 1.0, 0.0, 0.0, 0.0, 0.0, CKvEllipsoid("", "", 6371000, -3));
  ASSERT_TRUE(sphere.GetAnonymousEllipsoid(anonymous));
  EXPECT_EQ(anonymous.GetInvFlatness(), 0.0);

  std::unique_ptr<CKvProjection> clone(utm32.Clone());
  double x, y, cx, cy;
  utm32.Geo2Proj(10.5, 51.0, &x, &y);
  clone->Geo2Proj(10.5, 51.0, &cx, &cy);
  EXPECT_EQ(x, cx);
  EXPECT_EQ(y, cy);
  EXPECT_STREQ(clone->GetName(), "UTM-32");

  // Names longer than the 256-byte buffer are cut, never overrun.
  std::string longName(1000, 'N');
  CKvTransverseMercatorJHS named(longName, 1.0, 0.0, 0.0, 0.0, 0.0, kWgs84);
  EXPECT_EQ(std::string(named.GetName()), longName.substr(0, 255));
}

TEST(TransverseMercator, SouthOrientatedNegatesBothAxes) {
  CKvTransverseMercatorJHS north("Lo15", 1.0, 15.0, 0.0, 0.0, 0.0, kWgs84);
  CKvTransverseMercatorJHS south("Lo15", 1.0, 15.0, 0.0, 0.0, 0.0, kWgs84, true);
  ProjOracle proj("+proj=tmerc +axis=wsu +lon_0=15 +k=1 +x_0=0 +y_0=0 +ellps=WGS84");
  double x, y, sx, sy, px, py, lon, lat;
  north.Geo2Proj(16.5, -29.0, &x, &y);
  south.Geo2Proj(16.5, -29.0, &sx, &sy);
  proj.Forward(16.5, -29.0, &px, &py);
  EXPECT_EQ(sx, -x);
  EXPECT_EQ(sy, -y);
  south.Proj2Geo(sx, sy, &lon, &lat);
  EXPECT_NEAR(lon, 16.5, 1e-9);
  EXPECT_NEAR(lat, -29.0, 1e-9);
  // With a false origin: westing = FE - E, southing = FN - N (EPSG 9808).
  CKvTransverseMercatorJHS offset("Lo15", 1.0, 15.0, 0.0, 1000.0, 2000.0, kWgs84, true);
  offset.Geo2Proj(16.5, -29.0, &sx, &sy);
  EXPECT_NEAR(sx, 1000.0 - x, 1e-9);
  EXPECT_NEAR(sy, 2000.0 - y, 1e-9);
}

TEST(TransverseMercator, InvalidInputGivesNaNNotACrash) {
  CKvTransverseMercatorJHS utm32 = Utm(32);
  CKvTransverseMercator alt("alt", 0.9996, 9.0, 0.0, 500000.0, 0.0, kWgs84);
  for (const CKvProjection* p :
       {static_cast<const CKvProjection*>(&utm32), static_cast<const CKvProjection*>(&alt)}) {
    double x = 0, y = 0;
    p->Geo2Proj(9.0, 90.5, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y));
    p->Geo2Proj(NAN, 45.0, &x, &y);
    EXPECT_TRUE(std::isnan(x));
    double lon = 0, lat = 0;
    p->Proj2Geo(NAN, 0.0, &lon, &lat);
    EXPECT_TRUE(std::isnan(lon));
    p->Proj2Geo(1e300, 1e300, &lon, &lat);  // terminates
  }
  // The poles themselves are valid.
  double x, y, lon, lat;
  utm32.Geo2Proj(9.0, 90.0, &x, &y);
  utm32.Proj2Geo(x, y, &lon, &lat);
  EXPECT_NEAR(lat, 90.0, 1e-9);
}

// A scale of 0 (a definition read without its "Scale" keyword) put every
// point on the false origin; it gives NaN now. The local system keeps its
// zero scale and passes coordinates through.
TEST(TransverseMercator, ZeroScaleGivesNaN) {
  CKvTransverseMercatorJHS jhs("no scale", 0.0, 9.0, 0.0, 500000.0, 0.0, kWgs84);
  CKvTransverseMercator alt("no scale", 0.0, 9.0, 0.0, 500000.0, 0.0, kWgs84);
  for (const CKvProjection* p :
       {static_cast<const CKvProjection*>(&jhs), static_cast<const CKvProjection*>(&alt)}) {
    double x, y, lon, lat;
    p->Geo2Proj(10.0, 50.0, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << x << " " << y;
    p->Proj2Geo(500000.0, 0.0, &lon, &lat);
    EXPECT_TRUE(std::isnan(lon) && std::isnan(lat)) << lon << " " << lat;
  }
  CKvTransverseMercatorJHS local("NON-UTM", 0.0, 0.0, 0.0, 0.0, 0.0, kWgs84);
  double x, y;
  local.Geo2Proj(3.0, 4.0, &x, &y);
  EXPECT_EQ(x, 3.0);
  EXPECT_EQ(y, 4.0);
}

// Conversions only read the object: four threads on one object give the
// results of one thread, bit for bit (and nothing for ThreadSanitizer).
TEST(TransverseMercator, ConcurrentConversionsOnOneObject) {
  const CKvTransverseMercatorJHS utm = Utm(33);
  std::vector<double> lons, lats, xs, ys;
  ForZonePoints(15.0, [&](double lon, double lat) {
    double x, y;
    utm.Geo2Proj(lon, lat, &x, &y);
    lons.push_back(lon);
    lats.push_back(lat);
    xs.push_back(x);
    ys.push_back(y);
  });
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 20; ++round) {
        for (size_t i = 0; i < lons.size(); ++i) {
          double x, y, lon, lat;
          utm.Geo2Proj(lons[i], lats[i], &x, &y);
          utm.Proj2Geo(xs[i], ys[i], &lon, &lat);
          if (x != xs[i] || y != ys[i] || std::fabs(lat - lats[i]) > 1e-9) ++mismatches[t];
          utm.GetConvergence(lons[i], lats[i]);
          utm.GetScaleFactor(lons[i], lats[i]);
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int m : mismatches) EXPECT_EQ(m, 0);
}
