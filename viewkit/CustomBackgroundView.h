#pragma once

#include "platform/ui/View.h"

#include <memory>

namespace ostrel {

// A plain view that draws the application's window background over its bounds.
class CustomBackgroundView : public ui::View {
public:
    static std::shared_ptr<CustomBackgroundView> create(ui::Rect frame = {});

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;

protected:
    explicit CustomBackgroundView(ui::Rect frame);
};

}
