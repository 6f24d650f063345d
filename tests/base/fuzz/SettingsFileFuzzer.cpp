#include "tests/base/fuzz/SettingsFileCheck.h"
#include "tests/support/TemporaryHome.h"

#include "platform/base/Diagnostics.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Any bytes as the settings file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static bool quiet = (base::setDiagnosticSink([](std::string_view) {}), true);
    static ostrel::test::TemporaryHome home;
    (void)quiet;
    if (auto problem = ostrel::test::settingsFileProblem({ reinterpret_cast<const char*>(data), size }, home.configHome())) {
        std::fprintf(stderr, "settings file: %s\n", problem->c_str());
        __builtin_trap();
    }
    return 0;
}
