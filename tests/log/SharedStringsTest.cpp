#include "log/SharedStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// Each reading thread remembers what it was handed; every thread is still handed the one
// copy, whoever asked first.
TEST(SharedStrings, OneCopyWhicheverThreadAsks)
{
    const std::string* onMain = &ostrel::sharedString("2026-12-08 shared between threads");
    std::vector<const std::string*> onThreads(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < onThreads.size(); ++i) {
        threads.emplace_back([&onThreads, i] {
            std::string asked = "2026-12-08 shared between threads";
            for (int k = 0; k < 3; ++k)
                onThreads[i] = &ostrel::sharedString(asked);
            EXPECT_EQ(&ostrel::sharedString("only on thread " + std::to_string(i)), &ostrel::sharedString("only on thread " + std::to_string(i)));
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (const auto* shared : onThreads)
        EXPECT_EQ(shared, onMain);
    EXPECT_EQ(*onMain, "2026-12-08 shared between threads");
    EXPECT_EQ(&ostrel::sharedString("only on thread 2"), &ostrel::sharedString(std::string("only on thread 2")));
}

}
