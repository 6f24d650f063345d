#include "viewkit/BricksDrawingHelper.h"

#include "platform/ui/Button.h"

namespace ostrel {

std::vector<DrawingAsset> BricksDrawingHelper::buttonAssets(const ui::Button& button)
{
    std::vector<DrawingAsset> assets;
    if (button.image())
        assets.push_back(DrawingAsset::image(button.image()));
    assets.push_back(DrawingAsset::text(button.title()));
    return assets;
}

bool BricksDrawingHelper::draw(gfx::GraphicsContext& context, const gfx::Rect& frame,
    const std::optional<DrawingStack>& drawingStack, const std::optional<ButtonDrawingFuncType>& drawingFunction,
    const std::vector<DrawingAsset>& assets)
{
    if (!drawingFunction && !drawingStack)
        return false;
    context.save();
    if (drawingFunction) {
        // The last image and the last text of the list; a brick always lists its title.
        std::shared_ptr<gfx::Image> image;
        std::string text;
        for (const auto& asset : assets) {
            if (auto* found = asset.asImage())
                image = *found;
            if (auto* found = asset.asText())
                text = *found;
        }
        std::visit(
            [&](const auto& function) {
                using F = std::decay_t<decltype(function)>;
                if (!function)
                    return;
                if constexpr (std::is_same_v<F, ButtonDrawingFuncType::Text>)
                    function(frame, text);
                else if constexpr (std::is_same_v<F, ButtonDrawingFuncType::Image>)
                    function(frame, image);
                else
                    function(frame);
            },
            drawingFunction->function);
    } else {
        drawingStack->draw(frame);
    }
    context.restore();
    return true;
}

}
