#pragma once

#include "platform/gfx/Image.h"
#include "platform/ui/View.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Button;
class Scroller;

// A page shown inline. Where a headless browser is installed, the page is rendered by it to
// a picture in the background and shown when ready, whole: a page longer than the view
// scrolls (the wheel, the scroller at its right edge), and below a short one the view shows
// the page's own background. A click opens the live page in the default browser. Without a browser the view shows a card with the page's title and a
// button that opens it. Only local files are loaded: the program's help and chart pages.
// The browser runs only for a view in a visible window: a page loaded while the view is
// hidden (a closed pad) is drawn when the view comes into sight.
class WebView : public View {
public:
    static std::shared_ptr<WebView> create();
    ~WebView() override;

    // A picture is ready, or the card is shown.
    std::function<void()> onFinishLoad;
    // The page asks to open a link elsewhere (a click on the picture or the card's button);
    // true when handled, otherwise the link opens in the default browser.
    std::function<bool(const std::string& url)> onNewWindow;

    // A local file, as a path or a file:// URL. Anything else is refused (false).
    bool load(const std::string& fileUrl);
    void reload();
    bool canGoBack() const { return m_index > 0; }
    bool canGoForward() const { return m_index + 1 < static_cast<int>(m_history.size()); }
    void goBack();
    void goForward();

    // The URL shown, empty before the first load.
    std::string url() const;
    const std::string& title() const { return m_title; }
    bool isLoading() const { return m_loading; }
    // The rendered page, when a browser made one.
    const std::shared_ptr<gfx::Image>& picture() const { return m_picture; }
    bool showsCard() const { return m_card != nullptr; }
    // How far the page is scrolled down, in points from its top.
    double scrollOffset() const { return m_scroll; }
    void scrollTo(double offset);

    // A file URL for a path: everything but unreserved characters and "/" is escaped, so a
    // page named with "#", "?" or "%" is the page the browser opens.
    static std::string fileUrl(const std::filesystem::path& path);

    // The headless browser used: the first of chromium, chromium-browser found on PATH,
    // or the one set here (an empty path: none, as on a system without one).
    static std::optional<std::filesystem::path> browser();
    static void setBrowser(std::optional<std::filesystem::path> browser);
    // Back to looking on PATH.
    static void findBrowserOnPath();

    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    void mouseDown(const Event& event) override;
    void scrollWheel(const Event& event) override;
    void layout() override;
    void viewDidMoveToWindow() override;

protected:
    WebView();

private:
    void show(std::size_t index);
    void render();
    bool isInSight() const;
    // The page waiting for the view to come into sight is drawn now, if it can be.
    void renderIfWaiting();
    void renderSoon();
    void finished(std::shared_ptr<gfx::Image> picture);
    void showCard();
    void openLive();
    // The picture's height in the view's points, as drawn at the view's width.
    double pictureHeight() const;
    void updateScroller();

    std::vector<std::filesystem::path> m_history;
    int m_index { -1 };
    std::string m_title;
    bool m_loading { false };
    bool m_renderWaiting { false };
    bool m_renderPosted { false };
    std::shared_ptr<gfx::Image> m_picture;
    // The colour of the page's last row: what shows below a page shorter than the view.
    gfx::Color m_pageBackground { gfx::colors::white };
    double m_scroll { 0 };
    std::shared_ptr<Scroller> m_scroller;
    std::shared_ptr<View> m_card;
    // Each render carries the generation it was asked for; a late one for an earlier page is dropped.
    std::shared_ptr<int> m_generation { std::make_shared<int>(0) };
};

}
