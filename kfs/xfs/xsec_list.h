// CKVxList - a loaded cross-section file (the table behind xfsTable): the
// open container handle and the cross-sections in ascending order of
// CKVxSec::Compare (topo id, branch name, chainage).
//
// The table owns its cross-sections and its handle; deleting it closes the
// file and stops every search reference into it.
//
// Example:
//   CKVxList table;
//   if (table.Load("network.xns", 0) == 0)
//     for (std::size_t i = 0; i < table.Count(); ++i) use(table.At(i)->Struc());
#ifndef KFS_XFS_XSEC_LIST_H
#define KFS_XFS_XSEC_LIST_H

#include <cstddef>
#include <vector>

#include "kfs/xfs/xsec.h"

// Declared with the tag the C interface uses for its handle type (`struct
// CKVxList*`): compilers that mangle the tag into names then agree on it.
struct CKVxList {
 public:
  CKVxList();
  ~CKVxList();
  CKVxList(const CKVxList&) = delete;
  CKVxList& operator=(const CKVxList&) = delete;

  // Reads the whole file. flags bit 0: identifications and headers only.
  // Returns 0, the container's status of a failed open or read, 2010
  // when a cross-section cannot be built (a header without identification,
  // blocks of the wrong shape, a data block before any cross-section), or
  // 2019 for a byte that begins no item (a damaged file). Whole records
  // between blocks and blocks of other ids are passed over. On
  // failure the table holds whatever was read; discard it.
  unsigned int Load(const char* path, int flags);

  // Inserts at the sorted place (bisection); equal identifications keep
  // the order of insertion. The table takes ownership.
  void Insert(CKVxSec* xsec);

  std::size_t Count() const { return m_list.size(); }
  CKVxSec* At(std::size_t i) const { return i < m_list.size() ? m_list[i] : nullptr; }
  // Index of the first cross-section equal to key, or -1.
  long Find(const CKVxSec& key) const;
  // Index of this very object, or -1.
  long IndexOf(const CKVxSec* xsec) const;
  // The version of the loaded file (0 before a load).
  int Version() const { return m_version; }

  // The table behind a handle, or null when it is none.
  static CKVxList* FromHandle(const void* handle);

 private:
  bool TakeDataBlock(unsigned int id, kfsLblock block, CKVxSec* current);

  kfsHandle m_file = nullptr;
  std::vector<CKVxSec*> m_list;
  int m_version = 0;
};

#endif
