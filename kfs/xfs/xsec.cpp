// CKVxSec: building a cross-section (new, or from the blocks of a file),
// resizing and taking over its tables, writing it, and ordering.
#include "kfs/xfs/xsec.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <unordered_set>

#include "kfs/container/kfs_assert.h"

namespace {

// Every live cross-section, so that a structure pointer can be checked
// before it is trusted (single-threaded, as the whole library).
std::unordered_set<const CKVxSec*>& liveSections() {
  static std::unordered_set<const CKVxSec*> live;
  return live;
}

char* copyText(const char* text, std::size_t length) {
  char* copy = static_cast<char*>(std::malloc(length + 1));
  if (copy == nullptr) return nullptr;
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  return copy;
}

// Text of a byte record: its bytes up to the first NUL. An empty text is
// written as one NUL byte and so reads back empty.
char* textOfRecord(const kfsLblockNode& r) {
  const char* bytes = static_cast<const char*>(r.data);
  return copyText(bytes, strnlen(bytes, r.count));
}

// The first records of a block and how many it holds in all. No block of
// a cross-section has more than six records; the rest is only counted.
struct Records {
  static constexpr std::size_t kMax = 6;
  kfsLblockNode* node[kMax] = {};
  std::size_t n = 0;

  std::size_t size() const { return n; }
  kfsLblockNode* operator[](std::size_t i) const { return node[i]; }
};

Records recordsOf(kfsLblock block) {
  Records r;
  for (kfsLblockNode* n = block; n != nullptr; n = n->next, ++r.n)
    if (r.n < Records::kMax) r.node[r.n] = n;
  return r;
}

bool hasData(const kfsLblockNode* n, kfsSimpleType type) {
  return n->type == type && n->count > 0 && n->data != nullptr;
}

// A data block of `types.size()` records, all with the same count and the
// data owned by the block (so that it can be taken over). Returns the
// count, 0 when the block has another shape.
unsigned int uniformCount(const Records& nodes, std::initializer_list<kfsSimpleType> types) {
  if (nodes.size() != types.size()) return 0;
  std::size_t i = 0;
  for (kfsSimpleType type : types) {
    const kfsLblockNode* n = nodes[i++];
    if (!hasData(n, type) || !n->MustFree || n->count != nodes[0]->count) return 0;
  }
  return nodes[0]->count;
}

template <typename T>
T* takeOver(kfsLblockNode* node) {
  return static_cast<T*>(kfsLblockTakeOver(node));
}

template <typename T>
T* zeroed(unsigned int count) {
  return static_cast<T*>(std::calloc(count, sizeof(T)));
}

// Numeric order with NaN after every number, so sorting stays consistent.
int compareChainage(double a, double b) {
  bool nanA = std::isnan(a), nanB = std::isnan(b);
  if (nanA || nanB) return nanA == nanB ? 0 : (nanA ? 1 : -1);
  return a < b ? -1 : (a > b ? 1 : 0);
}

// Case-blind on ASCII letters only: the order of a table must not depend
// on the process locale.
int compareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca - 'A' + 'a');
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb - 'A' + 'a');
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == '\0') return 0;
  }
}

// How much of the header an older file holds (16-bit values, doubles).
void headerPrefix(int version, bool fourIdentRecords, unsigned int* words, unsigned int* doubles) {
  if (version >= 105) {
    *words = XFS_HEADER_WORDS;
    *doubles = XFS_HEADER_DOUBLES;
    return;
  }
  *doubles = version == 104 ? 15 : (fourIdentRecords ? 10 : 9);
  if (version == 104)
    *words = 24;
  else if (version == 103)
    *words = 23;
  else if (version == 102)
    *words = 21;
  else
    *words = fourIdentRecords ? 20 : 16;
}

// The header doubles sit unaligned in the packed structure: copy bytes.
unsigned char* headDBytes(xfsStruc& s) {
  return reinterpret_cast<unsigned char*>(&s) + offsetof(xfsStruc, HeadD);
}
const unsigned char* headDBytes(const xfsStruc& s) {
  return reinterpret_cast<const unsigned char*>(&s) + offsetof(xfsStruc, HeadD);
}

}  // namespace

CKVxSec::CKVxSec() {
  std::memset(&m_s, 0, sizeof m_s);
  m_s.Owner = this;
  SetDefaultHeader();
  liveSections().insert(this);
}

CKVxSec::CKVxSec(const char* topoId, const char* branchName, const char* freeId, double chainage)
    : CKVxSec() {
  m_s.chainage = chainage;
  m_initOk = SetTexts(topoId, branchName, freeId);
}

CKVxSec::~CKVxSec() {
  liveSections().erase(this);
  FreeRaw();
  FreeSel();
  FreePrc();
  FreeCoords();
  std::free(m_s.TopoId);
  std::free(m_s.BranchName);
  std::free(m_s.FreeId);
}

CKVxSec* CKVxSec::FromStruc(const xfsStruc* s) {
  if (s == nullptr || s->Owner == nullptr) return nullptr;
  auto* owner = static_cast<CKVxSec*>(s->Owner);
  if (liveSections().count(owner) == 0 || owner->Struc() != s) return nullptr;
  return owner;
}

bool CKVxSec::SetTexts(const char* topoId, const char* branchName, const char* freeId) {
  if (topoId == nullptr || branchName == nullptr) return false;
  if (freeId == nullptr || freeId[0] == '\0') freeId = " ";
  m_s.TopoId = copyText(topoId, std::strlen(topoId));
  m_s.BranchName = copyText(branchName, std::strlen(branchName));
  m_s.FreeId = copyText(freeId, std::strlen(freeId));
  return m_s.TopoId && m_s.BranchName && m_s.FreeId;
}

void CKVxSec::SetDefaultHeader() {
  std::memset(m_s.HeadU, 0, sizeof m_s.HeadU);
  m_s.HeadU[23] = 2;
  double d[XFS_HEADER_DOUBLES];
  for (int i = 0; i < XFS_HEADER_DOUBLES; ++i) d[i] = i < 10 ? 0.0 : 1.0;
  d[15] = 0.001;
  std::memcpy(headDBytes(m_s), d, sizeof d);
}

CKVxSec* CKVxSec::FromBlocks(kfsLblock ident, kfsLblock header, int version) {
  Records id = recordsOf(ident), head = recordsOf(header);
  if (id.size() != 3 && id.size() != 4) return nullptr;
  if (!hasData(id[0], kfsTypeByte) || !hasData(id[1], kfsTypeDouble) || id[1]->count != 1 ||
      !hasData(id[2], kfsTypeByte) || (id.size() == 4 && !hasData(id[3], kfsTypeByte)))
    return nullptr;
  unsigned int words = 0, doubles = 0;
  headerPrefix(version, id.size() == 4, &words, &doubles);
  if (head.size() != 2 || !hasData(head[0], kfsTypeUInt2) || !hasData(head[1], kfsTypeDouble) ||
      head[0]->count < words || head[1]->count < doubles)
    return nullptr;

  auto* x = new CKVxSec();
  x->m_s.TopoId = textOfRecord(*id[0]);
  std::memcpy(&x->m_s.chainage, id[1]->data, sizeof(double));
  x->m_s.BranchName = textOfRecord(*id[2]);
  x->m_s.FreeId = id.size() == 4 ? textOfRecord(*id[3]) : copyText(" ", 1);
  std::memcpy(x->m_s.HeadU, head[0]->data, words * sizeof(unsigned short));
  std::memcpy(headDBytes(x->m_s), head[1]->data, doubles * sizeof(double));
  x->m_initOk = x->m_s.TopoId && x->m_s.BranchName && x->m_s.FreeId;
  if (!x->m_initOk) {
    delete x;
    return nullptr;
  }
  return x;
}

// ---- tables ---------------------------------------------------------------

void CKVxSec::FreeRaw() {
  xfsDataPart& d = m_s.daDp;
  std::free(d.x), std::free(d.z), std::free(d.RelRes), std::free(d.RawD);
  std::free(d.RawU1), std::free(d.RawU2);
  d.x = d.z = d.RelRes = d.RawD = nullptr;
  d.RawU1 = d.RawU2 = nullptr;
  d.NoRaw = m_capacity.raw = 0;
}

void CKVxSec::FreeSel() {
  std::free(m_s.daDp.SelLevel);
  m_s.daDp.SelLevel = nullptr;
  m_s.daDp.NoSel = m_capacity.sel = 0;
}

void CKVxSec::FreePrc() {
  xfsDataPart& d = m_s.daDp;
  std::free(d.Level), std::free(d.Area), std::free(d.Radius);
  std::free(d.Width), std::free(d.AddFloodA), std::free(d.Resist);
  d.Level = d.Area = d.Radius = d.Width = d.AddFloodA = d.Resist = nullptr;
  d.NoPrc = m_capacity.prc = 0;
}

void CKVxSec::FreeCoords() {
  xfsDataPart& d = m_s.daDp;
  std::free(d.xc), std::free(d.east), std::free(d.north);
  d.xc = d.east = d.north = nullptr;
  d.NoCoords = m_capacity.coords = 0;
}

bool CKVxSec::SetNoRaw(unsigned int count) {
  FreeRaw();
  if (count == 0) return m_initOk;
  xfsDataPart& d = m_s.daDp;
  d.x = zeroed<double>(count), d.z = zeroed<double>(count), d.RelRes = zeroed<double>(count);
  d.RawD = zeroed<double>(count);
  d.RawU1 = zeroed<unsigned short>(count), d.RawU2 = zeroed<unsigned short>(count);
  if (!(d.x && d.z && d.RelRes && d.RawD && d.RawU1 && d.RawU2)) {
    FreeRaw();
    return m_initOk = false;
  }
  d.NoRaw = m_capacity.raw = count;
  return m_initOk;
}

bool CKVxSec::SetNoSel(unsigned int count) {
  FreeSel();
  if (count == 0) return m_initOk;
  m_s.daDp.SelLevel = zeroed<double>(count);
  if (m_s.daDp.SelLevel == nullptr) return m_initOk = false;
  m_s.daDp.NoSel = m_capacity.sel = count;
  return m_initOk;
}

bool CKVxSec::SetNoPrc(unsigned int count) {
  FreePrc();
  if (count == 0) return m_initOk;
  xfsDataPart& d = m_s.daDp;
  d.Level = zeroed<double>(count), d.Area = zeroed<double>(count), d.Radius = zeroed<double>(count);
  d.Width = zeroed<double>(count), d.AddFloodA = zeroed<double>(count),
  d.Resist = zeroed<double>(count);
  if (!(d.Level && d.Area && d.Radius && d.Width && d.AddFloodA && d.Resist)) {
    FreePrc();
    return m_initOk = false;
  }
  d.NoPrc = m_capacity.prc = count;
  return m_initOk;
}

bool CKVxSec::SetNoCoords(unsigned int count) {
  FreeCoords();
  if (count == 0) return m_initOk;
  xfsDataPart& d = m_s.daDp;
  d.xc = zeroed<double>(count), d.east = zeroed<double>(count), d.north = zeroed<double>(count);
  if (!(d.xc && d.east && d.north)) {
    FreeCoords();
    return m_initOk = false;
  }
  d.NoCoords = m_capacity.coords = count;
  return m_initOk;
}

bool CKVxSec::SetNoRaw(kfsLblock block) {
  FreeRaw();
  Records r = recordsOf(block);
  const kfsSimpleType D = kfsTypeDouble, U = kfsTypeUInt2;
  unsigned int count = uniformCount(r, {D, D, D, D, U, U});
  bool older = count == 0 && (count = uniformCount(r, {D, D, D})) != 0;
  if (count == 0) return m_initOk = false;
  xfsDataPart& d = m_s.daDp;
  if (older) {  // only x, z and RelRes were stored
    d.RawD = zeroed<double>(count);
    d.RawU1 = zeroed<unsigned short>(count), d.RawU2 = zeroed<unsigned short>(count);
    if (!(d.RawD && d.RawU1 && d.RawU2)) {
      FreeRaw();
      return m_initOk = false;
    }
  } else {
    d.RawD = takeOver<double>(r[3]);
    d.RawU1 = takeOver<unsigned short>(r[4]), d.RawU2 = takeOver<unsigned short>(r[5]);
  }
  d.x = takeOver<double>(r[0]), d.z = takeOver<double>(r[1]), d.RelRes = takeOver<double>(r[2]);
  d.NoRaw = m_capacity.raw = count;
  return m_initOk;
}

bool CKVxSec::SetNoSel(kfsLblock block) {
  FreeSel();
  Records r = recordsOf(block);
  unsigned int count = uniformCount(r, {kfsTypeDouble});
  if (count == 0) return m_initOk = false;
  m_s.daDp.SelLevel = takeOver<double>(r[0]);
  m_s.daDp.NoSel = m_capacity.sel = count;
  return m_initOk;
}

bool CKVxSec::SetNoPrc(kfsLblock block) {
  FreePrc();
  Records r = recordsOf(block);
  const kfsSimpleType D = kfsTypeDouble;
  unsigned int count = uniformCount(r, {D, D, D, D, D, D});
  if (count == 0) return m_initOk = false;
  xfsDataPart& d = m_s.daDp;
  d.Level = takeOver<double>(r[0]), d.Area = takeOver<double>(r[1]),
  d.Radius = takeOver<double>(r[2]);
  d.Width = takeOver<double>(r[3]), d.AddFloodA = takeOver<double>(r[4]);
  d.Resist = takeOver<double>(r[5]);
  d.NoPrc = m_capacity.prc = count;
  return m_initOk;
}

bool CKVxSec::SetNoCoords(kfsLblock block) {
  FreeCoords();
  Records r = recordsOf(block);
  const kfsSimpleType D = kfsTypeDouble;
  unsigned int count = uniformCount(r, {D, D, D});
  if (count == 0) return m_initOk = false;
  xfsDataPart& d = m_s.daDp;
  d.xc = takeOver<double>(r[0]), d.east = takeOver<double>(r[1]), d.north = takeOver<double>(r[2]);
  d.NoCoords = m_capacity.coords = count;
  return m_initOk;
}

// ---- writing -----------------------------------------------------------------

namespace {

// A block whose nodes refer to the caller's buffers (no copies); the
// buffers must outlive the write.
class BlockBuilder {
 public:
  ~BlockBuilder() { kfsLblockFree(&m_block); }
  void Add(kfsSimpleType type, unsigned int count, const void* data) {
    kfsLblock node = kfsLblockAdd(type, count, data, 0, m_block);
    if (node == nullptr)
      m_ok = false;
    else if (m_block == nullptr)
      m_block = node;
  }
  // A text record; the empty text as a single NUL byte.
  void AddText(const char* text) {
    static const char nul = '\0';
    std::size_t len = text ? std::strlen(text) : 0;
    if (len == 0)
      Add(kfsTypeByte, 1, &nul);
    else
      Add(kfsTypeByte, static_cast<unsigned int>(len), text);
  }
  unsigned int Write(unsigned int id, kfsHandle file) {
    if (!m_ok) return kfsErrMemory;
    kfsLblockWrite(id, file, m_block);
    return kfsPeekError(file);
  }

 private:
  kfsLblock m_block = nullptr;
  bool m_ok = true;
};

}  // namespace

unsigned int CKVxSec::Write(kfsHandle file) const {
  if (file == nullptr) return kfsErrNullArgument;
  if (!IsConsistent()) return kfsErrBlock;
  const xfsDataPart& d = m_s.daDp;
  double chainage = m_s.chainage;
  double headD[XFS_HEADER_DOUBLES];
  std::memcpy(headD, headDBytes(m_s), sizeof headD);
  unsigned short headU[XFS_HEADER_WORDS];
  std::memcpy(headU, m_s.HeadU, sizeof headU);

  BlockBuilder ident;
  ident.AddText(m_s.TopoId);
  ident.Add(kfsTypeDouble, 1, &chainage);
  ident.AddText(m_s.BranchName);
  ident.AddText(m_s.FreeId);
  unsigned int status = ident.Write(257, file);
  if (status) return status;

  BlockBuilder head;
  head.Add(kfsTypeUInt2, XFS_HEADER_WORDS, headU);
  head.Add(kfsTypeDouble, XFS_HEADER_DOUBLES, headD);
  if ((status = head.Write(258, file)) != 0) return status;

  const kfsSimpleType D = kfsTypeDouble;
  if (d.NoRaw) {
    BlockBuilder raw;
    for (const double* a : {d.x, d.z, d.RelRes, d.RawD}) raw.Add(D, d.NoRaw, a);
    raw.Add(kfsTypeUInt2, d.NoRaw, d.RawU1);
    raw.Add(kfsTypeUInt2, d.NoRaw, d.RawU2);
    if ((status = raw.Write(259, file)) != 0) return status;
  }
  if (d.NoSel) {
    BlockBuilder sel;
    sel.Add(D, d.NoSel, d.SelLevel);
    if ((status = sel.Write(260, file)) != 0) return status;
  }
  if (d.NoPrc) {
    BlockBuilder prc;
    for (const double* a : {d.Level, d.Area, d.Radius, d.Width, d.AddFloodA, d.Resist})
      prc.Add(D, d.NoPrc, a);
    if ((status = prc.Write(261, file)) != 0) return status;
  }
  if (d.NoCoords) {
    BlockBuilder coords;
    for (const double* a : {d.xc, d.east, d.north}) coords.Add(D, d.NoCoords, a);
    if ((status = coords.Write(262, file)) != 0) return status;
  }
  return kfsPeekError(file);
}

// ---- ordering ------------------------------------------------------------------

int CKVxSec::Compare(const CKVxSec& other) const {
  int c = compareNoCase(m_s.TopoId ? m_s.TopoId : "", other.m_s.TopoId ? other.m_s.TopoId : "");
  if (c == 0)
    c = compareNoCase(m_s.BranchName ? m_s.BranchName : "",
                      other.m_s.BranchName ? other.m_s.BranchName : "");
  if (c == 0) c = compareChainage(m_s.chainage, other.m_s.chainage);
  return c;
}

bool CKVxSec::Relation(const CKVxSec& other, int mode) const {
  int c = Compare(other);
  if (mode > 0) return c > 0;
  if (mode < 0) return c < 0;
  return c == 0;
}

bool CKVxSec::IsConsistent() const {
  const xfsDataPart& d = m_s.daDp;
  auto table = [](unsigned int count, std::initializer_list<const void*> arrays) {
    for (const void* a : arrays)
      if ((count != 0) != (a != nullptr)) return false;
    return true;
  };
  return table(d.NoRaw, {d.x, d.z, d.RelRes, d.RawD, d.RawU1, d.RawU2}) &&
         table(d.NoSel, {d.SelLevel}) &&
         table(d.NoPrc, {d.Level, d.Area, d.Radius, d.Width, d.AddFloodA, d.Resist}) &&
         table(d.NoCoords, {d.xc, d.east, d.north}) && d.NoRaw <= m_capacity.raw &&
         d.NoSel <= m_capacity.sel && d.NoPrc <= m_capacity.prc &&
         d.NoCoords <= m_capacity.coords && m_s.TopoId && m_s.BranchName && m_s.FreeId;
}

void CKVxSec::AssertValid() const { KFS_ASSERT(IsConsistent()); }
