// The pads' typing shortcuts, each undone in one step, and the delayed write of a page.
#include "MainWindowFixture.h"

#include "mainwindow/TextIndicatorsView.h"

#include "platform/text/FontTraits.h"
#include "platform/text/Unicode.h"
#include "platform/ui/Button.h"
#include "platform/ui/Pasteboard.h"

namespace ostrel::test {

namespace {

class TypingShortcutsTest : public MainWindowTest {
protected:
    // The Now pad on an empty page, focused.
    NowAndLaterBoardTextView& emptyPage()
    {
        focusNowPad();
        nowText().showPage({});
        return nowText();
    }
    NowAndLaterBoardTextView& pageWith(const std::string& content)
    {
        focusNowPad();
        nowText().showPage({ text::AttributedString::fromUtf8(content), {}, true });
        return nowText();
    }
    std::string text() { return nowText().string(); }
    std::size_t caret() { return nowText().selectedRange().location; }
    void undo() { nowText().undoManager().undo(); }
    void redo() { nowText().undoManager().redo(); }
    bool struck(std::size_t index) { return nowText().textStorage().attributesAt(index).strikethrough != 0; }
    int writes()
    {
        int count = 0;
        for (const auto& line : diagnostics)
            count += line.find("saving backing store descriptor:") != std::string::npos;
        return count;
    }
    std::string separator() { return text::toUtf8(FastTypeTextViewDelegate::separatorLine()); }
};

}

TEST_F(TypingShortcutsTest, TwoHyphensBecomeASeparatorAtThePageStartAndOnANewLine)
{
    emptyPage();
    type("--");
    EXPECT_EQ(text(), separator() + "\n");
    EXPECT_EQ(caret(), 33u);
    type("note\n--");
    EXPECT_EQ(text(), separator() + "\nnote\n" + separator() + "\n");
    undo();
    EXPECT_EQ(text(), separator() + "\nnote\n--") << "one undo puts the typed hyphens back";
    undo();
    EXPECT_EQ(text(), separator() + "\n") << "and the next takes the typing away";
}

TEST_F(TypingShortcutsTest, DoneBecomesACheckMarkUndoneInOneStepWithoutFiringAgain)
{
    emptyPage();
    type("call bank done'");
    EXPECT_EQ(text(), "call bank \u2714");
    undo();
    EXPECT_EQ(text(), "call bank done'") << "the undo put the trigger back, and no shortcut fired on it";
    redo();
    EXPECT_EQ(text(), "call bank \u2714");
}

TEST_F(TypingShortcutsTest, HyphensEndingALineStrikeItOutAndUndoRestoresBoth)
{
    pageWith("Buy milk\n");
    nowText().setSelectedRange({ 9, 0 });
    type("Call the bank--");
    EXPECT_EQ(text(), "Buy milk\nCall the bank");
    EXPECT_TRUE(struck(9));
    EXPECT_TRUE(struck(21));
    EXPECT_FALSE(struck(0)) << "only the line typed on";
    undo();
    EXPECT_EQ(text(), "Buy milk\nCall the bank--");
    EXPECT_FALSE(struck(9));
    redo();
    EXPECT_EQ(text(), "Buy milk\nCall the bank");
    EXPECT_TRUE(struck(9));
}

TEST_F(TypingShortcutsTest, OnlyTheHyphensJustTypedStrikeALine)
{
    // A "--" already on the page stays as it is, whatever is typed elsewhere; undoing a
    // strike-out therefore lasts.
    pageWith("first--\nsecond");
    nowText().setSelectedRange({ 14, 0 });
    type("x");
    EXPECT_EQ(text(), "first--\nsecondx");
    EXPECT_FALSE(struck(0));

    // Without smart dashes, which would make the hyphens a dash once the next key comes.
    store().set("smartDashes", false);
    pageWith("line one\nsecond line\n");
    nowText().setSelectedRange({ 20, 0 });
    type("--");
    EXPECT_EQ(text(), "line one\nsecond line\n");
    EXPECT_TRUE(struck(9));
    undo();
    EXPECT_EQ(text(), "line one\nsecond line--\n");
    type(" ");
    EXPECT_EQ(text(), "line one\nsecond line-- \n") << "the undone strike-out does not come back with the next key";
}

TEST_F(TypingShortcutsTest, ALineOfDigitsIsStruckFromItsStart)
{
    pageWith("x\n");
    nowText().setSelectedRange({ 2, 0 });
    type("12 34--");
    EXPECT_EQ(text(), "x\n12 34");
    EXPECT_TRUE(struck(2));
    EXPECT_TRUE(struck(6));
    EXPECT_FALSE(struck(0));
}

TEST_F(TypingShortcutsTest, ListShortcutsMakeItemsWithTheCaretBeforeTheLineBreak)
{
    emptyPage();
    type("* ");
    EXPECT_EQ(text(), "\t\u2022\t\n");
    EXPECT_EQ(caret(), 3u);
    EXPECT_EQ(nowText().textStorage().attributesAt(0).paragraph.textLists, (std::vector<std::string> { "{disc}" }));
    undo();
    EXPECT_EQ(text(), "* ");

    pageWith("a");
    nowText().setSelectedRange({ 1, 0 });
    type("\n1. ");
    EXPECT_EQ(text(), "a\n\t(1)\t\n");
    EXPECT_EQ(caret(), 7u);
    undo();
    EXPECT_EQ(text(), "a\n1. ");

    emptyPage();
    type("+ ");
    EXPECT_EQ(text(), "\t\u27A4\t\n");
}

TEST_F(TypingShortcutsTest, TenEditsWithinThreeSecondsMakeOneWriteFiveSecondsAfterTheFirst)
{
    emptyPage();
    int before = writes();
    for (int i = 0; i < 10; ++i) {
        type("a");
        wait(0.3);
    }
    wait(1.9);
    EXPECT_EQ(writes(), before) << "nothing before five seconds";
    wait(0.2);
    EXPECT_EQ(writes(), before + 1);
    wait(10);
    EXPECT_EQ(writes(), before + 1) << "one write for the whole burst";
    auto page = BackingStoreManager::sharedManager().contentOfSelectedFile(*nowPad().backingStoreDescriptor());
    EXPECT_EQ(page.text.utf8(), "aaaaaaaaaa");
}

TEST_F(TypingShortcutsTest, UndoIsNoTypingButIsWrittenAndLoadingIsNeither)
{
    emptyPage();
    type("abc");
    wait(6);
    auto* delegate = nowText().fastTypeDelegate();
    EXPECT_FALSE(delegate->hasPendingWrite());
    undo();
    EXPECT_EQ(text(), "");
    EXPECT_TRUE(delegate->hasPendingWrite()) << "the page on screen changed: the one on disk follows";
    wait(6);
    auto page = BackingStoreManager::sharedManager().contentOfSelectedFile(*nowPad().backingStoreDescriptor());
    EXPECT_EQ(page.text.utf8(), "");
    redo();
    wait(6);
    page = BackingStoreManager::sharedManager().contentOfSelectedFile(*nowPad().backingStoreDescriptor());
    EXPECT_EQ(page.text.utf8(), "abc") << "a redo is written too";

    nowText().showPage({ text::AttributedString::fromUtf8("done' --"), {}, true });
    EXPECT_EQ(text(), "done' --") << "a loaded page is not rewritten";
    EXPECT_FALSE(delegate->hasPendingWrite());
    EXPECT_FALSE(nowText().undoManager().canUndo());
}

TEST_F(TypingShortcutsTest, StyleCommandsPasteAndDropsAreNoTyping)
{
    // Underlining a selection ending in "--" neither strikes the line nor drops the hyphens,
    // and the selection stays on the text it covered.
    pageWith("keep this line--");
    nowText().setSelectedRange({ 0, 16 });
    nowText().underline();
    EXPECT_EQ(text(), "keep this line--");
    EXPECT_FALSE(struck(0));
    EXPECT_EQ(nowText().textStorage().attributesAt(3).underline, 1);
    EXPECT_EQ(nowText().selectedRange(), (text::Range { 0, 16 }));
    EXPECT_TRUE(nowText().fastTypeDelegate()->hasPendingWrite()) << "formatting is written";

    nowText().setSelectedRange({ 0, 16 });
    nowText().toggleBold();
    nowText().toggleItalic();
    EXPECT_EQ(text(), "keep this line--");

    // Pasted text ending in a trigger stays as pasted.
    ui::Pasteboard::general().clearContents();
    ui::Pasteboard::general().setString("ends with done'");
    nowText().setSelectedRange({ 16, 0 });
    nowText().paste();
    EXPECT_EQ(text(), "keep this line--ends with done'");
    type(" ");
    EXPECT_EQ(text(), "keep this line--ends with done' ") << "typing after it fires nothing either";
}

TEST_F(TypingShortcutsTest, IndicatorsFollowTheTypingAttributes)
{
    emptyPage();
    auto indicators = nowPad().textIndicatorsView();
    EXPECT_EQ(indicators->plainIndicator()->state(), ui::ControlStateValue::On);
    nowText().toggleBoldAttribute();
    EXPECT_EQ(indicators->boldIndicator()->state(), ui::ControlStateValue::On);
    EXPECT_EQ(indicators->plainIndicator()->state(), ui::ControlStateValue::Off);
    nowText().toggleStrikeOutAttribute();
    EXPECT_EQ(indicators->strikeThroughIndicator()->state(), ui::ControlStateValue::On);
    type("x");
    EXPECT_TRUE(struck(0));
    EXPECT_TRUE(text::FontTraits::isBold(*nowText().textStorage().attributesAt(0).font));
}

}
