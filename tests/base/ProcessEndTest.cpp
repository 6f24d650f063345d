#include "platform/base/ProcessEnd.h"

#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeFds[0]);
        dup2(pipeFds[1], STDOUT_FILENO);
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
        // Buffered, as a program's last lines are when its output is a pipe.
        std::printf("saved");
        endProcess(3);
    }
    close(pipeFds[1]);
    std::string output;
    char buffer[64];
    for (ssize_t got; (got = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, std::size_t(got));
    close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(output, "saved") << "the standard streams are flushed";
}

}
}
