#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace ostrel {

// Keeps one listener registered: dropping the last reference takes the listener out of its
// list. Owners put their tokens into their EndOfLifeBag, so no listener outlives its owner.
class ListenerRegistration {
public:
    explicit ListenerRegistration(std::function<void()> remove)
        : m_remove(std::move(remove))
    {
    }
    ~ListenerRegistration()
    {
        if (m_remove)
            m_remove();
    }
    ListenerRegistration(const ListenerRegistration&) = delete;
    ListenerRegistration& operator=(const ListenerRegistration&) = delete;

private:
    std::function<void()> m_remove;
};

using ListenerToken = std::shared_ptr<ListenerRegistration>;

// Listeners of one value, called in the order they were added.
template<typename T>
class ListenerList {
public:
    using Listener = std::function<void(const T&)>;

    [[nodiscard]] ListenerToken add(Listener listener)
    {
        auto entry = std::make_shared<Entry>(Entry { std::move(listener), true });
        m_entries->push_back(entry);
        std::weak_ptr<std::vector<std::shared_ptr<Entry>>> entries = m_entries;
        return std::make_shared<ListenerRegistration>([entries, entry] {
            entry->active = false;
            if (auto list = entries.lock())
                std::erase(*list, entry);
        });
    }

    // Adds the listener and calls it at once with `current`: a hot listener.
    [[nodiscard]] ListenerToken addHot(Listener listener, const T& current)
    {
        auto token = add(listener);
        listener(current);
        return token;
    }

    void notify(const T& value) const
    {
        // A listener may add or drop listeners while being told: walk a snapshot and skip
        // any dropped meanwhile.
        auto snapshot = *m_entries;
        for (auto& entry : snapshot) {
            if (entry->active)
                entry->listener(value);
        }
    }

    size_t size() const { return m_entries->size(); }

private:
    struct Entry {
        Listener listener;
        bool active;
    };
    std::shared_ptr<std::vector<std::shared_ptr<Entry>>> m_entries
        = std::make_shared<std::vector<std::shared_ptr<Entry>>>();
};

}
