#include "platform/ui/LayoutSolver.h"

#include <gtest/gtest.h>

using ui::LayoutSolver;
using R = LayoutSolver::Relation;

namespace {

// variable = value, as a wish of the given priority.
LayoutSolver::ConstraintId wish(LayoutSolver& s, LayoutSolver::Variable v, double value, double priority)
{
    return s.add({ { { v, 1 } }, -value }, R::Equal, priority);
}

}

TEST(LayoutPriority, TwoWishesAt998NeverOutweighOneAt999)
{
    LayoutSolver s;
    auto x = s.newVariable();
    wish(s, x, 0, 999);
    wish(s, x, 10, 998);
    wish(s, x, 10, 998);
    EXPECT_DOUBLE_EQ(s.value(x), 0);
}

TEST(LayoutPriority, NoNumberOfLowWishesBuysAHigherOne)
{
    LayoutSolver s;
    auto x = s.newVariable();
    wish(s, x, 0, 251);
    for (int i = 0; i < 50; ++i)
        wish(s, x, 40, 250);
    EXPECT_DOUBLE_EQ(s.value(x), 0);
}

TEST(LayoutPriority, WishesOfOnePriorityStillCountTogether)
{
    LayoutSolver s;
    auto x = s.newVariable();
    wish(s, x, 0, 500);
    wish(s, x, 10, 500);
    wish(s, x, 10, 500);
    EXPECT_DOUBLE_EQ(s.value(x), 10);
}

TEST(LayoutPriority, RemovingTheHigherWishHandsOverToTheLowerOnes)
{
    LayoutSolver s;
    auto x = s.newVariable(), y = s.newVariable();
    // y follows x exactly; x is pulled both ways.
    s.add({ { { y, 1 }, { x, -1 } }, 0 }, R::Equal);
    auto high = wish(s, x, 5, 999);
    wish(s, y, 20, 998);
    wish(s, x, 20, 998);
    EXPECT_DOUBLE_EQ(s.value(y), 5);
    s.remove(high);
    EXPECT_DOUBLE_EQ(s.value(y), 20);
}

TEST(LayoutPriority, AnInequalityRanksTheSameWay)
{
    LayoutSolver s;
    auto width = s.newVariable();
    // A compression resistance at 750 against two hugging wishes at 749.
    s.add({ { { width, 1 } }, -100 }, R::GreaterOrEqual, 750);
    wish(s, width, 0, 749);
    wish(s, width, 0, 749);
    EXPECT_DOUBLE_EQ(s.value(width), 100);
}
