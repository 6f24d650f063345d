// The pad text view's style commands with their undo, its settings, and what it takes from
// the task managers and the objective parser.
#include "MainWindowFixture.h"

#include "mainwindow/BorderedBackgroundView.h"
#include "mainwindow/ObjectiveBackgroundManager.h"
#include "mainwindow/ObjectiveTextView.h"
#include "mainwindow/TextIndicatorsView.h"
#include "viewkit/PushButtonBrick.h"

#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Image.h"

#include "platform/gfx/Archive.h"
#include "platform/text/FontTraits.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Button.h"
#include "platform/ui/Pasteboard.h"

namespace ostrel::test {

namespace {

class PadTextViewTest : public MainWindowTest {
protected:
    NowAndLaterBoardTextView& page(const text::AttributedString& content)
    {
        focusNowPad();
        nowText().showPage({ content, {}, true });
        return nowText();
    }
    const text::Attributes& at(std::size_t index) { return nowText().textStorage().attributesAt(index); }
    bool sawDiagnostic(std::string_view part) const
    {
        for (const auto& line : diagnostics) {
            if (line.find(part) != std::string::npos)
                return true;
        }
        return false;
    }
};

}

TEST_F(PadTextViewTest, BoldWithNothingSelectedChangesOnlyTheNextTyping)
{
    auto& view = page(text::AttributedString::fromUtf8("plain"));
    view.setSelectedRange({ 5, 0 });
    view.toggleBoldAttribute();
    EXPECT_FALSE(view.fastTypeDelegate()->hasPendingWrite());
    EXPECT_EQ(view.textStorage().runs().size(), 1u);
    type("B");
    EXPECT_TRUE(text::FontTraits::isBold(*at(5).font));
    EXPECT_FALSE(at(0).font && text::FontTraits::isBold(*at(0).font));
}

TEST_F(PadTextViewTest, TheStyleButtonsLeaveTheKeyboardWithThePageAndShowTheStyleAtTheCaret)
{
    auto& view = page(text::AttributedString::fromUtf8("note"));
    view.setSelectedRange({ 4, 0 });
    auto bold = nowPad().textIndicatorsView()->boldIndicator();
    auto clickBold = [&] {
        ui::Point centre = bold->convertPointTo(bold->bounds().center(), nullptr);
        backend().click(window(), { centre.x, window().frame().height() - centre.y });
    };
    auto boldPicture = [&] {
        window().display();
        ui::Rect frame = bold->convertRectTo(bold->bounds(), nullptr);
        std::vector<gfx::Color> pixels;
        for (double y = frame.minY() + 2; y < frame.maxY() - 2; y += 2)
            for (double x = frame.minX() + 2; x < frame.maxX() - 2; x += 2)
                pixels.push_back(window().pixelAt(x, window().frame().height() - y));
        return pixels;
    };
    auto off = boldPicture();

    type(" a");
    clickBold();
    EXPECT_EQ(window().firstResponder(), &view) << "the button leaves the keyboard to the page";
    EXPECT_EQ(bold->state(), ui::ControlStateValue::On);
    type("b");
    EXPECT_EQ(view.textStorage().string(), u"note ab");
    EXPECT_TRUE(text::FontTraits::isBold(*at(6).font));
    EXPECT_FALSE(at(5).font && text::FontTraits::isBold(*at(5).font));
    EXPECT_EQ(bold->state(), ui::ControlStateValue::On);
    EXPECT_NE(boldPicture(), off) << "an indicator that is on looks it";

    // The indicators follow the caret through the text.
    view.setSelectedRange({ 2, 0 });
    EXPECT_EQ(bold->state(), ui::ControlStateValue::Off);
    EXPECT_EQ(boldPicture(), off);
    backend().press(window(), static_cast<std::uint16_t>(base::KeyCode::End), "");
    EXPECT_EQ(bold->state(), ui::ControlStateValue::On);

    // With a selection the button bolds it and the page keeps the keyboard.
    view.setSelectedRange({ 0, 4 });
    clickBold();
    EXPECT_TRUE(text::FontTraits::isBold(*at(0).font));
    EXPECT_EQ(window().firstResponder(), &view);
    backend().press(window(), static_cast<std::uint16_t>(base::KeyCode::End), "");
    type("c");
    EXPECT_EQ(view.textStorage().string(), u"note abc");

    // So does the pad's "+": the letters after it land in the new sheet, and Tab types a tab.
    auto plus = nowPad().newSheetButton();
    ui::Point plusCentre = plus->convertPointTo(plus->bounds().center(), nullptr);
    backend().click(window(), { plusCentre.x, window().frame().height() - plusCentre.y });
    EXPECT_EQ(window().firstResponder(), &view);
    type("x");
    backend().press(window(), static_cast<std::uint16_t>(base::KeyCode::Tab), "\t");
    EXPECT_EQ(window().firstResponder(), &view);
    std::u16string sheet = view.textStorage().string();
    EXPECT_TRUE(sheet.ends_with(u"x\t"));
}

TEST_F(PadTextViewTest, BoldingAStruckOutSelectionTakesTheStrikeAwayAndUndoesInOneStep)
{
    text::Attributes struck;
    struck.strikethrough = 1;
    struck.foreground = gfx::colors::red;
    auto& view = page(text::AttributedString(u"done task", struck));
    view.setSelectedRange({ 0, 4 });
    view.toggleBoldAttribute();
    EXPECT_EQ(at(0).strikethrough, 0) << "only the font is left to the changed part";
    EXPECT_FALSE(at(0).foreground.has_value());
    EXPECT_TRUE(text::FontTraits::isBold(*at(0).font));
    EXPECT_EQ(at(5).strikethrough, 1);
    EXPECT_TRUE(view.fastTypeDelegate()->hasPendingWrite());
    view.undoManager().undo();
    EXPECT_EQ(at(0).strikethrough, 1);
    EXPECT_EQ(view.textStorage().runs().size(), 1u);
}

TEST_F(PadTextViewTest, StrikeOutFollowsTheSelectionsStartOverTheWholeSelection)
{
    text::AttributedString mixed = text::AttributedString::fromUtf8("ab");
    text::Attributes struck;
    struck.strikethrough = 1;
    mixed.setAttributes({ 0, 1 }, struck);
    auto& view = page(mixed);
    view.setSelectedRange({ 0, 2 });
    view.toggleStrikeOutAttribute();
    EXPECT_EQ(at(0).strikethrough, 0);
    EXPECT_EQ(at(1).strikethrough, 0);
    EXPECT_TRUE(view.fastTypeDelegate()->hasPendingWrite()) << "a strike-out is written like any change";
    view.undoManager().undo();
    EXPECT_EQ(at(0).strikethrough, 1);
}

TEST_F(PadTextViewTest, PlainTextGivesTheSelectionThePadsAttributesOnly)
{
    text::Attributes fancy;
    fancy.font = gfx::Font::named("Helvetica-BoldOblique", 20);
    fancy.underline = 1;
    auto& view = page(text::AttributedString(u"fancy", fancy));
    view.setSelectedRange({ 0, 5 });
    view.makePlainText();
    EXPECT_EQ(at(0).font, NowAndLaterBoardManager::sharedManager().defaultFont());
    EXPECT_EQ(at(0).foreground, NowAndLaterBoardManager::sharedManager().textColor());
    EXPECT_EQ(at(0).underline, 0);
}

TEST_F(PadTextViewTest, ANewTextColourRecoloursTheWholeText)
{
    text::Attributes blue;
    blue.foreground = gfx::colors::blue;
    auto& view = page(text::AttributedString(u"coloured", blue));
    store().set("textColor", gfx::archiveColor(gfx::colors::green));
    EXPECT_EQ(at(0).foreground, gfx::colors::green);
    EXPECT_EQ(view.defaults().color, gfx::colors::green);
    store().set("smartQuotes", false);
    EXPECT_FALSE(view.textFeatures().smartQuotes);
}

TEST_F(PadTextViewTest, MarkingCompletedStrikesTheLineAndMovesToTheNextLinesEnd)
{
    auto& view = page(text::AttributedString::fromUtf8("  call Anna\nnext one\n"));
    view.setSelectedRange({ 3, 0 });
    view.markAsCompleted();
    EXPECT_EQ(at(1).strikethrough, 0) << "from the first letter";
    EXPECT_EQ(at(2).strikethrough, 1);
    EXPECT_EQ(at(11).strikethrough, 1);
    EXPECT_EQ(at(12).strikethrough, 0);
    EXPECT_EQ(view.selectedRange(), (text::Range { 20, 0 }));
    view.undoManager().undo();
    EXPECT_EQ(at(2).strikethrough, 0);
}

TEST_F(PadTextViewTest, ThingsToDosArePastedOnlyWhereThingsRuns)
{
    auto& view = page(text::AttributedString::fromUtf8("list"));
    ui::Pasteboard::general().clearContents();
    ui::Pasteboard::general().setString("to-do", "CCToDoPasteboardType");
    view.paste();
    wait(0.2);
    EXPECT_EQ(view.string(), "list");
    EXPECT_TRUE(sawDiagnostic("no things found."));
    EXPECT_EQ(NowAndLaterBoardTextView::preferredPasteboardTypeFromArray({ ui::PasteboardType::String, "TaskPasteboardType" }),
        "TaskPasteboardType");
}

TEST_F(PadTextViewTest, AnOmniFocusDropTakesDurationAndTagsAndDropsItsText)
{
    auto& view = page(text::AttributedString::fromUtf8(""));
    ui::Pasteboard dropped;
    dropped.setString("<omnifocus/>", "com.omnigroup.omnifocus.pboard.tasks.v1");
    dropped.setString("Call the plumber");
    EXPECT_TRUE(view.performDragOperation(dropped, ui::Point(5, 5)));
    EXPECT_EQ(view.string(), "Call the plumber") << "without the reader the text alone";

    MainWindowHooks::shared().parseOmniFocusTask = [](std::string_view) { return OmniFocusTask { 30, { "Home", "Calls" } }; };
    store().set("omnifocusEstimatedTime", true);
    store().set("omnifocusUseContext", true);
    view.performDragOperation(dropped, ui::Point(5, 5));
    EXPECT_EQ(store().integer("durationInSeconds"), 1800);
    EXPECT_EQ(store().string("tags"), "Home,Calls");
}

TEST_F(PadTextViewTest, ASelectionHandsItsTagsAndDurationToTheParser)
{
    auto& view = page(text::AttributedString::fromUtf8("Write the report @work 45 min"));
    view.setSelectedRange({ 0, 0 });
    view.parseSelection();
    EXPECT_EQ(store().string("tags"), "") << "nothing selected, nothing parsed";
    view.selectAll();
    view.parseSelection();
    EXPECT_EQ(store().string("tags"), "work");
    EXPECT_EQ(store().integer("durationInSeconds"), 45 * 60);
}

TEST_F(PadTextViewTest, AnEmptyObjectiveShowsItsPlaceholder)
{
    auto objective = ObjectiveTextView::create();
    objective->awakeFromNib();
    objective->setFrame(ui::Rect(0, 0, 300, 60));
    objective->setBackgroundColor(gfx::colors::white);
    auto host = ui::Window::create(ui::Rect(0, 0, 300, 60));
    host->contentView()->addSubview(objective);
    host->orderFront();
    auto greyPixels = [&] {
        host->display();
        int grey = 0;
        for (double y = 5; y < 30; ++y) {
            for (double x = 5; x < 295; ++x) {
                auto pixel = host->pixelAt(x, y);
                grey += pixel.red < 0.9 && pixel.red > 0.5 && std::abs(pixel.red - pixel.blue) < 0.05;
            }
        }
        return grey;
    };
    EXPECT_GT(greyPixels(), 100);
    objective->setAttributedString(text::AttributedString::fromUtf8("x"));
    EXPECT_LT(greyPixels(), 20);
    int beeps = ui::beepCount();
    objective->revealInFinder();
    EXPECT_EQ(ui::beepCount(), beeps + 1) << "no page to reveal";
}

TEST_F(PadTextViewTest, TheObjectivesSurroundingsFollowTheirColourSetting)
{
    auto bordered = BorderedBackgroundView::create();
    auto wall = Wall::create();
    auto manager = ObjectiveBackgroundManager::create();
    manager->objectiveBorderedBackgroundView = bordered;
    manager->infoWindowScrollView = wall;
    manager->awakeFromNib();
    EXPECT_EQ(ObjectiveBackgroundManager::shared(), manager);
    auto registered = gfx::unarchiveColor(*store().string("objectiveBackgroundColor"));
    EXPECT_EQ(bordered->backgroundColor(), registered);
    store().set("objectiveBackgroundColor", gfx::archiveColor(gfx::colors::orange));
    EXPECT_EQ(bordered->backgroundColor(), gfx::colors::orange);
    EXPECT_EQ(wall->backgroundColor(), gfx::colors::orange);
    store().remove("objectiveBackgroundColor");
    store().set("objectiveBackgroundColor", base::Value());
    manager->colorDidChange();
    EXPECT_EQ(manager->color(), registered) << "back to the registered colour";
}

// Every text bar shows the kit's letters taken once as pixels: the program starts with nine
// bars, and taking them for each cost as much as laying out the window. The pixels are the
// letters', at two pixels a point.
TEST_F(PadTextViewTest, TheTextBarsShareTheLettersTakenOnceAsPixels)
{
    auto first = ui::Button::create();
    auto second = ui::Button::create();
    TextIndicatorsView::setIcon(OstrelStyleKit::imageOfBoldIndicator(), *first);
    TextIndicatorsView::setIcon(OstrelStyleKit::imageOfBoldIndicator(), *second);
    ASSERT_TRUE(first->image());
    EXPECT_EQ(first->image(), second->image());
    EXPECT_TRUE(first->image()->isTemplate());
    auto taken = first->image()->rasterize(2);
    auto drawn = OstrelStyleKit::imageOfBoldIndicator()->rasterize(2);
    ASSERT_TRUE(taken && drawn);
    EXPECT_EQ(taken->width(), drawn->width());
    int differing = 0;
    for (int y = 0; y < drawn->height(); ++y)
        for (int x = 0; x < drawn->width(); ++x)
            differing += taken->pixel(x, y) != drawn->pixel(x, y);
    EXPECT_EQ(differing, 0);

    TextIndicatorsView::setIcon(OstrelStyleKit::imageOfItalicsIndicator(), *second);
    EXPECT_NE(first->image(), second->image()) << "each letter its own";
}

}
