// Hostile and broken well-known text: every reader returns, reads nothing
// from outside the text, and takes time linear in its length (a quadratic
// reader would take minutes on the megabyte cases here).
#include <gtest/gtest.h>

#include <string>

#include "KvCart/text/CKvPRJParser.h"
#include "WktSamples.h"

namespace {

// Runs every reader over the text; returns what Parse said.
bool ReadEverything(const CString& text) {
  CKvPRJParser p(text);
  const bool parsed = p.Parse(true);
  CString name, word, readable;
  double value = 0.0;
  CKvPRJParser::ShortName(text);
  CKvPRJParser::GetNameParam(text, "UNIT", name, value);
  CKvPRJParser::GetNameParam(text, "AXIS", name, word);
  CKvPRJParser::GetParam(text, "False_Easting", 0.0);
  CKvPRJParser::FormatAsReadableWKT(text, readable);
  CString written;
  p.Format(written);
  return parsed;
}

CString WithZeroBytes(const std::string& text) {
  CString s;
  s.SetString(text.data(), static_cast<int>(text.size()));
  return s;
}

}  // namespace

TEST(PrjMalformed, BrokenTextsAreRejected) {
  const std::string utm = wkt_samples::kUtm32;
  const std::string cases[] = {
      utm.substr(0, utm.size() - 1),                               // last bracket missing
      utm.substr(0, utm.find("PROJECTION")),                       // cut in the middle
      "PROJCS[\"a\",GEOGCS[\"b\",UNIT[\"Degree\",]],PROJECTION]",  // keyword, no name
      "PROJCS[,GEOGCS[,DATUM[,SPHEROID[,,]],UNIT[,]],PROJECTION[,],UNIT[,]]",
      "PROJCS[[[[,,,,,]]]]",
      "GEOGCS[\"a\",UNIT[\"Degree\",1e999]]",  // not finite
      "GEOGCS[\"a\",UNIT[\"Degree\",nan]]",
      "GEOGCS[\"a\",UNIT[\"Degree\",abc]]",
      "]PROJCS[\"a\",[,]",
      "GEOGCS[\"a\",\"\",\"\",UNIT",  // keyword at the very end
  };
  for (const std::string& text : cases) EXPECT_FALSE(ReadEverything(text.c_str())) << text;
}

TEST(PrjMalformed, EmptyNamesStayEmpty) {
  CKvPRJParser p(
      "GEOGCS[\"\",DATUM[\"\",SPHEROID[\"\",6378137,298.257223563]],"
      "PRIMEM[\"\",0],UNIT[\"\",0.0174532925199433]]");
  ASSERT_TRUE(p.Parse(false));
  EXPECT_EQ(p.GetGeoCSname(), "");
  EXPECT_EQ(p.GetDatum(), "");
  CString name;
  double a = 0, invF = 0;
  p.GetEllipsoid(name, a, invF);
  EXPECT_EQ(name, "");
  EXPECT_EQ(a, 6378137.0);
  EXPECT_EQ(invF, 298.257223563);
}

TEST(PrjMalformed, MissingParameterValueIsNotZero) {
  std::string text = wkt_samples::kUtm32;
  text.replace(text.find("500000.0"), 8, "");
  CKvPRJParser p(text.c_str());
  EXPECT_FALSE(p.Parse(false));
  EXPECT_FALSE(CKvPRJParser::IsSet(p.GetFalseEasting()));
  EXPECT_EQ(p.GetCentralMeridian(), 9.0);
}

TEST(PrjMalformed, ZeroBytesEndNothingEarly) {
  std::string text = wkt_samples::kUtm32;
  text.insert(text.find("Transverse_Mercator"), std::string("\0", 1));
  EXPECT_FALSE(ReadEverything(WithZeroBytes(text)));  // no kind has that name

  std::string inName = wkt_samples::kUtm32;
  inName.insert(inName.find("Test") + 2, std::string("\0", 1));
  CKvPRJParser p(WithZeroBytes(inName));
  EXPECT_TRUE(p.Parse(false));
  EXPECT_EQ(p.GetProjCSname().GetLength(), 5);
}

TEST(PrjMalformed, MegabyteTextsTakeLinearTime) {
  const int kMegabyte = 1 << 20;
  std::string longName = wkt_samples::kUtm32;
  longName.insert(longName.find("Test"), std::string(kMegabyte, 'n'));
  CKvPRJParser named(longName.c_str());
  EXPECT_TRUE(named.Parse(false));
  EXPECT_EQ(named.GetProjCSname().GetLength(), kMegabyte + 4);

  std::string nested;
  for (int i = 0; i < kMegabyte / 4; ++i) nested += "A[,";
  nested = "PROJCS[" + nested + std::string(kMegabyte / 4, ']') + "]";
  EXPECT_FALSE(ReadEverything(nested.c_str()));
  CString readable;
  CKvPRJParser::FormatAsReadableWKT(nested.c_str(), readable);
  EXPECT_LT(readable.GetLength(), 80 * static_cast<int>(nested.size()));

  std::string commas = "GEOGCS[" + std::string(kMegabyte, ',') + "UNIT]";
  EXPECT_FALSE(ReadEverything(commas.c_str()));

  std::string parameters;
  for (int i = 0; i < kMegabyte / 32; ++i) parameters += "PARAMETER[\"x\",1],";
  std::string many = wkt_samples::kUtm32;
  many.insert(many.find("PARAMETER"), parameters);
  EXPECT_TRUE(ReadEverything(many.c_str()));
}
