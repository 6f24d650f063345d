#pragma once

#include "viewkit/AttributedLabel.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/UpdatedViewType.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace ostrel {

// The common ground of the five time indicators: a hideable fragment split into two equal
// halves, each holding a label and a value in large light digits, built once when the wall
// is made and refreshed by its screen once a second.
class TimeIndicatorWall : public HideableFragmentWall, public UpdatedViewType {
protected:
    explicit TimeIndicatorWall(ui::Rect frame);

    // Builds the wall's content once it is owned.
    void finishCreation() override;
    virtual void build() = 0;

    // The two halves, side by side, each half the wall's width.
    std::pair<std::shared_ptr<Wall>, std::shared_ptr<Wall>> splitIntoHalves();
    // The layout of the four running walls: on the left "leftTitle" and its value, on the
    // right "rightTitle" and its value; the two value fields are answered.
    std::pair<std::shared_ptr<AttributedLabel>, std::shared_ptr<AttributedLabel>> buildLabelsAndValues(
        const std::string& leftTitle, const std::string& leftValue, const std::string& rightTitle, const std::string& rightValue);
    // A value field in the skin's proportional digits, added through the half's factory.
    static std::shared_ptr<AttributedLabel> addValueField(Wall& half, const std::string& initialText,
        const BricksFactory::ConstraintsClosure& constraints);

    // A duration as 75′00″ and a moment as a time of day, as every indicator shows them.
    static void showDuration(ui::TextField& field, double seconds);
    static void showTimeOfDay(AttributedLabel& field, double date);
};

}
