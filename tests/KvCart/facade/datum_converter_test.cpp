// The datum converter against PROJ (test-only oracle): a position-vector
// Helmert pipeline through earth-centred coordinates on both ellipsoids.
#include <gtest/gtest.h>
#include <proj.h>

#include <memory>
#include <string>

#include "FacadeTestSupport.h"
#include "KvCart/facade/CKvDatumConverter.h"
#include "KvCart/facade/CKvMapProjection.h"

namespace {

using kvtest::Num;
using kvtest::TmWkt;

// ED50 (International 1924) and DHDN (Bessel 1841) with seven-parameter
// shifts to WGS 84, rotations in arc-seconds and scale in ppm.
const double kEd50[7] = {-89.5, -93.8, -123.1, 0.0, 0.0, -0.156, 1.2};
const double kDhdn[7] = {598.1, 73.7, 418.2, 0.202, 0.045, -2.455, 6.7};

std::string Towgs84(const double* p) {
  std::string text = ",TOWGS84[";
  for (int i = 0; i < 7; ++i) text += (i ? "," : "") + Num(p[i]);
  return text + "]";
}

std::string Helmert(const double* p) {
  return "+proj=helmert +x=" + Num(p[0]) + " +y=" + Num(p[1]) + " +z=" + Num(p[2]) +
         " +rx=" + Num(p[3]) + " +ry=" + Num(p[4]) + " +rz=" + Num(p[5]) + " +s=" + Num(p[6]) +
         " +convention=position_vector";
}

const std::string kSource =
    TmWkt("ED50 TM9", "International 1924", 6378388.0, 297.0, 9.0, Towgs84(kEd50));
const std::string kTarget =
    TmWkt("DHDN TM9", "Bessel 1841", 6377397.155, 299.1528128, 9.0, Towgs84(kDhdn));
const std::string kTm = " +proj=tmerc +lon_0=9 +k=0.9996 +x_0=500000 +y_0=0";
const std::string kGeoPipeline = "+proj=pipeline +step +proj=cart +ellps=intl +step " +
                                 Helmert(kEd50) + " +step +inv " + Helmert(kDhdn) +
                                 " +step +inv +proj=cart +ellps=bessel";
const std::string kProjPipeline =
    "+proj=pipeline +step +inv" + kTm + " +ellps=intl" + " +step +proj=cart +ellps=intl +step " +
    Helmert(kEd50) + " +step +inv " + Helmert(kDhdn) +
    " +step +inv +proj=cart +ellps=bessel +step" + kTm + " +ellps=bessel";

using PjPtr = std::unique_ptr<PJ, decltype(&proj_destroy)>;

PjPtr Pipeline(const std::string& definition) {
  return PjPtr(proj_create(PJ_DEFAULT_CTX, definition.c_str()), proj_destroy);
}

class DatumConverter : public testing::Test {
 protected:
  void SetUp() override { kvtest::EnsureDatabase(); }
};

}  // namespace

TEST_F(DatumConverter, SevenParameterShiftsMatchAProjHelmertPipeline) {
  PjPtr geo = Pipeline(kGeoPipeline);
  PjPtr proj = Pipeline(kProjPipeline);
  ASSERT_NE(geo, nullptr);
  ASSERT_NE(proj, nullptr);
  CKvDatumConverter converter(kSource.c_str(), kTarget.c_str());
  ASSERT_FALSE(converter.GetBypassXYZ());
  for (double lon : {6.0, 9.0, 12.5}) {
    for (double lat : {47.5, 51.0, 54.9}) {
      SCOPED_TRACE(testing::Message() << lon << " " << lat);
      // Geographical to geographical with a height.
      converter.SetConversionType(CKvDatumConverter::eGeoToGeo);
      double x = lon, y = lat, h = 250.0;
      converter.Convert(x, y, h);
      const PJ_COORD g =
          proj_trans(geo.get(), PJ_FWD, proj_coord(proj_torad(lon), proj_torad(lat), 250.0, 0));
      EXPECT_NEAR(x, proj_todeg(g.lpz.lam), 1e-8);  // 1e-8 degrees is below 1 mm
      EXPECT_NEAR(y, proj_todeg(g.lpz.phi), 1e-8);
      EXPECT_NEAR(h, g.lpz.z, 1e-3);

      // Projected to projected.
      converter.SetConversionType(CKvDatumConverter::eProjToProj);
      double e = 0, n = 0;
      CKvMapProjection(kSource).Geo2Proj(lon, lat, &e, &n);
      const PJ_COORD p = proj_trans(proj.get(), PJ_FWD, proj_coord(e, n, 0, 0));
      converter.Convert(e, n);
      EXPECT_NEAR(e, p.xy.x, 1e-3);
      EXPECT_NEAR(n, p.xy.y, 1e-3);
      // And back.
      const PJ_COORD back = proj_trans(proj.get(), PJ_INV, proj_coord(e, n, 0, 0));
      converter.InvConvert(e, n);
      EXPECT_NEAR(e, back.xy.x, 1e-3);
      EXPECT_NEAR(n, back.xy.y, 1e-3);
    }
  }
}

TEST_F(DatumConverter, DatumShiftAloneIsTheCartesianStep) {
  const CKvDatumConverter converter(kSource.c_str(), kTarget.c_str());
  PjPtr helmert =
      Pipeline("+proj=pipeline +step " + Helmert(kEd50) + " +step +inv " + Helmert(kDhdn));
  ASSERT_NE(helmert, nullptr);
  double x = 4000000.0, y = 700000.0, z = 4900000.0;
  const PJ_COORD want = proj_trans(helmert.get(), PJ_FWD, proj_coord(x, y, z, 0));
  converter.DatumShift(x, y, z);
  EXPECT_NEAR(x, want.xyz.x, 1e-4);
  EXPECT_NEAR(y, want.xyz.y, 1e-4);
  EXPECT_NEAR(z, want.xyz.z, 1e-4);
  converter.InvDatumShift(x, y, z);
  EXPECT_NEAR(x, 4000000.0, 1e-3);
  EXPECT_NEAR(y, 700000.0, 1e-3);
  EXPECT_NEAR(z, 4900000.0, 1e-3);
  // The rotations were taken over in radians: 2.455 arc-seconds.
  EXPECT_NEAR(converter.GetDatumShiftParameters(false)[5], -2.455 * 4.84813681109536e-6, 1e-18);
  EXPECT_NEAR(converter.GetDatumShiftParameters(false)[6], 6.7e-6, 1e-18);
}

TEST_F(DatumConverter, SameEllipsoidAndShiftBypassTheCartesianStep) {
  CKvDatumConverter converter("UTM-32", "UTM-33");
  EXPECT_TRUE(converter.GetBypassXYZ());
  double e = 600000.0, n = 6000000.0, lon, lat, want33x, want33y;
  CKvMapProjection("UTM-32").Proj2Geo(e, n, &lon, &lat);
  CKvMapProjection("UTM-33").Geo2Proj(lon, lat, &want33x, &want33y);
  converter.Convert(e, n);
  EXPECT_EQ(e, want33x);
  EXPECT_EQ(n, want33y);

  // A shift on one side only turns the step on; the default comes back.
  const double shift[3] = {100.0, 0.0, 0.0};
  converter.SetDatumShift(CKvCartDef::eThreeParameter, shift, true);
  EXPECT_FALSE(converter.GetBypassXYZ());
  converter.BypassXYZ();
  EXPECT_TRUE(converter.GetBypassXYZ());
  EXPECT_TRUE(converter.ResetBypassXYZ());
}

TEST_F(DatumConverter, InvertOrderSwapsTheSidesAndTheKinds) {
  CKvDatumConverter converter(kSource.c_str(), kTarget.c_str());
  converter.SetConversionType(CKvDatumConverter::eProjToGeo);
  double e = 510000.0, n = 5600000.0;
  converter.Convert(e, n);  // DHDN longitude/latitude
  CKvDatumConverter inverted(converter);
  inverted.InvertOrder();
  EXPECT_EQ(inverted.GetConversionType(), CKvDatumConverter::eGeoToProj);
  double back1 = e, back2 = n;
  inverted.Convert(back1, back2);
  EXPECT_NEAR(back1, 510000.0, 1e-3);
  EXPECT_NEAR(back2, 5600000.0, 1e-3);
  inverted.InvertOrder();
  EXPECT_EQ(inverted.GetConversionType(), CKvDatumConverter::eProjToGeo);
  EXPECT_EQ(inverted.GetMapProjection(true), inverted.GetMapProjection(true));
  double again1 = 510000.0, again2 = 5600000.0;
  inverted.Convert(again1, again2);
  EXPECT_EQ(again1, e);
  EXPECT_EQ(again2, n);
}

TEST_F(DatumConverter, LocalGridOrMissingProjectionConvertsNothing) {
  for (auto pair : {std::make_pair("NON-UTM", "UTM-32"), std::make_pair("UTM-32", " NON-UTM"),
                    std::make_pair("UTM-32", "No such grid")}) {
    CKvDatumConverter converter(pair.first, pair.second);
    for (int type = 0; type < 4; ++type) {
      converter.SetConversionType(static_cast<CKvDatumConverter::ETypeOfConversion>(type));
      double x = 123.0, y = 45.0, h = 6.0;
      converter.Convert(x, y, h);
      converter.InvConvert(x, y);
      EXPECT_EQ(x, 123.0);
      EXPECT_EQ(y, 45.0);
      EXPECT_EQ(h, 6.0);
    }
  }
}

TEST_F(DatumConverter, CopiesOwnTheirFacadesOrShareTheCallers) {
  CKvMapProjection source(kSource), target(kTarget);
  const CKvDatumConverter shared(&source, &target);
  const CKvDatumConverter sharedCopy(shared);
  EXPECT_EQ(sharedCopy.GetMapProjection(true), &source);
  const CKvDatumConverter owning(kSource.c_str(), kTarget.c_str());
  CKvDatumConverter owningCopy("UTM-32", "UTM-33");
  owningCopy = owning;
  EXPECT_NE(owningCopy.GetMapProjection(true), owning.GetMapProjection(true));
  double e1 = 500000.0, n1 = 5500000.0, e2 = e1, n2 = n1, e3 = e1, n3 = n1;
  owning.Convert(e1, n1);
  owningCopy.Convert(e2, n2);
  shared.Convert(e3, n3);
  EXPECT_EQ(e1, e2);
  EXPECT_EQ(n1, n2);
  EXPECT_EQ(e1, e3);
}
