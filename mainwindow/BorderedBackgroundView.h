#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/View.h"

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

class KVOResponder;

// The bordered background behind the objective field: filled with the colour kept under its
// settings key, framed by a one-point black line. Never first responder.
class BorderedBackgroundView : public ui::View {
public:
    static std::shared_ptr<BorderedBackgroundView> create(ui::Rect frame = {});

    static std::string colorKey() { return "objectiveBackgroundColor"; }
    // The key this view's colour follows; each pad's variant names its own.
    virtual std::string storageKey() const { return colorKey(); }

    const std::optional<gfx::Color>& backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(std::optional<gfx::Color> color);

    // Takes the colour from the settings now and on every change.
    void awakeFromNib();

    bool isOpaque() const { return true; }
    bool acceptsFirstResponder() const override { return false; }
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirty) override;

protected:
    explicit BorderedBackgroundView(ui::Rect frame);

private:
    std::optional<gfx::Color> m_backgroundColor;
    std::shared_ptr<KVOResponder> m_observer;
};

class NowPadBackgroundView : public BorderedBackgroundView {
public:
    static std::shared_ptr<NowPadBackgroundView> create(ui::Rect frame = {});
    static std::string colorKey() { return "nowPadBackgroundColor"; }
    std::string storageKey() const override { return colorKey(); }

protected:
    using BorderedBackgroundView::BorderedBackgroundView;
};

class LaterPadBackgroundView : public BorderedBackgroundView {
public:
    static std::shared_ptr<LaterPadBackgroundView> create(ui::Rect frame = {});
    static std::string colorKey() { return "laterPadBackgroundColor"; }
    std::string storageKey() const override { return colorKey(); }

protected:
    using BorderedBackgroundView::BorderedBackgroundView;
};

class ScratchPadBackgroundView : public BorderedBackgroundView {
public:
    static std::shared_ptr<ScratchPadBackgroundView> create(ui::Rect frame = {});
    static std::string colorKey() { return "scratchPadBackgroundColor"; }
    std::string storageKey() const override { return colorKey(); }

protected:
    using BorderedBackgroundView::BorderedBackgroundView;
};

}
