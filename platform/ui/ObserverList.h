#pragma once

#include <functional>
#include <memory>
#include <vector>

namespace ui {

// Keeps one observer registered: dropping the last reference takes it out of its list, so
// an owner holding the token is never called after it is gone.
class ObserverRegistration {
public:
    explicit ObserverRegistration(std::function<void()> remove)
        : m_remove(std::move(remove))
    {
    }
    ~ObserverRegistration()
    {
        if (m_remove)
            m_remove();
    }
    ObserverRegistration(const ObserverRegistration&) = delete;
    ObserverRegistration& operator=(const ObserverRegistration&) = delete;

private:
    std::function<void()> m_remove;
};

using ObserverToken = std::shared_ptr<ObserverRegistration>;

// Observers of one happening, told in the order they were added. The list may go before
// the tokens, and a token may go while the list is telling.
template<typename... Args>
class ObserverList {
public:
    using Observer = std::function<void(Args...)>;

    [[nodiscard]] ObserverToken add(Observer observer)
    {
        auto entry = std::make_shared<Entry>(Entry { std::move(observer), true });
        m_entries->push_back(entry);
        std::weak_ptr<Entries> entries = m_entries;
        return std::make_shared<ObserverRegistration>([entries, entry] {
            entry->active = false;
            if (auto list = entries.lock())
                std::erase(*list, entry);
        });
    }

    void notify(Args... args) const
    {
        // Observers may come and go while being told: a snapshot, skipping those gone since.
        auto snapshot = *m_entries;
        for (auto& entry : snapshot)
            if (entry->active)
                entry->observer(args...);
    }

    std::size_t size() const { return m_entries->size(); }

private:
    struct Entry {
        Observer observer;
        bool active;
    };
    using Entries = std::vector<std::shared_ptr<Entry>>;
    std::shared_ptr<Entries> m_entries { std::make_shared<Entries>() };
};

}
