#include "platform/ui/Toolbar.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"

#include <algorithm>

namespace ui {

namespace {
constexpr double kImageSide = 24;
constexpr double kMinimumItemWidth = 68;
constexpr double kLabelPadding = 16;
constexpr double kSideMargin = 8;

gfx::Font labelFont() { return gfx::Font::system(gfx::Font::smallSystemFontSize); }
}

std::shared_ptr<ToolbarItem> ToolbarItem::create(std::string identifier, std::string label, std::shared_ptr<gfx::Image> image)
{
    return std::shared_ptr<ToolbarItem>(new ToolbarItem(std::move(identifier), std::move(label), std::move(image)));
}

ToolbarItem::ToolbarItem(std::string identifier, std::string label, std::shared_ptr<gfx::Image> image)
    : m_identifier(std::move(identifier))
    , m_label(std::move(label))
    , m_image(std::move(image))
{
}

std::shared_ptr<Toolbar> Toolbar::create() { return std::shared_ptr<Toolbar>(new Toolbar); }

Toolbar::Toolbar()
    : View({})
{
}

void Toolbar::addItem(std::shared_ptr<ToolbarItem> item) { insertItem(std::move(item), m_items.size()); }

void Toolbar::insertItem(std::shared_ptr<ToolbarItem> item, std::size_t index)
{
    if (!item)
        return;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_items.size())), std::move(item));
    setNeedsDisplay();
}

void Toolbar::removeItemAt(std::size_t index)
{
    if (index >= m_items.size())
        return;
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
    setNeedsDisplay();
}

ToolbarItem* Toolbar::itemWithIdentifier(const std::string& identifier) const
{
    for (const auto& item : m_items)
        if (item->itemIdentifier() == identifier)
            return item.get();
    return nullptr;
}

void Toolbar::setSelectedItemIdentifier(std::string identifier)
{
    m_selected = std::move(identifier);
    setNeedsDisplay();
}

double Toolbar::widthOfItem(const ToolbarItem& item) const
{
    return std::max(kMinimumItemWidth, ControlLook::labelSize(item.label(), labelFont()).width + kLabelPadding);
}

Rect Toolbar::rectOfItem(std::size_t index) const
{
    if (index >= m_items.size())
        return {};
    double x = kSideMargin;
    for (std::size_t i = 0; i < index; ++i)
        x += widthOfItem(*m_items[i]);
    return Rect(x, 2, widthOfItem(*m_items[index]), std::max(0.0, bounds().height() - 4));
}

bool Toolbar::performClick(const std::string& identifier)
{
    auto found = std::find_if(m_items.begin(), m_items.end(), [&](const auto& item) { return item->itemIdentifier() == identifier; });
    if (found == m_items.end())
        return false;
    // The action may change the items: the item lasts until its action returns.
    auto item = *found;
    if (item->onAction)
        item->onAction(*item);
    return true;
}

void Toolbar::mouseDown(const Event& event)
{
    Point point = convertPointFrom(event.locationInWindow(), nullptr);
    for (std::size_t index = 0; index < m_items.size(); ++index) {
        if (rectOfItem(index).contains(point)) {
            performClick(m_items[index]->itemIdentifier());
            return;
        }
    }
}

void Toolbar::draw(gfx::GraphicsContext& context, const Rect&)
{
    context.setFillColor(ControlLook::kMenu);
    context.fillRect(bounds());
    context.setFillColor(ControlLook::kStroke);
    context.fillRect(Rect(0, bounds().height() - 1, bounds().width(), 1));
    for (std::size_t index = 0; index < m_items.size(); ++index) {
        const ToolbarItem& item = *m_items[index];
        Rect rect = rectOfItem(index);
        bool selected = item.itemIdentifier() == m_selected;
        if (selected) {
            context.setFillColor(ControlLook::kFaceHighlighted);
            gfx::Path::roundedRect(rect.insetBy(2, 1), 5, 5).fill();
        }
        // The chosen pane shows in its face and its icon; its label stays as readable as the others'.
        gfx::Color color = ControlLook::kText;
        if (item.image()) {
            Rect image(rect.midX() - kImageSide / 2, rect.minY() + 5, kImageSide, kImageSide);
            if (item.image()->isTemplate())
                item.image()->drawTinted(image, selected ? ControlLook::kAccentText : color);
            else
                item.image()->draw(image);
        }
        ControlLook::drawLabel(item.label(), Rect(rect.minX(), rect.maxY() - 19, rect.width(), 16), labelFont(), color);
    }
}

}
