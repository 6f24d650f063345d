#include "log/DropboxManager.h"

#include "core/ZrLog.h"
#include "log/BackingStoreManager.h"
#include "log/LogFileManager.h"
#include "log/LogFormat.h"
#include "log/Logger.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/Files.h"
#include "platform/base/Paths.h"
#include "platform/ui/FilePanel.h"

#include <array>

namespace ostrel {

namespace fs = std::filesystem;

namespace {

using Style = base::AlertRequest::Style;

DropboxManager::HelpHook& helpHook()
{
    static DropboxManager::HelpHook hook;
    return hook;
}

// One of the relocation's alerts: modal, with the help button on the Dropbox page. Answers
// the index of the button pressed.
int ask(Style style, std::string message, std::string informativeText, std::vector<std::string> buttons)
{
    base::AlertRequest alert;
    alert.style = style;
    alert.message = std::move(message);
    alert.informativeText = std::move(informativeText);
    alert.buttons = std::move(buttons);
    alert.help = [] {
        if (auto& hook = helpHook())
            hook(DropboxManager::kHelpPage);
        else
            zr_log("no help to show for %s", DropboxManager::kHelpPage);
    };
    return base::AlertPresenter::present(alert).button;
}

// A plain alert panel: a title over a message, no help.
void tell(std::string title, std::string message)
{
    base::AlertRequest alert;
    alert.style = Style::Warning;
    alert.message = std::move(title);
    alert.informativeText = std::move(message);
    alert.buttons = { "OK" };
    base::AlertPresenter::present(alert);
}

// The system's error, as the standard error presentation shows it: what failed, and why.
void presentError(const fs::path& folder, const std::string& error)
{
    base::AlertRequest alert;
    alert.style = Style::Warning;
    alert.message = "The folder \"" + folder.filename().string() + "\" could not be created in \""
        + base::paths::abbreviateWithTilde(folder.parent_path()) + "\".";
    // The files layer says "cannot create folder PATH: reason"; the reason is what helps.
    auto colon = error.rfind(": ");
    alert.informativeText = colon == std::string::npos ? error : error.substr(colon + 2);
    if (alert.informativeText.empty())
        alert.informativeText = "The folder is not there.";
    base::AlertPresenter::present(alert);
}

std::shared_ptr<base::Defaults> settings() { return base::Defaults::standard(); }

std::string thisComputer() { return BackingStoreManager::sharedManager().obtainMACAddress(); }

}

DropboxManager& DropboxManager::sharedInstance()
{
    static DropboxManager manager;
    return manager;
}

void DropboxManager::setHelpHook(HelpHook hook) { helpHook() = std::move(hook); }

bool DropboxManager::isDropboxSyncActive() const
{
    bool active = settings()->boolean("dropboxSync");
    zr_log("dropboxSync: %d", int(active));
    return active;
}

fs::path DropboxManager::getLocalSystemLogsFolderPath() { return BackingStoreManager::applicationSupportDirectory() / "System Logs"; }

fs::path DropboxManager::getLocalUserLogsFolderPath() { return BackingStoreManager::applicationSupportDirectory() / "User Logs"; }

DropboxManager::Folders DropboxManager::foldersIn(const fs::path& dropbox)
{
    fs::path base = dropbox / "Ostrel";
    return { base, base / "User Logs", base / "System Logs" };
}

bool DropboxManager::configureForDropbox()
{
    std::string identifier = thisComputer();
    auto found = confirmAndLocate("Configuring for Dropbox",
        "Ostrel will now attempt to create a new folder called \"Ostrel\" in your existing Dropbox folder and will then "
        "try to move all your existing log files into this folder.",
        identifier);
    if (!found)
        return false;
    Folders folders = *found;
    const std::array<fs::path, 3> made { folders.base, folders.userLogs, folders.systemLogs };
    std::array<std::string, 3> errors;
    for (size_t i = 0; i < made.size(); ++i)
        base::files::createDirectory(made[i], &errors[i]);
    for (size_t i = 0; i < made.size(); ++i) {
        if (!base::files::isDirectory(made[i])) {
            // The first folder still missing says best what went wrong: a folder that is
            // there already reported an error too, which does not matter.
            presentError(made[i], errors[i]);
            forceLogSystemToUpdate();
            return false;
        }
    }

    Outcome outcome;
    zr_log("moving system logs");
    moveFilesOfThisComputer(Logger::sharedLogger().systemLogBackingStoreDesc()->folderPath(), folders.systemLogs,
        identifier, outcome);
    // No series of user logs is written here; an older installation's would sit in the local
    // folder of that name, and they belong beside the system logs of the shared folder.
    zr_log("moving user logs");
    if (base::files::isDirectory(getLocalUserLogsFolderPath()))
        moveFilesOfThisComputer(getLocalUserLogsFolderPath(), folders.userLogs, identifier, outcome);

    if (!outcome.moved && outcome.failed) {
        // Nothing of this computer's log would be in the shared folder: switching would show
        // an empty log, so the log stays where all of it is.
        ask(Style::Warning, "Installation failed.",
            "Your Dropbox folder could be found but none of your current log files could not be moved.", { "OK" });
        return false;
    }
    if (outcome.failed)
        ask(Style::Warning, "Some log files could not be moved.",
            "Your Dropbox folder was found and some of your log files were moved into it successfully. Some files, "
            "however, could not be moved.",
            { "OK" });

    settings()->set("dropboxSync", true);
    settings()->synchronize();
    ask(Style::Informational, "Installation was successful.",
        "Please repeat this step at your leisure on the other computer(s) that you wish to sync with.", { "OK" });
    forceLogSystemToUpdate();
    return true;
}

bool DropboxManager::revertToLocal()
{
    std::string identifier = thisComputer();
    auto found = confirmAndLocate("DropboxManager: revert to local",
        "Ostrel will now attempt to move all your existing log files from your Dropbox back into your local application "
        "support folder.",
        identifier);
    if (!found)
        return false;
    Folders folders = *found;
    if (!base::files::isDirectory(folders.base) || !base::files::isDirectory(folders.userLogs)
        || !base::files::isDirectory(folders.systemLogs)) {
        tell("No Ostrel log folder could be found in your Dropbox folder.", "Your log files were not moved.");
        return false;
    }

    Outcome outcome;
    zr_log("moving system logs");
    moveFilesOfThisComputer(folders.systemLogs, getLocalSystemLogsFolderPath(), identifier, outcome);

    if (!outcome.moved) {
        ask(Style::Warning, "Could not move log files back to local application support folder.", "", { "Cancel" });
        return false;
    }
    settings()->set("dropboxSync", false);
    settings()->synchronize();
    ask(Style::Informational, "Log files were succesfully moved back into local application support folder.", "",
        { "OK" });
    forceLogSystemToUpdate();
    return true;
}

std::optional<std::string> DropboxManager::autolocateNonStandardDropboxFolderLocationOrAskUser()
{
    // The Dropbox application keeps no preferences here to start from.
    fs::path start = base::paths::home();
    int answer = ask(Style::Informational, "Ostrel has not found a dropbox folder at the standard location.",
        "Please note that you need to sign up for a free Dropbox account and install the Dropbox software on your "
        "Macintosh before you can use this feature.\n\n"
        "If you have already installed Dropbox, but are using a custom location for your Dropbox folder, please use "
        "the 'Locate Dropbox Folder' button below to locate the custom location.",
        { "Cancel", "Locate Dropbox Folder" });
    if (answer != 1)
        return std::nullopt;

    auto panel = ui::FilePanel::openPanel();
    panel->setCanChooseFiles(false);
    panel->setCanChooseDirectories(true);
    panel->setAllowsMultipleSelection(false);
    panel->setMessage("Please locate your Dropbox folder.");
    panel->setPrompt("OK");
    panel->setDirectory(start);
    if (panel->runModal() != ui::FilePanel::Response::OK || !panel->url())
        return std::nullopt;
    return panel->url()->string();
}

void DropboxManager::forceLogSystemToUpdate()
{
    Logger::sharedLogger().updateLogFileDescriptors();
    // Without this the watcher would go on watching the folder the log has left, and other
    // computers' files would stop arriving.
    LogFileManager::sharedInstance().restartMonitor();
    LogFileManager::sharedInstance().update();
}

std::optional<DropboxManager::Folders> DropboxManager::confirmAndLocate(const char* firstLine, const char* question,
    const std::string& identifier)
{
    zr_log("%s", firstLine);
    zr_log("Local Machine MAC: %s", identifier.c_str());
    if (ask(Style::Informational, question, "", { "OK", "Cancel" }) != 0)
        return std::nullopt;
    auto dropbox = findDropboxFolder();
    if (!dropbox)
        return std::nullopt;
    return foldersIn(*dropbox);
}

std::optional<fs::path> DropboxManager::findDropboxFolder()
{
    if (auto location = Logger::dropboxLocation(); location && base::files::isDirectory(*location))
        return fs::path(*location);
    auto chosen = autolocateNonStandardDropboxFolderLocationOrAskUser();
    if (!chosen)
        return std::nullopt;
    settings()->set("dropboxLocation", *chosen);
    return fs::path(*chosen);
}

void DropboxManager::moveFilesOfThisComputer(const fs::path& from, const fs::path& to, const std::string& identifier,
    Outcome& outcome) const
{
    std::string root = Logger::sharedLogger().systemLogBackingStoreDesc()->root();
    auto names = base::files::list(from);
    if (!names)
        return;
    for (const auto& name : *names) {
        if (!LogFormat::isFileOfComputer(name, root, identifier))
            continue;
        fs::path source = from / name;
        fs::path target = to / name;
        zr_log("move %s to %s", source.c_str(), target.c_str());
        std::string error;
        if (base::files::move(source, target, &error)) {
            outcome.moved = true;
        } else {
            zr_log("failed to move file: %s", source.c_str());
            zr_log("%s", error.c_str());
            outcome.failed = true;
        }
    }
}

}
