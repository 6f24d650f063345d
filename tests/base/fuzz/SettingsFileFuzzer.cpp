#include "tests/base/fuzz/SettingsFileCheck.h"
#include "tests/support/Fuzzing.h"
#include "tests/support/TemporaryHome.h"

#include <cstddef>
#include <cstdint>

// Any bytes as the settings file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ostrel::test::silenceDiagnostics();
    static ostrel::test::TemporaryHome home;
    ostrel::test::stopOnProblem("settings file", ostrel::test::settingsFileProblem(ostrel::test::bytesOf(data, size), home.configHome()));
    return 0;
}
