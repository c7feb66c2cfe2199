// The factors and offsets of the shipped table against UDUNITS-2, for every
// unit both know. UDUNITS-2 is an independent oracle here only; the library
// never uses it.
#include <gtest/gtest.h>
#include <udunits2.h>

#include <cmath>
#include <string>

#include "qty/CKVregistry.h"
#include "qty/CKVunit.h"
#include "qty_support.h"

namespace {

// Our unit ident (without "qtyU") and the same unit in UDUNITS-2's syntax.
struct Mapping {
  const char* ident;
  const char* udunits;
};

const Mapping kMappings[] = {
    {"meter", "m"},
    {"kilometer", "km"},
    {"centimeter", "cm"},
    {"millimeter", "mm"},
    {"micrometer", "um"},
    {"foot", "ft"},
    {"usSurveyFoot", "US_survey_foot"},
    {"inch", "in"},
    {"yard", "yd"},
    {"mile", "international_mile"},
    {"nauticalMile", "nautical_mile"},
    {"decimeter", "dm"},
    {"nanometer", "nm"},
    {"usSurveyMile", "US_statute_mile"},
    {"fathom", "6 ft"},
    {"mil", "mil"},
    {"squareMeter", "m2"},
    {"squareKilometer", "km2"},
    {"hectare", "hectare"},
    {"squareCentimeter", "cm2"},
    {"squareMillimeter", "mm2"},
    {"squareFoot", "ft2"},
    {"squareInch", "in2"},
    {"squareYard", "yd2"},
    {"squareMile", "international_mile2"},
    {"acre", "43560 ft2"},
    {"squareUsSurveyFoot", "US_survey_foot2"},
    {"darcy", "centipoise cm2/s/atm"},
    {"cubicMeter", "m3"},
    {"liter", "L"},
    {"milliliter", "mL"},
    {"millionCubicMeters", "1e6 m3"},
    {"cubicInch", "in3"},
    {"cubicFoot", "ft3"},
    {"usGallon", "231 in3"},
    {"acreFoot", "43560 ft3"},
    {"cubicYard", "yd3"},
    {"cubicCentimeter", "cm3"},
    {"kilogram", "kg"},
    {"gram", "g"},
    {"milligram", "mg"},
    {"microgram", "ug"},
    {"tonne", "tonne"},
    {"pound", "avoirdupois_pound"},
    {"ounce", "avoirdupois_pound/16"},
    {"shortTon", "short_ton"},
    {"longTon", "long_ton"},
    {"nanogram", "ng"},
    {"second", "s"},
    {"minute", "min"},
    {"hour", "h"},
    {"day", "day"},
    {"week", "week"},
    {"year", "365 day"},
    {"millisecond", "ms"},
    {"julianYear", "365.25 day"},
    {"kelvin", "K"},
    {"degreeCelsius", "degC"},
    {"degreeFahrenheit", "degF"},
    {"degreeRankine", "degR"},
    {"fraction", "1"},
    {"percent", "percent"},
    {"perMille", "1e-3"},
    {"partsPerMillion", "ppm"},
    {"partsPerBillion", "ppb"},
    {"radian", "rad"},
    {"degree", "arc_degree"},
    {"gradian", "grade"},
    {"arcMinute", "arc_minute"},
    {"arcSecond", "arc_second"},
    {"revolution", "revolution"},
    {"meterPerSecond", "m/s"},
    {"kilometerPerHour", "km/h"},
    {"footPerSecond", "ft/s"},
    {"knot", "knot"},
    {"milePerHour", "international_mile/h"},
    {"meterPerDay", "m/day"},
    {"millimeterPerDay", "mm/day"},
    {"millimeterPerHour", "mm/h"},
    {"inchPerHour", "in/h"},
    {"millimeterPerYear", "mm/(365 day)"},
    {"literPerSecondPerSquareKilometer", "L/s/km2"},
    {"meterPerSecondSquared", "m/s2"},
    {"standardGravity", "standard_free_fall"},
    {"galileo", "Gal"},
    {"newton", "N"},
    {"kilonewton", "kN"},
    {"poundForce", "force_pound"},
    {"kilogramForce", "kilogram_force"},
    {"dyne", "dyne"},
    {"kip", "kip"},
    {"pascal", "Pa"},
    {"hectopascal", "hPa"},
    {"kilopascal", "kPa"},
    {"megapascal", "MPa"},
    {"bar", "bar"},
    {"millibar", "mbar"},
    {"standardAtmosphere", "atm"},
    {"meterOfWater", "m H2O"},
    {"footOfWater", "ft H2O"},
    {"millimeterOfMercury", "mm Hg"},
    {"inchOfMercury", "in Hg"},
    {"poundForcePerSquareInch", "psi"},
    {"centimeterOfWater", "cm H2O"},
    {"torr", "atm/760"},
    {"technicalAtmosphere", "technical_atmosphere"},
    {"decibar", "dbar"},
    {"cubicMeterPerSecond", "m3/s"},
    {"literPerSecond", "L/s"},
    {"cubicMeterPerDay", "m3/day"},
    {"cubicFootPerSecond", "ft3/s"},
    {"usGallonPerMinute", "231 in3/min"},
    {"millionUsGallonsPerDay", "231e6 in3/day"},
    {"acreFootPerDay", "43560 ft3/day"},
    {"megaliterPerDay", "ML/day"},
    {"cubicMeterPerSecondPerMeter", "m2/s"},
    {"perSecond", "1/s"},
    {"hertz", "Hz"},
    {"perDay", "1/day"},
    {"joule", "J"},
    {"kilowattHour", "kW h"},
    {"calorie", "IT_calorie"},
    {"thermochemicalCalorie", "thermochemical_calorie"},
    {"britishThermalUnit", "IT_Btu"},
    {"erg", "erg"},
    {"footPoundForce", "ft force_pound"},
    {"watt", "W"},
    {"kilowatt", "kW"},
    {"horsepower", "550 ft force_pound/s"},
    {"metricHorsepower", "75 kilogram_force m/s"},
    {"btuPerHour", "IT_Btu/h"},
    {"wattPerSquareMeter", "W/m2"},
    {"langleyPerDay", "langley/day"},
    {"kilogramPerCubicMeter", "kg/m3"},
    {"milligramPerLiter", "mg/L"},
    {"microgramPerLiter", "ug/L"},
    {"gramPerCubicCentimeter", "g/cm3"},
    {"poundPerCubicFoot", "avoirdupois_pound/ft3"},
    {"sigmaDensity", "kg/m3 @ 1000"},
    {"kilogramPerSecond", "kg/s"},
    {"tonnePerYear", "tonne/(365 day)"},
    {"pascalSecond", "Pa s"},
    {"poise", "poise"},
    {"centipoise", "centipoise"},
    {"squareMeterPerSecond", "m2/s"},
    {"stokes", "St"},
    {"centistokes", "cSt"},
    {"squareFootPerDay", "ft2/day"},
    {"kilogramPerSquareMeter", "kg/m2"},
    {"tonnePerHectare", "tonne/hectare"},
    {"mole", "mol"},
    {"micromole", "umol"},
    {"millimolePerLiter", "mmol/L"},
    {"micromolePerKilogram", "umol/kg"},
    {"micromolePerSquareMeterPerSecond", "umol/m2/s"},
    {"ampere", "A"},
    {"volt", "V"},
    {"millivolt", "mV"},
    {"siemensPerMeter", "S/m"},
    {"microsiemensPerCentimeter", "uS/cm"},
    {"candela", "cd"},
    {"lux", "lx"},
    {"footCandle", "lumen/ft2"},
    {"joulePerSquareMeter", "J/m2"},
    {"newtonPerMeter", "N/m"},
    {"langley", "langley"},
    {"kilowattPerMeter", "kW/m"},
    {"joulePerKilogram", "J/kg"},
    {"wattPerKilogram", "W/kg"},
    {"perMeter", "1/m"},
    {"gramPerCubicMeterPerDay", "g/m3/day"},
    {"kelvinPerKilometer", "K/km"},
    {"joulePerKilogramKelvin", "J/kg/K"},
    {"btuPerPoundRankine", "IT_Btu/avoirdupois_pound/degR"},
    {"wattPerMeterKelvin", "W/m/K"},
    {"radianPerSecond", "rad/s"},
    {"revolutionPerMinute", "rpm"},
    {"kilogramPerSecondPerMeter", "kg/s/m"},
    {"squareMeterPerHertz", "m2/Hz"},
    {"perHundredMilliliters", "1/(100 mL)"},
};

// The SI unit of a dimension, as UDUNITS-2 text (integer powers only).
std::string SiUnitOf(const CKVdimension& dim) {
  static const char* const symbols[] = {"m", "kg", "s", "K", "A", "mol", "cd"};
  std::string text = "1";
  for (int i = 0; i < 7; ++i) {
    const double p = dim.Power(i);
    if (p == 0.0) continue;
    text += " " + std::string(symbols[i]) + "^" + std::to_string(static_cast<int>(p));
  }
  return text;
}

class UdunitsOracle : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(qtytest::LoadShippedTable());
    ut_set_error_message_handler(ut_ignore);
    system = ut_read_xml(nullptr);
  }
  static void TearDownTestSuite() {
    ut_free_system(system);
    system = nullptr;
  }
  static ut_system* system;
};
ut_system* UdunitsOracle::system = nullptr;

TEST_F(UdunitsOracle, FactorsAndOffsetsAgree) {
  if (!system) GTEST_SKIP() << "the UDUNITS-2 database is not installed";
  int compared = 0;
  for (const Mapping& m : kMappings) {
    const CKVunit* ours = QtyRegistry().FindUnit(std::string("qtyU") + m.ident);
    ASSERT_TRUE(ours) << m.ident;
    ut_unit* theirs = ut_parse(system, m.udunits, UT_ASCII);
    if (!theirs) {
      ADD_FAILURE() << "UDUNITS-2 does not know " << m.udunits;
      continue;
    }
    const std::string si = SiUnitOf(ours->GetDim());
    ut_unit* base = ut_parse(system, si.c_str(), UT_ASCII);
    ASSERT_TRUE(base) << si;
    cv_converter* converter = ut_get_converter(theirs, base);
    if (!converter) {
      ADD_FAILURE() << m.ident << ": " << m.udunits << " is not " << si;
      ut_free(base);
      ut_free(theirs);
      continue;
    }
    const double offset = cv_convert_double(converter, 0.0);
    const double factor = cv_convert_double(converter, 1.0) - offset;
    EXPECT_NEAR(ours->GetFactor(), factor, 1e-12 * std::fabs(factor)) << m.ident;
    EXPECT_NEAR(ours->GetOffset(), offset, 1e-12 * std::fabs(offset) + 1e-300) << m.ident;
    cv_free(converter);
    ut_free(base);
    ut_free(theirs);
    ++compared;
  }
  EXPECT_GE(compared, 150);
}

}  // namespace
