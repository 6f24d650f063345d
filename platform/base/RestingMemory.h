#pragma once

#include <cstddef>

namespace base {

// What a program that has rested a while gives back: the allocator's free pages, and the
// pages of its code and of its libraries' code and constant data that start-up touched and
// nothing has used since. Those stay in the system's file cache, so a later use maps them
// again without reading the disk.
namespace resting {

// Gives back what it can; the kilobytes its resident set shrank by meanwhile.
std::size_t giveBack();

// The kilobytes of the program's resident set now.
std::size_t residentKilobytes();

}

}
