#include "KvCart/core/CKvDatumShift.h"

#include <cassert>

#include "KvCart/core/AngleMath.h"

CKvDatumShift::CKvDatumShift() { Reset(); }

CKvDatumShift::CKvDatumShift(const double* params) { SetParameters(params); }

CKvDatumShift::CKvDatumShift(ETypeOfDatumShift type, double dx, double dy, double dz, double rx,
                             double ry, double rz, double scale)
    : m_type(type), m_params{dx, dy, dz, rx, ry, rz, scale} {}

CKvDatumShift::~CKvDatumShift() = default;

void CKvDatumShift::SetParameters(const double* params) {
  for (int i = 0; i < 7; ++i) m_params[i] = params[i];
  bool rotatesOrScales =
      params[3] != 0.0 || params[4] != 0.0 || params[5] != 0.0 || params[6] != 0.0;
  bool translates = params[0] != 0.0 || params[1] != 0.0 || params[2] != 0.0;
  m_type = rotatesOrScales ? eSevenParameter : translates ? eThreeParameter : eNoShift;
}

void CKvDatumShift::Reset() {
  m_type = eNoShift;
  for (double& p : m_params) p = 0.0;
}

double& CKvDatumShift::operator[](long i) {
  assert(i >= 0 && i < 7 && "datum-shift parameter index in 0..6");
  return m_params[i];
}

double CKvDatumShift::operator[](long i) const {
  assert(i >= 0 && i < 7 && "datum-shift parameter index in 0..6");
  return m_params[i];
}

const char* CKvDatumShift::GetTypeAsText() const {
  switch (m_type) {
    case eNoShift: return "None";
    case eThreeParameter: return "3 parameter";
    case eSevenParameter: return "7 parameter";
  }
  return "";
}

// Only the parameters the type uses count: a three-parameter shift carries
// rotations that nothing applies.
bool CKvDatumShift::operator==(const CKvDatumShift& other) const {
  if (this == &other) return true;
  if (m_type != other.m_type) return false;
  int used = m_type == eThreeParameter ? 3 : m_type == eSevenParameter ? 7 : 0;
  for (int i = 0; i < used; ++i) {
    if (!kvcart::IsRelEqual(m_params[i], other.m_params[i])) return false;
  }
  return true;
}
