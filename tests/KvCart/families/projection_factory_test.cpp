// The factories: default records, records from values and from definition-
// file sections, and projection objects from a well-known-text record
// (units, prime meridian, south orientation, missing ellipsoids).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/families/CKvGeographicalProjection.h"
#include "KvCart/families/CKvTransverseMercatorJHS.h"
#include "KvCart/families/CKvTransverseMercatorProjection.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCartDatabase.h"
#include "ProjOracle.h"
#include "rcf/rcf.h"

namespace {

using P = CKvMapProjData;
using RecordPtr = std::unique_ptr<CKvMapProjData>;
using ProjectionPtr = std::unique_ptr<CKvProjection>;

struct DocCloser {
  void operator()(void* doc) const { rcfClose(&doc); }
};

// A transverse Mercator record in the units of a text: US survey feet,
// grads, a prime meridian 2.33722917 degrees east of Greenwich.
CKvPRJParser FeetAndGradsRecord() {
  CKvPRJParser prj;
  prj.SetProjCSname("Grid in feet");
  prj.SetEllipsoid("Clarke 1866", 6378206.4, 294.9786982);
  prj.SetAngularUnit("Grad", 0.015707963267948967);
  prj.SetPrimeMeridian("Paris", 2.33722917);
  prj.SetProjUnit("Foot_US", 0.3048006096012192);
  prj.SetProjectionType(P::eTransverseMercator);
  prj.SetProjectionTypeName("Transverse_Mercator");
  prj.SetScaleFactor(0.9999);
  prj.SetCentralMeridian(10.0);  // grads from Paris
  prj.SetLatitudeOfOrigin(50.0);
  prj.SetFalseEasting(1000000.0);
  prj.SetFalseNorthing(0.0);
  return prj;
}

}  // namespace

TEST(ProjectionFactory, DefaultRecords) {
  RecordPtr tm(P::CreateDefaultParameterProjection(P::eTransverseMercator));
  ASSERT_NE(tm, nullptr);
  EXPECT_EQ(tm->GetName(), "Default Transverse Mercator");
  EXPECT_EQ(tm->GetBranchName(), "");
  EXPECT_EQ(tm->GetEllipsoidID(), "WE");
  EXPECT_FALSE(tm->CanEdit());
  EXPECT_FALSE(tm->CanDelete());
  const double expected[5] = {0.9996, 0, 0, 500000, 0};
  for (int i = 0; i < 5; ++i) {
    std::string label;
    double value;
    P::EParamType type;
    tm->GetParameter(i, label, value, type);
    EXPECT_EQ(value, expected[i]) << i;
  }
  RecordPtr geo(P::CreateDefaultParameterProjection(P::eGeographical));
  ASSERT_NE(geo, nullptr);
  EXPECT_EQ(geo->GetName(), "Default Geographical");
  EXPECT_EQ(geo->GetNoOfParameters(), 0);
  for (int t : {0, 21, 22, 23, -5}) {
    EXPECT_EQ(RecordPtr(P::CreateDefaultParameterProjection(static_cast<P::EProjectionType>(t))),
              nullptr);
  }
}

TEST(ProjectionFactory, RecordsFromValuesAreEditable) {
  const double params[5] = {0.9996, 15.0, 0.0, 500000.0, 10000000.0};
  RecordPtr r(P::CreateProjection(P::eTransverseMercator, "South 33", "Mine", "WE", params));
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(r->CanEdit());
  EXPECT_TRUE(r->CanDelete());
  EXPECT_EQ(r->GetName(), "South 33");
  EXPECT_EQ(dynamic_cast<CKvTransverseMercatorProjection&>(*r).GetFalseNorthing(), 10000000.0);
  RecordPtr geo(P::CreateProjection(P::eGeographical, "G", "B", "", nullptr));
  ASSERT_NE(geo, nullptr);
  EXPECT_EQ(dynamic_cast<CKvGeographicalProjection&>(*geo).GetPrimeMeridian(), 0.0);
  EXPECT_EQ(RecordPtr(P::CreateProjection(P::eUndefined, "x", "", "", params)), nullptr);
}

TEST(ProjectionFactory, RecordsFromSections) {
  const char text[] =
      "[MAP_PROJECTION_DEFINITION]\n"
      "[UTM_PROJECTION]\nProjection_Name = 'Mine'\nScale = 1.0\nEndSect\n"
      "[GEOGRAPHICAL_PROJECTION]\nProjection_Name = 'Geo'\nEllipsoid = 'WE'\nEndSect\n"
      "[NO_SUCH_PROJECTION]\nProjection_Name = 'Odd'\nEndSect\n"
      "EndTarget\n";
  std::unique_ptr<void, DocCloser> doc(rcfLoadText(text, sizeof text - 1, "sections"));
  void* target = rcfTargetByNameNum(doc.get(), "MAP_PROJECTION_DEFINITION", 1);
  RecordPtr tm(P::CreateFromSection(rcfSectionByNum(target, 1), true));
  ASSERT_NE(tm, nullptr);
  EXPECT_EQ(tm->GetProjectionType(), P::eTransverseMercator);
  EXPECT_EQ(tm->GetName(), "Mine");
  EXPECT_EQ(tm->GetEllipsoidID(), "");  // never a default ellipsoid by accident
  EXPECT_TRUE(tm->CanEdit());
  auto* tmRecord = dynamic_cast<CKvTransverseMercatorProjection*>(tm.get());
  ASSERT_NE(tmRecord, nullptr);
  EXPECT_EQ(tmRecord->GetFalseEasting(), 0.0);
  RecordPtr geo(P::CreateFromSection(rcfSectionByNum(target, 2), false));
  ASSERT_NE(geo, nullptr);
  EXPECT_EQ(geo->GetProjectionType(), P::eGeographical);
  EXPECT_FALSE(geo->CanEdit());
  EXPECT_EQ(RecordPtr(P::CreateFromSection(rcfSectionByNum(target, 3), true)), nullptr);
  EXPECT_EQ(RecordPtr(P::CreateFromSection(nullptr, true)), nullptr);
}

TEST(ProjectionFactory, ProjectionFromATextConvertsUnitsAndPrimeMeridian) {
  CKvPRJParser prj = FeetAndGradsRecord();
  ProjectionPtr p(prj.CreateMapProjection());
  ASSERT_NE(p, nullptr);
  ProjOracle proj(
      "+proj=tmerc +lat_0=45 +lon_0=11.33722917 +k=0.9999 +x_0=304800.6096012192 +y_0=0 "
      "+a=6378206.4 +rf=294.9786982");
  double x, y, px, py;
  p->Geo2Proj(12.0, 46.0, &x, &y);
  proj.Forward(12.0, 46.0, &px, &py);
  EXPECT_NEAR(x, px, 1e-4);  // metres: the facade applies the text's unit
  EXPECT_NEAR(y, py, 1e-4);
  double lon0, lat0;
  p->GetOrigin(&lon0, &lat0);
  EXPECT_NEAR(lon0, 11.33722917, 1e-12);
  EXPECT_NEAR(lat0, 45.0, 1e-12);
  EXPECT_STREQ(p->GetName(), "Grid in feet");
}

TEST(ProjectionFactory, ProjectionFromATextSpecialKinds) {
  CKvPRJParser south = FeetAndGradsRecord();
  south.SetProjectionTypeName("Transverse_Mercator_South_Orientated");
  CKvPRJParser north = FeetAndGradsRecord();
  north.SetFalseEasting(0.0);
  south.SetFalseEasting(0.0);
  ProjectionPtr n(north.CreateMapProjection()), s(south.CreateMapProjection());
  double nx, ny, sx, sy;
  n->Geo2Proj(12.0, 46.0, &nx, &ny);
  s->Geo2Proj(12.0, 46.0, &sx, &sy);
  EXPECT_EQ(sx, -nx);
  EXPECT_EQ(sy, -ny);

  CKvPRJParser noEllipsoid = FeetAndGradsRecord();
  noEllipsoid.SetEllipsoid("", CKvPRJParser::kUnset, CKvPRJParser::kUnset);
  EXPECT_EQ(ProjectionPtr(noEllipsoid.CreateMapProjection()), nullptr);
  noEllipsoid.SetProjCSname("NON-UTM");
  noEllipsoid.SetProjectionType(P::eNonProjected);
  ProjectionPtr local(noEllipsoid.CreateMapProjection());
  ASSERT_NE(local, nullptr);
  EXPECT_TRUE(local->IsLocal());

  CKvPRJParser hostile = FeetAndGradsRecord();
  hostile.SetEllipsoid("bad", 6378137.0, 0.5);  // flattening 2
  EXPECT_EQ(ProjectionPtr(hostile.CreateMapProjection()), nullptr);
  hostile.SetEllipsoid("bad", NAN, 300.0);
  EXPECT_EQ(ProjectionPtr(hostile.CreateMapProjection()), nullptr);

  CKvPRJParser geographic;
  geographic.SetProjCSname("GCS_NTF_Paris");
  geographic.SetProjectionType(P::eGeographical);
  geographic.SetPrimeMeridian("Paris", 2.33722917);
  geographic.SetEllipsoid("Clarke 1880 (IGN)", 6378249.2, 293.4660212936269);
  ProjectionPtr g(geographic.CreateMapProjection());
  ASSERT_NE(g, nullptr);
  EXPECT_TRUE(g->IsGeographical());
  double x, y;
  g->Geo2Proj(5.0, 48.0, &x, &y);
  EXPECT_NEAR(x, 2.66277083, 1e-12);

  CKvPRJParser undefined;
  EXPECT_EQ(ProjectionPtr(undefined.CreateMapProjection()), nullptr);
}
