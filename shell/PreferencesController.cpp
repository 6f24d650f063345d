#include "shell/PreferencesController.h"

#include "shell/DockManager.h"
#include "shell/ExclusionListTable.h"
#include "shell/HelpManager.h"
#include "shell/PreferencesPaneIcons.h"
#include "shell/ShortcutsPreferencesViewController.h"
#include "shell/SoftwareUpdater.h"

#include "attention/ScriptLauncher.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "command/OstrelHotKeyManager.h"
#include "core/DataModel.h"
#include "core/SettingsArchive.h"
#include "core/ZrLog.h"
#include "log/DropboxManager.h"
#include "mainwindow/NowAndLaterBoardManager.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Json.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/Resources.h"
#include "platform/desktop/Opener.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Event.h"
#include "platform/ui/FilePanel.h"
#include "platform/ui/FontPanel.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/TabView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Toolbar.h"

#include <algorithm>
#include <filesystem>

namespace ostrel {

namespace {

constexpr const char* kPaneKey = "preferencesTabViewItemIdentifier";
constexpr const char* kDefaultPane = "Notifications";

std::vector<std::weak_ptr<PreferencesController>>& runningControllers()
{
    static auto* running = new std::vector<std::weak_ptr<PreferencesController>>; // for the whole run
    return *running;
}

std::string paneIdentifierOf(const base::Sender& sender)
{
    if (auto* item = std::any_cast<ui::ToolbarItem*>(&sender); item && *item)
        return (*item)->itemIdentifier();
    if (auto* identifier = std::any_cast<std::string>(&sender))
        return *identifier;
    return {};
}

std::string identifierOf(const ui::TabViewItem& item)
{
    auto* identifier = std::any_cast<std::string>(&item.identifier());
    return identifier ? *identifier : std::string();
}

std::string fontDisplayName(const gfx::Font& font)
{
    std::string name = font.isSystem() ? "System Font" : font.postScriptName;
    double size = font.pointSize;
    std::string points = size == static_cast<long long>(size) ? std::to_string(static_cast<long long>(size)) : std::to_string(size);
    return name + " " + points + " pt";
}

}

PreferencesController::Services PreferencesController::Services::shared()
{
    Services services;
    services.store = base::Defaults::standard();
    services.sounds = &SoundManager::sharedManager();
    services.speech = &SpeechManager::sharedManager();
    services.continuousSoundMachine = &WhiteNoiseMachine::continuousSoundMachine();
    services.hotKeys = &OstrelHotKeyManager::shared();
    services.model = &DataModel::shared();
    return services;
}

const std::vector<std::string>& PreferencesController::paneIdentifiers()
{
    static const std::vector<std::string> identifiers { "General", "Notifications", "Distractions", "Shortcuts", "Pads",
        kSoftwareUpdatePane, "Integrations" };
    return identifiers;
}

std::shared_ptr<PreferencesController> PreferencesController::create() { return create(Services::shared()); }

std::shared_ptr<PreferencesController> PreferencesController::create(Services services)
{
    return std::shared_ptr<PreferencesController>(new PreferencesController(std::move(services)));
}

PreferencesController::PreferencesController(Services services)
    : m_services(std::move(services))
    , m_notificationTableLabelArray { "Time Slice", " is started", " is in progress", " will elapse soon", " has elapsed",
        " was paused", " was stopped", "Timed Break", " is started", " is in progress", " has elapsed" }
    , m_reminderSoundsLabels(m_services.sounds->reminderSoundsLabels())
    , m_endSoundLabels(m_services.sounds->endSoundsLabels())
    , m_continuousSoundsLabels(m_services.sounds->continuousSoundsLabels())
{
}

PreferencesController::~PreferencesController()
{
    restoreAfterRun();
    for (auto observation : m_windowObservations)
        m_services.store->removeObserver(observation);
    if (m_notificationTable)
        m_notificationTable->setDataSource(nullptr);
    if (m_window) {
        m_window->setDelegate(nullptr);
        m_window->setNextResponder(nullptr);
        m_window->close();
    }
}

void PreferencesController::run()
{
    if (m_running)
        return;
    auto keep = shared_from_this();
    observe();
    m_services.continuousSoundMachine->block();
    m_allSoundsWereMutedAtStart = m_services.sounds->allSoundsAreMuted();
    m_services.sounds->setAllSoundsAreMuted(false);
    m_running = true;
    runningControllers().push_back(weak_from_this());
    // Whatever ends the run below (the window closed, the program told to quit, a failure),
    // the steps that give everything back run on the way out.
    struct RestoreOnExit {
        PreferencesController& controller;
        ~RestoreOnExit() { controller.restoreAfterRun(); }
    } restore { *this };

    window();
    m_services.hotKeys->disableAllHotKeys();
    selectStoredSounds();
    selectStoredOutputDevice();
    updateFontPreview();
    m_previousFontManagerDelegate = ui::FontPanel::shared().picked();
    insertSoftwareUpdateItemIfMissing();
    updateTabViewAndToolbar();
    giveKeyboardToFirstControl();
    if (auto* application = ui::Application::shared())
        application->runModalForWindow(*m_window);
    else
        base::diagnostic("preferences: no application to show the window in");
}

void PreferencesController::giveKeyboardToFirstControl()
{
    // Not on nothing, where Tab would have to find the way in first.
    m_window->recalculateKeyViewLoop();
    if (auto* first = m_window->initialFirstResponder())
        m_window->giveKeyboardTo(first);
}

void PreferencesController::restoreAfterRun()
{
    if (!m_running)
        return;
    m_running = false;
    std::erase_if(runningControllers(), [this](const auto& weak) {
        auto held = weak.lock();
        return !held || held.get() == this;
    });
    for (auto observation : m_observations)
        m_services.store->removeObserver(observation);
    m_observations.clear();
    m_services.hotKeys->registerAllHotKeys();
    m_services.continuousSoundMachine->unblock();
    m_services.sounds->setAllSoundsAreMuted(m_allSoundsWereMutedAtStart);
    if (m_window)
        m_window->orderOut();
    ui::FontPanel::shared().setPicked(std::move(m_previousFontManagerDelegate));
    m_previousFontManagerDelegate = {};
}

std::shared_ptr<PreferencesController> PreferencesController::running()
{
    for (const auto& weak : runningControllers())
        if (auto controller = weak.lock())
            return controller;
    return nullptr;
}

void PreferencesController::restoreRunningWindows()
{
    auto running = runningControllers();
    for (const auto& weak : running) {
        if (auto controller = weak.lock())
            controller->restoreAfterRun();
    }
}

void PreferencesController::observe()
{
    std::vector<std::string> keys { "textColor", kPaneKey };
    for (const auto& key : preferencesObservedVolumeKeys())
        keys.push_back(key);
    keys.push_back("speechReminderVolume");
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    for (const auto& key : keys) {
        m_observations.push_back(m_services.store->addObserver(key, [weak](const std::string& changed) {
            if (auto self = weak.lock())
                self->observedValueChanged(changed);
        }));
    }
}

void PreferencesController::observedValueChanged(const std::string& key)
{
    auto value = m_services.store->object(key);
    zr_log("observeValueForKeyPath: %s value: %s", key.c_str(), value ? base::toJson(*value).c_str() : "(null)");
    if (key == kPaneKey) {
        updateTabViewAndToolbar();
        return;
    }
    std::size_t row = preferencesSoundRowNamed(key);
    if (row < kPreferencesSoundRowCount) {
        playSoundWithNewSettings(row);
        return;
    }
    if (key == "speechReminderVolume") {
        changeSpeechVolume(this);
        return;
    }
    updateFontPreview();
}

ui::Window& PreferencesController::window()
{
    if (!m_window)
        loadWindow();
    return *m_window;
}

void PreferencesController::awakeFromNib()
{
    m_shortcutsPreferencesViewController = ShortcutsPreferencesViewController::create(*m_services.model);
    auto& pane = m_shortcutsPreferencesViewController->view();
    pane->setTranslatesAutoresizingMaskIntoConstraints(true);
    pane->setFrame(ui::Rect(ui::Point(), m_shortcutsView->frame().size));
    m_shortcutsView->addSubview(pane);
}

void PreferencesController::windowDidLoad() { updateControls(); }

void PreferencesController::updateControls()
{
    updateDropboxCheckbox();
    updateDocklessCheckbox();
    updateTabViewAndToolbar();
}

void PreferencesController::updateTabViewAndToolbar()
{
    if (!m_tabView)
        return;
    std::string identifier = m_services.store->string(kPaneKey).value_or(kDefaultPane);
    auto& items = m_tabView->items();
    auto found = std::find_if(items.begin(), items.end(), [&](const auto& item) { return identifierOf(*item) == identifier; });
    // A stored name of no pane (a damaged setting) shows the first pane the window opens on.
    if (found == items.end()) {
        identifier = kDefaultPane;
        found = std::find_if(items.begin(), items.end(), [&](const auto& item) { return identifierOf(*item) == identifier; });
    }
    if (found == items.end())
        return;
    m_toolbar->setSelectedItemIdentifier(identifier);
    m_tabView->selectItem(*found);
    m_window->setTitle((*found)->label());
}

void PreferencesController::updateDropboxCheckbox()
{
    if (m_dropboxCheckbox)
        m_dropboxCheckbox->setState(DropboxManager::sharedInstance().isDropboxSyncActive() ? ui::ControlStateValue::On
                                                                                           : ui::ControlStateValue::Off);
}

void PreferencesController::updateDocklessCheckbox()
{
    if (m_docklessCheckbox)
        m_docklessCheckbox->setState(
            m_services.store->boolean("dockless") ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
}

void PreferencesController::insertSoftwareUpdateItemIfMissing()
{
    if (m_toolbar->itemWithIdentifier(kSoftwareUpdatePane))
        return;
    auto item = ui::ToolbarItem::create(kSoftwareUpdatePane, "Updates", preferencesPaneIcon(kSoftwareUpdatePane));
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    item->onAction = [weak](ui::ToolbarItem& sender) {
        if (auto self = weak.lock())
            self->tryToPerform("changePane:", &sender);
    };
    std::size_t count = m_toolbar->items().size();
    m_toolbar->insertItem(item, count == 0 ? 0 : count - 1);
}

void PreferencesController::ok(const base::Sender&)
{
    if (m_window)
        m_window->makeFirstResponder(nullptr);
    if (auto* application = ui::Application::shared(); application && m_window && application->modalWindow() == m_window.get())
        application->stopModal();
}

bool PreferencesController::windowShouldClose(ui::Window&)
{
    ok(this);
    return true;
}

void PreferencesController::keyDown(const ui::Event& event)
{
    if (event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::Return)) {
        ok(this);
        return;
    }
    ui::Responder::keyDown(event);
}

void PreferencesController::changePane(const base::Sender& sender)
{
    std::string identifier = paneIdentifierOf(sender);
    if (identifier.empty())
        return;
    m_services.store->set(kPaneKey, identifier);
    // Outside a run nobody observes the setting: show the pane here.
    if (m_observations.empty())
        updateTabViewAndToolbar();
}

ui::PopUpButton* PreferencesController::soundPopUpButton(std::size_t row) const
{
    return row < m_soundPopUpButtons.size() ? m_soundPopUpButtons[row].get() : nullptr;
}

void PreferencesController::selectSound(std::size_t row)
{
    auto* popUp = soundPopUpButton(row);
    if (!popUp)
        return;
    const auto& entry = preferencesSoundRows()[row];
    const auto& names = soundPrivateNames(*m_services.sounds, entry.list);
    int index = popUp->indexOfSelectedItem();
    if (index < 0 || index >= static_cast<int>(names.size()))
        return;
    m_services.store->set(entry.soundKey, names[static_cast<std::size_t>(index)]);
    m_services.store->synchronize();
    playSoundWithNewSettings(row);
}

void PreferencesController::playSoundWithNewSettings(std::size_t row)
{
    if (row >= kPreferencesSoundRowCount)
        return;
    const auto& entry = preferencesSoundRows()[row];
    std::string name = m_services.store->string(entry.soundKey).value_or("");
    auto volume = static_cast<float>(m_services.store->real(entry.volumeKey));
    if (entry.list == PreferencesSoundList::continuous)
        m_services.sounds->playSampleWithPrivateName(name, volume);
    else
        m_services.sounds->playSoundWithPrivateName(name, volume);
}

void PreferencesController::playStartSoundWithNewSettings() { playSoundWithNewSettings(preferencesSoundRowNamed("playStartSoundWithNewSettings")); }

void PreferencesController::playReminderSoundWithNewSettings()
{
    playSoundWithNewSettings(preferencesSoundRowNamed("playReminderSoundWithNewSettings"));
}

void PreferencesController::speakWithNewSettings() { m_services.speech->speakString("Hello."); }

void PreferencesController::changeSpeechVolume(const base::Sender&) { speakWithNewSettings(); }

const std::vector<std::string>& PreferencesController::audioDevices() const { return m_services.sounds->audioDevices(); }

void PreferencesController::changeSoundOutputDevice(const base::Sender&)
{
    if (!m_soundOutputDevicePopUpButton)
        return;
    auto identifier = m_services.sounds->audioDeviceUIDWithIndex(m_soundOutputDevicePopUpButton->indexOfSelectedItem());
    if (!identifier)
        return;
    m_services.store->set("soundOutputDevice", *identifier);
    m_services.store->synchronize();
    playReminderSoundWithNewSettings();
}

void PreferencesController::selectStoredSounds()
{
    const auto& rows = preferencesSoundRows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        auto* popUp = soundPopUpButton(row);
        if (!popUp)
            continue;
        const auto& names = soundPrivateNames(*m_services.sounds, rows[row].list);
        auto stored = m_services.store->string(rows[row].soundKey);
        auto found = stored ? std::find(names.begin(), names.end(), *stored) : names.end();
        // A name the library does not offer (any more) leaves the pop-up without a choice;
        // the setting stays as it is.
        popUp->selectItemAt(found == names.end() ? -1 : static_cast<int>(found - names.begin()));
    }
}

void PreferencesController::selectStoredOutputDevice()
{
    if (!m_soundOutputDevicePopUpButton)
        return;
    // Nothing stored at all is the system's default device, as the sound library reads it.
    auto stored = m_services.store->string("soundOutputDevice").value_or(m_services.sounds->defaultOutputDeviceUID());
    auto index = m_services.sounds->indexOfDeviceWithUID(stored);
    m_soundOutputDevicePopUpButton->selectItemAt(index ? static_cast<int>(*index) : -1);
}

void PreferencesController::chooseDefaultFont(const base::Sender&)
{
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    ui::FontPanel::shared().show(NowAndLaterBoardManager::sharedManager().defaultFont(), [weak](const gfx::Font& font) {
        if (auto self = weak.lock())
            self->changeFont(font);
    });
}

void PreferencesController::changeFont(const gfx::Font& font)
{
    NowAndLaterBoardManager::sharedManager().setDefaultFont(font);
    updateFontPreview();
}

void PreferencesController::resetFonts(const base::Sender&)
{
    m_services.store->remove("defaultFont");
    updateFontPreview();
}

void PreferencesController::resetColors(const base::Sender&)
{
    for (const char* key : { "textColor", "nowPadBackgroundColor", "laterPadBackgroundColor", "scratchPadBackgroundColor",
             "objectiveBackgroundColor" })
        m_services.store->remove(key);
}

void PreferencesController::updateFontPreview()
{
    if (!m_fontPreviewTextView)
        return;
    // Damaged values read as the registered ones, with a logged line.
    gfx::Font font = padDefaultFont(*m_services.store);
    m_fontPreviewTextView->setTextColor(padTextColor(*m_services.store));
    m_fontPreviewTextView->setFont(font);
    m_fontPreviewTextView->setStringValue(fontDisplayName(font));
}

void PreferencesController::addApplicationToExclusionList(const base::Sender&)
{
    window();
    auto panel = ui::FilePanel::openPanel();
    panel->setAllowsMultipleSelection(true);
    panel->setAllowedFileTypes({ "desktop" });
    panel->setTreatsFilePackagesAsDirectories(false);
    panel->setCanChooseDirectories(false);
    panel->setTitle("Add");
    panel->setPrompt("Add");
    panel->setDirectory("/usr/share/applications/");
    if (panel->runModal() != ui::FilePanel::Response::OK)
        return;
    m_exclusionListTable->add(panel->urls());
}

void PreferencesController::removeApplicationFromExclusionList(const base::Sender&)
{
    if (m_exclusionListTable)
        m_exclusionListTable->removeSelected();
}

void PreferencesController::checkForUpdatesNow(const base::Sender&)
{
    ok(this);
    if (m_softwareUpdater)
        m_softwareUpdater->checkForUpdates(this);
    else
        base::diagnostic("preferences: no updater to check for updates with");
}

void PreferencesController::updateIntervalHasChanged(const base::Sender&)
{
    if (m_softwareUpdater)
        m_softwareUpdater->setUpdateCheckInterval(m_services.store->real("SUScheduledCheckInterval"));
}

void PreferencesController::changeDropboxSyncCheckbox(const base::Sender&)
{
    auto& dropbox = DropboxManager::sharedInstance();
    if (dropbox.isDropboxSyncActive())
        dropbox.revertToLocal();
    else
        dropbox.configureForDropbox();
    updateDropboxCheckbox();
}

void PreferencesController::changeDocklessCheckbox(const base::Sender&)
{
    // One way to switch, so that the menus' titles and the run's mode never disagree.
    auto manager = DockManager::sharedManager();
    if (!manager)
        manager = DockManager::create();
    manager->toggleDockMode();
    updateDocklessCheckbox();
}

void PreferencesController::showDropboxWebsite(const base::Sender&) { desktop::Opener::openLink(kDropboxWebsite); }

void PreferencesController::showNoiseMachineIntegrationHelp(const base::Sender&) { HelpManager::showNoiseMachineHelp(true); }
void PreferencesController::showUserScriptingHelp(const base::Sender&) { HelpManager::showAppleScriptHelp(true); }
void PreferencesController::showOmniFocusIntegrationHelp(const base::Sender&) { HelpManager::showOmniFocusHelp(true); }
void PreferencesController::showThingsIntegrationHelp(const base::Sender&) { HelpManager::showThingsHelp(true); }
void PreferencesController::showTheHitListIntegrationHelp(const base::Sender&) { HelpManager::showHitListHelp(true); }
void PreferencesController::showSyncHelp(const base::Sender&) { HelpManager::showDropboxHelp(true); }
void PreferencesController::showSpeechTagsHelpTopic(const base::Sender&) { HelpManager::showSpeechTagsReference(true); }
void PreferencesController::showInputMonitoringHelp(const base::Sender&) { HelpManager::showInputMonitoringHelp(); }

void PreferencesController::showScriptingFolder(const base::Sender&) { ScriptLauncher::sharedScriptLauncher().openScriptFolder(); }

void PreferencesController::showSampleScript(const base::Sender&)
{
    std::error_code error;
    auto folder = base::Resources::root();
    if (!std::filesystem::is_directory(folder, error))
        return;
    auto script = folder / "Sample Script";
    if (std::filesystem::exists(script, error))
        desktop::Opener::openFile(script);
    else
        base::diagnostic("preferences: the sample script is not among the resources");
}

const base::ActionTable& PreferencesController::actionTable() const
{
    static const auto table = [] {
        using P = PreferencesController;
        auto actions = base::ActionTable::of<P>({
            { "ok:", &P::ok },
            { "changePane:", &P::changePane },
            { "changeSpeechVolume:", &P::changeSpeechVolume },
            { "changeSoundOutputDevice:", &P::changeSoundOutputDevice },
            { "chooseDefaultFont:", &P::chooseDefaultFont },
            { "resetFonts:", &P::resetFonts },
            { "resetColors:", &P::resetColors },
            { "addApplicationToExclusionList:", &P::addApplicationToExclusionList },
            { "removeApplicationFromExclusionList:", &P::removeApplicationFromExclusionList },
            { "checkForUpdatesNow:", &P::checkForUpdatesNow },
            { "updateIntervalHasChanged:", &P::updateIntervalHasChanged },
            { "changeDropboxSyncCheckbox:", &P::changeDropboxSyncCheckbox },
            { "changeDocklessCheckbox:", &P::changeDocklessCheckbox },
            { "showDropboxWebsite:", &P::showDropboxWebsite },
            { "showNoiseMachineIntegrationHelp:", &P::showNoiseMachineIntegrationHelp },
            { "showUserScriptingHelp:", &P::showUserScriptingHelp },
            { "showOmniFocusIntegrationHelp:", &P::showOmniFocusIntegrationHelp },
            { "showThingsIntegrationHelp:", &P::showThingsIntegrationHelp },
            { "showTheHitListIntegrationHelp:", &P::showTheHitListIntegrationHelp },
            { "showSyncHelp:", &P::showSyncHelp },
            { "showSpeechTagsHelpTopic:", &P::showSpeechTagsHelpTopic },
            { "showInputMonitoringHelp:", &P::showInputMonitoringHelp },
            { "showScriptingFolder:", &P::showScriptingFolder },
            { "showSampleScript:", &P::showSampleScript },
        });
        // The fourteen sound choices, one action each, as the sound table names them.
        const auto& rows = preferencesSoundRows();
        for (std::size_t row = 0; row < rows.size(); ++row) {
            actions.add(rows[row].action, [row](base::Responder& target, const base::Sender&) {
                static_cast<P&>(target).selectSound(row);
            });
        }
        return actions;
    }();
    return table;
}

}
