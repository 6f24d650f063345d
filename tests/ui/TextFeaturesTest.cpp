// What a text view does for the typist when asked: curly quotes, dashes, links, one space
// between words, spelling marks and corrections; and edits the program makes itself.
#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/SpellChecker.h"
#include "platform/ui/SpellingMarks.h"
#include "platform/ui/TextSubstitutions.h"
#include "platform/ui/TextView.h"

using namespace ui;

namespace {

class TextFeaturesTest : public UiTest {
protected:
    std::shared_ptr<TextView> typingView(TextFeatures features, const std::string& initial = {})
    {
        m_window = window(300, 200);
        auto view = TextView::create();
        view->setFrame(Rect(0, 0, 300, 200));
        view->setTextFeatures(features);
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
    static TextFeatures all()
    {
        TextFeatures features;
        features.smartQuotes = features.smartDashes = features.smartLinks = features.smartInsertDelete = true;
        return features;
    }
    std::shared_ptr<Window> m_window;
};

}

TEST_F(TextFeaturesTest, QuotesCurlDashesJoinAndAddressesBecomeLinks)
{
    auto view = typingView(all());
    type("\"Hi\" it's a--b (see www.example.org.) ");
    EXPECT_EQ(view->string(), "\u201CHi\u201D it\u2019s a\u2014b (see www.example.org.) ");
    std::size_t at = view->textStorage().string().find(u"www");
    EXPECT_EQ(view->textStorage().attributesAt(at).link, "https://www.example.org");
    EXPECT_EQ(view->textStorage().attributesAt(at + 15).link, "") << "the closing full stop stays outside";
    view->undoManager().undo();
    EXPECT_EQ(view->string(), "") << "what a feature made is undone with the typing";
}

TEST_F(TextFeaturesTest, WithTheFeaturesOffTypingStaysAsTyped)
{
    auto view = typingView({});
    type("\"a\" b--c https://x.org ");
    EXPECT_EQ(view->string(), "\"a\" b--c https://x.org ");
    EXPECT_EQ(view->textStorage().attributesAt(9).link, "");
}

TEST_F(TextFeaturesTest, ThreeHyphensAndAFinishedRewriteAreLeftAlone)
{
    EXPECT_FALSE(TextSubstitutions::smartDash(u"a---b", 4));
    EXPECT_FALSE(TextSubstitutions::smartDash(u"--x", 1));
    auto view = typingView(all());
    // Someone hearing of the change made something else of the quote: that stands.
    view->onTextChange = [raw = view.get()] {
        if (raw->string() == "done'")
            raw->replaceCharacters({ 0, 5 }, text::AttributedString::fromUtf8("\u2714"));
    };
    type("done'");
    EXPECT_EQ(view->string(), "\u2714");
}

TEST_F(TextFeaturesTest, SmartDeleteAndPasteKeepOneSpaceBetweenWords)
{
    auto view = typingView(all(), "a big dog");
    view->setSelectedRange({ 2, 3 });
    view->deleteBackward();
    EXPECT_EQ(view->string(), "a dog");
    Pasteboard::general().clearContents();
    Pasteboard::general().setString("red");
    view->setSelectedRange({ 1, 0 });
    view->paste();
    EXPECT_EQ(view->string(), "a red dog") << "a space before it; the one after was there";
    view->setSelectedRange({ 9, 0 });
    Pasteboard::general().clearContents();
    Pasteboard::general().setString("s");
    view->paste();
    EXPECT_EQ(view->string(), "a red dog s") << "a word against a word gets its space";
}

TEST_F(TextFeaturesTest, TheProgramsOwnEditsAreNotRecordedAndKeepTheSelection)
{
    auto view = typingView({}, "one two");
    view->setSelectedRange({ 4, 3 });
    int changes = 0;
    view->onTextChange = [&] { ++changes; };
    view->replaceInTextStorage({ 0, 3 }, text::AttributedString::fromUtf8("three"));
    EXPECT_EQ(view->string(), "three two");
    EXPECT_EQ(view->selectedRange(), (text::Range { 6, 3 }));
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(view->undoManager().canUndo());
}

TEST_F(TextFeaturesTest, DroppedTextGoesInWhereItFell)
{
    auto view = typingView({}, "ab");
    Pasteboard dropped;
    dropped.setString("X");
    view->registerForDraggedTypes({ PasteboardType::String });
    EXPECT_TRUE(view->performDragOperation(dropped, view->layoutManager().caretRect(1).origin));
    EXPECT_EQ(view->string(), "aXb");
    view->setEditable(false);
    EXPECT_FALSE(view->performDragOperation(dropped, Point()));
}

TEST_F(TextFeaturesTest, UnknownWordsAreMarkedAndCorrectedWhenFinished)
{
    if (!SpellChecker::shared().isAvailable())
        GTEST_SKIP() << "no spelling dictionary (scripts/install-deps adds hunspell-en-us)";
    SpellingMarks marks;
    const std::u16string paragraph = u"I recieve 42 lettrs, it's fine";
    EXPECT_EQ(marks.misspellings(paragraph), (std::vector<text::Range> { { 2, 7 }, { 13, 6 } }));
    EXPECT_EQ(marks.checkedParagraphs(), 1u);

    TextFeatures features;
    features.continuousSpellChecking = true;
    auto view = typingView(features, "Plain wrds here");
    view->setBackgroundColor(gfx::colors::white);
    m_window->makeFirstResponder(nullptr);
    m_window->display();
    Rect word = view->layoutManager().selectionRects({ 6, 4 }).front();
    int red = 0;
    for (double y = word.minY(); y < word.maxY(); y += 1) {
        for (double x = word.minX(); x < word.maxX(); x += 1) {
            auto pixel = m_window->pixelAt(x, y);
            red += pixel.red > 0.7 && pixel.green < 0.5;
        }
    }
    EXPECT_GT(red, 3) << "a dotted red line under the unknown word";

    features.automaticSpellingCorrection = true;
    auto corrected = typingView(features);
    type("I recieve ");
    EXPECT_EQ(corrected->string(), "I receive ");
}
