#pragma once

#include "platform/ui/Constraint.h"

namespace ui {
class View;
}

namespace ostrel {

class LayoutConstraintMaker;

// The same edge or dimension on both sides, for pin(direction, constant).
enum class SmartLayoutDirectionsType { top, bottom, left, right, leading, trailing, centerX, centerY, width, height };

// Relates a maker's subject S to one other view R; every constraint goes into the maker's
// list, and every call answers this object, so calls chain.
class LayoutConstraintMakerWithRelation {
public:
    // Not owned: both live for the closure that uses them.
    LayoutConstraintMakerWithRelation(LayoutConstraintMaker& container, ui::View& relation);

    LayoutConstraintMaker& container() const { return *m_container; }
    ui::View& relation() const { return *m_relation; }

    // S.width = R.width × factor (S.height likewise).
    LayoutConstraintMakerWithRelation& width(double factor);
    LayoutConstraintMakerWithRelation& height(double factor);
    // S.a = R.b + constant.
    LayoutConstraintMakerWithRelation& pin(ui::LayoutAttribute a, ui::LayoutAttribute b, double constant);
    LayoutConstraintMakerWithRelation& pin(SmartLayoutDirectionsType direction, double constant);
    // S.a = R.b + k, where k is the current brick factory's inset for a: + horizontal inset
    // for left and leading, − for right and trailing, + vertical inset for top, − for bottom,
    // 0 for anything else. The program stops when there is no current factory.
    LayoutConstraintMakerWithRelation& place(ui::LayoutAttribute a, ui::LayoutAttribute b);
    // The last constraint of the maker at 250 (low) or 750 (high).
    LayoutConstraintMakerWithRelation& lowPriority();
    LayoutConstraintMakerWithRelation& highPriority();

private:
    LayoutConstraintMaker* m_container;
    ui::View* m_relation;
};

}
