#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace base {

// What a program that has rested a while gives back: the allocator's free pages, and the
// pages of its code, libraries, fonts and data files that start-up touched and nothing has
// used since. Those stay in the system's file cache, so a later use maps them again without
// reading the disk.
namespace resting {

// One mapping of /proc/self/smaps, as far as giving its pages back goes.
struct Mapping {
    std::size_t start { 0 };
    std::size_t end { 0 };
    bool fromFile { false };
    bool writable { false };
    bool shared { false };
    std::size_t anonymousKilobytes { 0 };
    std::size_t lockedKilobytes { 0 };
};

std::vector<Mapping> parseMappings(std::string_view smaps);

// Whether dropping the mapping's pages loses nothing: read-only and private, from a plain
// file, with no page of its own (relocated data is written once and then made read-only:
// dropping such a page would bring the file's unrelocated bytes back).
bool mayDrop(const Mapping& mapping);

// Gives back what it can; the kilobytes dropped from the resident set.
std::size_t giveBack();

}

}
