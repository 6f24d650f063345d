#pragma once

namespace ostrel::test {

// While it lives, the calling thread is held to the permission bits even when it runs as
// root (as CI does): the capabilities that pass over them are taken out of its effective
// set and put back on destruction. For a process without them it changes nothing.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride();
    ~WithoutPermissionOverride();
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

    // False when the capabilities could not be dropped: the bits would not hold.
    bool holds() const { return m_holds; }

private:
    bool m_dropped { false };
    bool m_holds { true };
    unsigned m_effective[2] {};
};

}
