// CKVregistry: the units, item types and filters known to the process.
//
// Each kind is kept three ways: a list in table order (which owns the
// objects and gives the 1-based sequence numbers), a map by numeric id and a
// map by ident. The flat interface works on the one process-wide instance,
// QtyRegistry(), which is never destroyed so that texts handed out stay
// valid until the process ends; tests may build private instances.
//
// Entries are only ever added. An add is refused when the id or the ident is
// taken, and the refused object stays with the caller.
#ifndef QTY_CKVREGISTRY_H
#define QTY_CKVREGISTRY_H

#include <map>
#include <string>

#include "qty/CKVitemTypeList.h"

class CKVregistry {
 public:
  static constexpr long kFirstRuntimeUnitId = 100000;
  static constexpr long kFirstRuntimeItemTypeId = 110000;
  // Item type whose allowed units are all registered units.
  static constexpr long kAnyUnitItemType = 999;
  // Filter bit not considered when the next free bit is chosen.
  static constexpr long kReservedFilterBit = 0x40000000L;
  static constexpr int kDefaultProductFilter = 0x7fffffff;

  CKVregistry() = default;
  CKVregistry(const CKVregistry&) = delete;
  CKVregistry& operator=(const CKVregistry&) = delete;
  ~CKVregistry();

  // On success the registry owns the object.
  bool AddUnit(CKVunit* unit, bool atFront);
  bool AddItemType(long id, CKVitemType* itemType);
  bool AddFilter(CKVfilter* filter);

  CKVunit* FindUnit(long id) const;
  CKVunit* FindUnit(const std::string& ident) const;
  CKVitemType* FindItemType(long id) const;
  CKVitemType* FindItemType(const std::string& ident) const;
  CKVfilter* FindFilter(long id) const;
  CKVfilter* FindFilter(const std::string& ident) const;

  // Ids for entries created at run time.
  long NextUnitId() const;
  long NextItemTypeId() const;
  // The smallest power of two above every filter id but the reserved bit;
  // 0 when no bit below the reserved one is left.
  long NextFilterId() const;

  // The allowed units of an item type as the callers see them: every unit for
  // item type 999.
  const CKVunitList& AllowedUnits(const CKVitemType& itemType) const;

  // The nine containers, in table order and by id and ident; the lists own
  // the entries.
  const CKVunitList& UnitList() const { return UnitList_; }
  const std::map<long, CKVunit*>& UnitMap() const { return UnitMap_; }
  const std::map<std::string, CKVunit*>& UnitStringMap() const { return UnitStringMap_; }
  const CKVitemTypeList& ItemTypeList() const { return ItemTypeList_; }
  const std::map<long, CKVitemType*>& ItemTypeMap() const { return ItemTypeMap_; }
  const std::map<std::string, CKVitemType*>& ItemTypeStringMap() const {
    return ItemTypeStringMap_;
  }
  const CKVfilterList& FilterList() const { return FilterList_; }
  const std::map<long, CKVfilter*>& FilterMap() const { return FilterMap_; }
  const std::map<std::string, CKVfilter*>& FilterStringMap() const { return FilterStringMap_; }

  // The product filter of the flat interface (qtySetProductFilter).
  int ProductFilter() const { return ProductFilter_; }
  void SetProductFilter(int mask) { ProductFilter_ = mask; }

 private:
  CKVunitList UnitList_;
  std::map<long, CKVunit*> UnitMap_;
  std::map<std::string, CKVunit*> UnitStringMap_;
  CKVitemTypeList ItemTypeList_;
  std::map<long, CKVitemType*> ItemTypeMap_;
  std::map<std::string, CKVitemType*> ItemTypeStringMap_;
  CKVfilterList FilterList_;
  std::map<long, CKVfilter*> FilterMap_;
  std::map<std::string, CKVfilter*> FilterStringMap_;
  int ProductFilter_ = kDefaultProductFilter;
};

// The process-wide registry.
CKVregistry& QtyRegistry();

#endif
