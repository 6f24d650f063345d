#include "platform/desktop/Opener.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Diagnostics.h"
#include "platform/desktop/ChildProcess.h"

#include <algorithm>
#include <chrono>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace desktop {

namespace {
std::mutex g_launcherMutex;
Opener::Launcher g_launcher;

std::string joined(const std::vector<std::string>& argv)
{
    std::string line;
    for (const auto& argument : argv)
        line += (line.empty() ? "" : " ") + argument;
    return line;
}

bool spawnDetached(const std::vector<std::string>& argv)
{
    auto spawned = ChildProcess::spawn(argv, {}, "could not run " + argv[0]);
    if (!spawned)
        return false;
    pid_t pid = *spawned;
    // Reaped off the main thread: xdg-open may wait for the application it started.
    std::thread([pid, line = joined(argv)] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            base::diagnostic("\"" + line + "\" failed with status " + std::to_string(WEXITSTATUS(status)));
    }).detach();
    return true;
}

// The same, waiting up to `wait` for the opener's exit: true only once it ended well.
bool spawnAndConfirm(const std::vector<std::string>& argv, std::chrono::milliseconds wait)
{
    auto spawned = ChildProcess::spawn(argv, {}, "could not run " + argv[0]);
    if (!spawned)
        return false;
    pid_t pid = *spawned;
    auto deadline = std::chrono::steady_clock::now() + wait;
    int status = 0;
    for (;;) {
        pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) {
            bool opened = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            if (!opened)
                base::diagnostic("\"" + joined(argv) + "\" failed with status " + std::to_string(WEXITSTATUS(status)));
            return opened;
        }
        if ((ended < 0 && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::thread([pid] {
        int late = 0;
        while (waitpid(pid, &late, 0) < 0 && errno == EINTR) { }
    }).detach();
    return false;
}

bool launch(const std::vector<std::string>& argv, std::optional<std::chrono::milliseconds> confirmWithin = std::nullopt)
{
    Opener::Launcher launcher;
    {
        std::lock_guard lock(g_launcherMutex);
        launcher = g_launcher;
    }
    if (launcher)
        return launcher(argv);
    return confirmWithin ? spawnAndConfirm(argv, *confirmWithin) : spawnDetached(argv);
}

// Absolute, so that no name can reach xdg-open looking like an option.
std::optional<std::filesystem::path> existing(const std::filesystem::path& path, bool wantFolder, const char* what)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    auto status = std::filesystem::status(absolute, error);
    if (path.empty() || error || !std::filesystem::exists(status)
        || std::filesystem::is_directory(status) != wantFolder) {
        base::diagnostic(std::string("cannot open ") + what + " \"" + path.string() + "\": it does not exist");
        return std::nullopt;
    }
    return absolute.lexically_normal();
}
}

bool Opener::openFile(const std::filesystem::path& file)
{
    auto target = existing(file, false, "file");
    return target && launch({ "xdg-open", target->string() });
}

bool Opener::openFolder(const std::filesystem::path& folder)
{
    auto target = existing(folder, true, "folder");
    return target && launch({ "xdg-open", target->string() });
}

bool Opener::openFolderConfirmed(const std::filesystem::path& folder, int waitMilliseconds)
{
    auto target = existing(folder, true, "folder");
    return target && launch({ "xdg-open", target->string() }, std::chrono::milliseconds(waitMilliseconds));
}

bool Opener::revealInFolder(const std::filesystem::path& item)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(item, error).lexically_normal();
    if (item.empty() || error || !std::filesystem::exists(absolute, error)) {
        base::diagnostic("cannot reveal \"" + item.string() + "\": it does not exist");
        return false;
    }
    if (!absolute.has_filename())
        absolute = absolute.parent_path();
    return launch({ "xdg-open", absolute.parent_path().string() });
}

bool Opener::openLink(std::string_view url)
{
    if (!isLink(url)) {
        base::diagnostic("cannot open link \"" + std::string(url) + "\": not a URL");
        return false;
    }
    return launch({ "xdg-open", std::string(url) });
}

bool Opener::opensWithoutAsking(std::string_view url)
{
    if (!isLink(url))
        return false;
    std::string scheme(url.substr(0, url.find(':')));
    std::transform(scheme.begin(), scheme.end(), scheme.begin(), [](unsigned char c) { return std::tolower(c); });
    return scheme == "http" || scheme == "https" || scheme == "mailto";
}

std::string Opener::realTarget(std::string_view url)
{
    std::string text(url);
    std::string lower = text.substr(0, 7);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower != "file://")
        return text;
    // The path as the file system reads it: escapes decoded, a host ("localhost") dropped,
    // every link on the way followed.
    std::string path = text.substr(7);
    if (auto slash = path.find('/'); slash != std::string::npos)
        path = path.substr(slash);
    path = path.substr(0, path.find_first_of("?#"));
    std::string decoded;
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
        if (path[i] == '%' && i + 2 < path.size() && hex(path[i + 1]) && hex(path[i + 2])) {
            decoded += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += path[i];
        }
    }
    std::error_code error;
    auto real = std::filesystem::weakly_canonical(decoded, error);
    return "the file " + (error ? decoded : real.string());
}

bool Opener::openLinkOnClick(std::string_view url)
{
    if (!isLink(url)) {
        base::diagnostic("cannot open link \"" + std::string(url) + "\": not a URL");
        return false;
    }
    if (!opensWithoutAsking(url)) {
        base::AlertRequest question;
        question.style = base::AlertRequest::Style::Warning;
        question.message = "Open this link?";
        question.informativeText = "It leads to " + realTarget(url)
            + ", which is not a web page: opening it may start a program. Open it only if you trust where it came from.";
        // Cancel first, so that Return, or nobody there to answer, opens nothing.
        question.buttons = { "Cancel", "Open" };
        if (base::AlertPresenter::present(question).button != 1) {
            base::diagnostic("did not open \"" + std::string(url) + "\": not confirmed");
            return false;
        }
    }
    return openLink(url);
}

bool Opener::isLink(std::string_view text)
{
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size())
        return false;
    auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isAlpha(text[0]))
        return false;
    for (char c : text.substr(0, colon))
        if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    for (unsigned char c : text)
        if (c <= 0x20 || c == 0x7f)
            return false;
    return true;
}

Opener::Launcher Opener::setLauncher(Launcher launcher)
{
    std::lock_guard lock(g_launcherMutex);
    return std::exchange(g_launcher, std::move(launcher));
}

}
