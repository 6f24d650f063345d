#include "tests/base/fuzz/PropertyListCheck.h"

#include "platform/base/Diagnostics.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Any bytes as an XML property list.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = (base::setDiagnosticSink([](std::string_view) {}), true);
    (void)quiet;
    if (auto problem = ostrel::test::propertyListProblem({ reinterpret_cast<const char*>(data), size })) {
        std::fprintf(stderr, "property list: %s\n", problem->c_str());
        __builtin_trap();
    }
    return 0;
}
