#include "KvCart/text/CKvProjectionInfo.h"

#include <strings.h>

#include <cstring>
#include <utility>

#include "KvCart/text/CKvPRJParser.h"

namespace {

// Copies at most size - 1 bytes and always terminates: a longer name is cut
// rather than written past the array.
void CopyName(char* destination, int size, const char* source) {
  if (source == nullptr) source = "";
  const size_t length = strnlen(source, static_cast<size_t>(size - 1));
  std::memcpy(destination, source, length);
  destination[length] = '\0';
}

double FactorOf(CKvProjectionInfo::CAxis::EType type) {
  return type == CKvProjectionInfo::CAxis::eWest || type == CKvProjectionInfo::CAxis::eSouth ? -1.0
                                                                                             : 1.0;
}

bool IsNorthSouth(CKvProjectionInfo::CAxis::EType type) {
  return type == CKvProjectionInfo::CAxis::eNorth || type == CKvProjectionInfo::CAxis::eSouth;
}

}  // namespace

// --- CAxis ---------------------------------------------------------------------

CKvProjectionInfo::CAxis::CAxis() : m_type(eEast), m_factor(1.0), m_name{} {}

CKvProjectionInfo::CAxis::CAxis(EType type, const char* name) : CAxis() {
  SetProperties(type, name);
}

CKvProjectionInfo::CAxis::CAxis(const CAxis& other) : CAxis() { _copy(other); }

CKvProjectionInfo::CAxis& CKvProjectionInfo::CAxis::operator=(const CAxis& other) {
  _copy(other);
  return *this;
}

CKvProjectionInfo::CAxis::~CAxis() = default;

void CKvProjectionInfo::CAxis::SetProperties(EType type, const char* name) {
  m_type = type;
  if (type >= eEast && type <= eSouth) m_factor = FactorOf(type);
  CopyName(m_name, kAxisNameSize, name);
}

void CKvProjectionInfo::CAxis::_copy(const CAxis& other) {
  if (this == &other) return;
  m_type = other.m_type;
  m_factor = other.m_factor;
  std::memcpy(m_name, other.m_name, sizeof m_name);
}

CKvProjectionInfo::CAxis::EType CKvProjectionInfo::CAxis::StringToType(const char* direction) {
  if (direction == nullptr) return eEast;
  static constexpr std::pair<const char*, EType> kDirections[] = {
      {"EAST", eEast}, {"NORTH", eNorth}, {"WEST", eWest}, {"SOUTH", eSouth}};
  for (const auto& entry : kDirections) {
    if (strcasecmp(direction, entry.first) == 0) return entry.second;
  }
  return eEast;
}

// --- CKvProjectionInfo -----------------------------------------------------------

CKvProjectionInfo::CKvProjectionInfo()
    : m_projUnitFactor(CKvPRJParser::kUnset),
      m_angularUnitFactor(CKvPRJParser::kUnset),
      m_projUnitName{},
      m_angularUnitName{},
      m_firstAxis(CAxis::eEast, "Easting"),
      m_secondAxis(CAxis::eNorth, "Northing") {}

CKvProjectionInfo::CKvProjectionInfo(const CKvProjectionInfo& other) : CKvProjectionInfo() {
  _copy(other);
}

CKvProjectionInfo& CKvProjectionInfo::operator=(const CKvProjectionInfo& other) {
  _copy(other);
  return *this;
}

CKvProjectionInfo::~CKvProjectionInfo() = default;

void CKvProjectionInfo::_copy(const CKvProjectionInfo& other) {
  if (this == &other) return;
  m_projUnitFactor = other.m_projUnitFactor;
  m_angularUnitFactor = other.m_angularUnitFactor;
  std::memcpy(m_projUnitName, other.m_projUnitName, sizeof m_projUnitName);
  std::memcpy(m_angularUnitName, other.m_angularUnitName, sizeof m_angularUnitName);
  m_datumShift = other.m_datumShift;
  m_firstAxis = other.m_firstAxis;
  m_secondAxis = other.m_secondAxis;
}

void CKvProjectionInfo::SetProjectionInfo(const CKvPRJParser& record) {
  CString name, direction;
  record.GetProjUnit(name, m_projUnitFactor);
  CopyName(m_projUnitName, kUnitNameSize, name.GetString());
  record.GetAngularUnit(name, m_angularUnitFactor);
  CopyName(m_angularUnitName, kUnitNameSize, name.GetString());
  m_datumShift = record.GetDatumShift();
  record.GetAxisInfo(CKvPRJParser::eFirstAxis, name, direction);
  m_firstAxis.SetProperties(CAxis::StringToType(direction.GetString()), name.GetString());
  record.GetAxisInfo(CKvPRJParser::eSecondAxis, name, direction);
  m_secondAxis.SetProperties(CAxis::StringToType(direction.GetString()), name.GetString());
}

bool CKvProjectionInfo::GetProjUnit(double* factor, char* name) const {
  if (factor != nullptr) *factor = m_projUnitFactor;
  if (name != nullptr) std::memcpy(name, m_projUnitName, sizeof m_projUnitName);
  return CKvPRJParser::IsSet(m_projUnitFactor);
}

bool CKvProjectionInfo::GetAngularUnit(double* factor, char* name) const {
  if (factor != nullptr) *factor = m_angularUnitFactor;
  if (name != nullptr) std::memcpy(name, m_angularUnitName, sizeof m_angularUnitName);
  return CKvPRJParser::IsSet(m_angularUnitFactor);
}

void CKvProjectionInfo::GetAxisTypes(CAxis::EType* first, CAxis::EType* second) const {
  if (first != nullptr) *first = m_firstAxis.GetType();
  if (second != nullptr) *second = m_secondAxis.GetType();
}

int CKvProjectionInfo::Convert(double& x, double& y) const {
  x *= m_firstAxis.GetFactor();
  y *= m_secondAxis.GetFactor();
  const bool swapped = IsNorthSouth(m_firstAxis.GetType());
  if (swapped) std::swap(x, y);
  return swapped ? 1 : 0;
}

int CKvProjectionInfo::InvConvert(double& x, double& y) const {
  const bool swapped = IsNorthSouth(m_firstAxis.GetType());
  if (swapped) std::swap(x, y);
  x *= m_firstAxis.GetFactor();
  y *= m_secondAxis.GetFactor();
  return swapped ? 1 : 0;
}
