#include "tests/attention/OffscreenDesktop.h"

#include "attention/NoteWindow.h"
#include "attention/ZRVisualNotificationView.h"
#include "drawing/OstrelStyleKit.h"

#include "platform/gfx/Image.h"
#include "platform/gfx/TextLayout.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"

#include <filesystem>

namespace ostrel::test {

namespace {

namespace fs = std::filesystem;

// The pictures go into the test's folder (note-windows/*.png), to be looked at.
class NoteWindowLookTest : public OffscreenDesktopTest {
protected:
    static fs::path picture(const std::string& name)
    {
        fs::path folder = fs::current_path() / "note-windows";
        fs::create_directories(folder);
        return folder / (name + ".png");
    }

    // Shows the note as a banner would, fully faded in.
    static void present(TitleOnlyNoteWindow& note)
    {
        note.center();
        note.orderFrontRegardless();
        note.window()->setAlphaValue(1);
        note.window()->display();
    }

    static bool isClear(gfx::Color color) { return color.alpha < 0.05; }
};

}

TEST_F(NoteWindowLookTest, TheTitleOnlyNoteIsTheTitleCentredOnTheMessageBackground)
{
    auto note = TitleOnlyNoteWindow::create();
    note->titleLabel()->setStringValue("Only 5 minutes left");
    present(*note);
    ui::Rect frame = note->window()->frame();
    EXPECT_EQ(frame.width(), 200) << "a short title keeps the note's width";
    EXPECT_LT(frame.height(), 100) << "as tall as its line and margins";
    ui::Rect title = note->titleLabel()->frame();
    EXPECT_EQ(title.minX(), 16);
    EXPECT_EQ(title.width(), 168);
    EXPECT_TRUE(isClear(note->window()->pixelAt(0.5, 0.5))) << "rounded corners";
    EXPECT_FALSE(isClear(note->window()->pixelAt(8, frame.height() / 2)));
    EXPECT_TRUE(note->window()->writePng(picture("title-only")));

    // A title wider than the note widens it.
    note->titleLabel()->setStringValue("Your Break will start in 30 seconds… or as soon as you stop");
    present(*note);
    EXPECT_GT(note->window()->frame().width(), 300);
}

TEST_F(NoteWindowLookTest, TheMessageSitsUnderTheTitleAndALongOneWrapsIntoATallerNote)
{
    auto note = NoteWindow::create();
    note->titleLabel()->setStringValue("Your Break will start in 15 seconds…");
    note->messageLabel()->setStringValue("…or as soon as you stop working.");
    present(*note);
    ui::Rect frame = note->window()->frame();
    ui::Rect title = note->titleLabel()->frame();
    ui::Rect message = note->messageLabel()->convertRectTo(note->messageLabel()->bounds(), nullptr);
    ui::Rect titleInWindow = note->titleLabel()->convertRectTo(note->titleLabel()->bounds(), nullptr);
    EXPECT_NEAR(message.maxY(), titleInWindow.minY(), 0.5) << "right under the title";
    EXPECT_EQ(message.minX(), titleInWindow.minX());
    EXPECT_LE(message.width(), title.width());
    EXPECT_NEAR(message.minY(), 16, 0.5);
    EXPECT_NEAR(frame.height() - titleInWindow.maxY(), 16, 0.5);
    EXPECT_TRUE(note->window()->writePng(picture("with-message")));

    note->messageLabel()->setStringValue(
        "A long message that cannot possibly fit on one line of the note, so it wraps over several lines "
        "and the note grows taller rather than running off the display.");
    present(*note);
    EXPECT_LE(note->window()->frame().width(), NoteWindow::kTextWidth + 32 + 1);
    EXPECT_GT(note->window()->frame().height(), frame.height() + 30);
    EXPECT_TRUE(note->window()->writePng(picture("with-long-message")));
}

TEST_F(NoteWindowLookTest, TheBubbleViewMeasuresItsContentAndDrawsIt)
{
    auto image = OstrelStyleKit::imageOfCoffeeCupIcon(gfx::colors::white);
    ASSERT_TRUE(image);
    auto icon = gfx::Image::create({ 32, 32 }, false, [image](const gfx::Rect& bounds) {
        image->draw(bounds);
        return true;
    });
    gfx::TextStyle titleStyle(gfx::Font::system(18));
    gfx::Rect measured = gfx::textBoundingRect("Time Slice Elapsed", 0, titleStyle);

    auto bubble = ZRVisualNotificationView::create(ui::Rect(0, 0, 10, 10), "Time Slice Elapsed", "", icon);
    EXPECT_NEAR(bubble->size().width, measured.width() + 90, 0.01);
    EXPECT_NEAR(bubble->size().height, 32 + measured.height() + 55 + 45, 0.01);
    EXPECT_EQ(bubble->frame().size, bubble->size());
    EXPECT_EQ(bubble->imageRect().maxY(), bubble->size().height - 49) << "49 points below the top";
    EXPECT_NEAR(bubble->imageRect().midX(), bubble->size().width / 2, 0.01);
    EXPECT_NEAR(bubble->titleRect().maxY(), bubble->imageRect().minY() - 10, 0.01);
    EXPECT_EQ(bubble->descRect(), ui::Rect());

    // A description goes 10 points under the title; text is at most 360 points wide.
    auto described = ZRVisualNotificationView::create(ui::Rect(0, 0, 10, 10), "Only one minute left",
        std::string(60, 'w') + " and more words to wrap", icon);
    EXPECT_EQ(described->size().width, 360 + 90);
    EXPECT_NEAR(described->descRect().maxY(), described->titleRect().minY() - 10, 0.01);
    EXPECT_GT(described->descRect().height(), 20) << "wrapped onto two lines";

    // Drawn on a grey window: the translucent black bubble darkens it, white text on top.
    auto window = ui::Window::create(ui::Rect(100, 100, described->size().width, described->size().height),
        ui::WindowStyle::Borderless);
    window->setBackgroundColor(gfx::Color::white(0.6));
    window->contentView()->addSubview(described);
    window->orderFront();
    window->display();
    double height = described->size().height;
    EXPECT_NEAR(window->pixelAt(5, 5).red, 0.6, 0.02) << "outside the bubble";
    EXPECT_LT(window->pixelAt(described->size().width / 2, height - 30).red, 0.5) << "inside the bubble";
    EXPECT_TRUE(window->writePng(picture("bubble")));
}

}
