// The wrapper layer of the data-file interface.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "dfs_support.h"
#include "files_support.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_file_io.h"
#include "kfs/dfs/dfs_file_state.h"
#include "kfs/dfs/dfs_trace.h"

using koracoretest::workPath;

namespace {

struct WrapperCall {
  void* header;
  kfsHandle file;
  unsigned int code;
  std::string source;
  int line;
};
std::vector<WrapperCall> g_wrapperCalls;

void RecordWrapper(void* header, kfsHandle file, void* extra, unsigned int code, const char* source,
                   int line) {
  (void)extra;
  g_wrapperCalls.push_back({header, file, code, source ? source : "", line});
}

class FileIO : public ::testing::Test {
 protected:
  void SetUp() override {
    g_wrapperCalls.clear();
    dfsInitSystem();
    for (unsigned code : {1000u, 2000u, 2001u, 2003u, 2010u, 2014u, 2017u, 2019u, 2020u})
      dfsAddErrorHandler(code, RecordWrapper);
  }
  void TearDown() override {
    dfsInitSystem();
    DebugTraceReset();
  }
};

TEST_F(FileIO, CreateWriteReadThroughTheWrappers) {
  std::string path = workPath("wrappers.dfs");
  kfsHandle file = FOpenFileCreate(path.c_str(), 0);
  const dfstest::KfsFileGuard fileGuard(file);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(dfs::position(file), 1);
  EXPECT_EQ(kfsGetAppBase(file), 130u);
  kfsLblock block = FCreateLogicalBlock(kfsTypeInt4, 2, nullptr);
  const dfstest::LblockGuard blockGuard(block);
  ASSERT_NE(block, nullptr);
  const double d = 4.5;
  EXPECT_EQ(FAppendToLogicalBlock(kfsTypeDouble, 1, &d, block), 0u);
  EXPECT_EQ(kfsLblockWrite(50000, file, block), 0u);
  EXPECT_EQ(FFreeLogicalBlock(&block), 0u);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(kfsLblockWrite(40000, file, nullptr), 0u);
  EXPECT_EQ(FCloseFile(&file), 0u);
  EXPECT_EQ(file, nullptr);

  unsigned int status = 99;
  file = FOpenFileRead(path.c_str(), &status);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(FQueryLogicalBlock(file), 50000);
  block = FReadLogicalBlock(file);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(*static_cast<double*>(block->next->data), 4.5);
  FFreeLogicalBlock(&block);
  EXPECT_EQ(FSkipLogicalBlock(file), 0u);
  EXPECT_EQ(FQueryLogicalBlock(file), 0);  // end of file
  EXPECT_EQ(FCloseFile(&file), 0u);
  EXPECT_TRUE(g_wrapperCalls.empty());

  file = FOpenFileEdit(path.c_str(), &status);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(dfs::position(file), 1);
  EXPECT_EQ(kfsLrecWrite(file, kfsTypeDouble, 1, &d), 0u);  // overwrites the first bytes
}

TEST_F(FileIO, FailuresGoThroughTheWrapperTable) {
  unsigned int status = 0;
  EXPECT_EQ(FOpenFileRead(workPath("none/x.dfs").c_str(), &status), nullptr);
  EXPECT_EQ(status, 2003u);
  EXPECT_EQ(FOpenFileCreate(workPath("none/x.dfs").c_str(), 1), nullptr);
  std::string foreign = workPath("foreign.kfs");
  kfsHandle file = nullptr;
  const dfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(kfsFileOpenCreate(foreign.c_str(), nullptr, &file, nullptr, 0), 0u);
  kfsLrecWrite(file, kfsTypeByte, 1, "x");
  kfsFileClose(&file);
  EXPECT_EQ(FOpenFileEdit(foreign.c_str(), &status), nullptr);
  EXPECT_EQ(status, 2017u);
  ASSERT_EQ(g_wrapperCalls.size(), 3u);
  EXPECT_EQ(g_wrapperCalls[0].code, 2003u);
  EXPECT_EQ(g_wrapperCalls[0].source, "FileIO.cpp");
  EXPECT_GT(g_wrapperCalls[0].line, 0);
  EXPECT_EQ(g_wrapperCalls[0].header, nullptr);
  EXPECT_EQ(g_wrapperCalls[2].code, 2017u);

  // A block read that finds a record reports through the table with the file.
  ASSERT_EQ(kfsFileOpenRead(foreign.c_str(), &file, kfsInternalAPI, nullptr), 0u);
  EXPECT_EQ(FReadLogicalBlock(file), nullptr);
  ASSERT_EQ(g_wrapperCalls.size(), 4u);
  EXPECT_EQ(g_wrapperCalls[3].code, 2019u);
  EXPECT_EQ(g_wrapperCalls[3].file, file);
}

TEST_F(FileIO, HandlerTable) {
  EXPECT_EQ(FErrorHandler(nullptr, nullptr, nullptr, 2020, "here.cpp", 12), 2020u);
  ASSERT_EQ(g_wrapperCalls.size(), 1u);
  EXPECT_EQ(g_wrapperCalls[0].source, "here.cpp");
  EXPECT_EQ(g_wrapperCalls[0].line, 12);
  EXPECT_EQ(FErrorHandler(nullptr, nullptr, nullptr, 2002, "x", 1), 2002u);  // no handler
  EXPECT_EQ(FErrorHandler(nullptr, nullptr, nullptr, 77, "x", 1), 77u);      // no slot
  dfsAddErrorHandler(2021, RecordWrapper);                                   // ignored
  dfsAddErrorHandler(999, RecordWrapper);
  EXPECT_EQ(g_wrapperCalls.size(), 1u);
  EXPECT_EQ(FGetCallbacks()[kfsCallbackSlot(2003)], &RecordWrapper);
  dfsAddCommonErrorHandler();
  for (int i = 0; i < KFS_CALLBACK_SLOTS; ++i) EXPECT_EQ(FGetCallbacks()[i], nullptr);
  unsigned int version = 0;
  EXPECT_EQ(dfsAPIid(&version), 0x5F534644u);
  EXPECT_EQ(version, 206u);
  EXPECT_EQ(kfsInternalAPI(&version), 0x1A9B8C1Au);
  EXPECT_EQ(version, 0u);
}

TEST_F(FileIO, TraceOfTheWrappers) {
  std::string path = workPath("traced.dfs");
  DebugFileIO(1);
  ::testing::internal::CaptureStdout();
  kfsHandle file = FOpenFileCreate(path.c_str(), 0);
  const dfstest::KfsFileGuard fileGuard(file);
  kfsLblock block = FCreateLogicalBlock(kfsTypeFloat, 3, nullptr);
  const dfstest::LblockGuard blockGuard(block);
  FAppendToLogicalBlock(kfsTypeByte, 2, "ab", block);
  kfsLblockWrite(12, file, block);
  FFreeLogicalBlock(&block);
  FCloseFile(&file);
  file = FOpenFileRead(path.c_str(), nullptr);
  FQueryLogicalBlock(file);
  FSkipLogicalBlock(file);
  FCloseFile(&file);
  std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("->{FOpenFileCreate <" + path + "> 0\n<-}FOpenFileCreate 0x"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("->{FCreateLogicalBlock 1 3\n<-}FCreateLogicalBlock 0x"), std::string::npos);
  EXPECT_NE(out.find("->{FAppendToLogicalBlock 3 2\n<-}FAppendToLogicalBlock [0]\n"),
            std::string::npos);
  EXPECT_NE(out.find("->{FFreeLogicalBlock 0x"), std::string::npos);
  EXPECT_NE(out.find("<-}FFreeLogicalBlock [0]\n"), std::string::npos);
  EXPECT_NE(out.find("->{FCloseFile Fp->filname=<" + path + ">\n<-}FCloseFile [0]\n"),
            std::string::npos);
  EXPECT_NE(out.find("->{FOpenFileRead <" + path + ">\n<-}FOpenFileRead 0x"), std::string::npos);
  EXPECT_NE(out.find("<-}FQueryLogicalBlock 12\n"), std::string::npos);
  EXPECT_NE(out.find("<-}FSkipLogicalBlock [0]\n"), std::string::npos);
}

}  // namespace
