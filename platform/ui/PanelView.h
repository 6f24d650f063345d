#pragma once

#include "platform/ui/View.h"

#include <memory>

namespace ui {

// The content of our own panels and alerts: flipped, filled with the panels' dark colour.
class PanelView : public View {
public:
    static std::shared_ptr<PanelView> create(Rect frame = {});
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;

private:
    explicit PanelView(Rect frame);
};

}
