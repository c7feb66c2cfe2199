// Reading with a unit conversion gives, value for value, the bits of the
// plain formula evaluated one element at a time in double: whatever the
// vector width the conversion runs at, awkward values included (subnormal,
// huge, signed zeros, the delete value, NaN).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_timestep.h"

namespace {

constexpr int kElements = 1003;  // not a multiple of any vector width

template <typename T>
std::vector<T> awkwardValues(T deleteValue) {
  const T awkward[] = {T(0),
                       -T(0),
                       std::numeric_limits<T>::denorm_min(),
                       -std::numeric_limits<T>::denorm_min(),
                       std::numeric_limits<T>::min(),
                       std::numeric_limits<T>::max(),
                       -std::numeric_limits<T>::max(),
                       std::numeric_limits<T>::infinity(),
                       -std::numeric_limits<T>::infinity(),
                       std::numeric_limits<T>::quiet_NaN(),
                       deleteValue,
                       T(1) / T(3),
                       T(-40.25)};
  std::vector<T> v(std::begin(awkward), std::end(awkward));
  std::mt19937_64 random(15);
  while (v.size() < kElements) {
    uint64_t bits = random();
    T x;
    std::memcpy(&x, &bits, sizeof x);
    v.push_back(v.size() % 3 == 0 ? x : static_cast<T>(static_cast<int>(bits % 20001) - 10000) / 8);
  }
  return v;
}

// The factor of a unit to the metre, from the unit table.
double toMetre(const char* unit) {
  double factor = 0.0;
  EXPECT_EQ(qtyConvertUnitToBase(dfstest::unitId(unit), &factor, 1.0), 1);
  return factor;
}

template <typename T>
bool sameBits(T a, T b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class ConvertedRead : public ::testing::Test {
 protected:
  void SetUp() override { dfstest::loadUnits(); }
};

// A float item and a double item of 1003 values, stored in metres, read in
// centimetres and in feet (the grid is 1003 x 1).
TEST_F(ConvertedRead, ValuesAreThoseOfThePlainFormulaBitForBit) {
  LPHEAD h = dfstest::gridHeader(2, kElements, 1);
  const dfstest::HeaderGuard hGuard(h);
  const int meter = dfstest::unitId("meter");
  ASSERT_EQ(dfsSetItemInfo(h, dfsItemD(h, 2), dfstest::kAnyItem, "Depth", meter, kfsTypeDouble), 0);
  ASSERT_EQ(dfsSetItemAxisEqD2(dfsItemD(h, 2), meter, kElements, 1, 0.f, 0.f, 1.f, 1.f), 0);
  const std::vector<float> floats = awkwardValues<float>(h->deleteFloat);
  const std::vector<double> doubles = awkwardValues<double>(h->deleteDouble);
  const std::string path = dfstest::workPath("converted_read.dfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
  ASSERT_EQ(dfsWriteItemTimeStep(h, f, floats.data(), 0.0), 0);
  ASSERT_EQ(dfsWriteItemTimeStep(h, f, doubles.data(), 0.0), 0);
  ASSERT_EQ(dfsFileClose(h, &f), 0);

  for (const char* unit : {"centimeter", "foot"}) {
    LPHEAD r = nullptr;
    const dfstest::HeaderGuard rGuard(r);
    ASSERT_EQ(dfsFileRead(path.c_str(), &r, &f), 0);
    const int to = dfstest::unitId(unit);
    ASSERT_NE(to, 0) << unit;
    for (int n = 1; n <= 2; ++n) ASSERT_EQ(dfsSetItemUnitConversion(dfsItemD(r, n), 2, to), 0);
    std::vector<float> gotFloats(kElements);
    std::vector<double> gotDoubles(kElements);
    ASSERT_EQ(dfsReadItemTimeStep(r, f, nullptr, gotFloats.data()), 0);
    ASSERT_EQ(dfsReadItemTimeStep(r, f, nullptr, gotDoubles.data()), 0);
    ASSERT_EQ(dfsFileClose(r, &f), 0);

    const double fa = toMetre("meter"), fb = toMetre(unit);
    int floatMismatches = 0, doubleMismatches = 0;
    for (size_t i = 0; i < kElements; ++i) {
      const float x = floats[i];
      const float wantFloat =
          std::isnan(x) || x == h->deleteFloat
              ? x
              : static_cast<float>((static_cast<double>(x) * fa + 0.0 - 0.0) / fb);
      floatMismatches += !sameBits(gotFloats[i], wantFloat);
      const double d = doubles[i];
      const double wantDouble =
          std::isnan(d) || d == h->deleteDouble ? d : (d * fa + 0.0 - 0.0) / fb;
      doubleMismatches += !sameBits(gotDoubles[i], wantDouble);
    }
    EXPECT_EQ(floatMismatches, 0) << unit;
    EXPECT_EQ(doubleMismatches, 0) << unit;
  }
}

}  // namespace
