#include "platform/ui/WebView.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"
#include "platform/desktop/ChildProcess.h"
#include "platform/desktop/Opener.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Button.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/PanelView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <cctype>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace ui {

namespace {

std::string percentDecoded(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1]))
            && std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += char(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<fs::path>& chosenBrowser()
{
    static std::optional<fs::path> browser;
    return browser;
}
bool& browserChosen()
{
    static bool chosen = false;
    return chosen;
}

std::optional<fs::path> findOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t colon = dirs.find(':', start);
        fs::path candidate = fs::path(dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start)) / name;
        if (!candidate.parent_path().empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return std::nullopt;
}

// The page's <title>, with the common entities decoded; the file name without one.
std::string pageTitle(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string head(64 * 1024, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    std::string lower = head;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    auto open = lower.find("<title");
    auto start = open == std::string::npos ? open : lower.find('>', open);
    auto end = start == std::string::npos ? start : lower.find("</title", start);
    if (end == std::string::npos)
        return file.stem().string();
    std::string title = head.substr(start + 1, end - start - 1);
    for (auto [entity, character] : { std::pair { "&amp;", "&" }, { "&lt;", "<" }, { "&gt;", ">" }, { "&quot;", "\"" }, { "&#39;", "'" } })
        for (auto at = title.find(entity); at != std::string::npos; at = title.find(entity, at + 1))
            title.replace(at, std::string(entity).size(), character);
    auto first = title.find_first_not_of(" \t\r\n");
    auto last = title.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? file.stem().string() : title.substr(first, last - first + 1);
}

struct RenderedPage {
    std::shared_ptr<gfx::Image> picture;
    gfx::Color background { gfx::colors::white };
};

// The browser draws into a window this tall (in points), or the view's height if taller, so
// that a long page comes whole; a wide view at a high density draws less, to keep the
// picture's memory in bounds. What follows the page's end is cut away.
constexpr double kTallestPage = 4000;
constexpr double kMostPixels = 8e6;
constexpr double kMarginBelowPage = 16;

int renderHeight(int width, int height, double scale)
{
    double tallest = std::min(kTallestPage, kMostPixels / (std::max(1, width) * scale * scale));
    return std::max(height, static_cast<int>(tallest));
}

// The rows down to the page's last one that differs from the very last row (its background),
// with a margin below, never fewer than `least`; the bitmap as it is when nothing is cut.
std::shared_ptr<gfx::Bitmap> cutAfterPage(const std::shared_ptr<gfx::Bitmap>& bitmap, int least, int margin)
{
    if (!bitmap || bitmap->height() <= least)
        return bitmap;
    cairo_surface_t* surface = bitmap->cairoSurface();
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    int width = bitmap->width();
    int height = bitmap->height();
    auto row = [&](int y) { return reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride); };
    std::uint32_t background = row(height - 1)[0];
    int last = height - 1;
    for (; last > 0; --last) {
        const std::uint32_t* pixels = row(last);
        if (!std::all_of(pixels, pixels + width, [background](std::uint32_t p) { return p == background; }))
            break;
    }
    int keep = std::clamp(last + 1 + margin, least, height);
    if (keep == height)
        return bitmap;
    auto cut = gfx::Bitmap::create(width, keep);
    if (!cut)
        return bitmap;
    cairo_t* cr = cairo_create(cut->cairoSurface());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return cut;
}

// Runs the browser to draw the page into a PNG; never through a shell. Background thread.
// At a display's scale, the browser draws that many pixels per point of the page.
RenderedPage renderPage(const fs::path& browser, const fs::path& page, int width, int height, double scale)
{
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    std::string pattern = (base / "ostrel-page-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return {};
    fs::path folder = pattern;
    fs::path shot = folder / "page.png";
    // In the browser's own sandbox: the pages are ours, but a page is still a program.
    std::vector<std::string> argv { browser.string(), "--headless", "--disable-gpu", "--hide-scrollbars",
        "--no-first-run", "--user-data-dir=" + (folder / "profile").string(),
        "--window-size=" + std::to_string(width) + "," + std::to_string(renderHeight(width, height, scale)), "--screenshot=" + shot.string(),
        WebView::fileUrl(page) };
    if (scale != 1)
        argv.insert(argv.end() - 1, "--force-device-scale-factor=" + std::to_string(scale));
    auto spawned = desktop::ChildProcess::spawn(argv, { .silent = true }, "web view: could not run " + browser.string());
    RenderedPage rendered;
    if (spawned) {
        int status = 0;
        while (waitpid(*spawned, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            auto bitmap = cutAfterPage(gfx::Bitmap::loadPng(shot), static_cast<int>(std::lround(height * scale)),
                static_cast<int>(std::lround(kMarginBelowPage * scale)));
            if (bitmap) {
                rendered.background = bitmap->pixel(0, bitmap->height() - 1);
                rendered.picture = gfx::Image::fromBitmap(bitmap, scale);
            }
        }
    }
    fs::remove_all(folder, error);
    return rendered;
}

}

std::string WebView::fileUrl(const fs::path& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path.string()) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += char(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

std::optional<fs::path> WebView::browser()
{
    if (browserChosen())
        return chosenBrowser();
    for (const char* name : { "chromium", "chromium-browser" }) {
        auto found = findOnPath(name);
        if (!found)
            continue;
        // The browser keeps no sandbox for the administrator, and a page drawn without one
        // runs unconfined: as root the pages show as cards, as without a browser.
        if (geteuid() == 0) {
            static bool told = false;
            if (!std::exchange(told, true))
                base::diagnostic("web view: running as root, pages are not drawn by " + found->string()
                    + " (it has no sandbox for root); their titles are shown instead");
            return std::nullopt;
        }
        return found;
    }
    return std::nullopt;
}

void WebView::setBrowser(std::optional<fs::path> browser)
{
    browserChosen() = true;
    chosenBrowser() = browser && !browser->empty() ? browser : std::nullopt;
}

void WebView::findBrowserOnPath()
{
    browserChosen() = false;
    chosenBrowser().reset();
}

std::shared_ptr<WebView> WebView::create() { return std::shared_ptr<WebView>(new WebView); }

WebView::WebView()
    : View({})
{
}

WebView::~WebView() { ++*m_generation; }

std::string WebView::url() const
{
    return m_index < 0 ? std::string {} : fileUrl(m_history[static_cast<std::size_t>(m_index)]);
}

bool WebView::load(const std::string& fileUrl)
{
    std::string path = fileUrl;
    if (fileUrl.rfind("file://", 0) == 0) {
        // A fragment or query names a place in the page; the file is what is loaded.
        path = fileUrl.substr(7);
        path = percentDecoded(path.substr(0, path.find_first_of("?#")));
    }
    std::error_code error;
    if (path.empty() || path[0] != '/' || !fs::is_regular_file(path, error)) {
        base::diagnostic("web view: not a local page: " + fileUrl);
        return false;
    }
    m_history.resize(static_cast<std::size_t>(m_index + 1));
    m_history.emplace_back(path);
    show(m_history.size() - 1);
    return true;
}

void WebView::reload()
{
    if (m_index >= 0)
        show(static_cast<std::size_t>(m_index));
}

void WebView::goBack()
{
    if (canGoBack())
        show(static_cast<std::size_t>(m_index - 1));
}

void WebView::goForward()
{
    if (canGoForward())
        show(static_cast<std::size_t>(m_index + 1));
}

void WebView::show(std::size_t index)
{
    // Another page starts at its top; the same one drawn again stays where it was read.
    if (static_cast<int>(index) != m_index)
        m_scroll = 0;
    m_index = static_cast<int>(index);
    m_title = pageTitle(m_history[index]);
    if (m_card) {
        m_card->removeFromSuperview();
        m_card.reset();
    }
    if (!browser()) {
        showCard();
        return;
    }
    m_renderWaiting = true;
    renderIfWaiting();
}

bool WebView::isInSight() const { return window() && window()->isVisible() && !isHiddenOrHasHiddenAncestor(); }

void WebView::renderIfWaiting()
{
    if (!m_renderWaiting || !isInSight() || m_index < 0)
        return;
    m_renderWaiting = false;
    render();
}

void WebView::renderSoon()
{
    if (!m_renderWaiting || m_renderPosted)
        return;
    // After the current turn: a page loaded right after the view came into sight is drawn
    // in place of the one that waited, and the browser runs once.
    m_renderPosted = true;
    std::weak_ptr<View> weak = weak_from_this();
    base::RunLoop::main().post([weak] {
        if (auto view = std::static_pointer_cast<WebView>(weak.lock())) {
            view->m_renderPosted = false;
            view->renderIfWaiting();
        }
    });
}

void WebView::viewDidMoveToWindow() { renderSoon(); }

void WebView::render()
{
    m_loading = true;
    int generation = ++*m_generation;
    std::weak_ptr<int> alive = m_generation;
    auto self = std::static_pointer_cast<WebView>(shared_from_this());
    std::weak_ptr<WebView> weak = self;
    fs::path browserPath = *browser();
    fs::path page = m_history[static_cast<std::size_t>(m_index)];
    int width = std::max(320, static_cast<int>(std::lround(bounds().width())));
    int height = std::max(240, static_cast<int>(std::lround(bounds().height())));
    double scale = window() ? window()->backingScaleFactor() : 1;
    base::RunLoop::main().beginBackgroundWork();
    std::thread([browserPath, page, width, height, scale, weak, alive, generation] {
        auto rendered = renderPage(browserPath, page, width, height, scale);
        base::RunLoop::main().post([rendered, weak, alive, generation] {
            auto view = weak.lock();
            auto current = alive.lock();
            if (view && current && *current == generation) {
                view->m_pageBackground = rendered.background;
                view->finished(rendered.picture);
            }
        });
        base::RunLoop::main().endBackgroundWork();
    }).detach();
}

void WebView::finished(std::shared_ptr<gfx::Image> picture)
{
    m_loading = false;
    if (!picture) {
        base::diagnostic("web view: the browser drew nothing for " + url());
        showCard();
        return;
    }
    m_picture = std::move(picture);
    scrollTo(m_scroll);
    setNeedsDisplay();
    if (auto done = onFinishLoad)
        done();
}

double WebView::pictureHeight() const
{
    if (!m_picture)
        return 0;
    Size size = m_picture->size();
    return size.height * std::min(1.0, bounds().width() / std::max(1.0, size.width));
}

void WebView::scrollTo(double offset)
{
    double most = std::max(0.0, pictureHeight() - bounds().height());
    offset = std::clamp(std::isfinite(offset) ? offset : 0.0, 0.0, most);
    if (offset != m_scroll)
        setNeedsDisplay();
    m_scroll = offset;
    updateScroller();
}

void WebView::updateScroller()
{
    double page = pictureHeight();
    bool longer = page > bounds().height() + 0.5;
    if (!longer) {
        if (m_scroller)
            m_scroller->setHidden(true);
        return;
    }
    if (!m_scroller) {
        m_scroller = Scroller::create();
        std::weak_ptr<View> weak = weak_from_this();
        m_scroller->onKnobMoved = [weak](double position) {
            if (auto view = std::static_pointer_cast<WebView>(weak.lock()))
                view->scrollTo(position * (view->pictureHeight() - view->bounds().height()));
        };
        m_scroller->onPage = [weak](int direction) {
            if (auto view = std::static_pointer_cast<WebView>(weak.lock()))
                view->scrollTo(view->m_scroll + direction * view->bounds().height() * 0.9);
        };
        addSubview(m_scroller);
    }
    m_scroller->setHidden(false);
    m_scroller->setFrame(Rect(bounds().maxX() - Scroller::kWidth, 0, Scroller::kWidth, bounds().height()));
    double travel = page - bounds().height();
    m_scroller->setKnob(bounds().height() / page, travel > 0 ? m_scroll / travel : 0);
}

void WebView::scrollWheel(const Event& event)
{
    double delta = event.scrollingDeltaY();
    if (!m_picture || !std::isfinite(delta) || delta == 0 || pictureHeight() <= bounds().height()) {
        View::scrollWheel(event);
        return;
    }
    // A notch is three lines of text; positive notches go towards the top.
    scrollTo(m_scroll - delta * 48);
}

void WebView::showCard()
{
    m_loading = false;
    m_picture.reset();
    m_scroll = 0;
    updateScroller();
    auto card = PanelView::create();
    auto title = TextField::createLabel(m_title);
    title->setFont(gfx::Font::boldSystem(15));
    title->setAlignment(gfx::TextAlignment::center);
    card->addSubview(title);
    auto open = Button::create("Open in Browser");
    open->onAction = [this] { openLive(); };
    card->addSubview(open);
    m_card = card;
    addSubview(card);
    layout();
    setNeedsDisplay();
    if (auto done = onFinishLoad)
        done();
}

void WebView::layout()
{
    renderSoon();
    scrollTo(m_scroll);
    if (!m_card)
        return;
    m_card->setFrame(bounds());
    const auto& parts = m_card->subviews();
    double middle = bounds().height() / 2;
    parts[0]->setFrame(Rect(10, middle - 30, std::max(0.0, bounds().width() - 20), 22));
    Size button = parts[1]->intrinsicContentSize();
    parts[1]->setFrame(Rect(bounds().midX() - button.width / 2, middle + 4, button.width, button.height));
}

void WebView::openLive()
{
    std::string link = url();
    if (link.empty())
        return;
    if (auto handler = onNewWindow; handler && handler(link))
        return;
    desktop::Opener::openLink(link);
}

void WebView::mouseDown(const Event&)
{
    if (m_picture)
        openLive();
}

void WebView::draw(gfx::GraphicsContext& context, const Rect&)
{
    // A window shown again, or a pad opened, draws the view before anything else tells it.
    renderSoon();
    // Below a page shorter than the view, or beside a narrower one, the page's own background.
    context.setFillColor(m_picture ? m_pageBackground : ControlLook::kMenu);
    context.fillRect(bounds());
    if (!m_picture)
        return;
    // The picture at its own scale, from the scrolled place; a wider view shows it centred.
    Size size = m_picture->size();
    double scale = std::min(1.0, bounds().width() / std::max(1.0, size.width));
    Rect target(std::max(0.0, (bounds().width() - size.width * scale) / 2), -m_scroll, size.width * scale, size.height * scale);
    m_picture->draw(target);
}

}
