// Search references of xfsXsecFind / xfsXsecFindNext: a table and the
// index at which the walk continues. They live as long as the library;
// a reference whose table is deleted stops answering. Internal.
#ifndef KFS_XFS_XFS_SEARCH_REF_H
#define KFS_XFS_XFS_SEARCH_REF_H

#include <cstddef>

#include "kfs/xfs/xfs.h"

struct CKVxList;  // the tag the C interface gives it

struct xfsSearchRefS {
  const CKVxList* table;
  std::size_t next;
};

namespace xfs {

// *slot when it already holds a live reference, else a new one stored in
// *slot (slot may be null: then a new reference that nobody sees again is
// not made, and null is returned).
xfsSearchRefS* AcquireSearchRef(xfsSearchRef* slot);
// The reference, or null when it is not one of ours.
xfsSearchRefS* LookupSearchRef(xfsSearchRef ref);
// Detaches every reference from a table that is going away.
void ForgetTable(const CKVxList* table);

}  // namespace xfs

#endif
