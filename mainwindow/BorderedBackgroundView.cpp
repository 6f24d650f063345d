#include "mainwindow/BorderedBackgroundView.h"

#include "core/KVOResponder.h"
#include "core/ZrLog.h"
#include "viewkit/BezierPathUtility.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/GraphicsContext.h"

namespace ostrel {

std::shared_ptr<BorderedBackgroundView> BorderedBackgroundView::create(ui::Rect frame)
{
    return std::shared_ptr<BorderedBackgroundView>(new BorderedBackgroundView(frame));
}

std::shared_ptr<NowPadBackgroundView> NowPadBackgroundView::create(ui::Rect frame)
{
    return std::shared_ptr<NowPadBackgroundView>(new NowPadBackgroundView(frame));
}

std::shared_ptr<LaterPadBackgroundView> LaterPadBackgroundView::create(ui::Rect frame)
{
    return std::shared_ptr<LaterPadBackgroundView>(new LaterPadBackgroundView(frame));
}

std::shared_ptr<ScratchPadBackgroundView> ScratchPadBackgroundView::create(ui::Rect frame)
{
    return std::shared_ptr<ScratchPadBackgroundView>(new ScratchPadBackgroundView(frame));
}

BorderedBackgroundView::BorderedBackgroundView(ui::Rect frame)
    : ui::View(frame)
{
}

void BorderedBackgroundView::setBackgroundColor(std::optional<gfx::Color> color)
{
    m_backgroundColor = color;
    setNeedsDisplay();
}

void BorderedBackgroundView::awakeFromNib()
{
    std::weak_ptr<ui::View> weakSelf = weak_from_this();
    std::string key = storageKey();
    m_observer = KVOResponder::create(key, base::Defaults::standard(), false, [weakSelf](base::Defaults&, const std::string& keyPath) {
        auto self = std::static_pointer_cast<BorderedBackgroundView>(weakSelf.lock());
        if (!self)
            return;
        zr_log("BorderBackgroundView observeValueForKeyPath: %s ofObject: %s change: %s", keyPath.c_str(), "standard user defaults",
            "new value");
        self->setBackgroundColor(BezierPathUtility::colorWithKey(keyPath));
    });
    setBackgroundColor(BezierPathUtility::colorWithKey(key));
}

void BorderedBackgroundView::draw(gfx::GraphicsContext& context, const ui::Rect&)
{
    context.save();
    if (m_backgroundColor) {
        context.setFillColor(*m_backgroundColor);
        context.fillRect(bounds());
    }
    // A one-point frame just inside the bounds.
    context.setFillColor(gfx::colors::black);
    ui::Rect b = bounds();
    context.fillRect(ui::Rect(b.minX(), b.minY(), b.width(), 1));
    context.fillRect(ui::Rect(b.minX(), b.maxY() - 1, b.width(), 1));
    context.fillRect(ui::Rect(b.minX(), b.minY(), 1, b.height()));
    context.fillRect(ui::Rect(b.maxX() - 1, b.minY(), 1, b.height()));
    context.restore();
}

}
