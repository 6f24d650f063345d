#include "MainWindowHome.h"

#include "tools/loggen/LogGenerator.h"

#include "platform/text/AttributedString.h"
#include "platform/text/Rtfd.h"

#include <filesystem>

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

void MainWindowHome::underAWindowManager()
{
    if (!fs::exists("/usr/bin/openbox"))
        return;
    Launch manager;
    manager.program = "/usr/bin/openbox";
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
