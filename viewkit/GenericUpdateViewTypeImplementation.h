#pragma once

#include "viewkit/UpdatedViewType.h"

#include <functional>
#include <memory>

namespace ostrel {

// A place in a screen's refresh list for code without a view: each refresh runs the closure.
class GenericUpdateViewTypeImplementation final : public UpdatedViewType {
public:
    static std::shared_ptr<GenericUpdateViewTypeImplementation> create(std::function<void()> closure);

    void updateState() override;

    std::function<void()> closure;

private:
    explicit GenericUpdateViewTypeImplementation(std::function<void()> closure)
        : closure(std::move(closure))
    {
    }
};

}
