#include "log/Logger.h"

#include "core/Clock.h"
#include "core/DataModel.h"
#include "log/BackingStoreManager.h"
#include "core/ZrLog.h"
#include "log/LogEntry.h"
#include "log/LogFormat.h"
#include "log/TaskLinks.h"
#include "log/TaskManagerBridge.h"
#include "log/UnloggedTimeSlices.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/base/MainQueue.h"
#include "platform/base/Paths.h"
#include "platform/base/Time.h"
#include "platform/desktop/Opener.h"
#include "platform/text/Rtfd.h"
#include "platform/text/Unicode.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>

namespace ostrel {

namespace {

bool setting(const char* key) { return base::Defaults::standard()->boolean(key); }

Logger::CurrentWork currentWorkOfTheDataModel()
{
    auto& model = DataModel::shared();
    Logger::CurrentWork work;
    auto data = model.objectiveData();
    if (auto objective = text::Rtfd::fromData(std::string_view(reinterpret_cast<const char*>(data.data()), data.size())))
        work.objective = std::move(objective->text);
    work.completed = model.completed();
    work.durationInMinutes = model.durationInMinutes();
    work.tags = model.tags();
    work.focusRating = model.focusRating();
    return work;
}

}

Logger& Logger::sharedLogger()
{
    static Logger* logger = new Logger;
    return *logger;
}

Logger::Logger()
    : m_endDate(base::Time::distantPast())
    , m_startDate(base::Time::distantPast())
{
    updateLogFileDescriptors();
}

std::optional<std::string> Logger::dropboxLocation(std::string* refusal)
{
    auto defaults = base::Defaults::standard();
    auto stored = defaults->storedObject("dropboxLocation");
    if (!stored)
        stored = defaults->registeredObject("dropboxLocation");
    auto* text = stored ? stored->asString() : nullptr;
    std::filesystem::path folder = text ? base::paths::expandTilde(*text) : std::filesystem::path();
    // A relative path would be taken from wherever the program was started, a different
    // folder each time.
    if (text && folder.is_absolute())
        return folder.string();
    if (refusal)
        *refusal = text ? "\u201c" + *text + "\u201d is not a full path to a folder" : "it holds no folder path";
    return std::nullopt;
}

std::string Logger::systemLogFolderPath()
{
    auto local = (BackingStoreManager::applicationSupportDirectory() / "System Logs").string();
    if (!base::Defaults::standard()->boolean("dropboxSync"))
        return local;
    std::string refusal;
    if (auto dropbox = dropboxLocation(&refusal))
        return (std::filesystem::path(*dropbox) / "Ostrel" / "System Logs").string();
    zr_log("the Dropbox folder setting was refused (%s); the log stays in %s", refusal.c_str(), local.c_str());
    static std::set<std::string> told;
    if (told.insert(refusal).second) {
        base::AlertRequest alert;
        alert.style = base::AlertRequest::Style::Warning;
        alert.message = "The Dropbox folder setting cannot be used.";
        alert.informativeText = "The setting of the Dropbox folder is refused: " + refusal
            + ". Ostrel keeps the log in its local log folder, " + base::paths::abbreviateWithTilde(local)
            + ", until a Dropbox folder is chosen in the preferences.";
        base::MainQueue::async([alert] { base::AlertPresenter::present(alert); });
    }
    return local;
}

void Logger::updateLogFileDescriptors()
{
    auto descriptor = BackingStoreDescriptor::create();
    descriptor->setFolderPath(systemLogFolderPath());
    descriptor->setRoot(std::string(LogFormat::kRoot));
    descriptor->setNamingStrategy(std::make_unique<DailyNamingStrategy>());
    descriptor->setStaysWithLoadedFolder(true);
    // At start-up and after a move: nothing a killed write left behind is listed or lost.
    BackingStoreManager::sharedManager().recoverInterruptedWrites(*descriptor);
    descriptor->finishInitialization();
    m_systemLogBackingStoreDesc = std::move(descriptor);
}

void Logger::incrementActualSecondsWorked()
{
    if (m_actualSecondsWorked == 0)
        m_startDate = Clock::now() - 1.0;
    m_endDate = Clock::nowAsDate();
    ++m_actualSecondsWorked;
}

void Logger::resetActualSecondsWorked()
{
    m_actualSecondsWorked = 0;
    // A slice left behind unlogged stays kept, for the log to take with the others.
    if (m_unlogged) {
        m_unlogged.reset();
        UnloggedTimeSlices::shared().setHeldBack(std::nullopt);
    }
    if (m_extensionReset)
        m_extensionReset();
    else
        DataModel::shared().resetCurrentTimeSliceExtensionDuration();
}

text::AttributedString Logger::prepareTimeSliceSystemLogEntryTextWithUUID(const std::string& uuid)
{
    CurrentWork work = m_currentWork ? m_currentWork() : currentWorkOfTheDataModel();
    if (work.completed) {
        performOmniFocusMarking(work.objective);
        performTheHitListMarking(work.objective);
        performThingsMarking(work.objective);
    }
    LogEntryValues values;
    values.uuid = uuid;
    values.objective = work.objective;
    values.completed = work.completed;
    values.duration = double(work.durationInMinutes) * 60;
    values.tags = work.tags;
    values.actualDuration = double(m_actualSecondsWorked);
    values.startDate = m_startDate;
    values.focusRating = concentrationLevelStringForTag(work.focusRating);
    auto entry = makeLogEntry(values, LogEntryKind::New);
    zr_log("text: %s", entry.utf8().c_str());
    return entry;
}

bool Logger::writeToSystemLog(const text::AttributedString& entry)
{
    zr_log("Logger writeToSystemLog - start");
    bool written = BackingStoreManager::sharedManager().append(entry, *m_systemLogBackingStoreDesc);
    zr_log("Logger writeToSystemLog - end");
    return written;
}

bool Logger::logCurrentTimeSlice()
{
    if (m_actualSecondsWorked == 0)
        return false;
    auto& unlogged = UnloggedTimeSlices::shared();
    // What the log could not take before goes first, as it was rated first.
    unlogged.writeToLog();

    UnloggedTimeSlices::Slice slice;
    slice.uuid = m_unlogged ? m_unlogged->uuid : BackingStoreManager::createUUID();
    slice.date = m_unlogged ? m_unlogged->date : base::Time::now();
    slice.entry = prepareTimeSliceSystemLogEntryTextWithUUID(slice.uuid);
    // Kept before it is written: a stop between the two leaves it for the next start, which
    // finds by its identifier whether the day file took it.
    bool kept = unlogged.keep(slice);
    BackingStoreManager::Appending how;
    how.day = slice.date;
    if (m_unlogged)
        how.onceFor = slice.uuid;
    if (kept)
        how.afterword = " Ostrel keeps this time slice and adds it to the log as soon as the folder can take it, also "
                        "if Ostrel is quit before then.";
    zr_log("Logger writeToSystemLog - start");
    auto appended = BackingStoreManager::sharedManager().append(slice.entry, *m_systemLogBackingStoreDesc, how);
    zr_log("Logger writeToSystemLog - end");
    if (appended == BackingStoreManager::Appended::Failed) {
        m_unlogged = Unlogged { slice.uuid, slice.date };
        unlogged.setHeldBack(slice.uuid);
        return false;
    }
    unlogged.forget(slice.uuid);
    resetActualSecondsWorked();
    return true;
}

void Logger::dropCurrentTimeSlice()
{
    if (m_unlogged)
        UnloggedTimeSlices::shared().forget(m_unlogged->uuid);
    resetActualSecondsWorked();
}

std::string Logger::formatDateForSystemLog(double date) { return LogFormat::formatDate(date); }

double Logger::dateFromSystemLogString(const std::string& text) { return LogFormat::parseDate(text::toUtf16(text)); }

std::string Logger::concentrationLevelStringForTag(long long level) { return LogFormat::concentrationLevelStringForTag(level); }

int Logger::concentrationLevelTagForString(const std::string& word) { return LogFormat::concentrationLevelTagForString(word); }

std::string Logger::localizedStringFromDate(double date, base::DateFormat::Style dateStyle, base::DateFormat::Style timeStyle)
{
    return base::DateFormat::formatStyled(date, dateStyle, timeStyle);
}

std::string Logger::durationStringForTimeInterval(double seconds)
{
    long long s = std::isfinite(seconds) && std::fabs(seconds) < 9.2e18 ? static_cast<long long>(seconds) : 0;
    std::string joined;
    auto add = [&](long long count, const char* unit) {
        if (count < 1)
            return;
        if (!joined.empty())
            joined += ' ';
        joined.append(std::to_string(count)).append(" ").append(unit);
        if (count != 1)
            joined += 's';
    };
    // An hour is written "1 hour" up to two hours, as the log book has always shown it.
    add(s >= 3600 ? (s < 7200 ? 1 : s / 3600) : 0, "hour");
    add((s / 60) % 60, "minute");
    add(s % 60, "second");
    return joined.empty() ? "0 seconds" : joined;
}

void Logger::revealLogFolder() const { desktop::Opener::revealInFolder(m_systemLogBackingStoreDesc->folderPath()); }

void Logger::performOmniFocusMarking(const text::AttributedString& objective) const
{
    if (!setting("omnifocusIntegration"))
        return;
    auto& bridge = TaskManagerBridge::current();
    for (const auto& identifier : TaskLinks::identifiersWithPrefix(objective, TaskLinks::kOmniFocusPrefix)) {
        if (!TaskLinks::isSafeIdentifier(identifier)) {
            zr_log("refusing OmniFocus task identifier: %s", identifier.c_str());
            continue;
        }
        std::string script = TaskLinks::omniFocusScript(identifier);
        zr_log("try unticking: %s%s\n%s", TaskLinks::kOmniFocusPrefix.data(), identifier.c_str(), script.c_str());
        auto error = bridge.runScript(script);
        zr_log("result = %s", error ? error->c_str() : "(null)");
    }
}

void Logger::performTheHitListMarking(const text::AttributedString& objective) const
{
    if (!setting("theHitListIntegration"))
        return;
    auto identifiers = TaskLinks::identifiersWithPrefix(objective, TaskLinks::kTheHitListPrefix);
    if (identifiers.empty())
        return;
    auto& bridge = TaskManagerBridge::current();
    using App = TaskManagerBridge::App;
    for (const auto& identifier : identifiers) {
        if (!TaskLinks::isSafeIdentifier(identifier)) {
            zr_log("refusing The Hit List task identifier: %s", identifier.c_str());
            continue;
        }
        if (!bridge.isInstalled(App::TheHitList) || !bridge.activate(App::TheHitList)) {
            zr_log("The Hit List is not running");
            continue;
        }
        bridge.markHitListTask(identifier);
    }
}

void Logger::performThingsMarking(const text::AttributedString& objective) const
{
    bool complete = setting("thingsIntegrationToDoCompletion");
    bool moveToLogBook = setting("thingsIntegrationMoveToLogBook");
    if (!complete && !moveToLogBook)
        return;
    auto identifiers = TaskLinks::identifiersWithPrefix(objective, TaskLinks::kThingsPrefix);
    if (identifiers.empty())
        return;
    auto& bridge = TaskManagerBridge::current();
    using App = TaskManagerBridge::App;
    if (!bridge.isInstalled(App::Things)) {
        zr_log("Things 3 not found!");
        return;
    }
    bridge.activate(App::Things);
    for (const auto& identifier : identifiers) {
        if (!TaskLinks::isSafeIdentifier(identifier)) {
            zr_log("refusing Things to-do identifier: %s", identifier.c_str());
            continue;
        }
        bridge.markThingsToDo(identifier, complete, moveToLogBook);
    }
}

}
