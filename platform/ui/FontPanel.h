#pragma once

#include "platform/gfx/Font.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

class PopUpButton;
class TextField;
class Window;

// The one small font chooser: a family, a size and a sample. Every change hands the font
// to whoever showed the panel last.
class FontPanel {
public:
    using Picked = std::function<void(const gfx::Font&)>;

    static FontPanel& shared();

    void show(const gfx::Font& current, Picked picked);
    // Whoever the panel reports to now; a window that borrowed the panel gives it back.
    const Picked& picked() const { return m_picked; }
    void setPicked(Picked picked) { m_picked = std::move(picked); }
    void close();
    bool isVisible() const;
    Window* window() const { return m_window.get(); }
    const gfx::Font& font() const { return m_font; }

    // The families offered, by the names fonts carry (the system font first).
    static const std::vector<std::string>& families();
    // As the panel's own controls do.
    void pickFamily(const std::string& postScriptName);
    // Sizes outside 4 to 288 points are refused.
    bool pickSize(double pointSize);

private:
    FontPanel() = default;
    void build();
    void changed();

    std::shared_ptr<Window> m_window;
    std::shared_ptr<PopUpButton> m_family;
    std::shared_ptr<TextField> m_size;
    std::shared_ptr<TextField> m_sample;
    gfx::Font m_font { gfx::Font::system(gfx::Font::systemFontSize) };
    Picked m_picked;
};

}
