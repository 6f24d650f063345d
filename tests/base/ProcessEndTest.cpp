#include "platform/base/ProcessEnd.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/TemporaryHome.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>

namespace base::test {
namespace {

// A table that a worker thread reads for as long as it runs, as the log's readers do.
const std::string& sharedTable()
{
    static const std::string table(64, 'x');
    return table;
}

TEST(ProcessEndTest, EndsWithItsCodeAndItsOutputWhileAThreadStillUsesStatics)
{
    ostrel::test::TemporaryHome home;
    auto output = home.path() / "output";
    int status = ostrel::test::runInChild([&] {
        // Buffered, as a program's last lines are when its output is a file or a pipe.
        if (!std::freopen(output.c_str(), "w", stdout))
            return 125;
        std::atomic<bool> started { false };
        std::thread reader([&] {
            started = true;
            volatile std::size_t seen = 0;
            for (;;)
                seen = seen + sharedTable().size();
        });
        reader.detach();
        while (!started)
            std::this_thread::yield();
        std::printf("saved");
        endProcess(3);
    });
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 3);
    std::stringstream written;
    written << std::ifstream(output).rdbuf();
    EXPECT_EQ(written.str(), "saved") << "the standard streams are flushed";
}

}
}
