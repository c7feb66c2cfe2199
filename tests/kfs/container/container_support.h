// Helpers shared by the container tests: scratch file names, whole-file
// reads and writes, and a recorder of the container's error callbacks.
#ifndef KORACORE_TESTS_KFS_CONTAINER_CONTAINER_SUPPORT_H
#define KORACORE_TESTS_KFS_CONTAINER_CONTAINER_SUPPORT_H

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files_support.h"
#include "kfs/container/kfs.h"
#include "kfs/dfs/dfs_file_io.h"
#include "scope_support.h"

namespace kfstest {

using koracoretest::readBytes;
using koracoretest::workPath;
using koracoretest::writeBytes;

// Scope guards of the container's objects (see scope_support.h).
using KfsFileGuard = koracoretest::ReleaseGuard<kfsHandle, &kfsFileClose>;
using LblockGuard = koracoretest::ReleaseGuard<kfsLblock, &kfsLblockFree>;
using LrecGuard = koracoretest::ReleaseGuard<void*, &kfsLrecFree>;

struct ErrorCall {
  unsigned int code;
  std::string source;
  int line;
};

// Installs itself in every slot of the container table while alive.
class CallbackRecorder {
 public:
  CallbackRecorder() {
    s_calls.clear();
    kfsResetCallbacks();
    for (int i = 0; i < KFS_CALLBACK_SLOTS; ++i) kfsGetCallbacks()[i] = &Record;
  }
  ~CallbackRecorder() { kfsResetCallbacks(); }
  const std::vector<ErrorCall>& Calls() const { return s_calls; }
  std::vector<unsigned int> Codes() const {
    std::vector<unsigned int> codes;
    for (const auto& c : s_calls) codes.push_back(c.code);
    return codes;
  }
  void Clear() { s_calls.clear(); }

 private:
  static void Record(unsigned int code, const char* source, int line) {
    s_calls.push_back({code, source ? source : "", line});
  }
  static inline std::vector<ErrorCall> s_calls;
};

inline unsigned int NoIdentity(unsigned int* appVersion) {
  *appVersion = 0;
  return KFS_DEFAULT_API_ID;
}

}  // namespace kfstest

#endif
