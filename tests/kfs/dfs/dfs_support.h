// Shared helpers of the data-file tests: the unit table, unit ids by name,
// a recorder of reported errors, scratch paths and a standard header.
#ifndef KORACORE_TESTS_KFS_DFS_DFS_SUPPORT_H
#define KORACORE_TESTS_KFS_DFS_DFS_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files_support.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_header.h"
#include "kfs/dfs/dfs_item.h"
#include "kfs/dfs/dfs_static.h"
#include "kfs/dfs/dfs_time.h"
#include "qty/qty.h"
#include "scope_support.h"

namespace dfstest {

// Item types fixed by the unit table.
constexpr int kAnyItem = 999;
constexpr int kGeometry1D = 100186;
constexpr int kSecond = 1400;

inline void loadUnits() {
  static const bool loaded = qtySetupLoad(nullptr) == 1;
  ASSERT_TRUE(loaded) << "the shipped unit table must load";
}

// Unit id of a unit key of the shipped table.
inline int unitId(const char* key) {
  int id = 0;
  qtyGetUnitTag(key, &id);
  EXPECT_NE(id, 0) << key;
  return id;
}

// Records the codes reported through the wrapper error table.
class ErrorRecorder {
 public:
  ErrorRecorder() {
    codes().clear();
    for (int s = 0; s < KFS_CALLBACK_SLOTS; ++s) FGetCallbacks()[s] = &record;
  }
  ~ErrorRecorder() { FResetCallbacks(); }
  static std::vector<unsigned int>& codes() {
    static std::vector<unsigned int> list;
    return list;
  }
  static std::vector<std::string>& sources() {
    static std::vector<std::string> list;
    return list;
  }
  bool saw(unsigned int code) const {
    for (unsigned int c : codes())
      if (c == code) return true;
    return false;
  }

 private:
  static void record(void*, kfsHandle, void*, unsigned int code, const char* source, int) {
    codes().push_back(code);
    sources().push_back(source ? source : "");
  }
};

using koracoretest::readBytes;
using koracoretest::workPath;
using koracoretest::writeBytes;

// Scope guards of the objects the data-file tests create (see
// scope_support.h). Files are let go through the container, which also
// releases their data-file state and needs no header; a test that wants the
// header brought up to date closes the file itself first.
using KfsFileGuard = koracoretest::ReleaseGuard<kfsHandle, &kfsFileClose>;
using HeaderGuard = koracoretest::ReleaseGuard<LPHEAD, &dfsHeaderDestroy>;
using StaticGuard = koracoretest::ReleaseGuard<LPITEM, &dfsStaticDestroy>;
using LblockGuard = koracoretest::ReleaseGuard<kfsLblock, &kfsLblockFree>;

// A header of two float items on 1-D axes over an equidistant relative axis
// in seconds, as most tests want it.
inline LPHEAD twoItemHeader(int statsType = F_NO_STAT,
                            int fileType = F_EQTIME_FIXEDSPACE_ALLITEMS) {
  LPHEAD h = nullptr;
  EXPECT_EQ(dfsHeaderCreate(fileType, "Two items", "dfs tests", 3, 2, statsType, &h), 0);
  if (!h) return nullptr;
  if (fileType == F_EQTIME_FIXEDSPACE_ALLITEMS || fileType == F_EQTIME_TVARSPACE_ALLITEMS)
    EXPECT_EQ(dfsSetEqTimeAxis(h, kSecond, 0, 0.0, 60.0), 0);
  else
    EXPECT_EQ(dfsSetNeqTimeAxis(h, kSecond, 0), 0);
  const int meter = unitId("meter");
  EXPECT_EQ(dfsSetItemInfo(h, dfsItemD(h, 1), kAnyItem, "Water level", meter, kfsTypeFloat), 0);
  EXPECT_EQ(dfsSetItemInfo(h, dfsItemD(h, 2), kAnyItem, "Depth", meter, kfsTypeFloat), 0);
  if (fileType != F_EQTIME_TVARSPACE_ALLITEMS && fileType != F_NEQTIME_TVARSPACE_VARITEMS) {
    EXPECT_EQ(dfsSetItemAxisEqD1(dfsItemD(h, 1), meter, 10, 0.0f, 5.0f), 0);
    EXPECT_EQ(dfsSetItemAxisEqD1(dfsItemD(h, 2), meter, 10, 0.0f, 5.0f), 0);
  }
  return h;
}

// Block ids of a container file body in order, read with the container.
inline std::vector<int> blockSequence(const std::string& path) {
  std::vector<int> tags;
  kfsHandle f = nullptr;
  const KfsFileGuard fGuard(f);
  if (kfsFileOpenRead(path.c_str(), &f, kfsInternalAPI, nullptr) != 0) return tags;
  for (;;) {
    unsigned int id = 0;
    const kfsSimpleType t = kfsQuery(f, &id);
    if (t == kfsTypeBlock) {
      tags.push_back(static_cast<int>(id));
      kfsLblockSkip(f);
    } else if (t != 0) {
      kfsSkip(f);
    } else {
      break;
    }
  }
  return tags;
}

// The independent reader of the format (tools/dfsdump.py) accepts the file:
// header, static items, whole time steps and, unless `flags` holds
// "--no-statistics", statistics that match the stored values. Without
// python3 the check is skipped, and the test reported as skipped, with the
// reason.
inline void expectDfsdumpAccepts(const std::string& path, const std::string& flags = "") {
  if (std::string(KORACORE_PYTHON3).empty())
    GTEST_SKIP() << "python3 not found: dfsdump cross-check skipped";
  const std::string errors = path + ".dfsdump.txt";
  const std::string command = "'" KORACORE_PYTHON3 "' '" + std::string(KORACORE_SOURCE_DIR) +
                              "/tools/dfsdump.py' --text --no-values " + flags + " '" + path +
                              "' > /dev/null 2> '" + errors + "'";
  const int status = std::system(command.c_str());
  std::ifstream in(errors);
  const std::string message((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(status, 0) << path << ": " << message;
  std::remove(errors.c_str());
}

// A header of float items on EqD2 grids of xsize x ysize, equidistant in
// seconds (file type 1) or not (file type 4).
inline LPHEAD gridHeader(int items, int xsize, int ysize, int statsType = F_NO_STAT,
                         int fileType = F_EQTIME_FIXEDSPACE_ALLITEMS, int dataType = kfsTypeFloat) {
  LPHEAD h = nullptr;
  EXPECT_EQ(dfsHeaderCreate(fileType, "Grid", "dfs tests", 1, items, statsType, &h), 0);
  if (!h) return nullptr;
  if (fileType == F_EQTIME_FIXEDSPACE_ALLITEMS)
    EXPECT_EQ(dfsSetEqTimeAxis(h, kSecond, 0, 0.0, 60.0), 0);
  else
    EXPECT_EQ(dfsSetNeqTimeAxis(h, kSecond, 0), 0);
  const int meter = unitId("meter");
  for (int n = 1; n <= items; ++n) {
    const std::string name = "Item " + std::to_string(n);
    EXPECT_EQ(dfsSetItemInfo(h, dfsItemD(h, n), kAnyItem, name.c_str(), meter, dataType), 0);
    EXPECT_EQ(dfsSetItemAxisEqD2(dfsItemD(h, n), meter, xsize, ysize, 0.f, 0.f, 1.f, 1.f), 0);
  }
  return h;
}

}  // namespace dfstest

#endif
