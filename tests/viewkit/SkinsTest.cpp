#include "ViewkitFixture.h"

#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DarkControlSkin.h"
#include "viewkit/OstrelControlSkin.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/TextFieldBrickType.h"

#include "drawing/BricksDrawing.h"
#include "tests/support/gfx/Canvas.h"

namespace ostrel::test {

namespace {

class Provider : public TextProviderType {
public:
    explicit Provider(std::string text)
        : m_text(std::move(text))
    {
    }
    std::string getText() const override { return m_text; }

private:
    std::string m_text;
};

gfx::Color textColorOf(const DrawingPalette& palette)
{
    auto* text = palette.as<DrawingPalette::TextColor>();
    return text ? text->color : gfx::colors::clear;
}

}

using SkinsTest = ViewkitTest;

TEST_F(SkinsTest, AStackRunsEveryOperationInOrderFromTheFrameItWasGiven)
{
    std::vector<gfx::Rect> frames;
    auto record = [&](const gfx::Rect& frame, const std::vector<DrawingAsset>&, const DrawingPalette&) { frames.push_back(frame); };
    DrawingStack stack;
    stack.draw(gfx::Rect(0, 0, 10, 10));
    EXPECT_TRUE(frames.empty());
    stack.operations.push_back({ record, [](const gfx::Rect& r) { return r.insetBy(2, 2); }, {}, DrawingPalette::empty() });
    stack.operations.push_back({ record, [](const gfx::Rect& r) { return gfx::Rect(r.minX() + 1, r.minY(), r.width(), r.height()); }, {},
        DrawingPalette::empty() });
    stack.draw(gfx::Rect(0, 0, 10, 10));
    EXPECT_EQ(frames, (std::vector<gfx::Rect> { gfx::Rect(2, 2, 6, 6), gfx::Rect(1, 0, 10, 10) }));
}

TEST_F(SkinsTest, TheTitleIsTheLastTextProvidersText)
{
    auto first = std::make_shared<Provider>("first");
    auto second = std::make_shared<Provider>("second");
    EXPECT_EQ(titleOfAssets({ DrawingAsset::text("fixed") }), "");
    EXPECT_EQ(titleOfAssets({ DrawingAsset::textProvider(first), DrawingAsset::text("fixed") }), "first");
    EXPECT_EQ(titleOfAssets({ DrawingAsset::textProvider(first), DrawingAsset::textProvider(second) }), "second");
}

TEST_F(SkinsTest, AStackNamesItsBrickWithoutKeepingItAlive)
{
    auto button = PushButtonBrick::create("Old", [] { });
    auto stack = GenericControlSkin().normalPushButtonDrawingStack(*button);
    ASSERT_TRUE(stack);
    ASSERT_EQ(stack->operations.size(), 1u);
    auto& assets = stack->operations[0].assets;
    button->setTitle("New");
    EXPECT_EQ(titleOfAssets(assets), "New");
    std::weak_ptr<PushButtonBrick> gone = button;
    button.reset();
    EXPECT_TRUE(gone.expired());
    EXPECT_EQ(titleOfAssets(assets), "");
}

TEST_F(SkinsTest, PalettesOfTheThreeSkins)
{
    auto button = PushButtonBrick::create("OK", [] { });
    ControlSkin base;
    GenericControlSkin generic;
    DarkControlSkin dark;

    EXPECT_FALSE(base.normalPushButtonDrawingStack(*button));
    EXPECT_EQ(textColorOf(base.labelPalette()), gfx::colors::red);
    EXPECT_EQ(textColorOf(OstrelControlSkin::shared().labelPalette()), gfx::colors::red);
    EXPECT_EQ(textColorOf(generic.labelPalette()), BricksDrawing::standardText());
    EXPECT_EQ(textColorOf(dark.labelPalette()), gfx::colors::green);

    auto highlighted = generic.highlightedPushButtonDrawingStack(*button);
    ASSERT_TRUE(highlighted);
    EXPECT_NE(highlighted->operations[0].palette.as<DrawingPalette::GradientAndStrokeAndTextColors>(), nullptr);
    auto darkHighlighted = dark.highlightedPushButtonDrawingStack(*button);
    auto* colors = darkHighlighted->operations[0].palette.as<DrawingPalette::FillAndStrokeAndTextColors>();
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(colors->fill, BricksDrawing::darkHighlightedFill());
    auto darkNormal = dark.normalPushButtonDrawingStack(*button);
    EXPECT_EQ(darkNormal->operations[0].palette.as<DrawingPalette::FillAndStrokeAndTextColors>()->textColor, gfx::colors::green);

    auto box = CheckBoxBrick::create("Box");
    EXPECT_FALSE(generic.checkBoxOnDrawingStack(*box));
    EXPECT_TRUE(dark.checkBoxOnDrawingStack(*box));
    auto pullDown = PullDownButtonBrick::create("More");
    EXPECT_TRUE(dark.pullDownButtonDrawingStack(*pullDown));
}

TEST_F(SkinsTest, TheBaseSkinsHighlightedStackIsItsNormalOne)
{
    class OnlyNormal : public ControlSkin {
    public:
        std::optional<DrawingStack> normalPushButtonDrawingStack(ui::Button& button) const override
        {
            return stackOf([](const gfx::Rect&, const std::vector<DrawingAsset>&, const DrawingPalette&) { }, DrawingPalette::frameColor(gfx::colors::blue),
                button);
        }
    };
    auto button = PushButtonBrick::create("OK", [] { });
    auto stack = OnlyNormal().highlightedPushButtonDrawingStack(*button);
    ASSERT_TRUE(stack);
    EXPECT_NE(stack->operations[0].palette.as<DrawingPalette::FrameColor>(), nullptr);
}

TEST_F(SkinsTest, AFramePaletteDrawsAClearFaceWithItsOutline)
{
    gfx::test::Canvas canvas(80, 40);
    GenericControlSkin::drawPushButton(gfx::Rect(0, 0, 80, 40), {}, DrawingPalette::frameColor(gfx::colors::blue));
    // The face stays clear inside; the outline is blue somewhere along the middle row.
    EXPECT_LT(canvas.at(40, 20).alpha, 0.05);
    bool outlined = false;
    for (int x = 0; x < 80; ++x)
        outlined = outlined || (canvas.at(x, 20).blue > 0.5 && canvas.at(x, 20).alpha > 0.3);
    EXPECT_TRUE(outlined);

    // A palette the function does not read draws red.
    gfx::test::Canvas other(80, 40);
    GenericControlSkin::drawPushButton(gfx::Rect(0, 0, 80, 40), {}, DrawingPalette::empty());
    EXPECT_GT(other.at(40, 20).red, 0.9);
    EXPECT_LT(other.at(40, 20).green, 0.1);
}

TEST_F(SkinsTest, ATextFieldTakesTheSkinsLabelColourOnlyFromATextColourPalette)
{
    class Framing : public ControlSkin {
    public:
        DrawingPalette labelPalette() const override { return DrawingPalette::frameColor(gfx::colors::blue); }
    };
    auto label = standardLabel("Notes");
    gfx::Color before = label->textColor();
    ostrel::apply(*label, Framing());
    EXPECT_EQ(label->textColor(), before);
    ostrel::apply(*label, DarkControlSkin());
    EXPECT_EQ(label->textColor(), gfx::colors::green);
    ostrel::small(*label);
    EXPECT_EQ(label->font().pointSize, gfx::Font::smallSystemFontSize);
}

TEST_F(SkinsTest, TheApplicationSkinsFonts)
{
    auto& skin = OstrelControlSkin::shared();
    EXPECT_EQ(&skin, &OstrelControlSkin::shared());
    EXPECT_EQ(skin.titleFont().pointSize, 18);
    EXPECT_EQ(skin.secondaryTitleFont().pointSize, 14);
    EXPECT_EQ(skin.tertiaryTitleFont(), gfx::Font::system(11, gfx::FontWeight::light));
    EXPECT_TRUE(skin.monospacedDigitsFont().monospacedDigits);
    EXPECT_EQ(skin.proportionalDigitsFont().pointSize, 24);
}

}
