#include "shell/ShortcutsPreferencesViewController.h"

#include "command/HotKeysController.h"
#include "command/KeyComboRecorderView.h"
#include "command/KeyComboRecorderViewBinding.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/StandardLabel.h"
#include "viewkit/Wall.h"

#include "platform/base/Defaults.h"

namespace ostrel {

namespace {
using A = ui::LayoutAttribute;
}

std::shared_ptr<ShortcutsPreferencesViewController> ShortcutsPreferencesViewController::create()
{
    return create(DataModel::shared());
}

std::shared_ptr<ShortcutsPreferencesViewController> ShortcutsPreferencesViewController::create(DataModel& model, bool delayedBuild)
{
    return NiblessViewController::create<ShortcutsPreferencesViewController>(delayedBuild, model);
}

ShortcutsPreferencesViewController::ShortcutsPreferencesViewController(DataModel& model)
    : m_model(&model)
    , m_shortcutsList {
        { "Show Command Pop Up:", model.showCommandPopOverCombo },
        { "Bring To Front/ Hide:", model.bringToFrontKeyCombo },
        { "Start Time Slice:", model.startTimeSliceKeyCombo },
        { "Pause/ Resume Time Slice:", model.pauseTimeSliceKeyCombo },
        { "End Time Slice:", model.endTimeSliceKeyCombo },
        { "Start Timed Break:", model.startTimedBreakKeyCombo },
        { "Focus Now Pad:", model.focusNowPadKeyCombo },
        { "Focus Later Pad:", model.focusLaterPadKeyCombo },
        { "Focus Scratch Pad:", model.focusScratchPadKeyCombo },
        { "Read Objective Aloud:", model.readObjectiveAloudKeyCombo },
    }
{
}

ShortcutsPreferencesViewController::~ShortcutsPreferencesViewController()
{
    for (const auto& binding : m_bindings)
        binding->unbind();
    for (const auto& recorder : m_recorders)
        recorder->keyComboValidClientHandler = {};
}

void ShortcutsPreferencesViewController::build()
{
    auto wall = Wall::create();
    LayoutConstraintMaker size(*wall);
    size.width(kWidth).height(kRowPitch * static_cast<double>(m_shortcutsList.size()));
    wall->addConstraints(size.constraints());
    setView(wall);

    std::weak_ptr<ShortcutsPreferencesViewController> weakSelf
        = std::static_pointer_cast<ShortcutsPreferencesViewController>(shared_from_this());
    for (std::size_t n = 0; n < m_shortcutsList.size(); ++n) {
        const auto& [text, variable] = m_shortcutsList[n];
        double top = kRowPitch * static_cast<double>(n);
        auto row = wall->factory().wall(ui::Size(kWidth, kRowHeight), [top](LayoutConstraintMaker& maker) {
            maker.container().pin(A::Top, A::Top, top).pin(A::Left, A::Left, 0);
        });
        auto recorder = KeyComboRecorderView::create({}, ui::ControlSize::Regular);
        row->factory().internalAddBrick(recorder, [](LayoutConstraintMaker& maker) {
            maker.container().pin(A::CenterY, A::CenterY, 0).pin(A::Left, A::Left, kRecorderLeftEdge);
        });
        auto binding = KeyComboRecorderViewBinding::create(recorder, variable);
        binding->activate();
        addTakenNote(*row, recorder, *variable);
        auto label = standardLabel(text);
        row->factory().internalAddBrick(label, [](LayoutConstraintMaker& maker) {
            maker.container().pin(A::Right, A::Left, kLabelRightEdge).pin(A::CenterY, A::CenterY, 0);
        });
        recorder->keyComboValidClientHandler = [weakSelf, n](const KeyCombo& combo) {
            auto self = weakSelf.lock();
            return self && self->isValid(combo, n);
        };
        m_recorders.push_back(recorder);
        m_bindings.push_back(binding);
    }
}

void ShortcutsPreferencesViewController::addTakenNote(Wall& row, const std::shared_ptr<KeyComboRecorderView>& recorder,
    DataModel::KeyComboVariable& variable)
{
    // Beside a key another program holds (the window manager's): the hot key never comes, so
    // the user records another. It goes as soon as another is recorded.
    auto note = standardLabel(kTakenNote);
    note->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    note->setTextColor(kTakenNoteColor);
    note->setToolTip("Another program holds this shortcut, so it never reaches Ostrel. Record another one.");
    row.factory().internalAddBrick(note, [recorder](LayoutConstraintMaker& maker) {
        maker.container().pin(A::CenterY, A::CenterY, 0);
        maker.and_(*recorder).pin(A::Left, A::Right, kNoteGap);
    });
    m_noteListeners.push_back(variable.addHotListener([weakNote = std::weak_ptr<ui::TextField>(note)](const std::optional<KeyCombo>& combo) {
        if (auto shown = weakNote.lock())
            shown->setHidden(!combo || !HotKeysController::isTakenByAnotherProgram(*combo));
    }));
    m_takenNotes.push_back(note);
}

std::optional<KeyCombo> ShortcutsPreferencesViewController::currentCombination(std::size_t row) const
{
    const auto& variable = *m_shortcutsList.at(row).second;
    const auto& store = *m_model->store();
    using Coding = JsonCoding<std::optional<KeyCombo>>;
    // The stored text when it reads; otherwise, as when nothing is stored, the default.
    if (store.hasStoredValue(variable.storageKey())) {
        if (auto stored = store.object(variable.storageKey())) {
            if (auto combo = Coding::decode(*stored))
                return *combo;
        }
    }
    if (auto registered = store.registeredObject(variable.storageKey())) {
        if (auto combo = Coding::decode(*registered))
            return *combo;
    }
    return std::nullopt;
}

bool ShortcutsPreferencesViewController::isValid(const KeyCombo& combo, std::size_t row) const
{
    if (row < m_recorders.size() && m_recorders[row]->keyCombo() == combo)
        return true;
    const std::string& ownKey = m_shortcutsList.at(row).second->storageKey();
    for (std::size_t other = 0; other < m_shortcutsList.size(); ++other) {
        if (m_shortcutsList[other].second->storageKey() == ownKey)
            continue;
        auto current = currentCombination(other);
        if (current && *current == combo)
            return false;
    }
    return true;
}

}
