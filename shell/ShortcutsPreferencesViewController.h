#pragma once

#include "core/DataModel.h"
#include "core/KeyCombo.h"
#include "viewkit/NiblessViewController.h"

#include "platform/gfx/Color.h"
#include "platform/ui/TextField.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ostrel {

class KeyComboRecorderView;
class KeyComboRecorderViewBinding;
class Wall;

// The shortcuts pane: the application's ten global hot keys, one row each, a label and a
// recorder bound to the data model's setting. A combination another row already uses is
// refused. What is recorded is stored at once; the hot keys themselves change when the
// preferences window closes and registers them all again.
class ShortcutsPreferencesViewController : public NiblessViewController {
public:
    static constexpr double kWidth = 500;
    static constexpr double kRowPitch = 28;
    static constexpr double kRowHeight = 30;
    static constexpr double kLabelRightEdge = 200;
    static constexpr double kRecorderLeftEdge = 208;
    static constexpr double kNoteGap = 6;
    // Beside a row whose key another program holds, as the hot keys' last registration found.
    static constexpr const char* kTakenNote = "Taken";
    static constexpr gfx::Color kTakenNoteColor = gfx::Color::rgb(0.95, 0.55, 0.5);

    using Row = std::pair<std::string, std::shared_ptr<DataModel::KeyComboVariable>>;

    // Over the shared data model; a test gives a model of its own (which outlives the controller).
    static std::shared_ptr<ShortcutsPreferencesViewController> create();
    static std::shared_ptr<ShortcutsPreferencesViewController> create(DataModel& model, bool delayedBuild = false);
    ~ShortcutsPreferencesViewController() override;

    const std::vector<Row>& shortcutsList() const { return m_shortcutsList; }
    void build() override;

    // The recorders, row by row, once built.
    const std::vector<std::shared_ptr<KeyComboRecorderView>>& recorders() const { return m_recorders; }
    // Each row's note that its key is taken by another program; hidden while it is not.
    const std::vector<std::shared_ptr<ui::TextField>>& takenNotes() const { return m_takenNotes; }
    // Whether the recorder of a row may take the combination.
    bool isValid(const KeyCombo& combo, std::size_t row) const;
    // A row's combination as the check reads it: what is stored, or the default when nothing
    // readable is.
    std::optional<KeyCombo> currentCombination(std::size_t row) const;

protected:
    friend class NiblessViewController;
    explicit ShortcutsPreferencesViewController(DataModel& model);

private:
    void addTakenNote(Wall& row, const std::shared_ptr<KeyComboRecorderView>& recorder, DataModel::KeyComboVariable& variable);

    DataModel* m_model { nullptr };
    std::vector<Row> m_shortcutsList;
    std::vector<std::shared_ptr<KeyComboRecorderView>> m_recorders;
    std::vector<std::shared_ptr<KeyComboRecorderViewBinding>> m_bindings;
    std::vector<std::shared_ptr<ui::TextField>> m_takenNotes;
    std::vector<ListenerToken> m_noteListeners;
};

}
