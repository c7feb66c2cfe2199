// Running out of memory inside the units library: the loader (a reader) and
// the include writer answer 0 whichever allocation fails, leak nothing (the
// sanitizer build checks) and work once memory is back; the array
// conversions of the data-file hot path allocate nothing at all.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "alloc_support.h"
#include "base/kora_diagnostics.h"
#include "files_support.h"
#include "qty/qty.h"

namespace {

constexpr int kMeter = 1000;
constexpr int kKilometer = 1001;

std::string SmallTable() { return std::string(KORACORE_SOURCE_DIR) + "/tests/data/qty/small.xml"; }

// The loader reports the broken rows of the small table on every run; the
// runs of a sweep are kept quiet. The sink must not allocate.
void Silent(int, const char*, void*) {}

class QtyOutOfMemory : public ::testing::Test {
 protected:
  void SetUp() override { m_previous = koraSetDiagnosticSink(&Silent, nullptr, &m_previousUser); }
  void TearDown() override { koraSetDiagnosticSink(m_previous, m_previousUser, nullptr); }

 private:
  koraDiagnosticSink m_previous = nullptr;
  void* m_previousUser = nullptr;
};

// Messages of the loader, kept without allocating.
char g_messages[4096];
void Keep(int, const char* text, void*) {
  const size_t used = std::strlen(g_messages);
  std::snprintf(g_messages + used, sizeof g_messages - used, "%s", text);
}

// Xerces cannot be started again once its start failed part way. CTest
// runs this case in a process of its own, where the parser has not started
// yet: the loads that follow must fail cleanly (they used to crash in the
// parser). Run after another load in the same process, the parser is up
// and the loads succeed.
TEST(QtyParserStart, AFailedStartFailsTheLoadsThatFollowWithoutACrash) {
  const std::string table = SmallTable();
  g_messages[0] = '\0';
  koraDiagnosticSink previous = koraSetDiagnosticSink(&Keep, nullptr, nullptr);
  alloctest::FailFrom(0);
  const int first = qtySetupLoad(table.c_str());
  alloctest::Disarm();
  const int second = qtySetupLoad(table.c_str());
  koraSetDiagnosticSink(previous, nullptr, nullptr);
  const bool startFailed = std::strstr(g_messages, "Error initializing Xerces\n") != nullptr;
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, startFailed ? 0 : 1);
}

TEST_F(QtyOutOfMemory, TheLoaderAnswers0AndLoadsOnceMemoryIsBack) {
  const std::string table = SmallTable();
  // Xerces starts once per process, with the first load; its own start is
  // the case above.
  ASSERT_EQ(qtySetupLoad(table.c_str()), 1);
  int result = -1;
  const long runs = alloctest::Sweep(
      [&] { result = qtySetupLoad(table.c_str()); },
      [&](long n, bool failed) { EXPECT_EQ(result, failed ? 0 : 1) << "allocation " << n; });
  EXPECT_GT(runs, 0);
  ASSERT_EQ(qtySetupLoad(table.c_str()), 1);
  double km = 0;
  EXPECT_EQ(qtyConvertUnit(kKilometer, kMeter, &km, 1.5), 1);
  EXPECT_EQ(km, 1500.0);
}

TEST_F(QtyOutOfMemory, NewEntriesAndListsAnswer0) {
  ASSERT_EQ(qtySetupLoad(SmallTable().c_str()), 1);
  char* list = nullptr;
  int listed = -1;
  alloctest::Sweep(
      [&] {
        qtyUnitNew("qtyUoomTest", "oom test", "o", "Length*3");
        listed = qtyUnitGetAll(&list);
      },
      [&](long n, bool failed) {
        if (!failed) {
          EXPECT_EQ(listed, 1) << "allocation " << n;
        }
        if (listed != 1) {
          EXPECT_EQ(list, nullptr) << "a failed list hands nothing out";
        }
        std::free(list);
        list = nullptr;
      });
  // Made once, whichever run it was made in, and whole.
  int unit = 0;
  ASSERT_EQ(qtyGetUnitTagFromIdent("qtyUoomTest", &unit), 1);
  double three = 0;
  EXPECT_EQ(qtyConvertUnit(unit, kMeter, &three, 1.0), 1);
  EXPECT_EQ(three, 3.0);
}

TEST_F(QtyOutOfMemory, TheIncludeWriterAnswers0AndWritesOnceMemoryIsBack) {
  ASSERT_EQ(qtySetupLoad(SmallTable().c_str()), 1);
  char previous[PATH_MAX];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(KORACORE_TEST_WORK_DIR), 0);
  int result = -1;
  const long runs = alloctest::Sweep(
      [&] { result = qtyWriteItemTypeIncludes(); },
      [&](long n, bool failed) { EXPECT_EQ(result, failed ? 0 : 1) << "allocation " << n; });
  EXPECT_GT(runs, 0);
  const auto header = koracoretest::readBytes("qtyDefine.c__");
  const std::string text(header.begin(), header.end());
  EXPECT_NE(text.find("qtyUkilometer"), std::string::npos);
  EXPECT_NE(text.find("===== End of file ====="), std::string::npos);
  ASSERT_EQ(chdir(previous), 0);
}

// The conversions run over whole time steps: they must not allocate, so
// they cannot fail for want of memory either.
TEST_F(QtyOutOfMemory, ArrayConversionsDoNotAllocate) {
  ASSERT_EQ(qtySetupLoad(SmallTable().c_str()), 1);
  double d[3] = {1.0, -1e-255, 2.5};
  float f[3] = {1.0f, -1e-35f, 2.5f};
  int user = 0;
  alloctest::FailFrom(0);
  const int doubles = qtyConvertItemArrayD(kKilometer, kMeter, d, 3, -1e-255);
  const int floats = qtyConvertItemArrayF(kKilometer, kMeter, f, 3, -1e-35f);
  const int userUnit = qtyGetItemUserUnit(100000, &user);
  EXPECT_FALSE(alloctest::Disarm()) << "a conversion asked for memory";
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(floats, 1);
  EXPECT_EQ(userUnit, 1);
  EXPECT_EQ(d[2], 2500.0);
  EXPECT_EQ(f[1], -1e-35f);
}

}  // namespace
