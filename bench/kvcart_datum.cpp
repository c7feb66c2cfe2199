// Datum conversion throughput: 100 000 projected points from an ED50
// transverse Mercator (International 1924, seven-parameter shift to WGS 84)
// to a DHDN transverse Mercator (Bessel 1841, seven-parameter shift), one
// point per Convert call of CKvDatumConverter as a host calls it, against
// PROJ's proj_trans_generic over the same pipeline (inverse tmerc, cart,
// two position-vector Helmert steps, inverse cart, tmerc). Also the
// geodetic-only path (type 3, longitude/latitude in and out) against the
// same pipeline without the projections.
#include <benchmark/benchmark.h>
#include <proj.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "KvCart/facade/CKvDatumConverter.h"
#include "KvCart/facade/CKvMapProjection.h"

namespace {

constexpr int kCount = 100000;

std::string Tm(const char* spheroid, const char* a, const char* invF, const char* towgs84) {
  return std::string("PROJCS[\"TM9\",GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"") + spheroid + "\"," + a +
         "," + invF + "],TOWGS84[" + towgs84 +
         "]],PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.0174532925199433]],"
         "PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"False_Easting\",500000],"
         "PARAMETER[\"False_Northing\",0],PARAMETER[\"Central_Meridian\",9],"
         "PARAMETER[\"Scale_Factor\",0.9996],PARAMETER[\"Latitude_Of_Origin\",0],"
         "UNIT[\"Meter\",1]]";
}

const std::string kSource = Tm("Intl", "6378388", "297", "-89.5,-93.8,-123.1,0,0,-0.156,1.2");
const std::string kTarget =
    Tm("Bessel", "6377397.155", "299.1528128", "598.1,73.7,418.2,0.202,0.045,-2.455,6.7");
const std::string kHelmert =
    " +step +proj=cart +ellps=intl"
    " +step +proj=helmert +x=-89.5 +y=-93.8 +z=-123.1 +rx=0 +ry=0 +rz=-0.156 +s=1.2"
    " +convention=position_vector"
    " +step +inv +proj=helmert +x=598.1 +y=73.7 +z=418.2 +rx=0.202 +ry=0.045 +rz=-2.455"
    " +s=6.7 +convention=position_vector +step +inv +proj=cart +ellps=bessel";
const std::string kTm = " +proj=tmerc +lon_0=9 +k=0.9996 +x_0=500000";

struct Points {
  std::vector<double> x, y;
};

Points Projected() {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> e(300000.0, 700000.0), n(5300000.0, 6100000.0);
  Points p;
  for (int i = 0; i < kCount; ++i) {
    p.x.push_back(e(random));
    p.y.push_back(n(random));
  }
  return p;
}

Points Geographical() {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> lon(6.0, 12.0), lat(47.0, 55.0);
  Points p;
  for (int i = 0; i < kCount; ++i) {
    p.x.push_back(lon(random));
    p.y.push_back(lat(random));
  }
  return p;
}

void Ours(benchmark::State& state, CKvDatumConverter::ETypeOfConversion type, Points points) {
  CKvDatumConverter converter(kSource.c_str(), kTarget.c_str());
  converter.SetConversionType(type);
  std::vector<double> x(kCount), y(kCount);
  for (auto _ : state) {
    for (int i = 0; i < kCount; ++i) {
      x[i] = points.x[i];
      y[i] = points.y[i];
      converter.Convert(x[i], y[i]);
    }
    benchmark::DoNotOptimize(x.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void Proj(benchmark::State& state, const std::string& pipeline, Points points, bool degrees) {
  std::unique_ptr<PJ, decltype(&proj_destroy)> pj(proj_create(PJ_DEFAULT_CTX, pipeline.c_str()),
                                                  proj_destroy);
  if (!pj) {
    state.SkipWithError("PROJ refused the pipeline");
    return;
  }
  if (degrees) {
    for (int i = 0; i < kCount; ++i) {
      points.x[i] = proj_torad(points.x[i]);
      points.y[i] = proj_torad(points.y[i]);
    }
  }
  std::vector<double> x(kCount), y(kCount);
  for (auto _ : state) {
    x = points.x;
    y = points.y;
    proj_trans_generic(pj.get(), PJ_FWD, x.data(), sizeof(double), kCount, y.data(), sizeof(double),
                       kCount, nullptr, 0, 0, nullptr, 0, 0);
    benchmark::DoNotOptimize(x.data());
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void OursProjected(benchmark::State& s) { Ours(s, CKvDatumConverter::eProjToProj, Projected()); }
void ProjProjected(benchmark::State& s) {
  Proj(s,
       "+proj=pipeline +step +inv" + kTm + " +ellps=intl" + kHelmert + " +step" + kTm +
           " +ellps=bessel",
       Projected(), false);
}
void OursGeographical(benchmark::State& s) {
  Ours(s, CKvDatumConverter::eGeoToGeo, Geographical());
}
void ProjGeographical(benchmark::State& s) {
  Proj(s, "+proj=pipeline" + kHelmert, Geographical(), true);
}

}  // namespace

BENCHMARK(OursProjected)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjProjected)->Unit(benchmark::kMillisecond);
BENCHMARK(OursGeographical)->Unit(benchmark::kMillisecond);
BENCHMARK(ProjGeographical)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
