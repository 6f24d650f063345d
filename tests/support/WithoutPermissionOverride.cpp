#include "tests/support/WithoutPermissionOverride.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace ostrel::test {

namespace {

constexpr unsigned kOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// Capabilities are per thread: the raw calls change the calling thread's alone.
bool get(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    return ::syscall(SYS_capget, &header, data) == 0;
}

bool set(__user_cap_data_struct (&data)[2])
{
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    return ::syscall(SYS_capset, &header, data) == 0;
}

}

WithoutPermissionOverride::WithoutPermissionOverride()
{
    __user_cap_data_struct data[2] {};
    if (!get(data)) {
        m_holds = ::geteuid() != 0;
        return;
    }
    m_effective[0] = data[0].effective;
    m_effective[1] = data[1].effective;
    if (!(data[0].effective & kOverrides))
        return;
    data[0].effective &= ~kOverrides;
    m_dropped = set(data);
    m_holds = m_dropped;
}

WithoutPermissionOverride::~WithoutPermissionOverride()
{
    if (!m_dropped)
        return;
    __user_cap_data_struct data[2] {};
    if (!get(data))
        return;
    data[0].effective = m_effective[0];
    data[1].effective = m_effective[1];
    set(data);
}

}
