#include "platform/ui/Screen.h"

#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

namespace ui {

std::vector<Screen> Screen::screens()
{
    auto* app = Application::shared();
    return app ? app->backend().screens() : std::vector<Screen> {};
}

std::optional<Screen> Screen::main()
{
    if (auto* app = Application::shared(); app && app->keyWindow())
        if (auto screen = app->keyWindow()->screen())
            return screen;
    auto all = screens();
    if (all.empty())
        return std::nullopt;
    return all.front();
}

}
