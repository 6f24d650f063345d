#include "mainwindow/MainWindowHooks.h"

namespace ostrel {

MainWindowHooks& MainWindowHooks::shared()
{
    static MainWindowHooks* hooks = new MainWindowHooks;
    return *hooks;
}

}
