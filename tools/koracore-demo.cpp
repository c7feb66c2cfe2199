// koracore-demo: a model result file end to end.
//
//   koracore-demo [OUTPUT_FOLDER]     (default: the current folder)
//   koracore-demo --help | --version
//
// Plays the part of a coastal model: describes a 200 x 150 grid of 50 m
// cells on a calendar time axis (water level in metres, current speed in
// m/s, water temperature in degree Celsius, dry cells marked with the delete
// value), stores the bathymetry as a static item and the projection as
// well-known text, writes 48 hourly steps to OUTPUT_FOLDER/bay_result.dfs,
// closes it, opens it again and prints what a reader learns from it:
// header, items with their units, time axis, statistics and a few values.
// Then it takes the series of one cell out as rows of doubles, stores them
// in the single-point file OUTPUT_FOLDER/gauge.dfs and reads them back.
// Last, as a host placing the results on a map does, it hands the file's
// projection string, grid origin and orientation to a cartography of the
// projection library and prints where the grid's corner cells lie in
// longitude and latitude. The projection definitions are the shipped ones,
// found as the unit table is; user definitions would go to OUTPUT_FOLDER.
//
// Exits 1 at the first call that fails, naming it and saying what went
// wrong, and 2 for a command line it cannot use: an unknown option, or a
// folder name that starts with "-" (it would be an option mistyped; write
// "./-name" for such a folder). The libraries' own messages go to standard
// error, so that standard output holds only what the demo reports. The
// program does not change the process locale, so numbers print in the "C"
// locale.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "KvCart/facade/KvCartFlat.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_stats.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/util/date.h"
#include "kfs/util/path_util.h"
#include "qty/qty.h"
#include "tool_main.h"

namespace {

// ---- The model -------------------------------------------------------------

constexpr int kNx = 200, kNy = 150, kCells = kNx * kNy;
constexpr float kCellSize = 50.0f;  // metres
constexpr int kSteps = 48;
constexpr double kStepSeconds = 3600.0;
constexpr int kGaugeX = 120, kGaugeY = 40;  // a cell of the gauge series
constexpr double kPi = 3.14159265358979323846;

// Item types and units of the shipped unit table.
constexpr int kWaterLevel = 100000, kBathymetry = 100002, kCurrentSpeed = 100202,
              kWaterTemperature = 100501;

const char* const kUtm32 =
    "PROJCS[\"WGS_1984_UTM_Zone_32N\",GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\","
    "SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],PRIMEM[\"Greenwich\",0.0],"
    "UNIT[\"Degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
    "PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],"
    "PARAMETER[\"Central_Meridian\",9.0],PARAMETER[\"Scale_Factor\",0.9996],"
    "PARAMETER[\"Latitude_Of_Origin\",0.0],UNIT[\"Meter\",1.0]]";

// A bay: land along the west coast and an island, the bed falling to 20 m
// below datum towards the east, with a shelving intertidal strip.
float bedLevel(int i, int j) {
  const double coast = 18.0 + 8.0 * std::sin(j / 17.0);
  const double fromCoast = i - coast;
  double bed =
      fromCoast < 0 ? 2.0 - 0.05 * fromCoast : -0.1 * fromCoast - 0.0009 * fromCoast * fromCoast;
  bed = std::max(bed, -20.0);
  const double island = std::hypot(i - 140.0, j - 95.0);
  if (island < 14.0) bed = std::max(bed, 1.5 - 0.25 * island);
  return static_cast<float>(bed);
}

struct Step {
  std::vector<float> level, speed, temperature;
};

// One hour of the run: a semi-diurnal tide travelling in from the east on a
// small surge, currents strongest in shallow water, a daily warming cycle.
Step modelStep(int step, const std::vector<float>& bed, float dry) {
  Step s{std::vector<float>(kCells), std::vector<float>(kCells), std::vector<float>(kCells)};
  const double hours = step * kStepSeconds / 3600.0;
  const double surge = 0.3 * std::exp(-std::pow((hours - 30.0) / 8.0, 2.0));
  for (int j = 0; j < kNy; ++j)
    for (int i = 0; i < kNx; ++i) {
      const int c = i + j * kNx;
      const double phase = 2.0 * kPi * (hours / 12.42 - (kNx - i) / 900.0);
      const double level = 0.7 * std::sin(phase) + surge;
      const double depth = level - bed[c];
      if (depth < 0.05) {
        s.level[c] = s.speed[c] = s.temperature[c] = dry;
        continue;
      }
      s.level[c] = static_cast<float>(level);
      s.speed[c] =
          static_cast<float>(0.05 + 0.6 * std::fabs(std::cos(phase)) * std::min(1.0, 3.0 / depth));
      s.temperature[c] = static_cast<float>(9.0 + 1.5 * std::exp(-depth / 6.0) +
                                            0.4 * std::sin(2.0 * kPi * (hours - 9.0) / 24.0));
    }
  return s;
}

// ---- Calls that must succeed -------------------------------------------------

void require(int status, const char* call) {
  if (status != 0)
    throw std::runtime_error(std::string(call) + " failed with " + std::to_string(status) + ": " +
                             kfsErrorText(static_cast<unsigned int>(status)));
}

int unitOf(const char* name) {
  int unit = 0;
  if (qtyGetUnitTag(name, &unit) != 1) throw std::runtime_error(std::string("no unit ") + name);
  return unit;
}

// ---- Writing the result file ---------------------------------------------------

void defineItem(LPHEAD h, LPITEM item, int type, const char* name, int unit) {
  const int meter = unitOf("meter");
  require(dfsSetItemInfo(h, item, type, name, unit, kfsTypeFloat), "dfsSetItemInfo");
  require(dfsSetItemAxisEqD2(item, meter, kNx, kNy, 0.f, 0.f, kCellSize, kCellSize),
          "dfsSetItemAxisEqD2");
}

LPHEAD resultHeader() {
  LPHEAD h = nullptr;
  require(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Bay of Aarhus, storm surge of 1 November",
                          "koracore demo", 1, 3, F_REG_STAT, &h),
          "dfsHeaderCreate");
  require(dfsSetEqCalendarAxis(h, "2024-11-01", "00:00:00", unitOf("second"), 0, 0.0, kStepSeconds),
          "dfsSetEqCalendarAxis");
  require(dfsSetGeoInfoUTMProj(h, kUtm32, 10.21, 56.12, 0.0), "dfsSetGeoInfoUTMProj");
  defineItem(h, dfsItemD(h, 1), kWaterLevel, "Water level", unitOf("meter"));
  defineItem(h, dfsItemD(h, 2), kCurrentSpeed, "Current speed", unitOf("meter per second"));
  defineItem(h, dfsItemD(h, 3), kWaterTemperature, "Water temperature", unitOf("degree Celsius"));
  return h;
}

std::vector<float> bathymetry() {
  std::vector<float> bed(kCells);
  for (int j = 0; j < kNy; ++j)
    for (int i = 0; i < kNx; ++i) bed[i + j * kNx] = bedLevel(i, j);
  return bed;
}

void writeBathymetry(LPHEAD h, kfsHandle f, const std::vector<float>& bed) {
  LPITEM item = nullptr;
  require(dfsStaticCreate(&item), "dfsStaticCreate");
  try {
    defineItem(h, item, kBathymetry, "Bathymetry", unitOf("meter"));
    require(dfsStaticWrite(item, f, bed.data()), "dfsStaticWrite");
  } catch (...) {
    dfsStaticDestroy(&item);
    throw;
  }
  dfsStaticDestroy(&item);
}

void writeResult(const std::string& path) {
  LPHEAD h = resultHeader();
  kfsHandle f = nullptr;
  try {
    require(dfsFileCreate(path.c_str(), h, &f), "dfsFileCreate");
    const std::vector<float> bed = bathymetry();
    writeBathymetry(h, f, bed);
    for (int step = 0; step < kSteps; ++step) {
      const Step s = modelStep(step, bed, dfsGetDeleteValFloat(h));
      const double time = step * kStepSeconds;
      require(dfsWriteItemTimeStep(h, f, s.level.data(), time), "dfsWriteItemTimeStep");
      require(dfsWriteItemTimeStep(h, f, s.speed.data(), time), "dfsWriteItemTimeStep");
      require(dfsWriteItemTimeStep(h, f, s.temperature.data(), time), "dfsWriteItemTimeStep");
    }
    require(dfsFileClose(h, &f), "dfsFileClose");
  } catch (...) {
    if (f) FCloseFile(&f);
    dfsHeaderDestroy(&h);
    throw;
  }
  dfsHeaderDestroy(&h);
}

// ---- Reading it back -------------------------------------------------------------

// An open data file, closed however the reading ends.
struct OpenFile {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  explicit OpenFile(const std::string& path) {
    require(dfsFileRead(path.c_str(), &h, &f), "dfsFileRead");
  }
  ~OpenFile() {
    dfsFileClose(h, &f);
    dfsHeaderDestroy(&h);
  }
};

std::string unitLabel(int unit) {
  const char *name = nullptr, *abbreviation = nullptr;
  qtyGetUnitKey(unit, &name);
  qtyGetUnitAbbreviation(unit, &abbreviation);
  return std::string(name ? name : "?") + " [" + (abbreviation ? abbreviation : "") + "]";
}

// The text padded with blanks to a number of columns. Unit symbols are UTF-8
// ("°C"), so columns are counted as characters, not bytes, to keep the
// table aligned.
std::string padToColumns(std::string text, size_t columns) {
  size_t shown = 0;
  for (unsigned char c : text) shown += (c & 0xC0) != 0x80;
  if (shown < columns) text.append(columns - shown, ' ');
  return text;
}

void printHeader(const OpenFile& r) {
  std::printf("file        %s\n", kfsGetFilename(r.f));
  std::printf("created     %s %s, format version %d\n", kfsGetFileCreationDate(r.f),
              kfsGetFileCreationTime(r.f), dfsGetVersionCurrent());
  std::printf("title       %s\n", dfsGetFileTitle(r.h));
  std::printf("written by  %s, version %d\n", dfsGetAppTitle(r.h), dfsGetAppVersionNo(r.h));
  std::printf("file type   %s\n", dfsFileTypeStr(dfsGetFileType(r.h)));
  std::printf("delete value (float) %g\n", dfsGetDeleteValFloat(r.h));
  const char* projection = nullptr;
  double lon = 0, lat = 0, orientation = 0;
  require(dfsGetGeoInfoUTMProj(r.h, &projection, &lon, &lat, &orientation), "dfsGetGeoInfoUTMProj");
  std::printf("projection  %.60s...\n", projection);
  std::printf("grid origin longitude %.4f, latitude %.4f, orientation %.1f degrees\n", lon, lat,
              orientation);
}

void printTimeAxis(const OpenFile& r) {
  const char *date = nullptr, *time = nullptr, *unit = nullptr;
  double offset = 0, step = 0;
  int steps = 0;
  require(dfsGetEqCalendarAxis(r.h, &date, &time, nullptr, &unit, &offset, &step, &steps, nullptr),
          "dfsGetEqCalendarAxis");
  date6 start{}, end{};
  std::sscanf(date, "%d-%d-%d", &start.year, &start.month, &start.day);
  std::sscanf(time, "%d:%d:%d", &start.hour, &start.minute, &start.second);
  date6_AddSeconds(&end, start, (steps - 1) * step);
  std::printf("time axis   %s, %d steps of %g %s from %s %s to %.4d-%.2d-%.2d %.2d:%.2d:%.2d\n",
              dfsTimeAxisTypeStr(dfsGetTimeAxisType(r.h)), steps, step, unit, date, time, end.year,
              end.month, end.day, end.hour, end.minute, end.second);
}

void printItem(const char* kind, int n, LPITEM item) {
  int type = 0, unit = 0, dataType = 0, nx = 0, ny = 0;
  const char *typeName = nullptr, *name = nullptr;
  float x0, y0, dx, dy;
  require(dfsGetItemInfo(item, &type, &typeName, &name, &unit, nullptr, &dataType),
          "dfsGetItemInfo");
  require(dfsGetItemAxisEqD2(item, nullptr, nullptr, &nx, &ny, &x0, &y0, &dx, &dy),
          "dfsGetItemAxisEqD2");
  std::printf("%s %d: %-18s %-18s %s %s, EqD2 %d x %d cells of %g x %g m\n", kind, n, name,
              typeName, padToColumns(unitLabel(unit), 26).c_str(), dfsSimpleTypeStr(dataType), nx,
              ny, dx, dy);
}

void printStatics(const OpenFile& r) {
  int status = 0;
  for (int n = 1; LPITEM item = dfsStaticRead(r.f, &status); ++n) {
    printItem("static", n, item);
    std::vector<float> values(static_cast<size_t>(dfsGetItemElements(item)));
    const int s = dfsStaticGetData(item, values.data());
    dfsStaticDestroy(&item);
    require(s, "dfsStaticGetData");
    const auto range = std::minmax_element(values.begin(), values.end());
    std::printf("          bed from %.2f to %.2f m\n", *range.first, *range.second);
  }
  require(status, "dfsStaticRead");
}

void printStatistics(const OpenFile& r) {
  std::printf("statistics over all steps (cell %d,%d in brackets):\n", kGaugeX, kGaugeY);
  for (int n = 1; n <= dfsGetNoOfItems(r.h); ++n) {
    LPITEM item = dfsItemD(r.h, n);
    double lo = 0, hi = 0, mean = 0, sd = 0;
    int missing = 0, values = 0, cellMissing = 0;
    require(dfsGetItemStatsGlobal(item, &lo, &hi, &missing), "dfsGetItemStatsGlobal");
    require(dfsGetItemStats(r.h, n, kGaugeX + kGaugeY * kNx, nullptr, nullptr, &mean, &sd, nullptr,
                            &values, &cellMissing, nullptr),
            "dfsGetItemStats");
    std::printf(
        "  %-18s min %8.3f  max %8.3f  dry values %7d   [mean %.3f, sd %.3f, %d values, "
        "%d dry]\n",
        item->name, lo, hi, missing, mean, sd, values, cellMissing);
  }
}

// A few values: the gauge cell at four times, temperature also in Fahrenheit.
void printValues(const OpenFile& r) {
  std::vector<float> grid(kCells);
  const int cell = kGaugeX + kGaugeY * kNx;
  std::printf("values at cell %d,%d:\n", kGaugeX, kGaugeY);
  LPITEM temperature = dfsItemD(r.h, 3);
  for (int step : {0, 12, 30, 47}) {
    float v[3];
    for (int n = 1; n <= 3; ++n) {
      require(dfsFindItemDynamic(r.h, r.f, step, n), "dfsFindItemDynamic");
      require(dfsReadItemTimeStep(r.h, r.f, nullptr, grid.data()), "dfsReadItemTimeStep");
      v[n - 1] = grid[cell];
    }
    require(dfsSetItemUnitConversion(temperature, 2, unitOf("degree Fahrenheit")),
            "dfsSetItemUnitConversion");
    require(dfsFindItemDynamic(r.h, r.f, step, 3), "dfsFindItemDynamic");
    require(dfsReadItemTimeStep(r.h, r.f, nullptr, grid.data()), "dfsReadItemTimeStep");
    require(dfsSetItemUnitConversion(temperature, 0, 0), "dfsSetItemUnitConversion");
    std::printf("  step %2d: level %6.3f m, speed %5.3f m/s, temperature %6.3f degC = %6.2f degF\n",
                step, v[0], v[1], v[2], grid[cell]);
  }
}

// The water level and temperature of one cell over all steps, as rows of
// time in seconds, level, temperature.
std::vector<double> gaugeRows(const OpenFile& r) {
  std::vector<double> rows;
  std::vector<float> grid(kCells);
  const int cell = kGaugeX + kGaugeY * kNx;
  require(dfsFindTimeStep(r.h, r.f, 0), "dfsFindTimeStep");
  for (int step = 0; step < r.h->time.nSteps; ++step) {
    rows.push_back(step * kStepSeconds);
    for (int n = 1; n <= 3; ++n) {
      require(dfsReadItemTimeStep(r.h, r.f, nullptr, grid.data()), "dfsReadItemTimeStep");
      const double value =
          grid[cell] == dfsGetDeleteValFloat(r.h) ? dfsGetDeleteValDouble(r.h) : grid[cell];
      if (n != 2) rows.push_back(value);
    }
  }
  return rows;
}

void readResult(const std::string& path, std::vector<double>* gauge) {
  OpenFile r(path);
  printHeader(r);
  printTimeAxis(r);
  for (int n = 1; n <= dfsGetNoOfItems(r.h); ++n) printItem("item  ", n, dfsItemD(r.h, n));
  printStatics(r);
  printStatistics(r);
  printValues(r);
  *gauge = gaugeRows(r);
}

// ---- The single-point series ---------------------------------------------------

LPHEAD gaugeHeader() {
  LPHEAD h = nullptr;
  require(dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Gauge in the bay", "koracore demo", 1, 2,
                          F_NO_STAT, &h),
          "dfsHeaderCreate");
  require(dfsSetEqCalendarAxis(h, "2024-11-01", "00:00:00", unitOf("hour"), 0, 0.0, 1.0),
          "dfsSetEqCalendarAxis");
  require(
      dfsSetItemInfo(h, dfsItemD(h, 1), kWaterLevel, "Water level", unitOf("meter"), kfsTypeFloat),
      "dfsSetItemInfo");
  require(dfsSetItemInfo(h, dfsItemD(h, 2), kWaterTemperature, "Water temperature",
                         unitOf("degree Celsius"), kfsTypeDouble),
          "dfsSetItemInfo");
  return h;
}

void writeGauge(const std::string& path, const std::vector<double>& rows) {
  LPHEAD h = gaugeHeader();
  kfsHandle f = nullptr;
  int s = dfsFileCreate(path.c_str(), h, &f);
  if (!s) s = dfsWriteDfs0DataDouble(h, f, rows.data(), static_cast<int>(rows.size() / 3));
  if (f && !s) s = dfsFileClose(h, &f);
  if (f) FCloseFile(&f);
  dfsHeaderDestroy(&h);
  require(s, "writing the gauge series");
}

void readGauge(const std::string& path, const std::vector<double>& written) {
  OpenFile r(path);
  int steps = 0;
  require(dfsGetEqCalendarAxis(r.h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &steps,
                               nullptr),
          "dfsGetEqCalendarAxis");
  std::vector<double> rows(static_cast<size_t>(steps) * 3);
  require(dfsReadDfs0DataDouble(r.h, r.f, rows.data()), "dfsReadDfs0DataDouble");
  if (rows != written) throw std::runtime_error("the gauge series did not read back as written");
  std::printf("single-point series %s: %d rows of time, level, temperature\n", kfsGetFilename(r.f),
              steps);
  size_t top = 0;
  for (size_t i = 0; i < rows.size(); i += 3) {
    if (i < 4 * 3)
      std::printf("  %7.0f s  %7.3f m  %7.3f degC\n", rows[i], rows[i + 1], rows[i + 2]);
    if (rows[i + 1] > rows[top + 1]) top = i;
  }
  std::printf("  highest level %.3f m after %.0f hours\n", rows[top + 1], rows[top] / 3600.0);
}

// ---- The grid on the map ---------------------------------------------------------

// A cartography of the projection library, destroyed however printing ends.
struct Cartography {
  void* handle = nullptr;
  Cartography(const char* projection, double lon, double lat, double orientation) {
    int status = 0;
    require(C_KVC_CREATE(projection, lon, lat, orientation, &handle, &status), "C_KVC_CREATE");
  }
  ~Cartography() {
    int status = 0;
    C_KVC_DESTROY(&handle, &status);
  }
};

void printGridCorners(const std::string& path, const std::string& customFolder) {
  require(CARTSETUPLINUX("", customFolder.c_str()), "CARTSETUPLINUX");  // the shipped definitions
  OpenFile r(path);
  const char* projection = nullptr;
  double lon0 = 0, lat0 = 0, orientation = 0;
  require(dfsGetGeoInfoUTMProj(r.h, &projection, &lon0, &lat0, &orientation),
          "dfsGetGeoInfoUTMProj");
  int nx = 0, ny = 0;
  float x0, y0, dx, dy;
  require(dfsGetItemAxisEqD2(dfsItemD(r.h, 1), nullptr, nullptr, &nx, &ny, &x0, &y0, &dx, &dy),
          "dfsGetItemAxisEqD2");
  const Cartography grid(projection, lon0, lat0, orientation);
  char name[256];
  int needed = 0;
  require(C_KVC_GETPROJECTIONNAME(grid.handle, name, sizeof name - 1, &needed),
          "C_KVC_GETPROJECTIONNAME");
  std::printf(
      "grid on the map (%s): projection north %.4f degrees, true north at the origin "
      "%.4f degrees\n",
      name, C_KVC_GETPROJNORTH(grid.handle), C_KVC_GETTRUENORTH(grid.handle, 0.0, 0.0));
  const struct {
    const char* corner;
    int i, j;
  } corners[] = {{"south-west", 0, 0},
                 {"south-east", nx - 1, 0},
                 {"north-west", 0, ny - 1},
                 {"north-east", nx - 1, ny - 1}};
  for (const auto& c : corners) {
    const double x = x0 + c.i * dx, y = y0 + c.j * dy;  // cell centre in the grid
    double lon = 0, lat = 0, east = 0, north = 0;
    require(C_KVC_XY2GEO(grid.handle, x, y, &lon, &lat), "C_KVC_XY2GEO");
    require(C_KVC_XY2PROJ(grid.handle, x, y, &east, &north), "C_KVC_XY2PROJ");
    std::printf("  %-10s cell %3d,%3d  longitude %9.5f  latitude %8.5f  (%.1f E, %.1f N)\n",
                c.corner, c.i, c.j, lon, lat, east, north);
  }
}

}  // namespace

namespace {

const char kUsage[] =
    "usage: koracore-demo [OUTPUT_FOLDER]\n"
    "\n"
    "Writes a coastal model result (OUTPUT_FOLDER/bay_result.dfs, about 23 MB) and a\n"
    "single-point series (OUTPUT_FOLDER/gauge.dfs), reads both back and prints what a\n"
    "reader learns from them. OUTPUT_FOLDER defaults to the current folder and is\n"
    "made when missing.\n"
    "\n"
    "  -h, --help     this text\n"
    "      --version  the koracore release\n";

int RunDemo(const tools::CommandLine& commandLine) {
  commandLine.RequireArguments(0, 1);
  std::string folder = commandLine.Arguments().empty() ? "." : commandLine.Arguments()[0];
  if (folder.empty()) throw tools::UsageError("the output folder name is empty");
  if (folder[0] == '-') {
    throw tools::UsageError("output folder '" + folder + "' looks like an option (write ./" +
                            folder + ")");
  }
  if (folder.back() != '/') folder += '/';
  try {
    if (!KvCreateFolder(folder.c_str())) throw std::runtime_error("cannot create " + folder);
    if (qtySetupLoad(nullptr) != 1) throw std::runtime_error("cannot load the unit table");
    std::printf("koracore demo: a coastal model result, written and read back\n\n");
    writeResult(folder + "bay_result.dfs");
    std::vector<double> gauge;
    readResult(folder + "bay_result.dfs", &gauge);
    std::printf("\n");
    writeGauge(folder + "gauge.dfs", gauge);
    readGauge(folder + "gauge.dfs", gauge);
    std::printf("\n");
    printGridCorners(folder + "bay_result.dfs", folder);
  } catch (const std::runtime_error& e) {
    throw tools::Failure(e.what());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return tools::RunTool({"koracore-demo", kUsage, {}}, argc, argv, RunDemo);
}
