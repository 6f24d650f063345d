#include "UiFixture.h"

#include <cmath>

#include "platform/base/KeyCodes.h"
#include "platform/base/Timer.h"
#include "platform/ui/Menu.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"

using namespace ui;

namespace {

// Rows of chosen heights; row 0 a group row; counts the views it made.
class Rows : public TableViewDataSource {
public:
    std::vector<double> heights;
    int made { 0 };
    int selectionChanges { 0 };
    std::shared_ptr<Menu> menu;

    int numberOfRows(TableView&) override { return static_cast<int>(heights.size()); }
    std::shared_ptr<View> viewForRow(TableView&, int row) override
    {
        ++made;
        // A plain view, as a row's wall is: its clicks go on to the table.
        auto view = View::create();
        view->setIdentifier("row " + std::to_string(row));
        return view;
    }
    double heightOfRow(TableView&, int row) override { return heights[static_cast<std::size_t>(row)]; }
    bool isGroupRow(TableView&, int row) override { return row == 0; }
    void selectionDidChange(TableView&) override { ++selectionChanges; }
    std::shared_ptr<Menu> menuForRow(TableView&, int) override { return menu; }
    int activated { -1 };
    bool activateRow(TableView&, int row) override
    {
        activated = row;
        return true;
    }
};

class TableViewTest : public UiTest {
protected:
    // A table in a 200 × 100 scroll view of a window.
    std::shared_ptr<TableView> table(Rows& rows)
    {
        m_window = window(200, 100);
        m_scroll = ScrollView::create();
        m_scroll->setContentView(ClipView::create(true));
        m_scroll->setFrame(Rect(0, 0, 200, 100));
        auto t = TableView::create();
        m_scroll->setDocumentView(t);
        m_window->contentView()->addSubview(m_scroll);
        t->setDataSource(&rows);
        m_window->display();
        return t;
    }
    std::shared_ptr<Window> m_window;
    std::shared_ptr<ScrollView> m_scroll;
};

TEST_F(TableViewTest, RowsStackByTheirHeightsAndAreMadeOnlyInSight)
{
    Rows rows;
    rows.heights = { 20, 50, 30, 40, 60, 25 };
    auto t = table(rows);
    EXPECT_EQ(t->frame().height(), 225);
    EXPECT_EQ(t->frame().width(), 200) << "the table is as wide as what holds it";
    EXPECT_EQ(t->rectOfRow(2), Rect(0, 70, 200, 30));
    EXPECT_EQ(t->rowAtPoint(Point(5, 69.5)), 1);
    EXPECT_EQ(t->rowAtPoint(Point(5, 230)), -1);
    EXPECT_EQ(t->rowAtPoint(Point(5, std::nan(""))), -1);
    EXPECT_EQ(t->rowAtPoint(Point(std::nan(""), 10)), -1);
    // 100 points in sight: rows 0 to 2.
    EXPECT_NE(t->viewAtRow(2), nullptr);
    EXPECT_EQ(t->viewAtRow(3), nullptr);
    EXPECT_EQ(rows.made, 3);

    m_scroll->scrollToPoint(Point(0, 120));
    m_window->display();
    EXPECT_EQ(t->viewAtRow(0), nullptr) << "rows out of sight are let go";
    EXPECT_NE(t->viewAtRow(4), nullptr);
    EXPECT_EQ(t->viewAtRow(4)->frame(), t->rectOfRow(4));
}

TEST_F(TableViewTest, HeightChangesAndReloadsReachTheRows)
{
    Rows rows;
    rows.heights = { 20, 50, 30 };
    auto t = table(rows);
    rows.heights = { 20, 10, 30 };
    t->noteHeightsOfRowsChanged();
    EXPECT_EQ(t->frame().height(), 60);
    EXPECT_EQ(t->viewAtRow(2)->frame().minY(), 30);
    int made = rows.made;
    t->selectRow(2);
    rows.heights = { 20, 10, std::nan(""), 0 };
    t->reloadData();
    m_window->display();
    EXPECT_EQ(rows.made, made + 4) << "a reload makes every row in sight anew";
    EXPECT_EQ(t->rectOfRow(2).height(), t->rowHeight()) << "an unusable height takes the standard one";
    EXPECT_EQ(t->selectedRow(), 2);
    rows.heights = { 20 };
    t->reloadData();
    EXPECT_EQ(t->selectedRow(), -1) << "a selection past the new end goes";
}

TEST_F(TableViewTest, SelectionSkipsGroupRowsAndTellsTheSource)
{
    Rows rows;
    rows.heights = { 20, 20, 20, 20, 20, 20, 20 };
    auto t = table(rows);
    backend().click(*m_window, Point(50, 10));
    EXPECT_EQ(t->selectedRow(), -1) << "a group row cannot be selected";
    backend().click(*m_window, Point(50, 30));
    EXPECT_EQ(t->selectedRow(), 1);
    m_window->makeFirstResponder(t.get());
    backend().press(*m_window, static_cast<std::uint16_t>(base::KeyCode::UpArrow), "");
    EXPECT_EQ(t->selectedRow(), 1);
    for (int i = 0; i < 5; ++i)
        backend().press(*m_window, static_cast<std::uint16_t>(base::KeyCode::DownArrow), "");
    EXPECT_EQ(t->selectedRow(), 6);
    EXPECT_GT(m_scroll->documentVisibleRect().minY(), 0) << "the selected row is scrolled into sight";
    EXPECT_EQ(rows.selectionChanges, 6);
}

TEST_F(TableViewTest, RightClickShowsTheRowMenuWithItsRow)
{
    Rows rows;
    rows.heights = { 20, 20, 20 };
    rows.menu = Menu::create();
    int deletedRow = -2;
    TableView* shown = nullptr;
    rows.menu->addItem("Delete", [&](MenuItem&) { deletedRow = shown->clickedRow(); });
    auto t = table(rows);
    shown = t.get();
    auto chooseFirst = [&] {
        return base::Timer::create(0.1, true, base::RunLoop::Mode::Common, [&](base::Timer& timer) {
            if (Window* w = rows.menu->trackingWindow()) {
                timer.invalidate();
                backend().click(*w, rows.menu->trackingRectOfItem(rows.menu->itemAt(0)).center());
            }
        });
    };
    auto chooser = chooseFirst();
    backend().send(Event::mouse(Event::Type::RightMouseDown, m_window.get(), Point(50, 100 - 50)));
    EXPECT_EQ(deletedRow, 2);
    EXPECT_EQ(t->clickedRow(), -1);

    // By the keys: Shift+F10 and the menu key show the selected row's menu, Return opens it.
    t->selectRow(1);
    m_window->makeFirstResponder(t.get());
    for (auto [key, modifiers] : { std::pair { base::KeyCode::F10, ModifierFlag::Shift }, std::pair { base::KeyCode::Menu, 0u } }) {
        deletedRow = -2;
        chooser = chooseFirst();
        backend().press(*m_window, static_cast<std::uint16_t>(key), "", modifiers);
        EXPECT_EQ(deletedRow, 1);
    }
    backend().press(*m_window, static_cast<std::uint16_t>(base::KeyCode::Return), "\r");
    EXPECT_EQ(rows.activated, 1);
}

}
