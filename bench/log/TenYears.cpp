#include "bench/log/TenYears.h"

#include "log/LogFileManager.h"
#include "log/TagManager.h"
#include "tools/loggen/LogGenerator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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
    std::vector<char*> argv { const_cast<char*>("cat") };
    for (const auto& file : files)
        argv.push_back(const_cast<char*>(file.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    auto started = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int failure = posix_spawnp(&pid, "cat", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (failure != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

}
