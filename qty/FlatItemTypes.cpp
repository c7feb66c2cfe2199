// Flat interface: item types, their units and user units.
#include <climits>
#include <memory>

#include "qty/CKVitemType.h"
#include "qty/FlatSupport.h"
#include "qty/qty.h"

using qty::Put;

namespace {

CKVitemType* FindItemType(int id) { return QtyRegistry().FindItemType(static_cast<long>(id)); }

bool IsAnyUnitItem(const CKVitemType& itemType) {
  return itemType.GetId() == CKVregistry::kAnyUnitItemType;
}

// The unit may carry the item type: any unit for item type 999, else a unit
// with a non-zero id and the item type's dimension.
bool UnitFitsItem(const CKVitemType& itemType, const CKVunit& unit) {
  if (IsAnyUnitItem(itemType)) return true;
  return unit.GetId() != 0 && unit.IsEqv(itemType.GetDim());
}

}  // namespace

extern "C" {

int qtyGetItemTypeCount(void) { return static_cast<int>(QtyRegistry().ItemTypeList().size()); }

int qtyGetItemTypeSeq(int seq, int* id, const char** key) {
  const CKVitemTypeList& list = QtyRegistry().ItemTypeList();
  if (seq < 1 || static_cast<size_t>(seq) > list.size()) return 0;
  const CKVitemType* itemType = list[static_cast<size_t>(seq - 1)];
  Put(id, itemType->GetId());
  Put(key, itemType->GetKey().c_str());
  return 1;
}

int qtyGetItemTypeKey(int id, const char** key) {
  const CKVitemType* itemType = FindItemType(id);
  if (!itemType) return 0;
  Put(key, itemType->GetKey().c_str());
  return 1;
}

int qtyGetItemTypeIdent(int id, const char** ident) {
  const CKVitemType* itemType = FindItemType(id);
  if (!itemType) return 0;
  Put(ident, itemType->GetIdent().c_str());
  return 1;
}

int qtyGetItemTypeKeyFromIdent(const char* ident, int* id) {
  if (!ident) return 0;
  const CKVitemType* itemType = QtyRegistry().FindItemType(std::string(ident));
  if (!itemType) return 0;
  Put(id, itemType->GetId());
  return 1;
}

int qtyGetItemTypeParams(int id, int* decimals, double* defaultValue) {
  const CKVitemType* itemType = FindItemType(id);
  if (!itemType) return 0;
  Put(decimals, itemType->GetDecimals());
  Put(defaultValue, itemType->GetDefaultValue());
  return 1;
}

int qtyItemTypeGetAll(char** list) { return qty::JoinIdents(QtyRegistry().ItemTypeList(), list) ? 1 : 0; }

int qtyItemTypeNew(const char* ident, const char* key, int /*unused*/, const char* unitIdent) {
  if (!ident || !*ident || !unitIdent) return 0;
  CKVregistry& registry = QtyRegistry();
  CKVunit* unit = registry.FindUnit(std::string(unitIdent));
  if (!unit) return 0;
  const long id = registry.NextItemTypeId();
  if (id > INT_MAX) return 0;
  auto itemType = std::make_unique<CKVitemType>(key ? key : "", id, ident,
                                                new CKVdimension(unit->GetDim()));
  if (!registry.AddItemType(id, itemType.get())) return 0;
  itemType.release()->AllowUnit(*unit, true);
  return 1;
}

int qtyGetItemUnitCount(int item) {
  const CKVitemType* itemType = FindItemType(item);
  if (!itemType) return 0;
  return static_cast<int>(QtyRegistry().AllowedUnits(*itemType).size());
}

int qtyGetItemUnitSeq(int item, int seq, int* unit, const char** key) {
  const CKVitemType* itemType = FindItemType(item);
  if (!itemType) return 0;
  const CKVunitList& units = QtyRegistry().AllowedUnits(*itemType);
  if (seq < 1 || static_cast<size_t>(seq) > units.size()) return 0;
  const CKVunit* found = units[static_cast<size_t>(seq - 1)];
  Put(unit, found->GetId());
  Put(key, found->GetKey().c_str());
  return 1;
}

int qtyGetItemUnitTag(int item, const char* key, int* unit) {
  Put(unit, 0);
  const CKVitemType* itemType = FindItemType(item);
  if (!itemType || !key) return 0;
  for (const CKVunit* candidate : QtyRegistry().AllowedUnits(*itemType)) {
    if (!qty::KeyMatches(candidate->GetKey(), key)) continue;
    Put(unit, candidate->GetId());
    return candidate->GetId() != 0 ? 1 : 0;
  }
  return 0;
}

int qtyGetItemFirstEqvUnit(int item, int* unit, const char** key) {
  const CKVitemType* itemType = FindItemType(item);
  if (!itemType) return 0;
  for (const CKVunit* candidate : QtyRegistry().UnitList()) {
    if (candidate->GetId() == 0 || !candidate->IsEqv(itemType->GetDim())) continue;
    Put(unit, candidate->GetId());
    Put(key, candidate->GetKey().c_str());
    return 1;
  }
  return 0;
}

int qtyItemUnitEqv(int item, int unit) {
  const CKVitemType* itemType = FindItemType(item);
  const CKVunit* found = QtyRegistry().FindUnit(static_cast<long>(unit));
  return itemType && found && UnitFitsItem(*itemType, *found) ? 1 : 0;
}

int qtySetItemUserUnit(int item, int unit) {
  CKVitemType* itemType = FindItemType(item);
  const CKVunit* found = QtyRegistry().FindUnit(static_cast<long>(unit));
  if (!itemType || !found || !UnitFitsItem(*itemType, *found)) return 0;
  itemType->SetItemUserUnit(unit);
  return 1;
}

int qtyGetItemUserUnit(int item, int* unit) {
  const CKVitemType* itemType = FindItemType(item);
  if (!itemType) return 0;
  Put(unit, itemType->GetItemUserUnit());
  return 1;
}

int qtyAddItemUnit(int item, int unit) {
  CKVitemType* itemType = FindItemType(item);
  CKVunit* found = QtyRegistry().FindUnit(static_cast<long>(unit));
  if (!itemType || !found) return 0;
  return itemType->AllowUnit(*found, false) ? 1 : 0;
}

int qtyAddItemFilter(int item, int mask) {
  CKVitemType* itemType = FindItemType(item);
  if (!itemType) return 0;
  itemType->SetFilter(itemType->GetFilter() | qty::MaskBits(mask));
  return 1;
}

}  // extern "C"
