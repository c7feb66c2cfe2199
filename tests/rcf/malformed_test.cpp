// Broken and hostile input: every load fails with its own code and a null
// handle, and never crashes (the suite also runs under the sanitizers).
#include "rcf_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <random>
#include <string>
#include <thread>

using rcftest::Doc;
using rcftest::Fixture;
using rcftest::LoadText;
using rcftest::WorkFile;
using rcftest::WriteBytes;

namespace {

// Loads text and expects the failure code; the detail names the line.
void ExpectFailure(const std::string& text, int code, const std::string& detailPart = "") {
  rcfGetErrorGlb();
  void* doc = LoadText(text);
  const rcftest::DocGuard docGuard(doc);
  EXPECT_EQ(doc, nullptr) << text;
  EXPECT_EQ(rcfPeekErrorGlb(), code) << text << "\n" << rcfGetErrorDetailGlb();
  if (!detailPart.empty()) {
    EXPECT_NE(std::string(rcfGetErrorDetailGlb()).find(detailPart), std::string::npos)
        << rcfGetErrorDetailGlb();
  }
}

TEST(RcfMalformed, StructureErrors) {
  ExpectFailure("", RCF_ERR_EMPTY);
  ExpectFailure("// only a comment\n\n   \n", RCF_ERR_EMPTY);
  ExpectFailure("[T]\n  [S]\n    K = 1\nEndTarget\n", RCF_ERR_UNTERMINATED_SECTION, "test:4:");
  ExpectFailure("[T]\n  [S]\n    K = 1\n", RCF_ERR_UNTERMINATED_SECTION, "test:2:");
  ExpectFailure("[T]\n  K = 1\n", RCF_ERR_UNTERMINATED_TARGET, "test:1:");
  ExpectFailure("[T]\n  [S]\n  [S2]\n  EndSect\nEndTarget\n", RCF_ERR_NESTED_SECTION, "test:3:");
  ExpectFailure("[T]\nEndSect\nEndTarget\n", RCF_ERR_UNMATCHED_END, "test:2:");
  ExpectFailure("[T]\nEndTarget\nEndTarget\n", RCF_ERR_UNMATCHED_END, "test:3:");
  ExpectFailure("K = 1\n[T]\nEndTarget\n", RCF_ERR_OUTSIDE_TARGET, "test:1:");
}

TEST(RcfMalformed, LineErrors) {
  ExpectFailure("[T]\n  K = 'open\nEndTarget\n", RCF_ERR_UNTERMINATED_QUOTE, "test:2:");
  ExpectFailure("[T]\n  K = \"a\"\"\nEndTarget\n", RCF_ERR_UNTERMINATED_QUOTE);
  ExpectFailure("[T]\n  K = 1.2.3\nEndTarget\n", RCF_ERR_BAD_NUMBER, "'1.2.3'");
  ExpectFailure("[T]\n  K = WGS84\nEndTarget\n", RCF_ERR_BAD_NUMBER, "quotes");
  ExpectFailure("[T]\n  K = 1e\nEndTarget\n", RCF_ERR_BAD_NUMBER);
  ExpectFailure("[T]\n  K = 0x10\nEndTarget\n", RCF_ERR_BAD_NUMBER);
  ExpectFailure("[T]\n  K = 1e400\nEndTarget\n", RCF_ERR_BAD_NUMBER, "out of range");
  ExpectFailure("[T]\n  K = 1,\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[T]\n  K = 1,,2\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[T]\n  K = 'a' 'b'\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[T]\n  K 1\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[T]\n  K\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[T]\n  = 1\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[T]\n  EndSect now\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[T\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[T] x\nEndTarget\n", RCF_ERR_SYNTAX);
  ExpectFailure("[]\nEndTarget\n", RCF_ERR_BAD_NAME);
  ExpectFailure("[Two words]\nEndTarget\n", RCF_ERR_BAD_NAME);
  ExpectFailure("[T]\n  K$ = 1\nEndTarget\n", RCF_ERR_BAD_NAME);
}

TEST(RcfMalformed, BytesThatAreNoText) {
  const char withNul[] = "[T]\n  K = 'a\0b'\nEndTarget\n";
  ExpectFailure(std::string(withNul, sizeof withNul - 1), RCF_ERR_BAD_BYTE, "0x00");
  ExpectFailure(std::string("\0\0\0\0", 4), RCF_ERR_BAD_BYTE);
  ExpectFailure("[T]\r  K = 1\rEndTarget\r", RCF_ERR_BAD_BYTE);  // a lone CR is no line end
  ExpectFailure("[T]\n  K = '\x1b[31m'\nEndTarget\n", RCF_ERR_BAD_BYTE);
  std::string binary;
  std::mt19937 random(1234);
  for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>(random() & 0xFF));
  ExpectFailure(binary, RCF_ERR_BAD_BYTE);
}

TEST(RcfMalformed, LineLengthLimit) {
  const std::string head = "[T]\n  K = '";
  const std::string tail = "'\nEndTarget\n";
  const std::string fits(RCF_MAX_LINE_LENGTH - 8,
                         'x');  // "  K = '" + text + "'" is exactly the limit
  Doc ok(LoadText(head + fits + tail));
  EXPECT_TRUE(ok) << rcfGetErrorDetailGlb();
  ExpectFailure(head + fits + "x" + tail, RCF_ERR_LINE_TOO_LONG, "test:2:");
  // A limit-length line with a CRLF end still fits.
  Doc crlf(LoadText("[T]\r\n  K = '" + fits + "'\r\nEndTarget\r\n"));
  EXPECT_TRUE(crlf) << rcfGetErrorDetailGlb();

  // A file of one endless line fails without holding it all.
  const std::string path = WorkFile("endless.rcf");
  WriteBytes(path, "[T]\n  K = '" + std::string(8 * 1024 * 1024, 'y'));
  EXPECT_EQ(rcfLoadFile(path.c_str(), 1), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_LINE_TOO_LONG);
}

TEST(RcfMalformed, FilesThatCannotBeRead) {
  EXPECT_EQ(rcfLoadFile(WorkFile("does-not-exist.rcf").c_str(), 1), nullptr);
  EXPECT_EQ(rcfPeekErrorGlb(), RCF_ERR_OPEN);
  EXPECT_NE(std::string(rcfGetErrorDetailGlb()).find("does-not-exist.rcf"), std::string::npos);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_OPEN);
  EXPECT_EQ(rcfPeekErrorGlb(), 0);  // cleared by the get

  EXPECT_EQ(rcfLoadFile(KORACORE_TEST_WORK_DIR, 1), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_NOT_A_FILE);
  EXPECT_EQ(rcfLoadFile("/dev/zero", 1), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_NOT_A_FILE);
  const std::string fifo = WorkFile("pipe.rcf");
  unlink(fifo.c_str());
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(rcfLoadFile(fifo.c_str(), 1), nullptr);  // refused without waiting for a writer
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_NOT_A_FILE);
  unlink(fifo.c_str());
  EXPECT_EQ(rcfLoadFile("", 1), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_ARGUMENT);
  EXPECT_EQ(rcfLoadFile(nullptr, 1), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_ARGUMENT);
  EXPECT_EQ(rcfLoadText(nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_ARGUMENT);

  const std::string empty = WorkFile("empty.rcf");
  WriteBytes(empty, "");
  EXPECT_EQ(rcfLoadFile(empty.c_str(), 1), nullptr);
  EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_EMPTY);
}

TEST(RcfMalformed, CommittedBrokenFiles) {
  const std::pair<const char*, int> cases[] = {
      {"broken_unterminated_section.rcf", RCF_ERR_NESTED_SECTION},
      {"broken_unterminated_quote.rcf", RCF_ERR_UNTERMINATED_QUOTE},
      {"broken_number.rcf", RCF_ERR_BAD_NUMBER},
      {"broken_missing_endtarget.rcf", RCF_ERR_UNTERMINATED_TARGET},
  };
  for (const auto& [name, code] : cases) {
    const std::string path = Fixture(name);
    EXPECT_EQ(rcfLoadFile(path.c_str(), 1), nullptr) << name;
    EXPECT_EQ(rcfPeekErrorGlb(), code) << name << ": " << rcfGetErrorDetailGlb();
    EXPECT_EQ(std::string(rcfGetErrorDetailGlb()).rfind(path + ":", 0), 0u)
        << rcfGetErrorDetailGlb();
  }
}

TEST(RcfMalformed, ErrorStateIsNeverStale) {
  EXPECT_EQ(LoadText("[T]\n"), nullptr);
  EXPECT_NE(rcfPeekErrorGlb(), 0);
  Doc good(LoadText("[T]\nEndTarget\n"));
  ASSERT_TRUE(good);
  EXPECT_EQ(rcfPeekErrorGlb(), 0);  // the good load reset it
  EXPECT_STREQ(rcfGetErrorDetailGlb(), "");
  // Each thread has its own state: another thread's failure does not show here.
  std::thread([] {
    EXPECT_EQ(LoadText(""), nullptr);
    EXPECT_EQ(rcfPeekErrorGlb(), RCF_ERR_EMPTY);
  }).join();
  EXPECT_EQ(rcfPeekErrorGlb(), 0);
  EXPECT_STREQ(rcfErrorText(RCF_ERR_UNTERMINATED_QUOTE), "unterminated quoted text");
  EXPECT_STREQ(rcfErrorText(0), "no error");
  EXPECT_STREQ(rcfErrorText(-5), "unknown error code");
}

// Random bytes, random lines of the syntax's own pieces, and single-byte
// mutations of a good file: whatever the outcome, no crash, a consistent
// result (a handle exactly when the state is 0), and a document that writes
// out as text that reads back the same.
TEST(RcfMalformed, FuzzedInputsNeverCrash) {
  std::mt19937 random(20240611);
  const std::string good = rcftest::ReadBytes(Fixture("ellipsoid.rcf"));
  ASSERT_FALSE(good.empty());
  const char* pieces[] = {"[",      "]",  "T",  "S",   "EndSect", "EndTarget", "=",    ",",
                          "'",      "\"", "//", " ",   "\t",      "\n",        "\r\n", "1",
                          "-2.5e3", "x",  "''", "nan", "\0",      "\xff"};
  int loaded = 0;
  auto check = [&loaded](const std::string& input) {
    void* doc = LoadText(input);
    const rcftest::DocGuard docGuard(doc);
    const int code = rcfGetErrorGlb();
    ASSERT_EQ(doc == nullptr, code != 0) << code;
    if (doc) {
      ++loaded;
      const CString text = rcfWriteText(doc);
      void* back = rcfLoadText(text.GetString(), text.GetLength(), "rewritten");
      const rcftest::DocGuard backGuard(back);
      ASSERT_NE(back, nullptr) << rcfGetErrorDetailGlb() << "\n" << text.GetString();
      EXPECT_EQ(rcftest::Describe(back), rcftest::Describe(doc));
      rcfClose(&doc);
    }
  };
  for (int round = 0; round < 3000; ++round) {
    std::string input;
    switch (round % 3) {
      case 0: {
        const size_t n = random() % 200;
        for (size_t i = 0; i < n; ++i) input.push_back(static_cast<char>(random() & 0xFF));
        break;
      }
      case 1: {
        const size_t n = random() % 60;
        for (size_t i = 0; i < n; ++i) {
          const char* p = pieces[random() % (sizeof pieces / sizeof pieces[0])];
          input.append(p, *p ? std::char_traits<char>::length(p) : 1);
        }
        break;
      }
      default: {
        input = good;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
          const size_t at = random() % input.size();
          switch (random() % 3) {
            case 0: input[at] = static_cast<char>(random() & 0xFF); break;
            case 1: input.erase(at, 1); break;
            default: input.insert(at, 1, "'\",=[]\n/"[random() % 8]); break;
          }
        }
      }
    }
    check(input);
  }
  // Enough mutated files stay valid for the round trip to be exercised.
  EXPECT_GT(loaded, 200);
}

}  // namespace
