#include "platform/ui/UndoManager.h"

#include <algorithm>

namespace ui {

void UndoManager::beginGrouping()
{
    closeOpenGroup();
    if (m_depth++ == 0)
        m_undo.emplace_back();
}

void UndoManager::endGrouping()
{
    if (m_depth == 0)
        return;
    if (--m_depth == 0 && !m_undo.empty() && m_undo.back().empty())
        m_undo.pop_back();
}

void UndoManager::closeOpenGroup()
{
    if (!m_implicitOpen)
        return;
    m_implicitOpen = false;
    m_depth = 0;
}

void UndoManager::registerUndo(Action action)
{
    if (m_collecting) {
        m_collecting->push_back(std::move(action));
        return;
    }
    if (m_depth == 0) {
        m_undo.emplace_back();
        m_depth = 1;
        m_implicitOpen = true;
    }
    m_undo.back().push_back(std::move(action));
    // A new change makes what was undone unreachable.
    m_redo.clear();
}

bool UndoManager::canUndo() const
{
    return std::any_of(m_undo.begin(), m_undo.end(), [](const Group& group) { return !group.empty(); });
}

void UndoManager::run(std::vector<Group>& from, std::vector<Group>& to, bool undoing)
{
    closeOpenGroup();
    while (!from.empty() && from.back().empty())
        from.pop_back();
    if (from.empty() || m_depth > 0)
        return;
    Group group = std::move(from.back());
    from.pop_back();
    Group inverse;
    m_collecting = &inverse;
    (undoing ? m_undoing : m_redoing) = true;
    for (auto it = group.rbegin(); it != group.rend(); ++it)
        (*it)();
    (undoing ? m_undoing : m_redoing) = false;
    m_collecting = nullptr;
    if (!inverse.empty())
        to.push_back(std::move(inverse));
}

void UndoManager::undo()
{
    auto redo = std::move(m_redo);
    run(m_undo, redo, true);
    m_redo = std::move(redo);
}

void UndoManager::redo()
{
    auto redo = std::move(m_redo);
    run(redo, m_undo, false);
    m_redo = std::move(redo);
}

void UndoManager::removeAllActions()
{
    m_undo.clear();
    m_redo.clear();
    m_depth = 0;
    m_implicitOpen = false;
}

}
