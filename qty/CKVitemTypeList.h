// The ordered lists the registry keeps, and the include-file writers, which
// work on the list of item types.
#ifndef QTY_CKVITEMTYPELIST_H
#define QTY_CKVITEMTYPELIST_H

#include <vector>

class CKVunit;
class CKVitemType;
class CKVfilter;

using CKVunitList = std::vector<CKVunit*>;
using CKVfilterList = std::vector<CKVfilter*>;

class CKVitemTypeList : public std::vector<CKVitemType*> {
 public:
  // Writes "qtyDefine.c__", ".p__", ".f__" and ".cs" into the current
  // directory. A file that cannot be created is reported on standard error
  // and skipped; true when all four were written.
  bool WriteIncludes(const CKVunitList* units, const CKVfilterList* filters) const;
  // Writes "qtyAllowedUnits.HTML"; false (reported) when it cannot be created.
  bool WriteAllowedUnits() const;
};

#endif
