// Once created, a facade, a cartography and a datum converter convert from
// several threads at once: the same object and objects of each thread's
// own. Every thread must get exactly the single-threaded answers. The
// ThreadSanitizer build (-DKORACORE_TSAN=ON) runs these tests for races.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FacadeTestSupport.h"
#include "KvCart/facade/CKvCartography.h"
#include "KvCart/facade/CKvDatumConverter.h"
#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/KvCartFlat.h"

namespace {

constexpr int kThreads = 4;
constexpr int kPoints = 2000;

const std::string kShifted = kvtest::TmWkt("ED50 TM9", "International 1924", 6378388.0, 297.0, 9.0,
                                           ",TOWGS84[-89.5,-93.8,-123.1,0,0,-0.156,1.2]");

struct Results {
  std::vector<double> values;
  void Add(double a, double b) {
    values.push_back(a);
    values.push_back(b);
  }
};

// One pass over a fixed set of points through all three kinds of object.
Results ConvertAll(const CKvMapProjection& facade, const CKvCartography& grid,
                   const CKvDatumConverter& converter) {
  Results r;
  for (int i = 0; i < kPoints; ++i) {
    const double lon = 6.0 + 6.0 * i / kPoints;
    const double lat = 47.0 + 8.0 * i / kPoints;
    double x, y, lon2, lat2;
    facade.Geo2Proj(lon, lat, &x, &y);
    facade.Proj2Geo(x, y, &lon2, &lat2);
    r.Add(x, y);
    r.Add(lon2, facade.GetConvergence(lon, lat));
    grid.Geo2Xy(lon, lat, &x, &y);
    r.Add(x, grid.GetTrueNorth(x, y));
    double e = 500000.0 + i, n = 5500000.0 + i, h = 10.0;
    converter.Convert(e, n, h);
    r.Add(e, h);
  }
  return r;
}

template <typename Body>
void InThreads(Body body) {
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back(body, t);
  for (std::thread& thread : threads) thread.join();
}

class Threads : public testing::Test {
 protected:
  void SetUp() override { kvtest::EnsureDatabase(); }
};

}  // namespace

TEST_F(Threads, SameAndOwnObjectsConvertAsInOneThread) {
  const CKvMapProjection facade("UTM-32");
  const CKvCartography grid("UTM-32", 9.5, 52.0, 17.0);
  const CKvDatumConverter converter(kShifted.c_str(), "UTM-32");
  const Results reference = ConvertAll(facade, grid, converter);
  std::array<Results, kThreads> shared, own;
  InThreads([&](int t) {
    shared[t] = ConvertAll(facade, grid, converter);
    // Objects made inside the thread: creation reads the database too.
    const CKvMapProjection myFacade("UTM-32");
    const CKvCartography myGrid("UTM-32", 9.5, 52.0, 17.0);
    const CKvDatumConverter myConverter(kShifted.c_str(), "UTM-32");
    own[t] = ConvertAll(myFacade, myGrid, myConverter);
  });
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(shared[t].values, reference.values) << "thread " << t;
    EXPECT_EQ(own[t].values, reference.values) << "thread " << t;
  }
}

// One system of every family, shared by all threads: no family may keep
// state of its own between conversions.
TEST_F(Threads, EveryFamilyConvertsAsInOneThread) {
  std::vector<std::unique_ptr<CKvMapProjection>> facades;
  for (const char* file : {"epsg_2154", "epsg_28992", "epsg_3031", "epsg_5514", "epsg_3375",
                           "epsg_3035", "epsg_3395", "epsg_27200", "epsg_3005", "epsg_30200",
                           "esri_102031", "epsg_2046", "epsg_29873", "epsg_4326"}) {
    std::ifstream in(std::string(KORACORE_SOURCE_DIR) + "/tests/data/KvCart/prj/" + file + ".prj");
    std::string text;
    std::getline(in, text);
    facades.push_back(std::make_unique<CKvMapProjection>(text));
    ASSERT_NE(facades.back()->GetProjection(), nullptr) << file;
  }
  const auto convert = [&facades] {
    Results r;
    for (const auto& facade : facades) {
      double lon0, lat0;
      facade->GetOrigin(&lon0, &lat0);
      for (int i = 0; i < kPoints / 10; ++i) {
        const double lon = lon0 + 0.001 * i, lat = (lat0 > 80 ? 80 : lat0 < -80 ? -80 : lat0);
        double x, y, lon2, lat2;
        facade->Geo2Proj(lon, lat, &x, &y);
        facade->Proj2Geo(x, y, &lon2, &lat2);
        r.Add(x, y);
        r.Add(lon2, facade->GetConvergence(lon, lat));
      }
    }
    return r;
  };
  const Results reference = convert();
  std::array<Results, kThreads> results;
  InThreads([&](int t) { results[t] = convert(); });
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(results[t].values, reference.values) << t;
}

TEST_F(Threads, FlatHandlesAndStringResultsPerThread) {
  kvtest::Cartography carto;
  int status = -1;
  ASSERT_EQ(C_KVC_CREATE("UTM-32", 9.5, 52.0, 17.0, carto.Out(), &status), 0);
  double refX, refY;
  C_KVC_GEO2XY(carto.Get(), 10.0, 53.0, &refX, &refY);
  std::array<bool, kThreads> ok{};
  InThreads([&](int t) {
    bool good = true;
    const double lon = -177.0 + 60.0 * t;  // zones 1, 11, 21, 31
    const std::string zone = "UTM-" + std::to_string(1 + 10 * t);
    for (int i = 0; i < 500; ++i) {
      double x, y;
      C_KVC_GEO2XY(carto.Get(), 10.0, 53.0, &x, &y);
      good = good && x == refX && y == refY;
      // Each thread keeps its own result text.
      const char* name = CKvMapProjection::LongitudeToUTMZone(lon);
      good = good && zone == name;
      char buffer[16];
      int needed = 0;
      good = good && S_LONGITUDETOUTMZONE(lon, buffer, 15, &needed) == 0 && zone == buffer;
    }
    ok[t] = good;
  });
  for (int t = 0; t < kThreads; ++t) EXPECT_TRUE(ok[t]) << "thread " << t;
}
