// The flat xfs interface over CKVxSec and CKVxList. Every entry point
// checks its pointers against the live objects first: a stray structure
// pointer or table handle gives status 1000 or a null result, never a
// crash.
#include <memory>
#include <new>

#include "base/kora_boundary.h"
#include "kfs/xfs/xfs_search_ref.h"
#include "kfs/xfs/xsec.h"
#include "kfs/xfs/xsec_list.h"

namespace {

xfsStrucP createSection(const char* topoId, const char* branchName, const char* freeId,
                        double chainage) {
  if (topoId == nullptr || branchName == nullptr) return nullptr;
  auto* x = new (std::nothrow) CKVxSec(topoId, branchName, freeId, chainage);
  if (x == nullptr) return nullptr;
  if (!x->InitOk()) {
    delete x;
    return nullptr;
  }
  return x->Struc();
}

template <typename Resize>
int resize(xfsStrucP xsec, unsigned short count, Resize fn) {
  CKVxSec* x = CKVxSec::FromStruc(xsec);
  return (x != nullptr && (x->*fn)(static_cast<unsigned int>(count))) ? 1 : 0;
}

xfsStrucP neighbour(xfsTable table, xfsStrucP xsec, long step) {
  CKVxList* list = CKVxList::FromHandle(table);
  CKVxSec* x = CKVxSec::FromStruc(xsec);
  if (list == nullptr || x == nullptr) return nullptr;
  long at = list->IndexOf(x);
  if (at < 0) return nullptr;
  CKVxSec* n = (at + step < 0) ? nullptr : list->At(static_cast<std::size_t>(at + step));
  return n ? n->Struc() : nullptr;
}

}  // namespace

extern "C" {

xfsStrucP xfsXsecCreate(const char* topoId, const char* branchName, double chainage) try {
  return createSection(topoId, branchName, nullptr, chainage);
}
KORA_CATCH_ALL(nullptr)

xfsStrucP xfsXsecCreateEx(const char* topoId, const char* branchName, const char* freeId,
                          double chainage) try {
  return createSection(topoId, branchName, freeId, chainage);
}
KORA_CATCH_ALL(nullptr)

unsigned int xfsXsecFree(xfsStrucP* xsec) try {
  if (xsec == nullptr) return kfsErrNullArgument;
  CKVxSec* x = CKVxSec::FromStruc(*xsec);
  if (x == nullptr || x->OwnedByTable()) return kfsErrNullArgument;  // a table frees its own
  delete x;
  *xsec = nullptr;
  return kfsOK;
}
KORA_CATCH_ALL(kfsErrMemory)

int xfsXsecSetNoRaw(xfsStrucP xsec, unsigned short count) try {
  return resize(xsec, count, static_cast<bool (CKVxSec::*)(unsigned int)>(&CKVxSec::SetNoRaw));
}
KORA_CATCH_ALL(0)
int xfsXsecSetNoSel(xfsStrucP xsec, unsigned short count) try {
  return resize(xsec, count, static_cast<bool (CKVxSec::*)(unsigned int)>(&CKVxSec::SetNoSel));
}
KORA_CATCH_ALL(0)
int xfsXsecSetNoPrc(xfsStrucP xsec, unsigned short count) try {
  return resize(xsec, count, static_cast<bool (CKVxSec::*)(unsigned int)>(&CKVxSec::SetNoPrc));
}
KORA_CATCH_ALL(0)
int xfsXsecSetNoCoords(xfsStrucP xsec, unsigned short count) try {
  return resize(xsec, count, static_cast<bool (CKVxSec::*)(unsigned int)>(&CKVxSec::SetNoCoords));
}
KORA_CATCH_ALL(0)

unsigned int xfsXsecWrite(xfsStrucP xsec, kfsHandle handle) try {
  CKVxSec* x = CKVxSec::FromStruc(xsec);
  if (x == nullptr || handle == nullptr) return kfsErrNullArgument;
  return x->Write(handle);
}
KORA_CATCH_ALL(kfsErrMemory)

unsigned int xfsXsecTableLoad(const char* path, xfsTable* table, int flags) try {
  if (table == nullptr) return kfsErrNullArgument;
  *table = nullptr;
  if (path == nullptr) return kfsErrNullArgument;
  // A partly loaded table is of no use: it goes, also when the load throws.
  std::unique_ptr<CKVxList> list(new (std::nothrow) CKVxList());
  if (list == nullptr) return kfsErrMemory;
  const unsigned int status = list->Load(path, flags);
  if (status != kfsOK) return status;
  *table = reinterpret_cast<xfsTable>(list.release());
  return kfsOK;
}
KORA_CATCH_ALL(kfsErrMemory)

unsigned int xfsXsecTableFree(xfsTable* table) try {
  if (table == nullptr) return kfsErrNullArgument;
  CKVxList* list = CKVxList::FromHandle(*table);
  if (list == nullptr) return kfsErrNullArgument;
  delete list;
  *table = nullptr;
  return kfsOK;
}
KORA_CATCH_ALL(kfsErrMemory)

xfsStrucP xfsXsecFind(xfsTable table, const char* topoId, const char* branchName, xfsSearchRef* ref,
                      double chainage) try {
  CKVxList* list = CKVxList::FromHandle(table);
  if (list == nullptr) return nullptr;
  if (topoId == nullptr) topoId = "";
  if (branchName == nullptr) branchName = "";
  long at = -1;
  if (topoId[0] == '\0' && branchName[0] == '\0' && chainage == 0.0) {
    at = list->Count() > 0 ? 0 : -1;
  } else {
    CKVxSec key(topoId, branchName, nullptr, chainage);
    at = list->Find(key);
  }
  if (xfsSearchRefS* r = xfs::AcquireSearchRef(ref)) {
    r->table = list;
    r->next = at < 0 ? list->Count() : static_cast<std::size_t>(at) + 1;
  }
  return at < 0 ? nullptr : list->At(static_cast<std::size_t>(at))->Struc();
}
KORA_CATCH_ALL(nullptr)

xfsStrucP xfsXsecFindNext(xfsTable table, xfsSearchRef ref) try {
  CKVxList* list = CKVxList::FromHandle(table);
  xfsSearchRefS* r = xfs::LookupSearchRef(ref);
  if (list == nullptr || r == nullptr || r->table != list) return nullptr;
  CKVxSec* x = list->At(r->next);
  if (x == nullptr) return nullptr;
  ++r->next;
  return x->Struc();
}
KORA_CATCH_ALL(nullptr)

xfsStrucP xfsXsecNext(xfsTable table, xfsStrucP xsec) try { return neighbour(table, xsec, 1); }
KORA_CATCH_ALL(nullptr)
xfsStrucP xfsXsecPrev(xfsTable table, xfsStrucP xsec) try { return neighbour(table, xsec, -1); }
KORA_CATCH_ALL(nullptr)

}  // extern "C"
