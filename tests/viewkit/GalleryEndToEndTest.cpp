// The gallery on the test display, driven as a user would: a label fragment's wheel menu
// hides its section, and the tag pull-down fills the tag field and the settings.
#include "GalleryDriver.h"

namespace ostrel::test::gallery {

namespace {

const gfx::Color kNotesColor = gfx::Color::rgb(0.1, 0.55, 0.55);

class GalleryEndToEnd : public GalleryTest { };

}

TEST_F(GalleryEndToEnd, TheWheelMenuHidesASectionAndThePullDownAddsATag)
{
    startGallery();
    Box wheel = box("wheel");
    Box section = box("section");
    ASSERT_GT(section.width * section.height, 0) << "the gallery never reported its parts" << transcript();
    int area = section.width * section.height;
    ASSERT_TRUE(eventually([&] { return count(section, kNotesColor) > area / 2; })) << "the section never showed";

    // The Notes wheel menu: "Hide Notes" hides the section.
    auto rows = openMenu("wheel", wheel.midX(), wheel.midY());
    ASSERT_TRUE(rows.contains("Hide Notes")) << transcript();
    Box row = rows["Hide Notes"];
    auto hideRow = settled(row);
    ASSERT_TRUE(hideRow);
    clickAt(row.midX(), row.midY());
    EXPECT_TRUE(eventually([&] { return count(section, kNotesColor) == 0; })) << "the section is still shown";

    // Opened again, the same item now offers to show the section, and reads differently.
    rows = openMenu("wheel", wheel.midX(), wheel.midY());
    ASSERT_TRUE(rows.contains("Show Notes")) << transcript();
    EXPECT_FALSE(rows.contains("Hide Notes"));
    EXPECT_EQ(rows["Show Notes"].y, row.y) << "the same row";
    auto showRow = settled(rows["Show Notes"]);
    ASSERT_TRUE(showRow);
    EXPECT_FALSE(showRow->sameAs(*hideRow)) << "the row's text did not change on the display";
    ASSERT_TRUE(rows.contains("Remind Me"));
    clickAt(rows["Remind Me"].midX(), rows["Remind Me"].midY());
    ASSERT_TRUE(eventually([&] { return !showsMenu(rows["Remind Me"]); })) << "the menu never closed";

    // The tag pull-down: "writing" lands in the field and in the settings file. Everything
    // below the section moved up: where the parts are once they stopped moving.
    Box tagField = box("tagfield");
    Box pullDown = box("pulldown");
    auto emptyField = settled(tagField);
    ASSERT_TRUE(emptyField);
    std::size_t mark = lineCount();
    auto tags = openMenu("tags", pullDown.x, pullDown.y);
    ASSERT_TRUE(tags.contains("writing")) << transcript();
    EXPECT_FALSE(tags.contains("")) << "the face item is not in the list";
    clickAt(tags["writing"].midX(), tags["writing"].midY());
    EXPECT_TRUE(eventually([&] {
        auto tags = m_reports->lastLine("tags", mark);
        return tags && tags->rfind("writing", 0) == 0;
    })) << "the field does not show the tag" << transcript();
    EXPECT_TRUE(eventually([&] {
        auto now = m_desktop->capture(tagField);
        return now && !now->sameAs(*emptyField);
    })) << "the field looks the same on the display";
    EXPECT_TRUE(eventually([&] {
        auto stored = storedSetting(m_home.settingsFile(), "tags");
        return stored && stored->is_string() && stored->get<std::string>() == "writing";
    })) << "the settings file never held the tag";
}

}
