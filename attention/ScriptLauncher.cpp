#include "attention/ScriptLauncher.h"

#include "platform/base/Files.h"
#include "platform/base/Paths.h"
#include "platform/desktop/Opener.h"
#include "platform/desktop/UserScript.h"

#include <cstdio>

namespace ostrel {

namespace {

ScriptLauncher::Runner& runner()
{
    static ScriptLauncher::Runner installed;
    return installed;
}

std::string quotedText(const std::string& text)
{
    std::string result = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

}

ScriptLauncher& ScriptLauncher::sharedScriptLauncher()
{
    static ScriptLauncher* launcher = new ScriptLauncher; // kept for the whole run
    return *launcher;
}

ScriptLauncher::Runner ScriptLauncher::setRunner(Runner newRunner)
{
    auto previous = std::move(runner());
    runner() = std::move(newRunner);
    return previous;
}

std::optional<std::filesystem::path> ScriptLauncher::directoryURL()
{
    auto folder = base::paths::applicationSupport() / "Scripts";
    if (!base::files::createDirectories(folder))
        return std::nullopt;
    return folder;
}

void ScriptLauncher::openScriptFolder()
{
    if (auto folder = directoryURL())
        desktop::Opener::openFolder(*folder);
}

void ScriptLauncher::executeEventHandlerWithoutResult(const std::string& handler, const std::optional<std::string>& text)
{
    execute(handler, { text.value_or("") });
}

void ScriptLauncher::executeEventHandlerWithoutResult(const std::string& handler, const std::optional<std::string>& text,
    int32_t number)
{
    execute(handler, { text.value_or(""), std::to_string(number) });
}

void ScriptLauncher::execute(const std::string& handler, std::vector<std::string> arguments)
{
    auto folder = directoryURL();
    if (!folder)
        return;
    auto script = *folder / kScriptName;
    std::error_code error;
    if (!std::filesystem::exists(script, error))
        return;

    std::string description = handler + "(" + quotedText(arguments[0]);
    if (arguments.size() > 1)
        description += ", " + arguments[1];
    std::printf("%s\n", (description + ")").c_str());
    std::fflush(stdout);

    arguments.insert(arguments.begin(), handler);
    if (runner())
        runner()(script, arguments);
    else
        desktop::UserScript::run(script, arguments);
}

}
