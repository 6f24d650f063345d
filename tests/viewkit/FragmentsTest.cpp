#include "ViewkitFixture.h"

#include "viewkit/FragmentStackView.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/TitleFragment.h"

#include "platform/ui/Menu.h"

#include <algorithm>

namespace ostrel::test {

namespace {

class FragmentsTest : public ViewkitTest {
protected:
    std::shared_ptr<FragmentStackView> stack = FragmentStackView::create();

    void installed(const std::shared_ptr<HideableFragmentWall>& fragment)
    {
        stack->addArrangedSubview(fragment);
        fragment->install(stack);
    }
    double priorityOf(const ui::View& fragment) const { return stack->visibilityPriority(&fragment); }
    // The option items as the menu would show them now, after their update closures ran.
    std::vector<std::string> shownTitles(LabelFragment& fragment)
    {
        fragment.wheelButton()->menuWillOpen(*fragment.wheelButton()->menu());
        std::vector<std::string> titles;
        for (auto& item : fragment.wheelButton()->menu()->items())
            titles.push_back(item->title());
        fragment.wheelButton()->menuDidClose(*fragment.wheelButton()->menu());
        return titles;
    }
    void choose(LabelFragment& fragment, std::size_t index) { fragment.wheelButton()->menu()->performActionForItemAt(index); }
};

}

TEST_F(FragmentsTest, AKeyHiddenByDefaultRegistersItsDefaultAndHides)
{
    auto fragment = HideableFragmentWall::create("hideNotes", true);
    installed(fragment);
    EXPECT_TRUE(store().isRegistered("hideNotes"));
    EXPECT_EQ(priorityOf(*fragment), ui::VisibilityPriority::NotVisible);
    // Hidden or shown, it stays arranged.
    EXPECT_EQ(stack->arrangedSubviews().size(), 1u);

    store().set("hideNotes", false);
    EXPECT_EQ(priorityOf(*fragment), 900) << "shown fragments may still be detached when there is no room";
    store().set("hideNotes", true);
    EXPECT_EQ(priorityOf(*fragment), 0);
    EXPECT_EQ(fragment->kvoResponders().size(), 1u);
}

TEST_F(FragmentsTest, AnUnconfiguredFragmentNeverHides)
{
    auto fragment = HideableFragmentWall::create();
    installed(fragment);
    EXPECT_TRUE(fragment->storageKeys().empty());
    EXPECT_NE(priorityOf(*fragment), 0);
    fragment->update();
    EXPECT_EQ(priorityOf(*fragment), 900);
}

TEST_F(FragmentsTest, TheHidingRules)
{
    using F = HideableFragmentWall;
    EXPECT_TRUE(F::And({}));
    EXPECT_FALSE(F::Or({}));
    EXPECT_FALSE(F::None({}));
    EXPECT_FALSE(F::NeverHide({ "a" }));

    store().set("a", true);
    store().set("b", false);
    EXPECT_FALSE(F::And({ "a", "b" }));
    EXPECT_TRUE(F::And({ "a" }));
    EXPECT_TRUE(F::None({ "a", "b" }));
    EXPECT_FALSE(F::None({ "a" }));
    EXPECT_TRUE(F::Or({ "b", "a" }));
    EXPECT_FALSE(F::Or({ "b", "never set" }));
    EXPECT_TRUE(F::OrNot({ "a", "a" }));
    EXPECT_TRUE(F::OrNot({ "b", "b" }));
    EXPECT_FALSE(F::OrNot({ "b", "a" }));
    EXPECT_FALSE(F::OrNot({ "a", "b", "a" })) << "only exactly two keys can hide";
}

TEST_F(FragmentsTest, AKeyWithoutAnInitialValueIsObservedButRegistersNothing)
{
    auto view = ui::View::create();
    auto fragment = HideableFragmentWall::embedViewInHideableFragment(view, { "shown", "other" }, { std::nullopt, false }, HideableFragmentWall::Or);
    installed(fragment);
    EXPECT_FALSE(store().isRegistered("shown"));
    EXPECT_TRUE(store().isRegistered("other"));
    EXPECT_EQ(fragment->kvoResponders().size(), 2u);
    EXPECT_NE(priorityOf(*fragment), 0);
    store().set("shown", true);
    EXPECT_EQ(priorityOf(*fragment), 0);
    EXPECT_EQ(view->superview(), fragment.get());
}

TEST_F(FragmentsTest, AnEmbeddedViewIsPlacedWithinTheInsetsOrFillsTheFragment)
{
    auto inset = HideableFragmentWall::embedViewInHideableFragment(ui::View::create(), "k", false, true);
    ASSERT_EQ(inset->constraints().size(), 4u);
    EXPECT_EQ(inset->constraints()[0]->constant(), 8);
    EXPECT_EQ(inset->constraints()[1]->constant(), -8);
    auto filled = HideableFragmentWall::embedViewInHideableFragment(ui::View::create(), "k", false, false);
    for (auto& constraint : filled->constraints())
        EXPECT_EQ(constraint->constant(), 0);
}

TEST_F(FragmentsTest, TheWheelTakesFourteenPointsUntilTheFirstOptionThenForty)
{
    auto label = LabelFragment::labelFragment("Objective");
    EXPECT_EQ(label->identifier(), "Objective Fragment");
    EXPECT_TRUE(label->wheelButton()->isHidden());
    EXPECT_EQ(label->wheelButtonWidthConstraint()->constant(), 14);
    EXPECT_EQ(label->alternativeUIButtonRightConstraint()->secondItem(), label.get());
    EXPECT_EQ(label->alternativeUIButtonRightConstraint()->constant(), -8);
    EXPECT_TRUE(label->alternativeUIButton()->isHidden());

    label->addCheckedOption("Show Seconds", "showSeconds");
    label->addVisibilityManagedOption("Notes", "hideNotes");
    EXPECT_FALSE(label->wheelButton()->isHidden());
    EXPECT_EQ(label->wheelButtonWidthConstraint()->constant(), 40);
    EXPECT_EQ(label->alternativeUIButtonRightConstraint()->secondItem(), label->wheelButton().get());
    auto widths = std::count_if(label->constraints().begin(), label->constraints().end(),
        [&](auto& c) { return c->firstItem() == label->wheelButton().get() && c->firstAttribute() == ui::LayoutAttribute::Width; });
    EXPECT_EQ(widths, 1) << "a second option adds no second width";
}

TEST_F(FragmentsTest, ACheckedOptionWithoutDefaultReadsFalseAndToggles)
{
    auto label = LabelFragment::labelFragment("Timer");
    label->addCheckedOption("Show Seconds", "showSeconds");
    EXPECT_FALSE(store().isRegistered("showSeconds"));
    auto* item = label->wheelButton()->menu()->itemAt(1);
    shownTitles(*label);
    EXPECT_EQ(item->state(), ui::ControlStateValue::Off);
    ASSERT_TRUE(item->offStateImage());
    EXPECT_FALSE(item->offStateImage()->isTemplate()) << "the faint mark keeps its own colour";

    label->addCheckedOption("Tick", "tick", true);
    shownTitles(*label);
    EXPECT_EQ(label->wheelButton()->menu()->itemAt(2)->state(), ui::ControlStateValue::On);
    choose(*label, 2);
    EXPECT_TRUE(store().hasStoredValue("tick"));
    EXPECT_FALSE(store().boolean("tick"));
    shownTitles(*label);
    EXPECT_EQ(label->wheelButton()->menu()->itemAt(2)->state(), ui::ControlStateValue::Off);
}

TEST_F(FragmentsTest, AVisibilityOptionHidesItsSectionAndSaysSo)
{
    auto label = LabelFragment::labelFragment("Notes");
    auto section = HideableFragmentWall::create("hideNotes", false);
    installed(section);
    label->addVisibilityManagedOption("Notes", "hideNotes");
    EXPECT_EQ(shownTitles(*label)[1], "Hide Notes");
    choose(*label, 1);
    EXPECT_EQ(priorityOf(*section), 0);
    EXPECT_EQ(shownTitles(*label)[1], "Show Notes");
    choose(*label, 1);
    EXPECT_EQ(priorityOf(*section), 900);
}

TEST_F(FragmentsTest, ATitleFragmentJoinsItsStackAndKeepsItsTextPastTheIconPlace)
{
    auto title = TitleFragment::titleFragment("Define", stack);
    EXPECT_EQ(title->identifier(), "Define Title Fragment");
    EXPECT_EQ(stack->arrangedSubviews().back(), title);
    EXPECT_EQ(title->stackView(), stack);
    EXPECT_EQ(title->wheelButton()->toolTip(), "Customize this view");
    EXPECT_EQ(title->label()->stringValue(), "Define");
    EXPECT_TRUE(title->label()->isHidden());

    // Drawn without an icon: the icon place stays the bar's own, the text starts 38 in.
    auto w = window(300, 40);
    stack->setTranslatesAutoresizingMaskIntoConstraints(true);
    stack->setFrame(ui::Rect(0, 0, 300, 40));
    w->contentView()->addSubview(stack);
    w->display();
    auto bar = w->pixelAt(20, 20);
    bool inkLeftOfText = false;
    for (int x = 12; x < 36; ++x)
        inkLeftOfText = inkLeftOfText || w->pixelAt(x, 20) != bar;
    EXPECT_FALSE(inkLeftOfText);
    bool text = false;
    for (int x = 38; x < 120; ++x)
        for (int y = 5; y < 35 && !text; ++y)
            text = w->pixelAt(x, y) != w->pixelAt(x, 2) && w->pixelAt(x, y).brightness() > 0.6;
    EXPECT_TRUE(text);
}

}
