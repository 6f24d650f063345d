#include "shell/PreferencesController.h"

#include "shell/ExclusionListTable.h"
#include "shell/PreferencesForm.h"
#include "shell/PreferencesViews.h"
#include "shell/ShortcutsPreferencesViewController.h"

#include "attention/SoundManager.h"
#include "core/SettingsArchive.h"
#include "shell/DefaultSettings.h"
#include "viewkit/Wall.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/Archive.h"
#include "platform/ui/Button.h"
#include "platform/ui/ColorWell.h"
#include "platform/ui/PopUpButton.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TemplateImages.h"
#include "platform/ui/TextField.h"

#include <algorithm>

namespace ostrel {

namespace {

constexpr double kPaneWidth = 720;
constexpr double kPageHeight = 502;

// A button that sends an action of the controller by name.
std::shared_ptr<ui::Button> actionButton(const std::weak_ptr<PreferencesController>& controller, const std::string& title,
    const std::string& action)
{
    return PreferencesForm::button(title, [controller, action] {
        if (auto self = controller.lock())
            self->tryToPerform(action, self.get());
    });
}

// The round "?" beside a setting, opening its help page.
std::shared_ptr<ui::Button> helpButton(const std::weak_ptr<PreferencesController>& controller, const std::string& action)
{
    auto button = actionButton(controller, "?", action);
    button->setToolTip("Help");
    return button;
}

// A pop-up of a sound list that stores the chosen private name under the key.
std::shared_ptr<ui::PopUpButton> soundNamePopUp(const std::shared_ptr<base::Defaults>& store, const SoundManager& sounds,
    PreferencesSoundList list, const std::string& key)
{
    auto popUp = ui::PopUpButton::create();
    popUp->addItems(soundLabels(sounds, list));
    const auto& names = soundPrivateNames(sounds, list);
    auto stored = store->string(key);
    auto found = stored ? std::find(names.begin(), names.end(), *stored) : names.end();
    popUp->selectItemAt(found == names.end() ? -1 : static_cast<int>(found - names.begin()));
    ui::PopUpButton* self = popUp.get();
    popUp->onAction = [store, names, key, self] {
        int index = self->indexOfSelectedItem();
        if (index >= 0 && index < static_cast<int>(names.size()))
            store->set(key, names[static_cast<std::size_t>(index)]);
    };
    return popUp;
}

}

void PreferencesController::buildGeneralPane()
{
    PreferencesForm form(m_services.store, kPaneWidth, 200);
    form.heading("Menu Bar and Window");
    form.row("Menu bar icon:", { { form.popUp("menubarIconChoice", { { "Ostrel", 0 }, { "Plain O", 1 } }), 0 } });
    form.row("", { { form.checkBox("A click on the icon brings the window below it", "clickMovesWindowBelowIcon"), 0 } });
    m_docklessCheckbox = ui::Button::create("Run without a task-bar entry and menu bar", ui::ButtonType::Switch);
    ui::Button* dockless = m_docklessCheckbox.get();
    m_docklessCheckbox->onAction = [weak = weak_from_this(), dockless] {
        if (auto self = weak.lock())
            self->tryToPerform("changeDocklessCheckbox:", dockless);
    };
    form.row("", { { m_docklessCheckbox, 0 } });
    form.note("Takes effect the next time Ostrel starts.");
    form.row("Shrink the window:", { { form.popUp("windowCompressionMode", { { "Never", 0 }, { "Always", 1 }, { "While no pad is open", 2 } }), 0 } });

    form.heading("Objective");
    form.row("", { { form.checkBox("Half-height objective field", "halfHeightObjectiveTextView"), 0 } });
    form.row("", { { form.checkBox("Hide the objective field while preparing a break", "objectiveTextFieldInPrepareTimedBreakState"), 0 } });
    form.row("", { { form.checkBox("A recent objective brings its tags along", "recentObjectivesListCopyTags"), 0 } });
    form.row("", { { form.checkBox("A default objective brings its tags along", "defaultObjectivesListCopyTags"), 0 } });

    form.heading("Back to Work");
    form.row("Bring Ostrel to the front:", { { form.checkBox("After five minutes without input", "automaticallyBringDefineTimeSliceToFrontAfterInactivity"), 0 } });
    form.row("", { { form.checkBox("An hour after the last time slice", "automaticallyBringDefineTimeSliceToFrontAfterOneHour"), 0 } });
    form.row("", { { form.checkBox("After lunch", "automaticallyBringDefineTimeSliceToFrontAfterLunch"), 0 } });
    form.row("", { { form.checkBox("The next morning", "automaticallyBringDefineTimeSliceToFrontAfterBreakfast"), 0 } });

    form.heading("Translucent Panels");
    form.row("Fill:", { { form.slider("fillWhite", 0, 1), 160 }, { PreferencesForm::label("opacity"), 0 }, { form.slider("fillAlpha", 0, 1), 160 } });
    form.row("Outline:", { { form.slider("strokeWhite", 0, 1), 160 }, { PreferencesForm::label("opacity"), 0 }, { form.slider("strokeAlpha", 0, 1), 160 } });
    form.row("Gradient:", { { form.slider("HUDGradientStart", 0, 1), 160 }, { PreferencesForm::label("range"), 0 }, { form.slider("HUDGradientRange", 0, 1), 160 } });
    form.row("", { { form.checkBox("Light panels", "whiteColor"), 0 } });
    addPane("General", "General", form.view());
}

void PreferencesController::buildDistractionsPane()
{
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    PreferencesForm form(m_services.store, kPaneWidth, 200);
    form.heading("Applications");
    form.note("Applications Ostrel leaves alone. Add them from their desktop entries.");
    m_exclusionListTable = ExclusionListTable::create(m_services.store);
    m_exclusionListTable->scrollView()->setFrameSize(ui::Size(340, 150));
    form.row("Leave alone:", { { m_exclusionListTable->scrollView(), 340 } });
    auto add = actionButton(weak, "", "addApplicationToExclusionList:");
    add->setImage(ui::TemplateImages::add());
    add->setImagePosition(ui::ImagePosition::ImageOnly);
    add->setToolTip("Add Applications…");
    auto remove = actionButton(weak, "", "removeApplicationFromExclusionList:");
    remove->setImage(ui::TemplateImages::remove());
    remove->setImagePosition(ui::ImagePosition::ImageOnly);
    remove->setToolTip("Remove From the List");
    form.row("", { { add, 30 }, { remove, 30 } });
    form.row("", { { form.checkBox("Close all file-browser windows when a time slice starts", "automaticallyCloseAllFinderWindows"), 0 } });

    form.heading("Background Noise Outside Time Slices");
    form.row("Noise:", { { form.checkBox("Play", "standaloneSoundOn"), 0 },
                           { soundNamePopUp(m_services.store, *m_services.sounds, PreferencesSoundList::continuous, "standaloneSound"), 170 },
                           { form.slider("standaloneVolume", 0, 1), 110 }, { helpButton(weak, "showNoiseMachineIntegrationHelp:"), 0 } });
    addPane("Distractions", "Distractions", form.view());
}

void PreferencesController::buildShortcutsPane()
{
    PreferencesForm form(m_services.store, kPaneWidth, 60);
    form.heading("Global Shortcuts");
    form.note("These work in every application. A change takes effect when this window closes.");
    m_shortcutsView = ui::View::create(ui::Rect(0, 0, ShortcutsPreferencesViewController::kWidth,
        ShortcutsPreferencesViewController::kRowPitch * 10));
    form.row("", { { m_shortcutsView, ShortcutsPreferencesViewController::kWidth } });
    addPane("Shortcuts", "Shortcuts", form.view());
}

void PreferencesController::buildPadsPane()
{
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    PreferencesForm form(m_services.store, kPaneWidth, 200);
    form.heading("Text");
    // The sample on the Now pad's paper, so that any text colour shows.
    auto paper = Wall::create(ui::Rect(0, 0, 250, 26));
    paper->setTranslatesAutoresizingMaskIntoConstraints(true);
    paper->setBackgroundColor(readColorSetting(*m_services.store, "nowPadBackgroundColor", registeredColors::nowPadBackground));
    m_fontPreviewTextView = PreferencesForm::label("");
    m_fontPreviewTextView->setFrame(ui::Rect(6, 3, 238, 20));
    paper->addSubview(m_fontPreviewTextView);
    form.row("Default font:", { { paper, 250 }, { actionButton(weak, "Choose…", "chooseDefaultFont:"), 0 },
                                  { actionButton(weak, "Reset", "resetFonts:"), 0 } });
    form.row("Text colour:", { { form.colorWell("textColor"), 0 } });

    form.heading("Backgrounds");
    form.row("Now pad:", { { form.colorWell("nowPadBackgroundColor"), 0 }, { PreferencesForm::label("Later pad:"), 0 },
                             { form.colorWell("laterPadBackgroundColor"), 0 }, { PreferencesForm::label("Scratch pad:"), 0 },
                             { form.colorWell("scratchPadBackgroundColor"), 0 } });
    form.row("Objective field:", { { form.colorWell("objectiveBackgroundColor"), 0 }, { actionButton(weak, "Reset Colours", "resetColors:"), 0 } });
    form.row("Pad opacity:", { { form.slider("nowAndLaterBoardAlpha", 0.2, 1), 160 } });

    form.heading("Typing");
    form.row("", { { form.checkBox("Check spelling while typing", "continuousSpellChecking"), 260 },
                   { form.checkBox("Correct spelling automatically", "automaticSpellingCorrection"), 0 } });
    form.row("", { { form.checkBox("Smart quotes", "smartQuotes"), 260 }, { form.checkBox("Smart dashes", "smartDashes"), 0 } });
    form.row("", { { form.checkBox("Smart links", "smartLinks"), 260 }, { form.checkBox("Smart copy and paste", "smartInsertAndDelete"), 0 } });
    form.row("", { { form.checkBox("Replace text", "textReplacement"), 260 }, { form.checkBox("Check grammar", "grammarChecking"), 0 } });
    form.row("", { { form.checkBox("Detect dates and addresses", "dataDetectorsOn"), 0 } });
    form.note("This desktop offers no text replacement, grammar checking or data detection: those three are kept but change nothing.");

    form.heading("Templates");
    form.row("", { { form.checkBox("Breadcrumbs go on a new Scratch page", "insertBreadcrumbTemplate"), 0 } });
    form.row("", { { form.checkBox("Priming goes on a new Scratch page", "insertPrimingTemplate"), 0 } });
    addPane("Pads", "Pads", form.view());
    // The paper follows the Now pad's colour.
    std::weak_ptr<Wall> weakPaper = paper;
    auto store = m_services.store;
    m_windowObservations.push_back(m_services.store->addObserver("nowPadBackgroundColor", [weakPaper, store](const std::string&) {
        if (auto shown = weakPaper.lock())
            shown->setBackgroundColor(readColorSetting(*store, "nowPadBackgroundColor", registeredColors::nowPadBackground));
    }));
}

void PreferencesController::buildSoftwareUpdatePane()
{
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    PreferencesForm form(m_services.store, kPaneWidth, 200);
    form.heading("Updates");
    form.row("", { { form.checkBox("Check for updates automatically", "SUEnableAutomaticChecks"), 0 } });
    auto interval = form.popUp("SUScheduledCheckInterval", { { "Daily", 86400 }, { "Weekly", 604800 }, { "Monthly", 2629800 } }, [weak] {
        if (auto self = weak.lock())
            self->tryToPerform("updateIntervalHasChanged:", self.get());
    });
    form.row("Check:", { { interval, 0 } });
    form.row("", { { actionButton(weak, "Check Now", "checkForUpdatesNow:"), 0 } });
    form.note("Ostrel comes with the package it was installed from; its updates arrive the same way.");
    addPane(kSoftwareUpdatePane, "Updates", form.view());
}

void PreferencesController::buildIntegrationsPane()
{
    std::weak_ptr<PreferencesController> weak = weak_from_this();
    PreferencesForm form(m_services.store, kPaneWidth, 200);
    form.heading("Dropbox");
    m_dropboxCheckbox = ui::Button::create("Keep the log book in Dropbox", ui::ButtonType::Switch);
    ui::Button* checkbox = m_dropboxCheckbox.get();
    m_dropboxCheckbox->onAction = [weak, checkbox] {
        if (auto self = weak.lock())
            self->tryToPerform("changeDropboxSyncCheckbox:", checkbox);
    };
    form.row("", { { m_dropboxCheckbox, 0 }, { helpButton(weak, "showSyncHelp:"), 0 } });
    form.row("Dropbox folder:", { { form.textField("dropboxLocation"), 300 }, { actionButton(weak, "Dropbox Website", "showDropboxWebsite:"), 0 } });

    form.heading("Task Managers");
    form.row("OmniFocus:", { { form.checkBox("Mark linked tasks completed", "omnifocusIntegration"), 0 },
                               { helpButton(weak, "showOmniFocusIntegrationHelp:"), 0 } });
    form.row("Things:", { { form.checkBox("Mark linked to-dos completed", "thingsIntegrationToDoCompletion"), 0 },
                            { form.checkBox("and move them to the logbook", "thingsIntegrationMoveToLogBook"), 0 },
                            { helpButton(weak, "showThingsIntegrationHelp:"), 0 } });
    form.row("", { { form.checkBox("Say when Things is hidden again", "showThingsIntegrationAutoHideMessage"), 0 } });
    form.row("The Hit List:", { { form.checkBox("Mark linked tasks completed", "theHitListIntegration"), 0 },
                                  { helpButton(weak, "showTheHitListIntegrationHelp:"), 0 } });
    form.row("", { { form.checkBox("Say when The Hit List is hidden again", "showTheHitListIntegrationAutoHideMessage"), 0 } });
    form.note("These programs do not run on this desktop: a linked task is reported as not installed.");

    form.heading("Your Script");
    form.row("", { { actionButton(weak, "Open Scripts Folder", "showScriptingFolder:"), 0 },
                   { actionButton(weak, "Sample Script", "showSampleScript:"), 0 }, { helpButton(weak, "showUserScriptingHelp:"), 0 } });
    form.note("At each timer event Ostrel runs NotificationHandler.scpt from the scripts folder, when it is there and executable.");

    form.heading("More Help");
    auto topics = PreferencesPanePullDownButton::create();
    topics->addItem("Help Topics");
    for (auto [title, action] : { std::pair { "Background noise", "showNoiseMachineIntegrationHelp:" },
             std::pair { "Input monitoring", "showInputMonitoringHelp:" }, std::pair { "Speech tags", "showSpeechTagsHelpTopic:" },
             std::pair { "Your script", "showUserScriptingHelp:" }, std::pair { "Dropbox", "showSyncHelp:" } }) {
        std::string name = action;
        topics->menu()->addItem(title, [weak, name](ui::MenuItem&) {
            if (auto self = weak.lock())
                self->tryToPerform(name, self.get());
        });
    }
    form.row("", { { topics, 200 } });
    addPane("Integrations", "Integrations", form.view());
}

}
