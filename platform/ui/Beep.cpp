#include "platform/ui/Beep.h"

#include "platform/ui/Application.h"

namespace ui {

namespace {
int s_beeps = 0;
}

void beep()
{
    ++s_beeps;
    if (auto* app = Application::shared())
        app->backend().beep();
}

int beepCount() { return s_beeps; }

}
