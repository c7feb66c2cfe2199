// The argument and I/O checks: codes, and the caller's source position
// handed to the wrapper error table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "dfs_support.h"
#include "kfs/dfs/dfs_checks.h"

namespace {

int g_line = 0;
std::string g_source;
unsigned int g_code = 0;

void remember(void*, kfsHandle, void*, unsigned int code, const char* source, int line) {
  g_code = code;
  g_source = source ? source : "";
  g_line = line;
}

class Checks : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int s = 0; s < KFS_CALLBACK_SLOTS; ++s) FGetCallbacks()[s] = &remember;
    g_code = 0;
  }
  void TearDown() override { FResetCallbacks(); }
};

TEST_F(Checks, PointerChecksReportWithTheCallersPosition) {
  EXPECT_EQ(dfsCheckHeader(nullptr, "caller.c", 42), 1000);
  EXPECT_EQ(g_code, 1000u);
  EXPECT_EQ(g_source, "caller.c");
  EXPECT_EQ(g_line, 42);
  EXPECT_EQ(dfsCheckFile(nullptr, "f", 1), 1000);
  EXPECT_EQ(dfsCheckItem(nullptr, "f", 1), 1000);
  EXPECT_EQ(dfsCheckVector(nullptr, "f", 1), 1000);
  EXPECT_EQ(dfsCheckCustomBlock(nullptr, "f", 1), 1000);
  int x = 0;
  EXPECT_EQ(dfsCheckVector(&x, "f", 1), 0);
  EXPECT_EQ(dfsCheckVectorFile(&x, nullptr, "f", 1), 1000);
}

// A host may pass a null file to the container checks as to any other
// check: they report 1000 with the caller's position (a debug build used to
// abort on an assertion, a release build to read through the null handle).
TEST_F(Checks, ContainerChecksTakeANullFileAsABadArgument) {
  kfsLblock block = reinterpret_cast<kfsLblock>(&g_line);  // garbage the check must clear
  const int values[1] = {1};
  EXPECT_EQ(dfsCheckReadTypeSize(nullptr, kfsTypeInt4, 1, &block, "f", 11), 1000);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(g_line, 11);
  block = reinterpret_cast<kfsLblock>(&g_line);
  int id = 0;
  EXPECT_EQ(dfsCheckReadLB(nullptr, &block, &id, "f", 1), 1000);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(dfsCheckWriteLB(nullptr, 1, nullptr, "f", 1), 1000);
  EXPECT_EQ(dfsCheckWriteLR(nullptr, kfsTypeInt4, 1, values, "f", 1), 1000);
  int out[1] = {0};
  EXPECT_EQ(dfsCheckReadLR(nullptr, kfsTypeInt4, 1, out, "f", 1), 1000);
  EXPECT_EQ(dfsCheckSkipLR(nullptr, "f", 1), 1000);
  EXPECT_EQ(dfsCheckPseudoSkipLR(kfsTypeInt4, 1, nullptr, "f", 1), 1000);
  EXPECT_EQ(dfsCheckPseudoSkipTimeStepTag(nullptr, 1, "f", 12), 1000);
  EXPECT_EQ(g_code, 1000u);
  EXPECT_EQ(g_line, 12);
}

TEST_F(Checks, ItemNumbers) {
  LPHEAD h = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  ASSERT_EQ(dfsHeaderCreate(1, "t", "a", 1, 2, F_NO_STAT, &h), 0);
  EXPECT_EQ(dfsCheckHeaderItemNo(h, 1, "f", 1), 0);
  EXPECT_EQ(dfsCheckHeaderItemNo(h, 2, "f", 1), 0);
  EXPECT_EQ(dfsCheckHeaderItemNo(h, 0, "f", 7), 2007);
  EXPECT_EQ(g_line, 7);
  EXPECT_EQ(dfsCheckHeaderItemNo(h, 3, "f", 1), 2007);
  EXPECT_EQ(dfsCheckHeaderItemNo(nullptr, 1, "f", 1), 1000);
  EXPECT_EQ(dfsCheckHeaderFileItemNo(h, nullptr, 1, "f", 1), 1000);
}

TEST_F(Checks, RecordTypeAndCountOfABlock) {
  const double values[3] = {1, 2, 3};
  kfsLblock block = kfsLblockAdd(kfsTypeDouble, 3, values, 1, nullptr);
  const dfstest::LblockGuard blockGuard(block);
  EXPECT_EQ(dfsCheckTypeSize(block, kfsTypeDouble, 3, "f", 1), 0);
  EXPECT_EQ(dfsCheckTypeSize(block, kfsTypeDouble, 0, "f", 1), 0);
  EXPECT_EQ(dfsCheckTypeSize(block, kfsTypeFloat, 3, "f", 1), 2009);
  EXPECT_EQ(dfsCheckTypeSize(block, kfsTypeDouble, 2, "f", 1), 2013);
  EXPECT_EQ(dfsCheckTypeSize(nullptr, kfsTypeDouble, 2, "f", 1), 2001);
}

TEST_F(Checks, ReadAndWriteThroughTheContainer) {
  const std::string path = dfstest::workPath("checks.kfs");
  kfsHandle f = nullptr;
  const dfstest::KfsFileGuard fGuard(f);
  ASSERT_EQ(kfsFileOpenCreate(path.c_str(), nullptr, &f, nullptr, 1), 0u);
  const int values[2] = {5, 6};
  EXPECT_EQ(dfsCheckWriteLR(f, kfsTypeInt4, 2, values, "f", 1), 0);
  kfsLblock b = kfsLblockAdd(kfsTypeInt4, 2, values, 0, nullptr);
  const dfstest::LblockGuard bGuard(b);
  EXPECT_EQ(dfsCheckWriteLB(f, 123, b, "f", 1), 0);
  kfsLblockFree(&b);
  kfsRewind(f);
  EXPECT_EQ(dfsCheckSkipLR(f, "f", 1), 0);     // the record
  EXPECT_EQ(dfsCheckSkipLR(f, "f", 1), 2019);  // a block is next
  kfsLblock read = nullptr;
  const dfstest::LblockGuard readGuard(read);
  EXPECT_EQ(dfsCheckReadTypeSize(f, kfsTypeInt4, 2, &read, "f", 1), 0);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(static_cast<int*>(read->data)[1], 6);
  kfsLblockFree(&read);
  EXPECT_EQ(dfsCheckReadTypeSize(f, kfsTypeInt4, 2, &read, "f", 1), 2001);  // nothing left
  kfsFileClose(&f);
  void* p = nullptr;
  EXPECT_EQ(dfsCheckMallocZ(&p, 16, "f", 1), 0);
  EXPECT_EQ(static_cast<unsigned char*>(p)[15], 0);
  std::free(p);
}

}  // namespace
