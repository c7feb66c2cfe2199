// Flat interface: item types, their units and user units.
#include <climits>
#include <memory>

#include "qty/CKVitemType.h"
#include "qty/FlatSupport.h"
#include "qty/QtyStatus.h"
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

// The item type and, for the functions that take both, the unit.
QtyStatus Find(int item, CKVitemType*& itemType) {
  itemType = FindItemType(item);
  return itemType ? QtyStatus::eOk : QtyStatus::eUnknownItemType;
}

QtyStatus Find(int item, int unit, CKVitemType*& itemType, CKVunit*& found) {
  found = QtyRegistry().FindUnit(static_cast<long>(unit));
  if (const QtyStatus status = Find(item, itemType); status != QtyStatus::eOk) return status;
  return found ? QtyStatus::eOk : QtyStatus::eUnknownUnit;
}

template <class Entry>
QtyStatus PutEntry(const Entry& entry, int* id, const char** key) {
  Put(id, entry.GetId());
  Put(key, entry.GetKey().c_str());
  return QtyStatus::eOk;
}

QtyStatus ItemTypeSeq(int seq, int* id, const char** key) {
  const CKVitemTypeList& list = QtyRegistry().ItemTypeList();
  if (seq < 1 || static_cast<size_t>(seq) > list.size()) return QtyStatus::ePosition;
  return PutEntry(*list[static_cast<size_t>(seq - 1)], id, key);
}

QtyStatus ItemTypeText(int id, bool ident, const char** out) {
  CKVitemType* itemType = nullptr;
  if (const QtyStatus status = Find(id, itemType); status != QtyStatus::eOk) return status;
  Put(out, (ident ? itemType->GetIdent() : itemType->GetKey()).c_str());
  return QtyStatus::eOk;
}

QtyStatus ItemTypeFromIdent(const char* ident, int* id) {
  if (!ident) return QtyStatus::eArgument;
  const CKVitemType* itemType = QtyRegistry().FindItemType(std::string(ident));
  if (!itemType) return QtyStatus::eUnknownItemType;
  Put(id, itemType->GetId());
  return QtyStatus::eOk;
}

QtyStatus ItemTypeParams(int id, int* decimals, double* defaultValue) {
  CKVitemType* itemType = nullptr;
  if (const QtyStatus status = Find(id, itemType); status != QtyStatus::eOk) return status;
  Put(decimals, itemType->GetDecimals());
  Put(defaultValue, itemType->GetDefaultValue());
  return QtyStatus::eOk;
}

QtyStatus NewItemType(const char* ident, const char* key, const char* unitIdent) {
  if (!ident || !*ident || !unitIdent) return QtyStatus::eArgument;
  CKVregistry& registry = QtyRegistry();
  CKVunit* unit = registry.FindUnit(std::string(unitIdent));
  if (!unit) return QtyStatus::eUnknownUnit;
  const long id = registry.NextItemTypeId();
  if (id > INT_MAX) return QtyStatus::eNoFreeId;
  std::unique_ptr<CKVitemType> itemType = NewItemType(key ? key : "", id, ident, unit->GetDim());
  if (!registry.AddItemType(id, itemType.get())) return QtyStatus::eTaken;
  itemType.release()->AllowUnit(*unit, true);
  return QtyStatus::eOk;
}

QtyStatus ItemUnitSeq(int item, int seq, int* unit, const char** key) {
  CKVitemType* itemType = nullptr;
  if (const QtyStatus status = Find(item, itemType); status != QtyStatus::eOk) return status;
  const CKVunitList& units = QtyRegistry().AllowedUnits(*itemType);
  if (seq < 1 || static_cast<size_t>(seq) > units.size()) return QtyStatus::ePosition;
  return PutEntry(*units[static_cast<size_t>(seq - 1)], unit, key);
}

QtyStatus ItemUnitTag(int item, const char* key, int* unit) {
  Put(unit, 0);
  CKVitemType* itemType = nullptr;
  if (const QtyStatus status = Find(item, itemType); status != QtyStatus::eOk) return status;
  if (!key) return QtyStatus::eArgument;
  for (const CKVunit* candidate : QtyRegistry().AllowedUnits(*itemType)) {
    if (!qty::KeyMatches(candidate->GetKey(), key)) continue;
    Put(unit, candidate->GetId());
    return candidate->GetId() != 0 ? QtyStatus::eOk : QtyStatus::eUnknownUnit;
  }
  return QtyStatus::eUnknownUnit;
}

QtyStatus FirstEqvUnit(int item, int* unit, const char** key) {
  CKVitemType* itemType = nullptr;
  if (const QtyStatus status = Find(item, itemType); status != QtyStatus::eOk) return status;
  for (const CKVunit* candidate : QtyRegistry().UnitList()) {
    if (candidate->GetId() != 0 && candidate->IsEqv(itemType->GetDim())) {
      return PutEntry(*candidate, unit, key);
    }
  }
  return QtyStatus::eNotFound;
}

QtyStatus ItemUnitEqv(int item, int unit) {
  CKVitemType* itemType = nullptr;
  CKVunit* found = nullptr;
  if (const QtyStatus status = Find(item, unit, itemType, found); status != QtyStatus::eOk) {
    return status;
  }
  return UnitFitsItem(*itemType, *found) ? QtyStatus::eOk : QtyStatus::eDimension;
}

QtyStatus SetUserUnit(int item, int unit) {
  if (const QtyStatus status = ItemUnitEqv(item, unit); status != QtyStatus::eOk) return status;
  FindItemType(item)->SetItemUserUnit(unit);
  return QtyStatus::eOk;
}

QtyStatus UserUnit(int item, int* unit) {
  CKVitemType* itemType = nullptr;
  if (const QtyStatus status = Find(item, itemType); status != QtyStatus::eOk) return status;
  Put(unit, itemType->GetItemUserUnit());
  return QtyStatus::eOk;
}

QtyStatus AddUnit(int item, int unit) {
  CKVitemType* itemType = nullptr;
  CKVunit* found = nullptr;
  if (const QtyStatus status = Find(item, unit, itemType, found); status != QtyStatus::eOk) {
    return status;
  }
  if (!found->IsEqv(itemType->GetDim())) return QtyStatus::eDimension;
  return itemType->AllowUnit(*found, false) ? QtyStatus::eOk : QtyStatus::eTaken;
}

QtyStatus AddFilter(int item, int mask) {
  CKVitemType* itemType = nullptr;
  if (const QtyStatus status = Find(item, itemType); status != QtyStatus::eOk) return status;
  itemType->SetFilter(itemType->GetFilter() | qty::MaskBits(mask));
  return QtyStatus::eOk;
}

}  // namespace

extern "C" {

int qtyGetItemTypeCount(void) {
  return qty::Guarded(0, [] { return static_cast<int>(QtyRegistry().ItemTypeList().size()); });
}

int qtyGetItemTypeSeq(int seq, int* id, const char** key) {
  return qty::Flat([&] { return ItemTypeSeq(seq, id, key); });
}

int qtyGetItemTypeKey(int id, const char** key) {
  return qty::Flat([&] { return ItemTypeText(id, false, key); });
}

int qtyGetItemTypeIdent(int id, const char** ident) {
  return qty::Flat([&] { return ItemTypeText(id, true, ident); });
}

int qtyGetItemTypeKeyFromIdent(const char* ident, int* id) {
  return qty::Flat([&] { return ItemTypeFromIdent(ident, id); });
}

int qtyGetItemTypeParams(int id, int* decimals, double* defaultValue) {
  return qty::Flat([&] { return ItemTypeParams(id, decimals, defaultValue); });
}

int qtyItemTypeGetAll(char** list) {
  return qty::Flat([&] { return qty::JoinIdents(QtyRegistry().ItemTypeList(), list); });
}

int qtyItemTypeNew(const char* ident, const char* key, int /*unused*/, const char* unitIdent) {
  return qty::Flat([&] { return NewItemType(ident, key, unitIdent); });
}

int qtyGetItemUnitCount(int item) {
  return qty::Guarded(0, [&] {
    const CKVitemType* itemType = FindItemType(item);
    return itemType ? static_cast<int>(QtyRegistry().AllowedUnits(*itemType).size()) : 0;
  });
}

int qtyGetItemUnitSeq(int item, int seq, int* unit, const char** key) {
  return qty::Flat([&] { return ItemUnitSeq(item, seq, unit, key); });
}

int qtyGetItemUnitTag(int item, const char* key, int* unit) {
  return qty::Flat([&] { return ItemUnitTag(item, key, unit); });
}

int qtyGetItemFirstEqvUnit(int item, int* unit, const char** key) {
  return qty::Flat([&] { return FirstEqvUnit(item, unit, key); });
}

int qtyItemUnitEqv(int item, int unit) {
  return qty::Flat([&] { return ItemUnitEqv(item, unit); });
}

int qtySetItemUserUnit(int item, int unit) {
  return qty::Flat([&] { return SetUserUnit(item, unit); });
}

int qtyGetItemUserUnit(int item, int* unit) {
  return qty::Flat([&] { return UserUnit(item, unit); });
}

int qtyAddItemUnit(int item, int unit) {
  return qty::Flat([&] { return AddUnit(item, unit); });
}

int qtyAddItemFilter(int item, int mask) {
  return qty::Flat([&] { return AddFilter(item, mask); });
}

}  // extern "C"
