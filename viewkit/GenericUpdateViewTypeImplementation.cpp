#include "viewkit/GenericUpdateViewTypeImplementation.h"

namespace ostrel {

std::shared_ptr<GenericUpdateViewTypeImplementation> GenericUpdateViewTypeImplementation::create(std::function<void()> closure)
{
    return std::shared_ptr<GenericUpdateViewTypeImplementation>(new GenericUpdateViewTypeImplementation(std::move(closure)));
}

void GenericUpdateViewTypeImplementation::updateState()
{
    if (closure)
        closure();
}

}
