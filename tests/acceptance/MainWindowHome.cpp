#include "MainWindowHome.h"

#include "tools/loggen/LogGenerator.h"

#include "platform/text/AttributedString.h"
#include "platform/text/Rtfd.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace ostrel::acceptance {

namespace fs = std::filesystem;

void MainWindowHome::furnish(const nlohmann::json& settings)
{
    loggen::Options options;
    options.years = 1;
    options.plainTextDays = 5;
    options.unnamedDays = 5;
    loggen::generate(m_home.logFolder(), options);
    auto all = Home::returningUser();
    all["topLeftX"] = 503;
    all["topLeftY"] = 725;
    all["logBookPadHidden"] = false;
    all.update(settings);
    m_home.writeSettings(all);
    struct Page {
        const char* folder;
        const char* name;
    };
    fs::path pads = m_home.applicationSupport() / "Pads";
    for (auto page : { Page { "Now Pad", "Roz Ezed 000000.rtfd" }, Page { "Later Pad", "Later Pads 000000.rtfd" },
             Page { "Scratch Pad", "Scratch Pads 000000.rtfd" } }) {
        fs::create_directories(pads / page.folder);
        std::string text;
        for (int line = 0; line < 40; ++line)
            text += "Line " + std::to_string(line) + " of a page, with a link and some words to wrap\n";
        text::Rtfd::writeFile(pads / page.folder / page.name, text::AttributedString::fromUtf8(text));
    }
}

namespace {

// The text with every element that `opening` begins, through its `closing` tag, left out.
std::string without(std::string text, const std::string& opening, const std::string& closing)
{
    for (auto at = text.find(opening); at != std::string::npos; at = text.find(opening, at)) {
        auto end = text.find(closing, at);
        if (end == std::string::npos)
            break;
        text.erase(at, end + closing.size() - at);
    }
    return text;
}

}

void MainWindowHome::underAWindowManager(bool keysForProgramsOnly, const std::string& name)
{
    if (name == "xfwm4") {
        if (!fs::exists("/usr/bin/xfwm4") || !fs::exists("/usr/bin/dbus-run-session")) {
            ADD_FAILURE() << "xfwm4 and dbus-run-session are not installed (scripts/install-deps)";
            return;
        }
        Launch manager;
        manager.program = "/usr/bin/dbus-run-session";
        manager.arguments = { "--", "/usr/bin/xfwm4", "--compositor=off" };
        start(manager);
        if (!desktop().waitForWindowManager(30))
            ADD_FAILURE() << "xfwm4 never took the screen";
        return;
    }
    if (!fs::exists("/usr/bin/openbox"))
        return;
    Launch manager;
    manager.program = "/usr/bin/openbox";
    const fs::path system = "/etc/xdg/openbox/rc.xml";
    if (keysForProgramsOnly && fs::exists(system)) {
        std::ifstream in(system);
        std::string configuration((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        configuration = without(configuration, "<keybind ", "</keybind>");
        configuration = without(configuration, "<mousebind button=\"Left\" action=\"DoubleClick\">", "</mousebind>");
        fs::path own = m_home.path() / "openbox-rc.xml";
        std::ofstream(own) << configuration;
        manager.arguments = { "--config-file", own.string() };
    }
    start(manager);
    // A program started before the manager is placed again by it, a title bar lower.
    if (!desktop().waitForWindowManager(30))
        ADD_FAILURE() << "openbox never took the screen";
}

std::optional<std::string> MainWindowHome::sanitizerReport(const Program& program)
{
    for (const auto& line : program.lines()) {
        for (const char* report : { "ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:", "SUMMARY: " }) {
            if (line.text.find(report) != std::string::npos)
                return "the sanitizers reported: " + line.text;
        }
    }
    return std::nullopt;
}

}
