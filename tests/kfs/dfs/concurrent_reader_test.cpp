// A data file read by one process while another writes it. The writer
// creates the file and appends steps, flushing after each; the reader opens
// the file again and again and reads what it finds. At any moment the
// reader must either get a code, or a header that matches the writer's and
// steps that hold exactly the values written: never a step it could not
// have, never a value the writer did not write.
//
// The two processes meet through pipes. In the first half the writer stops
// after every item and every flush until the reader has looked, so that
// each state of the file (an item written but not flushed, a step flushed,
// a header brought up to date) is seen deterministically; in the second
// half the reader lets the writer go on with the next step and flush while
// it reads, and takes whatever the moment gives.
#include <fcntl.h>
#include <poll.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "fault_support.h"

namespace {

using faulttest::stepValues;

constexpr int kSteps = 40;
constexpr int kLockstepSteps = 12;
constexpr char kItemWritten = 'i';
constexpr char kStepFlushed = 's';
constexpr char kClosed = 'c';
constexpr char kFailed = 'x';

// Item sizes in floats: a few records to a buffer, one a little under the
// writer's 64 KiB buffer, one over it (written past the buffer).
const std::vector<std::vector<int>> kLayouts = {{10, 10}, {1000, 16379, 17000}};

LPHEAD layoutHeader(const std::vector<int>& sizes) {
  LPHEAD h = nullptr;
  const int items = static_cast<int>(sizes.size());
  EXPECT_EQ(
      dfsHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Shared", "dfs tests", 1, items, F_NO_STAT, &h),
      0);
  if (!h) return nullptr;
  EXPECT_EQ(dfsSetEqTimeAxis(h, dfstest::kSecond, 0, 0.0, 60.0), 0);
  const int meter = dfstest::unitId("meter");
  for (int n = 1; n <= items; ++n) {
    const std::string name = "Item " + std::to_string(n);
    EXPECT_EQ(
        dfsSetItemInfo(h, dfsItemD(h, n), dfstest::kAnyItem, name.c_str(), meter, kfsTypeFloat), 0);
    EXPECT_EQ(
        dfsSetItemAxisEqD1(dfsItemD(h, n), meter, sizes[static_cast<size_t>(n - 1)], 0.f, 1.f), 0);
  }
  return h;
}

// The pipes between the processes, one each way.
struct Channel {
  int toReader[2] = {-1, -1};
  int toWriter[2] = {-1, -1};

  bool open() { return ::pipe(toReader) == 0 && ::pipe(toWriter) == 0; }
  void closeAll() {
    for (int* end : {toReader, toWriter})
      for (int i = 0; i < 2; ++i)
        if (end[i] >= 0) ::close(end[i]), end[i] = -1;
  }
};

// The writer's side: tells what it did and, when asked to, waits for the go.
class WriterSide {
 public:
  explicit WriterSide(Channel& c) : m_out(c.toReader[1]), m_in(c.toWriter[0]) {}
  bool tell(char event, bool wait) {
    if (::write(m_out, &event, 1) != 1) return false;
    char go = 0;
    return !wait || ::read(m_in, &go, 1) == 1;
  }

 private:
  int m_out;
  int m_in;
};

// The child's whole run; its exit status is 0 when every call succeeded.
int runWriter(const std::string& path, const std::vector<int>& sizes, Channel& c) {
  WriterSide side(c);
  LPHEAD h = layoutHeader(sizes);
  kfsHandle f = nullptr;
  if (!h || dfsFileCreate(path.c_str(), h, &f) != 0) return side.tell(kFailed, false), 1;
  if (!side.tell(kStepFlushed, true)) return 1;
  for (int step = 0; step < kSteps; ++step) {
    const bool lockstep = step < kLockstepSteps;
    for (int item = 1; item <= static_cast<int>(sizes.size()); ++item) {
      std::vector<float> values = stepValues(step, item, sizes[static_cast<size_t>(item - 1)]);
      if (dfsWriteItemTimeStep(h, f, values.data(), step) != 0) return side.tell(kFailed, false), 1;
      if (lockstep && !side.tell(kItemWritten, true)) return 1;
    }
    // In lockstep the header is brought up to date at every step, so that
    // the reader knows what it must see; running free, every other step, so
    // that some updates meet a reader, and the flush decides for the rest.
    const bool update = lockstep || step % 2 == 1;
    const int s = update ? dfsUpdateHeader(h, 1, f) : dfsFileFlush(h, f);
    if (s != 0) return side.tell(kFailed, false), 1;
    if (!side.tell(kStepFlushed, true)) return 1;
  }
  if (dfsFileClose(h, &f) != 0) return side.tell(kFailed, false), 1;
  dfsHeaderDestroy(&h);
  return side.tell(kClosed, false) ? 0 : 1;
}

// What one look at the file found.
struct Look {
  int openCode = 0;    // the code of a refused open, 0 when the header came
  int announced = -1;  // the steps the header announced
  int readable = 0;    // whole steps read with the values written
  std::string wrong;   // what the reader got that it must never get
};

bool documentedCode(int code) {
  return code == kfsErrNullArgument || (code >= kfsErrMemory && code <= kfsErrUnit);
}

std::string checkHeader(LPHEAD h, const std::vector<int>& sizes) {
  if (dfsGetNoOfItems(h) != static_cast<int>(sizes.size())) return "wrong number of items";
  for (int n = 1; n <= dfsGetNoOfItems(h); ++n)
    if (dfsGetItemElements(dfsItemD(h, n)) != sizes[static_cast<size_t>(n - 1)])
      return "wrong size of item " + std::to_string(n);
  if (faulttest::announcedSteps(h) < 0 || faulttest::announcedSteps(h) > kSteps)
    return "announced " + std::to_string(faulttest::announcedSteps(h)) + " steps";
  return "";
}

// Reads the announced steps, which must all be there, then on past them as
// far as the file goes: values the writer has not finished may be cut off,
// which must be a code, never a step of other values.
void readSteps(LPHEAD h, kfsHandle f, const std::vector<int>& sizes, Look* look) {
  for (int step = 0; step <= kSteps; ++step) {
    for (int item = 1; item <= static_cast<int>(sizes.size()); ++item) {
      const int elements = sizes[static_cast<size_t>(item - 1)];
      std::vector<float> read(static_cast<size_t>(elements) + 4, -7.0f);
      double time = 0.0;
      const int s = dfsReadItemTimeStep(h, f, &time, read.data());
      if (s != 0) {
        if (step < look->announced)
          look->wrong = "announced step " + std::to_string(step) + " unreadable";
        if (!documentedCode(s)) look->wrong = "code " + std::to_string(s);
        return;
      }
      if (step >= kSteps) {
        look->wrong = "a step the writer never wrote";
        return;
      }
      for (size_t e = elements; e < read.size(); ++e)
        if (read[e] != -7.0f) look->wrong = "written past the caller's array";
      read.resize(static_cast<size_t>(elements));
      if (read != stepValues(step, item, elements) || time != step) {
        look->wrong = "step " + std::to_string(step) + " item " + std::to_string(item) + " wrong";
        return;
      }
    }
    look->readable = step + 1;
  }
}

Look lookAt(const std::string& path, const std::vector<int>& sizes) {
  Look look;
  LPHEAD h = nullptr;
  kfsHandle f = nullptr;
  const dfstest::HeaderGuard hGuard(h);
  const dfstest::KfsFileGuard fGuard(f);
  look.openCode = dfsFileRead(path.c_str(), &h, &f);
  if (look.openCode != 0) {
    if (!documentedCode(look.openCode)) look.wrong = "open code " + std::to_string(look.openCode);
    if (h || f) look.wrong = "a refused open handed out a header or file";
    return look;
  }
  look.wrong = checkHeader(h, sizes);
  if (!look.wrong.empty()) return look;
  look.announced = faulttest::announcedSteps(h);
  readSteps(h, f, sizes, &look);
  dfsFileClose(h, &f);
  return look;
}

// While the writer waits: the header says what its last update saw, and
// exactly those steps are there (a step whose items are all written may be
// there too, when the buffer took it to the file). Until the first step is
// out the header may end at the end of the file, where the dynamic section
// has yet to begin: a read error.
void expectWhatTheWriterLeft(const Look& look, int flushedSteps, bool stepComplete,
                             const std::string& where) {
  if (flushedSteps == 0 && look.openCode == kfsErrRead) return;
  EXPECT_EQ(look.openCode, 0) << where;
  EXPECT_EQ(look.announced, flushedSteps) << where;
  EXPECT_GE(look.readable, flushedSteps) << where;
  EXPECT_LE(look.readable, flushedSteps + (stepComplete ? 1 : 0)) << where;
}

// Waits for the writer's next event: 0 when it has gone without one.
char nextEvent(const Channel& c, int timeoutMs) {
  pollfd p{c.toReader[0], POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return 0;
  char event = 0;
  return ::read(c.toReader[0], &event, 1) == 1 ? event : 0;
}

// The reader's side of one run: the lockstep half with exact expectations,
// then one look per step while the writer goes on with the next.
void readWhileWriting(const std::string& path, const std::vector<int>& sizes, Channel& c) {
  const int items = static_cast<int>(sizes.size());
  int flushedSteps = -1;  // the create counts as the first flush
  int itemsInStep = 0;
  int looks = 0;
  for (;;) {
    const char event = nextEvent(c, 60000);
    ASSERT_NE(event, 0) << "the writer went silent";
    ASSERT_NE(event, kFailed) << "a call of the writer failed";
    if (event == kClosed) break;
    if (event == kStepFlushed) {
      ++flushedSteps;
      itemsInStep = 0;
    } else {
      ++itemsInStep;
    }
    const std::string where = "after step " + std::to_string(flushedSteps) + " and " +
                              std::to_string(itemsInStep) + " items";
    const char go = 'g';
    const bool lockstep = flushedSteps <= kLockstepSteps || itemsInStep > 0;
    // Running free, the writer goes on with the next step while the reader
    // looks.
    if (!lockstep) {
      ASSERT_EQ(::write(c.toWriter[1], &go, 1), 1);
    }
    const Look look = lookAt(path, sizes);
    ++looks;
    EXPECT_EQ(look.wrong, "") << where;
    if (lockstep) {
      expectWhatTheWriterLeft(look, flushedSteps, itemsInStep == items, where);
      ASSERT_EQ(::write(c.toWriter[1], &go, 1), 1);
    }
  }
  EXPECT_EQ(looks, 1 + kLockstepSteps * (items + 1) + (kSteps - kLockstepSteps));
  const Look last = lookAt(path, sizes);
  EXPECT_EQ(last.wrong, "");
  EXPECT_EQ(last.announced, kSteps);
  EXPECT_EQ(last.readable, kSteps);
}

}  // namespace

TEST(ConcurrentReader, AReaderSeesACodeOrAConsistentPrefixOfWholeSteps) {
  dfstest::loadUnits();
  // A writer that died must not take the reader with it.
  void (*savedPipeHandler)(int) = std::signal(SIGPIPE, SIG_IGN);
  for (const std::vector<int>& sizes : kLayouts) {
    SCOPED_TRACE("items of " + std::to_string(sizes.back()) + " floats");
    const std::string path = dfstest::workPath("shared.dfs");
    ::unlink(path.c_str());
    Channel c;
    ASSERT_TRUE(c.open());
    const pid_t writer = ::fork();
    ASSERT_NE(writer, -1);
    if (writer == 0) {
      ::close(c.toReader[0]);
      ::close(c.toWriter[1]);
      ::_exit(runWriter(path, sizes, c));
    }
    ::close(c.toReader[1]);
    c.toReader[1] = -1;
    ::close(c.toWriter[0]);
    c.toWriter[0] = -1;
    readWhileWriting(path, sizes, c);
    c.closeAll();  // a writer still waiting for a go sees the pipe closed
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer status " << status;
  }
  std::signal(SIGPIPE, savedPipeHandler);
}
