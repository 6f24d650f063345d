#include "platform/base/RestingMemory.h"

#include <elf.h>
#include <link.h>
#include <malloc.h>
#include <sys/auxv.h>
#include <sys/mman.h>
#include <unistd.h>

#include <fstream>
#include <string_view>

namespace base::resting {

namespace {

// An object whose code the loader patched in place holds pages the file does not: dropping
// them would bring the unpatched code back.
bool hasTextRelocations(const dl_phdr_info& object)
{
    for (int i = 0; i < object.dlpi_phnum; ++i) {
        if (object.dlpi_phdr[i].p_type != PT_DYNAMIC)
            continue;
        const auto* entry = reinterpret_cast<const ElfW(Dyn)*>(object.dlpi_addr + object.dlpi_phdr[i].p_vaddr);
        for (; entry->d_tag != DT_NULL; ++entry) {
            if (entry->d_tag == DT_TEXTREL || (entry->d_tag == DT_FLAGS && (entry->d_un.d_val & DF_TEXTREL)))
                return true;
        }
    }
    return false;
}

// The read-only segments of every loaded object (the program among them), visited with the
// loader's lock held: none can be unloaded meanwhile and its addresses given to other data.
// Writable segments are left alone, relocated data made read-only after loading with them.
int dropReadOnlySegments(dl_phdr_info* object, std::size_t, void*)
{
    // The kernel's own page of code is no file's.
    std::string_view name = object->dlpi_name ? object->dlpi_name : "";
    if (object->dlpi_addr == ::getauxval(AT_SYSINFO_EHDR) || name.find("vdso") != std::string_view::npos
        || hasTextRelocations(*object))
        return 0;
    std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
    for (int i = 0; i < object->dlpi_phnum; ++i) {
        const auto& segment = object->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || (segment.p_flags & PF_W) || segment.p_memsz == 0)
            continue;
        std::size_t start = (object->dlpi_addr + segment.p_vaddr) & ~(page - 1);
        std::size_t end = (object->dlpi_addr + segment.p_vaddr + segment.p_memsz + page - 1) & ~(page - 1);
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
    }
    return 0;
}

}

std::size_t residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * std::size_t(::sysconf(_SC_PAGESIZE)) / 1024;
}

std::size_t giveBack()
{
    std::size_t before = residentKilobytes();
    malloc_trim(0);
    dl_iterate_phdr(dropReadOnlySegments, nullptr);
    std::size_t after = residentKilobytes();
    return before > after ? before - after : 0;
}

}
