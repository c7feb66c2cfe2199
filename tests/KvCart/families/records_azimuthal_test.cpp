// The definition records of the azimuthal families (stereographic, polar
// stereographic, north and south pole, Lambert azimuthal, New Zealand Map
// Grid, rotated longitude/latitude): every alternative keyword form read
// from a section, the write-back of editable records only, the default
// records, and well-known text written from a record reading back into the
// same kind, values and projection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/families/CKvStereographicProjection.h"
#include "KvCart/text/CKvPRJParser.h"
#include "ShippedData.h"
#include "base/CString.h"
#include "rcf/rcf.h"

namespace {

using Type = CKvMapProjData::EProjectionType;
using RecordPtr = std::unique_ptr<CKvMapProjData>;
using ProjectionPtr = std::unique_ptr<CKvProjection>;

struct DocCloser {
  void operator()(void* doc) const { rcfClose(&doc); }
};
using DocPtr = std::unique_ptr<void, DocCloser>;

RecordPtr ReadSection(const std::string& section, bool custom) {
  std::string text = "[MAP_PROJECTION_DEFINITION]\n" + section + "EndTarget\n";
  DocPtr doc(rcfLoadText(text.c_str(), static_cast<int>(text.size()), "test.rcf"));
  EXPECT_TRUE(doc) << rcfGetErrorDetailGlb();
  if (!doc) return nullptr;
  void* target = rcfTargetByNum(doc.get(), 1);
  return RecordPtr(CKvMapProjData::CreateFromSection(rcfSectionByNum(target, 1), custom));
}

std::vector<double> ParametersOf(const CKvMapProjData& record) {
  std::vector<double> values;
  std::string label;
  double value;
  CKvMapProjData::EParamType type;
  for (int i = 0; record.GetParameter(i, label, value, type); ++i) values.push_back(value);
  return values;
}

constexpr double kFoot = 0.30480060960121924;

struct SectionCase {
  Type type;
  const char* section;
  std::vector<double> expected;
};

// Every parameter in its alternative form where it has one.
const SectionCase kAlternativeForms[] = {
    {CKvMapProjData::eStereographic,
     "[STEREOGRAPHIC_PROJECTION]\n Scale_Reduction = 2500\n Scale = 7\n"
     " Centre_dms = 5, 23, 15.5\n Origin_Latitude_dms = -52, 9, 22.178\n"
     " Feast_ft_us = 1000\n Fnorth_ft_us = -1000\nEndSect\n",
     {0.9996, 5.0 + 23.0 / 60 + 15.5 / 3600, -(52.0 + 9.0 / 60 + 22.178 / 3600), 1000 * kFoot,
      -1000 * kFoot}},
    {CKvMapProjData::ePolarStereographic,
     "[POLAR_STEREOGRAPHIC_PROJECTION]\n Scale_Reduction = 1000\n Centre_dms = -45\n"
     " Origin_Latitude_dms = 0, -30, 0\n Feast = 2000000\n Fnorth_ft_us = 1000\nEndSect\n",
     {0.999, -45.0, -0.5, 2000000.0, 1000 * kFoot}},
    {CKvMapProjData::eStereographicNorthPole,
     "[STEREOGRAPHIC_NORTH_POLE_PROJECTION]\n Parallel_1_dms = 70, 30\n Centre_dms = -45, 0, 0\n"
     " Feast_ft_us = 1\n Fnorth = 5\nEndSect\n",
     {70.5, -45.0, kFoot, 5.0}},
    {CKvMapProjData::eStereographicSouthPole,
     "[STEREOGRAPHIC_SOUTH_POLE_PROJECTION]\n Parallel_1_dms = -71, 0, 0\n Parallel_1 = 3\n"
     " Centre = 70\n Feast = 6000000\n Fnorth_ft_us = 0\nEndSect\n",
     {-71.0, 70.0, 6000000.0, 0.0}},
    {CKvMapProjData::eLambertAzimuthalEqualArea,
     "[LAMBERT_AZIMUTHAL_EQUAL_AREA_PROJECTION]\n Centre_dms = 10\n Origin_Latitude_dms = 52\n"
     " Feast_ft_us = 100\n Fnorth_ft_us = 200\nEndSect\n",
     {10.0, 52.0, 100 * kFoot, 200 * kFoot}},
    {CKvMapProjData::eNewZealandMapGrid,
     "[NEW_ZEALAND_MAP_GRID_PROJECTION]\n Origin_Longitude_dms = 173\n"
     " Origin_Latitude_dms = -41\n Feast = 2510000\n Fnorth = 6023150\nEndSect\n",
     {173.0, -41.0, 2510000.0, 6023150.0}},
    // No alternative forms: the plain keys, and a missing one stays 0.
    {CKvMapProjData::eRotatedLongitudeLatitude,
     "[ROTATED_LONGITUDE_LATITUDE_PROJECTION]\n Longitude_of_South_Pole = 18\n"
     " Latitude_of_South_Pole = -39.25\nEndSect\n",
     {18.0, -39.25, 0.0}},
};

const Type kMyTypes[] = {CKvMapProjData::eStereographic,
                         CKvMapProjData::eNewZealandMapGrid,
                         CKvMapProjData::eRotatedLongitudeLatitude,
                         CKvMapProjData::eStereographicNorthPole,
                         CKvMapProjData::eStereographicSouthPole,
                         CKvMapProjData::eLambertAzimuthalEqualArea,
                         CKvMapProjData::ePolarStereographic};

// Real parameters in GetParameter order (EPSG 28992, 27200, EUR-11, 3413,
// 3032, 3035, 32661).
std::vector<double> RealParameters(Type type) {
  switch (type) {
    case CKvMapProjData::eStereographic:
      return {0.9999079, 5.38763888888889, 52.15616055555555, 155000, 463000};
    case CKvMapProjData::eNewZealandMapGrid: return {173, -41, 2510000, 6023150};
    case CKvMapProjData::eRotatedLongitudeLatitude: return {18, -39.25, 12.5};
    case CKvMapProjData::eStereographicNorthPole: return {70, -45, 0, 0};
    case CKvMapProjData::eStereographicSouthPole: return {-71, 70, 6000000, 6000000};
    case CKvMapProjData::eLambertAzimuthalEqualArea: return {10, 52, 4321000, 3210000};
    default: return {0.994, 0, 90, 2000000, 2000000};
  }
}

const char* EllipsoidOf(Type type) {
  switch (type) {
    case CKvMapProjData::eStereographic: return "BR";
    case CKvMapProjData::eNewZealandMapGrid: return "IN";
    case CKvMapProjData::eRotatedLongitudeLatitude: return "XY";
    case CKvMapProjData::eLambertAzimuthalEqualArea: return "RF";
    default: return "WE";
  }
}

RecordPtr RealRecord(Type type, const char* code) {
  std::vector<double> values = RealParameters(type);
  return RecordPtr(
      CKvMapProjData::CreateProjection(type, "Test grid", "Test datum", code, values.data()));
}

}  // namespace

TEST(AzimuthalRecords, ReadEveryAlternativeKeywordForm) {
  for (const SectionCase& c : kAlternativeForms) {
    RecordPtr record = ReadSection(c.section, false);
    ASSERT_TRUE(record) << c.section;
    EXPECT_EQ(record->GetProjectionType(), c.type);
    std::vector<double> values = ParametersOf(*record);
    ASSERT_EQ(values.size(), c.expected.size()) << c.section;
    for (size_t i = 0; i < values.size(); ++i) {
      EXPECT_NEAR(values[i], c.expected[i], 1e-12) << c.section << " parameter " << i;
    }
    EXPECT_FALSE(record->CanEdit());
    EXPECT_FALSE(record->CanDelete());
  }
}

TEST(AzimuthalRecords, OnlyEditableRecordsAreWrittenBackInPlainForm) {
  RecordPtr custom = ReadSection(kAlternativeForms[0].section, true);
  RecordPtr standard = ReadSection(kAlternativeForms[1].section, false);
  RecordPtr rotated = ReadSection(kAlternativeForms[6].section, true);
  ASSERT_TRUE(custom && standard && rotated);
  DocPtr doc(rcfCreate());
  rcfAddTarget(doc.get(), "MAP_PROJECTION_DEFINITION");
  standard->WriteToHandle(doc.get());
  EXPECT_EQ(rcfGetNoSections(rcfTargetByNum(doc.get(), 1)), 0);
  custom->WriteToHandle(doc.get());
  rotated->WriteToHandle(doc.get());
  std::string written = rcfWriteText(doc.get()).GetString();
  for (const char* expected :
       {"[STEREOGRAPHIC_PROJECTION]", "Scale = 0.9996", "Centre = 5.3876388888888895",
        "Feast = 304.800609601219", "[ROTATED_LONGITUDE_LATITUDE_PROJECTION]",
        "Latitude_of_South_Pole = -39.25", "Angle_of_Rotation = 0"}) {
    EXPECT_NE(written.find(expected), std::string::npos) << expected << " in\n" << written;
  }
  for (const char* form : {"_dms", "_ft_us", "Scale_Reduction", "POLAR"}) {
    EXPECT_EQ(written.find(form), std::string::npos) << form << " in\n" << written;
  }
}

// Labels as the listing shows them, and SetParameters in their order.
TEST(AzimuthalRecords, ParametersInTheirListedOrder) {
  CKvStereographicProjection record;
  const double values[] = {1, 10, 50, 0, 0};
  record.SetParameters(values);
  EXPECT_EQ(record.GetScale(), 1.0);
  EXPECT_EQ(record.GetCentre(), 10.0);
  EXPECT_EQ(record.GetOriginLatitude(), 50.0);
  const char* labels[] = {
      "Scale:", "Central meridian:", "Latitude origin:", "False easting:", "False northing:"};
  for (int i = 0; i < 5; ++i) {
    std::string label;
    double value;
    CKvMapProjData::EParamType kind;
    ASSERT_TRUE(record.GetParameter(i, label, value, kind));
    EXPECT_EQ(label, labels[i]);
    EXPECT_EQ(kind, i == 0  ? CKvMapProjData::eNoUnit
                    : i < 3 ? CKvMapProjData::eAngular
                            : CKvMapProjData::eLinear);
  }
  std::string label = "untouched";
  double value = -1;
  CKvMapProjData::EParamType kind = CKvMapProjData::eLinear;
  EXPECT_FALSE(record.GetParameter(5, label, value, kind));
  EXPECT_EQ(label, "untouched");
}

// Written as well-known text and parsed back, a record gives the same kind
// and values, and the projection built from the text converts exactly as the
// one built from the record.
TEST(AzimuthalRecords, WellKnownTextReadsBackIntoTheSameProjection) {
  LoadShippedEllipsoids();
  for (Type type : kMyTypes) {
    RecordPtr record = RealRecord(type, EllipsoidOf(type));
    ASSERT_TRUE(record) << type;
    CString text;
    ASSERT_TRUE(CKvPRJParser(record.get()).Format(text)) << type;
    CKvPRJParser parsed(text);
    ASSERT_TRUE(parsed.Parse(false)) << text.GetString();
    EXPECT_EQ(parsed.GetProjectionType(), type) << text.GetString();
    ASSERT_EQ(parsed.GetNoOfParameters(), record->GetNoOfParameters());
    for (int i = 0; i < record->GetNoOfParameters(); ++i) {
      std::string label;
      double value, parsedValue, factor;
      CKvMapProjData::EParamType kind;
      CString parsedName, unit;
      record->GetParameter(i, label, value, kind);
      ASSERT_TRUE(parsed.GetParameter(i, parsedName, parsedValue, unit, factor));
      EXPECT_EQ(parsedName.GetString(), label);
      EXPECT_NEAR(parsedValue, value, 1e-15 * std::max(1.0, std::fabs(value)))
          << label << " of " << text.GetString();
    }
    ProjectionPtr fromRecord(record->CreateProjection());
    ProjectionPtr fromText(parsed.CreateMapProjection());
    ASSERT_TRUE(fromRecord && fromText) << type;
    double lon0, lat0;
    fromRecord->GetOrigin(&lon0, &lat0);
    for (double d : {-2.0, 0.5, 3.0}) {
      double lat = std::clamp(lat0 + d, -89.0, 89.0), x1, y1, x2, y2;
      fromRecord->Geo2Proj(lon0 + d, lat, &x1, &y1);
      fromText->Geo2Proj(lon0 + d, lat, &x2, &y2);
      EXPECT_NEAR(x2, x1, 1e-6) << type;
      EXPECT_NEAR(y2, y1, 1e-6) << type;
    }
  }
}

// The text of the rotated grid names degrees as its unit: its coordinates
// are angles.
TEST(AzimuthalRecords, RotatedGridTextCountsInDegrees) {
  LoadShippedEllipsoids();
  RecordPtr record = RealRecord(CKvMapProjData::eRotatedLongitudeLatitude, "XY");
  CKvPRJParser parser(record.get());
  CString unit;
  double factor = 0;
  parser.GetProjUnit(unit, factor);
  EXPECT_STREQ(unit.GetString(), "Degree");
  EXPECT_EQ(factor, 1.0);
  EXPECT_STREQ(parser.GetProjectionTypeName().GetString(), "Rotated_Longitude_Latitude");
}

TEST(AzimuthalRecords, DefaultRecordsMakeWorkingProjections) {
  LoadShippedEllipsoids();
  for (Type type : kMyTypes) {
    RecordPtr record(CKvMapProjData::CreateDefaultParameterProjection(type));
    ASSERT_TRUE(record) << type;
    EXPECT_EQ(record->GetName().rfind("Default ", 0), 0u) << record->GetName();
    EXPECT_FALSE(record->CanEdit());
    ProjectionPtr projection(record->CreateProjection());
    ASSERT_TRUE(projection) << record->GetName();
    double lon0, lat0, x, y, lon, lat;
    projection->GetOrigin(&lon0, &lat0);
    lat0 = std::clamp(lat0, -88.0, 88.0);
    projection->Geo2Proj(lon0 + 1, lat0 + 1, &x, &y);
    projection->Proj2Geo(x, y, &lon, &lat);
    EXPECT_NEAR(lon, lon0 + 1, 1e-8) << record->GetName();
    EXPECT_NEAR(lat, lat0 + 1, 1e-8) << record->GetName();
  }
}

TEST(AzimuthalRecords, MissingEllipsoidMakesNoProjection) {
  LoadShippedEllipsoids();
  for (Type type : kMyTypes) {
    RecordPtr record = RealRecord(type, "??");
    EXPECT_EQ(ProjectionPtr(record->CreateProjection()), nullptr) << type;
    CKvPRJParser parser(record.get());
    EXPECT_EQ(parser.GetProjectionType(), CKvMapProjData::eNonProjected);
  }
}

// A projection object hands over the database definition of its name, of
// its own family: the polar stereographic object describes the polar
// stereographic definition, not the pole class it converts with.
TEST(AzimuthalRecords, ProjectionTextComesFromItsDefinition) {
  LoadShippedEllipsoids();
  CKvMapProjectionList& list = CKvCartSetup::Instance().GetMapProjectionList();
  for (Type type : kMyTypes) {
    std::vector<double> values = RealParameters(type);
    if (type == CKvMapProjData::ePolarStereographic) values[2] = -71;  // latitude of true scale
    const std::string name = "Azimuthal definition " + std::to_string(type);
    CKvMapProjData* record = CKvMapProjData::CreateProjection(type, name, "Test datum",
                                                              EllipsoidOf(type), values.data());
    list.AddMapProjection(record);
    ProjectionPtr projection(record->CreateProjection());
    ASSERT_TRUE(projection) << type;
    ProjectionPtr copy(projection->Clone());
    CKvPRJParser text(copy.get());
    EXPECT_EQ(text.GetProjectionType(), type);
    EXPECT_EQ(std::string(text.GetProjCSname().GetString()), name);
    EXPECT_EQ(std::string(text.GetDatum().GetString()), "Test datum");
    list.DeleteMapProjection(record);
  }
}
