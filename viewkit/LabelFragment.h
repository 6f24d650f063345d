#pragma once

#include "viewkit/HideableFragmentWall.h"

#include "platform/gfx/Font.h"
#include "platform/gfx/Image.h"
#include "platform/ui/Constraint.h"
#include "platform/ui/MenuItem.h"
#include "platform/ui/TextField.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

class FragmentStackView;
class PullDownButtonBrick;
class PushButtonBrick;

// The heading bar above a section of a screen: its title drawn over the label bar, and at the
// right a wheel button whose menu holds the section's options, plus an alternative-control
// button that callers may reveal. The wheel button stays hidden (keeping a 14-point margin)
// until the first option is added, then takes 40 points. Options keep Boolean settings:
//   - a check-mark option toggles its key, checked while the key is true;
//   - a visibility option toggles the hidden-key of a hideable section and reads "Hide "
//     or "Show " followed by its title.
// Being a hideable fragment, the heading itself may follow settings keys as well.
class LabelFragment : public HideableFragmentWall {
public:
    // Identifier: the title followed by " Fragment". Returned uninstalled.
    static std::shared_ptr<LabelFragment> labelFragment(const std::string& title);
    static std::shared_ptr<LabelFragment> labelFragment(const std::string& title, const std::string& storageKey, bool hiddenByDefault);
    static std::shared_ptr<LabelFragment> labelFragment(const std::string& title, std::vector<std::string> storageKeys,
        std::vector<std::optional<bool>> initialValues, ShouldHideExpression shouldHideExpression);

    // The first label of a screen draws a bar of its own.
    bool isFirstLabel() const { return m_isFirstLabel; }
    void setIsFirstLabel(bool first);
    // Hidden: its text is drawn by the fragment itself.
    const std::shared_ptr<ui::TextField>& label() const { return m_label; }
    const std::shared_ptr<PullDownButtonBrick>& wheelButton() const { return m_wheelButton; }
    const std::shared_ptr<PushButtonBrick>& alternativeUIButton() const { return m_alternativeUIButton; }
    std::shared_ptr<FragmentStackView> stackView() const { return m_stackView.lock(); }
    void setStackView(const std::shared_ptr<FragmentStackView>& stackView) { m_stackView = stackView; }
    const std::shared_ptr<ui::Constraint>& wheelButtonWidthConstraint() const { return m_wheelButtonWidthConstraint; }
    const std::shared_ptr<ui::Constraint>& alternativeUIButtonRightConstraint() const { return m_alternativeUIButtonRightConstraint; }

    // The wheel's picture, made anew on each read.
    virtual std::shared_ptr<gfx::Image> wheelIcon() const;

    void addItem(const std::shared_ptr<ui::MenuItem>& item);
    // Registers `checkedByDefault` as the key's default when given.
    void addCheckedOption(const std::string& menuItemTitle, const std::string& storageKey,
        std::optional<bool> checkedByDefault = std::nullopt);
    // The key belongs to the hideable section it controls, which registers its default.
    void addVisibilityManagedOption(const std::string& menuItemTitle, const std::string& storageKey);
    void addSeparatorItem();

protected:
    friend class Wall;
    explicit LabelFragment(ui::Rect frame);
    void finishCreation() override;
    // The heading text over the bar: `left` points in, vertically centred, clipped to its box.
    void drawHeading(const ui::Rect& frame, double left, const gfx::Font& font, gfx::Color color) const;

private:
    void unhideWheelButton();
    void hideWheelButton();
    // The wheel button's width and the alternative-control button's right edge, replacing
    // the constraints held so far.
    void setWheelButtonConstraints(double width, std::shared_ptr<ui::Constraint> alternativeRight);
    void drawLabelFragment(const ui::Rect& frame) const;

    bool m_isFirstLabel { false };
    std::shared_ptr<ui::TextField> m_label;
    std::shared_ptr<PullDownButtonBrick> m_wheelButton;
    std::shared_ptr<PushButtonBrick> m_alternativeUIButton;
    std::weak_ptr<FragmentStackView> m_stackView;
    std::shared_ptr<ui::Constraint> m_wheelButtonWidthConstraint;
    std::shared_ptr<ui::Constraint> m_alternativeUIButtonRightConstraint;
};

}
