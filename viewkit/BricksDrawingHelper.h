#pragma once

#include "viewkit/DrawingStack.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ui {
class Button;
}

namespace ostrel {

// A drawing a brick may be given in place of a skin's stack: of the frame and the brick's
// title, of the frame and its image, or of the frame alone.
struct ButtonDrawingFuncType {
    using Text = std::function<void(const gfx::Rect& frame, const std::string& text)>;
    using Image = std::function<void(const gfx::Rect& frame, const std::shared_ptr<gfx::Image>& image)>;
    using Plain = std::function<void(const gfx::Rect& frame)>;

    static ButtonDrawingFuncType text(Text function) { return { std::move(function) }; }
    static ButtonDrawingFuncType image(Image function) { return { std::move(function) }; }
    static ButtonDrawingFuncType plain(Plain function) { return { std::move(function) }; }

    std::variant<Text, Image, Plain> function;
};

// How the push, check-box, pop-up and pull-down bricks draw: a drawing function first, else
// a drawing stack; false when there is neither, and the platform control draws itself.
class BricksDrawingHelper {
public:
    // What a button brick hands its drawing: its image (when it has one), then its title.
    static std::vector<DrawingAsset> buttonAssets(const ui::Button& button);

    static bool draw(gfx::GraphicsContext& context, const gfx::Rect& frame, const std::optional<DrawingStack>& drawingStack,
        const std::optional<ButtonDrawingFuncType>& drawingFunction, const std::vector<DrawingAsset>& assets);
};

}
