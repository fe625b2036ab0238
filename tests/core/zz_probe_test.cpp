#include <gtest/gtest.h>
#include <climits>
#include <vector>
TEST(Probe, HeapOverflow) { std::vector<int> v(3); volatile int i = 3; EXPECT_EQ(v.data()[i], 0); }
TEST(Probe, SignedOverflow) { volatile int a = INT_MAX; int b = a + 1; EXPECT_NE(b, 0); }
TEST(Probe, Leak) { new int[10]; SUCCEED(); }
