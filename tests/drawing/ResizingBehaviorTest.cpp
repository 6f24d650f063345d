#include "drawing/ResizingBehavior.h"

#include <gtest/gtest.h>

using namespace ostrel;
using gfx::Rect;

namespace {

constexpr Rect kDesign { 0, 0, 18, 18 };
constexpr ResizingBehavior kAll[] = { ResizingBehavior::aspectFit, ResizingBehavior::aspectFill, ResizingBehavior::stretch,
    ResizingBehavior::center };

}

TEST(ResizingBehavior, RawValuesRoundTripAndOthersGiveNone)
{
    for (ResizingBehavior behavior : kAll)
        EXPECT_EQ(resizingBehaviorFromRaw(rawValue(behavior)), behavior);
    EXPECT_EQ(rawValue(ResizingBehavior::stretch), 2);
    EXPECT_FALSE(resizingBehaviorFromRaw(-1));
    EXPECT_FALSE(resizingBehaviorFromRaw(4));
    EXPECT_FALSE(resizingBehaviorFromRaw(1.5));
    EXPECT_FALSE(resizingBehaviorFromRaw(std::nan("")));
}

TEST(ResizingBehavior, TargetEqualToDesignOrZeroGivesTheDesignBack)
{
    for (ResizingBehavior behavior : kAll) {
        EXPECT_EQ(apply(behavior, kDesign, kDesign), kDesign);
        EXPECT_EQ(apply(behavior, kDesign, Rect {}), kDesign);
    }
}

TEST(ResizingBehavior, ZeroSizedTargetAwayFromTheOrigin)
{
    Rect point { 5, 5, 0, 0 };
    EXPECT_EQ(apply(ResizingBehavior::aspectFit, kDesign, point), point);
    EXPECT_EQ(apply(ResizingBehavior::aspectFill, kDesign, point), point);
    EXPECT_EQ(apply(ResizingBehavior::stretch, kDesign, point), point);
    EXPECT_EQ(apply(ResizingBehavior::center, kDesign, point), (Rect { -4, -4, 18, 18 }));
}

TEST(ResizingBehavior, WideTargetByEachRule)
{
    Rect wide { 0, 0, 36, 18 };
    EXPECT_EQ(apply(ResizingBehavior::aspectFit, kDesign, wide), (Rect { 9, 0, 18, 18 }));
    EXPECT_EQ(apply(ResizingBehavior::aspectFill, kDesign, wide), (Rect { 0, -9, 36, 36 }));
    EXPECT_EQ(apply(ResizingBehavior::stretch, kDesign, wide), wide);
    EXPECT_EQ(apply(ResizingBehavior::center, kDesign, wide), (Rect { 9, 0, 18, 18 }));
}

TEST(ResizingBehavior, CenterOverflowsASmallTarget)
{
    EXPECT_EQ(apply(ResizingBehavior::center, kDesign, { 0, 0, 9, 9 }), (Rect { -4.5, -4.5, 18, 18 }));
}

TEST(ResizingBehavior, NegativeTargetIsTakenStandardised)
{
    for (ResizingBehavior behavior : kAll)
        EXPECT_EQ(apply(behavior, kDesign, { 36, 18, -36, -18 }), apply(behavior, kDesign, { 0, 0, 36, 18 }));
}

TEST(ResizingBehavior, DesignOriginPlaysNoPart)
{
    Rect moved { 100, 100, 18, 18 };
    EXPECT_EQ(apply(ResizingBehavior::aspectFit, moved, { 0, 0, 36, 18 }), (Rect { 9, 0, 18, 18 }));
}
