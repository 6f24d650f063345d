#pragma once

#include "RecordingEnvironment.h"

#include "command/CommandPopUpWindow.h"
#include "command/MatchingItem.h"
#include "command/MatchingItemList.h"
#include "command/MatchingLineFragment.h"
#include "command/PopUpWindowContentViewController.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/Wall.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/TextField.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace ostrel::test {

// The application's pop-up over a recording environment, offscreen on a virtual clock, with a
// host window whose command button it hangs from.
class PopUpTest : public testing::Test {
protected:
    PopUpTest()
    {
        auto backend = std::make_unique<ui::OffscreenBackend>();
        m_backend = backend.get();
        m_app = ui::Application::create(std::move(backend));
        base::Defaults::setStandard(environment.memory);
        m_app->activate();
        popUpWindow = CommandPopUpWindow::makeApplicationPopUpWindow(environment);
        environment.dismiss = [this] { controller().dismissDialog(); };

        host = ui::Window::create(ui::Rect(300, 300, 400, 200));
        auto wall = Wall::create();
        host->setContentView(wall);
        commandButton = PushButtonBrick::create("Commands");
        commandButton->setFrame(ui::Rect(8, 8, 80, 24));
        wall->addSubview(commandButton);
        commandButton->buttonPressFunction = [this] { controller().run(true, commandButton.get(), true); };
        commandButton->setTranslatesAutoresizingMaskIntoConstraints(true);
        host->makeKeyAndOrderFront();
    }
    ~PopUpTest() override
    {
        base::RunLoop::main().discardAll();
        host.reset();
        popUpWindow.reset();
        m_app.reset();
    }

    PopUpWindowContentViewController& controller() { return *popUpWindow->popUpContentViewController(); }
    MatchingItemList& list() { return controller().matchingItemList(); }
    ui::OffscreenBackend& backend() { return *m_backend; }
    // The window the pop-up shows in: the popover's, or its own in window mode.
    ui::Window& shownWindow() { return *controller().contentWall()->window(); }

    void open() { controller().run(true, commandButton.get(), true); }
    // Lets virtual time pass, firing every timer due on the way.
    void wait(double seconds) { base::RunLoop::main().runUntil(base::Time::now() + seconds); }
    // Past the redraw's coalescing.
    void settle() { wait(0.06); }

    // To the key window; the release goes to whichever window is key after the press, as the
    // display would send it (the press may close the pop-up's window).
    void press(base::KeyCode code, const std::string& characters = {}, std::uint32_t modifiers = 0)
    {
        auto key = static_cast<std::uint16_t>(code);
        backend().send(ui::Event::key(ui::Event::Type::KeyDown, m_app->keyWindow(), key, characters, modifiers));
        backend().send(ui::Event::key(ui::Event::Type::KeyUp, m_app->keyWindow(), key, characters, modifiers));
    }
    // Letters, digits and spaces, one key at a time and no time between them.
    void type(const std::string& text)
    {
        for (char c : text) {
            auto code = base::KeyCodes::codeForKeysym(static_cast<unsigned char>(c));
            press(code.value_or(base::KeyCode::Space), std::string(1, c));
        }
    }
    std::string searchLine() { return controller().searchField()->stringValue(); }
    std::string rowTitle(std::size_t row) { return controller().matchingFragments().at(row)->titleTextField()->stringValue(); }
    std::string rowByLine(std::size_t row) { return controller().matchingFragments().at(row)->byLineTextField()->stringValue(); }
    std::string selectedTitle()
    {
        auto item = list().currentMatch();
        return item ? item->displayString() : "";
    }

    // The picture of the pop-up's window, for a look at it.
    void writePicture(const std::string& name)
    {
        auto folder = std::filesystem::path(testing::TempDir()) / "ostrel-command-pictures";
        std::filesystem::create_directories(folder);
        shownWindow().display();
        shownWindow().writePng(folder / (name + ".png"));
    }

    base::VirtualTime clock;
    RecordingEnvironment environment;
    std::unique_ptr<ui::Application> m_app;
    ui::OffscreenBackend* m_backend { nullptr };
    std::shared_ptr<CommandPopUpWindow> popUpWindow;
    std::shared_ptr<ui::Window> host;
    std::shared_ptr<PushButtonBrick> commandButton;
};

}
