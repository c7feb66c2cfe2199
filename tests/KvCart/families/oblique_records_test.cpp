// The definition records of the oblique Mercator family and Krovak: their
// keyword tables as a definition file spells them, the default records,
// the well-known text they write (which must read back into the same kind
// and values) and the projections they and their texts create.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "KvCart/core/CKvCartSetup.h"
#include "KvCart/families/CKvHotineObliqueMercator.h"
#include "KvCart/families/CKvHotineObliqueMercatorProjection.h"
#include "KvCart/families/CKvKrovakProjection.h"
#include "KvCart/families/CKvObliqueMercatorProjection.h"
#include "KvCart/families/CKvRectifiedSkewOrthomorphicProjection.h"
#include "KvCart/text/CKvPRJParser.h"
#include "KvCartDatabase.h"
#include "rcf/rcf.h"

namespace {

using P = CKvMapProjData;
using RecordPtr = std::unique_ptr<CKvMapProjData>;
using ProjectionPtr = std::unique_ptr<CKvProjection>;

struct DocCloser {
  void operator()(void* doc) const { rcfClose(&doc); }
};
using Doc = std::unique_ptr<void, DocCloser>;

Doc Section(const std::string& name, const std::string& body) {
  const std::string text =
      "[MAP_PROJECTION_DEFINITION]\n[" + name + "]\n" + body + "EndSect\nEndTarget\n";
  return Doc(rcfLoadText(text.c_str(), static_cast<int>(text.size()), "test"));
}

void* FirstSection(const Doc& doc) {
  return rcfSectionByNum(rcfTargetByNameNum(doc.get(), "MAP_PROJECTION_DEFINITION", 1), 1);
}

std::vector<double> Parameters(const CKvMapProjData& record) {
  std::vector<double> values;
  std::string label;
  double value;
  P::EParamType type;
  for (int i = 0; record.GetParameter(i, label, value, type); ++i) values.push_back(value);
  return values;
}

// The four families with a record of real values each.
struct Family {
  P::EProjectionType type;
  const char* section;
  std::vector<double> values;
};
const Family kFamilies[] = {
    {P::eHotineObliqueMercator,
     "HOTINE_OBLIQUE_MERCATOR_PROJECTION",
     {0.9999, -133.66666666666666, 57, 323.13010236111114, 5000000, -5000000}},
    {P::eObliqueMercator,
     "OBLIQUE_MERCATOR_PROJECTION",
     {1, 7.439583333333333, 46.95240555555556, 90, 2600000, 1200000}},
    {P::eRectifiedSkewOrthomorphic,
     "RECTIFIED_SKEW_ORTHOMORPHIC_PROJECTION",
     {0.99984, 102.25, 4, 323.02579646666663, 323.13010236111114, 804671, 0}},
    {P::eKrovak,
     "KROVAK_OBLIQUE_CONFORMAL_CONIC",
     {0.9999, 78.5, 24.833333333333332, 49.5, 30.28813975277778, 90, -1, 1, 0, 0}},
};

RecordPtr MakeRecord(const Family& f, const std::string& name = "Grid") {
  return RecordPtr(P::CreateProjection(f.type, name, "Datum", "BR", f.values.data()));
}

}  // namespace

TEST(ObliqueRecords, LabelsKindsAndSections) {
  RecordPtr skew = MakeRecord(kFamilies[2]);
  const char* labels[] = {"Scale:",         "Longitude of center:", "Latitude of center:",
                          "Azimuth:",       "XY plane rotation:",   "False easting:",
                          "False northing:"};
  const P::EParamType kinds[] = {P::eNoUnit,  P::eAngular, P::eAngular, P::eAngular,
                                 P::eAngular, P::eLinear,  P::eLinear};
  for (int i = 0; i < 7; ++i) {
    std::string label;
    double value;
    P::EParamType kind;
    ASSERT_TRUE(skew->GetParameter(i, label, value, kind));
    EXPECT_EQ(label, labels[i]);
    EXPECT_EQ(kind, kinds[i]);
  }
  auto& rso = dynamic_cast<CKvRectifiedSkewOrthomorphicProjection&>(*skew);
  EXPECT_EQ(rso.GetXYPlaneRotation(), 323.13010236111114);
  EXPECT_EQ(rso.GetFalseEasting(), 804671.0);
  for (const Family& f : kFamilies) {
    RecordPtr r = MakeRecord(f);
    EXPECT_TRUE(r->IsSectionID(f.section));
    EXPECT_EQ(r->GetProjectionType(), f.type);
    EXPECT_EQ(Parameters(*r), f.values);
  }
  EXPECT_EQ(MakeRecord(kFamilies[0])->GetProjectionTypeTitle(), "Hotine oblique mercator");
  EXPECT_EQ(MakeRecord(kFamilies[1])->GetProjectionTypeTitle(), "Oblique mercator");
  EXPECT_EQ(MakeRecord(kFamilies[3])->GetProjectionTypeTitle(), "Krovak oblique conformal conic");
}

// Which keys have a second form: the centre has degrees-minutes-seconds,
// the Hotine scale a reduction, the azimuth and rotation neither; Krovak's
// scale has no reduction form.
TEST(ObliqueRecords, ReadTheFamilyKeywords) {
  Doc hotine = Section("HOTINE_OBLIQUE_MERCATOR_PROJECTION",
                       "Projection_Name = 'Alaska 1'\nEllipsoid = 'RF'\nScale_Reduction = 10000\n"
                       "Center_Longitude_dms = -133, 40, 0\nCenter_Latitude = 57\n"
                       "Azimuth = 323.13010236111114\nFeast_ft_us = 16404166.666666666\n"
                       "Fnorth = -5000000\n");
  CKvHotineObliqueMercatorProjection h;
  h.ReadFromHandle(FirstSection(hotine), true);
  EXPECT_DOUBLE_EQ(h.GetScale(), 0.9999);
  EXPECT_DOUBLE_EQ(h.GetCenterLongitude(), -133.66666666666666);
  EXPECT_EQ(h.GetAzimuth(), 323.13010236111114);
  EXPECT_NEAR(h.GetFalseEasting(), 5000000.0, 1e-6);
  EXPECT_EQ(h.GetFalseNorthing(), -5000000.0);

  Doc krovak = Section("KROVAK_OBLIQUE_CONFORMAL_CONIC",
                       "Scale_Reduction = 10000\nScale_At_Pseudo_Parallel = 0.9999\n"
                       "Pseudo_Parallel_dms = 78, 30, 0\nCenter_Longitude_dms = 24, 50, 0\n"
                       "Center_Latitude_dms = 49, 30, 0\nAzimuth = 30.28813975277778\n"
                       "XY_Plane_Rotation = 90\nX_Scale = -1\nY_Scale = 1\n");
  CKvKrovakProjection k;
  k.ReadFromHandle(FirstSection(krovak), true);
  EXPECT_EQ(k.GetScaleAtPseudoParallel(), 0.9999);
  EXPECT_EQ(k.GetPseudoParallel(), 78.5);
  EXPECT_DOUBLE_EQ(k.GetCenterLongitude(), 24.833333333333332);
  EXPECT_EQ(k.GetCenterLatitude(), 49.5);
  EXPECT_EQ(k.GetXYPlaneRotation(), 90.0);
  EXPECT_EQ(k.GetXScale(), -1.0);
  EXPECT_EQ(k.GetYScale(), 1.0);
}

// Only user definitions go back to the custom file, with plain keywords; a
// definition read back from it is the same.
TEST(ObliqueRecords, CustomWriteBackOfEditableRecordsOnly) {
  Doc out(rcfCreate());
  rcfAddTarget(out.get(), "MAP_PROJECTION_DEFINITION");
  for (const Family& f : kFamilies) {
    MakeRecord(f, std::string("User ") + f.section)->WriteToHandle(out.get());
    RecordPtr fixed(P::CreateDefaultParameterProjection(f.type));
    ASSERT_FALSE(fixed->CanEdit());
    fixed->WriteToHandle(out.get());
  }
  const std::string written = rcfWriteText(out.get()).GetString();
  EXPECT_EQ(written.find("Default"), std::string::npos);
  EXPECT_EQ(written.find("_dms"), std::string::npos);
  Doc back(rcfLoadText(written.c_str(), static_cast<int>(written.size()), "back"));
  void* target = rcfTargetByNameNum(back.get(), "MAP_PROJECTION_DEFINITION", 1);
  ASSERT_EQ(rcfGetNoSections(target), 4);
  for (int i = 0; i < 4; ++i) {
    RecordPtr reread(P::CreateFromSection(rcfSectionByNum(target, i + 1), true));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->GetProjectionType(), kFamilies[i].type);
    EXPECT_EQ(Parameters(*reread), kFamilies[i].values);
  }
}

// The default definitions must make projections that convert (the literal
// Krovak default has a pseudo standard parallel of 0: no cone at all).
TEST(ObliqueRecords, DefaultRecordsMakeUsableProjections) {
  DatabaseWithEllipsoids();
  for (const Family& f : kFamilies) {
    RecordPtr def(P::CreateDefaultParameterProjection(f.type));
    ASSERT_TRUE(def) << f.section;
    ProjectionPtr p(def->CreateProjection());
    ASSERT_TRUE(p) << f.section;
    double lon0, lat0, x, y, lon, lat;
    p->GetOrigin(&lon0, &lat0);
    p->Geo2Proj(lon0 + 1.5, lat0 + 1.0, &x, &y);
    p->Proj2Geo(x, y, &lon, &lat);
    EXPECT_NEAR(lon, lon0 + 1.5, 1e-8) << f.section;
    EXPECT_NEAR(lat, lat0 + 1.0, 1e-8) << f.section;
  }
  RecordPtr krovak(P::CreateDefaultParameterProjection(P::eKrovak));
  EXPECT_EQ(Parameters(*krovak)[1], 78.5);
}

// Every record's text reads back into the same kind with the same values,
// and that text builds the same projection as the record.
TEST(ObliqueRecords, WellKnownTextReadsBackIntoTheSameProjection) {
  DatabaseWithEllipsoids();
  for (const Family& f : kFamilies) {
    SCOPED_TRACE(f.section);
    RecordPtr record = MakeRecord(f);
    CString text;
    ASSERT_TRUE(CKvPRJParser(record.get()).Format(text));
    CKvPRJParser back(text);
    ASSERT_TRUE(back.Parse(false)) << text.GetString();
    EXPECT_EQ(back.GetProjectionType(), f.type);
    const double azimuth = f.values[f.type == P::eKrovak ? 4 : 3];
    EXPECT_NEAR(back.GetAzimuth(), azimuth, 1e-13 * azimuth);  // 16 digits written
    ProjectionPtr fromRecord(record->CreateProjection()), fromText(back.CreateMapProjection());
    ASSERT_TRUE(fromRecord && fromText);
    double lon0, lat0, x1, y1, x2, y2;
    fromRecord->GetOrigin(&lon0, &lat0);
    fromRecord->Geo2Proj(lon0 + 0.7, lat0 - 0.4, &x1, &y1);
    fromText->Geo2Proj(lon0 + 0.7, lat0 - 0.4, &x2, &y2);
    EXPECT_NEAR(x1, x2, 1e-6);
    EXPECT_NEAR(y1, y2, 1e-6);
  }
}

// A projection object writes the database definition of its name; without
// one the text says "not projected".
TEST(ObliqueRecords, ProjectionTextComesFromTheDefinitionOfItsName) {
  CKvCartSetup& db = DatabaseWithEllipsoids();
  db.GetMapProjectionList().AddMapProjection(MakeRecord(kFamilies[0], "k6 Alaska 1").release());
  CKvHotineObliqueMercatorProjection record("k6 Alaska 1", "Datum", "BR", 0.9999,
                                            -133.66666666666666, 57, 323.13010236111114, 5000000,
                                            -5000000);
  CKvHotineObliqueMercator named(&record);
  CKvPRJParser prj(&named);
  EXPECT_EQ(prj.GetProjectionType(), P::eHotineObliqueMercator);
  EXPECT_EQ(prj.GetFalseNorthing(), -5000000.0);
  CKvHotineObliqueMercator unnamed("k6 nowhere", 1, 0, 45, 10, 0, 0, CKvEllipsoid());
  EXPECT_EQ(CKvPRJParser(&unnamed).GetProjectionType(), P::eNonProjected);
}

// A section without its scale keywords leaves those scales 0, which would
// put every point on the false origin; the projection says NaN instead.
TEST(ObliqueRecords, MissingScalesGiveNoMap) {
  DatabaseWithEllipsoids();
  Doc hotine = Section("HOTINE_OBLIQUE_MERCATOR_PROJECTION",
                       "Ellipsoid = 'RF'\nCenter_Longitude = -133.66666666666666\n"
                       "Center_Latitude = 57\nAzimuth = 323.13010236111114\n");
  Doc krovak = Section("KROVAK_OBLIQUE_CONFORMAL_CONIC",
                       "Ellipsoid = 'BR'\nScale_At_Pseudo_Parallel = 0.9999\n"
                       "Pseudo_Parallel = 78.5\nCenter_Longitude = 24.833333333333332\n"
                       "Center_Latitude = 49.5\nAzimuth = 30.28813975277778\n");
  for (const Doc* doc : {&hotine, &krovak}) {
    RecordPtr record(P::CreateFromSection(FirstSection(*doc), true));
    ASSERT_TRUE(record);
    ProjectionPtr p(record->CreateProjection());
    ASSERT_TRUE(p);
    double lon0, lat0, x, y;
    p->GetOrigin(&lon0, &lat0);
    p->Geo2Proj(lon0 + 0.5, lat0 + 0.5, &x, &y);
    EXPECT_TRUE(std::isnan(x) && std::isnan(y)) << rcfGetName(FirstSection(*doc));
  }
}
