#pragma once

#include "tests/shell/ShellFixture.h"

#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "command/HotKeysController.h"
#include "command/KeyboardShortcutsManager.h"
#include "command/OstrelHotKeyManager.h"
#include "core/DataModel.h"
#include "core/ValueTransformers.h"
#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "shell/DefaultSettings.h"
#include "shell/PreferencesController.h"
#include "shell/PreferencesValueTransformers.h"

#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/desktop/HotKeys.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/RecordingSink.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ostrel::test {

// A case of the preferences window: the shell's recorded home and settings with the
// registered defaults, an offscreen application on virtual time, a recording audio output
// with fresh sound, speech and noise machines, and the hot keys of a model of the case's own
// registered on a stand-in desktop.
class PreferencesTest : public ShellTest {
protected:
    PreferencesTest()
    {
        m_app = ui::Application::create(std::make_unique<ui::OffscreenBackend>());
        prepareDefaults();
        model = DataModel::create(settings);
        model->prepare();
        registerPreferencesValueTransformers();
        sink = media::RecordingSink::create();
        m_output = media::AudioOutput::create([this](std::function<void()> task) { m_posted.push_back(std::move(task)); }, sink);
        media::AudioOutput::install(m_output);
        SoundManager::setSharedManager(SoundManager::create(settings));
        SpeechManager::setSharedManager(SpeechManager::create(settings));
        WhiteNoiseMachine::setContinuousSoundMachine(WhiteNoiseMachine::create(settings));
        auto manual = std::make_unique<desktop::ManualHotKeys>();
        desktopHotKeys = manual.get();
        HotKeysController::setDesktopHotKeys(std::move(manual));
        hotKeys = std::make_unique<OstrelHotKeyManager>(*model, shortcuts);
        NowAndLaterBoardManager::sharedManager().reset();
        MainWindowHooks::shared().reset();
    }
    ~PreferencesTest() override
    {
        base::RunLoop::main().discardAll();
        shortcuts.unregisterAll();
        HotKeysController::setDesktopHotKeys(nullptr);
        MainWindowHooks::shared().reset();
        WhiteNoiseMachine::setContinuousSoundMachine(nullptr);
        SpeechManager::setSharedManager(nullptr);
        SoundManager::setSharedManager(nullptr);
        media::AudioOutput::install(nullptr);
        ValueTransformer::removeAllValueTransformers();
        m_app.reset();
    }

    PreferencesController::Services services()
    {
        PreferencesController::Services services;
        services.store = settings;
        services.sounds = &SoundManager::sharedManager();
        services.speech = &SpeechManager::sharedManager();
        services.continuousSoundMachine = &WhiteNoiseMachine::continuousSoundMachine();
        services.hotKeys = hotKeys.get();
        services.model = model.get();
        return services;
    }
    std::shared_ptr<PreferencesController> makeController() { return PreferencesController::create(services()); }

    // Runs the window modally; `during` runs inside the run, after which the window is closed.
    void runWhile(PreferencesController& controller, std::function<void()> during)
    {
        base::RunLoop::main().post([&controller, during = std::move(during)] {
            if (during)
                during();
            controller.ok();
        });
        controller.run();
    }

    // The sounds started since the last call, by the label the output gave them.
    std::vector<std::string> takeStartedSounds()
    {
        std::vector<std::string> started;
        const auto& events = sink->events();
        for (; m_eventsSeen < events.size(); ++m_eventsSeen) {
            const auto& event = events[m_eventsSeen];
            if (event.kind == media::VoiceEvent::Kind::Started)
                started.push_back(std::filesystem::path(event.label).stem().string() + (event.loop ? " (loop)" : ""));
        }
        return started;
    }

    base::VirtualTime clock;
    std::unique_ptr<DataModel> model;
    std::shared_ptr<media::RecordingSink> sink;
    KeyboardShortcutsManager shortcuts;
    desktop::ManualHotKeys* desktopHotKeys { nullptr };
    std::unique_ptr<OstrelHotKeyManager> hotKeys;

private:
    std::unique_ptr<ui::Application> m_app;
    std::shared_ptr<media::AudioOutput> m_output;
    std::vector<std::function<void()>> m_posted;
    std::size_t m_eventsSeen { 0 };
};

}
