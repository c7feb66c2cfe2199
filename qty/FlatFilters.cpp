// Flat interface: filters, filtered item-type sequences and the product
// filter.
#include <memory>

#include "qty/CKVfilter.h"
#include "qty/CKVitemType.h"
#include "qty/FlatSupport.h"
#include "qty/QtyStatus.h"
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

QtyStatus PutFilter(const CKVfilter& filter, int* id, const char** key) {
  Put(id, static_cast<unsigned int>(filter.GetId()));
  Put(key, filter.GetKey().c_str());
  return QtyStatus::eOk;
}

QtyStatus FilterSeq(int seq, int* id, const char** key) {
  const CKVfilterList& list = QtyRegistry().FilterList();
  if (seq < 1 || static_cast<size_t>(seq) > list.size()) return QtyStatus::ePosition;
  return PutFilter(*list[static_cast<size_t>(seq - 1)], id, key);
}

QtyStatus FilterText(int id, bool ident, const char** out) {
  const CKVfilter* filter = FindFilter(id);
  if (!filter) return QtyStatus::eUnknownFilter;
  Put(out, (ident ? filter->GetIdent() : filter->GetKey()).c_str());
  return QtyStatus::eOk;
}

QtyStatus FilterFromIdent(const char* ident, int* id) {
  if (!ident) return QtyStatus::eArgument;
  const CKVfilter* filter = QtyRegistry().FindFilter(std::string(ident));
  if (!filter) return QtyStatus::eUnknownFilter;
  Put(id, static_cast<unsigned int>(filter->GetId()));
  return QtyStatus::eOk;
}

QtyStatus NewFilter(const char* ident, const char* key) {
  if (!ident || !*ident) return QtyStatus::eArgument;
  CKVregistry& registry = QtyRegistry();
  const long id = registry.NextFilterId();
  if (id == 0) return QtyStatus::eNoFreeId;
  auto filter = std::make_unique<CKVfilter>(key ? key : "", id);
  filter->SetIdent(ident);
  if (!registry.AddFilter(filter.get())) return QtyStatus::eTaken;
  static_cast<void>(filter.release());  // the registry owns it now
  return QtyStatus::eOk;
}

int FilteredCount(int filter) {
  int count = 0;
  for (const CKVitemType* itemType : QtyRegistry().ItemTypeList()) {
    if (InFilter(*itemType, filter)) ++count;
  }
  return count;
}

QtyStatus FilteredSeq(int filter, int seq, int* id, const char** key) {
  if (seq < 1) return QtyStatus::ePosition;
  int position = 0;
  for (const CKVitemType* itemType : QtyRegistry().ItemTypeList()) {
    if (!InFilter(*itemType, filter) || ++position != seq) continue;
    Put(id, itemType->GetId());
    Put(key, itemType->GetKey().c_str());
    return QtyStatus::eOk;
  }
  return QtyStatus::ePosition;
}

QtyStatus ItemFilterEqv(int item, int mask) {
  const CKVitemType* itemType = QtyRegistry().FindItemType(static_cast<long>(item));
  if (!itemType) return QtyStatus::eUnknownItemType;
  return itemType->IsMemberOf(qty::MaskBits(mask)) ? QtyStatus::eOk : QtyStatus::eNotFound;
}

}  // namespace

extern "C" {

int qtyGetFilterCount(void) {
  return qty::Guarded(0, [] { return static_cast<int>(QtyRegistry().FilterList().size()); });
}

int qtyGetFilterSeq(int seq, int* id, const char** key) {
  return qty::Flat([&] { return FilterSeq(seq, id, key); });
}

int qtyGetFilterKey(int id, const char** key) {
  return qty::Flat([&] { return FilterText(id, false, key); });
}

int qtyGetFilterIdent(int id, const char** ident) {
  return qty::Flat([&] { return FilterText(id, true, ident); });
}

int qtyGetFilterKeyFromIdent(const char* ident, int* id) {
  return qty::Flat([&] { return FilterFromIdent(ident, id); });
}

int qtyFilterGetAll(char** list) {
  return qty::Flat([&] { return qty::JoinIdents(QtyRegistry().FilterList(), list); });
}

int qtyFilterNew(const char* ident, const char* key) {
  return qty::Flat([&] { return NewFilter(ident, key); });
}

int qtyGetFilteredItemTypeCount(int filter) {
  return qty::Guarded(0, [&] { return FilteredCount(filter); });
}

int qtyGetFilteredItemTypeSeq(int filter, int seq, int* id, const char** key) {
  return qty::Flat([&] { return FilteredSeq(filter, seq, id, key); });
}

int qtyItemFilterEqv(int item, int mask) {
  return qty::Flat([&] { return ItemFilterEqv(item, mask); });
}

// Only the first use of the registry can fail (it is made then); the
// filter in force is then still the initial one.
int qtySetProductFilter(int mask) {
  return qty::Guarded(CKVregistry::kDefaultProductFilter, [&] {
    QtyRegistry().SetProductFilter(mask);
    return mask;
  });
}

int qtyGetProductFilter(void) {
  return qty::Guarded(CKVregistry::kDefaultProductFilter,
                      [] { return QtyRegistry().ProductFilter(); });
}

int qtyGetFlybyFilter(void) { return static_cast<int>(kFlybyFilter); }

}  // extern "C"
