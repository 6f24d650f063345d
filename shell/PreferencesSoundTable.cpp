#include "shell/PreferencesSoundTable.h"

#include "attention/SoundManager.h"

namespace ostrel {

const std::array<PreferencesSoundRow, kPreferencesSoundRowCount>& preferencesSoundRows()
{
    using L = PreferencesSoundList;
    static const std::array<PreferencesSoundRow, kPreferencesSoundRowCount> rows { {
        { "startSoundPopUpButton", "selectStartSound:", L::end, "startSound", "startSoundVolume",
            "playStartSoundWithNewSettings", "startSoundOn" },
        { "warningSoundPopUpButton", "selectWarningSound:", L::reminder, "warningSound", "warningSoundVolume",
            "playWarningSoundWithNewSettings", "warningSoundOn" },
        { "soundPopUpButton", "selectReminderSound:", L::reminder, "countDownSound", "soundReminderVolume",
            "playReminderSoundWithNewSettings", "soundReminderOn" },
        { "continuousSoundPopUpButton", "selectContinuousSound:", L::continuous, "continuousSound", "continuousSoundVolume",
            "playContinuousSoundWithNewSettings", "continuousSoundOn" },
        { "endSoundPopUpButton", "selectEndSound:", L::end, "endSound", "endSoundVolume", "playEndSoundWithNewSettings",
            "endSoundOn" },
        { "softBreakFirstSoundPopUpButton", "selectSoftBreakFirstSound:", L::end, "softBreakFirstSound",
            "softBreakFirstSoundVolume", "playSoftBreakFirstSoundWithNewSettings", "softBreakFirstSoundOn" },
        { "softBreakSecondSoundPopUpButton", "selectSoftBreakSecondSound:", L::end, "softBreakSecondSound",
            "softBreakSecondSoundVolume", "playSoftBreakSecondSoundWithNewSettings", "softBreakSecondSoundOn" },
        { "softBreakThirdSoundPopUpButton", "selectSoftBreakThirdSound:", L::end, "softBreakThirdSound",
            "softBreakThirdSoundVolume", "playSoftBreakThirdSoundWithNewSettings", "softBreakThirdSoundOn" },
        { "softBreakIntermediarySoundPopUpButton", "selectSoftBreakIntermediarySound:", L::end,
            "softBreakIntermediarySound", "softBreakIntermediarySoundVolume",
            "playSoftBreakIntermediarySoundWithNewSettings", nullptr },
        { "pausedSoundPopUpButton", "selectPausedSound:", L::end, "pausedSound", "pausedSoundVolume",
            "playPausedSoundWithNewSettings", "pausedSoundOn" },
        { "stoppedSoundPopUpButton", "selectStoppedSound:", L::end, "stoppedSound", "stoppedSoundVolume",
            "playStoppedSoundWithNewSettings", "stoppedSoundOn" },
        { "breakStartSoundPopUpButton", "selectBreakStartSound:", L::end, "breakStartSound", "breakStartSoundVolume",
            "playBreakStartSoundWithNewSettings", "breakStartSoundOn" },
        { "breakSoundPopUpButton", "selectBreakReminderSound:", L::reminder, "breakCountDownSound",
            "breakSoundReminderVolume", "playBreakReminderSoundWithNewSettings", "breakSoundReminderOn" },
        { "breakEndSoundPopUpButton", "selectBreakEndSound:", L::end, "breakEndSound", "breakEndSoundVolume",
            "playBreakEndSoundWithNewSettings", "breakEndSoundOn" },
    } };
    return rows;
}

std::size_t preferencesSoundRowNamed(const std::string& name)
{
    const auto& rows = preferencesSoundRows();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const auto& row = rows[index];
        if (name == row.popUpButton || name == row.preview || name == row.soundKey || name == row.volumeKey || name == row.action)
            return index;
    }
    return rows.size();
}

const std::vector<std::string>& preferencesObservedVolumeKeys()
{
    static const std::vector<std::string> keys { "startSoundVolume", "soundReminderVolume", "warningSoundVolume",
        "continuousSoundVolume", "softBreakFirstSoundVolume", "softBreakSecondSoundVolume", "softBreakThirdSoundVolume",
        "softBreakIntermediarySoundVolume", "endSoundVolume", "pausedSoundVolume", "stoppedSoundVolume",
        "breakStartSoundVolume", "breakSoundReminderVolume", "breakEndSoundVolume" };
    return keys;
}

const std::vector<std::string>& soundLabels(const SoundManager& sounds, PreferencesSoundList list)
{
    switch (list) {
    case PreferencesSoundList::reminder:
        return sounds.reminderSoundsLabels();
    case PreferencesSoundList::continuous:
        return sounds.continuousSoundsLabels();
    case PreferencesSoundList::end:
        break;
    }
    return sounds.endSoundsLabels();
}

const std::vector<std::string>& soundPrivateNames(const SoundManager& sounds, PreferencesSoundList list)
{
    switch (list) {
    case PreferencesSoundList::reminder:
        return sounds.reminderSoundsPrivateNames();
    case PreferencesSoundList::continuous:
        return sounds.continuousSoundsPrivateNames();
    case PreferencesSoundList::end:
        break;
    }
    return sounds.endSoundsPrivateNames();
}

}
