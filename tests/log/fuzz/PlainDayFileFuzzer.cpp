#include "tests/log/fuzz/PlainDayFileCheck.h"
#include "tests/support/Fuzzing.h"
#include "tests/support/TemporaryHome.h"

#include <cstddef>
#include <cstdint>

// Any bytes as an older plain-text day file, read in a time zone with summer time.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ostrel::test::silenceDiagnostics();
    static ostrel::test::TemporaryHome home("Europe/Berlin");
    auto file = home.path() / "System Log 2009-05-06 (0-1-2-3).txt";
    ostrel::test::stopOnProblem("plain-text day file", ostrel::test::plainDayFileProblem(ostrel::test::bytesOf(data, size), file));
    return 0;
}
