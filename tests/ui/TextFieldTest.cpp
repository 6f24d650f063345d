#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TextField.h"

using namespace ui;
using base::KeyCode;

namespace {

class TextFieldTest : public UiTest {
protected:
    std::shared_ptr<TextField> focusedField(std::string text = {})
    {
        m_window = window(300, 60);
        auto field = TextField::create(std::move(text));
        field->setFrame(Rect(10, 20, 200, 24));
        m_window->contentView()->addSubview(field);
        m_window->makeFirstResponder(field.get());
        return field;
    }
    // One key press per character (a character being one to four bytes).
    void type(const std::string& characters)
    {
        for (std::size_t i = 0; i < characters.size();) {
            std::size_t next = i + 1;
            while (next < characters.size() && (static_cast<unsigned char>(characters[next]) & 0xC0) == 0x80)
                ++next;
            backend().press(*m_window, 0, characters.substr(i, next - i));
            i = next;
        }
    }
    void press(KeyCode key, std::uint32_t modifiers = 0)
    {
        backend().press(*m_window, static_cast<std::uint16_t>(key), "", modifiers);
    }
    std::shared_ptr<Window> m_window;
};

TEST_F(TextFieldTest, TypingReplacesTheSelectionAndReportsEachChange)
{
    auto field = focusedField("old");
    int changes = 0;
    field->onTextChange = [&] { ++changes; };
    type("né");
    EXPECT_EQ(field->stringValue(), "né") << "taking the keyboard selects all";
    press(KeyCode::Delete);
    EXPECT_EQ(field->stringValue(), "n") << "a two-byte character goes at once";
    press(KeyCode::Home);
    type("a");
    press(KeyCode::End);
    press(KeyCode::LeftArrow, ModifierFlag::Shift);
    type("X");
    EXPECT_EQ(field->stringValue(), "aX");
    EXPECT_EQ(changes, 5);
    // Control characters and Command shortcuts are not text (and an empty pasteboard pastes
    // nothing).
    Pasteboard::general().clearContents();
    backend().press(*m_window, 0, "\x07");
    backend().press(*m_window, static_cast<std::uint16_t>(KeyCode::V), "v", ModifierFlag::Command);
    EXPECT_EQ(field->stringValue(), "aX");
}

TEST_F(TextFieldTest, ReturnReportsUnlessTheCommandCallbackTakesIt)
{
    auto field = focusedField();
    std::vector<std::string> heard;
    field->onAction = [&] { heard.push_back("action"); };
    field->onCommand = [&](TextCommand command) {
        heard.push_back(command == TextCommand::MoveUp ? "up" : command == TextCommand::MoveDown ? "down" : "newline");
        return command != TextCommand::InsertNewline;
    };
    press(KeyCode::UpArrow);
    press(KeyCode::DownArrow);
    press(KeyCode::Return);
    EXPECT_EQ(heard, (std::vector<std::string> { "up", "down", "newline", "action" }));
}

TEST_F(TextFieldTest, EndingAnEditTellsOnce)
{
    auto field = focusedField("a");
    int ended = 0;
    field->onEndEditing = [&] { ++ended; };
    m_window->makeFirstResponder(nullptr);
    EXPECT_EQ(ended, 0) << "nothing was edited";
    m_window->makeFirstResponder(field.get());
    type("b");
    m_window->makeFirstResponder(nullptr);
    EXPECT_EQ(ended, 1);
}

TEST_F(TextFieldTest, IntegerFormatterRefusesWhatIsNoWholeNumberBelowTheMaximum)
{
    IntegerFormatter formatter;
    formatter.setMaximum(120);
    for (const char* good : { "", "7", "+12", "-3", "120", "007" })
        EXPECT_TRUE(formatter.isPartialStringValid(good)) << good;
    for (const char* bad : { "-", "+", "1.5", "1a", "121", "99999999999999999999", "--1", "+-1", " 1" })
        EXPECT_FALSE(formatter.isPartialStringValid(bad)) << bad;

    auto field = focusedField("5");
    field->setFormatter(std::make_shared<IntegerFormatter>(formatter));
    type("12x");
    EXPECT_EQ(field->stringValue(), "12") << "a refused keystroke leaves the text as it was";
    type("9");
    EXPECT_EQ(field->stringValue(), "12");
    EXPECT_EQ(field->integerValue(), 12);
}

TEST_F(TextFieldTest, LabelsWrapAtTheirPreferredWidthAndTakeNoKeyboard)
{
    auto label = TextField::createLabel("Your timeslice will not be logged, and the time spent is lost.");
    EXPECT_FALSE(label->acceptsFirstResponder());
    Size oneLine = label->intrinsicContentSize();
    label->setWraps(true);
    label->setPreferredMaxLayoutWidth(120);
    Size wrapped = label->intrinsicContentSize();
    EXPECT_LE(wrapped.width, 120);
    EXPECT_GT(wrapped.height, 2 * oneLine.height);
    label->setStringValue(std::string("bad \xff utf8"));
    EXPECT_EQ(label->stringValue().find('\xff'), std::string::npos);
}

TEST_F(TextFieldTest, PlaceholderShowsOnlyWhileEmpty)
{
    auto field = focusedField();
    m_window->makeFirstResponder(nullptr);
    auto inkIn = [&] {
        m_window->display();
        int ink = 0;
        for (int x = 16; x < 200; ++x)
            for (int y = 20; y < 36; ++y)
                ink += m_window->pixelAt(x, y).red > 0.3;
        return ink;
    };
    int empty = inkIn();
    field->setPlaceholder("What will you do?");
    int withPlaceholder = inkIn();
    EXPECT_GT(withPlaceholder, empty + 20);
}

}
