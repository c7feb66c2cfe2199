// Every family's definition record written as well-known text reads back
// into the same kind, and the projection built from the text converts like
// the one built from the record.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/KvCartFlat.h"
#include "KvCart/text/CKvPRJParser.h"
#include "WktSamples.h"

namespace {

// The records look their ellipsoids up in the shipped ellipsoid file.
void EnsureDatabase() {
  static const bool filled = [] {
    const std::string data = std::string(KORACORE_SOURCE_DIR) + "/data/";
    const std::string custom = std::string(KORACORE_TEST_WORK_DIR) + "/";
    return CARTSETUPLINUX(data.c_str(), custom.c_str()) == 0;
  }();
  (void)filled;
}

}  // namespace

TEST(PrjRecords, EveryFamilyReadsBackFromItsText) {
  EnsureDatabase();
  int families = 0;
  for (int t = 1; t <= CKvMapProjData::GetNoOfProjections(); ++t) {
    const auto type = static_cast<CKvMapProjData::EProjectionType>(t);
    const std::unique_ptr<CKvMapProjData> record(
        CKvMapProjData::CreateDefaultParameterProjection(type));
    if (!record) continue;  // family not built into the library
    ++families;
    CString text;
    ASSERT_TRUE(CKvPRJParser(record.get()).Format(text)) << t;
    SCOPED_TRACE(text.GetString());
    CKvPRJParser read(text);
    ASSERT_TRUE(read.Parse(false));
    EXPECT_EQ(read.GetProjectionType(), type);
    EXPECT_EQ(read.GetProjCSname(), record->GetName().c_str());

    const std::unique_ptr<CKvProjection> fromRecord(record->CreateProjection());
    const std::unique_ptr<CKvProjection> fromText(read.CreateMapProjection());
    ASSERT_TRUE(fromRecord);
    ASSERT_TRUE(fromText);
    double lon0 = 0, lat0 = 0;
    fromRecord->GetOrigin(&lon0, &lat0);
    const double lon = lon0 + 0.5, lat = lat0 > 0 ? lat0 - 0.5 : lat0 + 0.5;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    fromRecord->Geo2Proj(lon, lat, &x1, &y1);
    fromText->Geo2Proj(lon, lat, &x2, &y2);
    EXPECT_NEAR(x1, x2, 1e-6);
    EXPECT_NEAR(y1, y2, 1e-6);
  }
  EXPECT_GE(families, 2);
}
