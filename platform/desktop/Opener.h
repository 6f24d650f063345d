#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace desktop {

// Hands files, folders and links to the user's default applications through xdg-open, run
// directly (never through a shell, so no name is ever interpreted). Each call answers
// whether the request could be handed over; every refusal and failure is logged.
class Opener {
public:
    static bool openFile(const std::filesystem::path& file);
    static bool openFolder(const std::filesystem::path& folder);
    // The same, answering true only once the opener said it opened the folder, within
    // the wait: for a message that tells the user to look at the folder that just opened.
    static bool openFolderConfirmed(const std::filesystem::path& folder, int waitMilliseconds = 1000);
    // Only text that is a URL (a scheme, then no spaces or control characters).
    static bool openLink(std::string_view url);
    // A click on a link in text: web and mail links (http, https, mailto) open at once; a
    // link of any other scheme, or to a file, opens only once the user agrees to where it
    // really leads (a file's path with its links followed). Text from elsewhere, a day file
    // another computer wrote, may carry any link at all.
    static bool openLinkOnClick(std::string_view url);
    static bool opensWithoutAsking(std::string_view url);
    // Where a link really leads, as the question before opening it says.
    static std::string realTarget(std::string_view url);

    // Shows the folder that holds the file or folder given.
    static bool revealInFolder(const std::filesystem::path& item);

    // Runs the command line; true when it started. Tests install one that records.
    using Launcher = std::function<bool(const std::vector<std::string>& argv)>;
    // An empty launcher restores the real one. Returns the previous launcher.
    static Launcher setLauncher(Launcher launcher);

    static bool isLink(std::string_view text);
};

}
