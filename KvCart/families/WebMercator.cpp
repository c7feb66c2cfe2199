#include "KvCart/families/WebMercator.h"

#include <string>

#include "KvCart/text/CKvPRJParser.h"
#include "KvCart/text/WktNumber.h"

namespace kvcart {

namespace {

constexpr char kExtension[] = "EXTENSION[\"PROJ4\",\"";

// The value of "+key=" in a PROJ.4 string, or -1e-35 when absent.
double Term(const std::string& proj4, const char* key) {
  std::string::size_type at = proj4.find(key);
  if (at == std::string::npos) return CKvPRJParser::kUnset;
  return ParseWktNumber(proj4.c_str() + at + std::char_traits<char>::length(key));
}

// The PROJ.4 string of GDAL's extension element, or "".
std::string Proj4Extension(const CString& text) {
  const std::string source = text.GetString();
  std::string::size_type start = source.find(kExtension);
  if (start == std::string::npos) return "";
  start += std::char_traits<char>::length(kExtension);
  std::string::size_type end = source.find('"', start);
  return end == std::string::npos ? "" : source.substr(start, end - start);
}

}  // namespace

EWebMercatorForm WebMercatorOf(const CKvPRJParser& parser, double* radius) {
  CString name;
  double a = CKvPRJParser::kUnset, invF = 0.0;
  parser.GetEllipsoid(name, a, invF);
  if (parser.GetProjectionTypeName().CompareNoCase("Mercator_Auxiliary_Sphere") == 0) {
    if (CKvPRJParser::GetParam(parser.GetSourceText(), "Auxiliary_Sphere_Type", 0.0) != 0.0) {
      return eOtherAuxiliarySphere;
    }
    *radius = a;
    return eWebMercator;
  }
  const std::string proj4 = Proj4Extension(parser.GetSourceText());
  if (proj4.find("+proj=merc") == std::string::npos) return eNotWebMercator;
  const double sphereR = Term(proj4, "+R=");
  const double extensionA = Term(proj4, "+a="), extensionB = Term(proj4, "+b=");
  if (CKvPRJParser::IsSet(sphereR)) {
    *radius = sphereR;
  } else if (CKvPRJParser::IsSet(extensionA) && extensionA == extensionB) {
    *radius = extensionA;
  } else {
    return eNotWebMercator;
  }
  return eWebMercator;
}

}  // namespace kvcart
