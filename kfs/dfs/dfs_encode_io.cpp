// Encode keys on disk: the first static items of an encoded file, one
// integer item per key ("X-Encoding Key", "Y-...", "Z-...") with an EqD1
// axis of nRecordSize elements, each followed by its values (block 40001).
#include <cstdlib>
#include <cstring>

#include "base/kora_boundary.h"
#include "kfs/dfs/dfs_blockio.h"
#include "kfs/dfs/dfs_checks.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_internal.h"
#include "kfs/dfs/dfs_item.h"

namespace {

constexpr int kItemTypeAny = 999;
const char* const kKeyNames[3] = {"X-Encoding Key", "Y-Encoding Key", "Z-Encoding Key"};

int writeKey(kfsHandle file, const char* name, const int* key, int n) {
  absItemS item;
  dfs::initItem(&item, nullptr, 1);
  std::free(item.name);
  item.name = dfs::copyText(name);
  item.itemType = kItemTypeAny;
  item.dataType = kfsTypeInt4;
  item.axisType = F_EQ_AXIS_D1;
  item.axisSize[0] = n;
  item.axisStep[0] = 1.0f;
  int s = item.name ? dfs::writeItemBlocks(file, &item) : DFS_FAIL(nullptr, file, kfsErrMemory);
  if (!s) {
    dfs::OutBlock values;
    values.add(kfsTypeInt4, static_cast<unsigned int>(n), key);
    s = values.write(file, DFS_TAG_STATIC_DATA, __FILE__, __LINE__);
  }
  dfs::clearItem(&item);
  return s;
}

bool isKeyItem(const absItemS& item, int index) {
  return item.axisType == F_EQ_AXIS_D1 && item.dataType == kfsTypeInt4 && item.name &&
         std::strcmp(item.name, kKeyNames[index]) == 0;
}

// Goes back before a static item that was read and is no key. A memory
// stream cannot go back (a refused seek would stop every read that
// follows): there the item is passed whole, its values too, and reading
// goes on behind it.
int giveBack(kfsHandle file, long long position) {
  const bool canGoBack = kfs::DiskPath(file) != nullptr && position >= 0;
  if (canGoBack) return kfsSeek64(file, position, 0) == 0 ? 0 : DFS_FAIL(nullptr, file, kfsErrSeek);
  return dfs::nextBlockTag(file) == DFS_TAG_STATIC_DATA ? dfs::skipBlock(file) : 0;
}

// Reads the next key item with its values; *values is null when the next
// static item is not an encode key (see giveBack).
int readKey(kfsHandle file, int* index, int** values, int* count) {
  *values = nullptr;
  const long long position = kfsTell64(file);
  const int tag = dfs::nextBlockTag(file);
  if (tag != 30005 && tag != 30002) return 0;
  absItemS item;
  dfs::initItem(&item, nullptr, 1);
  int s = dfs::readItemBlocks(file, tag, &item);
  int which = -1;
  for (int i = *index; i < 3 && !s && which < 0; ++i)
    if (isKeyItem(item, i)) which = i;
  if (!s && which < 0) {
    dfs::clearItem(&item);
    return giveBack(file, position);
  }
  kfsLblock raw = nullptr;
  int valuesTag = 0;
  if (!s && dfs::nextBlockTag(file) != DFS_TAG_STATIC_DATA)
    s = DFS_FAIL(nullptr, file, kfsErrStructure);
  if (!s) s = dfs::readBlock(file, &raw, &valuesTag);
  if (!s) {
    dfs::InBlock in(raw);
    const kfsLblock node = in.peekNode();
    s = dfsCheckTypeSize(node, kfsTypeInt4, static_cast<unsigned int>(item.axisSize[0]), __FILE__,
                         __LINE__);
    int type = 0;
    unsigned int n = 0;
    if (!s) *values = static_cast<int*>(in.takeAny(&type, &n));
    if (!s && !*values) s = in.status();
    *count = static_cast<int>(n);
    *index = which;
  }
  dfs::clearItem(&item);
  return s;
}

int readKeys(LPHEAD header, kfsHandle file, bool keep) {
  if (int s = dfsCheckHeaderFile(header, file, __FILE__, __LINE__)) return s;
  if (int s = dfs::enterStatic(file)) return s;
  int* keys[3] = {nullptr, nullptr, nullptr};
  int n = -1;
  int s = 0;
  for (int index = 0; index < 3 && !s;) {
    int* values = nullptr;
    int count = 0;
    s = readKey(file, &index, &values, &count);
    if (!values) break;
    // All keys describe the same stored values: one length for all.
    if (n >= 0 && count != n) s = DFS_FAIL(header, file, kfsErrCount);
    n = count;
    keys[index++] = values;
  }
  if (!s && keep && n >= 0) {
    std::free(header->dfsEncode.xkey);
    std::free(header->dfsEncode.ykey);
    std::free(header->dfsEncode.zkey);
    header->dfsEncode = dfsEncodeKeys{keys[0], keys[1], keys[2], n};
    return 0;
  }
  for (int* k : keys) std::free(k);
  return s;
}

}  // namespace

namespace dfs {

int writeEncodeKeys(LPHEAD header, kfsHandle file) {
  const int n = header->dfsEncode.nRecordSize;
  const int* keys[3] = {header->dfsEncode.xkey, header->dfsEncode.ykey, header->dfsEncode.zkey};
  for (int i = 0; i < 3; ++i) {
    if (!keys[i] || n < 1) continue;
    if (dfs::position(file) == dfs::eInHeader) {
      OutBlock marker;
      if (int s = marker.write(file, DFS_TAG_STATIC, __FILE__, __LINE__)) return s;
      dfs::setPosition(file, dfs::eInStatic);
    }
    if (int s = writeKey(file, kKeyNames[i], keys[i], n)) return s;
  }
  return 0;
}

}  // namespace dfs

extern "C" {

int dfsReadEncodeKeys(LPHEAD header, kfsHandle file) try { return readKeys(header, file, true); }
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

int dfsSkipEncodeKeys(LPHEAD header, kfsHandle file) try { return readKeys(header, file, false); }
KORA_CATCH_ALL(DFS_FAIL(header, nullptr, kfsErrMemory))

}  // extern "C"
