#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/StackView.h"

#include <functional>
#include <memory>
#include <optional>

namespace ostrel {

class FragmentWall;

// The stack of sections (fragments) a screen or pad is made of. Hiding a fragment keeps it
// in the arrangement at visibility priority 0; showing it gives it 900, so that a stack too
// short for everything may still detach it.
class FragmentStackView : public ui::StackView {
public:
    static std::shared_ptr<FragmentStackView> create(ui::Orientation orientation = ui::Orientation::Vertical);

    // Draws the background over the frame rectangle (as the stack always has).
    std::function<void(const ui::Rect&)> backgroundDrawingFunc;
    const std::optional<gfx::Color>& backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(std::optional<gfx::Color> color);
    bool inheritsFlipped() const { return m_inheritsFlipped; }
    void setInheritsFlipped(bool inherits) { m_inheritsFlipped = inherits; }
    bool isFlipped() const override { return m_inheritsFlipped; }

    // Appends the fragment and installs it in this stack.
    void addFragment(const std::shared_ptr<FragmentWall>& fragment);
    // Overridable, so that a screen's stack can tell when the set of visible fragments changes.
    virtual void hideFragment(const ui::View& fragment);
    virtual void showFragment(const ui::View& fragment);

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;

protected:
    explicit FragmentStackView(ui::Orientation orientation);

private:
    std::optional<gfx::Color> m_backgroundColor;
    bool m_inheritsFlipped { false };
};

}
