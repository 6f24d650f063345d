#include "tests/breaks/BreaksFixture.h"

#include "breaks/CountDownView.h"
#include "breaks/CountDownViewController.h"
#include "breaks/LockButtonWall.h"
#include "breaks/RestBreakHelper.h"
#include "breaks/TimedBreakRunningState.h"

#include "attention/ScreenFadingHelper.h"
#include "core/Clock.h"
#include "core/TimedStateMachineModule.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SmallDurationView.h"
#include "viewkit/TabWall.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

#include <numbers>

namespace ostrel::test {

namespace {

using Slot = StateLinkingHelper::Slot;
constexpr const char* kTimedBreak = "Ostrel_4.TimedBreakRunningState";

// A view in a corner of the cover, far from the dial and the bar: drawn only when the whole
// cover is.
class CornerWitness final : public ui::View {
public:
    static std::shared_ptr<CornerWitness> create() { return std::shared_ptr<CornerWitness>(new CornerWitness()); }
    void draw(gfx::GraphicsContext&, const ui::Rect&) override { ++drawn; }
    bool marksItsOwnChanges() const override { return true; }
    int drawn { 0 };

private:
    CornerWitness()
        : ui::View(ui::Rect(0, 0, 10, 10))
    {
    }
};

class RestScreenTest : public BreaksTest {
protected:
    RestScreenTest() { startUp(); }

    // A ten-minute break under the rest screen, from the define screen's one-time length.
    void startLockedBreak(int displays = 1)
    {
        covers = installCovers(displays);
        store().set("lockScreenDuringBreak", true);
        model().oneTimeOnlyBreakDuration = 600;
        model().useOneTimeOnlyBreakDurationThisTimeOnly = true;
        fire("timedBreak");
        ASSERT_EQ(currentName(), kTimedBreak);
        rest = RestBreakHelper::shared().countDownViewController();
        ASSERT_TRUE(rest);
    }
    ui::Window& restWindow() { return *rest->view()->window(); }
    // A click on the lock; its cover may go in the middle of it, so it is held till the end.
    void clickLock()
    {
        auto cover = covers->fullScreenWindows().front();
        click(*rest->lockButtonWall());
    }

    std::shared_ptr<ScreenFadingHelper> covers;
    std::shared_ptr<CountDownViewController> rest;
};

}

TEST_F(RestScreenTest, ItCoversEveryDisplayWithTheDialOnTheMainOne)
{
    startLockedBreak(2);
    const auto& windows = covers->fullScreenWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(rest->view()->window(), windows[0].get()) << "the main window's display";
    EXPECT_TRUE(windows[1]->contentView()->subviews().empty());
    EXPECT_EQ(windows[1]->frame(), ui::Rect(1440, -124, 1280, 1024));
    EXPECT_TRUE(rest->uiUpdateTimer());

    fire("aborted");
    EXPECT_TRUE(covers->fullScreenWindows().empty());
    EXPECT_FALSE(rest->uiUpdateTimer()) << "the refresh ends with the covers";
}

TEST_F(RestScreenTest, TheLockEndsTheBreakOnlyOnceItsRingIsFull)
{
    startLockedBreak();
    wait(5);
    EXPECT_FALSE(rest->endBreakOffered());
    EXPECT_EQ(rest->smallDurationView()->seconds(), 595);
    wait(8);
    EXPECT_NEAR(rest->lockRingAngle(), 343.2, 1e-6);
    EXPECT_FALSE(rest->lockButtonWall()->enabled());
    clickLock();
    EXPECT_EQ(currentName(), kTimedBreak) << "13 s into the cycle";
    writePicture(restWindow(), "rest-screen-13s");

    wait(1);
    EXPECT_TRUE(rest->endBreakOffered());
    EXPECT_TRUE(rest->lockButtonWall()->enabled());
    EXPECT_EQ(rest->smallDurationView()->seconds(), 586) << "as last shown, at 13.6 s";
    writePicture(restWindow(), "rest-screen-14s");
    wait(1.1);
    EXPECT_FALSE(rest->endBreakOffered()) << "a new cycle";
    wait(12.9);
    clickLock();
    EXPECT_EQ(currentName(), kTimedBreak) << "13 s into the second cycle";
    wait(1);
    clickLock();
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    EXPECT_TRUE(covers->fullScreenWindows().empty());
}

// The keyboard's way to end a break early is the mouse's: the lock, pressed once its ring is full.
TEST_F(RestScreenTest, TheLockHasTheKeyboardAndSpaceOrReturnPressIt)
{
    startLockedBreak();
    ui::Window& window = restWindow();
    auto key = [&](base::KeyCode code, std::string characters, std::uint32_t modifiers = 0) {
        auto keep = covers->fullScreenWindows().front();
        window.sendEvent(ui::Event::key(ui::Event::Type::KeyDown, &window, static_cast<std::uint16_t>(code), characters, modifiers));
    };
    EXPECT_EQ(window.firstResponder(), rest->lockButtonWall().get());
    wait(13);
    key(base::KeyCode::Space, " ");
    key(base::KeyCode::Return, "\r");
    EXPECT_EQ(currentName(), kTimedBreak) << "the ring is not full yet";

    wait(1);
    key(base::KeyCode::Tab, "\t");
    EXPECT_EQ(window.firstResponder(), rest->endBreakButton().get()) << "Tab reaches \"End Break\"";
    wait(1.1);
    EXPECT_EQ(window.firstResponder(), rest->lockButtonWall().get()) << "it went with its page; the lock has the keys again";
    key(base::KeyCode::Tab, "\t", ui::ModifierFlag::Shift);
    EXPECT_EQ(window.firstResponder(), rest->lockButtonWall().get()) << "nothing else to reach while the time shows";

    wait(13.9);
    key(base::KeyCode::Space, " ");
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState") << "14 s into the second cycle";
}

TEST_F(RestScreenTest, PicturesAtFiveAndFourteenSecondsOfACycle)
{
    startLockedBreak();
    wait(5);
    writePicture(restWindow(), "rest-screen-5s");
    wait(9);
    writePicture(restWindow(), "rest-screen-14s-of-cycle");
    SUCCEED();
}

TEST_F(RestScreenTest, ItsCoversGoWithTheBreakWhateverTheSettingSaysByThen)
{
    startLockedBreak(2);
    store().set("lockScreenDuringBreak", false);
    fire("aborted");
    EXPECT_TRUE(covers->fullScreenWindows().empty());

    // A break begun uncovered takes down no cover of anyone else's when it ends.
    model().oneTimeOnlyBreakDuration = 600;
    model().useOneTimeOnlyBreakDurationThisTimeOnly = true;
    fire("timedBreak");
    store().set("lockScreenDuringBreak", true);
    covers->quickFadeAllScreens(gfx::Color::rgb(1, 0, 0), 10);
    fire("aborted");
    EXPECT_EQ(covers->fullScreenWindows().size(), 2u) << "the flash stays";
}

TEST_F(RestScreenTest, ItsButtonActsOnlyWhileTheBreakIsCurrent)
{
    startLockedBreak();
    wait(14);
    fire("aborted");
    ASSERT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
    // A rest screen left over (by a mishap of the covers) ends nothing that came after.
    rest->endBreakButton()->performClick();
    EXPECT_EQ(currentName(), "Ostrel_4.DefineTimeSliceState");
}

TEST_F(RestScreenTest, TheFrontGoesBackToWhoeverHadItBeforeTheBreak)
{
    installCovers(1);
    ui::Application::shared()->deactivate();
    startLockedBreak();
    EXPECT_TRUE(ui::Application::shared()->isActive());
    fire("aborted");
    EXPECT_EQ(givenBackTheFront, (std::vector<unsigned long> { 4242 }));
}

TEST_F(RestScreenTest, TheDialFollowsTheShareGoneThroughExtensions)
{
    startLockedBreak();
    auto& slice = *rest->countDownView()->sliceLayer();
    wait(150);
    EXPECT_NEAR(slice.endAngle(), 0, 0.1) << "a quarter gone";
    screen<TimedBreakRunningState>(Slot::timedBreak)->extendBreakBy(10);
    wait(0.1);
    EXPECT_NEAR(slice.endAngle(), 45, 0.1) << "an eighth gone of the longer break";
}

TEST_F(RestScreenTest, TheWedgeGrowsBySliversDrawnAlone)
{
    startLockedBreak();
    auto slice = SliceLayer::create({ 0, 0, 600, 600 });
    restWindow().contentView()->addSubview(slice);
    slice->setTotalTime(600);
    slice->setTimeLeft(600);
    slice->setTimeLeft(500);
    EXPECT_EQ(slice->dirtyRect(), slice->bounds()) << "a wedge of 60 degrees at once, the whole dial";
    slice->setNeedsDisplay(false);
    slice->setTimeLeft(499);
    ui::Rect sliver = slice->dirtyRect();
    ui::Rect area = slice->bounds();
    EXPECT_FALSE(sliver.isEmpty()) << "a second of a ten-minute break moves the wedge";
    EXPECT_LT(sliver.width() * sliver.height(), area.width() * area.height() / 3) << "not the whole dial";
    EXPECT_TRUE(sliver.contains({ area.midX(), area.midY() })) << "from the centre";
    slice->removeFromSuperview();
}

TEST_F(RestScreenTest, AtTwiceTheClocksSpeedTheDialMovesTwiceAsFast)
{
    Clock::restart(2);
    startLockedBreak();
    auto& dial = *rest->countDownView();
    wait(1.5);
    EXPECT_NEAR(dial.circleLayer()->scale(), CountDownView::kPulseScale, 1e-3) << "one way in 1.5 s";
    wait(1.5);
    EXPECT_NEAR(dial.circleLayer()->scale(), 1.0, 1e-3) << "and back";
    wait(147);
    EXPECT_NEAR(dial.sliceLayer()->timeLeft(), 300, 1.0) << "half the break in a quarter of its length";
}

// On a display that does not composite, as under a bare X server, the cover fades in over a
// picture of the screen. Faded in, the rest screen draws again only what moves, and only once
// it would look different: the ring a pixel at a time, the lock's ring likewise, the read-out
// once a second. It drew the whole display twenty times a second and more.
TEST_F(RestScreenTest, FadedInItDrawsOnlyWhatMovesAndOnlyWhenItMovesAPixel)
{
    backend().setCompositing(false);
    startLockedBreak();
    auto witness = CornerWitness::create();
    restWindow().contentView()->addSubview(witness);
    auto& lock = *rest->lockButtonWall();
    auto lockDrawing = lock.backgroundDrawingFunc;
    int lockDrawn = 0;
    lock.backgroundDrawingFunc = [&lockDrawn, lockDrawing](const ui::Rect& frame) {
        ++lockDrawn;
        lockDrawing(frame);
    };
    auto& ring = *rest->countDownView()->circleLayer();
    wait(6);
    witness->drawn = 0;
    lockDrawn = 0;

    // One pulse, out and back, looked at 240 times a second.
    std::vector<double> scales { ring.scale() };
    for (int frame = 0; frame < 6 * 240; ++frame) {
        wait(1.0 / 240);
        if (ring.scale() != scales.back())
            scales.push_back(ring.scale());
    }
    EXPECT_EQ(witness->drawn, 0) << "no drawing of the whole cover";
    EXPECT_GE(scales.size(), 28u);
    EXPECT_LE(scales.size(), 36u) << "a scale for each pixel the ring's edge moves, not one for each of 360 frames";
    for (std::size_t i = 1; i < scales.size(); ++i) {
        bool turnOrRest = scales[i] == CountDownView::kPulseScale || scales[i] == 1.0;
        if (!turnOrRest) {
            EXPECT_GE(std::abs(scales[i] - scales[i - 1]), ring.visibleScaleStep() * 0.999) << "change " << i;
        }
    }
    // 26.4 degrees a second on a 16-point wedge: some seven pixels a second at its rim.
    EXPECT_GE(lockDrawn, 35);
    EXPECT_LE(lockDrawn, 50) << "not at each of the 120 refreshes";
}

// The refresh ran twenty times a second whatever moved. It comes when the lock's ring or the
// dial's wedge has moved a pixel, the read-out's second turns or a cycle starts: some 160
// times in a cycle.
TEST_F(RestScreenTest, ItRefreshesOnlyWhenTheLockTheWedgeOrTheReadOutWouldLookDifferent)
{
    startLockedBreak();
    auto breakScreen = screen<TimedBreakRunningState>(Slot::timedBreak);
    auto& viewModel = *breakScreen->timedStateMachineModule()->viewModel;
    wait(2);
    int refreshes = 0;
    double seen = viewModel.frozenTime;
    for (int frame = 0; frame < 15 * 240; ++frame) {
        wait(1.0 / 240);
        if (viewModel.frozenTime != seen) {
            seen = viewModel.frozenTime;
            ++refreshes;
        }
    }
    // 13.6 s of ring at 7.3 pixels a second, 15 s of a wedge moving 2.7 pixels a second at
    // its rim, fifteen seconds of read-out.
    EXPECT_GE(refreshes, 100) << "each pixel of the lock's ring";
    EXPECT_LE(refreshes, 180) << "not the 300 of a twentieth of a second";
    EXPECT_TRUE(rest->uiUpdateTimer()) << "still going";
}

// A step of the ring draws its band again alone, and the wedge only where the band meets it:
// what the dial shows stays whole.
TEST_F(RestScreenTest, TheRingsStepsLeaveTheWedgeWhole)
{
    startLockedBreak();
    wait(150);
    auto& dial = *rest->countDownView();
    ui::Rect onWindow = dial.convertRectTo(dial.bounds(), nullptr);
    double height = restWindow().frame().height();
    // Points on the dial, counted from its centre up and to the right, as the window's
    // pixels count from its top left.
    auto seen = [&](double degrees, double radius) {
        double radians = degrees * std::numbers::pi / 180;
        double x = onWindow.midX() + radius * std::cos(radians);
        double y = onWindow.midY() - 1 + radius * std::sin(radians);
        return restWindow().pixelAt(x, height - y);
    };
    auto& ring = *rest->countDownView()->circleLayer();
    double scale = ring.scale();
    for (int frame = 0; frame < 6 * 60 && ring.scale() == scale; ++frame)
        wait(1.0 / 60);
    ASSERT_NE(ring.scale(), scale) << "the ring moved";
    for (int step = 0; step < 5; ++step) {
        double before = ring.scale();
        while (ring.scale() == before)
            wait(1.0 / 60);
        EXPECT_EQ(seen(45, 250), gfx::colors::white) << "in the wedge, a quarter of the break gone";
        EXPECT_EQ(seen(80, 255), gfx::colors::white);
        EXPECT_EQ(seen(135, 250), gfx::colors::black) << "before the wedge";
        EXPECT_EQ(seen(-30, 250), gfx::colors::black) << "past the wedge";
        EXPECT_EQ(seen(200, 270 * ring.scale()), gfx::colors::white) << "on the ring";
    }
}

}
