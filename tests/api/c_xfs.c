/* The cross-section interface must be callable from C: this file is
 * compiled as C and links the shared library. */
#include "kfs/xfs/xfs.h"

unsigned int koracore_c_xfs_first(const char* path, double* chainage) {
  xfsTable table = NULL;
  xfsSearchRef ref = NULL;
  xfsStrucP first;
  unsigned int status = xfsXsecTableLoad(path, &table, XFS_LOAD_HEADERS_ONLY);
  if (status != 0) return status;
  first = xfsXsecFind(table, "", "", &ref, 0.0);
  if (first != NULL) {
    *chainage = first->chainage;
    (void)xfsXsecNext(table, first);
    (void)xfsXsecFindNext(table, ref);
  }
  return xfsXsecTableFree(&table);
}

xfsStrucP koracore_c_xfs_make(kfsHandle file) {
  xfsStrucP x = xfsXsecCreateEx("TOPO", "BRANCH", NULL, 12.5);
  if (x != NULL && xfsXsecSetNoRaw(x, 4) && xfsXsecWrite(x, file) == 0) return x;
  xfsXsecFree(&x);
  return NULL;
}
