#pragma once

#include "platform/ui/View.h"

#include <unordered_map>

namespace ui {

namespace VisibilityPriority {
constexpr double MustHold = 1000;
constexpr double DetachOnlyIfNecessary = 900;
constexpr double NotVisible = 0;
}

// A row or column of arranged views with spacing and insets between them, aligned across
// the row. A view whose visibility priority is not-visible is detached (taken out of the
// view tree but kept in the arrangement); others are detached, lowest priority first, when
// the stack is too short for them all, and come back when there is room again. Hidden
// arranged views take no room.
class StackView : public View {
public:
    static std::shared_ptr<StackView> create(Orientation orientation = Orientation::Horizontal);

    Orientation orientation() const { return m_orientation; }
    void setOrientation(Orientation orientation);
    // Across the stack: Top, CenterY, Bottom, FirstBaseline or Height (fill) for a row;
    // Leading, CenterX, Trailing or Width (fill) for a column.
    LayoutAttribute alignment() const { return m_alignment; }
    void setAlignment(LayoutAttribute alignment);
    double spacing() const { return m_spacing; }
    void setSpacing(double spacing);
    EdgeInsets edgeInsets() const { return m_insets; }
    void setEdgeInsets(EdgeInsets insets);

    const std::vector<std::shared_ptr<View>>& arrangedSubviews() const { return m_arranged; }
    void addArrangedSubview(std::shared_ptr<View> view);
    void insertArrangedSubview(std::shared_ptr<View> view, std::size_t index);
    // Leaves the arrangement; the view stays a subview until removed from it as well.
    void removeArrangedSubview(const std::shared_ptr<View>& view);

    double visibilityPriority(const View* view) const;
    void setVisibilityPriority(const View* view, double priority);
    std::vector<std::shared_ptr<View>> detachedViews() const;
    bool isDetached(const View* view) const;

    void updateConstraints() override;
    void layout() override;

protected:
    explicit StackView(Orientation orientation);

private:
    void rearrange();
    void attach(const std::shared_ptr<View>& view);
    void detach(const std::shared_ptr<View>& view);
    double lengthOf(View* view);
    double available() const;
    double needed(const std::vector<View*>& views);

    Orientation m_orientation { Orientation::Horizontal };
    LayoutAttribute m_alignment { LayoutAttribute::CenterY };
    double m_spacing { 8 };
    EdgeInsets m_insets;
    std::vector<std::shared_ptr<View>> m_arranged;
    std::unordered_map<const View*, double> m_priorities;
    // Detached for want of room, as opposed to by priority zero.
    std::vector<const View*> m_squeezedOut;
    std::vector<std::shared_ptr<Constraint>> m_generated;
    std::vector<View*> m_lastShown;
    bool m_dirty { true };
};

}
