#include "UiFixture.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"
#include "platform/ui/TokenField.h"

#include <functional>

using namespace ui;
using A = LayoutAttribute;
using R = LayoutRelation;

namespace {

class LookTest : public UiTest {
protected:
    // The rows (points from the window's top, in half points) where something brighter than
    // the background is drawn within the columns.
    static std::pair<double, double> inkRows(Window& w, double fromX, double toX, const std::function<bool(gfx::Color)>& ink)
    {
        double top = 1e9, bottom = -1;
        for (double y = 0; y < w.frame().height(); y += 0.5)
            for (double x = fromX; x < toX; x += 0.5)
                if (ink(w.pixelAt(x, y))) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return { top, bottom };
    }
    static bool bright(gfx::Color c) { return c.red > 0.6 && c.green > 0.6; }
};

}

TEST_F(LookTest, AnEmptyTextViewsCaretIsFullHeightAtTwiceTheScale)
{
    setScale(2);
    auto w = window(100, 60);
    auto view = TextView::create();
    view->setFrame(Rect(0, 0, 100, 60));
    w->contentView()->addSubview(view);
    w->makeFirstResponder(view.get());
    // Drawn once already, as a window is before anyone types.
    w->display();
    double height = view->caretRect().height();
    auto [top, bottom] = inkRows(*w, 0, 1, bright);
    EXPECT_NEAR(bottom - top + 0.5, height, 1) << "the caret was " << height << " points";
    view->insertText(u"x");
    EXPECT_NEAR(view->caretRect().height(), height, 0.5) << "as tall as on a line with text";
}

TEST_F(LookTest, ALabelSitsOnTheBaselineOfTheDatePickerBesideIt)
{
    auto w = window(300, 60);
    auto label = TextField::createLabel("From:");
    auto picker = DatePicker::create();
    picker->setElements(DatePicker::HourMinuteSecond);
    for (const std::shared_ptr<View>& v : std::vector<std::shared_ptr<View>> { label, picker }) {
        v->setTranslatesAutoresizingMaskIntoConstraints(false);
        w->contentView()->addSubview(v);
    }
    auto* root = w->contentView();
    root->addConstraints({ Constraint::create(label.get(), A::Left, R::Equal, root, A::Left, 1, 10),
        Constraint::create(label.get(), A::Top, R::Equal, root, A::Top, 1, 10),
        Constraint::create(picker.get(), A::Left, R::Equal, label.get(), A::Right, 1, 6),
        Constraint::create(picker.get(), A::FirstBaseline, R::Equal, label.get(), A::FirstBaseline, 1, 0) });
    w->layoutIfNeeded();
    Rect labelFrame = label->convertRectTo(label->bounds(), nullptr);
    Rect pickerFrame = picker->convertRectTo(picker->bounds(), nullptr);
    // The lowest ink of "From:" and of the picker's digits, which have no descenders.
    auto inLabel = inkRows(*w, labelFrame.minX(), labelFrame.maxX(), bright);
    auto inPicker = inkRows(*w, pickerFrame.minX() + 4, pickerFrame.minX() + 20, bright);
    EXPECT_NEAR(inLabel.second, inPicker.second, 1) << "label ink ends at " << inLabel.second << ", digits at " << inPicker.second;
}

TEST_F(LookTest, TheLastTokenShortensRatherThanBeingCut)
{
    auto w = window(200, 40);
    auto field = TokenField::create();
    field->setTokens({ "writing", "review" });
    field->setFrame(Rect(10, 8, 110, 24));
    w->contentView()->addSubview(field);
    // No pill reaches the field's inner edge, where the clip would cut it square.
    auto pill = [](gfx::Color c) { return c.blue > 0.3 && c.blue > c.red + 0.15; };
    for (double y = 12; y < 28; y += 0.5)
        EXPECT_FALSE(pill(w->pixelAt(10 + 110 - 4.5, y))) << "at " << y;
    // A wide field shows both pills whole.
    field->setFrame(Rect(10, 8, 180, 24));
    auto [top, bottom] = inkRows(*w, 100, 130, pill);
    EXPECT_GT(bottom, top) << "the second pill is there";
}

TEST_F(LookTest, TheOfferedCompletionReadsOnTheTypedLine)
{
    auto w = window(300, 60);
    auto field = TokenField::create();
    // Letters of the same height as the typed ones, so their ink spans the same rows.
    field->completions = [](const std::string&, std::size_t) { return std::vector<std::string> { "wrxnvz" }; };
    field->setFrame(Rect(10, 10, 280, 40));
    w->contentView()->addSubview(field);
    w->makeFirstResponder(field.get());
    for (char c : std::string("wr"))
        backend().press(*w, 0, std::string(1, c));
    ASSERT_EQ(field->suggestion(), "wrxnvz");
    double typedEnd = 14 + ControlLook::labelSize("wr", field->font()).width;
    auto typed = inkRows(*w, 14, typedEnd - 1, bright);
    auto grey = [](gfx::Color c) { return c.red > 0.35 && c.red < 0.75; };
    auto offered = inkRows(*w, typedEnd + 1, typedEnd + 30, grey);
    EXPECT_NEAR(typed.first, offered.first, 1) << "typed ink starts at " << typed.first << ", the offer's at " << offered.first;
    EXPECT_NEAR(typed.second, offered.second, 1) << "typed ink ends at " << typed.second << ", the offer's at " << offered.second;
}

namespace {

// A view that draws one title as a control does, in a rect of the width the control sized it to.
class TitleSwatch : public View {
public:
    TitleSwatch(std::string text, gfx::Font font, double width)
        : View(Rect(0, 0, 400, 60))
        , m_text(std::move(text))
        , m_font(std::move(font))
        , m_width(width)
    {
    }
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext& context, const Rect&) override
    {
        context.setFillColor(gfx::colors::black);
        context.fillRect(bounds());
        // As the control draws it, then the same text with all the room it wants.
        ControlLook::drawLabel(m_text, Rect(4, 4, m_width, 20), m_font, gfx::colors::white, gfx::TextAlignment::left);
        gfx::drawText(m_text, Rect(4, 34, 390, 20), gfx::TextStyle(m_font, gfx::colors::white));
    }

private:
    std::string m_text;
    gfx::Font m_font;
    double m_width;
};

}

TEST_F(LookTest, SmallTitlesShowWholeInTheWidthTheyAreMeasuredTo)
{
    // Small text goes on whole pixels as it is drawn: measured otherwise, "Enable" came out as
    // "Enabl-" and a chooser lost its "Days".
    for (double size : { 9.0, 10.0, 11.0 }) {
        for (const char* text : { "Enable", "Overview of last 14 Days", "Overview of last 28 Days", "Minutes" }) {
            gfx::Font font = gfx::Font::system(size);
            auto w = window(400, 60);
            auto swatch = std::make_shared<TitleSwatch>(text, font, ControlLook::labelSize(text, font).width);
            w->contentView()->addSubview(swatch);
            w->display();
            auto inkIn = [&](double top) {
                int count = 0;
                for (double y = top; y < top + 20; y += 1)
                    for (double x = 0; x < 400; x += 1)
                        count += bright(w->pixelAt(x + 0.5, y + 0.5));
                return count;
            };
            EXPECT_EQ(inkIn(4), inkIn(34)) << text << " at " << size << " points";
        }
    }
}
