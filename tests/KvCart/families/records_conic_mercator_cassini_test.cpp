// The definition records of the conic, Mercator and Cassini-Soldner families:
// every alternative keyword form of every parameter read from a section,
// the write-back of editable records only, the older Mercator section name,
// the default records, and well-known text written from a record reading
// back into the same kind, values and projection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvProjection.h"
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

// One section of a definition file, read into the record of its family.
RecordPtr ReadSection(const std::string& section, bool custom, DocPtr* keep = nullptr) {
  std::string text = "[MAP_PROJECTION_DEFINITION]\n" + section + "EndTarget\n";
  DocPtr doc(rcfLoadText(text.c_str(), static_cast<int>(text.size()), "test.rcf"));
  EXPECT_TRUE(doc) << rcfGetErrorDetailGlb();
  if (!doc) return nullptr;
  void* target = rcfTargetByNum(doc.get(), 1);
  RecordPtr record(CKvMapProjData::CreateFromSection(rcfSectionByNum(target, 1), custom));
  if (keep) *keep = std::move(doc);
  return record;
}

std::vector<double> ParametersOf(const CKvMapProjData& record) {
  std::vector<double> values;
  std::string label;
  double value;
  CKvMapProjData::EParamType type;
  for (int i = 0; record.GetParameter(i, label, value, type); ++i) values.push_back(value);
  return values;
}

// Every parameter of a family in its alternative form: degrees-minutes-
// seconds (the sign of the degrees applies to minutes and seconds), US survey
// feet, scale reduction.
struct AlternativeFormsCase {
  Type type;
  const char* section;
  std::vector<double> expected;
};

const AlternativeFormsCase kAlternativeForms[] = {
    {CKvMapProjData::eLambert1SP,
     "[LAMBERT_CONIC_1SP_PROJECTION]\n Scale_Reduction = 2500\n Scale = 7.0\n"
     " Origin_Longitude_dms = -3, 30, 0\n Origin_Latitude_dms = 46, 48, 0.0\n"
     " Feast_ft_us = 1000\n Fnorth_ft_us = -1000\nEndSect\n",
     {0.9996, -3.5, 46.8, 304.80060960121924, -304.80060960121924}},
    {CKvMapProjData::eLambert2SP,
     "[LAMBERT_CONIC_2SP_PROJECTION]\n Parallel_1_dms = 49, 0, 36.0\n Parallel_2_dms = 0, -30, 0\n"
     " Origin_Longitude_dms = 3\n Origin_Latitude_dms = -46, 30\n"
     " Feast_ft_us = 2000\n Fnorth_ft_us = 0\nEndSect\n",
     {49.01, -0.5, 3.0, -46.5, 609.6012192024385, 0.0}},
    {CKvMapProjData::eAlbersEqualArea,
     "[ALBERS_EQUAL_AREA_PROJECTION]\n Parallel_1_dms = 29, 30, 0\n Parallel_2_dms = 45, 30, 0\n"
     " Central_Meridian_dms = -96, 0, 0\n Origin_Latitude_dms = 23, 0, 0\n"
     " Feast_ft_us = 1000\n Fnorth_ft_us = 1000\nEndSect\n",
     {29.5, 45.5, -96.0, 23.0, 304.80060960121924, 304.80060960121924}},
    {CKvMapProjData::eEquidistantConic,
     "[EQUIDISTANT_CONIC_PROJECTION]\n Parallel_1_dms = 33, 0, 0\n Parallel_2_dms = 45, 0, 0\n"
     " Central_Meridian_dms = -96, 15, 0\n Origin_Latitude_dms = 39, 0, 0\n"
     " Feast_ft_us = 1000\n Fnorth_ft_us = 1000\nEndSect\n",
     {33.0, 45.0, -96.25, 39.0, 304.80060960121924, 304.80060960121924}},
    {CKvMapProjData::eMercator1SP,
     "[MERCATOR_1SP_PROJECTION]\n Scale_Reduction = 1000\n Centre_dms = 110, 0, 0\n"
     " Feast_ft_us = 1000\n Fnorth_ft_us = 1000\nEndSect\n",
     {0.999, 110.0, 304.80060960121924, 304.80060960121924}},
    {CKvMapProjData::eMercator2SP,
     "[MERCATOR_PROJECTION]\n Parallel_1_dms = -41, 0, 0\n Centre_dms = 100, 0, 0\n"
     " Feast_ft_us = 1000\n Fnorth_ft_us = 1000\nEndSect\n",
     {-41.0, 100.0, 304.80060960121924, 304.80060960121924}},
    {CKvMapProjData::eCassiniSoldner,
     "[CASSINI_SOLDNER_PROJECTION]\n Central_Meridian_dms = -61, 20, 0\n"
     " Origin_Latitude_dms = 10, 26, 30\n Feast_ft_us = 1000\n Fnorth_ft_us = 1000\nEndSect\n",
     {-61.0 - 20.0 / 60, 10.0 + 26.5 / 60, 304.80060960121924, 304.80060960121924}},
};

}  // namespace

TEST(ConicMercatorCassiniRecords, ReadEveryAlternativeKeywordForm) {
  for (const AlternativeFormsCase& c : kAlternativeForms) {
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

// A custom record writes its section with plain keys and metres; a record of
// a standard file writes nothing; the two-parallel Mercator read from the
// older section name is written under the current one.
TEST(ConicMercatorCassiniRecords, OnlyEditableRecordsAreWrittenBackInPlainForm) {
  RecordPtr custom = ReadSection(kAlternativeForms[0].section, true);
  RecordPtr standard = ReadSection(kAlternativeForms[0].section, false);
  RecordPtr mercator = ReadSection(kAlternativeForms[5].section, true);
  ASSERT_TRUE(custom && standard && mercator);
  EXPECT_TRUE(mercator->IsSectionID("MERCATOR_2SP_PROJECTION"));
  EXPECT_TRUE(mercator->IsSectionID("MERCATOR_PROJECTION"));

  DocPtr doc(rcfCreate());
  rcfAddTarget(doc.get(), "MAP_PROJECTION_DEFINITION");
  standard->WriteToHandle(doc.get());
  EXPECT_EQ(rcfGetNoSections(rcfTargetByNum(doc.get(), 1)), 0);
  custom->WriteToHandle(doc.get());
  mercator->WriteToHandle(doc.get());
  std::string written = rcfWriteText(doc.get()).GetString();
  EXPECT_NE(written.find("[LAMBERT_CONIC_1SP_PROJECTION]"), std::string::npos);
  // 1000 ft in metres, as the double nearest 1000 x 0.30480060960121924 prints.
  EXPECT_NE(written.find("Feast = 304.800609601219"), std::string::npos) << written;
  EXPECT_NE(written.find("Origin_Longitude = -3.5"), std::string::npos) << written;
  EXPECT_NE(written.find("Scale = 0.9996"), std::string::npos) << written;
  EXPECT_NE(written.find("[MERCATOR_2SP_PROJECTION]"), std::string::npos);
  for (const char* form : {"_dms", "_ft_us", "Scale_Reduction", "[MERCATOR_PROJECTION]"}) {
    EXPECT_EQ(written.find(form), std::string::npos) << form << " in\n" << written;
  }
}

namespace {

const Type kMyTypes[] = {CKvMapProjData::eLambert2SP,      CKvMapProjData::eLambert1SP,
                         CKvMapProjData::eMercator2SP,     CKvMapProjData::eMercator1SP,
                         CKvMapProjData::eAlbersEqualArea, CKvMapProjData::eCassiniSoldner,
                         CKvMapProjData::eEquidistantConic};

// A record of each family with real parameters (EPSG 2154, 27572, 3388, 3002,
// 5070, 30200 and ESRI 102031 in spirit), in GetParameter order.
const double* RealParameters(Type type) {
  static const double lambert2[] = {49, 44, 3, 46.5, 700000, 6600000};
  static const double lambert1[] = {0.99987742, 2.33722917, 46.8, 600000, 2200000};
  static const double mercator2[] = {42, 51, 100, -200};
  static const double mercator1[] = {0.997, 110, 3900000, 900000};
  static const double albers[] = {29.5, 45.5, -96, 23, 1000, 2000};
  static const double cassini[] = {-61.333333333333336, 10.441666666666666, 86501.46392052,
                                   65379.0134283};
  static const double eqdc[] = {43, 62, 10, 30, -500, 700};
  switch (type) {
    case CKvMapProjData::eLambert2SP: return lambert2;
    case CKvMapProjData::eLambert1SP: return lambert1;
    case CKvMapProjData::eMercator2SP: return mercator2;
    case CKvMapProjData::eMercator1SP: return mercator1;
    case CKvMapProjData::eAlbersEqualArea: return albers;
    case CKvMapProjData::eCassiniSoldner: return cassini;
    default: return eqdc;
  }
}

}  // namespace

// Written as well-known text and parsed back, a record gives the same kind
// and values, and the projection built from the text converts exactly as the
// one built from the record (which catches a parameter handed to the wrong
// place on either side).
TEST(ConicMercatorCassiniRecords, WellKnownTextReadsBackIntoTheSameProjection) {
  LoadShippedEllipsoids();
  for (Type type : kMyTypes) {
    RecordPtr record(CKvMapProjData::CreateProjection(type, "Test grid", "Test datum", "IN",
                                                      RealParameters(type)));
    ASSERT_TRUE(record) << type;
    CString text;
    ASSERT_TRUE(CKvPRJParser(record.get()).Format(text)) << type;
    CKvPRJParser parsed(text);
    ASSERT_TRUE(parsed.Parse(false)) << text.GetString();
    EXPECT_EQ(parsed.GetProjectionType(), type) << text.GetString();
    EXPECT_EQ(parsed.GetNoOfParameters(), record->GetNoOfParameters());
    for (int i = 0; i < record->GetNoOfParameters(); ++i) {
      std::string label;
      double value, parsedValue, factor;
      CKvMapProjData::EParamType kind;
      CString parsedName, unit;
      record->GetParameter(i, label, value, kind);
      ASSERT_TRUE(parsed.GetParameter(i, parsedName, parsedValue, unit, factor));
      EXPECT_EQ(parsedName.GetString(), label);
      // Sixteen significant digits: within a unit of the last.
      EXPECT_NEAR(parsedValue, value, 1e-15 * std::max(1.0, std::fabs(value)))
          << label << " of " << text.GetString();
    }
    ProjectionPtr fromRecord(record->CreateProjection());
    ProjectionPtr fromText(parsed.CreateMapProjection());
    ASSERT_TRUE(fromRecord && fromText) << type;
    for (double dLon : {-2.0, 0.5, 3.0}) {
      double lon0, lat0, x1, y1, x2, y2;
      fromRecord->GetOrigin(&lon0, &lat0);
      fromRecord->Geo2Proj(lon0 + dLon, lat0 + dLon / 2, &x1, &y1);
      fromText->Geo2Proj(lon0 + dLon, lat0 + dLon / 2, &x2, &y2);
      EXPECT_NEAR(x2, x1, 1e-6) << type;
      EXPECT_NEAR(y2, y1, 1e-6) << type;
    }
  }
}

// Every default record makes a projection that converts: no scale of 0, no
// cone without a parallel off the equator.
TEST(ConicMercatorCassiniRecords, DefaultRecordsMakeWorkingProjections) {
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
    projection->Geo2Proj(lon0 + 1, lat0 + 1, &x, &y);
    projection->Proj2Geo(x, y, &lon, &lat);
    EXPECT_NEAR(lon, lon0 + 1, 1e-8) << record->GetName();
    EXPECT_NEAR(lat, lat0 + 1, 1e-8) << record->GetName();
  }
}

// A record whose ellipsoid the database lacks makes no projection, and writes
// well-known text of the non-projected kind.
TEST(ConicMercatorCassiniRecords, MissingEllipsoidMakesNoProjection) {
  LoadShippedEllipsoids();
  for (Type type : kMyTypes) {
    RecordPtr record(
        CKvMapProjData::CreateProjection(type, "Lost", "", "??", RealParameters(type)));
    EXPECT_EQ(ProjectionPtr(record->CreateProjection()), nullptr) << type;
    CKvPRJParser parser(record.get());
    EXPECT_EQ(parser.GetProjectionType(), CKvMapProjData::eNonProjected);
  }
}
