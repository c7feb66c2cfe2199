#include "qty/CKVunit.h"

#include <cmath>
#include <utility>

#include "qty/QtyAssert.h"

CKVunit::CKVunit(const std::string& key, const std::string& abbreviation, long id,
                 const double& factor, const CKVdimension& dim)
    : CKVunit(key, abbreviation, id, factor, 0.0, dim) {}

CKVunit::CKVunit(const std::string& key, const std::string& abbreviation, long id,
                 const double& factor, const double& offset, const CKVdimension& dim)
    : m_abbreviation(abbreviation),
      m_key(key),
      m_nId(id),
      m_pDimParent(&dim),
      m_dFactor(factor),
      m_dOffset(offset) {
  QTY_ASSERT(factor != 0.0 && "CKVunit: factor != 0");
  SetAllBaseFactors(1.0);
}

CKVunit::CKVunit(const std::string& key, const std::string& abbreviation, long id,
                 const CKVunit& src)
    : m_abbreviation(abbreviation),
      m_key(key),
      m_nId(id),
      m_pDimTemp(new CKVdimension(src.GetDim())),
      m_dFactor(src.GetFactor()) {
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) m_dBaseFactors[i] = src.m_dBaseFactors[i];
}

CKVunit::CKVunit(const std::string& key, const std::string& abbreviation, long id,
                 const CKVunit& src, const CKVdimension& dim)
    : m_abbreviation(abbreviation),
      m_key(key),
      m_nId(id),
      m_pDimParent(&dim),
      m_dFactor(src.GetFactor()) {
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) m_dBaseFactors[i] = src.m_dBaseFactors[i];
}

CKVunit::CKVunit(const CKVunit& src)
    : m_aliases(src.m_aliases),
      m_abbreviation(src.m_abbreviation),
      m_key(src.m_key),
      m_pDimParent(src.m_pDimParent),
      m_pDimTemp(src.m_pDimTemp ? new CKVdimension(*src.m_pDimTemp) : nullptr),
      m_dFactor(src.GetFactor()) {
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) m_dBaseFactors[i] = src.m_dBaseFactors[i];
}

CKVunit::CKVunit(CKVunit&& src) noexcept
    : m_aliases(std::move(src.m_aliases)),
      m_abbreviation(std::move(src.m_abbreviation)),
      m_key(std::move(src.m_key)),
      m_ident(std::move(src.m_ident)),
      m_expression(std::move(src.m_expression)),
      m_nId(src.m_nId),
      m_pDimParent(src.m_pDimParent),
      m_pDimTemp(std::exchange(src.m_pDimTemp, nullptr)),
      m_dFactor(src.m_dFactor),
      m_dOffset(src.m_dOffset) {
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) m_dBaseFactors[i] = src.m_dBaseFactors[i];
}

CKVunit::CKVunit(const double& factor, const CKVdimension& dim)
    : m_pDimTemp(new CKVdimension(dim)), m_dFactor(factor) {
  QTY_ASSERT(factor != 0.0 && "CKVunit: factor != 0");
  SetAllBaseFactors(1.0);
  const int type = dim.GetDimType();
  if (type >= 1 && type <= qty::kBaseDimensionCount) m_dBaseFactors[type - 1] = factor;
}

CKVunit::~CKVunit() { delete m_pDimTemp; }

void CKVunit::SetAllBaseFactors(double value) {
  for (double& f : m_dBaseFactors) f = value;
}

const CKVdimension& CKVunit::GetDim() const {
  AssertValid();
  return m_pDimParent ? *m_pDimParent : *m_pDimTemp;
}

double CKVunit::GetFactor() const {
  AssertValid();
  return m_dFactor;
}

void CKVunit::AssertValid() const {
  QTY_ASSERT((m_pDimParent == nullptr) != (m_pDimTemp == nullptr) &&
             "CKVunit: exactly one dimension pointer");
  QTY_ASSERT(m_dFactor != 0.0 && "CKVunit: factor != 0");
}

bool CKVunit::IsEqv(const CKVunit& other) const { return GetDim().IsEqv(other.GetDim()); }

bool CKVunit::IsEqv(const CKVdimension& dim) const { return GetDim().IsEqv(dim); }

bool CKVunit::IsAlias(const std::string& text) const {
  for (const std::string& alias : m_aliases) {
    if (alias == text) return true;
  }
  return false;
}

void CKVunit::SetAlias(const std::string& text) {
  std::string::size_type start = 0;
  while (start <= text.size()) {
    std::string::size_type end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) m_aliases.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

void CKVunit::GetFactors(double& length, double& mass, double& time, double& temp, double& current,
                         double& substance, double& luminous) const {
  length = m_dBaseFactors[0];
  mass = m_dBaseFactors[1];
  time = m_dBaseFactors[2];
  temp = m_dBaseFactors[3];
  current = m_dBaseFactors[4];
  substance = m_dBaseFactors[5];
  luminous = m_dBaseFactors[6];
}

void CKVunit::RemoveDesc() {
  m_aliases.clear();
  m_abbreviation.clear();
  m_key.clear();
  m_ident.clear();
}

namespace {

// The nameless result of a binary operation: its own dimension, the given
// factor and base-dimension factors.
CKVunit Combined(double factor, const CKVdimension& dim, const double (&baseFactors)[7]) {
  CKVunit result(factor, dim);
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) result.SetBaseFactor(i, baseFactors[i]);
  return result;
}

}  // namespace

CKVunit operator*(const CKVunit& a, const CKVunit& b) {
  double base[qty::kBaseDimensionCount];
  for (int i = 0; i < qty::kBaseDimensionCount; ++i)
    base[i] = a.GetBaseFactor(i) * b.GetBaseFactor(i);
  return Combined(a.GetFactor() * b.GetFactor(), a.GetDim() * b.GetDim(), base);
}

CKVunit operator/(const CKVunit& a, const CKVunit& b) {
  double base[qty::kBaseDimensionCount];
  for (int i = 0; i < qty::kBaseDimensionCount; ++i)
    base[i] = a.GetBaseFactor(i) / b.GetBaseFactor(i);
  return Combined(a.GetFactor() / b.GetFactor(), a.GetDim() / b.GetDim(), base);
}

CKVunit operator*(const CKVunit& unit, const double& x) {
  double base[qty::kBaseDimensionCount];
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) base[i] = unit.GetBaseFactor(i);
  const int type = unit.GetDim().GetDimType();
  if (type >= 1 && type <= qty::kBaseDimensionCount) base[type - 1] *= x;
  return Combined(unit.GetFactor() * x, unit.GetDim(), base);
}

CKVunit operator/(const CKVunit& unit, const double& x) {
  double base[qty::kBaseDimensionCount];
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) base[i] = unit.GetBaseFactor(i);
  const int type = unit.GetDim().GetDimType();
  if (type >= 1 && type <= qty::kBaseDimensionCount) base[type - 1] /= x;
  return Combined(unit.GetFactor() / x, unit.GetDim(), base);
}

CKVunit operator/(const double& x, const CKVunit& unit) {
  const CKVunit inverse(1.0 / unit.GetFactor(), unit.GetDim() ^ -1.0);
  return inverse * x;
}

CKVunit operator^(const CKVunit& unit, const double& power) {
  return CKVunit(std::pow(unit.GetFactor(), power), unit.GetDim() ^ power);
}
