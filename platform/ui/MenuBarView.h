#pragma once

#include "platform/gfx/Font.h"
#include "platform/ui/View.h"

#include <cstddef>
#include <memory>
#include <optional>

namespace ui {

class Menu;

// A menu bar drawn inside a window: the titles of a menu's items in a row, each pressed to
// pop its submenu up under it. It reads the menu afresh whenever it draws, so items added
// later show; an item without a submenu is left out.
class MenuBarView : public View {
public:
    static std::shared_ptr<MenuBarView> create(std::shared_ptr<Menu> menu);

    const std::shared_ptr<Menu>& menu() const { return m_menu; }
    const gfx::Font& font() const { return m_font; }
    void setFont(gfx::Font font);

    // Each shown title's place, from the left, in the view's own coordinates (from the top).
    std::optional<Rect> rectOfItem(std::size_t index) const;
    std::optional<std::size_t> itemAt(Point point) const;
    // Pops the submenu of that item up under its title, tracked until it closes.
    void openItem(std::size_t index);
    // The item whose submenu is open now.
    std::optional<std::size_t> openIndex() const { return m_open; }

    Size intrinsicContentSize() const override;
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    void mouseDown(const Event& event) override;

    static constexpr double kHeight = 22;
    static constexpr double kPadding = 8;

private:
    explicit MenuBarView(std::shared_ptr<Menu> menu);

    std::shared_ptr<Menu> m_menu;
    gfx::Font m_font;
    std::optional<std::size_t> m_open;
};

}
