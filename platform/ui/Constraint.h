#pragma once

#include "platform/ui/Forward.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {

enum class LayoutAttribute {
    NotAnAttribute = 0,
    Left = 1,
    Right = 2,
    Top = 3,
    Bottom = 4,
    Leading = 5,
    Trailing = 6,
    Width = 7,
    Height = 8,
    CenterX = 9,
    CenterY = 10,
    FirstBaseline = 12,
};

enum class LayoutRelation { LessThanOrEqual = -1, Equal = 0, GreaterThanOrEqual = 1 };

enum class Orientation { Horizontal = 0, Vertical = 1 };

namespace LayoutPriority {
constexpr double Required = 1000;
constexpr double DefaultHigh = 750;
constexpr double WindowSizeStayPut = 500;
constexpr double DefaultLow = 250;
constexpr double FittingSizeCompression = 50;
}

// first.attribute (relation) second.attribute × multiplier + constant, at a priority from 1
// to 1000. The views are not owned: a constraint lives in the constraint list of a view
// that contains both of them, and leaves it when either view leaves that view's subtree.
class Constraint : public std::enable_shared_from_this<Constraint> {
public:
    static std::shared_ptr<Constraint> create(View* first, LayoutAttribute firstAttribute, LayoutRelation relation,
        View* second, LayoutAttribute secondAttribute, double multiplier = 1, double constant = 0);
    // first.attribute (relation) constant.
    static std::shared_ptr<Constraint> create(View* first, LayoutAttribute attribute, LayoutRelation relation,
        double constant);

    View* firstItem() const { return m_first; }
    View* secondItem() const { return m_second; }
    LayoutAttribute firstAttribute() const { return m_firstAttribute; }
    LayoutAttribute secondAttribute() const { return m_secondAttribute; }
    LayoutRelation relation() const { return m_relation; }
    double multiplier() const { return m_multiplier; }

    double constant() const { return m_constant; }
    void setConstant(double constant);

    // Out-of-range priorities are clamped to 1…1000.
    double priority() const { return m_priority; }
    void setPriority(double priority);

    const std::string& identifier() const { return m_identifier; }
    void setIdentifier(std::string identifier) { m_identifier = std::move(identifier); }

    // Active means installed on the nearest view that contains both items.
    bool isActive() const { return m_installedOn != nullptr; }
    void setActive(bool active);
    View* installedOn() const { return m_installedOn; }
    static void activate(const std::vector<std::shared_ptr<Constraint>>& constraints);
    // The view's top, bottom, left and right edges each equal to the other view's.
    static std::vector<std::shared_ptr<Constraint>> edgesEqual(View* view, View* other);
    static void deactivate(const std::vector<std::shared_ptr<Constraint>>& constraints);

private:
    friend class View;
    Constraint() = default;
    void changed();

    View* m_first { nullptr };
    View* m_second { nullptr };
    LayoutAttribute m_firstAttribute { LayoutAttribute::NotAnAttribute };
    LayoutAttribute m_secondAttribute { LayoutAttribute::NotAnAttribute };
    LayoutRelation m_relation { LayoutRelation::Equal };
    double m_multiplier { 1 };
    double m_constant { 0 };
    double m_priority { 1000 };
    std::string m_identifier;
    View* m_installedOn { nullptr };
};

}
