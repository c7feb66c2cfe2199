// Flat interface: unit arithmetic with table look-up, and the integration
// and derivation factors.
#include <algorithm>
#include <cmath>
#include <memory>

#include "qty/FlatSupport.h"
#include "qty/QtyStatus.h"
#include "qty/qty.h"

using qty::Put;

namespace {

constexpr double kSameFactor = 1e-12;
constexpr double kSameScale = 1e-14;

bool IsUsableFactor(double f) { return f != 0.0 && std::isfinite(f); }

bool SameFactor(double a, double b) {
  if (a == b) return true;
  return std::fabs(a - b) / std::max(std::fabs(a), std::fabs(b)) <= kSameFactor;
}

// The first registered unit with dim and a non-zero id; 0 when none.
long BaseUnitOf(const CKVunitList& units, const CKVdimension& dim) {
  for (const CKVunit* unit : units) {
    if (unit->GetId() != 0 && unit->IsEqv(dim)) return unit->GetId();
  }
  return 0;
}

// Finds the base unit of t's dimension and a table unit equal to t.
QtyStatus LookUp(const CKVunit& t, int* result, int* base, double* factor) {
  const CKVunitList& units = QtyRegistry().UnitList();
  long baseId = 0;
  bool seen = false;
  for (const CKVunit* candidate : units) {
    if (!candidate->IsEqv(t)) continue;
    if (!seen) {
      seen = true;
      baseId = BaseUnitOf(units, candidate->GetDim());
      Put(base, baseId);
      Put(factor, t.GetFactor());
    }
    if (SameFactor(candidate->GetFactor(), t.GetFactor())) {
      Put(result, candidate->GetId());
      break;
    }
  }
  return baseId != 0 ? QtyStatus::eOk : QtyStatus::eNotFound;
}

void ResetLookUp(int* result, int* base, double* factor) {
  Put(factor, 1.0);
  Put(result, 0);
  Put(base, 0);
}

// Whether u matches the reference (factor f, base-dimension factors c)
// scaled by g: |1 - f / (f_u x s)| and |1 - c_i / (u_i x g_i)| both below
// 1e-14. `inverse` tests the reciprocal form used for the second unit.
bool MatchesScaled(const CKVunit& u, double f, const double (&c)[7], double s, const double (&g)[7],
                   bool inverse) {
  const double ratio = inverse ? s * f / u.GetFactor() : f / (u.GetFactor() * s);
  if (!(std::fabs(1.0 - ratio) < kSameScale)) return false;
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) {
    const double r =
        inverse ? c[i] * g[i] / u.GetBaseFactor(i) : c[i] / (u.GetBaseFactor(i) * g[i]);
    if (!(std::fabs(1.0 - r) < kSameScale)) return false;
  }
  return true;
}

long FindScaled(const CKVunit& reference, double s, const double (&g)[7], bool inverse) {
  double c[qty::kBaseDimensionCount];
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) c[i] = reference.GetBaseFactor(i);
  for (const CKVunit* u : QtyRegistry().UnitList()) {
    if (u->IsEqv(reference) && MatchesScaled(*u, reference.GetFactor(), c, s, g, inverse)) {
      return u->GetId();
    }
  }
  return 0;
}

// Integration (A x B) or derivation (A / B) of unit A over a unit B of one
// base dimension k, as described in qty.h.
QtyStatus IntegrateOrDerive(bool integrate, int unit, int over, int* first, int* second,
                            double* factor) {
  Put(first, unit);
  Put(second, 0);
  Put(factor, 1.0);
  const CKVregistry& registry = QtyRegistry();
  const CKVunit* a = registry.FindUnit(static_cast<long>(unit));
  const CKVunit* b = registry.FindUnit(static_cast<long>(over));
  if (!a || !b) return QtyStatus::eUnknownUnit;
  const int type = b->GetDim().GetDimType();
  if (type < 1 || type > qty::kBaseDimensionCount) return QtyStatus::eDimension;
  const int k = type - 1;
  const double p = a->GetDim().Power(k);
  if (p == 0.0) return QtyStatus::eDimension;
  const double fA = a->GetBaseFactor(k);
  const double fB = b->GetBaseFactor(k);
  const double s = integrate ? std::pow(fA, -1.0 / p) * fB : std::pow(fA, 1.0 / p) / fB;
  Put(factor, s);
  Put(first, 0);
  double g[qty::kBaseDimensionCount] = {1, 1, 1, 1, 1, 1, 1};
  g[k] = s;
  const double fC = integrate ? a->GetFactor() * b->GetFactor() : a->GetFactor() / b->GetFactor();
  if (!IsUsableFactor(fC) || !IsUsableFactor(s)) return QtyStatus::eOk;
  const CKVunit c = integrate ? *a * *b : *a / *b;
  Put(first, FindScaled(c, s, g, false));
  if (!IsUsableFactor(a->GetFactor() / fC)) return QtyStatus::eOk;
  const CKVunit d = *a / c;
  Put(second, FindScaled(d, s, g, true));
  return QtyStatus::eOk;
}

// Unit arithmetic with table look-up: the operands, then the result.
QtyStatus Combine(int unit1, int unit2, bool divide, int* result, int* base, double* factor) {
  ResetLookUp(result, base, factor);
  const CKVregistry& registry = QtyRegistry();
  const CKVunit* a = registry.FindUnit(static_cast<long>(unit1));
  const CKVunit* b = registry.FindUnit(static_cast<long>(unit2));
  if (!a || !b) return QtyStatus::eUnknownUnit;
  const double f = divide ? a->GetFactor() / b->GetFactor() : a->GetFactor() * b->GetFactor();
  if (!IsUsableFactor(f)) return QtyStatus::eNotFound;
  return LookUp(divide ? *a / *b : *a * *b, result, base, factor);
}

QtyStatus Power(int unit, int* result, int* base, double* factor, double power) {
  ResetLookUp(result, base, factor);
  const CKVunit* a = QtyRegistry().FindUnit(static_cast<long>(unit));
  if (!a) return QtyStatus::eUnknownUnit;
  if (!std::isfinite(power)) return QtyStatus::eArgument;
  if (!IsUsableFactor(std::pow(a->GetFactor(), power))) return QtyStatus::eNotFound;
  return LookUp(*a ^ power, result, base, factor);
}

}  // namespace

extern "C" {

int qtyUnitMultiply(int unit1, int unit2, int* result, int* base, double* factor) {
  return qty::Flat([&] { return Combine(unit1, unit2, false, result, base, factor); });
}

int qtyUnitDivide(int unit1, int unit2, int* result, int* base, double* factor) {
  return qty::Flat([&] { return Combine(unit1, unit2, true, result, base, factor); });
}

int qtyUnitPower(int unit, int* result, int* base, double* factor, double power) {
  return qty::Flat([&] { return Power(unit, result, base, factor, power); });
}

int qtyUnitGetIntegrationFactor(int unit, int over, int* product, int* inverse, double* factor) {
  return qty::Flat([&] { return IntegrateOrDerive(true, unit, over, product, inverse, factor); });
}

int qtyUnitGetDerivationFactor(int unit, int over, int* quotient, int* same, double* factor) {
  return qty::Flat([&] { return IntegrateOrDerive(false, unit, over, quotient, same, factor); });
}

}  // extern "C"
