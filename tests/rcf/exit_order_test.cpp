// rcf is called from destructors of static objects at process exit (the
// projection database writes its custom files then). By that time the main
// thread's thread_local objects are already destroyed, so the error state
// must survive being used after its own destruction.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "rcf/rcf.h"

namespace {

struct WritesAtExit {
  ~WritesAtExit() {
    // A long missing path makes the failure detail too long for any
    // small-string buffer, so a freed detail would be touched on the heap.
    const std::string missing = "/nonexistent/" + std::string(300, 'x') + ".rcf";
    void* doc = rcfLoadFile(missing.c_str(), 1);
    if (doc) rcfClose(&doc);
    void* created = rcfCreate();
    if (rcfWrite(created, missing.c_str()) == 0) std::_Exit(3);
    rcfClose(&created);
    if (rcfGetErrorGlb() == 0) std::_Exit(4);
  }
};

void RunAndExit() {
  const std::string missing = "/nonexistent/" + std::string(300, 'y') + ".rcf";
  rcfLoadFile(missing.c_str(), 1);  // creates and fills the thread's error state
  static WritesAtExit atExit;
  std::exit(0);
}

}  // namespace

TEST(RcfExitOrder, ErrorStateUsableFromStaticDestructors) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) RunAndExit();
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "child ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
