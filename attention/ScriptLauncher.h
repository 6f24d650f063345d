#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// Calls a named handler of the user's script, "NotificationHandler.scpt" in the program's
// scripts folder: the script runs as an executable whose argv is the handler name, the text
// and, in the two-argument form, the number. Calls do not wait; a missing script does nothing.
class ScriptLauncher {
public:
    static constexpr const char* kScriptName = "NotificationHandler.scpt";

    static ScriptLauncher& sharedScriptLauncher();
    static ScriptLauncher& shared() { return sharedScriptLauncher(); }

    // A missing text arrives as an empty one.
    void executeEventHandlerWithoutResult(const std::string& handler, const std::optional<std::string>& text);
    void executeEventHandlerWithoutResult(const std::string& handler, const std::optional<std::string>& text,
        int32_t number);

    // The scripts folder, made if missing; none when it cannot be made.
    static std::optional<std::filesystem::path> directoryURL();
    // Shows the scripts folder in the file browser; nothing when it cannot be located.
    void openScriptFolder();

    // What starts the script; tests install one that records. None restores the real one.
    using Runner = std::function<bool(const std::filesystem::path& script, const std::vector<std::string>& argv)>;
    static Runner setRunner(Runner runner);

private:
    ScriptLauncher() = default;
    void execute(const std::string& handler, std::vector<std::string> arguments);
};

}
