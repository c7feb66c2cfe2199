// Shared by the facade tests: the process-wide database, filled once per
// test process from the shipped data folder (custom files go to the
// process's scratch folder), and scope guards for flat handles.
#ifndef KORACORE_TESTS_KVCART_FACADE_SUPPORT_H
#define KORACORE_TESTS_KVCART_FACADE_SUPPORT_H

#include <charconv>
#include <string>

#include "KvCart/facade/KvCartFlat.h"

namespace kvtest {

inline std::string DataDir() { return std::string(KORACORE_SOURCE_DIR) + "/data/"; }

// The database holds the shipped definitions from the first call on.
inline void EnsureDatabase() {
  static const bool filled = [] {
    const std::string custom = std::string(KORACORE_TEST_WORK_DIR) + "/";
    return CARTSETUPLINUX(DataDir().c_str(), custom.c_str()) == 0;
  }();
  (void)filled;
}

// Destroys a flat handle when the scope ends, whatever an assertion did.
template <int (*Destroy)(void**, int*)>
class Handle {
 public:
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    int status = 0;
    if (m_handle != nullptr) Destroy(&m_handle, &status);
  }
  void** Out() { return &m_handle; }
  void* Get() const { return m_handle; }

 private:
  void* m_handle = nullptr;
};

using Cartography = Handle<C_KVC_DESTROY>;
using MapProjection = Handle<C_KVMP_DESTROY>;
using DatumConverter = Handle<C_KVDC_DESTROY>;

// A number as text, independent of the process locale.
inline std::string Num(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// The well-known text of a transverse Mercator system (metres, degrees),
// optionally with a datum shift and axes.
inline std::string TmWkt(const std::string& name, const std::string& spheroid, double a,
                         double invF, double centralMeridian, const std::string& extra = "",
                         const std::string& axes = "") {
  return "PROJCS[\"" + name + "\",GEOGCS[\"GCS\",DATUM[\"D\",SPHEROID[\"" + spheroid + "\"," +
         Num(a) + "," + Num(invF) + "]" + extra +
         "],PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.0174532925199433]],"
         "PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"False_Easting\",500000],"
         "PARAMETER[\"False_Northing\",0],PARAMETER[\"Central_Meridian\"," +
         Num(centralMeridian) +
         "],PARAMETER[\"Scale_Factor\",0.9996],PARAMETER[\"Latitude_Of_Origin\",0],"
         "UNIT[\"Meter\",1]" +
         axes + "]";
}

}  // namespace kvtest

#endif
