#include "platform/base/Defaults.h"

#include "platform/base/DateFormat.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/base/Json.h"
#include "platform/base/MainQueue.h"
#include "platform/base/Paths.h"
#include "platform/base/RunLoop.h"
#include "platform/base/Timer.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace base {

namespace {
// Far beyond any settings the program writes; a file past it is not its settings.
constexpr std::size_t kSettingsFileLimit = 64 << 20;

std::shared_ptr<Defaults>& sharedInstance()
{
    static std::shared_ptr<Defaults> instance;
    return instance;
}

std::filesystem::path damagedCopyName(const std::filesystem::path& file)
{
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::tm parts {};
    localtime_r(&now, &parts);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
    std::filesystem::path candidate = file;
    candidate.replace_filename(file.stem().string() + " (damaged " + stamp + ")" + file.extension().string());
    for (int n = 2; files::exists(candidate); ++n)
        candidate.replace_filename(file.stem().string() + " (damaged " + stamp + " " + std::to_string(n) + ")"
            + file.extension().string());
    return candidate;
}
}

std::shared_ptr<Defaults> Defaults::standard()
{
    auto& instance = sharedInstance();
    if (!instance) {
        instance = create(paths::configuration() / "defaults.json");
        // A slider dragged across its range writes many values a second: one write a
        // second is enough, and the last one is made at exit.
        instance->setWriteScheduler([](std::function<void()> write) { MainQueue::asyncAfter(1.0, std::move(write)); });
        instance->watchForOutsideChanges();
    }
    return instance;
}

void Defaults::setStandard(std::shared_ptr<Defaults> defaults)
{
    sharedInstance() = std::move(defaults);
}

std::shared_ptr<Defaults> Defaults::create(const std::filesystem::path& file)
{
    return std::shared_ptr<Defaults>(new Defaults(file));
}

Defaults::Defaults(std::filesystem::path file)
    : m_file(std::move(file))
{
    // A write cut short (the program killed between writing its temporary and renaming it)
    // leaves the temporary behind. The file has one writer, this store, so at its start
    // every such temporary is stale.
    std::string error;
    if (!m_file.empty() && !files::recoverInterruptedReplacement(m_file, &error))
        diagnostic("Settings folder: " + error);
    load();
}

Defaults::~Defaults()
{
    *m_alive = false;
    m_problemHandler = nullptr; // whoever would tell the user may be gone already
    if (m_watchFd >= 0) {
        RunLoop::main().removeSource(m_watchSource);
        ::close(m_watchFd);
    }
    // Ending, there is no waiting for another program's version to settle: it is judged now.
    if (!m_file.empty())
        reloadIfChangedOnDisk();
    if (m_settleTimer) {
        m_settleTimer->invalidate();
        damageSettled();
    }
    if (m_dirty)
        writeNow();
}

Defaults::FileSignature Defaults::currentSignature() const
{
    return m_file.empty() ? FileSignature {} : signatureOf(m_file);
}

Defaults::FileSignature Defaults::signatureOf(const std::filesystem::path& file)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return {};
    return { std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec, std::int64_t(info.st_size),
        std::uint64_t(info.st_ino) };
}

Defaults::FileContents Defaults::readFile() const
{
    FileContents contents;
    if (m_file.empty() || !files::exists(m_file))
        return contents;
    contents.exists = true;
    auto bytes = files::readBytes(m_file, kSettingsFileLimit, &contents.error);
    contents.readable = bytes.has_value();
    std::optional<Value> document;
    if (bytes)
        document = parseJson(*bytes, &contents.error);
    if (document && document->asDictionary())
        contents.stored = *document->asDictionary();
    else if (contents.error.empty())
        contents.error = "not a dictionary";
    return contents;
}

void Defaults::load()
{
    m_stored.clear();
    m_knownSignature = currentSignature();
    auto contents = readFile();
    if (contents.stored) {
        m_stored = std::move(*contents.stored);
        return;
    }
    if (!contents.exists)
        return;
    // Never overwrite what we could not read or use: the user may want it back. That holds
    // for something that is no file at all (a FIFO, a link to a device) too, which would
    // otherwise stop or swamp every later start.
    std::string what = contents.readable ? "is damaged" : "could not be read";
    auto aside = damagedCopyName(m_file);
    std::string moveError;
    bool moved = files::move(m_file, aside, &moveError);
    m_loadProblem = LoadProblem { !contents.readable, moved ? std::optional(aside) : std::nullopt };
    if (moved)
        diagnostic("Settings file " + m_file.string() + " " + what + " (" + contents.error + "); kept it as "
            + aside.string() + " and started from the default settings.");
    else
        diagnostic("Settings file " + m_file.string() + " " + what + " and could not be moved aside (" + moveError
            + "); starting from the default settings.");
    m_knownSignature = currentSignature();
}

void Defaults::registerDefaults(const Value::Dictionary& defaults)
{
    std::vector<std::string> changed;
    for (const auto& [key, value] : defaults) {
        auto old = m_registered.find(key);
        bool differs = old == m_registered.end() || !(old->second == value);
        m_registered[key] = value;
        if (differs && !m_stored.count(key))
            changed.push_back(key);
    }
    for (const auto& key : changed)
        notify(key);
}

void Defaults::registerRanges(const std::map<std::string, Range>& ranges)
{
    for (const auto& [key, range] : ranges)
        m_ranges[key] = range;
}

bool Defaults::isRegistered(const std::string& key) const
{
    return m_registered.count(key) > 0;
}

std::optional<Value> Defaults::registeredObject(const std::string& key) const
{
    auto it = m_registered.find(key);
    if (it == m_registered.end())
        return std::nullopt;
    return it->second;
}

std::optional<Value> Defaults::storedObject(const std::string& key) const
{
    auto it = m_stored.find(key);
    if (it == m_stored.end())
        return std::nullopt;
    return it->second;
}

bool Defaults::hasStoredValue(const std::string& key) const
{
    return m_stored.count(key) > 0;
}

bool Defaults::usable(const std::string& key, const Value& stored) const
{
    auto registered = m_registered.find(key);
    if (registered == m_registered.end())
        return true;
    // The kind the program registered is the kind it reads: a number where a text belongs,
    // or a fraction where whole seconds are counted, is no value of this setting.
    std::optional<double> number;
    switch (registered->second.type()) {
    case Value::Type::Null:
        return true;
    case Value::Type::Boolean:
        if (stored.asBoolean())
            return true;
        return stored.asInteger() && (*stored.asInteger() == 0 || *stored.asInteger() == 1);
    case Value::Type::Integer:
        if (stored.asInteger())
            number = double(*stored.asInteger());
        else if (auto* real = stored.asReal(); real && std::isfinite(*real) && std::trunc(*real) == *real)
            number = *real; // beyond the integers it reads as the nearest one, as counters must
        break;
    case Value::Type::Real:
        if (stored.asInteger())
            number = double(*stored.asInteger());
        else if (auto* real = stored.asReal(); real && std::isfinite(*real))
            number = *real;
        break;
    default:
        return stored.type() == registered->second.type();
    }
    if (!number)
        return false;
    auto range = m_ranges.find(key);
    return range == m_ranges.end() || (*number >= range->second.least && *number <= range->second.most);
}

std::optional<Value> Defaults::object(const std::string& key) const
{
    if (auto stored = m_stored.find(key); stored != m_stored.end()) {
        if (usable(key, stored->second)) {
            m_refused.erase(key);
            return stored->second;
        }
        auto logged = m_refused.find(key);
        if (logged == m_refused.end() || !(logged->second == stored->second)) {
            m_refused[key] = stored->second;
            std::string given = toJson(stored->second);
            if (given.size() > 80)
                given = given.substr(0, 80) + "\u2026";
            diagnostic("Setting \"" + key + "\": " + given + " is not a usable value; the default "
                + toJson(m_registered.at(key)) + " serves.");
        }
    }
    if (auto registered = m_registered.find(key); registered != m_registered.end())
        return registered->second;
    return std::nullopt;
}

bool Defaults::boolean(const std::string& key) const
{
    auto value = object(key);
    return value ? value->toBoolean().value_or(false) : false;
}

std::int64_t Defaults::integer(const std::string& key) const
{
    auto value = object(key);
    return value ? value->toInteger().value_or(0) : 0;
}

double Defaults::real(const std::string& key) const
{
    auto value = object(key);
    return value ? value->toDouble().value_or(0.0) : 0.0;
}

std::optional<std::string> Defaults::string(const std::string& key) const
{
    auto value = object(key);
    if (!value)
        return std::nullopt;
    if (auto text = value->asString())
        return *text;
    // Numbers read as text, as the desktop's settings do.
    if (auto integer = value->asInteger())
        return std::to_string(*integer);
    if (auto real = value->asReal())
        return toJson(*real);
    return std::nullopt;
}

std::optional<Value::Data> Defaults::data(const std::string& key) const
{
    auto value = object(key);
    if (value && value->asData())
        return *value->asData();
    return std::nullopt;
}

std::optional<Value::Array> Defaults::array(const std::string& key) const
{
    auto value = object(key);
    if (value && value->asArray())
        return *value->asArray();
    return std::nullopt;
}

std::optional<Value::Dictionary> Defaults::dictionary(const std::string& key) const
{
    auto value = object(key);
    if (value && value->asDictionary())
        return *value->asDictionary();
    return std::nullopt;
}

void Defaults::set(const std::string& key, Value value)
{
    if (value.isNull()) {
        remove(key);
        return;
    }
    m_stored[key] = std::move(value);
    m_unsavedKeys.insert(key);
    scheduleWrite();
    notify(key);
}

void Defaults::remove(const std::string& key)
{
    m_stored.erase(key);
    m_unsavedKeys.insert(key);
    scheduleWrite();
    notify(key);
}

void Defaults::scheduleWrite()
{
    m_dirty = true;
    if (!m_writeScheduler) {
        writeNow();
        return;
    }
    if (m_writePending)
        return;
    m_writePending = true;
    std::weak_ptr<bool> alive = m_alive;
    m_writeScheduler([this, alive] {
        if (alive.expired())
            return;
        m_writePending = false;
        if (m_dirty)
            writeNow();
    });
}

bool Defaults::writeNow()
{
    if (m_file.empty()) {
        m_dirty = false;
        m_unsavedKeys.clear();
        return true;
    }
    // Never over another program's change unseen: it is read first, and a damaged version
    // waits to settle, what it becomes deciding.
    if (currentSignature() != m_knownSignature)
        reloadIfChangedOnDisk();
    if (m_settleTimer)
        return true;
    std::string error;
    bool changedMeanwhile = false;
    auto stillAsSeen = [&](const std::optional<std::filesystem::path>& found) {
        changedMeanwhile = (found ? signatureOf(*found) : FileSignature {}) != m_knownSignature;
        return !changedMeanwhile;
    };
    std::string bytes = toJson(Value(m_stored), true) + "\n";
    if (!files::createDirectories(m_file.parent_path(), &error)
        || !files::writeAtomically(m_file, bytes, &error, stillAsSeen)) {
        if (changedMeanwhile) {
            // Another program wrote between our look and our write: its version is read
            // first, and ours goes out after, over it.
            reloadIfChangedOnDisk();
            if (m_settleTimer || m_retryingWrite)
                return true; // still ours to write, at the next change or at the end
            m_retryingWrite = true;
            bool written = writeNow();
            m_retryingWrite = false;
            return written;
        }
        m_cannotSave.note("Settings could not be saved: " + error);
        if (!m_toldCannotSave) {
            m_toldCannotSave = true;
            report({ RunningProblem::Kind::cannotSave, std::nullopt, error });
        }
        return false;
    }
    m_dirty = false;
    m_unsavedKeys.clear();
    m_knownSignature = signatureIfHolding(bytes);
    return true;
}

Defaults::FileSignature Defaults::signatureIfHolding(const std::string& bytes) const
{
    // Another program's edit made just after our write (the folder's sync takes a while) is
    // not taken for ours: a signature nothing has leaves it to be read at the next look.
    FileSignature before = currentSignature();
    auto now = files::readBytes(m_file, kSettingsFileLimit);
    if (!now || *now != bytes || currentSignature() != before)
        return {};
    return before;
}

bool Defaults::synchronize()
{
    reloadIfChangedOnDisk();
    return m_dirty ? writeNow() : true;
}

void Defaults::reloadIfChangedOnDisk()
{
    if (m_file.empty() || currentSignature() == m_knownSignature)
        return;
    m_knownSignature = currentSignature();
    auto contents = readFile();
    if (contents.exists && !contents.stored) {
        // Maybe a writer still at work (an editor, a slow copy): looked at again once it
        // has held still, and only then taken for damaged.
        waitForDamageToSettle();
        return;
    }
    if (m_settleTimer) {
        m_settleTimer->invalidate();
        m_settleTimer.reset();
    }
    if (!contents.exists) {
        // Gone (removed, or moved away by a tool): the settings in use are written back.
        if (!m_stored.empty())
            scheduleWrite();
        return;
    }
    adopt(std::move(*contents.stored));
}

void Defaults::adopt(Value::Dictionary stored)
{
    Value::Dictionary before = std::move(m_stored);
    m_stored = std::move(stored);
    // Our own unsaved changes are newer than anything in the file.
    for (const auto& key : m_unsavedKeys) {
        if (auto ours = before.find(key); ours != before.end())
            m_stored[key] = ours->second;
        else
            m_stored.erase(key);
    }
    std::set<std::string> keys;
    for (const auto& [key, value] : before)
        keys.insert(key);
    for (const auto& [key, value] : m_stored)
        keys.insert(key);
    for (const auto& key : keys) {
        auto was = before.find(key);
        auto now = m_stored.find(key);
        bool same = (was == before.end()) == (now == m_stored.end())
            && (was == before.end() || was->second == now->second);
        if (!same)
            notify(key);
    }
}

void Defaults::waitForDamageToSettle()
{
    if (m_settleTimer)
        m_settleTimer->invalidate();
    std::weak_ptr<bool> alive = m_alive;
    m_settleTimer = Timer::create(kSettleSeconds, false, RunLoop::Mode::Common, [this, alive](Timer&) {
        if (!alive.expired())
            damageSettled();
    });
}

void Defaults::damageSettled()
{
    m_settleTimer.reset();
    m_knownSignature = currentSignature();
    auto contents = readFile();
    if (contents.stored || !contents.exists) {
        if (contents.stored)
            adopt(std::move(*contents.stored));
        else
            m_dirty = !m_stored.empty();
        if (m_dirty)
            writeNow();
        return;
    }
    // Still damaged: the settings we hold are the user's; theirs is kept for them to look at.
    auto aside = damagedCopyName(m_file);
    std::string moveError;
    if (!files::move(m_file, aside, &moveError)) {
        diagnostic("Settings file " + m_file.string() + " was left damaged by another program (" + contents.error
            + ") and could not be moved aside (" + moveError + "); the settings in use are kept in memory.");
        report({ RunningProblem::Kind::damagedByAnotherProgram, std::nullopt, contents.error });
        return;
    }
    diagnostic("Settings file " + m_file.string() + " was left damaged by another program (" + contents.error
        + "); kept it as " + aside.string() + " and wrote back the settings in use.");
    m_dirty = true;
    writeNow();
    report({ RunningProblem::Kind::damagedByAnotherProgram, aside, contents.error });
}

void Defaults::setProblemHandler(std::function<void(const RunningProblem&)> handler)
{
    m_problemHandler = std::move(handler);
    auto waiting = std::move(m_unreported);
    m_unreported.clear();
    for (auto& problem : waiting)
        report(std::move(problem));
}

void Defaults::report(RunningProblem problem)
{
    if (m_problemHandler)
        m_problemHandler(problem);
    else
        m_unreported.push_back(std::move(problem));
}

void Defaults::watchForOutsideChanges()
{
    if (m_file.empty() || m_watchFd >= 0)
        return;
    std::string error;
    if (!files::createDirectories(m_file.parent_path(), &error)) {
        diagnostic("Settings folder cannot be watched: " + error);
        return;
    }
    m_watchFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_watchFd < 0 || ::inotify_add_watch(m_watchFd, m_file.parent_path().c_str(),
                             IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM) < 0) {
        diagnostic("Settings folder cannot be watched; changes made by other programs are read at the next start.");
        if (m_watchFd >= 0)
            ::close(m_watchFd);
        m_watchFd = -1;
        return;
    }
    std::weak_ptr<bool> alive = m_alive;
    m_watchSource = RunLoop::main().addSource(m_watchFd, POLLIN, RunLoop::Mode::Default, [this, alive](short) {
        if (alive.expired())
            return;
        alignas(inotify_event) char buffer[4096];
        while (::read(m_watchFd, buffer, sizeof buffer) > 0) { }
        // Our own writes leave the signature we recorded, so only outside changes reload.
        reloadIfChangedOnDisk();
    });
}

Defaults::ObserverId Defaults::addObserver(const std::string& key, Observer observer)
{
    ObserverId id = m_nextObserverId++;
    m_observers.push_back({ id, key, std::move(observer) });
    return id;
}

void Defaults::removeObserver(ObserverId id)
{
    std::erase_if(m_observers, [id](const ObserverEntry& entry) { return entry.id == id; });
}

void Defaults::notify(const std::string& key)
{
    // Observers may add or remove observers while being told: work from the ids as they
    // were, and skip any removed meanwhile.
    std::vector<ObserverId> ids;
    for (const auto& entry : m_observers) {
        if (entry.key == key)
            ids.push_back(entry.id);
    }
    for (ObserverId id : ids) {
        auto found = std::find_if(m_observers.begin(), m_observers.end(),
            [id](const ObserverEntry& entry) { return entry.id == id; });
        if (found == m_observers.end())
            continue;
        Observer observer = found->observer;
        observer(key);
    }
}

}
