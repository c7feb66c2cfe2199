// CKVxTab - an index of a cross-section file: topo id -> branch name ->
// chainages with the file positions of their identification blocks. It
// reads only the identifications, so a large file is indexed without
// loading its data; a caller seeks to a position to read one cross-section.
//
// Topo ids and branch names are matched without regard to (ASCII) case, as
// the table of CKVxList orders them; chainages must match exactly.
#ifndef KFS_XFS_XSEC_TABLE_H
#define KFS_XFS_XSEC_TABLE_H

#include <map>

#include "base/CString.h"
#include "kfs/xfs/chainage_array.h"

class CKVxTab {
 public:
  // Indexes every identification block (3 or 4 records) of the file.
  // Returns 0, the container's status of a failed open or read, 2010
  // for an identification block of another shape, or 2019 for a byte that
  // begins no item. Replaces what was indexed before.
  unsigned int Load(const char* path);

  // File position of the identification block of that cross-section, or
  // -1. With both texts empty (or null) and chainage 0: the first entry.
  long long xfsXsecFind(const char* topoId, double chainage, const char* branchName) const;

  // The chainages of one branch, or null.
  const CKVchainageArr* Chainages(const char* topoId, const char* branchName) const;

  bool IsEmpty() const { return m_index.empty(); }

 private:
  using BranchMap = std::map<CString, CKVchainageArr>;
  std::map<CString, BranchMap> m_index;
};

#endif
