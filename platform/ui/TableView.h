#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/View.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace ui {

class Menu;
class TableView;

// What a table asks of its owner: the rows, a view for a row when it comes into sight, and
// whatever else the owner wants to decide.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfRows(TableView& table) = 0;
    // Made anew on every request: the table keeps a row's view only while the row is in sight.
    virtual std::shared_ptr<View> viewForRow(TableView& table, int row) = 0;
    virtual double heightOfRow(TableView& table, int row);
    // A group row spans the table as a heading and cannot be selected.
    virtual bool isGroupRow(TableView&, int) { return false; }
    virtual bool shouldSelectRow(TableView& table, int row) { return !isGroupRow(table, row); }
    virtual void selectionDidChange(TableView&) { }
    // The menu a right click on the row shows; none shows nothing.
    virtual std::shared_ptr<Menu> menuForRow(TableView&, int) { return nullptr; }
    // Return on a selected row: what opening the row means (an editor); false when nothing.
    virtual bool activateRow(TableView&, int) { return false; }
};

// A table of one column: rows of their own heights, stacked from the top, made when they come
// into sight (inside a scroll view, only those its clip view shows). The table is as tall as
// its rows and as wide as what holds it.
class TableView : public View {
public:
    static std::shared_ptr<TableView> create();

    // Not owned: the data source (a view controller) outlives its table's use of it.
    TableViewDataSource* dataSource() const { return m_source; }
    void setDataSource(TableViewDataSource* source);

    // Asks for the rows and their heights again; drops every row view and the selection
    // beyond the new end.
    void reloadData();
    // Asks for the heights again, keeping the rows.
    void noteHeightsOfRowsChanged();
    int numberOfRows() const { return static_cast<int>(m_heights.size()); }
    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height);

    Rect rectOfRow(int row) const;
    // -1 outside every row.
    int rowAtPoint(Point point) const;
    // The view of a row in sight (made now if it is due and not made yet), or nullptr.
    View* viewAtRow(int row, bool makeIfNeeded = false);
    // Makes the views of the rows in sight and lets go of the others.
    void tile();

    int selectedRow() const { return m_selection.empty() ? -1 : *m_selection.begin(); }
    const std::set<int>& selectedRowIndexes() const { return m_selection; }
    bool allowsMultipleSelection() const { return m_multiple; }
    void setAllowsMultipleSelection(bool allows) { m_multiple = allows; }
    // Rows the data source refuses, or outside the table, are left out.
    void selectRow(int row, bool extend = false);
    void deselectAll();
    // The row a right click or a row action last came from, -1 for none.
    int clickedRow() const { return m_clickedRow; }

    void scrollRowToVisible(int row);
    gfx::Color backgroundColor() const { return m_background; }
    void setBackgroundColor(gfx::Color color);

    bool isFlipped() const override { return true; }
    bool acceptsFirstResponder() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    void layout() override;
    void mouseDown(const Event& event) override;
    void rightMouseDown(const Event& event) override;
    void keyDown(const Event& event) override;

protected:
    TableView();

private:
    void measure();
    void fitToWidth();
    Rect visibleRect() const;
    void changeSelection(std::set<int> selection);
    void popUpMenuForRow(int row, Point point);
    void keepKeysOnLeaving(View& row);

    TableViewDataSource* m_source { nullptr };
    double m_rowHeight { 17 };
    std::vector<double> m_heights;
    // Tops of the rows, one more than the rows: the last is the table's height.
    std::vector<double> m_tops { 0 };
    std::map<int, std::shared_ptr<View>> m_rowViews;
    std::set<int> m_selection;
    bool m_multiple { false };
    int m_clickedRow { -1 };
    gfx::Color m_background { gfx::Color::white(0, 0) };
};

}
