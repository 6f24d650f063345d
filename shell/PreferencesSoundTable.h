#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace ostrel {

class SoundManager;

// The sound library's three offered lists.
enum class PreferencesSoundList { end, reminder, continuous };

// One sound choice of the preferences window: its pop-up (by name), the action the pop-up
// sends, the list it offers, the keys of the chosen private name, its volume and its switch,
// and the preview the window plays for it.
struct PreferencesSoundRow {
    const char* popUpButton;
    const char* action;
    PreferencesSoundList list;
    const char* soundKey;
    const char* volumeKey;
    const char* preview;
    // None for the intermediary soft-break tick, which has no switch of its own.
    const char* onKey;
};

inline constexpr std::size_t kPreferencesSoundRowCount = 14;
// In the window's order.
const std::array<PreferencesSoundRow, kPreferencesSoundRowCount>& preferencesSoundRows();
// The row of a pop-up, action, preview, sound key or volume key; the count when none has it.
std::size_t preferencesSoundRowNamed(const std::string& popUpOrPreviewOrKey);

// The volume keys, in the order the window starts observing them.
const std::vector<std::string>& preferencesObservedVolumeKeys();

// The titles and the private names of a list, index for index.
const std::vector<std::string>& soundLabels(const SoundManager& sounds, PreferencesSoundList list);
const std::vector<std::string>& soundPrivateNames(const SoundManager& sounds, PreferencesSoundList list);

}
