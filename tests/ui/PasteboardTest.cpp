#include "UiFixture.h"

#include "platform/ui/Pasteboard.h"

using namespace ui;

namespace {

using PasteboardTest = UiTest;

TEST_F(PasteboardTest, HoldsEachTypeUntilCleared)
{
    Pasteboard pasteboard;
    int count = pasteboard.clearContents();
    pasteboard.setString("objective");
    pasteboard.setData(PasteboardType::Rtf, "{\\rtf1 objective}");
    pasteboard.setData("com.ostrel.private", std::string("\0\1", 2));
    EXPECT_EQ(pasteboard.types(), (std::vector<std::string> { PasteboardType::String, PasteboardType::Rtf, "com.ostrel.private" }));
    EXPECT_EQ(pasteboard.data("com.ostrel.private")->size(), 2u);
    EXPECT_EQ(pasteboard.availableType({ PasteboardType::Rtfd, PasteboardType::Rtf }), PasteboardType::Rtf);
    pasteboard.setString("bad \xc3 text");
    EXPECT_EQ(pasteboard.string()->find('\xc3'), std::string::npos) << "text stays valid UTF-8";
    EXPECT_GT(pasteboard.clearContents(), count);
    EXPECT_FALSE(pasteboard.string());
}

TEST_F(PasteboardTest, PlainTextMeetsTheDesktopClipboard)
{
    Pasteboard pasteboard;
    std::optional<std::string> desktop;
    pasteboard.setSystemClipboard({ [&](const std::string& text) { desktop = text; }, [&] { return desktop; } });
    pasteboard.clearContents();
    pasteboard.setString("ours");
    pasteboard.setData(PasteboardType::Rtf, "{\\rtf1 ours}");
    EXPECT_EQ(desktop, "ours");
    EXPECT_TRUE(pasteboard.data(PasteboardType::Rtf)) << "our own copy keeps its rich text";
    int count = pasteboard.changeCount();
    desktop = "theirs";
    EXPECT_EQ(pasteboard.string(), "theirs");
    EXPECT_FALSE(pasteboard.data(PasteboardType::Rtf)) << "another program's copy replaces ours whole";
    EXPECT_GT(pasteboard.changeCount(), count);
}

// A view that takes dropped files.
class DropTarget : public View {
public:
    static std::shared_ptr<DropTarget> create(Rect frame) { return std::shared_ptr<DropTarget>(new DropTarget(frame)); }
    bool performDragOperation(const Pasteboard& pasteboard, Point point) override
    {
        files = pasteboard.files();
        at = point;
        return true;
    }
    std::vector<std::filesystem::path> files;
    Point at;

private:
    explicit DropTarget(Rect frame)
        : View(frame)
    {
    }
};

TEST_F(PasteboardTest, DropsReachTheViewRegisteredForTheirType)
{
    auto w = window(200, 100);
    auto target = DropTarget::create(Rect(0, 0, 100, 100));
    target->registerForDraggedTypes({ PasteboardType::FileList });
    auto cover = Swatch::create(gfx::colors::red, Rect(20, 20, 40, 40));
    target->addSubview(cover);
    w->contentView()->addSubview(target);

    Pasteboard text;
    text.setString("just text");
    EXPECT_FALSE(w->performDrop(text, Point(30, 30))) << "nobody takes a type they did not register";

    Pasteboard files;
    files.setFiles({ "/tmp/a.rtfd", "/tmp/b.txt" });
    EXPECT_TRUE(w->performDrop(files, Point(30, 30))) << "a drop on a subview reaches the registered view above it";
    EXPECT_EQ(target->files, (std::vector<std::filesystem::path> { "/tmp/a.rtfd", "/tmp/b.txt" }));
    EXPECT_EQ(target->at, Point(30, 30));
    EXPECT_FALSE(w->performDrop(files, Point(150, 30)));
}

}
