// Helpers of the fault tests: time steps whose every value is known from
// its step, item and element, a check that a file on disk holds exactly a
// given number of them, and a scratch folder per test.
#ifndef KORACORE_TESTS_KFS_DFS_FAULT_SUPPORT_H
#define KORACORE_TESTS_KFS_DFS_FAULT_SUPPORT_H

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <string>
#include <vector>

#include "dfs_support.h"
#include "kfs/dfs/dfs_timestep.h"

namespace faulttest {

// The value of element `element` of item `item` (1-based) in step `step`:
// exact in float, different for every element a test writes.
inline float stepValue(int step, int item, int element) {
  return static_cast<float>(step * 1000 + item * 100) + 0.25f * static_cast<float>(element);
}

inline std::vector<float> stepValues(int step, int item, int elements) {
  std::vector<float> values(static_cast<size_t>(elements));
  for (int i = 0; i < elements; ++i) values[static_cast<size_t>(i)] = stepValue(step, item, i);
  return values;
}

// Writes steps [first, first + count) of every item; the first code other
// than 0, after which nothing more is written.
inline int writeSteps(LPHEAD header, kfsHandle file, int first, int count) {
  const int items = dfsGetNoOfItems(header);
  for (int step = first; step < first + count; ++step) {
    for (int item = 1; item <= items; ++item) {
      const int elements = dfsGetItemElements(dfsItemD(header, item));
      std::vector<float> values = stepValues(step, item, elements);
      if (int s = dfsWriteItemTimeStep(header, file, values.data(), step)) return s;
    }
  }
  return 0;
}

// The number of steps the header of an open file announces.
inline int announcedSteps(LPHEAD header) {
  int steps = -1;
  double factor = 0.0;
  int equidistant = 0;
  dfsGetTimeAxisInfo(header, &steps, &factor, &equidistant);
  return steps;
}

// Reads every announced step of an open file and compares it with what
// writeSteps wrote; "" when all match, else what went wrong.
inline std::string checkAnnouncedSteps(LPHEAD header, kfsHandle file) {
  const int steps = announcedSteps(header);
  const int items = dfsGetNoOfItems(header);
  for (int step = 0; step < steps; ++step) {
    for (int item = 1; item <= items; ++item) {
      const int elements = dfsGetItemElements(dfsItemD(header, item));
      std::vector<float> read(static_cast<size_t>(elements), -1.0f);
      double time = 0.0;
      if (int s = dfsReadItemTimeStep(header, file, &time, read.data()))
        return "step " + std::to_string(step) + " item " + std::to_string(item) + ": code " +
               std::to_string(s);
      if (read != stepValues(step, item, elements))
        return "step " + std::to_string(step) + " item " + std::to_string(item) + ": wrong values";
    }
  }
  return "";
}

// Opens the file, expects exactly `steps` steps as writeSteps wrote them.
inline void expectFileHolds(const std::string& path, int steps) {
  LPHEAD header = nullptr;
  kfsHandle file = nullptr;
  const dfstest::HeaderGuard headerGuard(header);
  const dfstest::KfsFileGuard fileGuard(file);
  ASSERT_EQ(dfsFileRead(path.c_str(), &header, &file), 0) << path;
  EXPECT_EQ(announcedSteps(header), steps) << path;
  EXPECT_EQ(checkAnnouncedSteps(header, file), "") << path;
}

inline bool pathExists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

// A folder of the test's own inside the process's scratch folder.
inline std::string makeFolder(const std::string& name, mode_t mode = 0755) {
  const std::string folder = dfstest::workPath(name);
  ::mkdir(folder.c_str(), mode);
  ::chmod(folder.c_str(), mode);  // whatever the process's creation mask
  return folder;
}

// Lowers the process's file size limit for its scope: a write that would
// take a file beyond it is cut short, as on a full disk, and the signal the
// system sends with it is ignored so that the write reports the failure.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(long long bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_saved);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit lowered = m_saved;
    lowered.rlim_cur = static_cast<rlim_t>(bytes);
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &lowered), 0);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct rlimit m_saved;
  void (*m_savedHandler)(int);
};

}  // namespace faulttest

#endif
