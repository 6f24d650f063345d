// Every text colour against every background it is drawn on, in the window system's own
// dark look, over the program's slate ramp and in the light and dark control skins: text
// reads at 4.5:1 or better, hints (placeholders, disabled items, offered completions) at 3:1.
#include "ViewkitFixture.h"
#include "tests/support/DrawnContrast.h"

#include "drawing/BricksDrawing.h"
#include "drawing/KeyboardShortcutsStyleKit.h"
#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/Contrast.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Button.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Toolbar.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace ostrel;
namespace Look = ui::ControlLook;
using K = OstrelStyleKit;

namespace {

constexpr double kText = 4.5;
constexpr double kHint = 3.0;

struct Pair {
    std::string name;
    gfx::Color text;
    gfx::Color background;
    double wanted;
};

void expectReadable(const std::vector<Pair>& pairs)
{
    for (const auto& pair : pairs)
        EXPECT_GE(gfx::contrastRatio(pair.text, pair.background), pair.wanted) << pair.name;
}

}

TEST(Contrast, TheMeasureIsTheGuidelinesOne)
{
    EXPECT_NEAR(gfx::contrastRatio(gfx::colors::black, gfx::colors::white), 21, 1e-9);
    EXPECT_NEAR(gfx::contrastRatio(gfx::colors::white, gfx::colors::white), 1, 1e-9);
    EXPECT_NEAR(gfx::contrastRatio(gfx::Color::rgb(0.5, 0.5, 0.5), gfx::colors::white), 3.98, 0.01);
    // Half-transparent black on white is a grey.
    EXPECT_NEAR(gfx::contrastRatio(gfx::colors::black.withAlpha(0.5), gfx::colors::white),
        gfx::contrastRatio(gfx::Color::rgb(0.5, 0.5, 0.5), gfx::colors::white), 1e-9);
    // The empty calendar strip as it was: n0 on n2.
    EXPECT_LT(gfx::contrastRatio(K::n0(), K::n2()), 1.5);
}

TEST(Contrast, TheWindowSystemsDarkLook)
{
    gfx::Color label = ui::TextField::createLabel("")->textColor();
    gfx::Color selection = Look::selectionColor(Look::kField, true);
    gfx::Color pill = Look::kAccent.blended(0.4, gfx::colors::black);
    std::vector<Pair> pairs {
        { "text on a face", Look::kText, Look::kFace, kText },
        { "text on a pressed face", Look::kText, Look::kFaceHighlighted, kText },
        { "text in a field", Look::kText, Look::kField, kText },
        { "a menu item", Look::kText, Look::kMenu, kText },
        { "a highlighted menu item", gfx::colors::white, Look::kAccent, kText },
        { "selected text", Look::kText, selection, kText },
        { "a token", label, pill, kText },
        { "a placeholder", Look::kSecondaryText, Look::kField, kHint },
        { "a disabled menu item", Look::kSecondaryText, Look::kMenu, kHint },
        { "a disabled control", Look::kSecondaryText, Look::kFace, kHint },
    };
    for (const gfx::Color* slate : { &K::n0(), &K::n1(), &K::n2(), &K::n3(), &K::n4(), &K::n6(), &K::n8(), &K::n10() })
        pairs.push_back({ "a label on the slate ramp", label, *slate, kText });
    expectReadable(pairs);
}

TEST(Contrast, SelectedTextKeepsReadingOnDarkAndLightPages)
{
    // A pad: dark text on light yellow; the objective field: light text on a dark field.
    std::vector<Pair> pairs {
        { "selected pad text", gfx::colors::black, Look::selectionColor(K::lightYellow(), true), kText },
        { "selected dark text over what is behind", gfx::colors::black, Look::selectionColorForText(gfx::colors::black, true), kText },
        { "selected light text over what is behind", Look::kText, Look::selectionColorForText(Look::kText, true), kText },
        { "selected pad text, window in the back", gfx::colors::black, Look::selectionColor(K::lightYellow(), false), kText },
        { "selected text in a dark field", Look::kText, Look::selectionColor(Look::kField, true), kText },
        { "selected text in a dark field, window in the back", Look::kText, Look::selectionColor(Look::kField, false), kText },
    };
    expectReadable(pairs);
}

TEST(Contrast, TheProgramsTextOnItsSlateBackgrounds)
{
    // The empty calendar strip and the group rows sit on the fragment backgrounds, n2 and darker.
    std::vector<Pair> pairs;
    for (const gfx::Color* slate : { &K::n2(), &K::n3(), &K::n4(), &K::n6(), &K::n8(), &K::n10() }) {
        pairs.push_back({ "\"No Calendar Events.\"", K::textOnSlate(), *slate, kText });
        pairs.push_back({ "\"Use Ctrl+D to quickly enter a duration.\"", K::hintOnSlate(), *slate, kHint });
    }
    pairs.push_back({ "a group row's heading", ui::TextField::createLabel("")->textColor(), K::n10(), kText });
    expectReadable(pairs);
}

TEST(Contrast, TheLightAndDarkControlSkins)
{
    using B = BricksDrawing;
    std::vector<Pair> pairs {
        { "light: a button", B::standardText(), B::standardFill(), kText },
        { "dark: a button", B::darkText(), B::darkFill(), kText },
        { "dark: a pressed button", B::darkHighlightedText(), B::darkHighlightedFill(), kText },
        { "dark: a label, a check box, a pull-down", gfx::colors::green, B::darkFill(), kText },
    };
    for (const auto& stop : B::standardHighlightGradient().stops())
        pairs.push_back({ "light: a pressed button's title over its gradient", B::standardHighlightedText(), stop.color, kText });
    expectReadable(pairs);
}

namespace {

// A view that draws what it is given.
class Drawn : public ui::View {
public:
    static std::shared_ptr<Drawn> create(std::function<void(const ui::Rect&)> draw)
    {
        auto view = std::shared_ptr<Drawn>(new Drawn);
        view->m_draw = std::move(draw);
        return view;
    }
    bool isFlipped() const override { return true; }
    void draw(gfx::GraphicsContext&, const ui::Rect&) override { m_draw(bounds()); }

private:
    Drawn()
        : ui::View({})
    {
    }
    std::function<void(const ui::Rect&)> m_draw;
};

using DrawnContrast = ostrel::test::ViewkitTest;
using ostrel::test::drawnContrast;

}

TEST_F(DrawnContrast, EveryTextTheWindowSystemDrawsOnAFaceOfItsOwn)
{
    auto w = window(420, 200);
    // A recorded shortcut in the recorder's dark box, in the colour the recorder gives it.
    auto box = Drawn::create([](const ui::Rect& bounds) {
        KeyboardShortcutsStyleKit::drawBoxDarkMode(bounds, gfx::Color::white(0.29), Look::kAccentText, "Super+Ctrl+P", bounds.width(), true);
    });
    box->setFrame(ui::Rect(10, 10, 160, 22));
    w->contentView()->addSubview(box);
    // A chosen toolbar item (the preferences' pane switcher) and an unchosen one.
    auto toolbar = ui::Toolbar::create();
    toolbar->setFrame(ui::Rect(0, 100, 420, ui::Toolbar::kHeight));
    toolbar->addItem(ui::ToolbarItem::create("general", "General"));
    toolbar->addItem(ui::ToolbarItem::create("shortcuts", "Shortcuts"));
    toolbar->setSelectedItemIdentifier("shortcuts");
    w->contentView()->addSubview(toolbar);
    // A style indicator that is on, and a chosen segment.
    auto indicator = ui::Button::create("B", ui::ButtonType::Toggle);
    indicator->setBezelStyle(ui::BezelStyle::Borderless);
    indicator->setState(ui::ControlStateValue::On);
    indicator->setFrame(ui::Rect(200, 10, 24, 20));
    w->contentView()->addSubview(indicator);
    auto segments = ui::SegmentedControl::create({ "Day", "Week" });
    segments->setSelectedSegment(1);
    segments->setFrame(ui::Rect(240, 10, 160, 24));
    w->contentView()->addSubview(segments);
    w->layoutIfNeeded();

    auto topLeft = [&](ui::View& view, ui::Rect inView) {
        ui::Rect r = view.convertRectTo(inView, nullptr);
        return ui::Rect(r.minX(), w->frame().height() - r.maxY(), r.width(), r.height());
    };
    EXPECT_GE(drawnContrast(*box, 3), kText) << "a recorded shortcut";
    ui::Rect chosen = toolbar->rectOfItem(1);
    EXPECT_GE(drawnContrast(*w, topLeft(*toolbar, ui::Rect(chosen.minX() + 4, chosen.maxY() - 18, chosen.width() - 8, 14))), kText)
        << "a chosen toolbar item's label";
    EXPECT_GE(drawnContrast(*indicator, 3), kText) << "an indicator that is on";
    ui::Rect second = segments->rectOfSegment(1);
    EXPECT_GE(drawnContrast(*w, topLeft(*segments, second.insetBy(6, 4))), kText) << "a chosen segment";
}

TEST_F(DrawnContrast, AnAlertsBadgeReadsInEveryStyle)
{
    // The badge's mark is large, bold text: 3:1 is its measure.
    for (auto style : { ui::Alert::Style::Warning, ui::Alert::Style::Critical, ui::Alert::Style::Informational }) {
        double measured = 0;
        ui::Alert::setResponder([&](ui::Alert& alert) -> std::optional<int> {
            measured = drawnContrast(*alert.window()->contentView()->subviews().back(), 8);
            return 0;
        });
        auto alert = ui::Alert::create();
        alert->setAlertStyle(style);
        alert->setMessageText("Are you sure?");
        alert->addButton("OK");
        alert->runModal();
        EXPECT_GE(measured, 3.0) << static_cast<int>(style);
    }
    ui::Alert::setResponder({});
}
