#include "tests/command/fuzz/ObjectiveCheck.h"
#include "tests/support/Fuzzing.h"

#include <cstddef>
#include <cstdint>

// Any bytes as an objective typed, pasted as text or pasted as RTF.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ostrel::test::silenceDiagnostics();
    ostrel::test::stopOnProblem("objective", ostrel::test::objectiveProblem(ostrel::test::bytesOf(data, size)));
    return 0;
}
