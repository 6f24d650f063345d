#include "platform/base/ProcessEnd.h"

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define OSTREL_CHECKS_LEAKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define OSTREL_CHECKS_LEAKS 1
#endif
#endif

#ifdef OSTREL_CHECKS_LEAKS
#include <sanitizer/lsan_interface.h>
#endif

namespace base {

void endProcess(int code)
{
    std::fflush(nullptr);
#ifdef OSTREL_CHECKS_LEAKS
    // What exit would have checked; a leak ends the process with the checker's own code.
    __lsan_do_leak_check();
#endif
    std::_Exit(code);
}

}
