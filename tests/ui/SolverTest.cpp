#include "platform/ui/LayoutSolver.h"

#include <gtest/gtest.h>

using ui::LayoutSolver;
using R = LayoutSolver::Relation;

TEST(LayoutSolver, RequiredEqualitiesChain)
{
    LayoutSolver s;
    auto x = s.newVariable(), y = s.newVariable();
    s.add({ { { x, 1 } }, -10 }, R::Equal);
    s.add({ { { y, 1 }, { x, -2 } }, -5 }, R::Equal);
    EXPECT_DOUBLE_EQ(s.value(x), 10);
    EXPECT_DOUBLE_EQ(s.value(y), 25);
}
