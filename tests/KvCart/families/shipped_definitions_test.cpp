// The shipped projection files: every definition of map_projection.rcf and
// the two state-plane files reads, creates a projection, and agrees with
// PROJ's own EPSG (or ESRI) definition of the same system to 1 mm at its
// origin and at a point 100 km away. The tables the files were generated
// from name the authority codes.
#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <memory>
#include <string>

#include "KvCart/core/AngleMath.h"
#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvMapProjectionList.h"
#include "KvCart/core/CKvProjection.h"
#include "ShippedData.h"

namespace {

// PROJ's conversion from the geographic system of a projected one to that
// system, in longitude/latitude degrees and easting/northing order, with the
// axis unit's factor to metres.
class EpsgProjection {
 public:
  EpsgProjection(PJ_CONTEXT* ctx, const std::string& code, const std::string& geographic)
      : m_ctx(ctx) {
    Hold crs(proj_create(ctx, code.c_str()));
    if (!crs) return;
    Hold geog(geographic.empty() ? proj_crs_get_geodetic_crs(ctx, crs.get())
                                 : proj_create(ctx, geographic.c_str()));
    Hold op(proj_create_crs_to_crs_from_pj(ctx, geog.get(), crs.get(), nullptr, nullptr));
    if (!op) return;
    m_op.reset(proj_normalize_for_visualization(ctx, op.get()));
    Hold cs(proj_crs_get_coordinate_system(ctx, crs.get()));
    proj_cs_get_axis_info(ctx, cs.get(), 0, nullptr, nullptr, nullptr, &m_metresPerUnit, nullptr,
                          nullptr, nullptr);
  }
  explicit operator bool() const { return m_op != nullptr; }
  void Forward(double lon, double lat, double* x, double* y) const {
    PJ_COORD c = proj_trans(m_op.get(), PJ_FWD, proj_coord(lon, lat, 0, 0));
    *x = c.xy.x * m_metresPerUnit;
    *y = c.xy.y * m_metresPerUnit;
  }

 private:
  struct Destroy {
    void operator()(PJ* p) const { proj_destroy(p); }
  };
  using Hold = std::unique_ptr<PJ, Destroy>;
  PJ_CONTEXT* m_ctx;
  Hold m_op;
  double m_metresPerUnit = 1.0;
};

struct ShippedFile {
  const char* rcf;
  const char* table;
  bool stateTable;
};

const ShippedFile kFiles[] = {
    {"map_projection.rcf", "national_grids.csv", false},
    {"state_plane_nad83.rcf", "state_plane_nad83.csv", true},
    {"state_plane_nad27.rcf", "state_plane_nad27.csv", true},
};

// No family computes the Guam projection (EPSG method 9831): the generator
// leaves it out.
bool IsLeftOut(const CsvRow& row) { return row.at("method") == "guam_projection"; }

std::string AuthorityCode(const CsvRow& row, bool stateTable) {
  return stateTable ? "EPSG:" + row.at("epsg_projected_crs") : row.at("authority_code");
}

// The geographic system to project from: the projected system's own, except
// where that counts longitudes from Paris in grads.
std::string GeographicOf(const std::string& code) {
  return code == "EPSG:27572" ? "EPSG:4275" : "";
}

// The origin, and a point about 100 km north-east of it (south-east of a
// pole).
void TestPoints(const CKvProjection& p, double points[2][2]) {
  double lon0, lat0;
  p.GetOrigin(&lon0, &lat0);
  points[0][0] = lon0;
  points[0][1] = lat0;
  if (std::fabs(lat0) > 89.0) {
    points[1][0] = lon0 + 1.0;
    points[1][1] = lat0 - std::copysign(0.9, lat0);
  } else {
    points[1][0] = lon0 + 0.64 / std::cos(lat0 * kvcart::kDegToRad);
    points[1][1] = lat0 + 0.64;
  }
}

struct ContextDeleter {
  void operator()(PJ_CONTEXT* c) const { proj_context_destroy(c); }
};

}  // namespace

TEST(ShippedDefinitions, EveryDefinitionAgreesWithItsEpsgSystem) {
  LoadShippedEllipsoids();
  std::unique_ptr<PJ_CONTEXT, ContextDeleter> ctx(proj_context_create());
  for (const ShippedFile& file : kFiles) {
    SCOPED_TRACE(file.rcf);
    CKvMapProjectionList list;
    ASSERT_EQ(list.ReadMapProjections(std::string(KORACORE_SOURCE_DIR "/data/") + file.rcf, false),
              0);
    size_t expected = 0;
    for (const CsvRow& row :
         ReadCsv(std::string(KORACORE_SOURCE_DIR "/tools/data/") + file.table)) {
      if (IsLeftOut(row)) continue;
      ++expected;
      const std::string code = AuthorityCode(row, file.stateTable);
      SCOPED_TRACE(row.at("name") + " " + code);
      const CKvMapProjData* record = list.GetMapProjection(row.at("name"));
      ASSERT_NE(record, nullptr);
      EXPECT_FALSE(record->CanEdit());
      std::unique_ptr<CKvProjection> ours(record->CreateProjection());
      ASSERT_NE(ours, nullptr);
      EpsgProjection proj(ctx.get(), code, GeographicOf(code));
      ASSERT_TRUE(proj);
      double points[2][2];
      TestPoints(*ours, points);
      for (const auto& point : points) {
        double x, y, px, py;
        ours->Geo2Proj(point[0], point[1], &x, &y);
        proj.Forward(point[0], point[1], &px, &py);
        EXPECT_NEAR(x, px, 1e-3) << "at " << point[0] << ", " << point[1];
        EXPECT_NEAR(y, py, 1e-3) << "at " << point[0] << ", " << point[1];
      }
    }
    EXPECT_EQ(list.GetCount(), expected);
  }
}
