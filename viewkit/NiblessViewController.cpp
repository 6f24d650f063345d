#include "viewkit/NiblessViewController.h"

namespace ostrel {

std::shared_ptr<NiblessViewController> NiblessViewController::create(std::function<void()> buildFunc)
{
    std::shared_ptr<NiblessViewController> controller(new NiblessViewController);
    controller->buildFunc = std::move(buildFunc);
    controller->build();
    return controller;
}

void NiblessViewController::build()
{
    if (auto run = buildFunc)
        run();
}

}
