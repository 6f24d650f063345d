#include "platform/base/Observable.h"

#include <algorithm>

namespace base {

ObservationToken Observable::addObserver(std::string keyPath, Observer observer)
{
    ObservationToken token { m_nextId++ };
    m_registrations.push_back(Registration { token, std::move(keyPath), std::move(observer) });
    return token;
}

void Observable::removeObserver(ObservationToken token)
{
    std::erase_if(m_registrations, [token](const Registration& r) { return r.token == token; });
}

void Observable::didChange(const std::string& keyPath)
{
    // Observers may add or remove observers while they are told: the ones present now are
    // told, except any removed before their turn.
    std::vector<ObservationToken> toTell;
    for (const auto& registration : m_registrations)
        if (registration.keyPath == keyPath)
            toTell.push_back(registration.token);
    for (ObservationToken token : toTell) {
        auto found = std::find_if(m_registrations.begin(), m_registrations.end(),
            [token](const Registration& r) { return r.token == token; });
        if (found == m_registrations.end())
            continue;
        Observer observer = found->observer;
        observer(*this, keyPath);
    }
}

std::size_t Observable::observerCount(const std::string& keyPath) const
{
    return std::size_t(std::count_if(m_registrations.begin(), m_registrations.end(),
        [&](const Registration& r) { return r.keyPath == keyPath; }));
}

}
