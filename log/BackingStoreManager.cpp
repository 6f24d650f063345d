#include "log/BackingStoreManager.h"

#include "log/ComputerIdentifier.h"
#include "log/LogFormat.h"
#include "log/TimeSliceReaders.h"
#include "core/ZrLog.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/base/Paths.h"
#include "platform/base/Resources.h"
#include "platform/base/Uuid.h"
#include "platform/desktop/Opener.h"
#include "platform/text/Rtf.h"
#include "platform/text/Rtfd.h"

#include <algorithm>
#include <map>
#include <vector>
#include <cerrno>
#include <cstring>

namespace ostrel {

namespace {

}

std::string BackingStoreManager::writeFailureAdvice(int errorNumber, const std::string& where)
{
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return "There is no space left on the disk of " + where
            + ", so this time slice could not be added to today's log file. Please make room on that disk.";
    case EACCES:
    case EPERM:
        return "Ostrel has no permission to write to " + where
            + ". Please use 'Properties' -> 'Permissions' in your file manager (or chmod u+rwx in a terminal) to "
              "check that you have sufficient access privileges to write to it. You should have read and write "
              "access.";
    case EROFS:
        return "The disk of " + where
            + " can only be read, so this time slice could not be added to today's log file. Please make the disk "
              "writable, or move the log to a disk that is.";
    default:
        return "Ostrel could not write to " + where
            + (errorNumber ? std::string(" (") + std::strerror(errorNumber) + ")" : std::string())
            + ", so this time slice could not be added to today's log file.";
    }
}

BackingStoreManager& BackingStoreManager::sharedManager()
{
    static BackingStoreManager* manager = new BackingStoreManager;
    return *manager;
}

std::string BackingStoreManager::loadTemplateDataFromBundle(const std::string& name) const
{
    auto path = base::Resources::path(name, "rtf", "templates");
    // Templates are a few kilobytes of the installation's own; past this one is broken.
    constexpr std::size_t limit = 16 << 20;
    std::optional<std::string> bytes;
    std::string error;
    if (path)
        bytes = base::files::readBytes(*path, limit, &error);
    if (!bytes) {
        if (!error.empty())
            base::diagnostic(error);
        base::fatal("could not load now and later board template: '" + name + "'");
    }
    return *bytes;
}

std::string BackingStoreManager::obtainMACAddress() const
{
    return ComputerIdentifier::current(m_interfaces);
}

std::filesystem::path BackingStoreManager::applicationSupportDirectory()
{
    return base::paths::applicationSupport();
}

std::string BackingStoreManager::createUUID()
{
    return base::makeUuid();
}

text::Document BackingStoreManager::contentOfSelectedFile(BackingStoreDescriptor& descriptor) const
{
    auto path = descriptor.getPathToSelectedFile();
    if (!path)
        return {};
    if (auto document = text::Rtfd::readFile(*path))
        return std::move(*document);
    // A page that is there but does not read is no empty page: writing one over it would
    // lose whatever it holds.
    text::Document unreadable;
    unreadable.complete = !base::files::exists(*path);
    return unreadable;
}

std::string BackingStoreManager::newFile(BackingStoreDescriptor& descriptor) const
{
    std::string id = descriptor.getPathToNewFile();
    descriptor.index().refreshIndexFromDisk();
    return id;
}

bool BackingStoreManager::write(const text::AttributedString& text, BackingStoreDescriptor& descriptor,
    const text::DocumentAttributes& attributes) const
{
    auto path = descriptor.getPathToSelectedFile();
    if (!path)
        return false;
    bool written = text::Rtfd::writeFile(*path, text, attributes);
    if (!written)
        zr_log("could not write %s", path->c_str());
    return written;
}

bool BackingStoreManager::append(const text::AttributedString& text, BackingStoreDescriptor& descriptor) const
{
    return append(text, descriptor, Appending {}) == Appended::Written;
}

BackingStoreManager::Appended BackingStoreManager::append(const text::AttributedString& text,
    BackingStoreDescriptor& descriptor, const Appending& how) const
{
    zr_log("BackingStoreManager append - start");
    std::filesystem::path path = how.day ? descriptor.getPathToFileForDate(*how.day) : descriptor.getPathToCurrentFile();
    zr_log("appending to current file path: %s", path.c_str());
    auto fail = [&](const std::function<std::string(const std::string& where)>& informativeText, bool openFolder = true) {
        if (how.tellUser)
            reportWriteFailure(
                path, [&](const std::string& where) { return informativeText(where) + how.afterword; }, openFolder);
        return Appended::Failed;
    };

    if (!descriptor.isLoadedFolderInPlace()) {
        zr_log("the log folder %s is gone or another folder; the entry was not written", descriptor.folderPath().c_str());
        return fail(
            [&](const std::string&) {
                return "The log folder \u201c" + descriptor.folderPath()
                    + "\u201d that Ostrel loaded is gone, or another folder is in its place (a disk taken away, a "
                      "folder moved or replaced), so this time slice was not added to today's log file. Put the "
                      "folder back where it was, or start Ostrel again to use the folder now there.";
            },
            false);
    }

    // A day file whose replacement was cut short gets its earlier entries back first; if
    // they cannot be put back, a new file holding this entry alone would bury them.
    if (!base::files::recoverInterruptedReplacement(path) && !base::files::exists(path)) {
        return fail([](const std::string&) {
            return "Today's log file was being rewritten when Ostrel stopped, and its earlier version could not be "
                   "put back, so this time slice was not added to it.";
        });
    }

    text::Document result;
    if (base::files::exists(path)) {
        auto existing = readWholePackage(path);
        if (!existing) {
            // Writing the new entry alone would throw away every earlier entry of the day.
            zr_log("could not read %s; the entry was not written", path.c_str());
            return fail([](const std::string&) {
                return "Today's log file exists but could not be read, so it was left as it was and this time slice "
                       "was not added to it.";
            });
        }
        result = std::move(*existing);
        if (!how.onceFor.empty() && holdsEntry(result.text, how.onceFor)) {
            zr_log("%s holds the entry %s already; it was not written again", path.c_str(), how.onceFor.c_str());
            return Appended::AlreadyThere;
        }
    }
    result.text.append(text);

    int failure = 0;
    bool written = text::Rtfd::writeFile(path, result.text, result.attributes, &failure);
    if (!written) {
        zr_log("could not write %s: %s", path.c_str(), std::strerror(failure));
        fail([failure](const std::string& where) { return writeFailureAdvice(failure, where); });
    }
    zr_log("BackingStoreManager append - end");
    return written ? Appended::Written : Appended::Failed;
}

bool BackingStoreManager::holdsEntry(const text::AttributedString& content, const std::string& uuid)
{
    auto records = readFullTimeSlices(content);
    return std::any_of(records.begin(), records.end(), [&](const auto& record) { return record->uuid() == uuid; });
}

std::optional<text::Document> BackingStoreManager::readWholePackage(const std::filesystem::path& path)
{
    // The reader is forgiving and gives what it could read of a cut-off file or a package
    // missing a file; only a complete one may be written back.
    auto document = text::Rtfd::readFile(path);
    if (!document || !document->complete) {
        zr_log("%s does not hold a complete rich text", path.c_str());
        return std::nullopt;
    }
    return document;
}

void BackingStoreManager::reportWriteFailure(const std::filesystem::path& file,
    const std::function<std::string(const std::string& where)>& informativeText, bool openFolder) const
{
    auto folder = file.parent_path();
    // "The folder that just opened" only once it did: without a file manager (or with one
    // that failed) the user is told where to look instead.
    bool opened = openFolder && desktop::Opener::openFolderConfirmed(folder);
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Warning;
    alert.message = "Could not write to log file folder!";
    alert.informativeText
        = informativeText(opened ? "the folder that just opened" : "the folder \u201c" + folder.string() + "\u201d");
    alert.buttons = { "OK" };
    base::AlertPresenter::present(alert);
}

void BackingStoreManager::removeSheetFromDescriptor(BackingStoreDescriptor& descriptor, const std::string& id) const
{
    base::files::remove(id);
    descriptor.index().refreshIndexFromDisk();
}

bool BackingStoreManager::recoverInterruptedWrites(const BackingStoreDescriptor& descriptor) const
{
    std::string root = descriptor.root();
    std::string identifier = obtainMACAddress();
    // Only this computer's own files: in a shared folder another computer's hidden
    // leftovers may be a write still under way there.
    std::string error;
    bool recovered = base::files::recoverInterruptedReplacements(descriptor.folderPath(),
        [&](const std::string& name) { return LogFormat::isFileOfComputer(name, root, identifier); }, &error);
    if (!recovered)
        zr_log("could not recover interrupted writes: %s", error.c_str());
    return recovered;
}

bool BackingStoreManager::recoverInterruptedPageWrites(const BackingStoreDescriptor& descriptor) const
{
    std::filesystem::path folder = descriptor.folderPath();
    std::string root = descriptor.root();
    auto owned = [&](const std::string& name) { return LogFormat::beginsWithRoot(name, root); };
    auto names = base::files::list(folder);
    if (!names)
        return true;
    // New versions left complete in their staging folders, newest first, by the page they
    // were meant to become.
    std::map<std::string, std::vector<std::filesystem::path>> staged;
    for (const auto& name : *names) {
        auto owner = base::files::leftoverOwner(name);
        if (owner && owned(*owner) && name.starts_with("." + *owner + ".tmp."))
            staged[*owner].push_back(folder / name);
    }
    for (auto& [owner, stagings] : staged) {
        std::filesystem::path page = folder / owner;
        bool pageExists = base::files::exists(page);
        if (pageExists && readWholePackage(page))
            continue;
        std::sort(stagings.begin(), stagings.end(), [](const auto& a, const auto& b) {
            return base::files::modificationTime(a).value_or(0) > base::files::modificationTime(b).value_or(0);
        });
        auto complete = std::find_if(stagings.begin(), stagings.end(),
            [](const auto& staging) { return readWholePackage(staging).has_value(); });
        if (complete == stagings.end())
            continue;
        std::string error;
        // What the damaged page holds stays on the disk, out of the way of the listing.
        if (pageExists && !base::files::move(page, base::files::hiddenTemporarySibling(page, ".damaged"), &error)) {
            zr_log("could not set aside the damaged page %s: %s", page.c_str(), error.c_str());
            continue;
        }
        if (base::files::move(*complete, page, &error))
            base::diagnostic("recovered " + page.string() + " from the new version a stop cut short");
        else
            zr_log("could not recover %s: %s", page.c_str(), error.c_str());
    }
    std::string error;
    bool recovered = base::files::recoverInterruptedReplacements(folder, owned, &error);
    if (!recovered)
        zr_log("could not recover interrupted writes: %s", error.c_str());
    return recovered;
}

bool BackingStoreManager::createFromTemplate(const std::string& path, const std::string& templateName) const
{
    auto document = text::Rtf::read(loadTemplateDataFromBundle(templateName));
    bool written = document && text::Rtfd::writeFile(path, document->text, document->attributes);
    if (!written)
        zr_log("could not write %s", path.c_str());
    return written;
}

}
