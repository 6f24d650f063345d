// GoogleTest first: Xlib defines None, Bool and Status as macros.
#include <gtest/gtest.h>

#include "platform/desktop/IdleTime.h"

#include "platform/base/VirtualTime.h"
#include "platform/desktop/X11Connection.h"

#include <X11/Xlib.h>
#include <cstdlib>

using desktop::IdleTime;

TEST(IdleTimeTest, WithoutDisplayCountsFromOurOwnLastInput)
{
    base::VirtualTime clock;
    auto idle = IdleTime::createForDisplay(nullptr);
    EXPECT_EQ(idle->idleNanoseconds(), 0u) << "the launch itself counts as input";

    clock.advance(3.9);
    EXPECT_EQ(idle->idleNanoseconds(), 3'900'000'000u);
    IdleTime::noteUserInput();
    EXPECT_EQ(idle->idleNanoseconds(), 0u);
    clock.advance(300);
    EXPECT_EQ(idle->idleNanoseconds(), 300'000'000'000u);
}

TEST(IdleTimeTest, InputBeforeTheMonitorExistedDoesNotMakeTheUserLookLongIdle)
{
    base::VirtualTime clock;
    IdleTime::noteUserInput();
    clock.advance(1000);
    auto idle = IdleTime::createFromOwnInput();
    clock.advance(2);
    EXPECT_EQ(idle->idleNanoseconds(), 2'000'000'000u);
}

TEST(IdleTimeTest, ManualIdleTimeAnswersWhatTheTestSet)
{
    desktop::ManualIdleTime idle;
    EXPECT_EQ(idle.idleNanoseconds(), 0u);
    idle.setIdleSeconds(4.5);
    EXPECT_EQ(idle.idleNanoseconds(), 4'500'000'000u);
}

TEST(IdleTimeTest, OnADisplayTheServerCountsAndResetMakesItFresh)
{
    auto connection = desktop::X11Connection::open();
    if (!connection)
        GTEST_SKIP() << "no X display";
    auto idle = IdleTime::createForDisplay(connection);
    // A screen-saver reset counts as user activity to the server, as `xset s reset` does.
    XResetScreenSaver(connection->display());
    XSync(connection->display(), False);
    std::uint64_t afterReset = idle->idleNanoseconds();
    EXPECT_LT(afterReset, 5'000'000'000u);

    // Our own windows' input is not what the server measures.
    base::VirtualTime clock;
    clock.advance(3600);
    EXPECT_LT(idle->idleNanoseconds(), 3'600'000'000'000u);
}
