// Windows under a window manager that keeps them at sizes of its own (a tiling one), played by
// the test on a connection of its own: the window's picture fills the size the display keeps,
// whatever the program asked for.
#include "platform/ui/Screen.h"
#include "platform/ui/SdlWindow.h"
#include "platform/ui/StatusItem.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "SdlFixture.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include "SdlUserFixture.h"

using namespace ui;

namespace {

// Takes over the placing of windows once it starts, as a window manager does: a request to
// move or resize a window reaches it, and it answers by keeping the window as it is, told
// with a ConfigureNotify of its own, as a tiling window manager does.
class TilingManager {
public:
    TilingManager()
        : m_display(XOpenDisplay(nullptr))
    {
        if (!m_display)
            return;
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureRedirectMask);
        XSync(m_display, False);
    }
    ~TilingManager()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    // Gives the window a tile of its own size, at the top left of the screen.
    void tile(::Window window, int width, int height)
    {
        XMoveResizeWindow(m_display, window, 0, 0, width, height);
        XSync(m_display, False);
    }
    // Answers every request waiting, each with the window as it is.
    void refuseRequests()
    {
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type != ConfigureRequest)
                continue;
            if (event.xconfigurerequest.value_mask & (CWWidth | CWHeight))
                m_asked[event.xconfigurerequest.window].push_back({ event.xconfigurerequest.width, event.xconfigurerequest.height });
            XWindowAttributes attributes {};
            XGetWindowAttributes(m_display, event.xconfigurerequest.window, &attributes);
            XEvent told {};
            told.xconfigure.type = ConfigureNotify;
            told.xconfigure.event = event.xconfigurerequest.window;
            told.xconfigure.window = event.xconfigurerequest.window;
            told.xconfigure.x = attributes.x;
            told.xconfigure.y = attributes.y;
            told.xconfigure.width = attributes.width;
            told.xconfigure.height = attributes.height;
            XSendEvent(m_display, event.xconfigurerequest.window, False, StructureNotifyMask, &told);
        }
        XFlush(m_display);
    }
    // The sizes asked for the window, in the order asked.
    std::vector<std::pair<int, int>> asked(::Window window) const
    {
        auto found = m_asked.find(window);
        return found == m_asked.end() ? std::vector<std::pair<int, int>> {} : found->second;
    }

private:
    Display* m_display { nullptr };
    std::map<::Window, std::vector<std::pair<int, int>>> m_asked;
};

class SdlTiling : public SdlWithUser {
protected:
    void SetUp() override
    {
        SdlWithUser::SetUp();
        if (IsSkipped())
            return;
        auto screens = ui::Screen::screens();
        ASSERT_FALSE(screens.empty());
        m_top = screens.front().frame.maxY();
        ASSERT_EQ(screens.front().backingScaleFactor, 1);
    }
    // A resizable window painted blue, shown at the top left of the screen.
    std::shared_ptr<ui::Window> showPaintedWindow()
    {
        auto window = ui::Window::create(Rect(0, m_top - 200, 300, 200), WindowStyle::Titled | WindowStyle::Resizable);
        window->setContentView(Swatch::create(gfx::colors::blue, Rect(0, 0, 300, 200)));
        window->orderFront();
        EXPECT_TRUE(runUntil([&] { return pixelOnDisplay(m_user, 150, 100) == gfx::colors::blue; })) << "the window never showed";
        return window;
    }
    static ::Window xWindowOf(const ui::Window& window)
    {
        auto* platform = dynamic_cast<SdlWindow*>(window.platformWindow());
        return platform ? platform->xWindow() : 0;
    }
    // Whether every pixel of the band of the display holds the colour.
    bool bandIs(int x, int y, int width, gfx::Color color)
    {
        for (int at = x; at < x + width; at += 4)
            if (pixelOnDisplay(m_user, at, y) != color)
                return false;
        return true;
    }

    double m_top { 0 };
};

}

TEST_F(SdlTiling, AWindowKeptAtItsTilesSizeFillsTheTileWhateverItAsksFor)
{
    // Each screen of the main window asks for its own size: the first request refused, the
    // second was taken for a user's resize (SDL counts the window at the size it asked for
    // last) and the window drew a smaller picture into its tile, the rest left stale.
    auto window = showPaintedWindow();

    TilingManager manager;
    ASSERT_TRUE(manager.ok());
    manager.tile(xWindowOf(*window), 600, 400);
    ASSERT_TRUE(runUntil([&] { return window->frame().size == Size(600, 400); })) << "the tile's size never reached the window";
    ASSERT_TRUE(runUntil([&] { return bandIs(0, 390, 600, gfx::colors::blue); })) << "the tile was never painted";

    for (Size asked : { Size(320, 250), Size(340, 260), Size(320, 250) }) {
        window->setFrame(Rect(window->frame().origin, asked), true);
        EXPECT_TRUE(runUntil([&] {
            manager.refuseRequests();
            return window->frame().size == Size(600, 400) && bandIs(0, 390, 600, gfx::colors::blue);
        })) << "asked for " << asked.width << " × " << asked.height << ", the window kept " << window->frame().width()
            << " × " << window->frame().height() << " of its tile";
    }
    // Each asking waits for the window manager's answer a while: a size refused is not asked again.
    EXPECT_EQ(manager.asked(xWindowOf(*window)), (std::vector<std::pair<int, int>> { { 320, 250 }, { 340, 260 } }));
}

TEST_F(SdlTiling, AStripDockedAcrossTheScreenShowsOnlyTheTitleItHasNow)
{
    // A tiling window manager docks the status strip across the top of the screen and keeps
    // it so: the count of a slice that ended stayed beside the item until it restarted.
    auto item = StatusItem::create(StatusItem::Presentation::Strip);
    ui::Window* strip = item->stripWindow();
    ASSERT_NE(strip, nullptr);
    ASSERT_TRUE(runUntil([&] { return xWindowOf(*strip) != 0; }));
    runUntil([] { return false; }, 0.2);

    TilingManager manager;
    ASSERT_TRUE(manager.ok());
    int width = DisplayWidth(m_user, DefaultScreen(m_user));
    manager.tile(xWindowOf(*strip), width, 24);
    ASSERT_TRUE(runUntil([&] { return strip->frame().width() == width; }));

    gfx::Color background = pixelOnDisplay(m_user, width - 2, 2);
    auto lightColumns = [&] {
        int columns = 0;
        for (int x = width - 200; x < width; ++x)
            for (int y = 4; y < 20; ++y)
                if (pixelOnDisplay(m_user, x, y).red > 0.6) {
                    ++columns;
                    break;
                }
        return columns;
    };
    item->button()->setTitle("00:29 ");
    ASSERT_TRUE(runUntil([&] {
        manager.refuseRequests();
        return lightColumns() > 20;
    })) << "the count never showed";
    item->button()->setTitle("");
    EXPECT_TRUE(runUntil([&] {
        manager.refuseRequests();
        return lightColumns() == 0;
    })) << "the count stayed beside the item";
    EXPECT_EQ(pixelOnDisplay(m_user, width - 2, 2), background);
    EXPECT_EQ(strip->frame().width(), width);
}
