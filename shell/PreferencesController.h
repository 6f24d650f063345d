#pragma once

#include "shell/PreferencesSoundTable.h"

#include "platform/gfx/Font.h"
#include "platform/ui/ObserverList.h"
#include "platform/ui/Responder.h"
#include "platform/ui/TableView.h"
#include "platform/ui/Window.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace base {
class Defaults;
}
namespace ui {
class Button;
class PopUpButton;
class TabView;
class TextField;
class Toolbar;
}

namespace ostrel {

class DataModel;
class ExclusionListTable;
class MainController;
class OstrelHotKeyManager;
class PreferencesForm;
class ShortcutsPreferencesViewController;
class SoftwareUpdater;
class SoundManager;
class SpeechManager;
class WhiteNoiseMachine;

// The preferences window, made anew each time the user asks for it and run modally. Its
// controls are bound to the settings; the controller adds what a binding cannot do: it lets
// the user hear each sound, voice and output device at once, maps sound choices to the sound
// library's private names, edits the pads' font and colours, keeps the list of excluded
// applications, moves the log to and from Dropbox, drives updates and opens help pages.
// While it runs, the continuous sound is held back, sounds are unmuted so that previews are
// heard and global hot keys are off, so that the shortcut recorders can take any combination;
// all three are given back however the run ends, the program's quit included.
class PreferencesController final : public ui::Responder,
                                    public ui::WindowDelegate,
                                    public ui::TableViewDataSource,
                                    public std::enable_shared_from_this<PreferencesController> {
public:
    // What the window works with: the program's shared ones, unless a test brings its own.
    // Not owned: all of them outlive the window.
    struct Services {
        std::shared_ptr<base::Defaults> store;
        SoundManager* sounds { nullptr };
        SpeechManager* speech { nullptr };
        WhiteNoiseMachine* continuousSoundMachine { nullptr };
        OstrelHotKeyManager* hotKeys { nullptr };
        DataModel* model { nullptr };
        static Services shared();
    };

    // The identifiers of the panes, in the toolbar's order ("SoftwareUpdate" joins when run).
    static const std::vector<std::string>& paneIdentifiers();
    static constexpr const char* kSoftwareUpdatePane = "SoftwareUpdate";
    static constexpr const char* kDropboxWebsite = "https://www.dropbox.com/";

    static std::shared_ptr<PreferencesController> create();
    static std::shared_ptr<PreferencesController> create(Services services);
    ~PreferencesController() override;

    std::shared_ptr<MainController> mainController() const { return m_mainController.lock(); }
    void setMainController(const std::shared_ptr<MainController>& controller) { m_mainController = controller; }
    // Whose updater "Check Now" and the interval drive; none disables the update pane's actions.
    void setSoftwareUpdater(std::shared_ptr<SoftwareUpdater> updater) { m_softwareUpdater = std::move(updater); }

    // Shows the window modally; returns when it is closed.
    void run();
    // The window, built on first use.
    ui::Window& window();
    bool isWindowLoaded() const { return m_window != nullptr; }

    void updateControls();
    void updateTabViewAndToolbar();
    void updateDropboxCheckbox();
    void updateDocklessCheckbox();

    // Ends any editing (committing it) and the modal run.
    void ok(const base::Sender& sender = {});
    bool windowShouldClose(ui::Window& window) override;
    // Kept within reach of the display it is on: no larger than its visible frame allows.
    void windowDidMove(ui::Window& window) override;
    void windowDidResize(ui::Window& window) override;
    void keyDown(const ui::Event& event) override;
    // The sender is the toolbar item, or its identifier.
    void changePane(const base::Sender& sender);

    // The choice of the row's pop-up, stored by private name, then heard.
    void selectSound(std::size_t row);
    // The row's sound at its volume; the continuous one as a short sample.
    void playSoundWithNewSettings(std::size_t row);
    void playStartSoundWithNewSettings();
    void playReminderSoundWithNewSettings();
    void speakWithNewSettings();
    void changeSpeechVolume(const base::Sender& sender = {});
    void changeSoundOutputDevice(const base::Sender& sender = {});
    // Device names for the pop-up, the system default first.
    const std::vector<std::string>& audioDevices() const;

    void chooseDefaultFont(const base::Sender& sender = {});
    // The font panel's choice becomes the pads' default font.
    void changeFont(const gfx::Font& font);
    void resetFonts(const base::Sender& sender = {});
    void resetColors(const base::Sender& sender = {});
    void updateFontPreview();

    void addApplicationToExclusionList(const base::Sender& sender = {});
    void removeApplicationFromExclusionList(const base::Sender& sender = {});

    void checkForUpdatesNow(const base::Sender& sender = {});
    void updateIntervalHasChanged(const base::Sender& sender = {});
    void changeDropboxSyncCheckbox(const base::Sender& sender = {});
    // The dock manager's switch: it asks, stores the other mode and quits, since the mode
    // of a run is fixed at launch.
    void changeDocklessCheckbox(const base::Sender& sender = {});
    void showDropboxWebsite(const base::Sender& sender = {});

    // Help pages, in the browser.
    void showNoiseMachineIntegrationHelp(const base::Sender& sender = {});
    void showUserScriptingHelp(const base::Sender& sender = {});
    void showOmniFocusIntegrationHelp(const base::Sender& sender = {});
    void showThingsIntegrationHelp(const base::Sender& sender = {});
    void showTheHitListIntegrationHelp(const base::Sender& sender = {});
    void showSyncHelp(const base::Sender& sender = {});
    void showSpeechTagsHelpTopic(const base::Sender& sender = {});
    void showInputMonitoringHelp(const base::Sender& sender = {});
    void showScriptingFolder(const base::Sender& sender = {});
    // The commented example of the user script, in the program that opens such files.
    void showSampleScript(const base::Sender& sender = {});

    // The notifications table: eleven rows, the two group rows (0 and 7) taller and not
    // selectable.
    const std::vector<std::string>& notificationTableLabelArray() const { return m_notificationTableLabelArray; }
    std::string objectValueForRow(int row) const;
    bool shouldEditTableColumn(int) const { return false; }
    int numberOfRows(ui::TableView& table) override;
    std::shared_ptr<ui::View> viewForRow(ui::TableView& table, int row) override;
    double heightOfRow(ui::TableView& table, int row) override;
    bool isGroupRow(ui::TableView& table, int row) override;
    bool shouldSelectRow(ui::TableView& table, int row) override;
    void selectionDidChange(ui::TableView& table) override;

    const std::vector<std::string>& reminderSoundsLabels() const { return m_reminderSoundsLabels; }
    const std::vector<std::string>& endSoundLabels() const { return m_endSoundLabels; }
    const std::vector<std::string>& continuousSoundsLabels() const { return m_continuousSoundsLabels; }
    bool allSoundsWereMutedAtStart() const { return m_allSoundsWereMutedAtStart; }

    // The window's parts (once loaded), for the shell and for tests.
    ui::PopUpButton* soundPopUpButton(std::size_t row) const;
    ui::PopUpButton* soundOutputDevicePopUpButton() const { return m_soundOutputDevicePopUpButton.get(); }
    ui::Button* dropboxCheckbox() const { return m_dropboxCheckbox.get(); }
    ui::Button* docklessCheckbox() const { return m_docklessCheckbox.get(); }
    ui::Toolbar* toolbar() const { return m_toolbar.get(); }
    ui::TabView* tabView() const { return m_tabView.get(); }
    ui::TabView* notificationDetailTabView() const { return m_notificationDetailTabView.get(); }
    ui::TextField* fontPreviewTextView() const { return m_fontPreviewTextView.get(); }
    ui::TableView* notificationTable() const { return m_notificationTable.get(); }
    ExclusionListTable* exclusionListTable() const { return m_exclusionListTable.get(); }
    ShortcutsPreferencesViewController* shortcutsPreferencesViewController() const { return m_shortcutsPreferencesViewController.get(); }
    ui::View* shortcutsView() const { return m_shortcutsView.get(); }

    // The window running now, if any: asked again meanwhile, the program brings it forward
    // instead of opening a second one.
    static std::shared_ptr<PreferencesController> running();

    // Gives back what every running preferences window took, as if its run had ended; the
    // program calls it when it is told to quit.
    static void restoreRunningWindows();

protected:
    const base::ActionTable& actionTable() const override;

private:
    explicit PreferencesController(Services services);

    void loadWindow();
    // The window's fixed size, or less where the display the frame is on has less room.
    ui::Size sizeWithinReach(ui::Rect frame) const;
    void keepWithinReach();
    void layOutToolbarAndPanes();
    void awakeFromNib();
    void windowDidLoad();
    void addPane(const std::string& identifier, const std::string& label, const std::shared_ptr<ui::View>& content);
    void buildGeneralPane();
    void buildNotificationsPane();
    std::shared_ptr<ui::View> buildNotificationPage(int row);
    void buildNotificationFooter(PreferencesForm& form);
    void buildDistractionsPane();
    void buildShortcutsPane();
    void buildPadsPane();
    void buildSoftwareUpdatePane();
    void buildIntegrationsPane();
    // A sound row's switch, pop-up and volume, on one line of the form.
    void addSoundRow(PreferencesForm& form, const std::string& label, std::size_t row);
    // The rows of a spoken text and of a banner, by their keys' stem ("speechStart",
    // "growlStart"), with the repeat interval of the reminders.
    void addSpeechRows(PreferencesForm& form, const std::string& prefix, bool withInterval);
    void addBannerRows(PreferencesForm& form, const std::string& prefix, const std::string& stickyKey, bool withInterval);
    void showNotificationRow(int row);
    void selectStoredSounds();
    void selectStoredOutputDevice();
    void insertSoftwareUpdateItemIfMissing();
    void observe();
    void observedValueChanged(const std::string& key);
    // The window opens with the keyboard on its first control, ringed when a key opened it.
    void giveKeyboardToFirstControl();
    // The steps that end a run: observations off, hot keys on, continuous sound free, the
    // mute setting as it was, the window out, the font panel left alone. Once per run.
    void restoreAfterRun();

    Services m_services;
    std::weak_ptr<MainController> m_mainController;
    std::shared_ptr<SoftwareUpdater> m_softwareUpdater;
    std::vector<std::string> m_notificationTableLabelArray;
    std::vector<std::string> m_reminderSoundsLabels;
    std::vector<std::string> m_endSoundLabels;
    std::vector<std::string> m_continuousSoundsLabels;
    bool m_allSoundsWereMutedAtStart { false };
    bool m_running { false };
    // The run's observations, and those that last as long as the window.
    std::vector<std::uint64_t> m_observations;
    std::vector<std::uint64_t> m_windowObservations;

    std::shared_ptr<ui::Window> m_window;
    // Shown, its borders are known: it is sized for them.
    ui::ObserverToken m_shownObservation;
    std::shared_ptr<ui::Toolbar> m_toolbar;
    std::shared_ptr<ui::TabView> m_tabView;
    std::array<std::shared_ptr<ui::PopUpButton>, kPreferencesSoundRowCount> m_soundPopUpButtons;
    std::shared_ptr<ui::PopUpButton> m_soundOutputDevicePopUpButton;
    std::shared_ptr<ui::Button> m_dropboxCheckbox;
    std::shared_ptr<ui::Button> m_docklessCheckbox;
    std::shared_ptr<ui::TextField> m_fontPreviewTextView;
    std::shared_ptr<ui::TableView> m_notificationTable;
    std::shared_ptr<ui::TabView> m_notificationDetailTabView;
    std::shared_ptr<ExclusionListTable> m_exclusionListTable;
    std::shared_ptr<ui::View> m_shortcutsView;
    std::shared_ptr<ShortcutsPreferencesViewController> m_shortcutsPreferencesViewController;
    // Whom the font panel reported to before the window opened; it does again after.
    std::function<void(const gfx::Font&)> m_previousFontManagerDelegate;
};

}
