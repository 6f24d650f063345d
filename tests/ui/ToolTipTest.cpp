#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Button.h"
#include "platform/ui/ToolTipController.h"

using namespace ui;

namespace {

class ToolTipTest : public UiTest {
protected:
    ToolTipTest()
    {
        m_window = window(300, 200);
        m_button = Button::create("Start");
        m_button->setFrame(Rect(20, 20, 100, 30));
        m_button->setToolTip("Press ⌘S to start a time slice");
        m_window->contentView()->addSubview(m_button);
    }
    ToolTipController& tips() { return app().toolTips(); }
    // Runs the clock on by a time, firing what falls due.
    void wait(double seconds) { loop().runUntil(clock.now() + seconds); }

    std::shared_ptr<Window> m_window;
    std::shared_ptr<Button> m_button;
};

TEST_F(ToolTipTest, ShowsAfterThePointerRestsAndGoesWhenItLeaves)
{
    // The button's top left is at 20, 150 from the window's top left (the content is y up).
    backend().moveMouse(*m_window, Point(40, 160));
    wait(0.79);
    EXPECT_EQ(tips().window(), nullptr) << "not before 0.8 s";
    // Movement before then starts the wait afresh.
    backend().moveMouse(*m_window, Point(45, 162));
    wait(0.5);
    EXPECT_EQ(tips().window(), nullptr);
    wait(0.31);
    ASSERT_NE(tips().window(), nullptr);
    EXPECT_EQ(tips().text(), "Press ⌘S to start a time slice");
    Window* tip = tips().window();
    EXPECT_TRUE(tip->isVisible());
    EXPECT_FALSE(tip->canBecomeKeyWindow()) << "a tip never takes the keyboard";
    EXPECT_TRUE(tip->ignoresMouseEvents());
    EXPECT_TRUE(m_window->isKeyWindow());
    auto state = backend().stateOf(*tip);
    ASSERT_TRUE(state);
    EXPECT_TRUE(state->toolTip);
    EXPECT_FALSE(state->takesFocus);
    // Below the pointer (screen y runs up), starting at it.
    Point pointer = m_window->convertPointToScreen(Point(45, 200 - 162));
    EXPECT_LT(tip->frame().maxY(), pointer.y);
    EXPECT_EQ(tip->frame().minX(), pointer.x);

    backend().moveMouse(*m_window, Point(60, 165));
    EXPECT_NE(tips().window(), nullptr) << "moving over the same view keeps the tip";
    backend().moveMouse(*m_window, Point(250, 20));
    EXPECT_EQ(tips().window(), nullptr) << "leaving the view takes it away";
    EXPECT_FALSE(tip->isVisible());
    wait(2);
    EXPECT_EQ(tips().window(), nullptr) << "nothing there has a tip";
}

TEST_F(ToolTipTest, AClickAKeyOrTheWindowGoingTakeTheTipAway)
{
    auto showTip = [&] {
        backend().moveMouse(*m_window, Point(40, 160));
        wait(1);
        return tips().window() != nullptr;
    };
    ASSERT_TRUE(showTip());
    backend().click(*m_window, Point(40, 160));
    EXPECT_EQ(tips().window(), nullptr);

    ASSERT_TRUE(showTip());
    backend().press(*m_window, static_cast<std::uint16_t>(base::KeyCode::A), "a");
    EXPECT_EQ(tips().window(), nullptr);

    ASSERT_TRUE(showTip());
    m_window->orderOut();
    EXPECT_EQ(tips().window(), nullptr);

    // A wait running when the window goes shows nothing later.
    m_window->orderFront();
    backend().moveMouse(*m_window, Point(40, 160));
    m_window.reset();
    m_button.reset();
    wait(1);
    EXPECT_EQ(tips().window(), nullptr);
}

TEST_F(ToolTipTest, TheTipStaysOnTheScreenAndDrawsItsText)
{
    m_window->setFrameOrigin(Point(1300, 0));
    backend().moveMouse(*m_window, Point(110, 160));
    wait(1);
    Window* tip = tips().window();
    ASSERT_NE(tip, nullptr);
    Rect visible = backend().screens().front().visibleFrame;
    EXPECT_LE(tip->frame().maxX(), visible.maxX());
    EXPECT_GE(tip->frame().minY(), visible.minY()) << "no room below: above the pointer";
    // Dark, with light text somewhere inside.
    EXPECT_LT(tip->pixelAt(2, tip->frame().height() / 2).red, 0.3);
    bool light = false;
    for (double x = 0; x < tip->frame().width() && !light; ++x)
        for (double y = 0; y < tip->frame().height() && !light; ++y)
            light = tip->pixelAt(x, y).red > 0.8;
    EXPECT_TRUE(light);
    EXPECT_TRUE(tip->writePng(testing::TempDir() + "tooltip.png"));
}

}
