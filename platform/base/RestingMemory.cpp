#include "platform/base/RestingMemory.h"


#include <link.h>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>

#include <charconv>
#include <fstream>
#include <sstream>

namespace base::resting {

namespace {

std::size_t hexNumber(std::string_view text)
{
    std::size_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return value;
}

// "Name:   12 kB" → 12.
std::size_t kilobytesAfter(std::string_view line, std::string_view name)
{
    std::string_view rest = line.substr(name.size());
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    std::size_t value = 0;
    std::from_chars(rest.data(), rest.data() + rest.size(), value);
    return value;
}

std::size_t residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * std::size_t(::sysconf(_SC_PAGESIZE)) / 1024;
}

}

std::vector<Mapping> parseMappings(std::string_view smaps)
{
    std::vector<Mapping> mappings;
    while (!smaps.empty()) {
        auto newline = smaps.find('\n');
        std::string_view line = smaps.substr(0, newline);
        smaps.remove_prefix(newline == std::string_view::npos ? smaps.size() : newline + 1);
        // A mapping's first line: "start-end perms offset device inode   path".
        auto dash = line.find('-');
        auto space = line.find(' ');
        if (dash != std::string_view::npos && space != std::string_view::npos && dash < space
            && line.find(':') > space) {
            Mapping mapping;
            mapping.start = hexNumber(line.substr(0, dash));
            mapping.end = hexNumber(line.substr(dash + 1, space - dash - 1));
            std::string_view perms = line.substr(space + 1, 4);
            mapping.writable = perms.size() > 1 && perms[1] == 'w';
            mapping.shared = perms.size() > 3 && perms[3] == 's';
            auto slash = line.find('/');
            // A deleted file, a memory file or shared memory may hold what exists nowhere else.
            mapping.fromFile = slash != std::string_view::npos && line.find(" (deleted)") == std::string_view::npos
                && line.substr(slash).rfind("/memfd:", 0) != 0 && line.substr(slash).rfind("/SYSV", 0) != 0
                && line.substr(slash).rfind("/dev/", 0) != 0;
            mappings.push_back(mapping);
        } else if (!mappings.empty() && line.rfind("Anonymous:", 0) == 0) {
            mappings.back().anonymousKilobytes = kilobytesAfter(line, "Anonymous:");
        } else if (!mappings.empty() && line.rfind("Locked:", 0) == 0) {
            mappings.back().lockedKilobytes = kilobytesAfter(line, "Locked:");
        }
    }
    return mappings;
}

bool mayDrop(const Mapping& mapping)
{
    return mapping.fromFile && !mapping.writable && !mapping.shared && mapping.anonymousKilobytes == 0
        && mapping.lockedKilobytes == 0 && mapping.end > mapping.start;
}

namespace {

struct Dropping {
    const std::vector<Mapping>* mappings;
    std::size_t pageSize;
};

// The read-only segments of every loaded library (and of the program), with the loader's
// lock held: none of them can be unloaded meanwhile and its addresses taken by other data.
int dropSegmentsOf(dl_phdr_info* object, std::size_t, void* data)
{
    const auto& dropping = *static_cast<const Dropping*>(data);
    for (int i = 0; i < object->dlpi_phnum; ++i) {
        const auto& segment = object->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || (segment.p_flags & PF_W) || segment.p_memsz == 0)
            continue;
        std::size_t start = (object->dlpi_addr + segment.p_vaddr) & ~(dropping.pageSize - 1);
        std::size_t end = (object->dlpi_addr + segment.p_vaddr + segment.p_memsz + dropping.pageSize - 1) & ~(dropping.pageSize - 1);
        for (const auto& mapping : *dropping.mappings) {
            std::size_t from = std::max(start, mapping.start), to = std::min(end, mapping.end);
            if (from < to && mayDrop(mapping))
                ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
        }
    }
    return 0;
}

}

std::size_t giveBack()
{
    std::size_t before = residentKilobytes();
    malloc_trim(0);
    std::ifstream in("/proc/self/smaps");
    std::stringstream text;
    text << in.rdbuf();
    auto mappings = parseMappings(text.str());
    Dropping dropping { &mappings, std::size_t(::sysconf(_SC_PAGESIZE)) };
    dl_iterate_phdr(dropSegmentsOf, &dropping);
    std::size_t after = residentKilobytes();
    return before > after ? before - after : 0;
}

}
