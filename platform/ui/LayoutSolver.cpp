#include "platform/ui/LayoutSolver.h"

#include "platform/base/Diagnostics.h"

#include <cmath>
#include <limits>
#include <string>

namespace ui {

namespace {

constexpr double kEpsilon = 1.0e-8;

bool nearZero(double value) { return std::fabs(value) < kEpsilon; }

}

void LayoutSolver::Strength::add(const Strength& other, double factor)
{
    std::vector<std::pair<double, double>> merged;
    merged.reserve(levels.size() + other.levels.size());
    auto a = levels.cbegin();
    auto b = other.levels.cbegin();
    while (a != levels.cend() || b != other.levels.cend()) {
        std::pair<double, double> level;
        if (b == other.levels.cend() || (a != levels.cend() && a->first > b->first)) {
            level = *a++;
        } else if (a == levels.cend() || b->first > a->first) {
            level = { b->first, b->second * factor };
            ++b;
        } else {
            level = { a->first, a->second + b->second * factor };
            ++a;
            ++b;
        }
        if (!nearZero(level.second))
            merged.push_back(level);
    }
    levels = std::move(merged);
}

void LayoutSolver::Objective::insert(Symbol s, const Strength& strength, double factor)
{
    auto [it, inserted] = cells.try_emplace(s);
    it->second.add(strength, factor);
    if (it->second.levels.empty())
        cells.erase(it);
}

void LayoutSolver::Objective::insert(const Row& row, const Strength& strength, double factor)
{
    for (const auto& [symbol, value] : row.cells)
        insert(symbol, strength, value * factor);
}

void LayoutSolver::Objective::substitute(Symbol s, const Row& row)
{
    auto it = cells.find(s);
    if (it == cells.end())
        return;
    Strength strength = std::move(it->second);
    cells.erase(it);
    insert(row, strength, 1);
}

double LayoutSolver::Row::coefficientFor(Symbol s) const
{
    auto it = cells.find(s);
    return it == cells.end() ? 0.0 : it->second;
}

void LayoutSolver::Row::insert(Symbol s, double coefficient)
{
    auto [it, inserted] = cells.try_emplace(s, 0.0);
    it->second += coefficient;
    if (nearZero(it->second))
        cells.erase(it);
}

void LayoutSolver::Row::insert(const Row& other, double coefficient)
{
    constant += other.constant * coefficient;
    for (const auto& [symbol, value] : other.cells)
        insert(symbol, value * coefficient);
}

void LayoutSolver::Row::reverseSign()
{
    constant = -constant;
    for (auto& cell : cells)
        cell.second = -cell.second;
}

void LayoutSolver::Row::solveFor(Symbol s)
{
    double coefficient = -1.0 / cells.at(s);
    cells.erase(s);
    constant *= coefficient;
    for (auto& cell : cells)
        cell.second *= coefficient;
}

void LayoutSolver::Row::solveFor(Symbol lhs, Symbol rhs)
{
    insert(lhs, -1.0);
    solveFor(rhs);
}

void LayoutSolver::Row::substitute(Symbol s, const Row& row)
{
    auto it = cells.find(s);
    if (it == cells.end())
        return;
    double coefficient = it->second;
    cells.erase(it);
    insert(row, coefficient);
}

LayoutSolver::LayoutSolver() = default;
LayoutSolver::~LayoutSolver() = default;

LayoutSolver::Symbol LayoutSolver::makeSymbol(Kind kind) { return { m_nextSymbol++, kind }; }

LayoutSolver::Variable LayoutSolver::newVariable()
{
    m_variables.push_back(makeSymbol(Kind::External));
    return static_cast<Variable>(m_variables.size() - 1);
}

double LayoutSolver::value(Variable variable) const
{
    if (variable >= m_variables.size())
        return 0;
    auto it = m_rows.find(m_variables[variable]);
    return it == m_rows.end() ? 0.0 : it->second.constant;
}

std::optional<double> LayoutSolver::effectivePriority(ConstraintId id) const
{
    auto it = m_constraints.find(id);
    if (it == m_constraints.end())
        return std::nullopt;
    return it->second.priority;
}

LayoutSolver::ConstraintId LayoutSolver::add(const Expression& expression, Relation relation, double priority)
{
    priority = std::clamp(priority, 1.0, kRequired);
    Tag tag;
    Row row = createRow(expression, relation, priority, tag);
    if (!addRow(std::move(row), tag)) {
        // Contradicts what is already required: keep it as the strongest wish instead.
        base::diagnostic("Layout: a required constraint conflicts with others and is kept at priority 999");
        tag = {};
        Row weaker = createRow(expression, relation, 999, tag);
        if (!addRow(std::move(weaker), tag))
            base::diagnostic("Layout: a constraint could not be added at all");
    }
    ConstraintId id = m_nextConstraint++;
    m_constraints.emplace(id, tag);
    optimize(m_objective);
    return id;
}

LayoutSolver::Row LayoutSolver::createRow(const Expression& expression, Relation relation, double priority, Tag& tag)
{
    Row row;
    row.constant = expression.constant;
    for (const Term& term : expression.terms) {
        if (nearZero(term.coefficient) || term.variable >= m_variables.size())
            continue;
        Symbol symbol = m_variables[term.variable];
        auto it = m_rows.find(symbol);
        if (it != m_rows.end())
            row.insert(it->second, term.coefficient);
        else
            row.insert(symbol, term.coefficient);
    }

    tag.priority = priority;
    bool required = priority >= kRequired;
    Strength strength = Strength::of(priority);
    switch (relation) {
    case Relation::LessOrEqual:
    case Relation::GreaterOrEqual: {
        double coefficient = relation == Relation::LessOrEqual ? 1.0 : -1.0;
        Symbol slack = makeSymbol(Kind::Slack);
        tag.marker = slack;
        row.insert(slack, coefficient);
        if (!required) {
            Symbol error = makeSymbol(Kind::Error);
            tag.other = error;
            row.insert(error, -coefficient);
            m_objective.insert(error, strength);
        }
        break;
    }
    case Relation::Equal:
        if (!required) {
            Symbol plus = makeSymbol(Kind::Error);
            Symbol minus = makeSymbol(Kind::Error);
            tag.marker = plus;
            tag.other = minus;
            row.insert(plus, -1.0);
            row.insert(minus, 1.0);
            m_objective.insert(plus, strength);
            m_objective.insert(minus, strength);
        } else {
            Symbol dummy = makeSymbol(Kind::Dummy);
            tag.marker = dummy;
            row.insert(dummy, 1.0);
        }
        break;
    }
    if (row.constant < 0)
        row.reverseSign();
    return row;
}

bool LayoutSolver::addRow(Row row, const Tag& tag)
{
    Symbol subject = chooseSubject(row, tag);
    if (!subject.valid()) {
        bool allDummies = std::all_of(row.cells.begin(), row.cells.end(),
            [](const auto& cell) { return cell.first.kind == Kind::Dummy; });
        if (allDummies) {
            if (!nearZero(row.constant))
                return false;
            subject = tag.marker;
        }
    }
    if (!subject.valid())
        return addWithArtificialVariable(row);
    if (!row.cells.contains(subject))
        return nearZero(row.constant);
    row.solveFor(subject);
    substitute(subject, row);
    m_rows[subject] = std::move(row);
    return true;
}

LayoutSolver::Symbol LayoutSolver::chooseSubject(const Row& row, const Tag& tag) const
{
    for (const auto& [symbol, value] : row.cells)
        if (symbol.kind == Kind::External)
            return symbol;
    auto pivotable = [](Symbol s) { return s.kind == Kind::Slack || s.kind == Kind::Error; };
    if (pivotable(tag.marker) && row.coefficientFor(tag.marker) < 0)
        return tag.marker;
    if (pivotable(tag.other) && row.coefficientFor(tag.other) < 0)
        return tag.other;
    return {};
}

bool LayoutSolver::addWithArtificialVariable(const Row& row)
{
    Symbol art = makeSymbol(Kind::Slack);
    m_rows[art] = row;
    m_artificial = std::make_unique<Row>(row);
    optimize(*m_artificial);
    bool success = nearZero(m_artificial->constant);
    m_artificial.reset();

    auto it = m_rows.find(art);
    // Unsatisfiable: the artificial variable is still basic (parametric, it would be zero and
    // the objective with it). Pivoting it out and dropping it would set it to zero, which is
    // the refused constraint itself, kept in the tableau for good: the row goes as it came.
    if (!success && it != m_rows.end()) {
        m_rows.erase(it);
        return false;
    }
    if (it != m_rows.end()) {
        Row artRow = std::move(it->second);
        m_rows.erase(it);
        if (artRow.cells.empty())
            return success;
        Symbol entering = anyPivotableSymbol(artRow);
        if (!entering.valid())
            return false;
        artRow.solveFor(art, entering);
        substitute(entering, artRow);
        m_rows[entering] = std::move(artRow);
    }
    for (auto& [symbol, r] : m_rows)
        r.remove(art);
    m_objective.remove(art);
    return success;
}

void LayoutSolver::substitute(Symbol s, const Row& row)
{
    for (auto& [symbol, r] : m_rows)
        r.substitute(s, row);
    m_objective.substitute(s, row);
    if (m_artificial)
        m_artificial->substitute(s, row);
}

template<typename ObjectiveType>
void LayoutSolver::optimize(ObjectiveType& objective)
{
    // A bound on pivots keeps a numerical cycle from hanging the program.
    for (int guard = 0; guard < 100000; ++guard) {
        Symbol entering = enteringSymbol(objective);
        if (!entering.valid())
            return;
        auto leaving = leavingRow(entering);
        if (leaving == m_rows.end()) {
            base::diagnostic("Layout: objective is unbounded");
            return;
        }
        Symbol leavingSymbol = leaving->first;
        Row row = std::move(leaving->second);
        m_rows.erase(leaving);
        row.solveFor(leavingSymbol, entering);
        substitute(entering, row);
        m_rows[entering] = std::move(row);
    }
    base::diagnostic("Layout: optimisation did not settle");
}

LayoutSolver::Symbol LayoutSolver::enteringSymbol(const Row& objective) const
{
    for (const auto& [symbol, value] : objective.cells)
        if (symbol.kind != Kind::Dummy && value < 0)
            return symbol;
    return {};
}

LayoutSolver::Symbol LayoutSolver::enteringSymbol(const Objective& objective) const
{
    for (const auto& [symbol, strength] : objective.cells)
        if (symbol.kind != Kind::Dummy && strength.isNegative())
            return symbol;
    return {};
}

std::map<LayoutSolver::Symbol, LayoutSolver::Row>::iterator LayoutSolver::leavingRow(Symbol entering)
{
    double ratio = std::numeric_limits<double>::max();
    auto found = m_rows.end();
    for (auto it = m_rows.begin(); it != m_rows.end(); ++it) {
        if (it->first.kind == Kind::External)
            continue;
        double coefficient = it->second.coefficientFor(entering);
        if (coefficient < 0) {
            double r = -it->second.constant / coefficient;
            if (r < ratio) {
                ratio = r;
                found = it;
            }
        }
    }
    return found;
}

std::map<LayoutSolver::Symbol, LayoutSolver::Row>::iterator LayoutSolver::markerLeavingRow(Symbol marker)
{
    double r1 = std::numeric_limits<double>::max();
    double r2 = r1;
    auto first = m_rows.end(), second = m_rows.end(), third = m_rows.end();
    for (auto it = m_rows.begin(); it != m_rows.end(); ++it) {
        double c = it->second.coefficientFor(marker);
        if (c == 0)
            continue;
        if (it->first.kind == Kind::External) {
            third = it;
        } else if (c < 0) {
            double r = -it->second.constant / c;
            if (r < r1) {
                r1 = r;
                first = it;
            }
        } else {
            double r = it->second.constant / c;
            if (r < r2) {
                r2 = r;
                second = it;
            }
        }
    }
    if (first != m_rows.end())
        return first;
    if (second != m_rows.end())
        return second;
    return third;
}

LayoutSolver::Symbol LayoutSolver::anyPivotableSymbol(const Row& row) const
{
    for (const auto& [symbol, value] : row.cells)
        if (symbol.kind == Kind::Slack || symbol.kind == Kind::Error)
            return symbol;
    return {};
}

void LayoutSolver::removeMarkerEffects(Symbol marker, double priority)
{
    auto it = m_rows.find(marker);
    if (it != m_rows.end())
        m_objective.insert(it->second, Strength::of(priority), -1);
    else
        m_objective.insert(marker, Strength::of(priority), -1);
}

void LayoutSolver::undoObjective(const Tag& tag)
{
    if (tag.marker.kind == Kind::Error)
        removeMarkerEffects(tag.marker, tag.priority);
    if (tag.other.kind == Kind::Error)
        removeMarkerEffects(tag.other, tag.priority);
}

void LayoutSolver::remove(ConstraintId id)
{
    auto found = m_constraints.find(id);
    if (found == m_constraints.end())
        return;
    Tag tag = found->second;
    m_constraints.erase(found);
    if (!tag.marker.valid())
        return;

    undoObjective(tag);
    auto it = m_rows.find(tag.marker);
    if (it != m_rows.end()) {
        m_rows.erase(it);
    } else {
        auto leaving = markerLeavingRow(tag.marker);
        if (leaving != m_rows.end()) {
            Symbol leavingSymbol = leaving->first;
            Row row = std::move(leaving->second);
            m_rows.erase(leaving);
            row.solveFor(leavingSymbol, tag.marker);
            substitute(tag.marker, row);
        }
    }
    optimize(m_objective);
}

}
