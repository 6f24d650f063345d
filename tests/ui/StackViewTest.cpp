#include "UiFixture.h"

#include <cmath>

#include "platform/ui/ScrollView.h"
#include "platform/ui/StackView.h"
#include "platform/ui/TabView.h"

using namespace ui;
using A = LayoutAttribute;

namespace {

std::shared_ptr<View> box(double w, double h)
{
    auto v = View::create();
    v->setIntrinsicContentSize({ w, h });
    return v;
}

void pinAll(View* view, View* to, double inset = 0)
{
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    for (A a : { A::Left, A::Top })
        to->addConstraint(Constraint::create(view, a, LayoutRelation::Equal, to, a, 1, inset));
    for (A a : { A::Right, A::Bottom })
        to->addConstraint(Constraint::create(view, a, LayoutRelation::Equal, to, a, 1, -inset));
}

}

using Stacks = UiTest;

TEST_F(Stacks, ColumnPlacesViewsTopDownWithSpacingInsetsAndAlignment)
{
    auto w = window(200, 300);
    auto stack = StackView::create(Orientation::Vertical);
    stack->setSpacing(10);
    stack->setEdgeInsets({ 5, 5, 5, 5 });
    stack->setAlignment(A::Leading);
    w->contentView()->addSubview(stack);
    pinAll(stack.get(), w->contentView());
    auto a = box(50, 20), b = box(80, 30);
    stack->addArrangedSubview(a);
    stack->addArrangedSubview(b);
    w->layoutIfNeeded();
    // The content view is unflipped: frames count from the bottom of the 300-point stack.
    EXPECT_EQ(a->frame(), Rect(5, 275, 50, 20));
    EXPECT_EQ(b->frame(), Rect(5, 235, 80, 30));

    stack->setAlignment(A::Width);
    w->layoutIfNeeded();
    EXPECT_EQ(a->frame().width(), 190);
}

TEST_F(Stacks, RowHugsItsContentWhenNotPinned)
{
    auto stack = StackView::create(Orientation::Horizontal);
    stack->setSpacing(4);
    stack->addArrangedSubview(box(30, 10));
    stack->addArrangedSubview(box(20, 40));
    EXPECT_EQ(stack->fittingSize(), (Size { 54, 40 }));
}

TEST_F(Stacks, NotVisiblePriorityDetachesAndHiddenViewsTakeNoRoom)
{
    auto w = window(300, 100);
    auto stack = StackView::create(Orientation::Horizontal);
    stack->setSpacing(0);
    stack->setAlignment(A::Top);
    w->contentView()->addSubview(stack);
    pinAll(stack.get(), w->contentView());
    auto a = box(50, 20), b = box(60, 20), c = box(70, 20);
    for (auto& v : { a, b, c })
        stack->addArrangedSubview(v);

    stack->setVisibilityPriority(b.get(), VisibilityPriority::NotVisible);
    w->layoutIfNeeded();
    EXPECT_EQ(b->superview(), nullptr);
    EXPECT_EQ(stack->arrangedSubviews().size(), 3u);
    EXPECT_EQ(stack->detachedViews(), (std::vector<std::shared_ptr<View>> { b }));
    EXPECT_EQ(c->frame().minX(), 50);

    stack->setVisibilityPriority(b.get(), VisibilityPriority::DetachOnlyIfNecessary);
    w->layoutIfNeeded();
    EXPECT_EQ(b->superview(), stack.get());
    EXPECT_EQ(b->frame().minX(), 50);
    EXPECT_EQ(c->frame().minX(), 110);

    a->setHidden(true);
    w->layoutIfNeeded();
    EXPECT_EQ(b->frame().minX(), 0);
}

TEST_F(Stacks, TooShortARowDetachesTheLeastImportantAndTakesItBackWithRoom)
{
    auto w = window(300, 100);
    auto stack = StackView::create(Orientation::Horizontal);
    stack->setSpacing(0);
    w->contentView()->addSubview(stack);
    pinAll(stack.get(), w->contentView());
    auto keep = box(100, 20), maybe = box(100, 20), first = box(100, 20);
    stack->addArrangedSubview(keep);
    stack->addArrangedSubview(maybe);
    stack->addArrangedSubview(first);
    stack->setVisibilityPriority(maybe.get(), 300);
    stack->setVisibilityPriority(first.get(), 600);
    w->layoutIfNeeded();
    EXPECT_TRUE(stack->detachedViews().empty());

    w->setFrame(Rect(100, 100, 250, 100));
    w->layoutIfNeeded();
    EXPECT_EQ(stack->detachedViews(), (std::vector<std::shared_ptr<View>> { maybe }));
    EXPECT_EQ(first->frame().minX(), 100);

    w->setFrame(Rect(100, 100, 320, 100));
    w->layoutIfNeeded();
    EXPECT_TRUE(stack->detachedViews().empty());
}

TEST_F(Stacks, ScrollViewClipsAFlippedDocumentAndHidesItsScrollerWhenAllFits)
{
    auto w = window(200, 100);
    auto scroll = ScrollView::create();
    scroll->setHasVerticalScroller(true);
    scroll->setAutohidesScrollers(true);
    scroll->setContentView(ClipView::create(true));
    w->contentView()->addSubview(scroll);
    pinAll(scroll.get(), w->contentView());
    auto doc = Swatch::create(gfx::colors::red);
    doc->m_flipped = true;
    doc->setTranslatesAutoresizingMaskIntoConstraints(false);
    scroll->setDocumentView(doc);
    auto* clip = scroll->contentView();
    for (A a : { A::Left, A::Right, A::Top })
        clip->addConstraint(Constraint::create(doc.get(), a, LayoutRelation::Equal, clip, a, 1, 0));
    auto height = Constraint::create(doc.get(), A::Height, LayoutRelation::Equal, 60);
    doc->addConstraint(height);
    w->layoutIfNeeded();
    EXPECT_EQ(doc->frame(), Rect(0, 0, 200, 60));
    EXPECT_TRUE(scroll->verticalScroller()->isHidden());

    height->setConstant(400);
    w->layoutIfNeeded();
    EXPECT_FALSE(scroll->verticalScroller()->isHidden());
    EXPECT_EQ(scroll->documentVisibleRect(), Rect(0, 0, 200, 100));
    // A notch is a line of the document, never more than half of what shows.
    double line = scroll->lineScroll();
    EXPECT_GT(line, 10);
    EXPECT_LE(line, 50);
    scroll->scrollWheel(Event::scroll(w.get(), { 10, 10 }, 0, -1));
    EXPECT_EQ(scroll->documentVisibleRect(), Rect(0, line, 200, 100));
    // Never past the end of the document.
    scroll->scrollToPoint({ 0, 1000 });
    EXPECT_EQ(scroll->documentVisibleRect().maxY(), 400);
    EXPECT_NEAR(scroll->verticalScroller()->knobProportion(), 0.25, 1e-9);
    // A wheel step that is no number leaves the offset where it was, and scrolling goes on.
    scroll->scrollWheel(Event::scroll(w.get(), { 10, 10 }, 0, std::nan("")));
    scroll->scrollWheel(Event::scroll(w.get(), { 10, 10 }, 0, 1));
    EXPECT_EQ(scroll->documentVisibleRect(), Rect(0, 300 - line, 200, 100));

    height->setConstant(50);
    w->layoutIfNeeded();
    EXPECT_EQ(clip->bounds().minY(), 0);
}

TEST_F(Stacks, TablessTabViewShowsOnePageFillingIt)
{
    auto w = window(200, 100);
    auto tabs = TabView::create();
    w->contentView()->addSubview(tabs);
    pinAll(tabs.get(), w->contentView(), 10);
    auto first = TabViewItem::create(0);
    auto second = TabViewItem::create(1);
    tabs->addItem(first);
    tabs->addItem(second);
    EXPECT_EQ(tabs->indexOfSelectedItem(), 0u);
    tabs->selectItem(1);
    w->layoutIfNeeded();
    EXPECT_EQ(first->view()->superview(), nullptr);
    EXPECT_EQ(second->view()->frame(), Rect(0, 0, 180, 80));
    EXPECT_EQ(std::any_cast<int>(tabs->selectedItem()->identifier()), 1);
    tabs->selectItem(7);
    EXPECT_EQ(tabs->indexOfSelectedItem(), 1u);
}
