// Shared set-up of the tests that use the process-wide registry: the
// shipped table, loaded once through the default location.
#ifndef KORACORE_TESTS_QTY_QTY_SUPPORT_H
#define KORACORE_TESTS_QTY_QTY_SUPPORT_H

#include <cstdlib>
#include <string>

#include "qty/qty.h"

namespace qtytest {

// Ids of the shipped table the tests use (permanent: data files store them).
constexpr int kMeter = 1000;
constexpr int kKilometer = 1001;
constexpr int kFoot = 1005;
constexpr int kSquareMeter = 1100;
constexpr int kSecond = 1400;
constexpr int kHour = 1402;
constexpr int kKelvin = 1500;
constexpr int kCelsius = 1501;
constexpr int kFahrenheit = 1502;
constexpr int kMeterPerSecond = 1800;
constexpr int kKilometerPerHour = 1801;
constexpr int kWaterLevel = 100000;
constexpr int kDischarge = 100200;

// Sets or clears an environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    m_had = old != nullptr;
    if (m_had) m_old = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (m_had) {
      setenv(m_name.c_str(), m_old.c_str(), 1);
    } else {
      unsetenv(m_name.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string m_name;
  std::string m_old;
  bool m_had = false;
};

// An idents list of qtyUnitGetAll, qtyItemTypeGetAll or qtyFilterGetAll,
// freed when the test leaves the scope.
class IdentList {
 public:
  IdentList() = default;
  ~IdentList() { std::free(m_text); }
  IdentList(const IdentList&) = delete;
  IdentList& operator=(const IdentList&) = delete;
  // Where the call puts the list; a list held before is freed first.
  char** Out() {
    std::free(m_text);
    m_text = nullptr;
    return &m_text;
  }
  const char* Get() const { return m_text; }

 private:
  char* m_text = nullptr;
};

inline std::string ShippedTable() { return std::string(KORACORE_SOURCE_DIR) + "/data/QTY.xml"; }

// Loads the shipped table into the process-wide registry (idempotent).
inline bool LoadShippedTable() { return qtySetupLoad(ShippedTable().c_str()) == 1; }

}  // namespace qtytest

#endif
