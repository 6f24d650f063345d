#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace ostrel::acceptance {

// Asks again every 50 ms until the answer is yes or `seconds` have passed: how a road waits
// for the program, which answers in its own time.
inline bool eventually(const std::function<bool()>& done, double seconds = 10)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

}
