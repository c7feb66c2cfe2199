#include "qty/CKVregistry.h"

#include <algorithm>

#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/CKVunit.h"

namespace {

template <class Map, class Key>
typename Map::mapped_type FindIn(const Map& map, const Key& key) {
  const auto it = map.find(key);
  return it == map.end() ? nullptr : it->second;
}

}  // namespace

CKVregistry::~CKVregistry() {
  for (CKVfilter* filter : FilterList_) delete filter;
  for (CKVitemType* itemType : ItemTypeList_) delete itemType;
  for (CKVunit* unit : UnitList_) delete unit;
}

bool CKVregistry::AddUnit(CKVunit* unit, bool atFront) {
  if (UnitMap_.count(unit->GetId()) || UnitStringMap_.count(unit->GetIdent())) return false;
  if (atFront) {
    UnitList_.insert(UnitList_.begin(), unit);
  } else {
    UnitList_.push_back(unit);
  }
  UnitMap_[unit->GetId()] = unit;
  UnitStringMap_[unit->GetIdent()] = unit;
  return true;
}

bool CKVregistry::AddItemType(long id, CKVitemType* itemType) {
  if (ItemTypeMap_.count(id) || ItemTypeStringMap_.count(itemType->GetIdent())) return false;
  ItemTypeList_.push_back(itemType);
  ItemTypeMap_[id] = itemType;
  ItemTypeStringMap_[itemType->GetIdent()] = itemType;
  return true;
}

bool CKVregistry::AddFilter(CKVfilter* filter) {
  if (FilterMap_.count(filter->GetId()) || FilterStringMap_.count(filter->GetIdent())) return false;
  FilterList_.push_back(filter);
  FilterMap_[filter->GetId()] = filter;
  FilterStringMap_[filter->GetIdent()] = filter;
  return true;
}

CKVunit* CKVregistry::FindUnit(long id) const { return FindIn(UnitMap_, id); }
CKVunit* CKVregistry::FindUnit(const std::string& ident) const {
  return FindIn(UnitStringMap_, ident);
}
CKVitemType* CKVregistry::FindItemType(long id) const { return FindIn(ItemTypeMap_, id); }
CKVitemType* CKVregistry::FindItemType(const std::string& ident) const {
  return FindIn(ItemTypeStringMap_, ident);
}
CKVfilter* CKVregistry::FindFilter(long id) const { return FindIn(FilterMap_, id); }
CKVfilter* CKVregistry::FindFilter(const std::string& ident) const {
  return FindIn(FilterStringMap_, ident);
}

long CKVregistry::NextUnitId() const {
  const long largest = UnitMap_.empty() ? 0 : UnitMap_.rbegin()->first;
  return std::max(kFirstRuntimeUnitId, largest + 1);
}

long CKVregistry::NextItemTypeId() const {
  const long largest = ItemTypeMap_.empty() ? 0 : ItemTypeMap_.rbegin()->first;
  return std::max(kFirstRuntimeItemTypeId, largest + 1);
}

long CKVregistry::NextFilterId() const {
  long next = 1;
  for (const auto& entry : FilterMap_) {
    const long id = entry.first;
    if (id == kReservedFilterBit) continue;
    while (next <= id && next < kReservedFilterBit) next <<= 1;
  }
  return next < kReservedFilterBit ? next : 0;
}

const CKVunitList& CKVregistry::AllowedUnits(const CKVitemType& itemType) const {
  if (itemType.GetId() == kAnyUnitItemType) return UnitList_;
  return itemType.GetUnitList();
}

CKVregistry& QtyRegistry() {
  // Never destroyed: hosts may hold texts of the registry until exit, and
  // other libraries may call in from their own static destructors.
  static CKVregistry* const registry = new CKVregistry();
  return *registry;
}
