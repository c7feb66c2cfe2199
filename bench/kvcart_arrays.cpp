// Whole-array throughput of the flat interface: one million points forward
// and inverse through C_KVMP_GEO2PROJ_ARRAY / C_KVMP_PROJ2GEO_ARRAY against
// PROJ's own array entry point, proj_trans_generic, on the same arrays and
// the same definitions: PROJ reads the very well-known text our handle is
// created from. Cases: transverse Mercator (UTM zone 32 on WGS 84), Lambert
// conformal conic with two parallels (Lambert-93) and the oblique
// stereographic (RD New). A third line per case runs the projection object
// itself point by point (CKvProjection, no flat layer), the cost the array
// call adds to. At the end the ratios are printed (PROJ time / array time,
// and array time / projection time).
//
// The machine is shared and noisy; instruction counts are steadier:
//   valgrind --tool=callgrind --callgrind-out-file=cg.out bench_kvcart_arrays --callgrind
// runs every case once over 100000 points and dumps one profile per case
// and contender (the dump's "desc: Trigger" line names it, its "totals"
// line holds the instructions; divide by 100000).
#include <benchmark/benchmark.h>
#include <proj.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "KvCart/core/CKvProjection.h"
#include "KvCart/facade/KvCartFlat.h"

namespace {

constexpr int kCount = 1000000;
constexpr int kCallgrindCount = 100000;

struct Case {
  const char* name;
  const char* wkt;
  double west, east, south, north;
};

const Case kCases[] = {
    {"UTM-32",
     "PROJCS[\"WGS_1984_UTM_Zone_32N\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\","
     "SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],"
     "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
     "PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],"
     "PARAMETER[\"Central_Meridian\",9.0],PARAMETER[\"Scale_Factor\",0.9996],"
     "PARAMETER[\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]",
     6, 12, -80, 84},
    {"Lambert-93",
     "PROJCS[\"RGF_1993_Lambert_93\",GEOGCS[\"GCS_RGF_1993\",DATUM[\"D_RGF_1993\","
     "SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],PRIMEM[\"Greenwich\",0.0],"
     "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Lambert_Conformal_Conic\"],"
     "PARAMETER[\"False_Easting\",700000.0],PARAMETER[\"False_Northing\",6600000.0],"
     "PARAMETER[\"Central_Meridian\",3.0],PARAMETER[\"Standard_Parallel_1\",49.0],"
     "PARAMETER[\"Standard_Parallel_2\",44.0],PARAMETER[\"Latitude_Of_Origin\",46.5],"
     "UNIT[\"Meter\",1.0]]",
     -5, 10, 41, 51.5},
    {"RD New",
     "PROJCS[\"RD_New\",GEOGCS[\"GCS_Amersfoort\",DATUM[\"D_Amersfoort\","
     "SPHEROID[\"Bessel_1841\",6377397.155,299.1528128]],PRIMEM[\"Greenwich\",0.0],"
     "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Double_Stereographic\"],"
     "PARAMETER[\"False_Easting\",155000.0],PARAMETER[\"False_Northing\",463000.0],"
     "PARAMETER[\"Central_Meridian\",5.38763888888889],PARAMETER[\"Scale_Factor\",0.9999079],"
     "PARAMETER[\"Latitude_Of_Origin\",52.1561605555556],UNIT[\"Meter\",1.0]]",
     3.2, 7.3, 50.7, 53.7},
};

enum Direction { eForward, eInverse };
enum Contender { eArray, eObject, eProj };
const char* const kDirectionNames[] = {"forward", "inverse"};
const char* const kContenderNames[] = {"array", "object", "proj"};

struct Handle {
  void* mp = nullptr;
  ~Handle() {
    int status = 0;
    if (mp != nullptr) C_KVMP_DESTROY(&mp, &status);
  }
};

struct ProjectionDeleter {
  void operator()(CKvProjection* p) const { DeleteKvProjection(&p); }
};

// PROJ's conversion of the projected system of the same text (radians in,
// metres out on the projection side, no axis swap).
struct ProjConversion {
  PJ_CONTEXT* ctx = proj_context_create();
  PJ* crs = nullptr;
  PJ* conversion = nullptr;
  explicit ProjConversion(const char* wkt) {
    crs = proj_create(ctx, wkt);
    if (crs != nullptr) conversion = proj_crs_get_coordoperation(ctx, crs);
  }
  ~ProjConversion() {
    proj_destroy(conversion);
    proj_destroy(crs);
    proj_context_destroy(ctx);
  }
};

// Everything one case needs: the handle, the projection object, PROJ's
// conversion, the points in degrees and projected (by the handle), and
// output arrays.
struct Fixture {
  Handle handle;
  std::unique_ptr<CKvProjection, ProjectionDeleter> object;
  ProjConversion proj;
  std::vector<double> lon, lat, x, y, out1, out2;

  Fixture(const Case& c, int count) : object(NewKvProjection(c.wkt)), proj(c.wkt) {
    int status = -1;
    C_KVMP_CREATE(c.wkt, &handle.mp, &status);
    if (status != 0 || object == nullptr || proj.conversion == nullptr) {
      std::fprintf(stderr, "%s: cannot create the projection\n", c.name);
      std::exit(1);
    }
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> u(c.west, c.east), v(c.south, c.north);
    for (int i = 0; i < count; ++i) lon.push_back(u(random)), lat.push_back(v(random));
    x.resize(count), y.resize(count), out1.resize(count), out2.resize(count);
    C_KVMP_GEO2PROJ_ARRAY(handle.mp, count, lon.data(), lat.data(), x.data(), y.data(), &status);
  }
  int Count() const { return static_cast<int>(lon.size()); }
  const double* In1(Direction d) const { return d == eForward ? lon.data() : x.data(); }
  const double* In2(Direction d) const { return d == eForward ? lat.data() : y.data(); }

  // PROJ transforms in place and wants radians on the geographical side;
  // the arrays are prepared before the clock runs.
  void PrepareProj(Direction d) {
    for (int i = 0; i < Count(); ++i) {
      out1[i] = d == eForward ? proj_torad(lon[i]) : x[i];
      out2[i] = d == eForward ? proj_torad(lat[i]) : y[i];
    }
  }

  void Run(Contender who, Direction d) {
    const int n = Count();
    if (who == eArray) {
      int status = 0;
      auto call = d == eForward ? C_KVMP_GEO2PROJ_ARRAY : C_KVMP_PROJ2GEO_ARRAY;
      call(handle.mp, n, In1(d), In2(d), out1.data(), out2.data(), &status);
    } else if (who == eObject) {
      const double* u = In1(d);
      const double* v = In2(d);
      for (int i = 0; i < n; ++i) {
        if (d == eForward) {
          object->Geo2Proj(u[i], v[i], &out1[i], &out2[i]);
        } else {
          object->Proj2Geo(u[i], v[i], &out1[i], &out2[i]);
        }
      }
    } else {
      proj_trans_generic(proj.conversion, d == eForward ? PJ_FWD : PJ_INV, out1.data(),
                         sizeof(double), n, out2.data(), sizeof(double), n, nullptr, 0, 0, nullptr,
                         0, 0);
    }
  }
};

void Measure(benchmark::State& state, int index, Direction d, Contender who) {
  Fixture f(kCases[index], kCount);
  for (auto _ : state) {
    if (who == eProj) {
      state.PauseTiming();
      f.PrepareProj(d);
      state.ResumeTiming();
    }
    f.Run(who, d);
    benchmark::DoNotOptimize(f.out1.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

std::string RunName(int index, Direction d, Contender who) {
  return std::string(kCases[index].name) + "/" + kDirectionNames[d] + "/" + kContenderNames[who];
}

// The console report, then the ratios of the CPU times (steadier than the
// wall clock on a shared machine).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) m_seconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-12s %-8s %22s %26s\n", "case", "", "PROJ / array (speed-up)",
                "array / object (overhead)");
    for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
      for (Direction d : {eForward, eInverse}) {
        const double array = Time(i, d, eArray);
        std::printf("%-12s %-8s %22.2f %26.3f\n", kCases[i].name, kDirectionNames[d],
                    Time(i, d, eProj) / array, array / Time(i, d, eObject));
      }
    }
  }

 private:
  double Time(int i, Direction d, Contender who) const {
    const auto found = m_seconds.find(RunName(i, d, who));
    return found != m_seconds.end() ? found->second : 0.0;
  }
  std::map<std::string, double> m_seconds;
};

// One pass per case and contender under callgrind, each in a dump of its own.
void RunUnderCallgrind() {
  for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
    Fixture f(kCases[i], kCallgrindCount);
    for (Direction d : {eForward, eInverse}) {
      for (Contender who : {eArray, eObject, eProj}) {
        if (who == eProj) f.PrepareProj(d);
        const std::string name = RunName(i, d, who);
        CALLGRIND_ZERO_STATS;
        f.Run(who, d);
        CALLGRIND_DUMP_STATS_AT(name.c_str());
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--callgrind") == 0) {
    RunUnderCallgrind();
    return 0;
  }
  for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
    for (Direction d : {eForward, eInverse}) {
      for (Contender who : {eArray, eObject, eProj}) {
        benchmark::RegisterBenchmark(RunName(i, d, who).c_str(), Measure, i, d, who)
            ->Unit(benchmark::kMillisecond);
      }
    }
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
