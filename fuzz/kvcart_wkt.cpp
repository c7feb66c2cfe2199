// The well-known-text parser and the facade built from the same text:
// formatting back, the PROJ.4 translation, and a point taken forward and
// back. Definitions named in a text come from the shipped database.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "KvCart/facade/CKvMapProjection.h"
#include "KvCart/facade/CKvProjTranslator.h"
#include "KvCart/facade/KvCartFlat.h"
#include "KvCart/text/CKvPRJParser.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // No custom folder: nothing is ever written back at exit.
  CARTSETUPLINUX(KORACORE_SOURCE_DIR "/data/", "/nonexistent-koracore-fuzz/");
  return 0;
}

namespace {

void ParseAndFormat(const std::string& text) {
  CKvPRJParser parser(text.c_str());
  if (parser.Parse(false)) {
    CString formatted;
    parser.Format(formatted);
    char small[64];
    parser.Format(small, sizeof small);
    int count = parser.GetNoOfParameters();
    for (int i = 0; i < count && i < 64; ++i) {
      CString name, unitName;
      double value = 0, unitFactor = 0;
      parser.GetParameter(i, name, value, unitName, unitFactor);
    }
  }
  CString readable;
  CKvPRJParser::FormatAsReadableWKT(text.c_str(), readable);
}

void ConvertPoint(const std::string& text) {
  try {
    CKvMapProjection projection(text);
    double x = 0, y = 0, lon = 0, lat = 0;
    projection.Geo2Proj(9.5, 55.5, &x, &y);
    projection.Proj2Geo(x, y, &lon, &lat);
    projection.GetConvergence(9.5, 55.5);
  } catch (const std::out_of_range&) {
    // The bare word "UTM" names no zone; the facade says so by throwing.
  }
  CKvProjTranslator translator;
  translator.Convert2Proj4(text, nullptr, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ParseAndFormat(text);
  ConvertPoint(text);
  return 0;
}
