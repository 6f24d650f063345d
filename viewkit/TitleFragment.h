#pragma once

#include "viewkit/LabelFragment.h"

namespace ostrel {

// The bar at the top of a screen: the screen's name in the title font and tint, an optional
// 22-point icon at its left (the text starts 38 points in either way) and the wheel button
// with the screen's customisation options.
class TitleFragment : public LabelFragment {
public:
    // Identifier: the title followed by " Title Fragment". Appended to the stack and
    // installed there.
    static std::shared_ptr<TitleFragment> titleFragment(const std::string& title, const std::shared_ptr<FragmentStackView>& addToStackView,
        std::shared_ptr<gfx::Image> image = nullptr);

    const std::shared_ptr<gfx::Image>& image() const { return m_image; }
    void setImage(std::shared_ptr<gfx::Image> image);
    gfx::Color tint() const { return m_tint; }
    void setTint(gfx::Color tint);

    std::shared_ptr<gfx::Image> wheelIcon() const override;

protected:
    friend class Wall;
    explicit TitleFragment(ui::Rect frame);
    void finishCreation() override;

private:
    void drawTitleFragment(const ui::Rect& frame) const;

    std::shared_ptr<gfx::Image> m_image;
    gfx::Color m_tint;
};

}
