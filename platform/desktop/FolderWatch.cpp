#include "platform/desktop/FolderWatch.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>

namespace desktop {

namespace fs = std::filesystem;

namespace {
constexpr std::uint32_t kWatchedChanges = IN_CREATE | IN_DELETE | IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB
    | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW | IN_EXCL_UNLINK;
// While the folder itself is gone we wait in its parent for it to come back.
constexpr std::uint32_t kReturnOfTheFolder = IN_CREATE | IN_MOVED_TO | IN_ONLYDIR | IN_DONT_FOLLOW;

// Event numbers only grow within a run, across every watch, as the stream's do.
std::uint64_t g_lastEventId = 0;

bool isUnder(const fs::path& path, const fs::path& folder)
{
    auto [end, unused] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
}

class InotifyFolderWatch final : public FolderWatch {
public:
    ~InotifyFolderWatch() override { stop(); }

    bool start(const fs::path& folder, Callback callback) override
    {
        if (m_fd >= 0) {
            base::diagnostic("folder watch: already watching \"" + m_root.string() + "\"");
            return false;
        }
        std::error_code error;
        fs::path root = fs::absolute(folder, error).lexically_normal();
        if (root.has_parent_path() && !root.has_filename())
            root = root.parent_path();
        if (error || !fs::is_directory(root, error)) {
            base::diagnostic("folder watch: \"" + folder.string() + "\" is not a folder");
            return false;
        }
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd < 0) {
            base::diagnostic(std::string("folder watch: inotify is not available: ") + std::strerror(errno));
            return false;
        }
        m_root = root;
        m_rootWatch = addWatch(m_root, kWatchedChanges);
        m_armed = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (m_rootWatch < 0 || m_armed < 0) {
            stop();
            return false;
        }
        m_callback = std::move(callback);
        m_source = base::RunLoop::main().addSource(m_fd, POLLIN, base::RunLoop::Mode::Default,
            [this](short) { readEvents(); });
        m_armedSource = base::RunLoop::main().addSource(m_armed, POLLIN, base::RunLoop::Mode::Default,
            [this](short) { armingDone(); });
        armBelowInTheBackground();
        return true;
    }

    void stop() override
    {
        m_stopArming = true;
        waitUntilArmed();
        m_stopArming = false;
        for (auto* source : { &m_source, &m_armedSource }) {
            if (*source)
                base::RunLoop::main().removeSource(*source);
            *source = 0;
        }
        for (auto* fd : { &m_fd, &m_armed }) {
            if (*fd >= 0)
                close(*fd);
            *fd = -1;
        }
        std::lock_guard lock(m_mutex);
        m_watches.clear();
        m_changedWhileArming.clear();
        m_rootWatch = -1;
        m_parentWatch = -1;
        m_warnedAboutLimit = false;
    }

    bool isStarted() const override { return m_fd >= 0; }

    void waitUntilArmed() override
    {
        if (m_arming.joinable())
            m_arming.join();
    }

private:
    bool armRoot()
    {
        m_rootWatch = addWatch(m_root, kWatchedChanges);
        if (m_rootWatch < 0)
            return false;
        armBelow(m_root);
        return true;
    }

    // Ten years of day files are thousands of folders: watching each one took a tenth of
    // the start on the main thread. Changes count from start() on all the same: a folder
    // whose time says it changed since then, before its own watch was set, is reported as
    // changed once all are armed. The file-system clock is the coarse one, hence ours.
    void armBelowInTheBackground()
    {
        timespec since {};
        clock_gettime(CLOCK_REALTIME_COARSE, &since);
        base::RunLoop::main().beginBackgroundWork();
        m_arming = std::thread([this, root = m_root, since] {
            armBelow(root, [&](const fs::path& folder) {
                struct stat status {};
                if (lstat(folder.c_str(), &status) != 0 || !changedSince(status.st_mtim, since))
                    return;
                std::lock_guard lock(m_mutex);
                m_changedWhileArming.push_back(folder);
            });
            std::uint64_t one = 1;
            if (write(m_armed, &one, sizeof one) < 0)
                base::diagnostic(std::string("folder watch: cannot say the folders are watched: ") + std::strerror(errno));
            base::RunLoop::main().endBackgroundWork();
        });
    }

    static bool changedSince(const timespec& time, const timespec& since)
    {
        return time.tv_sec > since.tv_sec || (time.tv_sec == since.tv_sec && time.tv_nsec >= since.tv_nsec);
    }

    void armingDone()
    {
        std::uint64_t count = 0;
        if (read(m_armed, &count, sizeof count) < 0)
            return;
        waitUntilArmed();
        std::vector<fs::path> changed;
        {
            std::lock_guard lock(m_mutex);
            changed.swap(m_changedWhileArming);
        }
        std::vector<FolderEvent> batch;
        for (const auto& folder : changed)
            add(batch, folder, FolderEventFlag::ItemModified | FolderEventFlag::ItemIsDir);
        if (batch.empty())
            return;
        auto callback = m_callback;
        callback(batch);
    }

    // Watches every folder below `folder`, without following links out of the tree; each one
    // armed is handed to `armed`.
    void armBelow(const fs::path& folder, const std::function<void(const fs::path&)>& armed = {})
    {
        std::error_code error;
        for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
             !error && it != end && !m_stopArming; it.increment(error)) {
            if (it->is_directory(error) && !it->is_symlink(error) && addWatch(it->path(), kWatchedChanges) >= 0 && armed)
                armed(it->path());
        }
    }

    int addWatch(const fs::path& folder, std::uint32_t mask)
    {
        int watch = inotify_add_watch(m_fd, folder.c_str(), mask);
        std::lock_guard lock(m_mutex);
        if (watch < 0) {
            if (errno == ENOSPC && !m_warnedAboutLimit) {
                m_warnedAboutLimit = true;
                base::diagnostic("folder watch: the system's limit of inotify watches is reached; changes in \""
                    + folder.string() + "\" and further folders go unnoticed");
            } else if (errno != ENOENT && errno != ENOSPC) {
                base::diagnostic("folder watch: cannot watch \"" + folder.string() + "\": " + std::strerror(errno));
            }
            return -1;
        }
        m_watches[watch] = folder;
        return watch;
    }

    std::optional<fs::path> watched(int watch)
    {
        std::lock_guard lock(m_mutex);
        auto found = m_watches.find(watch);
        if (found == m_watches.end())
            return std::nullopt;
        return found->second;
    }

    void disarm(const fs::path& folder)
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_watches.begin(); it != m_watches.end();) {
            if (it->first != m_parentWatch && isUnder(it->second, folder)) {
                inotify_rm_watch(m_fd, it->first);
                it = m_watches.erase(it);
            } else {
                ++it;
            }
        }
    }

    void readEvents()
    {
        std::vector<FolderEvent> batch;
        alignas(inotify_event) char buffer[64 * 1024];
        for (;;) {
            ssize_t length = read(m_fd, buffer, sizeof buffer);
            if (length <= 0) {
                if (length < 0 && errno == EINTR)
                    continue;
                break;
            }
            for (ssize_t offset = 0; offset < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
                offset += ssize_t(sizeof(inotify_event) + event->len);
                translate(*event, batch);
            }
        }
        if (batch.empty())
            return;
        // Copied: the callback may stop this watch, which drops the stored one.
        auto callback = m_callback;
        callback(batch);
    }

    void translate(const inotify_event& event, std::vector<FolderEvent>& batch)
    {
        if (event.mask & IN_Q_OVERFLOW) {
            // Folders made while events were lost would otherwise stay unwatched.
            waitUntilArmed();
            if (m_rootWatch >= 0)
                armBelow(m_root);
            add(batch, m_root, FolderEventFlag::MustScanSubDirs | FolderEventFlag::ItemIsDir);
            return;
        }
        auto found = watched(event.wd);
        if (!found)
            return;
        if (event.mask & IN_IGNORED) {
            std::lock_guard lock(m_mutex);
            m_watches.erase(event.wd);
            return;
        }
        fs::path folder = *found;
        fs::path path = event.len > 0 ? folder / event.name : folder;
        bool isDir = event.mask & IN_ISDIR;

        if (event.wd == m_parentWatch) {
            if (path == m_root && isDir)
                rootCameBack(batch);
            return;
        }
        if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
            // Folders below are reported by their parent; only the root's own loss matters.
            if (event.wd == m_rootWatch)
                rootWentAway(batch, event.mask & IN_MOVE_SELF);
            return;
        }

        std::uint32_t flags = 0;
        if (event.mask & IN_CREATE)
            flags |= FolderEventFlag::ItemCreated;
        if (event.mask & IN_DELETE)
            flags |= FolderEventFlag::ItemRemoved;
        if (event.mask & (IN_MOVED_FROM | IN_MOVED_TO))
            flags |= FolderEventFlag::ItemRenamed;
        if (event.mask & (IN_MODIFY | IN_CLOSE_WRITE))
            flags |= FolderEventFlag::ItemModified;
        if (event.mask & IN_ATTRIB)
            flags |= FolderEventFlag::ItemInodeMetaMod;
        if (flags == 0)
            return;

        if (isDir && (event.mask & (IN_CREATE | IN_MOVED_TO))) {
            addWatch(path, kWatchedChanges);
            armBelow(path);
        }
        if (isDir && (event.mask & IN_MOVED_FROM))
            disarm(path);

        struct stat status {};
        if (isDir)
            flags |= FolderEventFlag::ItemIsDir;
        else if ((event.mask & (IN_CREATE | IN_MOVED_TO)) && lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode))
            flags |= FolderEventFlag::ItemIsSymlink;
        else
            flags |= FolderEventFlag::ItemIsFile;
        add(batch, path, flags);
    }

    void rootWentAway(std::vector<FolderEvent>& batch, bool moved)
    {
        // Not a folder more is armed under a root that is gone.
        m_stopArming = true;
        waitUntilArmed();
        m_stopArming = false;
        add(batch, m_root,
            FolderEventFlag::RootChanged | FolderEventFlag::ItemIsDir
                | (moved ? FolderEventFlag::ItemRenamed : FolderEventFlag::ItemRemoved));
        disarm(m_root);
        m_rootWatch = -1;
        m_parentWatch = addWatch(m_root.parent_path(), kReturnOfTheFolder);
        if (m_parentWatch < 0)
            base::diagnostic("folder watch: \"" + m_root.string() + "\" is gone and so is its parent; no more changes");
    }

    void rootCameBack(std::vector<FolderEvent>& batch)
    {
        inotify_rm_watch(m_fd, m_parentWatch);
        {
            std::lock_guard lock(m_mutex);
            m_watches.erase(m_parentWatch);
        }
        m_parentWatch = -1;
        if (armRoot())
            add(batch, m_root, FolderEventFlag::RootChanged | FolderEventFlag::ItemCreated | FolderEventFlag::ItemIsDir);
    }

    // A burst of writes to one file says nothing more than the first of them.
    static void add(std::vector<FolderEvent>& batch, const fs::path& path, std::uint32_t flags)
    {
        if (!batch.empty() && batch.back().path == path.string() && batch.back().flags == flags)
            return;
        batch.push_back(FolderEvent { ++g_lastEventId, path.string(), flags });
    }

    int m_fd { -1 };
    base::RunLoop::SourceId m_source { 0 };
    fs::path m_root;
    Callback m_callback;
    int m_rootWatch { -1 };
    int m_parentWatch { -1 };
    // Written once the folders below the root are armed.
    int m_armed { -1 };
    base::RunLoop::SourceId m_armedSource { 0 };
    std::thread m_arming;
    std::atomic<bool> m_stopArming { false };
    // The arming thread's and the main thread's.
    std::mutex m_mutex;
    std::unordered_map<int, fs::path> m_watches;
    std::vector<fs::path> m_changedWhileArming;
    bool m_warnedAboutLimit { false };
};
}

std::unique_ptr<FolderWatch> FolderWatch::create()
{
    return std::make_unique<InotifyFolderWatch>();
}

bool ManualFolderWatch::start(const fs::path& folder, Callback callback)
{
    if (m_started)
        return false;
    m_started = true;
    m_folder = folder;
    m_callback = std::move(callback);
    ++m_startCount;
    return true;
}

void ManualFolderWatch::stop()
{
    m_started = false;
    m_callback = nullptr;
}

bool ManualFolderWatch::deliver(const std::vector<FolderEvent>& batch)
{
    if (!m_started)
        return false;
    auto callback = m_callback;
    callback(batch);
    return true;
}

}
