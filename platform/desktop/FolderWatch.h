#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace desktop {

// The flag bits of one change, with the values of the file-system event stream that the
// log folder watcher was written against, so that its masks and names apply unchanged.
namespace FolderEventFlag {
// Changes were lost (the kernel's queue overflowed): everything must be read again.
constexpr std::uint32_t MustScanSubDirs = 0x1;
constexpr std::uint32_t RootChanged = 0x20;
constexpr std::uint32_t ItemCreated = 0x100;
constexpr std::uint32_t ItemRemoved = 0x200;
constexpr std::uint32_t ItemInodeMetaMod = 0x400;
constexpr std::uint32_t ItemRenamed = 0x800;
constexpr std::uint32_t ItemModified = 0x1000;
constexpr std::uint32_t ItemFinderInfoMod = 0x2000;
constexpr std::uint32_t ItemChangeOwner = 0x4000;
constexpr std::uint32_t ItemXattrMod = 0x8000;
constexpr std::uint32_t ItemIsFile = 0x10000;
constexpr std::uint32_t ItemIsDir = 0x20000;
constexpr std::uint32_t ItemIsSymlink = 0x40000;
constexpr std::uint32_t ItemIsHardlink = 0x100000;
constexpr std::uint32_t ItemIsLastHardlink = 0x200000;
}

// One change: a number that grows through the run, the item's full path and its flags.
struct FolderEvent {
    std::uint64_t id { 0 };
    std::string path;
    std::uint32_t flags { 0 };
    bool operator==(const FolderEvent&) const = default;
};

// Watches a folder and everything in it (log files are packages: folders with files inside)
// and reports changes as they happen, in batches, from the main run loop in the default mode:
// a change during a menu or an alert arrives when the loop is back in the default mode.
class FolderWatch {
public:
    using Callback = std::function<void(const std::vector<FolderEvent>& batch)>;

    // Over inotify.
    static std::unique_ptr<FolderWatch> create();

    virtual ~FolderWatch() = default;

    // False, with a logged reason, when already started or when the folder cannot be
    // watched. The callback may stop or restart the watch.
    virtual bool start(const std::filesystem::path& folder, Callback callback) = 0;
    virtual void stop() = 0;
    virtual bool isStarted() const = 0;
    // The folders below the watched one are watched from a thread of their own, which for
    // thousands of them takes a moment; changes in them since start() arrive all the same.
    // Waits until every one is watched.
    virtual void waitUntilArmed() { }
};

// For tests of the code that owns a watch: the test hands it the batches.
class ManualFolderWatch final : public FolderWatch {
public:
    bool start(const std::filesystem::path& folder, Callback callback) override;
    void stop() override;
    bool isStarted() const override { return m_started; }

    const std::filesystem::path& folder() const { return m_folder; }
    int startCount() const { return m_startCount; }
    // Calls the callback when started; false otherwise.
    bool deliver(const std::vector<FolderEvent>& batch);

private:
    bool m_started { false };
    std::filesystem::path m_folder;
    Callback m_callback;
    int m_startCount { 0 };
};

}
