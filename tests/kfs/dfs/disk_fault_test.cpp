// A data file on disk that changes under its writer: its name removed,
// taken by another file, or made read-only between two steps. The open
// handle keeps working (POSIX keeps the file alive while it is open), but
// closing brings the header up to date through the file's name: it must
// report that it cannot, never recreate the file, never write into whatever
// else now carries the name, and a file closed before the fault must stay
// readable byte for byte.
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fault_support.h"

namespace {

using faulttest::expectFileHolds;
using faulttest::pathExists;
using faulttest::writeSteps;

// A closed file of `steps` steps at path.
void makeFile(const std::string& path, int steps, const char* title = "Two items") {
  LPHEAD header = dfstest::twoItemHeader();
  const dfstest::HeaderGuard headerGuard(header);
  ASSERT_EQ(dfsSetFileTitle(header, title), 0);
  kfsHandle file = nullptr;
  const dfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &file), 0) << path;
  ASSERT_EQ(writeSteps(header, file, 0, steps), 0);
  ASSERT_EQ(dfsFileClose(header, &file), 0);
}

// What the writer sees when its file's name changed before the close: the
// steps still go in, the close refuses to bring a header up to date through
// the name (the file stays open, as after any failed header update) and
// the container lets the handle go.
void expectCloseRefused(LPHEAD header, kfsHandle* file, dfstest::ErrorRecorder& errors) {
  EXPECT_EQ(writeSteps(header, *file, header->stepCounter, 2), 0)
      << "the open handle keeps working";
  EXPECT_EQ(dfsFileClose(header, file), kfsErrOpen);
  EXPECT_NE(*file, nullptr) << "a failed header update leaves the file open";
  EXPECT_TRUE(errors.saw(kfsErrOpen));
  EXPECT_EQ(FCloseFile(file), 0u);
  EXPECT_EQ(*file, nullptr);
}

}  // namespace

TEST(DiskFaults, ANameRemovedWhileWritingIsNeitherRecreatedNorReportedAsClosed) {
  dfstest::loadUnits();
  const std::string path = dfstest::workPath("removed_new.dfs");
  LPHEAD header = dfstest::twoItemHeader();
  const dfstest::HeaderGuard headerGuard(header);
  kfsHandle file = nullptr;
  const dfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &file), 0);
  ASSERT_EQ(writeSteps(header, file, 0, 2), 0);
  ASSERT_EQ(dfsFileFlush(header, file), 0);
  ASSERT_EQ(::unlink(path.c_str()), 0);

  dfstest::ErrorRecorder errors;
  expectCloseRefused(header, &file, errors);
  EXPECT_FALSE(pathExists(path)) << "closing recreated the removed file";

  LPHEAD reread = nullptr;
  kfsHandle again = nullptr;
  EXPECT_EQ(dfsFileRead(path.c_str(), &reread, &again), kfsErrOpen);
  EXPECT_EQ(reread, nullptr);
  EXPECT_EQ(again, nullptr);
}

TEST(DiskFaults, ANameRemovedWhileAppendingOrEditingLeavesNothingBehind) {
  dfstest::loadUnits();
  for (const bool append : {true, false}) {
    SCOPED_TRACE(append ? "append" : "edit");
    const std::string path = dfstest::workPath("removed_old.dfs");
    makeFile(path, 3);
    LPHEAD header = nullptr;
    kfsHandle file = nullptr;
    const dfstest::HeaderGuard headerGuard(header);
    const dfstest::KfsFileGuard fileGuard(file);
    if (append) {
      ASSERT_EQ(dfsFileAppend(path.c_str(), &header, &file), 0);
      ASSERT_EQ(writeSteps(header, file, 3, 1), 0);
    } else {
      ASSERT_EQ(dfsFileEdit(path.c_str(), &header, &file), 0);
      ASSERT_EQ(dfsSetFileTitle(header, "Edited"), 0);
    }
    ASSERT_EQ(::unlink(path.c_str()), 0);
    dfstest::ErrorRecorder errors;
    if (append) {
      expectCloseRefused(header, &file, errors);
    } else {
      EXPECT_EQ(dfsFileClose(header, &file), kfsErrOpen);
      EXPECT_EQ(FCloseFile(&file), 0u);
    }
    EXPECT_FALSE(pathExists(path));
    LPHEAD reread = nullptr;
    kfsHandle again = nullptr;
    EXPECT_EQ(dfsFileRead(path.c_str(), &reread, &again), kfsErrOpen);
  }
}

// The name now belongs to a file the writer never opened: a data file of
// another run, or something else entirely. Closing must leave it exactly as
// it is, and the writer learns that its own header could not be updated.
TEST(DiskFaults, ANameTakenByAnotherFileIsNotWrittenByTheClose) {
  dfstest::loadUnits();
  const std::string other = dfstest::workPath("other_run.dfs");
  const std::string text = dfstest::workPath("other.txt");
  for (const bool dataFile : {true, false}) {
    SCOPED_TRACE(dataFile ? "another data file" : "a text file");
    const std::string path = dfstest::workPath("replaced.dfs");
    if (dataFile) {
      makeFile(other, 5, "Another run");
    } else {
      dfstest::writeBytes(text, std::vector<unsigned char>(300, 'x'));
    }
    const std::string& replacement = dataFile ? other : text;
    const std::vector<unsigned char> before = dfstest::readBytes(replacement);

    LPHEAD header = dfstest::twoItemHeader();
    const dfstest::HeaderGuard headerGuard(header);
    kfsHandle file = nullptr;
    const dfstest::KfsFileGuard fileGuard(file);
    ASSERT_EQ(dfsFileCreate(path.c_str(), header, &file), 0);
    ASSERT_EQ(writeSteps(header, file, 0, 2), 0);
    ASSERT_EQ(dfsFileFlush(header, file), 0);
    ASSERT_EQ(std::rename(replacement.c_str(), path.c_str()), 0);

    dfstest::ErrorRecorder errors;
    expectCloseRefused(header, &file, errors);
    EXPECT_EQ(dfstest::readBytes(path), before) << "the close wrote into a file it did not open";
    if (dataFile) expectFileHolds(path, 5);
    ::unlink(path.c_str());
  }
}

// Made read-only between two steps. Permissions are checked when a file is
// opened, so the writer's handle keeps writing; the header update at close
// opens the file anew and is refused until the permission comes back. A
// closed file under a read-only name and folder cannot be edited, appended
// to, recreated or deleted, and stays as it was.
namespace {

// The folder is made here, so that its owner is whoever runs the scenario.
void readOnlyScenario(const std::string& base) {
  const std::string folder = base + "/own";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const std::string path = folder + "/run.dfs";
  LPHEAD header = dfstest::twoItemHeader();
  const dfstest::HeaderGuard headerGuard(header);
  kfsHandle file = nullptr;
  const dfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(dfsFileCreate(path.c_str(), header, &file), 0);
  ASSERT_EQ(writeSteps(header, file, 0, 2), 0);
  ASSERT_EQ(dfsFileFlush(header, file), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  {
    dfstest::ErrorRecorder errors;
    EXPECT_EQ(writeSteps(header, file, 2, 2), 0) << "the open handle keeps writing";
    EXPECT_EQ(dfsFileClose(header, &file), kfsErrOpen);
    ASSERT_NE(file, nullptr) << "the file stays open for a second try";
  }
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  ASSERT_EQ(dfsFileClose(header, &file), 0) << "the second try, permission restored";
  expectFileHolds(path, 4);

  const std::vector<unsigned char> closed = dfstest::readBytes(path);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  {
    dfstest::ErrorRecorder errors;
    LPHEAD h = nullptr;
    kfsHandle f = nullptr;
    const dfstest::HeaderGuard hGuard(h);
    const dfstest::KfsFileGuard fGuard(f);
    EXPECT_EQ(dfsFileEdit(path.c_str(), &h, &f), kfsErrOpen);
    EXPECT_EQ(dfsFileAppend(path.c_str(), &h, &f), kfsErrOpen);
    EXPECT_EQ(f, nullptr);
    EXPECT_EQ(dfsFileCreate(path.c_str(), header, &f), kfsErrOpen);
    EXPECT_EQ(dfsFileDelete(path.c_str()), kfsErrOpen);
    EXPECT_EQ(dfsFileCreate((folder + "/new.dfs").c_str(), header, &f), kfsErrOpen);
    EXPECT_FALSE(pathExists(folder + "/new.dfs"));
  }
  EXPECT_EQ(dfstest::readBytes(path), closed) << "a refused open changed the file";
  expectFileHolds(path, 4);
  ::chmod(folder.c_str(), 0755);
  ::unlink(path.c_str());
  ::rmdir(folder.c_str());
}

}  // namespace

TEST(DiskFaults, MadeReadOnlyBetweenStepsTheCloseWaitsAndTheClosedFileStaysAsItWas) {
  dfstest::loadUnits();
  if (::geteuid() != 0) {
    readOnlyScenario(faulttest::makeFolder("read_only"));
    return;
  }
  // Permissions do not bind root: the scenario runs in a child that gives
  // up root for an unprivileged user, in a folder that user may write.
  const std::string folder = faulttest::makeFolder("read_only", 0777);
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(77);
    readOnlyScenario(folder);
    ::_exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::chmod(folder.c_str(), 0777);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77)
    GTEST_SKIP() << "running as root and cannot become an unprivileged user: permissions "
                    "would not stop the writes this test is about";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the unprivileged run failed (see its output above)";
}
