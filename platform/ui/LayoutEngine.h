#pragma once

#include "platform/ui/Constraint.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/LayoutSolver.h"

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace ui {

class View;

// Turns a view tree's constraints into frames. Each view gets four variables (left, top,
// width, height) in one top-down space with the root at 0, 0; between passes the engine keeps
// its solver and only adds and removes the constraints that changed.
class LayoutEngine {
public:
    LayoutEngine() = default;

    // Lays the tree out with the root at the given size, sets every frame below the root and
    // calls the views' layout() hooks.
    void layout(View& root, Size rootSize);
    // The smallest root size the constraints allow, leaving the frames alone.
    Size fit(View& root);

private:
    struct Variables {
        LayoutSolver::Variable left, top, width, height;
    };
    struct Installed {
        LayoutSolver::ConstraintId id { 0 };
        std::shared_ptr<Constraint> constraint;
        double constant { 0 };
        double priority { 0 };
        std::optional<double> baseline;
    };

    void solve(View& root, std::optional<Size> rootSize);
    void sync(const std::vector<std::shared_ptr<Constraint>>& wanted);
    bool appendExpression(LayoutSolver::Expression& expression, View* view, LayoutAttribute attribute, double factor);
    Rect absoluteRect(View* view) const;
    void applyFrames(View& root, const std::vector<std::shared_ptr<View>>& views);

    LayoutSolver m_solver;
    std::unordered_map<View*, Variables> m_variables;
    std::unordered_map<Constraint*, Installed> m_installed;
    std::vector<std::shared_ptr<Constraint>> m_rootConstraints;
    std::optional<Size> m_rootSize;
    View* m_root { nullptr };
};

}
