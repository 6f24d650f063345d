#include "log/UnloggedTimeSlices.h"

#include "core/ZrLog.h"
#include "log/BackingStoreManager.h"
#include "log/LogFileManager.h"
#include "log/Logger.h"
#include "log/TimeSliceReaders.h"
#include "platform/base/AlertPresenter.h"
#include "platform/base/Files.h"
#include "platform/base/Json.h"
#include "platform/base/MainQueue.h"
#include "platform/base/Paths.h"
#include "platform/base/Timer.h"
#include "platform/base/Utf8.h"
#include "platform/base/Uuid.h"
#include "platform/text/Rtf.h"

#include <algorithm>
#include <unistd.h>

namespace ostrel {

namespace {

constexpr std::string_view kExtension = ".json";
// A kept slice is an entry of a few kilobytes; past this a file is none of ours.
constexpr std::size_t kFileLimit = 16 << 20;
// Objectives named in the alert, and how much of each.
constexpr std::size_t kNamedInAlert = 5;
constexpr std::size_t kObjectiveCharacters = 60;

std::string shortened(const std::string& objective)
{
    auto characters = base::toUtf16(objective);
    std::replace(characters.begin(), characters.end(), u'\n', u' ');
    if (characters.size() <= kObjectiveCharacters)
        return base::toUtf8(characters);
    std::size_t cut = kObjectiveCharacters - 1;
    // Never between the two halves of one character.
    if (characters[cut - 1] >= 0xd800 && characters[cut - 1] < 0xdc00)
        --cut;
    return base::toUtf8(std::u16string_view(characters).substr(0, cut)) + "\u2026";
}

// What the user is told of a slice, read from its entry: its objective (none when it has
// none) and when it started ("5 Dec 2026, 14:03").
struct Described {
    std::optional<std::string> objective;
    std::string started;
};

Described described(const UnloggedTimeSlices::Slice& slice)
{
    Described told;
    auto records = readFullTimeSlices(slice.entry);
    if (records.empty())
        return told;
    const auto& record = *records.front();
    if (!record.objective().empty())
        told.objective = "\u201c" + shortened(record.objective()) + "\u201d";
    told.started = Logger::localizedStringFromDate(record.startDate(), base::DateFormat::Style::Medium, base::DateFormat::Style::Short);
    return told;
}

std::string listed(const std::vector<std::string>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : "; ";
        text += items[i];
    }
    return text;
}

}

UnloggedTimeSlices& UnloggedTimeSlices::shared()
{
    static UnloggedTimeSlices* slices = new UnloggedTimeSlices;
    return *slices;
}

std::filesystem::path UnloggedTimeSlices::folder() { return base::paths::applicationSupport() / "Unlogged Time Slices"; }

std::filesystem::path UnloggedTimeSlices::fileOf(const std::string& uuid) const
{
    return folder() / (uuid + std::string(kExtension));
}

bool UnloggedTimeSlices::writeFile(const Slice& slice) const
{
    base::Value::Dictionary contents {
        { "uuid", base::Value(slice.uuid) },
        { "date", base::Value(slice.date) },
        { "entry", base::Value(text::Rtf::write(slice.entry)) },
    };
    std::string error;
    if (!base::files::createDirectories(folder(), &error)
        || !base::files::writeAtomically(fileOf(slice.uuid), base::toJson(base::Value(std::move(contents))), &error)) {
        zr_log("could not keep the time slice %s: %s", slice.uuid.c_str(), error.c_str());
        return false;
    }
    return true;
}

void UnloggedTimeSlices::dropHeld(const std::string& uuid)
{
    std::erase_if(m_heldInMemory, [&](const Slice& held) { return held.uuid == uuid; });
}

bool UnloggedTimeSlices::keep(const Slice& slice)
{
    dropHeld(slice.uuid);
    bool onDisk = base::isUuid(slice.uuid) && writeFile(slice);
    if (!onDisk)
        m_heldInMemory.push_back(slice);
    reviewRetries();
    return onDisk;
}

void UnloggedTimeSlices::forget(const std::string& uuid)
{
    remove(uuid);
    reviewRetries();
}

void UnloggedTimeSlices::remove(const std::string& uuid)
{
    dropHeld(uuid);
    std::string error;
    // A file left behind is harmless: the day file holds the identifier, so it is only
    // forgotten again, never written twice.
    if (base::isUuid(uuid) && base::files::exists(fileOf(uuid)) && !base::files::remove(fileOf(uuid), &error))
        zr_log("could not remove the kept time slice %s: %s", uuid.c_str(), error.c_str());
    // Nothing of it stays in the data folder once nothing waits.
    ::rmdir(folder().c_str());
}

std::vector<UnloggedTimeSlices::Slice> UnloggedTimeSlices::keptOnDisk() const
{
    std::vector<Slice> slices;
    auto names = base::files::list(folder());
    if (!names)
        return slices;
    for (const auto& name : *names) {
        // Temporaries of a write under way or cut short are hidden, and not yet kept.
        if (name.starts_with('.') || !name.ends_with(kExtension))
            continue;
        std::string error;
        std::optional<Slice> slice;
        if (auto bytes = base::files::readBytes(folder() / name, kFileLimit, &error, base::files::Links::Refuse)) {
            auto contents = base::parseJson(*bytes, &error);
            auto field = [&](const char* key) { return contents ? contents->find(key) : nullptr; };
            auto* uuid = field("uuid") ? field("uuid")->asString() : nullptr;
            auto date = field("date") ? field("date")->toDouble() : std::nullopt;
            auto* entry = field("entry") ? field("entry")->asString() : nullptr;
            auto document = entry ? text::Rtf::read(*entry) : std::nullopt;
            // Only under its own identifier's name: a copy renamed by hand must not go in twice.
            if (uuid && base::isUuid(*uuid) && name == *uuid + std::string(kExtension) && date && document)
                slice = Slice { *uuid, *date, std::move(document->text) };
            else if (error.empty())
                error = "it holds no kept time slice";
        }
        if (slice)
            slices.push_back(std::move(*slice));
        else if (std::find(m_unreadableTold.begin(), m_unreadableTold.end(), name) == m_unreadableTold.end()) {
            m_unreadableTold.push_back(name);
            zr_log("the kept time slice %s cannot be read and stays where it is: %s", (folder() / name).c_str(), error.c_str());
        }
    }
    return slices;
}

std::vector<UnloggedTimeSlices::Slice> UnloggedTimeSlices::kept() const
{
    auto slices = keptOnDisk();
    for (const auto& held : m_heldInMemory) {
        if (std::none_of(slices.begin(), slices.end(), [&](const Slice& slice) { return slice.uuid == held.uuid; }))
            slices.push_back(held);
    }
    std::stable_sort(slices.begin(), slices.end(), [](const Slice& a, const Slice& b) { return a.date < b.date; });
    return slices;
}

void UnloggedTimeSlices::setHeldBack(std::optional<std::string> uuid)
{
    m_heldBack = std::move(uuid);
    reviewRetries();
}

std::size_t UnloggedTimeSlices::writeToLog()
{
    std::vector<Slice> written;
    auto descriptor = Logger::sharedLogger().systemLogBackingStoreDesc();
    for (const auto& slice : kept()) {
        if (slice.uuid == m_heldBack)
            continue;
        BackingStoreManager::Appending how;
        how.day = slice.date;
        how.onceFor = slice.uuid;
        how.tellUser = false;
        auto appended = BackingStoreManager::sharedManager().append(slice.entry, *descriptor, how);
        if (appended == BackingStoreManager::Appended::Failed)
            continue;
        zr_log("the kept time slice %s is in the log now", slice.uuid.c_str());
        remove(slice.uuid);
        written.push_back(slice);
    }
    if (!written.empty()) {
        tellWritten(written);
        // The folder's watch may have gone with the folder: the log is read again all the same.
        LogFileManager::sharedInstance().update();
    }
    reviewRetries();
    return written.size();
}

void UnloggedTimeSlices::keepOnDisk()
{
    auto held = m_heldInMemory;
    for (const auto& slice : held) {
        if (base::isUuid(slice.uuid) && writeFile(slice))
            dropHeld(slice.uuid);
    }
}

void UnloggedTimeSlices::tellWritten(const std::vector<Slice>& written) const
{
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Informational;
    if (written.size() == 1) {
        auto slice = described(written.front());
        alert.message = "A time slice kept aside is in the log now";
        std::string which = slice.objective ? *slice.objective + ", started " + slice.started + "," : "started " + slice.started;
        alert.informativeText = "The time slice " + which
            + " could not be added to the log file folder when it was rated. Ostrel kept it, and has now added it to "
              "the log.";
    } else {
        std::vector<std::string> named;
        for (std::size_t i = 0; i < written.size() && i < kNamedInAlert; ++i) {
            auto slice = described(written[i]);
            named.push_back(slice.objective.value_or("one without an objective") + " (started " + slice.started + ")");
        }
        if (written.size() > kNamedInAlert)
            named.push_back(std::to_string(written.size() - kNamedInAlert) + " more");
        alert.message = std::to_string(written.size()) + " time slices kept aside are in the log now";
        alert.informativeText = "These time slices could not be added to the log file folder when they were rated: "
            + listed(named) + ". Ostrel kept them, and has now added them to the log.";
    }
    // Told from the loop, after the work that wrote them (a start, a Log) is done.
    base::MainQueue::async([alert] { base::AlertPresenter::present(alert); });
}

void UnloggedTimeSlices::reviewRetries()
{
    bool waiting = !m_heldInMemory.empty();
    if (!waiting) {
        auto onDisk = keptOnDisk();
        waiting = std::any_of(onDisk.begin(), onDisk.end(), [&](const Slice& slice) { return slice.uuid != m_heldBack; });
    }
    if (!waiting) {
        if (m_retries)
            m_retries->invalidate();
        m_retries.reset();
        return;
    }
    if (m_retries && m_retries->isValid())
        return;
    // The default mode only: a retry that wrote something tells the user, which must not
    // come over a menu being tracked or an alert already up.
    m_retries = base::Timer::create(kRetryInterval, true, base::RunLoop::Mode::Default, [this](base::Timer&) {
        keepOnDisk();
        writeToLog();
    });
}

}
