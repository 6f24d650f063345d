#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ostrel {

// Clean-up work that runs when the owner goes away: whoever links something to an owner
// (an observation, a listener, a binding) adds the closure that undoes it to the owner's bag.
// The closures run once each, in the order they were added, when the bag is destroyed.
class EndOfLifeBag {
public:
    EndOfLifeBag() = default;
    ~EndOfLifeBag();
    EndOfLifeBag(const EndOfLifeBag&) = delete;
    EndOfLifeBag& operator=(const EndOfLifeBag&) = delete;

    void add(std::function<void()> closure);

    // Keeps any object (typically a listener token) alive exactly as long as the bag.
    template<typename T>
    void add(std::shared_ptr<T> keepAlive)
    {
        add([keepAlive = std::move(keepAlive)]() mutable { keepAlive.reset(); });
    }

private:
    std::optional<std::vector<std::function<void()>>> m_closures;
};

}
