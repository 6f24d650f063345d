#include "platform/ui/TabView.h"

#include <algorithm>

namespace ui {

std::shared_ptr<TabViewItem> TabViewItem::create(std::any identifier)
{
    return std::shared_ptr<TabViewItem>(new TabViewItem(std::move(identifier)));
}

TabViewItem::TabViewItem(std::any identifier)
    : m_identifier(std::move(identifier))
    , m_view(View::create())
{
}

std::shared_ptr<TabView> TabView::create() { return std::shared_ptr<TabView>(new TabView()); }

TabView::TabView()
    : View({})
{
}

void TabView::addItem(std::shared_ptr<TabViewItem> item)
{
    if (!item)
        return;
    m_items.push_back(item);
    if (!m_selected)
        selectItem(item);
}

void TabView::removeItem(const std::shared_ptr<TabViewItem>& item)
{
    auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it == m_items.end())
        return;
    bool wasSelected = m_selected == item.get();
    item->view()->removeFromSuperview();
    m_items.erase(it);
    if (wasSelected) {
        m_selected = nullptr;
        if (!m_items.empty())
            selectItem(m_items.front());
    }
}

void TabView::selectItem(std::size_t index)
{
    if (index < m_items.size())
        selectItem(m_items[index]);
}

void TabView::selectItem(const std::shared_ptr<TabViewItem>& item)
{
    if (!item || m_selected == item.get())
        return;
    if (m_selected)
        m_selected->view()->removeFromSuperview();
    m_selected = item.get();
    View* page = item->view();
    page->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(item->sharedView());
    for (const auto& edge : Constraint::edgesEqual(page, this))
        addConstraint(edge);
}

std::optional<std::size_t> TabView::indexOfSelectedItem() const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == m_selected)
            return i;
    return std::nullopt;
}

std::shared_ptr<EffectView> EffectView::create() { return std::shared_ptr<EffectView>(new EffectView()); }

EffectView::EffectView()
    : View({})
{
}

void EffectView::setMaterial(Material material)
{
    m_material = material;
    setNeedsDisplay();
}

void EffectView::setAppearance(std::string appearance)
{
    m_appearance = std::move(appearance);
    setNeedsDisplay();
}

gfx::Color EffectView::tint() const
{
    // No blur of what lies behind here: a translucent wash in the material's tone.
    if (m_material == Material::Light)
        return gfx::Color::white(0.92, 0.85);
    return gfx::Color::white(0.12, 0.85);
}

void EffectView::draw(gfx::GraphicsContext& context, const Rect&)
{
    context.setFillColor(tint());
    context.fillRect(bounds());
}

}
