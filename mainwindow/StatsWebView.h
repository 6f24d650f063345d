#pragma once

#include "platform/ui/WebView.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace base {
class Timer;
}

namespace ostrel {

// The statistics pad's web view. A chart page is drawn at the size of the view showing it,
// so a page handed over while the pad is closed (or before the view has its size) waits
// until the view is on screen, and a shown page is drawn again once the view has kept a new
// size for half a second. Only the latest page waits: an older one is never drawn.
class StatsWebView : public ui::WebView {
public:
    static std::shared_ptr<StatsWebView> create();
    ~StatsWebView() override;

    // Loads the page now when the view can show it, else as soon as it can.
    void showPage(const std::filesystem::path& page);
    const std::optional<std::filesystem::path>& pendingPage() const { return m_pendingPage; }

    void viewDidMoveToWindow() override;
    void frameDidChange() override;
    void layout() override;

protected:
    StatsWebView() = default;

private:
    bool canShowPages() const;
    // After the layout pass that made the view showable: loading adds views of its own.
    void loadPendingPageSoon();
    void loadPendingPage();
    void redrawAfterResize();

    std::optional<std::filesystem::path> m_pendingPage;
    bool m_loadPosted { false };
    // The size the shown page was drawn for.
    ui::Size m_drawnSize;
    std::shared_ptr<base::Timer> m_resizeTimer;
};

}
