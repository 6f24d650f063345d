#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/base/Timer.h"
#include "platform/ui/Application.h"
#include "platform/ui/Beep.h"
#include "platform/ui/SdlBackend.h"
#include "platform/ui/SdlWindow.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "SdlFixture.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>
#include <gtest/gtest.h>
#include <poll.h>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <SDL.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include "DisplayPixels.h"

using namespace ui;

namespace {

// A view that turns green when clicked, so the picture on the display shows the click.
class Button : public View {
public:
    static std::shared_ptr<Button> create(Rect frame) { return std::shared_ptr<Button>(new Button(frame)); }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        context.setFillColor(m_color);
        context.fillRect(bounds());
    }
    void mouseDown(const Event&) override
    {
        ++clicks;
        m_color = gfx::colors::green;
        setNeedsDisplay();
    }
    int clicks { 0 };

private:
    explicit Button(Rect frame)
        : View(frame)
    {
    }
    gfx::Color m_color { gfx::colors::blue };
};

// The test's own connection to the display: it plays the user and the screenshot tool.
class User {
public:
    User() { m_display = XOpenDisplay(nullptr); }
    ~User()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    gfx::Color pixel(int x, int y) { return pixelOnDisplay(m_display, x, y); }

    void click(int x, int y)
    {
        press(x, y);
        release();
    }
    void press(int x, int y)
    {
        XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XFlush(m_display);
    }
    void release()
    {
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
        XFlush(m_display);
    }

    // A window's title as SDL sets it (UTF-8, which XFetchName does not read).
    std::string titleOf(::Window window)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string title;
        if (XGetWindowProperty(m_display, window, XInternAtom(m_display, "WM_NAME", False), 0, 256, False, AnyPropertyType,
                &type, &format, &count, &after, &data)
                == Success
            && data && format == 8)
            title.assign(reinterpret_cast<char*>(data), count);
        if (data)
            XFree(data);
        return title;
    }

    // The title of the window with the keyboard, empty for none.
    std::string focusedTitle()
    {
        ::Window focused = None;
        int revert = 0;
        XGetInputFocus(m_display, &focused, &revert);
        if (focused == None || focused == PointerRoot)
            return {};
        return titleOf(focused);
    }

    // The size in pixels of the top-level window with a title.
    std::optional<std::pair<unsigned, unsigned>> sizeOf(const std::string& title)
    {
        ::Window root = DefaultRootWindow(m_display), parent = None, *children = nullptr;
        unsigned count = 0;
        std::optional<std::pair<unsigned, unsigned>> size;
        if (!XQueryTree(m_display, root, &root, &parent, &children, &count))
            return size;
        for (unsigned i = 0; i < count && !size; ++i) {
            XWindowAttributes attributes;
            if (titleOf(children[i]) == title && XGetWindowAttributes(m_display, children[i], &attributes))
                size = std::pair { static_cast<unsigned>(attributes.width), static_cast<unsigned>(attributes.height) };
        }
        if (children)
            XFree(children);
        return size;
    }

    // The EWMH type the top-level window with a title says it is, empty for none.
    std::string typeOf(const std::string& title)
    {
        ::Window root = DefaultRootWindow(m_display), parent = None, *children = nullptr;
        unsigned count = 0;
        std::string name;
        if (!XQueryTree(m_display, root, &root, &parent, &children, &count))
            return name;
        for (unsigned i = 0; i < count && name.empty(); ++i) {
            if (titleOf(children[i]) != title)
                continue;
            Atom type = None;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(m_display, children[i], XInternAtom(m_display, "_NET_WM_WINDOW_TYPE", False), 0, 1, False,
                    XA_ATOM, &type, &format, &items, &after, &data)
                    == Success
                && data && items == 1) {
                char* atomName = XGetAtomName(m_display, *reinterpret_cast<Atom*>(data));
                name = atomName ? atomName : "";
                if (atomName)
                    XFree(atomName);
            }
            if (data)
                XFree(data);
        }
        if (children)
            XFree(children);
        return name;
    }
    // The titles of the top-level windows shown, from the bottom of the stack to the top.
    std::vector<std::string> stacking()
    {
        ::Window root = DefaultRootWindow(m_display), parent = None, *children = nullptr;
        unsigned count = 0;
        std::vector<std::string> titles;
        if (!XQueryTree(m_display, root, &root, &parent, &children, &count))
            return titles;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (XGetWindowAttributes(m_display, children[i], &attributes) && attributes.map_state == IsViewable)
                if (auto title = titleOf(children[i]); !title.empty())
                    titles.push_back(title);
        }
        if (children)
            XFree(children);
        return titles;
    }

private:
    Display* m_display { nullptr };
};

// Whether the display shows the window, as another client of it sees.
bool viewable(Display* display, ::Window window)
{
    XWindowAttributes attributes {};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// The window manager's word that the window is maximized, or no longer so.
void tellMaximized(Display* manager, ::Window window, bool maximized)
{
    Atom both[2] = { XInternAtom(manager, "_NET_WM_STATE_MAXIMIZED_VERT", False),
        XInternAtom(manager, "_NET_WM_STATE_MAXIMIZED_HORZ", False) };
    XChangeProperty(manager, window, XInternAtom(manager, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(both), maximized ? 2 : 0);
}

// Its frame's borders (left, right, top, bottom), as openbox draws them: none at the sides
// once maximized, and none while put away.
void tellBorders(Display* manager, ::Window window, long left, long top)
{
    long extents[4] = { left, left, top, left * 5 };
    XChangeProperty(manager, window, XInternAtom(manager, "_NET_FRAME_EXTENTS", False), XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(extents), 4);
}

// A window manager that only tells the frame an unshown window would get (pixels: left,
// right, top, bottom), answering over a connection and thread of its own as a real one does.
class FrameEstimator {
public:
    explicit FrameEstimator(std::array<long, 4> extents)
        : m_display(XOpenDisplay(nullptr))
        , m_extents(extents)
    {
        if (!m_display)
            return;
        ::Window root = DefaultRootWindow(m_display);
        m_check = XCreateSimpleWindow(m_display, root, 0, 0, 1, 1, 0, 0, 0);
        Atom check = XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", False);
        for (::Window on : { root, m_check })
            XChangeProperty(m_display, on, check, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&m_check), 1);
        m_request = XInternAtom(m_display, "_NET_REQUEST_FRAME_EXTENTS", False);
        XChangeProperty(m_display, root, XInternAtom(m_display, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<unsigned char*>(&m_request), 1);
        XSelectInput(m_display, root, SubstructureNotifyMask);
        XSync(m_display, False);
        m_thread = std::thread([this] { answer(); });
    }
    ~FrameEstimator()
    {
        m_done = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_display)
            XCloseDisplay(m_display);
    }
    FrameEstimator(const FrameEstimator&) = delete;
    FrameEstimator& operator=(const FrameEstimator&) = delete;

    int answered() const { return m_answered; }

private:
    void answer()
    {
        Atom told = XInternAtom(m_display, "_NET_FRAME_EXTENTS", False);
        pollfd connection { ConnectionNumber(m_display), POLLIN, 0 };
        while (!m_done) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                if (event.type != ClientMessage || event.xclient.message_type != m_request)
                    continue;
                XChangeProperty(m_display, event.xclient.window, told, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(m_extents.data()), 4);
                XFlush(m_display);
                ++m_answered;
            }
            poll(&connection, 1, 10);
        }
    }

    Display* m_display;
    std::array<long, 4> m_extents;
    ::Window m_check { 0 };
    Atom m_request { 0 };
    std::atomic<bool> m_done { false };
    std::atomic<int> m_answered { 0 };
    std::thread m_thread;
};

// SDL's number for a window of ours, which its events carry; 0 for none.
std::uint32_t sdlIdOf(ui::Window& window)
{
    auto* platform = dynamic_cast<ui::SdlWindow*>(window.platformWindow());
    return platform ? SDL_GetWindowID(platform->sdl()) : 0u;
}

class Sdl : public SdlFixture {
protected:
    // A window shown 100 points in from the first screen's left and top, 300 × 200.
    static std::shared_ptr<ui::Window> shownWindow(unsigned style)
    {
        auto screens = ui::Screen::screens();
        EXPECT_FALSE(screens.empty());
        double top = screens.empty() ? 0 : screens.front().frame.maxY();
        auto window = ui::Window::create(Rect(100, top - 300, 300, 200), style);
        window->orderFront();
        return window;
    }

    // A window shown as above, once the display shows it, and a connection of the test's own
    // to the display over which it plays the window manager as the case needs.
    struct Played {
        std::shared_ptr<ui::Window> window;
        ::Window xw { 0 };
        Display* manager { nullptr };
    };
    Played shownAndPlayed(unsigned style)
    {
        Played played { shownWindow(style) };
        auto* platform = dynamic_cast<ui::SdlWindow*>(played.window->platformWindow());
        played.manager = XOpenDisplay(nullptr);
        if (!platform || !played.manager)
            ADD_FAILURE() << "no SDL window or no display";
        else {
            m_managers.push_back(played.manager);
            played.xw = platform->xWindow();
            EXPECT_TRUE(runUntil([&] { return viewable(played.manager, played.xw); })) << "the window never showed";
        }
        return played;
    }
    ~Sdl() override
    {
        for (Display* manager : m_managers)
            XCloseDisplay(manager);
    }

    // The application again, over the display as SDL opens it with two pixels a point
    // (GDK_SCALE, read as the display opens).
    void reopenDoubled()
    {
        m_app.reset();
        setenv("GDK_SCALE", "2", 1);
        auto backend = SdlBackend::open();
        unsetenv("GDK_SCALE");
        ASSERT_TRUE(backend);
        EXPECT_EQ(backend->scale(), 2);
        m_app = Application::create(std::move(backend));
    }

private:
    std::vector<Display*> m_managers;
};

}

TEST_F(Sdl, ClickOnARealWindowReachesTheViewAndShowsOnTheDisplay)
{
    User user;
    ASSERT_TRUE(user.ok());
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    double top = screens.front().frame.maxY();

    auto window = ui::Window::create(Rect(100, top - 100 - 120, 200, 120), WindowStyle::Borderless);
    window->setLevel(WindowLevel::Floating);
    auto left = View::create(Rect(0, 0, 100, 120));
    struct Red : View {
        Red() : View(Rect(0, 0, 100, 120)) { }
        void draw(gfx::GraphicsContext& c, const Rect&) override
        {
            c.setFillColor(gfx::colors::red);
            c.fillRect(bounds());
        }
    };
    window->contentView()->addSubview(std::shared_ptr<View>(new Red));
    auto button = Button::create(Rect(100, 0, 100, 120));
    window->contentView()->addSubview(button);
    window->makeKeyAndOrderFront();

    // The window's top left sits at 100, 100 on the display (X counts from the top).
    ASSERT_TRUE(runUntil([&] { return user.pixel(150, 160) == gfx::colors::red; })) << "the window never showed";
    EXPECT_EQ(user.pixel(250, 160), gfx::colors::blue);

    user.click(250, 160);
    ASSERT_TRUE(runUntil([&] { return button->clicks == 1; })) << "the click never arrived";
    EXPECT_TRUE(runUntil([&] { return user.pixel(250, 160) == gfx::colors::green; }));
    EXPECT_EQ(user.pixel(150, 160), gfx::colors::red);

    // Inside a modal run (an alert up) the window still answers: the display is a
    // common-mode source.
    bool timedOut = false;
    auto guard = base::Timer::create(5, false, base::RunLoop::Mode::Common, [&](base::Timer&) {
        timedOut = true;
    });
    user.click(250, 160);
    base::RunLoop::main().runModal([&] { return button->clicks == 2 || timedOut; });
    guard->invalidate();
    EXPECT_EQ(button->clicks, 2);

    // A press that closes its window (a click beside an open menu): the release goes nowhere
    // SDL hears of, and SDL takes the button for still down. The next click counts all the same.
    auto closing = ui::Window::create(Rect(400, top - 100 - 120, 200, 120), WindowStyle::Borderless);
    closing->setLevel(WindowLevel::Floating);
    auto closer = Button::create(Rect(0, 0, 200, 120));
    closing->contentView()->addSubview(closer);
    closing->orderFront();
    ASSERT_TRUE(runUntil([&] { return user.pixel(450, 160) == gfx::colors::blue; })) << "the second window never showed";
    user.press(450, 160);
    ASSERT_TRUE(runUntil([&] { return closer->clicks == 1; }));
    closing->close();
    closing.reset();
    closer.reset();
    ASSERT_TRUE(runUntil([&] { return user.pixel(450, 160) != gfx::colors::blue; })) << "the second window stayed";
    user.release();
    user.click(250, 160);
    EXPECT_TRUE(runUntil([&] { return button->clicks == 3; })) << "the click after the closed window's press was lost";
}

TEST_F(Sdl, AnIdleLoopWithAWindowOpenHasNothingToWakeFor)
{
    auto window = ui::Window::create(Rect(50, 50, 120, 80));
    window->makeKeyAndOrderFront();
    runUntil([] { return false; }, 0.3);
    // Settled: no timer of ours, and a pass finds nothing to do.
    EXPECT_EQ(base::RunLoop::main().timerCount(), 0u);
    int idlePasses = 0;
    for (int i = 0; i < 5; ++i)
        idlePasses += base::RunLoop::main().runOnce() ? 0 : 1;
    EXPECT_EQ(idlePasses, 5);
}

TEST_F(Sdl, TheKeyboardGoesWhereAskedWithoutAWindowManagerAndNeverToACover)
{
    User user;
    ASSERT_TRUE(user.ok());
    auto first = ui::Window::create(Rect(50, 50, 120, 80));
    first->setTitle("first");
    auto target = Button::create(Rect(0, 0, 120, 80));
    first->contentView()->addSubview(target);
    first->makeKeyAndOrderFront();
    auto second = ui::Window::create(Rect(250, 50, 120, 80));
    second->setTitle("second");
    second->makeKeyAndOrderFront();
    ASSERT_TRUE(runUntil([&] { return user.focusedTitle() == "second"; })) << user.focusedTitle();

    first->makeKeyWindow();
    EXPECT_TRUE(runUntil([&] { return user.focusedTitle() == "first"; })) << "focus() only raised: " << user.focusedTitle();
    EXPECT_TRUE(first->isKeyWindow());

    // A cover shows above everything and leaves the keyboard where it was.
    auto cover = ui::Window::create(Rect(0, 0, 300, 200), WindowStyle::Borderless);
    cover->setTitle("cover");
    cover->setLevel(WindowLevel::AboveAll);
    cover->setCanBecomeKeyWindow(false);
    cover->setIgnoresMouseEvents(true);
    cover->orderFrontRegardless();
    runUntil([] { return false; }, 0.3);
    EXPECT_EQ(user.focusedTitle(), "first");
    EXPECT_TRUE(first->isKeyWindow());
    // Clicks go through it to the window below (X counts from the top of the 900-pixel display).
    user.click(100, 800);
    EXPECT_TRUE(runUntil([&] { return target->clicks == 1; })) << "the cover caught the click";

    int beeps = beepCount();
    beep();
    EXPECT_EQ(beepCount(), beeps + 1);
}

TEST_F(Sdl, AWindowOrderedFrontAgainComesOverTheOthersYetStaysUnderHigherLevels)
{
    User user;
    ASSERT_TRUE(user.ok());
    auto lower = ui::Window::create(Rect(50, 50, 200, 150));
    lower->setTitle("lower");
    lower->orderFront();
    auto strip = ui::Window::create(Rect(60, 60, 100, 20), WindowStyle::Borderless);
    strip->setTitle("strip");
    strip->setLevel(WindowLevel::AboveAll);
    strip->setCanBecomeKeyWindow(false);
    strip->setKind(WindowKind::Dock);
    strip->orderFrontRegardless();
    auto upper = ui::Window::create(Rect(100, 80, 200, 150));
    upper->setTitle("upper");
    upper->orderFront();
    runUntil([] { return false; }, 0.3);
    auto order = [&] { return user.stacking(); };
    auto indexOf = [](const std::vector<std::string>& titles, const std::string& title) {
        return std::find(titles.begin(), titles.end(), title) - titles.begin();
    };
    ASSERT_LT(indexOf(order(), "lower"), indexOf(order(), "upper"));

    // What a pop-up's host window is asked before the pop-up shows on it.
    lower->orderFrontRegardless();
    EXPECT_TRUE(runUntil([&] { return indexOf(order(), "lower") > indexOf(order(), "upper"); }))
        << "the window ordered front stayed behind";
    EXPECT_GT(indexOf(order(), "strip"), indexOf(order(), "lower")) << "a higher level went under it";
    // Each says what it is, so that any window manager stacks and floats it as meant.
    EXPECT_EQ(user.typeOf("lower"), "_NET_WM_WINDOW_TYPE_NORMAL");
    EXPECT_EQ(user.typeOf("strip"), "_NET_WM_WINDOW_TYPE_DOCK") << "the status strip says it is a normal window";
}

TEST_F(Sdl, ADoubledDisplayShowsEachPointWithFourPixels)
{
    // Asked before SDL opens the display: the fixture's backend goes, a new one reads it.
    reopenDoubled();
    User user;
    ASSERT_TRUE(user.ok());
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    EXPECT_EQ(screens.front().frame.size, (Size { 720, 450 })) << "the 1440 × 900 test display, in points";
    EXPECT_EQ(screens.front().backingScaleFactor, 2);

    auto window = ui::Window::create(Rect(20, 20, 100, 50));
    window->setTitle("doubled");
    window->makeKeyAndOrderFront();
    std::optional<std::pair<unsigned, unsigned>> size;
    ASSERT_TRUE(runUntil([&] { return (size = user.sizeOf("doubled")).has_value(); }));
    EXPECT_EQ(*size, (std::pair { 200u, 100u }));
    EXPECT_EQ(window->frame().size, (Size { 100, 50 }));
}

TEST_F(Sdl, AReleaseToldOfAnotherWindowReachesTheWindowThePressWentTo)
{
    // SDL tells of a release in the window its pointer focus went to meanwhile (another of
    // ours, just shown beside the pointer): the press in the first was left without its
    // release, and the click was lost. Told through SDL's own queue, which the loop also
    // looks into before it sleeps.
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    double top = screens.front().frame.maxY();
    struct Pressed : View {
        Pressed() : View(Rect(0, 0, 100, 120)) { }
        void mouseDown(const Event&) override { ++downs; }
        void mouseUp(const Event& event) override { releasedAt = convertPointFrom(event.locationInWindow(), nullptr); }
        int downs { 0 };
        std::optional<Point> releasedAt;
    };
    auto pressedIn = ui::Window::create(Rect(100, top - 100 - 120, 200, 120), WindowStyle::Borderless);
    auto view = std::make_shared<Pressed>();
    pressedIn->contentView()->addSubview(view);
    auto beside = ui::Window::create(Rect(400, top - 100 - 120, 200, 120), WindowStyle::Borderless);
    pressedIn->makeKeyAndOrderFront();
    beside->orderFront();
    ASSERT_NE(sdlIdOf(*pressedIn), 0u);
    ASSERT_NE(sdlIdOf(*beside), 0u);

    SDL_Event press {};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.windowID = sdlIdOf(*pressedIn);
    press.button.button = SDL_BUTTON_LEFT;
    press.button.state = SDL_PRESSED;
    press.button.clicks = 1;
    press.button.x = 50;
    press.button.y = 60;
    SDL_Event release = press;
    release.type = SDL_MOUSEBUTTONUP;
    release.button.state = SDL_RELEASED;
    release.button.windowID = sdlIdOf(*beside);
    release.button.x = 50 - 300;
    ASSERT_EQ(SDL_PushEvent(&press), 1);
    ASSERT_EQ(SDL_PushEvent(&release), 1);
    ASSERT_TRUE(runUntil([&] { return view->releasedAt.has_value(); })) << "the release never reached the view pressed";
    EXPECT_EQ(view->downs, 1);
    EXPECT_EQ(*view->releasedAt, Point(50, 60)) << "where the press was, in the pressed window";
}

TEST_F(Sdl, AWindowTheWindowManagerKeepsMinimizedIsAskedForWithoutWaiting)
{
    // A note window minimized by the user, then shown again by its fading animation: SDL
    // waited for the display to map it, for ever where the window manager keeps it
    // minimized, and the program answered nothing, SIGTERM included. Here the test plays
    // that window manager: it takes the display's map requests and leaves them unanswered.
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    double top = screens.front().frame.maxY();
    auto note = ui::Window::create(Rect(100, top - 100 - 60, 200, 60), WindowStyle::Borderless);
    note->orderFront();
    auto* platform = dynamic_cast<ui::SdlWindow*>(note->platformWindow());
    ASSERT_NE(platform, nullptr);
    ::Window xw = platform->xWindow();
    Display* wm = XOpenDisplay(nullptr);
    ASSERT_NE(wm, nullptr);
    auto mapState = [&] {
        XWindowAttributes attributes {};
        XGetWindowAttributes(wm, xw, &attributes);
        return attributes.map_state;
    };
    ASSERT_TRUE(runUntil([&] { return mapState() == IsViewable; }));
    XSelectInput(wm, DefaultRootWindow(wm), SubstructureRedirectMask);
    XUnmapWindow(wm, xw);
    XSync(wm, False);
    ASSERT_TRUE(runUntil([&] { return !(SDL_GetWindowFlags(platform->sdl()) & SDL_WINDOW_SHOWN); })) << "SDL never saw it go";

    note->setAlphaValue(0.5);
    note->setAlphaValue(0.6);
    // Still running: the request went to the window manager, which has not answered.
    XEvent request {};
    ASSERT_TRUE(runUntil([&] { return XCheckTypedEvent(wm, MapRequest, &request); })) << "the map was never asked for";
    EXPECT_EQ(request.xmaprequest.window, xw);
    XMapWindow(wm, xw);
    XSync(wm, False);
    EXPECT_TRUE(runUntil([&] { return SDL_GetWindowFlags(platform->sdl()) & SDL_WINDOW_SHOWN; })) << "SDL never heard it was back";
    XCloseDisplay(wm);
}

TEST_F(Sdl, AWindowTheDisplayDestroyedIsForgottenAndMadeAnewWhenShownAgain)
{
    // A tool closing the preferences window as a window manager would (xdotool windowclose):
    // hiding it afterwards waited for ever for the display to unmap a window that was gone,
    // SIGTERM included, and showing it again showed nothing.
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    double top = screens.front().frame.maxY();
    auto preferences = ui::Window::create(Rect(120, top - 120 - 80, 240, 80), WindowStyle::Titled);
    preferences->setTitle("Preferences");
    preferences->orderFront();
    auto* platform = dynamic_cast<ui::SdlWindow*>(preferences->platformWindow());
    ASSERT_NE(platform, nullptr);
    ::Window first = platform->xWindow();
    Display* tool = XOpenDisplay(nullptr);
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(runUntil([&] { return viewable(tool, first); }));
    auto quiet = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XDestroyWindow(tool, first);
    XSync(tool, False);

    EXPECT_TRUE(runUntil([&] { return !preferences->isVisible(); })) << "the window still counts as shown";
    preferences->orderOut();
    preferences->makeKeyAndOrderFront();
    ::Window again = platform->xWindow();
    EXPECT_NE(again, 0u);
    EXPECT_NE(again, first);
    EXPECT_TRUE(runUntil([&] { return viewable(tool, again); })) << "shown again, it is not on the display";
    preferences->orderOut();
    EXPECT_TRUE(runUntil([&] { return !viewable(tool, again); }));
    XSetErrorHandler(quiet);
    XCloseDisplay(tool);
}

TEST_F(Sdl, AKeyReadWithTheCloseOfAModalWindowReachesTheWindowBehindIt)
{
    // A tool closed the modal preferences window and Ctrl+, came at once, in the same read:
    // the modal run, ending, held the key back as aimed past its window, and it was lost.
    struct Typed : View {
        Typed() : View(Rect(0, 0, 100, 100)) { }
        bool acceptsFirstResponder() const override { return true; }
        void keyDown(const Event& event) override { keys += event.characters(); }
        std::string keys;
    };
    auto behind = shownWindow(WindowStyle::Titled);
    auto typed = std::make_shared<Typed>();
    behind->contentView()->addSubview(typed);
    behind->makeKeyAndOrderFront();
    ASSERT_TRUE(behind->makeFirstResponder(typed.get()));
    auto modal = ui::Window::create(Rect(450, 100, 240, 80), WindowStyle::Titled);
    base::RunLoop::main().post([&] {
        SDL_Event close {};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        close.window.windowID = sdlIdOf(*modal);
        SDL_Event key {};
        key.type = SDL_KEYDOWN;
        key.key.state = SDL_PRESSED;
        key.key.windowID = sdlIdOf(*behind);
        key.key.keysym.scancode = SDL_SCANCODE_A;
        key.key.keysym.sym = SDLK_a;
        ASSERT_EQ(SDL_PushEvent(&close), 1);
        ASSERT_EQ(SDL_PushEvent(&key), 1);
    });
    m_app->runModalForWindow(*modal);
    EXPECT_FALSE(modal->isVisible());
    EXPECT_TRUE(runUntil([&] { return typed->keys == "a"; })) << "the key typed with the close was lost";
}

TEST_F(Sdl, AWindowMadeAnewKeepsTheDecorationItsWindowManagerToldOf)
{
    // Made anew (a level changed) or let go while put away, a window has no word of its
    // window manager for a while: it took an alert's decoration meanwhile, with no handle at
    // its bottom, and the main window came back that much taller, its bottom edge below the
    // screen, and moved up at the next start.
    auto window = shownWindow(WindowStyle::Titled);
    auto* platform = dynamic_cast<ui::SdlWindow*>(window->platformWindow());
    ASSERT_NE(platform, nullptr);
    Display* manager = XOpenDisplay(nullptr);
    ASSERT_NE(manager, nullptr);
    long extents[4] = { 1, 1, 24, 5 };
    XChangeProperty(manager, platform->xWindow(), XInternAtom(manager, "_NET_FRAME_EXTENTS", False), XA_CARDINAL, 32,
        PropModeReplace, reinterpret_cast<unsigned char*>(extents), 4);
    XSync(manager, False);
    ASSERT_TRUE(runUntil([&] { return platform->frameExtents().has_value(); })) << "SDL never read the extents";
    EdgeInsets told = *platform->frameExtents();
    EXPECT_EQ(told, (EdgeInsets { 24, 1, 5, 1 }));

    window->setLevel(WindowLevel::Floating);
    EXPECT_EQ(platform->frameExtents(), told) << "made anew, the window forgot its decoration";
    EXPECT_EQ(window->decoration(), told);
    XCloseDisplay(manager);
}

TEST_F(Sdl, AWindowPlacedByAnAlertsDecorationComesWithinReachOnceToldItsOwn)
{
    // An alert shown first (no handle at its bottom, as openbox draws one) left its
    // decoration for the next window to be placed by: the main window, as tall as the work
    // area, kept its bottom edge a handle's height below the screen.
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    Rect visible = screens.front().visibleFrame;
    Display* manager = XOpenDisplay(nullptr);
    ASSERT_NE(manager, nullptr);
    auto frame = [&](ui::Window& window, long bottom) {
        auto* platform = dynamic_cast<ui::SdlWindow*>(window.platformWindow());
        ASSERT_NE(platform, nullptr);
        ASSERT_TRUE(runUntil([&] { return viewable(manager, platform->xWindow()); }));
        long extents[4] = { 1, 1, 24, bottom };
        XChangeProperty(manager, platform->xWindow(), XInternAtom(manager, "_NET_FRAME_EXTENTS", False), XA_CARDINAL, 32,
            PropModeReplace, reinterpret_cast<unsigned char*>(extents), 4);
        XSync(manager, False);
        ASSERT_TRUE(runUntil([&] { return platform->frameExtents() == EdgeInsets { 24, 1, double(bottom), 1 }; }));
    };
    auto alert = shownWindow(WindowStyle::Titled);
    frame(*alert, 1);
    EXPECT_EQ(alert->decoration().bottom, 1);
    auto window = ui::Window::create(Rect(100, visible.minY(), 300, visible.height() + 100), WindowStyle::Titled | WindowStyle::Resizable);
    window->orderFront();
    EXPECT_EQ(window->frame().height(), visible.height() - 25) << "placed by the alert's decoration";
    frame(*window, 5);
    EXPECT_TRUE(runUntil([&] { return window->frame().minY() - 5 >= visible.minY(); })) << "its bottom edge stayed below the screen";
    EXPECT_EQ(window->frame().height(), visible.height() - 29);
    EXPECT_EQ(window->frame().maxY() + 24, visible.maxY()) << "the title bar's top at the screen's";
    XCloseDisplay(manager);
}

TEST_F(Sdl, TheFirstWindowShownIsPlacedByTheFrameItsWindowManagerSaysItWouldGet)
{
    // Placed before any window of ours was framed, the first one stood as if it had no title
    // bar: past the screen's bottom, at twice the density, until framed, and then jumped.
    FrameEstimator manager({ 1, 1, 24, 5 });
    reopenDoubled();
    auto screens = ui::Screen::screens();
    ASSERT_FALSE(screens.empty());
    Rect visible = screens.front().visibleFrame;
    auto window = ui::Window::create(Rect(100, visible.minY(), 300, visible.height() + 100), WindowStyle::Titled | WindowStyle::Resizable);
    window->orderFront();
    EXPECT_EQ(window->decoration(), (EdgeInsets { 12, 1, 3, 1 })) << "the pixels told, in whole points";
    EXPECT_EQ(window->frame().height(), visible.height() - 15);
    EXPECT_EQ(window->frame().maxY() + 12, visible.maxY()) << "the title bar's top at the screen's";
    // Where a window manager would put the frame: the content's place less the borders.
    auto* platform = dynamic_cast<ui::SdlWindow*>(window->platformWindow());
    ASSERT_NE(platform, nullptr);
    Display* tool = XOpenDisplay(nullptr);
    ASSERT_NE(tool, nullptr);
    ASSERT_TRUE(runUntil([&] { return viewable(tool, platform->xWindow()); }));
    XWindowAttributes attributes {};
    XGetWindowAttributes(tool, platform->xWindow(), &attributes);
    EXPECT_EQ(std::pair(attributes.x, attributes.y), std::pair(200 - 1, 0));
    auto second = shownWindow(WindowStyle::Titled);
    EXPECT_EQ(manager.answered(), 1) << "the window manager is asked once";

    // A strip that reserves the screen's top 40 pixels once the window shows (ours, at the
    // start): the window left under it is moved into the smaller work area, by the decoration
    // it has by then (none here, with nothing framing it).
    long workArea[4] = { 0, 40, long(screens.front().frame.width() * 2), long(visible.height() * 2 - 40) };
    XChangeProperty(tool, DefaultRootWindow(tool), XInternAtom(tool, "_NET_WORKAREA", False), XA_CARDINAL, 32,
        PropModeReplace, reinterpret_cast<unsigned char*>(workArea), 4);
    XSync(tool, False);
    XCloseDisplay(tool);
    auto titleBarTop = [&] { return window->frame().maxY() + window->decoration().top; };
    EXPECT_TRUE(runUntil([&] { return titleBarTop() == visible.maxY() - 20; })) << "the title bar's top at " << titleBarTop();
    EXPECT_EQ(window->frame().minY() - window->decoration().bottom, visible.minY()) << "the bottom row's at the screen's";
}

TEST_F(Sdl, OnADoubledDisplayAWindowLeftHalfAPointOffStaysThereToThePixel)
{
    // Put by the user's drag at an odd pixel of a display of two pixels a point, the window
    // counts itself at the whole point beside it: asked for another size (a pad opened), it
    // moved by a pixel.
    reopenDoubled();
    auto window = ui::Window::create(Rect(20, 200, 100, 50), WindowStyle::Borderless);
    window->orderFront();
    auto* platform = dynamic_cast<ui::SdlWindow*>(window->platformWindow());
    ASSERT_NE(platform, nullptr);
    Display* user = XOpenDisplay(nullptr);
    ASSERT_NE(user, nullptr);
    auto place = [&] {
        XWindowAttributes attributes {};
        XGetWindowAttributes(user, platform->xWindow(), &attributes);
        return std::pair { attributes.x, attributes.y };
    };
    ASSERT_TRUE(runUntil([&] { return place() == std::pair { 40, 2 * (450 - 250) }; })) << "the window never showed";
    XMoveWindow(user, platform->xWindow(), 61, 121);
    XSync(user, False);
    ASSERT_TRUE(runUntil([&] { return window->frame().minX() != 20; })) << "the move never reached the window";

    ui::Rect frame = window->frame();
    window->setFrame(ui::Rect(frame.minX(), frame.minY() - 20, frame.width() + 30, frame.height() + 20), true);
    runUntil([] { return false; }, 0.2);
    EXPECT_EQ(place(), (std::pair { 61, 121 })) << "the window's top left moved";
    XCloseDisplay(user);
}

TEST_F(Sdl, AWindowSizedAFractionUnderItsContentStaysWhereTheDisplayMovesItNext)
{
    // Its content 80.4 points high at the least, which the display's 80 pixels hold: asked
    // for those again as the display resized it, the request crossed the display's next move
    // (a window manager giving back a maximized window's size, then its place) and pulled the
    // window back.
    auto [window, xw, manager] = shownAndPlayed(WindowStyle::Titled | WindowStyle::Resizable);
    ASSERT_TRUE(manager);
    window->setMinSize({ 100, 80.4 });
    XResizeWindow(manager, xw, 300, 80);
    XMoveWindow(manager, xw, 400, 300);
    XSync(manager, False);
    ASSERT_TRUE(runUntil([&] { return window->frame().minX() == 400; })) << "the move never reached the window";
    runUntil([] { return false; }, 0.3);
    XWindowAttributes attributes {};
    XGetWindowAttributes(manager, xw, &attributes);
    EXPECT_EQ(std::tuple(attributes.x, attributes.y, attributes.height), std::tuple(400, 300, 80)) << "pulled back";
}

TEST_F(Sdl, AWindowManagersLateWordIsTakenAsTheDisplayStandsAndARefusalAtOnce)
{
    auto [window, xw, manager] = shownAndPlayed(WindowStyle::Titled | WindowStyle::Resizable);
    ASSERT_TRUE(manager);
    auto tell = [&](int x, int y, int width, int height) {
        XEvent word {};
        word.xconfigure = XConfigureEvent { ConfigureNotify, 0, True, manager, xw, xw, x, y, width, height, 0, None, False };
        XSendEvent(manager, xw, False, StructureNotifyMask, &word);
        XSync(manager, False);
    };
    // A window manager's word of a place the window has left (its own place for a window it
    // gives back, come after the answer to the place asked): the window stays where it is.
    Rect left = window->frame();
    tell(5, 5, int(left.width()), int(left.height()));
    runUntil([] { return false; }, 0.3);
    EXPECT_EQ(window->frame(), left) << "a place since left taken";

    // Here the test is the window manager: the program's requests come to it. On a loaded
    // machine one answers after SDL stopped waiting: taken for a refusal, the window went
    // back to its old size and asked for that, crossing the answer.
    XSelectInput(manager, DefaultRootWindow(manager), SubstructureRedirectMask);
    XSync(manager, False);
    auto sizeAsked = [&] {
        XEvent event {};
        while (XCheckTypedEvent(manager, ConfigureRequest, &event))
            if (event.xconfigurerequest.value_mask & (CWWidth | CWHeight))
                return std::optional(std::pair { event.xconfigurerequest.width, event.xconfigurerequest.height });
        return std::optional<std::pair<int, int>> {};
    };
    auto displaySize = [&] {
        XWindowAttributes attributes {};
        XGetWindowAttributes(manager, xw, &attributes);
        return std::pair { attributes.width, attributes.height };
    };
    std::optional<std::pair<int, int>> asked;
    window->setFrame(Rect(left.minX(), left.maxY() - 300, 400, 300), true);
    ASSERT_TRUE(runUntil([&] { return (asked = sizeAsked()).has_value(); })) << "no size asked";
    EXPECT_EQ(*asked, std::pair(400, 300));
    runUntil([] { return false; }, 0.5);
    XResizeWindow(manager, xw, 400, 300);
    XSync(manager, False);
    runUntil([] { return false; }, 1.5);
    EXPECT_EQ(window->frame().size, Size(400, 300)) << "a late answer taken for a refusal";
    EXPECT_EQ(displaySize(), std::pair(400, 300));

    // Refused as a window manager does, with word of the size it keeps: taken at once.
    window->setFrame(Rect(left.minX(), left.maxY() - 350, 450, 350), true);
    ASSERT_TRUE(runUntil([&] { return (asked = sizeAsked()).has_value(); })) << "no size asked";
    tell(int(left.minX()), 200, 400, 300);
    EXPECT_TRUE(runUntil([&] { return window->frame().size == Size(400, 300); }, 0.6)) << "the refusal went unheard";
}

TEST_F(Sdl, AMaximizedWindowHiddenAndShownComesBackMaximized)
{
    // The window manager forgets a withdrawn window's state, and SDL tells of every mapping
    // as a restore: taken at their word, a maximized main window hidden and shown again came
    // back at its old size. Here the test plays the window manager by the window's state.
    auto window = shownWindow(WindowStyle::Titled | WindowStyle::Resizable);
    auto* platform = dynamic_cast<ui::SdlWindow*>(window->platformWindow());
    ASSERT_NE(platform, nullptr);
    Display* manager = XOpenDisplay(nullptr);
    ASSERT_NE(manager, nullptr);
    ::Window xw = platform->xWindow();
    auto setMaximized = [&](bool maximized) {
        tellMaximized(manager, xw, maximized);
        XSync(manager, False);
    };
    // Word of the borders comes after word of the state here.
    auto setBorders = [&](long left, long top) {
        tellBorders(manager, xw, left, top);
        XSync(manager, False);
        runUntil([&] { return top && platform->frameExtents() && platform->frameExtents()->top == double(top); }, 0.3);
    };
    auto shown = [&] { return viewable(manager, xw); };
    auto sdlMaximized = [&] { return (SDL_GetWindowFlags(platform->sdl()) & SDL_WINDOW_MAXIMIZED) != 0; };
    ASSERT_TRUE(runUntil(shown));
    setBorders(1, 20);
    Rect left = window->frame();
    XWindowAttributes attributes {};
    XGetWindowAttributes(manager, xw, &attributes);
    std::pair contentLeft { attributes.x, attributes.y };
    // As a window manager maximizes: the new size first, then word of the state.
    XMoveResizeWindow(manager, xw, 0, 0, DisplayWidth(manager, 0), DisplayHeight(manager, 0));
    XSync(manager, False);
    ASSERT_TRUE(runUntil([&] { return window->frame().size != left.size; }));
    setMaximized(true);
    ASSERT_TRUE(runUntil([&] { return window->isZoomed(); })) << "the window manager's maximizing went unheard";
    setBorders(0, 19);

    // No window manager frames the window here: its frame's borders are gone before it goes,
    // or it would come back that much off.
    setBorders(0, 0);
    window->orderOut();
    ASSERT_TRUE(runUntil([&] { return !shown(); }));
    setMaximized(false);
    ASSERT_TRUE(runUntil([&] { return !sdlMaximized(); })) << "SDL never read the forgotten state";
    EXPECT_TRUE(window->isZoomed()) << "forgotten while away, not given back its size";

    window->orderFront();
    ASSERT_TRUE(runUntil(shown));
    runUntil([] { return false; }, 0.3);
    EXPECT_TRUE(window->isZoomed()) << "shown again, no longer maximized";
    // Mapped maximized, as the window manager keeps it, in its maximized frame.
    setMaximized(true);
    setBorders(0, 19);

    // Given back its size by the window manager while shown: that counts. Mapped maximized,
    // the window manager knew no other frame to give back and left it large in the corner:
    // it goes where the user had left it, its frame placed by the borders it will have there.
    // Here the test is the window manager: the program's requests come to it.
    XSelectInput(manager, DefaultRootWindow(manager), SubstructureRedirectMask);
    setMaximized(false);
    EXPECT_TRUE(runUntil([&] { return !window->isZoomed(); }));
    EXPECT_TRUE(runUntil([&] { return window->frame() == left; })) << "left in the corner at its maximized size";
    std::optional<std::pair<int, int>> frameAsked, sizeAsked;
    EXPECT_TRUE(runUntil([&] {
        XEvent event {};
        while (XCheckTypedEvent(manager, ConfigureRequest, &event)) {
            const auto& asked = event.xconfigurerequest;
            if (asked.value_mask & (CWX | CWY))
                frameAsked = std::pair { asked.x, asked.y };
            if (asked.value_mask & (CWWidth | CWHeight))
                sizeAsked = std::pair { asked.width, asked.height };
        }
        return frameAsked && sizeAsked;
    })) << "no frame asked";
    EXPECT_EQ(sizeAsked, std::pair(int(left.width()), int(left.height())));
    EXPECT_EQ(frameAsked, std::pair(contentLeft.first - 1, contentLeft.second - 20)) << "placed by the maximized frame's borders";
    XCloseDisplay(manager);
}

TEST_F(Sdl, WordOfTheMaximizedFrameBeforeWordOfTheStateLeavesTheWindowItsBordersAtRest)
{
    // openbox tells of the maximized frame's borders (none at the sides) just before it tells
    // of the state, both ways. Taken for the borders at rest, they kept the window inside the
    // screen a pixel past its right edge once it was given back its size.
    auto [window, xw, manager] = shownAndPlayed(WindowStyle::Titled | WindowStyle::Resizable);
    ASSERT_NE(manager, nullptr);
    auto* platform = dynamic_cast<ui::SdlWindow*>(window->platformWindow());
    ASSERT_NE(platform, nullptr);
    const EdgeInsets atRest { 20, 1, 5, 1 };
    tellBorders(manager, xw, 1, 20);
    XSync(manager, False);
    ASSERT_TRUE(runUntil([&] { return window->decoration() == atRest; })) << "the borders went unheard";

    tellBorders(manager, xw, 0, 19);
    tellMaximized(manager, xw, true);
    XSync(manager, False);
    ASSERT_TRUE(runUntil([&] { return window->isZoomed(); })) << "the maximizing went unheard";
    EXPECT_TRUE(runUntil([&] { return window->decoration() == EdgeInsets { 19, 0, 0, 0 }; })) << "maximized, its own borders";
    int across = DisplayWidth(manager, DefaultScreen(manager));
    XMoveResizeWindow(manager, xw, 0, 19, across, DisplayHeight(manager, DefaultScreen(manager)) - 19);
    XSync(manager, False);
    ASSERT_TRUE(runUntil([&] { return window->frame().width() == across; })) << "the maximized frame went unheard";
    // Given back its size, before the window manager has framed it again, and after.
    tellMaximized(manager, xw, false);
    XSync(manager, False);
    ASSERT_TRUE(runUntil([&] { return !window->isZoomed(); })) << "the size given back went unheard";
    EXPECT_EQ(platform->frameExtents(), atRest);
    EXPECT_EQ(window->decoration(), atRest);
    tellBorders(manager, xw, 1, 20);
    XSync(manager, False);
    runUntil([] { return false; }, 0.3);
    EXPECT_EQ(window->decoration(), atRest);
    EXPECT_EQ(window->frame().width(), across) << "fitted to the screen at the maximized size before the size given back came";
}

TEST_F(Sdl, AWindowHiddenShownAndHiddenAgainBeforeTheDisplayAnswersStaysHidden)
{
    // The bring-to-front key pressed quickly: put away, shown and put away again before the
    // display told of the first. The second putting away was taken for the first, still on
    // its way, and the window stood on the screen undrawn while the program counted it away.
    auto window = shownWindow(WindowStyle::Titled);
    auto* platform = dynamic_cast<ui::SdlWindow*>(window->platformWindow());
    ASSERT_NE(platform, nullptr);
    Display* tool = XOpenDisplay(nullptr);
    ASSERT_NE(tool, nullptr);
    auto shown = [&] { return viewable(tool, platform->xWindow()); };
    ASSERT_TRUE(runUntil(shown));
    window->orderOut();
    window->orderFront();
    window->orderOut();
    runUntil([] { return false; }, 0.3);
    EXPECT_FALSE(shown()) << "on the screen, counted away";
    window->orderFront();
    EXPECT_TRUE(runUntil(shown));
    XCloseDisplay(tool);
}
