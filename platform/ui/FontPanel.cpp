#include "platform/ui/FontPanel.h"

#include "platform/ui/ControlLook.h"
#include "platform/ui/PanelView.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr double kWidth = 300;
constexpr double kHeight = 130;

std::string displayName(const std::string& postScriptName)
{
    return postScriptName == gfx::Font::systemFontName ? "System" : postScriptName;
}

}

FontPanel& FontPanel::shared()
{
    static FontPanel* panel = new FontPanel;
    return *panel;
}

const std::vector<std::string>& FontPanel::families()
{
    static const std::vector<std::string> names { gfx::Font::systemFontName, "Helvetica", "Futura", "Gill Sans", "Times-Roman", "Courier" };
    return names;
}

void FontPanel::build()
{
    auto content = PanelView::create();
    content->setFrame(Rect(0, 0, kWidth, kHeight));
    m_family = PopUpButton::create();
    for (const auto& name : families())
        m_family->addItem(displayName(name))->setTag(static_cast<int>(&name - families().data()));
    m_family->setFrame(Rect(12, 12, 190, 24));
    m_family->onAction = [this] {
        if (MenuItem* item = m_family->selectedItem())
            pickFamily(families()[static_cast<std::size_t>(item->tag())]);
    };
    content->addSubview(m_family);
    m_size = TextField::create();
    auto formatter = std::make_shared<IntegerFormatter>();
    formatter->setMaximum(288);
    m_size->setFormatter(formatter);
    m_size->setAlignment(gfx::TextAlignment::right);
    m_size->setFrame(Rect(212, 12, 50, 24));
    m_size->onAction = [this] {
        if (!pickSize(static_cast<double>(m_size->integerValue())))
            m_size->setIntegerValue(static_cast<std::int64_t>(std::lround(m_font.pointSize)));
    };
    content->addSubview(m_size);
    auto points = TextField::createLabel("pt");
    points->setFrame(Rect(268, 15, 24, 18));
    content->addSubview(points);
    m_sample = TextField::createLabel("The quick brown fox");
    m_sample->setAlignment(gfx::TextAlignment::center);
    m_sample->setFrame(Rect(12, 48, kWidth - 24, kHeight - 60));
    content->addSubview(m_sample);

    Rect visible = Screen::main() ? Screen::main()->visibleFrame : Rect(0, 0, 1024, 768);
    m_window = Window::create(Rect(visible.midX() - kWidth / 2, visible.midY(), kWidth, kHeight), WindowStyle::Titled | WindowStyle::Closable);
    m_window->setTitle("Fonts");
    m_window->setLevel(WindowLevel::Floating);
    m_window->setContentView(content);
}

void FontPanel::show(const gfx::Font& current, Picked picked)
{
    m_font = current;
    m_picked = std::move(picked);
    if (!m_window)
        build();
    auto found = std::find(families().begin(), families().end(), m_font.postScriptName);
    m_family->selectItemAt(found == families().end() ? 0 : static_cast<int>(found - families().begin()));
    m_size->setIntegerValue(static_cast<std::int64_t>(std::lround(m_font.pointSize)));
    m_sample->setFont(gfx::Font { m_font.postScriptName, std::min(m_font.pointSize, 40.0), m_font.weight, m_font.monospacedDigits });
    m_window->orderFront();
}

void FontPanel::close()
{
    if (m_window)
        m_window->close();
    m_window.reset();
    m_family.reset();
    m_size.reset();
    m_sample.reset();
    m_picked = nullptr;
}

bool FontPanel::isVisible() const { return m_window && m_window->isVisible(); }

void FontPanel::pickFamily(const std::string& postScriptName)
{
    m_font.postScriptName = postScriptName;
    changed();
}

bool FontPanel::pickSize(double pointSize)
{
    if (!std::isfinite(pointSize) || pointSize < 4 || pointSize > 288)
        return false;
    m_font.pointSize = pointSize;
    changed();
    return true;
}

void FontPanel::changed()
{
    if (m_sample)
        m_sample->setFont(gfx::Font { m_font.postScriptName, std::min(m_font.pointSize, 40.0), m_font.weight, m_font.monospacedDigits });
    if (auto picked = m_picked)
        picked(m_font);
}

}
