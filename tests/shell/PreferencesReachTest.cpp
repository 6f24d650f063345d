// The preferences window within reach on any screen: never larger than the work area less its
// borders, its toolbar always in view and every pane scrolling, both ways as needed, so that
// Tab and the scrollers reach every control; on a screen that holds it, as it is laid out.
#include "tests/shell/PreferencesFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Event.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TabView.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/Window.h"

#include <set>

namespace ostrel::test {

namespace {

// A small screen at a scale of 2 under a window manager's borders: 640 × 400 points, a panel
// along the top leaving 372.
constexpr ui::EdgeInsets kBorders { 22, 1, 5, 1 };
const ui::Rect kSmallWorkArea(0, 0, 640, 372);

class PreferencesReachTest : public PreferencesTest {
protected:
    ui::OffscreenBackend& backend() { return static_cast<ui::OffscreenBackend&>(ui::Application::shared()->backend()); }
    void onScreen(ui::Rect frame, ui::Rect workArea, double scale)
    {
        backend().setScreens({ { frame, workArea, "screen", scale } });
        backend().setFrameExtents(kBorders);
    }
    // The selected pane's scroll view.
    static ui::ScrollView& pane(PreferencesController& controller)
    {
        auto* page = controller.tabView()->selectedItem()->view();
        return dynamic_cast<ui::ScrollView&>(*page->subviews().front());
    }
    static std::vector<std::string> paneNames(PreferencesController& controller)
    {
        std::vector<std::string> names;
        for (const auto& item : controller.tabView()->items())
            names.push_back(std::any_cast<std::string>(item->identifier()));
        return names;
    }
};

}

TEST_F(PreferencesReachTest, OnASmallScreenTheWindowKeepsItsBordersInsideTheWorkAreaAndItsPanesScroll)
{
    onScreen(ui::Rect(0, 0, 640, 400), kSmallWorkArea, 2);
    auto controller = makeController();
    runWhile(*controller, [&] {
        ui::Window& window = controller->window();
        ui::Rect frame = window.frame();
        EXPECT_LE(frame.width(), 640 - kBorders.left - kBorders.right);
        EXPECT_LE(frame.height(), 372 - kBorders.top - kBorders.bottom);
        EXPECT_GE(frame.minX() - kBorders.left, 0);
        EXPECT_LE(frame.maxX() + kBorders.right, 640);
        EXPECT_GE(frame.minY() - kBorders.bottom, 0) << "the bottom row is on the screen";
        EXPECT_LE(frame.maxY() + kBorders.top, 372) << "and the title bar";
        EXPECT_EQ(controller->toolbar()->frame(), ui::Rect(0, 0, frame.width(), ui::Toolbar::kHeight)) << "the toolbar stays in view";

        for (const auto& name : paneNames(*controller)) {
            SCOPED_TRACE(name);
            controller->changePane(name);
            window.layoutIfNeeded();
            ui::ScrollView& scroll = pane(*controller);
            ui::Rect document = scroll.documentView()->frame();
            EXPECT_FALSE(scroll.horizontalScroller()->isHidden()) << "the pane is wider than the room it has";
            EXPECT_EQ(scroll.verticalScroller()->isHidden(), document.height() <= scroll.contentView()->frame().height())
                << "and, where it is taller, that too";
            EXPECT_LE(scroll.frame().maxY(), frame.height() - ui::Toolbar::kHeight) << "the pane ends with the window";
            scroll.scrollToBottom();
            scroll.horizontalScroller()->onKnobMoved(1);
            EXPECT_DOUBLE_EQ(scroll.documentVisibleRect().maxX(), document.width()) << "scrolled to its end, its right edge shows";
            EXPECT_DOUBLE_EQ(scroll.documentVisibleRect().maxY(), document.height()) << "and its bottom row";

            // Tab reaches every control of the pane, each scrolled into view as it takes the keyboard.
            std::set<ui::View*> controls;
            for (ui::View* view : scroll.documentView()->subtree())
                if (view->canBecomeKeyView())
                    controls.insert(view);
            ASSERT_FALSE(controls.empty());
            std::set<ui::View*> reached;
            auto* clip = scroll.contentView();
            for (int press = 0; press < 400 && reached.size() < controls.size(); ++press) {
                window.selectNextKeyView();
                auto* control = dynamic_cast<ui::View*>(window.firstResponder());
                if (!control || !controls.count(control))
                    continue;
                reached.insert(control);
                ui::Rect place = clip->convertRectFrom(control->bounds(), control);
                ui::Rect visible = clip->bounds();
                EXPECT_TRUE(place.width() > visible.width() || (place.minX() >= visible.minX() && place.maxX() <= visible.maxX()))
                    << "a control took the keyboard out of sight sideways";
                EXPECT_TRUE(place.height() > visible.height() || (place.minY() >= visible.minY() && place.maxY() <= visible.maxY()))
                    << "a control took the keyboard out of sight up or down";
            }
            EXPECT_EQ(reached.size(), controls.size()) << "Tab reaches every control";
        }
    });
}

// The pane switcher is a stop of the Tab walk that the arrows move in, as a row of tabs is;
// Ctrl+PageDown and Ctrl+PageUp switch panes from anywhere, round the ends.
TEST_F(PreferencesReachTest, TheKeyboardReachesThePaneSwitcherAndSwitchesPanes)
{
    onScreen(ui::Rect(0, 0, 1280, 800), ui::Rect(0, 0, 1280, 772), 1);
    auto controller = makeController();
    runWhile(*controller, [&] {
        ui::Window& window = controller->window();
        auto key = [&](base::KeyCode code, std::uint32_t modifiers = 0) {
            window.sendEvent(ui::Event::key(ui::Event::Type::KeyDown, &window, static_cast<std::uint16_t>(code), "", modifiers));
        };
        auto shown = [&] { return std::any_cast<std::string>(controller->tabView()->selectedItem()->identifier()); };
        using K = base::KeyCode;
        controller->changePane(std::string("General"));
        window.makeFirstResponder(nullptr);
        key(K::Tab);
        EXPECT_EQ(window.firstResponder(), controller->toolbar()) << "the switcher is the first stop";
        key(K::RightArrow);
        EXPECT_EQ(shown(), "Notifications");
        key(K::End);
        EXPECT_EQ(shown(), "Integrations");
        key(K::RightArrow);
        EXPECT_EQ(shown(), "Integrations") << "the arrows stop at the ends";
        key(K::Home);
        EXPECT_EQ(shown(), "General");
        EXPECT_EQ(window.firstResponder(), controller->toolbar()) << "and the keyboard stays on the switcher";

        key(K::Tab);
        auto* control = dynamic_cast<ui::View*>(window.firstResponder());
        ASSERT_TRUE(control);
        EXPECT_TRUE(control->isDescendantOf(controller->tabView())) << "Tab goes on into the pane";
        key(K::PageDown, ui::ModifierFlag::Command);
        EXPECT_EQ(shown(), "Notifications") << "Ctrl+PageDown, from within a pane";
        key(K::PageUp, ui::ModifierFlag::Command);
        key(K::PageUp, ui::ModifierFlag::Command);
        EXPECT_EQ(shown(), "Integrations") << "round the ends";
    });
}

// The notifications' detail page is a scroll view of its own that has nothing to scroll.
TEST_F(PreferencesReachTest, TheWheelOverAListThatFitsScrollsThePaneAroundIt)
{
    onScreen(ui::Rect(0, 0, 640, 400), kSmallWorkArea, 2);
    auto controller = makeController();
    runWhile(*controller, [&] {
        ui::Window& window = controller->window();
        controller->changePane("Notifications");
        window.layoutIfNeeded();
        ui::ScrollView& scroll = pane(*controller);
        ui::Point overTheDetails(window.frame().width() / 2, window.frame().height() / 2 + 20);
        window.sendEvent(ui::Event::scroll(&window, overTheDetails, 0, -1));
        EXPECT_GT(scroll.documentVisibleRect().minY(), 0) << "down";
        window.sendEvent(ui::Event::scroll(&window, overTheDetails, 0, -1, ui::ModifierFlag::Shift));
        EXPECT_GT(scroll.documentVisibleRect().minX(), 0) << "and with Shift, right";
    });
}

TEST_F(PreferencesReachTest, OnAScreenThatHoldsItTheWindowAndItsPanesAreAsLaidOut)
{
    onScreen(ui::Rect(0, 0, 1280, 800), ui::Rect(0, 0, 1280, 772), 1);
    auto controller = makeController();
    runWhile(*controller, [&] {
        ui::Window& window = controller->window();
        EXPECT_EQ(window.frame().size, ui::Size(720, 560));
        for (const auto& name : paneNames(*controller)) {
            SCOPED_TRACE(name);
            controller->changePane(name);
            window.layoutIfNeeded();
            ui::ScrollView& scroll = pane(*controller);
            EXPECT_TRUE(scroll.horizontalScroller()->isHidden());
            EXPECT_EQ(scroll.frame(), ui::Rect(0, 0, 720, 560 - ui::Toolbar::kHeight));
            EXPECT_EQ(scroll.documentVisibleRect().origin, ui::Point());
        }
    });
}

TEST_F(PreferencesReachTest, MovedToASmallerScreenTheWindowShrinksToItsReach)
{
    onScreen(ui::Rect(0, 0, 1280, 800), ui::Rect(0, 0, 1280, 772), 1);
    auto controller = makeController();
    runWhile(*controller, [&] {
        ui::Window& window = controller->window();
        ASSERT_EQ(window.frame().size, ui::Size(720, 560));
        onScreen(ui::Rect(0, 0, 640, 400), kSmallWorkArea, 2);
        window.setFrameOrigin(ui::Point(10, 10));
        EXPECT_LE(window.frame().width(), 640 - kBorders.left - kBorders.right);
        EXPECT_LE(window.frame().maxY() + kBorders.top, 372);
        EXPECT_EQ(controller->tabView()->frame().maxY(), window.frame().height()) << "the panes follow the window";
    });
}

}
