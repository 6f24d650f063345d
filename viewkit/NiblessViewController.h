#pragma once

#include "platform/ui/View.h"

#include <functional>
#include <memory>
#include <type_traits>

namespace ostrel {

// The base of every screen panel's controller: its view (a wall) is built in code by
// build(), at creation or, with a delayed build, when the owner asks for it. Subclasses
// override build() and set the view there; the base build() runs buildFunc when one is set.
class NiblessViewController : public std::enable_shared_from_this<NiblessViewController> {
public:
    virtual ~NiblessViewController() = default;
    NiblessViewController(const NiblessViewController&) = delete;
    NiblessViewController& operator=(const NiblessViewController&) = delete;

    // A controller of class T, built at once unless `delayedBuild`. T's constructor must be
    // reachable from here (public, or this class its friend).
    template<typename T, typename... Args>
    static std::shared_ptr<T> create(bool delayedBuild, Args&&... args)
    {
        static_assert(std::is_base_of_v<NiblessViewController, T>);
        std::shared_ptr<T> controller(new T(std::forward<Args>(args)...));
        if (!delayedBuild)
            controller->build();
        return controller;
    }
    // A plain controller whose build runs the closure, at once.
    static std::shared_ptr<NiblessViewController> create(std::function<void()> buildFunc);

    std::function<void()> buildFunc;
    // Stays false: the flag given at creation is not kept.
    bool delayedBuild() const { return m_delayedBuild; }
    void setDelayedBuild(bool delayed) { m_delayedBuild = delayed; }

    // None until build() made one.
    const std::shared_ptr<ui::View>& view() const { return m_view; }
    void setView(std::shared_ptr<ui::View> view) { m_view = std::move(view); }

    virtual void build();
    // Nothing to load: the view is whatever build() sets.
    void loadView() { }

protected:
    NiblessViewController() = default;

private:
    bool m_delayedBuild { false };
    std::shared_ptr<ui::View> m_view;
};

}
