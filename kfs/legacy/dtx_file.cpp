// dtx entry points (dtx_file.h): the data-file calls that a header of the
// older catalogue family would take, carried out with the CATxxx and TXxxx
// functions.
#include "kfs/legacy/dtx_file.h"

#include <cstdint>
#include <string>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/legacy/catalogue_layout.h"
#include "kfs/legacy/dtx_mapping.h"
#include "kfs/legacy/tx_file.h"
#include "kfs/legacy/tx_file_layout.h"
#include "kfs/util/failure_values.h"

namespace {

enum : int {
  kOk = kfsOK,
  kNull = kfsErrNullArgument,
  kStepRange = DFS_STEP_OUTSIDE,
  kItemRange = DFS_ITEM_OUTSIDE,
  kRead = kfsErrRead,
  kWrite = kfsErrWrite,
  kOpen = kfsErrOpen,
  kMismatch = kfsErrBlock,
  kNotCatalogue = kfsErrNotContainer,
  kUnsupported = kfsErrTimeStep
};

struct DataSetPath {
  std::string prefix, name;
  int nAxes = -1;  // from a ".ctN"/".dtN" extension; -1 without one
};

// "dir/run.ct2" -> ("dir/", "run", 2). An extension other than .ctN or
// .dtN is part of the name.
DataSetPath splitPath(const char* path) {
  DataSetPath p;
  std::string all = path;
  std::size_t slash = all.rfind('/');
  std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  p.prefix = all.substr(0, base);
  p.name = all.substr(base);
  std::size_t dot = p.name.rfind('.');
  if (dot != std::string::npos && p.name.size() == dot + 4) {
    std::string ext = p.name.substr(dot + 1);
    if ((ext.compare(0, 2, "ct") == 0 || ext.compare(0, 2, "dt") == 0) && ext[2] >= '0' &&
        ext[2] <= '4') {
      p.nAxes = ext[2] - '0';
      p.name.erase(dot);
    }
  }
  return p;
}

bool fitsRecord(const DataSetPath& p) {
  return p.prefix.size() < CAT_PATH_SIZE && p.name.size() < CAT_PATH_SIZE;
}

int itemsOf(const catRecord* file) {
  long n = 0;
  return file && kfs::cat::countField(file->nItems, 1, CAT_MAX_ITEMS, &n) ? static_cast<int>(n) : 0;
}

// Current data record, or -1 when nothing is open. Taken from the slot, not
// from TXsp: its float result counts records exactly only up to 2^24.
long long recordOf(catRecord* file) {
  const kfs::tx::Slot* slot = file ? kfs::tx::openSlot(*file) : nullptr;
  return slot ? static_cast<long long>(slot->record) : -1;
}

// The number of whole steps on disk goes into the catalogue.
void storeStepCount(catRecord* file) {
  long long records = kfs::tx::recordsOnDisk(*file);
  int items = itemsOf(file);
  if (records >= 0 && items > 0) file->time.nSets1 = static_cast<float>(records / items - 1);
}

int fromFamily(float result, int failure) {
  return result == 0.0f ? kOk : (result == -2.0f ? kMismatch : failure);
}

}  // namespace

extern "C" {

int dtxIsDtxFile(const char* path) try {
  (void)path;
  return 0;
}
KORA_CATCH_ALL(0)

int dtxReadHeader(const char* path, LPHEAD* header, catRecord** file) try {
  if (header == nullptr || file == nullptr) return kNull;
  *header = nullptr;
  *file = nullptr;
  if (path == nullptr) return kNull;
  DataSetPath p = splitPath(path);
  if (p.nAxes < 0 || !fitsRecord(p)) return kOpen;
  catRecord* cat = newcat(p.nAxes);
  if (cat == nullptr) return kfsErrMemory;
  float read = CATrea(p.prefix.c_str(), p.name.c_str(), cat);
  int status = read == 0.0f ? kOk : (read == -2.0f ? kNotCatalogue : kOpen);
  if (status == kOk) status = fromFamily(TXopr(cat), kOpen);
  if (status == kOk) status = kfs::dtx::headerFromCatalogue(*cat, header);
  if (status != kOk) {
    frecat(cat);
    return status;
  }
  *file = cat;
  return kOk;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxWriteHeader(const char* path, LPHEAD header, catRecord** file) try {
  if (file == nullptr) return kNull;
  *file = nullptr;
  if (path == nullptr || header == nullptr) return kNull;
  int nAxes = kfs::dtx::spatialAxesOf(header);
  DataSetPath p = splitPath(path);
  if (nAxes < 0 || (p.nAxes >= 0 && p.nAxes != nAxes)) return kMismatch;
  if (!fitsRecord(p)) return kOpen;
  catRecord* cat = newcat(nAxes);
  if (cat == nullptr) return kfsErrMemory;
  int status = kfs::dtx::catalogueFromHeader(header, *cat);
  if (status == kOk) status = fromFamily(CATwri(p.prefix.c_str(), p.name.c_str(), cat), kWrite);
  if (status == kOk) status = fromFamily(TXopw(cat), kOpen);
  if (status != kOk) {
    frecat(cat);
    return status;
  }
  *file = cat;
  return kOk;
}
KORA_CATCH_ALL(kfsErrMemory)

LPITEM dtxStaticRead(catRecord* file, int* status) try {
  if (status) *status = file ? kOk : kNull;
  return nullptr;
}
KORA_CATCH_ALL(::kfs::util::FailedWith(status, kfsErrMemory))

int dtxStaticWrite(LPITEM item, catRecord* file, const void* data) try {
  (void)data;
  return (item == nullptr || file == nullptr) ? kNull : kUnsupported;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxReadItem(LPHEAD header, catRecord* file, double* time, void* data) try {
  long long record = recordOf(file);
  int items = itemsOf(file);
  if (header == nullptr || record < 0 || items < 1) return kNull;
  bool ok = data ? TXre(file, static_cast<float*>(data)) > 0.0f : TXsp(file, 1) >= 0.0f;
  if (!ok) return kRead;
  if (time != nullptr) {
    double factor = kfs::dtx::secondsPerTimeUnit(file->time.unit);
    double step = static_cast<double>(record / items);
    *time =
        (static_cast<double>(file->time.start) + step * static_cast<double>(file->time.interval)) *
        factor;
  }
  return kOk;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxWriteItem(LPHEAD header, catRecord* file, const void* data) try {
  if (header == nullptr || file == nullptr || data == nullptr) return kNull;
  return TXwr(file, static_cast<const float*>(data)) > 0.0f ? kOk : kWrite;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxSkipTimestep(LPHEAD header, catRecord* file) try {
  long long record = recordOf(file);
  int items = itemsOf(file);
  if (header == nullptr || record < 0 || items < 1) return kNull;
  return TXsp(file, static_cast<int>(items - record % items)) >= 0.0f ? kOk : kRead;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxFindBlock(catRecord* file, int tag) try {
  (void)tag;
  return file ? kRead : kNull;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxFindItemDynamic(LPHEAD header, catRecord* file, int step, int item) try {
  int items = itemsOf(file);
  if (header == nullptr || recordOf(file) < 0 || items < 1) return kNull;
  // Steps are known only for a file being read; one being written grows.
  long steps = 0;
  bool reading = TXmode(file) == 0;
  bool known = kfs::cat::countField(file->time.nSets1 + 1.0f, 0, INT32_MAX, &steps);
  if (step < 0 || (reading && (!known || step >= steps))) return kStepRange;
  if (item < 1 || item > items) return kItemRange;
  return TXseek(file, step + 1, item) >= 0.0f ? kOk : kRead;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxFileFlush(LPHEAD header, catRecord* file) try {
  if (header == nullptr || file == nullptr) return kNull;
  int mode = TXmode(file);
  if (mode < 0) return kNull;
  if (mode == 0) return kOk;
  storeStepCount(file);
  return fromFamily(TXcw(file), kWrite);
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxFileClose(LPHEAD header, catRecord** file) try {
  if (header == nullptr || file == nullptr || *file == nullptr) return kNull;
  catRecord* cat = *file;
  int mode = TXmode(cat);
  int status = kOk;
  if (mode == 1 || mode == 2) {
    storeStepCount(cat);
    status = fromFamily(mode == 1 ? TXclw(cat) : TXclu(cat), kWrite);
    if (status == kOk) status = fromFamily(CATwri(nullptr, nullptr, cat), kWrite);
  } else if (mode == 0) {
    status = fromFamily(TXclr(cat), kRead);
  }
  frecat(cat);
  *file = nullptr;
  return status;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxFreeHeader(LPHEAD* header) try { return dfsHeaderDestroy(header); }
KORA_CATCH_ALL(kfsErrMemory)

int dtxGetNoUsedItemElements(LPHEAD header, catRecord* file, int* count, int line) try {
  (void)line;
  if (header == nullptr || file == nullptr || count == nullptr) return kNull;
  int n = TXrecordLength(file);
  if (n < 0) return kMismatch;
  *count = n;
  return kOk;
}
KORA_CATCH_ALL(kfsErrMemory)

int dtxIoMode(catRecord* file) try { return TXmode(file); }
KORA_CATCH_ALL(-1)

}  // extern "C"
