#include "Gallery.h"
#include "GalleryPlacement.h"

#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DarkControlSkin.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PullDownButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SegmentedControlBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/SwitchBrick.h"
#include "viewkit/TagTokenFieldHelper.h"
#include "viewkit/TitleFragment.h"
#include "viewkit/Wall.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Screen.h"

#include <cmath>
#include <cstdio>
#include <optional>

using namespace ostrel;
using A = ui::LayoutAttribute;

namespace {

const gfx::Color kNotesColor = gfx::Color::rgb(0.1, 0.55, 0.55);

}

Gallery::Gallery(ui::Point topLeft)
    : m_stack(makeFragmentWindow(m_window, "View kit", topLeft, kWidth, kHeight))
{
    auto title = TitleFragment::titleFragment("View Kit", m_stack, OstrelStyleKit::imageOfTargetIcon(gfx::colors::lightGray));
    title->addCheckedOption("Compact", "galleryIsCompact", false);
    fixedHeight(*title, 40);
    addNotes();
    addBricks();
    addWalls();
    addTags();
    m_window->makeKeyAndOrderFront();
}

void Gallery::addNotes()
{
    m_notesLabel = appended(*m_stack, LabelFragment::labelFragment("Notes"));
    m_notesLabel->setIsFirstLabel(true);
    m_notesLabel->addVisibilityManagedOption("Notes", "hideNotesSection");
    m_notesLabel->addCheckedOption("Remind Me", "galleryRemindsMe", false);

    m_notesSection = appended(*m_stack, HideableFragmentWall::create("hideNotesSection", false));
    m_notesSection->setBackgroundColor(kNotesColor);
    fixedHeight(*m_notesSection, 56);
    m_notesSection->factory().label("This section hides from the Notes menu.",
        [](LayoutConstraintMaker& maker) { maker.container().place(A::Left, A::Left).pin(A::CenterY, A::CenterY, 0); });
}

void Gallery::addBricks()
{
    appended(*m_stack, LabelFragment::labelFragment("Bricks"));
    auto section = appended(*m_stack, FragmentWall::create());
    fixedHeight(*section, 96);
    BricksFactory& bricks = section->factory();

    // The dark skin's row.
    bricks.setControlSkin(std::make_shared<DarkControlSkin>());
    bricks.pushButton("Start", [] { }, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Top, A::Top);
        maker.width(90).height(24);
    });
    auto checked = bricks.smartCheckBoxButton("Dark check box", [](bool) { }, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(*bricks.previous()).pin(A::Left, A::Right, 12).pin(A::CenterY, A::CenterY, 0);
        maker.width(130).height(20);
    });
    checked->setState(ui::ControlStateValue::On);
    auto pullDown = bricks.pullDownButtonBrick("Options", [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(*bricks.previous()).pin(A::Left, A::Right, 12).pin(A::CenterY, A::CenterY, 0);
        maker.width(110).height(24);
    });
    pullDown->addItem("First choice");

    // The light skin and the platform look below.
    bricks.setControlSkin(std::make_shared<GenericControlSkin>());
    bricks.pushButton("Generic", [] { }, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Bottom, A::Bottom);
        maker.width(90).height(24);
    });
    bricks.setControlSkin(nullptr);
    bricks.slider([](float value) { return std::round(value * 4) / 4; }, true, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(*bricks.previous()).pin(A::Left, A::Right, 12).pin(A::CenterY, A::CenterY, 0);
        maker.width(110);
    })->setDoubleValue(0.75);
    auto segments = bricks.segmentedControl({ "Day", "Week", "Month" }, [](int) { }, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(*bricks.previous()).pin(A::Left, A::Right, 12).pin(A::CenterY, A::CenterY, 0);
    });
    segments->setSelectedSegment(1);
    auto toggle = SwitchBrick::create();
    toggle->setState(1);
    bricks.internalAddBrick(toggle, [&bricks](LayoutConstraintMaker& maker) {
        maker.and_(*bricks.previous()).pin(A::Left, A::Right, 12).pin(A::CenterY, A::CenterY, 0);
    });
}

void Gallery::addWalls()
{
    appended(*m_stack, LabelFragment::labelFragment("Walls"));
    auto section = appended(*m_stack, FragmentWall::create());
    fixedHeight(*section, 64);
    auto [left, right] = section->split(SplittingSize::relative, 0.5, SplitDirection::left);
    left->setBackgroundColor(gfx::Color::rgb(0.25, 0.2, 0.35));
    left->setBorderColor(gfx::colors::orange);
    for (auto setter : { &Wall::setDrawLeftBorder, &Wall::setDrawRightBorder, &Wall::setDrawTopBorder, &Wall::setDrawBottomBorder })
        ((*left).*setter)(true);
    auto [middle, narrow] = right->split(SplittingSize::absolute, 90, SplitDirection::right);
    middle->backgroundDrawingFunc = [](const ui::Rect& rect) { OstrelStyleKit::drawLabelFragmentBar(rect); };
    narrow->setBackgroundColor(gfx::Color::rgb(0.15, 0.3, 0.2));
    narrow->setBorderColor(gfx::colors::white);
    narrow->setDrawTopBorder(true);
    narrow->setDrawBottomBorder(true);
}

void Gallery::addTags()
{
    appended(*m_stack, LabelFragment::labelFragment("Tags"));
    auto section = appended(*m_stack, FragmentWall::create());
    fixedHeight(*section, 40);
    m_tagField = TagTokenFieldHelper::installTagTokenFieldInsideOfNormalWall(*section, "tags");
    for (const auto& view : section->subviews()) {
        if (auto pullDown = std::dynamic_pointer_cast<ui::PopUpButton>(view))
            m_tagPullDown = pullDown;
    }
}

std::string Gallery::positions()
{
    m_window->layoutIfNeeded();
    std::string report;
    auto add = [&report](const char* name, const std::optional<ui::Rect>& placed, bool centre) {
        if (!placed)
            return;
        const ui::Rect& r = *placed;
        char line[160];
        if (centre)
            std::snprintf(line, sizeof line, "%s %g %g\n", name, r.midX(), r.midY());
        else
            std::snprintf(line, sizeof line, "%s %g %g %g %g\n", name, r.minX(), r.minY(), r.width(), r.height());
        report += line;
    };
    add("window", rootRectOf(*m_window->contentView()), false);
    add("wheel", rootRectOf(*m_notesLabel->wheelButton()), true);
    add("section", rootRectOf(*m_notesSection), false);
    add("tagfield", rootRectOf(*m_tagField), false);
    if (m_tagPullDown)
        add("pulldown", rootRectOf(*m_tagPullDown), true);
    return report;
}

void Gallery::reportPositions()
{
    // Checked often: hiding a section moves everything below it.
    m_menuWatch = base::Timer::create(0.05, true, base::RunLoop::Mode::Common, [this](base::Timer&) {
        if (auto now = positions(); now != m_lastPositions) {
            m_lastPositions = now;
            std::fputs(now.c_str(), stdout);
            std::fflush(stdout);
        }
        reportMenu("wheel", *m_notesLabel->wheelButton(), m_wheelMenuReported);
        if (m_tagPullDown)
            reportMenu("tags", *m_tagPullDown, m_tagMenuReported);
    });
    auto store = base::Defaults::standard();
    // After the field's own binding, which was added first: the field shows the new tags.
    store->addObserver("tags", [this](const std::string&) {
        std::string shown;
        for (const auto& token : m_tagField->tokens())
            shown += (shown.empty() ? "" : ",") + token;
        std::printf("tags %s\n", shown.c_str());
        std::fflush(stdout);
    });
}

void Gallery::reportMenu(const char* name, ui::PopUpButton& button, bool& reported)
{
    ui::Menu& menu = *button.menu();
    ui::Window* tracking = menu.trackingWindow();
    if (!tracking) {
        reported = false;
        return;
    }
    if (reported)
        return;
    reported = true;
    ui::Point topLeft = onRoot({ tracking->frame().minX(), tracking->frame().maxY() });
    for (std::size_t i = 0; i < menu.numberOfItems(); ++i) {
        ui::MenuItem* item = menu.itemAt(i);
        if (item->isHidden() || item->isSeparator())
            continue;
        ui::Rect row = menu.trackingRectOfItem(item);
        std::printf("menu %s %zu %g %g %g %g %s\n", name, i, topLeft.x + std::round(row.minX()), topLeft.y + std::round(row.minY()),
            std::round(row.width()), std::round(row.height()), item->title().c_str());
    }
    std::fflush(stdout);
}
