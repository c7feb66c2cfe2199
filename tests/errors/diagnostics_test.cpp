// The process's one diagnostics sink: a host's sink receives what the
// libraries print - the unit loader's messages, the folder message, the
// call trace - with its kind and byte for byte, nothing of it reaches the
// standard streams meanwhile, and the default sink comes back when the host
// lets go.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/kora_diagnostics.h"
#include "files_support.h"
#include "kfs/container/call_trace.h"
#include "kfs/dfs/dfs_trace.h"
#include "kfs/util/path_util.h"
#include "qty/qty.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStderr;
using ::testing::internal::GetCapturedStdout;

using Received = std::vector<std::pair<int, std::string>>;

void Collect(int kind, const char* text, void* user) {
  static_cast<Received*>(user)->emplace_back(kind, text);
}

// Installs the collecting sink for the test and checks that the standard
// streams stay empty while it is installed.
class HostSink : public ::testing::Test {
 protected:
  void SetUp() override {
    DebugTraceReset();
    CaptureStdout();
    CaptureStderr();
    EXPECT_EQ(koraSetDiagnosticSink(&Collect, &m_received, nullptr), nullptr)
        << "another sink was left installed";
  }
  void TearDown() override {
    void* user = nullptr;
    EXPECT_EQ(koraSetDiagnosticSink(nullptr, nullptr, &user), &Collect);
    EXPECT_EQ(user, &m_received);
    DebugTraceReset();
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(GetCapturedStderr(), "");
  }

  bool Saw(int kind, const std::string& text) const {
    for (const auto& entry : m_received)
      if (entry.first == kind && entry.second == text) return true;
    return false;
  }

  Received m_received;
};

TEST_F(HostSink, ReceivesTheUnitLoadersMessages) {
  const std::string broken =
      std::string(KORACORE_SOURCE_DIR) + "/tests/data/qty/not-well-formed.xml";
  EXPECT_EQ(qtySetupLoad(broken.c_str()), 0);
  EXPECT_TRUE(Saw(koraDiagError, "Document '" + broken + "' not parsed successfully. \n"));
  const std::string small = std::string(KORACORE_SOURCE_DIR) + "/tests/data/qty/small.xml";
  EXPECT_EQ(qtySetupLoad(small.c_str()), 1);
  EXPECT_TRUE(Saw(koraDiagMessage,
                  "Error reading unit\nqtyUbroken\nUnsuccessful parsing of the expression\n"
                  "Length*unknownUnit\n"));
}

TEST_F(HostSink, ReceivesTheCallTraceLineByLine) {
  dfsDebugOn(1);
  DebugEnter("dfsFileRead <%s>", "a.dfs");
  DebugPrint("%d items", 3);
  DebugExit("[%d]", 0);
  printnblank(2);
  const Received expected = {{koraDiagTrace, "->{dfsFileRead <a.dfs>\n"},
                             {koraDiagTrace, "  3 items\n"},
                             {koraDiagTrace, "<-}dfsFileRead [0]\n"},
                             {koraDiagTrace, "  "}};
  EXPECT_EQ(m_received, expected);
}

TEST_F(HostSink, ReceivesTheFolderMessage) {
  const std::string base = koracoretest::workPath("sink_folder");
  ASSERT_EQ(KvCreateFolder((base + "/").c_str()), 1);
  koracoretest::writeBytes(base + "/plain", {1});
  EXPECT_EQ(KvCreateFolder((base + "/plain/x/").c_str()), 0);
  ASSERT_EQ(m_received.size(), 1u);
  EXPECT_EQ(m_received[0].first, koraDiagMessage);
  EXPECT_EQ(m_received[0].second.rfind("Error no: 20 - unable to mkdir; ", 0), 0u);
}

TEST(DefaultSink, WritesTracesAndMessagesToStandardOutputAndErrorsToStandardError) {
  CaptureStdout();
  CaptureStderr();
  koraDiagnostic(koraDiagTrace, "%s\n", "trace");
  koraDiagnostic(koraDiagMessage, "message %d\n", 2);
  koraDiagnostic(koraDiagError, "error\n");
  EXPECT_EQ(GetCapturedStdout(), "trace\nmessage 2\n");
  EXPECT_EQ(GetCapturedStderr(), "error\n");
}

// A text longer than any fixed buffer arrives whole.
TEST(DefaultSink, LongTextsArriveWhole) {
  Received received;
  koraSetDiagnosticSink(&Collect, &received, nullptr);
  const std::string path(5000, 'p');
  koraDiagnostic(koraDiagError, "Document '%s' not parsed successfully. \n", path.c_str());
  koraSetDiagnosticSink(nullptr, nullptr, nullptr);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].second, "Document '" + path + "' not parsed successfully. \n");
}

}  // namespace
