// CKVitemType: a physical quantity that data can carry (water level,
// discharge, ...): one dimension, the ordered units it accepts (the first is
// its default unit), an optional unit chosen by the user, display hints and a
// bit mask of the filters it belongs to.
//
// The item type owns its copy of the dimension; the allowed units belong to
// the registry. Every allowed unit has the item type's dimension: AllowUnit
// refuses any other, because data stored in such a unit could not be
// converted to the item type's other units.
#ifndef QTY_CKVITEMTYPE_H
#define QTY_CKVITEMTYPE_H

#include <memory>
#include <string>
#include <vector>

#include "qty/CKVdimension.h"

class CKVunit;
class CKVfilter;

class CKVitemType {
 public:
  // Takes ownership of dim.
  CKVitemType(const std::string& key, long id, const std::string& ident, CKVdimension* dim);
  CKVitemType(const CKVitemType&) = delete;
  CKVitemType& operator=(const CKVitemType&) = delete;
  ~CKVitemType();

  // Adds unit at the front or back of the allowed units. False, and nothing
  // changes, when the dimensions differ or a unit with the same id or ident
  // is already allowed.
  bool AllowUnit(CKVunit& unit, bool atFront);
  // The seq-th allowed unit, 1-based; null outside 1..count.
  const CKVunit* GetUnit(long seq) const;
  const std::vector<CKVunit*>& GetUnitList() const { return m_units; }

  void SetItemUserUnit(int unitId) { m_nUserUnit = unitId; }
  // The chosen user unit, else the first allowed unit, else -1.
  int GetItemUserUnit() const;

  void SetFilter(long mask) { m_nFilter = mask; }
  long GetFilter() const { return m_nFilter; }
  void FileItem(int flag) { m_nFileItem = flag; }
  int IsFileItem() const { return m_nFileItem; }
  bool IsMemberOf(const CKVfilter& filter) const;
  bool IsMemberOf(long mask) const { return (m_nFilter & mask) != 0; }

  void AssertValid() const;

  const std::string& GetKey() const { return m_key; }
  void SetKey(const std::string& key) { m_key = key; }
  long GetId() const { return m_nNumId; }
  const std::string& GetIdent() const { return m_ident; }
  const CKVdimension& GetDim() const;
  int GetDecimals() const { return m_nDecimals; }
  void SetDecimals(int decimals) { m_nDecimals = decimals; }
  double GetDefaultValue() const { return m_dDefaultValue; }
  void SetDefaultValue(double value) { m_dDefaultValue = value; }

 private:
  std::string m_key;
  long m_nNumId;
  long m_nUserUnit = -1;
  std::string m_ident;
  CKVdimension* m_pDimension;
  std::vector<CKVunit*> m_units;
  long m_nFilter = 0;
  int m_nFileItem = 1;
  int m_nDecimals = -1;
  double m_dDefaultValue = 0.0;
};

// A new item type with its own copy of dim; nothing leaks when memory runs
// out part way.
std::unique_ptr<CKVitemType> NewItemType(const std::string& key, long id, const std::string& ident,
                                         const CKVdimension& dim);

#endif
