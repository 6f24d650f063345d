#pragma once

#include "platform/base/RepeatedDiagnostic.h"
#include "platform/base/Value.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace base {

class Timer;

// The settings store: values the user changed, over a registration domain of defaults the
// program registers at start-up. A stored value wins over a registered one when it is of the
// registered value's kind and within the key's range; any other reads as the registered
// default (logged once). A later registration of a key replaces an earlier one. Stored
// values live in a JSON file that is rewritten atomically; a damaged file is moved aside and
// the program starts on the registered defaults, and temporaries of writes cut short are
// removed when a store opens its file. Main thread only.
class Defaults {
public:
    // How long a file changed by another program must stay as it is before a damaged one is
    // taken for damaged, not for a write still under way.
    static constexpr double kSettleSeconds = 2.0;

    using ObserverId = std::uint64_t;
    using Observer = std::function<void(const std::string& key)>;
    // Runs a write later (the run loop coalesces writes this way); none writes at once.
    using WriteScheduler = std::function<void(std::function<void()> write)>;

    // The program's settings in $XDG_CONFIG_HOME/Ostrel/defaults.json, made on first use.
    static std::shared_ptr<Defaults> standard();
    // Replaces the shared instance (tests give each case a store of its own).
    static void setStandard(std::shared_ptr<Defaults> defaults);
    // A store backed by `file`; an empty path keeps everything in memory.
    static std::shared_ptr<Defaults> create(const std::filesystem::path& file);

    ~Defaults();
    Defaults(const Defaults&) = delete;
    Defaults& operator=(const Defaults&) = delete;

    void registerDefaults(const Value::Dictionary& defaults);
    // The values a numeric key may hold, both ends included; one outside reads as the default.
    struct Range {
        double least;
        double most;
        bool operator==(const Range&) const = default;
    };
    void registerRanges(const std::map<std::string, Range>& ranges);
    bool isRegistered(const std::string& key) const;
    bool hasStoredValue(const std::string& key) const;

    // The stored value when it is usable, else the registered one, else none.
    std::optional<Value> object(const std::string& key) const;
    // The stored value as it is, usable or not.
    std::optional<Value> storedObject(const std::string& key) const;
    // The registered value alone, whatever is stored: what a damaged setting falls back on.
    std::optional<Value> registeredObject(const std::string& key) const;
    // Typed reads convert as settings are read (numbers from numeric text and so on); a key
    // without a usable value reads as false, 0 or none.
    bool boolean(const std::string& key) const;
    std::int64_t integer(const std::string& key) const;
    double real(const std::string& key) const;
    std::optional<std::string> string(const std::string& key) const;
    std::optional<Value::Data> data(const std::string& key) const;
    std::optional<Value::Array> array(const std::string& key) const;
    std::optional<Value::Dictionary> dictionary(const std::string& key) const;

    // A null value removes the key.
    void set(const std::string& key, Value value);
    void remove(const std::string& key);

    // Writes what is pending and picks up a change another program made to the file.
    // False when the file could not be written (the values stay in memory).
    bool synchronize();
    // Reads the file again if another program changed it since we last read or wrote it;
    // observers hear every key whose value changed.
    void reloadIfChangedOnDisk();

    // Called synchronously after every write of `key` (and when a registration or an
    // outside change alters its value), in the order observers were added.
    ObserverId addObserver(const std::string& key, Observer observer);
    void removeObserver(ObserverId id);

    void setWriteScheduler(WriteScheduler scheduler) { m_writeScheduler = std::move(scheduler); }
    // Watches the file's folder from the main run loop (default mode) and reloads when
    // another program replaces the file.
    void watchForOutsideChanges();
    const std::filesystem::path& file() const { return m_file; }

    // Why the file was not used when the store was made; none when it read whole or was not
    // there. The store serves the defaults meanwhile; the program tells the user.
    struct LoadProblem {
        bool unreadable { false }; // the file could not be read at all, rather than being damaged
        std::optional<std::filesystem::path> keptAs; // where it was moved aside, when it could be
    };
    const std::optional<LoadProblem>& loadProblem() const { return m_loadProblem; }

    // What went wrong with the file while the program ran, for the user to hear of: another
    // program left it damaged (it was moved aside and the settings in memory written back
    // whole), or it cannot be written (the settings stay in memory for the run; told once).
    struct RunningProblem {
        enum class Kind { damagedByAnotherProgram, cannotSave };
        Kind kind { Kind::cannotSave };
        std::optional<std::filesystem::path> keptAs;
        std::string reason; // the system's own words
    };
    // Problems met before a handler was set are handed to it when it is.
    void setProblemHandler(std::function<void(const RunningProblem&)> handler);

private:
    explicit Defaults(std::filesystem::path file);
    void load();
    struct FileContents {
        std::optional<Value::Dictionary> stored; // none: missing, damaged or unreadable
        bool exists { false };
        bool readable { false };
        std::string error;
    };
    FileContents readFile() const;
    void adopt(Value::Dictionary stored);
    void waitForDamageToSettle();
    void damageSettled();
    void report(RunningProblem problem);
    bool usable(const std::string& key, const Value& stored) const;
    bool writeNow();
    void scheduleWrite();
    void notify(const std::string& key);
    struct FileSignature {
        std::int64_t modified { 0 };
        std::int64_t size { -1 };
        std::uint64_t inode { 0 };
        bool operator==(const FileSignature&) const = default;
    };
    FileSignature currentSignature() const;
    static FileSignature signatureOf(const std::filesystem::path& file);
    // The file's signature if it holds these bytes, else one no file has.
    FileSignature signatureIfHolding(const std::string& bytes) const;

    std::filesystem::path m_file;
    Value::Dictionary m_registered;
    Value::Dictionary m_stored;
    bool m_dirty { false };
    // Keys set or removed since the last write: what a reload keeps of ours.
    std::set<std::string> m_unsavedKeys;
    bool m_writePending { false };
    FileSignature m_knownSignature;
    std::optional<LoadProblem> m_loadProblem;
    std::map<std::string, Range> m_ranges;
    // The last unusable value logged for each key, so that each is logged once.
    mutable std::map<std::string, Value> m_refused;
    // Set while a damaged outside version waits to settle; writes wait with it.
    std::shared_ptr<Timer> m_settleTimer;
    std::function<void(const RunningProblem&)> m_problemHandler;
    std::vector<RunningProblem> m_unreported;
    bool m_toldCannotSave { false };
    // A folder that stays read-only fails every save: said once, then counted.
    RepeatedDiagnostic m_cannotSave;
    bool m_retryingWrite { false };
    WriteScheduler m_writeScheduler;
    struct ObserverEntry {
        ObserverId id;
        std::string key;
        Observer observer;
    };
    std::vector<ObserverEntry> m_observers;
    ObserverId m_nextObserverId { 1 };
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
    int m_watchFd { -1 };
    std::uint64_t m_watchSource { 0 };
};

}
