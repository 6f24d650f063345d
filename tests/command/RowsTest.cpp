// The pop-up's result rows: what each kind of entry shows, in which colours.
#include "command/ActionMatchingItem.h"
#include "command/BackgroundDrawingWallWithTintSupport.h"
#include "command/GenericMultiStateOptionMatchingItem.h"
#include "command/KeyComboStaticLabel.h"
#include "command/MatchingGroupItem.h"
#include "command/MatchingLineFragmentFactory.h"
#include "command/OnOffOptionMatchingItem.h"
#include "command/OstrelMatchingLineFragment.h"
#include "command/TimeScaleMatchingItem.h"
#include "command/VisibilityOptionMatchingItem.h"
#include "command/WindowCompactnessMatchingItem.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/SmartTextField.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ostrel::test {

namespace {

constexpr gfx::Color kBackdrop = gfx::colors::black;

double distance(const gfx::Color& a, const gfx::Color& b)
{
    return std::max({ std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue) });
}

class RowsTest : public testing::Test {
protected:
    RowsTest()
    {
        m_app = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
        window = ui::Window::create(ui::Rect(100, 100, 400, 60), ui::WindowStyle::Borderless);
        window->setBackgroundColor(kBackdrop);
        auto fragment = OstrelMatchingLineFragmentFactory().makeBlank();
        row = std::static_pointer_cast<OstrelMatchingLineFragment>(fragment);
        row->build();
        window->setContentView(row);
        window->orderFront();
    }

    void show(std::shared_ptr<MatchingItem> item, bool highlighted = false)
    {
        row->setMatchingItem(item);
        row->setHighlighted(highlighted);
        row->configure(item);
        row->changeColors();
        window->display();
    }
    std::string state() { return row->rightAlignedTextField()->stringValue(); }
    // The colour of the strongest ink inside a part of the row: where a glyph or a letter
    // covers its pixel wholly.
    gfx::Color ink(ui::View& part, gfx::Color background)
    {
        window->display();
        ui::Rect rect = part.convertRectTo(part.bounds(), nullptr);
        gfx::Color strongest = background;
        for (double y = rect.minY() + 0.5; y < rect.maxY(); y += 1) {
            for (double x = rect.minX() + 0.5; x < rect.maxX(); x += 1) {
                auto pixel = window->pixelAt(x, window->frame().height() - y);
                if (distance(pixel, background) > distance(strongest, background))
                    strongest = pixel;
            }
        }
        return strongest;
    }
    gfx::Color corner() { return window->pixelAt(1, 1); }

    std::unique_ptr<ui::Application> m_app;
    std::shared_ptr<base::Defaults> store { base::Defaults::create("") };
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<OstrelMatchingLineFragment> row;
};

}

TEST_F(RowsTest, WithoutAnEntryTheTopRowSaysNoMatchAndTheOthersStayBlank)
{
    show(ActionMatchingItem::create("Quit...", { "Actions" }, MatchingItemKind::item, [] { }));
    row->keyComboLabel()->configure(KeyCombo(12, 0x100));
    row->setTopFragment(true);
    show(nullptr);
    EXPECT_EQ(row->titleTextField()->stringValue(), "No Match");
    EXPECT_EQ(row->byLineTextField()->stringValue(), "");
    EXPECT_EQ(state(), "");
    EXPECT_TRUE(row->keyComboLabel()->symbolList().empty());
    EXPECT_EQ(ink(*row->leftImageWall(), corner()), corner()) << "no icon";

    row->setTopFragment(false);
    show(nullptr);
    EXPECT_EQ(row->titleTextField()->stringValue(), "");
}

TEST_F(RowsTest, GroupsShowAFolderAndAChevron)
{
    show(MatchingGroupItem::create("Sidebar", { "Tools" }));
    EXPECT_EQ(row->titleTextField()->stringValue(), "Sidebar");
    EXPECT_EQ(row->byLineTextField()->stringValue(), " \u2190 Tools");
    EXPECT_LT(distance(ink(*row->leftImageWall(), kBackdrop), OstrelStyleKit::commandTitle()), 0.01);
    EXPECT_LT(distance(ink(*row->rightImageWall(), kBackdrop), OstrelStyleKit::commandByLine()), 0.02);

    show(ActionMatchingItem::create("Hide Ostrel", { "Navigation" }, MatchingItemKind::item, [] { }));
    EXPECT_EQ(ink(*row->rightImageWall(), kBackdrop), kBackdrop) << "a command has no chevron";
}

TEST_F(RowsTest, OptionsSayTheirSettingInWords)
{
    auto onOff = OnOffOptionMatchingItem::create(*store, "Use Soft Break", "shouldUseSoftBreak", { "Global Options" });
    show(onOff);
    EXPECT_EQ(state(), "Off");
    store->set("shouldUseSoftBreak", true);
    show(onOff);
    EXPECT_EQ(state(), "On");

    store->set("objectiveHidden", true);
    show(VisibilityOptionMatchingItem::create(*store, "Objective", "objectiveHidden", { "State-Specific Options" }));
    EXPECT_EQ(state(), "Hide");

    auto scale = TimeScaleMatchingItem::create(*store, "Time Scale");
    store->set("timeSliceTimeScale", 1);
    show(scale);
    EXPECT_EQ(state(), "1\u00BD Hours");
    store->set("timeSliceTimeScale", 3);
    show(scale);
    EXPECT_EQ(state(), "\u00BE Hour");

    store->set("windowCompressionMode", 2);
    show(WindowCompactnessMatchingItem::create(*store, "Keep Window Compact", { "Global Options" }, [] { }));
    EXPECT_EQ(state(), "With Closed Sidebar");

    auto multi = GenericMultiStateOptionMatchingItem<std::string>::create(*store, "Sound", {}, MatchingItemKind::stateOption,
        "soundName", [](const std::string& s) { return s; }, [](const std::string& s) { return "Sound " + s; });
    show(multi);
    EXPECT_EQ(state(), "dummy") << "nothing of its type stored";
    store->set("soundName", std::string("Bell"));
    show(multi);
    EXPECT_EQ(state(), "Sound Bell");

    show(ActionMatchingItem::create("Parse Objective", { "Tools", "Tasks" }, MatchingItemKind::item, [] { }));
    EXPECT_EQ(state(), "") << "commands have no state";
}

TEST_F(RowsTest, KeySymbolsReadAsTheCombinationsOwnDescription)
{
    auto action = ActionMatchingItem::create("Parse Clipboard & Set Objective", { "Tools", "Tasks" }, MatchingItemKind::item, [] { });
    action->setKeyCombo(KeyCombo(35, 0x1200));
    show(action);
    auto& symbols = row->keyComboLabel()->symbolList();
    ASSERT_EQ(symbols.size(), 3u);
    // Drawn right to left: read from the left they are the description.
    EXPECT_EQ(symbols[2] + symbols[1] + symbols[0], KeyCombo(35, 0x1200).description());
    EXPECT_EQ(symbols[0], Key(Key::p).description());

    action->setKeyCombo(KeyCombo(0x0A, 0x900));
    show(action);
    ASSERT_EQ(symbols.size(), 2u) << "a code without a key shows its modifiers only";
    EXPECT_EQ(symbols[1] + symbols[0], KeyCombo(0x0A, 0x900).description());

    // Written out in words, a combination of every modifier needs more than six cells: the
    // label widens rather than cutting the leftmost words off.
    action->setKeyCombo(KeyCombo(45, 0x1B00));
    show(action);
    auto label = row->keyComboLabel();
    double leftmost = label->frame().maxX();
    for (auto& symbol : symbols) {
        gfx::TextLayout layout(symbol, label->attributes());
        leftmost -= std::max(label->width(), std::ceil(layout.boundingRect().width()) + 2) + label->horizontalInset();
    }
    EXPECT_GE(leftmost, label->frame().minX() - 0.5) << KeyCombo(45, 0x1B00).description();
    EXPECT_LE(label->frame().maxX(), row->frame().width());

    action->setKeyCombo(std::nullopt);
    show(action);
    EXPECT_TRUE(symbols.empty());
    EXPECT_EQ(row->keyComboLabel()->frame().width(), 13 * 6) << "six cells when there is nothing to show";
}

TEST_F(RowsTest, ALongTitleEndsInAnEllipsisShortOfItsKeys)
{
    auto action = ActionMatchingItem::create("Parse Selected Text & Set Objective", { "Tools", "Tasks" }, MatchingItemKind::item, [] { });
    action->setKeyCombo(KeyCombo(35, 0x1100));
    show(action);
    window->layoutIfNeeded();
    auto label = row->keyComboLabel();
    auto inWindow = [](ui::View& view) { return view.convertRectTo(view.bounds(), nullptr); };
    double keysStart = inWindow(*label).maxX() - label->symbolsWidth();
    ui::Rect titleRect = inWindow(*row->titleTextField());
    EXPECT_LE(titleRect.maxX(), keysStart - 4) << "the title stops before the key text";
    // No ink of the title's colour between where the title ends and the keys begin.
    gfx::Color title = OstrelStyleKit::commandTitle();
    int inked = 0;
    for (double x = titleRect.maxX() + 1; x < keysStart; x += 1)
        for (double y = titleRect.minY() + 0.5; y < titleRect.maxY(); y += 1)
            inked += distance(window->pixelAt(x, window->frame().height() - y), title) < 0.2;
    EXPECT_EQ(inked, 0);
    EXPECT_GT(distance(ink(*row->titleTextField(), kBackdrop), kBackdrop), 0.3) << "the title still shows, shortened";

    // A short title, or one without keys, keeps the whole row.
    action->setKeyCombo(std::nullopt);
    show(action);
    window->layoutIfNeeded();
    EXPECT_GT(row->titleTextField()->frame().width(), 200);
}

TEST_F(RowsTest, ColoursOfTheFourStates)
{
    auto enabled = ActionMatchingItem::create("Start Time Slice", { "Next Action" }, MatchingItemKind::defaultChoice, [] { });
    auto disabled = ActionMatchingItem::create("Start Time Slice", { "Next Action" }, MatchingItemKind::defaultChoice, [] { });
    disabled->setEnabled(false);
    struct Case {
        std::shared_ptr<ActionMatchingItem> item;
        bool highlighted;
        gfx::Color background, title, icon;
    };
    const Case cases[] = {
        { enabled, false, kBackdrop, OstrelStyleKit::commandTitle(), OstrelStyleKit::commandTitle() },
        { disabled, false, kBackdrop, OstrelStyleKit::commandByLine(), OstrelStyleKit::commandByLine() },
        { enabled, true, OstrelStyleKit::n10(), OstrelStyleKit::commandHighlightedTitle(), OstrelStyleKit::commandHighlightedTitle() },
        { disabled, true, OstrelStyleKit::n10(), OstrelStyleKit::commandHighlightedButDisabled(), OstrelStyleKit::commandHighlightedByLine() },
    };
    for (auto& c : cases) {
        show(c.item, c.highlighted);
        SCOPED_TRACE(std::string(c.highlighted ? "highlighted " : "") + (c.item->isEnabled() ? "enabled" : "disabled"));
        EXPECT_LT(distance(corner(), c.background), 0.01);
        EXPECT_LT(distance(ink(*row->leftImageWall(), c.background), c.icon), 0.02);
        EXPECT_LT(distance(ink(*row->titleTextField(), c.background), c.title), 0.08);
        EXPECT_EQ(row->titleTextField()->textColor(), c.title);
    }
}

TEST(PlainRows, GreysOfTheirOwnAndNoGlyphs)
{
    auto app = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
    auto row = MatchingLineFragmentFactory().makeBlank();
    row->build();
    auto item = ActionMatchingItem::create("Start", { "Next Action" }, MatchingItemKind::defaultChoice, [] { });
    row->setMatchingItem(item);
    row->configure(item);
    row->changeColors();
    EXPECT_EQ(row->titleTextField()->textColor(), gfx::Color::white(0.25));
    EXPECT_EQ(row->byLineTextField()->textColor(), gfx::Color::white(0.6));
    row->setHighlighted(true);
    row->changeColors();
    EXPECT_EQ(row->titleTextField()->textColor(), gfx::Color::white(1.0));
    EXPECT_EQ(row->leftImageWall()->tint(), gfx::Color::white(1.0));
    item->setEnabled(false);
    row->changeColors();
    EXPECT_EQ(row->leftImageWall()->tint(), gfx::Color::white(0.9));
    EXPECT_EQ(row->byLineTextField()->stringValue(), "Next Action");
}

}
