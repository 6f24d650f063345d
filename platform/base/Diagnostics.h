#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace base {

// The one place diagnostic lines go: stderr, prefixed with the process name and a time
// stamp. Tests may install a sink of their own to read what was written; any thread may
// write a line, but a sink never runs on two threads at once.
using DiagnosticSink = std::function<void(std::string_view line)>;

void diagnostic(std::string_view line);

// Replaces the sink; an empty function restores stderr. Returns the previous sink.
DiagnosticSink setDiagnosticSink(DiagnosticSink sink);

// Stops the program for one of the programming errors the program's own rules name.
// Never for anything that came from outside (files, settings, typed or dropped text).
[[noreturn]] void fatal(std::string_view message);

}
