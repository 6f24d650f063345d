// Notes in the Now pad: what the user types is tidied by the typing rules as they go
// (separator, bullet, check mark, struck-out line), the page lands in its file, and after a
// quit and a new start the pad shows the same page again.
#include "Looks.h"
#include "Road.h"

#include <algorithm>

namespace ostrel::acceptance {
namespace {

const std::string kSeparator = [] {
    std::string line;
    for (int i = 0; i < 32; ++i)
        line += "\u2500";
    return line;
}();

class PadRoad : public Road {
protected:
    // Each line typed and ended with Return, as a user's keyboard sends it.
    void typeLines(const std::vector<std::string>& lines)
    {
        for (const auto& line : lines) {
            ASSERT_TRUE(desktop().type(line));
            ASSERT_TRUE(desktop().key("Return"));
        }
    }

    // The page's text as it is on disk, when the pad holds exactly one page.
    std::optional<text::AttributedString> page() const
    {
        auto pages = m_home.padPages("Now Pad");
        return pages.size() == 1 ? pages[0] : std::nullopt;
    }

    // The pad beside the state column: the right part of the main window.
    static Box padBox(const Screenshot& main) { return { looks::kPadLeft, 40, main.width() - looks::kPadLeft - 10, main.height() - 90 }; }
    static int darkPixels(const Screenshot& picture, const Box& box)
    {
        int n = 0;
        for (int y = box.y; y < box.y + box.height; ++y)
            for (int x = box.x; x < box.x + box.width; ++x) {
                auto pixel = picture.at(x, y);
                n += pixel.red + pixel.green + pixel.blue < 1.2;
            }
        return n;
    }
};

TEST_F(PadRoad, TypingRulesShapeTheNowPadWhoseFileBringsItBackAfterAQuit)
{
    auto& program = startReturning();
    auto main = mainWindow(program);
    ASSERT_TRUE(desktop().focus(main));
    // The Now pad's own hot key, Ctrl+Alt+N.
    ASSERT_TRUE(desktop().key("ctrl+alt+n"));
    auto opened = desktop().waitForPicture(main, [](const Screenshot& picture) { return picture.width() > 700; });
    ASSERT_TRUE(opened && opened->width() > 700) << "the Now pad did not open\n" << program.transcript();
    keep("now pad", desktop().waitForStill(main));

    // "--" on a line of its own becomes a separator, "* " a bullet, "done'" a check mark, and
    // a line ending in "--" is struck out.
    ASSERT_TRUE(desktop().type("--"));
    typeLines({ "Plan the week", "* call Anna" });
    ASSERT_TRUE(desktop().key("Return"));
    typeLines({ "done' draft sent", "old idea--" });
    ASSERT_TRUE(desktop().type("last line"));

    // Written five seconds after the typing, as one page.
    std::optional<text::AttributedString> written;
    ASSERT_TRUE(eventually(
        [&] {
            written = page();
            return written && written->utf8().find("last line") != std::string::npos;
        },
        20))
        << "the page never reached its file\n" << program.transcript();
    auto typed = desktop().waitForStill(main);
    keep("typed", typed);
    std::string text = written->utf8();
    EXPECT_NE(text.find(kSeparator + "\nPlan the week\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\u2022\tcall Anna"), std::string::npos) << "no bullet: " << text;
    EXPECT_NE(text.find("\u2714 draft sent\n"), std::string::npos) << "no check mark: " << text;
    EXPECT_EQ(text.find("done'"), std::string::npos) << text;
    auto old = written->find(u"old idea");
    ASSERT_NE(old, text::AttributedString::npos) << text;
    EXPECT_EQ(written->attributesAt(old).strikethrough, 1) << "the line ending in -- is not struck out";
    EXPECT_EQ(written->string().substr(old, 9), u"old idea\n") << "the -- stayed";
    EXPECT_EQ(written->attributesAt(written->find(u"last line")).strikethrough, 0);

    // Quit with Ctrl+Q, and started again: the same page in the same pad.
    ASSERT_TRUE(desktop().key("ctrl+q"));
    auto ended = program.waitForEnd(10);
    ASSERT_TRUE(ended && ended->cleanly()) << program.transcript();
    EXPECT_EQ(page(), written) << "the quit changed the page";

    auto& again = start();
    main = mainWindow(again);
    auto shown = desktop().waitForPicture(main, [&](const Screenshot& picture) {
        return picture.width() == typed->width() && darkPixels(picture, padBox(picture)) > darkPixels(*typed, padBox(*typed)) * 9 / 10;
    });
    keep("after the new start", shown);
    ASSERT_TRUE(shown && typed);
    ASSERT_EQ(shown->width(), typed->width()) << "the pad is not open after the new start";
    // The same lines where they were: the caret may blink, the text stays put.
    int before = darkPixels(*typed, padBox(*typed));
    int after = darkPixels(*shown, padBox(*shown));
    EXPECT_NEAR(after, before, before / 20) << "the pad shows other text than the page typed";
    EXPECT_EQ(page(), written);
    EXPECT_EQ(stop(), "exit 0");
}

}
}
