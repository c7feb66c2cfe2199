#include "qty/CKVitemType.h"

#include "qty/CKVfilter.h"
#include "qty/CKVunit.h"
#include "qty/QtyAssert.h"

CKVitemType::CKVitemType(const std::string& key, long id, const std::string& ident,
                         CKVdimension* dim)
    : m_key(key), m_nNumId(id), m_ident(ident), m_pDimension(dim) {}

CKVitemType::~CKVitemType() { delete m_pDimension; }

std::unique_ptr<CKVitemType> NewItemType(const std::string& key, long id, const std::string& ident,
                                         const CKVdimension& dim) {
  auto dimension = std::make_unique<CKVdimension>(dim);
  auto itemType = std::make_unique<CKVitemType>(key, id, ident, dimension.get());
  static_cast<void>(dimension.release());  // the item type owns it now
  return itemType;
}

bool CKVitemType::AllowUnit(CKVunit& unit, bool atFront) {
  if (!unit.IsEqv(GetDim())) return false;
  for (const CKVunit* allowed : m_units) {
    if (allowed->GetId() == unit.GetId() || allowed->GetIdent() == unit.GetIdent()) return false;
  }
  if (atFront) {
    m_units.insert(m_units.begin(), &unit);
  } else {
    m_units.push_back(&unit);
  }
  return true;
}

const CKVunit* CKVitemType::GetUnit(long seq) const {
  if (seq < 1 || seq > static_cast<long>(m_units.size())) return nullptr;
  return m_units[static_cast<size_t>(seq - 1)];
}

int CKVitemType::GetItemUserUnit() const {
  if (m_nUserUnit != -1) return static_cast<int>(m_nUserUnit);
  if (m_units.empty()) return -1;
  return static_cast<int>(m_units.front()->GetId());
}

bool CKVitemType::IsMemberOf(const CKVfilter& filter) const {
  return IsMemberOf(static_cast<long>(filter));
}

void CKVitemType::AssertValid() const {
  QTY_ASSERT(m_nNumId != 0 && "CKVitemType: id != 0");
  QTY_ASSERT(m_pDimension != nullptr && "CKVitemType: dimension set");
}

const CKVdimension& CKVitemType::GetDim() const {
  AssertValid();
  return *m_pDimension;
}
