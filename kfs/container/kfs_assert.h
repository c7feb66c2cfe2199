// The library's own assertion, for invariants of its internal structures.
//
// Unlike assert() it stays in release builds: a broken invariant means the
// library's bookkeeping is wrong, and carrying on would corrupt a file. No
// file contents and no argument a caller may legitimately pass can reach
// one - those are failure codes. The message names the condition and goes
// through the diagnostics sink (base/kora_diagnostics.h) before the process
// aborts. Internal to libkfs.
#ifndef KFS_CONTAINER_KFS_ASSERT_H
#define KFS_CONTAINER_KFS_ASSERT_H

#define KFS_ASSERT(condition)                                          \
  do {                                                                 \
    if (!(condition)) kfsAssertFailed(#condition, __FILE__, __LINE__); \
  } while (0)

[[noreturn]] void kfsAssertFailed(const char* condition, const char* file, int line);

#endif
