#pragma once

#include <any>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace base {

class Responder;

// Whatever sent an action: a menu item, a button, a hot-key manager, or nothing.
using Sender = std::any;

// One class's actions by name ("startTimeSlice:"), with the table of the class it derives
// from behind it, so that a subclass also performs what its base performs.
class ActionTable {
public:
    using Handler = std::function<void(Responder& target, const Sender& sender)>;

    ActionTable() = default;
    explicit ActionTable(const ActionTable* inherited)
        : m_inherited(inherited)
    {
    }

    template<class T>
    using Method = void (T::*)(const Sender&);

    template<class T>
    static ActionTable of(std::initializer_list<std::pair<std::string_view, Method<T>>> actions,
        const ActionTable* inherited = nullptr)
    {
        ActionTable table(inherited);
        for (const auto& action : actions) {
            Method<T> method = action.second;
            table.add(action.first, [method](Responder& target, const Sender& sender) {
                (static_cast<T&>(target).*method)(sender);
            });
        }
        return table;
    }

    void add(std::string_view action, Handler handler);
    // This class's handler, else the inherited one, else nullptr.
    const Handler* find(std::string_view action) const;

private:
    std::vector<std::pair<std::string, Handler>> m_actions;
    const ActionTable* m_inherited { nullptr };
};

// A link of the responder chain. A class lists its actions once:
//
//     const base::ActionTable& actionTable() const override
//     {
//         static const auto table = base::ActionTable::of<DefineTimeSliceState>(
//             { { "startTimeSlice:", &DefineTimeSliceState::startTimeSlice } }, &BaseState::actionTable());
//         return table;
//     }
//
// and an action travels the chain until a responder whose table has it performs it.
class Responder {
public:
    virtual ~Responder() = default;

    // Not owned: the chain links objects that outlive it (the controller, the state machine,
    // the screens), and whoever rewires it sets the link again.
    Responder* nextResponder() const { return m_nextResponder; }
    void setNextResponder(Responder* next) { m_nextResponder = next; }

    // Whether this object itself implements the action.
    bool respondsTo(std::string_view action) const;

    // Performs the action here or passes it on; false when no responder in the chain has it.
    bool tryToPerform(std::string_view action, const Sender& sender = {});

    // The empty table every class's own table inherits from in the end.
    static const ActionTable& noActions();

protected:
    virtual const ActionTable& actionTable() const { return noActions(); }

private:
    Responder* m_nextResponder { nullptr };
};

}
