// Bringing the header of a file that is being written up to date in place:
// each header block is read back, its values replaced from the in-memory
// header, and written again over itself with the same records and counts,
// so nothing behind it moves. Texts keep their stored length (padded with
// blanks, titles and names cut; a projection text that does not fit is kept
// as stored and reported).
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "base/kora_boundary.h"
#include "kfs/container/call_trace.h"
#include "kfs/container/kfs_access.h"
#include "kfs/dfs/dfs_axis.h"
#include "kfs/dfs/dfs_blockio.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_trace.h"

namespace {

// The n-th record of a block, when it has the type and count wanted.
kfsLblock recordAt(kfsLblock block, int n, int type, unsigned int count) {
  for (int i = 0; block && i < n; ++i) block = block->next;
  if (!block || block->type != type || !block->data) return nullptr;
  if (count != 0 && block->count != count) return nullptr;
  return block;
}

template <typename T>
void put(kfsLblock block, int n, int type, const T* values, unsigned int count) {
  const kfsLblock r = recordAt(block, n, type, count);
  if (r) std::memcpy(r->data, values, sizeof(T) * count);
}

template <typename T>
void putOne(kfsLblock block, int n, int type, T value) {
  put(block, n, type, &value, 1);
}

// The text written over a stored one: blanks to the stored length, cut when
// longer, the terminating zero kept.
void putText(kfsLblock block, int n, const char* text) {
  const kfsLblock r = recordAt(block, n, kfsTypeByte, 0);
  if (!r || !text) return;
  char* stored = static_cast<char*>(r->data);
  const size_t room = r->count - 1;
  const size_t given = std::strlen(text);
  const size_t used = given < room ? given : room;
  std::memcpy(stored, text, used);
  std::memset(stored + used, ' ', room - used);
  stored[room] = '\0';
}

// A projection text is well-known text that a reader hands to the projection
// library: cut short it no longer parses, unlike a cut title. One longer than
// the stored record is therefore left as stored, and the update reports it.
bool projectionFits(kfsLblock block, const char* text) {
  const kfsLblock r = recordAt(block, 0, kfsTypeByte, 0);
  return !r || std::strlen(text) < r->count;
}

void updateFileInfo(LPHEAD h, int tag, kfsLblock b) {
  switch (tag) {
    case 10001: putText(b, 0, h->fileTitle); break;
    case 10002: putText(b, 0, h->appTitle); break;
    case 10003: putOne(b, 0, kfsTypeInt4, h->appVersion); break;
    case 10006: putOne(b, 0, kfsTypeFloat, h->deleteFloat); break;
    case 10007: putOne(b, 0, kfsTypeDouble, h->deleteDouble); break;
    case 10008: putOne(b, 0, kfsTypeByte, h->deleteByte); break;
    case 10009: putOne(b, 0, kfsTypeInt4, h->deleteInt); break;
    case 10010: putOne(b, 0, kfsTypeUInt4, h->deleteUnsigned); break;
    case 10012: putOne(b, 0, kfsTypeInt4, h->dataType); break;
    case 10011: {
      const double geo[3] = {h->originLon, h->originLat, h->orientation};
      if (h->projection && projectionFits(b, h->projection)) putText(b, 0, h->projection);
      put(b, 1, kfsTypeDouble, geo, 3);
      break;
    }
    default: break;
  }
}

bool isTimeTag(int tag) { return (tag >= 20051 && tag <= 20054) || (tag >= 20001 && tag <= 20004); }

// The time block in the layout of its own tag (older tags stay older).
void updateTimeAxis(LPHEAD h, int tag, kfsLblock b) {
  const int type = tag > 20050 ? tag - 20050 : tag - 20000;
  const bool calendar = type >= F_CAL_EQ_AXIS;
  const bool eq = type == F_TM_EQ_AXIS || type == F_CAL_EQ_AXIS;
  const dfsTimeAxis& t = h->time;
  int r = calendar ? 3 : 1;  // the first double record
  const kfsLblock times = recordAt(b, r, kfsTypeDouble, 0);
  if (times) {
    double* v = static_cast<double*>(times->data);
    v[0] = t.start;
    if (times->count >= 2) {
      if (eq)
        v[1] = t.step;
      else if (t.endTime != DFS_DELETE_DOUBLE)
        v[1] = t.endTime - t.start;
      else
        v[1] = t.span;
    }
  }
  const kfsLblock steps = recordAt(b, r + 1, kfsTypeInt4, 2);
  if (steps) {
    int* v = static_cast<int*>(steps->data);
    if (t.nSteps > v[0]) v[0] = t.nSteps;
  }
}

void updateItem(const absItemS* item, int tag, kfsLblock b) {
  const double stats[3] = {item->itemMax, item->itemMin, item->itemMissing};
  const float ref[3] = {item->refX, item->refY, item->refZ};
  const float orient[3] = {item->orientAlpha, item->orientPhi, item->orientTheta};
  putOne(b, 0, kfsTypeInt4, item->itemType);
  putText(b, 1, item->name);
  if (tag == 30005) putOne(b, 2, kfsTypeInt4, item->unitKey);
  putOne(b, 3, kfsTypeInt4, item->dataType);
  put(b, 4, kfsTypeDouble, stats, 3);
  put(b, 5, kfsTypeFloat, ref, 3);
  put(b, 6, kfsTypeFloat, orient, 3);
}

void updateAxis(const absItemS* item, int tag, kfsLblock b) {
  if (dfs::axisTag(item->axisType) != tag) return;
  const int type = item->axisType;
  const int n = dfs::axisSizeCount(type);
  int ints[5] = {item->axisUnit, 0, 0, 0, 0};
  std::memcpy(ints + 1, item->axisSize, sizeof(int) * static_cast<size_t>(n));
  put(b, 0, kfsTypeInt4, ints, static_cast<unsigned int>(1 + n));
  if (dfs::isEquidistantAxis(type)) {
    float eq[8];
    std::memcpy(eq, item->axisOrigin, sizeof(float) * static_cast<size_t>(n));
    std::memcpy(eq + n, item->axisStep, sizeof(float) * static_cast<size_t>(n));
    put(b, 1, kfsTypeFloat, eq, static_cast<unsigned int>(2 * n));
  }
  if (type == F_NEQ_AXIS_D1 && item->axisPoints)
    put(b, 1, kfsTypeFloat, item->axisPoints, static_cast<unsigned int>(3 * item->axisSize[0]));
  for (int i = 0; i < dfs::axisArrayCount(type); ++i) {
    if (!item->axisCoords[i]) continue;
    const long long len = dfs::axisArrayLength(type, item->axisSize, i);
    put(b, 1 + i, kfsTypeDouble, item->axisCoords[i], static_cast<unsigned int>(len));
  }
}

// The custom blocks lie on disk in the order of the header's list, so the
// n-th block on disk takes the n-th entry: names need not be unique, and
// matching by name alone would give every block of a name the values of the
// first.
void updateCustom(const dfsCustomBlock* c, kfsLblock b) {
  const kfsLblock name = recordAt(b, 0, kfsTypeByte, 0);
  const kfsLblock data = name ? name->next : nullptr;
  if (!c || !data || !data->data) return;
  const char* stored = static_cast<const char*>(name->data);
  const size_t len = std::strlen(c->name);
  if (len + 1 != name->count || std::memcmp(c->name, stored, len + 1) != 0) return;
  if (c->type == data->type && static_cast<unsigned int>(c->count) == data->count)
    std::memcpy(data->data, c->data, static_cast<size_t>(c->count) * kfsSimpSize(c->type));
}

// Which blocks a walk rewrites, and the item the following blocks belong to.
struct Walk {
  LPHEAD header;
  bool timeOnly;
  int item = -1;                                // index of the current item, -1 before the first
  dfsCustomBlock* const* nextCustom = nullptr;  // link to the next custom block's entry
  bool projectionTooLong = false;               // the stored projection text was kept
  bool marked = false;                          // the file is marked as being rewritten
};

// Replaces the values of one block; false when the block is left alone.
bool updateBlock(Walk& w, int tag, kfsLblock b) {
  LPHEAD h = w.header;
  if (isTimeTag(tag)) {
    updateTimeAxis(h, tag, b);
    return true;
  }
  if (w.timeOnly) return false;
  if (tag == 30002 || tag == 30005) ++w.item;
  const absItemS* item = (w.item >= 0 && w.item < h->nItems) ? &h->items[w.item] : nullptr;
  if ((tag >= 10001 && tag <= 10003) || (tag >= 10006 && tag <= 10012)) {
    if (tag == 10011 && h->projection && !projectionFits(b, h->projection))
      w.projectionTooLong = true;
    updateFileInfo(h, tag, b);
    return true;
  }
  if (tag == DFS_TAG_CUSTOM) {
    if (!w.nextCustom) w.nextCustom = &h->customBlocks;
    const dfsCustomBlock* c = *w.nextCustom;
    if (c) w.nextCustom = &c->next;
    updateCustom(c, b);
    return true;
  }
  if (!item) return false;
  switch (tag) {
    case 30002:
    case 30005: updateItem(item, tag, b); return true;
    case 30006: putOne(b, 0, kfsTypeInt4, item->valueType); return true;
    case 30003:
      if (item->stats)
        put(b, 0, kfsTypeDouble, item->stats, static_cast<unsigned int>(item->nStats));
      return true;
    default:
      if (tag >= 31051 && tag <= 31062) {
        updateAxis(item, tag, b);
        return true;
      }
      return false;
  }
}

// Releases, when its scope ends however it ends, a block read from the file
// or the edit handle: comparing a block's values can run out of memory.
class BlockReleaser {
 public:
  explicit BlockReleaser(kfsLblock* block) : m_block(block) {}
  ~BlockReleaser() { kfsLblockFree(m_block); }
  BlockReleaser(const BlockReleaser&) = delete;
  BlockReleaser& operator=(const BlockReleaser&) = delete;

 private:
  kfsLblock* m_block;
};

class HandleCloser {
 public:
  explicit HandleCloser(kfsHandle* file) : m_file(file) {}
  ~HandleCloser() {
    if (*m_file) FCloseFile(m_file);
  }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  kfsHandle* m_file;
};

// The values of a block, to tell whether an update changed anything.
std::vector<unsigned char> snapshot(kfsLblock block) {
  std::vector<unsigned char> bytes;
  for (kfsLblock n = block; n; n = n->next) {
    if (!n->data) continue;
    const auto* data = static_cast<const unsigned char*>(n->data);
    bytes.insert(bytes.end(), data, data + static_cast<size_t>(n->count) * kfsSimpSize(n->type));
  }
  return bytes;
}

int handleStatus(kfsHandle f) {
  const unsigned int s = kfsPeekError(f);
  if (s == 0) return 0;
  return DFS_FAIL(nullptr, f, dfs::readFailure(s));
}

// Before the first block is written over, the file is marked as being
// rewritten; only a walk that wrote every block takes the mark away again.
int markRewrite(kfsHandle edit, Walk& w) {
  if (w.marked) return 0;
  if (!kfs::WriteReservedWord(edit, dfs::kHeaderUpdateMark)) {
    const int s = handleStatus(edit);
    return s ? s : DFS_FAIL(w.header, edit, kfsErrWrite);
  }
  w.marked = true;
  return 0;
}

int unmarkRewrite(kfsHandle edit, const Walk& w) {
  if (!w.marked || kfs::WriteReservedWord(edit, 0)) return 0;
  const int s = handleStatus(edit);
  return s ? s : DFS_FAIL(w.header, edit, kfsErrWrite);
}

int walkHeader(kfsHandle edit, Walk& w) {
  if (w.header->statsType < F_NO_STAT || w.header->statsType > F_LARGE_STAT)
    return DFS_FAIL(w.header, edit, kfsErrBlock);
  for (;;) {
    const long long position = kfsTell64(edit);
    unsigned int id = 0;
    if (kfsQuery(edit, &id) != kfsTypeBlock) {
      if (dfsDebugIsOn()) DebugPrint("Zero tag found, end of file, corrupt file");
      return kfsPeekError(edit) == 1 ? 0 : handleStatus(edit);
    }
    const int tag = static_cast<int>(id);
    if (tag == DFS_TAG_STATIC || tag == DFS_TAG_DYNAMIC) return 0;
    kfsLblock block = nullptr;
    const BlockReleaser releaser(&block);
    unsigned int records = 0;
    if (kfsLblockRead(edit, &records, &block) < 0 || kfsPeekError(edit) != 0) {
      kfsLblockFree(&block);
      return handleStatus(edit);
    }
    // Only blocks whose values changed are written again: a header of many
    // items costs a seek and a write per block otherwise.
    const std::vector<unsigned char> before = snapshot(block);
    if (updateBlock(w, tag, block)) {
      if (snapshot(block) != before) {
        if (int s = markRewrite(edit, w)) return s;
        kfsSeek64(edit, position, 0);
        kfsLblockWrite(static_cast<unsigned int>(tag), edit, block);
      }
    } else if (dfsDebugIsOn() && !(tag >= 10000 && tag <= 60000)) {
      DebugPrint("Unknown tag found %d", tag);
    }
    kfsLblockFree(&block);
    if (int s = handleStatus(edit)) return s;
  }
}

bool updateDue(kfsHandle file) {
  const dfs::FileState* state = dfs::state(file);
  if (!state) return true;  // the flush that follows reports the latched 2000
  const std::clock_t now = std::clock();
  return static_cast<double>(now - state->lastHeaderUpdate) / CLOCKS_PER_SEC > 1.0;
}

int updateHeader(LPHEAD header, int force, kfsHandle file, bool timeOnly) {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (kfs::IsReadOnly(file)) return DFS_FAIL(header, file, kfsErrReadOnly);
  if (!kfs::DiskPath(file))
    return DFS_FAIL(header, file, kfsErrFlush);  // a memory stream stays untouched
  // A header that announced steps a failed write lost would hand readers
  // a file they cannot read: the header stays as the last flush left it.
  if (int s = dfs::lostWrites(file)) return s;
  if (!force && !updateDue(file)) return 0;
  if (kfsFileFlush(file) != 0) return DFS_FAIL(header, file, kfsErrFlush);
  if (dfs::FileState* state = dfs::state(file)) state->lastHeaderUpdate = std::clock();

  // The update goes through the file's name, which may since have been
  // removed or given to another file: that one must not get this header.
  const char* path = kfs::DiskPath(file);
  if (!kfs::PathNamesOpenFile(file, path)) return DFS_FAIL(header, file, kfsErrOpen);
  unsigned int openStatus = 0;
  kfsHandle edit = FOpenFileEdit(path, &openStatus);
  if (!edit) return dfs::openFailure(openStatus);
  const HandleCloser closer(&edit);
  if (!kfs::SameOpenFile(file, edit)) return DFS_FAIL(header, file, kfsErrOpen);
  Walk w{header, timeOnly};
  int s = walkHeader(edit, w);
  if (!s) s = unmarkRewrite(edit, w);
  const unsigned int closed = FCloseFile(&edit);
  if (!s && closed) s = DFS_FAIL(header, file, static_cast<int>(closed));
  // Everything else is up to date; the caller shortens the text (as
  // dfsUpdateGeoInfoUTMProj does) and updates or closes again.
  if (!s && w.projectionTooLong) s = DFS_FAIL(header, file, kfsErrBlock);
  // The writing handle may hold the old bytes in its buffer: make it read
  // them anew where it is.
  const long long here = kfsTell64(file);
  if (here >= 0 && kfsPeekError(file) == 0) kfsSeek64(file, here, 0);
  return s;
}

}  // namespace

extern "C" {

int dfsUpdateHeader(LPHEAD header, int force, kfsHandle file) try {
  if (dfsDebugIsOn()) DebugEnter("dfsUpdateHeader %d", force);
  const int s = updateHeader(header, force, file, false);
  if (dfsDebugIsOn()) DebugExit("[%d]", s);
  return s;
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

int dfsUpdateHeaderTime(LPHEAD header, int force, kfsHandle file) try {
  return updateHeader(header, force, file, true);
}
KORA_CATCH_ALL(DFS_FAIL(header, file, kfsErrMemory))

}  // extern "C"
