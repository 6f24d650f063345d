#pragma once

#include "tests/acceptance/driver/Screenshot.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace ostrel::acceptance {

class Program;

// What a tool run with --positions tells of itself, read from its output: lines "name x y w h"
// in screen pixels, or "name text", grouped into reports ended by a line "--" (a report
// comes again whenever anything in it changed).
class Reports {
public:
    explicit Reports(Program& program)
        : m_program(program)
    {
    }

    // The last whole report, by name.
    std::map<std::string, std::string> latest() const;
    std::optional<std::string> value(const std::string& name) const;
    std::optional<Box> box(const std::string& name) const;
    // The newest line of that name anywhere in the output from line `from` on, for tools that
    // tell of each part as it moves rather than in reports.
    std::optional<std::string> lastLine(const std::string& name, std::size_t from = 0) const;
    std::optional<Box> lastBox(const std::string& name, std::size_t from = 0) const;

    // Until the latest report answers yes, then until it has stayed the same for `quiet`
    // seconds: a state that settled, not its first step. False after `seconds`.
    bool settle(const std::function<bool(Reports&)>& check, double seconds = 20, double quiet = 0.4);
    // Everything said, for a failure's message.
    std::string transcript() const;

private:
    Program& m_program;
};

// "x y w h" as a box, "x y" as a point (a box of no size).
std::optional<Box> parseBox(const std::string& text);

}
