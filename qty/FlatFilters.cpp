// Flat interface: filters, filtered item-type sequences and the product
// filter.
#include <memory>

#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/FlatSupport.h"
#include "qty/qty.h"

using qty::Put;

namespace {

constexpr unsigned int kFlybyFilter = 0x80000000u;

CKVfilter* FindFilter(int id) { return QtyRegistry().FindFilter(qty::MaskBits(id)); }

// Whether an item type belongs to the filtered sequence of `filter`: for a
// filter >= 0 only item types that may be stored in data files.
bool InFilter(const CKVitemType& itemType, int filter) {
  if (filter >= 0 && !itemType.IsFileItem()) return false;
  return itemType.IsMemberOf(qty::MaskBits(filter));
}

}  // namespace

extern "C" {

int qtyGetFilterCount(void) { return static_cast<int>(QtyRegistry().FilterList().size()); }

int qtyGetFilterSeq(int seq, int* id, const char** key) {
  const CKVfilterList& list = QtyRegistry().FilterList();
  if (seq < 1 || static_cast<size_t>(seq) > list.size()) return 0;
  const CKVfilter* filter = list[static_cast<size_t>(seq - 1)];
  Put(id, static_cast<unsigned int>(filter->GetId()));
  Put(key, filter->GetKey().c_str());
  return 1;
}

int qtyGetFilterKey(int id, const char** key) {
  const CKVfilter* filter = FindFilter(id);
  if (!filter) return 0;
  Put(key, filter->GetKey().c_str());
  return 1;
}

int qtyGetFilterIdent(int id, const char** ident) {
  const CKVfilter* filter = FindFilter(id);
  if (!filter) return 0;
  Put(ident, filter->GetIdent().c_str());
  return 1;
}

int qtyGetFilterKeyFromIdent(const char* ident, int* id) {
  if (!ident) return 0;
  const CKVfilter* filter = QtyRegistry().FindFilter(std::string(ident));
  if (!filter) return 0;
  Put(id, static_cast<unsigned int>(filter->GetId()));
  return 1;
}

int qtyFilterGetAll(char** list) { return qty::JoinIdents(QtyRegistry().FilterList(), list) ? 1 : 0; }

int qtyFilterNew(const char* ident, const char* key) {
  if (!ident || !*ident) return 0;
  CKVregistry& registry = QtyRegistry();
  const long id = registry.NextFilterId();
  if (id == 0) return 0;
  auto filter = std::make_unique<CKVfilter>(key ? key : "", id);
  filter->SetIdent(ident);
  if (!registry.AddFilter(filter.get())) return 0;
  filter.release();
  return 1;
}

int qtyGetFilteredItemTypeCount(int filter) {
  int count = 0;
  for (const CKVitemType* itemType : QtyRegistry().ItemTypeList()) {
    if (InFilter(*itemType, filter)) ++count;
  }
  return count;
}

int qtyGetFilteredItemTypeSeq(int filter, int seq, int* id, const char** key) {
  if (seq < 1) return 0;
  int position = 0;
  for (const CKVitemType* itemType : QtyRegistry().ItemTypeList()) {
    if (!InFilter(*itemType, filter) || ++position != seq) continue;
    Put(id, itemType->GetId());
    Put(key, itemType->GetKey().c_str());
    return 1;
  }
  return 0;
}

int qtyItemFilterEqv(int item, int mask) {
  const CKVitemType* itemType = QtyRegistry().FindItemType(static_cast<long>(item));
  return itemType && itemType->IsMemberOf(qty::MaskBits(mask)) ? 1 : 0;
}

int qtySetProductFilter(int mask) {
  QtyRegistry().SetProductFilter(mask);
  return mask;
}

int qtyGetProductFilter(void) { return QtyRegistry().ProductFilter(); }

int qtyGetFlybyFilter(void) { return static_cast<int>(kFlybyFilter); }

}  // extern "C"
