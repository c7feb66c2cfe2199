// The header on disk: the block sequence, round trips of every axis and
// header field, older layouts and unknown tags built byte by byte, and
// hostile files (truncated at every offset, corrupted counts).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_time.h"
#include "kfs/dfs/dfs_trace.h"

namespace {

using dfstest::ErrorRecorder;
using dfstest::kAnyItem;
using dfstest::kSecond;
using dfstest::unitId;

// Writes a header to a new file and closes it; the independent reader of
// the format must read what was written.
int writeFile(const std::string& path, LPHEAD h) {
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  int s = dfsFileCreate(path.c_str(), h, &f);
  if (!s) s = dfsFileClose(h, &f);
  if (!s) dfstest::expectDfsdumpAccepts(path);
  return s;
}

LPHEAD readFile(const std::string& path, int* status = nullptr) {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  const int s = dfsFileRead(path.c_str(), &h, &f);
  if (status) *status = s;
  if (f) dfsFileClose(h, &f);
  return h;
}

TEST(HeaderOnDisk, TwoItemHeaderWritesTheStatedBlockSequence) {
  dfstest::loadUnits();
  LPHEAD h = dfstest::twoItemHeader();
  const dfstest::HeaderGuard hGuard(h);
  const std::string path = dfstest::workPath("sequence.dfs");
  ASSERT_EQ(writeFile(path, h), 0);
  const std::vector<int> expected = {10000, 10004, 10001, 10002, 10003, 10012, 10013, 10005,
                                     10006, 10007, 10008, 10009, 10010, 20000, 20051, 30000,
                                     30001, 30005, 30006, 31052, 30005, 30006, 31052, 50000};
  EXPECT_EQ(dfstest::blockSequence(path), expected);

  // With geographic information 10011 follows the delete values.
  dfsSetGeoInfoUTMProj(h, "PROJCS[\"UTM\"]", 10.0, 56.0, 0.5);
  ASSERT_EQ(writeFile(path, h), 0);
  const std::vector<int> tags = dfstest::blockSequence(path);
  ASSERT_GT(tags.size(), 14u);
  EXPECT_EQ(tags[13], 10011);
  EXPECT_EQ(tags[14], 20000);
}

TEST(HeaderOnDisk, HeaderFieldsRoundTrip) {
  dfstest::loadUnits();
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT, F_NEQTIME_FIXEDSPACE_ALLITEMS);
  const dfstest::HeaderGuard hGuard(h);
  const int hour = unitId("hour");
  ASSERT_EQ(dfsSetNeqCalendarAxis(h, "2004-02-29", "06:30:00", hour, 4), 0);
  dfsSetTimeStartEnd(h, 0.0, 12.0);
  dfsSetNumberOfTimeSteps(h, 0);
  dfsSetDataType(h, 17);
  dfsSetDeleteValFloat(h, -9999.0f);
  dfsSetDeleteValDouble(h, -8888.0);
  dfsSetDeleteValByte(h, 200);
  dfsSetDeleteValInt(h, -77);
  dfsSetDeleteValUnsignedInt(h, 77u);
  dfsSetGeoInfoUTMProj(h, "GEOGCS[\"WGS 84\"]", -3.25, 51.125, 30.0);
  LPITEM item = dfsItemD(h, 2);
  dfsSetItemValueType(item, 5);
  dfsSetItemRefCoords(item, 1.0f, 2.0f, 3.0f);
  dfsSetItemAxisOrientation(item, 4.0f, 5.0f, 6.0f);
  dfsSetAssocStatic(h, 2, 3);
  dfsSetAssocStatic(h, 2, 1);
  const double custom[2] = {0.125, -7.5};
  dfsAddCustomBlock(h, kfsTypeDouble, "Model settings", 2, custom);
  const short shorts[3] = {-1, 2, -3};
  dfsAddCustomBlock(h, kfsTypeInt2, "Flags", 3, shorts);

  const std::string path = dfstest::workPath("fields.dfs");
  ASSERT_EQ(writeFile(path, h), 0);
  int status = -1;
  LPHEAD r = readFile(path, &status);
  const dfstest::HeaderGuard rGuard(r);
  ASSERT_EQ(status, 0);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(dfsGetFileType(r), F_NEQTIME_FIXEDSPACE_ALLITEMS);
  EXPECT_STREQ(dfsGetFileTitle(r), "Two items");
  EXPECT_STREQ(dfsGetAppTitle(r), "dfs tests");
  EXPECT_EQ(dfsGetAppVersionNo(r), 3);
  EXPECT_EQ(dfsGetDataType(r), 17);
  EXPECT_EQ(dfsGetItemStatsType(r), F_REG_STAT);
  EXPECT_EQ(dfsGetDeleteValFloat(r), -9999.0f);
  EXPECT_EQ(dfsGetDeleteValDouble(r), -8888.0);
  EXPECT_EQ(dfsGetDeleteValByte(r), 200);
  EXPECT_EQ(dfsGetDeleteValInt(r), -77);
  EXPECT_EQ(dfsGetDeleteValUnsignedInt(r), 77u);
  const char* proj = nullptr;
  double lon = 0, lat = 0, orient = 0;
  ASSERT_EQ(dfsGetGeoInfoUTMProj(r, &proj, &lon, &lat, &orient), 0);
  EXPECT_STREQ(proj, "GEOGCS[\"WGS 84\"]");
  EXPECT_EQ(lon, -3.25);
  EXPECT_EQ(lat, 51.125);
  EXPECT_EQ(orient, 30.0);

  const char *date = nullptr, *time = nullptr;
  int unit = 0, start = 0;
  double offset = 0, span = 0;
  ASSERT_EQ(dfsGetNeqCalendarAxis(r, &date, &time, &unit, nullptr, &offset, &span, nullptr, &start),
            0);
  EXPECT_STREQ(date, "2004-02-29");
  EXPECT_STREQ(time, "06:30:00");
  EXPECT_EQ(unit, hour);
  EXPECT_EQ(span, 12.0);
  EXPECT_EQ(start, 4);

  ASSERT_EQ(dfsGetNoOfItems(r), 2);
  LPITEM ri = dfsItemD(r, 2);
  EXPECT_STREQ(ri->name, "Depth");
  EXPECT_EQ(ri->unitKey, unitId("meter"));
  EXPECT_EQ(ri->dataType, kfsTypeFloat);
  EXPECT_EQ(ri->header, r);
  int valueType = 0;
  dfsGetItemValueType(ri, &valueType);
  EXPECT_EQ(valueType, 5);
  EXPECT_EQ(ri->refZ, 3.0f);
  EXPECT_EQ(ri->orientTheta, 6.0f);
  EXPECT_EQ(ri->nStats, 90);
  // A new file's statistics start empty with the delete value the header
  // has when it is written, not the one it had when the item was defined.
  EXPECT_EQ(ri->stats[0], -8888.0);
  EXPECT_EQ(dfsGetNoAssocStatic(r, 2), 2);
  int number = 0;
  dfsGetAssocStatic(r, 2, 2, &number);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(dfsGetNoAssocStatic(r, 1), 0);

  dfsCustomBlock* c = nullptr;
  dfsGetCustomBlockRef(r, &c);
  ASSERT_NE(c, nullptr);
  EXPECT_STREQ(c->name, "Model settings");
  EXPECT_EQ(static_cast<double*>(c->data)[1], -7.5);
  ASSERT_NE(c->next, nullptr);
  EXPECT_EQ(c->next->type, kfsTypeInt2);
  EXPECT_EQ(static_cast<short*>(c->next->data)[2], -3);
}

// One item per axis type, with distinct values.
struct AxisFixture {
  std::vector<double> x, y, z, cx, cy, cz;
  std::vector<float> points;
  AxisFixture() {
    for (int i = 0; i < 4; ++i) x.push_back(0.5 * i + 1);
    for (int i = 0; i < 3; ++i) y.push_back(-2.0 * i);
    for (int i = 0; i < 3; ++i) z.push_back(10.0 + i);
    for (int i = 0; i < 4 * 3; ++i) cx.push_back(i + 0.25), cy.push_back(-i - 0.5);
    for (int i = 0; i < 4 * 3 * 3; ++i) cz.push_back(i * 1.5);
    for (int i = 0; i < 6; ++i) points.push_back(i * 0.75f);
  }
};

void setFixedAxes(LPHEAD h, const AxisFixture& a, int m) {
  EXPECT_EQ(dfsSetItemAxisEqD0(dfsItemD(h, 1), m), 0);
  EXPECT_EQ(dfsSetItemAxisEqD1(dfsItemD(h, 2), m, 7, 1.5f, 0.5f), 0);
  EXPECT_EQ(dfsSetItemAxisNeqD1(dfsItemD(h, 3), m, 2, a.points.data()), 0);
  EXPECT_EQ(dfsSetItemAxisEqD2(dfsItemD(h, 4), m, 3, 4, 1, 2, 3, 4), 0);
  EXPECT_EQ(dfsSetItemAxisNeqD2(dfsItemD(h, 5), m, 3, 2, a.x.data(), a.y.data()), 0);
  EXPECT_EQ(dfsSetItemAxisEqD3(dfsItemD(h, 6), m, 2, 3, 4, 1, 2, 3, 4, 5, 6), 0);
  EXPECT_EQ(dfsSetItemAxisNeqD3(dfsItemD(h, 7), m, 3, 2, 2, a.x.data(), a.y.data(), a.z.data()), 0);
  EXPECT_EQ(dfsSetItemAxisCurveLinearD2(dfsItemD(h, 8), m, 3, 2, a.cx.data(), a.cy.data()), 0);
  EXPECT_EQ(dfsSetItemAxisCurveLinearD3(dfsItemD(h, 9), m, 3, 2, 2, a.cz.data(), a.cz.data(),
                                        a.cz.data()),
            0);
}

LPHEAD axisHeader(int fileType, int nItems) {
  LPHEAD h = nullptr;
  EXPECT_EQ(dfsHeaderCreate(fileType, "axes", "dfs tests", 1, nItems, F_NO_STAT, &h), 0);
  EXPECT_EQ(dfsSetEqTimeAxis(h, kSecond, 0, 0.0, 1.0), 0);
  for (int n = 1; n <= nItems; ++n)
    EXPECT_EQ(dfsSetItemInfo(h, dfsItemD(h, n), kAnyItem, "item", unitId("meter"), kfsTypeFloat),
              0);
  return h;
}

void expectSameAxis(LPITEM a, LPITEM b) {
  ASSERT_EQ(a->axisType, b->axisType);
  EXPECT_EQ(a->axisUnit, b->axisUnit);
  EXPECT_EQ(dfsGetAxisElements(a), dfsGetAxisElements(b));
  EXPECT_EQ(0, std::memcmp(a->axisSize, b->axisSize, sizeof a->axisSize)) << a->axisType;
  EXPECT_EQ(0, std::memcmp(a->axisOrigin, b->axisOrigin, sizeof a->axisOrigin)) << a->axisType;
  EXPECT_EQ(0, std::memcmp(a->axisStep, b->axisStep, sizeof a->axisStep)) << a->axisType;
  if (a->axisPoints) {
    EXPECT_EQ(0, std::memcmp(a->axisPoints, b->axisPoints, sizeof(float) * 3 * a->axisSize[0]));
  }
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(a->axisCoords[i] == nullptr, b->axisCoords[i] == nullptr);
    if (!a->axisCoords[i]) continue;
    size_t len = 1;
    if (a->axisType == F_NEQ_AXIS_D2 || a->axisType == F_NEQ_AXIS_D3) {
      len = static_cast<size_t>(a->axisSize[i]) + 1;
    } else {
      for (int k = 0; k < (a->axisType == F_CURVE_LINEAR_AXIS_D2 ? 2 : 3); ++k)
        len *= static_cast<size_t>(a->axisSize[k]) + 1;
    }
    std::vector<double> va(a->axisCoords[i], a->axisCoords[i] + len);
    std::vector<double> vb(b->axisCoords[i], b->axisCoords[i] + len);
    EXPECT_EQ(va, vb) << a->axisType;
  }
}

TEST(HeaderOnDisk, EveryStoredAxisTypeRoundTrips) {
  dfstest::loadUnits();
  const int m = unitId("meter");
  AxisFixture a;
  LPHEAD fixed = axisHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, 9);
  const dfstest::HeaderGuard fixedGuard(fixed);
  setFixedAxes(fixed, a, m);
  LPHEAD tvar = axisHeader(F_EQTIME_TVARSPACE_ALLITEMS, 3);
  const dfstest::HeaderGuard tvarGuard(tvar);
  EXPECT_EQ(dfsSetItemAxisTvarD1(dfsItemD(tvar, 1), m, 5), 0);
  EXPECT_EQ(dfsSetItemAxisTvarD2(dfsItemD(tvar, 2), m, 5, 6), 0);
  EXPECT_EQ(dfsSetItemAxisTvarD3(dfsItemD(tvar, 3), m, 5, 6, 7), 0);

  for (LPHEAD h : {fixed, tvar}) {
    const std::string path = dfstest::workPath("axes.dfs");
    ASSERT_EQ(writeFile(path, h), 0);
    LPHEAD r = readFile(path);
    const dfstest::HeaderGuard rGuard(r);
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->nItems, h->nItems);
    for (int n = 1; n <= h->nItems; ++n) expectSameAxis(dfsItemD(h, n), dfsItemD(r, n));
  }
  // The curvilinear 3-D corners made it with their full count.
}

TEST(HeaderOnDisk, AxesWithoutStoredFormAreRefusedAndLeaveNoFile) {
  dfstest::loadUnits();
  ErrorRecorder errors;
  LPHEAD h = axisHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, 1);
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsSetItemAxisEqD4(dfsItemD(h, 1), unitId("meter"), 1, 2, 3, 4, 0, 0, 0, 0, 1, 1, 1, 1),
            0);
  const std::string path = dfstest::workPath("eqd4.dfs");
  std::remove(path.c_str());
  kfsHandle f = nullptr;
  EXPECT_EQ(dfsFileCreate(path.c_str(), h, &f), 2010);
  EXPECT_EQ(f, nullptr);
  EXPECT_TRUE(dfstest::readBytes(path).empty());
  dfsItemD(h, 1)->axisType = 14;
  EXPECT_EQ(dfsFileCreate(path.c_str(), h, &f), 2010);
  dfsItemD(h, 1)->axisType = F_EQ_AXIS_D0;
  h->geoInfoType = 2;
  EXPECT_EQ(dfsFileCreate(path.c_str(), h, &f), 2010);
  h->geoInfoType = 0;
  dfsItemD(h, 1)->unitKey = dfstest::kSecond;
  dfsItemD(h, 1)->itemType = dfstest::kGeometry1D;
  EXPECT_EQ(dfsFileCreate(path.c_str(), h, &f), 2020);
  EXPECT_EQ(f, nullptr);
}

// ---- Files built record by record, as other writers made them ----------

struct Rec {
  int type;
  unsigned int count;
  const void* data;
};
using Recs = std::vector<Rec>;

constexpr int I4 = kfsTypeInt4;
constexpr int F4 = kfsTypeFloat;
constexpr int D8 = kfsTypeDouble;
constexpr int B1 = kfsTypeByte;

// A writer of raw container files with the data-file identifier.
class RawFile {
 public:
  explicit RawFile(const std::string& path) {
    EXPECT_EQ(kfsFileOpenCreate(path.c_str(), "raw", &f_, dfsAPIid, 0), 0u);
  }
  ~RawFile() { kfsFileClose(&f_); }
  RawFile& block(unsigned int tag, const Recs& records = {}) {
    kfsLblock b = nullptr;
    const dfstest::LblockGuard bGuard(b);
    for (const Rec& r : records) {
      kfsLblock node = kfsLblockAdd(r.type, r.count, r.data, 1, b);
      if (!b) b = node;
    }
    EXPECT_EQ(kfsLblockWrite(tag, f_, b), 0u);
    kfsLblockFree(&b);
    return *this;
  }
  RawFile& record(const Rec& r) {
    EXPECT_EQ(kfsLrecWrite(f_, r.type, r.count, r.data), 0u);
    return *this;
  }

 private:
  kfsHandle f_ = nullptr;
};

const int kOne = 1;
const int kAny = kAnyItem;
const int kFloat = kfsTypeFloat;
const double kStats[3] = {4.0, -1.0, 2.0};
const float kZeros[3] = {0, 0, 0};

void writeFileInfo(RawFile& f) {
  static const short fileType = 1;
  f.block(10000).block(10004, {{kfsTypeInt2, 1, &fileType}}).block(10001, {{B1, 4, "old"}});
  f.block(10005, {{I4, 1, &kOne}});
}

void writeTime(RawFile& f) {
  static const int unit = kSecond;
  static const double times[2] = {0.0, 60.0};
  static const int steps[2] = {0, 0};
  f.block(20000).block(20051, {{I4, 1, &unit}, {D8, 2, times}, {I4, 2, steps}});
}

void writeTextItem(RawFile& f) {
  f.block(30002, {{I4, 1, &kAny},
                  {B1, 5, "Flow"},
                  {B1, 6, "meter"},
                  {I4, 1, &kFloat},
                  {D8, 3, kStats},
                  {F4, 3, kZeros},
                  {F4, 3, kZeros}});
}

TEST(HeaderOnDisk, OlderTimeAxisLayoutsAreRead) {
  dfstest::loadUnits();
  const double two[2] = {5.0, 2.5};
  const double one[1] = {7.0};
  const int steps[2] = {12, 3};
  struct Case {
    unsigned int tag;
    int type;
    bool trailer;
  };
  const Case cases[] = {{20001, 1, true}, {20002, 2, true}, {20002, 2, false},
                        {20003, 3, true}, {20004, 4, true}, {20004, 4, false}};
  const std::string path = dfstest::workPath("oldtime.dfs");
  for (const Case& c : cases) {
    const bool calendar = c.type >= 3;
    const bool eq = c.type == 1 || c.type == 3;
    {
      RawFile f(path);
      writeFileInfo(f);
      Recs time;
      if (calendar) time.push_back({B1, 11, "2001-02-03"}), time.push_back({B1, 9, "04:05:06"});
      time.push_back({B1, 7, "second"});
      time.push_back({D8, eq ? 2u : 1u, eq ? two : one});
      if (c.trailer) time.push_back({I4, 2, steps});
      f.block(20000).block(c.tag, time);
      f.block(30000).block(30001, {{I4, 1, &kOne}});
      writeTextItem(f);
      f.block(31001);  // older EqD0: no records at all
      f.block(50000);
    }
    int status = -1;
    LPHEAD h = readFile(path, &status);
    const dfstest::HeaderGuard hGuard(h);
    ASSERT_EQ(status, 0) << c.tag;
    ASSERT_NE(h, nullptr);
    const dfsTimeAxis& t = h->time;
    EXPECT_EQ(t.type, c.type) << c.tag;
    EXPECT_EQ(t.unit, -1);
    EXPECT_STREQ(t.unitText, "second");
    EXPECT_EQ(t.start, eq ? 5.0 : 7.0);
    if (eq) {
      EXPECT_EQ(t.step, 2.5);
    } else {
      EXPECT_EQ(t.span, -1e-255) << c.tag;
    }
    EXPECT_EQ(t.nSteps, c.trailer ? 12 : 0);
    EXPECT_EQ(t.startIndex, c.trailer ? 3 : 0);
    if (calendar) {
      EXPECT_STREQ(t.startDate, "2001-02-03");
      EXPECT_STREQ(t.startTime, "04:05:06");
    }
    // The unit text finds its key through the unit table.
    int unit = 0;
    const char* text = nullptr;
    if (c.type == 1) {
      dfsGetEqTimeAxis(h, &unit, &text, nullptr, nullptr, nullptr, nullptr);
      EXPECT_EQ(unit, kSecond);
      EXPECT_STREQ(text, "second");
    }
    LPITEM item = dfsItemD(h, 1);
    EXPECT_EQ(item->unitKey, -1);
    EXPECT_STREQ(item->unitText, "meter");
    EXPECT_EQ(item->axisType, F_EQ_AXIS_D0);
    EXPECT_EQ(item->itemMax, 4.0);
  }
}

TEST(HeaderOnDisk, OlderAxisLayoutsCarryNoUnit) {
  dfstest::loadUnits();
  const int s1[1] = {4}, s2[2] = {2, 3}, s3[3] = {2, 2, 2};
  const float eq1[2] = {1, 2}, eq2[4] = {1, 2, 3, 4}, eq3[6] = {1, 2, 3, 4, 5, 6};
  const float pts[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  const double x3[3] = {0, 1, 2}, y4[4] = {0, 1, 2, 3}, z3[3] = {5, 6, 7};
  struct Case {
    unsigned int tag;
    Recs records;
    long long elements;
  };
  const std::vector<Case> cases = {
      {31001, {}, 1},
      {31002, {{I4, 1, s1}, {F4, 2, eq1}}, 4},
      {31003, {{I4, 1, s1}, {F4, 12, pts}}, 4},
      {31004, {{I4, 1, s1}}, 4},
      {31005, {{I4, 2, s2}, {F4, 4, eq2}}, 6},
      {31006, {{I4, 2, s2}, {D8, 3, x3}, {D8, 4, y4}}, 6},
      {31007, {{I4, 2, s2}}, 6},
      {31008, {{I4, 3, s3}, {F4, 6, eq3}}, 8},
      {31009, {{I4, 3, s3}, {D8, 3, x3}, {D8, 3, x3}, {D8, 3, z3}}, 8},
      {31010, {{I4, 3, s3}}, 8},
  };
  const std::string path = dfstest::workPath("oldaxis.dfs");
  for (const Case& c : cases) {
    {
      RawFile f(path);
      writeFileInfo(f);
      writeTime(f);
      f.block(30000).block(30001, {{I4, 1, &kOne}});
      writeTextItem(f);
      f.block(c.tag, c.records);
      f.block(50000);
    }
    int status = -1;
    LPHEAD h = readFile(path, &status);
    const dfstest::HeaderGuard hGuard(h);
    ASSERT_EQ(status, 0) << c.tag;
    LPITEM item = dfsItemD(h, 1);
    EXPECT_EQ(item->axisType, static_cast<int>(c.tag - 31000));
    EXPECT_EQ(item->axisUnit, 0);
    EXPECT_EQ(dfsGetAxisElements(item), c.elements) << c.tag;
    if (c.tag == 31009) {
      EXPECT_EQ(item->axisCoords[2][2], 7.0);
    }
    if (c.tag == 31003) {
      EXPECT_EQ(item->axisPoints[11], 11.0f);
    }
  }
}

TEST(HeaderOnDisk, UnknownTagsAreSkippedButUnknownAxisTagsFail) {
  dfstest::loadUnits();
  ErrorRecorder errors;
  const std::string path = dfstest::workPath("unknown.dfs");
  const double junk[2] = {1, 2};
  {
    RawFile f(path);
    writeFileInfo(f);
    f.block(12345, {{D8, 2, junk}, {B1, 3, "ab"}});
    writeTime(f);
    f.block(20040);
    f.block(30000).block(30001, {{I4, 1, &kOne}});
    writeTextItem(f);
    f.block(31051, {{I4, 1, &kOne}});
    f.block(65000);
    f.block(50000);
  }
  int status = -1;
  LPHEAD h = readFile(path, &status);
  const dfstest::HeaderGuard hGuard(h);
  EXPECT_EQ(status, 0);
  ASSERT_NE(h, nullptr);
  EXPECT_STREQ(dfsGetFileTitle(h), "old");
  dfsHeaderDestroy(&h);

  {
    RawFile f(path);
    writeFileInfo(f);
    writeTime(f);
    f.block(30000).block(30001, {{I4, 1, &kOne}});
    writeTextItem(f);
    f.block(31070, {{I4, 1, &kOne}});
    f.block(50000);
  }
  h = readFile(path, &status);
  EXPECT_EQ(status, 2018);
  EXPECT_EQ(h, nullptr);

  // A record where a block should begin.
  {
    RawFile f(path);
    writeFileInfo(f);
    f.record({D8, 2, junk});
    writeTime(f);
    f.block(50000);
  }
  h = readFile(path, &status);
  EXPECT_EQ(status, 2016);
  EXPECT_EQ(h, nullptr);

  // Wrong type and wrong count of a known tag.
  {
    RawFile f(path);
    writeFileInfo(f);
    f.block(10003, {{D8, 1, junk}});
    f.block(50000);
  }
  h = readFile(path, &status);
  EXPECT_EQ(status, 2009);
  {
    RawFile f(path);
    writeFileInfo(f);
    writeTime(f);
    f.block(20053, {{B1, 10, "2001-02-0"}});
    f.block(50000);
  }
  h = readFile(path, &status);
  EXPECT_EQ(status, 2013);
  EXPECT_EQ(h, nullptr);
}

TEST(HeaderOnDisk, ItemCountsAndSizesFromTheFileAreChecked) {
  dfstest::loadUnits();
  const std::string path = dfstest::workPath("counts.dfs");
  const int many = 0x7fffffff;
  const int huge[4] = {1, 100000, 100000, 100000};
  struct Case {
    const char* what;
    int items;
    Recs axis;
  };
  const std::vector<Case> cases = {
      {"more items announced than present", many, {{I4, 1, &kOne}}},
      {"no items announced", 0, {{I4, 1, &kOne}}},
      {"sizes whose product overflows", 1, {{I4, 4, huge}}},
  };
  for (const Case& c : cases) {
    {
      RawFile f(path);
      writeFileInfo(f);
      writeTime(f);
      f.block(30000).block(30001, {{I4, 1, &c.items}});
      writeTextItem(f);
      f.block(c.axis.size() == 1 ? 31051 : 31060, c.axis);
      f.block(50000);
    }
    int status = 0;
    LPHEAD h = readFile(path, &status);
    EXPECT_NE(status, 0) << c.what;
    EXPECT_EQ(h, nullptr) << c.what;
  }
}

// ---- Hostile files -----------------------------------------------------

// A complete header with statistics, geographic information, a calendar
// axis and custom blocks, followed by the dynamic section; returns where
// the header ends (the position of the 50000 block).
size_t writeRichFile(const std::string& path) {
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT);
  const dfstest::HeaderGuard hGuard(h);
  dfsSetEqCalendarAxis(h, "2020-01-01", "00:00:00", kSecond, 0, 0.0, 60.0);
  dfsSetGeoInfoUTMProj(h, "UTM-33", 15.0, 0.0, 0.0);
  const int values[3] = {1, 2, 3};
  dfsAddCustomBlock(h, kfsTypeInt4, "C", 3, values);
  dfsSetAssocStatic(h, 1, 1);
  EXPECT_EQ(writeFile(path, h), 0);
  dfsHeaderDestroy(&h);
  const std::vector<unsigned char> bytes = dfstest::readBytes(path);
  return bytes.size() - 4;  // the closing 50000 block is 4 bytes
}

TEST(HostileFiles, TruncatedAtEveryOffsetGivesAnErrorAndNoHeader) {
  dfstest::loadUnits();
  const std::string path = dfstest::workPath("rich.dfs");
  const size_t headerEnd = writeRichFile(path);
  const std::vector<unsigned char> bytes = dfstest::readBytes(path);
  ASSERT_GT(headerEnd, 200u);
  const std::string cut = dfstest::workPath("cut.dfs");
  for (size_t n = 0; n < headerEnd + 3; ++n) {
    dfstest::writeBytes(cut, std::vector<unsigned char>(bytes.begin(), bytes.begin() + n));
    LPHEAD h = reinterpret_cast<LPHEAD>(0x1);
    kfsHandle f = reinterpret_cast<kfsHandle>(0x1);
    const int s = dfsFileRead(cut.c_str(), &h, &f);
    ASSERT_NE(s, 0) << "truncated at " << n;
    ASSERT_EQ(h, nullptr);
    ASSERT_EQ(f, nullptr);
  }
  // The whole file reads.
  int status = -1;
  LPHEAD h = readFile(path, &status);
  const dfstest::HeaderGuard hGuard(h);
  EXPECT_EQ(status, 0);
}

// Offsets of the count field of every record in the header.
std::vector<size_t> recordCountOffsets(const std::string& path, size_t headerEnd) {
  std::vector<size_t> offsets;
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  if (kfsFileOpenRead(path.c_str(), &f, kfsInternalAPI, nullptr) != 0) return offsets;
  for (;;) {
    const long long at = kfsTell64(f);
    if (at < 0 || static_cast<size_t>(at) >= headerEnd) break;
    const kfsSimpleType t = kfsQuery(f, nullptr);
    if (t == 0) break;
    if (t >= 1) offsets.push_back(static_cast<size_t>(at) + 1);
    kfsSkip(f);
  }
  kfsFileClose(&f);
  return offsets;
}

TEST(HostileFiles, ACorruptedCountInAnyHeaderRecordGivesAnErrorAndNoHeader) {
  dfstest::loadUnits();
  const std::string path = dfstest::workPath("rich.dfs");
  const size_t headerEnd = writeRichFile(path);
  const std::vector<unsigned char> bytes = dfstest::readBytes(path);
  const std::vector<size_t> offsets = recordCountOffsets(path, headerEnd);
  ASSERT_GT(offsets.size(), 30u);
  const std::string bad = dfstest::workPath("badcount.dfs");
  for (size_t at : offsets) {
    unsigned int count = 0;
    std::memcpy(&count, &bytes[at], 4);
    for (unsigned int corrupt : {count + 1, 0u, 0xffffffffu, 0x7fffffffu, count + 1000u}) {
      std::vector<unsigned char> copy = bytes;
      std::memcpy(&copy[at], &corrupt, 4);
      dfstest::writeBytes(bad, copy);
      LPHEAD h = nullptr;
      kfsHandle f = nullptr;
      const int s = dfsFileRead(bad.c_str(), &h, &f);
      ASSERT_NE(s, 0) << "count at " << at << " set to " << corrupt;
      ASSERT_EQ(h, nullptr);
      ASSERT_EQ(f, nullptr);
    }
  }
}

}  // namespace

namespace {

// ---- Files of the other byte order ---------------------------------------

void reverse(std::vector<unsigned char>& b, size_t at, size_t n) {
  std::reverse(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + n));
}

// The same file as a writer of the other byte order makes it: every number
// of two, four or eight bytes reversed, bytes and markers as they are.
std::vector<unsigned char> otherByteOrder(std::vector<unsigned char> b) {
  static const size_t kSizes[8] = {0, 4, 8, 1, 4, 4, 2, 2};
  reverse(b, 0, 4);  // the magic read as a number
  reverse(b, 4, 4);
  size_t p = 8;
  while (b[p] != 0x1A) ++p;
  ++p;
  for (int i = 0; i < 6; ++i, p += 2) reverse(b, p, 2);
  for (int i = 0; i < 2; ++i, p += 4) reverse(b, p, 4);
  for (int i = 0; i < 6; ++i, p += 2) reverse(b, p, 2);
  for (int i = 0; i < 4; ++i, p += 4) reverse(b, p, 4);
  while (p < b.size()) {
    const unsigned char code = b[p];
    if (code == 0xFE) {
      reverse(b, p + 1, 2);
      p += 3;
    } else if (code == 0xFF) {
      p += 1;
    } else {
      unsigned int count = 0;
      std::memcpy(&count, &b[p + 1], 4);
      reverse(b, p + 1, 4);
      const size_t size = kSizes[code];
      p += 5;
      for (unsigned int i = 0; i < count; ++i, p += size) reverse(b, p, size);
    }
  }
  return b;
}

TEST(HeaderOnDisk, FilesOfTheOtherByteOrderReadAndUpdateInTheirOrder) {
  dfstest::loadUnits();
  LPHEAD h = dfstest::twoItemHeader(F_REG_STAT);
  const dfstest::HeaderGuard hGuard(h);
  dfsSetGeoInfoUTMProj(h, "UTM-32", 9.0, 55.0, 1.5);
  const std::string native = dfstest::workPath("native.dfs");
  ASSERT_EQ(writeFile(native, h), 0);
  dfsHeaderDestroy(&h);
  const std::string swapped = dfstest::workPath("swapped.dfs");
  const std::vector<unsigned char> bytes = otherByteOrder(dfstest::readBytes(native));
  ASSERT_EQ(bytes[0], '_');
  dfstest::writeBytes(swapped, bytes);

  LPHEAD r = nullptr;
  const dfstest::HeaderGuard rGuard(r);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileEdit(swapped.c_str(), &r, &f), 0);
  EXPECT_EQ(dfsGetDeleteValFloat(r), -1e-35f);
  double lat = 0;
  dfsGetGeoInfoUTMProj(r, nullptr, nullptr, &lat, nullptr);
  EXPECT_EQ(lat, 55.0);
  EXPECT_EQ(dfsGetAxisElements(dfsItemD(r, 1)), 10);
  EXPECT_EQ(dfsItemD(r, 1)->nStats, 90);
  EXPECT_EQ(r->time.step, 60.0);
  // An edit writes in the file's own order.
  dfsSetDeleteValDouble(r, -5.0);
  r->time.nSteps = 3;
  ASSERT_EQ(dfsFileClose(r, &f), 0);
  dfsHeaderDestroy(&r);
  const std::vector<unsigned char> after = dfstest::readBytes(swapped);
  EXPECT_EQ(after.size(), bytes.size());
  EXPECT_EQ(after[0], '_');
  ASSERT_EQ(dfsFileRead(swapped.c_str(), &r, &f), 0);
  EXPECT_EQ(dfsGetDeleteValDouble(r), -5.0);
  EXPECT_EQ(r->time.nSteps, 3);
  EXPECT_STREQ(dfsItemD(r, 2)->name, "Depth");
  dfsFileClose(r, &f);
}

// Applications store several blocks under one name (one per boundary, say):
// the in-place update must give each stored block its own values back.
TEST(HeaderOnDisk, CustomBlocksOfOneNameKeepTheirOwnValuesThroughUpdates) {
  dfstest::loadUnits();
  LPHEAD h = dfstest::twoItemHeader();
  const dfstest::HeaderGuard hGuard(h);
  const float first[2] = {1.0f, 2.0f}, second[2] = {3.0f, 4.0f};
  dfsAddCustomBlock(h, kfsTypeFloat, "Boundary", 2, first);
  dfsAddCustomBlock(h, kfsTypeFloat, "Boundary", 2, second);
  const std::string path = dfstest::workPath("custom_same_name.dfs");
  ASSERT_EQ(writeFile(path, h), 0);  // the close updates the header in place
  dfsHeaderDestroy(&h);

  LPHEAD r = nullptr;
  const dfstest::HeaderGuard rGuard(r);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileEdit(path.c_str(), &r, &f), 0);
  dfsCustomBlock* c = nullptr;
  dfsGetCustomBlockRef(r, &c);
  ASSERT_NE(c, nullptr);
  ASSERT_NE(c->next, nullptr);
  EXPECT_EQ(static_cast<float*>(c->next->data)[0], 3.0f);
  static_cast<float*>(c->next->data)[1] = 5.0f;  // an edit of the second block alone
  ASSERT_EQ(dfsFileClose(r, &f), 0);
  dfsHeaderDestroy(&r);

  r = readFile(path);
  ASSERT_NE(r, nullptr);
  dfsGetCustomBlockRef(r, &c);
  ASSERT_NE(c, nullptr);
  ASSERT_NE(c->next, nullptr);
  const float* a = static_cast<float*>(c->data);
  const float* b = static_cast<float*>(c->next->data);
  EXPECT_EQ(a[0], 1.0f);
  EXPECT_EQ(a[1], 2.0f);
  EXPECT_EQ(b[0], 3.0f);
  EXPECT_EQ(b[1], 5.0f);
}

}  // namespace

namespace {

TEST(HeaderOnDisk, TheTraceShowsTheTagsReadAndUnknownOnes) {
  dfstest::loadUnits();
  LPHEAD h = dfstest::twoItemHeader();
  const dfstest::HeaderGuard hGuard(h);
  const int values[1] = {1};
  dfsAddCustomBlock(h, kfsTypeInt4, "c", 1, values);
  const std::string path = dfstest::workPath("trace.dfs");
  ASSERT_EQ(writeFile(path, h), 0);
  dfsHeaderDestroy(&h);
  DebugTraceReset();
  dfsDebugOn(1);
  testing::internal::CaptureStdout();
  LPHEAD r = readFile(path);
  const dfstest::HeaderGuard rGuard(r);
  const std::string out = testing::internal::GetCapturedStdout();
  dfsDebugOn(0);
  DebugTraceReset();
  ASSERT_NE(r, nullptr);
  dfsHeaderDestroy(&r);
  EXPECT_NE(out.find("->{dfsReadHeader"), std::string::npos) << out;
  EXPECT_NE(out.find("tag=30005"), std::string::npos);
  EXPECT_NE(out.find("tag=60000"), std::string::npos);
  EXPECT_NE(out.find("<-}dfsReadHeader"), std::string::npos);
}

}  // namespace
