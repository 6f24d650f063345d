#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {

// Undo and redo in groups: everything registered between beginGrouping() and endGrouping()
// (or since the last group when grouping by event) is undone in one step, newest first. An
// undo action registers its own inverse, which becomes the redo.
class UndoManager {
public:
    using Action = std::function<void()>;

    void beginGrouping();
    void endGrouping();
    bool isGroupOpen() const { return m_depth > 0; }
    // Outside any group, an action opens one of its own that stays open until endGrouping()
    // or until closeOpenGroup() (the text view closes it when the caret moves elsewhere).
    void registerUndo(Action action);
    void closeOpenGroup();

    bool canUndo() const;
    bool canRedo() const { return !m_redo.empty(); }
    void undo();
    void redo();
    void removeAllActions();
    bool isUndoing() const { return m_undoing; }
    bool isRedoing() const { return m_redoing; }
    std::size_t groupCount() const { return m_undo.size(); }

private:
    using Group = std::vector<Action>;
    void run(std::vector<Group>& from, std::vector<Group>& to, bool undoing);

    std::vector<Group> m_undo;
    std::vector<Group> m_redo;
    // The group actions go to while undoing or redoing.
    Group* m_collecting { nullptr };
    int m_depth { 0 };
    bool m_implicitOpen { false };
    bool m_undoing { false };
    bool m_redoing { false };
};

}
