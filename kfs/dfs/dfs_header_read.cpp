// Reading the header: blocks up to the static (40000) or dynamic (50000)
// data, the older time-axis layouts among them. Everything taken from the
// file is checked before it is used: record types and counts, item counts
// against the items actually present, axis sizes, statistics counts. A file
// that ends before the static or dynamic data begins is truncated.
#include <cstdlib>
#include <cstring>

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
#include "kfs/dfs/dfs_trace.h"
#include "kfs/util/failure_values.h"

namespace {

// What the reader has met so far.
struct ReadState {
  LPHEAD header = nullptr;
  int itemCapacity = 0;
  int itemsRead = 0;
  bool haveItemCount = false;
  bool haveTimeAxis = false;
};

template <typename T>
int readOne(kfsHandle file, int type, T* out) {
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  const T* value = static_cast<const T*>(in.next(type, 1));
  if (value) *out = *value;
  return in.status();
}

int readText(kfsHandle file, char** field) {
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  char* text = in.nextText();
  if (!text) return in.status();
  std::free(*field);
  *field = text;
  return 0;
}

int readGeoInfo(kfsHandle file, LPHEAD h) {
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  char* text = in.nextText();
  const double* geo = static_cast<const double*>(in.next(kfsTypeDouble, 3));
  if (in.status() != 0) {
    std::free(text);
    return in.status();
  }
  std::free(h->projection);
  h->projection = text;
  h->geoInfoType = F_UTM_PROJECTION;
  h->originLon = geo[0];
  h->originLat = geo[1];
  h->orientation = geo[2];
  return 0;
}

// Time-axis layouts: current (2005x: unit key) and older (2000x: unit name).
struct TimeLayout {
  int type;
  bool calendar;
  bool unitIsText;
  bool hasSecondTime;  // step or span record
};

bool timeLayout(int tag, TimeLayout* layout) {
  if (tag >= 20051 && tag <= 20054) {
    const int type = tag - 20050;
    *layout = {type, type >= F_CAL_EQ_AXIS, false, true};
    return true;
  }
  if (tag >= 20001 && tag <= 20004) {
    const int type = tag - 20000;
    // 20002 and 20004 carry the start alone: the span is unknown.
    *layout = {type, type >= F_CAL_EQ_AXIS, true, type == 1 || type == 3};
    return true;
  }
  return false;
}

void copyFixed(char* field, size_t size, const void* data) {
  std::memcpy(field, data, size - 1);
  field[size - 1] = '\0';
}

int readTimeAxis(kfsHandle file, LPHEAD h, const TimeLayout& layout) {
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  dfsTimeAxis& t = h->time;
  dfs::freeTimeAxis(&t);
  t = dfsTimeAxis{};
  t.type = layout.type;
  t.span = DFS_DELETE_DOUBLE;
  t.endTime = DFS_DELETE_DOUBLE;
  if (layout.calendar) {
    const void* date = in.next(kfsTypeByte, 11);
    const void* time = in.next(kfsTypeByte, 9);
    if (in.status()) return in.status();
    copyFixed(t.startDate, sizeof t.startDate, date);
    copyFixed(t.startTime, sizeof t.startTime, time);
  }
  if (layout.unitIsText) {
    t.unitText = in.nextText();
    t.unit = -1;
  } else {
    const int* unit = static_cast<const int*>(in.next(kfsTypeInt4, 1));
    if (unit) t.unit = *unit;
  }
  const double* times =
      static_cast<const double*>(in.next(kfsTypeDouble, layout.hasSecondTime ? 2 : 1));
  if (in.status()) return in.status();
  t.start = times[0];
  if (layout.hasSecondTime) {
    const bool eq = layout.type == F_TM_EQ_AXIS || layout.type == F_CAL_EQ_AXIS;
    (eq ? t.step : t.span) = times[1];
    if (!eq) t.endTime = t.start + t.span;
  }
  // The older non-equidistant layouts may end here.
  if (!layout.hasSecondTime && in.atEnd()) return 0;
  const int* steps = static_cast<const int*>(in.next(kfsTypeInt4, 2));
  if (!steps) return in.status();
  t.nSteps = steps[0];
  t.startIndex = steps[1];
  // A file without steps has no end time for its steps to extend.
  if (t.nSteps == 0) t.endTime = DFS_DELETE_DOUBLE;
  return 0;
}

int readItemCount(kfsHandle file, ReadState& st) {
  int n = 0;
  if (int s = readOne(file, kfsTypeInt4, &n)) return s;
  if (n < 0 || st.haveItemCount) return DFS_FAIL(st.header, file, kfsErrCount);
  st.haveItemCount = true;
  st.header->nItems = n;
  return 0;
}

// Items are allocated as they are met, not from the count alone: a count
// taken from a file must not decide an allocation the file cannot fill.
absItemS* nextItemSlot(ReadState& st) {
  LPHEAD h = st.header;
  if (st.itemsRead == st.itemCapacity) {
    const int grown = st.itemCapacity == 0 ? 8 : st.itemCapacity * 2;
    const int capacity = grown < h->nItems ? grown : h->nItems;
    auto* items = static_cast<absItemS*>(std::realloc(h->items, sizeof(absItemS) * capacity));
    if (!items) return nullptr;
    h->items = items;
    st.itemCapacity = capacity;
  }
  absItemS* item = &h->items[st.itemsRead];
  dfs::initItem(item, h, 0);
  ++st.itemsRead;
  return item;
}

int readStatistics(kfsHandle file, LPHEAD h, absItemS* item) {
  if (dfs::nextBlockTag(file) != 30003) return DFS_FAIL(h, file, kfsErrRead);
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  const kfsLblock node = in.peekNode();
  if (int s = dfsCheckTypeSize(node, kfsTypeDouble, 0, __FILE__, __LINE__)) return s;
  const long long axis = dfs::axisElements(item);
  // Under compression the used count is known only once the encode keys,
  // stored behind the header, have been read: the count is checked then.
  const long long count = node->count;
  const bool fits = h->encoded ? (count % 9 == 0 && count <= 9 * axis) : count == 9 * axis;
  if (!fits) return DFS_FAIL(h, file, kfsErrCount);
  int type = 0;
  unsigned int n = 0;
  void* data = in.takeAny(&type, &n);
  if (!data) return in.status();
  std::free(item->stats);
  item->stats = static_cast<double*>(data);
  item->nStats = static_cast<int>(n);
  return 0;
}

int readAssocStatic(kfsHandle file, LPHEAD h, int n) {
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  unsigned int count = 0;
  const unsigned int* numbers = static_cast<const unsigned int*>(in.next(kfsTypeUInt4, 0, &count));
  if (!numbers) return in.status();
  for (unsigned int i = 0; i < count; ++i) {
    const int number = numbers[i] > 0x7fffffffu ? 0 : static_cast<int>(numbers[i]);
    if (int s = dfsSetAssocStatic(h, n, number)) return s;
  }
  return 0;
}

int readItem(kfsHandle file, ReadState& st, int tag) {
  LPHEAD h = st.header;
  if (!st.haveItemCount || st.itemsRead >= h->nItems) return DFS_FAIL(h, file, kfsErrCount);
  absItemS* item = nextItemSlot(st);
  if (!item) return DFS_FAIL(h, file, kfsErrMemory);
  if (int s = dfs::readItemBlocks(file, tag, item)) return s;
  if (h->statsType == F_REG_STAT || h->statsType == F_LARGE_STAT)
    if (int s = readStatistics(file, h, item)) return s;
  if (dfs::nextBlockTag(file) == 30004) return readAssocStatic(file, h, st.itemsRead);
  return 0;
}

int readCustomBlock(kfsHandle file, LPHEAD h) {
  kfsLblock raw = nullptr;
  int tag = 0;
  if (int s = dfs::readBlock(file, &raw, &tag)) return s;
  dfs::InBlock in(raw);
  char* name = in.nextText();
  int type = 0;
  unsigned int count = 0;
  void* data = in.takeAny(&type, &count);
  auto* block = static_cast<dfsCustomBlock*>(std::calloc(1, sizeof(dfsCustomBlock)));
  if (in.status() || !block || count > 0x7fffffffu) {
    std::free(name);
    std::free(data);
    std::free(block);
    return in.status() ? in.status() : DFS_FAIL(h, file, block ? kfsErrCount : kfsErrMemory);
  }
  block->name = name;
  block->type = type;
  block->count = static_cast<int>(count);
  block->data = data;
  dfsCustomBlock** tail = &h->customBlocks;
  while (*tail) tail = &(*tail)->next;
  *tail = block;
  return 0;
}

// One header block; *done when the static or dynamic data begins.
int readHeaderBlock(kfsHandle file, ReadState& st, bool* done) {
  LPHEAD h = st.header;
  unsigned int id = 0;
  const kfsSimpleType next = kfsQuery(file, &id);
  if (next != kfsTypeBlock) {
    const unsigned int status = kfsPeekError(file);
    if (next >= 1) return DFS_FAIL(h, file, kfsErrSkipBlock);  // a record between blocks
    if (next == kfsTypeTerminator) return DFS_FAIL(h, file, kfsErrStructure);
    return DFS_FAIL(h, file, dfs::readFailure(status));
  }
  const int tag = static_cast<int>(id);
  if (dfsDebugIsOn()) DebugPrint("tag=%d", tag);
  TimeLayout layout;
  switch (tag) {
    case DFS_TAG_STATIC:
    case DFS_TAG_DYNAMIC: *done = true; return 0;
    case DFS_TAG_FILE_INFO:
    case DFS_TAG_TIME_AXIS:
    case DFS_TAG_ITEMS: return dfs::skipBlock(file);
    case 10004: {
      short type = 0;
      const int s = readOne(file, kfsTypeInt2, &type);
      h->fileType = type;
      return s;
    }
    case 10001: return readText(file, &h->fileTitle);
    case 10002: return readText(file, &h->appTitle);
    case 10003: return readOne(file, kfsTypeInt4, &h->appVersion);
    case 10012: return readOne(file, kfsTypeInt4, &h->dataType);
    case 10013: return readOne(file, kfsTypeInt4, &h->encoded);
    case 10005: return readOne(file, kfsTypeInt4, &h->statsType);
    case 10006: return readOne(file, kfsTypeFloat, &h->deleteFloat);
    case 10007: return readOne(file, kfsTypeDouble, &h->deleteDouble);
    case 10008: return readOne(file, kfsTypeByte, &h->deleteByte);
    case 10009: return readOne(file, kfsTypeInt4, &h->deleteInt);
    case 10010: return readOne(file, kfsTypeUInt4, &h->deleteUnsigned);
    case 10011: return readGeoInfo(file, h);
    case 30001: return readItemCount(file, st);
    case 30002:
    case 30005: return readItem(file, st, tag);
    case DFS_TAG_CUSTOM: return readCustomBlock(file, h);
    default:
      if (timeLayout(tag, &layout)) {
        st.haveTimeAxis = true;
        return readTimeAxis(file, h, layout);
      }
      if (dfsDebugIsOn()) DebugPrint("Unknown file tag found");
      return dfs::skipBlock(file);
  }
}

int readHeaderBlocks(kfsHandle file, ReadState& st) {
  bool done = false;
  while (!done)
    if (int s = readHeaderBlock(file, st, &done)) return s;
  // Every item the count announced, and a time axis, make a whole header.
  if (!st.haveTimeAxis || !st.haveItemCount || st.itemsRead != st.header->nItems)
    return DFS_FAIL(st.header, file, kfsErrRead);
  return 0;
}

}  // namespace

extern "C" {

LPHEAD dfsReadHeader(kfsHandle file, int* status) try {
  int s = dfsCheckFile(file, __FILE__, __LINE__);
  if (dfsDebugIsOn()) DebugEnter("dfsReadHeader");
  ReadState st;
  if (!s) {
    dfs::setPosition(file, dfs::eInHeader);
    st.header = static_cast<LPHEAD>(std::calloc(1, sizeof(DfsHeader)));
    s = st.header ? dfsInitHeader(st.header) : DFS_FAIL(nullptr, file, kfsErrMemory);
  }
  if (!s) s = readHeaderBlocks(file, st);
  if (s && st.header) {
    st.header->nItems = st.itemsRead;  // only the items that were set up
    dfsHeaderDestroy(&st.header);
  }
  if (status) *status = s;
  if (dfsDebugIsOn()) DebugExit("%p [%d]", static_cast<void*>(st.header), s);
  return st.header;
}
KORA_CATCH_ALL(::kfs::util::FailedWith(status, DFS_FAIL(nullptr, file, kfsErrMemory)))

}  // extern "C"
