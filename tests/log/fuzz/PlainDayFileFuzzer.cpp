#include "tests/log/fuzz/PlainDayFileCheck.h"
#include "tests/support/TemporaryHome.h"

#include "platform/base/Diagnostics.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Any bytes as an older plain-text day file, read in a time zone with summer time.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = (base::setDiagnosticSink([](std::string_view) {}), true);
    static ostrel::test::TemporaryHome home("Europe/Berlin");
    (void)quiet;
    auto file = home.path() / "System Log 2009-05-06 (0-1-2-3).txt";
    if (auto problem = ostrel::test::plainDayFileProblem({ reinterpret_cast<const char*>(data), size }, file)) {
        std::fprintf(stderr, "plain-text day file: %s\n", problem->c_str());
        __builtin_trap();
    }
    return 0;
}
