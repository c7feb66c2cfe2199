#include "KvCart/core/CKvMapProjectionList.h"

#include <algorithm>

#include "KvCart/core/CKvMapProjData.h"
#include "KvCart/core/CKvMapProjDataIDs.h"
#include "rcf/rcf.h"

CKvMapProjectionList::~CKvMapProjectionList() { Clear(); }

void CKvMapProjectionList::Clear() {
  for (CKvMapProjData* record : m_records) delete record;
  m_records.clear();
}

std::string CKvMapProjectionList::KeyOf(const std::string& name) const {
  return m_nameKey != nullptr ? m_nameKey(name) : name;
}

CKvMapProjData* CKvMapProjectionList::GetMapProjection(const std::string& name) const {
  const std::string key = KeyOf(name);
  for (CKvMapProjData* record : m_records) {
    if (KeyOf(record->GetName()) == key) return record;
  }
  return nullptr;
}

void CKvMapProjectionList::AddMapProjection(CKvMapProjData* record) {
  if (record != nullptr) m_records.push_back(record);
}

void CKvMapProjectionList::DeleteMapProjection(CKvMapProjData* record) {
  // Destroy only what the list owns: a pointer from elsewhere is left alone
  // rather than freed a second time by the list's destructor later.
  const auto end = std::remove(m_records.begin(), m_records.end(), record);
  if (record == nullptr || end == m_records.end()) return;
  m_records.erase(end, m_records.end());
  delete record;
}

int CKvMapProjectionList::WriteCustomMapProjections(const std::string& path) const {
  void* doc = rcfCreate();
  if (doc == nullptr) return rcfGetErrorGlb();
  rcfAddTarget(doc, CKvMapProjDataIDs::ID_TARGET);
  // Each record decides for itself: only editable (custom) records write a section.
  for (CKvMapProjData* record : m_records) record->WriteToHandle(doc);
  const int status = rcfWrite(doc, path);
  rcfClose(&doc);
  return status;
}
