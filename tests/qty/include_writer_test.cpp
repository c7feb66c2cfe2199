// The include-file writer: exact layouts, files that compile, and a file
// that cannot be created.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "qty/CKVitemType.h"
#include "qty/CKVitemTypeList.h"
#include "qty/CKVunit.h"
#include "qty_support.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs the writer tests in a folder of their own under the test work folder.
class IncludeWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(m_previous, sizeof m_previous), nullptr);
    m_folder = std::string(KORACORE_TEST_WORK_DIR) + "/" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    mkdir(m_folder.c_str(), 0755);
    ASSERT_EQ(chdir(m_folder.c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(m_previous), 0); }

  std::string m_folder;
  char m_previous[4096];
};

TEST_F(IncludeWriter, LinesHaveTheirExactLayout) {
  CKVitemTypeList items;
  CKVitemType sample("Sample item", 123456, "qtyISample",
                     new CKVdimension(CKVdimension::GetLength()));
  CKVunit meter("meter", "m", 1000, 1.0, CKVdimension::GetLength());
  meter.SetIdent("qtyUmeter");
  sample.AllowUnit(meter, true);
  items.push_back(&sample);
  CKVunitList units = {&meter};
  CKVfilterList filters;
  ASSERT_TRUE(items.WriteIncludes(&units, &filters));
  ASSERT_TRUE(items.WriteAllowedUnits());

  const std::string header = ReadFile("qtyDefine.c__");
  EXPECT_EQ(header.rfind("/* qtyDefine.c__ */\n/* KORA Vale item type definitions from KVitemType "
                         "*/\n/* Created on ",
                         0),
            0u);
  EXPECT_NE(
      header.find(
          " by UNIX */\n\n#ifndef _KORAVALE_ITEMDEFINES_\n#define _KORAVALE_ITEMDEFINES_\n\n"),
      std::string::npos);
  EXPECT_NE(header.find("\n#define qtyISample               123456 /* Sample item */\n"),
            std::string::npos);
  EXPECT_NE(header.find("\n/* ===== Engineering units ===== */\n#define qtyUmeter                  "
                        "1000 /* meter */\n"),
            std::string::npos);
  EXPECT_NE(header.find("\n/* ===== Filters ===== */\n\n#endif\n\n/* ===== End of file ===== */\n"),
            std::string::npos);

  const std::string pascal = ReadFile("qtyDefine.p__");
  EXPECT_EQ(pascal.rfind("(* qtyDefine.p__ *)\n", 0), 0u);
  EXPECT_NE(pascal.find("\nCONST   qtyISample       = 123456; (* Sample item *)\n"),
            std::string::npos);
  EXPECT_NE(pascal.find("\n(* ===== Filters ===== *)\n\n(* ===== End of file ===== *)\n"),
            std::string::npos);

  const std::string fortran = ReadFile("qtyDefine.f__");
  EXPECT_EQ(fortran.rfind("!     qtyDefine.f__\n", 0), 0u);
  EXPECT_NE(
      fortran.find("\ninteger, parameter :: qtyISample           =     123456  ! Sample item\n"),
      std::string::npos);

  const std::string csharp = ReadFile("qtyDefine.cs");
  EXPECT_EQ(
      csharp.rfind(
          "using System.Runtime.InteropServices;\n\nnamespace OXA.Generic.KoraVale\n{\n"
          "\t///<summary>\n\t///.NET QTY Item definitions\n\t///</summary>\n\t[ComVisible(true)]\n"
          "\t[Guid(\"5A1C7E20-93B4-4f2d-8C61-D04A2B7E95C3\")]\n\tpublic enum qtyItem\n\t{\n"
          "\t\t///<summary>\n\t\t/// Sample item\n\t\t///</summary>\n\t\tqtyISample           =    "
          " 123456"
          "\n\t}\n",
          0),
      0u);
  // No filters: the enumeration is empty.
  EXPECT_NE(csharp.find("\tpublic enum qtyFilter\n\t{\n\n\t}\n}\n/* ===== End of file ===== */\n"),
            std::string::npos);

  const std::string listing = ReadFile("qtyAllowedUnits.HTML");
  EXPECT_EQ(
      listing.rfind(
          "<Pre>\nDefinitions of the KORA Vale item types and allowed units.\nCreated on ", 0),
      0u);
  EXPECT_NE(listing.find("\n\n\nitem: qtyISample               123456   Sample item \n"
                         "      qtyUmeter                  1000   meter \n"),
            std::string::npos);
}

TEST_F(IncludeWriter, CSharpEntriesAreSeparatedByCommas) {
  CKVitemTypeList items;
  CKVitemType a("A", 1, "qtyIA", new CKVdimension(CKVdimension::GetLength()));
  CKVitemType b("B", 2, "qtyIB", new CKVdimension(CKVdimension::GetLength()));
  items.push_back(&a);
  items.push_back(&b);
  ASSERT_TRUE(items.WriteIncludes(nullptr, nullptr));
  const std::string csharp = ReadFile("qtyDefine.cs");
  EXPECT_NE(csharp.find("\t\tqtyIA                =          1,\n\t\t///<summary>\n\t\t/// B\n"),
            std::string::npos);
  EXPECT_NE(csharp.find("\t\tqtyIB                =          2\n\t}\n"), std::string::npos);
}

// Streams the process has open.
int OpenDescriptors() {
  int count = 0;
  DIR* folder = opendir("/proc/self/fd");
  if (!folder) return -1;
  while (readdir(folder)) ++count;
  closedir(folder);
  return count;
}

// A device that refuses every byte: the writes fail once the stream's
// buffer is flushed, long before the file is closed.
TEST_F(IncludeWriter, AFailedWriteIsReportedAndClosesTheFile) {
  ASSERT_TRUE(qtytest::LoadShippedTable());
  unlink("qtyDefine.c__");
  ASSERT_EQ(symlink("/dev/full", "qtyDefine.c__"), 0);
  const int before = OpenDescriptors();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(qtyWriteItemTypeIncludes(), 0);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("Cannot write file 'qtyDefine.c__'"),
            std::string::npos);
  EXPECT_EQ(OpenDescriptors(), before);
  EXPECT_FALSE(ReadFile("qtyDefine.p__").empty());
  unlink("qtyDefine.c__");
}

bool CommandWorks(const std::string& command) {
  return std::system((command + " > /dev/null 2>&1").c_str()) == 0;
}

// The shipped table's constants compile in C and in Fortran.
TEST_F(IncludeWriter, ShippedTableIncludesCompile) {
  ASSERT_TRUE(qtytest::LoadShippedTable());
  ::testing::internal::CaptureStderr();
  ASSERT_EQ(qtyWriteItemTypeIncludes(), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  {
    std::ofstream c("use_header.c");
    c << "#include \"qtyDefine.c__\"\n#include \"qtyDefine.c__\"\n"
         "int second(void) { return qtyUsecond; }\n"
         "int geometry(void) { return qtyIGeometry3D; }\n";
  }
  EXPECT_TRUE(CommandWorks(std::string(KORACORE_C_COMPILER) +
                           " -std=c99 -Wall -Werror -pedantic -c use_header.c -o use_header.o"));

  if (!CommandWorks("gfortran --version")) GTEST_SKIP() << "gfortran is not installed";
  {
    std::ofstream f("use_include.f90");
    f << "program use_include\n  implicit none\n  include 'qtyDefine.f__'\n"
         "  if (qtyUsecond /= 1400) stop 1\n  if (qtyIUndefined /= 999) stop 2\nend program "
         "use_include\n";
  }
  ASSERT_TRUE(CommandWorks("gfortran -Wall -Werror use_include.f90 -o use_include"));
  EXPECT_TRUE(CommandWorks("./use_include"));
}

TEST_F(IncludeWriter, AFileThatCannotBeCreatedIsReportedAndTheOthersAreWritten) {
  ASSERT_TRUE(qtytest::LoadShippedTable());
  ASSERT_TRUE(mkdir("qtyDefine.p__", 0755) == 0 || errno == EEXIST);  // a folder in the way
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(qtyWriteItemTypeIncludes(), 0);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("Cannot create file 'qtyDefine.p__'"),
            std::string::npos);
  for (const char* name :
       {"qtyDefine.c__", "qtyDefine.f__", "qtyDefine.cs", "qtyAllowedUnits.HTML"}) {
    EXPECT_FALSE(ReadFile(name).empty()) << name;
  }
}

}  // namespace
