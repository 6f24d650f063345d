#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace base {

class Observable;

// What addObserver hands back: the only way to remove that one observer again.
struct ObservationToken {
    std::uint64_t id { 0 };
    bool operator==(const ObservationToken&) const = default;
};

// An object whose changes can be observed by key path. The object reports its own changes
// through didChange(); every observer of that key path is called, in the order added, with
// the object and the key path, whether or not the value really differs.
class Observable {
public:
    using Observer = std::function<void(Observable& object, const std::string& keyPath)>;

    Observable() = default;
    virtual ~Observable() = default;
    // Observers belong to one object; a copy starts without any.
    Observable(const Observable&) { }
    Observable& operator=(const Observable&) { return *this; }

    ObservationToken addObserver(std::string keyPath, Observer observer);
    // Unknown or already removed tokens are ignored.
    void removeObserver(ObservationToken token);

    void didChange(const std::string& keyPath);

    std::size_t observerCount(const std::string& keyPath) const;

private:
    struct Registration {
        ObservationToken token;
        std::string keyPath;
        Observer observer;
    };
    std::vector<Registration> m_registrations;
    std::uint64_t m_nextId { 1 };
};

}
