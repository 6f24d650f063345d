#include "tests/acceptance/driver/Desktop.h"

#include "tests/acceptance/driver/Eventually.h"

#include "platform/gfx/Bitmap.h"

#include <algorithm>
#include <chrono>
#include <cairo.h>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// Last, as Xlib's macros would otherwise rewrite names in the headers above.
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

extern char** environ;

namespace ostrel::acceptance {

namespace {

// A window may go between finding and asking about it: the answer is then "none", never
// Xlib's default of ending the test program.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

// xdotool with these arguments, never through a shell; its output when it succeeded.
std::optional<std::string> xdotool(const std::vector<std::string>& arguments)
{
    std::vector<std::string> all { "xdotool" };
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int failure = posix_spawnp(&pid, "xdotool", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    std::string text;
    if (!failure) {
        char buffer[1024];
        for (ssize_t n; (n = ::read(output[0], buffer, sizeof buffer)) != 0;) {
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                break;
            text.append(buffer, std::size_t(n));
        }
    }
    ::close(output[0]);
    if (failure)
        return std::nullopt;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return text;
}

}

Desktop::Desktop()
{
    XSetErrorHandler(ignoreErrors);
    // A display just started, on a busy machine, may take a moment to let another client in.
    eventually([this] { return (m_display = XOpenDisplay(nullptr)) != nullptr; }, 5);
}

Desktop::~Desktop()
{
    if (m_display)
        XCloseDisplay(m_display);
}

bool Desktop::hasHands() { return xdotool({ "version" }).has_value(); }

std::vector<WindowId> Desktop::shownWindows(const std::string& name)
{
    std::vector<WindowId> windows;
    std::istringstream ids(xdotool({ "search", "--onlyvisible", "--name", name }).value_or(""));
    for (WindowId id; ids >> id;)
        windows.push_back(id);
    return windows;
}

std::optional<WindowId> Desktop::waitForWindow(const std::string& name, double seconds)
{
    std::optional<WindowId> found;
    eventually(
        [&] {
            auto windows = shownWindows(name);
            if (!windows.empty())
                found = windows.front();
            return found.has_value();
        },
        seconds);
    return found;
}

bool Desktop::waitForNoWindow(const std::string& name, double seconds)
{
    return eventually([&] { return shownWindows(name).empty(); }, seconds);
}

bool Desktop::waitForWindowManager(double seconds)
{
    if (!m_display)
        return false;
    Atom check = XInternAtom(m_display, "_NET_SUPPORTING_WM_CHECK", False);
    return eventually(
        [&] {
            Atom type = 0;
            int format = 0;
            unsigned long count = 0, remaining = 0;
            unsigned char* data = nullptr;
            XGetWindowProperty(m_display, DefaultRootWindow(m_display), check, 0, 1, False, XA_WINDOW, &type, &format,
                &count, &remaining, &data);
            if (data)
                XFree(data);
            return count == 1;
        },
        seconds);
}

std::optional<Box> Desktop::frame(WindowId window)
{
    XWindowAttributes attributes {};
    if (!m_display || !XGetWindowAttributes(m_display, window, &attributes))
        return std::nullopt;
    int x = 0, y = 0;
    ::Window child = 0;
    if (!XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child))
        return std::nullopt;
    return Box { x, y, attributes.width, attributes.height };
}

bool Desktop::focus(WindowId window)
{
    return xdotool({ "windowactivate", "--sync", std::to_string(window) }).has_value()
        || xdotool({ "windowfocus", "--sync", std::to_string(window) }).has_value();
}

bool Desktop::type(const std::string& text) { return xdotool({ "type", "--", text }).has_value(); }

bool Desktop::key(const std::string& keys) { return xdotool({ "key", "--", keys }).has_value(); }

bool Desktop::clickAt(int x, int y) { return moveMouse(x, y) && xdotool({ "click", "1" }).has_value(); }

bool Desktop::rightClickAt(int x, int y) { return moveMouse(x, y) && xdotool({ "click", "3" }).has_value(); }

bool Desktop::click(WindowId window, int x, int y)
{
    auto box = frame(window);
    return box && clickAt(box->x + x, box->y + y);
}

bool Desktop::drag(int fromX, int fromY, int toX, int toY, int steps)
{
    if (!moveMouse(fromX, fromY) || !mouseDown())
        return false;
    steps = std::max(1, steps);
    for (int step = 1; step <= steps; ++step) {
        if (!moveMouse(fromX + (toX - fromX) * step / steps, fromY + (toY - fromY) * step / steps)) {
            mouseUp();
            return false;
        }
    }
    return mouseUp();
}

bool Desktop::wheel(int x, int y, int notches)
{
    if (!moveMouse(x, y))
        return false;
    std::string button = notches > 0 ? "5" : "4";
    return notches == 0 || xdotool({ "click", "--repeat", std::to_string(std::abs(notches)), "--delay", "20", button }).has_value();
}

bool Desktop::resize(WindowId window, int width, int height)
{
    return xdotool({ "windowsize", "--sync", std::to_string(window), std::to_string(width), std::to_string(height) }).has_value()
        || xdotool({ "windowsize", std::to_string(window), std::to_string(width), std::to_string(height) }).has_value();
}

bool Desktop::maximize(WindowId window)
{
    // What the window manager's button asks for: the window's state toggled, through it.
    if (!m_display)
        return false;
    return sendMessage(window, "_NET_WM_STATE",
        { 2, long(XInternAtom(m_display, "_NET_WM_STATE_MAXIMIZED_VERT", False)),
            long(XInternAtom(m_display, "_NET_WM_STATE_MAXIMIZED_HORZ", False)), 1 },
        true);
}

bool Desktop::minimize(WindowId window)
{
    constexpr long kIconic = 3;
    return sendMessage(window, "WM_CHANGE_STATE", { kIconic }, true);
}

bool Desktop::sendMessage(WindowId window, const char* type, std::initializer_list<long> data, bool toWindowManager)
{
    if (!m_display)
        return false;
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, type, False);
    event.xclient.format = 32;
    int slot = 0;
    for (long value : data)
        event.xclient.data.l[slot++] = value;
    bool sent = toWindowManager
        ? XSendEvent(m_display, DefaultRootWindow(m_display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event) != 0
        : XSendEvent(m_display, window, False, NoEventMask, &event) != 0;
    XSync(m_display, False);
    return sent;
}

bool Desktop::mouseDown(int button) { return xdotool({ "mousedown", std::to_string(button) }).has_value(); }
bool Desktop::mouseUp(int button) { return xdotool({ "mouseup", std::to_string(button) }).has_value(); }

bool Desktop::moveMouse(int x, int y)
{
    // xdotool's --sync waits for the pointer to leave where it was: it would wait for a while
    // when the pointer stands there already.
    if (m_display) {
        ::Window root = 0, child = 0;
        int atX = 0, atY = 0, inX = 0, inY = 0;
        unsigned buttons = 0;
        if (XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &atX, &atY, &inX, &inY, &buttons)
            && atX == x && atY == y)
            return true;
    }
    return xdotool({ "mousemove", "--sync", std::to_string(x), std::to_string(y) }).has_value();
}

bool Desktop::nudgePointer(int pixels)
{
    return xdotool({ "mousemove_relative", "--", std::to_string(pixels), "0" }).has_value();
}

std::optional<Screenshot> Desktop::settled(const Box& box, double seconds)
{
    auto still = waitForStill(box, seconds);
    return still ? still : capture(box);
}

bool Desktop::askToClose(WindowId window)
{
    if (!m_display)
        return false;
    return sendMessage(window, "WM_PROTOCOLS", { long(XInternAtom(m_display, "WM_DELETE_WINDOW", False)), CurrentTime }, false);
}

bool Desktop::destroy(WindowId window)
{
    if (!m_display)
        return false;
    XDestroyWindow(m_display, window);
    XSync(m_display, False);
    return true;
}

std::optional<Screenshot> Desktop::capture()
{
    if (!m_display)
        return std::nullopt;
    Screen* screen = DefaultScreenOfDisplay(m_display);
    return capture(Box { 0, 0, WidthOfScreen(screen), HeightOfScreen(screen) });
}

std::optional<Screenshot> Desktop::capture(WindowId window)
{
    auto box = frame(window);
    if (!box)
        return std::nullopt;
    return capture(*box);
}

std::optional<Screenshot> Desktop::capture(const Box& wanted)
{
    if (!m_display)
        return std::nullopt;
    // Only what lies on the screen can be read; asking beyond it is an X error.
    Screen* screen = DefaultScreenOfDisplay(m_display);
    int left = std::max(0, wanted.x), top = std::max(0, wanted.y);
    int right = std::min(WidthOfScreen(screen), wanted.x + wanted.width);
    int bottom = std::min(HeightOfScreen(screen), wanted.y + wanted.height);
    auto pixels = gfx::Bitmap::create(right - left, bottom - top);
    if (!pixels)
        return std::nullopt;
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), left, top, unsigned(right - left),
        unsigned(bottom - top), AllPlanes, ZPixmap);
    if (!image)
        return std::nullopt;
    cairo_surface_t* surface = pixels->cairoSurface();
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image->height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < image->width; ++x)
            row[x] = 0xff000000u | std::uint32_t(XGetPixel(image, x, y) & 0xffffff);
    }
    cairo_surface_mark_dirty(surface);
    XDestroyImage(image);
    return Screenshot(pixels);
}

namespace {

// Pictures taken until one satisfies `done`; the last one either way.
std::optional<Screenshot> takeUntil(const std::function<std::optional<Screenshot>()>& take,
    const std::function<bool(const Screenshot&)>& done, double seconds)
{
    std::optional<Screenshot> last;
    eventually(
        [&] {
            last = take();
            return last && done(*last);
        },
        seconds);
    return last;
}

}

std::optional<Screenshot> Desktop::waitForPicture(
    const Box& box, const std::function<bool(const Screenshot&)>& done, double seconds)
{
    return takeUntil([&] { return capture(box); }, done, seconds);
}

std::optional<Screenshot> Desktop::waitForPicture(
    WindowId window, const std::function<bool(const Screenshot&)>& done, double seconds)
{
    return takeUntil([&] { return capture(window); }, done, seconds);
}

std::optional<Screenshot> Desktop::waitForStill(const Box& box, double seconds)
{
    auto before = capture(box);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (before && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        auto now = capture(box);
        if (now && now->sameAs(*before))
            return now;
        before = now;
    }
    return std::nullopt;
}

std::optional<Screenshot> Desktop::waitForStill(WindowId window, double seconds)
{
    auto box = frame(window);
    if (!box)
        return std::nullopt;
    return waitForStill(*box, seconds);
}

std::optional<WindowId> Desktop::openOtherProgramsWindow(const std::string& name, const Box& where)
{
    if (!m_display)
        return std::nullopt;
    int screen = DefaultScreen(m_display);
    ::Window window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), where.x, where.y,
        unsigned(where.width), unsigned(where.height), 0, BlackPixel(m_display, screen), WhitePixel(m_display, screen));
    XStoreName(m_display, window, name.c_str());
    XSelectInput(m_display, window, KeyPressMask | ExposureMask);
    XMapRaised(m_display, window);
    XSync(m_display, False);
    // Mapped is not yet viewable: the focus can only go to a window the server shows.
    bool shown = eventually([&] {
        XWindowAttributes attributes {};
        return XGetWindowAttributes(m_display, window, &attributes) && attributes.map_state == IsViewable;
    });
    if (!shown)
        return std::nullopt;
    XSetInputFocus(m_display, window, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
    return WindowId(window);
}

std::optional<WindowId> Desktop::focusedWindow()
{
    if (!m_display)
        return std::nullopt;
    ::Window focused = None;
    int revert = 0;
    XGetInputFocus(m_display, &focused, &revert);
    if (focused == None || focused == PointerRoot)
        return std::nullopt;
    return WindowId(focused);
}

}
