#include "mainwindow/StatsWebView.h"

#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"

#include <cmath>

namespace ostrel {

namespace {
// Below this the pad is still being laid out: no chart is readable there.
constexpr double kSmallestChart = 40;
constexpr double kResizeSettleSeconds = 0.5;
}

std::shared_ptr<StatsWebView> StatsWebView::create() { return std::shared_ptr<StatsWebView>(new StatsWebView); }

StatsWebView::~StatsWebView()
{
    if (m_resizeTimer)
        m_resizeTimer->invalidate();
}

bool StatsWebView::canShowPages() const
{
    return window() && !isHiddenOrHasHiddenAncestor() && bounds().width() >= kSmallestChart
        && bounds().height() >= kSmallestChart;
}

void StatsWebView::showPage(const std::filesystem::path& page)
{
    m_pendingPage = page;
    if (canShowPages())
        loadPendingPage();
}

void StatsWebView::loadPendingPage()
{
    if (!m_pendingPage || !canShowPages())
        return;
    auto page = std::move(*m_pendingPage);
    m_pendingPage.reset();
    m_drawnSize = bounds().size;
    load(page.string());
}

void StatsWebView::loadPendingPageSoon()
{
    if (!m_pendingPage || m_loadPosted)
        return;
    m_loadPosted = true;
    std::weak_ptr<StatsWebView> weak = std::static_pointer_cast<StatsWebView>(shared_from_this());
    base::RunLoop::main().post([weak] {
        if (auto self = weak.lock()) {
            self->m_loadPosted = false;
            self->loadPendingPage();
        }
    });
}

void StatsWebView::viewDidMoveToWindow()
{
    ui::WebView::viewDidMoveToWindow();
    if (canShowPages())
        loadPendingPageSoon();
}

void StatsWebView::layout()
{
    ui::WebView::layout();
    if (canShowPages())
        loadPendingPageSoon();
}

void StatsWebView::frameDidChange()
{
    ui::WebView::frameDidChange();
    if (!canShowPages())
        return;
    if (m_pendingPage) {
        loadPendingPageSoon();
        return;
    }
    bool drawnForThisSize = std::abs(bounds().width() - m_drawnSize.width) < 1 && std::abs(bounds().height() - m_drawnSize.height) < 1;
    // The card lays itself out again; only a drawn page needs the browser once more.
    if (url().empty() || showsCard() || drawnForThisSize)
        return;
    if (m_resizeTimer)
        m_resizeTimer->invalidate();
    std::weak_ptr<StatsWebView> weak = std::static_pointer_cast<StatsWebView>(shared_from_this());
    m_resizeTimer = base::Timer::create(kResizeSettleSeconds, false, base::RunLoop::Mode::Default, [weak](base::Timer&) {
        if (auto self = weak.lock())
            self->redrawAfterResize();
    });
}

void StatsWebView::redrawAfterResize()
{
    m_resizeTimer.reset();
    if (!canShowPages() || m_pendingPage)
        return;
    m_drawnSize = bounds().size;
    reload();
}

}
