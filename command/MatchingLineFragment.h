#pragma once

#include "viewkit/FragmentWall.h"

#include <memory>

namespace ui {
class TextField;
}

namespace ostrel {

class BackgroundDrawingWallWithTintSupport;
class MatchingItem;

// One of the pop-up's result rows: an icon, the entry's title over its by-line, and a
// chevron for groups. Rows are made once and shown again with each new entry, or none.
class MatchingLineFragment : public FragmentWall {
public:
    static std::shared_ptr<MatchingLineFragment> create();

    bool topFragment() const { return m_topFragment; }
    void setTopFragment(bool top) { m_topFragment = top; }
    const std::shared_ptr<MatchingItem>& matchingItem() const { return m_matchingItem; }
    void setMatchingItem(std::shared_ptr<MatchingItem> item) { m_matchingItem = std::move(item); }
    // Shows the entry; without one the top row says "No Match" and the others stay blank.
    virtual void configure(const std::shared_ptr<MatchingItem>& item);
    BackgroundDrawingWallWithTintSupport* leftImageWall() const { return m_leftImageWall.get(); }
    BackgroundDrawingWallWithTintSupport* rightImageWall() const { return m_rightImageWall.get(); }
    virtual void customDrawHighlightedBackground(const ui::Rect& frame);
    virtual void customDrawChevronRight(const ui::Rect& frame, const gfx::Color& tint);

    ui::Size imageSize() const { return m_imageSize; }
    void setImageSize(ui::Size size) { m_imageSize = size; }
    double displayStringFontSize() const { return m_displayStringFontSize; }
    void setDisplayStringFontSize(double size) { m_displayStringFontSize = size; }
    double byLineFontSize() const { return m_byLineFontSize; }
    void setByLineFontSize(double size) { m_byLineFontSize = size; }
    double topInset() const { return m_topInset; }
    void setTopInset(double inset) { m_topInset = inset; }
    double bottomInset() const { return m_bottomInset; }
    void setBottomInset(double inset) { m_bottomInset = inset; }

    // Makes the subviews, once, right after the factory made the row.
    virtual void build();
    ui::TextField* titleTextField() const { return m_titleTextField.get(); }
    ui::TextField* byLineTextField() const { return m_byLineTextField.get(); }
    bool isHighlighted() const { return m_isHighlighted; }
    void setHighlighted(bool highlighted) { m_isHighlighted = highlighted; }
    // Background, text colours and tints for the entry, the selection and the enabled state.
    virtual void changeColors();

protected:
    friend class Wall;
    MatchingLineFragment();
    // The left surface's glyph; a plain row draws none.
    virtual void drawLeftIcon(const ui::Rect& frame, const gfx::Color& tint);

private:
    bool m_topFragment { false };
    std::shared_ptr<MatchingItem> m_matchingItem;
    std::shared_ptr<BackgroundDrawingWallWithTintSupport> m_leftImageWall;
    std::shared_ptr<BackgroundDrawingWallWithTintSupport> m_rightImageWall;
    ui::Size m_imageSize { 40, 40 };
    double m_displayStringFontSize { 13 };
    double m_byLineFontSize { 10 };
    double m_topInset { 8 };
    double m_bottomInset { 8 };
    std::shared_ptr<ui::TextField> m_titleTextField;
    std::shared_ptr<ui::TextField> m_byLineTextField;
    bool m_isHighlighted { false };
};

}
