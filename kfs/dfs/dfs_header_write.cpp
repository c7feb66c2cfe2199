// Writing the header: file information, time axis, items and custom blocks,
// in that order. The whole header is checked before the first byte is
// written, so a header that cannot be stored leaves the file as it was.
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_blockio.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_trace.h"
#include "kfs/dfs/dfs_units.h"

namespace {

int writeEmpty(kfsHandle file, unsigned int tag) {
  dfs::OutBlock b;
  return b.write(file, tag, __FILE__, __LINE__);
}

template <typename T>
int writeOne(kfsHandle file, unsigned int tag, int type, T value) {
  dfs::OutBlock b;
  b.add(type, 1, &value);
  return b.write(file, tag, __FILE__, __LINE__);
}

int writeText(kfsHandle file, unsigned int tag, const char* text) {
  dfs::OutBlock b;
  b.addText(text);
  return b.write(file, tag, __FILE__, __LINE__);
}

int writeFileInfo(LPHEAD h, kfsHandle file) {
  const short fileType = static_cast<short>(h->fileType);
  int s = writeEmpty(file, DFS_TAG_FILE_INFO);
  if (!s) s = writeOne(file, 10004, kfsTypeInt2, fileType);
  if (!s) s = writeText(file, 10001, h->fileTitle);
  if (!s) s = writeText(file, 10002, h->appTitle);
  if (!s) s = writeOne(file, 10003, kfsTypeInt4, h->appVersion);
  if (!s) s = writeOne(file, 10012, kfsTypeInt4, h->dataType);
  if (!s) s = writeOne(file, 10013, kfsTypeInt4, h->encoded);
  if (!s) s = writeOne(file, 10005, kfsTypeInt4, h->statsType);
  if (!s) s = writeOne(file, 10006, kfsTypeFloat, h->deleteFloat);
  if (!s) s = writeOne(file, 10007, kfsTypeDouble, h->deleteDouble);
  if (!s) s = writeOne(file, 10008, kfsTypeByte, h->deleteByte);
  if (!s) s = writeOne(file, 10009, kfsTypeInt4, h->deleteInt);
  if (!s) s = writeOne(file, 10010, kfsTypeUInt4, h->deleteUnsigned);
  if (!s && h->geoInfoType == F_UTM_PROJECTION) {
    const double geo[3] = {h->originLon, h->originLat, h->orientation};
    dfs::OutBlock b;
    b.addText(h->projection);
    b.add(kfsTypeDouble, 3, geo);
    s = b.write(file, 10011, __FILE__, __LINE__);
  }
  return s;
}

// The unit key written for the axis: an older file's unit name is written
// as the key the units library knows for it.
int timeUnitKey(const dfsTimeAxis& t) {
  if (t.unit >= 0 || !t.unitText) return t.unit;
  const int key = dfs::unitKeyOf(t.unitText);
  return key != 0 ? key : t.unit;
}

int writeTimeAxis(LPHEAD h, kfsHandle file) {
  const dfsTimeAxis& t = h->time;
  const int unit = timeUnitKey(t);
  const bool eq = t.type == F_TM_EQ_AXIS || t.type == F_CAL_EQ_AXIS;
  const bool calendar = t.type == F_CAL_EQ_AXIS || t.type == F_CAL_NEQ_AXIS;
  const double times[2] = {t.start, eq ? t.step : t.span};
  const int steps[2] = {t.nSteps, t.startIndex};
  char date[11], time[9];
  std::memcpy(date, t.startDate, sizeof date);
  std::memcpy(time, t.startTime, sizeof time);
  date[10] = '\0';
  time[8] = '\0';
  int s = writeEmpty(file, DFS_TAG_TIME_AXIS);
  if (s) return s;
  dfs::OutBlock b;
  if (calendar) {
    b.add(kfsTypeByte, 11, date);
    b.add(kfsTypeByte, 9, time);
  }
  b.add(kfsTypeInt4, 1, &unit);
  b.add(kfsTypeDouble, 2, times);
  b.add(kfsTypeInt4, 2, steps);
  return b.write(file, static_cast<unsigned int>(20050 + t.type), __FILE__, __LINE__);
}

int writeItem(LPHEAD h, kfsHandle file, absItemS* item) {
  if (int s = dfs::writeItemBlocks(file, item)) return s;
  if (h->statsType == F_REG_STAT || h->statsType == F_LARGE_STAT) {
    dfs::OutBlock b;
    b.add(kfsTypeDouble, static_cast<unsigned int>(item->nStats), item->stats);
    if (int s = b.write(file, 30003, __FILE__, __LINE__)) return s;
  }
  int n = 0;
  for (const dfsAssocStatic* e = item->assocStatic; e; e = e->next) ++n;
  if (n == 0) return 0;
  unsigned int* numbers = nullptr;
  if (int s = dfsCheckMallocZ(reinterpret_cast<void**>(&numbers), sizeof(unsigned int) * n,
                              __FILE__, __LINE__))
    return s;
  int i = 0;
  for (const dfsAssocStatic* e = item->assocStatic; e; e = e->next)
    numbers[i++] = static_cast<unsigned int>(e->number);
  dfs::OutBlock b;
  b.add(kfsTypeUInt4, static_cast<unsigned int>(n), numbers);
  const int s = b.write(file, 30004, __FILE__, __LINE__);
  std::free(numbers);
  return s;
}

int writeItems(LPHEAD h, kfsHandle file) {
  int s = writeEmpty(file, DFS_TAG_ITEMS);
  if (!s) s = writeOne(file, 30001, kfsTypeInt4, h->nItems);
  for (int i = 0; i < h->nItems && !s; ++i) s = writeItem(h, file, &h->items[i]);
  return s;
}

int writeCustomBlocks(LPHEAD h, kfsHandle file) {
  for (const dfsCustomBlock* c = h->customBlocks; c; c = c->next) {
    dfs::OutBlock b;
    b.addText(c->name);
    b.add(c->type, static_cast<unsigned int>(c->count), c->data);
    if (int s = b.write(file, DFS_TAG_CUSTOM, __FILE__, __LINE__)) return s;
  }
  return 0;
}

// A new file holds no values yet: its statistics start empty, with the
// element counts and the delete value the header has now (either may have
// changed since the items were defined, and a stale "nothing yet" marker
// would be taken for a value).
int prepareStatistics(LPHEAD h) {
  for (int i = 0; i < h->nItems; ++i)
    if (int s = InitItemStats(&h->items[i], __LINE__)) return s;
  return 0;
}

int checkWritable(LPHEAD h) {
  if (h->geoInfoType != F_UNDEFINED_GEOINFO && h->geoInfoType != F_UTM_PROJECTION)
    return DFS_FAIL(h, nullptr, kfsErrBlock);
  if (h->time.type < F_TM_EQ_AXIS || h->time.type > F_CAL_NEQ_AXIS)
    return DFS_FAIL(h, nullptr, kfsErrBlock);
  if (h->nItems > 0 && !h->items) return DFS_FAIL(h, nullptr, kfsErrBlock);
  for (int i = 0; i < h->nItems; ++i)
    if (int s = dfs::checkItemWritable(&h->items[i], true)) return s;
  return 0;
}

}  // namespace

namespace dfs {

int checkHeaderWritable(DfsHeader* header) { return checkWritable(header); }

}  // namespace dfs

extern "C" {

int dfsWriteHeader(LPHEAD header, kfsHandle file) try {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (dfsDebugIsOn()) DebugEnter("dfsWriteHeader");
  int s = checkWritable(header);
  if (!s) s = prepareStatistics(header);
  if (!s) {
    // The file keeps the header's delete values for static items written
    // through it without a header of their own.
    if (dfs::FileState* state = dfs::state(file)) {
      state->deleteFloat = header->deleteFloat;
      state->deleteDouble = header->deleteDouble;
    }
    s = writeFileInfo(header, file);
  }
  if (!s) s = writeTimeAxis(header, file);
  if (!s) s = writeItems(header, file);
  if (!s) s = writeCustomBlocks(header, file);
  if (dfsDebugIsOn()) DebugExit("[%d]", s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
