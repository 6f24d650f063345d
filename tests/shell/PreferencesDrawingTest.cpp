#include "tests/shell/PreferencesFixture.h"

#include "core/MacOSVersion.h"
#include "shell/PreferencesForm.h"
#include "shell/PreferencesViews.h"

#include "platform/ui/Window.h"

namespace ostrel::test {
namespace {

using Value = base::Value;

Value set(std::initializer_list<int> indexes) { return IntToIndexSetTransformer::indexSetValue(std::set<int>(indexes)); }

// One view of the preferences window's look alone in a window, drawn; probed by points from
// the window's top left.
class PreferencesLookTest : public PreferencesTest {
protected:
    ~PreferencesLookTest() override
    {
        MacOSVersion::setAppearanceProvider({});
        base::RunLoop::main().discardAll();
        window.reset();
    }
    void show(const std::shared_ptr<ui::View>& view, ui::Rect frame)
    {
        window = ui::Window::create(ui::Rect(0, 0, 100, 100));
        auto content = PreferencesForm::sheet(ui::Size(100, 100));
        content->setFrame(ui::Rect(0, 0, 100, 100));
        window->setContentView(content);
        view->setFrame(frame);
        content->addSubview(view);
        window->orderFront();
        window->display();
    }
    double grey(double x, double y) { return window->pixelAt(x, y).red; }

    std::shared_ptr<ui::Window> window;
};

}

TEST(PreferencesValueTransformers, IndexSetsOfStoredRows)
{
    IntToIndexSetTransformer transformer;
    EXPECT_EQ(transformer.transformedValue(3), set({ 3 }));
    EXPECT_EQ(transformer.transformedValue(4.0), set({ 4 }));
    EXPECT_EQ(transformer.transformedValue(static_cast<long long>(4294967296LL + 5)), set({ 5 })) << "read as 32 bits";
    EXPECT_EQ(transformer.transformedValue(-1), set({})) << "a negative row selects nothing";
    EXPECT_EQ(transformer.transformedValue(static_cast<long long>(2147483648LL)), set({})) << "negative as 32 bits";
    EXPECT_TRUE(transformer.transformedValue(Value()).isNull());
    EXPECT_TRUE(transformer.transformedValue("3").isNull());

    EXPECT_EQ(transformer.reverseTransformedValue(set({ 3, 7 })), Value(3));
    EXPECT_TRUE(transformer.reverseTransformedValue(set({})).isNull());
    EXPECT_TRUE(transformer.reverseTransformedValue(Value()).isNull());
    EXPECT_EQ(transformer.reverseTransformedValue(Value::Array { Value("x"), Value(-2), Value(9) }), Value(9))
        << "what is no index is passed over";
}

TEST(PreferencesValueTransformers, PlainTextAndRichTextAndApplicationNames)
{
    AttributedStringTransformer rich;
    Value data = rich.transformedValue("Only <MinutesLeft> left");
    ASSERT_TRUE(data.asData());
    EXPECT_EQ(rich.reverseTransformedValue(data), Value("Only <MinutesLeft> left"));
    EXPECT_TRUE(rich.transformedValue(Value()).isNull());
    EXPECT_TRUE(rich.reverseTransformedValue("text").isNull());

    PathToAppNameTransformer names;
    EXPECT_EQ(names.transformedValue("/Applications/OmniFocus.app"), Value("OmniFocus"));
    EXPECT_EQ(names.transformedValue("/Applications/The Hit List.app"), Value("The Hit List"));
    EXPECT_EQ(names.transformedValue("/usr/share/applications/firefox-esr.desktop"), Value("firefox-esr"));
    EXPECT_EQ(names.transformedValue("/usr/bin/editor"), Value("editor"));
    EXPECT_TRUE(names.transformedValue(Value()).isNull());
    EXPECT_TRUE(names.reverseTransformedValue("OmniFocus").isNull());

    ValueTransformer::removeAllValueTransformers();
    registerPreferencesValueTransformers();
    for (const char* name : { "IntToIndexSetTransformer", "AttributedStringTransformer", "PathToAppNameTransformer" }) {
        auto registered = ValueTransformer::named(name);
        ASSERT_TRUE(registered) << name;
        EXPECT_EQ(registered->name(), name);
    }
    ValueTransformer::removeAllValueTransformers();
}

TEST_F(PreferencesLookTest, ADividerCellDrawsOneLightLineAcrossItsMiddle)
{
    auto divider = DividerCell::create();
    show(divider, ui::Rect(10, 10, 60, 20));
    EXPECT_NEAR(grey(40, 20), 2.0 / 3, 0.01) << "10 points down its 20";
    EXPECT_NEAR(grey(40, 19), 0, 0.01);
    EXPECT_NEAR(grey(40, 21), 0, 0.01);
    EXPECT_NEAR(grey(14, 20), 2.0 / 3, 0.01) << "4 points in";
    EXPECT_NEAR(grey(13, 20), 0, 0.01);
    EXPECT_NEAR(grey(66, 20), 0, 0.01);
}

TEST_F(PreferencesLookTest, TheTablessTabViewDrawsItsPanelOnlyInTheLightAppearance)
{
    MacOSVersion::setAppearanceProvider([] { return false; });
    auto tabs = PreferencesTablessTabView::create();
    show(tabs, ui::Rect(10, 10, 60, 40));
    EXPECT_NEAR(grey(30, 30), 0.88, 0.01);
    EXPECT_NEAR(grey(10, 30), 0.75, 0.01) << "its frame";
    EXPECT_NEAR(grey(30, 10), 0.56, 0.01) << "the darker line along its top";

    MacOSVersion::setAppearanceProvider([] { return true; });
    tabs->setNeedsDisplay();
    window->display();
    EXPECT_NEAR(grey(30, 30), 0, 0.01) << "dark: the platform's own, which draws nothing";
}

TEST_F(PreferencesLookTest, TheBorderedScrollViewDrawsOnlyItsFrame)
{
    auto scroll = PreferencesBorderedScrollView::create();
    show(scroll, ui::Rect(10, 10, 60, 40));
    EXPECT_NEAR(grey(10, 30), 0.5, 0.01);
    EXPECT_NEAR(grey(69, 30), 0.5, 0.01);
    EXPECT_NEAR(grey(40, 10), 0.5, 0.01);
    EXPECT_NEAR(grey(40, 49), 0.5, 0.01);
    EXPECT_NEAR(grey(40, 30), 0, 0.01) << "nothing inside";
}

TEST_F(PreferencesLookTest, APanePullDownShowsItsTitleAndARightArrow)
{
    auto pullDown = PreferencesPanePullDownBottomButton::create();
    pullDown->addItem("Help Topics");
    EXPECT_TRUE(pullDown->isBottom());
    EXPECT_FALSE(PreferencesPanePullDownButton::create()->isBottom());
    show(pullDown, ui::Rect(10, 10, 80, 24));
    EXPECT_NEAR(grey(10, 20), 0.5, 0.01) << "its grey frame";
    EXPECT_GT(grey(79, 22), 0.5) << "the arrow, 15 points in from the right, in the control's text colour";
    EXPECT_NEAR(grey(85, 22), 0, 0.01);
}

}
