#include "tests/acceptance/driver/Reports.h"

#include "tests/acceptance/driver/Program.h"

#include <chrono>
#include <sstream>
#include <thread>

namespace ostrel::acceptance {

std::optional<Box> parseBox(const std::string& text)
{
    std::istringstream words(text);
    double x = 0, y = 0, w = 0, h = 0;
    if (!(words >> x >> y))
        return std::nullopt;
    // "x y" alone is a point: a box of no size there.
    if (!(words >> w >> h))
        w = h = 0;
    return Box { int(x), int(y), int(w), int(h) };
}

std::map<std::string, std::string> Reports::latest() const
{
    auto lines = m_program.lines();
    // The report before the last "--": lines after it may be a report still coming.
    std::size_t end = lines.size();
    while (end > 0 && lines[end - 1].text != "--")
        --end;
    std::map<std::string, std::string> report;
    if (end == 0)
        return report;
    std::size_t begin = end - 1;
    while (begin > 0 && lines[begin - 1].text != "--")
        --begin;
    for (std::size_t i = begin; i + 1 < end; ++i) {
        const std::string& text = lines[i].text;
        auto space = text.find(' ');
        report[text.substr(0, space)] = space == std::string::npos ? std::string() : text.substr(space + 1);
    }
    return report;
}

std::optional<std::string> Reports::value(const std::string& name) const
{
    auto report = latest();
    auto found = report.find(name);
    if (found == report.end())
        return std::nullopt;
    return found->second;
}

std::optional<Box> Reports::box(const std::string& name) const
{
    auto text = value(name);
    return text ? parseBox(*text) : std::nullopt;
}

std::optional<std::string> Reports::lastLine(const std::string& name, std::size_t from) const
{
    auto lines = m_program.lines();
    for (std::size_t i = lines.size(); i > from; --i) {
        const std::string& text = lines[i - 1].text;
        if (text.rfind(name + " ", 0) == 0)
            return text.substr(name.size() + 1);
    }
    return std::nullopt;
}

std::optional<Box> Reports::lastBox(const std::string& name, std::size_t from) const
{
    auto text = lastLine(name, from);
    return text ? parseBox(*text) : std::nullopt;
}

bool Reports::settle(const std::function<bool(Reports&)>& check, double seconds, double quiet)
{
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    std::map<std::string, std::string> seen;
    auto since = Clock::now();
    bool holding = false;
    while (Clock::now() < deadline) {
        auto now = latest();
        if (!holding || now != seen) {
            holding = check(*this);
            seen = now;
            since = Clock::now();
        } else if (std::chrono::duration<double>(Clock::now() - since).count() >= quiet) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::string Reports::transcript() const { return m_program.transcript(); }

}
