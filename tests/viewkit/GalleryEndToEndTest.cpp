// The gallery on the test display, driven as a user would with xdotool: a label fragment's
// wheel menu hides its section, and the tag pull-down fills the tag field and the settings.
#include "tests/support/TemporaryHome.h"

#include "GalleryDriver.h"

namespace {

using namespace ostrel::test::gallery;

std::optional<std::string> storedTags(const std::filesystem::path& file)
{
    auto tags = storedSetting(file, "tags");
    if (!tags || !tags->is_string())
        return std::nullopt;
    return tags->get<std::string>();
}

const gfx::Color kNotesColor = gfx::Color::rgb(0.1, 0.55, 0.55);

}

TEST(GalleryEndToEnd, TheWheelMenuHidesASectionAndThePullDownAddsATag)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "no X display: the gallery is driven under Xvfb by make test";
    if (std::system("command -v xdotool > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdotool is not installed (scripts/install-deps adds it)";
    ostrel::test::TemporaryHome home;
    RootScreen screen;
    ASSERT_TRUE(screen.ok());
    GalleryProcess gallery;
    ASSERT_TRUE(gallery.running());

    Box wheel = gallery.box("wheel");
    Box section = gallery.box("section");
    Box tagField = gallery.box("tagfield");
    Box pullDown = gallery.box("pulldown");
    ASSERT_GT(section.width * section.height, 0) << "the gallery never reported its parts";
    int area = section.width * section.height;
    ASSERT_TRUE(eventually([&] { return screen.count(section, kNotesColor) > area / 2; })) << "the section never showed";

    // The Notes wheel menu: "Hide Notes" hides the section.
    auto rows = openMenu(gallery, screen, "wheel", wheel.midX(), wheel.midY());
    ASSERT_TRUE(rows.contains("Hide Notes")) << gallery.transcript();
    Box row = rows["Hide Notes"];
    auto hideRow = screen.settled(row);
    clickAt(row.midX(), row.midY());
    EXPECT_TRUE(eventually([&] { return screen.count(section, kNotesColor) == 0; })) << "the section is still shown";

    // Opened again, the same item now offers to show the section, and reads differently.
    rows = openMenu(gallery, screen, "wheel", wheel.midX(), wheel.midY());
    ASSERT_TRUE(rows.contains("Show Notes")) << gallery.transcript();
    EXPECT_FALSE(rows.contains("Hide Notes"));
    EXPECT_EQ(rows["Show Notes"].y, row.y) << "the same row";
    EXPECT_NE(screen.settled(rows["Show Notes"]), hideRow) << "the row's text did not change on the display";
    ASSERT_TRUE(rows.contains("Remind Me"));
    clickAt(rows["Remind Me"].midX(), rows["Remind Me"].midY());
    ASSERT_TRUE(eventually([&] { return !screen.showsMenu(rows["Remind Me"]); })) << "the menu never closed";
    // Let the focus come back to the gallery before the next menu.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    // The tag pull-down: "writing" lands in the field and in the settings file.
    // Everything below the section moved up.
    tagField = gallery.box("tagfield");
    pullDown = gallery.box("pulldown");
    auto emptyField = screen.settled(tagField);
    std::size_t mark = gallery.lineCount();
    auto tags = openMenu(gallery, screen, "tags", pullDown.x, pullDown.y);
    ASSERT_TRUE(tags.contains("writing")) << gallery.transcript();
    EXPECT_FALSE(tags.contains("")) << "the face item is not in the list";
    clickAt(tags["writing"].midX(), tags["writing"].midY());
    EXPECT_TRUE(gallery.waitForLine("tags writing", mark).has_value()) << "the field does not show the tag";
    EXPECT_TRUE(eventually([&] { return screen.capture(tagField) != emptyField; })) << "the field looks the same on the display";
    auto settingsFile = home.configHome() / "Ostrel" / "defaults.json";
    EXPECT_TRUE(eventually([&] { return storedTags(settingsFile) == "writing"; })) << "the settings file never held the tag";
}
