#include "platform/ui/TableView.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cmath>

namespace ui {

double TableViewDataSource::heightOfRow(TableView& table, int) { return table.rowHeight(); }

std::shared_ptr<TableView> TableView::create() { return std::shared_ptr<TableView>(new TableView); }

TableView::TableView()
    : View({})
{
}

void TableView::setDataSource(TableViewDataSource* source)
{
    m_source = source;
    reloadData();
}

void TableView::setRowHeight(double height)
{
    if (!std::isfinite(height) || height <= 0)
        return;
    m_rowHeight = height;
    noteHeightsOfRowsChanged();
}

void TableView::setBackgroundColor(gfx::Color color)
{
    m_background = color;
    setNeedsDisplay();
}

void TableView::measure()
{
    int rows = m_source ? std::max(0, m_source->numberOfRows(*this)) : 0;
    m_heights.assign(static_cast<std::size_t>(rows), m_rowHeight);
    m_tops.assign(static_cast<std::size_t>(rows) + 1, 0);
    for (int row = 0; row < rows; ++row) {
        double height = m_source->heightOfRow(*this, row);
        // A height that is no number, or not positive, would stack rows on each other.
        if (!std::isfinite(height) || height < 1)
            height = m_rowHeight;
        m_heights[static_cast<std::size_t>(row)] = height;
        m_tops[static_cast<std::size_t>(row) + 1] = m_tops[static_cast<std::size_t>(row)] + height;
    }
    fitToWidth();
}

void TableView::fitToWidth()
{
    double width = superview() ? superview()->bounds().width() : frame().width();
    Size size(width, m_tops.back());
    if (frame().size != size)
        setFrameSize(size);
}

void TableView::keepKeysOnLeaving(View& row)
{
    // A row taken out of sight would take the keyboard with it: the table keeps it instead,
    // so that the keys that scrolled the row away go on scrolling.
    auto* w = window();
    auto* focused = w ? dynamic_cast<View*>(w->firstResponder()) : nullptr;
    if (focused && focused->isDescendantOf(&row))
        w->makeFirstResponder(this);
}

void TableView::reloadData()
{
    for (auto& [row, view] : m_rowViews) {
        keepKeysOnLeaving(*view);
        view->removeFromSuperview();
    }
    m_rowViews.clear();
    measure();
    std::set<int> kept;
    for (int row : m_selection)
        if (row < numberOfRows())
            kept.insert(row);
    if (kept != m_selection)
        changeSelection(std::move(kept));
    setNeedsDisplay();
}

void TableView::noteHeightsOfRowsChanged()
{
    measure();
    for (auto& [row, view] : m_rowViews)
        view->setFrame(rectOfRow(row));
    setNeedsDisplay();
}

Rect TableView::rectOfRow(int row) const
{
    if (row < 0 || row >= numberOfRows())
        return {};
    auto index = static_cast<std::size_t>(row);
    return Rect(0, m_tops[index], bounds().width(), m_heights[index]);
}

int TableView::rowAtPoint(Point point) const
{
    // Written so that a point that is no number falls outside too.
    if (!(point.y >= 0 && point.y < m_tops.back() && point.x >= 0 && point.x < bounds().width()))
        return -1;
    auto it = std::upper_bound(m_tops.begin(), m_tops.end(), point.y);
    return static_cast<int>(it - m_tops.begin()) - 1;
}

Rect TableView::visibleRect() const
{
    if (auto* clip = dynamic_cast<ClipView*>(superview()))
        return convertRectFrom(clip->bounds(), clip).intersection(bounds());
    return bounds();
}

View* TableView::viewAtRow(int row, bool makeIfNeeded)
{
    if (auto it = m_rowViews.find(row); it != m_rowViews.end())
        return it->second.get();
    if (!makeIfNeeded || !m_source || row < 0 || row >= numberOfRows())
        return nullptr;
    auto view = m_source->viewForRow(*this, row);
    if (!view)
        return nullptr;
    view->setTranslatesAutoresizingMaskIntoConstraints(true);
    view->setFrame(rectOfRow(row));
    addSubview(view);
    m_rowViews[row] = view;
    return view.get();
}

void TableView::tile()
{
    fitToWidth();
    Rect visible = visibleRect();
    int first = rowAtPoint(Point(0, visible.minY()));
    int last = rowAtPoint(Point(0, std::max(visible.minY(), visible.maxY() - 0.001)));
    if (first < 0 && numberOfRows() > 0 && visible.height() > 0)
        first = 0;
    if (last < 0)
        last = numberOfRows() - 1;
    for (auto it = m_rowViews.begin(); it != m_rowViews.end();) {
        if (it->first < first || it->first > last) {
            keepKeysOnLeaving(*it->second);
            it->second->removeFromSuperview();
            it = m_rowViews.erase(it);
        } else {
            ++it;
        }
    }
    if (first < 0 || visible.isEmpty())
        return;
    for (int row = first; row <= last; ++row)
        viewAtRow(row, true);
}

void TableView::layout()
{
    tile();
    for (auto& [row, view] : m_rowViews)
        view->setFrame(rectOfRow(row));
}

void TableView::draw(gfx::GraphicsContext& context, const Rect&)
{
    // Rows come into sight by scrolling as much as by layout: make them before they draw.
    tile();
    context.setFillColor(m_background);
    context.fillRect(bounds());
    for (int row : m_selection) {
        context.setFillColor(ControlLook::kAccent.blended(0.35, gfx::colors::black));
        context.fillRect(rectOfRow(row));
    }
}

void TableView::changeSelection(std::set<int> selection)
{
    if (selection == m_selection)
        return;
    m_selection = std::move(selection);
    setNeedsDisplay();
    if (m_source)
        m_source->selectionDidChange(*this);
}

void TableView::selectRow(int row, bool extend)
{
    if (row < 0 || row >= numberOfRows() || (m_source && !m_source->shouldSelectRow(*this, row)))
        return;
    std::set<int> selection = extend && m_multiple ? m_selection : std::set<int> {};
    if (extend && m_multiple && selection.count(row))
        selection.erase(row);
    else
        selection.insert(row);
    changeSelection(std::move(selection));
}

void TableView::deselectAll() { changeSelection({}); }

void TableView::scrollRowToVisible(int row)
{
    auto* clip = dynamic_cast<ClipView*>(superview());
    Rect rect = rectOfRow(row);
    if (!clip || rect.isEmpty())
        return;
    Rect visible = visibleRect();
    auto* scroll = dynamic_cast<ScrollView*>(clip->superview());
    if (!scroll)
        return;
    if (rect.minY() < visible.minY())
        scroll->scrollToPoint(Point(0, rect.minY()));
    else if (rect.maxY() > visible.maxY())
        scroll->scrollToPoint(Point(0, rect.maxY() - visible.height()));
    setNeedsDisplay();
}

void TableView::mouseDown(const Event& event)
{
    // A press on a row's view comes here too: the keys go to the table from now on (and on
    // to its scroll view), whichever part of the row took the press.
    if (auto* w = window()) {
        auto* focused = dynamic_cast<View*>(w->firstResponder());
        if (!focused || !focused->isDescendantOf(this))
            w->makeFirstResponder(this);
    }
    int row = rowAtPoint(convertPointFrom(event.locationInWindow(), nullptr));
    m_clickedRow = row;
    if (row < 0) {
        deselectAll();
        return;
    }
    selectRow(row, event.modifierFlags() & (ModifierFlag::Command | ModifierFlag::Shift));
}

void TableView::rightMouseDown(const Event& event)
{
    Point point = convertPointFrom(event.locationInWindow(), nullptr);
    int row = rowAtPoint(point);
    m_clickedRow = row;
    popUpMenuForRow(row, point);
}

void TableView::popUpMenuForRow(int row, Point point)
{
    m_clickedRow = row;
    if (row < 0 || !m_source)
        return;
    if (auto menu = m_source->menuForRow(*this, row))
        menu->popUp(nullptr, point, this);
    m_clickedRow = -1;
}

void TableView::keyDown(const Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    std::uint32_t modifiers = event.modifierFlags() & (ModifierFlag::Command | ModifierFlag::Option | ModifierFlag::Control | ModifierFlag::Shift);
    int selected = selectedRow();
    // Return opens the selected row; Shift+F10 and the menu key show its menu, by its top left.
    if ((key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter) && !modifiers && selected >= 0 && m_source) {
        auto keep = shared_from_this();
        if (m_source->activateRow(*this, selected))
            return;
    }
    if (((key == base::KeyCode::F10 && modifiers == ModifierFlag::Shift) || (key == base::KeyCode::Menu && !modifiers)) && selected >= 0) {
        auto keep = shared_from_this();
        Rect row = rectOfRow(selected);
        popUpMenuForRow(selected, Point(row.minX() + 8, row.minY() + std::min(row.height(), 20.0)));
        return;
    }
    if (key != base::KeyCode::UpArrow && key != base::KeyCode::DownArrow) {
        View::keyDown(event);
        return;
    }
    int step = key == base::KeyCode::DownArrow ? 1 : -1;
    int row = selectedRow() < 0 ? (step > 0 ? -1 : numberOfRows()) : selectedRow();
    // Past the rows that cannot be selected, as group rows.
    for (row += step; row >= 0 && row < numberOfRows(); row += step)
        if (!m_source || m_source->shouldSelectRow(*this, row)) {
            selectRow(row);
            scrollRowToVisible(row);
            return;
        }
}

}
