// Flat interface: units, their names and enumeration, and new units.
#include <climits>
#include <memory>

#include "qty/FlatSupport.h"
#include "qty/QtyStatus.h"
#include "qty/UnitExpression.h"
#include "qty/qty.h"

using qty::Put;

namespace {

CKVunit* FindUnit(int id) { return QtyRegistry().FindUnit(static_cast<long>(id)); }

using Text = const std::string& (CKVunit::*)() const;

// One of the unit's texts (key, ident, abbreviation).
QtyStatus UnitText(int unit, Text text, const char** out) {
  const CKVunit* found = FindUnit(unit);
  if (!found) return QtyStatus::eUnknownUnit;
  Put(out, (found->*text)().c_str());
  return QtyStatus::eOk;
}

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

QtyStatus UnitTag(const char* key, int* unit) {
  Put(unit, 0);
  if (!key) return QtyStatus::eArgument;
  for (const CKVunit* candidate : QtyRegistry().UnitList()) {
    if (!qty::KeyMatches(candidate->GetKey(), key) && !candidate->IsAlias(key)) continue;
    Put(unit, candidate->GetId());
    return candidate->GetId() != 0 ? QtyStatus::eOk : QtyStatus::eUnknownUnit;
  }
  return QtyStatus::eUnknownUnit;
}

QtyStatus UnitTagFromIdent(const char* ident, int* unit) {
  if (!ident) return QtyStatus::eArgument;
  const CKVunit* found = QtyRegistry().FindUnit(std::string(ident));
  if (!found) return QtyStatus::eUnknownUnit;
  Put(unit, found->GetId());
  return QtyStatus::eOk;
}

QtyStatus UnitsEqv(int unit1, int unit2) {
  const CKVregistry& registry = QtyRegistry();
  const CKVunit* a = qty::ConvertibleUnit(registry, unit1);
  const CKVunit* b = qty::ConvertibleUnit(registry, unit2);
  if (!a || !b) return QtyStatus::eUnknownUnit;
  return a->IsEqv(*b) ? QtyStatus::eOk : QtyStatus::eDimension;
}

QtyStatus BaseUnit(int unit, int* base, const char** key) {
  const CKVunit* found = FindUnit(unit);
  if (!found) return QtyStatus::eUnknownUnit;
  for (const CKVunit* candidate : QtyRegistry().UnitList()) {
    if (candidate->GetId() == 0 || !candidate->IsEqv(*found)) continue;
    Put(base, candidate->GetId());
    Put(key, candidate->GetKey().c_str());
    return QtyStatus::eOk;
  }
  return QtyStatus::eNotFound;
}

QtyStatus NextUnit(int previous, int* unit, const char** key) {
  const CKVunitList& units = QtyRegistry().UnitList();
  size_t position = 0;
  if (!PositionAfter(units, previous, g_nextUnit, position)) return QtyStatus::eUnknownUnit;
  if (position >= units.size()) return QtyStatus::ePosition;
  const CKVunit* next = units[position];
  Remember(g_nextUnit, position, *next);
  Put(unit, next->GetId());
  Put(key, next->GetKey().c_str());
  return QtyStatus::eOk;
}

QtyStatus NextEqvUnit(int unit, int previous, int* next, const char** key) {
  const CKVunit* reference = FindUnit(unit);
  if (!reference) return QtyStatus::eUnknownUnit;
  const CKVunitList& units = QtyRegistry().UnitList();
  size_t position = 0;
  if (!PositionAfter(units, previous, g_nextEqvUnit, position)) return QtyStatus::eUnknownUnit;
  for (; position < units.size(); ++position) {
    const CKVunit* candidate = units[position];
    if (candidate->GetId() == 0 || !candidate->IsEqv(*reference)) continue;
    Remember(g_nextEqvUnit, position, *candidate);
    Put(next, candidate->GetId());
    Put(key, candidate->GetKey().c_str());
    return QtyStatus::eOk;
  }
  return QtyStatus::ePosition;
}

QtyStatus Parameters(int unit, double* factor, double* offset, double powers[7],
                     double factors[7]) {
  const CKVunit* found = FindUnit(unit);
  if (!found) return QtyStatus::eUnknownUnit;
  Put(factor, found->GetFactor());
  Put(offset, found->GetOffset());
  for (int i = 0; i < qty::kBaseDimensionCount; ++i) {
    if (powers) powers[i] = found->GetDim().Power(i);
    if (factors) factors[i] = found->GetBaseFactor(i);
  }
  return QtyStatus::eOk;
}

QtyStatus NewUnit(const char* ident, const char* key, const char* abbreviation,
                  const char* expression) {
  if (!ident || !*ident || !expression) return QtyStatus::eArgument;
  CKVregistry& registry = QtyRegistry();
  if (registry.FindUnit(std::string(ident))) return QtyStatus::eTaken;
  CKVunit* made = nullptr;
  double* number = nullptr;
  if (!bEvaluateExpression(registry, expression, &made, &number)) return QtyStatus::eExpression;
  delete number;
  if (!made) return QtyStatus::eExpression;
  std::unique_ptr<CKVunit> unit(made);
  unit->SetIdent(ident);
  unit->SetKey(key ? key : "");
  unit->SetAbbreviation(abbreviation ? abbreviation : "");
  unit->SetExpression(expression);
  const long id = registry.NextUnitId();
  if (id > INT_MAX) return QtyStatus::eNoFreeId;
  unit->SetId(id);
  if (!registry.AddUnit(unit.get(), false)) return QtyStatus::eTaken;
  static_cast<void>(unit.release());  // the registry owns it now
  return QtyStatus::eOk;
}

}  // namespace

extern "C" {

int qtyGetUnitKey(int unit, const char** key) {
  return qty::Flat([&] { return UnitText(unit, &CKVunit::GetKey, key); });
}

int qtyGetUnitIdent(int unit, const char** ident) {
  return qty::Flat([&] { return UnitText(unit, &CKVunit::GetIdent, ident); });
}

int qtyGetUnitAbbreviation(int unit, const char** abbreviation) {
  return qty::Flat([&] { return UnitText(unit, &CKVunit::GetAbbreviation, abbreviation); });
}

int qtyGetUnitTag(const char* key, int* unit) {
  return qty::Flat([&] { return UnitTag(key, unit); });
}

int qtyGetUnitTagFromIdent(const char* ident, int* unit) {
  return qty::Flat([&] { return UnitTagFromIdent(ident, unit); });
}

int qtyUnitsEqv(int unit1, int unit2) {
  return qty::Flat([&] { return UnitsEqv(unit1, unit2); });
}

int qtyGetBaseUnit(int unit, int* base, const char** key) {
  return qty::Flat([&] { return BaseUnit(unit, base, key); });
}

int qtyGetNextUnit(int previous, int* unit, const char** key) {
  return qty::Flat([&] { return NextUnit(previous, unit, key); });
}

int qtyGetNextEqvUnit(int unit, int previous, int* next, const char** key) {
  return qty::Flat([&] { return NextEqvUnit(unit, previous, next, key); });
}

int qtyUnitGetParameters(int unit, double* factor, double* offset, double powers[7],
                         double factors[7]) {
  return qty::Flat([&] { return Parameters(unit, factor, offset, powers, factors); });
}

int qtyUnitGetAll(char** list) {
  return qty::Flat([&] { return qty::JoinIdents(QtyRegistry().UnitList(), list); });
}

int qtyUnitNew(const char* ident, const char* key, const char* abbreviation,
               const char* expression) {
  return qty::Flat([&] { return NewUnit(ident, key, abbreviation, expression); });
}

}  // extern "C"
