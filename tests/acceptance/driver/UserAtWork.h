#pragma once

#include <atomic>
#include <thread>

namespace ostrel::acceptance {

class Desktop;

// A user busy in another program while this lives: the pointer moves a pixel and back every
// 100 ms, so the program's idle time stays near nothing. Ended, the user sits still.
class UserAtWork {
public:
    explicit UserAtWork(Desktop& desktop);
    ~UserAtWork();
    UserAtWork(const UserAtWork&) = delete;
    UserAtWork& operator=(const UserAtWork&) = delete;

private:
    std::atomic<bool> m_working { true };
    std::thread m_hands;
};

}
