// The C callers of tests/api/c_base.c, run against the shared objects.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "base/kora_data.h"

extern "C" int c_base_version_matches(void);
extern "C" int c_base_finds_the_unit_table(char* path, size_t size);

TEST(BaseApi, TheLibrariesAreTheReleaseOfTheHeaders) { EXPECT_EQ(c_base_version_matches(), 1); }

// Without any variable the table is found beside the shared library, in the
// build tree's data folder - never in the source tree.
TEST(BaseApi, TheSharedLibraryFindsItsDataFolder) {
  const char* data = getenv("KORACORE_DATA");
  const char* home = getenv("KORA_HOME");
  if ((data && *data) || (home && *home)) GTEST_SKIP() << "a data variable is set";
  char path[4096] = "";
  ASSERT_EQ(c_base_finds_the_unit_table(path, sizeof path), 1) << path;
  const std::string found = path;
  EXPECT_NE(found.find("/share/koracore/QTY.xml"), std::string::npos) << found;
  EXPECT_NE(found.rfind(KORACORE_SOURCE_DIR "/data/", 0), 0u) << found;
  char list[4096] = "";
  koraDataSearchList("QTY.xml", list, sizeof list);
  EXPECT_NE(std::string(list).find("librcf-koracore.so"), std::string::npos) << list;
}
