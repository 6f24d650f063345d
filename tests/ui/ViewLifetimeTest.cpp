// Views let go of other views in the middle of the window's own work: a table drops the rows
// that went out of sight while it is laid out or drawn, a view moved into a window builds
// its neighbours, a handler of the pointer takes its own view away. None of that may leave
// the window working on a view already gone (the sanitizer build catches any that does).
#include "UiFixture.h"

#include "platform/ui/Event.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"

#include <functional>

using namespace ui;

namespace {

// Rows of 20 points, each a plain view held only by the table.
class TwentyPointRows : public TableViewDataSource {
public:
    int count { 40 };
    int numberOfRows(TableView&) override { return count; }
    std::shared_ptr<View> viewForRow(TableView&, int row) override
    {
        auto view = View::create();
        view->setIdentifier("row " + std::to_string(row));
        return view;
    }
    double heightOfRow(TableView&, int) override { return 20; }
};

// A view that runs a closure from one of its hooks, once.
class Hooked : public View {
public:
    static std::shared_ptr<Hooked> create() { return std::shared_ptr<Hooked>(new Hooked); }
    std::function<void()> onLayout, onDraw, onWindow, onWheel;
    void layout() override { run(onLayout); }
    void draw(gfx::GraphicsContext&, const Rect&) override { run(onDraw); }
    void viewDidMoveToWindow() override { run(onWindow); }
    void scrollWheel(const Event&) override { run(onWheel); }

private:
    Hooked()
        : View(Rect(0, 0, 10, 10))
    {
    }
    static void run(std::function<void()>& hook)
    {
        if (auto once = std::exchange(hook, nullptr))
            once();
    }
};

class ViewLifetime : public UiTest { };

TEST_F(ViewLifetime, RowsDroppedByTheTableDuringLayoutAreNotLaidOutAfterwards)
{
    // The log book's road: a table filling a window that then shrinks, so that its layout
    // lets go of the rows below the new bottom while the pass still has them in its list.
    auto w = window(200, 400);
    auto scroll = ScrollView::create();
    scroll->setContentView(ClipView::create(true));
    scroll->setTranslatesAutoresizingMaskIntoConstraints(false);
    w->contentView()->addSubview(scroll);
    for (auto attribute : { LayoutAttribute::Left, LayoutAttribute::Right, LayoutAttribute::Top, LayoutAttribute::Bottom })
        w->contentView()->addConstraint(Constraint::create(scroll.get(), attribute, LayoutRelation::Equal, w->contentView(), attribute, 1, 0));
    auto table = TableView::create();
    scroll->setDocumentView(table);
    TwentyPointRows rows;
    table->setDataSource(&rows);
    w->display();
    ASSERT_NE(table->viewAtRow(19), nullptr) << "the rows in sight were made";

    w->setFrame(Rect(100, 100, 200, 100), true);
    EXPECT_EQ(table->viewAtRow(19), nullptr) << "rows out of sight are let go";
    EXPECT_NE(table->viewAtRow(4), nullptr);
    w->setFrame(Rect(100, 100, 200, 300), true);
    EXPECT_NE(table->viewAtRow(14), nullptr) << "and made again when they come back";
}

TEST_F(ViewLifetime, HooksThatTakeViewsAwayLeaveTheWindowWhole)
{
    auto w = window(200, 100);
    auto first = Hooked::create();
    auto second = Hooked::create();
    auto third = Swatch::create(gfx::colors::red, Rect(20, 0, 10, 10));
    w->contentView()->addSubview(first);
    w->contentView()->addSubview(second);
    w->contentView()->addSubview(third);
    w->display();

    // Laid out: the first takes the second away before the pass reaches it.
    std::weak_ptr<Hooked> gone = second;
    first->onLayout = [&second] { second->removeFromSuperview(), second.reset(); };
    first->setNeedsLayout();
    w->layoutIfNeeded();
    EXPECT_TRUE(gone.expired());
    EXPECT_EQ(w->contentView()->subviews().size(), 2u);

    // Drawn: the first takes the third away before it is drawn.
    std::weak_ptr<Swatch> drawnGone = third;
    first->onDraw = [&third] { third->removeFromSuperview(), third.reset(); };
    first->setNeedsDisplay();
    w->display();
    EXPECT_TRUE(drawnGone.expired());

    // Moved into a window: a view hearing of it adds a neighbour to its superview.
    auto holder = View::create(Rect(0, 0, 50, 50));
    auto builder = Hooked::create();
    holder->addSubview(builder);
    auto neighbour = View::create();
    builder->onWindow = [&holder, &neighbour] {
        for (int i = 0; i < 8; ++i)
            holder->addSubview(View::create());
        holder->addSubview(neighbour);
    };
    w->contentView()->addSubview(holder);
    EXPECT_EQ(neighbour->window(), w.get()) << "the neighbour added meanwhile is in the window too";

    // The wheel: the view under the pointer takes itself away in its handler.
    first->setFrame(Rect(0, 0, 200, 100));
    std::weak_ptr<Hooked> wheeled = first;
    first->onWheel = [&first] { first->removeFromSuperview(), first.reset(); };
    w->sendEvent(Event::scroll(w.get(), Point(150, 80), 0, -1));
    EXPECT_TRUE(wheeled.expired());
    w->display();
}

TEST_F(ViewLifetime, AWindowLetGoByItsDelegateOnAResizeFinishesTheResize)
{
    struct LettingGo : WindowDelegate {
        std::shared_ptr<Window> held;
        int resized { 0 };
        void windowDidMove(Window&) override { held.reset(); }
        void windowDidResize(Window&) override { ++resized; }
    } delegate;
    delegate.held = window(200, 100);
    std::weak_ptr<Window> weak = delegate.held;
    delegate.held->setDelegate(&delegate);
    delegate.held->setFrame(Rect(300, 300, 250, 150), true);
    EXPECT_EQ(delegate.resized, 1) << "the resize is still told after the move let the window go";
    EXPECT_TRUE(weak.expired());
}

}
