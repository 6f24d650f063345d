#include "ViewkitFixture.h"

#include "viewkit/DataModelBindings.h"
#include "viewkit/TagPullDownButtonBrick.h"
#include "viewkit/TagSourceTokenField.h"
#include "viewkit/TagTokenField.h"
#include "viewkit/TagTokenFieldContainerView.h"
#include "viewkit/TagTokenFieldHelper.h"
#include "viewkit/Wall.h"

#include "core/DataModel.h"
#include "log/LogFileManager.h"
#include "log/TagManager.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/SerialQueue.h"
#include "platform/ui/Menu.h"
#include "platform/ui/TemplateImages.h"

#include <thread>

namespace ostrel::test {

namespace {

class TagsTest : public ViewkitTest {
protected:
    TagsTest()
    {
        TagManager::sharedInstance().removeAllTags();
        LogFileManager::sharedInstance().reset();
    }
    ~TagsTest() override
    {
        TagManager::sharedInstance().removeAllTags();
        LogFileManager::sharedInstance().reset();
    }
    std::shared_ptr<TagPullDownButtonBrick> pullDown(const std::string& key = "tags")
    {
        return TagPullDownButtonBrick::create(ui::TemplateImages::add(), key);
    }
    static std::vector<std::string> titles(const ui::PopUpButton& button)
    {
        auto all = button.itemTitles();
        return { all.begin() + 1, all.end() };
    }
    void press(ui::Window& w, base::KeyCode key, const std::string& characters = {})
    {
        backend().press(w, static_cast<std::uint16_t>(key), key == base::KeyCode::Tab ? "\t" : characters);
    }
    void type(ui::Window& w, const std::string& text)
    {
        for (char c : text)
            backend().press(w, 0, std::string(1, c));
    }
};

}

TEST_F(TagsTest, ChoosingATagAppendsItToTheSetting)
{
    TagManager::sharedInstance().addTagsFromString("home,work");
    auto brick = pullDown();
    ASSERT_EQ(titles(*brick), (std::vector<std::string> { "home", "work" }));
    EXPECT_EQ(brick->itemAt(0)->title(), "");
    EXPECT_TRUE(brick->itemAt(0)->image());

    auto chooseWork = [&] { brick->menu()->performActionForItemAt(2); };
    store().set("tags", "");
    chooseWork();
    EXPECT_EQ(*store().string("tags"), "work");
    store().set("tags", "home");
    chooseWork();
    EXPECT_EQ(*store().string("tags"), "home,work");
    store().set("tags", "home,");
    chooseWork();
    EXPECT_EQ(*store().string("tags"), "home,work");
    chooseWork();
    EXPECT_EQ(*store().string("tags"), "home,work,work") << "a tag already there is appended again";

    // A setting that is not text (or missing) makes the choice do nothing.
    store().set("tags", 5);
    chooseWork();
    EXPECT_EQ(store().integer("tags"), 5);
    auto unset = pullDown("neverRegistered");
    unset->menu()->performActionForItemAt(2);
    EXPECT_FALSE(store().object("neverRegistered"));
}

TEST_F(TagsTest, TheListFollowsTheLogAfterARereadAndWhenItOpens)
{
    auto brick = pullDown();
    EXPECT_TRUE(titles(*brick).empty()) << "with no tags logged only the face item";
    TagManager::sharedInstance().addTagsFromString("Reading");
    EXPECT_TRUE(titles(*brick).empty());
    LogFileManager::sharedInstance().signalToListeners();
    EXPECT_EQ(titles(*brick), std::vector<std::string> { "Reading" });

    TagManager::sharedInstance().addTagsFromString("admin");
    brick->menuWillOpen(*brick->menu());
    EXPECT_EQ(titles(*brick), (std::vector<std::string> { "admin", "Reading" }));
    brick->menuDidClose(*brick->menu());

    // A pull-down gone is not told; the listener the manager keeps reaches nothing.
    brick.reset();
    LogFileManager::sharedInstance().signalToListeners();
}

TEST_F(TagsTest, ASourceFieldShowsTagsAddedOnTheReloadQueue)
{
    TagManager::sharedInstance().addTagsFromString("zeta");
    auto field = TagSourceTokenField::create();
    EXPECT_EQ(field->tokens(), std::vector<std::string> { "zeta" });
    {
        // Destroying the queue waits for its work.
        base::SerialQueue reload("test reload queue");
        reload.async([] { TagManager::sharedInstance().addTagsFromString("Alpha,beta"); });
    }
    EXPECT_EQ(field->tokens(), std::vector<std::string> { "zeta" }) << "told on the main queue, not on the reload queue";
    drain();
    EXPECT_EQ(field->tokens(), (std::vector<std::string> { "Alpha", "beta", "zeta" }));
}

TEST_F(TagsTest, ReturnOrTabAfterTypingKeepsTheKeyboardInTheTagField)
{
    TagManager::sharedInstance().addTagsFromString("writing");
    auto w = window(300, 60);
    auto field = TagTokenField::create();
    field->completions = [](const std::string& typed, std::size_t) { return TagManager::sharedInstance().completionsForSubstring(typed); };
    auto after = ui::TextField::create("next");
    for (auto [view, frame] : { std::pair { std::static_pointer_cast<ui::View>(field), ui::Rect(10, 30, 200, 22) },
             std::pair { std::static_pointer_cast<ui::View>(after), ui::Rect(10, 4, 200, 22) } }) {
        view->setFrame(frame);
        w->contentView()->addSubview(view);
    }
    w->recalculateKeyViewLoop();
    w->makeFirstResponder(field.get());
    EXPECT_FALSE(field->hasStartedEditing());

    type(*w, "wr");
    EXPECT_TRUE(field->hasStartedEditing());
    press(*w, base::KeyCode::Tab);
    EXPECT_EQ(w->firstResponder(), field.get()) << "the completed token keeps the focus";
    EXPECT_EQ(field->tokens(), std::vector<std::string> { "writing" });
    EXPECT_FALSE(field->hasStartedEditing());
    EXPECT_EQ(field->caret(), field->stringValue().size());

    type(*w, "x");
    press(*w, base::KeyCode::Return);
    EXPECT_EQ(w->firstResponder(), field.get());
    EXPECT_EQ(field->tokens(), (std::vector<std::string> { "writing", "x" }));

    // Nothing typed since: Tab moves on.
    press(*w, base::KeyCode::Tab);
    EXPECT_EQ(w->firstResponder(), after.get());
}

TEST_F(TagsTest, TheContainerHandsItsFieldTheKeyboard)
{
    auto w = window();
    auto container = TagTokenFieldContainerView::create(ui::Rect(0, 0, 300, 40));
    auto field = TagTokenField::create();
    field->setFrame(ui::Rect(5, 5, 200, 22));
    container->addSubview(field);
    container->setTagTokenField(field);
    w->contentView()->addSubview(container);
    container->selectTagTokenField();
    EXPECT_EQ(w->firstResponder(), field.get());
}

TEST_F(TagsTest, TheHelperPlacesFieldAndPullDownAndUnbindsWithItsWall)
{
    auto model = DataModel::create(m_store);
    model->prepare();
    std::weak_ptr<TagTokenField> made;
    int unbinds = 0;
    {
        auto wall = Wall::create();
        auto field = TagTokenFieldHelper::installTagTokenFieldInsideFragment(
            *wall, "tags", [&](TagTokenField& f) { bindTags(*model, f); },
            [&](TagTokenField& f) {
                ++unbinds;
                unbindTags(f);
            },
            true);
        made = field;
        auto& constraints = wall->constraints();
        ASSERT_EQ(constraints.size(), 6u);
        EXPECT_EQ(constraints[0]->constant(), 4);
        EXPECT_EQ(constraints[1]->constant(), -8);
        EXPECT_EQ(constraints[2]->constant(), 16);
        EXPECT_EQ(constraints[3]->constant(), -16);
        EXPECT_EQ(field->placeholder(), "No Tags.");
        auto* pullDown = dynamic_cast<TagPullDownButtonBrick*>(constraints[3]->firstItem());
        ASSERT_NE(pullDown, nullptr);
        EXPECT_EQ(pullDown->controlSize(), ui::ControlSize::Mini);

        store().set("tags", "a,b");
        EXPECT_EQ(field->tokens(), (std::vector<std::string> { "a", "b" }));
    }
    EXPECT_EQ(unbinds, 1);
    EXPECT_TRUE(made.expired());

    auto wall = Wall::create();
    store().set("tempTags", "");
    auto field = TagTokenFieldHelper::installTagTokenFieldInsideOfNormalWall(*wall, "tempTags");
    EXPECT_EQ(wall->constraints()[2]->constant(), 10);
    EXPECT_TRUE(field->tokens().empty());
    EXPECT_EQ(field->placeholder(), "No Tags.");
    store().set("tempTags", "x");
    EXPECT_EQ(field->tokens(), std::vector<std::string> { "x" });
}

}
