#include "tests/desktop/fuzz/LinkHandOverCheck.h"
#include "tests/support/Fuzzing.h"
#include "tests/support/TemporaryHome.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Any bytes as the message a later launch hands over, to a listener in a runtime folder of
// the fuzzer's own, so that no running copy of the program is handed anything.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ostrel::test::TemporaryHome home;
    static ostrel::test::LinkHandOverProbe probe;
    if (!probe.listening()) {
        std::fprintf(stderr, "link hand-over: cannot listen in %s\n", home.path().c_str());
        std::abort();
    }
    ostrel::test::stopOnProblem("link hand-over", probe.problem(ostrel::test::bytesOf(data, size)));
    return 0;
}
