// The search for shipped data files: which variable decides, that a set
// variable is never second-guessed, and the contract of the two buffers.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/kora_data.h"

namespace {

// Sets (or, for null, clears) one variable for the lifetime of the object.
class Variable {
 public:
  Variable(const char* name, const char* value) : m_name(name) {
    const char* old = getenv(name);
    m_had = old != nullptr;
    if (m_had) m_old = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~Variable() {
    if (m_had) {
      setenv(m_name.c_str(), m_old.c_str(), 1);
    } else {
      unsetenv(m_name.c_str());
    }
  }
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;

 private:
  std::string m_name;
  std::string m_old;
  bool m_had = false;
};

struct Search {
  int result;
  std::string path;
};

Search Find(const char* name) {
  char path[4096] = "x";
  const int result = koraFindDataFile(name, path, sizeof path, nullptr);
  return {result, path};
}

std::string SearchList(const char* name) {
  char text[4096] = "";
  koraDataSearchList(name, text, sizeof text);
  return text;
}

void Touch(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::fclose(std::fopen(path.c_str(), "w"));
}

class DataSearch : public ::testing::Test {
 protected:
  // A folder per test: the tests plant files that would steer the search of
  // the next test when the whole program runs in one process.
  const std::string m_work = std::string(KORACORE_TEST_WORK_DIR) + "/" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
  Variable m_noData{"KORACORE_DATA", nullptr};
  Variable m_noHome{"KORA_HOME", nullptr};
};

TEST_F(DataSearch, KoracoreDataComesFirstAndIsNotSecondGuessed) {
  Touch(m_work + "/home/bin/QTY.xml");
  Variable home("KORA_HOME", (m_work + "/home").c_str());
  Variable data("KORACORE_DATA", (m_work + "/data/").c_str());
  const Search missing = Find("QTY.xml");
  EXPECT_EQ(missing.result, 0);
  EXPECT_EQ(missing.path, m_work + "/data/QTY.xml");  // one slash, though the value ends in one
  EXPECT_EQ(SearchList("QTY.xml"), m_work + "/data/QTY.xml (KORACORE_DATA)\n");
  Touch(m_work + "/data/QTY.xml");
  EXPECT_EQ(Find("QTY.xml").result, 1);
}

TEST_F(DataSearch, KoraHomeMeansItsBinFolderThenAnInstallationUnderIt) {
  const std::string home = m_work + "/home";
  Variable variable("KORA_HOME", home.c_str());
  EXPECT_EQ(SearchList("QTY.xml"),
            home + "/bin/QTY.xml (KORA_HOME)\n" + home + "/share/koracore/QTY.xml (KORA_HOME)\n");
  Search search = Find("QTY.xml");
  EXPECT_EQ(search.result, 0);
  EXPECT_EQ(search.path, home + "/bin/QTY.xml");  // the documented place is the one named
  Touch(home + "/share/koracore/QTY.xml");
  search = Find("QTY.xml");
  EXPECT_EQ(search.result, 1);
  EXPECT_EQ(search.path, home + "/share/koracore/QTY.xml");
  Touch(home + "/bin/QTY.xml");
  EXPECT_EQ(Find("QTY.xml").path, home + "/bin/QTY.xml");
}

TEST_F(DataSearch, EmptyVariablesCountAsUnset) {
  Variable data("KORACORE_DATA", "");
  Variable home("KORA_HOME", "");
  const std::string list = SearchList("QTY.xml");
  EXPECT_EQ(list.find("KORA"), std::string::npos) << list;
  EXPECT_NE(list.find("(installation of "), std::string::npos) << list;
}

// This test program links the static archive, so the installation is the
// program's: the build tree's bin/ beside its share/koracore/, which holds
// a copy of data/.
TEST_F(DataSearch, TheBuildTreeIsAnInstallation) {
  const Search search = Find("QTY.xml");
  EXPECT_EQ(search.result, 1) << SearchList("QTY.xml");
  EXPECT_NE(search.path.find("/share/koracore/QTY.xml"), std::string::npos);
  EXPECT_EQ(search.path.find(".."), std::string::npos);
  EXPECT_NE(search.path.rfind(KORACORE_SOURCE_DIR "/data/", 0), 0u) << search.path;
  EXPECT_EQ(Find("no-such-file.rcf").result, 0);
}

TEST_F(DataSearch, BuffersAreCutAndTheirNeedReported) {
  Variable data("KORACORE_DATA", "/opt/data");
  char small[8];
  size_t length = 0;
  EXPECT_EQ(koraFindDataFile("QTY.xml", small, sizeof small, &length), 0);
  EXPECT_STREQ(small, "/opt/da");
  EXPECT_EQ(length, std::string("/opt/data/QTY.xml").size());
  EXPECT_EQ(koraFindDataFile("QTY.xml", nullptr, 0, &length), 0);
  EXPECT_EQ(length, std::string("/opt/data/QTY.xml").size());
  const size_t whole = koraDataSearchList("QTY.xml", small, sizeof small);
  EXPECT_EQ(whole, std::string("/opt/data/QTY.xml (KORACORE_DATA)\n").size());
  EXPECT_STREQ(small, "/opt/da");
  EXPECT_EQ(koraDataSearchList("QTY.xml", nullptr, 0), whole);
}

TEST_F(DataSearch, NamesMustBeRelative) {
  for (const char* name : {static_cast<const char*>(nullptr), "", "/etc/passwd"}) {
    size_t length = 99;
    char path[16] = "x";
    EXPECT_EQ(koraFindDataFile(name, path, sizeof path, &length), -1);
    EXPECT_STREQ(path, "");
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(koraDataSearchList(name, path, sizeof path), 0u);
  }
}

}  // namespace
