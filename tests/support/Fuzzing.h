#pragma once

#include "platform/base/Diagnostics.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::test {

// The program's own diagnostic lines, which malformed input makes by the thousand, kept out
// of the fuzzer's output.
inline void silenceDiagnostics()
{
    static const bool silenced = (base::setDiagnosticSink([](std::string_view) {}), true);
    (void)silenced;
}

// What a fuzz target does with its check's answer: a problem stops the run with its name on
// stderr, so that libFuzzer keeps the input that caused it.
inline void stopOnProblem(const char* what, const std::optional<std::string>& problem)
{
    if (!problem)
        return;
    std::fprintf(stderr, "%s: %s\n", what, problem->c_str());
    __builtin_trap();
}

inline std::string_view bytesOf(const unsigned char* data, std::size_t size)
{
    return { reinterpret_cast<const char*>(data), size };
}

}
