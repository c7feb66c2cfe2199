// Static items: written between the header and the first time step, read,
// skipped and found again, their values converted on the way out, and the
// refusals that keep a file intact.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

using dfstest::ErrorRecorder;

// A static item with an EqD2 axis of 4 x 3 floats (or the type given).
LPITEM makeStatic(LPHEAD h, const char* name, int type = kfsTypeFloat) {
  LPITEM it = nullptr;
  EXPECT_EQ(dfsStaticCreate(&it), 0);
  const int meter = dfstest::unitId("meter");
  EXPECT_EQ(dfsSetItemInfo(h, it, dfstest::kAnyItem, name, meter, type), 0);
  EXPECT_EQ(dfsSetItemAxisEqD2(it, meter, 4, 3, 0.f, 0.f, 10.f, 10.f), 0);
  return it;
}

std::vector<float> ramp(float first) {
  std::vector<float> v(12);
  for (size_t i = 0; i < v.size(); ++i) v[i] = first + static_cast<float>(i);
  return v;
}

class Statics : public ::testing::Test {
 protected:
  void SetUp() override {
    dfstest::loadUnits();
    header = dfstest::twoItemHeader();
  }
  void TearDown() override { dfsHeaderDestroy(&header); }

  // A file with the statics named in `names` (values ramp(100 x index)) and
  // `steps` time steps.
  std::string write(const std::string& name, const std::vector<const char*>& names, int steps) {
    const std::string path = dfstest::workPath(name);
    kfsHandle f = nullptr;
    const dfstest::KfsFileGuard fGuard(f);
    EXPECT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
    for (size_t i = 0; i < names.size(); ++i) {
      LPITEM it = makeStatic(header, names[i]);
      const dfstest::StaticGuard itGuard(it);
      EXPECT_EQ(dfsStaticWrite(it, f, ramp(100.f * i).data()), 0);
    }
    const std::vector<float> v(10, 2.5f);
    for (int s = 0; s < 2 * steps; ++s)
      EXPECT_EQ(dfsWriteItemTimeStep(header, f, v.data(), 0.0), 0);
    EXPECT_EQ(dfsFileClose(header, &f), 0);
    dfstest::expectDfsdumpAccepts(path);
    return path;
  }

  LPHEAD header = nullptr;
};

TEST_F(Statics, LieBetweenTheHeaderAndTheTimeSteps) {
  const std::string path = write("statics.dfs", {"Bathymetry", "Roughness"}, 1);
  std::vector<int> tags = dfstest::blockSequence(path);
  const auto first = std::find(tags.begin(), tags.end(), 40000);
  ASSERT_NE(first, tags.end());
  EXPECT_EQ(std::vector<int>(first, tags.end()),
            (std::vector<int>{40000, 30005, 30006, 31055, 40001, 30005, 30006, 31055, 40001, 50000,
                              50001}));

  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  int status = -1;
  LPITEM it = dfsStaticRead(f, &status);
  const dfstest::StaticGuard itGuard(it);
  ASSERT_NE(it, nullptr);
  EXPECT_EQ(status, 0);
  EXPECT_STREQ(it->name, "Bathymetry");
  EXPECT_EQ(it->isStatic, 1);
  EXPECT_EQ(dfsGetItemAxisType(it), F_EQ_AXIS_D2);
  std::vector<float> values(12);
  ASSERT_EQ(dfsStaticGetData(it, values.data()), 0);
  EXPECT_EQ(values, ramp(0.f));
  dfsStaticDestroy(&it);
  it = dfsStaticRead(f, &status);
  ASSERT_NE(it, nullptr);
  EXPECT_STREQ(it->name, "Roughness");
  dfsStaticDestroy(&it);
  EXPECT_EQ(dfsStaticRead(f, &status), nullptr);
  EXPECT_EQ(status, 0);
  // The time steps follow on from there.
  std::vector<float> v(10);
  ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, v.data()), 0);
  EXPECT_EQ(v[0], 2.5f);
  EXPECT_EQ(dfsStaticRead(f, &status), nullptr);  // the static data is over
  EXPECT_EQ(status, 0);
  dfsFileClose(h, &f);
}

TEST_F(Statics, AFileWithoutStaticsHasNone) {
  const std::string path = write("no_statics.dfs", {}, 1);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  int status = -1;
  EXPECT_EQ(dfsStaticRead(f, &status), nullptr);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(dfsStaticSkip(f), DFS_ITEM_OUTSIDE);
  EXPECT_EQ(dfsFindItemStatic(h, f, 1), DFS_ITEM_OUTSIDE);
  ASSERT_EQ(dfsFindBlockStatic(h, f), 0);
  std::vector<float> v(10);
  ASSERT_EQ(dfsReadItemTimeStep(h, f, nullptr, v.data()), 0);
  dfsFileClose(h, &f);
}

TEST_F(Statics, AreFoundSkippedAndFoundAgainAfterTimeSteps) {
  const std::string path = write("find_statics.dfs", {"A", "B", "C"}, 3);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  ASSERT_EQ(dfsStaticSkip(f), 0);
  int status = -1;
  LPITEM it = dfsStaticRead(f, &status);
  const dfstest::StaticGuard itGuard(it);
  ASSERT_NE(it, nullptr);
  EXPECT_STREQ(it->name, "B");
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsFindTimeStep(h, f, 2), 0);
  ASSERT_EQ(dfsFindItemStatic(h, f, 3), 0);  // back from the dynamic data
  it = dfsStaticRead(f, &status);
  ASSERT_NE(it, nullptr);
  EXPECT_STREQ(it->name, "C");
  std::vector<float> values(12);
  ASSERT_EQ(dfsStaticGetData(it, values.data()), 0);
  EXPECT_EQ(values, ramp(200.f));
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsFindItemStatic(h, f, 1), 0);
  it = dfsStaticRead(f, &status);
  ASSERT_NE(it, nullptr);
  EXPECT_STREQ(it->name, "A");
  dfsStaticDestroy(&it);
  EXPECT_EQ(dfsFindItemStatic(h, f, 4), DFS_ITEM_OUTSIDE);
  EXPECT_EQ(dfsFindItemStatic(h, f, 0), DFS_ITEM_OUTSIDE);
  ASSERT_EQ(dfsFindBlockStatic(h, f), 0);
  EXPECT_EQ(h->stepCounter, 0);
  it = dfsStaticRead(f, &status);
  ASSERT_NE(it, nullptr);
  EXPECT_STREQ(it->name, "A");
  dfsStaticDestroy(&it);
  dfsFileClose(h, &f);
}

TEST_F(Statics, AfterTheFirstTimeStepAWriteIsRefusedAndTheFileUnchanged) {
  const std::string path = dfstest::workPath("late_static.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  const std::vector<float> v(10, 1.f);
  ASSERT_EQ(dfsWriteItemTimeStep(header, f, v.data(), 0.0), 0);
  ASSERT_EQ(dfsWriteItemTimeStep(header, f, v.data(), 0.0), 0);
  const long long where = kfsTell64(f);
  LPITEM it = makeStatic(header, "Too late");
  const dfstest::StaticGuard itGuard(it);
  ErrorRecorder errors;
  EXPECT_EQ(dfsStaticWrite(it, f, ramp(0.f).data()), 1000);
  EXPECT_EQ(kfsTell64(f), where);
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  std::vector<int> tags = dfstest::blockSequence(path);
  EXPECT_EQ(std::count(tags.begin(), tags.end(), 40000), 0);
  EXPECT_EQ(tags.back(), 50001);
  dfstest::expectDfsdumpAccepts(path);
}

TEST_F(Statics, RefusalsWriteNothing) {
  const std::string path = dfstest::workPath("static_refusals.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  const long long where = kfsTell64(f);
  ErrorRecorder errors;
  LPITEM it = makeStatic(header, "Refused");
  const dfstest::StaticGuard itGuard(it);
  EXPECT_EQ(dfsStaticWrite(it, f, nullptr), 2010);
  ASSERT_EQ(dfsSetItemAxisTvarD2(it, 1000, 4, 3), 0);        // statics take any axis, but
  EXPECT_EQ(dfsStaticWrite(it, f, ramp(0.f).data()), 2010);  // a varying one is not stored
  ASSERT_EQ(dfsSetItemAxisEqD4(it, 1000, 1, 1, 1, 2, 0, 0, 0, 0, 1, 1, 1, 1), 0);
  EXPECT_EQ(dfsStaticWrite(it, f, ramp(0.f).data()), 2010);  // EqD4 has no stored form
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsStaticCreate(&it), 0);  // no axis at all
  EXPECT_EQ(dfsStaticWrite(it, f, ramp(0.f).data()), 2010);
  dfsStaticDestroy(&it);
  EXPECT_EQ(dfsStaticWrite(nullptr, f, ramp(0.f).data()), 1000);
  EXPECT_EQ(kfsTell64(f), where);
  EXPECT_EQ(dfs::position(f), 1);
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  dfstest::expectDfsdumpAccepts(path);
  EXPECT_EQ(dfsStaticDestroy(nullptr), 0);
  EXPECT_EQ(dfsStaticCreate(nullptr), 1000);
}

// An edit handle stands at the end of the header, with the file's sections
// behind it: a static write there rewrites the first static item in place,
// and where the time steps begin it is refused and writes nothing.
TEST_F(Statics, AnEditHandleRewritesTheFirstStaticInPlaceAndNeverOverTheSteps) {
  const std::string path = write("static_edit.dfs", {"Bed", "Roughness"}, 2);
  const size_t size = dfstest::readBytes(path).size();
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileEdit(path.c_str(), &h, &f), 0);
  LPITEM it = makeStatic(h, "Bed");
  const dfstest::StaticGuard itGuard(it);
  ASSERT_EQ(dfsStaticWrite(it, f, ramp(-5.f).data()), 0);
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(dfstest::readBytes(path).size(), size);
  dfstest::expectDfsdumpAccepts(path);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  int status = -1;
  std::vector<float> values(12);
  for (float first : {-5.f, 100.f}) {
    it = dfsStaticRead(f, &status);
    ASSERT_NE(it, nullptr);
    ASSERT_EQ(dfsStaticGetData(it, values.data()), 0);
    EXPECT_EQ(values, ramp(first));
    dfsStaticDestroy(&it);
  }
  EXPECT_EQ(h->time.nSteps, 2);
  dfsFileClose(h, &f);
  dfsHeaderDestroy(&h);

  // An item of another stored form would run over what follows it.
  std::vector<unsigned char> before = dfstest::readBytes(path);
  ASSERT_EQ(dfsFileEdit(path.c_str(), &h, &f), 0);
  it = makeStatic(h, "Bed level");
  {
    ErrorRecorder errors;
    EXPECT_EQ(dfsStaticWrite(it, f, ramp(0.f).data()), 2010);
  }
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsFileClose(h, &f), 0);
  dfsHeaderDestroy(&h);
  EXPECT_EQ(dfstest::readBytes(path), before);

  // Behind the header, or behind the encode keys, of a file without static
  // items lie the time steps.
  const std::string plain = write("static_edit_none.dfs", {}, 2);
  const int x[2] = {0, 1}, y[2] = {0, 0};
  ASSERT_EQ(dfsSetEncodeKey(header, x, y, nullptr, 2), 0);
  const std::string encoded = write("static_edit_keys.dfs", {}, 2);
  for (const std::string& name : {plain, encoded}) {
    SCOPED_TRACE(name);
    before = dfstest::readBytes(name);
    ASSERT_EQ(dfsFileEdit(name.c_str(), &h, &f), 0);
    it = makeStatic(h, "Too late");
    {
      ErrorRecorder errors;
      EXPECT_EQ(dfsStaticWrite(it, f, ramp(0.f).data()), 1000);
    }
    dfsStaticDestroy(&it);
    ASSERT_EQ(dfsFileClose(h, &f), 0);
    dfsHeaderDestroy(&h);
    EXPECT_EQ(dfstest::readBytes(name), before);
  }
}

TEST_F(Statics, ValuesAreConvertedIntoTheItemUnitAndBack) {
  const std::string path = dfstest::workPath("static_units.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &f), 0);
  LPITEM it = makeStatic(header, "Depth in cm");
  const dfstest::StaticGuard itGuard(it);
  const int cm = dfstest::unitId("centimeter");
  ASSERT_EQ(dfsSetItemUnitConversion(it, 2, cm), 0);
  std::vector<float> depths = ramp(100.f);
  depths[5] = dfsGetDeleteValFloat(header);
  const std::vector<float> given = depths;
  ASSERT_EQ(dfsStaticWrite(it, f, depths.data()), 0);
  EXPECT_EQ(depths, given);
  dfsStaticDestroy(&it);
  ASSERT_EQ(dfsFileClose(header, &f), 0);
  dfstest::expectDfsdumpAccepts(path);

  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsFileRead(path.c_str(), &h, &f), 0);
  int status = -1;
  it = dfsStaticRead(f, &status);
  ASSERT_NE(it, nullptr);
  EXPECT_EQ(it->header, nullptr);
  std::vector<float> metres(12), back(12);
  ASSERT_EQ(dfsStaticGetData(it, metres.data()), 0);
  EXPECT_FLOAT_EQ(metres[0], 1.0f);
  EXPECT_EQ(metres[5], given[5]);
  ASSERT_EQ(dfsStaticSetHeader(h, it), 0);
  EXPECT_EQ(it->header, h);
  ASSERT_EQ(dfsSetItemUnitConversion(it, 2, cm), 0);
  ASSERT_EQ(dfsStaticGetData(it, back.data()), 0);
  for (size_t i = 0; i < back.size(); ++i) EXPECT_FLOAT_EQ(back[i], given[i]) << i;
  ErrorRecorder errors;
  EXPECT_EQ(dfsStaticGetData(it, nullptr), 2010);
  dfsStaticDestroy(&it);
  dfsFileClose(h, &f);
}

TEST_F(Statics, AMissingValuesBlockIsABrokenFile) {
  const std::string path = write("no_values.dfs", {"Bathymetry"}, 1);
  std::vector<unsigned char> bytes = dfstest::readBytes(path);
  // The block start of 40001 (0x9C41) becomes 40002.
  const unsigned char start[3] = {0xFE, 0x41, 0x9C};
  auto at = std::search(bytes.begin(), bytes.end(), start, start + 3);
  ASSERT_NE(at, bytes.end());
  at[1] = 0x42;
  const std::string broken = dfstest::workPath("no_values_broken.dfs");
  dfstest::writeBytes(broken, bytes);
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileRead(broken.c_str(), &h, &f), 0);
  ErrorRecorder errors;
  int status = 0;
  EXPECT_EQ(dfsStaticRead(f, &status), nullptr);
  EXPECT_EQ(status, 2019);
  dfsFileClose(h, &f);
}

}  // namespace
