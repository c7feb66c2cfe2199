// The C caller of tests/api/c_qty.c, run against the shared objects.
#include <gtest/gtest.h>

extern "C" int c_qty_flat_interface(void);

TEST(QtyApi, ACProgramCallsTheFlatInterface) { EXPECT_EQ(c_qty_flat_interface(), 1); }
