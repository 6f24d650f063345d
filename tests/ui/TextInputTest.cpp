#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "platform/ui/TokenField.h"

using namespace ui;
using base::KeyCode;

namespace {

// Input methods, as the backend hands them over: compositions shown in place and replaced
// as they change, then committed or taken back.
class TextInputTest : public UiTest {
protected:
    std::shared_ptr<TextView> focusedView(const std::string& initial)
    {
        m_window = window(300, 120);
        auto view = TextView::create();
        view->setFrame(Rect(0, 0, 300, 120));
        m_window->contentView()->addSubview(view);
        view->setAttributedString(text::AttributedString::fromUtf8(initial));
        m_window->makeFirstResponder(view.get());
        return view;
    }
    std::shared_ptr<TextField> focusedField(std::shared_ptr<TextField> field)
    {
        m_window = window(300, 60);
        field->setFrame(Rect(10, 20, 200, 24));
        m_window->contentView()->addSubview(field);
        m_window->makeFirstResponder(field.get());
        return field;
    }
    // Whether anything is drawn in a strip of the window (picture coordinates): the text
    // colour against the view's dark background.
    bool inkIn(Rect strip)
    {
        for (double y = strip.minY(); y < strip.maxY(); ++y)
            for (double x = strip.minX(); x < strip.maxX(); ++x)
                if (m_window->pixelAt(x, y).red > 0.5)
                    return true;
        return false;
    }
    std::shared_ptr<Window> m_window;
};

TEST_F(TextInputTest, CompositionShowsInPlaceAndLeavesTheTextAndItsUndoAlone)
{
    auto view = focusedView("Plan ");
    int changes = 0;
    view->onTextChange = [&] { ++changes; };
    double caretBefore = view->caretRect().minX();
    EXPECT_FALSE(inkIn(Rect(caretBefore + 2, 2, 60, 14)));

    backend().compose({ "n", 1, 0 });
    backend().compose({ "ni", 2, 0 });
    backend().compose({ "nihao", 5, 0 });
    EXPECT_TRUE(view->hasComposition());
    EXPECT_EQ(view->string(), "Plan ");
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(view->undoManager().canUndo());
    EXPECT_TRUE(inkIn(Rect(caretBefore + 2, 2, 60, 14))) << "the composition is drawn where the caret was";
    double caretAtEnd = view->caretRect().minX();
    EXPECT_GT(caretAtEnd, caretBefore + 20);
    // The input method's caret moves inside the composition, and the candidates follow it.
    backend().compose({ "nihao", 2, 0 });
    EXPECT_LT(view->caretRect().minX(), caretAtEnd);
    auto reported = backend().textInputCaret();
    ASSERT_TRUE(reported);
    EXPECT_NEAR(reported->minX(), view->caretRect().minX(), 0.01);

    backend().commit("你好");
    EXPECT_FALSE(view->hasComposition());
    EXPECT_EQ(view->string(), "Plan 你好");
    EXPECT_EQ(changes, 1) << "committed text is inserted once";
    view->undoManager().undo();
    EXPECT_EQ(view->string(), "Plan ") << "as one undo step";
    EXPECT_FALSE(inkIn(Rect(caretBefore + 2, 2, 60, 14)));
}

TEST_F(TextInputTest, CancelledCompositionLeavesTheTextAsItWas)
{
    auto view = focusedView("Plan today");
    view->setSelectedRange({ 5, 5 });
    backend().compose({ "jintian", 7, 0 });
    EXPECT_EQ(view->string(), "Plan today") << "the selection is only hidden by the composition";
    backend().compose({});
    EXPECT_FALSE(view->hasComposition());
    EXPECT_EQ(view->string(), "Plan today");
    EXPECT_EQ(view->selectedRange(), (text::Range { 5, 5 }));
    EXPECT_FALSE(view->undoManager().canUndo());

    // A committed word takes the selection's place.
    backend().compose({ "jintian", 7, 0 });
    backend().commit("今天");
    EXPECT_EQ(view->string(), "Plan 今天");
}

TEST_F(TextInputTest, ThePartBeingConvertedShowsSelected)
{
    auto view = focusedView("");
    auto bluish = [&](Point p) {
        gfx::Color c = m_window->pixelAt(p.x, p.y);
        return c.blue - c.red > 0.2;
    };
    backend().compose({ "かんじ", 3, 0 });
    Rect end = view->caretRect();
    Point probe { end.minX() / 2, end.minY() + 1 };
    EXPECT_FALSE(bluish(probe));
    backend().compose({ "感じ", 0, 2 });
    EXPECT_TRUE(bluish(probe));
    EXPECT_TRUE(m_window->writePng(testing::TempDir() + "composition.png"));
}

TEST_F(TextInputTest, AKeyOrClickTheInputMethodDidNotTakeEndsTheComposition)
{
    auto view = focusedView("ab");
    backend().compose({ "ka", 2, 0 });
    backend().press(*m_window, static_cast<std::uint16_t>(KeyCode::LeftArrow), {});
    EXPECT_FALSE(view->hasComposition());
    EXPECT_EQ(view->string(), "ab");
    EXPECT_EQ(backend().discardedCompositions(), 1) << "the input method drops its text too";
    EXPECT_EQ(view->selectedRange(), (text::Range { 1, 0 }));

    backend().compose({ "ka", 2, 0 });
    backend().click(*m_window, Point(2, 8));
    EXPECT_FALSE(view->hasComposition());
    EXPECT_EQ(view->string(), "ab");
    EXPECT_EQ(backend().discardedCompositions(), 2);
}

TEST_F(TextInputTest, InputMethodsWorkOnlyWhileATextHasTheKeyboard)
{
    auto view = focusedView("x");
    EXPECT_EQ(backend().textInputWindow(), m_window.get());
    auto swatch = Swatch::create(gfx::colors::red, Rect(0, 0, 10, 10));
    swatch->m_acceptsFirstResponder = true;
    m_window->contentView()->addSubview(swatch);
    m_window->makeFirstResponder(swatch.get());
    EXPECT_EQ(backend().textInputWindow(), nullptr);
    backend().compose({ "ka", 2, 0 });
    backend().commit("か");
    EXPECT_EQ(view->string(), "x") << "nothing reaches a text without the keyboard";

    m_window->makeFirstResponder(view.get());
    EXPECT_EQ(backend().textInputWindow(), m_window.get());
    view->setEditable(false);
    m_window->display();
    EXPECT_EQ(backend().textInputWindow(), nullptr) << "a text that takes no typing gets no input method";
    view->setEditable(true);
    m_window->display();
    auto other = window(100, 50);
    EXPECT_EQ(backend().textInputWindow(), nullptr) << "another window has the keyboard";
    m_window->makeKeyWindow();
    EXPECT_EQ(backend().textInputWindow(), m_window.get());
    m_window->orderOut();
    EXPECT_EQ(backend().textInputWindow(), nullptr);
}

TEST_F(TextInputTest, FieldsComposeInPlaceOfTheSelectionAndCheckOnlyTheCommittedText)
{
    auto field = focusedField(TextField::create("25 min"));
    int changes = 0;
    field->onTextChange = [&] { ++changes; };
    field->setCaret(2);
    backend().compose({ "にじゅう", 4, 0 });
    EXPECT_EQ(field->stringValue(), "25 min");
    EXPECT_EQ(changes, 0);
    auto caret = backend().textInputCaret();
    ASSERT_TRUE(caret);
    EXPECT_GT(caret->minX(), 10 + 30) << "the caret is after the composition";
    backend().commit("二十");
    EXPECT_EQ(field->stringValue(), "25二十 min");
    EXPECT_EQ(changes, 1);

    auto number = TextField::create("12");
    number->setFormatter(std::make_shared<IntegerFormatter>());
    focusedField(number);
    backend().compose({ "san", 3, 0 });
    backend().commit("三");
    EXPECT_EQ(number->stringValue(), "12") << "the formatter refuses the committed text, not the composition";
}

TEST_F(TextInputTest, TokenFieldOffersCompletionsForCommittedTextOnly)
{
    auto tokens = TokenField::create();
    tokens->completions = [](const std::string& typed, std::size_t) {
        return typed == "写" ? std::vector<std::string> { "写作" } : std::vector<std::string> {};
    };
    focusedField(tokens);
    backend().compose({ "xie", 3, 0 });
    EXPECT_EQ(tokens->suggestion(), "");
    backend().commit("写");
    EXPECT_EQ(tokens->stringValue(), "写");
    EXPECT_EQ(tokens->suggestion(), "写作");
    backend().compose({ "x", 1, 0 });
    EXPECT_EQ(tokens->suggestion(), "") << "no offer beside a composition";
}

TEST_F(TextInputTest, GarbledCompositionsAreRepairedWhereTheyEnter)
{
    auto view = focusedView("");
    backend().compose({ std::string("a\xff") + "b", 99, 99 });
    EXPECT_TRUE(view->hasComposition());
    EXPECT_NO_THROW(view->caretRect());
    backend().commit(std::string("\xc3") + "x");
    EXPECT_EQ(view->string(), "\xEF\xBF\xBDx");
}

}
