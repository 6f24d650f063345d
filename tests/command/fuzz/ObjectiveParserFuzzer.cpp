#include "tests/command/fuzz/ObjectiveCheck.h"

#include "platform/base/Diagnostics.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Any bytes as an objective typed, pasted as text or pasted as RTF.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = (base::setDiagnosticSink([](std::string_view) {}), true);
    (void)quiet;
    if (auto problem = ostrel::test::objectiveProblem({ reinterpret_cast<const char*>(data), size })) {
        std::fprintf(stderr, "objective: %s\n", problem->c_str());
        __builtin_trap();
    }
    return 0;
}
