#include "tests/base/fuzz/PropertyListCheck.h"
#include "tests/support/Fuzzing.h"

#include <cstddef>
#include <cstdint>

// Any bytes as an XML property list.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ostrel::test::silenceDiagnostics();
    ostrel::test::stopOnProblem("property list", ostrel::test::propertyListProblem(ostrel::test::bytesOf(data, size)));
    return 0;
}
