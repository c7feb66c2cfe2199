// Conversions of single values and arrays, and the proof that the array
// kernels give the bits of the plain formula.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "qty/CLinearConversion.h"
#include "qty_support.h"

namespace {

using namespace qtytest;  // the table ids

class Convert : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(qtytest::LoadShippedTable()); }
};

TEST_F(Convert, SingleValues) {
  double result = 0.0;
  ASSERT_EQ(qtyConvertUnit(kKilometer, kMeter, &result, 2.5), 1);
  EXPECT_EQ(result, 2500.0);
  ASSERT_EQ(qtyConvertUnit(kCelsius, kKelvin, &result, 0.0), 1);
  EXPECT_EQ(result, 273.15);
  ASSERT_EQ(qtyConvertUnit(kKelvin, kCelsius, &result, 300.0), 1);
  EXPECT_NEAR(result, 26.85, 1e-12);
  ASSERT_EQ(qtyConvertUnit(kFahrenheit, kCelsius, &result, 32.0), 1);
  EXPECT_NEAR(result, 0.0, 1e-12);
  ASSERT_EQ(qtyConvertUnitToBase(kFoot, &result, 10.0), 1);
  EXPECT_EQ(result, 3.048);
  ASSERT_EQ(qtyConvertUnitFromBase(kCelsius, &result, 273.15), 1);
  EXPECT_EQ(result, 0.0);
}

TEST_F(Convert, FailuresPassTheValueThrough) {
  double result = 0.0;
  EXPECT_EQ(qtyConvertUnit(kMeter, kSecond, &result, 7.0), 0);
  EXPECT_EQ(result, 7.0);
  EXPECT_EQ(qtyConvertUnit(kMeter, 4711, &result, 8.0), 0);
  EXPECT_EQ(result, 8.0);
  EXPECT_EQ(qtyConvertUnit(0, kMeter, &result, 9.0), 0);  // id 0 is never converted
  EXPECT_EQ(qtyConvertUnitToBase(4711, &result, 10.0), 0);
  EXPECT_EQ(result, 10.0);
  EXPECT_EQ(qtyConvertUnitFromBase(0, &result, 11.0), 0);
  EXPECT_EQ(result, 11.0);
  double data[2] = {1.0, 2.0};
  EXPECT_EQ(qtyConvertItemArrayD(kMeter, kSecond, data, 2, -1e-35), 0);
  EXPECT_EQ(data[0], 1.0);
  EXPECT_EQ(qtyConvertItemArrayD(kMeter, kKilometer, data, 0, -1e-35), 1);
  EXPECT_EQ(qtyConvertItemArrayD(kMeter, kKilometer, data, -5, -1e-35), 1);
  EXPECT_EQ(qtyConvertItemArrayD(kMeter, kKilometer, nullptr, 5, -1e-35), 1);
  EXPECT_EQ(data[1], 2.0);
}

TEST_F(Convert, ArraysLeaveDeleteValuesAndNaNUntouched) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> data = {1e-35, 1.0, 1e-35, -2.0, nan, 0.5};
  ASSERT_EQ(qtyConvertItemArrayD(kKilometer, kMeter, data.data(), 6, 1e-35), 1);
  EXPECT_EQ(data[0], 1e-35);
  EXPECT_EQ(data[1], 1000.0);
  EXPECT_EQ(data[2], 1e-35);
  EXPECT_EQ(data[3], -2000.0);
  EXPECT_TRUE(std::isnan(data[4]));
  EXPECT_EQ(data[5], 500.0);

  std::vector<float> floats = {-1e-35f, 20.0f, 100.0f, -1e-35f};
  ASSERT_EQ(qtyConvertItemArrayF(kCelsius, kFahrenheit, floats.data(), 4, -1e-35f), 1);
  EXPECT_EQ(floats[0], -1e-35f);
  EXPECT_FLOAT_EQ(floats[1], 68.0f);
  EXPECT_FLOAT_EQ(floats[2], 212.0f);
  EXPECT_EQ(floats[3], -1e-35f);
}

// A NaN delete value equals no element: every number is converted, and
// only the NaN elements keep their bits.
TEST_F(Convert, ANaNDeleteValueLeavesOnlyNaNElements) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> data(37, 2.0);
  data[5] = nan;
  ASSERT_EQ(qtyConvertItemArrayD(kKilometer, kMeter, data.data(), 37, nan), 1);
  for (size_t i = 0; i < data.size(); ++i) {
    if (i == 5) {
      EXPECT_TRUE(std::isnan(data[i]));
    } else {
      EXPECT_EQ(data[i], 2000.0) << i;
    }
  }
  std::vector<float> floats(37, 100.0f);
  floats[36] = std::numeric_limits<float>::quiet_NaN();
  ASSERT_EQ(qtyConvertItemArrayF(kCelsius, kKelvin, floats.data(), 37, floats[36]), 1);
  for (size_t i = 0; i + 1 < floats.size(); ++i) EXPECT_EQ(floats[i], 373.15f) << i;
  EXPECT_TRUE(std::isnan(floats[36]));
}

TEST_F(Convert, UserUnitArrays) {
  ASSERT_EQ(qtySetItemUserUnit(kWaterLevel, kFoot), 1);
  std::vector<double> data = {0.3048, -1e-255};
  ASSERT_EQ(qtyConvertItemArrayToUserUnitD(kWaterLevel, kMeter, data.data(), 2, -1e-255), 1);
  EXPECT_DOUBLE_EQ(data[0], 1.0);
  EXPECT_EQ(data[1], -1e-255);
  ASSERT_EQ(qtyConvertItemArrayFromUserUnitD(kWaterLevel, kMeter, data.data(), 2, -1e-255), 1);
  EXPECT_DOUBLE_EQ(data[0], 0.3048);
  std::vector<float> floats = {1.0f};
  ASSERT_EQ(qtyConvertItemArrayFromUserUnitF(kWaterLevel, kKilometer, floats.data(), 1, -1e-35f),
            1);
  EXPECT_FLOAT_EQ(floats[0], 0.0003048f);
  ASSERT_EQ(qtyConvertItemArrayToUserUnitF(kWaterLevel, kKilometer, floats.data(), 1, -1e-35f), 1);
  EXPECT_FLOAT_EQ(floats[0], 1.0f);
  EXPECT_EQ(qtyConvertItemArrayToUserUnitD(4711, kMeter, data.data(), 2, -1e-255), 0);
  EXPECT_EQ(qtyConvertItemArrayFromUserUnitF(kWaterLevel, kSecond, floats.data(), 1, -1e-35f), 0);
  ASSERT_EQ(qtySetItemUserUnit(kWaterLevel, kMeter), 1);
}

// Values of every kind the kernels may meet: random bit patterns (normal,
// subnormal, huge, infinite, NaN), the signed zeros, and everyday numbers.
std::vector<double> TestDoubles() {
  std::mt19937_64 random(20240611);
  std::vector<double> values;
  for (int i = 0; i < 200000; ++i) {
    const uint64_t bits = random();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    values.push_back(v);
  }
  std::uniform_real_distribution<double> everyday(-1e4, 1e4);
  for (int i = 0; i < 200000; ++i) values.push_back(everyday(random));
  for (double v : {0.0, -0.0, 1.0, -1.0, 4.9406564584124654e-324, 2.2250738585072014e-308,
                   1.7976931348623157e308, std::numeric_limits<double>::infinity()}) {
    values.push_back(v);
    values.push_back(-v);
  }
  return values;
}

// The plain formula, one element at a time.
double Plain(double v, double fa, double oa, double ob, double fb) {
  return (v * fa + oa - ob) / fb;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Factors {
  double fa, oa, ob, fb;
};

// Target factors 1 and powers of two (the kernels multiply by the exact
// reciprocal) and others (they divide); with and without offsets.
const Factors kCases[] = {
    {1000.0, 0.0, 0.0, 1.0},      {0.3048, 0.0, 0.0, 1.0},
    {1.0, 273.15, 0.0, 1.0},      {5.0 / 9.0, 255.37222222222223, 273.15, 1.0},
    {1.0, 0.0, 0.0, 1.0},         {0.3048, 0.0, 0.0, 0.25},
    {3.0, 1.5, -2.0, 1024.0},     {1.0, 0.0, 0.0, 0x1p-1000},
    {1e-3, 0.0, 0.0, 0x1p1000},   {7.0, 0.0, 0.0, -2.0},
    {1.0, 0.0, 0.0, 0x1p1023},    {1.0, 273.15, 0.0, 5.0 / 9.0},
    {0.45359237, 0.0, 0.0, 1e-3}, {1.0, 0.0, 0.0, 0.3048},
    {1.0, 0.0, 0.0, 0x1p-1074},   {1.0, 0.0, 0.0, 0.01},
    {1.0, 0.0, 0.0, 0.001},       {1.0, -0.0, 0.0, -0.01},
};

TEST(ConvertKernels, OnlyExactReciprocalsReplaceTheDivision) {
  EXPECT_TRUE(CLinearConversion(1, 0, 0, 1.0).UsesReciprocal());
  EXPECT_TRUE(CLinearConversion(1, 0, 0, 0.25).UsesReciprocal());
  EXPECT_TRUE(CLinearConversion(1, 0, 0, -1024.0).UsesReciprocal());
  EXPECT_TRUE(
      CLinearConversion(1, 0, 0, 0x1p1023).UsesReciprocal());  // 2^-1023 is subnormal but exact
  EXPECT_FALSE(CLinearConversion(1, 0, 0, 0x1p-1074).UsesReciprocal());  // 2^1074 overflows
  EXPECT_FALSE(CLinearConversion(1, 0, 0, 0.3048).UsesReciprocal());
  EXPECT_FALSE(CLinearConversion(1, 0, 0, 3.0).UsesReciprocal());
}

// Float values multiply by a short reciprocal (centi-, milli-) only for a
// pure change of scale; doubles keep the division.
TEST(ConvertKernels, FloatsMultiplyByAShortReciprocalOfAPureScale) {
  EXPECT_TRUE(CLinearConversion(1, 0, 0, 0.01).UsesReciprocalForFloats());
  EXPECT_TRUE(CLinearConversion(1, 0, 0, 0.001).UsesReciprocalForFloats());
  EXPECT_FALSE(CLinearConversion(1, 0, 0, 0.01).UsesReciprocal());
  EXPECT_FALSE(CLinearConversion(1, 0, 0, 0.3048).UsesReciprocalForFloats());
  EXPECT_FALSE(CLinearConversion(1, 0, 0, 1000.0).UsesReciprocalForFloats());
  EXPECT_FALSE(CLinearConversion(0.3048, 0, 0, 0.01).UsesReciprocalForFloats());
  EXPECT_FALSE(CLinearConversion(1, 273.15, 0, 0.01).UsesReciprocalForFloats());
}

using Kernel = CLinearConversion::Kernel;

// Every kernel this processor can run.
std::vector<Kernel> Kernels() {
  std::vector<Kernel> kernels;
  for (Kernel k : {Kernel::kScalar, Kernel::kAvx, Kernel::kAvx512}) {
    if (CLinearConversion::Supports(k)) kernels.push_back(k);
  }
  return kernels;
}

TEST(ConvertKernels, DoubleArraysMatchThePlainFormulaBitForBit) {
  const std::vector<double> input = TestDoubles();
  for (double deleteValue : {-1e-255, std::numeric_limits<double>::quiet_NaN()})
    for (Kernel kernel : Kernels())
      for (const Factors& f : kCases) {
        std::vector<double> data = input;
        CLinearConversion(f.fa, f.oa, f.ob, f.fb)
            .Apply(data.data(), static_cast<int>(data.size()), deleteValue, kernel);
        size_t mismatches = 0;
        for (size_t i = 0; i < input.size(); ++i) {
          const double v = input[i];
          const double expected =
              (std::isnan(v) || v == deleteValue) ? v : Plain(v, f.fa, f.oa, f.ob, f.fb);
          if (!SameBits(data[i], expected)) ++mismatches;
        }
        EXPECT_EQ(mismatches, 0u) << "delete " << deleteValue << " kernel "
                                  << static_cast<int>(kernel) << " fa=" << f.fa << " oa=" << f.oa
                                  << " ob=" << f.ob << " fb=" << f.fb;
      }
}

TEST(ConvertKernels, FloatArraysMatchThePlainFormulaBitForBit) {
  std::vector<float> input;
  for (double v : TestDoubles()) input.push_back(static_cast<float>(v));
  std::mt19937 random(7);
  for (int i = 0; i < 100000; ++i) {
    const uint32_t bits = random();
    float v;
    std::memcpy(&v, &bits, sizeof v);
    input.push_back(v);
  }
  input.push_back(-1e-35f);
  for (float deleteValue : {-1e-35f, std::numeric_limits<float>::quiet_NaN()})
    for (Kernel kernel : Kernels())
      for (const Factors& f : kCases) {
        std::vector<float> data = input;
        CLinearConversion(f.fa, f.oa, f.ob, f.fb)
            .Apply(data.data(), static_cast<int>(data.size()), deleteValue, kernel);
        size_t mismatches = 0;
        for (size_t i = 0; i < input.size(); ++i) {
          const float v = input[i];
          const float expected =
              (std::isnan(v) || v == deleteValue)
                  ? v
                  : static_cast<float>(Plain(static_cast<double>(v), f.fa, f.oa, f.ob, f.fb));
          if (!SameBits(data[i], expected)) ++mismatches;
        }
        EXPECT_EQ(mismatches, 0u) << "delete " << deleteValue << " kernel "
                                  << static_cast<int>(kernel) << " fa=" << f.fa << " fb=" << f.fb;
      }
}

TEST(ConvertKernels, ShortAndOddLengthsAreCovered) {
  for (Kernel kernel : Kernels())
    for (int n = 1; n < 40; ++n) {
      std::vector<double> data(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) data[static_cast<size_t>(i)] = i * 1.25 - 3.0;
      CLinearConversion(0.3048, 1.0, 0.0, 3.0).Apply(data.data(), n, 1e-35, kernel);
      for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(
            SameBits(data[static_cast<size_t>(i)], Plain(i * 1.25 - 3.0, 0.3048, 1.0, 0.0, 3.0)));
      }
    }
}

}  // namespace
