#pragma once

#include "DemoCommandPopUp.h"
#include "DemoEnvironment.h"
#include "DemoScreen.h"

#include "core/KVOResponder.h"

#include "platform/base/Timer.h"

#include <memory>
#include <string>
#include <vector>

namespace ostrel {
class MainWindow;
}

// The main window with a stand-in screen, set up as start-up would: the program's settings
// registered, the log read and watched, the window compressed whenever a pad opens or
// closes, an OmniFocus drop read by the shell's reader, and an environment a command pop-up
// can be given. Everything that start-up's other hooks would do is logged.
class Demo {
public:
    Demo();
    ~Demo();

    ostrel::MainWindow& mainWindow() const { return *m_mainWindow; }
    DemoEnvironment& environment() { return *m_environment; }

    // Shows the window with its screen, placed as the settings say.
    void show();
    // A few entries of today in the log, for a log book worth looking at.
    static void addSampleEntries();
    // Reads the log now and waits until the log book heard of it.
    void loadLog();
    // For the end-to-end test: prints where the parts it clicks are, in X's root coordinates
    // ("commandButton x y w h", "selector.0 …", "row.1 …", "nowText …", "addEntry …",
    // "save …", "titleStrip …", "window …"), the pads' state ("open now"), the log book's
    // row count ("logRows 3") and the Now pad's text ("nowPage <text>"), the hot-key
    // recorder ("recorder …") and the pop-up ("popUp open <search>"), again on change.
    void reportPositions();

private:
    std::string positions();

    std::shared_ptr<ostrel::MainWindow> m_mainWindow;
    std::unique_ptr<DemoScreen> m_screen;
    std::unique_ptr<DemoEnvironment> m_environment;
    std::unique_ptr<DemoCommandPopUp> m_commandPopUp;
    std::vector<std::shared_ptr<ostrel::KVOResponder>> m_compressors;
    std::shared_ptr<base::Timer> m_reporter;
    std::string m_lastPositions;
};
