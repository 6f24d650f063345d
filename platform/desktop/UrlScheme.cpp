#include "platform/desktop/UrlScheme.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"
#include "platform/base/Paths.h"
#include "platform/base/Timer.h"
#include "platform/base/Utf8.h"
#include "platform/desktop/DesktopEntry.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

namespace desktop {

namespace fs = std::filesystem;

namespace {
// More would only be someone flooding the socket; later launches connect one at a time.
constexpr std::size_t kMaxConnections = 8;
// Seconds a later launch waits for the running copy to listen: a copy started at the same
// instant may still be opening its display.
constexpr long kHandOverPatience = 5;

// Only a folder that is ours alone: in a shared one (XDG_RUNTIME_DIR=/tmp) another user could
// hold the lock, or listen in our place and be handed our links.
bool isPrivateFolder(const fs::path& folder)
{
    struct stat status {};
    return folder.is_absolute() && lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode)
        && status.st_uid == getuid() && (status.st_mode & 077) == 0;
}

// A folder of the user's own beside the cache, the same whatever runtime folder a launch is
// given: the socket's place where the session gives none, and the lock's where the data
// folder cannot hold it.
std::optional<fs::path> ownFolder()
{
    fs::path own = base::paths::cache();
    base::files::createDirectories(own.parent_path());
    if (mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
        base::diagnostic("cannot make \"" + own.string() + "\": " + std::strerror(errno));
        return std::nullopt;
    }
    // Ours but left open by something else: closed again, as we would have made it.
    struct stat status {};
    if (lstat(own.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == getuid())
        chmod(own.c_str(), 0700);
    if (!isPrivateFolder(own)) {
        base::diagnostic("neither XDG_RUNTIME_DIR nor \"" + own.string()
            + "\" is a folder of this user's alone: links opened while Ostrel runs start another copy");
        return std::nullopt;
    }
    return own;
}

// Where the socket lives: the session's runtime folder, or where the session gives none of
// its own (a bare login, a service, a remote shell), the user's own folder. One copy runs
// per user either way.
std::optional<fs::path> runtimeFolder()
{
    if (const char* value = std::getenv("XDG_RUNTIME_DIR"); value && isPrivateFolder(value))
        return fs::path(value);
    return ownFolder();
}

// The lock guards the data folder, the one thing two copies must not share; so it lives
// there, and the same data is locked whatever runtime folder a launch is given.
fs::path lockFile()
{
    fs::path data = base::paths::applicationSupport();
    base::files::createDirectories(data);
    return data / ".ostrel.lock";
}

// The lock taken where the data folder cannot hold one (a read-only folder, a lock file
// made read-only): in the user's own folder, the same for every launch.
std::optional<fs::path> fallbackLockFile()
{
    auto folder = ownFolder();
    return folder ? std::optional<fs::path>(*folder / "ostrel.lock") : std::nullopt;
}

// Where the running copy may listen: as noted in either lock's file (the one it holds
// has it once it has written it; the other may hold a path of an earlier run), then where
// this launch would listen.
std::vector<fs::path> runningCopysSockets()
{
    std::vector<fs::path> sockets;
    std::vector<fs::path> locks { lockFile() };
    if (auto fallback = fallbackLockFile())
        locks.push_back(*fallback);
    for (const auto& lock : locks) {
        std::string noted = base::files::readText(lock, sizeof(sockaddr_un::sun_path)).value_or("");
        if (!noted.empty() && noted.front() == '/' && noted.find('\0') == std::string::npos)
            sockets.emplace_back(noted);
    }
    if (auto folder = runtimeFolder())
        sockets.push_back(*folder / "ostrel.socket");
    return sockets;
}

// The lock at `path`, taken: its descriptor; -1 when another copy holds it, none when it
// cannot be opened at all (the reason logged).
std::optional<int> takeLock(const fs::path& path)
{
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        base::diagnostic("cannot open \"" + path.string() + "\": " + std::strerror(errno));
        return std::nullopt;
    }
    // The lock, not the socket, decides who runs: it goes away with its process, however
    // that process ends, while a socket file stays behind.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::optional<sockaddr_un> socketAddress(const fs::path& path)
{
    sockaddr_un address {};
    if (path.empty())
        return std::nullopt;
    address.sun_family = AF_UNIX;
    if (path.string().size() >= sizeof address.sun_path)
        return std::nullopt;
    std::strcpy(address.sun_path, path.c_str());
    return address;
}

bool isSchemeName(std::string_view scheme)
{
    if (scheme.empty() || !std::isalpha(static_cast<unsigned char>(scheme[0])))
        return false;
    for (char c : scheme) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

// Whether the bytes are well-formed UTF-8 without C0 or C1 control characters or DEL.
bool isCleanUtf8(std::string_view text)
{
    if (!base::isValidUtf8(text))
        return false;
    for (char16_t c : base::toUtf16(text)) {
        if (c < 0x20 || (c >= 0x7f && c <= 0x9f))
            return false;
    }
    return true;
}

// Writes `text` to `path` unless it holds it already; a link there is written through, so
// that a list kept elsewhere (a dotfiles folder) stays where the user keeps it.
bool writeIfChanged(const fs::path& path, const std::string& text, std::string* error)
{
    std::error_code ec;
    bool link = fs::is_symlink(fs::symlink_status(path, ec));
    ec.clear();
    fs::path target = link ? fs::weakly_canonical(path, ec) : path;
    if (ec) {
        *error = "cannot follow the link " + path.string() + ": " + ec.message();
        return false;
    }
    if (base::files::readBytes(target, DesktopEntry::kFileLimit) == text)
        return true;
    return base::files::createDirectories(target.parent_path(), error) && base::files::writeAtomically(target, text, error);
}

// Sets the scheme's default in mimeapps.list, leaving every other line as the user had it;
// the file is not touched when it names our entry already.
bool makeDefault(const std::string& mimeType, const std::string& entryName)
{
    fs::path path = base::paths::configuration().parent_path() / "mimeapps.list";
    std::string text;
    if (base::files::exists(path)) {
        // The user's other associations live in the same file: one we cannot read is not
        // written over with ours alone.
        std::string error;
        auto read = base::files::readText(path, DesktopEntry::kFileLimit, &error);
        if (!read) {
            base::diagnostic("could not make the link handler the default: " + error);
            return false;
        }
        text = std::move(*read);
    }
    std::istringstream input(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(input, line);)
        lines.push_back(line);

    std::string assignment = mimeType + "=" + entryName;
    bool inGroup = false;
    bool done = false;
    std::optional<std::size_t> groupHeader;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        if (lines[i].starts_with('[')) {
            inGroup = lines[i] == "[Default Applications]";
            if (inGroup)
                groupHeader = i;
        } else if (inGroup && lines[i].starts_with(mimeType + "=")) {
            if (lines[i] == assignment)
                return true;
            lines[i] = assignment;
            done = true;
        }
    }
    if (!done && groupHeader)
        lines.insert(lines.begin() + std::ptrdiff_t(*groupHeader + 1), assignment);
    if (!done && !groupHeader) {
        if (!lines.empty() && !lines.back().empty())
            lines.emplace_back();
        lines.emplace_back("[Default Applications]");
        lines.push_back(assignment);
    }
    std::string result;
    for (const auto& line : lines)
        result += line + "\n";
    std::string error;
    if (writeIfChanged(path, result, &error))
        return true;
    base::diagnostic("could not make Ostrel the handler of " + mimeType + " in \"" + path.string() + "\": " + error);
    return false;
}
}

fs::path UrlScheme::handlerEntryPath()
{
    return base::paths::applicationSupport().parent_path() / "applications" / "ostrel.desktop";
}

bool UrlScheme::installHandler(std::string_view scheme)
{
    if (!isSchemeName(scheme)) {
        base::diagnostic("not a URL scheme: \"" + std::string(scheme) + "\"");
        return false;
    }
    std::string mimeType = "x-scheme-handler/" + std::string(scheme);
    fs::path path = handlerEntryPath();
    std::string entry = "[Desktop Entry]\n"
                        "Type=Application\n"
                        "Name=Ostrel\n"
                        "Exec="
        + DesktopEntry::execLine({ DesktopEntry::executable().string() }) + " %u\n"
        + "NoDisplay=true\n"
          "Terminal=false\n"
          "MimeType="
        + mimeType + ";\n";
    std::string error;
    if (!writeIfChanged(path, entry, &error)) {
        base::diagnostic("could not write the link handler \"" + path.string() + "\": " + error);
        return false;
    }
    return makeDefault(mimeType, path.filename().string());
}

std::optional<std::string> UrlScheme::accepted(std::string_view text, std::string_view scheme)
{
    if (text.size() > kMaxLength || text.size() <= scheme.size() || text[scheme.size()] != ':')
        return std::nullopt;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(scheme[i])))
            return std::nullopt;
    }
    if (!isCleanUtf8(text))
        return std::nullopt;
    return std::string(text);
}

UrlScheme::Claim UrlScheme::claim(std::string scheme)
{
    auto folder = runtimeFolder();
    if (!folder)
        return {};
    fs::path lockPath = lockFile();
    auto lock = takeLock(lockPath);
    // A lock the data folder cannot hold is taken in the user's own folder instead, which
    // every launch over this data finds alike: two copies must never share the data.
    if (!lock) {
        auto fallback = fallbackLockFile();
        if (fallback) {
            lockPath = *fallback;
            lock = takeLock(lockPath);
        }
        if (!lock) {
            base::diagnostic("no lock can be taken: links opened while Ostrel runs start another copy");
            return {};
        }
    }
    if (*lock < 0)
        return Claim { nullptr, true };
    int lockFd = *lock;

    fs::path socketPath = *folder / "ostrel.socket";
    // A later launch may see another runtime folder (a remote shell beside the session): it
    // finds the socket through the lock's file.
    if (ftruncate(lockFd, 0) != 0 || pwrite(lockFd, socketPath.c_str(), socketPath.string().size(), 0) < 0)
        base::diagnostic("cannot note the socket in \"" + lockPath.string() + "\": " + std::strerror(errno));
    auto address = socketAddress(socketPath);
    int listenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (address)
        unlink(socketPath.c_str());
    if (!address || listenFd < 0 || bind(listenFd, reinterpret_cast<sockaddr*>(&*address), sizeof *address) != 0
        || chmod(socketPath.c_str(), 0600) != 0 || listen(listenFd, int(kMaxConnections)) != 0) {
        base::diagnostic("cannot listen on \"" + socketPath.string() + "\""
            + (address ? std::string(": ") + std::strerror(errno) : std::string(": the path is too long")));
        if (listenFd >= 0)
            close(listenFd);
        close(lockFd);
        return {};
    }
    return Claim { std::unique_ptr<UrlScheme>(new UrlScheme(std::move(scheme), lockFd, listenFd, socketPath)), false };
}

bool UrlScheme::sendToRunningCopy(std::string_view url, Wait wait)
{
    return handOver(url, "could not hand the link to the running Ostrel", wait);
}

bool UrlScheme::bringRunningCopyToFront(Wait wait)
{
    return handOver(kBringToFrontRequest, "could not ask the running Ostrel to come to the front", wait);
}

bool UrlScheme::handOver(std::string_view message, const std::string& failure, Wait wait)
{
    int fd = -1;
    int error = 0;
    bool nobodyListens = false;
    // The running copy may be starting up still: it holds the lock before it notes where it
    // listens, and notes that before it listens. Its lock's file is read again each time,
    // since until it is noted this launch can only guess, from its own runtime folder.
    timespec start {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
        auto sockets = runningCopysSockets();
        if (sockets.empty()) {
            base::diagnostic("cannot reach the running Ostrel: no folder of this user's alone for its socket");
            return false;
        }
        bool worthWaiting = false;
        for (const auto& path : sockets) {
            auto address = socketAddress(path);
            if (!address)
                continue;
            fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&*address), sizeof *address) == 0)
                break;
            error = errno;
            if (fd >= 0)
                close(fd);
            fd = -1;
            worthWaiting = worthWaiting || error == ENOENT || error == ECONNREFUSED;
        }
        nobodyListens = worthWaiting;
        timespec now {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (fd >= 0 || !worthWaiting || wait == Wait::Never || now.tv_sec - start.tv_sec >= kHandOverPatience)
            break;
        timespec pause { 0, 50'000'000 };
        nanosleep(&pause, nullptr);
    }
    if (fd < 0) {
        // Asked only in passing (a launch that cannot show itself), no copy running is the
        // usual answer, not a fault worth a line.
        if (!(wait == Wait::Never && nobodyListens))
            base::diagnostic(std::string("cannot reach the running Ostrel: ") + std::strerror(error));
        return false;
    }
    timeval limit { 2, 0 };
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    std::size_t sent = 0;
    while (sent < message.size()) {
        ssize_t written = send(fd, message.data() + sent, message.size() - sent, MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        sent += std::size_t(written);
    }
    close(fd);
    if (sent < message.size()) {
        base::diagnostic(failure);
        return false;
    }
    return true;
}

UrlScheme::UrlScheme(std::string scheme, int lockFd, int listenFd, fs::path socketPath)
    : m_scheme(std::move(scheme))
    , m_lockFd(lockFd)
    , m_listenFd(listenFd)
    , m_socketPath(std::move(socketPath))
{
    startListening();
}

void UrlScheme::startListening()
{
    m_listenSource = base::RunLoop::main().addSource(m_listenFd, POLLIN, base::RunLoop::Mode::Default,
        [this](short) { acceptConnections(); });
}

UrlScheme::~UrlScheme()
{
    while (!m_connections.empty())
        closeConnection(m_connections.back().fd);
    if (m_resumeListening)
        m_resumeListening->invalidate();
    base::RunLoop::main().removeSource(m_listenSource);
    close(m_listenFd);
    // Removed while we still hold the lock, so that it is never a newer copy's socket.
    unlink(m_socketPath.c_str());
    close(m_lockFd);
}

void UrlScheme::pauseListening()
{
    base::diagnostic(std::string("link hand-over paused for a second: ") + std::strerror(errno));
    base::RunLoop::main().removeSource(m_listenSource);
    m_listenSource = 0;
    m_resumeListening = base::Timer::create(1.0, false, base::RunLoop::Mode::Default, [this](base::Timer&) {
        m_resumeListening.reset();
        startListening();
    });
}

void UrlScheme::acceptConnections()
{
    for (;;) {
        int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            // Out of descriptors or memory, the waiting connection stays and the socket stays
            // readable: stop listening for a second rather than spin the loop.
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                pauseListening();
            return;
        }
        ucred peer {};
        socklen_t length = sizeof peer;
        if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || peer.uid != getuid()) {
            trouble(Trouble::Refused).note("refused a link hand-over connection");
            close(fd);
            continue;
        }
        // A launch that connected and stalled must not cost the next ones their links: the
        // oldest makes room.
        if (m_connections.size() >= kMaxConnections) {
            trouble(Trouble::Dropped).note("dropped a link hand-over that never finished");
            closeConnection(m_connections.front().fd);
        }
        auto source = base::RunLoop::main().addSource(fd, POLLIN, base::RunLoop::Mode::Default,
            [this, fd](short) { readFrom(fd); });
        m_connections.push_back(Connection { fd, source, {} });
    }
}

void UrlScheme::readFrom(int fd)
{
    auto connection = std::find_if(m_connections.begin(), m_connections.end(), [fd](const Connection& c) { return c.fd == fd; });
    if (connection == m_connections.end())
        return;
    char buffer[4096];
    for (;;) {
        ssize_t length = read(fd, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (length < 0) {
            closeConnection(fd);
            return;
        }
        if (length == 0)
            break;
        connection->received.append(buffer, std::size_t(length));
        if (connection->received.size() > kMaxLength) {
            trouble(Trouble::TooLong)
                .note("ignored a link from another launch: longer than " + std::to_string(kMaxLength) + " bytes");
            closeConnection(fd);
            return;
        }
    }
    std::string text = std::move(connection->received);
    closeConnection(fd);
    if (text == kBringToFrontRequest) {
        if (on_bring_to_front)
            on_bring_to_front();
        return;
    }
    auto url = accepted(text, m_scheme);
    if (!url) {
        trouble(Trouble::NoLink).note("ignored a hand-over from another launch that is no " + m_scheme + " link");
        return;
    }
    if (on_url)
        on_url(*url);
}

base::RepeatedDiagnostic& UrlScheme::trouble(Trouble kind)
{
    return m_troubles[std::size_t(kind)];
}

void UrlScheme::closeConnection(int fd)
{
    auto connection = std::find_if(m_connections.begin(), m_connections.end(), [fd](const Connection& c) { return c.fd == fd; });
    if (connection == m_connections.end())
        return;
    base::RunLoop::main().removeSource(connection->source);
    close(connection->fd);
    m_connections.erase(connection);
}

}
