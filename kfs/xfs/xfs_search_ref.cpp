#include "kfs/xfs/xfs_search_ref.h"

#include <memory>
#include <new>
#include <unordered_map>

namespace xfs {
namespace {

std::unordered_map<const xfsSearchRefS*, std::unique_ptr<xfsSearchRefS>>& references() {
  static std::unordered_map<const xfsSearchRefS*, std::unique_ptr<xfsSearchRefS>> refs;
  return refs;
}

}  // namespace

xfsSearchRefS* AcquireSearchRef(xfsSearchRef* slot) {
  if (slot == nullptr) return nullptr;
  if (xfsSearchRefS* known = LookupSearchRef(*slot)) return known;
  auto ref = std::unique_ptr<xfsSearchRefS>(new (std::nothrow) xfsSearchRefS{nullptr, 0});
  if (!ref) return nullptr;
  xfsSearchRefS* raw = ref.get();
  references().emplace(raw, std::move(ref));
  *slot = raw;
  return raw;
}

xfsSearchRefS* LookupSearchRef(xfsSearchRef ref) {
  auto it = references().find(ref);
  return it == references().end() ? nullptr : it->second.get();
}

void ForgetTable(const CKVxList* table) {
  for (auto& entry : references())
    if (entry.second->table == table) entry.second->table = nullptr;
}

}  // namespace xfs
