#include "platform/desktop/FolderWatch.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/RunLoop.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
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
        if (!armRoot()) {
            stop();
            return false;
        }
        m_callback = std::move(callback);
        m_source = base::RunLoop::main().addSource(m_fd, POLLIN, base::RunLoop::Mode::Default,
            [this](short) { readEvents(); });
        return true;
    }

    void stop() override
    {
        if (m_source)
            base::RunLoop::main().removeSource(m_source);
        if (m_fd >= 0)
            close(m_fd);
        m_source = 0;
        m_fd = -1;
        m_watches.clear();
        m_rootWatch = -1;
        m_parentWatch = -1;
        m_warnedAboutLimit = false;
    }

    bool isStarted() const override { return m_fd >= 0; }

private:
    bool armRoot()
    {
        m_rootWatch = addWatch(m_root, kWatchedChanges);
        if (m_rootWatch < 0)
            return false;
        armBelow(m_root);
        return true;
    }

    // Watches every folder below `folder`, without following links out of the tree.
    void armBelow(const fs::path& folder)
    {
        std::error_code error;
        for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
             !error && it != end; it.increment(error)) {
            if (it->is_directory(error) && !it->is_symlink(error))
                addWatch(it->path(), kWatchedChanges);
        }
    }

    int addWatch(const fs::path& folder, std::uint32_t mask)
    {
        int watch = inotify_add_watch(m_fd, folder.c_str(), mask);
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

    void disarm(const fs::path& folder)
    {
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
            if (m_rootWatch >= 0)
                armBelow(m_root);
            add(batch, m_root, FolderEventFlag::MustScanSubDirs | FolderEventFlag::ItemIsDir);
            return;
        }
        auto found = m_watches.find(event.wd);
        if (found == m_watches.end())
            return;
        if (event.mask & IN_IGNORED) {
            m_watches.erase(found);
            return;
        }
        fs::path folder = found->second;
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
        m_watches.erase(m_parentWatch);
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
    std::unordered_map<int, fs::path> m_watches;
    int m_rootWatch { -1 };
    int m_parentWatch { -1 };
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
