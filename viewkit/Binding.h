#pragma once

#include "core/Variables.h"

#include <memory>

namespace ostrel {

// What owners keep their bindings as: they call unbind() (or simply drop the binding) when
// the control goes.
class Unbindable {
public:
    virtual ~Unbindable() = default;
    virtual void unbind() = 0;
};

// The family of two-way links between a brick and an observable variable of value type T:
// every value of the variable shows in the brick, every change the user makes goes into the
// variable. Nothing is linked before activate(); a binding without its brick or its variable
// does nothing on either side. Made by each class's create(); the links hold the binding
// weakly, so a binding dropped by its owner reaches neither side again.
template<typename T>
class Binding {
public:
    virtual ~Binding() = default;

protected:
    Binding() = default;

    static std::shared_ptr<AnyReadWriteVariable<T>> wrapped(std::shared_ptr<ReadWriteVariableType<T>> variable)
    {
        return variable ? std::make_shared<AnyReadWriteVariable<T>>(std::move(variable)) : nullptr;
    }
};

}
