// The call trace: line formats, the name stack, and the line limit that
// silences the trace instead of ending the host.
#include <gtest/gtest.h>

#include <string>

#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_trace.h"

namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

class Trace : public ::testing::Test {
 protected:
  void SetUp() override { DebugTraceReset(); }
  void TearDown() override { DebugTraceReset(); }
};

TEST_F(Trace, EntryAndExitLinesShareTheirIndentation) {
  CaptureStdout();
  DebugEnter("f");
  DebugExit("[%d]", 0);
  DebugEnter("dfsFileRead <%s>", "a.dfs");
  DebugPrint("inside %d", 3);
  DebugEnterExit("quick");
  DebugEnter("FOpenFileRead <%s>", "a.dfs");
  DebugExit("%d [%d]", 5, 2001);
  DebugExit("[%d]", 0);
  DebugExit("[%d]", 1);
  EXPECT_EQ(GetCapturedStdout(),
            "->{f\n"
            "<-}f [0]\n"
            "->{dfsFileRead <a.dfs>\n"
            "  inside 3\n"
            "  -><-quick\n"
            "  ->{FOpenFileRead <a.dfs>\n"
            "  <-}FOpenFileRead 5 [2001]\n"
            "<-}dfsFileRead [0]\n"
            "<-}??? [1]\n");
}

TEST_F(Trace, TextVariantsPrintTheTextAsItStands) {
  CaptureStdout();
  DebugEnterStr("g %d");
  DebugPrintStr("100%");
  DebugEnterExitStr("x");
  DebugExitStr("done");
  printnblank(3);
  printnblank(-1);
  EXPECT_EQ(GetCapturedStdout(), "->{g %d\n  100%\n  -><-x\n<-}g done\n   ");
}

TEST_F(Trace, NameStack) {
  EXPECT_STREQ(GetFunctionName(), "???");
  EXPECT_EQ(PutFunctionName("dfsHeaderCreate <%s> <%s> %d"), 1);
  EXPECT_EQ(PutFunctionName("a_b9(x)"), 2);
  EXPECT_EQ(PutFunctionName(""), 3);
  EXPECT_STREQ(GetFunctionName(), "");
  EXPECT_STREQ(GetFunctionName(), "a_b9");
  EXPECT_STREQ(GetFunctionName(), "dfsHeaderCreate");
  EXPECT_STREQ(GetFunctionName(), "???");
}

TEST_F(Trace, NameStackLimits) {
  // 100 names at most, and at most 5008 bytes of them: deeper pushes are
  // counted but not kept, and pop as "???".
  const std::string longName(60, 'n');
  for (int i = 1; i <= 120; ++i) EXPECT_EQ(PutFunctionName(longName.c_str()), i);
  for (int i = 0; i < 120 - 82; ++i) EXPECT_STREQ(GetFunctionName(), "???");
  for (int i = 0; i < 82; ++i) EXPECT_EQ(GetFunctionName(), longName);  // 82 x 61 <= 5008
  EXPECT_STREQ(GetFunctionName(), "???");
  for (int i = 1; i <= 101; ++i) PutFunctionName("x");
  EXPECT_STREQ(GetFunctionName(), "???");
  EXPECT_STREQ(GetFunctionName(), "x");
}

TEST_F(Trace, Switches) {
  EXPECT_EQ(DebugFileIO(5), 1);
  EXPECT_EQ(DebugFileIOIsOn(), 1);
  EXPECT_EQ(DebugFileIO(0), 0);
  EXPECT_EQ(dfsDebugOn(1), 1);
  EXPECT_EQ(dfsDebugIsOn(), 1);
  EXPECT_EQ(DebugFileIOIsOn(), 0);
}

TEST_F(Trace, LineLimitSilencesTheTraceAndTheHostGoesOn) {
  DebugFileIO(1);
  dfsDebugOn(1);
  CaptureStdout();
  for (int i = 0; i < 5001; ++i) DebugPrint("%d", i);
  DebugPrint("one too many");
  DebugEnter("after");
  DebugExit("[0]");
  std::string out = GetCapturedStdout();
  const std::string tail = "\n5000\nMaximum number of lines exceeded. Bye bye\n";
  ASSERT_GT(out.size(), tail.size());
  EXPECT_EQ(out.substr(out.size() - tail.size()), tail);
  EXPECT_EQ(out.find("one too many"), std::string::npos);
  EXPECT_EQ(DebugFileIOIsOn(), 0);
  EXPECT_EQ(dfsDebugIsOn(), 0);
  // Switching on again starts a new count.
  DebugFileIO(1);
  CaptureStdout();
  DebugPrint("again");
  EXPECT_EQ(GetCapturedStdout(), "again\n");
}

// Traced code checks the switch before its exit line, so the calls that
// were open when the trace stopped itself never pop their names. A trace
// switched on again starts at the outermost level with an empty stack.
TEST_F(Trace, ARestartedTraceForgetsTheCallsOpenAtTheLimit) {
  dfsDebugOn(1);
  CaptureStdout();
  DebugEnter("dfsFileCreate <%s>", "a.dfs");
  DebugEnter("FOpenFileCreate <%s>", "a.dfs");
  for (int i = 0; i < 5001; ++i) DebugPrint("%d", i);
  GetCapturedStdout();
  ASSERT_EQ(dfsDebugIsOn(), 0);
  dfsDebugOn(1);
  CaptureStdout();
  DebugEnter("dfsFileRead");
  DebugExit("[%d]", 0);
  DebugExit("[%d]", 0);
  EXPECT_EQ(GetCapturedStdout(), "->{dfsFileRead\n<-}dfsFileRead [0]\n<-}??? [0]\n");
}

}  // namespace
