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

namespace {

// Files an entry in its list and both maps, or nowhere: running out of
// memory part way must not leave a map pointing at an object the caller
// still owns (and deletes). Room in the list is made first, the maps are
// filled with a roll-back, and the list insert - which then cannot throw -
// comes last.
template <class Entry, class List, class IdMap, class IdentMap>
bool AddEntry(Entry* entry, long id, const std::string& ident, bool atFront, List& list, IdMap& ids,
              IdentMap& idents) {
  if (ids.count(id) || idents.count(ident)) return false;
  if (list.size() == list.capacity()) list.reserve(list.empty() ? 16 : 2 * list.size());
  const auto byId = ids.emplace(id, entry).first;
  try {
    idents.emplace(ident, entry);
  } catch (...) {
    ids.erase(byId);
    throw;
  }
  list.insert(atFront ? list.begin() : list.end(), entry);
  return true;
}

}  // namespace

bool CKVregistry::AddUnit(CKVunit* unit, bool atFront) {
  return AddEntry(unit, unit->GetId(), unit->GetIdent(), atFront, UnitList_, UnitMap_,
                  UnitStringMap_);
}

bool CKVregistry::AddItemType(long id, CKVitemType* itemType) {
  return AddEntry(itemType, id, itemType->GetIdent(), false, ItemTypeList_, ItemTypeMap_,
                  ItemTypeStringMap_);
}

bool CKVregistry::AddFilter(CKVfilter* filter) {
  return AddEntry(filter, filter->GetId(), filter->GetIdent(), false, FilterList_, FilterMap_,
                  FilterStringMap_);
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
