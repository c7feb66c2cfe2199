/* Data-driven checks of a projection family against PROJ.
 *
 * A case names a projection object (built by the test), the PROJ string of
 * the same definition and the area of use; the check projects a 5 x 4 grid
 * of points spread over the area with both, expects the grid coordinates to
 * agree to 1 mm, and our inverse of our forward to return the input within
 * the case's tolerance (1e-9 degrees where the inverse iterates, 1e-8 where
 * it is a truncated series). */
#ifndef KORACORE_TESTS_KVCART_FAMILYORACLE_H
#define KORACORE_TESTS_KVCART_FAMILYORACLE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvProjection.h"
#include "ProjOracle.h"

using ProjectionPtr = std::unique_ptr<CKvProjection>;

struct OracleCase {
  const char* label;
  std::function<CKvProjection*()> make;
  std::string proj;
  double west, east, south, north;  // area of use, degrees
  double inverseTolerance;          // degrees
};

// The points of a case: 5 longitudes by 4 latitudes, edges included.
template <class Fn>
void ForAreaPoints(const OracleCase& c, Fn fn) {
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 4; ++j)
      fn(c.west + (c.east - c.west) * i / 4.0, c.south + (c.north - c.south) * j / 3.0);
  }
}

// Prints the worst distance from PROJ (m) and the worst round trip (degrees)
// of the case, for the record of how close the family comes.
inline void CheckAgainstProj(const OracleCase& c) {
  SCOPED_TRACE(c.label);
  ProjectionPtr ours(c.make());
  ASSERT_TRUE(ours) << "no projection";
  ProjOracle proj(c.proj);
  double worstDistance = 0.0, worstRoundTrip = 0.0;
  ForAreaPoints(c, [&](double lon, double lat) {
    double x, y, px, py, lon2, lat2;
    ours->Geo2Proj(lon, lat, &x, &y);
    proj.Forward(lon, lat, &px, &py);
    EXPECT_NEAR(x, px, 1e-3) << "easting at " << lon << ", " << lat;
    EXPECT_NEAR(y, py, 1e-3) << "northing at " << lon << ", " << lat;
    ours->Proj2Geo(x, y, &lon2, &lat2);
    const double dLon = kvcart::NormalizeLongitude(lon2 - lon);
    EXPECT_NEAR(dLon, 0.0, c.inverseTolerance) << "longitude back at " << lon << ", " << lat;
    EXPECT_NEAR(lat2, lat, c.inverseTolerance) << "latitude back at " << lon << ", " << lat;
    worstDistance = std::max(worstDistance, std::hypot(x - px, y - py));
    worstRoundTrip = std::max({worstRoundTrip, std::fabs(dLon), std::fabs(lat2 - lat)});
  });
  std::printf("%s: %.2g m from PROJ, round trip %.2g deg\n", c.label, worstDistance,
              worstRoundTrip);
}

#endif
