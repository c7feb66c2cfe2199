// The C caller of tests/api/c_kvcart.c, run against the shared objects.
#include <gtest/gtest.h>

extern "C" int c_kvcart_flat_interface(void);

TEST(KvCartApi, ACProgramCallsTheFlatInterface) { EXPECT_EQ(c_kvcart_flat_interface(), 1); }
