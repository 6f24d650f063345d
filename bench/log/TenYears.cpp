#include "bench/log/TenYears.h"

#include "log/LogFileManager.h"
#include "log/TagManager.h"
#include "tools/loggen/LogGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace bench {

namespace fs = std::filesystem;

const fs::path& tenYears()
{
    static const fs::path folder = [] {
        setenv("OSTREL_RESOURCES", OSTREL_BUILD_RESOURCES, 0);
        fs::path path = fs::temp_directory_path() / "ostrel-bench-log-10y";
        if (!fs::exists(path / ".complete")) {
            fs::remove_all(path);
            ostrel::loggen::Options options;
            options.years = 10;
            auto summary = ostrel::loggen::generate(path, options);
            std::fprintf(stderr, "generated %zu files, %zu slices, %zu bytes\n", summary.files, summary.slices, summary.bytes);
            std::ofstream(path / ".complete") << "done";
        }
        return path;
    }();
    return folder;
}

void forgetEverything()
{
    ostrel::LogFileManager::sharedInstance().reset();
    ostrel::TagManager::sharedInstance().removeAllTags();
}

}
