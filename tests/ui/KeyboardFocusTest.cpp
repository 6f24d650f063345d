#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/Time.h"
#include "platform/ui/Button.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/PrimarySelection.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"

using namespace ui;
using base::KeyCode;

namespace {

// A dialog: a name field, a notes text view in a scroll view (whose Tab is not text), a check
// box, then Cancel and OK (the default button) along the bottom.
class DialogTest : public UiTest {
protected:
    void SetUp() override
    {
        w = window(320, 240);
        name = TextField::create("name");
        name->setFrame(Rect(10, 200, 300, 24));
        auto scroll = ScrollView::create();
        scroll->setFrame(Rect(10, 110, 300, 80));
        notes = TextView::create();
        notes->setFrame(Rect(0, 0, 300, 80));
        scroll->setDocumentView(notes);
        remind = Button::create("Remind me", ButtonType::Switch);
        remind->setFrame(Rect(10, 70, 200, 20));
        cancel = Button::create("Cancel");
        cancel->setFrame(Rect(150, 10, 80, 24));
        ok = Button::create("OK");
        ok->setFrame(Rect(240, 10, 70, 24));
        ok->setKeyEquivalent("\r");
        cancel->onAction = [this] { ++cancels; };
        ok->onAction = [this] { ++oks; };
        // The loop is worked out once, then the rest of the dialog is added: Tab finds it all.
        w->contentView()->addSubview(name);
        w->recalculateKeyViewLoop();
        for (const std::shared_ptr<View>& view : std::vector<std::shared_ptr<View>> { scroll, remind, cancel, ok })
            w->contentView()->addSubview(view);
    }

    void press(KeyCode key, std::uint32_t modifiers = 0, const std::string& characters = {})
    {
        backend().press(*w, static_cast<std::uint16_t>(key), characters, modifiers);
    }
    Responder* focused() const { return w->firstResponder(); }

    std::shared_ptr<Window> w;
    std::shared_ptr<TextField> name;
    std::shared_ptr<TextView> notes;
    std::shared_ptr<Button> remind, cancel, ok;
    int cancels { 0 };
    int oks { 0 };
};

}

TEST_F(DialogTest, TabWalksEveryControlInReadingOrderAndShiftTabWalksBack)
{
    std::vector<Responder*> order { name.get(), notes.get(), remind.get(), cancel.get(), ok.get(), name.get() };
    for (Responder* expected : order) {
        press(KeyCode::Tab, 0, "\t");
        EXPECT_EQ(focused(), expected);
    }
    for (Responder* expected : std::vector<Responder*> { ok.get(), cancel.get(), remind.get(), notes.get(), name.get() }) {
        press(KeyCode::Tab, ModifierFlag::Shift, "\t");
        EXPECT_EQ(focused(), expected);
    }
    // A hidden control is passed over.
    w->makeFirstResponder(notes.get());
    remind->setHidden(true);
    press(KeyCode::Tab, 0, "\t");
    EXPECT_EQ(focused(), cancel.get());
    // A click on a button leaves the keyboard where it was; a control disabled hands it on.
    backend().click(*w, Point(275, 240 - 22));
    EXPECT_EQ(oks, 1);
    EXPECT_EQ(focused(), cancel.get());
    cancel->setEnabled(false);
    EXPECT_EQ(focused(), ok.get());
}

TEST_F(DialogTest, AViewAsTallAsTheWindowBesideAColumnIsARowOfItsOwn)
{
    // A page beside the column (as a pad beside a screen): the column still reads top down.
    auto page = TextView::create();
    page->setFrame(Rect(215, 5, 100, 230));
    w->contentView()->addSubview(page);
    remind->setFrame(Rect(10, 70, 120, 20));
    w->makeFirstResponder(name.get());
    std::vector<Responder*> walked;
    for (int i = 0; i < 5; ++i) {
        press(KeyCode::Tab);
        walked.push_back(focused());
    }
    // The page's top is the window's top: it comes first in the loop, not between the
    // buttons of the bottom row.
    EXPECT_EQ(walked, (std::vector<Responder*> { notes.get(), remind.get(), cancel.get(), ok.get(), page.get() }));
}

TEST_F(DialogTest, TabLeavesATextViewWhoseTabIsNotTextAndCtrlTabLeavesAnyTextView)
{
    w->makeFirstResponder(notes.get());
    press(KeyCode::Tab, 0, "\t");
    EXPECT_EQ(focused(), remind.get());
    EXPECT_TRUE(notes->string().empty());

    // A text view that types tabs keeps Tab; Ctrl+Tab still moves on.
    notes->onCommand = [this](std::string_view command) {
        if (command != "insertTab:")
            return false;
        notes->insertText(u"\t");
        return true;
    };
    w->makeFirstResponder(notes.get());
    press(KeyCode::Tab, 0, "\t");
    EXPECT_EQ(focused(), notes.get());
    EXPECT_EQ(notes->string(), "\t");
    press(KeyCode::Tab, ModifierFlag::Command, "\t");
    EXPECT_EQ(focused(), remind.get());

    // A pad types Tab and Shift+Tab itself, with no one asked.
    notes->onCommand = nullptr;
    notes->setInsertsTabs(true);
    w->makeFirstResponder(notes.get());
    press(KeyCode::Tab, ModifierFlag::Shift, "\t");
    EXPECT_EQ(notes->string().size(), 2u);
}

TEST_F(DialogTest, TabReadsOnePartWholeBeforeThePartBesideIt)
{
    // A screen of two rows beside a help pad of two rows at the same heights.
    auto other = window(320, 240);
    std::vector<std::shared_ptr<Button>> buttons;
    for (double x : { 0.0, 160.0 }) {
        auto part = View::create(Rect(x, 0, 150, 240));
        other->contentView()->addSubview(part);
        for (double y : { 200.0, 100.0 }) {
            part->addSubview(buttons.emplace_back(Button::create("B")));
            buttons.back()->setFrame(Rect(10, y, 60, 24));
        }
    }
    for (const auto& button : buttons) {
        backend().press(*other, static_cast<std::uint16_t>(KeyCode::Tab), "\t");
        EXPECT_EQ(other->firstResponder(), button.get());
    }
}

TEST_F(DialogTest, SpacePressesTheFocusedControlReturnTheDefaultButtonEscapeCancels)
{
    w->makeFirstResponder(remind.get());
    press(KeyCode::Space, 0, " ");
    EXPECT_EQ(remind->state(), ControlStateValue::On);
    w->makeFirstResponder(cancel.get());
    press(KeyCode::Space, 0, " ");
    EXPECT_EQ(cancels, 1);
    // Return on a button or a check box is theirs, not the default button's.
    press(KeyCode::Return, 0, "\r");
    EXPECT_EQ(cancels, 2);
    w->makeFirstResponder(remind.get());
    press(KeyCode::Return, 0, "\r");
    EXPECT_EQ(remind->state(), ControlStateValue::Off);
    EXPECT_EQ(oks, 0);
    // On no control at all, Return is the default button's.
    w->makeFirstResponder(nullptr);
    press(KeyCode::Return, 0, "\r");
    EXPECT_EQ(oks, 1);
    cancels = oks = 0;

    // Return in the field sends the field's action, then presses the default button.
    int fieldActions = 0;
    name->onAction = [&] { ++fieldActions; };
    w->makeFirstResponder(name.get());
    press(KeyCode::Return, 0, "\r");
    EXPECT_EQ(fieldActions, 1);
    EXPECT_EQ(oks, 1);

    // Escape from the text view reaches the button titled Cancel.
    w->makeFirstResponder(notes.get());
    press(KeyCode::Escape, 0, "\x1b");
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(oks, 1);

    // An editor inside the window answers first for the keyboard inside it.
    auto editor = View::create(Rect(10, 40, 300, 28));
    auto field = TextField::create();
    field->setFrame(Rect(0, 0, 100, 24));
    auto save = Button::create("Save");
    save->setKeyEquivalent("\r");
    int saves = 0;
    save->onAction = [&] { ++saves; };
    editor->addSubview(field);
    editor->addSubview(save);
    w->contentView()->addSubview(editor);
    w->makeFirstResponder(field.get());
    press(KeyCode::Return, 0, "\r");
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(oks, 1);
}

TEST_F(DialogTest, TheFocusRingFollowsTheKeyboardAndAClickHidesIt)
{
    // A point just outside the OK button's left edge, from the window's top left.
    auto ringPixel = [this] { return w->pixelAt(239, 240 - 22); };
    gfx::Color background = ringPixel();
    w->makeFirstResponder(cancel.get());
    EXPECT_EQ(w->focusRingView(), nullptr) << "focus given by the program shows no ring";
    press(KeyCode::Tab, 0, "\t");
    ASSERT_EQ(focused(), ok.get());
    EXPECT_EQ(w->focusRingView(), ok.get());
    EXPECT_NE(ringPixel(), background);
    EXPECT_GT(ringPixel().blue, 0.5);

    // A text view in a scroll view has its ring around the scroll view.
    w->makeFirstResponder(notes.get());
    EXPECT_EQ(w->focusRingView(), notes->superview()->superview());

    backend().click(*w, Point(50, 30));
    EXPECT_EQ(w->focusRingView(), nullptr);
    w->makeFirstResponder(ok.get());
    EXPECT_EQ(ringPixel(), background);
}

namespace {

class UndoTest : public UiTest {
protected:
    void type(const std::string& text)
    {
        for (char c : text)
            backend().press(*w, 0, std::string(1, c));
    }
    void shortcut(KeyCode key, const std::string& characters, std::uint32_t modifiers = ModifierFlag::Command)
    {
        backend().press(*w, static_cast<std::uint16_t>(key), characters, modifiers);
    }
    std::shared_ptr<Window> w = window(300, 120);
};

}

TEST_F(UndoTest, AFieldUndoesTypingDeletingAndPastingInStepsAndRedoesThem)
{
    auto field = TextField::create();
    field->setFrame(Rect(10, 80, 280, 24));
    w->contentView()->addSubview(field);
    w->makeFirstResponder(field.get());
    int changes = 0;
    field->onTextChange = [&] { ++changes; };

    type("focus");
    shortcut(KeyCode::Delete, "", 0);
    shortcut(KeyCode::Delete, "", 0);
    Pasteboard::general().clearContents();
    Pasteboard::general().setString(" time");
    shortcut(KeyCode::V, "v");
    EXPECT_EQ(field->stringValue(), "foc time");

    shortcut(KeyCode::Z, "z");
    EXPECT_EQ(field->stringValue(), "foc") << "the paste is a step of its own";
    shortcut(KeyCode::Z, "z");
    EXPECT_EQ(field->stringValue(), "focus") << "the two deletions are one step";
    // Ctrl+Shift+Z arrives as an upper-case Z.
    shortcut(KeyCode::Z, "Z", ModifierFlag::Command | ModifierFlag::Shift);
    EXPECT_EQ(field->stringValue(), "foc");
    shortcut(KeyCode::Z, "z");
    shortcut(KeyCode::Z, "z");
    EXPECT_EQ(field->stringValue(), "") << "the typing is one step";
    shortcut(KeyCode::Y, "y");
    shortcut(KeyCode::Y, "y");
    shortcut(KeyCode::Y, "y");
    EXPECT_EQ(field->stringValue(), "foc time");
    EXPECT_EQ(field->caret(), field->stringValue().size());
    EXPECT_GT(changes, 8) << "undo and redo report as edits";

    // Moving the caret ends a typing step; a text the program sets cannot be undone into.
    shortcut(KeyCode::Home, "", 0);
    type("a ");
    shortcut(KeyCode::Z, "z");
    EXPECT_EQ(field->stringValue(), "foc time");
    field->setStringValue("set by the program");
    EXPECT_FALSE(field->undoManager().canUndo());
    shortcut(KeyCode::Z, "z");
    EXPECT_EQ(field->stringValue(), "set by the program");
}

TEST_F(UndoTest, CtrlArrowsAndCtrlBackspaceGoByWordsInAField)
{
    auto field = TextField::create("focused work today");
    field->setFrame(Rect(10, 80, 280, 24));
    w->contentView()->addSubview(field);
    w->makeFirstResponder(field.get());
    shortcut(KeyCode::End, "", 0);
    shortcut(KeyCode::LeftArrow, "");
    EXPECT_EQ(field->caret(), std::string("focused work ").size());
    shortcut(KeyCode::LeftArrow, "", ModifierFlag::Command | ModifierFlag::Shift);
    EXPECT_EQ(field->caret(), std::string("focused ").size());
    EXPECT_EQ(field->selectionAnchor(), std::string("focused work ").size());
    shortcut(KeyCode::End, "", 0);
    shortcut(KeyCode::Delete, "");
    EXPECT_EQ(field->stringValue(), "focused work ");
    shortcut(KeyCode::Z, "z");
    EXPECT_EQ(field->stringValue(), "focused work today");
}

TEST_F(UndoTest, ATextViewRedoesWithCtrlShiftZAndCtrlY)
{
    auto view = TextView::create();
    view->setFrame(Rect(10, 10, 280, 100));
    w->contentView()->addSubview(view);
    w->makeFirstResponder(view.get());
    type("abc");
    shortcut(KeyCode::Z, "z");
    EXPECT_EQ(view->string(), "");
    shortcut(KeyCode::Z, "Z", ModifierFlag::Command | ModifierFlag::Shift);
    EXPECT_EQ(view->string(), "abc");
    shortcut(KeyCode::Z, "z");
    shortcut(KeyCode::Y, "y");
    EXPECT_EQ(view->string(), "abc");
    // Ctrl with the arrows goes by words here, Ctrl+Home to the start.
    shortcut(KeyCode::End, "");
    type(" def");
    EXPECT_EQ(view->string(), "abc def");
    shortcut(KeyCode::LeftArrow, "");
    EXPECT_EQ(view->selectedRange().location, 4u);
    shortcut(KeyCode::Home, "");
    EXPECT_EQ(view->selectedRange().location, 0u);
}

TEST_F(UndoTest, TypingAfterARedoAddsToTheRedoneTextInsteadOfReplacingItsLastLetter)
{
    auto view = TextView::create();
    view->setFrame(Rect(10, 10, 280, 100));
    w->contentView()->addSubview(view);
    w->makeFirstResponder(view.get());
    type("abc def");
    shortcut(KeyCode::Z, "z");
    shortcut(KeyCode::Z, "Z", ModifierFlag::Command | ModifierFlag::Shift);
    EXPECT_EQ(view->string(), "abc def");
    EXPECT_EQ(view->selectedRange().location, 7u);
    EXPECT_EQ(view->selectedRange().length, 0u);
    type("X");
    EXPECT_EQ(view->string(), "abc defX");

    // A redone deletion leaves the caret where the text went.
    shortcut(KeyCode::Delete, "", 0);
    shortcut(KeyCode::Delete, "", 0);
    shortcut(KeyCode::Z, "z");
    shortcut(KeyCode::Y, "y");
    EXPECT_EQ(view->string(), "abc de");
    type("Y");
    EXPECT_EQ(view->string(), "abc deY");
}

namespace {

class PrimarySelectionTest : public UiTest {
protected:
    void middleClick(Window& window, Point topLeft)
    {
        Point base(topLeft.x, window.frame().height() - topLeft.y);
        backend().send(Event::mouse(Event::Type::OtherMouseDown, &window, base));
        backend().send(Event::mouse(Event::Type::OtherMouseUp, &window, base));
    }
    void turnTheLoop() { loop().runUntil(base::Time::now() + 0.01); }
};

}

TEST_F(PrimarySelectionTest, SelectedTextIsWhatAMiddleClickPastesWhereItClicks)
{
    auto w = window(300, 120);
    auto view = TextView::create();
    view->setFrame(Rect(0, 40, 300, 80));
    auto field = TextField::create("slice");
    field->setFrame(Rect(10, 8, 280, 24));
    w->contentView()->addSubview(view);
    w->contentView()->addSubview(field);
    w->makeFirstResponder(view.get());
    view->insertText(u"write the report");
    for (int i = 0; i < 6; ++i)
        backend().press(*w, static_cast<std::uint16_t>(KeyCode::LeftArrow), "", ModifierFlag::Shift);
    turnTheLoop();
    EXPECT_EQ(PrimarySelection::shared().text(), "report");

    // A middle click at the field's end inserts there and gives the field the keyboard.
    middleClick(*w, Point(285, 100));
    EXPECT_EQ(w->firstResponder(), field.get());
    EXPECT_EQ(field->stringValue(), "slicereport");
    EXPECT_EQ(view->string(), "write the report") << "the selection itself stays";

    // Selecting in the field offers that; the text view takes it at its start as one undo step.
    backend().drag(*w, Point(12, 100), Point(285, 100));
    turnTheLoop();
    EXPECT_EQ(PrimarySelection::shared().text(), "slicereport");
    middleClick(*w, Point(1, 5));
    EXPECT_EQ(view->string(), "slicereportwrite the report");
    view->undoManager().undo();
    EXPECT_EQ(view->string(), "write the report");

    // An empty selection leaves the last one standing; a view gone offers nothing new.
    backend().press(*w, static_cast<std::uint16_t>(KeyCode::RightArrow), "");
    turnTheLoop();
    EXPECT_EQ(PrimarySelection::shared().text(), "slicereport");
}
