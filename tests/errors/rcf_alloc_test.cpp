// Running out of memory inside the parameter-file library: a load answers
// null with RCF_ERR_NO_MEMORY, a build step refuses, and a write answers
// RCF_ERR_NO_MEMORY leaving the earlier file as it was and no temporary file
// behind - whichever allocation fails. Nothing leaks (sanitizer build).
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "alloc_support.h"
#include "files_support.h"
#include "rcf/rcf.h"

namespace {

std::string Fixture(const char* name) {
  return std::string(KORACORE_SOURCE_DIR) + "/tests/data/rcf/" + name;
}

// Names in a folder, "." and ".." left out.
int EntriesIn(const std::string& folder) {
  int n = 0;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") ++n;
    }
    closedir(dir);
  }
  return n;
}

TEST(RcfOutOfMemory, ALoadAnswersNullAndSaysWhy) {
  const std::string path = Fixture("ellipsoid.rcf");
  void* doc = nullptr;
  int error = -1;
  const long runs = alloctest::Sweep(
      [&] {
        doc = rcfLoadFile(path.c_str(), RCF_LOAD_DEFAULT);
        error = rcfGetErrorGlb();
      },
      [&](long n, bool failed) {
        if (failed) {
          EXPECT_EQ(doc, nullptr) << "allocation " << n;
          EXPECT_EQ(error, RCF_ERR_NO_MEMORY) << "allocation " << n;
        } else {
          ASSERT_NE(doc, nullptr);
          EXPECT_EQ(error, RCF_OK);
          void* target = rcfTargetByNameNum(doc, "ELLIPSOID_DEFINITION", 1);
          EXPECT_GE(rcfGetNoSections(target), 2);
        }
        rcfClose(&doc);
      });
  EXPECT_GT(runs, 0);
}

TEST(RcfOutOfMemory, AWriteLeavesTheEarlierFileAndNoTemporaryBehind) {
  const std::string folder = koracoretest::workPath("rcf_out_of_memory");
  const std::string path = folder + "/custom.rcf";
  ::mkdir(folder.c_str(), 0777);
  const std::string before = "[EARLIER]\n   Value = 1\nEndTarget\n";
  koracoretest::writeBytes(path, std::vector<unsigned char>(before.begin(), before.end()));

  void* doc = rcfCreate();
  rcfAddTarget(doc, "ELLIPSOID_DEFINITION");
  rcfAddSection(doc, "REF_ELLIPSOID");
  rcfPutParam(doc, "Ellipsoid_Name", "a name long enough to need memory of its own");
  rcfPutParam(doc, "Semi_Major_Axis", 6378137.0);
  rcfEndSection(doc);
  int status = -1;
  const long runs = alloctest::Sweep([&] { status = rcfWrite(doc, path.c_str()); },
                                     [&](long n, bool failed) {
                                       EXPECT_EQ(EntriesIn(folder), 1) << "allocation " << n;
                                       if (!failed) return;
                                       EXPECT_EQ(status, RCF_ERR_NO_MEMORY) << "allocation " << n;
                                       const auto now = koracoretest::readBytes(path);
                                       EXPECT_EQ(std::string(now.begin(), now.end()), before);
                                     });
  EXPECT_GT(runs, 0);
  EXPECT_EQ(status, RCF_OK);
  void* back = rcfLoadFile(path.c_str(), RCF_LOAD_DEFAULT);
  EXPECT_NE(rcfTargetByNameNum(back, "ELLIPSOID_DEFINITION", 1), nullptr);
  rcfClose(&back);
  rcfClose(&doc);
}

TEST(RcfOutOfMemory, ABuildStepRefusesAndTheDocumentStaysUsable) {
  void* doc = rcfCreate();
  ASSERT_NE(doc, nullptr);
  rcfAddTarget(doc, "T");
  void* keyword = nullptr;
  const long runs = alloctest::Sweep(
      [&] {
        keyword = rcfPutParam(doc, "Long_Keyword_Name_Of_Some_Length", "a long text value here");
      },
      [&](long n, bool failed) {
        if (failed) {
          EXPECT_EQ(keyword, nullptr) << "allocation " << n;
          EXPECT_EQ(rcfGetErrorGlb(), RCF_ERR_NO_MEMORY) << "allocation " << n;
        }
      });
  EXPECT_GT(runs, 0);
  // Every refused step left nothing half-made: one keyword, with its value.
  void* target = rcfTargetByNameNum(doc, "T", 1);
  EXPECT_EQ(rcfGetNoKeywords(target), 1);
  std::string value;
  EXPECT_EQ(rcfGetParam(target, "Long_Keyword_Name_Of_Some_Length", &value), 1);
  EXPECT_EQ(value, "a long text value here");
  rcfClose(&doc);
}

}  // namespace
