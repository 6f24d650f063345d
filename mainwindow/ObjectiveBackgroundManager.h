#pragma once

#include "platform/gfx/Color.h"

#include <memory>
#include <optional>

namespace ui {
class View;
}

namespace ostrel {

class KVOResponder;

// Paints the objective's surroundings in the colour chosen in the settings
// ("objectiveBackgroundColor"): whichever of its five views a screen handed it. Views it was
// not given are skipped, so a screen that lacks them simply gets no colour.
class ObjectiveBackgroundManager : public std::enable_shared_from_this<ObjectiveBackgroundManager> {
public:
    static std::shared_ptr<ObjectiveBackgroundManager> create();
    // The one made last that was woken, if any.
    static std::shared_ptr<ObjectiveBackgroundManager> shared();

    const std::optional<gfx::Color>& color() const { return m_color; }

    std::weak_ptr<ui::View> infoWindowScrollView;
    std::weak_ptr<ui::View> timeSliceInfoViewScrollView;
    std::weak_ptr<ui::View> timeSliceExtensionInfoViewScrollView;
    std::weak_ptr<ui::View> objectiveBorderedBackgroundView;
    std::weak_ptr<ui::View> rateYourTimeSliceBorderedBackgroundView;

    // Becomes the shared instance and applies the colour now and on every change.
    void awakeFromNib();
    void colorDidChange();

private:
    ObjectiveBackgroundManager() = default;

    std::optional<gfx::Color> m_color;
    std::shared_ptr<KVOResponder> m_observer;
};

}
