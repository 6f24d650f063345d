#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/desktop/Opener.h"
#include "platform/gfx/Contrast.h"
#include "platform/text/FontTraits.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextView.h"

using namespace ui;
using base::KeyCode;

namespace {

class TextViewTest : public UiTest {
protected:
    std::shared_ptr<TextView> focusedView(const std::string& initial = {})
    {
        m_window = window(300, 200);
        auto view = TextView::create();
        view->setFrame(Rect(0, 0, 300, 200));
        m_window->contentView()->addSubview(view);
        view->setAttributedString(text::AttributedString::fromUtf8(initial));
        m_window->makeFirstResponder(view.get());
        return view;
    }
    void type(const std::string& characters)
    {
        for (char c : characters)
            backend().press(*m_window, 0, std::string(1, c));
    }
    void press(KeyCode key, std::uint32_t modifiers = 0, const std::string& characters = {})
    {
        backend().press(*m_window, static_cast<std::uint16_t>(key), characters, modifiers);
    }
    std::shared_ptr<Window> m_window;
};

TEST_F(TextViewTest, TypingAndDeletingUndoInOneGroup)
{
    auto view = focusedView("Plan: ");
    int changes = 0;
    view->onTextChange = [&] { ++changes; };
    type("write");
    press(KeyCode::Delete);
    press(KeyCode::Delete);
    type("ite");
    EXPECT_EQ(view->string(), "Plan: wriite");
    EXPECT_EQ(changes, 10);
    press(KeyCode::Z, ModifierFlag::Command, "z");
    EXPECT_EQ(view->string(), "Plan: ") << "the whole burst of typing is one undo step";
    press(KeyCode::Z, ModifierFlag::Command | ModifierFlag::Shift, "z");
    EXPECT_EQ(view->string(), "Plan: wriite");

    // Moving the caret ends the group: the next typing is a step of its own.
    press(KeyCode::LeftArrow);
    type("X");
    view->undoManager().undo();
    EXPECT_EQ(view->string(), "Plan: wriite");
}

TEST_F(TextViewTest, BoldTogglingKeepsLinksAndColours)
{
    auto view = focusedView();
    view->setDefaults({ gfx::Font::named("Helvetica", 13), gfx::colors::white });
    text::Attributes linked;
    linked.link = "https://example.org/task";
    linked.foreground = gfx::Color::rgb(0.2, 0.6, 0.9);
    auto content = text::AttributedString::fromUtf8("see ");
    content.append(u"the task", linked);
    view->setAttributedString(content);
    view->setSelectedRange({ 0, content.length() });
    view->toggleBold();
    for (std::size_t i : { 0u, 5u }) {
        const auto& attributes = view->textStorage().attributesAt(i);
        ASSERT_TRUE(attributes.font);
        EXPECT_TRUE(text::FontTraits::isBold(*attributes.font)) << i;
    }
    EXPECT_EQ(view->textStorage().attributesAt(5).link, linked.link);
    EXPECT_EQ(view->textStorage().attributesAt(5).foreground, linked.foreground);
    view->toggleBold();
    EXPECT_FALSE(text::FontTraits::isBold(*view->textStorage().attributesAt(5).font));
    view->undoManager().undo();
    EXPECT_TRUE(text::FontTraits::isBold(*view->textStorage().attributesAt(5).font)) << "formatting undoes too";

    // With nothing selected the typing attributes change, and what is typed next carries them.
    view->setSelectedRange({ 0, 0 });
    view->toggleItalic();
    type("A");
    EXPECT_TRUE(text::FontTraits::isItalic(*view->textStorage().attributesAt(0).font));
}

TEST_F(TextViewTest, KeyboardMovesAndExtendsTheSelection)
{
    auto view = focusedView("one two three");
    view->setSelectedRange({ 0, 0 });
    press(KeyCode::RightArrow, ModifierFlag::Option);
    EXPECT_EQ(view->selectedRange(), (text::Range { 3, 0 }));
    press(KeyCode::RightArrow, ModifierFlag::Option | ModifierFlag::Shift);
    EXPECT_EQ(view->selectedRange(), (text::Range { 3, 4 }));
    press(KeyCode::LeftArrow, ModifierFlag::Shift);
    EXPECT_EQ(view->selectedRange(), (text::Range { 3, 3 }));
    press(KeyCode::End, ModifierFlag::Shift);
    EXPECT_EQ(view->selectedRange(), (text::Range { 3, 10 }));
    press(KeyCode::Home);
    EXPECT_EQ(view->selectedRange(), (text::Range { 0, 0 }));
    type("X");
    press(KeyCode::Delete);
    press(KeyCode::Delete);
    EXPECT_EQ(view->string(), "one two three") << "deleting at the start does nothing";
}

TEST_F(TextViewTest, UsedHeightGrowsWithWrappedTextAndTheViewGrowsInAScrollView)
{
    auto view = TextView::create();
    view->setTextContainerInset(Size(4, 6));
    double oneLine = view->usedHeight(200);
    view->setAttributedString(text::AttributedString::fromUtf8(std::string(40, 'w') + " " + std::string(40, 'w')));
    double wrapped = view->usedHeight(200);
    EXPECT_GT(wrapped, oneLine * 1.8);
    EXPECT_LT(view->usedHeight(4000), wrapped);

    auto w = window(200, 100);
    auto scroll = ScrollView::create();
    scroll->setContentView(ClipView::create(true));
    scroll->setFrame(Rect(0, 0, 200, 100));
    scroll->setDocumentView(view);
    w->contentView()->addSubview(scroll);
    view->setAttributedString(text::AttributedString::fromUtf8(std::string(30, '\n')));
    w->display();
    EXPECT_GT(view->frame().height(), 100);
    EXPECT_EQ(view->frame().width(), 200);
}

TEST_F(TextViewTest, ACaretMovedByTheKeysIsScrolledIntoSight)
{
    m_window = window(200, 100);
    auto view = TextView::create();
    auto scroll = ScrollView::create();
    scroll->setContentView(ClipView::create(true));
    scroll->setFrame(Rect(0, 0, 200, 100));
    scroll->setDocumentView(view);
    m_window->contentView()->addSubview(scroll);
    std::string lines;
    for (int i = 0; i < 60; ++i)
        lines += "line " + std::to_string(i) + "\n";
    view->setAttributedString(text::AttributedString::fromUtf8(lines));
    m_window->makeFirstResponder(view.get());
    m_window->display();
    auto clip = [&] { return scroll->contentView()->bounds(); };
    auto caretInSight = [&] {
        Rect caret = view->convertRectTo(view->caretRect(), scroll->contentView());
        return caret.minY() >= clip().minY() - 0.5 && caret.maxY() <= clip().maxY() + 0.5;
    };
    ASSERT_EQ(clip().minY(), 0);

    press(KeyCode::End, ModifierFlag::Command);
    EXPECT_GT(clip().minY(), 0);
    EXPECT_TRUE(caretInSight()) << "Ctrl+End";
    press(KeyCode::Home, ModifierFlag::Command);
    EXPECT_EQ(clip().minY(), 0);
    EXPECT_TRUE(caretInSight()) << "Ctrl+Home";

    // The page keys move the caret a page and keep it in sight.
    press(KeyCode::PageDown);
    std::size_t afterOnePage = view->selectedRange().location;
    EXPECT_GT(afterOnePage, lines.find("line 3"));
    EXPECT_TRUE(caretInSight()) << "Page Down";
    press(KeyCode::PageDown);
    press(KeyCode::PageDown);
    EXPECT_GT(clip().minY(), 0);
    EXPECT_TRUE(caretInSight());
    press(KeyCode::PageUp, ModifierFlag::Shift);
    EXPECT_GT(view->selectedRange().length, 0u) << "Shift extends by a page";
    EXPECT_TRUE(caretInSight()) << "Page Up";

    // Down arrow after down arrow walks the caret off the bottom of what showed.
    press(KeyCode::Home, ModifierFlag::Command);
    for (int i = 0; i < 20; ++i)
        press(KeyCode::DownArrow);
    EXPECT_TRUE(caretInSight()) << "arrows";
    type("X");
    EXPECT_TRUE(caretInSight()) << "typing lands where it is seen";
}

TEST_F(TextViewTest, CommandsGoToTheDelegateFirst)
{
    auto view = focusedView("a");
    std::vector<std::string> commands;
    view->onCommand = [&](std::string_view name) {
        commands.emplace_back(name);
        return name == "insertNewline:";
    };
    press(KeyCode::Return);
    press(KeyCode::Tab);
    press(KeyCode::Delete);
    EXPECT_EQ(commands, (std::vector<std::string> { "insertNewline:", "insertTab:", "deleteBackward:" }));
    EXPECT_EQ(view->string(), "") << "Return was the delegate's; Delete was not";
}

TEST_F(TextViewTest, ClickOnALinkOpensIt)
{
    auto view = focusedView();
    text::Attributes linked;
    linked.link = "https://example.org/";
    view->setAttributedString(text::AttributedString(u"link", linked));
    std::vector<std::string> launched;
    auto previous = desktop::Opener::setLauncher([&](const std::vector<std::string>& argv) {
        launched = argv;
        return true;
    });
    m_window->display();
    backend().click(*m_window, Point(8, 8));
    desktop::Opener::setLauncher(previous);
    ASSERT_FALSE(launched.empty());
    EXPECT_EQ(launched.back(), "https://example.org/");
}

TEST_F(TextViewTest, NotEditableTextStaysAsItIs)
{
    auto view = focusedView("fixed");
    view->setEditable(false);
    type("x");
    view->deleteBackward();
    view->toggleBold();
    EXPECT_EQ(view->string(), "fixed");
    EXPECT_FALSE(view->undoManager().canUndo());
}

}

namespace {

TEST_F(TextViewTest, UnderlineAndStrikeThroughToggleOnTheSelection)
{
    auto view = focusedView("done and dusted");
    view->setSelectedRange({ 0, 4 });
    view->toggleStrikethrough();
    view->toggleUnderline();
    EXPECT_EQ(view->textStorage().attributesAt(0).strikethrough, 1);
    EXPECT_EQ(view->textStorage().attributesAt(3).underline, 1);
    EXPECT_EQ(view->textStorage().attributesAt(4).underline, 0) << "only the selection changes";
    view->toggleStrikethrough();
    EXPECT_EQ(view->textStorage().attributesAt(0).strikethrough, 0);
    EXPECT_EQ(view->selectedRange(), (text::Range { 0, 4 })) << "formatting keeps the selection";
}

}

#include "platform/ui/Pasteboard.h"
#include "platform/ui/TextField.h"

namespace {

TEST_F(TextViewTest, CopyAndPasteKeepTheFormattingAndUndoAsOneStep)
{
    auto view = focusedView();
    view->setDefaults({ gfx::Font::named("Helvetica", 13), gfx::colors::white });
    text::Attributes linked;
    linked.link = "https://example.org/";
    auto content = text::AttributedString::fromUtf8("see ");
    content.append(u"the task", linked);
    view->setAttributedString(content);
    view->setSelectedRange({ 4, 8 });
    press(KeyCode::C, ModifierFlag::Command, "c");
    EXPECT_EQ(Pasteboard::general().string(), "the task");
    view->setSelectedRange({ 0, 0 });
    press(KeyCode::V, ModifierFlag::Command, "v");
    EXPECT_EQ(view->string(), "the tasksee the task");
    EXPECT_EQ(view->textStorage().attributesAt(0).link, linked.link) << "the link came along";
    view->undoManager().undo();
    EXPECT_EQ(view->string(), "see the task");

    view->setSelectedRange({ 0, 3 });
    press(KeyCode::X, ModifierFlag::Command, "x");
    EXPECT_EQ(Pasteboard::general().string(), "see");
    // Rich data that does not read is passed over for the plain text.
    Pasteboard::general().clearContents();
    Pasteboard::general().setData(PasteboardType::Rtf, "not rich text at all");
    Pasteboard::general().setData(PasteboardType::Rtfd, "garbage");
    Pasteboard::general().setString("plain");
    view->paste();
    EXPECT_EQ(view->string(), "plain the task");
    Pasteboard::general().clearContents();
}

}

namespace {

TEST_F(TextViewTest, InactiveSelectionIsDrawnByTheHook)
{
    auto view = focusedView("selected words");
    view->setSelectedRange({ 0, 8 });
    int drawnRects = 0;
    view->drawInactiveSelection = [&](gfx::GraphicsContext&, const std::vector<Rect>& rects) { drawnRects += static_cast<int>(rects.size()); };
    m_window->display();
    EXPECT_EQ(drawnRects, 0) << "a focused view draws its own selection";
    m_window->makeFirstResponder(nullptr);
    m_window->display();
    EXPECT_EQ(drawnRects, 1);
}

}

namespace {

TEST_F(TextViewTest, ReturnInAListItemStartsTheNextAndInAnEmptyOneEndsTheList)
{
    auto view = focusedView();
    text::Attributes listed;
    listed.paragraph.textLists = { "({decimal})" };
    view->setAttributedString(text::AttributedString(u"\t(1)\tfirst", listed));
    press(KeyCode::Return);
    EXPECT_EQ(view->string(), "\t(1)\tfirst\n\t(2)\t");
    type("second");
    EXPECT_EQ(view->textStorage().attributesAt(view->textStorage().length() - 1).paragraph.textLists, listed.paragraph.textLists);
    press(KeyCode::Return);
    press(KeyCode::Return);
    EXPECT_EQ(view->string(), "\t(1)\tfirst\n\t(2)\tsecond\n") << "the empty third item ended the list";
    EXPECT_TRUE(view->typingAttributes().paragraph.textLists.empty());
    type("after");
    EXPECT_TRUE(view->textStorage().attributesAt(view->textStorage().length() - 1).paragraph.textLists.empty());
}

}

TEST_F(TextViewTest, KeystrokesRedrawTheirLinesAndTheWindowShowsWhatAFullDrawingWould)
{
    // A page in a scroll view beside a view that draws from state it does not watch: typing
    // draws a line or so of the window again, and the picture always comes out as drawing
    // it all would.
    m_window = window(300, 200);
    auto scroll = ScrollView::create();
    scroll->setContentView(ClipView::create(true));
    scroll->setFrame(Rect(0, 0, 300, 200));
    auto view = TextView::create();
    scroll->setDocumentView(view);
    m_window->contentView()->addSubview(scroll);
    std::string page;
    for (int i = 0; i < 200; ++i)
        page += "Line " + std::to_string(i) + " of the page, long enough to wrap at the width of the view.\n";
    view->setAttributedString(text::AttributedString::fromUtf8(page));
    m_window->makeFirstResponder(view.get());
    view->setSelectedRange({ 30, 0 });
    m_window->display();
    auto picture = [this] {
        cairo_surface_t* surface = m_window->surface();
        cairo_surface_flush(surface);
        auto* data = cairo_image_surface_get_data(surface);
        return std::string(reinterpret_cast<const char*>(data), std::size_t(cairo_image_surface_get_stride(surface)) * std::size_t(cairo_image_surface_get_height(surface)));
    };
    // Where two pictures first differ, as "x, y", or "" when they do not.
    auto difference = [this](const std::string& a, const std::string& b) -> std::string {
        std::size_t stride = std::size_t(cairo_image_surface_get_stride(m_window->surface()));
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            if (a[i] != b[i])
                return std::to_string((i % stride) / 4) + ", " + std::to_string(i / stride);
        return a.size() == b.size() ? "" : "sizes";
    };
    auto fullDrawing = [&] {
        m_window->redrawAll();
        m_window->display();
        return picture();
    };
    int presentedBefore = backend().presentedFrames();
    // A mark far from the caret: a keystroke leaves it, as it draws only its own line.
    cairo_t* cr = cairo_create(m_window->surface());
    cairo_set_source_rgb(cr, 1, 0, 1);
    cairo_rectangle(cr, 280, 180, 4, 4);
    cairo_fill(cr);
    cairo_destroy(cr);
    type("w");
    m_window->display();
    EXPECT_EQ(m_window->pixelAt(281, 181), gfx::Color::rgb(1, 0, 1)) << "the whole window was drawn for one key";
    fullDrawing();
    const char* edits[] = { "x", "yz", "\r", "a longer bit of typing that wraps the line it is typed into around", "\r\r" };
    for (const char* edit : edits) {
        for (const char* c = edit; *c; ++c) {
            if (*c == '\r')
                press(KeyCode::Return, 0, "\r");
            else
                type(std::string(1, *c));
            m_window->display();
            std::string partial = picture();
            ASSERT_EQ(difference(partial, fullDrawing()), "") << "after typing '" << *c << "' of '" << edit << "'";
        }
    }
    press(KeyCode::Delete);
    press(KeyCode::LeftArrow);
    press(KeyCode::RightArrow, ModifierFlag::Shift);
    m_window->display();
    std::string partial = picture();
    EXPECT_EQ(difference(partial, fullDrawing()), "");
    EXPECT_GT(backend().presentedFrames(), presentedBefore);
}

TEST_F(TextViewTest, SelectedTextReadsOnItsHighlightWhateverItsColour)
{
    // Dark text as the pads write it and light text as dark fields do, each over what shows
    // behind the view (the pads draw no background of their own).
    for (gfx::Color text : { gfx::Color::rgb(0, 0, 0), gfx::Color::rgb(0.9, 0.9, 0.9), gfx::Color::rgb(0.2, 0.2, 0.25) }) {
        auto view = focusedView("selected words");
        view->setDefaults({ gfx::Font::system(13), text });
        view->setDrawsBackground(false);
        for (bool focused : { true, false })
            EXPECT_GE(gfx::contrastRatio(text, view->selectionColor(focused)), 4.5)
                << text.red << (focused ? " focused" : " not focused");
        // And it is what is drawn under the selection.
        view->selectAll();
        m_window->display();
        Rect first = view->layoutManager().selectionRects({ 0, 1 }).front();
        gfx::Color drawn = m_window->pixelAt(first.minX() + 0.5, first.minY() + 0.5);
        EXPECT_NEAR(drawn.red, view->selectionColor(true).red, 0.02);
    }
}

namespace {

// A pad page in a scroll view of its own window, the text set and the caret at its end.
std::shared_ptr<TextView> padIn(const std::shared_ptr<Window>& window, const std::string& text)
{
    auto scroll = ScrollView::create();
    scroll->setContentView(ClipView::create(true));
    scroll->setFrame(Rect(0, 0, 300, 200));
    auto view = TextView::create();
    scroll->setDocumentView(view);
    window->contentView()->addSubview(scroll);
    view->setAttributedString(text::AttributedString::fromUtf8(text));
    window->makeFirstResponder(view.get());
    view->setSelectedRange({ view->textStorage().length(), 0 });
    window->display();
    return view;
}

// Where the text areas of two windows first differ, as "x, y", or "" when they do not; the
// scroll bars are left out, since their knobs follow heights still estimated.
std::string textAreaDifference(Window& a, Window& b)
{
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 270; ++x)
            if (a.pixelAt(x + 0.5, y + 0.5) != b.pixelAt(x + 0.5, y + 0.5))
                return std::to_string(x) + ", " + std::to_string(y);
    return "";
}

TEST_F(TextViewTest, APastedPageDrawsAsTheSamePageOpened)
{
    std::string page;
    for (int i = 0; i < 1500; ++i)
        page += "Paragraph " + std::to_string(i) + ": call the bank about the transfer, then finish the numbers.\n";
    m_window = window(300, 200);
    auto view = padIn(m_window, "Notes for the week\n");
    Pasteboard::general().clearContents();
    Pasteboard::general().setString(page);
    view->paste();
    Pasteboard::general().clearContents();
    ASSERT_EQ(view->string(), "Notes for the week\n" + page);
    EXPECT_EQ(view->selectedRange().location, view->textStorage().length());

    // Where the caret landed, what the paste drew is what drawing it all draws.
    m_window->display();
    std::vector<gfx::Color> pasted;
    for (int y = 0; y < 200; y += 5)
        for (int x = 0; x < 270; x += 3)
            pasted.push_back(m_window->pixelAt(x + 0.5, y + 0.5));
    m_window->redrawAll();
    m_window->display();
    std::size_t probe = 0;
    for (int y = 0; y < 200; y += 5)
        for (int x = 0; x < 270; x += 3)
            ASSERT_EQ(m_window->pixelAt(x + 0.5, y + 0.5), pasted[probe++]) << x << ", " << y;

    // Scrolled back to the top, it is the page as opened afresh.
    auto* scroll = dynamic_cast<ScrollView*>(view->superview()->superview());
    ASSERT_NE(scroll, nullptr);
    scroll->scrollToPoint(Point(0, 0));
    m_window->display();
    auto opened = window(300, 200);
    padIn(opened, view->string());
    auto* openedScroll = dynamic_cast<ScrollView*>(opened->contentView()->subviews().front().get());
    ASSERT_NE(openedScroll, nullptr);
    openedScroll->scrollToPoint(Point(0, 0));
    opened->display();
    EXPECT_EQ(textAreaDifference(*m_window, *opened), "");
}

}
