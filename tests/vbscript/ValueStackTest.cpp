#include "ValueStack.h"

#include <gtest/gtest.h>

using vbs::Value;
using vbs::ValueStack;

TEST(ValueStack, MakesSlotsOnlyAsDeepAsReachedAndNeverMovesThem)
{
    ValueStack stack(1 << 18);
    EXPECT_EQ(stack.limit(), size_t(1) << 18);
    EXPECT_EQ(stack.made(), 0u);
    stack.reach(3);
    ASSERT_GE(stack.made(), 3u);
    EXPECT_LT(stack.made(), 1024u) << "a shallow script takes a page or so";
    stack[2] = Value(int32_t(42));
    Value *slot = &stack[2];
    stack.reach(100000);
    EXPECT_GE(stack.made(), 100000u);
    EXPECT_EQ(&stack[2], slot) << "by-reference arguments point at slots";
    EXPECT_EQ(stack[2].toInt32(), 42);
    EXPECT_TRUE(stack[99999].isEmpty());
    // Reaching less than before keeps what was made.
    const size_t made = stack.made();
    stack.reach(10);
    EXPECT_EQ(stack.made(), made);
}

TEST(ValueStack, NeverMakesMoreThanItsLimit)
{
    ValueStack stack(1000);
    stack.reach(1000);
    EXPECT_EQ(stack.made(), 1000u);
    stack[999] = Value(std::string("last"));
    EXPECT_EQ(stack[999].toString(), "last");
}
