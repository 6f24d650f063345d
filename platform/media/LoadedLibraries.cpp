#include "platform/media/LoadedLibraries.h"

#include <dlfcn.h>
#include <link.h>
#include <string>
#include <vector>

namespace media {

void keepLoadedLibrariesForGood()
{
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            // The program itself and the kernel's vDSO have no file name to open.
            if (info->dlpi_name && info->dlpi_name[0] == '/')
                static_cast<std::vector<std::string>*>(data)->emplace_back(info->dlpi_name);
            return 0;
        },
        &names);
    // Opening an already loaded library without loading it again only adds the flag; the
    // reference this takes is never given back, which is the point.
    for (const auto& name : names)
        dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

}
