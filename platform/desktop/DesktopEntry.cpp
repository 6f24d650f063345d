#include "platform/desktop/DesktopEntry.h"

#include <sstream>
#include <unistd.h>

namespace desktop {

namespace {
bool needsQuotes(const std::string& argument)
{
    return argument.empty() || argument.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
}

std::string quoted(const std::string& argument)
{
    if (!needsQuotes(argument))
        return argument;
    std::string text = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + "\"";
}
}

std::string DesktopEntry::execLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const auto& argument : arguments) {
        if (!line.empty())
            line += ' ';
        line += quoted(argument);
    }
    // Then the escapes of any string value, and "%%" for a percent sign that is no field code.
    std::string value;
    for (char c : line) {
        switch (c) {
        case '\\': value += "\\\\"; break;
        case '\n': value += "\\n"; break;
        case '\t': value += "\\t"; break;
        case '\r': value += "\\r"; break;
        case '%': value += "%%"; break;
        default: value += c;
        }
    }
    return value;
}

std::filesystem::path DesktopEntry::executable()
{
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path("ostrel") : path;
}

std::string DesktopEntry::value(std::string_view text, std::string_view key)
{
    std::istringstream lines { std::string(text) };
    std::string line;
    bool inGroup = false;
    while (std::getline(lines, line)) {
        if (line.starts_with('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inGroup || !line.starts_with(key))
            continue;
        std::string_view rest = std::string_view(line).substr(key.size());
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        if (!rest.starts_with('='))
            continue;
        rest.remove_prefix(1);
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        return std::string(rest);
    }
    return {};
}

}
