// New Zealand Map Grid against PROJ's nzmg (the same published series) over
// New Zealand and its waters, and the grid's fixed points.
#include <gtest/gtest.h>

#include <cmath>

#include "FamilyOracle.h"
#include "KvCart/families/CKvNewZealandMapGrid.h"

namespace {

const CKvEllipsoid kInternational("International 1924", "IN", 6378388.0, 297.0);

// The only grid of the family. (PROJ fixes the grid's origin and false
// origin whatever the string says, so it is no oracle for other values.)
const OracleCase kCases[] = {
    {"NZGD49 / New Zealand Map Grid (EPSG:27200)",
     [] { return new CKvNewZealandMapGrid("NZMG", 173, -41, 2510000, 6023150, kInternational); },
     "+proj=nzmg +lat_0=-41 +lon_0=173 +x_0=2510000 +y_0=6023150 +ellps=intl", 166, 179, -47.5, -34,
     1e-9},
};

}  // namespace

TEST(NewZealandMapGrid, AgreesWithProj) {
  for (const OracleCase& c : kCases) CheckAgainstProj(c);
}

// The inverse is the published one (C start, Newton on B, D series), as
// PROJ's: both agree far below the round-trip error of the D series.
TEST(NewZealandMapGrid, InverseAgreesWithProjsInverse) {
  CKvNewZealandMapGrid nzmg("NZMG", 173, -41, 2510000, 6023150, kInternational);
  ProjOracle proj("+proj=nzmg +lat_0=-41 +lon_0=173 +x_0=2510000 +y_0=6023150 +ellps=intl");
  for (double e = 2000000.0; e <= 3000000.0; e += 125000.0) {
    for (double n = 5300000.0; n <= 6800000.0; n += 150000.0) {
      double lon, lat, plon, plat;
      nzmg.Proj2Geo(e, n, &lon, &lat);
      proj.Inverse(e, n, &plon, &plat);
      EXPECT_NEAR(lon, plon, 1e-11) << e << ", " << n;
      EXPECT_NEAR(lat, plat, 1e-11) << e << ", " << n;
    }
  }
}

TEST(NewZealandMapGrid, OriginIsTheFalseOriginExactly) {
  CKvNewZealandMapGrid nzmg("NZMG", 173, -41, 2510000, 6023150, kInternational);
  double x, y, lon, lat;
  nzmg.Geo2Proj(173, -41, &x, &y);
  EXPECT_EQ(x, 2510000.0);
  EXPECT_EQ(y, 6023150.0);
  nzmg.Proj2Geo(2510000, 6023150, &lon, &lat);
  EXPECT_EQ(lon, 173.0);
  EXPECT_EQ(lat, -41.0);
}

TEST(NewZealandMapGrid, DefaultAreaIsFixedWhateverTheParameters) {
  for (double lon0 : {173.0, 0.0}) {
    CKvNewZealandMapGrid nzmg("NZMG", lon0, -41, 0, 0, kInternational);
    double x0, y0, x1, y1;
    nzmg.GetDefaultArea(&x0, &y0, &x1, &y1);
    EXPECT_EQ(x0, 2000000.0);
    EXPECT_EQ(y0, 5300000.0);
    EXPECT_EQ(x1, 3000000.0);
    EXPECT_EQ(y1, 6800000.0);
  }
}

// Longitudes are reduced before the series: 173 + 360 is the origin, and
// the Chatham Islands east of the antimeridian (-176.5) lie east of it.
TEST(NewZealandMapGrid, LongitudesAreReducedAndOutputsNormalised) {
  CKvNewZealandMapGrid nzmg("NZMG", 173, -41, 2510000, 6023150, kInternational);
  double x, y, lon, lat;
  nzmg.Geo2Proj(173.0 + 360.0, -41, &x, &y);
  EXPECT_NEAR(x, 2510000.0, 1e-6);
  nzmg.Geo2Proj(-176.5, -44, &x, &y);
  EXPECT_GT(x, 3000000.0);
  nzmg.Proj2Geo(x, y, &lon, &lat);
  EXPECT_NEAR(lon, -176.5, 1e-8);
  EXPECT_NEAR(lat, -44.0, 1e-8);
}

// The numeric convergence (a centred difference of one arc-minute) is good
// to a few 1e-7 degrees on this strongly curved series; PROJ's numeric
// derivative is of the same order.
TEST(NewZealandMapGrid, ConvergenceMatchesProj) {
  CKvNewZealandMapGrid nzmg("NZMG", 173, -41, 2510000, 6023150, kInternational);
  ProjOracle proj("+proj=nzmg +lat_0=-41 +lon_0=173 +x_0=2510000 +y_0=6023150 +ellps=intl");
  for (double lon : {167.0, 173.0, 178.0}) {
    for (double lat : {-46.0, -41.0, -35.0}) {
      EXPECT_NEAR(nzmg.GetConvergence(lon, lat),
                  proj.Factors(lon, lat).meridian_convergence * kvcart::kRadToDeg, 3e-6)
          << lon << ", " << lat;
    }
  }
}
