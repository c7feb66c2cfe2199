// Well-known texts shared by the text tests: a frame that takes the
// PROJECTION part, and ready-made projected and geographical systems.
#ifndef KVCART_TEST_WKTSAMPLES_H
#define KVCART_TEST_WKTSAMPLES_H

#include <ostream>
#include <string>

#include "base/CString.h"

// Lets failing expectations show a CString as text.
inline void PrintTo(const CString& s, std::ostream* os) {
  *os << '"' << std::string(s.GetString(), static_cast<size_t>(s.GetLength())) << '"';
}

namespace wkt_samples {

inline const std::string kGeogcsWgs84 =
    "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
    "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";

// A projected system on WGS 84 around the given PROJECTION and PARAMETER text.
inline std::string Projected(const std::string& projection, const std::string& parameters,
                             const std::string& unit = "UNIT[\"Meter\",1.0]") {
  return "PROJCS[\"Test\"," + kGeogcsWgs84 + ",PROJECTION[\"" + projection + "\"]," + parameters +
         "," + unit + "]";
}

inline std::string Param(const std::string& name, const std::string& value) {
  return "PARAMETER[\"" + name + "\"," + value + "]";
}

inline const std::string kUtm32 =
    Projected("Transverse_Mercator",
              Param("False_Easting", "500000.0") + "," + Param("False_Northing", "0.0") + "," +
                  Param("Central_Meridian", "9.0") + "," + Param("Scale_Factor", "0.9996") + "," +
                  Param("Latitude_Of_Origin", "0.0"));

}  // namespace wkt_samples

#endif
