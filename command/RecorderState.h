#pragma once

namespace ostrel {

// Where the hot-key recorder stands: recording (the first three) or idle, and whether a
// combination is stored.
enum class RecorderState {
    recordingNoKeyPressedPreviousShortcutDoesNotExist = 0,
    recordingNoKeyPressedPreviousShortcutExists = 1,
    recordingModifiersDownWaitingForKeyPress = 2,
    notRecordingPreviousShortcutDoesNotExist = 3,
    notRecordingPreviousShortcutExists = 4,
};

inline bool isRecordingState(RecorderState state)
{
    return state == RecorderState::recordingNoKeyPressedPreviousShortcutDoesNotExist
        || state == RecorderState::recordingNoKeyPressedPreviousShortcutExists
        || state == RecorderState::recordingModifiersDownWaitingForKeyPress;
}

}
