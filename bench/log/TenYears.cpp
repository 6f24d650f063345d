#include "bench/log/TenYears.h"

#include "log/LogFileManager.h"
#include "log/TagManager.h"
#include "platform/desktop/ChildProcess.h"
#include "tools/loggen/LogGenerator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

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

std::vector<std::string> filesIn(const fs::path& folder)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename() != ".complete")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<double> catSeconds(const std::vector<std::string>& files)
{
    std::vector<std::string> argv { "cat" };
    argv.insert(argv.end(), files.begin(), files.end());
    auto started = std::chrono::steady_clock::now();
    auto pid = desktop::ChildProcess::spawn(argv, { .silent = true }, "bench: cat did not start");
    int status = 0;
    if (!pid || waitpid(*pid, &status, 0) != *pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

}
