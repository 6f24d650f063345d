#pragma once

#include "viewkit/NiblessViewController.h"

#include <functional>
#include <memory>

namespace ui {
class Popover;
class Slider;
}

namespace ostrel {

class IntegerTextField;

// The small dark pop-over at a duration slider where a duration is typed in whole minutes
// instead of dragged. Return hands the number (raised to at least 2) to the caller's setter
// and closes it; a click anywhere else closes it and changes nothing.
class QuickDurationChangingViewController final : public NiblessViewController {
public:
    static std::shared_ptr<QuickDurationChangingViewController> create(bool delayedBuild = false);

    const std::shared_ptr<IntegerTextField>& durationDigitsField() const { return m_durationDigitsField; }
    const std::shared_ptr<ui::Popover>& popOver() const { return m_popOver; }

    void build() override;
    // Shows the pop-over at the slider holding `initialValue` and returns; the setter runs
    // later, once per Return. The parent (the main window's controller) only names the owner.
    void runModal(NiblessViewController* parentViewController, ui::Slider& slider, int initialValue,
        std::function<void(int)> setterFunction);

private:
    friend class NiblessViewController;
    QuickDurationChangingViewController();

    std::shared_ptr<IntegerTextField> m_durationDigitsField;
    std::shared_ptr<ui::Popover> m_popOver;
};

}
