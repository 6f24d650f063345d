#pragma once

#include "platform/ui/View.h"

#include <memory>

namespace gfx {
class Image;
}
namespace ui {
class Button;
}

namespace ostrel {

class NowAndLaterBoardTextView;

// The row of five small toggle buttons above a pad (and above the screens' objective field)
// that shows, and switches, the style at the insertion point: plain, bold, italics,
// underline and strike-through. The buttons are made by whoever places the row and handed
// in; the row only refers to them.
class TextIndicatorsView : public ui::View {
public:
    static std::shared_ptr<TextIndicatorsView> create(ui::Rect frame = {});

    // Makes the five buttons in a row, each sending its style command to the text view.
    // They never take the keyboard: a style is chosen for the text, which goes on typing.
    void addIndicatorButtons(const std::weak_ptr<NowAndLaterBoardTextView>& target);

    std::shared_ptr<ui::Button> strikeThroughIndicator() const { return m_strikeThroughIndicator.lock(); }
    std::shared_ptr<ui::Button> boldIndicator() const { return m_boldIndicator.lock(); }
    std::shared_ptr<ui::Button> italicsIndicator() const { return m_italicsIndicator.lock(); }
    std::shared_ptr<ui::Button> plainIndicator() const { return m_plainIndicator.lock(); }
    std::shared_ptr<ui::Button> underlineIndicator() const { return m_underlineIndicator.lock(); }
    void setStrikeThroughIndicator(const std::shared_ptr<ui::Button>& button) { m_strikeThroughIndicator = button; }
    void setBoldIndicator(const std::shared_ptr<ui::Button>& button) { m_boldIndicator = button; }
    void setItalicsIndicator(const std::shared_ptr<ui::Button>& button) { m_italicsIndicator = button; }
    void setPlainIndicator(const std::shared_ptr<ui::Button>& button) { m_plainIndicator = button; }
    void setUnderlineIndicator(const std::shared_ptr<ui::Button>& button) { m_underlineIndicator = button; }

    void activateStrikeThroughIndicator() { setState(m_strikeThroughIndicator, true); }
    void deactivateStrikeThroughIndicator() { setState(m_strikeThroughIndicator, false); }
    void activatePlainIndicator() { setState(m_plainIndicator, true); }
    void deactivatePlainIndicator() { setState(m_plainIndicator, false); }
    void activateBoldIndicator() { setState(m_boldIndicator, true); }
    void deactivateBoldIndicator() { setState(m_boldIndicator, false); }
    void activateItalicsIndicator() { setState(m_italicsIndicator, true); }
    void deactivateItalicsIndicator() { setState(m_italicsIndicator, false); }
    void activateUnderlineIndicator() { setState(m_underlineIndicator, true); }
    void deactivateUnderlineIndicator() { setState(m_underlineIndicator, false); }

    // The image as a template, shown alone.
    static void setIcon(const std::shared_ptr<gfx::Image>& image, ui::Button& button);
    // Gives the buttons the drawing kit's letters.
    void awakeFromNib() { initTextBarButtons(); }
    void initTextBarButtons();

protected:
    explicit TextIndicatorsView(ui::Rect frame);

private:
    static void setState(const std::weak_ptr<ui::Button>& button, bool on);

    std::weak_ptr<ui::Button> m_strikeThroughIndicator;
    std::weak_ptr<ui::Button> m_boldIndicator;
    std::weak_ptr<ui::Button> m_italicsIndicator;
    std::weak_ptr<ui::Button> m_plainIndicator;
    std::weak_ptr<ui::Button> m_underlineIndicator;
};

}
