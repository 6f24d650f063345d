// A long list within reach as in any desktop list: the scroller's knob dragged, a press in
// its track paging, Page Up and Down, Home and End, the space bar, and the wheel moving a
// row a notch or a touchpad's fraction of one.
#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Event.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"

using namespace ui;

namespace {

// A thousand rows of 40 points.
class ManyRows : public TableViewDataSource {
public:
    int numberOfRows(TableView&) override { return 1000; }
    std::shared_ptr<View> viewForRow(TableView&, int) override
    {
        // A row of text, as the log book's: it takes clicks and the keyboard itself.
        auto text = TextView::create();
        text->setEditable(false);
        text->setAttributedString(text::AttributedString::fromUtf8("an entry"));
        return text;
    }
    double heightOfRow(TableView&, int) override { return 40; }
};

class ScrollViewTest : public UiTest {
protected:
    // The list fills a 200 × 300 window.
    void SetUp() override
    {
        m_window = window(200, 300);
        m_scroll = ScrollView::create();
        m_scroll->setContentView(ClipView::create(true));
        m_scroll->setFrame(Rect(0, 0, 200, 300));
        m_scroll->setHasVerticalScroller(true);
        m_scroll->setAutohidesScrollers(true);
        m_table = TableView::create();
        m_scroll->setDocumentView(m_table);
        m_window->contentView()->addSubview(m_scroll);
        m_table->setDataSource(&m_rows);
        m_window->display();
    }
    double top() const { return m_scroll->documentVisibleRect().minY(); }
    double bottomMost() const { return 1000 * 40 - 300; }
    void key(base::KeyCode code, std::uint32_t modifiers = 0, const std::string& characters = "")
    {
        backend().press(*m_window, static_cast<std::uint16_t>(code), characters, modifiers);
        m_window->display();
    }
    // The knob's middle, in the window's top-left coordinates.
    Point knob() const
    {
        Rect r = m_scroll->verticalScroller()->knobRect();
        return { 200 - Scroller::kWidth + r.midX(), r.midY() };
    }

    ManyRows m_rows;
    std::shared_ptr<Window> m_window;
    std::shared_ptr<ScrollView> m_scroll;
    std::shared_ptr<TableView> m_table;
};

}

TEST_F(ScrollViewTest, TheKnobDragsTheListAndTheTrackPages)
{
    ASSERT_FALSE(m_scroll->verticalScroller()->isHidden());
    EXPECT_GE(m_scroll->verticalScroller()->knobRect().height(), Scroller::kMinimumKnobLength) << "easy to take, however long the list";
    Point from = knob();
    backend().drag(*m_window, from, Point(from.x, 300));
    m_window->display();
    EXPECT_DOUBLE_EQ(top(), bottomMost()) << "dragged to the end of the track, the list shows its end";
    EXPECT_NE(m_table->viewAtRow(999), nullptr) << "and the last row is made";
    backend().drag(*m_window, knob(), Point(knob().x, 150));
    EXPECT_NEAR(top(), bottomMost() / 2, 40) << "the knob's middle halfway down the track, the middle of the list";

    m_scroll->scrollToTop();
    m_window->display();
    double page = m_scroll->pageScroll();
    EXPECT_GT(page, 200);
    EXPECT_LT(page, 300) << "a page keeps a little of what showed";
    backend().click(*m_window, Point(200 - Scroller::kWidth / 2, 250));
    EXPECT_DOUBLE_EQ(top(), page) << "a press below the knob pages down";
    backend().click(*m_window, Point(200 - Scroller::kWidth / 2, 1));
    EXPECT_DOUBLE_EQ(top(), 0) << "and above it, up";
}

TEST_F(ScrollViewTest, KeysReachTheListFromWhicheverRowWasClicked)
{
    backend().click(*m_window, Point(50, 10));
    ASSERT_NE(m_window->firstResponder(), m_window.get()) << "a row took the press";
    key(base::KeyCode::End);
    EXPECT_DOUBLE_EQ(top(), bottomMost());
    key(base::KeyCode::Home);
    EXPECT_DOUBLE_EQ(top(), 0);
    key(base::KeyCode::PageDown);
    double page = top();
    EXPECT_GT(page, 200);
    key(base::KeyCode::Space, 0, " ");
    EXPECT_DOUBLE_EQ(top(), 2 * page);
    key(base::KeyCode::Space, ModifierFlag::Shift, " ");
    key(base::KeyCode::PageUp);
    EXPECT_DOUBLE_EQ(top(), 0);
}

TEST_F(ScrollViewTest, AWheelNotchMovesARowAndATouchpadItsFraction)
{
    m_window->sendEvent(Event::scroll(m_window.get(), Point(100, 150), 0, -1));
    EXPECT_DOUBLE_EQ(top(), 40) << "one notch down, one row";
    m_window->sendEvent(Event::scroll(m_window.get(), Point(100, 150), 0, -0.25));
    EXPECT_DOUBLE_EQ(top(), 50) << "a precise quarter moves a quarter row";
    m_window->sendEvent(Event::scroll(m_window.get(), Point(100, 150), 0, 3));
    EXPECT_DOUBLE_EQ(top(), 0) << "and never past the top";
    // Ten years of a log in reach: the whole list in a reasonable number of notches.
    for (int notch = 0; notch < 1000; ++notch)
        m_window->sendEvent(Event::scroll(m_window.get(), Point(100, 150), 0, -1));
    EXPECT_DOUBLE_EQ(top(), bottomMost());
}

TEST_F(ScrollViewTest, AScrollerBesideTheListLeavesTheRowsRightEdgeInReach)
{
    EXPECT_EQ(m_table->frame().width(), 200) << "over the rows by default";
    m_scroll->setScrollerBeside(true);
    m_window->display();
    EXPECT_EQ(m_table->frame().width(), 200 - Scroller::kWidth);
    // A press at a row's right edge goes to the row, not to the scroller.
    backend().click(*m_window, Point(200 - Scroller::kWidth - 2, 10));
    EXPECT_EQ(m_window->firstResponder(), m_table->viewAtRow(0));
}

namespace {

// A 600 × 400 form seen through a 200 × 150 window: wider and taller than the room it has,
// a field at its top left corner and one at its bottom right.
class TwoWayScrollTest : public UiTest {
protected:
    void SetUp() override
    {
        m_window = window(200, 150);
        m_scroll = ScrollView::create();
        m_scroll->setContentView(ClipView::create(true));
        m_scroll->setFrame(Rect(0, 0, 200, 150));
        m_scroll->setHasVerticalScroller(true);
        m_scroll->setHasHorizontalScroller(true);
        m_scroll->setAutohidesScrollers(true);
        m_scroll->setScrollerBeside(true);
        m_form = Swatch::create(gfx::colors::white, Rect(0, 0, 600, 400));
        m_form->m_flipped = true;
        for (Rect place : { Rect(10, 10, 80, 20), Rect(510, 370, 80, 20) }) {
            auto field = Swatch::create(gfx::colors::gray, place);
            field->m_acceptsFirstResponder = true;
            m_form->addSubview(field);
            m_fields.push_back(field);
        }
        m_scroll->setDocumentView(m_form);
        m_window->contentView()->addSubview(m_scroll);
        m_window->display();
    }
    Rect shown() const { return m_scroll->documentVisibleRect(); }
    void wheel(double deltaX, double deltaY, std::uint32_t modifiers = 0)
    {
        m_window->sendEvent(Event::scroll(m_window.get(), Point(100, 70), deltaX, deltaY, modifiers));
        m_window->display();
    }
    bool inSight(const Swatch& field) const
    {
        Rect visible = shown();
        return visible.intersection(field.frame()) == field.frame();
    }

    std::shared_ptr<Window> m_window;
    std::shared_ptr<ScrollView> m_scroll;
    std::shared_ptr<Swatch> m_form;
    std::vector<std::shared_ptr<Swatch>> m_fields;
};

}

TEST_F(TwoWayScrollTest, BothScrollersShowBesideTheFormAndMoveItTheirWay)
{
    ASSERT_FALSE(m_scroll->verticalScroller()->isHidden());
    ASSERT_FALSE(m_scroll->horizontalScroller()->isHidden());
    EXPECT_EQ(shown(), Rect(0, 0, 200 - Scroller::kWidth, 150 - Scroller::kWidth)) << "neither bar covers the form's edges";
    EXPECT_EQ(m_scroll->horizontalScroller()->frame().width(), 200 - Scroller::kWidth) << "the corner is the vertical bar's";

    backend().click(*m_window, Point(180, 150 - Scroller::kWidth / 2));
    double visible = 200 - Scroller::kWidth;
    EXPECT_DOUBLE_EQ(shown().minX(), visible - visible / 4) << "a press right of the knob pages right, keeping a little of what showed";
    m_scroll->horizontalScroller()->onKnobMoved(1);
    EXPECT_DOUBLE_EQ(shown().maxX(), 600) << "the knob at the right end shows the form's right edge";
    EXPECT_DOUBLE_EQ(shown().minY(), 0) << "and leaves the rows where they were";
    m_scroll->scrollToBottom();
    EXPECT_DOUBLE_EQ(shown().maxX(), 600) << "scrolling down keeps the columns where they were";
    EXPECT_DOUBLE_EQ(shown().maxY(), 400);
}

TEST_F(TwoWayScrollTest, TheWheelScrollsDownAndWithShiftSideways)
{
    wheel(0, -1);
    EXPECT_DOUBLE_EQ(shown().minY(), 48) << "a notch down, a few lines";
    EXPECT_DOUBLE_EQ(shown().minX(), 0);
    wheel(0, -1, ModifierFlag::Shift);
    EXPECT_DOUBLE_EQ(shown().minX(), 48) << "with Shift, down goes right";
    EXPECT_DOUBLE_EQ(shown().minY(), 48);
    wheel(0, 1, ModifierFlag::Shift);
    EXPECT_DOUBLE_EQ(shown().minX(), 0) << "and up goes left";
    wheel(0.5, 0);
    EXPECT_DOUBLE_EQ(shown().minX(), 24) << "a touchpad's sideways swipe moves its fraction";
    for (int notch = 0; notch < 50; ++notch)
        wheel(0, -1, ModifierFlag::Shift);
    EXPECT_DOUBLE_EQ(shown().maxX(), 600) << "never past the right edge";

    // A list that scrolls only up and down keeps the wheel as it was, Shift or not.
    m_scroll->setHasHorizontalScroller(false);
    m_window->display();
    EXPECT_DOUBLE_EQ(shown().minX(), 0) << "its left edge comes back in view";
    wheel(0, -1, ModifierFlag::Shift);
    EXPECT_DOUBLE_EQ(shown().minY(), 96);
}

TEST_F(TwoWayScrollTest, TabIntoAFieldOutOfSightScrollsItIntoView)
{
    m_window->makeFirstResponder(m_fields[0].get());
    m_window->selectNextKeyView();
    ASSERT_EQ(m_window->firstResponder(), m_fields[1].get());
    EXPECT_TRUE(inSight(*m_fields[1])) << "the bottom right field and its ring came into view; shown " << testing::PrintToString(shown());
    EXPECT_DOUBLE_EQ(shown().maxX(), 594) << "no further than its ring";
    m_window->selectNextKeyView();
    ASSERT_EQ(m_window->firstResponder(), m_fields[0].get());
    EXPECT_TRUE(inSight(*m_fields[0])) << "and back to the top left";
    EXPECT_EQ(shown().origin, Point(6, 6));
    m_window->makeFirstResponder(m_form.get());
    EXPECT_EQ(shown().origin, Point(6, 6)) << "a view larger than the room keeps what shows of it";

    // The wheel takes a field that has the keyboard out of sight; typing or moving its caret
    // brings the caret back, in a field or in a text of lines scrolling in a box of its own.
    auto field = TextField::create("objective");
    field->setFrame(Rect(10, 200, 120, 24));
    auto lines = TextView::create();
    lines->setAttributedString(text::AttributedString::fromUtf8("first\nsecond\nthird"));
    auto box = ScrollView::create();
    box->setContentView(ClipView::create(true));
    box->setFrame(Rect(10, 180, 120, 40));
    box->setHasVerticalScroller(true);
    lines->setFrame(Rect(0, 0, 120, 40));
    box->setDocumentView(lines);
    for (auto [typedInto, added] : { std::pair<View*, std::shared_ptr<View>> { field.get(), field }, { lines.get(), box } }) {
        m_form->addSubview(added);
        m_window->display();
        m_window->makeFirstResponder(typedInto);
        auto caretShows = [&] {
            Rect caret = dynamic_cast<TextInputClient&>(*typedInto).textInputCaretRect().insetBy(-1, 0);
            caret = m_scroll->contentView()->convertRectFrom(caret, typedInto);
            return shown().intersection(caret) == caret;
        };
        for (auto key : { std::pair { base::KeyCode::X, std::string("x") }, std::pair { base::KeyCode::End, std::string() } }) {
            for (int notch = 0; notch < 5; ++notch)
                wheel(0, -1);
            ASSERT_FALSE(caretShows());
            backend().press(*m_window, static_cast<std::uint16_t>(key.first), key.second);
            EXPECT_TRUE(caretShows()) << "after " << (key.second.empty() ? "End" : "typing") << (typedInto == field.get() ? " in the field" : " in the lines");
        }
        added->removeFromSuperview();
    }
    EXPECT_EQ(field->stringValue(), "x") << "typed where the caret was, everything selected";
}

TEST_F(TwoWayScrollTest, AFormThatFitsOneWayHasOnlyTheOtherBar)
{
    m_form->setFrameSize(Size(600, 100));
    m_window->display();
    EXPECT_TRUE(m_scroll->verticalScroller()->isHidden());
    EXPECT_FALSE(m_scroll->horizontalScroller()->isHidden());
    EXPECT_EQ(m_scroll->contentView()->frame().size, Size(200, 150 - Scroller::kWidth));
    m_form->setFrameSize(Size(150, 100));
    m_window->display();
    EXPECT_TRUE(m_scroll->horizontalScroller()->isHidden()) << "a form that fits shows as it is laid out";
    EXPECT_EQ(m_scroll->contentView()->frame().size, Size(200, 150));
}
