#include "platform/ui/ColorPanel.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <cmath>

namespace ui {

namespace {

constexpr double kCell = 22;
constexpr double kMargin = 8;

class SwatchGrid : public View {
public:
    static std::shared_ptr<SwatchGrid> create(ColorPanel& panel) { return std::shared_ptr<SwatchGrid>(new SwatchGrid(panel)); }
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        context.setFillColor(ControlLook::kMenu);
        context.fillRect(bounds());
        for (int row = 0; row < ColorPanel::kRows; ++row)
            for (int column = 0; column < ColorPanel::kColumns; ++column) {
                Rect cell(kMargin + column * kCell, kMargin + row * kCell, kCell - 2, kCell - 2);
                gfx::Color color = ColorPanel::swatch(row, column);
                context.setFillColor(color);
                context.fillRect(cell);
                if (color == m_panel.color())
                    ControlLook::drawBezel(context, cell.insetBy(-1.5, -1.5), 2, gfx::Color::white(0, 0), ControlLook::kText);
            }
    }
    void mouseDown(const Event& event) override
    {
        Point p = convertPointFrom(event.locationInWindow(), nullptr);
        int column = static_cast<int>(std::floor((p.x - kMargin) / kCell));
        int row = static_cast<int>(std::floor((p.y - kMargin) / kCell));
        if (row >= 0 && row < ColorPanel::kRows && column >= 0 && column < ColorPanel::kColumns) {
            m_panel.pick(ColorPanel::swatch(row, column));
            setNeedsDisplay();
        }
    }

private:
    explicit SwatchGrid(ColorPanel& panel)
        : View({})
        , m_panel(panel)
    {
    }
    ColorPanel& m_panel;
};

}

ColorPanel& ColorPanel::shared()
{
    static ColorPanel* panel = new ColorPanel;
    return *panel;
}

gfx::Color ColorPanel::swatch(int row, int column)
{
    if (row == kRows - 1)
        return gfx::Color::white(static_cast<double>(column) / (kColumns - 1));
    double brightness[] = { 1.0, 0.75, 0.45 };
    return gfx::Color::hsb(static_cast<double>(column) / kColumns, row == 0 ? 0.55 : 0.85, brightness[row]);
}

void ColorPanel::show(gfx::Color current, Picked picked)
{
    m_color = current;
    m_picked = std::move(picked);
    if (!m_window) {
        Size size(2 * kMargin + kColumns * kCell, 2 * kMargin + kRows * kCell);
        Rect visible = Screen::main() ? Screen::main()->visibleFrame : Rect(0, 0, 800, 600);
        m_window = Window::create(Rect(visible.midX() - size.width / 2, visible.midY(), size.width, size.height),
            WindowStyle::Titled | WindowStyle::Closable);
        m_window->setTitle("Colors");
        m_window->setLevel(WindowLevel::Floating);
        auto grid = SwatchGrid::create(*this);
        grid->setFrame(Rect(0, 0, size.width, size.height));
        m_window->setContentView(grid);
    }
    m_window->contentView()->setNeedsDisplay();
    m_window->orderFront();
}

void ColorPanel::close()
{
    if (m_window)
        m_window->close();
    // The window belongs to the application that made it; the next showing makes a new one.
    m_window.reset();
    m_picked = nullptr;
}

bool ColorPanel::isVisible() const { return m_window && m_window->isVisible(); }

void ColorPanel::pick(gfx::Color color)
{
    m_color = color;
    if (auto picked = m_picked)
        picked(color);
}

}
