#include "ViewkitFixture.h"

#include "viewkit/ButtonTextColor.h"
#include "viewkit/WheelButton.h"

#include "platform/base/Timer.h"
#include "platform/ui/ControlLook.h"

namespace ostrel::test {

namespace {

class WheelButtonTest : public ViewkitTest {
protected:
    std::shared_ptr<WheelButton> placedButton()
    {
        m_window = window(300, 200);
        auto button = WheelButton::create(ui::Menu::create());
        button->myMenu()->addItem("Customize");
        button->setFrame(ui::Rect(100, 50, 32, 34));
        m_window->contentView()->addSubview(button);
        return button;
    }
    std::shared_ptr<ui::Window> m_window;
};

}

TEST_F(WheelButtonTest, ThePressPopsTheMenuBelowAndLeftAndUnhighlightsOnClose)
{
    auto button = placedButton();
    EXPECT_EQ(button->menuLocation(), ui::Point(92, 46));
    std::optional<ui::Point> shownAt;
    bool highlightedWhileOpen = false;
    auto closer = base::Timer::create(0.2, true, base::RunLoop::Mode::Common, [&](base::Timer& timer) {
        auto* tracking = button->myMenu()->trackingWindow();
        if (!tracking)
            return;
        timer.invalidate();
        shownAt = tracking->frame().origin;
        shownAt->y = tracking->frame().maxY();
        highlightedWhileOpen = button->isHighlighted();
        button->myMenu()->cancelTracking();
    });
    backend().click(*m_window, { 116, 200 - 50 - 17 });
    ASSERT_TRUE(shownAt);
    EXPECT_EQ(*shownAt, m_window->contentView()->convertPointToScreen({ 92, 46 }));
    EXPECT_TRUE(highlightedWhileOpen);
    EXPECT_FALSE(button->isHighlighted()) << "closing without a choice removes the highlight";
}

TEST_F(WheelButtonTest, TheWheelGlowsOnlyWithTheKeyboardInTheKeyWindow)
{
    auto button = placedButton();
    // The wheel is drawn source-atop: over what the window already shows.
    m_window->setBackgroundColor(gfx::Color::white(0.3));
    // In a corner of the wheel's picture, off the gear, where only the glow reaches (the
    // picture is drawn source-atop, clipped to its own rectangle).
    auto glowAt = [&] {
        m_window->display();
        ui::Point wheel = button->convertPointTo({ 8 + 1.5, 9 + 1.5 }, nullptr);
        return m_window->pixelAt(static_cast<int>(wheel.x), static_cast<int>(200 - wheel.y));
    };
    gfx::Color plain = glowAt();
    m_window->makeFirstResponder(button.get());
    gfx::Color focused = glowAt();
    EXPECT_GT(focused.brightness(), plain.brightness());
    auto other = window(50, 50);
    EXPECT_EQ(glowAt(), plain) << "no glow in a window that is not key";
}

TEST_F(WheelButtonTest, ATitleColourLivesInTheAttributedTitle)
{
    auto button = WheelButton::create();
    button->setTitle("");
    setTextColor(*button, gfx::colors::red);
    EXPECT_EQ(button->title(), "");
    EXPECT_EQ(textColor(*button), std::nullopt);

    button->setTitle("Go");
    EXPECT_EQ(textColor(*button), ui::ControlLook::kText) << "a plain title has no colour of its own";
    setTextColor(*button, gfx::colors::red);
    EXPECT_EQ(textColor(*button), gfx::colors::red);
    EXPECT_EQ(button->title(), "Go");
    button->setTitle("Stop");
    EXPECT_EQ(textColor(*button), ui::ControlLook::kText) << "a new plain title drops it";
}

}
