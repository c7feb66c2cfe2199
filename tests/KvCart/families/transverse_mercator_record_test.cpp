// The transverse Mercator definition record: its parameter table, flags,
// reading and writing definition-file sections, the projection it creates
// and what it hands to the well-known-text record.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "KvCart/families/CKvTransverseMercatorJHS.h"
#include "KvCart/families/CKvTransverseMercatorProjection.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCartDatabase.h"
#include "rcf/rcf.h"

namespace {

using Record = CKvTransverseMercatorProjection;

struct DocCloser {
  void operator()(void* doc) const { rcfClose(&doc); }
};
using Doc = std::unique_ptr<void, DocCloser>;

Doc Load(const std::string& text) {
  return Doc(rcfLoadText(text.c_str(), static_cast<int>(text.size()), "test"));
}

void* FirstSection(const Doc& doc) {
  return rcfSectionByNum(rcfTargetByNameNum(doc.get(), "MAP_PROJECTION_DEFINITION", 1), 1);
}

Doc Section(const std::string& body) {
  return Load("[MAP_PROJECTION_DEFINITION]\n[UTM_PROJECTION]\n" + body + "EndSect\nEndTarget\n");
}

}  // namespace

TEST(TransverseMercatorRecord, ParameterTableAndTitles) {
  Record r("Grid", "Branch", "WE", 0.9996, 9.0, 1.5, 500000.0, 10.0);
  EXPECT_EQ(r.GetProjectionType(), CKvMapProjData::eTransverseMercator);
  EXPECT_EQ(r.GetProjectionTypeTitle(), "Transverse mercator");
  ASSERT_EQ(r.GetNoOfParameters(), 5);
  const char* labels[] = {
      "Scale:", "Central meridian:", "Latitude origin:", "False easting:", "False northing:"};
  const CKvMapProjData::EParamType types[] = {CKvMapProjData::eNoUnit, CKvMapProjData::eAngular,
                                              CKvMapProjData::eAngular, CKvMapProjData::eLinear,
                                              CKvMapProjData::eLinear};
  const double values[] = {0.9996, 9.0, 1.5, 500000.0, 10.0};
  for (int i = 0; i < 5; ++i) {
    std::string label;
    double value;
    CKvMapProjData::EParamType type;
    ASSERT_TRUE(r.GetParameter(i, label, value, type));
    EXPECT_EQ(label, labels[i]);
    EXPECT_EQ(value, values[i]);
    EXPECT_EQ(type, types[i]);
  }
  std::string label = "untouched";
  double value = -7;
  CKvMapProjData::EParamType type = CKvMapProjData::eLinear;
  EXPECT_FALSE(r.GetParameter(5, label, value, type));
  EXPECT_FALSE(r.GetParameter(-1, label, value, type));
  EXPECT_EQ(label, "untouched");
  EXPECT_EQ(value, -7);
  EXPECT_TRUE(r.IsSectionID("UTM_PROJECTION"));
  EXPECT_FALSE(r.IsSectionID("utm_projection"));
  EXPECT_FALSE(r.IsSectionID("GEOGRAPHICAL_PROJECTION"));
}

TEST(TransverseMercatorRecord, FlagsGuardTheSetters) {
  EXPECT_TRUE(Record().CanEdit());
  EXPECT_TRUE(Record().CanDelete());
  EXPECT_FALSE(Record("Name only").CanEdit());
  EXPECT_FALSE(Record("Name only").CanDelete());
  EXPECT_EQ(Record("Name only").GetScale(), 0.0);
  Record custom("A", "B", "WE", 1, 2, 3, 4, 5, true, false);
  EXPECT_TRUE(custom.CanDelete());
  EXPECT_FALSE(custom.CanEdit());

  Record fixed("UTM-1", "UTM Projections", "WE", 0.9996, -177, 0, 500000, 0);
  fixed.SetName("renamed");
  fixed.SetEllipsoidID("IN");
  fixed.SetScale(1.0);
  fixed.SetCentre(3.0);
  EXPECT_EQ(fixed.GetName(), "UTM-1");
  EXPECT_EQ(fixed.GetEllipsoidID(), "WE");
  EXPECT_EQ(fixed.GetScale(), 0.9996);
  EXPECT_EQ(fixed.GetCentre(), -177.0);
  fixed.SetBranchName("moved");
  const double all[5] = {1, 2, 3, 4, 5};
  fixed.SetParameters(all);
  EXPECT_EQ(fixed.GetBranchName(), "moved");
  EXPECT_EQ(fixed.GetFalseNorthing(), 5.0);

  Record editable;
  editable.SetName("mine");
  editable.SetOriginLatitude(45.0);
  EXPECT_EQ(editable.GetName(), "mine");
  EXPECT_EQ(editable.GetOriginLatitude(), 45.0);
}

TEST(TransverseMercatorRecord, ReadsTheAlternativeKeywordForms) {
  Doc doc = Section(
      "Projection_Name = 'Grid 1'\nBranch_Name = 'Mine'\nEllipsoid = 'IN'\n"
      "Scale_Reduction = 2500\nScale = 0.5\nCentre_dms = -3, 30, 0\nCentre = 99.0\n"
      "Origin_Latitude_dms = 0, -30, 0\nFeast_ft_us = 1000000\nFeast = 1.0\nFnorth = 250.5\n");
  ASSERT_NE(doc, nullptr);
  Record r;
  r.SetOriginLatitude(7.0);
  r.ReadFromHandle(FirstSection(doc), false);
  EXPECT_EQ(r.GetName(), "Grid 1");
  EXPECT_EQ(r.GetBranchName(), "Mine");
  EXPECT_EQ(r.GetEllipsoidID(), "IN");
  EXPECT_DOUBLE_EQ(r.GetScale(), 0.9996);
  EXPECT_EQ(r.GetCentre(), -3.5);
  EXPECT_EQ(r.GetOriginLatitude(), -0.5);  // only because the minutes carry the sign
  EXPECT_DOUBLE_EQ(r.GetFalseEasting(), 304800.60960121924);
  EXPECT_EQ(r.GetFalseNorthing(), 250.5);
  EXPECT_FALSE(r.CanEdit());
  EXPECT_FALSE(r.CanDelete());

  Doc sparse = Section("Projection_Name = 'Sparse'\nCentre_dms = 12, 30, 36\n");
  Record s;
  s.SetFalseNorthing(42.0);
  s.ReadFromHandle(FirstSection(sparse), true);
  EXPECT_EQ(s.GetCentre(), 12.51);
  EXPECT_EQ(s.GetFalseNorthing(), 42.0);  // absent keys keep their value
  EXPECT_EQ(s.GetEllipsoidID(), "");
  EXPECT_TRUE(s.CanEdit());
  s.ReadFromHandle(nullptr, false);
  EXPECT_TRUE(s.CanEdit());
}

TEST(TransverseMercatorRecord, WritesOnlyEditableRecordsWithPlainKeywords) {
  Doc in = Section(
      "Projection_Name = 'Mine'\nBranch_Name = 'B'\nEllipsoid = 'WE'\n"
      "Scale_Reduction = 2500\nCentre_dms = -3, 30, 0\nFeast_ft_us = 1000\n");
  Record r;
  r.ReadFromHandle(FirstSection(in), true);
  Record fixed("Fixed", "B", "WE", 1, 2, 3, 4, 5);
  Doc out(rcfCreate());
  rcfAddTarget(out.get(), "MAP_PROJECTION_DEFINITION");
  r.WriteToHandle(out.get());
  fixed.WriteToHandle(out.get());
  CString text = rcfWriteText(out.get());
  std::string written = text.GetString();
  EXPECT_EQ(written.find("Scale_Reduction"), std::string::npos);
  EXPECT_EQ(written.find("_dms"), std::string::npos);
  EXPECT_EQ(written.find("_ft_us"), std::string::npos);
  EXPECT_EQ(written.find("Fixed"), std::string::npos);

  Doc back = Load(written);
  ASSERT_NE(back, nullptr);
  void* target = rcfTargetByNameNum(back.get(), "MAP_PROJECTION_DEFINITION", 1);
  ASSERT_EQ(rcfGetNoSections(target), 1);
  Record reread;
  reread.ReadFromHandle(rcfSectionByNum(target, 1), true);
  EXPECT_EQ(reread.GetName(), "Mine");
  EXPECT_EQ(reread.GetScale(), r.GetScale());  // bit-identical through the file
  EXPECT_EQ(reread.GetCentre(), -3.5);
  EXPECT_EQ(reread.GetFalseEasting(), r.GetFalseEasting());
}

// Names from the user may hold bytes a parameter file cannot: they are
// written with blanks instead of being left out (the definition came back
// nameless, so no name found it any more).
TEST(TransverseMercatorRecord, WritesTextsTheFileCannotHoldWithBlanks) {
  Record r("Grid\nnorth", "Branch\x01", "W\rE", 1, 2, 3, 4, 5, true, true);
  Doc out(rcfCreate());
  rcfAddTarget(out.get(), "MAP_PROJECTION_DEFINITION");
  r.WriteToHandle(out.get());
  CString text = rcfWriteText(out.get());
  Doc back = Load(text.GetString());
  ASSERT_NE(back, nullptr);
  Record reread;
  reread.ReadFromHandle(FirstSection(back), true);
  EXPECT_EQ(reread.GetName(), "Grid north");
  EXPECT_EQ(reread.GetBranchName(), "Branch ");
  EXPECT_EQ(reread.GetEllipsoidID(), "W E");
  EXPECT_EQ(reread.GetFalseNorthing(), 5.0);
}

// A definition whose ellipsoid is missing would send every point to the
// false origin: it gives no projection, unless it is the local system.
TEST(TransverseMercatorRecord, CreatesAProjectionOnlyWithAnEllipsoid) {
  DatabaseWithEllipsoids();
  Record utm32("UTM-32", "UTM Projections", "WE", 0.9996, 9, 0, 500000, 0);
  std::unique_ptr<CKvProjection> p(utm32.CreateProjection());
  ASSERT_NE(p, nullptr);
  double x, y;
  p->Geo2Proj(9.0, 0.0, &x, &y);
  EXPECT_NEAR(x, 500000.0, 1e-9);
  EXPECT_NEAR(y, 0.0, 1e-9);

  EXPECT_EQ(std::unique_ptr<CKvProjection>(
                Record("Lost", "", "ZZ", 0.9996, 9, 0, 500000, 0).CreateProjection()),
            nullptr);
  EXPECT_EQ(std::unique_ptr<CKvProjection>(
                Record("No code", "", "", 0.9996, 9, 0, 500000, 0).CreateProjection()),
            nullptr);
  std::unique_ptr<CKvProjection> local(
      Record("NON-UTM", "Non UTM Projections", "", 0, 0, 0, 0, 0).CreateProjection());
  ASSERT_NE(local, nullptr);
  EXPECT_TRUE(local->IsLocal());
}

TEST(TransverseMercatorRecord, HandsItsDefinitionToTheWellKnownText) {
  DatabaseWithEllipsoids();
  Record r("My grid", "My datum", "IN", 0.9999, 12.5, 45.0, 1000.0, 2000.0);
  CKvPRJParser prj(&r);
  EXPECT_STREQ(prj.GetProjCSname().GetString(), "My grid");
  EXPECT_STREQ(prj.GetGeoCSname().GetString(), "Unused");
  EXPECT_STREQ(prj.GetDatum().GetString(), "My datum");
  CString name;
  double a, invF, value;
  prj.GetEllipsoid(name, a, invF);
  EXPECT_STREQ(name.GetString(), "International 1924");
  EXPECT_EQ(a, 6378388.0);
  EXPECT_EQ(invF, 297.0);
  prj.GetAngularUnit(name, value);
  EXPECT_STREQ(name.GetString(), "Degree");
  EXPECT_EQ(value, 0.017453292519943295);
  prj.GetProjUnit(name, value);
  EXPECT_STREQ(name.GetString(), "Meter");
  EXPECT_EQ(prj.GetProjectionType(), CKvMapProjData::eTransverseMercator);
  EXPECT_STREQ(prj.GetProjectionTypeName().GetString(), "Transverse_Mercator");
  EXPECT_EQ(prj.GetScaleFactor(), 0.9999);
  EXPECT_EQ(prj.GetCentralMeridian(), 12.5);
  EXPECT_EQ(prj.GetLatitudeOfOrigin(), 45.0);
  EXPECT_EQ(prj.GetFalseEasting(), 1000.0);
  EXPECT_EQ(prj.GetFalseNorthing(), 2000.0);

  Record lost("Lost", "B", "ZZ", 1, 2, 3, 4, 5);
  CKvPRJParser none(&lost);
  none.GetEllipsoid(name, a, invF);
  EXPECT_STREQ(name.GetString(), " ");
  EXPECT_EQ(a, -1e-35);
  EXPECT_EQ(invF, -1e-35);
  EXPECT_EQ(none.GetProjectionType(), CKvMapProjData::eNonProjected);
  EXPECT_STREQ(none.GetProjectionTypeName().GetString(), "Non_Projected");
}

// A projection object hands over the database definition of its name,
// not its own values.
TEST(TransverseMercatorRecord, ProjectionTransfersItsDatabaseDefinition) {
  CKvCartSetup& db = DatabaseWithEllipsoids();
  db.GetMapProjectionList().AddMapProjection(
      new Record("Test grid 7", "Grid branch", "RF", 0.9998, 7.0, 0.0, 3500000.0, 0.0));
  const CKvEllipsoid* wgs84 = db.GetEllipsoidList().GetEllipsoid("WE");
  ASSERT_NE(wgs84, nullptr);
  CKvTransverseMercatorJHS object("Test grid 7", 1.0, 0.0, 0.0, 0.0, 0.0, *wgs84);
  CKvPRJParser prj(&object);
  EXPECT_STREQ(prj.GetDatum().GetString(), "Grid branch");
  EXPECT_EQ(prj.GetScaleFactor(), 0.9998);
  EXPECT_EQ(prj.GetFalseEasting(), 3500000.0);
  CString name;
  double a, invF;
  prj.GetEllipsoid(name, a, invF);
  EXPECT_STREQ(name.GetString(), "GRS 1980");

  Record copy;
  EXPECT_TRUE(object.GetMapProjection(copy));
  EXPECT_EQ(copy.GetCentre(), 7.0);
  EXPECT_EQ(copy.GetBranchName(), "Grid branch");
  CKvEllipsoid ellipsoid;
  EXPECT_TRUE(object.GetEllipsoid(ellipsoid));
  EXPECT_EQ(ellipsoid.GetID(), "RF");

  CKvTransverseMercatorJHS stranger("Not in the database", 1, 0, 0, 0, 0, *wgs84);
  CKvPRJParser unknown(&stranger);
  EXPECT_EQ(unknown.GetProjectionType(), CKvMapProjData::eNonProjected);
  unknown.GetEllipsoid(name, a, invF);
  EXPECT_EQ(a, 1.0);  // the default ellipsoid: a unit sphere
  EXPECT_EQ(invF, 0.0);
  EXPECT_FALSE(stranger.GetMapProjection(copy));
  EXPECT_FALSE(stranger.GetEllipsoid(ellipsoid));
}
