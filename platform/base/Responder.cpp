#include "platform/base/Responder.h"

#include "platform/base/Diagnostics.h"

namespace base {

namespace {
// Far longer than any real chain; reached only when a chain was wired into a loop.
constexpr int kLongestChain = 64;
}

void ActionTable::add(std::string_view action, Handler handler)
{
    m_actions.emplace_back(std::string(action), std::move(handler));
}

const ActionTable::Handler* ActionTable::find(std::string_view action) const
{
    for (const auto& [name, handler] : m_actions)
        if (name == action)
            return &handler;
    return m_inherited ? m_inherited->find(action) : nullptr;
}

const ActionTable& Responder::noActions()
{
    static const ActionTable table;
    return table;
}

bool Responder::respondsTo(std::string_view action) const
{
    return actionTable().find(action) != nullptr;
}

bool Responder::tryToPerform(std::string_view action, const Sender& sender)
{
    Responder* responder = this;
    for (int hops = 0; responder && hops < kLongestChain; ++hops) {
        if (const ActionTable::Handler* handler = responder->actionTable().find(action)) {
            // Copied: the action may rewire the chain or replace the responder's table.
            ActionTable::Handler perform = *handler;
            perform(*responder, sender);
            return true;
        }
        responder = responder->nextResponder();
    }
    if (responder)
        diagnostic("responder chain loops; dropped action " + std::string(action));
    return false;
}

}
