#include "qty/CKVdimension.h"

namespace {

// One base dimension: exponent 1 at `position`, 0 elsewhere (-1: none).
const CKVdimension& SharedBase(int position) {
  // Indexed by position + 1 so that slot 0 is the non-dimensional one.
  static const CKVdimension* const instances[qty::kBaseDimensionCount + 1] = {
      new CKVdimension(0, 0, 0, 0, 0, 0, 0), new CKVdimension(1, 0, 0, 0, 0, 0, 0),
      new CKVdimension(0, 1, 0, 0, 0, 0, 0), new CKVdimension(0, 0, 1, 0, 0, 0, 0),
      new CKVdimension(0, 0, 0, 1, 0, 0, 0), new CKVdimension(0, 0, 0, 0, 1, 0, 0),
      new CKVdimension(0, 0, 0, 0, 0, 1, 0), new CKVdimension(0, 0, 0, 0, 0, 0, 1)};
  return *instances[position + 1];
}

}  // namespace

CKVdimension::CKVdimension(const double& length, const double& mass, const double& time,
                           const double& temp, const double& current, const double& substance,
                           const double& luminous)
    : m_dPowers{length, mass, time, temp, current, substance, luminous} {}

CKVdimension::CKVdimension(const CKVdimension& other) = default;
CKVdimension& CKVdimension::operator=(const CKVdimension& other) = default;
CKVdimension::~CKVdimension() = default;

void CKVdimension::GetPowers(double& length, double& mass, double& time, double& temp,
                             double& current, double& substance, double& luminous) const {
  length = m_dPowers[0];
  mass = m_dPowers[1];
  time = m_dPowers[2];
  temp = m_dPowers[3];
  current = m_dPowers[4];
  substance = m_dPowers[5];
  luminous = m_dPowers[6];
}

bool CKVdimension::IsEqv(const CKVdimension& other) const {
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) {
    if (m_dPowers[i] != other.m_dPowers[i]) return false;
  }
  return true;
}

int CKVdimension::GetDimType() const {
  int type = 0;
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) {
    if (m_dPowers[i] == 0.0) continue;
    if (type != 0) return 8;
    type = i + 1;
  }
  return type;
}

const CKVdimension& CKVdimension::GetNonDim() { return SharedBase(-1); }
const CKVdimension& CKVdimension::GetLength() { return SharedBase(0); }
const CKVdimension& CKVdimension::GetMass() { return SharedBase(1); }
const CKVdimension& CKVdimension::GetTime() { return SharedBase(2); }
const CKVdimension& CKVdimension::GetTemp() { return SharedBase(3); }
const CKVdimension& CKVdimension::GetCurr() { return SharedBase(4); }
const CKVdimension& CKVdimension::GetSubs() { return SharedBase(5); }
const CKVdimension& CKVdimension::GetLumi() { return SharedBase(6); }

CKVdimension operator*(const CKVdimension& a, const CKVdimension& b) {
  return CKVdimension(a.Power(0) + b.Power(0), a.Power(1) + b.Power(1), a.Power(2) + b.Power(2),
                      a.Power(3) + b.Power(3), a.Power(4) + b.Power(4), a.Power(5) + b.Power(5),
                      a.Power(6) + b.Power(6));
}

CKVdimension operator/(const CKVdimension& a, const CKVdimension& b) {
  return CKVdimension(a.Power(0) - b.Power(0), a.Power(1) - b.Power(1), a.Power(2) - b.Power(2),
                      a.Power(3) - b.Power(3), a.Power(4) - b.Power(4), a.Power(5) - b.Power(5),
                      a.Power(6) - b.Power(6));
}

CKVdimension operator^(const CKVdimension& a, const double& power) {
  return CKVdimension(a.Power(0) * power, a.Power(1) * power, a.Power(2) * power,
                      a.Power(3) * power, a.Power(4) * power, a.Power(5) * power,
                      a.Power(6) * power);
}
