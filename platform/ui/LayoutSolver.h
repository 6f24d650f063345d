#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace ui {

// An incremental Cassowary solver: linear equalities and inequalities over numeric
// variables, each with a priority from 1 to 1000, where 1000 is required and lower ones
// give way to higher ones as far as they must. Priorities rank strictly: no number of
// broken lower-priority constraints is ever traded for breaking a higher one, so two wishes
// at 998 never outweigh one at 999. Constraints come and go one at a time and
// each change re-optimises from the last solution, so a window that changes one view does
// not pay for the whole tree.
//
// A required constraint that contradicts the required ones before it is not refused: it is
// kept at priority 999, logged, and the others win. A layout bug then shows as a view in
// the wrong place, never as a crash.
class LayoutSolver {
public:
    using Variable = std::uint32_t;
    using ConstraintId = std::uint64_t;

    static constexpr double kRequired = 1000;

    enum class Relation { Equal, LessOrEqual, GreaterOrEqual };

    struct Term {
        Variable variable;
        double coefficient { 1 };
    };

    // sum(coefficient × variable) + constant, compared with 0.
    struct Expression {
        std::vector<Term> terms;
        double constant { 0 };
    };

    LayoutSolver();
    ~LayoutSolver();
    LayoutSolver(const LayoutSolver&) = delete;
    LayoutSolver& operator=(const LayoutSolver&) = delete;

    Variable newVariable();
    double value(Variable variable) const;

    ConstraintId add(const Expression& expression, Relation relation, double priority = kRequired);
    void remove(ConstraintId id);
    bool contains(ConstraintId id) const { return m_constraints.contains(id); }
    // The priority the constraint is kept at: lower than asked after a conflict.
    std::optional<double> effectivePriority(ConstraintId id) const;
    std::size_t constraintCount() const { return m_constraints.size(); }

private:
    enum class Kind : std::uint8_t { Invalid, External, Slack, Error, Dummy };
    struct Symbol {
        std::uint64_t id { 0 };
        Kind kind { Kind::Invalid };
        bool valid() const { return kind != Kind::Invalid; }
        bool operator<(const Symbol& other) const { return id < other.id; }
        bool operator==(const Symbol& other) const { return id == other.id; }
    };

    struct Row {
        double constant { 0 };
        std::map<Symbol, double> cells;

        double coefficientFor(Symbol s) const;
        void add(double value) { constant += value; }
        void insert(Symbol s, double coefficient);
        void insert(const Row& other, double coefficient);
        void remove(Symbol s) { cells.erase(s); }
        void reverseSign();
        void solveFor(Symbol s);
        void solveFor(Symbol lhs, Symbol rhs);
        void substitute(Symbol s, const Row& row);
    };

    // An objective coefficient: one number per priority, highest priority first, compared
    // from the top down. This is what makes the ranking strict.
    struct Strength {
        std::vector<std::pair<double, double>> levels;

        static Strength of(double priority, double coefficient = 1) { return { { { priority, coefficient } } }; }
        bool isNegative() const { return !levels.empty() && levels.front().second < 0; }
        void add(const Strength& other, double factor);
    };

    // What the optimiser minimises: the errors of the non-required constraints, each at its
    // own priority, written in terms of the non-basic symbols.
    struct Objective {
        std::map<Symbol, Strength> cells;

        void insert(Symbol s, const Strength& strength, double factor = 1);
        void insert(const Row& row, const Strength& strength, double factor);
        void remove(Symbol s) { cells.erase(s); }
        void substitute(Symbol s, const Row& row);
    };

    struct Tag {
        Symbol marker;
        Symbol other;
        double priority { kRequired };
    };

    Symbol makeSymbol(Kind kind);
    Row createRow(const Expression& expression, Relation relation, double priority, Tag& tag);
    Symbol chooseSubject(const Row& row, const Tag& tag) const;
    bool addRow(Row row, const Tag& tag);
    bool addWithArtificialVariable(const Row& row);
    void substitute(Symbol s, const Row& row);
    template<typename ObjectiveType>
    void optimize(ObjectiveType& objective);
    Symbol enteringSymbol(const Row& objective) const;
    Symbol enteringSymbol(const Objective& objective) const;
    std::map<Symbol, Row>::iterator leavingRow(Symbol entering);
    std::map<Symbol, Row>::iterator markerLeavingRow(Symbol marker);
    Symbol anyPivotableSymbol(const Row& row) const;
    void removeMarkerEffects(Symbol marker, double priority);
    void undoObjective(const Tag& tag);

    std::uint64_t m_nextSymbol { 1 };
    std::vector<Symbol> m_variables;
    std::map<Symbol, Row> m_rows;
    Objective m_objective;
    std::unique_ptr<Row> m_artificial;
    std::unordered_map<ConstraintId, Tag> m_constraints;
    ConstraintId m_nextConstraint { 1 };
};

}
