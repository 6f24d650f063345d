#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/TokenField.h"

using namespace ui;

namespace {

class TokenFieldTest : public UiTest {
protected:
    std::shared_ptr<TokenField> focusedField(const std::string& value)
    {
        m_window = window(300, 60);
        auto field = TokenField::create();
        field->setStringValue(value);
        field->setFrame(Rect(10, 20, 280, 24));
        m_window->contentView()->addSubview(field);
        m_window->makeFirstResponder(field.get());
        field->setCaret(value.size());
        return field;
    }
    void type(const std::string& characters)
    {
        for (char c : characters)
            backend().press(*m_window, 0, std::string(1, c));
    }
    std::shared_ptr<Window> m_window;
};

TEST_F(TokenFieldTest, ValueSplitsIntoTrimmedTokens)
{
    EXPECT_EQ(TokenField::split(" work,  home ,,review, "), (std::vector<std::string> { "work", "home", "review" }));
    EXPECT_EQ(TokenField::split(""), std::vector<std::string> {});
    EXPECT_EQ(TokenField::join({ "work", "home" }), "work, home");
    auto field = TokenField::create();
    field->setTokens({ "a", "b" });
    EXPECT_EQ(field->stringValue(), "a, b");
}

TEST_F(TokenFieldTest, CompletionOffersAWholeTokenForTheTypedPart)
{
    auto field = focusedField("work, ");
    std::vector<std::pair<std::string, std::size_t>> asked;
    const std::vector<std::string> all { "Writing", "review", "reading" };
    field->completions = [&](const std::string& typed, std::size_t index) {
        asked.emplace_back(typed, index);
        std::vector<std::string> offers;
        for (const auto& tag : all)
            if (tag.size() >= typed.size() && std::equal(typed.begin(), typed.end(), tag.begin(),
                    [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
                offers.push_back(tag);
        return offers;
    };
    type("re");
    EXPECT_EQ(field->suggestion(), "review");
    EXPECT_EQ(asked.back(), (std::pair<std::string, std::size_t> { "re", 1 }));
    backend().press(*m_window, static_cast<std::uint16_t>(base::KeyCode::Return), "\r");
    EXPECT_EQ(field->stringValue(), "work, review, ");
    EXPECT_EQ(field->tokens(), (std::vector<std::string> { "work", "review" }));
    type("zz");
    EXPECT_EQ(field->suggestion(), "");
}

TEST_F(TokenFieldTest, LeavingTheFieldTidiesTheList)
{
    auto field = focusedField("work,,  home ,");
    int ended = 0;
    field->onEndEditing = [&] { ++ended; };
    m_window->makeFirstResponder(nullptr);
    EXPECT_EQ(field->stringValue(), "work, home");
    EXPECT_EQ(ended, 1);
    // Not being edited, the tokens show as pills in the accent colour.
    m_window->display();
    gfx::Color pill = m_window->pixelAt(17, 32);
    EXPECT_GT(pill.blue, pill.red);
}

TEST_F(TokenFieldTest, ATypedCommaMakesATokenThatStaysAPillWhileTheNextIsTyped)
{
    auto field = focusedField("work");
    type(",home,de");
    EXPECT_EQ(field->stringValue(), "work, home, de");
    m_window->display();
    gfx::Color pill = m_window->pixelAt(17, 32);
    EXPECT_GT(pill.blue, pill.red) << "the tokens before the typed one are pills";
}

TEST_F(TokenFieldTest, AHugeTokenShowsAsOneShortenedPillAtOnce)
{
    // A tag of a hundred thousand characters, as a damaged or hostile settings file or day
    // file brings it: measured character by character, the window took minutes to draw.
    for (const std::string& letter : { std::string("x"), std::string("\u00e9") }) {
        auto field = focusedField("work, " + [&] {
            std::string huge;
            for (int i = 0; i < 100'000; ++i)
                huge += letter;
            return huge;
        }());
        m_window->makeFirstResponder(nullptr);
        m_window->display();
        gfx::Color first = m_window->pixelAt(17, 32);
        EXPECT_GT(first.blue, first.red) << "the short tag's pill";
        // The long one fills the rest of the field, shortened, and stops inside it.
        gfx::Color last = m_window->pixelAt(10 + 280 - 12, 32);
        EXPECT_GT(last.blue, last.red) << letter << ": the long tag's pill reaches the field's end";
        EXPECT_EQ(m_window->pixelAt(10 + 280 + 4, 32), m_window->pixelAt(4, 32)) << "nothing is drawn past the field";
    }
}

}


namespace {

// BackSpace at the start of the typed text selects the tag before it and then removes it,
// Delete the one after; inside typed text both remove a character as ever.
TEST_F(TokenFieldTest, BackSpaceAndDeleteAtTheStartOfTheTypedTextRemoveAWholeTag)
{
    auto field = focusedField("alpha, beta, ");
    auto key = [this](base::KeyCode code) { backend().press(*m_window, static_cast<std::uint16_t>(code), ""); };
    key(base::KeyCode::Delete);
    EXPECT_EQ(field->stringValue(), "alpha, beta, ") << "the first BackSpace only selects";
    EXPECT_NE(field->selectionAnchor(), field->caret());
    key(base::KeyCode::Delete);
    EXPECT_EQ(field->tokens(), std::vector<std::string> { "alpha" });

    field->setStringValue("alpha, beta, gamma");
    field->setCaret(7);
    key(base::KeyCode::ForwardDelete);
    key(base::KeyCode::ForwardDelete);
    EXPECT_EQ(field->tokens(), (std::vector<std::string> { "alpha", "gamma" }));

    field->setStringValue("alpha, ga");
    field->setCaret(9);
    key(base::KeyCode::Delete);
    EXPECT_EQ(field->stringValue(), "alpha, g") << "typed text loses a character";
}

}
