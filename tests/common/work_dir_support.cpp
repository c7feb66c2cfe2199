#include "work_dir_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string& workDir() {
  static std::string dir;
  return dir;
}

pid_t& owner() {
  static pid_t pid = 0;
  return pid;
}

// Only the process that made the folder removes it: a death test's forked
// child exits through the same handlers while its parent still works there.
void removeWorkDir() {
  if (::getpid() != owner()) return;
  const char* keep = std::getenv("KORACORE_KEEP_TEST_FILES");
  if (keep && *keep && *keep != '0') return;
  std::error_code ignored;
  std::filesystem::remove_all(workDir(), ignored);
}

}  // namespace

extern "C" const char* koracore_test_work_dir(void) {
  std::string& dir = workDir();
  if (dir.empty()) {
    dir = std::string(KORACORE_TEST_WORK_BASE) + "/" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    owner() = ::getpid();
    std::atexit(removeWorkDir);
  }
  return dir.c_str();
}
