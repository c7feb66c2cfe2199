// The C callers of tests/api/c_diagnostics.c, run against the shared objects.
#include <gtest/gtest.h>

extern "C" int koracore_c_diagnostics_roundtrip(void);
extern "C" int koracore_c_error_texts(void);

TEST(DiagnosticsApi, ACProgramInstallsASinkAndPutsThePreviousOneBack) {
  EXPECT_EQ(koracore_c_diagnostics_roundtrip(), 1);
}

TEST(DiagnosticsApi, ACProgramReadsTheErrorTexts) { EXPECT_EQ(koracore_c_error_texts(), 1); }
