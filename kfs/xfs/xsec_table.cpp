// CKVxTab: indexing the identification blocks of a cross-section file.
#include "kfs/xfs/xsec_table.h"

#include <cstring>
#include <string>
#include <vector>

#include "kfs/xfs/xfs.h"
#include "kfs/xfs/xfs_block_walk.h"

namespace {

// Keys fold ASCII case so that lookups match the table's ordering.
CString foldedKey(const char* text, std::size_t length) {
  std::string key(text, length);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return CString(key.c_str());
}

CString keyOfRecord(const kfsLblockNode& r) {
  const char* bytes = static_cast<const char*>(r.data);
  return foldedKey(bytes, strnlen(bytes, r.count));
}

struct Identification {
  CString topo, branch;
  double chainage = 0;
};

bool parseIdentification(kfsLblock block, Identification* out) {
  std::vector<kfsLblockNode*> r;
  for (kfsLblockNode* n = block; n != nullptr; n = n->next) r.push_back(n);
  if (r.size() != 3 && r.size() != 4) return false;
  for (std::size_t i = 0; i < r.size(); ++i) {
    kfsSimpleType want = i == 1 ? kfsTypeDouble : kfsTypeByte;
    if (r[i]->type != want || r[i]->count == 0 || r[i]->data == nullptr) return false;
  }
  if (r[1]->count != 1) return false;
  out->topo = keyOfRecord(*r[0]);
  out->branch = keyOfRecord(*r[2]);
  std::memcpy(&out->chainage, r[1]->data, sizeof(double));
  return true;
}

bool isError(unsigned int status) { return status != kfsOK && status != kfsEndOfFile; }

}  // namespace

unsigned int CKVxTab::Load(const char* path) {
  m_index.clear();
  kfsHandle file = nullptr;
  unsigned int status = xfsFileOpenRead(path, &file);
  if (status != kfsOK) return status;
  unsigned int id = 0;
  long long pos = -1;
  while ((status = xfs::NextBlock(file, &id, &pos)) == kfsOK) {
    if (id != 257) {
      kfsLblockSkip(file);
      continue;
    }
    kfsLblock block = nullptr;
    unsigned int nRecords = 0;
    kfsLblockRead(file, &nRecords, &block);
    Identification ident;
    bool ok = !isError(kfsPeekError(file)) && parseIdentification(block, &ident);
    kfsLblockFree(&block);
    if (!ok) {
      status =
          isError(kfsPeekError(file)) ? kfsPeekError(file) : static_cast<unsigned int>(kfsErrBlock);
      break;
    }
    m_index[ident.topo][ident.branch].Insert(ident.chainage, pos);
  }
  if (status == kfsEndOfFile) status = kfsOK;
  kfsFileClose(&file);
  if (status != kfsOK) m_index.clear();
  return status;
}

const CKVchainageArr* CKVxTab::Chainages(const char* topoId, const char* branchName) const {
  const char* t = topoId ? topoId : "";
  const char* b = branchName ? branchName : "";
  auto topo = m_index.find(foldedKey(t, std::strlen(t)));
  if (topo == m_index.end()) return nullptr;
  auto branch = topo->second.find(foldedKey(b, std::strlen(b)));
  return branch == topo->second.end() ? nullptr : &branch->second;
}

long long CKVxTab::xfsXsecFind(const char* topoId, double chainage, const char* branchName) const {
  bool noTexts =
      (topoId == nullptr || topoId[0] == '\0') && (branchName == nullptr || branchName[0] == '\0');
  if (noTexts && chainage == 0.0) {
    if (m_index.empty() || m_index.begin()->second.empty()) return -1;
    const CKVchainageArr& first = m_index.begin()->second.begin()->second;
    return first.Count() > 0 ? first.Position(0) : -1;
  }
  const CKVchainageArr* arr = Chainages(topoId, branchName);
  if (arr == nullptr) return -1;
  int at = arr->Find(chainage);
  return at < 0 ? -1 : arr->Position(at);
}
