// Static items: free-standing item records written once, between the header
// and the time steps, each followed by its values (block 40001).
#include "kfs/dfs/dfs_static.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/kora_boundary.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_blockio.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_step.h"
#include "kfs/dfs/dfs_timestep.h"
#include "kfs/dfs/dfs_trace.h"
#include "kfs/util/failure_values.h"

namespace {

bool isItemTag(int tag) { return tag == 30005 || tag == 30002; }

// Delete values for conversions: the item's header's, else those the file
// took over from the header it was created with.
void deleteValues(const absItemS* item, kfsHandle file, float* f, double* d) {
  *f = item->header ? item->header->deleteFloat : file ? dfs::deleteFloat(file) : DFS_DELETE_FLOAT;
  *d = item->header ? item->header->deleteDouble
       : file       ? dfs::deleteDouble(file)
                    : DFS_DELETE_DOUBLE;
}

int checkWritable(const absItemS* item, kfsHandle file, const void* data) {
  if (!data) return DFS_FAIL(item->header, file, kfsErrBlock);
  if (kfs::IsReadOnly(file)) return DFS_FAIL(item->header, file, kfsErrReadOnly);
  // Static data lies before the time steps: once they began it is too late.
  if (dfs::position(file) == dfs::eInDynamic)
    return DFS_FAIL(item->header, file, kfsErrNullArgument);
  if (dfs::isTimeVaryingAxis(item->axisType)) return DFS_FAIL(item->header, file, kfsErrBlock);
  if (int s = dfs::checkItemWritable(item, false)) return s;
  if (dfsSimpSize(item->dataType) == 0) return DFS_FAIL(item->header, file, kfsErrType);
  return 0;
}

int writeValues(kfsHandle file, const absItemS* item, const void* values, int elements) {
  dfs::OutBlock b;
  b.add(item->dataType, static_cast<unsigned int>(elements), values);
  return b.write(file, DFS_TAG_STATIC_DATA, __FILE__, __LINE__);
}

// Whether the static item at the file's position can be written over by
// `item` in place: it must be there, and take the same bytes. Reading it
// leaves the file where it was.
int checkRewritable(const absItemS* item, kfsHandle file) {
  const int tag = dfs::nextBlockTag(file);
  if (!isItemTag(tag)) return DFS_FAIL(item->header, file, kfsErrNullArgument);
  const long long position = kfsTell64(file);
  absItemS stored;
  dfs::initItem(&stored, nullptr, 1);
  int s = dfs::readItemBlocks(file, tag, &stored);
  if (!s && !dfs::sameStoredForm(&stored, item)) s = DFS_FAIL(item->header, file, kfsErrBlock);
  dfs::clearItem(&stored);
  if (kfsSeek64(file, position, 0) != 0 && !s) s = DFS_FAIL(item->header, file, kfsErrSeek);
  return s;
}

// Opens the static section for a write. A new file gets its marker. An edit
// handle (not at the end of its file) has the file's sections behind it: a
// write there goes over the static item at its position, which must take
// the same bytes; where the time steps begin, static data comes too late,
// as in any file whose steps have begun. Nothing is written when refused.
int beginStaticSection(const absItemS* item, kfsHandle file) {
  if (dfs::atEndOfFile(file)) {
    if (dfs::position(file) != dfs::eInHeader) return 0;
    dfs::OutBlock marker;
    if (int s = marker.write(file, DFS_TAG_STATIC, __FILE__, __LINE__)) return s;
    dfs::setPosition(file, dfs::eInStatic);
    return 0;
  }
  if (dfs::position(file) == dfs::eInHeader && dfs::nextBlockTag(file) != DFS_TAG_STATIC)
    return DFS_FAIL(item->header, file, kfsErrNullArgument);
  if (int s = dfs::enterStatic(file)) return s;
  return checkRewritable(item, file);
}

int staticWrite(absItemS* item, kfsHandle file, const void* data) {
  if (int s = dfsCheckItem(item, __FILE__, __LINE__)) return s;
  if (int s = dfsCheckFile(file, __FILE__, __LINE__)) return s;
  if (int s = checkWritable(item, file, data)) return s;
  const int elements = dfsGetAxisElements(item);
  std::vector<unsigned char> converted;
  const void* values = data;
  if (dfs::convertsData(item)) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    converted.assign(bytes, bytes + static_cast<size_t>(dfsSimpSize(item->dataType)) * elements);
    float delF;
    double delD;
    deleteValues(item, file, &delF, &delD);
    if (!dfs::convertData(item, dfs::Direction::ToStored, converted.data(), elements, delF, delD))
      return DFS_FAIL(item->header, file, kfsErrUnit);
    values = converted.data();
  }
  dfs::clearEndOfFile(file);
  if (int s = beginStaticSection(item, file)) return s;
  if (int s = dfs::writeItemBlocks(file, item)) return s;
  return writeValues(file, item, values, elements);
}

// The tag of the next static item, or 0 when the static data is over (a
// container error is returned as its code in *status).
int nextStaticItem(kfsHandle file, int* status) {
  *status = 0;
  if (dfs::position(file) == dfs::eInDynamic) return 0;
  if ((*status = dfs::enterStatic(file)) != 0) return 0;
  const int tag = dfs::nextBlockTag(file);
  if (isItemTag(tag)) return tag;
  const unsigned int latched = kfsPeekError(file);
  if (latched > 1) *status = DFS_FAIL(nullptr, file, static_cast<int>(latched));
  return 0;
}

int readValues(kfsHandle file, absItemS* item) {
  if (dfs::nextBlockTag(file) != DFS_TAG_STATIC_DATA) {
    const unsigned int latched = kfsPeekError(file);
    return DFS_FAIL(nullptr, file, dfs::latchedOr(latched, kfsErrStructure));
  }
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  const long long elements = dfs::axisElements(item);
  if (int s = dfsCheckTypeSize(in.peekNode(), item->dataType, static_cast<unsigned int>(elements),
                               __FILE__, __LINE__))
    return s;
  int type = 0;
  unsigned int count = 0;
  item->staticData = in.takeAny(&type, &count);
  if (!item->staticData) return in.status();
  item->nStaticData = static_cast<int>(count);
  return 0;
}

LPITEM staticRead(kfsHandle file, int* status) {
  int tag = nextStaticItem(file, status);
  if (!tag) return nullptr;
  LPITEM item = nullptr;
  int s = dfsStaticCreate(&item);
  if (!s) s = dfs::readItemBlocks(file, tag, item);
  if (!s) s = readValues(file, item);
  if (s) dfsStaticDestroy(&item);
  *status = s;
  return item;
}

// The item's blocks up to and including its values; another item or
// section before the values is a broken file.
int skipStaticItem(kfsHandle file) {
  if (int s = dfs::skipBlock(file)) return s;
  for (;;) {
    const int tag = dfs::nextBlockTag(file);
    if (tag < 0 || isItemTag(tag) || tag == DFS_TAG_STATIC || tag == DFS_TAG_DYNAMIC) {
      const unsigned int latched = kfsPeekError(file);
      return DFS_FAIL(nullptr, file, dfs::latchedOr(latched, kfsErrStructure));
    }
    if (int s = dfs::skipBlock(file)) return s;
    if (tag == DFS_TAG_STATIC_DATA) return 0;
  }
}

}  // namespace

extern "C" {

int dfsStaticCreate(LPITEM* item) try {
  if (!item) return DFS_FAIL(nullptr, nullptr, kfsErrNullArgument);
  *item = static_cast<LPITEM>(std::malloc(sizeof(absItemS)));
  if (!*item) return DFS_FAIL(nullptr, nullptr, kfsErrMemory);
  dfs::initItem(*item, nullptr, 1);
  if (!(*item)->name) {
    std::free(*item);
    *item = nullptr;
    return DFS_FAIL(nullptr, nullptr, kfsErrMemory);
  }
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsStaticDestroy(LPITEM* item) try {
  if (!item || !*item) return 0;
  dfs::clearItem(*item);
  std::free(*item);
  *item = nullptr;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsStaticSetHeader(LPHEAD header, LPITEM item) try {
  if (int s = dfsCheckHeader(header, __FILE__, __LINE__)) return s;
  if (int s = dfsCheckItem(item, __FILE__, __LINE__)) return s;
  if (!item->header) item->header = header;
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsStaticWrite(LPITEM item, kfsHandle file, const void* data) try {
  if (dfsDebugIsOn()) DebugEnter("dfsStaticWrite");
  const int s = staticWrite(item, file, data);
  if (dfsDebugIsOn()) DebugExit("[%d]", s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

LPITEM dfsStaticRead(kfsHandle file, int* status) try {
  int s = dfsCheckFile(file, __FILE__, __LINE__);
  if (dfsDebugIsOn()) DebugEnter("dfsStaticRead");
  LPITEM item = s ? nullptr : staticRead(file, &s);
  if (status) *status = s;
  if (dfsDebugIsOn()) DebugExit("%p [%d]", static_cast<void*>(item), s);
  return item;
}
KORA_CATCH_ALL(::kfs::util::FailedWith(status, DFS_FAIL(nullptr, file, kfsErrMemory)))

int dfsStaticGetData(LPITEM item, void* buffer) try {
  if (int s = dfsCheckItem(item, __FILE__, __LINE__)) return s;
  if (!buffer || !item->staticData) return DFS_FAIL(item->header, nullptr, kfsErrBlock);
  const int elements = dfsGetUsedItemElements(item);
  if (elements != item->nStaticData) return DFS_FAIL(item->header, nullptr, kfsErrCount);
  float delF;
  double delD;
  deleteValues(item, nullptr, &delF, &delD);
  double probe = 1.0;
  if (dfs::convertsData(item) &&
      !dfs::convertValue(dfs::dataConversion(item), dfs::Direction::ToCaller, &probe))
    return DFS_FAIL(item->header, nullptr, kfsErrUnit);
  std::memcpy(buffer, item->staticData,
              static_cast<size_t>(dfsSimpSize(item->dataType)) * static_cast<size_t>(elements));
  dfs::convertData(item, dfs::Direction::ToCaller, buffer, elements, delF, delD);
  return 0;
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, nullptr, kfsErrMemory))

int dfsStaticSkip(kfsHandle file) try {
  if (int s = dfsCheckFile(file, __FILE__, __LINE__)) return s;
  int status = 0;
  if (!nextStaticItem(file, &status)) return status ? status : DFS_ITEM_OUTSIDE;
  return skipStaticItem(file);
}
KORA_CATCH_ALL(DFS_FAIL(nullptr, file, kfsErrMemory))

}  // extern "C"
