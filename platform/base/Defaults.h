#pragma once

#include "platform/base/Value.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace base {

// The settings store: values the user changed, over a registration domain of defaults the
// program registers at start-up. A stored value always wins over a registered one; a later
// registration of a key replaces an earlier one. Stored values live in a JSON file that is
// rewritten atomically; a damaged file is moved aside and the program starts on the
// registered defaults, and temporaries of writes cut short are removed when a store opens
// its file. Main thread only.
class Defaults {
public:
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
    bool isRegistered(const std::string& key) const;
    bool hasStoredValue(const std::string& key) const;

    // The stored value, else the registered one, else none.
    std::optional<Value> object(const std::string& key) const;
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

private:
    explicit Defaults(std::filesystem::path file);
    void load();
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

    std::filesystem::path m_file;
    Value::Dictionary m_registered;
    Value::Dictionary m_stored;
    bool m_dirty { false };
    bool m_writePending { false };
    FileSignature m_knownSignature;
    std::optional<LoadProblem> m_loadProblem;
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
