// Writes data files that cover every header block the library writes, and
// prints what it put in them as JSON, for tools/dfsdump.py to check.
//
//   dfsdump_sample WORK_DIR   -> {"files": [{"path": ..., "expected": ...}]}
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_timestep.h"
#include "qty/qty.h"

namespace {

// A small JSON writer: enough for numbers, texts and lists.
class Json {
 public:
  std::string text;
  void raw(const std::string& s) { text += s; }
  void key(const char* k) {
    comma();
    text += "\"" + std::string(k) + "\":";
    fresh_ = true;
  }
  void open(char c) {
    comma();
    text += c;
    fresh_ = true;
  }
  void close(char c) {
    text += c;
    fresh_ = false;
  }
  void str(const char* s) {
    comma();
    text += '"';
    for (const char* p = s; *p; ++p) {
      if (*p == '"' || *p == '\\') text += '\\';
      text += *p;
    }
    text += '"';
  }
  void num(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    comma();
    text += buf;
  }
  template <typename T>
  void list(const T* v, long long n) {
    open('[');
    for (long long i = 0; i < n; ++i) num(static_cast<double>(v[i]));
    close(']');
  }

 private:
  void comma() {
    if (!fresh_ && !text.empty() && text.back() != '{' && text.back() != '[') text += ',';
    fresh_ = false;
  }
  bool fresh_ = true;
};

long long arrayLength(const absItemS* it, int i) {
  if (it->axisType == F_NEQ_AXIS_D2 || it->axisType == F_NEQ_AXIS_D3) return it->axisSize[i] + 1LL;
  const int n = it->axisType == F_CURVE_LINEAR_AXIS_D2 ? 2 : 3;
  long long c = 1;
  for (int k = 0; k < n; ++k) c *= it->axisSize[k] + 1LL;
  return c;
}

void describeItem(Json& j, const absItemS* it) {
  j.open('{');
  j.key("name"), j.str(it->name);
  j.key("item_type"), j.num(it->itemType);
  j.key("unit"), j.num(it->unitText ? -1 : it->unitKey);
  if (it->unitText) j.key("unit_text"), j.str(it->unitText);
  j.key("data_type"), j.num(it->dataType);
  j.key("value_type"), j.num(it->valueType);
  const float ref[3] = {it->refX, it->refY, it->refZ};
  const float orient[3] = {it->orientAlpha, it->orientPhi, it->orientTheta};
  j.key("reference"), j.list(ref, 3);
  j.key("orientation"), j.list(orient, 3);
  j.key("axis_type"), j.num(it->axisType);
  j.key("axis_unit"), j.num(it->axisUnit);
  int n = 0;
  switch (it->axisType) {
    case 2:
    case 3:
    case 4: n = 1; break;
    case 5:
    case 6:
    case 7:
    case 12: n = 2; break;
    case 8:
    case 9:
    case 10:
    case 13: n = 3; break;
    default: break;
  }
  j.key("sizes"), j.list(it->axisSize, n);
  if (it->axisType == 2 || it->axisType == 5 || it->axisType == 8) {
    j.key("origin"), j.list(it->axisOrigin, n);
    j.key("step"), j.list(it->axisStep, n);
  }
  if (it->axisPoints) j.key("points"), j.list(it->axisPoints, 3LL * it->axisSize[0]);
  if (it->axisCoords[0]) {
    j.key("coords");
    j.open('[');
    for (int i = 0; i < 3 && it->axisCoords[i]; ++i) j.list(it->axisCoords[i], arrayLength(it, i));
    j.close(']');
  }
  if (it->stats) j.key("statistics_count"), j.num(it->nStats);
  std::vector<int> assoc;
  for (const dfsAssocStatic* a = it->assocStatic; a; a = a->next) assoc.push_back(a->number);
  j.key("assoc_static"), j.list(assoc.data(), static_cast<long long>(assoc.size()));
  j.close('}');
}

void describeData(Json& j, const struct Data& d);

void describe(Json& j, const std::string& path, LPHEAD h, const struct Data& data) {
  j.open('{');
  j.key("path"), j.str(path.c_str());
  j.key("expected"), j.open('{');
  j.key("file_type"), j.num(h->fileType);
  j.key("title"), j.str(h->fileTitle);
  j.key("app_title"), j.str(h->appTitle);
  j.key("app_version"), j.num(h->appVersion);
  j.key("data_type"), j.num(h->dataType);
  j.key("encoded"), j.num(h->encoded);
  j.key("stats_type"), j.num(h->statsType);
  j.key("delete_float"), j.num(h->deleteFloat);
  j.key("delete_double"), j.num(h->deleteDouble);
  j.key("delete_byte"), j.num(h->deleteByte);
  j.key("delete_int"), j.num(h->deleteInt);
  j.key("delete_unsigned"), j.num(h->deleteUnsigned);
  if (h->geoInfoType == 1) {
    j.key("geo_info"), j.open('{');
    j.key("projection"), j.str(h->projection);
    j.key("longitude"), j.num(h->originLon);
    j.key("latitude"), j.num(h->originLat);
    j.key("orientation"), j.num(h->orientation);
    j.close('}');
  }
  const dfsTimeAxis& t = h->time;
  j.key("time_axis"), j.open('{');
  j.key("type"), j.num(t.type);
  j.key("unit"), j.num(t.unit);
  if (t.type >= 3) j.key("start_date"), j.str(t.startDate), j.key("start_time"), j.str(t.startTime);
  j.key("start"), j.num(t.start);
  if (t.type == 1 || t.type == 3) j.key("step"), j.num(t.step);
  j.key("steps"), j.num(t.nSteps);
  j.key("start_index"), j.num(t.startIndex);
  j.close('}');
  j.key("items"), j.open('[');
  for (int i = 0; i < h->nItems; ++i) describeItem(j, &h->items[i]);
  j.close(']');
  j.key("custom_blocks"), j.open('[');
  for (const dfsCustomBlock* c = h->customBlocks; c; c = c->next) {
    j.open('{');
    j.key("name"), j.str(c->name);
    j.key("type"), j.num(c->type);
    j.key("count"), j.num(c->count);
    j.close('}');
  }
  j.close(']');
  j.key("encode_keys"), j.open('{');
  const int* keys[3] = {h->dfsEncode.xkey, h->dfsEncode.ykey, h->dfsEncode.zkey};
  const char* names[3] = {"x", "y", "z"};
  for (int k = 0; k < 3; ++k)
    if (keys[k]) j.key(names[k]), j.list(keys[k], h->dfsEncode.nRecordSize);
  j.close('}');
  describeData(j, data);
  j.close('}');
  j.close('}');
}

int unit(const char* key) {
  int id = 0;
  qtyGetUnitTag(key, &id);
  return id;
}

LPHEAD header(int fileType, int items, int stats) {
  LPHEAD h = nullptr;
  dfsHeaderCreate(fileType, "Sample \"all\"", "dfsdump sample", 11, items, stats, &h);
  const int m = unit("meter");
  for (int n = 1; n <= items; ++n) {
    const std::string name = "Item " + std::to_string(n);
    dfsSetItemInfo(h, dfsItemD(h, n), 999, name.c_str(), m, n % 2 ? 1 : 2);
    dfsSetItemValueType(dfsItemD(h, n), n);
  }
  return h;
}

// What a file holds behind its header, as "data": static items with their
// values, then the steps with their time and the values of every item.
struct Data {
  std::vector<std::pair<std::string, std::vector<float>>> statics;
  std::vector<double> times;
  std::vector<std::vector<std::vector<double>>> steps;
};

void describeData(Json& j, const Data& d) {
  j.key("statics"), j.open('[');
  for (const auto& s : d.statics) {
    j.open('{');
    j.key("name"), j.str(s.first.c_str());
    j.key("values"), j.list(s.second.data(), static_cast<long long>(s.second.size()));
    j.close('}');
  }
  j.close(']');
  j.key("steps"), j.open('[');
  for (size_t s = 0; s < d.steps.size(); ++s) {
    j.open('{');
    j.key("time"), j.num(d.times[s]);
    j.key("values"), j.open('[');
    for (const auto& item : d.steps[s]) j.list(item.data(), static_cast<long long>(item.size()));
    j.close(']');
    j.close('}');
  }
  j.close(']');
}

int writeData(LPHEAD h, kfsHandle f, const Data& d) {
  int s = 0;
  for (const auto& st : d.statics) {
    LPITEM it = nullptr;
    dfsStaticCreate(&it);
    dfsSetItemInfo(h, it, 999, st.first.c_str(), unit("meter"), 1);
    dfsSetItemAxisEqD1(it, unit("meter"), static_cast<int>(st.second.size()), 0.f, 1.f);
    if (!s) s = dfsStaticWrite(it, f, st.second.data());
    dfsStaticDestroy(&it);
  }
  for (size_t step = 0; step < d.steps.size() && !s; ++step)
    for (int n = 1; n <= h->nItems && !s; ++n) {
      const std::vector<double>& v = d.steps[step][static_cast<size_t>(n - 1)];
      std::vector<unsigned char> raw(v.size() * 8);
      const int type = h->items[n - 1].dataType;
      for (size_t e = 0; e < v.size(); ++e) {
        const float f4 = static_cast<float>(v[e]);
        const int i4 = static_cast<int>(v[e]);
        if (type == 1)
          std::memcpy(&raw[e * 4], &f4, 4);
        else if (type == 4)
          std::memcpy(&raw[e * 4], &i4, 4);
        else
          std::memcpy(&raw[e * 8], &v[e], 8);
      }
      s = dfsWriteItemTimeStep(h, f, raw.data(), d.times[step]);
    }
  return s;
}

int write(const std::string& path, LPHEAD h, Json& j, const Data& data = Data()) {
  kfsHandle f = nullptr;
  int s = dfsFileCreate(path.c_str(), h, &f);
  if (!s) s = writeData(h, f, data);
  if (!s) s = dfsFileClose(h, &f);
  if (s) std::fprintf(stderr, "%s: status %d\n", path.c_str(), s);
  describe(j, path, h, data);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || qtySetupLoad(nullptr) != 1) {
    std::fprintf(stderr, "usage: dfsdump_sample WORK_DIR (with the unit table)\n");
    return 2;
  }
  const std::string dir = argv[1];
  const int m = unit("meter");
  Json j;
  j.open('{');
  j.key("files"), j.open('[');
  int failures = 0;

  // Fixed space: every non-varying axis, statistics, everything optional.
  LPHEAD h = header(F_EQTIME_FIXEDSPACE_ALLITEMS, 9, F_REG_STAT);
  dfsSetEqCalendarAxis(h, "2021-03-04", "05:06:07", unit("hour"), 2, 0.5, 0.25);
  dfsSetGeoInfoUTMProj(h, "PROJCS[\"UTM Zone 32\"]", 9.5, 55.25, -12.125);
  dfsSetDataType(h, 3);
  dfsSetDeleteValFloat(h, -9999.5f);
  dfsSetDeleteValDouble(h, -1e300);
  dfsSetDeleteValByte(h, 7);
  dfsSetDeleteValInt(h, -123456);
  dfsSetDeleteValUnsignedInt(h, 4000000000u);
  const double x[4] = {0, 1.5, 3.25, 7}, y[3] = {-1, 0, 1e-3}, z[3] = {10, 20, 40};
  const float pts[6] = {1, 2, 3, 4, 5, 6};
  std::vector<double> c2(4 * 3), c3(4 * 3 * 3);
  for (size_t i = 0; i < c2.size(); ++i) c2[i] = 0.5 * i;
  for (size_t i = 0; i < c3.size(); ++i) c3[i] = -0.25 * i;
  dfsSetItemAxisEqD0(dfsItemD(h, 1), m);
  dfsSetItemAxisEqD1(dfsItemD(h, 2), m, 6, 100.0f, 2.5f);
  dfsSetItemAxisNeqD1(dfsItemD(h, 3), m, 2, pts);
  dfsSetItemAxisEqD2(dfsItemD(h, 4), m, 3, 4, 1.0f, 2.0f, 0.5f, 0.25f);
  dfsSetItemAxisNeqD2(dfsItemD(h, 5), m, 3, 2, x, y);
  dfsSetItemAxisEqD3(dfsItemD(h, 6), m, 2, 3, 4, 1, 2, 3, 4, 5, 6);
  dfsSetItemAxisNeqD3(dfsItemD(h, 7), m, 3, 2, 2, x, y, z);
  dfsSetItemAxisCurveLinearD2(dfsItemD(h, 8), m, 3, 2, c2.data(), c2.data());
  dfsSetItemAxisCurveLinearD3(dfsItemD(h, 9), m, 3, 2, 2, c3.data(), c3.data(), c3.data());
  dfsSetItemRefCoords(dfsItemD(h, 2), 1.5f, -2.5f, 3.5f);
  dfsSetItemAxisOrientation(dfsItemD(h, 2), 10.0f, 20.0f, 30.0f);
  dfsSetAssocStatic(h, 4, 2);
  dfsSetAssocStatic(h, 4, 9);
  const float cf[3] = {1.5f, 2.5f, -3.5f};
  const short cs[2] = {-7, 8};
  dfsAddCustomBlock(h, 1, "Float settings", 3, cf);
  dfsAddCustomBlock(h, 6, "Shorts", 2, cs);
  failures += write(dir + "/sample_fixed.dfs", h, j) != 0;
  dfsHeaderDestroy(&h);

  // Varying space, relative equidistant axis, no statistics.
  h = header(F_EQTIME_TVARSPACE_ALLITEMS, 3, F_NO_STAT);
  dfsSetEqTimeAxis(h, 1400, 1, 3600.0, 900.0);
  dfsSetItemAxisTvarD1(dfsItemD(h, 1), m, 5);
  dfsSetItemAxisTvarD2(dfsItemD(h, 2), m, 5, 6);
  dfsSetItemAxisTvarD3(dfsItemD(h, 3), m, 5, 6, 7);
  failures += write(dir + "/sample_tvar.dfs", h, j) != 0;
  dfsHeaderDestroy(&h);

  // Non-equidistant, compressed with all three keys, a unit known by name.
  h = header(F_NEQTIME_FIXEDSPACE_ALLITEMS, 2, F_LARGE_STAT);
  dfsSetNeqTimeAxis(h, 1400, 0);
  dfsSetTimeStartEnd(h, 10.0, 0.0);
  dfsSetItemInfo_(h, dfsItemD(h, 2), 999, "Named unit", "meter", 1);
  dfsSetItemAxisEqD3(dfsItemD(h, 1), m, 4, 4, 2, 0, 0, 0, 1, 1, 1);
  dfsSetItemAxisEqD3(dfsItemD(h, 2), m, 4, 4, 2, 0, 0, 0, 1, 1, 1);
  const int kx[5] = {0, 1, 2, 3, 0}, ky[5] = {0, 0, 1, 1, 3}, kz[5] = {0, 0, 0, 1, 1};
  dfsSetEncodeKey(h, kx, ky, kz, 5);
  dfsItemEnableCompression(h);
  failures += write(dir + "/sample_encoded.dfs", h, j) != 0;
  dfsHeaderDestroy(&h);

  // Static and dynamic data: a float grid with delete values, an integer
  // and a double series, on a non-equidistant axis.
  h = header(F_NEQTIME_FIXEDSPACE_ALLITEMS, 3, F_REG_STAT);
  dfsSetNeqTimeAxis(h, 1400, 0);
  dfsSetItemInfo(h, dfsItemD(h, 2), 999, "Flags", m, 4);
  dfsSetItemAxisEqD2(dfsItemD(h, 1), m, 3, 2, 0, 0, 1, 1);
  Data data;
  data.statics = {{"Bed", {-1.5f, -2.5f, -3.25f}}, {"Roughness", {0.25f, 0.5f}}};
  const double del = h->deleteFloat;
  data.times = {30.0, 90.0, 91.5, 600.0};
  for (int s = 0; s < 4; ++s)
    data.steps.push_back({{s + 0.5, -s * 1.25, del, 7.0, s == 2 ? del : 1e6, 0.0},
                          {static_cast<double>(s * s)},
                          {1.0 / (s + 3)}});
  failures += write(dir + "/sample_steps.dfs", h, j, data) != 0;
  dfsHeaderDestroy(&h);

  j.close(']');
  j.close('}');
  std::puts(j.text.c_str());
  return failures ? 1 : 0;
}
