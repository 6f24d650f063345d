#include "log/LogFile.h"

#include "log/FullDataSet.h"
#include "log/BackingStoreManager.h"
#include "core/ZrLog.h"
#include "log/LogEntry.h"
#include "log/LogFileManager.h"
#include "log/LogFormat.h"
#include "log/UpgradeManager.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Files.h"
#include "platform/base/Time.h"
#include "platform/text/Rtfd.h"

#include <algorithm>
#include <cmath>
#include <sys/stat.h>
#include <filesystem>

namespace ostrel {

namespace {

// When the file, or the text inside its package, was last modified, and when its status last
// changed. The status-change time cannot be set from outside: a sync client gives a file
// arriving from another computer that computer's older modification date, but the arrival
// itself shows in the status-change time.
struct FileTimes {
    double modified;
    double changed;
};

std::optional<FileTimes> fileTimes(const std::string& path)
{
    auto seconds = [](const struct timespec& time) { return base::Time::fromUnix(double(time.tv_sec) + time.tv_nsec / 1e9); };
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    FileTimes times { seconds(info.st_mtim), seconds(info.st_ctim) };
    if (S_ISDIR(info.st_mode)) {
        std::string text = (std::filesystem::path(path) / text::Rtfd::textFileName).string();
        if (::stat(text.c_str(), &info) == 0) {
            times.modified = std::max(times.modified, seconds(info.st_mtim));
            times.changed = std::max(times.changed, seconds(info.st_ctim));
        }
    }
    return times;
}

void reportUnchanged(const std::string& fileName, const std::string& why)
{
    base::AlertRequest alert;
    alert.message = "The log entry could not be changed.";
    alert.informativeText = "The log file \"" + fileName + "\" " + why;
    base::AlertPresenter::present(alert);
}
}

LogFile::LogFile(std::string fullPath)
    : m_fullPath(std::move(fullPath))
    , m_lastRead(base::Time::distantPast())
{
}

RawDataSet::Records LogFile::read(RawDataSet& dataSet, bool* parsed)
{
    bool wasRead = refresh(dataSet);
    if (parsed)
        *parsed = wasRead;
    return timeSlicesInFile();
}

bool LogFile::refresh(RawDataSet& dataSet)
{
    bool full = dataSet.readsFullRecords();
    // The read counts from its start: whatever changes the file while it is being read is
    // newer than the read and is read again next time.
    double started = base::Time::now();
    {
        std::lock_guard lock(m_mutex);
        auto times = fileTimes(m_fullPath);
        m_seenTimes.reset();
        if (times)
            m_seenTimes = std::make_pair(times->modified, times->changed);
        if (!mayBeReadAgainLocked(started, full))
            return false;
    }

    std::string name = std::filesystem::path(m_fullPath).filename().string();
    std::optional<RawDataSet::Records> records;
    // A day file of the older naming, without a computer's identifier, is read once the
    // renamer has given it this computer's (before every read), under that name alone;
    // where it could not, under the name it has.
    if (LogFormat::isCurrentLogFileName(name) || UpgradeManager::sharedInstance().readsUnderPresentName(m_fullPath))
        records = dataSet.loadRTFDFile(m_fullPath);
    else if (LogFormat::isPlainTextLogFileName(name))
        records = dataSet.loadPlainTextFile(m_fullPath);

    std::lock_guard lock(m_mutex);
    m_lastRead = started;
    if (!records)
        return false;
    m_timeSlicesInFile = std::make_shared<const RawDataSet::Records>(std::move(*records));
    m_lastReadWasFull = full;
    ++m_generation;
    return true;
}

bool LogFile::mayBeReadAgain(double now, bool full) const
{
    std::lock_guard lock(m_mutex);
    return mayBeReadAgainLocked(now, full);
}

bool LogFile::mayBeReadAgainLocked(double now, bool full) const
{
    if (!m_seenTimes)
        return true;
    auto [modified, changed] = *m_seenTimes;
    return !(modified < m_lastRead && std::fabs(now - modified) > 86400 && changed < m_lastRead && m_lastReadWasFull == full);
}

std::uint64_t LogFile::generation() const
{
    std::lock_guard lock(m_mutex);
    return m_generation;
}

RawDataSet::Records LogFile::timeSlicesInFile(std::uint64_t* generation) const
{
    std::lock_guard lock(m_mutex);
    if (generation)
        *generation = m_generation;
    // The records of one read share one count of owners: a set of ten years copies tens of
    // thousands of pointers at each reload, and each copy then touches the count its
    // neighbours touched rather than one beside every record, spread over the memory.
    RawDataSet::Records records;
    records.reserve(m_timeSlicesInFile->size());
    for (const auto& record : *m_timeSlicesInFile)
        records.emplace_back(m_timeSlicesInFile, record.get());
    return records;
}

double LogFile::lastRead() const
{
    std::lock_guard lock(m_mutex);
    return m_lastRead;
}

void LogFile::setLastRead(double lastRead)
{
    std::lock_guard lock(m_mutex);
    m_lastRead = lastRead;
}

bool LogFile::deleteAndSave(const std::string& uuid, std::optional<size_t> position)
{
    return rewrite(uuid, position, nullptr);
}

bool LogFile::addOrReplaceThenSaveAndUpdate(const FullTimeSlice& timeSlice, const std::string& uuid,
    std::optional<size_t> position)
{
    return rewrite(uuid, position, &timeSlice);
}

bool LogFile::rewrite(const std::string& uuid, std::optional<size_t> position, const FullTimeSlice* replacement)
{
    std::string name = std::filesystem::path(m_fullPath).filename().string();
    if (!LogFormat::isCurrentLogFileName(name)) {
        zr_log("LogFile: %s is not a current log file and is not changed", m_fullPath.c_str());
        return false;
    }
    FullDataSet set;
    if (base::files::exists(m_fullPath)) {
        auto document = BackingStoreManager::readWholePackage(m_fullPath);
        if (!document) {
            // Rewriting from an empty list would throw away every entry the file holds.
            zr_log("LogFile: %s could not be read and is not changed", m_fullPath.c_str());
            reportUnchanged(name, "could not be read, so it was left as it is.");
            return false;
        }
        // The entries come from the very text found whole: a second read could meet the file
        // half replaced by a sync.
        set.setTimeSlices(set.createTimeSlicesFromData(document->text));
    }
    auto records = set.fullTimeSlices();

    std::optional<size_t> target;
    if (position) {
        // The entry the log book showed is gone or has moved: editing it must not bring it
        // back as a new entry, nor change another one.
        if (*position < records.size() && records[*position]->uuid() == uuid)
            target = position;
        else {
            zr_log("LogFile: entry %zu of %s no longer carries %s; nothing changed", *position, m_fullPath.c_str(),
                uuid.c_str());
            return false;
        }
    } else {
        if (uuid == LogFormat::kDummyIdentifier) {
            zr_log("LogFile: an entry without identifier needs its position; nothing changed");
            return false;
        }
        size_t matches = 0;
        for (size_t i = 0; i < records.size(); ++i) {
            if (records[i]->uuid() == uuid) {
                target = i;
                ++matches;
            }
        }
        if (matches > 1) {
            zr_log("LogFile: %zu entries of %s carry %s; nothing changed", matches, m_fullPath.c_str(), uuid.c_str());
            return false;
        }
    }

    if (!replacement) {
        if (!target)
            return false;
        records.erase(records.begin() + std::ptrdiff_t(*target));
    } else if (target) {
        auto& entry = *records[*target];
        entry.setObjectiveText(replacement->objectiveText());
        entry.setFocusRating(replacement->focusRating());
        entry.setTagString(replacement->tagString());
        entry.setCompleted(replacement->completed());
        entry.setDuration(replacement->duration());
        entry.setStartDate(replacement->startDate());
        entry.setActualDuration(replacement->actualDuration());
    } else {
        auto added = std::make_shared<FullTimeSlice>();
        added->setUuid(replacement->uuid());
        added->setObjective(replacement->objective());
        added->setObjectiveText(replacement->objectiveText());
        added->setFocusRating(replacement->focusRating());
        added->setTagString(replacement->tagString());
        added->setCompleted(replacement->completed());
        added->setDuration(replacement->duration());
        added->setStartDate(replacement->startDate());
        added->setActualDuration(replacement->actualDuration());
        added->setEndDate(replacement->endDate());
        added->setSuccess(replacement->success());
        records.push_back(std::move(added));
    }
    set.setTimeSlices(RawDataSet::Records(records.begin(), records.end()));
    set.generateUUIDMap();

    bool written = text::Rtfd::writeFile(m_fullPath, entriesText(set));
    if (!written) {
        zr_log("LogFile: could not write %s", m_fullPath.c_str());
        reportUnchanged(name, "could not be written; it still holds the entries it had.");
    }
    setLastRead(base::Time::distantPast());
    LogFileManager::sharedInstance().update();
    return written;
}

text::AttributedString LogFile::entryText(const FullTimeSlice& timeSlice)
{
    LogEntryValues values;
    values.uuid = timeSlice.uuid();
    values.objective = timeSlice.objectiveText();
    values.completed = timeSlice.completed();
    values.duration = timeSlice.duration();
    values.actualDuration = timeSlice.actualDuration();
    values.tags = timeSlice.tagString();
    values.startDate = timeSlice.startDate();
    values.focusRating = timeSlice.focusRating();
    return makeLogEntry(values, LogEntryKind::Rewritten);
}

text::AttributedString LogFile::entriesText(const FullDataSet& dataSet)
{
    text::AttributedString all;
    for (const auto& record : dataSet.fullTimeSlices())
        all.append(entryText(*record));
    return all;
}

std::string LogFile::rtfdData(const FullTimeSlice& timeSlice) { return text::Rtfd::data(entryText(timeSlice)); }

std::string LogFile::rtfdData(const FullDataSet& dataSet) { return text::Rtfd::data(entriesText(dataSet)); }

}
