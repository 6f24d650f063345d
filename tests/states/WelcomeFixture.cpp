#include "tests/states/WelcomeFixture.h"

#include "states/WelcomeScreens.h"

#include "attention/OstrelNotificationSystem.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "viewkit/FragmentStackView.h"
#include "viewkit/HideableFragmentWall.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "tests/support/RecordedEvents.h"

#include "platform/base/Json.h"
#include "platform/media/AudioOutput.h"
#include "platform/ui/TextField.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace ostrel::test {

WelcomeTest::WelcomeTest()
{
    m_store->setWriteScheduler([](std::function<void()>) { });
    sink = media::RecordingSink::create();
    media::AudioOutput::install(media::AudioOutput::create([](std::function<void()>) { }, sink));
    SoundManager::setSharedManager(SoundManager::create(m_store));
    SpeechManager::setSharedManager(SpeechManager::create(m_store));
    WhiteNoiseMachine::setContinuousSoundMachine(WhiteNoiseMachine::create(m_store));
    OstrelNotificationSystem::setSharedNotifier(std::make_shared<RecordingNotifier>([this](const std::string& banner) {
        drainSounds();
        journal.push_back(banner);
    }));
    registerWelcomeScreens();
}

WelcomeTest::~WelcomeTest()
{
    WhiteNoiseMachine::setContinuousSoundMachine(nullptr);
    SpeechManager::setSharedManager(nullptr);
    SoundManager::setSharedManager(nullptr);
    OstrelNotificationSystem::setSharedNotifier(nullptr);
    media::AudioOutput::install(nullptr);
}

std::shared_ptr<WelcomeState> WelcomeTest::welcome(StateLinkingHelper::Slot slot) const
{
    return std::dynamic_pointer_cast<WelcomeState>(helper->screen(slot));
}

std::vector<PopUpButtonBrick*> WelcomeTest::popUps(WelcomeState& screen) const
{
    std::vector<PopUpButtonBrick*> choices;
    for (auto* popUp : viewsOf<PopUpButtonBrick>(*screen.infoWall())) {
        if (!popUp->pullsDown())
            choices.push_back(popUp);
    }
    return choices;
}

void WelcomeTest::choose(PopUpButtonBrick& popUp, int index)
{
    popUp.selectItemAt(index);
    popUp.menu()->performActionForItemAt(std::size_t(index));
    // The main window fits itself to the new explanation a moment later.
    wait(0.5);
    window().layoutIfNeeded();
}

std::vector<std::string> WelcomeTest::explanations(WelcomeState& screen)
{
    std::vector<std::string> shown;
    for (auto* fragment : viewsOf<HideableFragmentWall>(*screen.infoWall())) {
        auto stack = fragment->parentStackView();
        if (!stack || stack->visibilityPriority(fragment) == ui::VisibilityPriority::NotVisible)
            continue;
        for (auto* label : viewsOf<ui::TextField>(*fragment)) {
            if (!label->wraps())
                continue;
            shown.push_back(label->stringValue());
            // Every line of it inside the window.
            if (auto* inWindow = label->window()) {
                ui::Rect placed = label->convertRectTo(label->bounds(), nullptr);
                ui::Rect content = inWindow->contentView()->bounds();
                EXPECT_TRUE(placed.minY() >= content.minY() - 0.5 && placed.maxY() <= content.maxY() + 0.5) << label->stringValue();
                EXPECT_GE(placed.height() + 0.5, label->intrinsicContentSize().height) << label->stringValue();
            }
        }
    }
    return shown;
}

PushButtonBrick* WelcomeTest::button(ui::View& root, const std::string& title)
{
    for (auto* button : viewsOf<PushButtonBrick>(root)) {
        if (button->title() == title)
            return button;
    }
    return nullptr;
}

void WelcomeTest::drainSounds()
{
    auto& events = sink->events();
    for (; m_soundEventsSeen < events.size(); ++m_soundEventsSeen) {
        auto& event = events[m_soundEventsSeen];
        if (event.kind != media::VoiceEvent::Kind::Started)
            continue;
        if (event.label.rfind("speech: ", 0) == 0)
            journal.push_back("speech " + event.label.substr(8));
        else
            journal.push_back((event.loop ? "loop " : "sound ") + std::filesystem::path(event.label).stem().string());
    }
}

std::vector<std::string> WelcomeTest::heard()
{
    drainSounds();
    return std::exchange(journal, {});
}

base::Value::Dictionary WelcomeTest::storedSettings()
{
    m_store->synchronize();
    std::ifstream file(m_store->file());
    std::stringstream text;
    text << file.rdbuf();
    auto parsed = base::parseJson(text.str());
    return parsed && parsed->asDictionary() ? *parsed->asDictionary() : base::Value::Dictionary {};
}

}
