// Flat interface: units, their names and enumeration, and new units.
#include <climits>
#include <memory>

#include "qty/FlatSupport.h"
#include "qty/UnitExpression.h"
#include "qty/qty.h"

using qty::Put;

namespace {

CKVunit* FindUnit(int id) { return QtyRegistry().FindUnit(static_cast<long>(id)); }

// The enumeration functions remember where they found their last unit, so
// that walking the whole list costs one step per call.
struct EnumerationCursor {
  size_t position = 0;
  long id = 0;
  bool valid = false;
};

// Index in the unit list just after the unit `previous` (0: the start);
// false when previous is not registered.
bool PositionAfter(const CKVunitList& units, int previous, EnumerationCursor& cursor,
                   size_t& position) {
  if (previous == 0) {
    position = 0;
    return true;
  }
  if (cursor.valid && cursor.id == previous && cursor.position < units.size() &&
      units[cursor.position]->GetId() == previous) {
    position = cursor.position + 1;
    return true;
  }
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i]->GetId() == previous) {
      position = i + 1;
      return true;
    }
  }
  return false;
}

void Remember(EnumerationCursor& cursor, size_t position, const CKVunit& unit) {
  cursor.position = position;
  cursor.id = unit.GetId();
  cursor.valid = true;
}

EnumerationCursor g_nextUnit;
EnumerationCursor g_nextEqvUnit;

}  // namespace

extern "C" {

int qtyGetUnitKey(int unit, const char** key) {
  const CKVunit* found = FindUnit(unit);
  if (!found) return 0;
  Put(key, found->GetKey().c_str());
  return 1;
}

int qtyGetUnitIdent(int unit, const char** ident) {
  const CKVunit* found = FindUnit(unit);
  if (!found) return 0;
  Put(ident, found->GetIdent().c_str());
  return 1;
}

int qtyGetUnitAbbreviation(int unit, const char** abbreviation) {
  const CKVunit* found = FindUnit(unit);
  if (!found) return 0;
  Put(abbreviation, found->GetAbbreviation().c_str());
  return 1;
}

int qtyGetUnitTag(const char* key, int* unit) {
  Put(unit, 0);
  if (!key) return 0;
  for (const CKVunit* candidate : QtyRegistry().UnitList()) {
    if (!qty::KeyMatches(candidate->GetKey(), key) && !candidate->IsAlias(key)) continue;
    Put(unit, candidate->GetId());
    return candidate->GetId() != 0 ? 1 : 0;
  }
  return 0;
}

int qtyGetUnitTagFromIdent(const char* ident, int* unit) {
  if (!ident) return 0;
  const CKVunit* found = QtyRegistry().FindUnit(std::string(ident));
  if (!found) return 0;
  Put(unit, found->GetId());
  return 1;
}

int qtyUnitsEqv(int unit1, int unit2) {
  const CKVregistry& registry = QtyRegistry();
  const CKVunit* a = qty::ConvertibleUnit(registry, unit1);
  const CKVunit* b = qty::ConvertibleUnit(registry, unit2);
  return a && b && a->IsEqv(*b) ? 1 : 0;
}

int qtyGetBaseUnit(int unit, int* base, const char** key) {
  const CKVunit* found = FindUnit(unit);
  if (!found) return 0;
  for (const CKVunit* candidate : QtyRegistry().UnitList()) {
    if (candidate->GetId() == 0 || !candidate->IsEqv(*found)) continue;
    Put(base, candidate->GetId());
    Put(key, candidate->GetKey().c_str());
    return 1;
  }
  return 0;
}

int qtyGetNextUnit(int previous, int* unit, const char** key) {
  const CKVunitList& units = QtyRegistry().UnitList();
  size_t position = 0;
  if (!PositionAfter(units, previous, g_nextUnit, position) || position >= units.size()) return 0;
  const CKVunit* next = units[position];
  Remember(g_nextUnit, position, *next);
  Put(unit, next->GetId());
  Put(key, next->GetKey().c_str());
  return 1;
}

int qtyGetNextEqvUnit(int unit, int previous, int* next, const char** key) {
  const CKVunit* reference = FindUnit(unit);
  if (!reference) return 0;
  const CKVunitList& units = QtyRegistry().UnitList();
  size_t position = 0;
  if (!PositionAfter(units, previous, g_nextEqvUnit, position)) return 0;
  for (; position < units.size(); ++position) {
    const CKVunit* candidate = units[position];
    if (candidate->GetId() == 0 || !candidate->IsEqv(*reference)) continue;
    Remember(g_nextEqvUnit, position, *candidate);
    Put(next, candidate->GetId());
    Put(key, candidate->GetKey().c_str());
    return 1;
  }
  return 0;
}

int qtyUnitGetParameters(int unit, double* factor, double* offset, double powers[7],
                         double factors[7]) {
  const CKVunit* found = FindUnit(unit);
  if (!found) return 0;
  Put(factor, found->GetFactor());
  Put(offset, found->GetOffset());
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) {
    if (powers) powers[i] = found->GetDim().Power(i);
    if (factors) factors[i] = found->GetBaseFactor(i);
  }
  return 1;
}

int qtyUnitGetAll(char** list) { return qty::JoinIdents(QtyRegistry().UnitList(), list) ? 1 : 0; }

int qtyUnitNew(const char* ident, const char* key, const char* abbreviation,
               const char* expression) {
  if (!ident || !*ident || !expression) return 0;
  CKVregistry& registry = QtyRegistry();
  if (registry.FindUnit(std::string(ident))) return 0;
  CKVunit* made = nullptr;
  double* number = nullptr;
  if (!bEvaluateExpression(registry, expression, &made, &number)) return 0;
  delete number;
  if (!made) return 0;
  std::unique_ptr<CKVunit> unit(made);
  unit->SetIdent(ident);
  unit->SetKey(key ? key : "");
  unit->SetAbbreviation(abbreviation ? abbreviation : "");
  unit->SetExpression(expression);
  const long id = registry.NextUnitId();
  if (id > INT_MAX) return 0;
  unit->SetId(id);
  if (!registry.AddUnit(unit.get(), false)) return 0;
  unit.release();
  return 1;
}

}  // extern "C"
