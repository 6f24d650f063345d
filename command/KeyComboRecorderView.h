#pragma once

#include "command/RecorderState.h"
#include "core/KeyCombo.h"
#include "core/Variables.h"
#include "viewkit/Wall.h"

#include "platform/ui/Control.h"
#include "platform/ui/Event.h"
#include "platform/ui/ObserverList.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ostrel {

class LocalEventMonitor;
class PushButtonBrick;

// The control that records a global hot key: a box showing the combination or a prompt,
// with undo and clear buttons at its right end. A press on the box starts a session in which
// the next valid key press with its modifiers becomes the combination; a key the program
// cannot name, or a combination it refuses, beeps and the session goes on. Escape, a click
// anywhere else, a second press of the box, undo and the window losing the keyboard end the
// session with the combination there was; only the clear button and Backspace (in a session,
// or on the box while it has the keyboard) remove it.
class KeyComboRecorderView final : public Wall {
public:
    // Regular is 220 by 22 points, small 150 by 20; any other size is a programming error.
    static std::shared_ptr<KeyComboRecorderView> create(ui::Rect frame, ui::ControlSize size);
    ~KeyComboRecorderView() override;

    ui::ControlSize size() const { return m_size; }
    // Told of the combination every session ends with (none once cleared).
    std::function<void(const std::optional<KeyCombo>&)> keyComboChangeClientHandler;
    // The last word on a combination the recorder would otherwise accept.
    std::function<bool(const KeyCombo&)> keyComboValidClientHandler;
    bool acceptKeyCombosAlreadyUsedInMenu { false };
    // Observable: true while a session runs.
    const std::shared_ptr<StraightVariable<bool>>& isRecording() const { return m_isRecording; }

    PushButtonBrick* keyComboButtonBrick() const { return m_keyComboButtonBrick.get(); }
    PushButtonBrick* deleteButtonBrick() const { return m_deleteButtonBrick.get(); }
    PushButtonBrick* undoButtonBrick() const { return m_undoButtonBrick.get(); }
    RecorderState recorderState() const { return m_recorderState; }
    const std::string& displayTitle() const { return m_displayTitle; }
    bool isEnabled() const { return m_isEnabled; }
    void setEnabled(bool enabled);

    const std::optional<KeyCombo>& keyCombo() const { return m_currentKeyCombo; }
    // Shows the combination; never tells the change handler.
    void setKeyCombo(const std::optional<KeyCombo>& combo);

    void startRecordingSession();
    void endRecordingSession(const std::optional<KeyCombo>& combo);
    // The clear button: the combination goes and the session, if any, ends.
    void deleteKeyCombo();
    // The undo button: the session ends with the combination there was.
    void undo();

    // The session's monitor: every press and modifier change goes here and no further.
    std::optional<ui::Event> handle(const ui::Event& event);

    // What the box says in each state, and in which colour.
    std::string title() const;
    gfx::Color titleColor() const;

private:
    friend class Wall;
    KeyComboRecorderView(ui::Rect frame, ui::ControlSize size);
    void finishCreation() override;
    void toggleRecordingState();
    void updateButtonsForState(RecorderState state);
    bool validate(const KeyCombo& combo) const;
    void drawBox(const ui::Rect& bounds) const;
    void changed();
    void stopMonitor();

    ui::ControlSize m_size { ui::ControlSize::Regular };
    std::shared_ptr<LocalEventMonitor> m_localEventMonitor;
    std::shared_ptr<StraightVariable<bool>> m_isRecording { StraightVariable<bool>::create(false) };
    std::shared_ptr<PushButtonBrick> m_keyComboButtonBrick;
    std::shared_ptr<PushButtonBrick> m_deleteButtonBrick;
    std::shared_ptr<PushButtonBrick> m_undoButtonBrick;
    RecorderState m_recorderState { RecorderState::notRecordingPreviousShortcutDoesNotExist };
    std::string m_displayTitle;
    bool m_isEnabled { true };
    std::optional<KeyCombo> m_currentKeyCombo;
    ui::ObserverToken m_observerToBeRemoved;
};

}
