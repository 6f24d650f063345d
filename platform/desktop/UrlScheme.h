#pragma once

#include "platform/base/RepeatedDiagnostic.h"
#include "platform/base/RunLoop.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace desktop {

// Links of our own scheme ("ostrel2things:…") reach the program in two ways: the desktop
// starts the program with the link as its argument, through the handler entry installed
// here; and when a copy already runs, that second copy hands the link over a UNIX socket in
// $XDG_RUNTIME_DIR (or, without a private one, in the user's own cache folder) to the
// running one and ends. A second launch without a link asks the
// running copy, over the same socket, to come to the front. Whatever arrives is checked
// before use.
class UrlScheme {
public:
    static constexpr std::size_t kMaxLength = 4096;
    // What a later launch without a link hands over: not a link, so it never reaches on_url.
    static constexpr std::string_view kBringToFrontRequest = "front";

    // Writes $XDG_DATA_HOME/applications/ostrel.desktop for x-scheme-handler/<scheme> and makes
    // it the user's default for that scheme in $XDG_CONFIG_HOME/mimeapps.list, keeping every
    // other line there. False, logged, when a file cannot be written.
    static bool installHandler(std::string_view scheme);
    static std::filesystem::path handlerEntryPath();

    // The text when it is a link of the scheme: it begins with the scheme and a colon (any
    // letter case), has at most kMaxLength bytes, is valid UTF-8 and holds no control
    // characters; none otherwise.
    static std::optional<std::string> accepted(std::string_view text, std::string_view scheme);

    // The first launch becomes the running copy and gets a listener; a later launch learns
    // that another copy runs. Only without any folder of the user's alone (logged) does
    // every launch run on its own.
    struct Claim {
        std::unique_ptr<UrlScheme> listener;
        bool otherCopyRuns { false };
    };
    static Claim claim(std::string scheme);

    // A copy that has just taken the lock may not listen yet: a later launch waits a few
    // seconds for it. A launch that could not run itself asks once, and goes.
    enum class Wait { WhileItStarts, Never };
    // From a later launch: hands the text to the running copy. False, logged, on failure.
    static bool sendToRunningCopy(std::string_view url, Wait wait = Wait::WhileItStarts);
    // From a later launch without a link: asks the running copy to come to the front.
    // False, logged, on failure.
    static bool bringRunningCopyToFront(Wait wait = Wait::WhileItStarts);

    ~UrlScheme();
    UrlScheme(const UrlScheme&) = delete;
    UrlScheme& operator=(const UrlScheme&) = delete;

    // Accepted links from later launches, on the main thread, in the default run-loop mode.
    std::function<void(const std::string& url)> on_url;
    // A later launch without a link, likewise: the shell brings its window to the front.
    std::function<void()> on_bring_to_front;

private:
    UrlScheme(std::string scheme, int lockFd, int listenFd, std::filesystem::path socketPath);
    static bool handOver(std::string_view message, const std::string& failure, Wait wait);

    void startListening();
    void pauseListening();
    void acceptConnections();
    void readFrom(int fd);
    void closeConnection(int fd);
    // Each kind of trouble said once, then counted: a flood of connections must not flood
    // the log.
    enum class Trouble { Refused, Dropped, TooLong, NoLink, Count };
    base::RepeatedDiagnostic& trouble(Trouble kind);

    struct Connection {
        int fd { -1 };
        base::RunLoop::SourceId source { 0 };
        std::string received;
    };

    std::string m_scheme;
    int m_lockFd { -1 };
    int m_listenFd { -1 };
    std::filesystem::path m_socketPath;
    base::RunLoop::SourceId m_listenSource { 0 };
    std::shared_ptr<base::Timer> m_resumeListening;
    std::vector<Connection> m_connections;
    base::RepeatedDiagnostic m_troubles[std::size_t(Trouble::Count)];
};

}
