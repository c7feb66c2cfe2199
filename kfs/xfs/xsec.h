// CKVxSec - one cross-section: its identification, header and data tables
// in the caller-visible structure xfsStruc, plus validity and the file
// position it was loaded from.
//
// The structure is embedded in the object and points back to it (Owner);
// the flat interface turns an xfsStrucP back into its object with
// FromStruc, which answers null for any pointer that is not the structure
// of a live CKVxSec, so a stray pointer never reaches the object code.
//
// Invariant (AssertValid): each table has all its arrays when its count is
// above 0 and none when it is 0.
//
// Example:
//   CKVxSec x("TOPO-1", "RIVER", nullptr, 1250.0);
//   x.SetNoRaw(12);               // 12 zeroed raw points
//   x.Struc()->daDp.z[0] = 3.25;
//   x.Write(handle);
#ifndef KFS_XFS_XSEC_H
#define KFS_XFS_XSEC_H

#include <cstdint>

#include "kfs/xfs/xfs.h"

class CKVxSec {
 public:
  // Default header, no data; a null or empty free id becomes " ". Check
  // InitOk(): it is false when a text is null or memory ran out.
  CKVxSec(const char* topoId, const char* branchName, const char* freeId, double chainage);
  ~CKVxSec();
  CKVxSec(const CKVxSec&) = delete;
  CKVxSec& operator=(const CKVxSec&) = delete;

  // Builds a cross-section from an identification block (3 or 4 records)
  // and a header block (2 records) of a file of the given version. Null
  // when the blocks do not have that shape.
  static CKVxSec* FromBlocks(kfsLblock ident, kfsLblock header, int version);

  // The object of a structure pointer, or null when it is none.
  static CKVxSec* FromStruc(const xfsStruc* s);

  xfsStrucP Struc() { return &m_s; }
  const xfsStruc* Struc() const { return &m_s; }
  bool InitOk() const { return m_initOk; }
  long long FilePos() const { return m_filePos; }
  void SetFilePos(long long pos) { m_filePos = pos; }
  // Set when a table has taken the cross-section over (it frees it).
  bool OwnedByTable() const { return m_ownedByTable; }
  void MarkOwnedByTable() { m_ownedByTable = true; }

  // Resize a table to count zeroed elements (0: no arrays); the result is
  // InitOk().
  bool SetNoRaw(unsigned int count);
  bool SetNoSel(unsigned int count);
  bool SetNoPrc(unsigned int count);
  bool SetNoCoords(unsigned int count);

  // Take a data block over: its buffers become the table (no copy). A block
  // of the wrong shape (record count, types, unequal counts) leaves the
  // table empty and the cross-section invalid. The raw block may also hold
  // only x, z and RelRes (older files); the other arrays are then zeroed.
  bool SetNoRaw(kfsLblock block);
  bool SetNoSel(kfsLblock block);
  bool SetNoPrc(kfsLblock block);
  bool SetNoCoords(kfsLblock block);

  // Appends the blocks of this cross-section; returns the handle's status,
  // or 2010 (nothing written) when a caller has left counts and arrays of a
  // table out of step.
  unsigned int Write(kfsHandle file) const;

  // mode 1: this comes after other; -1: before; 0: same identification.
  // Topo ids, then branch names, compare without regard to (ASCII) case,
  // then the chainages numerically.
  bool Relation(const CKVxSec& other, int mode) const;
  // The same ordering as a three-way result (<0, 0, >0).
  int Compare(const CKVxSec& other) const;

  // Every count matches its arrays (all six raw arrays included) and is
  // no larger than the arrays were made for: the counts are public fields,
  // and a raised one must not make a write read past the arrays.
  bool IsConsistent() const;
  // Stops the process (KFS_ASSERT) when IsConsistent fails, in every build:
  // for code that has just built the tables itself.
  void AssertValid() const;

 private:
  CKVxSec();
  bool SetTexts(const char* topoId, const char* branchName, const char* freeId);
  void SetDefaultHeader();
  void FreeRaw();
  void FreeSel();
  void FreePrc();
  void FreeCoords();

  // Elements each table's arrays hold, as allocated or taken over.
  struct Capacity {
    unsigned int raw = 0, sel = 0, prc = 0, coords = 0;
  };

  xfsStruc m_s;
  Capacity m_capacity;
  bool m_initOk = false;
  long long m_filePos = -1;
  bool m_ownedByTable = false;
};

#endif
