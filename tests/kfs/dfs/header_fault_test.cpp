// A header update of a closed file that fails half-way. The header is
// rewritten in place, block by block, so a write cut short leaves some
// blocks new, one perhaps torn, the rest old. The process's file size limit
// cuts the rewrite at every byte in turn (writes at or beyond the limit fail
// even inside the file). Afterwards the close has reported the failure and
// the file either is exactly as before the edit, or is refused by every
// open as damaged: a reader never gets titles, axes or items half old and
// half new.
#include <algorithm>
#include <string>
#include <vector>

#include "fault_support.h"

namespace {

constexpr int kSteps = 3;

void editEverything(LPHEAD h) {
  ASSERT_EQ(dfsSetFileTitle(h, "Run three"), 0);
  ASSERT_EQ(dfsSetAppTitle(h, "edited by"), 0);
  ASSERT_EQ(dfsSetEqTimeAxis(h, dfstest::kSecond, 0, 3600.0, 30.0), 0);
  ASSERT_EQ(dfsSetNumberOfTimeSteps(h, kSteps), 0);
  for (int n = 1; n <= 2; ++n) {
    LPITEM item = dfsItemD(h, n);
    ASSERT_EQ(dfsSetItemInfo(h, item, dfstest::kAnyItem, n == 1 ? "Surface" : "Bottom",
                             dfstest::unitId("meter"), kfsTypeFloat),
              0);
    ASSERT_EQ(dfsSetItemAxisEqD1(item, dfstest::unitId("meter"), 10, 100.0f, 2.5f), 0);
  }
}

// Opens for edit, changes every header block it can, and closes under the
// given file size limit (none when 0). The close's code; the file is let go
// either way.
int editAndClose(const std::string& path, long long limit) {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  const dfstest::KfsFileGuard fGuard(f);
  EXPECT_EQ(dfsFileEdit(path.c_str(), &h, &f), 0);
  if (!h) return -1;
  editEverything(h);
  if (limit == 0) return dfsFileClose(h, &f);
  const faulttest::FileSizeLimit cut(limit);
  return dfsFileClose(h, &f);
}

std::string titleOf(const std::string& path) {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  const dfstest::KfsFileGuard fGuard(f);
  if (dfsFileRead(path.c_str(), &h, &f) != 0) return "";
  return dfsGetFileTitle(h);
}

// Every open of a damaged file refuses it with the same code.
void expectRefused(const std::string& path, const std::string& where) {
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  const dfstest::KfsFileGuard fGuard(f);
  EXPECT_EQ(dfsFileRead(path.c_str(), &h, &f), kfsErrStructure) << where;
  EXPECT_EQ(dfsFileEdit(path.c_str(), &h, &f), kfsErrStructure) << where;
  EXPECT_EQ(dfsFileAppend(path.c_str(), &h, &f), kfsErrStructure) << where;
  EXPECT_EQ(h, nullptr) << where;
  EXPECT_EQ(f, nullptr) << where;
}

// Where the container header's reserved number lies, which marks a file
// while its header is rewritten.
size_t reservedOffset(const std::string& path) {
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  EXPECT_EQ(kfsFileOpenRead(path.c_str(), &f, kfsInternalAPI, nullptr), 0u);
  return f ? kfsGetKFSbase(f) + 40 : 0;
}

bool marked(const std::vector<unsigned char>& bytes, size_t reserved) {
  const unsigned char mark[4] = {'U', 'P', 'D', '_'};
  return reserved + 4 <= bytes.size() && std::equal(mark, mark + 4, bytes.begin() + reserved);
}

// A mark cut short by the fault is no mark, and nothing was written after
// it: the file is the one before the edit.
bool sameButReserved(std::vector<unsigned char> left, const std::vector<unsigned char>& before,
                     size_t reserved) {
  if (left.size() != before.size() || reserved + 4 > left.size()) return false;
  std::copy(before.begin() + reserved, before.begin() + reserved + 4, left.begin() + reserved);
  return left == before;
}

}  // namespace

TEST(HeaderFaults, AnUpdateCutAtAnyByteLeavesTheFileAsItWasOrRefused) {
  dfstest::loadUnits();
  const std::string path = dfstest::workPath("edited.dfs");
  {
    LPHEAD h = dfstest::twoItemHeader();
    const dfstest::HeaderGuard hGuard(h);
    kfsHandle f = nullptr;
    const dfstest::KfsFileGuard fGuard(f);
    ASSERT_EQ(dfsFileCreate(path.c_str(), h, &f), 0);
    ASSERT_EQ(faulttest::writeSteps(h, f, 0, kSteps), 0);
    ASSERT_EQ(dfsFileClose(h, &f), 0);
  }
  const std::vector<unsigned char> before = dfstest::readBytes(path);
  const size_t reserved = reservedOffset(path);
  ASSERT_EQ(editAndClose(path, 0), 0);
  const std::vector<unsigned char> after = dfstest::readBytes(path);
  ASSERT_EQ(after.size(), before.size());
  ASSERT_EQ(titleOf(path), "Run three");
  ASSERT_LE(reserved + 4, after.size());
  EXPECT_TRUE(std::all_of(after.begin() + reserved, after.begin() + reserved + 4,
                          [](unsigned char b) { return b == 0; }))
      << "a finished rewrite leaves its mark";
  faulttest::expectFileHolds(path, kSteps);
  const auto first = std::mismatch(before.begin(), before.end(), after.begin());
  const auto last = std::mismatch(before.rbegin(), before.rend(), after.rbegin());
  const long long firstChange = first.first - before.begin();
  const long long lastChange = before.rend() - last.first;  // one past

  // Below the reserved number every cut fails the mark's write alike.
  int refused = 0;
  for (long long limit = static_cast<long long>(reserved) - 2; limit <= lastChange + 64; ++limit) {
    const std::string where = "cut at byte " + std::to_string(limit);
    dfstest::writeBytes(path, before);
    dfstest::ErrorRecorder errors;
    const int code = editAndClose(path, limit);
    const std::vector<unsigned char> left = dfstest::readBytes(path);
    if (code == 0) {
      EXPECT_GE(limit, lastChange) << where;
      EXPECT_EQ(left, after) << where;
    } else if (marked(left, reserved)) {
      expectRefused(path, where);
      ++refused;
    } else {
      // The mark did not get out, so nothing after it was written.
      EXPECT_TRUE(sameButReserved(left, before, reserved)) << where;
      faulttest::expectFileHolds(path, kSteps);
      EXPECT_EQ(titleOf(path), "Two items") << where;
    }
    if (::testing::Test::HasFailure()) break;  // one cut tells the story
  }
  EXPECT_GT(refused, 0) << "no cut fell between the first and the last change at " << firstChange;
}
