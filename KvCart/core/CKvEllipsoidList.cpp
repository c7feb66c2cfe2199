#include "KvCart/core/CKvEllipsoidList.h"

#include <algorithm>
#include <memory>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/DefinitionText.h"
#include "rcf/rcf.h"

namespace {

// A document closed on every path out of a read or write.
struct DocumentGuard {
  void* doc;
  ~DocumentGuard() { rcfClose(&doc); }
};

CKvEllipsoid* FirstWith(const std::vector<CKvEllipsoid*>& list,
                        std::string (CKvEllipsoid::*field)() const, const std::string& value) {
  for (CKvEllipsoid* e : list) {
    if ((e->*field)() == value) return e;
  }
  return nullptr;
}

CKvEllipsoid* ReadOne(void* section) {
  std::string name, code;
  double major = 0.0, invFlatness = 0.0;
  rcfGetParam(section, CKvEllipsoidListIDs::ID_NAME, &name, 1, 1);
  rcfGetParam(section, CKvEllipsoidListIDs::ID_CODE, &code, 1, 1);
  rcfGetParam(section, CKvEllipsoidListIDs::ID_MAJOR, &major, 1, 1);
  rcfGetParam(section, CKvEllipsoidListIDs::ID_INV_FLATNESS, &invFlatness, 1, 1);
  return new CKvEllipsoid(name, code, major, invFlatness);
}

}  // namespace

CKvEllipsoidList::CKvEllipsoidList() = default;

CKvEllipsoidList::~CKvEllipsoidList() {
  for (CKvEllipsoid* e : m_standard) delete e;
  for (CKvEllipsoid* e : m_custom) delete e;
}

const std::vector<CKvEllipsoid*>& CKvEllipsoidList::Select(int type) const {
  if (type == eStandardEllipsoids) return m_standard;
  if (type == eCustomEllipsoids) return m_custom;
  return m_complete;
}

CKvEllipsoidList::Iterator CKvEllipsoidList::GetIteratorBegin(int type) const {
  return Select(type).begin();
}

CKvEllipsoidList::Iterator CKvEllipsoidList::GetIteratorEnd(int type) const {
  return Select(type).end();
}

CKvEllipsoid* CKvEllipsoidList::GetEllipsoid(const std::string& code) const {
  return FirstWith(m_complete, &CKvEllipsoid::GetID, code);
}

CKvEllipsoid* CKvEllipsoidList::GetEllipsoidFromName(const std::string& name) const {
  return FirstWith(m_complete, &CKvEllipsoid::GetName, name);
}

void CKvEllipsoidList::AddEllipsoid(CKvEllipsoid* ellipsoid) {
  if (!ellipsoid) return;
  try {
    m_custom.push_back(ellipsoid);
  } catch (...) {
    delete ellipsoid;  // ownership passed with the call
    throw;
  }
  GenerateCompleteList();
}

// Only custom entries are ever destroyed here: deleting a standard entry
// would leave a dangling pointer in the standard list.
void CKvEllipsoidList::DeleteEllipsoid(CKvEllipsoid* ellipsoid) {
  auto end = std::remove(m_custom.begin(), m_custom.end(), ellipsoid);
  if (!ellipsoid || end == m_custom.end()) return;
  m_custom.erase(end, m_custom.end());
  delete ellipsoid;
  GenerateCompleteList();
}

void CKvEllipsoidList::EditEllipsoid(CKvEllipsoid* ellipsoid) {
  if (std::find(m_custom.begin(), m_custom.end(), ellipsoid) != m_custom.end()) {
    GenerateCompleteList();
  }
}

void CKvEllipsoidList::GenerateCompleteList() {
  m_complete = m_standard;
  m_complete.insert(m_complete.end(), m_custom.begin(), m_custom.end());
}

int CKvEllipsoidList::ReadEllipsoids(const std::string& path, bool custom) {
  DocumentGuard file{rcfLoadFile(path, RCF_LOAD_DEFAULT)};
  if (!file.doc) return rcfGetErrorGlb();
  int status = rcfPeekErrorGlb();
  if (status != RCF_OK) return status;
  void* target = rcfTargetByNameNum(file.doc, ID_TARGET, 1);
  void* first = target ? rcfSectionByNameNum(target, ID_SECTION, 1) : nullptr;
  int count = first ? rcfGetNoInstances(first) : 0;
  std::vector<CKvEllipsoid*>& list = custom ? m_custom : m_standard;
  for (int i = 1; i <= count; ++i) {
    void* section = rcfSectionByNameNum(target, ID_SECTION, i);
    if (!section) continue;
    std::unique_ptr<CKvEllipsoid> ellipsoid(ReadOne(section));
    list.push_back(ellipsoid.get());
    ellipsoid.release();
  }
  return RCF_OK;
}

int CKvEllipsoidList::WriteCustomEllipsoids(const std::string& path) const {
  DocumentGuard file{rcfCreate()};
  if (!file.doc) return rcfGetErrorGlb();
  rcfAddTarget(file.doc, ID_TARGET);
  for (const CKvEllipsoid* e : m_custom) {
    rcfAddSection(file.doc, ID_SECTION);
    rcfPutParam(file.doc, ID_NAME, kvcart::WritableText(e->GetName()));
    rcfPutParam(file.doc, ID_CODE, kvcart::WritableText(e->GetID()));
    rcfPutParam(file.doc, ID_MAJOR, e->GetMajor());
    rcfPutParam(file.doc, ID_INV_FLATNESS, e->GetInvFlatness());
    rcfEndSection(file.doc);
  }
  return rcfWrite(file.doc, path);
}
