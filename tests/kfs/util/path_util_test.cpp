// The path and folder helpers.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "files_support.h"
#include "kfs/util/path_util.h"
#include "scope_support.h"

using koracoretest::workPath;

namespace {

bool IsDirectory(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

TEST(PathUtil, CreateFolderOfAFileOrOfAPath) {
  std::string base = workPath("folders");
  EXPECT_EQ(KvCreateFolder((base + "/a/b/result.dfs").c_str()), 1);
  EXPECT_TRUE(IsDirectory(base + "/a/b"));
  EXPECT_FALSE(IsDirectory(base + "/a/b/result.dfs"));
  EXPECT_EQ(KvCreateFolder((base + "/c/d/").c_str()), 1);
  EXPECT_TRUE(IsDirectory(base + "/c/d"));
  EXPECT_EQ(KvCreateFolder((base + "/c/d/").c_str()), 1);  // exists
  struct stat info;
  ASSERT_EQ(stat((base + "/c/d").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0770u);
  // The host's file-creation mask is left as it was.
  mode_t mask = umask(022);
  EXPECT_EQ(mask, 022u);
  umask(mask);

  // A path through a file cannot be made.
  koracoretest::writeBytes(base + "/plain", {1});
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(KvCreateFolder((base + "/plain/x/").c_str()), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout().rfind("Error no: ", 0), 0u);
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(KvCreateFolder(std::string(300, 'x').c_str()), 0);
  ::testing::internal::GetCapturedStdout();
}

TEST(PathUtil, MkpathAndSmallHelpers) {
  std::string base = workPath("mkpath//p/q");
  EXPECT_EQ(mkpath(base.c_str(), 0755), 0);
  EXPECT_TRUE(IsDirectory(base));
  EXPECT_EQ(mkpath(base.c_str(), 0755), 0);
  EXPECT_EQ(mkpath("", 0755), -1);
  const koracoretest::MallocPtr<char> copy(kvExpandedFileName("$HOME/x"));
  EXPECT_STREQ(copy.get(), "$HOME/x");
  EXPECT_EQ(kvExpandedFileName(nullptr), nullptr);
  EXPECT_EQ(KvProject_AddFile("x"), -1);
  EXPECT_EQ(KvShortCut_IsShortcut("x.lnk"), 0);
  char target[4] = "abc";
  KvShortCut_ResolveShortcut("x.lnk", target, 4);
  EXPECT_STREQ(target, "abc");
}

}  // namespace
