// CKVxList: loading a cross-section file block by block into a sorted table.
#include "kfs/xfs/xsec_list.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "kfs/xfs/xfs_block_walk.h"
#include "kfs/xfs/xfs_search_ref.h"

namespace {

enum BlockId : unsigned int {
  kIdent = 257,
  kHeader = 258,
  kRaw = 259,
  kSel = 260,
  kPrc = 261,
  kCoords = 262
};

std::unordered_set<const void*>& liveTables() {
  static std::unordered_set<const void*> live;
  return live;
}

// Owns a block read from the file until it is used or dropped.
struct OwnedBlock {
  kfsLblock block = nullptr;
  ~OwnedBlock() { kfsLblockFree(&block); }
  void Reset() { kfsLblockFree(&block); }
};

bool isError(unsigned int status) { return status != kfsOK && status != kfsEndOfFile; }

}  // namespace

CKVxList::CKVxList() { liveTables().insert(this); }

CKVxList::~CKVxList() {
  liveTables().erase(this);
  xfs::ForgetTable(this);
  for (CKVxSec* x : m_list) delete x;
  if (m_file) kfsFileClose(&m_file);
}

CKVxList* CKVxList::FromHandle(const void* handle) {
  if (handle == nullptr || liveTables().count(handle) == 0) return nullptr;
  return static_cast<CKVxList*>(const_cast<void*>(handle));
}

void CKVxList::Insert(CKVxSec* xsec) {
  auto at = std::upper_bound(m_list.begin(), m_list.end(), xsec,
                             [](const CKVxSec* a, const CKVxSec* b) { return a->Compare(*b) < 0; });
  m_list.insert(at, xsec);
  xsec->MarkOwnedByTable();
}

long CKVxList::Find(const CKVxSec& key) const {
  auto at = std::lower_bound(m_list.begin(), m_list.end(), &key,
                             [](const CKVxSec* a, const CKVxSec* b) { return a->Compare(*b) < 0; });
  if (at == m_list.end() || !(*at)->Relation(key, 0)) return -1;
  return static_cast<long>(at - m_list.begin());
}

long CKVxList::IndexOf(const CKVxSec* xsec) const {
  if (xsec == nullptr) return -1;
  auto less = [](const CKVxSec* a, const CKVxSec* b) { return a->Compare(*b) < 0; };
  auto first = std::lower_bound(m_list.begin(), m_list.end(), xsec, less);
  auto last = std::upper_bound(first, m_list.end(), xsec, less);
  auto at = std::find(first, last, xsec);
  // Callers may change an identification in place: then the bisection looks
  // in the wrong place, and only a walk finds the object.
  if (at == last) at = std::find(m_list.begin(), m_list.end(), xsec);
  return at == m_list.end() ? -1 : static_cast<long>(at - m_list.begin());
}

bool CKVxList::TakeDataBlock(unsigned int id, kfsLblock block, CKVxSec* current) {
  if (current == nullptr) return false;  // data before any cross-section
  switch (id) {
    case kRaw: return current->SetNoRaw(block);
    case kSel: return current->SetNoSel(block);
    case kPrc: return current->SetNoPrc(block);
    default: return current->SetNoCoords(block);
  }
}

unsigned int CKVxList::Load(const char* path, int flags) {
  if (m_file != nullptr) return kfsErrOpen;  // one file per table
  unsigned int status = xfsFileOpenRead(path, &m_file);
  if (status != kfsOK) return status;
  m_version = static_cast<int>(kfsGetVersionCreateApp(m_file));
  const bool headersOnly = (flags & XFS_LOAD_HEADERS_ONLY) != 0;

  OwnedBlock ident;
  long long identPos = -1;
  CKVxSec* current = nullptr;
  unsigned int id = 0;
  long long pos = -1;
  while ((status = xfs::NextBlock(m_file, &id, &pos)) == kfsOK) {
    bool wanted = id >= kIdent && id <= kCoords && !(headersOnly && id >= kRaw);
    if (!wanted) {
      kfsLblockSkip(m_file);
      continue;
    }
    OwnedBlock read;
    unsigned int nRecords = 0;
    kfsLblockRead(m_file, &nRecords, &read.block);
    if (isError(status = kfsPeekError(m_file))) return status;

    if (id == kIdent) {
      ident.Reset();
      std::swap(ident.block, read.block);
      identPos = pos;
    } else if (id == kHeader) {
      // Owned here until the table holds it: the insert may run out of memory.
      std::unique_ptr<CKVxSec> x(
          ident.block ? CKVxSec::FromBlocks(ident.block, read.block, m_version) : nullptr);
      if (x == nullptr) return kfsErrBlock;
      x->SetFilePos(identPos);
      Insert(x.get());
      current = x.release();
      ident.Reset();  // one identification makes one cross-section
    } else if (!TakeDataBlock(id, read.block, current)) {
      return kfsErrBlock;
    }
  }
  return status == kfsEndOfFile ? static_cast<unsigned int>(kfsOK) : status;
}
