#include "tests/acceptance/driver/UserAtWork.h"

#include "tests/acceptance/driver/Desktop.h"

#include <chrono>

namespace ostrel::acceptance {

UserAtWork::UserAtWork(Desktop& desktop)
    : m_hands([this, &desktop] {
        // Only xdotool runs here: the desktop's own display connection stays on the road's thread.
        for (int step = 1; m_working; step = -step) {
            desktop.nudgePointer(step);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    })
{
}

UserAtWork::~UserAtWork()
{
    m_working = false;
    m_hands.join();
}

}
