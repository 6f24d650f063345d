#include "platform/base/RestingMemory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using base::resting::Mapping;
using base::resting::mayDrop;
using base::resting::parseMappings;

const char* const kSmaps = "55d0a0000000-55d0a0200000 r-xp 00001000 08:01 42   /usr/bin/ostrel\n"
                           "Size:               2048 kB\n"
                           "Anonymous:            0 kB\n"
                           "Locked:               0 kB\n"
                           "55d0a0200000-55d0a0201000 r--p 00201000 08:01 42   /usr/bin/ostrel\n"
                           "Anonymous:            4 kB\n"
                           "55d0a0201000-55d0a0202000 rw-p 00202000 08:01 42   /usr/bin/ostrel\n"
                           "Anonymous:            0 kB\n"
                           "7f0000000000-7f0000100000 rw-p 00000000 00:00 0 \n"
                           "Anonymous:         1024 kB\n"
                           "7f0000100000-7f0000200000 r--s 00000000 00:05 7    /SYSV00000000 (deleted)\n"
                           "Anonymous:            0 kB\n"
                           "7f0000200000-7f0000300000 r--p 00000000 00:01 9    /memfd:keymap (deleted)\n"
                           "Anonymous:            0 kB\n"
                           "7f0000300000-7f0000400000 r--p 00000000 08:01 77   /usr/lib/libicudata.so.72\n"
                           "Anonymous:            0 kB\n"
                           "Locked:               8 kB\n"
                           "7f0000400000-7f0000500000 r--p 00000000 08:01 78   /usr/share/fonts/a font.ttf\n"
                           "Anonymous:            0 kB\n";

TEST(RestingMemory, DropsOnlyWhatTheFilesHoldAsItIs)
{
    auto mappings = parseMappings(kSmaps);
    ASSERT_EQ(mappings.size(), 8u);
    EXPECT_EQ(mappings[0].start, 0x55d0a0000000u);
    EXPECT_EQ(mappings[0].end, 0x55d0a0200000u);
    std::vector<bool> dropped;
    for (const auto& mapping : mappings)
        dropped.push_back(mayDrop(mapping));
    // Code; relocated data made read-only; writable data; the heap; shared memory; a memory
    // file; locked pages; a font with a space in its name.
    EXPECT_EQ(dropped, (std::vector<bool> { true, false, false, false, false, false, false, true }));
}

// What the loader wrote into read-only pages (a table of pointers is relocated at load) and
// what the program's own read-only data holds are still there after the pages went back.
const char* const kRelocated[] = { "first", "second", "third" };
const char kPlain[] = "the program's own read-only bytes";

TEST(RestingMemory, GivingBackLosesNothing)
{
    base::resting::giveBack();
    EXPECT_STREQ(kRelocated[1], "second");
    EXPECT_STREQ(kRelocated[2], "third");
    EXPECT_EQ(std::strlen(kPlain), 33u);
    // Library code and data used again afterwards.
    std::string grown(100000, 'x');
    EXPECT_EQ(std::to_string(12345) + grown.substr(0, 2), "12345xx");
}

}
