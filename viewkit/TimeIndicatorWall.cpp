#include "viewkit/TimeIndicatorWall.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/OstrelControlSkin.h"

#include "core/DateHelper.h"

#include <cmath>
#include <limits>

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr double kLabelWidth = 80;
// Labels here draw their text to their very edge: the value keeps a space's width from it.
constexpr double kLabelValueGap = 4;
// Room left between a value and the window's edge.
constexpr double kValueEndInset = 6;
// Below a value's resistance to being squeezed (750).
constexpr double kLabelGivesWay = 740;

// Whole seconds toward zero; what no count of seconds could be reads as 0.
std::int64_t wholeSeconds(double seconds)
{
    double truncated = std::trunc(seconds);
    if (!std::isfinite(truncated))
        return 0;
    if (truncated >= 9.2e18 || truncated <= -9.2e18)
        return truncated > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(truncated);
}

}

TimeIndicatorWall::TimeIndicatorWall(ui::Rect frame)
    : HideableFragmentWall(frame)
{
}

void TimeIndicatorWall::finishCreation()
{
    HideableFragmentWall::finishCreation();
    build();
}

std::pair<std::shared_ptr<Wall>, std::shared_ptr<Wall>> TimeIndicatorWall::splitIntoHalves()
{
    return split(SplittingSize::relative, 0.5, SplitDirection::right);
}

std::shared_ptr<AttributedLabel> TimeIndicatorWall::addValueField(Wall& half, const std::string& initialText,
    const BricksFactory::ConstraintsClosure& constraints)
{
    auto field = AttributedLabel::create(initialText);
    half.factory().internalAddBrick(field, constraints);
    field->setFont(OstrelControlSkin::shared().proportionalDigitsFont());
    return field;
}

std::pair<std::shared_ptr<AttributedLabel>, std::shared_ptr<AttributedLabel>> TimeIndicatorWall::buildLabelsAndValues(
    const std::string& leftTitle, const std::string& leftValue, const std::string& rightTitle, const std::string& rightValue)
{
    auto [left, right] = splitIntoHalves();
    left->factory().label(leftTitle, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Bottom, A::Bottom);
        maker.width(kLabelWidth);
    })->setAlignment(gfx::TextAlignment::right);
    auto leftField = addValueField(*left, leftValue, [&left](LayoutConstraintMaker& maker) {
        auto previous = left->factory().previous();
        maker.and_(*previous).pin(A::Left, A::Right, kLabelValueGap).pin(A::FirstBaseline, A::FirstBaseline, 0);
        maker.container().place(A::Top, A::Top);
    });

    // A time of day with two-digit hours ("10:40:16 AM") is wider than the half leaves beside
    // an 80-point label: the label gives way before the value is cut.
    right->factory().label(rightTitle, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Left, A::Left, 0).place(A::Bottom, A::Bottom);
        maker.width(kLabelWidth);
        maker.constraints().back()->setPriority(kLabelGivesWay);
    })->setAlignment(gfx::TextAlignment::right);
    auto rightField = addValueField(*right, rightValue, [&right](LayoutConstraintMaker& maker) {
        auto previous = right->factory().previous();
        maker.and_(*previous).pin(A::FirstBaseline, A::FirstBaseline, 0).pin(A::Left, A::Right, kLabelValueGap);
        maker.append(ui::Constraint::create(&maker.subject(), A::Right, ui::LayoutRelation::LessThanOrEqual, right.get(), A::Right, 1, -kValueEndInset));
    });
    return { leftField, rightField };
}

void TimeIndicatorWall::showDuration(ui::TextField& field, double seconds)
{
    field.setStringValue(DateHelper::sharedHelper().formatNumberOfSeconds(wholeSeconds(seconds)));
}

void TimeIndicatorWall::showTimeOfDay(AttributedLabel& field, double date)
{
    field.setAttributedStringValue(DateHelper::sharedHelper().formatDateAsTimeWithAmPmIfAppropriate(date));
}

}
